#include "ShellTestSupport.h"

#include "shell/CQuillomerView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

QL_IMPLEMENT_SERIAL(TestSymbol, 1)

std::vector<TestSymbol*> TestSymbol::keyOrder;

SettingsSandbox::SettingsSandbox()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    QSettings().clear();
}

SettingsSandbox::~SettingsSandbox()
{
    QSettings().clear();
}

MessageRecorder::MessageRecorder()
{
    m_old = SetMessageHandler([this](const std::string& text, uint32_t type) {
        messages.emplace_back(text, type);
        details.push_back(CurrentMessageDetail());
        if (!m_answers.empty()) {
            const int a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        switch (type & 0xF) {
        case mb::YesNo:
        case mb::YesNoCancel: return ((type >> 8) & 0xF) == 1 ? int(mb::IdNo) : int(mb::IdYes);
        default: return int(mb::IdOk);
        }
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMessageHandler(m_old);
}

bool MessageRecorder::Saw(const std::string& part) const
{
    for (const auto& m : messages)
        if (m.first.find(part) != std::string::npos)
            return true;
    return false;
}

DialogWatch::DialogWatch(QStringList onlyClasses) : m_only(std::move(onlyClasses))
{
    qApp->installEventFilter(this);
}

DialogWatch::~DialogWatch()
{
    qApp->removeEventFilter(this);
}

bool DialogWatch::eventFilter(QObject* watched, QEvent* event)
{
    auto* dlg = qobject_cast<QDialog*>(watched);
    if (event->type() == QEvent::Show && dlg && dlg->isWindow() &&
        (m_only.isEmpty() || m_only.contains(QString::fromLatin1(dlg->metaObject()->className())))) {
        classes << QString::fromLatin1(dlg->metaObject()->className());
        titles << dlg->windowTitle();
        QPointer<QDialog> shown(dlg);
        QPointer<DialogWatch> self(this);
        QTimer::singleShot(0, dlg, [self, shown] {
            if (self && self->look && shown && shown->isVisible())
                self->look(*shown);
            if (shown && shown->isVisible())
                shown->reject();
        });
    }
    return false;
}

TestSymbol::TestSymbol()
{
    m_type = OT_AMPLIFIER;
}

void TestSymbol::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    keys.push_back(key);
    keyOrder.push_back(this);
    if (key == vk::Left)
        MoveBy(-1, 0, true);
    else if (key == vk::Right)
        MoveBy(1, 0, true);
    else if (key == vk::Up)
        MoveBy(0, -1, true);
    else if (key == vk::Down)
        MoveBy(0, 1, true);
}

void TestSymbol::Draw(IPainter& dc)
{
    dc.SetPen(qlcolor::Black);
    dc.SetBrush(qlcolor::White);
    dc.DrawRect(m_rect);
}

TestSymbol* AddSymbol(CQuillomerDoc& doc, int category, const CRect& r, const std::string& name)
{
    auto* obj = new TestSymbol;
    obj->m_pDocument = &doc;
    obj->m_rect = r;
    obj->m_boundingRect = r;
    obj->m_bitmapRect = r;
    obj->m_category = category;
    obj->m_name = name;
    obj->m_number = doc.GetIDManager().GetNextID(obj, obj->m_type);
    doc.AddObject(obj, category);
    return obj;
}

std::unique_ptr<CQuillomerView> MakeView(CQuillomerDoc* doc)
{
    auto view = std::make_unique<CQuillomerView>(doc);
    view->resize(800 + view->verticalScrollBar()->sizeHint().width(), 600 + view->horizontalScrollBar()->sizeHint().height());
    view->show();
    QCoreApplication::processEvents();
    return view;
}

QString BinaryDir()
{
    if (const char* dir = std::getenv("QL_BINARY_DIR"))
        return QString::fromLocal8Bit(dir);
    // The test program lives in <build>/tests.
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
}
