// A project through a day of work: made yesterday in German, opened and dated
// in English this morning, opened again, sent to the device simulator and
// read back, the language switched back through the menu and the project
// saved. The file then holds what it held in the morning: the block objects
// carry the names the program gives them in the language of the day, the date
// text shows the stored date, and no symbol's bounding rectangle grows on its
// own. A project connected and saved under another name: the status bar's
// connection pane names the project by the name it now has. A zone read back
// through the sheet's menu: a message one answer raises keeps none of the
// others from being read.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>

#include <map>
#include <string>

#include "MenuTestSupport.h"
#include "ShellTestSupport.h"
#include "comm/CommIds.h"
#include "comm/CommTestSupport.h"
#include "comm/ParameterGroups.h"
#include "hardware/CInterfaceSlot.h"
#include "logic/CCondition.h"
#include "model/CControlPad.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "platform/StringTable.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/ShellIds.h"
#include "support/ZoneTestSupport.h"

using namespace commtest;
using serialtest::Pump;

namespace {

constexpr uint32_t kAllObjectGroups = 0x1F;  // every group but the text file

struct Shape {
    std::string name;
    CRect bounds;
    bool operator==(const Shape&) const = default;
};

void PrintTo(const Shape& s, std::ostream* os)
{
    *os << '"' << s.name << "\" (" << s.bounds.left << ", " << s.bounds.top << ", " << s.bounds.right << ", "
        << s.bounds.bottom << ")";
}

// Every object by list, type and number: its name and bounding rectangle.
std::map<std::string, Shape> Shapes(CQuillomerDoc& doc)
{
    std::map<std::string, Shape> all;
    for (int32_t category = CAT_FIRST; category <= CAT_LAST; ++category) {
        int index = 0;
        for (CBaseDevice* obj : doc.GetList(category))
            all[StrFormat("%d/%u/%d/%d", category, obj->GetType(), obj->GetNumber(), index++)] = {
                obj->m_name, obj->GetBoundingRect()};
    }
    return all;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The status bar's pane that tells which project is connected.
QString ConnectionPane(CMainFrame* frame)
{
    for (QLabel* pane : frame->statusBar()->findChildren<QLabel*>())
        if (pane->text().contains(QStringLiteral("QUILLOMER verbunden")))
            return pane->text();
    return {};
}

// The program started in German without a project, on the link tests' own
// settings store, with a new project that saves to `path`.
class ProgramOnTheLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.GetMainFrame();
        tpl = app.GetDocTemplate();
        tpl->SetSavePathChooser([this](CQuillomerDoc*, const QString&) { return path; });
        doc = tpl->OpenDocumentFile(QString());
        ASSERT_NE(nullptr, doc);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (tpl)
            tpl->CloseAllDocuments();
        serialtest::SetDevicePath(kPort, {});
    }

    SettingsSandbox settings;
    Messages messages;
    DialogWatch dialogs;  // a new project asks for its project data: left as it is
    struct Profiles {
        Profiles()
        {
            SetProfile(QStringLiteral("COMSECTION/PORT"), {});
            SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
            SetProfile(QStringLiteral("Configuration/StayOnline"), {});
            SetProfile(QStringLiteral("Settings/Language"), QStringLiteral("German"));
            SetProfile(QStringLiteral("Configuration/ShellCommand"), 0);
        }
    } profiles;
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Halle.qlx"));
    CQuillomerApp app;
    CMainFrame* frame = nullptr;
    CDocTemplate* tpl = nullptr;
    CQuillomerDoc* doc = nullptr;
};
using DayOfWorkSim = ProgramOnTheLink;
using ShellConnectedSaveAs = ProgramOnTheLink;
using SheetUploadSim = ProgramOnTheLink;

}  // namespace

TEST_F(DayOfWorkSim, SavedProjectHoldsOnlyWhatTheUserChanged)
{
    // Yesterday: a new project with a condition on the interface card's
    // input INP1, saved.
    ASSERT_EQ(doc, frame->GetActiveDocument());
    auto* card = dynamic_cast<CInterfaceSlot*>(doc->GetList(CAT_INTERFACE).front());
    ASSERT_NE(nullptr, card);
    card->SetHoverConnectors(2, -1);
    ASSERT_EQ(1, card->OnCommand(interfaceslot::CmdInp1));
    auto* pad = dynamic_cast<CControlPad*>(doc->GetList(CAT_DIGITAL_IO).back());
    ASSERT_NE(nullptr, pad);
    // Beside the card's third input, 16 units high, well below the sheet's top.
    const CRect padBounds = pad->GetBoundingRect();
    EXPECT_EQ(CRect(1777, 2410, 1933, 2426), padBounds);
    auto* cond = new CCondition;
    ASSERT_EQ(1, cond->Create(condkind::Inp, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0,
                              3, doc));
    doc->AddObject(cond, CAT_DIGITAL_IO);
    cond->SetValue(condkey::Object, pad->GetNumber());
    ASSERT_EQ(pad, cond->GetOutLinkAtKey(0)->partner);
    // The keyword the device last reported, as an earlier upload left it: an
    // upload takes it in, and that is no change of the design.
    cond->ParseValue(condkey::Keyword, "INP");
    const int32_t padNumber = pad->GetNumber();
    frame->FindMenuAction(ids::FileSave)->trigger();
    tpl->CloseAllDocuments();

    // This morning: English, the project opened and dated as the project data
    // dialog dates it, saved.
    frame->FindMenuAction(ids::LanguageEnglish)->trigger();
    ASSERT_TRUE(app.IsEnglishResources());
    doc = tpl->OpenDocumentFile(path);
    ASSERT_NE(nullptr, doc);
    auto nameOf = [this](uint32_t type, int32_t number) {
        const CBaseDevice* o = doc->GetIDManager().GetBaseDevice(number, type);
        return o ? o->m_name : std::string("(none)");
    };
    auto expectDayNames = [&](const char* when) {
        EXPECT_EQ("Macro", nameOf(OT_MACRO_OBJECT, 1)) << when;
        EXPECT_EQ("Condition", nameOf(OT_CONDITION_OBJECT, 1)) << when;
        EXPECT_EQ("Calendar", nameOf(OT_CAL_OBJECT, 1)) << when;
        EXPECT_EQ("Trigger", nameOf(OT_TRIGGER_OBJECT, 1)) << when;
        for (int32_t n = 1; n <= 10; ++n)
            EXPECT_EQ(StrFormat("Collective call %d", n), nameOf(OT_COLLECTION_CALL, n)) << when;
        const CBaseDevice* contact = doc->GetIDManager().GetBaseDevice(padNumber, OT_CONTROL_PAD);
        ASSERT_NE(nullptr, contact) << when;
        EXPECT_EQ(padBounds, contact->GetBoundingRect()) << when;
    };
    expectDayNames("opened in English");
    const QDate dated(2026, 12, 7);
    const std::string dateText = QLocale().toString(dated, QLocale::ShortFormat).toStdString();
    doc->m_data.dateText = dateText;
    doc->m_data.projectDate = static_cast<uint32_t>(QDateTime(dated, QTime(0, 0)).toSecsSinceEpoch());
    frame->FindMenuAction(ids::FileSave)->trigger();
    ASSERT_FALSE(doc->IsModified());
    const QByteArray morning = Bytes(path);
    ASSERT_FALSE(morning.isEmpty());
    const std::map<std::string, Shape> opened = Shapes(*doc);
    tpl->CloseAllDocuments();

    // The project opened again.
    doc = tpl->OpenDocumentFile(path);
    ASSERT_NE(nullptr, doc);
    QApplication::processEvents();
    ASSERT_EQ(doc, frame->GetActiveDocument());
    expectDayNames("opened again");
    EXPECT_EQ(opened, Shapes(*doc)) << "opened again";
    EXPECT_EQ(dateText, doc->m_data.dateText);

    // Down to the device and back up, through the menu's commands; the
    // parameter groups are chosen as the user would tick all of them.
    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    ASSERT_NE(nullptr, link);
    ICommLinkHost& windows = link->Host();
    TestHost host;
    link->SetHost(&host);
    Simulator sim;
    sim.lineRate = false;  // the faults do not depend on the line's pace
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    QAction* connect = frame->FindMenuAction(commid::Connect);
    ASSERT_NE(nullptr, connect);
    connect->trigger();
    ASSERT_TRUE(link->IsConnected());
    ASSERT_TRUE(sim.AwaitReceivedEnd("/COMM/ECHO ON\r\n"));
    ASSERT_TRUE(link->SetSettings(QStringLiteral("921600,n,8,1")));
    for (int direction : {1, 0}) {
        host.paramSelect = [this, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = CollectParameterGroupObjects(*doc, kAllObjectGroups);
            return true;
        };
        messages.texts.clear();
        QAction* transfer = frame->FindMenuAction(commid::TransferParameters);
        ASSERT_NE(nullptr, transfer);
        ASSERT_TRUE(transfer->isEnabled());
        transfer->trigger();
        Pump(100);
        if (direction == 1) {
            EXPECT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
        }
    }
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"Upload finished ! If necessary, check the '*.err' file for differences !\""}))
        << "the device holds what was sent";
    EXPECT_FALSE(doc->IsModified()) << "an upload that read back what the project holds marked it";
    frame->OnCmdMsg(commid::Disconnect);
    Pump(100);
    link->SetHost(&windows);
    EXPECT_EQ(opened, Shapes(*doc)) << "after the transfers";

    // Back to German, and saved.
    frame->FindMenuAction(ids::LanguageToGerman)->trigger();
    ASSERT_FALSE(app.IsEnglishResources());
    EXPECT_EQ(opened, Shapes(*doc)) << "after the language switch";
    expectDayNames("after the language switch");
    EXPECT_EQ(dateText, doc->m_data.dateText);
    ASSERT_TRUE(QFile::remove(path));  // what is compared is what this save writes
    frame->FindMenuAction(ids::FileSave)->trigger();
    EXPECT_TRUE(Bytes(path) == morning) << "the file differs from the morning's";
}

TEST_F(ShellConnectedSaveAs, TheConnectionPaneNamesTheProjectByItsNewName)
{
    frame->FindMenuAction(ids::FileSave)->trigger();
    ASSERT_EQ("Halle", doc->GetProjectName());

    Simulator sim;
    sim.lineRate = false;
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    frame->FindMenuAction(commid::Connect)->trigger();
    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    ASSERT_NE(nullptr, link);
    ASSERT_TRUE(link->IsConnected());
    ASSERT_TRUE(sim.AwaitReceivedEnd("/COMM/ECHO ON\r\n"));
    EXPECT_EQ(QStringLiteral("Projekt 'Halle' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    path = dir.filePath(QStringLiteral("Foyer.qlx"));
    frame->FindMenuAction(ids::FileSaveAs)->trigger();
    ASSERT_EQ("Foyer", doc->GetProjectName());
    EXPECT_EQ(QStringLiteral("Projekt 'Foyer' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    // A plain save under the same name leaves it so.
    frame->FindMenuAction(ids::FileSave)->trigger();
    EXPECT_EQ(QStringLiteral("Projekt 'Foyer' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    frame->OnCmdMsg(commid::Disconnect);
    Pump(100);
}

// A zone read back from a device whose values differ from the design, once
// through the sheet's menu and once through the upload of its parameter
// group: the message an answer raises ("Audioausgänge ... (2 -> 1)!") is
// shown before the upload's end, and while the user reads it the answers to
// the queries already sent come in (the sheet's sends them all at once; the
// whole upload sends the next once the last has left). The upload ends well,
// takes the test values, and its difference file names the amplifier channel.
TEST_F(SheetUploadSim, AMessageAnAnswerRaisesKeepsNoAnswerFromBeingRead)
{
    frame->showNormal();
    frame->resize(1280, 900);
    QApplication::processEvents();
    CQuillomerView* view = frame->GetActiveView();
    ASSERT_NE(nullptr, view);
    const CRelaisTopology::DialogFn previousDialog = CRelaisTopology::SetDialog(nullptr);
    CRelaisTopology* topology = AddOneInN(*doc, 2);
    CRelaisTopology::SetDialog(previousDialog);
    ASSERT_NE(nullptr, topology);
    CZone* zone = topology->GetZones().at(0);
    frame->FindMenuAction(ids::FileSave)->trigger();
    const QString errFile = dir.filePath(QStringLiteral("Halle.err"));

    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    ASSERT_NE(nullptr, link);
    ICommLinkHost& windows = link->Host();
    TestHost host;
    link->SetHost(&host);
    Simulator sim;  // at the line rate: the answers come one after the other
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    frame->FindMenuAction(commid::Connect)->trigger();
    ASSERT_TRUE(link->IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(sim, *link));

    // The user's right click on the zone's symbol and a command of its menu.
    auto fromSheet = [&](uint32_t command) {
        menutest::MenuPick pick;
        pick.choose = command;
        const CRect r = zone->GetRect();
        const CPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        view->ScrollToPosition(view->LogicalToClient(centre) + view->GetScrollPosition() - QPoint(200, 200));
        QApplication::processEvents();
        const QPoint at = view->LogicalToClient(centre);
        view->HandleMouseMove(Qt::NoButton, at);
        view->HandleMouseMove(Qt::NoButton, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &click);
        EXPECT_TRUE(pick.Shows("Upload")) << testing::PrintToString(pick.entries);
    };
    fromSheet(zonecmd::Download);  // the device holds the design
    ASSERT_TRUE(AwaitDeviceHasAll(sim, *link));
    const std::string design = zone->GetAttributeText(zoneattr::Output);

    const struct {
        const char* name;
        bool whole;  // the upload of the parameter group instead of the sheet's menu
        const char* readWhileOpen;  // the answer that comes while the message is open
    } rows[] = {{"sheet", false, "-30"}, {"whole upload", true, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        zone->SetAttributeText(zoneattr::TestVolume, "-20");
        for (const char* line : {"/KVT/ZONE1/OUTPUT 2", "/KVT/ZONE1/AMPCHAN 61", "/KVT/ZONE1/TESTVOL -30"})
            link->SendLine(line, doc);
        ASSERT_TRUE(AwaitDeviceHasAll(sim, *link));
        messages.texts.clear();
        // The user reads the message for a while: the answers behind it come in meanwhile.
        const std::string differ = "Audioausgänge für Linie " + zone->GetName() + " stimmen nicht überein! (2 -> " +
                                   design + ")!";
        bool readWhileOpen = false;
        messages.onShown = [&] {
            if (messages.texts.back() == differ && row.readWhileOpen)
                readWhileOpen = serialtest::PumpUntil(
                    [&] { return zone->GetAttributeText(zoneattr::TestVolume) == row.readWhileOpen; }, 3000);
        };
        if (row.whole) {
            host.paramSelect = [&](ParamSelection& sel) {
                sel.direction = 0;
                sel.objects = {zone};
                return true;
            };
            frame->FindMenuAction(commid::TransferParameters)->trigger();
        } else {
            fromSheet(zonecmd::Upload);
        }
        messages.onShown = nullptr;
        EXPECT_TRUE(readWhileOpen || !row.readWhileOpen);
        std::vector<std::string> said = {differ};
        if (row.whole)
            said.push_back("Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\"");
        EXPECT_EQ(said, messages.texts);
        EXPECT_EQ("-30", zone->GetAttributeText(zoneattr::TestVolume));
        EXPECT_EQ("Linie 1 : 61 fehlt\r\n", ReadFile(errFile));
    }
    frame->OnCmdMsg(commid::Disconnect);
    Pump(100);
    link->SetHost(&windows);
}
