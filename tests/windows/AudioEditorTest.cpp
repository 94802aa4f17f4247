// The audio signal editor without a device: signals are created, refused,
// renamed and deleted through the list and pages, and the common levels
// follow their scale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSpinBox>
#include <cmath>
#include <memory>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QPushButton>

#include "audio/CAudioSignal.h"
#include "audio/CMiscAudio.h"
#include "audio/windows/CAlarmPage.h"
#include "audio/windows/CChimePage.h"
#include "audio/windows/CMessagePage.h"
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CBackgroundPage.h"
#include "audio/windows/CSignalListDlg.h"
#include "audio/windows/CSignalPage.h"
#include "audio/windows/SignalPages.h"
#include "audio/windows/CVolumeView.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "macros/CMacro.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "ui/CLevelSlider.h"
#include "ui/CListCtrl.h"
#include "ui/CScaleCtrl.h"
#include "ui/CWholeSpinBox.h"
#include "ui/ColumnWidths.h"
#include "ui/CValueEdit.h"

namespace {
class AudioEditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    int SignalCount(uint32_t kind) const
    {
        int n = 0;
        for (CBaseDevice* obj : doc.GetList(CAT_AUDIO))
            n += obj->GetKindId() == kind ? 1 : 0;
        return n;
    }
    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
};
}  // namespace

TEST_F(AudioEditorTest, SignalsAreCreatedOnlyWithTheirGeneratorAndDeletedFromTheList)
{
    CAudioEditor editor(&doc);
    CSignalListDlg* list = editor.m_list;
    // Empty the list first: deleting the last row leaves nothing selected.
    while (list->List()->GetItemCount() > 0) {
        list->SelectRow(0);
        editor.OnDelete();
    }
    EXPECT_EQ(nullptr, list->GetSelectedSignal());
    const int alarms = SignalCount(signalkind::Alarm);
    EXPECT_EQ(0, alarms);

    editor.SetActivePage(0);
    CAlarmPage* page = editor.m_alarm;
    page->m_extern->click();  // no generator: an external alarm is not made here
    editor.OnAdd();
    EXPECT_TRUE(messages.Contains("QTB8174"));
    EXPECT_EQ(0, SignalCount(signalkind::Alarm));

    page->m_intern->click();
    ASSERT_GT(page->m_generators->count(), 0) << "a new project has alarm generators";
    page->m_generators->setCurrentRow(0);
    page->m_priority->setText(QStringLiteral("4"));
    editor.OnAdd();
    ASSERT_EQ(1, SignalCount(signalkind::Alarm));
    int row = -1;
    CAudioSignal* signal = list->GetSelectedSignal(&row);
    ASSERT_NE(nullptr, signal);
    EXPECT_EQ("4", signal->GetValue(signalkey::Priority));
    EXPECT_EQ(page->m_generators->item(0)->text(), list->List()->GetItemText(row, 1));

    // Ctrl+C lists the selected signal's connections: its generator comes in.
    int inputs = -1;
    CBaseDevice* shown = nullptr;
    QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
    QTimer::singleShot(0, &scope, [&] {
        if (auto* dlg = qobject_cast<CConnectionsDlg*>(QApplication::activeModalWidget())) {
            shown = dlg->m_pDevice;
            inputs = dlg->m_inputList->count() + dlg->m_outputList->count();
            dlg->reject();
        }
    });
    page->ShowConnections();
    EXPECT_EQ(signal, shown);
    EXPECT_GT(inputs, 0);

    // A name another object bears is refused; the row keeps its text.
    const QString before = list->List()->GetItemText(row, 0);
    list->List()->Row(row)->setText(0, QString::fromStdString(doc.GetList(CAT_AUDIO).front()->GetName()));
    EXPECT_EQ(before, list->List()->GetItemText(row, 0));
}

// The signal list shows a new project's signals, names and types, whole at
// the editor's designed size.
TEST_F(AudioEditorTest, SignalListShowsNamesAndTypesWhole)
{
    CAudioEditor editor(&doc);
    editor.show();
    QApplication::processEvents();
    QApplication::processEvents();
    CListCtrl* list = editor.m_list->List();
    ASSERT_GT(list->GetItemCount(), 0) << "a new project has signals";
    for (int c = 0; c < list->GetColumnCount(); ++c)
        EXPECT_GE(list->GetColumnWidth(c), ColumnContentWidth(list, c)) << c;
}

TEST_F(AudioEditorTest, CommonLevelsFollowTheirScaleAndLimits)
{
    EXPECT_EQ(50, CBackgroundPage::Knee());
    EXPECT_EQ(50, CBackgroundPage::PositionOfDb(-6.0f));
    EXPECT_EQ(87, CBackgroundPage::PositionOfDb(-80.0f));
    EXPECT_FLOAT_EQ(6.0f, CBackgroundPage::DbOfPosition(0));

    CAudioEditor editor(&doc);
    editor.SetActivePage(3);
    CBackgroundPage* page = editor.m_background;
    EXPECT_FALSE(editor.m_list->List()->isEnabled());
    auto* audio = dynamic_cast<CMiscAudio*>(doc.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
    page->m_sliders[1]->setValue(0);  // the gong stops at 0 dB
    EXPECT_FLOAT_EQ(0.0f, audio->GetLevel(miscaudiokey::ChimeVol));
    page->m_sliders[3]->setValue(0);  // the panic level reaches +6 dB
    EXPECT_EQ(QLatin1String("6.0"), page->m_values[3]->text());
    page->m_values[0]->setText(QStringLiteral("-95"));
    page->m_values[0]->setModified(true);  // as typing leaves it
    emit page->m_values[0]->editingFinished();
    EXPECT_EQ(QLatin1String("OFF"), page->m_values[0]->text());
    EXPECT_FLOAT_EQ(-80.0f, audio->GetLevel(miscaudiokey::AlarmVol));
    page->SetLevel(2, -6.0f);
    EXPECT_EQ(50, page->m_sliders[2]->value());
    editor.SetActivePage(0);
    EXPECT_TRUE(editor.m_list->List()->isEnabled());
}

// Looking at the pages changes nothing: "Übernehmen" stays disabled and
// "Abbrechen" stays until a signal is added or deleted, after which the
// change cannot be taken back and the button reads "Schließen".
TEST_F(AudioEditorTest, SwitchingPagesChangesNothingAndAddOrDeleteTurnsCancelIntoClose)
{
    for (bool deleting : {false, true}) {
        SCOPED_TRACE(deleting ? "delete" : "add");
        CAudioEditor editor(&doc);
        editor.show();
        QApplication::processEvents();
        EXPECT_FALSE(editor.ApplyButton()->isEnabled());
        EXPECT_EQ(QString("Abbrechen"), editor.CancelButton()->text());
        auto* tabs = editor.findChild<QTabWidget*>();
        for (int page : {1, 2, 3, 0, 2, 1, 3, 0}) {
            tabs->setCurrentIndex(page);
            QApplication::processEvents();
            EXPECT_FALSE(editor.ApplyButton()->isEnabled()) << "page " << page;
        }
        EXPECT_EQ(QString("Abbrechen"), editor.CancelButton()->text());
        if (deleting) {
            // The user deletes the second row: the last row alone is chosen after.
            CListCtrl* list = editor.m_list->List();
            ASSERT_GT(list->GetItemCount(), 2);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->Row(1)).center());
            QTest::mouseClick(editor.m_list->DeleteButton(), Qt::LeftButton);
            EXPECT_EQ(QList<QTreeWidgetItem*>{list->Row(list->GetItemCount() - 1)}, list->selectedItems());
        } else {
            editor.SetActivePage(0);
            ASSERT_GT(editor.m_alarm->m_generators->count(), 0);
            editor.m_alarm->m_generators->setCurrentRow(0);
            editor.OnAdd();
        }
        EXPECT_EQ(QString("Schließen"), editor.CancelButton()->text());
        editor.reject();
    }
}

// Ctrl+C opens the connections dialog from whichever control of a signal
// page has the focus, the priority field included.
TEST_F(AudioEditorTest, CtrlCShowsTheConnectionsFromEveryControlOfAPage)
{
    CAudioEditor editor(&doc);
    ASSERT_GT(editor.m_list->List()->GetItemCount(), 0);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.m_list->SelectRow(0);
    CSignalPage* page = qobject_cast<CSignalPage*>(editor.GetActivePage());
    ASSERT_NE(nullptr, page);
    std::vector<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus && w->isVisible() && w->isEnabled())
            controls.push_back(w);
    ASSERT_GT(controls.size(), 3u);
    EXPECT_NE(controls.end(), std::find(controls.begin(), controls.end(), page->findChild<QWidget*>("1140")));
    for (QWidget* w : controls) {
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
        w->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(w, QApplication::focusWidget());
        bool shown = false;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            if (auto* dlg = qobject_cast<CConnectionsDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                dlg->reject();
            }
        });
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_TRUE(shown) << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
}

// The level sliders' tick marks stand at the quarters of the knee and at
// 26, 46, 66 and 86, each where the slider has that position; the limited
// levels' spins run 0..61, the panic level's 0..87.
TEST_F(AudioEditorTest, CommonLevelTicksAndSpinRanges)
{
    EXPECT_EQ((std::vector<int>{12, 25, 37, 50, 26, 46, 66, 86}), CBackgroundPage::TickPositions());
    CAudioEditor editor(&doc);
    editor.SetActivePage(3);
    CBackgroundPage* page = editor.m_background;
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        QSlider* slider = page->m_sliders[c];
        auto* scale = page->findChild<CScaleCtrl*>(slider->objectName() + QStringLiteral("ticks"));
        ASSERT_NE(nullptr, scale);
        std::vector<int> positions;
        for (double at : scale->Ticks())
            positions.push_back(static_cast<int>(std::lround(slider->minimum() + at * (slider->maximum() - slider->minimum()))));
        if (c == 3)
            EXPECT_EQ((std::vector<int>{12, 25, 37, 50, 26, 46, 66, 86}), positions);
        else  // 12 lies above the 0 dB top of a limited slider
            EXPECT_EQ((std::vector<int>{25, 37, 50, 26, 46, 66, 86}), positions);
        EXPECT_EQ(QSlider::NoTicks, slider->tickPosition());
        EXPECT_EQ(0, page->m_spins[c]->minimum());
        EXPECT_EQ(c == 3 ? 87 : 61, page->m_spins[c]->maximum());
    }
}

// The volumes window ticks every 10 dB from 0 dB down to -140 dB, counted
// from each slider's 0 dB position (the chime and message sliders reach +6 dB).
TEST_F(AudioEditorTest, VolumeSliderTicksStandEveryTenDecibelsFromZero)
{
    CVolumeView view;
    for (int c = 0; c < CVolumeView::kChannelCount; ++c) {
        SCOPED_TRACE(c);
        QSlider* slider = view.m_sliders[c];
        auto* scale = view.findChild<CScaleCtrl*>(slider->objectName() + QStringLiteral("ticks"));
        ASSERT_NE(nullptr, scale);
        std::vector<float> levels;
        for (double at : scale->Ticks())
            levels.push_back(CVolumeView::LevelOfPosition(
                c, static_cast<int>(std::lround(slider->minimum() + at * (slider->maximum() - slider->minimum())))));
        std::vector<float> expected;
        for (int db = 0; db >= -140; db -= 10)
            expected.push_back(static_cast<float>(db));
        EXPECT_EQ(expected, levels);
        EXPECT_EQ(QSlider::NoTicks, slider->tickPosition());
    }
    EXPECT_EQ(-144, CVolumeView::TickPositions(CVolumeView::Chime).front());
    EXPECT_EQ(-10, CVolumeView::TickPositions(CVolumeView::In1).back());
}

namespace {
// The row of the first alarm signal in the editor's list; -1 when none.
int FirstAlarmRow(CSignalListDlg* list)
{
    for (int r = 0; r < list->List()->GetItemCount(); ++r)
        if (reinterpret_cast<CAudioSignal*>(list->List()->GetItemData(r))->GetKindId() == signalkind::Alarm)
            return r;
    return -1;
}

QPushButton* OkButton(CAudioEditor& editor)
{
    for (QPushButton* b : editor.findChildren<QPushButton*>())
        if (b->text() == QLatin1String("OK"))
            return b;
    return nullptr;
}

// Shows the editor, clicks the row and types `priority` into the page's field.
CAudioEditor* OpenAndType(CQuillomerDoc* doc, int row, const QString& priority)
{
    auto* editor = new CAudioEditor(doc);
    editor->show();
    editor->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
    CListCtrl* list = editor->m_list->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->Row(row)).center());
    EXPECT_EQ(editor->m_alarm, editor->GetActivePage());
    CValueEdit* field = editor->m_alarm->m_priority;
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, priority);
    return editor;
}
}  // namespace

// OK applies the shown page as Apply does: the typed priority reaches the
// signal, marks the project modified and is in the saved file. A priority out
// of range keeps the editor open with the range message; Escape then leaves
// the signal as it was.
TEST_F(AudioEditorTest, OkAppliesTheShownPageAndRefusesAPriorityOutOfRange)
{
    int row = -1;
    {
        CAudioEditor probe(&doc);
        row = FirstAlarmRow(probe.m_list);
    }
    ASSERT_GE(row, 0) << "a new project has alarm signals";
    doc.SetModifiedFlag(false);
    std::unique_ptr<CAudioEditor> editor(OpenAndType(&doc, row, QStringLiteral("4")));
    CAudioSignal* signal = editor->m_list->GetSelectedSignal();
    ASSERT_NE(nullptr, signal);
    const std::string name = signal->GetName();
    QTest::mouseClick(OkButton(*editor), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(QDialog::Accepted, editor->result());
    EXPECT_EQ(4, signal->GetPriority());
    EXPECT_TRUE(doc.IsModified());
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
    const CAudioSignal* stored = nullptr;
    for (CBaseDevice* obj : reopened.GetList(CAT_AUDIO))
        if (obj->GetName() == name)
            stored = dynamic_cast<const CAudioSignal*>(obj);
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ(4, stored->GetPriority());

    for (const char* typed : {"55", "0", "5,5"}) {
        SCOPED_TRACE(typed);
        doc.SetModifiedFlag(false);
        messages.texts.clear();
        editor.reset(OpenAndType(&doc, row, QString::fromLatin1(typed)));
        QTest::mouseClick(OkButton(*editor), Qt::LeftButton);
        EXPECT_TRUE(messages.Contains("zwischen 1 und 10"));
        ASSERT_TRUE(editor->isVisible()) << "the editor stays open for a correction";
        EXPECT_EQ(editor->m_alarm->m_priority, QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(4, signal->GetPriority());
        EXPECT_FALSE(doc.IsModified());
    }
}

// A level slider looks like a plain upright slider at the mirrored value: the
// handle where the level is and the groove filled from the quiet bottom up to
// it, so -150 dB shows an empty groove and 0 dB a full one. The volumes window
// with its first input at -150 dB and its second at 0 dB is kept as a picture.
TEST_F(AudioEditorTest, LevelSlidersFillTheirGrooveFromTheQuietEnd)
{
    CLevelSlider level;
    QSlider plain(Qt::Vertical);
    for (QSlider* slider : {static_cast<QSlider*>(&level), &plain}) {
        slider->setRange(-150, 0);
        slider->resize(slider->sizeHint().width(), 200);
    }
    for (int position : {-150, -140, -75, -10, 0}) {
        SCOPED_TRACE(position);
        level.setValue(position);
        plain.setValue(-150 - position);
        EXPECT_EQ(plain.grab().toImage(), level.grab().toImage());
    }

    CVolumeView view;
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    auto type = [&](int channel, const char* text) {
        CValueEdit* field = view.m_fields[channel];
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Return);
    };
    type(CVolumeView::In1, "-150");
    type(CVolumeView::In2, "0");
    EXPECT_EQ(view.m_sliders[CVolumeView::In1]->maximum(), view.m_sliders[CVolumeView::In1]->value());
    EXPECT_EQ(view.m_sliders[CVolumeView::In2]->minimum(), view.m_sliders[CVolumeView::In2]->value());
    view.grab().save(QCoreApplication::applicationDirPath() + QStringLiteral("/volume-sliders.png"));
}

// Applying a signal's page rebuilds only what the page shows (its generator,
// start and stop macros): a macro that plays the signal keeps playing it.
TEST_F(AudioEditorTest, ApplyKeepsTheMacrosThatPlayTheSignal)
{
    int row = -1;
    {
        CAudioEditor probe(&doc);
        row = FirstAlarmRow(probe.m_list);
    }
    ASSERT_GE(row, 0);
    std::unique_ptr<CAudioEditor> editor(OpenAndType(&doc, row, QStringLiteral("3")));
    auto* signal = editor->m_list->GetSelectedSignal();
    ASSERT_NE(nullptr, signal);
    auto* macro = new CMacro;
    ASSERT_EQ(1, macro->Create(macrotype::Alarm, "Räumung", 7, CAT_MACRO, &doc));
    doc.AddObject(macro, CAT_MACRO);
    macro->SetParam(32, signal->GetNumber());
    ASSERT_EQ(signal->GetNumber(), macro->GetParam(32));
    QTest::mouseClick(editor->ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(3, signal->GetPriority());
    EXPECT_EQ(signal->GetNumber(), macro->GetParam(32));
    EXPECT_NE(nullptr, signalpages::Generator(signal, OT_ALARM)) << "the generator chosen on the page";
}

// A tab clicked while a signal of another kind is selected leaves no signal
// selected, so "Übernehmen" there makes a signal of the page's kind from the
// page's values (the chime page's own add button stays off) and leaves the
// other signal alone.
TEST_F(AudioEditorTest, ATabClickedLeavesNoSignalSelectedAndApplyThereMakesOneOfItsKind)
{
    CAudioEditor editor(&doc);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTabBar* tabs = editor.findChild<QTabWidget*>()->tabBar();
    CListCtrl* list = editor.m_list->List();
    struct Case {
        int tab;
        CSignalPage* page;
        uint32_t kind;
    };
    for (const Case& c : {Case{1, editor.m_chime, signalkind::Chime}, Case{2, editor.m_message, signalkind::Message}}) {
        SCOPED_TRACE(c.tab);
        const int alarmRow = FirstAlarmRow(editor.m_list);
        ASSERT_GE(alarmRow, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->Row(alarmRow)).center());
        CAudioSignal* alarm = editor.m_list->GetSelectedSignal();
        ASSERT_NE(nullptr, alarm);
        const int alarmPriority = alarm->GetPriority();
        const int before = SignalCount(c.kind);

        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(c.tab).center());
        ASSERT_EQ(c.page, editor.GetActivePage());
        EXPECT_EQ(nullptr, editor.m_list->GetSelectedSignal());
        EXPECT_EQ(c.kind != signalkind::Chime, editor.m_list->AddButton()->isEnabled());
        QTest::mouseClick(c.page->m_priority, Qt::LeftButton);
        QTest::keyClick(c.page->m_priority, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(c.page->m_priority, QStringLiteral("3"));
        ASSERT_TRUE(editor.ApplyButton()->isEnabled());
        QTest::mouseClick(editor.ApplyButton(), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(before + 1, SignalCount(c.kind));
        CAudioSignal* made = editor.m_list->GetSelectedSignal();
        ASSERT_NE(nullptr, made);
        EXPECT_EQ(c.kind, made->GetKindId());
        EXPECT_EQ(3, made->GetPriority());
        EXPECT_EQ(alarmPriority, alarm->GetPriority());
    }

    // A level field left as it was changes nothing, also where the field
    // shows the level rounded ("-12.3" for -12.34); a new level marks the page.
    auto* audio = dynamic_cast<CMiscAudio*>(doc.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
    ASSERT_NE(nullptr, audio);
    audio->SetValue(miscaudiokey::ChimeVol, "-12.34");
    audio->SetValue(miscaudiokey::MessageVol, "-12.34");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    ASSERT_EQ(editor.m_background, editor.GetActivePage());
    editor.m_background->SetModified(false);
    QLineEdit* chime = editor.m_background->m_values[1];
    EXPECT_EQ(QLatin1String("-12.3"), chime->text());
    doc.SetModifiedFlag(false);
    for (QLineEdit* field : {chime, editor.m_background->m_attenuation}) {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_FALSE(editor.m_background->IsModified()) << field->objectName().toStdString();
    }
    EXPECT_FALSE(editor.ApplyButton()->isEnabled());
    EXPECT_FLOAT_EQ(-12.34f, audio->GetLevel(miscaudiokey::ChimeVol));
    EXPECT_FALSE(doc.IsModified());
    QTest::mouseClick(chime, Qt::LeftButton);
    QTest::keyClick(chime, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(chime, QStringLiteral("-12"));
    QTest::keyClick(chime, Qt::Key_Tab);
    EXPECT_TRUE(editor.m_background->IsModified());
    EXPECT_EQ(QLatin1String("-12.0"), chime->text());
    // OK takes the typed level over and leaves the one nobody touched.
    QTest::mouseClick(OkButton(editor), Qt::LeftButton);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FLOAT_EQ(-12.0f, audio->GetLevel(miscaudiokey::ChimeVol));
    EXPECT_FLOAT_EQ(-12.34f, audio->GetLevel(miscaudiokey::MessageVol));
}
