// The macro window without a device: making, renaming and deleting macros in
// the list, and every macro type's editor view writing its parameters.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QToolBar>
#include <QScrollBar>
#include <QSettings>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <optional>
#include <string>
#include <typeinfo>

#include "MacroWindowFixture.h"
#include "macros/windows/CMacroDlgListView.h"
#include "platform/StringTable.h"
#include "ui/CHoverFrame.h"
#include "ui/CObjectDlg.h"
#include "ui/ColumnWidths.h"
#include "support/EnglishTexts.h"

using namespace blocktest;
namespace mt = macrotype;

TEST_F(MacroWindow, NewPairsAreNamedPrioritisedAndLinkedAndTheListSelectsTheFirst)
{
    CMacroDlgFrm frame;
    EXPECT_TRUE(dynamic_cast<CEmptyMacroView*>(frame.GetEditorView()));
    EXPECT_FALSE(frame.GetAction(macrocmd::Delete)->isEnabled());
    d.doc().SetModifiedFlag(false);
    New(frame, mt::Alarm);
    EXPECT_TRUE(d.doc().IsModified());
    CMacro* on = Macro(1);
    CMacro* off = Macro(2);
    ASSERT_TRUE(on && off);
    EXPECT_EQ(on->GetName().substr(on->GetName().size() - 3), " ON");
    EXPECT_EQ(off->GetName().substr(off->GetName().size() - 4), " OFF");
    EXPECT_EQ(90, on->GetParam(1));
    EXPECT_EQ(91, off->GetParam(1));
    EXPECT_EQ(1, on->GetParam(3));
    EXPECT_EQ(0, off->GetParam(3));
    EXPECT_EQ(2, on->GetParam(31));
    EXPECT_EQ(1, off->GetParam(31));
    EXPECT_EQ(on, frame.GetCurrentMacro());
    EXPECT_TRUE(dynamic_cast<CAlarmMacroView*>(frame.GetEditorView()));
    EXPECT_TRUE(frame.GetAction(macrocmd::Delete)->isEnabled());

    New(frame, mt::Chime);
    ASSERT_TRUE(Macro(3));
    EXPECT_EQ(1, Macro(3)->GetParam(3));
    EXPECT_EQ(0, Macro(3)->GetParam(31));
    EXPECT_EQ(Macro(3), frame.GetCurrentMacro());

    // A second POWER macro pair is refused.
    New(frame, mt::Power);
    New(frame, mt::Power);
    EXPECT_TRUE(messages.Contains("Ein Makro dieses Typs ist schon vorhanden !"));
    EXPECT_EQ(5, d.doc().GetIDManager().GetCount(OT_MACRO));
}

TEST_F(MacroWindow, DeleteRenameAndTypeChangeKeepDirectoryLinksAndFile)
{
    d.doc().m_data.deviceVariant = 0;
    CMacroDlgFrm frame;
    for (int i = 0; i < 40; ++i)
        New(frame, mt::Alarm);
    EXPECT_EQ(80, d.doc().GetIDManager().GetCount(OT_MACRO));
    EXPECT_FALSE(frame.GetAction(macrocmd::New)->isEnabled());
    CMacroDlgFrm reopened;
    EXPECT_FALSE(reopened.GetAction(macrocmd::New)->isEnabled());

    // Delete key on macro 3 (an ON macro): its partner forgets it, the
    // neighbour is selected, the freed number is taken by the next macro.
    CMacroDlgListView* list = frame.GetListView();
    list->SelectRow(2);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(79, d.doc().GetIDManager().GetCount(OT_MACRO));
    EXPECT_EQ(nullptr, Macro(3));
    EXPECT_EQ(0, Macro(4)->GetParam(31));
    EXPECT_EQ(Macro(4), frame.GetCurrentMacro());
    EXPECT_TRUE(frame.GetAction(macrocmd::New)->isEnabled());
    New(frame, mt::Stop);
    ASSERT_TRUE(Macro(3));
    EXPECT_EQ(mt::Stop, Macro(3)->GetKindId());

    // Renaming to a name in use gets a counter; the macro stays selected.
    list->Rename(0, QString::fromStdString(Macro(2)->GetName()));
    EXPECT_EQ(Macro(2)->GetName() + "_1", Macro(1)->GetName());
    EXPECT_EQ(Macro(1), frame.GetCurrentMacro());
    EXPECT_EQ(QString::fromStdString(Macro(1)->GetName()), list->GetItemText(0, 0));

    // The type dialog on row 1 (macro 2): links and the pair are dropped.
    chosen = mt::Buzzer;
    list->ChangeType(1);
    EXPECT_EQ(mt::Buzzer, Macro(2)->GetKindId());
    EXPECT_EQ(0, Macro(2)->GetParam(31));
    EXPECT_EQ(0, Macro(1)->GetParam(31));
    EXPECT_TRUE(dynamic_cast<CBuzzerMacroView*>(frame.GetEditorView()));

    const Bytes file = d.doc().SaveToBytes();
    ActiveDoc loaded;
    ASSERT_TRUE(loaded.doc().LoadFromBytes(file));
    EXPECT_EQ(80, loaded.doc().GetIDManager().GetCount(OT_MACRO));
    auto* m1 = dynamic_cast<CMacro*>(loaded.doc().GetIDManager().GetBaseDevice(1, OT_MACRO));
    ASSERT_TRUE(m1);
    EXPECT_EQ(Macro(1)->GetName(), m1->GetName());
    auto* m5 = dynamic_cast<CMacro*>(loaded.doc().GetIDManager().GetBaseDevice(5, OT_MACRO));
    ASSERT_TRUE(m5);
    EXPECT_EQ(6, m5->GetParam(31));
}

TEST_F(MacroWindow, ItemTransfersAndRunNeedASelectedMacro)
{
    CMacroDlgFrm frame;
    d.doc().SetConnected(1);
    ASSERT_NE(0, IsDocConnected());
    EXPECT_FALSE(frame.GetListView()->ItemTransferEnabled());
    frame.GetListView()->TransferSelectedMacro(false);
    frame.GetListView()->RunMacro();
    EXPECT_TRUE(sender.lines.empty());
    New(frame, mt::Chime);
    EXPECT_TRUE(frame.GetListView()->ItemTransferEnabled());
    frame.GetListView()->RunMacro();
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ("/MACRO/START 1", sender.lines[0]);
    d.doc().SetConnected(0);
    EXPECT_FALSE(frame.GetListView()->ItemTransferEnabled());
}

TEST_F(MacroWindow, HoverFrameFollowsTheCellsBeyondTheFirstColumnAndStoredWidthsKeepDefaults)
{
    CMacroDlgFrm frame;
    New(frame, mt::Sequence);
    frame.show();
    CListCtrl* steps = static_cast<CSequenceMacroView*>(frame.GetEditorView())->List();
    CHoverFrame* hover = CHoverFrame::Of(steps);
    ASSERT_NE(nullptr, hover);
    for (int column = 0; column < 4; ++column) {
        QTest::mouseMove(steps->viewport(), steps->visualRect(steps->model()->index(1, column)).center());
        EXPECT_EQ(column > 0, hover->Hovered().isValid()) << column;
    }
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(steps->viewport(), &leave);
    EXPECT_FALSE(hover->Hovered().isValid());


    int w[3];
    CMacroDlgListView::ParseColumnWidths(QStringLiteral("200,80"), w);
    EXPECT_EQ(200, w[0]);
    EXPECT_EQ(80, w[1]);
    EXPECT_EQ(30, w[2]);
}

// At its designed size the list shows a macro's type whole, and at a larger
// font (a screen of 120 dots per inch) its identity column stays in view.
TEST_F(MacroWindow, TheListShowsTypesWholeAndKeepsItsColumnsInViewAtLargerFonts)
{
    const QFont font = QApplication::font();
    for (int pixels : {0, 15}) {
        SCOPED_TRACE(pixels);
        QSettings().remove(QStringLiteral("Settings/MacroListColumnWidth"));
        QSettings().remove(QStringLiteral("Settings/MacroListWidth"));
        if (pixels > 0) {
            QFont larger = font;
            larger.setPixelSize(pixels);
            QApplication::setFont(larger);
        }
        {
            CMacroDlgFrm frame;
            New(frame, mt::Page);
            frame.resize(780, 400);
            frame.show();
            QApplication::processEvents();
            QApplication::processEvents();
            auto* list = frame.findChild<CMacroDlgListView*>();
            ASSERT_NE(nullptr, list);
            ASSERT_GT(list->GetItemCount(), 0);
            EXPECT_EQ(QString::fromStdString(Macro(1)->GetParamText(0)), list->GetItemText(0, 1));
            EXPECT_GE(list->GetColumnWidth(1), ColumnContentWidth(list, 1));
            const QHeaderView* header = list->header();
            EXPECT_LE(header->sectionViewportPosition(2) + header->sectionSize(2), list->viewport()->width());
        }
        QApplication::setFont(font);
    }
    QSettings().remove(QStringLiteral("Settings/MacroListColumnWidth"));
    QSettings().remove(QStringLiteral("Settings/MacroListWidth"));
}

// A macro of a long type ("Amplifier Supply" in English, "Verstärkerversorgung"
// in German) made while the window is open widens the type column to it;
// the list then keeps all three columns in view beside its scroll bar, in
// both languages, at the default font and at 120 DPI.
TEST_F(MacroWindow, ALongTypeMadeInTheOpenWindowLeavesTheIdentityColumnInView)
{
    {
        // Enough macros for the list to scroll.
        CMacroDlgFrm maker;
        for (int i = 0; i < 15; ++i)
            New(maker, mt::Page);
    }
    const QFont font = QApplication::font();
    auto forget = [] {
        for (const char* key : {"Settings/MacroListColumnWidth", "Settings/MacroListWidth", "Settings/DlgSize"})
            QSettings().remove(QString::fromLatin1(key));
    };
    for (const bool english : {false, true})
        for (const bool dpi120 : {false, true}) {
            SCOPED_TRACE(std::string(english ? "English" : "German") + (dpi120 ? " at 120 DPI" : ""));
            forget();
            std::optional<EnglishTexts> texts;
            if (english) {
                texts.emplace();
                ASSERT_TRUE(texts->IsLoaded());
            }
            if (dpi120) {
                QFont scaled = font;
                scaled.setPixelSize(qRound(font.pointSizeF() * 120 / 72));
                QApplication::setFont(scaled);
            }
            {
                CObjectDlg host(&d.doc(), CMacroDlgFrm::kWindowKind);
                host.show();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
                auto* frame = qobject_cast<CMacroDlgFrm*>(host.m_pFrame.data());
                ASSERT_NE(nullptr, frame);
                // "Makro erzeugen" on the tool bar, the type chosen in its dialog.
                chosen = static_cast<int>(mt::Amp);
                QWidget* button = frame->GetCommandBar()->widgetForAction(frame->GetAction(macrocmd::New));
                ASSERT_NE(nullptr, button);
                QTest::mouseClick(button, Qt::LeftButton);
                chosen = 0;
                for (int i = 0; i < 5; ++i)
                    QApplication::processEvents();
                CMacroDlgListView* list = frame->GetListView();
                const int row = list->SelectedRow();
                ASSERT_LE(0, row);
                EXPECT_EQ(QString::fromStdString(LoadStringId(mt::Amp)), list->GetItemText(row, 1));
                if (english) {
                    EXPECT_EQ(QStringLiteral("Amplifier Supply"), list->GetItemText(row, 1));
                }
                ASSERT_TRUE(list->verticalScrollBar()->isVisible());
                const QHeaderView* header = list->header();
                EXPECT_GE(list->GetColumnWidth(1), ColumnContentWidth(list, 1)) << "the type shows whole";
                EXPECT_LE(header->sectionViewportPosition(2) + header->sectionSize(2), list->viewport()->width())
                    << "the identity column in view";
                EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
                host.grab().save(QStringLiteral("macro-list-%1%2.png")
                                     .arg(english ? QStringLiteral("en") : QStringLiteral("de"))
                                     .arg(dpi120 ? QStringLiteral("-120dpi") : QString()));
            }
            QApplication::setFont(font);
        }
    forget();
}

// Every macro type opens its own view; one control edit reaches the macro
// (and the lines the macro sends for its type).
TEST_F(MacroWindow, EveryTypeOpensItsViewAndItsControlWritesTheMacro)
{
    struct Case {
        uint32_t type;
        const std::type_info& view;
        std::function<void(CMacroDlgFrm&)> edit;
        int param;  // negative: the parameter's text is compared
        std::string expected;
        const char* keyword;
    };
    auto select = [this](int id, int index) {
        return [this, id, index](CMacroDlgFrm& f) { Control<QComboBox>(f, id)->setCurrentIndex(index); };
    };
    auto click = [this](int id) { return [this, id](CMacroDlgFrm& f) { Control<QAbstractButton>(f, id)->click(); }; };
    auto type = [this](int id, const char* text, bool commit) {
        return [this, id, text, commit](CMacroDlgFrm& f) {
            auto* edit = Control<QLineEdit>(f, id);
            edit->clear();
            QTest::keyClicks(edit, QString::fromLatin1(text));
            if (commit)
                emit edit->editingFinished();
        };
    };
    auto sequence = [this](CMacroDlgFrm& f) {
        chosen = 1;
        static_cast<CSequenceMacroView*>(f.GetEditorView())->EditCell(0, 1);
        chosen = 0;
    };
    const Case cases[] = {
        {mt::Background, typeid(CBackgroundMacroView), nullptr, 0, "0", "BACKGND"},
        {mt::Page, typeid(CPageMacroView), select(1227, 3), 4, "3", "PAGE"},
        {mt::Chime, typeid(CChimeMacroView), select(1165, 9), 1, "90", "CHIME"},
        {mt::Alarm, typeid(CAlarmMacroView), select(1165, 9), 1, "90", "ALARM"},
        {mt::LogicOut, typeid(CDIGIOMacroView), type(1195, "150", false), -35, "150.0", "DIGIO"},
        {mt::Volume, typeid(CVolumeMacroView), type(1234, "-20", false), 10, "-20", "VOLUME"},
        {mt::Monitor, typeid(CMonitorMacroView), click(1401), 16, "1", "MONITOR"},
        {mt::AuxSelect, typeid(CInselMacroView), nullptr, 0, "0", "INSEL"},
        {mt::LcdText, typeid(CLCDTextMacroView), click(1407), 20, "2", "LCDTEXT"},
        {mt::Sequence, typeid(CSequenceMacroView), sequence, 41, "1", "SEQUENCE"},
        {mt::Message, typeid(CMessageMacroView), select(1165, 4), 1, "40", "MESSAGE"},
        {mt::MemoFlag, typeid(CMemoFlagMacroView), click(1410), 22, "1", "MEMO_FLAG"},
        {mt::Power, typeid(CPowerMacroView), select(1165, 2), 1, "30", "POWER"},
        {mt::VirtCtrl, typeid(CVirtCtrlMacroView), type(1502, "3", true), 15, "3", "VIRTCTRL"},
        {mt::Stop, typeid(CStopMacroView), select(1165, 10), 1, "100", "STOP"},
        {mt::Amp, typeid(CAmpMacroView), click(1216), 61, "8", "AMP"},
        {mt::AmpMute, typeid(CAmpMuteMacroView), click(1503), 29, "1", "AMPMUTE"},
        {mt::Record, typeid(CRecordMacroView), select(1227, 2), 4, "2", "RECORD"},
        {mt::Erase, typeid(CEraseMacroView), select(1543, 3), 64, "3", "ERASE"},
        {mt::Repeat, typeid(CRepeatMacroView), type(1195, "500", true), -39, "300", "REPEAT"},
        {mt::SlaveClock, typeid(CSlaveClockMacroView), click(1005), 70, "1", "SLVCLK"},
        {mt::ZoneTest, typeid(CZonetestMacroView), click(1702), 3, "1", "ZONETEST"},
        {mt::Buzzer, typeid(CBuzzerMacroView), type(1719, "300", false), 75, "255", "BUZZER"},
    };
    CMacroDlgFrm frame;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        d.doc().SetModifiedFlag(false);
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(c.type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, d.get()));
        d.doc().AddObject(macro, CAT_MACRO);
        macro->SetParam(3, 1);
        frame.GetListView()->m_currentNumber = macro->GetNumber();
        frame.RefreshMacroList();
        ASSERT_EQ(macro, frame.GetCurrentMacro());
        EXPECT_EQ(c.view, typeid(*frame.GetEditorView()));
        if (c.edit) {
            c.edit(frame);
            EXPECT_EQ(c.expected, c.param < 0 ? macro->GetParamText(-c.param) : std::to_string(macro->GetParam(c.param)));
            EXPECT_TRUE(d.doc().IsModified());  // closing the project asks to save the change
        }
        std::vector<std::string> lines;
        EXPECT_EQ(c.keyword, macro->GetParamLines(lines));
    }
}

TEST_F(MacroWindow, EditsReachTheCounterpartAndNumberlessTextsChangeNothing)
{
    CMacroDlgFrm frame;
    New(frame, mt::Alarm);
    CMacro* on = Macro(1);
    CMacro* off = Macro(2);
    const std::string onName = on->GetName();
    const std::string offName = off->GetName();
    // ADD/SUB renames both and rebuilds the view; ON/OFF restores them.
    Control<QRadioButton>(frame, 1486)->click();
    EXPECT_EQ(CMacroEditorView::ReplaceAll(onName, "ON", "ADD"), on->GetName());
    EXPECT_EQ(CMacroEditorView::ReplaceAll(offName, "OFF", "SUB"), off->GetName());
    EXPECT_EQ(1, on->GetParam(18));
    EXPECT_EQ(1, off->GetParam(18));
    EXPECT_EQ(QString::fromStdString(on->GetName()), frame.GetListView()->GetItemText(0, 0));
    QCoreApplication::processEvents();  // the old view goes
    Control<QRadioButton>(frame, 1485)->click();
    EXPECT_EQ(onName, on->GetName());
    EXPECT_EQ(offName, off->GetName());
    EXPECT_EQ(0, off->GetParam(18));

    // A pair's switch-off macro stores the priority one higher.
    Control<QComboBox>(frame, 1165)->setCurrentIndex(3);
    EXPECT_EQ(30, on->GetParam(1));
    EXPECT_EQ(31, off->GetParam(1));

    New(frame, mt::Buzzer);
    CMacro* buzzer = frame.GetCurrentMacro();
    auto* pause = Control<QLineEdit>(frame, 1720);
    QTest::keyClicks(pause, QStringLiteral("7"));
    const int stored = buzzer->GetParam(76);
    pause->clear();
    QTest::keyClicks(pause, QStringLiteral("abc"));
    EXPECT_EQ(stored, buzzer->GetParam(76));

    // The memo-flag view lets the counterpart forget its partner.
    New(frame, mt::MemoFlag);
    CMacro* memo = frame.GetCurrentMacro();
    memo->SetParam(31, 1);
    frame.RefreshMacroList();
    Control<QComboBox>(frame, 1235)->addItem(QStringLiteral("x"), 4);
    Control<QComboBox>(frame, 1235)->setCurrentIndex(1);
    EXPECT_EQ(4, memo->GetParam(40));
    EXPECT_EQ(0, on->GetParam(31));
    EXPECT_EQ(1, memo->GetParam(31));
}

TEST_F(MacroWindow, AnOptionIsNeverBothSwitchOnAndOffAndDelaysAreEditedInPlace)
{
    CMacroDlgFrm frame;
    New(frame, mt::Amp);
    CMacro* amp = frame.GetCurrentMacro();
    // The options are push buttons that stay pressed while checked.
    Control<QPushButton>(frame, 1214)->click();  // battery on switching on
    EXPECT_TRUE(Control<QPushButton>(frame, 1214)->isChecked());
    Control<QPushButton>(frame, 1219)->click();  // battery on switching off
    EXPECT_EQ(0, amp->GetParam(61));
    EXPECT_EQ(2, amp->GetParam(62));
    EXPECT_FALSE(Control<QPushButton>(frame, 1214)->isChecked());
    EXPECT_TRUE(Control<QPushButton>(frame, 1219)->isChecked());

    New(frame, mt::Sequence);
    CMacro* sequence = frame.GetCurrentMacro();
    auto* view = static_cast<CSequenceMacroView*>(frame.GetEditorView());
    view->EndDelayEdit(2, QStringLiteral("2.5"));
    EXPECT_EQ("2.5", sequence->GetParamText(48));
    EXPECT_EQ("2.5", view->List()->GetItemText(2, 2).toStdString());
    view->EndDelayEdit(2, QString());  // cancelled
    EXPECT_EQ("2.5", sequence->GetParamText(48));
    // The delay's editor types centred, as the cell shows it.
    frame.show();
    view->EditCell(1, 2);
    auto* delay = qobject_cast<QLineEdit*>(view->List()->indexWidget(view->List()->model()->index(1, 2)));
    ASSERT_NE(nullptr, delay);
    EXPECT_EQ(Qt::AlignCenter, delay->alignment() & Qt::AlignCenter);
}

TEST_F(MacroWindow, TheVolumeArrowsStepWithinTheirRangeIntoTheValue)
{
    CMacroDlgFrm frame;
    New(frame, mt::Volume);
    CMacro* volume = frame.GetCurrentMacro();
    CVolumeMacroView* view = nullptr;
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
    // The view and its arrows (the window may make its view anew).
    auto find = [&] {
        view = static_cast<CVolumeMacroView*>(frame.GetEditorView());
        auto* arrows = view->findChild<QWidget*>(QStringLiteral("111"));
        ASSERT_NE(nullptr, arrows);
        // Arrows only: no number field of their own beside the value edit.
        EXPECT_TRUE(arrows->findChildren<QLineEdit*>().isEmpty());
        const QList<QToolButton*> buttons = arrows->findChildren<QToolButton*>();
        ASSERT_EQ(2, buttons.size());
        up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
        down = up == buttons[0] ? buttons[1] : buttons[0];
    };
    find();
    // "Direkt": -150..6; the top stops the arrows.
    for (int i = 0; i < 8; ++i)
        up->click();
    EXPECT_EQ(6, view->Position());
    EXPECT_EQ(6, volume->GetParam(10));
    EXPECT_EQ("6", Control<QLineEdit>(frame, 1234)->text().toStdString());
    // A typed value is where the arrows go on from.
    Control<QLineEdit>(frame, 1234)->selectAll();
    QTest::keyClicks(Control<QLineEdit>(frame, 1234), QStringLiteral("-20"));
    up->click();
    EXPECT_EQ(-19, volume->GetParam(10));
    for (int i = 0; i < 30; ++i)
        up->click();
    down->click();
    EXPECT_EQ(5, volume->GetParam(10));
    // "Regler": 0..6, the bottom stops them.
    Control<QRadioButton>(frame, 1396)->click();
    find();
    EXPECT_EQ(5, view->Position()) << "the arrows go on from the value";
    for (int i = 0; i < 8; ++i)
        down->click();
    EXPECT_EQ(0, view->Position());
    EXPECT_EQ("0", Control<QLineEdit>(frame, 1234)->text().toStdString());
}

// In a window made taller than it opens, the volume arrows stay as tall as
// the value beside them and the controls below stay where they were.
TEST_F(MacroWindow, TheVolumeArrowsKeepTheHeightOfTheValueInATallerWindow)
{
    CMacroDlgFrm frame;
    New(frame, mt::Volume);
    frame.show();
    QApplication::processEvents();
    auto* value = Control<QLineEdit>(frame, 1234);
    auto* arrows = frame.GetEditorView()->findChild<QWidget*>(QStringLiteral("111"));
    auto* controller = Control<QWidget>(frame, 1233);
    ASSERT_NE(nullptr, value);
    ASSERT_NE(nullptr, arrows);
    ASSERT_NE(nullptr, controller);
    const int controllerY = controller->mapTo(&frame, QPoint()).y();
    frame.resize(frame.width(), frame.height() + 400);
    QApplication::processEvents();
    EXPECT_EQ(value->height(), arrows->height());
    EXPECT_EQ(value->mapTo(&frame, QPoint()).y(), arrows->mapTo(&frame, QPoint()).y());
    EXPECT_EQ(controllerY, controller->mapTo(&frame, QPoint()).y());
}

TEST_F(MacroWindow, ViewsWithoutAMacroOrRecorderChangeNothing)
{
    // With no macro selected a view fills its lists and ignores its controls.
    CStopMacroView alone;
    alone.InitialUpdate();
    auto* priority = alone.findChild<QComboBox*>(QStringLiteral("1165"));
    EXPECT_EQ(11, priority->count());
    priority->setCurrentIndex(5);

    // A project without the message recorder: the erase view offers "OFF" only.
    ActiveDoc bare;
    auto* macro = new CMacro;
    ASSERT_TRUE(macro->Create(mt::Erase, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, bare.get()));
    bare.doc().AddObject(macro, CAT_MACRO);
    CMacroDlgFrm frame;
    ASSERT_EQ(macro, frame.GetCurrentMacro());
    auto* recorded = Control<QComboBox>(frame, 1543);
    ASSERT_EQ(1, recorded->count());
    EXPECT_EQ("OFF", recorded->itemText(0).toStdString());
}

namespace {
// Stands in for the macro block: records the steps the window asks for.
class FakeMacroBlock : public CBaseDevice {
public:
    FakeMacroBlock() { m_type = OT_MACRO_OBJECT; }
    int GetDownloadLines(int mode, int step) override
    {
        calls.emplace_back(mode, step);
        return step < 0 ? 253 : step + 1;
    }
    std::vector<std::pair<int, int>> calls;
};
}  // namespace

TEST_F(MacroWindow, TransfersHandTheSelectedMacroOrAllToTheMacroBlock)
{
    ActiveDoc bare;
    auto* block = new FakeMacroBlock;
    ASSERT_TRUE(block->Create(34463, "Makro", 1, CAT_AUDIO, bare.get()));
    bare.doc().AddObject(block, CAT_AUDIO);
    for (int i = 0; i < 3; ++i) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(mt::Stop, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, bare.get()));
        bare.doc().AddObject(macro, CAT_MACRO);
    }
    CMacroDlgFrm frame;
    frame.GetListView()->SelectRow(1);
    frame.GetListView()->TransferSelectedMacro(false);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, -1}, {0, 2}}), block->calls);
    block->calls.clear();
    frame.OnCommand(macrocmd::Upload);
    ASSERT_EQ(254u, block->calls.size());
    EXPECT_EQ(std::make_pair(1, -1), block->calls.front());
    EXPECT_EQ(std::make_pair(1, 252), block->calls.back());
    EXPECT_EQ(2, frame.GetCurrentMacro()->GetNumber());
}

TEST_F(MacroWindow, NoMacroIsMadeAboveTheStandardDevicesLimit)
{
    d.doc().m_data.deviceVariant = 0;
    for (int n = 1; n <= 79; ++n) {
        auto* m = new CMacro;
        ASSERT_EQ(1, m->Create(mt::Chime, StrFormat("M%d", n), n, CAT_MACRO, d.get()));
        d.doc().AddObject(m, CAT_MACRO);
    }
    CMacroDlgFrm frame;
    EXPECT_TRUE(frame.GetAction(macrocmd::New)->isEnabled());

    // A pair needs two numbers the device takes; only 80 is left.
    New(frame, mt::Alarm);
    EXPECT_TRUE(messages.Contains("Die maximale Anzahl wird überschritten"));
    EXPECT_EQ(79, d.doc().GetIDManager().GetCount(OT_MACRO));
    EXPECT_EQ(nullptr, Macro(80));
    EXPECT_EQ(nullptr, Macro(81));
    EXPECT_TRUE(frame.GetAction(macrocmd::New)->isEnabled());

    New(frame, mt::Chime);
    ASSERT_TRUE(Macro(80));
    EXPECT_FALSE(frame.GetAction(macrocmd::New)->isEnabled());

    // A project holding more than the device takes (numbered above it) keeps
    // creating disabled, where "count differs from the limit" would enable it.
    auto* above = new CMacro;
    ASSERT_EQ(1, above->Create(mt::Chime, "M81", 81, CAT_MACRO, d.get()));
    d.doc().AddObject(above, CAT_MACRO);
    CMacroDlgFrm reopened;
    EXPECT_FALSE(reopened.GetAction(macrocmd::New)->isEnabled());
    messages.texts.clear();
    New(reopened, mt::Chime);
    EXPECT_FALSE(messages.texts.empty());
    EXPECT_EQ(nullptr, Macro(82));
}
