#include "audio/windows/CSignalPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QSlider>

#include <vector>

#include "audio/CAudioSignal.h"
#include "audio/windows/CSignalListDlg.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CValueEdit.h"

QL_STRING_TABLE({
    {34274, "Erzeugen Sie bitte ihre externen Audiosignale im Dialog \"QTB8174 Eigenschaften\"  !"},
});

CSignalPage::CSignalPage(const QString& title, uint32_t kindId, QWidget* parent)
    : CPropertyPage(title, parent), m_kindId(kindId)
{
    // Ctrl+C lists the selected signal's connections.
    auto* connections = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this);
    connections->setContext(Qt::WidgetWithChildrenShortcut);
    connect(connections, &QShortcut::activated, this, [this] { ShowConnections(); });
    // The page's key comes before its controls' own: an edit field would
    // otherwise keep Ctrl+C as its copy.
    qApp->installEventFilter(this);
}

bool CSignalPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() && isVisible()) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_C && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
            (widget == this || isAncestorOf(widget)))
            return true;  // not taken by the control: the page's shortcut runs
    }
    return CPropertyPage::eventFilter(watched, event);
}

void CSignalPage::ShowConnections()
{
    CSignalListDlg* list = CSignalListDlg::Current();
    CAudioSignal* signal = list ? list->GetSelectedSignal() : nullptr;
    if (!signal)
        return;
    CConnectionsDlg dlg(this);
    dlg.m_pDevice = signal;
    dlg.exec();
}

CAudioSignal* CSignalPage::CreateSignal()
{
    ShowMessageId(34274, mb::Ok | mb::IconExclamation);
    return nullptr;
}

CAudioSignal* CSignalPage::Selected() const
{
    CSignalListDlg* list = CSignalListDlg::Current();
    CAudioSignal* signal = list ? list->GetSelectedSignal() : nullptr;
    return signal && signal->GetKindId() == m_kindId ? signal : nullptr;
}

bool CSignalPage::OnSetActive()
{
    LoadFromSignal();
    return CPropertyPage::OnSetActive();
}

bool CSignalPage::OnKillActive()
{
    if (m_sheetApplying && m_sheetApplying()) {
        // OK or Apply: the page's values are about to go into the selected
        // signal (or a new one), so it keeps the selection and refuses a
        // priority out of range, the sheet staying open.
        int priority = 0;
        if (isVisible() && !ReadPriority(&priority)) {
            m_priority->setFocus();
            m_priority->selectAll();
            return false;
        }
        return CPropertyPage::OnKillActive();
    }
    // Another page is chosen: a signal of this page's kind stays selected
    // only when the list itself chose the other page. A tab's click hides
    // this page before it is told, so visibility tells nothing here.
    if (CSignalListDlg* list = CSignalListDlg::Current())
        list->ClearSelection();
    return CPropertyPage::OnKillActive();
}

bool CSignalPage::OnApply()
{
    CSignalListDlg* list = CSignalListDlg::Current();
    int row = -1;
    CAudioSignal* signal = list ? list->GetSelectedSignal(&row) : nullptr;
    if (signal) {
        ApplyToSignal();
        list->SetSourceText(signal, row);
    } else if (list && isVisible() && m_applyFromButton && m_applyFromButton()) {
        // Apply with nothing selected makes a signal of this page's kind.
        emit list->AddClicked();
    }
    SetModified(false);
    return true;
}

bool CSignalPage::ReadPriority(int* priority)
{
    // A decimal ("1,5") is no priority either: refused, never taken as 1 or 15.
    const bool whole = m_priority->ReadsAsWhole();
    const int value = m_priority->GetInt(1);
    if (!whole || value < 1 || value > 10) {
        ShowMessage(tr("Geben Sie eine ganze Zahl zwischen %1 und %2 ein.").arg(1).arg(10).toStdString(),
                    mb::Ok | mb::IconExclamation);
        return false;
    }
    *priority = value;
    return true;
}

void CSignalPage::AddPriority(QGridLayout* grid, int row)
{
    grid->addWidget(new QLabel(tr("Priorität"), this), row, 0);
    m_priority = new CValueEdit(this);
    m_priority->setObjectName(QStringLiteral("1140"));
    grid->addWidget(m_priority, row, 1);
    m_prioritySlider = new QSlider(Qt::Horizontal, this);
    m_prioritySlider->setObjectName(QStringLiteral("1332"));
    m_prioritySlider->setRange(1, 10);
    m_prioritySlider->setPageStep(1);
    grid->addWidget(m_prioritySlider, row, 2);
    connect(m_prioritySlider, &QSlider::actionTriggered, this, [this](int) {
        m_priority->SetInt(m_prioritySlider->sliderPosition(), 1, "%d");
        SetModified(true);
    });
    connect(m_priority, &QLineEdit::textEdited, this, [this] { SetModified(true); });
}

void CSignalPage::AddIntern(QGridLayout* grid, int row)
{
    m_intern = new QRadioButton(tr("intern (Signal im KVT erzeugt)"), this);
    m_intern->setObjectName(QStringLiteral("1003"));
    m_extern = new QRadioButton(tr("Extern (Signal wird eingespeist)"), this);
    m_extern->setObjectName(QStringLiteral("1004"));
    m_intern->setChecked(true);
    grid->addWidget(m_intern, row, 0, 1, 3);
    grid->addWidget(m_extern, row + 1, 0, 1, 3);
    connect(m_intern, &QRadioButton::clicked, this, [this] {
        OnInternChanged();
        SetModified(true);
    });
    connect(m_extern, &QRadioButton::clicked, this, [this] {
        OnInternChanged();
        SetModified(true);
    });
}

void CSignalPage::AddMacros(QGridLayout* grid, int row)
{
    m_start = new QComboBox(this);
    m_start->setObjectName(QStringLiteral("1334"));
    m_stop = new QComboBox(this);
    m_stop->setObjectName(QStringLiteral("1335"));
    grid->addWidget(new QLabel(tr("Startmakro"), this), row, 0);
    grid->addWidget(m_start, row, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Stopmakro"), this), row + 1, 0);
    grid->addWidget(m_stop, row + 1, 1, 1, 2);
    for (QComboBox* c : {m_start, m_stop})
        connect(c, &QComboBox::activated, this, [this] { SetModified(true); });
}

void CSignalPage::FillMacros()
{
    CQuillomerDoc* doc = GetActiveDoc();
    for (QComboBox* c : {m_start, m_stop}) {
        c->clear();
        c->addItem(QStringLiteral("OFF"), QVariant::fromValue<quintptr>(0));
        if (!doc)
            continue;
        for (CBaseDevice* macro : doc->GetList(CAT_MACRO))
            c->addItem(QString::fromStdString(macro->GetName()), QVariant::fromValue(reinterpret_cast<quintptr>(macro)));
    }
}

void CSignalPage::ShowPriority(int priority)
{
    m_priority->SetInt(priority, 1, "%d");
    m_prioritySlider->setValue(priority);
}

void CSignalPage::LoadMacros(const CAudioSignal* signal)
{
    m_start->setCurrentIndex(0);
    m_stop->setCurrentIndex(0);
    if (!signal)
        return;
    for (const LinkRecord* rec : signal->m_outLinks) {
        if (!rec->HasPartner() || rec->partnerCategory != CAT_MACRO || (rec->ownKey != 0 && rec->ownKey != 1))
            continue;
        QComboBox* c = rec->ownKey == 0 ? m_start : m_stop;
        const int item = c->findText(QString::fromStdString(rec->partner->GetName()));
        if (item >= 0)
            c->setCurrentIndex(item);
    }
}

void CSignalPage::ApplyMacros(CAudioSignal* signal)
{
    for (int key = 0; key < 2; ++key) {
        QComboBox* c = key == 0 ? m_start : m_stop;
        auto* macro = reinterpret_cast<CBaseDevice*>(c->currentData().value<quintptr>());
        if (c->currentIndex() > 0 && macro)
            signal->LinkTo(key, macro, 0);
    }
}

void CSignalPage::UnlinkShown(CAudioSignal* signal, uint32_t generatorType)
{
    std::vector<LinkRecord> out, in;
    for (const LinkRecord* rec : signal->m_outLinks)
        if (rec->partnerCategory == CAT_MACRO && (rec->ownKey == 0 || rec->ownKey == 1))
            out.push_back(*rec);
    for (const LinkRecord* rec : signal->m_inLinks)
        if (rec->HasPartner() && rec->partner->GetType() == generatorType)
            in.push_back(*rec);
    for (const LinkRecord& rec : out)
        signal->UnlinkOut(rec);
    for (const LinkRecord& rec : in)
        signal->UnlinkIn(rec);
}

CAudioSignal* CSignalPage::Enter(CAudioSignal* signal, const char* priority)
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc || !signal->Create(m_kindId, 0, 0, static_cast<const char*>(nullptr), 0, 0, 1, 1, CAT_AUDIO, 0, 0, doc)) {
        delete signal;
        return nullptr;
    }
    signal->SetValue(signalkey::Priority, priority);
    doc->AddObject(signal, CAT_AUDIO);
    return signal;
}
