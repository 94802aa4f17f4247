// The audio outputs dialog: what it shows for a document's output cards, how
// its sliders, edits and spins reach the cards and the device, the delay
// units, and how the one open instance follows and leaves the documents.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "hardware/CAudioOutputSlot.h"
#include "hardware/windows/CAudioOutputsDlg.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CGridEdit.h"

namespace {

CAudioOutputSlot* Card(CQuillomerDoc& doc, int index)
{
    std::vector<CAudioOutputSlot*> found;
    for (CBaseDevice* obj : doc.GetList(CAT_OUTPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioOutputSlot*>(obj))
            found.push_back(s);
    return found.at(index);
}

template <class T>
T* Control(QWidget* dlg, int id)
{
    T* w = dlg->findChild<T*>(QString::number(id));
    EXPECT_NE(nullptr, w) << id;
    return w;
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The user types a text and leaves the edit.
void Type(CGridEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setModified(true);
    emit edit->FocusLost();
}

constexpr int kSliders[4] = {1056, 1058, 1095, 1054};
constexpr int kVolumes[4] = {1061, 1062, 1094, 1060};
constexpr int kVolumeSpins[4] = {1057, 1063, 1096, 1055};
constexpr int kDelays[4] = {1080, 1082, 1076, 1078};
constexpr int kDelaySpins[4] = {1081, 1083, 1077, 1079};

class AudioOutputsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetModifiedFlag(false);
        slot3 = Card(doc, 0);
        slot4 = Card(doc, 1);
    }
    void TearDown() override
    {
        DeleteAudioOutputsDlg();
        FlushDeletes();
    }
    CAudioOutputsDlg* Open(CQuillomerDoc* d = nullptr)
    {
        EXPECT_EQ(1, OpenAudioOutputsDlg(d ? d : &doc));
        CAudioOutputsDlg* dlg = GetOpenAudioOutputsDlg();
        EXPECT_NE(nullptr, dlg);
        return dlg;
    }
    void ChooseUnit(CAudioOutputsDlg* dlg, int unit)
    {
        auto* combo = Control<QComboBox>(dlg, 1039);
        combo->setCurrentIndex(unit);
        emit combo->activated(unit);
    }

    ModelTestHost host;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
    blocktest::RecordingSender sender;
    MessageLog messages;
    CAudioOutputSlot* slot3 = nullptr;
    CAudioOutputSlot* slot4 = nullptr;
};

}  // namespace

TEST(AudioOutputsVolumeScale, LinearAboveTheKneeLogarithmicBelow)
{
    EXPECT_EQ(50, CAudioOutputsDlg::Knee());
    EXPECT_DOUBLE_EQ(6.0, CAudioOutputsDlg::SliderToVolume(0));
    EXPECT_DOUBLE_EQ(0.0, CAudioOutputsDlg::SliderToVolume(25));
    EXPECT_DOUBLE_EQ(-6.0, CAudioOutputsDlg::SliderToVolume(50));
    EXPECT_NEAR(-20.0, CAudioOutputsDlg::SliderToVolume(64), 0.5);
    EXPECT_NEAR(-80.0, CAudioOutputsDlg::SliderToVolume(87), 1e-9);
    EXPECT_EQ(87, CAudioOutputsDlg::VolumeToSlider(-80.0));
    EXPECT_EQ(0, CAudioOutputsDlg::VolumeToSlider(6.0));
    EXPECT_EQ(64, CAudioOutputsDlg::VolumeToSlider(-20.0));
    for (int pos = 0; pos <= 87; ++pos)
        EXPECT_EQ(pos, CAudioOutputsDlg::VolumeToSlider(CAudioOutputsDlg::SliderToVolume(pos))) << pos;
}

TEST_F(AudioOutputsDlgTest, ANewProjectShowsSlotThreeAndDisablesTheEmptySlotFour)
{
    doc.SetTitle("Halle");
    slot3->SetName("Ausgang Halle");  // found by its slot, whatever its name
    CAudioOutputsDlg* dlg = Open();
    EXPECT_EQ(dlg, GetAudioOutputsDlg());
    EXPECT_EQ(&doc, GetAudioOutputsDlgDocument());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(QString("Audio Ausgänge [Halle]"), dlg->windowTitle());
    EXPECT_EQ((std::vector<int>{12, 25, 37, 50, 64, 75, 82}), dlg->GetTicks());
    auto* unit = Control<QComboBox>(dlg, 1039);
    ASSERT_EQ(3, unit->count());
    EXPECT_EQ("ms", unit->itemText(0));
    EXPECT_EQ("meter", unit->itemText(1));
    EXPECT_EQ("feet", unit->itemText(2));
    EXPECT_EQ(0, unit->currentIndex());
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Control<QSlider>(dlg, kSliders[i])->isEnabled()) << i;
        EXPECT_EQ(25, Control<QSlider>(dlg, kSliders[i])->value());
        EXPECT_EQ("0.0", Control<CGridEdit>(dlg, kVolumes[i])->text());
        EXPECT_EQ(87 - 25, dlg->GetSpinPos(kVolumeSpins[i]));
        EXPECT_EQ("0.00", Control<CGridEdit>(dlg, kDelays[i])->text());
    }
    for (int i = 2; i < 4; ++i) {
        EXPECT_FALSE(Control<QSlider>(dlg, kSliders[i])->isEnabled()) << i;
        EXPECT_FALSE(Control<CGridEdit>(dlg, kVolumes[i])->isEnabled());
        EXPECT_FALSE(Control<CGridEdit>(dlg, kDelays[i])->isEnabled());
        EXPECT_FALSE(Control<QWidget>(dlg, kVolumeSpins[i])->isEnabled());
        EXPECT_FALSE(Control<QWidget>(dlg, kDelaySpins[i])->isEnabled());
        EXPECT_EQ(87, Control<QSlider>(dlg, kSliders[i])->value());
        EXPECT_EQ("OFF", Control<CGridEdit>(dlg, kVolumes[i])->text());
    }
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(AudioOutputsDlgTest, OpeningRoundsTheVolumesIntoTheCardsWithoutSending)
{
    slot3->SetValue(OPC_VOL, 1, "-12.34");
    CAudioOutputsDlg* dlg = Open();
    EXPECT_DOUBLE_EQ(-12.3, slot3->m_volume[1]);
    EXPECT_EQ("-12.3", Control<CGridEdit>(dlg, kVolumes[1])->text());
    EXPECT_EQ(CAudioOutputsDlg::VolumeToSlider(-12.3), Control<QSlider>(dlg, kSliders[1])->value());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_FALSE(CAudioOutputsDlg::IsFilling());
}

TEST_F(AudioOutputsDlgTest, SliderAndSpinsChangeTheCardAndSendAtOnce)
{
    CAudioOutputsDlg* dlg = Open();
    auto* slider = Control<QSlider>(dlg, kSliders[0]);
    slider->setValue(87);  // dragged to the bottom
    EXPECT_DOUBLE_EQ(-80.0, slot3->m_volume[0]);
    EXPECT_EQ("OFF", Control<CGridEdit>(dlg, kVolumes[0])->text());
    EXPECT_EQ(0, dlg->GetSpinPos(kVolumeSpins[0]));
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ("/AUDIO/OUT1/VOL -80.0", sender.lines[0]);

    slider->setValue(50);
    EXPECT_EQ("/AUDIO/OUT1/VOL -6.0", sender.lines.back());
    EXPECT_EQ("-6.0", Control<CGridEdit>(dlg, kVolumes[0])->text());

    // The volume spin's up arrow is one slider step louder.
    auto* up = Control<QWidget>(dlg, kVolumeSpins[1])->findChild<QToolButton*>("up");
    ASSERT_NE(nullptr, up);
    up->click();
    EXPECT_EQ(24, Control<QSlider>(dlg, kSliders[1])->value());
    EXPECT_EQ(63, dlg->GetSpinPos(kVolumeSpins[1]));
    EXPECT_EQ("/AUDIO/OUT2/VOL 0.2", sender.lines.back());
    EXPECT_DOUBLE_EQ(0.2, slot3->m_volume[1]);
    // At the top the spin stays where it is and nothing more is sent.
    for (int i = 0; i < 30; ++i)
        up->click();
    const size_t sent = sender.lines.size();
    up->click();
    EXPECT_EQ(sent, sender.lines.size());
    EXPECT_EQ(87, dlg->GetSpinPos(kVolumeSpins[1]));
    EXPECT_DOUBLE_EQ(6.0, slot3->m_volume[1]);
}

TEST_F(AudioOutputsDlgTest, TypedVolumesAreClampedAndSent)
{
    CAudioOutputsDlg* dlg = Open();
    auto* edit = Control<CGridEdit>(dlg, kVolumes[1]);
    Type(edit, "9");
    EXPECT_EQ("6.0", edit->text());
    EXPECT_EQ(0, Control<QSlider>(dlg, kSliders[1])->value());
    EXPECT_EQ(87, dlg->GetSpinPos(kVolumeSpins[1]));
    EXPECT_EQ("/AUDIO/OUT2/VOL 6.0", sender.lines.back());
    EXPECT_DOUBLE_EQ(6.0, slot3->m_volume[1]);
}

TEST_F(AudioOutputsDlgTest, DelaysInMetresAndFeetAndTheirLimit)
{
    doc.m_data.deviceVariant = 0;  // "KVT 7000"
    slot3->SetValue(OPC_DELAY, 0, "10");
    CAudioOutputsDlg* dlg = Open();
    EXPECT_EQ("10.00", Control<CGridEdit>(dlg, kDelays[0])->text());
    EXPECT_DOUBLE_EQ(340.0, dlg->GetDelayMaximum());

    ChooseUnit(dlg, 1);
    EXPECT_EQ("3.43", Control<CGridEdit>(dlg, kDelays[0])->text());
    EXPECT_DOUBLE_EQ(343.45, dlg->GetDelayFactor());
    EXPECT_DOUBLE_EQ(116.773, dlg->GetDelayMaximum());
    EXPECT_NEAR(0.006629, dlg->GetDelayStep(), 1e-12);
    EXPECT_EQ(1, CAudioOutputSlot::GetDelayUnit(&doc));
    ChooseUnit(dlg, 2);
    EXPECT_EQ("11.27", Control<CGridEdit>(dlg, kDelays[0])->text());
    EXPECT_DOUBLE_EQ(1126.8, dlg->GetDelayFactor());
    // Switching the unit keeps the delay itself and sends nothing.
    EXPECT_EQ("10.000", slot3->GetValueText(OPC_DELAY, 0));
    EXPECT_TRUE(sender.lines.empty());

    // No delay beyond 340 ms in a project for the standard device.
    ChooseUnit(dlg, 0);
    auto* edit = Control<CGridEdit>(dlg, kDelays[1]);
    Type(edit, "500");
    EXPECT_EQ("340.00", edit->text());
    EXPECT_EQ("/AUDIO/OUT2/DELAY 340.000", sender.lines.back());
    EXPECT_EQ("340.000", slot3->GetValueText(OPC_DELAY, 1));
}

TEST_F(AudioOutputsDlgTest, TheUpgradedDeviceAllowsThreeHundredThirtyMilliseconds)
{
    doc.m_data.deviceVariant = 1;
    CAudioOutputsDlg* dlg = Open();
    EXPECT_DOUBLE_EQ(330.0, dlg->GetDelayMaximum());
    auto* edit = Control<CGridEdit>(dlg, kDelays[0]);
    Type(edit, "335");
    EXPECT_EQ("330.000", slot3->GetValueText(OPC_DELAY, 0));
}

TEST_F(AudioOutputsDlgTest, DelaySpinStepsAndJumps)
{
    CAudioOutputsDlg* dlg = Open();
    auto* edit = Control<CGridEdit>(dlg, kDelays[0]);
    dlg->OnDelaySpin(0, 1);
    EXPECT_EQ("/AUDIO/OUT1/DELAY 0.020", sender.lines.back());
    EXPECT_EQ(0, dlg->GetSpinPos(kDelaySpins[0]));
    // A held arrow's larger steps go to whole units.
    dlg->OnDelaySpin(0, 3);
    EXPECT_EQ("3.00", edit->text());
    EXPECT_EQ("/AUDIO/OUT1/DELAY 3.000", sender.lines.back());
    dlg->OnDelaySpin(0, -1);
    EXPECT_EQ("2.98", edit->text());
    // Below zero there is nothing: no line for an unchanged value.
    dlg->OnDelaySpin(0, -5);
    EXPECT_EQ("0.00", edit->text());
    const size_t sent = sender.lines.size();
    dlg->OnDelaySpin(0, -1);
    EXPECT_EQ(sent, sender.lines.size());
    // The down arrow of the control does the same.
    auto* up = Control<QWidget>(dlg, kDelaySpins[1])->findChild<QToolButton*>("up");
    ASSERT_NE(nullptr, up);
    up->click();
    EXPECT_EQ("/AUDIO/OUT2/DELAY 0.020", sender.lines.back());
}

TEST_F(AudioOutputsDlgTest, UploadAndCardCommandsReloadWithoutSending)
{
    CAudioOutputsDlg* dlg = Open();
    doc.DispatchAnswerLine("/AUDIO/OUT2/VOL -20", "", linkstate::Upload);
    EXPECT_EQ("-20.0", Control<CGridEdit>(dlg, kVolumes[1])->text());
    EXPECT_EQ(64, Control<QSlider>(dlg, kSliders[1])->value());
    slot4->OnCommand(outputcard::LineModule);
    EXPECT_TRUE(Control<QSlider>(dlg, kSliders[2])->isEnabled());
    EXPECT_EQ("0.0", Control<CGridEdit>(dlg, kVolumes[3])->text());
    EXPECT_TRUE(sender.lines.empty());
    slot4->OnCommand(outputcard::NotFitted);
    EXPECT_FALSE(Control<QSlider>(dlg, kSliders[3])->isEnabled());
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(AudioOutputsDlgTest, SavingTakesTypedValuesFirst)
{
    CAudioOutputsDlg* dlg = Open();
    auto* edit = Control<CGridEdit>(dlg, kVolumes[0]);
    edit->setText("-33.3");
    edit->setModified(true);
    doc.SaveToBytes();
    EXPECT_DOUBLE_EQ(-33.3, slot3->m_volume[0]);
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(AudioOutputsDlgTest, OneDialogFollowsTheDocumentInFront)
{
    CQuillomerDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    Card(other, 0)->SetValue(OPC_VOL, 0, "-10");
    Card(other, 0)->SetValue(OPC_UNIT, 0, "2");
    CAudioOutputsDlg* dlg = Open();
    auto* v1 = Control<CGridEdit>(dlg, kVolumes[0]);
    v1->setText("-4.5");
    v1->setModified(true);

    RetargetAudioOutputsDlg(&other);
    EXPECT_EQ(&other, dlg->GetDocument());
    EXPECT_EQ(&other, GetAudioOutputsDlgDocument());
    // The controls went into the first document's card before switching.
    EXPECT_DOUBLE_EQ(-4.5, slot3->m_volume[0]);
    EXPECT_EQ("-10.0", v1->text());
    EXPECT_EQ(2, Control<QComboBox>(dlg, 1039)->currentIndex());
    EXPECT_EQ(0, CAudioOutputSlot::GetDelayUnit(&doc));

    // Opening from a card of the first document again reuses the one dialog.
    EXPECT_EQ(1, OpenAudioOutputsDlg(&doc));
    EXPECT_EQ(dlg, GetOpenAudioOutputsDlg());
    EXPECT_EQ(&doc, dlg->GetDocument());
    EXPECT_EQ("-4.5", v1->text());
    EXPECT_EQ(0, Control<QComboBox>(dlg, 1039)->currentIndex());

    // Changes go to the card of the shown document only.
    Control<QSlider>(dlg, kSliders[0])->setValue(50);
    EXPECT_DOUBLE_EQ(-6.0, slot3->m_volume[0]);
    EXPECT_DOUBLE_EQ(-10.0, Card(other, 0)->m_volume[0]);
    ASSERT_FALSE(sender.docs.empty());
    EXPECT_EQ(&doc, sender.docs.back());
}

TEST_F(AudioOutputsDlgTest, EscapeStoresAndClosesTheDialog)
{
    CAudioOutputsDlg* dlg = Open();
    QPointer<CAudioOutputsDlg> watch(dlg);
    auto* d1 = Control<CGridEdit>(dlg, kDelays[0]);
    d1->setText("7.5");
    d1->setModified(true);
    QTest::keyClick(dlg, Qt::Key_Escape);
    EXPECT_EQ(nullptr, GetOpenAudioOutputsDlg());
    EXPECT_EQ(nullptr, GetAudioOutputsDlg());
    EXPECT_EQ("7.500", slot3->GetValueText(OPC_DELAY, 0));
    FlushDeletes();
    EXPECT_TRUE(watch.isNull());
}

TEST_F(AudioOutputsDlgTest, ClosingTheDocumentClosesItsDialogOnly)
{
    CQuillomerDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    CAudioOutputsDlg* dlg = Open();
    CloseAudioOutputsDlg(&other);
    EXPECT_EQ(dlg, GetOpenAudioOutputsDlg());
    CloseAudioOutputsDlg(&doc);
    EXPECT_EQ(nullptr, GetOpenAudioOutputsDlg());
    FlushDeletes();
}

TEST_F(AudioOutputsDlgTest, ADocumentDroppedUnderTheOpenDialogLeavesItHarmless)
{
    auto gone = std::make_unique<CQuillomerDoc>();
    ASSERT_TRUE(gone->OnNewDocument());
    CAudioOutputsDlg* dlg = Open(gone.get());
    gone.reset();
    EXPECT_EQ(nullptr, GetAudioOutputsDlgDocument());
    EXPECT_EQ(nullptr, dlg->GetCard(0));
    EXPECT_FALSE(Control<QSlider>(dlg, kSliders[0])->isEnabled());
    // Nothing reaches the dropped cards; storing and closing are harmless.
    dlg->OnVolumeSlider(0, 10);
    dlg->StoreAll();
    EXPECT_TRUE(sender.lines.empty());
    RetargetAudioOutputsDlg(&doc);
    EXPECT_EQ(slot3, dlg->GetCard(0));
    EXPECT_TRUE(Control<QSlider>(dlg, kSliders[0])->isEnabled());
}

// The user opens the dialog of a project just saved, clicks into the shown
// values and tabs on without changing them: the project stays unmodified.
// A minus typed into a delay brings the shortest delay, 0, and no "-0.00";
// a volume typed beyond +6 dB is taken as +6 and marks the project.
TEST_F(AudioOutputsDlgTest, ShownValuesTabbedThroughLeaveTheProjectUnmodified)
{
    CAudioOutputsDlg* dlg = Open();
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    EXPECT_FALSE(doc.IsModified()) << "opening changes nothing";

    const auto clickAndTab = [&](CGridEdit* edit, const QString& typed) {
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        ASSERT_TRUE(edit->hasFocus());
        if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        QTest::keyClick(edit, Qt::Key_Tab);
        ASSERT_FALSE(edit->hasFocus());
    };
    for (int i = 0; i < 2; ++i) {
        clickAndTab(Control<CGridEdit>(dlg, kVolumes[i]), QString());
        clickAndTab(Control<CGridEdit>(dlg, kDelays[i]), QString());
    }
    EXPECT_FALSE(doc.IsModified()) << "the shown values entered again";
    EXPECT_EQ("0.0", Control<CGridEdit>(dlg, kVolumes[0])->text());
    EXPECT_EQ("0.00", Control<CGridEdit>(dlg, kDelays[0])->text());

    auto* delay = Control<CGridEdit>(dlg, kDelays[1]);
    clickAndTab(delay, QStringLiteral("-5"));
    EXPECT_EQ("0.00", delay->text());
    EXPECT_EQ("0.000", slot3->GetValueText(OPC_DELAY, 1));
    ASSERT_FALSE(sender.lines.empty());
    EXPECT_EQ("/AUDIO/OUT2/DELAY 0.000", sender.lines.back());
    EXPECT_FALSE(doc.IsModified());

    auto* volume = Control<CGridEdit>(dlg, kVolumes[0]);
    clickAndTab(volume, QStringLiteral("12.5"));
    EXPECT_EQ("6.0", volume->text());
    EXPECT_EQ("/AUDIO/OUT1/VOL 6.0", sender.lines.back());
    EXPECT_TRUE(doc.IsModified());
}
