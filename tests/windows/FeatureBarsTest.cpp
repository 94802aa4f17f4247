// The feature windows' host and its switch bars in a project of the upgraded
// device. Every button of every switch bar, clicked with a little of
// everything in the project: each opens the window it names in the same host,
// or saves; the pilot tone and volumes windows have their way in on the
// service bar. As the user switches between windows, every window opens at
// its designed size, whatever the window before it needed, and the macro
// views' one-line fields stay one line high in a taller window.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "calendar/CAppoint.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroEditorView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ModelStrings.h"
#include "model/ObjectTypeCode.h"
#include "paging/CRelaisTopology.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/ModelTestHost.h"
#include "support/ZoneTestSupport.h"
#include "ui/CFeatureFrm.h"
#include "ui/CListCtrl.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
class SavingHost : public ModelTestHost {
public:
    bool SaveDocument(CQuillomerDoc*, bool saveAs) override
    {
        saves += saveAs ? 0 : 1;
        return true;
    }
    int saves = 0;
};

// A new project of the upgraded device, the active one.
class FeatureWindowsProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 1;
        old = SetActiveDocHook([this] { return &doc; });
    }
    void TearDown() override { SetActiveDocHook(old); }
    static CFeatureFrm* FrameOf(const CObjectDlg& host) { return qobject_cast<CFeatureFrm*>(host.m_pFrame.data()); }

    CQuillomerDoc doc;
    ActiveDocHook old;
    MessageLog messages;
    SavingHost appHost;
};

class FeatureBarsTest : public FeatureWindowsProject {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(FeatureWindowsProject::SetUp());
        // A little of what the windows list.
        auto* macro = new CMacro;
        ASSERT_EQ(1, macro->Create(macrotype::Page, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0,
                                   9, &doc));
        doc.AddObject(macro, CAT_MACRO);
        auto* condition = new CCondition;
        ASSERT_EQ(1, condition->Create(34129, "Taste", 1, CAT_DIGITAL_IO, &doc));
        doc.AddObject(condition, CAT_DIGITAL_IO);
    }

    static std::vector<unsigned> BarCommands(const CFeatureFrm* frame)
    {
        std::vector<unsigned> ids;
        for (QAction* a : frame->GetSwitchBar()->actions())
            if (!a->isSeparator())
                ids.push_back(a->objectName().toUInt());
        return ids;
    }
    // Clicks the button of `id` on the bar of the host's frame; the host takes
    // the posted switch once events run.
    static void Click(CObjectDlg& host, unsigned id)
    {
        CFeatureFrm* frame = FrameOf(host);
        ASSERT_NE(nullptr, frame);
        QAction* button = nullptr;
        for (QAction* a : frame->GetSwitchBar()->actions())
            if (a->objectName() == QString::number(id))
                button = a;
        ASSERT_NE(nullptr, button) << id;
        button->trigger();
        QApplication::processEvents();
    }
};

// Messages as the program shows them: a box with an event loop of its own,
// closed with Enter once it is up.
class ShownMessages {
public:
    ShownMessages()
        : m_previous(SetMessageHandler([this](const std::string& text, uint32_t) {
              texts.push_back(text);
              QMessageBox box(QMessageBox::Information, QString(), QString::fromStdString(text), QMessageBox::Ok);
              QTimer::singleShot(0, &box, [&box] {
                  if (QTest::qWaitForWindowExposed(&box))
                      QTest::keyClick(&box, Qt::Key_Return);
              });
              box.exec();
              return static_cast<int>(mb::IdOk);
          }))
    {
    }
    ~ShownMessages() { SetMessageHandler(std::move(m_previous)); }
    ShownMessages(const ShownMessages&) = delete;
    ShownMessages& operator=(const ShownMessages&) = delete;

    std::vector<std::string> texts;

private:
    MessageHandler m_previous;
};

constexpr int kMacroWindow = 7;
constexpr int kFaultWindow = 19;
constexpr int kZoneTestWindow = 28;

// No placement kept from before.
class FeatureWindowSize : public FeatureWindowsProject {
protected:
    void SetUp() override
    {
        QSettings().remove(CObjectDlg::SettingsKey());
        ASSERT_NO_FATAL_FAILURE(FeatureWindowsProject::SetUp());
    }
    void TearDown() override
    {
        FeatureWindowsProject::TearDown();
        QSettings().remove(CObjectDlg::SettingsKey());
    }

    // Clicks the switch bar's button of `command` and waits for the window.
    static void Switch(CObjectDlg& dlg, unsigned command)
    {
        CFeatureFrm* frame = FrameOf(dlg);
        ASSERT_NE(nullptr, frame);
        QAction* action = frame->GetAction(command);
        ASSERT_NE(nullptr, action);
        QWidget* button = frame->GetSwitchBar()->widgetForAction(action);
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    // The size a window is designed to open at in the host: the first
    // placement, or the window's own minimum where that is larger.
    static QSize Designed(const CObjectDlg& dlg) { return QSize(780, 400).expandedTo(dlg.minimumSize()); }

};
}  // namespace

TEST_F(FeatureBarsTest, EveryButtonOfEveryFeatureWindowOpensItsWindowOrSaves)
{
    std::map<CFeatureFrm::Form, std::vector<unsigned>> bars;
    std::set<int> opened;
    int frames = 0;
    for (int kind = 1; kind <= 28; ++kind) {
        CObjectDlg host(&doc, kind);
        host.CreateObjectFrame(kind);
        ASSERT_FALSE(host.IsPlaceholderFrame()) << "kind " << kind << " has no window";
        const CFeatureFrm* frame = FrameOf(host);
        if (!frame)
            continue;  // a window without switch bar
        ++frames;
        const CFeatureFrm::Form form = frame->GetForm();
        const std::vector<unsigned> commands = BarCommands(frame);
        // One bar per form, the same in every window of the form.
        if (bars.count(form))
            EXPECT_EQ(bars[form], commands) << "kind " << kind;
        else
            bars[form] = commands;
        for (unsigned id : commands) {
            if (!FrameOf(host) || FrameOf(host)->GetForm() != form) {
                host.OnCommand(CObjectDlg::SwitchCommand(kind));
                ASSERT_EQ(kind, host.GetShownKind());
            }
            const int saves = appHost.saves;
            const size_t said = messages.texts.size();
            Click(host, id);
            EXPECT_EQ(said, messages.texts.size()) << "kind " << kind << " button " << id;
            const int target = CObjectDlg::KindOfCommand(id);
            if (id == CFeatureFrm::kSave) {
                EXPECT_EQ(saves + 1, appHost.saves) << "kind " << kind;
            } else if (id == CFeatureFrm::kSaveDeviceSettings) {
                EXPECT_FALSE(FrameOf(host)->GetAction(id)->isEnabled()) << "kind " << kind << ": offered offline";
            } else {
                ASSERT_NE(0, target) << "kind " << kind << ": button " << id << " opens nothing";
                EXPECT_EQ(target, host.GetShownKind()) << "kind " << kind << " button " << id;
                EXPECT_FALSE(host.IsPlaceholderFrame()) << "button " << id;
                EXPECT_NE(nullptr, host.m_pFrame.data()) << "button " << id;
                opened.insert(target);
            }
        }
    }
    EXPECT_EQ(26, frames);
    ASSERT_EQ(2u, bars.size());
    // The service bar: the five service windows, then the pilot tone and volumes.
    EXPECT_EQ(bars[CFeatureFrm::Form::Service],
              (std::vector<unsigned>{33159, 33163, 33164, 34589, 34590, 33162, 34584, CFeatureFrm::kSaveDeviceSettings,
                                     CFeatureFrm::kSave}));
    for (int kind : {23, 26})
        EXPECT_TRUE(opened.count(kind)) << kind;
}

TEST_F(FeatureBarsTest, PilotToneKeepsItsDeviceTestOnTheServiceBarAndVolumesDoNot)
{
    doc.m_data.deviceVariant = 0;
    CObjectDlg host(&doc, 21);
    host.CreateObjectFrame(21);
    Click(host, featurecmd::Pilot);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("In dieser Geräteversion nicht möglich!", messages.texts[0]);
    EXPECT_EQ(21, host.GetShownKind());

    Click(host, featurecmd::Volume);
    EXPECT_EQ(26, host.GetShownKind());
    EXPECT_EQ(1u, messages.texts.size());
    EXPECT_EQ(CFeatureFrm::Form::Edit, FrameOf(host)->GetForm());

    // The upgraded project runs it.
    doc.m_data.deviceVariant = 1;
    host.OnCommand(featurecmd::Fuses);
    Click(host, featurecmd::Pilot);
    EXPECT_EQ(23, host.GetShownKind());
}

// A name typed in a window's list and left by switching to another window on
// the bar: the list takes it as the name's end, and where the name is refused
// (empty) or changed (in use) its message box comes up while the switch
// finishes; the box's OK leaves the program going, the name refused or made
// unique, and the window switched to. The box is shown as the program shows
// it, with an event loop of its own.
TEST_F(FeatureBarsTest, ANameEditEndedBySwitchingWindowsIsTakenWithItsMessageAndTheWindowSwitches)
{
    auto place = [this]<class T>(T* obj, uint32_t kind, const char* name, int32_t category) {
        EXPECT_EQ(1, obj->Create(kind, name, 1, category, &doc));
        doc.AddObject(obj, category);
        return static_cast<CBaseDevice*>(obj);
    };
    CBaseDevice* condition = doc.GetIDManager().GetBaseDevice(1, OT_CONDITION);
    ASSERT_NE(nullptr, condition);
    CBaseDevice* macro = doc.GetIDManager().GetBaseDevice(1, OT_MACRO);
    ASSERT_NE(nullptr, macro);
    // The macro's name, given to the condition first (which then bears it
    // with the first counter), and to each row's object after it.
    const std::string taken = macro->GetName();
    const struct {
        const char* what;
        int kind;
        std::function<CBaseDevice*()> object;
        std::string typed;
        std::string kept;  // the name the object has afterwards ("": the one it had)
    } rows[] = {
        {"condition emptied", 12, [&] { return condition; }, "", ""},
        {"condition named as the macro", 12, [&] { return condition; }, taken, taken + "_1"},
        {"analog", 13, [&] { return place(new CAnalogCondition, CAnalogCondition::kKindId, "A", CAT_DIGITAL_IO); },
         "", ""},
        {"combined", 14, [&] { return place(new CCombineCondition, CCombineCondition::kKindId, "K", CAT_DIGITAL_IO); },
         taken, taken + "_2"},
        {"busy", 15, [&] { return place(new CBusyCondition, CBusyCondition::kKindId, "B", CAT_DIGITAL_IO); }, "", ""},
        {"trigger", 5, [&] { return place(new CTrigger, CTrigger::kKindId, "T", CAT_DIGITAL_IO); }, taken,
         taken + "_2"},
        {"logic output", 17, [&] { return place(new CLogicOut, CLogicOut::kKindId, "L", CAT_DIGITAL_IO); }, "", ""},
        {"ready input", 16, [&] { return place(new CReadyInput, CReadyInput::kKindId, "R", CAT_DIGITAL_IO); }, taken,
         taken + "_2"},
        {"macro", kMacroWindow, [&] { return macro; }, "", ""},
        {"appointment", 8, [&] { return place(new CAppoint, CAppoint::kKindId, "E", CAT_CALENDAR); }, taken,
         taken + "_2"},
        {"holiday", 10, [&] { return place(new CHoliday, CHoliday::kKindId, "F", CAT_CALENDAR); }, taken,
         taken + "_2"},
        {"day programme", 9, [&] { return place(new CDayprog, CDayprog::kKindId, "D", CAT_CALENDAR); }, taken,
         taken + "_2"},
        {"zone", kZoneTestWindow,
         [&] {
             // A zone on an amplifier's channel: the line-test list shows it.
             const CRelaisTopology::DialogFn dialog = CRelaisTopology::SetDialog(nullptr);  // no dialog to answer
             EXPECT_NE(nullptr, AddOneInN(doc, 1));
             CRelaisTopology::SetDialog(dialog);
             return doc.GetIDManager().GetBaseDevice(1, OT_ZONE);
         },
         "", ""},
    };
    ShownMessages boxes;
    for (const auto& c : rows) {
        SCOPED_TRACE(c.what);
        CBaseDevice* obj = c.object();
        ASSERT_NE(nullptr, obj);
        const std::string before = obj->GetName();
        CObjectDlg host(&doc, c.kind);
        host.resize(1100, 500);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        // The row of the object, clicked, and its name's editor opened with F2.
        CListCtrl* list = nullptr;
        int row = -1;
        for (CListCtrl* l : host.findChildren<CListCtrl*>())
            for (int r = 0; row < 0 && l->isVisible() && r < l->topLevelItemCount(); ++r)
                if (l->topLevelItem(r)->text(0).toStdString() == before)
                    list = l, row = r;
        ASSERT_NE(nullptr, list) << "no row shows " << before;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        QTest::keyClick(list, Qt::Key_F2);
        QLineEdit* editor = nullptr;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return (editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) != nullptr; }, 5000));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, QString::fromStdString(c.typed));
        // Another window of the bar, clicked while the name is still open.
        CFeatureFrm* frame = FrameOf(host);
        ASSERT_NE(nullptr, frame);
        unsigned away = 0;
        for (unsigned id : BarCommands(frame))
            if (const int k = CObjectDlg::KindOfCommand(id); !away && k != 0 && k != c.kind)
                away = id;
        ASSERT_NE(0u, away);
        const size_t said = boxes.texts.size();
        QTest::mouseClick(frame->GetSwitchBar()->widgetForAction(frame->GetAction(away)), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(CObjectDlg::KindOfCommand(away), host.GetShownKind());
        ASSERT_EQ(said + 1, boxes.texts.size()) << "the name's message";
        EXPECT_EQ(c.kept.empty() ? before : c.kept, obj->GetName());
        EXPECT_EQ(c.typed.empty() ? LoadStringId(IDS_NAME_EMPTY)
                                    : StrFormat(LoadStringId(IDS_NAME_CHANGED).c_str(), c.typed.c_str(),
                                                c.kept.c_str()),
                  boxes.texts.back());
        if (obj != condition && obj != macro)
            obj->OnCommand(objcmd::Delete);
    }
}

TEST_F(FeatureWindowSize, EveryWindowOpensAtItsDesignedSizeAndOneLineFieldsStayOneLine)
{
    // A paging macro: its view shows the pair "Durchsage EIN" / "AUS".
    const auto previous = CMacroEditorView::SetDialogRunner([](QDialog& dlg) {
        if (auto* sel = qobject_cast<CSelectionDlg*>(&dlg)) {
            sel->m_nResultNumber = static_cast<int>(macrotype::Page);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    CObjectDlg dlg(&doc, kMacroWindow);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* macros = qobject_cast<CMacroDlgFrm*>(dlg.m_pFrame.data());
    ASSERT_NE(nullptr, macros);
    macros->OnCommand(macrocmd::New);
    CMacroEditorView::SetDialogRunner(previous);
    QApplication::processEvents();
    const QSize macroSize = dlg.size();
    EXPECT_EQ(Designed(dlg), macroSize);

    Switch(dlg, featurecmd::Fault);
    ASSERT_EQ(kFaultWindow, dlg.GetShownKind());
    EXPECT_EQ(Designed(dlg), dlg.size());
    const QSize faultSize = dlg.size();
    Switch(dlg, featurecmd::Macros);
    ASSERT_EQ(kMacroWindow, dlg.GetShownKind());
    EXPECT_EQ(macroSize, dlg.size()) << "not the room the fault window needed";
    dlg.grab().save(QStringLiteral("feature-sizes-macro.png"));
    EXPECT_EQ(QStringLiteral("20,20,780,400"), QSettings().value(CObjectDlg::SettingsKey()).toString());

    // One-line fields keep one line's height at the designed size and in a
    // window the user made taller.
    auto expectOneLine = [&dlg](const char* when) {
        auto* view = qobject_cast<CMacroDlgFrm*>(dlg.m_pFrame.data())->GetEditorView();
        ASSERT_NE(nullptr, view);
        int fields = 0;
        for (QLabel* field : view->findChildren<QLabel*>()) {
            if (field->frameShape() == QFrame::NoFrame || !field->isVisible())
                continue;
            ++fields;
            EXPECT_EQ(field->sizeHint().height(), field->height())
                << when << ": " << field->objectName().toStdString() << " \"" << field->text().toStdString() << "\"";
        }
        EXPECT_GE(fields, 3) << "the pair and the zones";
    };
    expectOneLine("designed size");
    dlg.resize(dlg.width(), std::max(faultSize.height(), macroSize.height()) + 150);
    QApplication::processEvents();
    expectOneLine("taller window");
    dlg.grab().save(QStringLiteral("feature-sizes-macro-taller.png"));
    // The user's size is kept for the next window.
    const QSize users = dlg.size();
    Switch(dlg, featurecmd::Fault);
    EXPECT_EQ(users.expandedTo(faultSize), dlg.size());
}

// The window lies whole on its screen whatever was kept: a size kept on a
// larger screen or at another screen scale, or a window whose contents need
// more room than its screen has (the zone test window on the test programs'
// second screen of 1000 x 700), takes what the screen has, also as the user
// switches windows with the bar; the kept placement stays the user's.
TEST_F(FeatureWindowSize, TheWindowLiesWholeOnItsScreenAndKeepsTheUsersPlacement)
{
    const struct {
        const char* kept;
        int kind;
        unsigned away;  // a window to switch to and back from
    } cases[] = {
        {"20,20,2340,900", kMacroWindow, featurecmd::Fault},
        {"1930,20,780,400", kZoneTestWindow, featurecmd::Fuses},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kept);
        QSettings().setValue(CObjectDlg::SettingsKey(), c.kept);
        CObjectDlg dlg(&doc, c.kind);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        QScreen* screen = QGuiApplication::screenAt(dlg.geometry().center());
        ASSERT_NE(nullptr, screen);
        const QRect area = screen->availableGeometry();
        auto expectWhole = [&](const char* when) {
            EXPECT_TRUE(area.contains(dlg.frameGeometry()))
                << when << ": " << dlg.frameGeometry().x() << "," << dlg.frameGeometry().y() << " "
                << dlg.frameGeometry().width() << "x" << dlg.frameGeometry().height() << " on "
                << screen->name().toStdString();
        };
        expectWhole("opened");
        Switch(dlg, c.away);
        expectWhole("switched away");
        Switch(dlg, CObjectDlg::SwitchCommand(c.kind));
        ASSERT_EQ(c.kind, dlg.GetShownKind());
        expectWhole("switched back");
        EXPECT_EQ(QString::fromLatin1(c.kept), QSettings().value(CObjectDlg::SettingsKey()).toString());
    }
}
