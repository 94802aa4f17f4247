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
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <set>

#include "logic/CCondition.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroEditorView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "support/ModelTestHost.h"
#include "ui/CFeatureFrm.h"
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
