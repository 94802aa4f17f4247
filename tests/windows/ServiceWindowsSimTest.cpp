// The service windows over the real device link, against the device
// simulator: what each window shows is what the device reports, and what it
// sends arrives whole.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include <QComboBox>
#include <QDir>
#include <QTreeWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "comm/CommTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/qt/ModalAnswer.h"
#include "support/qt/TypeAsKeyboard.h"
#include "logic/CReadyInput.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "platform/StringTable.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "hardware/CInternalSlot.h"
#include "model/CIDManager.h"
#include "model/DocContext.h"
#include "service/CEventLog.h"
#include "service/CFuse.h"
#include "service/windows/CEventLogFrm.h"
#include "service/windows/CEventLogView.h"
#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFaultDlgView.h"
#include "service/windows/CFaultTextDlg.h"
#include "logic/CGlobalReadyInput.h"
#include "audio/windows/CPowerFrm.h"
#include "service/windows/CFuseFrm.h"
#include "service/windows/CFuseView.h"
#include "audio/windows/CPilotFrm.h"
#include "ui/UiIds.h"
#include "service/windows/CHardwareDlgFrm.h"
#include "service/windows/CHardwareDlgTreeView.h"
#include "service/windows/CServiceDlg.h"
#include "service/windows/CSystemConfigDlg.h"
#include "service/windows/CZonetestFrm.h"
#include "service/windows/CZonetestPropDlg.h"
#include "service/windows/CZonetestView.h"
#include "service/CZonetestObject.h"
#include "ui/CValueEdit.h"
#include "service/windows/ServiceWindowIds.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CObjectDlg.h"

#include <QAction>
#include <QToolBar>

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
class ServiceWindowsSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    ServiceWindowsSim() { SetProfile(QStringLiteral("Configuration/ErrorLogReplaceID"), 1); }
    void SetUp() override { Attach(1, QStringLiteral("Service.qlx")); }
    void Connect(const QStringList& simArgs)
    {
        ConnectedSimSession::Connect(simArgs);
        messages.texts.clear();  // the connection's own notices
    }
    void Disconnect()
    {
        link.ClosePort();
        sim.Stop();
    }
    void TearDown() override { Detach(); }
    template <class T>
    T* Object(uint32_t type)
    {
        return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
    }
    std::string EventFile() const { return ReadFile(QString::fromStdString(doc.GetPathName() + ".events")); }
};
}  // namespace

TEST_F(ServiceWindowsSim, EventLogReadsRewritesAndKeepsEntriesAcrossOpenings)
{
    // A file named like the project with ".events" instead of ".qlx" is not
    // the event file: it stays where it is, as it is.
    {
        QFile legacy(dir.filePath(QStringLiteral("Service.events")));
        ASSERT_TRUE(legacy.open(QIODevice::WriteOnly));
        legacy.write("01.12.26 09:00:00 KVT 1 old entry\r\n");
    }
    Connect({QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:00 KVT 1 CALL from cons3"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:01 KVT 1 FAULT ON AMP 5"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:02 KVT 1 KVT# MACRO 999999"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:03 KVT 1 START MACRO 999999"),
             QStringLiteral("-e"), QStringLiteral("event too short")});
    {
        CEventLogFrm frame;
        CEventLogView* view = frame.GetView();
        ASSERT_TRUE(view->IsEventFileOpen());
        EXPECT_TRUE(PumpUntil([&] { return view->GetEntryList()->toPlainText().count(QLatin1Char('\n')) == 5; },
                              kArrivalMs))
            << view->GetEntryList()->toPlainText().toStdString();
        // Newest first on the screen; oldest first in the file, with the rewritten texts.
        EXPECT_TRUE(view->GetEntryList()->toPlainText().startsWith(QLatin1String("too short\n")));
        EXPECT_EQ("01.12.26 10:00:00 KVT 1 CALL from console 3\r\n"
                  "01.12.26 10:00:01 KVT 1 AMP 5 FAILURE\r\n"
                  "01.12.26 10:00:02 KVT 1 KVT# MACRO 999999\r\n"
                  "01.12.26 10:00:03 KVT 1 START macro 999999\r\n"
                  "too short\r\n",
                  EventFile());
        EXPECT_EQ(0, view->GetEntriesToRead());
        // A count the device gives that is no whole number of entries is not
        // taken: a negative one would keep the window from ever asking again.
        for (const char* answer : {"/EVENT/LOG/ENTRIES -1", "/EVENT/LOG/ENTRIES 2.5", "/EVENT/LOG/ENTRIES 3x"}) {
            std::vector<std::string> answers{answer};
            view->OnLinkAnswer(0, answers);
            EXPECT_EQ(0, view->GetEntriesToRead()) << answer;
        }
    }
    EXPECT_EQ("01.12.26 09:00:00 KVT 1 old entry\r\n",
              ReadFile(dir.filePath(QStringLiteral("Service.events"))));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Opened again, later entries join the same file; the earlier ones stay.
    Disconnect();
    Connect({QStringLiteral("-e"), QStringLiteral("event 01.12.26 11:00:00 KVT 1 RESET")});
    {
        CEventLogFrm frame;
        EXPECT_TRUE(PumpUntil([&] { return EventFile().find("RESET") != std::string::npos; }, kArrivalMs));
    }
    EXPECT_EQ(0u, EventFile().find("01.12.26 10:00:00 KVT 1 CALL from console 3\r\n"));
    EXPECT_NE(std::string::npos, EventFile().find("too short\r\n01.12.26 11:00:00 KVT 1 RESET\r\n"));
}

TEST_F(ServiceWindowsSim, EventLogMasksTravelInBlocksAndComeBack)
{
    Connect({});
    auto* log = Object<CEventLog>(OT_EVENT_LOG);
    ASSERT_NE(nullptr, log);
    // A macro mask that leaves no room for the other lines in one block.
    std::string macros;
    for (int n = 1; n <= 250 && macros.size() < 470; n += 2)
        macros += (macros.empty() ? "" : ",") + std::to_string(n);
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    view->GetCategoryBox(9)->click();  // "Rekorder"
    view->GetCategoryBox(10)->click(); // "DCF"
    EXPECT_EQ("RECORDER,DCF", log->GetValue(0));
    log->SetValue(3, macros);
    log->SetValue(4, "ALL");
    frame.OnCommand(CEventLogFrm::kDownload);
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().find("/EVENT/LOG/MASK/VIRTCTRL/ON NONE\r\n") != std::string::npos; },
                          kArrivalMs));
    EXPECT_NE(std::string::npos, sim.Received().find("/EVENT/LOG/MASK/MACRO/ON " + macros + "\r\n"));

    // The upload brings the device's masks back into the project and the page.
    log->SetValue(0, "NONE");
    log->SetValue(3, "NONE");
    view->RefreshMasks();
    EXPECT_FALSE(view->GetCategoryBox(9)->isChecked());
    frame.OnCommand(CEventLogFrm::kUpload);
    EXPECT_TRUE(PumpUntil([&] { return view->GetCategoryBox(9)->isChecked(); }, kArrivalMs));
    EXPECT_EQ(macros, log->GetValue(3));
    EXPECT_EQ("Alle", view->GetSummary(3)->text().toStdString());
    EXPECT_TRUE(messages.texts.empty());

}

// A device that holds only some of the masks refuses the others ("PATH ? "):
// the project keeps its own, and the page shows the masks that came. Masks
// the project cannot hold as the device gives them (a word no audio word is,
// a macro beyond the table) stay the project's too, named in the window's
// difference file.
TEST_F(ServiceWindowsSim, EventLogMasksTheDeviceRefusesStayAsTheProjectHoldsThem)
{
    Connect({QStringLiteral("-e"), QStringLiteral("set /EVENT/LOG/MASK/ON DCF"), QStringLiteral("-e"),
             QStringLiteral("set /EVENT/LOG/MASK/AUDIO/ON ALARM,XYZ"), QStringLiteral("-e"),
             QStringLiteral("set /EVENT/LOG/MASK/MACRO/ON 999")});
    auto* log = Object<CEventLog>(OT_EVENT_LOG);
    ASSERT_NE(nullptr, log);
    log->SetValue(0, "RECORDER");
    log->SetValue(9, "1-3");
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    ASSERT_TRUE(view->GetCategoryBox(9)->isChecked());
    frame.OnCommand(CEventLogFrm::kUpload);
    // The last answer of the block is the device's refusal of the last mask.
    ASSERT_TRUE(PumpUntil([&] { return sim.Sent().find("/EVENT/LOG/MASK/VIRTCTRL/ON ? ") != std::string::npos; },
                          kArrivalMs));
    Pump(300);
    EXPECT_TRUE(view->GetCategoryBox(10)->isChecked());
    EXPECT_FALSE(view->GetCategoryBox(9)->isChecked());
    EXPECT_EQ("1-3", log->GetValue(9));
    EXPECT_EQ("1-3", view->GetSummary(4)->text().toStdString());
    EXPECT_EQ("NONE", log->GetValue(1));
    EXPECT_EQ("NONE", log->GetValue(3));
    EXPECT_EQ("ERROR: /EVENT/LOG/MASK/AUDIO/ON >>ALARM,XYZ<< should be >>NONE<<\r\n"
              "ERROR: /EVENT/LOG/MASK/MACRO/ON >>999<< should be >>NONE<<\r\n",
              ReadFile(dir.filePath(QStringLiteral("Service.err"))));
}

// The five "..." choosers of the mask page, by mouse: a click on a chosen
// row ("Kein Eintrag" among them) takes it away, a clicked row is chosen, and
// the device gets the choice with the download.
TEST_F(ServiceWindowsSim, EventLogChoosersTakeAClickedRowAwayAndTheDeviceGetsTheChoice)
{
    for (int n = 1; n <= 3; ++n)
        for (auto [object, kind, category] :
             {std::tuple<CBaseDevice*, uint32_t, int32_t>{new CMacro, macrotype::Buzzer, CAT_MACRO},
              {new CReadyInput, CReadyInput::kKindId, CAT_DIGITAL_IO},
              {new CVirtCtrlItem, CVirtCtrlItem::kKindId, CAT_DIGITAL_IO}}) {
            ASSERT_EQ(1, object->Create(kind, StrFormat("obj %d", n), n, category, &doc));
            doc.AddObject(object, category);
        }
    Connect({});
    auto* log = Object<CEventLog>(OT_EVENT_LOG);
    ASSERT_NE(nullptr, log);
    log->SetValue(1, "ALARM,CHIME");
    CEventLogFrm frame;
    frame.resize(900, 640);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CEventLogView* view = frame.GetView();
    QTabBar* tabs = view->GetTabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_TRUE(view->GetCategoryBox(5)->isVisible());

    // Ticks the category's box, opens its "...", clicks the rows named (each
    // once, in turn) and OK; gives the rows chosen when the dialog opened.
    auto choose = [&](int category, const char* button, const QStringList& rows) {
        QCheckBox* box = view->GetCategoryBox(category);
        if (!box->isChecked())
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        EXPECT_TRUE(box->isChecked());
        QStringList preset;
        auto* more = view->findChild<QPushButton*>(QString::fromLatin1(button));
        EXPECT_TRUE(more && more->isEnabled());
        if (!more)
            return preset;
        AnswerDialogOpenedBy<CSelectionDlg>([&] { QTest::mouseClick(more, Qt::LeftButton); }, [&](CSelectionDlg& dlg) {
            CEditListCtrl* list = dlg.List();
            QList<int> chosen;
            list->GetSelectedItems(&chosen);
            for (int r : chosen)
                preset << list->GetItemText(r, 0);
            for (const QString& text : rows)
                for (int r = 0; r < list->GetItemCount(); ++r)
                    if (list->GetItemText(r, 0) == text)
                        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(r).center());
            for (QPushButton* b : dlg.findChildren<QPushButton*>())
                if (b->text() == QLatin1String("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        return preset;
    };
    EXPECT_EQ(QStringList{"Kein Eintrag"}, choose(5, "1682", {"Kein Eintrag", "obj 2"}));
    EXPECT_EQ("2", log->GetValue(3));
    EXPECT_EQ("2", view->GetSummary(2)->text().toStdString());
    EXPECT_EQ(QStringList{"Kein Eintrag"}, choose(8, "1681", {"Kein Eintrag", "obj 3", "obj 1"}));
    EXPECT_EQ("1,3", log->GetValue(4));
    // A number chosen by mistake is taken away again with a second click.
    EXPECT_EQ(QStringList{"Kein Eintrag"}, choose(12, "1728", {"obj 1", "obj 2", "obj 1"}));
    EXPECT_EQ("2", log->GetValue(9));
    EXPECT_EQ((QStringList{"Alarm", "Gong"}), choose(0, "1683", {"Alarm"}));
    EXPECT_EQ("CHIME", log->GetValue(1));
    EXPECT_EQ(QStringList{"Kein Eintrag"}, choose(1, "1539", {"LMZ Karten"}));
    EXPECT_EQ("LMZ", log->GetValue(2));
    // "Linienerdschluß" chosen: "Erdschluß", a part of its text, is no part of the choice.
    EXPECT_EQ(QStringList{"LMZ Karten"}, choose(1, "1539", {"Linienerdschluß"}));
    EXPECT_EQ("LMZ,ZONEGNDFLT", log->GetValue(2));
    // OK on what it opens on keeps the mask, and nothing is to be saved.
    doc.SetModifiedFlag(false);
    EXPECT_EQ((QStringList{"LMZ Karten", "Linienerdschluß"}), choose(1, "1539", {}));
    EXPECT_EQ("LMZ,ZONEGNDFLT", log->GetValue(2));
    EXPECT_FALSE(doc.IsModified());
    // And back to none: the chosen row clicked away, then the none row.
    EXPECT_EQ(QStringList{"obj 2"}, choose(5, "1682", {"obj 2", "Kein Eintrag"}));
    EXPECT_EQ("NONE", log->GetValue(3));
    EXPECT_EQ(QStringList{"Kein Eintrag"}, choose(5, "1682", {"obj 3"}));
    EXPECT_EQ("3", log->GetValue(3));

    QWidget* download = frame.GetCommandBar()->widgetForAction(frame.GetAction(CEventLogFrm::kDownload));
    ASSERT_NE(nullptr, download);
    const size_t mark = sim.Received().size();
    QTest::mouseClick(download, Qt::LeftButton);
    ASSERT_TRUE(PumpUntil(
        [&] { return sim.Received().find("/EVENT/LOG/MASK/VIRTCTRL/ON 2\r\n", mark) != std::string::npos; }, kArrivalMs));
    const std::string sent = sim.Received().substr(mark);
    for (const char* line :
         {"/EVENT/LOG/MASK/ON MACRO,READYINP,VIRTCTRL,AUDIO,FAULT\r\n", "/EVENT/LOG/MASK/AUDIO/ON CHIME\r\n",
          "/EVENT/LOG/MASK/MACRO/ON 3\r\n", "/EVENT/LOG/MASK/FAULT/ON LMZ,ZONEGNDFLT\r\n",
          "/EVENT/LOG/MASK/READYINP/ON 1,3\r\n", "/EVENT/LOG/MASK/VIRTCTRL/ON 2\r\n"})
        EXPECT_NE(std::string::npos, sent.find(line)) << line << " in " << sent;
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(ServiceWindowsSim, FaultFuseHardwareAndServiceWindowsShowWhatTheDeviceReports)
{
    QStringList args;
    for (const char* preset :
         {"/FAULT/ACTIVE AMP,LMZ", "/FAULT/STATE TRUE", "/FAULT/MANUAL OFF", "/FUSE/SLOT2/B/BLOWN YES",
          "/FUSE/AMP485/COOLING YES", "/FUSE/AMP485/VALUE 1", "/FUSE/SLOT1/A/VALUE 7", "/FUSE/SLOT1/B/VALUE 2.5",
          "/FUSE/SLOT2/A/VALUE 1,5", "/AMP/AVLBL 0-2,1f",
          "/AMP/ADR1F/NAME Halle", "/AMP/ADR1F/TYPE V500", "/AMP/ADR1F/VER 2.1", "/SLOT1/MODULE AUDIO IN",
          "/SLOT2/MODULE AUDIO IN", "/SLOT3/MODULE NONE", "/SLOT4/MODULE AUDIO OUT", "/SLOT5/MODULE CPU",
          "/SERVICE/ONCOUNT 17", "/SERVICE/ONTIME 1234:56", "/SERVICE/SPI3/IN 0x1F", "/CONS/CONNECTED NONE"})
        args << QStringLiteral("-e") << QStringLiteral("set %1").arg(QLatin1String(preset));
    Connect(args);

    // Faults: the active sources and the relay follow the device; acknowledging clears the relay.
    {
        CFaultDlgFrm frame;
        CFaultDlgView* view = frame.GetView();
        EXPECT_TRUE(view->GetTimer().isActive());
        view->Poll();
        EXPECT_TRUE(view->GetActiveIcon(0)->isVisibleTo(view)) << "LMZ";
        EXPECT_TRUE(view->GetActiveIcon(1)->isVisibleTo(view)) << "AMP";
        EXPECT_FALSE(view->GetActiveIcon(2)->isVisibleTo(view));
        EXPECT_TRUE(view->IsRelayShownActive());
        view->GetAckButton()->click();
        view->GetManualButton()->click();
        view->Poll();
        EXPECT_FALSE(view->IsRelayShownActive());
        EXPECT_TRUE(view->GetManualButton()->isChecked());
        EXPECT_NE(std::string::npos, sim.Received().find("/FAULT/STATE QUIT\r\n"));
        // A word that is no state of the manual fault leaves the button down.
        link.SendLine("/FAULT/MANUAL 1,5", nullptr);
        AwaitDeviceHasAll();
        view->Poll();
        EXPECT_TRUE(view->GetManualButton()->isChecked());
    }

    // Fault texts: five of up to 16 characters go down with the delay and come back.
    {
        CFaultTextDlg texts;
        ASSERT_EQ(18, texts.GetList()->rowCount());
        EXPECT_TRUE(texts.OnEndLabelEdit(0, QStringLiteral("Brandmeldezentr.")));
        EXPECT_FALSE(texts.OnEndLabelEdit(1, QStringLiteral("Siebzehn Zeichen!")));
        EXPECT_TRUE(messages.Contains("Text ist zu lang!"));
        EXPECT_FALSE(texts.OnEndLabelEdit(6, QStringLiteral("fest"))) << "the built-in texts stay";
        texts.GetDelay()->setText(QStringLiteral("2.5"));
        texts.Transfer(false);
        EXPECT_NE(std::string::npos, sim.Received().find("TEXT1 Brandmeldezentr.\r\n"));
        auto* readyInput = Object<CGlobalReadyInput>(OT_GLOBAL_READY_INPUT);
        readyInput->SetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 0), "anders");
        readyInput->SetFloatValue(CGlobalReadyInput::MaskTime, 9.0f);
        texts.LoadTexts();
        texts.Transfer(true);
        EXPECT_EQ(QLatin1String("Brandmeldezentr."), texts.GetList()->item(0, 1)->text());
        EXPECT_EQ(QLatin1String("2.5"), texts.GetDelay()->text());
        messages.texts.clear();
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Fuses: tripped and cooling fuses light up; an upload takes the steps the lists offer only.
    {
        CFuseFrm frame;
        CFuseView* view = frame.GetView();
        view->Poll();
        EXPECT_TRUE(PumpUntil([&] { return view->GetCoolingText(4)->isEnabled(); }, kArrivalMs));
        EXPECT_TRUE(view->GetTrippedText(3)->isEnabled());
        EXPECT_FALSE(view->GetTrippedText(0)->isEnabled());
        frame.OnCommand(CFuseFrm::kUpload);
        EXPECT_TRUE(PumpUntil([&] { return view->GetStepList(4)->currentText() == QLatin1String("330"); }, kArrivalMs));
        auto* fuse = Object<CFuse>(OT_FUSE);
        EXPECT_EQ(1, fuse->m_steps[CFuse::Amp485]);
        EXPECT_EQ(CFuse::kDefaultStep, fuse->m_steps[CFuse::Slot1A]) << "step 7 is no step";
        EXPECT_EQ(CFuse::kDefaultStep, fuse->m_steps[CFuse::Slot1B]) << "nor is 2.5";
        EXPECT_EQ(CFuse::kDefaultStep, fuse->m_steps[CFuse::Slot2A]) << "nor 1,5";
        EXPECT_EQ(QLatin1String("990"), view->GetStepList(1)->currentText());
        // The window's upload names them in its own difference file, as the whole upload does.
        const QString errFile = dir.filePath(QStringLiteral("Service.err"));
        EXPECT_EQ("ERROR: /FUSE/SLOT1/A/VALUE >>7<< should be >>3<<\r\n"
                  "ERROR: /FUSE/SLOT1/B/VALUE >>2.5<< should be >>3<<\r\n"
                  "ERROR: /FUSE/SLOT2/A/VALUE >>1,5<< should be >>3<<\r\n",
                  ReadFile(errFile));
        EXPECT_EQ(errFile.toStdString(), host.editorFiles.empty() ? std::string() : host.editorFiles.back());
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Hardware: the slots at once, then the amplifiers with the details of one.
    {
        CHardwareDlgFrm frame;
        CHardwareDlgTreeView* tree = frame.GetView();
        ASSERT_EQ(5, tree->topLevelItemCount());
        EXPECT_EQ(QLatin1String("Slot3: NONE"), tree->topLevelItem(2)->text(0));
        frame.OnCommand(servicewinid::ScanAmplifiers);
        ASSERT_EQ(4, tree->topLevelItemCount());
        QTreeWidgetItem* amp = tree->topLevelItem(3);
        EXPECT_EQ(QStringLiteral("Verstärker 1f"), amp->text(0));
        EXPECT_EQ(31, amp->data(0, Qt::UserRole).toInt());
        amp->setExpanded(true);
        EXPECT_FALSE(amp->isExpanded()) << "only the selected device expands";
        tree->setCurrentItem(amp);
        amp->setExpanded(true);
        EXPECT_EQ(QLatin1String("Halle"), amp->child(0)->text(0));
        EXPECT_EQ(QLatin1String("V500"), amp->child(1)->text(0));
        EXPECT_EQ(QLatin1String("2.1"), amp->child(2)->text(0));
        frame.OnCommand(servicewinid::ScanConsoles);
        ASSERT_EQ(1, tree->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("Keine Sprechstellen vorhanden!"), tree->topLevelItem(0)->text(0));
    }

    // Zone test: measuring is unlocked by its button only; the properties store clamped values at once.
    {
        CZonetestFrm frame;
        CZonetestView* view = frame.GetView();
        EXPECT_FALSE(view->GetButton(1694)->isEnabled());
        EXPECT_FALSE(view->GetNote()->isVisibleTo(view));
        ASSERT_TRUE(view->GetMeasureToggle()->isEnabled());
        view->GetMeasureToggle()->click();
        EXPECT_TRUE(view->GetButton(1694)->isEnabled());
        EXPECT_TRUE(view->GetNote()->isVisibleTo(view));
        // "Linienmessung" schedules the daily test in the project and unlocks its controls.
        auto* lineTest = view->findChild<QCheckBox*>(QStringLiteral("1697"));
        auto* display = view->findChild<QComboBox*>(QStringLiteral("1698"));
        ASSERT_TRUE(lineTest && display);
        EXPECT_FALSE(display->isEnabled());
        lineTest->click();
        EXPECT_TRUE(display->isEnabled());
        auto* zt = Object<CZonetestObject>(OT_ZONETEST_OBJECT);
        EXPECT_NE(0, zt->GetScheduleValue(CZonetestObject::LineTestMacro));
        EXPECT_NE(0, zt->GetScheduleValue(CZonetestObject::StartAppointment));
        lineTest->click();
        EXPECT_EQ(0, zt->GetScheduleValue(CZonetestObject::LineTestMacro));
        EXPECT_EQ(0, zt->GetScheduleValue(CZonetestObject::StartAppointment));
        CZonetestPropDlg properties;
        properties.GetEdit(0)->setText(QStringLiteral("50000"));
        properties.StoreEdit(0);
        EXPECT_EQ(QLatin1String("23000.0"), properties.GetEdit(0)->text());
        properties.GetEdit(5)->setText(QStringLiteral("-3"));
        properties.StoreEdit(5);
        EXPECT_EQ(QLatin1String("OFF"), properties.GetEdit(5)->text());
        properties.reject();
        EXPECT_EQ("23000.0", Object<CZonetestObject>(OT_ZONETEST_OBJECT)->GetValue(CZonetestObject::TestFrequency))
            << "Cancel keeps what was entered";
    }

    // Service dialog: counters, version and registers come back through the Service object.
    DeviceList internalSlots;
    doc.GetIDManager().GetBaseDeviceListByKind(internalSlots, OT_INTERNAL_SLOT, internalslot::Service);
    ASSERT_FALSE(internalSlots.empty());
    auto* slot = dynamic_cast<CInternalSlot*>(internalSlots.front());
    {
        CServiceDlg dialog(slot);
        EXPECT_EQ(&dialog, static_cast<CServiceDlg*>(slot->m_openDialog));
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(80, dialog.GetRegisters()->columnWidth(column)) << column;
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetRegisters()->item(2, 1)->text() == QLatin1String("0x1F"); }, kArrivalMs));
        EXPECT_EQ(QLatin1String("17"), dialog.GetOnCount()->text());
        EXPECT_EQ(QLatin1String("1234:56"), dialog.GetOnTime()->text());
        EXPECT_EQ(QLatin1String("V0.800a rel 1.00"), dialog.GetVersion()->text());
        dialog.GetRegisters()->item(7, 0)->setText(QStringLiteral("5"));
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetRegisters()->item(7, 0)->text() == QLatin1String("5"); }, kArrivalMs));
        dialog.GetTests()->setCurrentText(QStringLiteral("SINESWEEP"));
        dialog.OnStartTest();
        EXPECT_TRUE(PumpUntil([&] { return sim.Received().find("START SINESWEEP\r\n") != std::string::npos; }, kArrivalMs));
    }
    EXPECT_EQ(nullptr, slot->m_openDialog);

    // The line lost with the fault window open: it shows no device state and
    // offers nothing that needs the device.
    CFaultDlgFrm frame;
    CFaultDlgView* view = frame.GetView();
    view->Poll();
    ASSERT_TRUE(view->GetActiveIcon(0)->isVisibleTo(view));
    CFuseFrm fuses;
    CEventLogFrm events;
    fuses.GetView()->Poll();
    ASSERT_TRUE(PumpUntil([&] { return fuses.GetView()->GetCoolingText(4)->isEnabled(); }, kArrivalMs));
    sim.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !IsDocConnected(); }, 8000));
    view->Poll();
    fuses.GetView()->Poll();
    events.GetView()->RequestEntries();
    EXPECT_FALSE(events.GetView()->GetTimer().isActive());
    EXPECT_FALSE(view->GetActiveIcon(0)->isVisibleTo(view) || view->GetTimer().isActive());
    EXPECT_FALSE(fuses.GetView()->GetCoolingText(4)->isEnabled() || fuses.GetView()->GetTimer().isActive());
    for (QAction* a : {frame.GetAction(CFaultDlgFrm::kUpload), frame.GetAction(CFaultDlgFrm::kDownload),
                       fuses.GetAction(CFuseFrm::kUpload), fuses.GetAction(CFuseFrm::kDownload),
                       events.GetAction(CEventLogFrm::kUpload), events.GetAction(CEventLogFrm::kDownload)})
        EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(view->GetManualButton()->isEnabled() || view->GetAckButton()->isEnabled());
}

TEST_F(ServiceWindowsSim, ConfigurationBrowserWalksTheDeviceTreeAndSavesIt)
{
    // The link hands the browser every line while it runs.
    struct BrowserHost : TestHost {
        void SystemConfigLine(const std::string& line, int) override
        {
            if (CSystemConfigDlg* dialog = CSystemConfigDlg::Running())
                dialog->OnReceiveLine(line);
        }
    } browserHost;
    link.SetHost(&browserHost);
    Connect({QStringLiteral("-e"), QStringLiteral("set /AUDIO/IN1/VOL 0.0"), QStringLiteral("-e"),
             QStringLiteral("set /AUDIO/IN2/VOL 3")});
    const QString previousDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    link.SetLinkState(linkstate::SystemConfig);
    {
        CSystemConfigDlg dialog;
        messages.answers.push_back(mb::IdYes);  // read the device
        dialog.ChooseSource();
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsReading(); }, 20000));
        const auto& lines = dialog.GetLines();
        const auto audio = std::find(lines.begin(), lines.end(), "/AUDIO ?");
        ASSERT_NE(lines.end(), audio);
        ASSERT_LT(audio + 4, lines.end());
        EXPECT_EQ("/AUDIO/IN1 ?", audio[1]) << "children follow their parent";
        EXPECT_EQ("/AUDIO/IN1/VOL ?", audio[2]);
        EXPECT_EQ("/AUDIO/IN2 ?", audio[3]);
        EXPECT_NE(std::string::npos, ReadFile(QStringLiteral("KVTResult.txt")).find("/AUDIO/IN1/VOL 0.0\r\n"));

        // The tree: "/" > AUDIO > IN1 > VOL; selecting the leaf shows its value, editing sends it.
        QTreeWidgetItem* root = dialog.GetTree()->topLevelItem(0);
        ASSERT_NE(nullptr, root);
        QTreeWidgetItem* audioNode = nullptr;
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == QLatin1String("AUDIO"))
                audioNode = root->child(i);
        ASSERT_NE(nullptr, audioNode);
        ASSERT_EQ(2, audioNode->childCount());
        QTreeWidgetItem* vol = audioNode->child(0)->child(0);
        ASSERT_NE(nullptr, vol);
        dialog.GetTree()->setCurrentItem(vol);
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetList()->item(0, 0)->text() == QLatin1String("0.0"); }, kArrivalMs));
        dialog.GetList()->item(0, 0)->setText(QStringLiteral("-6.0"));
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetList()->item(0, 0)->text() == QLatin1String("-6.0") &&
                                           sim.Sent().find("/AUDIO/IN1/VOL -6.0\r\n") != std::string::npos; },
                              kArrivalMs));

        // Saving writes one query per node, parents first.
        SetProfile(QStringLiteral("Configuration/KVT File"), dir.filePath(QStringLiteral("tree.txt")));
        dialog.SaveConfigFile();
        EXPECT_NE(std::string::npos,
                  ReadFile(dir.filePath(QStringLiteral("tree.txt"))).find("/AUDIO ?\r\n/AUDIO/IN1 ?\r\n/AUDIO/IN1/VOL ?\r\n"));

        // The line lost: the value cell opens no more for a value that could not go.
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        sim.Stop();
        QTableWidget* values = dialog.GetList();
        EXPECT_TRUE(PumpUntil([&] { return values->editTriggers() == QAbstractItemView::NoEditTriggers; }, kArrivalMs));
        const QPoint cell = values->visualItemRect(values->item(0, 0)).center();
        QTest::mouseClick(values->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(values->viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(nullptr, qobject_cast<QLineEdit*>(QApplication::focusWidget())) << "a value typed for no one";
        // Nor does Delete drop a branch whose children only the device could give back.
        QTreeWidget* tree = dialog.GetTree();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(audioNode).center());
        ASSERT_EQ(audioNode, tree->currentItem());
        QTest::keyClick(tree, Qt::Key_Delete);
        EXPECT_EQ(2, audioNode->childCount()) << "the branch deleted with the line gone";
    }
    link.SetLinkState(linkstate::Online);
    Disconnect();

    // A device that stops answering after the root and one more query: the
    // walk ends there with the tree of what came, and says so. Its answers
    // cannot be kept where a folder stands in the file's place: the message
    // names the file with its folder.
    Connect({QStringLiteral("-e"), QStringLiteral("at 23 silent")});
    QFile::remove(dir.filePath(QStringLiteral("KVTResult.txt")));
    EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("KVTResult.txt")));
    link.SetLinkState(linkstate::SystemConfig);
    {
        CSystemConfigDlg dialog;
        messages.answers.push_back(mb::IdYes);
        dialog.ChooseSource();
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsReading(); }, 20000));
        // The question, the file not written, then what became of the walk.
        EXPECT_EQ(3u, messages.texts.size()) << testing::PrintToString(messages.texts);
        messages.texts.resize(3);
        EXPECT_EQ(0u, messages.texts[1].find("Die Datei '" + dir.filePath(QStringLiteral("KVTResult.txt")).toStdString() +
                                             "' kann nicht geschrieben werden"))
            << messages.texts[1];
        const std::string said = messages.texts[2];
        EXPECT_EQ(0u, said.find("Die Übertragung 'Systemkonfiguration' ist nicht vollständig (Schritt 2 von "))
            << "the walk ended as if complete: " << testing::PrintToString(messages.texts);
        EXPECT_NE(std::string::npos, said.find("keine Antwort vom Gerät.")) << said;
        const QTreeWidgetItem* root = dialog.GetTree()->topLevelItem(0);
        EXPECT_LT(1, root ? root->childCount() : 0) << "the root's answer is shown";
    }
    link.SetLinkState(linkstate::Online);
    link.ClosePort();
    link.SetHost(&host);
    QDir::setCurrent(previousDir);

    // Ranges: reversed bounds name nothing, long ones are cut, "AMP" bounds are hexadecimal on request.
    EXPECT_EQ((std::vector<std::string> {"ZONE1", "ZONE2", "ZONE3", "X"}),
              CSystemConfigDlg::ExpandItems(" ZONE1...ZONE3,X", false));
    EXPECT_TRUE(CSystemConfigDlg::ExpandItems("ZONE5...ZONE1", false).empty());
    EXPECT_EQ(size_t(CSystemConfigDlg::kMaxRangeItems), CSystemConfigDlg::ExpandItems("Z1...Z99999999", false).size());
    EXPECT_EQ(32u, CSystemConfigDlg::ExpandItems("AMP0...AMP1f", true).size());
}

TEST_F(ServiceWindowsSim, HardwareWindowReachedFromTheFaultWindowShowsEverySlot)
{
    QStringList args;
    for (const char* preset : {"/FAULT/ACTIVE NONE", "/FAULT/STATE FALSE", "/FAULT/MANUAL OFF", "/SLOT1/MODULE AUDIO IN",
                               "/SLOT2/MODULE AUDIO IN", "/SLOT3/MODULE NONE", "/SLOT4/MODULE AUDIO OUT",
                               "/SLOT5/MODULE CPU"})
        args << QStringLiteral("-e") << QStringLiteral("set %1").arg(QLatin1String(preset));
    Connect(args);

    CObjectDlg host(&doc, CFaultDlgFrm::kWindowKind);
    host.show();
    auto* fault = qobject_cast<CFaultDlgFrm*>(host.m_pFrame.data());
    ASSERT_NE(nullptr, fault);
    // The fault window polls often, so that a poll falls into the slot scan
    // of the next window for sure if it still runs then.
    QTimer& poll = fault->GetView()->GetTimer();
    ASSERT_TRUE(poll.isActive());
    poll.setInterval(20);
    ASSERT_TRUE(PumpUntil([&] { return sim.Received().find("/FAULT/ACTIVE ?") != std::string::npos; }, kArrivalMs));

    QAction* hardware = nullptr;
    for (QAction* a : fault->GetSwitchBar()->actions())
        if (a->objectName() == QString::number(CObjectDlg::SwitchCommand(CHardwareDlgFrm::kWindowKind)))
            hardware = a;
    ASSERT_NE(nullptr, hardware);
    QWidget* button = fault->GetSwitchBar()->widgetForAction(hardware);
    ASSERT_NE(nullptr, button);
    QTest::mouseClick(button, Qt::LeftButton);
    CHardwareDlgFrm* frame = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (frame = qobject_cast<CHardwareDlgFrm*>(host.m_pFrame.data())) != nullptr; },
                          kArrivalMs));
    ASSERT_EQ(5, frame->GetView()->topLevelItemCount()) << "every slot the device named";
    EXPECT_EQ(QLatin1String("Slot1: AUDIO IN"), frame->GetView()->topLevelItem(0)->text(0));
    EXPECT_EQ(QLatin1String("Slot5: CPU"), frame->GetView()->topLevelItem(4)->text(0));

    // The fault window asks nothing more once the user has left it.
    Pump(300);
    const size_t mark = sim.Received().size();
    Pump(300);
    EXPECT_EQ(std::string::npos, sim.Received().find("/FAULT/", mark));

    // With the line gone, a scan says it needs the device.
    Disconnect();
    QTest::mouseClick(frame->GetCommandBar()->widgetForAction(frame->GetAction(servicewinid::ScanCards)),
                      Qt::LeftButton);
    ASSERT_EQ(1, frame->GetView()->topLevelItemCount());
    EXPECT_EQ(QStringLiteral("Nur im Online Modus möglich!"), frame->GetView()->topLevelItem(0)->text(0));
    host.close();
}

// A query the device does not understand ("PATH ? ") among those that it
// answers: the hardware tree shows every answer that came and marks the
// refused item or detail, in either language, instead of dropping them all.
// An answer naming addresses beyond the bus shows those it can and names it.
TEST_F(ServiceWindowsSim, HardwareTreeShowsWhatCameAndMarksWhatTheDeviceDidNotUnderstand)
{
    QStringList args;
    for (const char* preset : {"set /SLOT1/MODULE IO8", "unknown /SLOT2/MODULE", "set /SLOT3/MODULE NONE",
                               "set /SLOT4/MODULE NONE", "set /SLOT5/MODULE NONE", "set /CONS/CONNECTED 3,5e1",
                               "set /CONS/ADR3/NAME Foyer", "set /CONS/ADR3/TYPE PULT8", "unknown /CONS/ADR3/RELEASE",
                               "unknown /LMZ/AVLBL", "set /AMP/AVLBL 3e-41"})
        args << QStringLiteral("-e") << QLatin1String(preset);
    const struct {
        const char* name;
        unsigned scan;
        bool expand;  // the first item selected and expanded: its details
        std::vector<const char*> german, english;
        bool silent = false;  // asked of a device that has stopped answering
    } rows[] = {
        {"slots", servicewinid::ScanSlots, false,
         {"Slot1: IO8", "Slot2: nicht verstanden", "Slot3: NONE", "Slot4: NONE", "Slot5: NONE"},
         {"Slot1: IO8", "Slot2: not understood", "Slot3: NONE", "Slot4: NONE", "Slot5: NONE"}},
        {"console details", servicewinid::ScanConsoles, true, {"Foyer", "PULT8", "Release: nicht verstanden"},
         {"Foyer", "PULT8", "Release: not understood"}},
        {"cards", servicewinid::ScanCards, false, {"LMZ Karten: nicht verstanden"}, {"LMZ cards: not understood"}},
        {"consoles with a number that has a tail", servicewinid::ScanConsoles, false,
         {"Sprechstelle 3", "Sprechstelle 5", "Sprechstellen 3,5e1: nicht verstanden"},
         {"Console 3", "Console 5", "Consoles 3,5e1: not understood"}},
        {"amplifiers beyond the bus", servicewinid::ScanAmplifiers, false,
         {"Verstärker 3e", "Verstärker 3f", "Verstärker 3e-41: nicht verstanden"},
         {"Amplifier 3e", "Amplifier 3f", "Amplifiers 3e-41: not understood"}},
        {"slots of a silent device", servicewinid::ScanSlots, false,
         {"Slot1: keine Antwort", "Slot2: keine Antwort", "Slot3: keine Antwort", "Slot4: keine Antwort",
          "Slot5: keine Antwort"},
         {"Slot1: no answer", "Slot2: no answer", "Slot3: no answer", "Slot4: no answer", "Slot5: no answer"}, true},
        {"amplifiers of a silent device", servicewinid::ScanAmplifiers, false, {"Verstärker: keine Antwort"},
         {"Amplifiers: no answer"}, true},
    };
    for (bool silent : {false, true}) {
        if (silent) {
            Disconnect();
            Connect({QStringLiteral("-e"), QStringLiteral("at 21 silent")});  // silent once connected
        } else {
            Connect(args);
        }
        for (bool english : {false, true}) {
            std::unique_ptr<EnglishTexts> texts(english ? new EnglishTexts : nullptr);
            ASSERT_TRUE(!texts || texts->IsLoaded());
            CHardwareDlgFrm frame;
            frame.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
            CHardwareDlgTreeView* tree = frame.GetView();
            for (const auto& row : rows) {
                if (row.silent != silent)
                    continue;
                SCOPED_TRACE(std::string(row.name) + (english ? " (English)" : ""));
                QTest::mouseClick(frame.GetCommandBar()->widgetForAction(frame.GetAction(row.scan)), Qt::LeftButton);
                QTreeWidgetItem* parent = tree->invisibleRootItem();
                if (row.expand) {
                    ASSERT_GT(tree->topLevelItemCount(), 0);
                    parent = tree->topLevelItem(0);
                    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(parent).center());
                    QTest::keyClick(tree, Qt::Key_Right);
                    ASSERT_TRUE(parent->isExpanded());
                }
                std::vector<std::string> shown;
                for (int i = 0; i < parent->childCount(); ++i)
                    shown.push_back(parent->child(i)->text(0).toStdString());
                const std::vector<const char*>& expected = english ? row.english : row.german;
                EXPECT_EQ(std::vector<std::string>(expected.begin(), expected.end()), shown);
            }
        }
    }
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

TEST_F(ServiceWindowsSim, ANewProjectFitsTheSimulatorsOwnDevice)
{
    // The simulator as a user starts it, without options.
    ASSERT_TRUE(sim.version.isEmpty());
    ConnectedSimSession::Connect({});
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();

    // The service windows that need a recent system open for it.
    CObjectDlg host(&doc, CFuseFrm::kWindowKind);
    host.show();
    auto* fuses = qobject_cast<CFeatureFrm*>(host.m_pFrame.data());
    ASSERT_NE(nullptr, fuses);
    QAction* pilot = nullptr;
    for (QAction* a : fuses->GetSwitchBar()->actions())
        if (a->objectName() == QString::number(featurecmd::Pilot))
            pilot = a;
    ASSERT_NE(nullptr, pilot);
    QTest::mouseClick(fuses->GetSwitchBar()->widgetForAction(pilot), Qt::LeftButton);
    EXPECT_TRUE(PumpUntil([&] { return qobject_cast<CPilotFrm*>(host.m_pFrame.data()) != nullptr; }, kArrivalMs));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    host.close();
}

// The service dialog as its user works it: a register written by typing into
// its "OUT" cell goes to the device every time it is typed, the shown value
// again included; Escape writes nothing; the chosen test starts.
TEST_F(ServiceWindowsSim, ServiceDialogWritesEveryTypedRegisterAndStartsTheChosenTest)
{
    Connect({QStringLiteral("-e"), QStringLiteral("set /SERVICE/LOGIC/OUT 3"), QStringLiteral("-e"),
             QStringLiteral("unknown /SERVICE/SPI3")});
    DeviceList internalSlots;
    doc.GetIDManager().GetBaseDeviceListByKind(internalSlots, OT_INTERNAL_SLOT, internalslot::Service);
    ASSERT_FALSE(internalSlots.empty());
    CServiceDlg dialog(dynamic_cast<CInternalSlot*>(internalSlots.front()));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTableWidget* table = dialog.GetRegisters();
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualItemRect(table->item(7, 0))))
        << "all eight registers, LOGIC too, are in view at the opening size";
    ASSERT_TRUE(PumpUntil([&] { return table->item(7, 0)->text() == QLatin1String("3"); }, kArrivalMs));

    // Double-click the "OUT" cell of `row` (LOGIC), type over what it shows, end with `key`.
    auto type = [&](const QString& text, Qt::Key key, int row = 7) {
        const QPoint at = table->visualItemRect(table->item(row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(nullptr, editor) << "the cell opens for typing";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(editor, text);
        QTest::keyClick(editor, key);
    };
    auto countAfter = [&](size_t mark, const std::string& line) {
        int n = 0;
        for (size_t p = sim.FindReceivedLine(line, mark); p != std::string::npos; p = sim.FindReceivedLine(line, p + 1))
            ++n;
        return n;
    };
    size_t mark = sim.Received().size();
    type(QStringLiteral("5"), Qt::Key_Return);
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/LOGIC/IN ?", mark));
    EXPECT_EQ(1, countAfter(mark, "/SERVICE/LOGIC/OUT 5"));
    ASSERT_TRUE(PumpUntil([&] { return table->item(7, 0)->text() == QLatin1String("5"); }, kArrivalMs));

    // The value it shows, typed again, is written again.
    mark = sim.Received().size();
    type(QStringLiteral("5"), Qt::Key_Return);
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/LOGIC/OUT 5", mark));
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/LOGIC/IN ?", mark));

    // Escape: nothing goes to the device and the cell keeps the device's value.
    mark = sim.Received().size();
    type(QStringLiteral("7"), Qt::Key_Escape);
    AwaitDeviceHasAll();
    EXPECT_EQ(0, countAfter(mark, "/SERVICE/LOGIC/OUT 7"));
    EXPECT_EQ(QLatin1String("5"), table->item(7, 0)->text());

    // A value the line cannot carry as shown (a character beyond its code
    // page, a value the device would read as a query) is refused with a word
    // that names it: nothing goes to the device, the cell keeps its value.
    for (const auto& [typed, told] : {std::pair{"5Ω", "'Ω' (U+03A9)"}, std::pair{"?", "'?' würde"}}) {
        SCOPED_TRACE(typed);
        mark = sim.Received().size();
        messages.texts.clear();
        type(QString::fromUtf8(typed), Qt::Key_Return);
        ASSERT_TRUE(PumpUntil([&] { return messages.Contains(told); }, kArrivalMs));
        AwaitDeviceHasAll();
        EXPECT_EQ(std::string::npos, sim.Received().find("/SERVICE/LOGIC/OUT", mark));
        EXPECT_EQ(QLatin1String("5"), table->item(7, 0)->text());
    }

    // A register the device refuses ("PATH 5 ? " after the echo of the line)
    // shows no value: neither the typed one nor the refusal.
    mark = sim.Received().size();
    const size_t said = sim.Sent().size();
    type(QStringLiteral("5"), Qt::Key_Return, 2);
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/SPI3/IN ?", mark));
    EXPECT_TRUE(PumpUntil([&] { return sim.Sent().find("/SERVICE/SPI3/IN ? ", said) != std::string::npos; }, kArrivalMs));
    AwaitDeviceHasAll();
    EXPECT_EQ(QString(), table->item(2, 0)->text());

    // The test chosen by keys starts with the button.
    QComboBox* tests = dialog.GetTests();
    tests->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(tests, Qt::Key_Down);
    ASSERT_EQ(QLatin1String("EEPCLR"), tests->currentText());
    mark = sim.Received().size();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1212")), Qt::LeftButton);
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/START EEPCLR", mark));
}

// The service windows' shared bar as the user meets it on a device too old
// for four of them: the fuse window's transfers are there while connected,
// the recorder is refused with the device's reason (in English too), power
// management opens, and saving the device's settings sends it once.
TEST_F(ServiceWindowsSim, AnOlderDeviceRefusesTheNewServiceWindowsFromTheBar)
{
    sim.version = QStringLiteral("V0.551");
    Connect({});
    ASSERT_EQ("V0.551", Profile(QStringLiteral("KVT7000/OS Version")).toString().toStdString());
    CObjectDlg host(&doc, CFuseFrm::kWindowKind);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    auto frame = [&] { return qobject_cast<CFeatureFrm*>(host.m_pFrame.data()); };
    ASSERT_NE(nullptr, frame());
    EXPECT_TRUE(frame()->GetAction(CFuseFrm::kUpload)->isEnabled());
    EXPECT_TRUE(frame()->GetAction(CFuseFrm::kDownload)->isEnabled());
    auto click = [&](unsigned id) {
        QAction* action = frame()->GetAction(id);
        ASSERT_NE(nullptr, action) << id;
        QWidget* button = frame()->GetSwitchBar()->widgetForAction(action);
        ASSERT_NE(nullptr, button) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        Pump(50);
    };

    click(featurecmd::Recorder);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("In dieser Geräteversion nicht möglich!", messages.texts[0]);
    EXPECT_EQ(CFuseFrm::kWindowKind, host.GetShownKind());
    {
        EnglishTexts english;
        ASSERT_TRUE(english.IsLoaded());
        click(featurecmd::ZoneTest);
        ASSERT_EQ(2u, messages.texts.size());
        EXPECT_EQ("Not possible in this device version!", messages.texts[1]);
    }
    EXPECT_EQ(CFuseFrm::kWindowKind, host.GetShownKind());

    const size_t mark = sim.Received().size();
    click(CFeatureFrm::kSaveDeviceSettings);
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/START FASTSAVE", mark));
    AwaitDeviceHasAll();
    EXPECT_EQ(1u, CountOf(sim.Received().substr(mark), "FASTSAVE"));

    click(featurecmd::Power);
    EXPECT_TRUE(PumpUntil([&] { return host.GetShownKind() == CPowerFrm::kWindowKind; }, kArrivalMs));
    EXPECT_EQ(2u, messages.texts.size());
    host.close();
}
