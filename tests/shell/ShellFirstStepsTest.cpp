// The designer as a new user meets it, in German and in English: a new
// project asks for its data, every enabled command of every object does
// something, every text is in the chosen language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextDocument>
#include <QToolBar>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <set>

#include "ShellTestSupport.h"
#include "hardware/CAmplifier.h"
#include "hardware/HardwareIds.h"
#include "hardware/windows/CRemoteAmpDlg.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInfoSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "logic/CReadyInput.h"
#include "model/CQuillomerDoc.h"
#include "shell/CDocTemplate.h"
#include "shell/CPrintBlock.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CViewPrinter.h"
#include "shell/ContextMenus.h"
#include "shell/MessageBoxHandler.h"
#include "shell/ShellIds.h"
#include "platform/StringTable.h"
#include "platform/serial/SerialPortList.h"
#include "support/LargestProject.h"

namespace {

// The program started with a new project, in the given language.
struct StartedProgram {
    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch dialogs;
    CQuillomerApp app;
    CMainFrame* frame = nullptr;
    CQuillomerDoc* doc = nullptr;

    explicit StartedProgram(const char* language)
    {
        QSettings().setValue("Settings/Language", language);
        QSettings().setValue("Configuration/ShellCommand", 1);
        app.SetResourceDirs({BinaryDir()});
        if (!app.InitInstance({}))
            return;
        frame = app.GetMainFrame();
        QApplication::processEvents();
        doc = frame->GetActiveDocument();
    }

    template <class T>
    T* Find(int category, const std::function<bool(T*)>& match = nullptr) const
    {
        for (CBaseDevice* obj : doc->GetList(category))
            if (auto* t = dynamic_cast<T*>(obj))
                if (!match || match(t))
                    return t;
        return nullptr;
    }

    // What a user adds in the first minutes: an amplifier with its topology
    // and line, a PC, a monitor and a power pack at the interface card, the
    // digital card, a microphone at an input card.
    void AddEverydayObjects()
    {
        auto* out = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT);
        out->OnCommand(outputcard::LineModule);
        out->m_hoverOutput = 0;
        out->OnCommand(33007);
        auto* amp = Find<CAmplifier>(CAT_AMPLIFIER);
        amp->OnCommand(33032);
        auto* port = Find<CInterfaceSlot>(CAT_INTERFACE);
        port->SetHoverConnectors(0, -1);
        port->OnCommand(interfaceslot::CmdPc);
        port->SetHoverConnectors(-1, 1);
        port->OnCommand(interfaceslot::CmdMonitor);
        port->OnCommand(interfaceslot::CmdFJX3392);
        Find<CDigitalSlot>(CAT_DIGITAL_SLOT)->OnCommand(digitalslot::CmdFitted);
        auto* in = Find<CAudioInputSlot>(CAT_INPUT_SLOT);
        in->OnCommand(inputcard::MicLine2);
        in->SetHoverConnectors(0, -1);
        in->OnCommand(33059);
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* obj : doc->GetList(c))
                obj->SetHoverConnectors(-1, -1);
        QApplication::processEvents();
    }

    // A "1 in N" topology on the amplifier: its dialog opens at once, the user
    // types the number of lines and presses OK.
    CBaseDevice* AddOneInNTopology(int lines)
    {
        bool typed = false;
        QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* count = dlg ? dlg->findChild<QLineEdit*>(QStringLiteral("1164")) : nullptr;
            if (!count)
                return;
            count->setFocus();
            QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(count, QString::number(lines));
            for (auto* b : dlg->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
            typed = true;
        });
        Find<CAmplifier>(CAT_AMPLIFIER)->OnCommand(33033);
        EXPECT_TRUE(typed);
        QApplication::processEvents();
        return doc->GetList(CAT_RELAIS_TOPOLOGY).back();
    }

    // A console at the microphone input's second connector.
    void AddConsole()
    {
        auto* in = Find<CAudioInputSlot>(CAT_INPUT_SLOT);
        in->SetHoverConnectors(1, -1);
        in->OnCommand(33049);
        in->SetHoverConnectors(-1, -1);
    }
};

bool IsDocumentObject(CQuillomerDoc* doc, CBaseDevice* obj)
{
    for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (CBaseDevice* o : doc->GetList(c))
            if (o == obj)
                return true;
    return false;
}

void CommandsOf(const ContextMenu& menu, std::vector<const ContextMenuItem*>& out)
{
    for (const ContextMenuItem& item : menu) {
        if (item.kind == ContextMenuItem::Popup)
            CommandsOf(item.items, out);
        else if (item.kind == ContextMenuItem::Command)
            out.push_back(&item);
    }
}

// The entry `id` of the object's menu as the user sees it now.
std::optional<ContextMenuItem> EntryNow(CBaseDevice& obj, uint32_t id)
{
    ContextMenu menu = BuildObjectMenu(obj, obj.m_contextMenuId);
    UpdateMenuState(menu, obj);
    std::vector<const ContextMenuItem*> items;
    CommandsOf(menu, items);
    for (const ContextMenuItem* item : items)
        if (item->id == id)
            return *item;
    return std::nullopt;
}

void MenuTexts(const ContextMenu& menu, QStringList& out)
{
    for (const ContextMenuItem& item : menu) {
        if (!item.text.empty())
            out << QString::fromStdString(item.text);
        MenuTexts(item.items, out);
    }
}

void MenuTexts(QMenu* menu, QStringList& out)
{
    out << menu->title();
    for (QAction* a : menu->actions()) {
        if (a->menu())
            MenuTexts(a->menu(), out);
        else if (!a->isSeparator())
            out << a->text();
    }
}

// The texts of one language only: the German texts of the English resources
// that have an English text of their own, and those English texts (unless a
// German text reads the same). Numbers stand as "#".
struct LanguageTexts {
    std::set<QString> germanOnly, englishOnly;

    static QString Normal(QString t)
    {
        static const QRegularExpression placeholder(QStringLiteral("%[0-9ds]|\\d+"));
        t.replace(QLatin1Char('&'), QString());
        return t.replace(placeholder, QStringLiteral("#")).trimmed();
    }

    LanguageTexts()
    {
        QFile f(QStringLiteral(QL_SOURCE_DIR_VALUE "/translations/QLRESENU.ts"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(f.readAll());
        auto unescape = [](const QString& x) {
            QTextDocument d;
            d.setHtml(QStringLiteral("<pre>") + x + QStringLiteral("</pre>"));
            return d.toPlainText();
        };
        static const QRegularExpression re(QStringLiteral("<source>(.*?)</source>(?:(?!</message>).)*?"
                                                          "<translation[^>]*>(.*?)</translation>"),
                                           QRegularExpression::DotMatchesEverythingOption);
        std::set<QString> sources;
        std::vector<std::pair<QString, QString>> pairs;
        for (auto it = re.globalMatch(ts); it.hasNext();) {
            const auto m = it.next();
            pairs.emplace_back(Normal(unescape(m.captured(1))), Normal(unescape(m.captured(2))));
            sources.insert(pairs.back().first);
        }
        static const QRegularExpression letters(QStringLiteral("[A-Za-zÄÖÜäöüß]{3,}"));
        for (const auto& [german, english] : pairs) {
            if (german == english || !german.contains(letters))
                continue;
            germanOnly.insert(german);
            if (!sources.count(english))
                englishOnly.insert(english);
        }
        // Qt's own buttons.
        for (const char* e : {"Yes", "No", "Cancel", "Apply", "Close"})
            englishOnly.insert(QString::fromLatin1(e));
    }

    // The texts that belong to the other language than `english` says.
    QStringList Foreign(const QStringList& texts, bool english) const
    {
        QStringList out;
        for (const QString& t : texts)
            if ((english ? germanOnly : englishOnly).count(Normal(t)))
                out << t;
        return out;
    }
};

// A paint device that keeps the texts drawn on it, each with its font and
// place in the painter's (logical) coordinates.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        QString text;
        QFont font;
        QPointF at;
        QRectF box;  // from the ascent above the base line to the descent below it
    };
    std::vector<Text> texts;
    std::vector<QLineF> lines;     // every straight piece of a line or outline
    std::vector<QRectF> pictures;  // where symbol pictures were copied

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 4096;
        case PdmHeight: return 4096;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 1;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder* owner) : QPaintEngine(AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override
        {
            m_owner->pictures.push_back(Logical(r));
        }
        void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
        {
            m_owner->pictures.push_back(Logical(r));
        }
        void drawPath(const QPainterPath& path) override
        {
            for (const QPolygonF& polygon : path.toSubpathPolygons())
                drawPolygon(polygon.constData(), static_cast<int>(polygon.size()), PolylineMode);
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
        {
            for (int i = 1; i < count; ++i)
                m_owner->lines.push_back(Logical(QLineF(points[i - 1], points[i])));
            if (mode != PolylineMode && count > 2)
                m_owner->lines.push_back(Logical(QLineF(points[count - 1], points[0])));
        }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            const QPointF at = painter()->transform().map(p) / m_scale;
            const QFontMetricsF fm(item.font());
            // The font is the painter's, in logical units like the place.
            const QRectF box(at.x(), at.y() - fm.ascent(), fm.horizontalAdvance(item.text()), fm.ascent() + fm.descent());
            m_owner->texts.push_back({item.text(), item.font(), at, box});
        }
        Type type() const override { return User; }
        qreal m_scale = 1;

    private:
        QRectF Logical(const QRectF& r) const
        {
            const QRectF d = painter()->transform().mapRect(r);
            return QRectF(d.topLeft() / m_scale, d.size() / m_scale);
        }
        QLineF Logical(const QLineF& l) const
        {
            const QLineF d = painter()->transform().map(l);
            return QLineF(d.p1() / m_scale, d.p2() / m_scale);
        }

    private:
        TextRecorder* m_owner;
    };
    mutable Engine m_engine{this};

public:
    void SetScale(qreal scale) { m_engine.m_scale = scale; }
};

// Draws the whole sheet at `zoom` (4: 100 %) onto `device`.
void DrawSheet(CQuillomerView* view, TextRecorder& device, int zoom = 4)
{
    device.SetScale(zoom / 4.0);
    QPainter painter(&device);
    painter.scale(zoom / 4.0, zoom / 4.0);
    view->DrawContents(painter, CRect(0, 0, 4096, 4096), false);
    painter.end();
}

// The texts the view draws on the whole sheet at `zoom` (4: 100 %).
std::vector<TextRecorder::Text> DrawnTexts(CQuillomerView* view, int zoom = 4)
{
    TextRecorder device;
    DrawSheet(view, device, zoom);
    return device.texts;
}

// What runs over the text `t` of the drawing: other texts, pictures and lines
// that enter its box by more than a pixel's edge; empty when it reads freely.
QStringList WhatCovers(const TextRecorder& drawing, const TextRecorder::Text& t)
{
    const QRectF inner = t.box.adjusted(1, 1, -1, -1);
    QStringList out;
    for (const TextRecorder::Text& other : drawing.texts)
        if (&other != &t && other.box.adjusted(1, 1, -1, -1).intersects(inner))
            out << QStringLiteral("text \"%1\"").arg(other.text);
    for (const QRectF& picture : drawing.pictures)
        if (picture.intersects(inner))
            out << QStringLiteral("picture at %1,%2").arg(picture.x()).arg(picture.y());
    for (const QLineF& line : drawing.lines) {
        // Lines and outlines run along the axes: their box, one unit thick.
        const QRectF run = QRectF(line.p1(), line.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
        if (run.intersects(inner))
            out << QStringLiteral("line %1,%2-%3,%4").arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2());
    }
    return out;
}

// The first text drawn inside `obj`'s symbol other than its kind text (its
// name), null when there is none.
const TextRecorder::Text* NameDrawnIn(const std::vector<TextRecorder::Text>& texts, const CBaseDevice* obj)
{
    const CRect r = obj->GetRect();
    const QString kind = QString::fromStdString(LoadStringId(obj->GetKindId()));
    for (const TextRecorder::Text& t : texts)
        if (t.at.x() >= r.left && t.at.x() < r.right && t.at.y() > r.top && t.at.y() <= r.bottom && t.text != kind)
            return &t;
    return nullptr;
}

}  // namespace

TEST(ShellFirstSteps, ANewProjectAsksForItsDataAndTheDataStayReachable)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    // The new project asks at once.
    EXPECT_EQ(program.dialogs.classes.join(QLatin1Char(',')).toStdString(), "CProjectDataDlg");

    // "Einstellungen > Projekt..." is enabled and opens the dialog.
    QAction* item = program.frame->FindMenuAction(ids::ProjectData);
    ASSERT_NE(item, nullptr);
    program.frame->UpdateMenu(qobject_cast<QMenu*>(item->parent()));
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(program.dialogs.classes.size(), 2);

    // So does a double click on the project's information slot.
    auto* info = program.Find<CInfoSlot>(CAT_INFO);
    ASSERT_NE(info, nullptr);
    info->OnOpen(0, 0, 0);
    QApplication::processEvents();
    EXPECT_EQ(program.dialogs.classes.join(QLatin1Char(',')).toStdString(), "CProjectDataDlg,CProjectDataDlg,CProjectDataDlg");
}

// Every enabled entry of every object's context menu, and the double click of
// every object whose properties entry is enabled, shows a window or a message
// or changes the project. Deleting is left out (the objects are needed) and
// so are checked entries (choosing the current choice again).
TEST(ShellFirstSteps, EveryEnabledObjectCommandDoesSomethingInBothLanguages)
{
    for (const char* language : {"German", "English"}) {
        SCOPED_TRACE(language);
        StartedProgram program(language);
        ASSERT_NE(program.doc, nullptr);
        program.AddEverydayObjects();
        CQuillomerDoc* doc = program.doc;
        ASSERT_FALSE(doc->GetList(CAT_ZONE).empty());

        std::vector<CBaseDevice*> objects;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* obj : doc->GetList(c))
                objects.push_back(obj);
        const bool english = std::string(language) == "English";
        QStringList shown;  // every text the user meets on the way
        int tried = 0;
        for (CBaseDevice* obj : objects) {
            if (!IsDocumentObject(doc, obj))
                continue;
            // The menu with every connector hovered in turn.
            for (int k = -1; k < std::max(obj->m_inputCount, obj->m_outputCount); ++k) {
                obj->SetHoverConnectors(k, k);
                ContextMenu seen = BuildObjectMenu(*obj, obj->m_contextMenuId);
                UpdateMenuState(seen, *obj);
                MenuTexts(seen, shown);
            }
            obj->SetHoverConnectors(-1, -1);
            ContextMenu menu = BuildObjectMenu(*obj, obj->m_contextMenuId);
            std::vector<const ContextMenuItem*> items;
            CommandsOf(menu, items);
            std::vector<std::pair<uint32_t, std::string>> commands;
            for (const ContextMenuItem* item : items)
                commands.emplace_back(item->id, item->text);
            auto somethingHappens = [&](const std::function<void()>& act) {
                const std::vector<uint8_t> before = doc->SaveToBytes();
                const auto shown = program.dialogs.classes.size();
                const auto told = program.messages.messages.size();
                act();
                QApplication::processEvents();
                return program.dialogs.classes.size() > shown || program.messages.messages.size() > told ||
                       doc->SaveToBytes() != before;
            };
            for (const auto& [id, text] : commands) {
                if (id == objcmd::Delete || !IsDocumentObject(doc, obj))
                    continue;
                const std::optional<ContextMenuItem> now = EntryNow(*obj, id);
                if (!now || !now->enabled || now->checked)
                    continue;
                ++tried;
                EXPECT_TRUE(somethingHappens([&] { obj->OnCommand(id); }))
                    << obj->GetName() << ": \"" << text << "\" (" << id << ") does nothing";
                if (id == objcmd::Properties || id == 33005 || id == 33006) {
                    EXPECT_TRUE(somethingHappens([&] { obj->OnOpen(0, 0, 0); }))
                        << obj->GetName() << ": the double click does nothing";
                }
            }
        }
        EXPECT_GT(tried, 40);
        for (const auto& m : program.messages.messages)
            shown << QString::fromStdString(m.first);
        shown << program.dialogs.titles;

        // Every enabled entry of the main menus reaches a handler. (Closing
        // and ending are left out; the port leads nowhere; what the commands
        // write goes to a folder of its own.)
        QTemporaryDir work;
        const QString before = QDir::currentPath();
        QDir::setCurrent(work.path());
        QSettings().setValue(QStringLiteral("COMSECTION/DevicePath%1").arg(1), QStringLiteral("/nonexistent/tty"));
        std::vector<QAction*> actions;
        std::function<void(QMenu*)> collect = [&](QMenu* menu) {
            program.frame->UpdateMenu(menu);
            for (QAction* a : menu->actions()) {
                if (a->menu())
                    collect(a->menu());
                else if (!a->isSeparator() && a->isVisible() && a->isEnabled())
                    actions.push_back(a);
            }
        };
        for (QMenu* menu : program.frame->CurrentMenus())
            collect(menu);
        for (QAction* a : actions) {
            const int id = a->property("commandId").toInt();
            if (id == ids::AppExit || id == ids::FileClose || id == ids::FileNew || id == ids::LanguageEnglish ||
                id == ids::LanguageToGerman)
                continue;
            EXPECT_TRUE(program.frame->OnCmdMsg(id)) << a->text().toStdString() << " (" << id << ") reaches nobody";
            QApplication::processEvents();
        }
        QDir::setCurrent(before);
        EXPECT_GT(actions.size(), 20u);

        // Menus, tool tips, the names of new objects and Qt's own buttons
        // are all in the chosen language.
        for (QMenu* menu : program.frame->CurrentMenus())
            MenuTexts(menu, shown);
        for (QToolBar* bar : program.frame->findChildren<QToolBar*>())
            for (QAction* a : bar->actions())
                shown << a->toolTip();
        for (CBaseDevice* obj : {static_cast<CBaseDevice*>(program.Find<CAmplifier>(CAT_AMPLIFIER)),
                                 doc->GetList(CAT_RELAIS_TOPOLOGY).front(), doc->GetList(CAT_ZONE).front()})
            shown << QString::fromStdString(obj->GetName()).section(QLatin1Char(' '), 0, 0);
        auto box = CreateMessageBox("?", mb::YesNoCancel);
        for (QAbstractButton* b : box->buttons())
            shown << b->text();

        // The printed pages: the lists' titles and every footer, taken
        // apart where names, numbers, times and dates are filled in.
        QStringList printed;
        for (int mode : {CViewPrinter::Diagram, CViewPrinter::DeviceList, CViewPrinter::ParameterList}) {
            QImage page(800, 1100, QImage::Format_RGB32);
            QPainter painter(&page);
            CViewPrinter job(program.frame->GetActiveView(), mode);
            job.Begin(painter, page.width(), page.height(), 96, 96);
            job.PrintPage(painter, 1);
            printed << job.GetTitleText() << job.GetFooterTexts();
        }
        EXPECT_GE(printed.size(), 12);
        static const QRegularExpression filled(QStringLiteral("\\s*[',]\\s*|\\s{2,}| : "));
        for (const QString& t : printed)
            for (const QString& piece : t.split(filled, Qt::SkipEmptyParts))
                shown << piece;
        EXPECT_TRUE(shown.contains(english ? QStringLiteral("Parameter List") : QStringLiteral("Parameter Liste")));
        EXPECT_TRUE(shown.contains(english ? QStringLiteral("Page 1 of 1") : QStringLiteral("Seite 1 von 1")));

        // Messages that only the device or a project's state bring up: an
        // amplifier missing on the bus, a message recorder still in use.
        {
            MessageRecorder told;
            CRemoteAmpDlg remote(program.Find<CAmplifier>(CAT_AMPLIFIER));
            std::vector<std::string> lines{"/AMP/ADR1F/TYPE amp not available"};
            remote.OnLinkAnswer(0, lines);
            QApplication::processEvents();
            ASSERT_EQ(told.messages.size(), 1u);
            shown << QString::fromStdString(told.messages[0].first);
            shown << QString::fromStdString(LoadStringId(hwtext::IDS_DEVICE_IN_USE));
        }
        static const LanguageTexts texts;
        EXPECT_EQ(texts.Foreign(shown, english).join(QStringLiteral(" | ")).toStdString(), "");
        EXPECT_GT(shown.size(), 150);
    }
}

// Switching the language leaves the designer windows where the user put them
// and gives the tool bars the new language.
TEST(ShellFirstSteps, LanguageSwitchKeepsTheWindowsAndTranslatesTheToolTips)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.app.GetDocTemplate()->OpenDocumentFile(QString());
    QApplication::processEvents();
    QList<QMdiSubWindow*> windows = program.frame->GetMdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    windows[0]->showNormal();
    windows[0]->setGeometry(10, 20, 500, 400);
    windows[1]->showNormal();
    windows[1]->setGeometry(300, 200, 450, 350);
    QApplication::processEvents();
    const QRect first = windows[0]->geometry(), second = windows[1]->geometry();

    program.frame->FindMenuAction(ids::LanguageEnglish)->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(program.app.IsEnglishResources());
    EXPECT_EQ(windows[0]->geometry(), first);
    EXPECT_EQ(windows[1]->geometry(), second);
    QStringList tips;
    for (QAction* a : program.frame->GetStandardBar()->actions())
        tips << a->toolTip();
    EXPECT_TRUE(tips.contains(QStringLiteral("Open"))) << tips.join(QLatin1Char(',')).toStdString();
}

// The names under an amplifier, its topology and its line are written whole
// at every zoom; only a name wider than its symbol ends in "...", and then it
// fits. Measured with the fonts the painter draws with.
TEST(ShellFirstSteps, SymbolNamesAreWrittenWholeWhereTheyFit)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.AddEverydayObjects();
    CQuillomerView* view = program.frame->GetActiveView();
    CBaseDevice* amp = program.Find<CAmplifier>(CAT_AMPLIFIER);
    CBaseDevice* topology = program.doc->GetList(CAT_RELAIS_TOPOLOGY).back();
    CBaseDevice* line = program.doc->GetList(CAT_ZONE).front();
    ASSERT_EQ(amp->GetName(), "Verstärker 1");
    ASSERT_EQ(topology->GetName(), "Topologie 1");
    ASSERT_EQ(line->GetName(), "Linie 1");

    for (int zoom = 2; zoom <= 6; ++zoom) {
        SCOPED_TRACE(zoom);
        const auto texts = DrawnTexts(view, zoom);
        for (CBaseDevice* obj : {amp, topology, line}) {
            const TextRecorder::Text* name = NameDrawnIn(texts, obj);
            ASSERT_NE(name, nullptr) << obj->GetName();
            EXPECT_EQ(name->text.toStdString(), obj->GetName());
            EXPECT_LE(QFontMetrics(name->font).horizontalAdvance(name->text), obj->GetRect().Width());
        }
    }

    // A name too long for the amplifier is cut and then fits its symbol.
    std::string longName = "Verstärker im Technikraum Nord";
    amp->SetNameUnique(longName, false);
    const auto texts = DrawnTexts(view);
    const CRect r = amp->GetRect();
    const auto it = std::find_if(texts.begin(), texts.end(), [&](const TextRecorder::Text& t) {
        return t.at.x() >= r.left && t.at.x() < r.right && t.text.startsWith(QStringLiteral("Verst"));
    });
    ASSERT_NE(it, texts.end());
    EXPECT_TRUE(it->text.endsWith(QStringLiteral("..."))) << it->text.toStdString();
    EXPECT_LE(QFontMetrics(it->font).horizontalAdvance(it->text), r.Width() - 10);
}

// The console and the power pack show their default names whole under
// their pictures, in both languages and at every zoom.
TEST(ShellFirstSteps, ConsoleAndPowerPackNamesAreWrittenWhole)
{
    for (const char* language : {"German", "English"}) {
        SCOPED_TRACE(language);
        StartedProgram program(language);
        ASSERT_NE(program.doc, nullptr);
        program.AddEverydayObjects();
        program.AddConsole();
        ASSERT_FALSE(program.doc->GetList(CAT_CONSOLE).empty());
        CBaseDevice* console = program.doc->GetList(CAT_CONSOLE).front();
        CBaseDevice* pack = nullptr;
        for (CBaseDevice* obj : program.doc->GetList(CAT_AUDIO_DEVICE))
            if (obj->GetKindId() == interfaceslot::CmdFJX3392)
                pack = obj;
        ASSERT_NE(pack, nullptr);
        CQuillomerView* view = program.frame->GetActiveView();
        for (int zoom = 2; zoom <= 6; ++zoom) {
            SCOPED_TRACE(zoom);
            const auto texts = DrawnTexts(view, zoom);
            for (CBaseDevice* obj : {console, pack}) {
                const TextRecorder::Text* name = NameDrawnIn(texts, obj);
                ASSERT_NE(name, nullptr) << obj->GetName();
                EXPECT_EQ(name->text.toStdString(), obj->GetName());
                EXPECT_LE(QFontMetrics(name->font).horizontalAdvance(name->text), obj->GetRect().Width() - 10);
            }
        }
    }
}

// Every name on the sheet is written whole where its symbol has room for it,
// in both languages, with the default font and with the default font of a
// 120 DPI screen (the sheet's fonts are pixel fonts of their own, so the
// desktop's scale must not cut them): the everyday objects with a console,
// and every kind of object of the largest project under their default names.
// A name is shortened only when it is wider than its symbol leaves room for.
TEST(ShellFirstSteps, EveryNameOnTheSheetIsWrittenWholeWhereItsSymbolHasRoom)
{
    const QFont standard = QApplication::font();
    for (const bool dpi120 : {false, true}) {
        QFont font = standard;
        if (dpi120)
            font.setPixelSize(qRound(standard.pointSizeF() * 120 / 72));
        QApplication::setFont(font);
        for (const char* language : {"German", "English"}) {
            for (const bool largestProject : {false, true}) {
                SCOPED_TRACE(std::string(language) + (dpi120 ? ", 120 DPI" : ", default font") +
                             (largestProject ? ", largest project" : ", everyday objects"));
                StartedProgram program(language);
                ASSERT_NE(program.doc, nullptr);
                if (largestProject) {
                    largest::Build(*program.doc);
                } else {
                    program.AddEverydayObjects();
                    program.AddConsole();
                }
                CQuillomerView* view = program.frame->GetActiveView();
                ASSERT_NE(view, nullptr);
                const std::vector<TextRecorder::Text> texts = DrawnTexts(view);

                std::set<uint32_t> kindsChecked;
                int checked = 0;
                for (int c = CAT_FIRST; c <= CAT_LAST; ++c) {
                    for (CBaseDevice* obj : program.doc->GetList(c)) {
                        const CRect label = obj->GetLabelRect();
                        if (obj->GetName().empty() || label.IsRectEmpty())
                            continue;
                        // Objects may lie on one another: the text at the label's
                        // place that is this name, whole or shortened.
                        const QString name = QString::fromStdString(obj->GetName());
                        const TextRecorder::Text* drawn = nullptr;
                        for (const TextRecorder::Text& t : texts) {
                            if (std::abs(t.at.x() - label.left) >= 1 || t.at.y() < label.top ||
                                t.at.y() > label.bottom)
                                continue;
                            if (t.text == name) {
                                drawn = &t;
                                break;
                            }
                            if (t.text.endsWith(QStringLiteral("...")) && name.startsWith(t.text.chopped(3)))
                                drawn = &t;
                        }
                        if (!drawn)
                            continue;  // not on the sheet, or under another object
                        ++checked;
                        kindsChecked.insert(obj->GetKindId());
                        if (drawn->text == name)
                            continue;
                        // Shortened: only when the whole name would run past the
                        // room its symbol leaves, and then the short form fits.
                        const QFontMetrics fm(drawn->font);
                        EXPECT_GT(fm.horizontalAdvance(name), obj->GetRect().Width() - 10)
                            << obj->GetName() << " has room but is drawn as " << drawn->text.toStdString();
                        EXPECT_LE(fm.horizontalAdvance(drawn->text), obj->GetRect().Width())
                            << drawn->text.toStdString();
                    }
                }
                EXPECT_GT(checked, largestProject ? 300 : 8);
                EXPECT_GE(kindsChecked.size(), largestProject ? 40u : 15u);
                for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
                    for (CBaseDevice* obj : program.doc->GetList(c))
                        obj->SetHoverConnectors(-1, -1);
            }
        }
    }
    QApplication::setFont(standard);
}

// The lines of "1 in N" topologies with three and four lines stand one under
// the other, 35 units apart: every line's name is written whole beside its
// speaker, nothing else runs over it, and no kind text is written over the
// speaker above. The console's name stays clear of its line to the input.
// Saved as sheet-topology-lines.png for a look by eye.
TEST(ShellFirstSteps, NamesOfTopologyLinesAndConsolesReadFreely)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.AddEverydayObjects();
    CBaseDevice* three = program.AddOneInNTopology(3);
    CBaseDevice* four = program.AddOneInNTopology(4);
    program.AddConsole();
    ASSERT_EQ(three->m_outputCount, 3);
    ASSERT_EQ(four->m_outputCount, 4);
    ASSERT_EQ(program.doc->GetList(CAT_ZONE).size(), 8u);
    ASSERT_EQ(program.doc->GetList(CAT_CONSOLE).size(), 1u);
    CQuillomerView* view = program.frame->GetActiveView();

    for (int zoom : {2, 4, 6}) {
        SCOPED_TRACE(zoom);
        TextRecorder drawing;
        DrawSheet(view, drawing, zoom);
        int checked = 0;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c) {
            for (CBaseDevice* obj : program.doc->GetList(c)) {
                const CRect r = obj->GetRect();
                if (obj->GetName().empty() || r.IsRectEmpty() || r.Width() <= 1)
                    continue;
                const QString name = QString::fromStdString(obj->GetName());
                const auto drawn = std::find_if(drawing.texts.begin(), drawing.texts.end(), [&](const auto& t) {
                    return t.text == name && t.box.intersects(QRectF(r.left, r.top, r.Width(), r.Height()));
                });
                if (c == CAT_ZONE || c == CAT_CONSOLE || c == CAT_RELAIS_TOPOLOGY || c == CAT_AMPLIFIER) {
                    ASSERT_NE(drawn, drawing.texts.end()) << obj->GetName() << " is not written whole";
                }
                if (drawn == drawing.texts.end())
                    continue;
                ++checked;
                EXPECT_TRUE(WhatCovers(drawing, *drawn).isEmpty())
                    << obj->GetName() << " is covered by " << WhatCovers(drawing, *drawn).join(", ").toStdString();
            }
        }
        EXPECT_GE(checked, 12);
        // No text at all is written over a speaker.
        for (CBaseDevice* zone : program.doc->GetList(CAT_ZONE))
            for (const TextRecorder::Text& t : drawing.texts)
                for (const QRectF& picture : drawing.pictures)
                    if (picture.intersects(QRectF(zone->GetRect().left, zone->GetRect().top,
                                                  zone->GetRect().Width(), zone->GetRect().Height()))) {
                        EXPECT_FALSE(t.box.adjusted(1, 1, -1, -1).intersects(picture))
                            << "\"" << t.text.toStdString() << "\" over the speaker of " << zone->GetName();
                    }
    }

    // The picture for the eye: the part of the sheet from the console to the lines.
    CRect used = view->GetUsedRect();
    QImage image(used.Width() + 20, used.Height() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(10 - used.left, 10 - used.top);
    view->DrawContents(painter, CRect(0, 0, 4096, 4096), false);
    painter.end();
    EXPECT_TRUE(image.save(QStringLiteral("sheet-topology-lines.png")));

    // A name too long for the room beside the console's picture ends in "..."
    // inside its symbol instead of running into the central device.
    CBaseDevice* console = program.doc->GetList(CAT_CONSOLE).front();
    std::string longName = "Sprechstelle im Foyer des Verwaltungsgebäudes";
    console->SetNameUnique(longName, false);
    TextRecorder drawing;
    DrawSheet(view, drawing);
    const CRect c = console->GetRect();
    const auto shortened = std::find_if(drawing.texts.begin(), drawing.texts.end(), [&](const auto& t) {
        return t.text.startsWith(QStringLiteral("Sprech")) && t.box.intersects(QRectF(c.left, c.top, c.Width(), c.Height()));
    });
    ASSERT_NE(shortened, drawing.texts.end());
    EXPECT_TRUE(shortened->text.endsWith(QStringLiteral("..."))) << shortened->text.toStdString();
    EXPECT_LE(shortened->box.right(), console->GetRect().right - 5 + 0.5);
    EXPECT_TRUE(WhatCovers(drawing, *shortened).isEmpty()) << WhatCovers(drawing, *shortened).join(", ").toStdString();
}

// A block of the printed device list holds all its rows: the last row ends
// above the block's bottom border.
TEST(ShellFirstSteps, PrintedBlockRowsStayInsideTheirFrame)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.AddEverydayObjects();
    CPrintBlock block(OT_AMPLIFIER, 0, nullptr);
    block.m_objects.assign(program.doc->GetList(CAT_AMPLIFIER).begin(), program.doc->GetList(CAT_AMPLIFIER).end());
    ASSERT_EQ(block.m_objects.size(), 1u);
    const int dpi = 300;
    QFont heading(QStringLiteral("Garamond")), body(QStringLiteral("Times New Roman"));
    heading.setPixelSize(15 * dpi / 72);
    body.setPixelSize(10 * dpi / 72);
    block.Prepare(heading, body, dpi, dpi, 96, 96);
    const double bottomPx = block.GetSize() * dpi / 25.4;

    TextRecorder device;
    QPainter painter(&device);
    block.Draw(painter, 1, 1000, dpi, dpi);
    painter.end();
    ASSERT_FALSE(device.texts.empty());
    for (const TextRecorder::Text& t : device.texts)
        EXPECT_LE(t.at.y() + QFontMetricsF(t.font).descent(), bottomPx) << t.text.toStdString();
}

// The parameter list of the largest project, printed in English, has no
// German column title: neither the macro blocks nor the trigger, logic-output
// and ready-input blocks (whole or cut short with an ellipsis).
TEST(ShellFirstSteps, EnglishParameterListOfTheLargestProjectHasNoGermanTitle)
{
    StartedProgram program("English");
    ASSERT_NE(program.doc, nullptr);
    largest::Build(*program.doc);
    // Ready inputs too (the project builds none of its own).
    for (int n = 1; n <= 3; ++n) {
        auto* ready = new CReadyInput;
        ASSERT_EQ(1, ready->CBaseDevice::Create(CReadyInput::kKindId, "Kontakt " + std::to_string(n), n,
                                                CAT_DIGITAL_IO, program.doc));
        program.doc->AddObject(ready, CAT_DIGITAL_IO);
    }
    QApplication::processEvents();
    CQuillomerView* view = program.frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetDocument(), program.doc);

    TextRecorder device;
    QPainter painter(&device);
    CViewPrinter job(view, CViewPrinter::ParameterList);
    job.Begin(painter, 4960, 7016, 600, 600);  // an A4 page at 600 dpi
    ASSERT_GT(job.GetPageCount(), 1);
    for (int page = 1; page <= job.GetPageCount(); ++page)
        job.PrintPage(painter, page);
    job.End();
    painter.end();
    std::set<QString> drawn;
    for (const TextRecorder::Text& t : device.texts)
        drawn.insert(t.text.trimmed());

    const char* german[] = {"Vorgong", "Linien", "Priorität", "Gong", "Zeit", "Auswahl", "Lautstärke", "Eintrag",
                            "AUX Umschalter", "Sprechstelle", "Zeile", "Dauer [s]", "Makro", "Bedingung",
                            "Textwiedergabe", "ON Makro", "OFF Makro", "Einheit", "Stellen", "Verstärker", "Kanäle",
                            "Datei", "Qualität", "Anzahl", "Modus", "Zeichenmuster", "Wiederholung", "Pegel",
                            "Maskiert", "Nr"};
    for (const QString& text : drawn) {
        for (const char* g : german) {
            const QString title = QString::fromUtf8(g);
            const bool cut = text.endsWith(QChar(0x2026)) && text.size() > 2 && title.startsWith(text.chopped(1));
            EXPECT_FALSE(text == title || cut) << "German title printed: " << text.toStdString();
        }
    }
    // The English titles are there instead.
    for (const char* english : {"Pre-chime", "Priority", "Duration [s]", "ON macro", "OFF macro", "Condition", "Masked",
                                "No.", "Level", "Channels"})
        EXPECT_TRUE(drawn.count(QString::fromUtf8(english))) << english;
}

// The window menu lists the open project windows and brings one to the front.
TEST(ShellFirstSteps, WindowMenuListsTheOpenProjects)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    CQuillomerDoc* second = program.app.GetDocTemplate()->OpenDocumentFile(QString());
    QApplication::processEvents();
    QMenu* window = program.frame->CurrentMenus().at(program.frame->CurrentMenus().size() - 2);
    ASSERT_EQ(window->title(), QStringLiteral("&Fenster"));
    emit window->aboutToShow();
    QStringList entries;
    QAction* first = nullptr;
    for (QAction* a : window->actions())
        if (a->isCheckable()) {
            entries << a->text() + (a->isChecked() ? QStringLiteral(" [x]") : QString());
            first = first ? first : a;
        }
    const QString a = QString::fromStdString(program.doc->GetTitle()), b = QString::fromStdString(second->GetTitle());
    EXPECT_EQ(entries.join(QLatin1Char(',')).toStdString(), QStringLiteral("&1 %1,&2 %2 [x]").arg(a, b).toStdString());
    first->trigger();
    EXPECT_EQ(program.frame->GetActiveDocument(), program.doc);
}

namespace {
// The warnings Qt prints while it lives.
class WarningLog {
public:
    WarningLog()
    {
        Texts().clear();
        m_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                Texts() << text;
        });
    }
    ~WarningLog() { qInstallMessageHandler(m_previous); }
    static QStringList& Texts()
    {
        static QStringList texts;
        return texts;
    }

private:
    QtMessageHandler m_previous = nullptr;
};
}  // namespace

// The main window names the program once, then the project in front, and
// asks Qt for no text it cannot fill in.
TEST(ShellFirstSteps, MainWindowTitleNamesTheProgramOnce)
{
    WarningLog warnings;
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.frame->show();
    QMdiSubWindow* sub = program.frame->GetMdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    sub->showMaximized();
    for (int i = 0; i < 3; ++i) {
        program.frame->UpdateTitles();  // as while idle
        QApplication::processEvents();
        EXPECT_EQ(program.frame->windowTitle().toStdString(),
                  "QUILLOMER Designer - " + program.doc->GetTitle());
    }
    sub->showNormal();
    program.frame->UpdateTitles();
    EXPECT_EQ(program.frame->windowTitle().toStdString(), "QUILLOMER Designer - " + program.doc->GetTitle());
    sub->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(program.frame->windowTitle().toStdString(), "QUILLOMER Designer - " + program.doc->GetTitle())
        << "without waiting for the idle update";
    for (const QString& w : WarningLog::Texts())
        EXPECT_FALSE(w.startsWith(QLatin1String("QString::arg"))) << w.toStdString();
}

// The port menu shows the device behind each COM n and puts the device the
// user picks behind the chosen one.
TEST(ShellFirstSteps, PortMenuShowsAndChoosesTheDevices)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    const auto old = SerialPortList::SetProvider([] {
        return QList<SerialDevice>{{"/dev/ttyS0", {}}, {"/dev/ttyUSB0", "FT232R USB UART"}};
    });
    QSettings().setValue("COMSECTION/PORT", 1);  // COM 2
    QSettings().setValue("COMSECTION/DevicePath2", "/dev/pts/77");
    QAction* com2 = program.frame->FindMenuAction(ids::ComPort1 + 1);
    ASSERT_NE(com2, nullptr);
    auto* ports = qobject_cast<QMenu*>(com2->parent());
    emit ports->aboutToShow();
    EXPECT_EQ(com2->text().toStdString(), "COM &2\t/dev/pts/77");
    EXPECT_EQ(program.frame->FindMenuAction(ids::ComPort1)->text().toStdString(), "COM &1\t/dev/ttyS0");
    QMenu* devices = nullptr;
    for (QAction* a : ports->actions())
        if (a->menu())
            devices = a->menu();
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->title().toStdString(), "&Gerät für COM 2");
    QStringList entries;
    for (QAction* a : devices->actions())
        entries << a->text() + (a->isChecked() ? QStringLiteral(" [x]") : QString());
    EXPECT_EQ(entries.join(QLatin1Char(',')).toStdString(),
              "/dev/pts/77 [x],/dev/ttyS0,/dev/ttyUSB0  (FT232R USB UART)");
    devices->actions().last()->trigger();
    EXPECT_EQ(QSettings().value("COMSECTION/DevicePath2").toString().toStdString(), "/dev/ttyUSB0");
    SerialPortList::SetProvider(old);
}

// The message device at an input card has a narrow picture; with free sheet
// beside it its name "QTB8174" is written whole, at every zoom, and nothing
// runs over it. Saved as sheet-message-device.png for a look by eye.
TEST(ShellFirstSteps, MessageDeviceNameIsWrittenWholeWhereTheSheetHasRoom)
{
    StartedProgram program("German");
    ASSERT_NE(program.doc, nullptr);
    program.AddEverydayObjects();
    auto* in = program.Find<CAudioInputSlot>(CAT_INPUT_SLOT);
    in->SetHoverConnectors(1, -1);
    in->OnCommand(33064);  // "QTB8174"
    in->SetHoverConnectors(-1, -1);
    CBaseDevice* device = nullptr;
    for (CBaseDevice* obj : program.doc->GetList(CAT_AUDIO_DEVICE))
        if (obj->GetKindId() == 33064)
            device = obj;
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->GetName(), "QTB8174");
    CQuillomerView* view = program.frame->GetActiveView();

    for (int zoom = 2; zoom <= 6; ++zoom) {
        SCOPED_TRACE(zoom);
        TextRecorder drawing;
        DrawSheet(view, drawing, zoom);
        const CRect r = device->GetRect();
        const TextRecorder::Text* name = nullptr;
        for (const TextRecorder::Text& t : drawing.texts)
            if (t.text.startsWith(QLatin1Char('Q')) && t.at.y() > r.top && t.at.y() <= r.bottom &&
                t.box.right() > r.left && t.box.left() < r.right)
                name = &t;
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text.toStdString(), "QTB8174");
        EXPECT_EQ(WhatCovers(drawing, *name).join(", ").toStdString(), "");
    }
    view->SetZoom(4);
    const CRect r = device->GetRect();
    view->ScrollToPosition(view->LogicalToClient(CPoint(r.left, r.top)) + view->GetScrollPosition() - QPoint(150, 100));
    QApplication::processEvents();
    view->viewport()->grab().save(QStringLiteral("sheet-message-device.png"));
}
