// The audio inputs dialog: what it shows for a document's input cards, how
// its edits, spins and checks reach the slot objects and the device, and how
// the one open instance follows the documents. The attenuation and ramp that
// all inputs of a project share, edited while several projects are open: each
// project saves its own values, whatever the dialog did to or loaded into
// another one.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>
#include <QElapsedTimer>

#include <tuple>

#include "hardware/CAudioInputSlot.h"
#include "hardware/EqResponse.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "hardware/windows/CEqResponseCtrl.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CGridEdit.h"

namespace {

CAudioInputSlot* Slot(CQuillomerDoc& doc, int index)
{
    std::vector<CAudioInputSlot*> found;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioInputSlot*>(obj))
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
void Type(CGridEdit* edit, const char* text)
{
    edit->setText(text);
    edit->setModified(true);  // as typing leaves it
    emit edit->FocusLost();
}

// Attenuation and ramp of every channel record of a saved project.
void ExpectSaved(const std::vector<uint8_t>& bytes, double attenuation, double ramp, const char* what)
{
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes)) << what;
    ASSERT_EQ(2u, loaded.GetList(CAT_INPUT_SLOT).size()) << what;
    for (int i = 0; i < 2; ++i)
        for (int c = 0; c < 2; ++c) {
            CAudioInputSlot* s = Slot(loaded, i);
            EXPECT_DOUBLE_EQ(attenuation, s->m_attenuation[c]) << what << " " << s->GetName() << " " << c;
            EXPECT_DOUBLE_EQ(ramp, s->m_ramp[c]) << what << " " << s->GetName() << " " << c;
        }
}

class AudioInputsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        slot1 = Slot(doc, 0);
        slot2 = Slot(doc, 1);
    }
    void TearDown() override
    {
        DeleteAudioInputsDlg();
        FlushDeletes();
    }
    CAudioInputsDlg* Open(int input)
    {
        EXPECT_EQ(1, OpenAudioInputsDlg(&doc, input));
        CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
        EXPECT_NE(nullptr, dlg);
        return dlg;
    }

    ModelTestHost host;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
    blocktest::RecordingSender sender;
    MessageLog messages;
    CAudioInputSlot* slot1 = nullptr;
    CAudioInputSlot* slot2 = nullptr;
};

}  // namespace

TEST(AudioInputsVolumeMapping, SliderPositions)
{
    EXPECT_EQ(0, CAudioInputsDlg::VolumeToSlider(6.0));
    EXPECT_EQ(50, CAudioInputsDlg::VolumeToSlider(-6.0));
    EXPECT_EQ(87, CAudioInputsDlg::VolumeToSlider(-80.0));
    EXPECT_EQ(25, CAudioInputsDlg::VolumeToSlider(0.0));
    EXPECT_EQ(55, CAudioInputsDlg::VolumeToSlider(-10.0));
    EXPECT_EQ(64, CAudioInputsDlg::VolumeToSlider(-20.0));
    EXPECT_EQ(75, CAudioInputsDlg::VolumeToSlider(-40.0));
    EXPECT_DOUBLE_EQ(6.0, CAudioInputsDlg::SliderToVolume(0));
    EXPECT_DOUBLE_EQ(-6.0, CAudioInputsDlg::SliderToVolume(50));
    EXPECT_NEAR(-80.0, CAudioInputsDlg::SliderToVolume(87), 1e-9);
    // Every position maps back onto itself.
    for (int pos = 0; pos <= 87; ++pos)
        EXPECT_EQ(pos, CAudioInputsDlg::VolumeToSlider(CAudioInputsDlg::SliderToVolume(pos))) << pos;
}

TEST_F(AudioInputsDlgTest, OnlySlotTwoFittedShowsInputThree)
{
    slot2->SetCardType(inputcard::MicLine2);
    slot2->SetValueText(IPC_VOL, 0, "-6");
    CAudioInputsDlg* dlg = Open(0);
    EXPECT_EQ(2, dlg->GetSelectedInput());
    EXPECT_EQ(dlg, GetAudioInputsDlg());
    EXPECT_EQ(&doc, GetAudioInputsDlgDocument());
    auto* b1 = Control<QRadioButton>(dlg, 1003);
    auto* b3 = Control<QRadioButton>(dlg, 1024);
    EXPECT_EQ("1: ---", b1->text());
    EXPECT_FALSE(b1->isEnabled());
    EXPECT_EQ("3:Mic", b3->text());
    EXPECT_TRUE(b3->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dlg, 1026)->isVisibleTo(dlg));  // "5:" is hidden
    EXPECT_EQ(QString::fromStdString(LoadStringId(34139) + " [" +
                                     doc.GetTitle().substr(0, doc.GetTitle().find(' ')) + "]"),
              dlg->windowTitle());
    EXPECT_EQ(50, Control<QSlider>(dlg, 1052)->value());
    EXPECT_EQ("-6.0", Control<CGridEdit>(dlg, 1059)->text());
    EXPECT_EQ(87 - 50, dlg->GetSpinPos(1053));
    EXPECT_TRUE(Control<CGridEdit>(dlg, 1014)->isEnabled());
    // No line goes out while an input is only shown.
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(AudioInputsDlgTest, WithoutCardsEveryValueControlIsDisabled)
{
    CAudioInputsDlg* dlg = Open(1);
    EXPECT_FALSE(Control<CGridEdit>(dlg, 1014)->isEnabled());
    EXPECT_FALSE(Control<QComboBox>(dlg, 1039)->isEnabled());
    EXPECT_FALSE(Control<QSlider>(dlg, 1052)->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(dlg, 1065)->isEnabled());
    EXPECT_FALSE(Control<QRadioButton>(dlg, 1004)->isEnabled());
    EXPECT_FALSE(Control<QLabel>(dlg, 1080)->isEnabled());
}

TEST_F(AudioInputsDlgTest, FrequencyAboveTheRangeIsClampedAndSent)
{
    slot2->SetCardType(inputcard::Aux2);
    CAudioInputsDlg* dlg = Open(2);
    auto* f1 = Control<CGridEdit>(dlg, 1014);
    Type(f1, "25000");
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ(LoadStringId(34024), messages.texts[0]);
    EXPECT_EQ("20000.0", f1->text());
    EXPECT_EQ(186, dlg->GetSpinPos(1040));
    EXPECT_DOUBLE_EQ(20000.0, slot2->m_filters[0][0].f);
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ("/AUDIO/IN3/FILTER1/F 20000.0", sender.lines[0]);
    EXPECT_TRUE(sender.shortenFlags[0]);
    EXPECT_TRUE(doc.IsModified());
    // The AUX source of an AUX input is shown.
    EXPECT_EQ("In 1", Control<QLabel>(dlg, 1080)->text());
    EXPECT_TRUE(Control<QLabel>(dlg, 1080)->isEnabled());
}

TEST_F(AudioInputsDlgTest, SpinsWalkTheStepTables)
{
    slot1->SetCardType(inputcard::MicLine2);
    CAudioInputsDlg* dlg = Open(1);
    EXPECT_EQ(105, dlg->GetSpinPos(1046));  // filter 2 at 1000 Hz
    dlg->SpinStep(1046, 1);
    EXPECT_EQ("1025.0", Control<CGridEdit>(dlg, 1015)->text());
    EXPECT_EQ("/AUDIO/IN2/FILTER2/F 1025.0", sender.lines.back());
    EXPECT_DOUBLE_EQ(1025.0, slot1->m_filters[1][1].f);

    EXPECT_EQ(8, dlg->GetSpinPos(1049));  // Q 1.0
    dlg->SpinStep(1049, 4);
    EXPECT_EQ("1.3072", Control<CGridEdit>(dlg, 1019)->text());
    EXPECT_EQ("/AUDIO/IN2/FILTER2/Q 1.3072", sender.lines.back());

    dlg->SpinStep(1047, 30);  // gain, limited to +12 dB
    EXPECT_EQ("12.0", Control<CGridEdit>(dlg, 1018)->text());
    EXPECT_EQ(48, dlg->GetSpinPos(1047));
    // The graph shows the filter's peak.
    EXPECT_NEAR(12.0, dlg->GetResponse().Response(1, EqResponse::FrequencyIndex(1025.0)), 1e-6);

    EXPECT_EQ(87 - 25, dlg->GetSpinPos(1053));  // 0 dB
    dlg->SpinStep(1053, 1);  // volume: one step louder
    EXPECT_EQ(63, dlg->GetSpinPos(1053));
    EXPECT_EQ(24, Control<QSlider>(dlg, 1052)->value());
    EXPECT_EQ("0.2", Control<CGridEdit>(dlg, 1059)->text());
    EXPECT_EQ("/AUDIO/IN2/VOL " + std::string(Control<CGridEdit>(dlg, 1059)->text().toUtf8()), sender.lines.back());

    const size_t sent = sender.lines.size();
    dlg->SpinStep(1055, -3);  // attenuation -6 → -9: stored, not sent
    EXPECT_DOUBLE_EQ(-9.0, slot1->m_attenuation[1]);
    EXPECT_DOUBLE_EQ(-9.0, slot1->GetSharedAttenuation());
    dlg->SpinStep(1056, 50);
    EXPECT_DOUBLE_EQ(350.0, slot1->m_ramp[1]);
    EXPECT_EQ(sent, sender.lines.size());

    // The other inputs show the document's shared values, and switching
    // through them does not put an old value back.
    Control<QRadioButton>(dlg, 1003)->click();
    EXPECT_EQ(" -9", Control<CGridEdit>(dlg, 1006)->text());
    EXPECT_EQ(" 350", Control<CGridEdit>(dlg, 1007)->text());
    Control<QRadioButton>(dlg, 1004)->click();
    EXPECT_DOUBLE_EQ(-9.0, slot1->GetSharedAttenuation());
    EXPECT_DOUBLE_EQ(350.0, slot2->GetSharedRamp());
}

TEST_F(AudioInputsDlgTest, UncheckingOneBypassUnchecksBypassAll)
{
    slot1->SetCardType(inputcard::MicLine2);
    slot1->SetValueText(MakeInputKey(IPC_V, 1), 0, "6");
    slot1->SetValueText(IPC_BYPASS_ALL, 0, "1");
    CAudioInputsDlg* dlg = Open(0);
    auto* all = Control<QCheckBox>(dlg, 1065);
    auto* bypass2 = Control<QCheckBox>(dlg, 1063);
    EXPECT_TRUE(all->isChecked());
    EXPECT_EQ(0.0, dlg->GetResponse().Response(1, 124));

    bypass2->click();
    EXPECT_FALSE(bypass2->isChecked());
    EXPECT_FALSE(all->isChecked());
    EXPECT_NEAR(6.0, dlg->GetResponse().Response(1, EqResponse::FrequencyIndex(1000.0) + 1), 0.1);
    EXPECT_EQ("/AUDIO/IN1/FILTER2/BYPASS OFF", sender.lines.back());
    EXPECT_EQ(0, slot1->m_filters[0][1].bypass);

    // Bypass All switches the three together.
    all->click();
    EXPECT_TRUE(bypass2->isChecked());
    EXPECT_EQ(0.0, dlg->GetResponse().Sum(100));
    EXPECT_EQ("/AUDIO/IN1/FILTER3/BYPASS ON", sender.lines.back());

    // Changing a bypassed filter makes it work again, on the device too.
    dlg->SpinStep(1046, -1);
    EXPECT_FALSE(bypass2->isChecked());
    EXPECT_EQ("/AUDIO/IN1/FILTER2/BYPASS OFF", sender.lines[sender.lines.size() - 2]);
    EXPECT_EQ("/AUDIO/IN1/FILTER2/F 951.6", sender.lines.back());  // one step below 987.6
}

// The type or slope shown, chosen again from its opened list with Enter, or
// another one and back by the arrow keys, changes nothing: the bypassed
// filter stays bypassed, the device hears nothing, the project is unmarked.
TEST_F(AudioInputsDlgTest, ChoosingTheShownTypeOrSlopeAgainChangesNothing)
{
    const struct {
        int list;
        std::vector<Qt::Key> keys;
    } rows[] = {
        {1039, {Qt::Key_F4, Qt::Key_Return}},  // filter 1's type, "Lo Shelv"
        {1073, {Qt::Key_F4, Qt::Key_Return}},  // filter 1's slope, "6"
        {1045, {Qt::Key_F4, Qt::Key_Return}},  // filter 2's type, "PEQ"
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        slot1->SetCardType(inputcard::MicLine2);
        slot1->SetValueText(MakeInputKey(IPC_BYPASS, 0), 0, "1");
        slot1->SetValueText(MakeInputKey(IPC_BYPASS, 1), 0, "1");
        CAudioInputsDlg* dlg = Open(0);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
        doc.SetModifiedFlag(false);
        sender.lines.clear();
        auto* list = Control<QComboBox>(dlg, row.list);
        list->setFocus();
        for (Qt::Key key : row.keys) {
            QTest::keyClick(list->view()->isVisible() ? static_cast<QWidget*>(list->view()) : list, key);
            QApplication::processEvents();
        }
        EXPECT_TRUE(Control<QCheckBox>(dlg, 1062)->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dlg, 1063)->isChecked());
        EXPECT_EQ(1, slot1->m_filters[0][0].bypass);
        EXPECT_EQ(1, slot1->m_filters[0][1].bypass);
        EXPECT_TRUE(sender.lines.empty());
        EXPECT_FALSE(doc.IsModified());
        DeleteAudioInputsDlg();
        FlushDeletes();
    }
}

TEST_F(AudioInputsDlgTest, FilterTypeDecidesWhichControlsShow)
{
    slot1->SetCardType(inputcard::MicLine2);
    CAudioInputsDlg* dlg = Open(0);
    auto* type1 = Control<QComboBox>(dlg, 1039);
    EXPECT_EQ("Lo Shelv", type1->currentText());
    EXPECT_TRUE(Control<QComboBox>(dlg, 1073)->isVisibleTo(dlg));
    EXPECT_FALSE(Control<CGridEdit>(dlg, 1034)->isVisibleTo(dlg));
    type1->setCurrentIndex(0);  // Lo Cut
    emit type1->activated(0);
    EXPECT_EQ("/AUDIO/IN1/FILTER1/TYPE LOCUT", sender.lines.back());
    EXPECT_FALSE(Control<CGridEdit>(dlg, 1017)->isVisibleTo(dlg));
    type1->setCurrentIndex(2);  // PEQ
    emit type1->activated(2);
    EXPECT_TRUE(Control<CGridEdit>(dlg, 1034)->isVisibleTo(dlg));
    EXPECT_FALSE(Control<QComboBox>(dlg, 1073)->isVisibleTo(dlg));
    EXPECT_TRUE(Control<CGridEdit>(dlg, 1017)->isVisibleTo(dlg));
    EXPECT_EQ(IFT_PEQ, slot1->m_filters[0][0].type);
    // The high shelving filter has no 12 dB slope.
    EXPECT_EQ("Hi Shelv", Control<QComboBox>(dlg, 1045)->itemText(2));
    EXPECT_FALSE(Control<QComboBox>(dlg, 1075)->isEnabled());
    auto* type2 = Control<QComboBox>(dlg, 1045);
    auto* slope2 = Control<QComboBox>(dlg, 1074);
    type2->setCurrentIndex(0);  // Lo Shelv
    emit type2->activated(0);
    EXPECT_TRUE(slope2->isEnabled());
    slope2->setCurrentIndex(1);  // 12 dB
    emit slope2->activated(1);
    EXPECT_EQ("/AUDIO/IN1/FILTER2/S 12", sender.lines.back());
    type2->setCurrentIndex(2);  // Hi Shelv: back to 6 dB, on the device too
    emit type2->activated(2);
    EXPECT_FALSE(slope2->isEnabled());
    EXPECT_EQ("6", slope2->currentText());
    EXPECT_EQ("/AUDIO/IN1/FILTER2/TYPE HISHELV", sender.lines[sender.lines.size() - 2]);
    EXPECT_EQ("/AUDIO/IN1/FILTER2/S 6", sender.lines.back());
    EXPECT_EQ(0, slot1->m_filters[0][1].s);
}

// Input 1 holds a type its filter's list does not offer (a loaded file's);
// the dialog opened on input 2, whose filter shows another type, is switched
// to input 1 with a click: the list shows no entry rather than input 2's, the
// controls follow input 1's own type, and switching leaves that type alone.
TEST_F(AudioInputsDlgTest, ATypeTheListDoesNotOfferShowsNoOtherInputsType)
{
    const struct {
        int filter;
        int list;
        int32_t own;    // input 1's type, not in the list
        int32_t shown;  // input 2's type
        int gain;       // the gain edit: shown for every type but the cuts
        bool gainShown;
    } rows[] = {
        {0, 1039, IFT_HISHELV, IFT_LOCUT, 1017, true},
        {1, 1045, IFT_HICUT, IFT_HISHELV, 1018, false},
        {2, 1042, IFT_LOSHELV, IFT_HICUT, 1031, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        slot1->SetCardType(inputcard::MicLine2);
        slot1->m_filters[0][row.filter].type = row.own;
        slot1->SetValueText(MakeInputKey(IPC_TYPE, row.filter), 1, std::to_string(row.shown));
        CAudioInputsDlg* dlg = Open(1);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
        auto* list = Control<QComboBox>(dlg, row.list);
        EXPECT_EQ(row.shown, list->currentData().toInt());
        auto* input1 = Control<QRadioButton>(dlg, 1003);
        QTest::mouseClick(input1, Qt::LeftButton, {}, QPoint(4, input1->height() / 2));
        EXPECT_EQ(0, dlg->GetSelectedInput());
        EXPECT_EQ(-1, list->currentIndex());
        EXPECT_EQ(QString(), list->currentText());
        EXPECT_EQ(row.gainShown, Control<CGridEdit>(dlg, row.gain)->isVisible());
        auto* input2 = Control<QRadioButton>(dlg, 1004);
        QTest::mouseClick(input2, Qt::LeftButton, {}, QPoint(4, input2->height() / 2));
        QTest::mouseClick(input1, Qt::LeftButton, {}, QPoint(4, input1->height() / 2));
        EXPECT_EQ(row.own, slot1->m_filters[0][row.filter].type);
        EXPECT_EQ(row.shown, slot1->m_filters[1][row.filter].type);
        EXPECT_TRUE(sender.lines.empty());
        DeleteAudioInputsDlg();
        FlushDeletes();
    }
}

TEST_F(AudioInputsDlgTest, SwitchingInputsStoresTheShownOneFirst)
{
    slot1->SetCardType(inputcard::MicLine2);
    slot1->SetValueText(MakeInputKey(IPC_BYPASS, 0), 1, "1");
    CAudioInputsDlg* dlg = Open(0);
    Control<CGridEdit>(dlg, 1059)->setText("-12.5");   // typed, focus not yet left
    Control<CGridEdit>(dlg, 1030)->setText("4000");
    Control<QRadioButton>(dlg, 1004)->click();
    EXPECT_EQ(1, dlg->GetSelectedInput());
    EXPECT_DOUBLE_EQ(-12.5, slot1->m_volume[0]);
    EXPECT_DOUBLE_EQ(4000.0, slot1->m_filters[0][2].f);
    EXPECT_DOUBLE_EQ(0.0, slot1->m_volume[1]);
    EXPECT_EQ("0.0", Control<CGridEdit>(dlg, 1059)->text());
    EXPECT_EQ("2000.0", Control<CGridEdit>(dlg, 1030)->text());
    EXPECT_TRUE(sender.lines.empty());
    // Stored as shown, a bypassed filter included, the project stays unchanged.
    doc.SetModifiedFlag(false);
    Control<QRadioButton>(dlg, 1003)->click();
    EXPECT_EQ(1, slot1->m_filters[1][0].bypass);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(AudioInputsDlgTest, OneDialogFollowsTheFocusedDocument)
{
    slot1->SetCardType(inputcard::MicLine2);
    CAudioInputsDlg* dlg = Open(0);
    Control<CGridEdit>(dlg, 1059)->setText("-20");

    CQuillomerDoc other;
    other.OnNewDocument();
    other.SetTitle("Zweites Projekt");
    Slot(other, 0)->SetCardType(inputcard::Aux2);
    RetargetAudioInputsDlg(&other);
    EXPECT_DOUBLE_EQ(-20.0, slot1->m_volume[0]);  // stored into the first document
    EXPECT_EQ(&other, dlg->GetDocument());
    EXPECT_EQ(&other, GetAudioInputsDlgDocument());
    EXPECT_TRUE(dlg->windowTitle().endsWith("[Zweites]"));
    EXPECT_EQ("1:Aux", Control<QRadioButton>(dlg, 1003)->text());

    // Opening from a slot again reuses the one dialog.
    EXPECT_EQ(1, OpenAudioInputsDlg(&doc, 1));
    EXPECT_EQ(dlg, GetOpenAudioInputsDlg());
    EXPECT_EQ(&doc, dlg->GetDocument());

    // Dropping another document's contents leaves it open; its own closes it.
    CloseAudioInputsDlg(&other);
    EXPECT_EQ(dlg, GetOpenAudioInputsDlg());
    Control<CGridEdit>(dlg, 1059)->setText("-30");
    CloseAudioInputsDlg(&doc);
    EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
    EXPECT_EQ(nullptr, GetAudioInputsDlg());
    EXPECT_DOUBLE_EQ(-30.0, slot1->m_volume[0]);
    FlushDeletes();
}

TEST_F(AudioInputsDlgTest, SlotsOpenTheDialogAndAskItToStoreBeforeSaving)
{
    slot2->SetCardType(inputcard::MicLine2);
    slot2->SetHoverConnectors(1, -1);
    slot2->OnCommand(objcmd::Properties);
    CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(3, dlg->GetSelectedInput());
    EXPECT_TRUE(dlg->isVisible());
    // The card menu is locked while the dialog is open.
    CCmdUI card(inputcard::Aux2);
    slot2->OnUpdateCommand(card);
    EXPECT_FALSE(card.m_enabled);

    Control<CGridEdit>(dlg, 1059)->setText("-3");
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    EXPECT_DOUBLE_EQ(-3.0, slot2->m_volume[1]);
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    EXPECT_DOUBLE_EQ(-3.0, Slot(loaded, 1)->m_volume[1]);

    // An upload answer for the shown document refreshes the dialog.
    slot2->ParseUploadLines("AUDIO/IN3/VOL -10", "", 7);
    EXPECT_EQ(2, dlg->GetSelectedInput());
    EXPECT_EQ("-10.0", Control<CGridEdit>(dlg, 1059)->text());

    // Esc stores and closes.
    Control<CGridEdit>(dlg, 1059)->setText("-11");
    QTest::keyClick(dlg, Qt::Key_Escape);
    EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
    EXPECT_DOUBLE_EQ(-11.0, slot2->m_volume[0]);
    FlushDeletes();
}

// At 96, 120 and 144 DPI, also where the control begins inside a screen
// pixel: every line where the graph's size in screen pixels puts it, one
// pixel wide, the grid lines dotted.
TEST(EqResponseCtrlTest, DrawsTheSummedCurve)
{
    const struct {
        qreal scale;
        QSize size;
        QPoint at;  // in its window
    } rows[] = {{1.0, {300, 200}, {0, 0}}, {1.25, {301, 203}, {13, 13}}, {1.5, {287, 171}, {7, 5}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale);
        EqResponse eq;
        CEqResponseCtrl ctrl;
        ctrl.resize(row.size);
        ctrl.SetResponse(&eq);
        const QColor yellow(255, 255, 0), light(192, 192, 192), dark(128, 128, 128);
        auto shot = [&] {  // the screen pixels the graph covers in its window
            const QSizeF window = QSizeF(row.size) + QSizeF(row.at.x() + 2, row.at.y() + 2);
            QImage image((window * row.scale).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            image.setDevicePixelRatio(row.scale);
            ctrl.render(&image, row.at, QRegion(), QWidget::DrawChildren);
            QRect graph;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != qRgb(255, 255, 255))
                        graph |= QRect(x, y, 1, 1);
            return image.copy(graph);
        };
        const QImage flat = shot();
        const int w = flat.width(), h = flat.height(), mid = EqResponse::CurveY(0.0, h);
        EXPECT_NEAR(w, row.size.width() * row.scale, 1);
        EXPECT_EQ(QColor(Qt::black), flat.pixelColor(w / 2, 10));
        for (int x : {5, w / 2})
            EXPECT_EQ((std::vector<QColor>{yellow, QColor(Qt::black)}),
                      (std::vector<QColor>{flat.pixelColor(x, mid), flat.pixelColor(x, mid + 1)})) << x;
        // Along each grid line dots one pixel apart at least; none beside it.
        auto faults = [&](QPoint from, QPoint along, QPoint across, const QColor& c) {
            int dots = 0, faults = 0;
            for (QPoint p = from; flat.rect().contains(p); p += along) {
                dots += flat.pixelColor(p) == c;
                faults += (flat.pixelColor(p) == c && flat.pixelColor(p + along) == c) ||
                          flat.pixelColor(p + across) == c || flat.pixelColor(p - across) == c;
            }
            return dots > 20 ? faults : -1;
        };
        for (double g : EqResponse::kGridFrequencies)
            EXPECT_EQ(0, faults({EqResponse::GridX(g, w), mid + 2}, {0, 1}, {1, 0}, light)) << g << " Hz";
        for (int y : EqResponse::LevelGridRows(h))
            if (y != mid)
                EXPECT_EQ(0, faults({0, y}, {1, 0}, {0, 1}, dark)) << "row " << y;

        eq.ComputeResponse(1, IFT_PEQ, 2000.0, 1.0, 12.0);
        const QImage peak = shot();
        const int x = EqResponse::CurveX(124, w);
        EXPECT_EQ(yellow, peak.pixelColor(x, EqResponse::LevelGridRows(h).front()));  // on the +12 dB line
        EXPECT_NE(yellow, peak.pixelColor(x, mid));
    }
}

TEST_F(AudioInputsDlgTest, ADocumentDestroyedUnderTheDialogIsNotTouched)
{
    auto gone = std::make_unique<CQuillomerDoc>();
    gone->OnNewDocument();
    Slot(*gone, 0)->SetCardType(inputcard::MicLine2);
    ASSERT_EQ(1, OpenAudioInputsDlg(gone.get(), 0));
    CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
    gone.reset();  // without dropping its contents first
    EXPECT_EQ(nullptr, GetAudioInputsDlgDocument());
    dlg->StoreInput();
    dlg->SpinStep(1040, 1);
    EXPECT_TRUE(sender.lines.empty());
    // The next document in front takes over.
    slot1->SetCardType(inputcard::Aux2);
    RetargetAudioInputsDlg(&doc);
    EXPECT_EQ(&doc, GetAudioInputsDlgDocument());
    EXPECT_EQ("1:Aux", Control<QRadioButton>(dlg, 1003)->text());
}

TEST_F(AudioInputsDlgTest, SpinArrowsStepAndTheRampSpeedsUpWhenHeld)
{
    slot1->SetCardType(inputcard::MicLine2);
    CAudioInputsDlg* dlg = Open(0);
    const auto arrow = [dlg](int spin, const char* which) {
        QWidget* box = Control<QWidget>(dlg, spin);
        return box->findChild<QToolButton*>(which);
    };
    arrow(1040, "up")->click();
    EXPECT_EQ("/AUDIO/IN1/FILTER1/F 506.1", sender.lines.back());  // the step above 500 Hz
    arrow(1041, "down")->click();
    EXPECT_EQ("/AUDIO/IN1/FILTER1/V -0.5", sender.lines.back());

    // Clicks that follow one another quickly count as one hold.
    QToolButton* up = arrow(1056, "up");
    QElapsedTimer held;
    held.start();
    while (held.elapsed() < 1150) {
        up->click();
        QTest::qWait(100);
    }
    const double before = slot1->GetSharedRamp();
    up->click();
    EXPECT_DOUBLE_EQ(before + 10.0, slot1->GetSharedRamp());
    // After a pause it starts slowly again.
    QTest::qWait(600);
    up->click();
    EXPECT_DOUBLE_EQ(before + 11.0, slot1->GetSharedRamp());
}

// Escape closes the dialog like its close box, wherever the focus stands,
// with cards fitted or none.
TEST_F(AudioInputsDlgTest, EscapeClosesTheDialogFromEveryControl)
{
    auto focusable = [](QWidget* dlg) {
        std::vector<QWidget*> out{dlg};
        for (QWidget* w : dlg->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus && w->isVisible() && w->isEnabled())
                out.push_back(w);
        return out;
    };
    for (bool fitted : {false, true}) {
        if (fitted)
            slot1->SetCardType(inputcard::MicLine2);
        CAudioInputsDlg* dlg = Open(0);
        dlg->show();
        QApplication::processEvents();
        const size_t count = focusable(dlg).size();
        EXPECT_GT(count, fitted ? 10u : 0u);
        for (size_t i = 0; i < count; ++i) {
            if (!dlg) {
                dlg = Open(0);
                dlg->show();
                QApplication::processEvents();
            }
            QWidget* w = focusable(dlg).at(i);
            const std::string name = std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Escape);
            QApplication::processEvents();
            EXPECT_EQ(nullptr, GetOpenAudioInputsDlg()) << "fitted " << fitted << ": " << name;
            DeleteAudioInputsDlg();
            FlushDeletes();
            dlg = nullptr;
        }
    }
}

// The input's volume is a level slider like every other: the wheel turned
// away from the user and Up make it louder, Page Down quieter, each change
// reaches the device and the slot at once, and the groove fills from the
// quiet bottom up to the handle.
TEST_F(AudioInputsDlgTest, TheVolumeSliderGoesUpByWheelAndKeysAndFillsFromTheQuietEnd)
{
    slot1->SetCardType(inputcard::MicLine2);
    slot1->SetValueText(IPC_VOL, 1, "-6");
    CAudioInputsDlg* dlg = Open(1);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    auto* slider = Control<QSlider>(dlg, 1052);
    ASSERT_EQ(50, slider->value());  // -6 dB
    const double before = CAudioInputsDlg::SliderToVolume(50);
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier,
                      slider->style()->subControlRect(QStyle::CC_Slider, nullptr, QStyle::SC_SliderHandle, slider)
                          .center());
    ASSERT_TRUE(slider->hasFocus());
    sender.lines.clear();

    const QPoint at = slider->rect().center();
    QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    const int afterWheel = slider->value();
    EXPECT_LT(afterWheel, 50) << "louder: towards the top";
    ASSERT_FALSE(sender.lines.empty());
    EXPECT_EQ("/AUDIO/IN2/VOL " + std::string(Control<CGridEdit>(dlg, 1059)->text().toUtf8()), sender.lines.back());
    EXPECT_GT(CAudioInputsDlg::SliderToVolume(afterWheel), before);

    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_EQ(afterWheel - 1, slider->value());
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_GT(slider->value(), afterWheel - 1) << "quieter: towards the bottom";
    EXPECT_EQ("/AUDIO/IN2/VOL " + std::string(Control<CGridEdit>(dlg, 1059)->text().toUtf8()), sender.lines.back());
    EXPECT_NEAR(CAudioInputsDlg::SliderToVolume(slider->value()), slot1->m_volume[1], 0.05) << "stored at once";

    // The groove: a plain upright slider at the mirrored position looks the same.
    QSlider plain(Qt::Vertical);
    plain.setRange(slider->minimum(), slider->maximum());
    plain.setFixedSize(slider->size());
    plain.setPalette(slider->palette());
    plain.setValue(slider->minimum() + slider->maximum() - slider->value());
    slider->clearFocus();
    QTest::mouseMove(dlg, QPoint(1, 1));  // the handle not under the mouse
    const QImage expected = plain.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // The slider inside the dialog leaves its background to the dialog.
    QImage shown(expected.size(), QImage::Format_ARGB32);
    shown.fill(plain.palette().color(QPalette::Window));
    {
        QPainter painter(&shown);
        painter.drawImage(0, 0, slider->grab().toImage());
    }
    ASSERT_EQ(expected.size(), shown.size());
    EXPECT_EQ(expected, shown);
    if (expected != shown) {
        expected.save(QCoreApplication::applicationDirPath() + QStringLiteral("/level-plain.png"));
        shown.save(QCoreApplication::applicationDirPath() + QStringLiteral("/level-inputs.png"));
    }
}

// An edit the user leaves with no number in it (emptied, or just a minus)
// shows the value it holds again and sends nothing, and a volume typed as
// -80 dB reads "OFF" like the slider's bottom end, not a text the device
// never got.
TEST_F(AudioInputsDlgTest, LeavingAnEditShowsTheValueTakenAndSent)
{
    slot1->SetCardType(inputcard::MicLine2);
    CAudioInputsDlg* dlg = Open(0);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    // Clicked into, the edit selects its text; what is typed replaces it.
    const auto type = [](CGridEdit* edit, const char* text, Qt::Key end) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(edit->hasSelectedText());
        if (*text)
            QTest::keyClicks(edit, text);
        else
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, end);
        QApplication::processEvents();
    };
    auto* f1 = Control<CGridEdit>(dlg, 1014);
    type(f1, "", Qt::Key_Tab);
    EXPECT_EQ("500.0", f1->text());
    EXPECT_TRUE(sender.lines.empty());

    auto* v2 = Control<CGridEdit>(dlg, 1018);
    slot1->SetValueText(MakeInputKey(IPC_V, 1), 0, "3");
    dlg->SelectInput(0, false);
    type(v2, "-", Qt::Key_Return);
    EXPECT_EQ("3.0", v2->text());
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_DOUBLE_EQ(3.0, slot1->m_filters[0][1].v);

    auto* volume = Control<CGridEdit>(dlg, 1059);
    // A decimal typed with a comma, as German is written, in either language.
    const QLocale language;
    for (const QLocale& locale : {QLocale(QLocale::German), QLocale(QLocale::English)}) {
        QLocale::setDefault(locale);
        for (const auto& [edit, keys, shown, line, before] :
             {std::tuple{f1, "1234,5", "1234.5", "/AUDIO/IN1/FILTER1/F 1234.5", "500"},
              std::tuple{v2, "2,5", "2.5", "/AUDIO/IN1/FILTER2/V 2.5", "0"},
              std::tuple{volume, "-12,5", "-12.5", "/AUDIO/IN1/VOL -12.5", "0"}}) {
            SCOPED_TRACE(keys);
            type(edit, keys, Qt::Key_Tab);
            EXPECT_EQ(shown, edit->text());
            EXPECT_EQ(line, sender.lines.back());
            type(edit, before, Qt::Key_Tab);
        }
    }
    QLocale::setDefault(language);
    type(volume, "-80", Qt::Key_Return);
    EXPECT_EQ("OFF", volume->text());
    EXPECT_EQ("/AUDIO/IN1/VOL -80.0", sender.lines.back());
    // Enter kept the focus with the text selected: emptied, it is left.
    ASSERT_TRUE(volume->hasFocus());
    ASSERT_TRUE(volume->hasSelectedText());
    QTest::keyClick(volume, Qt::Key_Backspace);
    QTest::keyClick(volume, Qt::Key_Tab);
    EXPECT_EQ("OFF", volume->text());
    EXPECT_EQ(87, Control<QSlider>(dlg, 1052)->value());
    EXPECT_TRUE(messages.texts.empty());

    // The widest values show whole, inside the frame and the edit's margins.
    const auto showsWhole = [](const CGridEdit* edit) {
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        return edit->fontMetrics().horizontalAdvance(edit->text()) + 2 * (frame + 2) <= edit->width();
    };
    auto* ramp = Control<CGridEdit>(dlg, 1007);
    type(ramp, "1000", Qt::Key_Tab);
    EXPECT_EQ("1000", ramp->text());
    EXPECT_TRUE(showsWhole(ramp)) << ramp->width();
    auto* attenuation = Control<CGridEdit>(dlg, 1006);
    type(attenuation, "-40", Qt::Key_Tab);
    EXPECT_EQ("OFF", attenuation->text());
    EXPECT_TRUE(showsWhole(attenuation)) << attenuation->width();
    type(f1, "20000", Qt::Key_Tab);
    EXPECT_TRUE(showsWhole(f1)) << f1->width();
}

// A value typed and left by closing the dialog (Escape or the close box)
// reaches the device as it reaches the project, as when the edit is left by
// Tab; an edit not touched sends nothing on closing.
TEST_F(AudioInputsDlgTest, AValueTypedBeforeClosingReachesTheDevice)
{
    slot1->SetCardType(inputcard::MicLine2);
    for (const bool closeBox : {false, true}) {
        CAudioInputsDlg* dlg = Open(0);
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
        sender.lines.clear();
        auto* f1 = Control<CGridEdit>(dlg, 1014);
        QTest::mouseClick(f1, Qt::LeftButton);
        QApplication::processEvents();
        QTest::keyClicks(f1, closeBox ? "1234" : "987.6");
        if (closeBox)
            dlg->close();
        else
            QTest::keyClick(f1, Qt::Key_Escape);
        QApplication::processEvents();
        FlushDeletes();
        EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
        const char* sent = closeBox ? "/AUDIO/IN1/FILTER1/F 1234.0" : "/AUDIO/IN1/FILTER1/F 987.6";
        EXPECT_EQ(std::vector<std::string> {sent}, sender.lines) << closeBox;
        EXPECT_DOUBLE_EQ(closeBox ? 1234.0 : 987.6, slot1->m_filters[0][0].f);
    }
    // Only looked at: nothing goes out.
    CAudioInputsDlg* dlg = Open(0);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    sender.lines.clear();
    auto* q2 = Control<CGridEdit>(dlg, 1019);
    QTest::mouseClick(q2, Qt::LeftButton);
    QApplication::processEvents();
    QTest::keyClick(q2, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_TRUE(messages.texts.empty());
}

TEST(AudioInputsSharedValues, EachOpenProjectSavesItsOwnAttenuationAndRamp)
{
    ModelTestHost host;
    MessageLog messages;
    blocktest::RecordingSender sender;
    CQuillomerDoc first;
    first.OnNewDocument();
    first.SetTitle("Erstes");
    CQuillomerDoc second;
    second.OnNewDocument();
    second.SetTitle("Zweites");
    Slot(first, 0)->SetCardType(inputcard::MicLine2);
    Slot(second, 1)->SetCardType(inputcard::Aux2);
    {
        ActiveDocScope active{&first};

        ASSERT_EQ(1, OpenAudioInputsDlg(&first, 0));
        CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
        ASSERT_NE(nullptr, dlg);
        Type(Control<CGridEdit>(dlg, 1006), "-20");
        Type(Control<CGridEdit>(dlg, 1007), "120");
        EXPECT_DOUBLE_EQ(-20.0, Slot(first, 1)->GetSharedAttenuation());

        // The dialog moves on to the second project: it shows that project's values.
        RetargetAudioInputsDlg(&second);
        EXPECT_EQ(&second, dlg->GetDocument());
        EXPECT_EQ(" -6", Control<CGridEdit>(dlg, 1006)->text().toStdString());
        EXPECT_EQ(" 300", Control<CGridEdit>(dlg, 1007)->text().toStdString());
        ExpectSaved(second.SaveToBytes(), -6.0, 300.0, "second untouched");

        // Editing the second project leaves the first one's file as it was.
        const std::vector<uint8_t> firstBefore = first.SaveToBytes();
        ExpectSaved(firstBefore, -20.0, 120.0, "first");
        Type(Control<CGridEdit>(dlg, 1006), "-33");
        Type(Control<CGridEdit>(dlg, 1007), "40");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        const std::vector<uint8_t> secondBytes = second.SaveToBytes();
        ExpectSaved(secondBytes, -33.0, 40.0, "second edited");

        // An unapplied edit in the dialog belongs to the project it shows only.
        Control<CGridEdit>(dlg, 1006)->setText("-11");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        ExpectSaved(second.SaveToBytes(), -11.0, 40.0, "second stored on saving");

        // Loading a project while both are open changes neither of them.
        const std::vector<uint8_t> secondNow = second.SaveToBytes();
        CQuillomerDoc third;
        ASSERT_TRUE(third.LoadFromBytes(firstBefore));
        Slot(third, 0)->SetValueText(IPC_ATTENUATION, 0, "-2");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        EXPECT_EQ(secondNow, second.SaveToBytes());
        ExpectSaved(third.SaveToBytes(), -2.0, 120.0, "third");

        CloseAudioInputsDlg(&second);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
    EXPECT_TRUE(messages.texts.empty());
}
