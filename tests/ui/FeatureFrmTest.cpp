// The shared commands of the feature window frames.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTime>
#include <QToolBar>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CEditListCtrl.h"
#include "ui/CFeatureFrm.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CObjectDlg.h"

using namespace blocktest;

namespace {
// A frame with a command bar whose first command transfers the block.
class TransferFrame : public CFeatureFrm {
public:
    static constexpr unsigned kTransfer = 33179;
    static constexpr unsigned kDelete = 33146;
    TransferFrame() : CFeatureFrm(Form::Edit)
    {
        AddCommandBar(429, {kTransfer, kDelete});
        setCentralWidget(new QListWidget);
    }
    bool OnFrameCommand(unsigned commandId) override
    {
        handled.push_back(commandId);
        if (commandId == kTransfer)
            TransferAll(&block, 0, -1);
        return true;
    }
    SteppedBlock block;
    std::vector<unsigned> handled;
};
}  // namespace

TEST(FeatureFrm, ServiceFormRefusesWindowsTheProjectCannotRun)
{
    ActiveDoc d;
    MessageLog messages;
    d.doc().m_data.deviceVariant = 0;
    CObjectDlg host(d.get(), 21);
    auto* frame = new CFeatureFrm(CFeatureFrm::Form::Service, &host);
    EXPECT_TRUE(frame->OnCommand(33164));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("In dieser Geräteversion nicht möglich!", messages.texts[0]);
    d.doc().m_data.deviceVariant = 1;
    EXPECT_TRUE(CFeatureFrm::DeviceVersionAllows());

    // Fuses switch at once; the host takes the posted command after this handler.
    EXPECT_TRUE(frame->OnCommand(33159));
    EXPECT_EQ(0, host.GetShownKind());
    QApplication::processEvents();
    EXPECT_EQ(21, host.GetShownKind());
    // An edit-window command is no switch in a service frame.
    auto* service = new CFeatureFrm(CFeatureFrm::Form::Service, &host);
    EXPECT_FALSE(service->OnCommand(32993));
}

TEST(FeatureFrm, SaveDeviceSettingsIsHandledInEveryFrame)
{
    ActiveDoc d;
    CFeatureFrm edit(CFeatureFrm::Form::Edit);
    EXPECT_TRUE(edit.OnCommand(CFeatureFrm::kSaveDeviceSettings));
    EXPECT_TRUE(edit.OnCommand(CFeatureFrm::kSave));
    EXPECT_FALSE(edit.OnCommand(33159));
    EXPECT_EQ("Makro Einträge editieren", edit.GetAction(32993)->toolTip().toStdString());
}

// A value typed into the window and not yet left (no Tab, no Enter) is taken
// before a command of the bars runs, as leaving the field would: a tool
// button takes no focus, yet what the command saves or sends is what the
// field shows; the focus stays where the user left it. An editor open over a
// cell of a list is taken as Enter takes it, where leaving it would drop the
// text typed and the command would send the value before.
TEST(FeatureFrm, EveryBarCommandTakesTheValueTypedFirst)
{
    ActiveDoc d;
    enum Field { Edit, Cell, TimeCell };
    const struct {
        unsigned command;
        Field field;
        const char* taken;
    } rows[] = {
        {TransferFrame::kDelete, Edit, "42"},
        {CFeatureFrm::kSave, Edit, "42"},
        {TransferFrame::kDelete, Cell, "42"},
        {CFeatureFrm::kSave, Cell, "42"},
        {TransferFrame::kDelete, TimeCell, "17:05"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.command) + " field " + std::to_string(row.field));
        TransferFrame frame;
        // What was taken, and how many commands had run by then.
        std::vector<std::pair<std::string, size_t>> taken;
        QWidget* typedInto = nullptr;
        if (row.field == Edit) {
            auto* field = new QLineEdit;
            frame.setCentralWidget(field);
            QObject::connect(field, &QLineEdit::editingFinished, field,
                             [&, field] { taken.emplace_back(field->text().toStdString(), frame.handled.size()); });
            typedInto = field;
        } else {
            auto* list = new CEditListCtrl;
            list->InsertColumn(0, "Name", CListCtrl::LVCFMT_LEFT, 100);
            list->InsertColumn(1, "Wert", CListCtrl::LVCFMT_RIGHT, 120);
            list->InsertItem(0, "Zeile");
            list->SetItemText(0, 1, row.field == Cell ? "7" : "13:45:10");
            list->m_aColumnEditor = {ColumnEditorKind::TextEdit(),
                                     row.field == Cell ? ColumnEditorKind::TextEdit() : ColumnEditorKind::TimePicker()};
            list->SetEditLabels(true);
            QObject::connect(list, &CListCtrl::EndLabelEdit, list, [&](int, int, const QString& text, int) {
                taken.emplace_back(text.left(5).toStdString(), frame.handled.size());
            });
            frame.setCentralWidget(list);
            typedInto = list;
        }
        frame.resize(600, 300);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        if (row.field == Edit) {
            QTest::mouseClick(typedInto, Qt::LeftButton);
            ASSERT_TRUE(typedInto->hasFocus());
            QTest::keyClicks(typedInto, QStringLiteral("42"));
        } else {
            auto* list = static_cast<CEditListCtrl*>(typedInto);
            const QPoint cell(list->header()->sectionViewportPosition(1) + 10, list->GetItemRect(0).center().y());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
            QApplication::processEvents();
            QWidget* editor = QApplication::focusWidget();
            ASSERT_NE(nullptr, editor);
            ASSERT_EQ(list->viewport(), editor->parentWidget()) << "an editor over the cell";
            if (row.field == Cell)
                QTest::keyClicks(editor, QStringLiteral("42"));
            else
                static_cast<CInPlaceDateTimeCtrl*>(editor)->setTime(QTime(17, 5, 0));
        }
        QAction* action = frame.GetAction(row.command);
        ASSERT_NE(nullptr, action);
        QWidget* button = frame.GetCommandBar()->widgetForAction(action);
        if (!button)
            button = frame.GetSwitchBar()->widgetForAction(action);
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(std::vector<unsigned>{row.command}, frame.handled);
        EXPECT_EQ((std::vector<std::pair<std::string, size_t>>{{row.taken, 0}}), taken);
        EXPECT_EQ(typedInto, QApplication::focusWidget());
    }
}

TEST(FeatureFrm, NoTransferStartsInsideAnotherAndTheWindowTakesNoInputWhileOneRuns)
{
    ActiveDoc d;
    MessageLog messages;
    TransferFrame frame;
    frame.GetSwitchBar()->setEnabled(false);  // switched off by the window itself
    const int height = frame.minimumSizeHint().height();
    bool checked = false;
    frame.block.midway = [&] {
        checked = true;
        // The progress bar and "Abbrechen" make the window no taller (its host
        // would stay so).
        EXPECT_EQ(height, frame.minimumSizeHint().height());
        EXPECT_TRUE(frame.IsTransferring());
        EXPECT_FALSE(frame.GetCommandBar()->isEnabled());
        EXPECT_FALSE(frame.centralWidget()->isEnabled());
        // A second click, a command from the view or the keyboard, and a
        // transfer asked for directly: none of them runs.
        frame.GetAction(TransferFrame::kTransfer)->trigger();
        EXPECT_TRUE(frame.OnCommand(TransferFrame::kDelete));
        frame.TransferOne(&frame.block, 1, -1, 0);
        EXPECT_EQ(1, frame.block.resets);
    };
    frame.OnCommand(TransferFrame::kTransfer);
    EXPECT_TRUE(checked);
    EXPECT_EQ(1, frame.block.resets);
    EXPECT_EQ(4, frame.block.calls);
    EXPECT_EQ(std::vector<unsigned> {TransferFrame::kTransfer}, frame.handled);
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_TRUE(frame.centralWidget()->isEnabled());
    EXPECT_FALSE(frame.GetSwitchBar()->isEnabled()) << "a bar the window had switched off stays off";
    EXPECT_TRUE(messages.texts.empty());

    // The next transfer runs as the first did.
    frame.block.midway = nullptr;
    frame.OnCommand(TransferFrame::kTransfer);
    EXPECT_EQ(2, frame.block.resets);
    EXPECT_EQ(8, frame.block.calls);
}

TEST(FeatureFrm, ACancelledTransferStopsAtOnceAndSaysHowFarTheBlockGot)
{
    ActiveDoc d;
    MessageLog messages;
    TransferFrame frame;
    frame.block.midway = [&] {
        auto* cancel = frame.findChild<QPushButton*>(QStringLiteral("CancelTransfer"));
        ASSERT_TRUE(cancel);
        cancel->click();
    };
    frame.OnCommand(TransferFrame::kTransfer);
    EXPECT_EQ(3, frame.block.calls) << "no step after the cancel";
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Die Übertragung 'Stufenblock' ist nicht vollständig (Schritt 3 von 4): sie wurde abgebrochen.\n"
              "Die übrigen Einträge wurden nicht übertragen.",
              messages.texts[0]);
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_EQ(nullptr, frame.findChild<QPushButton*>(QStringLiteral("CancelTransfer")));
}

namespace {
// One entry of a block: step 3 holds back once (a line still pending), then
// moves on; step 4 ends the entry. Every call's time is kept.
class EntryBlock : public CBaseDevice {
public:
    EntryBlock() { m_name = "Eintragsblock"; }
    int GetDownloadLines(int mode, int step) override
    {
        if (step < 0) {
            ++resets;
            return 10;
        }
        times.push_back(clock.elapsed());
        if (step == 4 && midway)
            midway();
        if (step == 3 && !held) {
            held = true;
            return 3;
        }
        if (stuck)
            return step;
        return step + 1;
    }
    std::function<void()> midway;
    int resets = 0;
    bool held = false;
    bool stuck = false;  // never moves on, as with a device that holds the line
    std::vector<qint64> times;
    QElapsedTimer clock;
};
}  // namespace

TEST(FeatureFrm, OneEntryGoesWithoutProgressBarAtItsOwnPaceAndNothingStartsInsideIt)
{
    ActiveDoc d;
    MessageLog messages;
    TransferFrame frame;
    EntryBlock entry;
    entry.clock.start();
    bool checked = false;
    entry.midway = [&] {
        checked = true;
        EXPECT_TRUE(frame.IsTransferring());
        EXPECT_EQ(nullptr, frame.findChild<QProgressBar*>());
        EXPECT_EQ(nullptr, frame.findChild<QPushButton*>(QStringLiteral("CancelTransfer")));
        ASSERT_TRUE(QApplication::overrideCursor());
        EXPECT_EQ(Qt::WaitCursor, QApplication::overrideCursor()->shape());
        EXPECT_FALSE(frame.GetCommandBar()->isEnabled());
        EXPECT_FALSE(frame.centralWidget()->isEnabled());
        // The whole block's button, the entry again and the block asked for directly: none runs.
        frame.GetAction(TransferFrame::kTransfer)->trigger();
        frame.TransferOne(&entry, 1, -1, 3);
        frame.TransferAll(&entry, 1, -1);
        frame.TransferAll(&frame.block, 1, -1);
    };
    frame.TransferSteps(&entry, 1, -1, 3, 5);
    ASSERT_TRUE(checked);
    EXPECT_EQ(1, entry.resets);
    EXPECT_EQ(0, frame.block.resets);
    ASSERT_EQ(3u, entry.times.size()) << "step 3 twice (it held back once), step 4 once";
    for (size_t i = 1; i < entry.times.size(); ++i)
        EXPECT_GE(entry.times[i] - entry.times[i - 1], 45) << "call " << i;
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_TRUE(frame.centralWidget()->isEnabled());
}

TEST(FeatureFrm, OneEntryThatNeverMovesOnEndsAfterTheLimitAndSaysWhere)
{
    ActiveDoc d;
    MessageLog messages;
    TransferFrame frame;
    frame.SetStallLimit(400);
    EntryBlock entry;
    entry.clock.start();
    entry.stuck = true;
    QElapsedTimer took;
    took.start();
    frame.TransferOne(&entry, 0, -1, 4, "Eintrag 4");
    EXPECT_GE(took.elapsed(), 400);
    EXPECT_LT(took.elapsed(), 5000);
    // The entry by its own title and its own steps, and nothing of other entries.
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Die Übertragung 'Eintrag 4' ist nicht vollständig (Schritt 0 von 1): das Gerät hat 1 Sekunden "
              "lang weder gelesen noch geantwortet.\nDer Rest des Eintrags wurde nicht gesendet.",
              messages.texts[0]);
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
}

TEST(FeatureFrm, ABlockThatGoesRowByRowShowsItsRowsAndNamesTheRowItStoppedIn)
{
    ActiveDoc d;
    MessageLog messages;
    TransferFrame frame;
    int maximum = -1;
    int value = -1;
    frame.block.midway = [&] {
        auto* bar = frame.findChild<QProgressBar*>();
        ASSERT_TRUE(bar);
        maximum = bar->maximum();
        value = bar->value();
        frame.CancelTransfer();
    };
    // Two rows of two steps each.
    frame.TransferRows(&frame.block, 0, -1, 2, [](int step) { return step / 2; });
    EXPECT_EQ(2, maximum);
    EXPECT_EQ(1, value) << "step 2 is the second row's";
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Die Übertragung 'Stufenblock' ist nicht vollständig (Schritt 1 von 2): sie wurde abgebrochen.\n"
              "Die übrigen Einträge wurden nicht übertragen.",
              messages.texts[0]);

    // The next whole transfer counts its steps again.
    messages.texts.clear();
    frame.block.midway = [&] { maximum = frame.findChild<QProgressBar*>()->maximum(); };
    frame.OnCommand(TransferFrame::kTransfer);
    EXPECT_EQ(4, maximum);
    EXPECT_TRUE(messages.texts.empty());
}
