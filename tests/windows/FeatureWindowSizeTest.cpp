// The feature windows' host as the user switches between windows with the
// switch bar: every window opens at its designed size, whatever the window
// before it needed, and the macro views' one-line fields stay one line high
// in a taller window.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include <algorithm>

#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroEditorView.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
constexpr int kMacroWindow = 7;
constexpr int kFaultWindow = 19;
constexpr int kZoneTestWindow = 28;

class FeatureWindowSize : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().remove(CObjectDlg::SettingsKey());
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 1;
    }
    void TearDown() override { QSettings().remove(CObjectDlg::SettingsKey()); }

    // Clicks the switch bar's button of `command` and waits for the window.
    static void Switch(CObjectDlg& dlg, unsigned command)
    {
        auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
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

    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
};
}  // namespace

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
