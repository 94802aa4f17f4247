// The live remote amplifier dialog against a recording device link:
// requests, setters, answer parsing, slider and meter mappings and the
// "amp not available" close.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include "hardware/CAmplifier.h"
#include "hardware/CInfoSlot.h"
#include "hardware/windows/CRemoteAmpDlg.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"

namespace {

class RecordingLink : public IRemoteAmpLink {
public:
    RecordingLink() { m_previous = CRemoteAmpDlg::SetLinkOverride(this); }
    ~RecordingLink() override { CRemoteAmpDlg::SetLinkOverride(m_previous); }

    bool SendBlock(const std::vector<std::string>& lines, bool expectAnswers, ILinkAnswerSink* reply) override
    {
        blocks.push_back(lines);
        expect.push_back(expectAnswers);
        replies.push_back(reply);
        state = linkstate::BlockRequest;
        return true;
    }
    int GetLinkState() const override { return state; }
    void SetLinkState(int s) override
    {
        state = s;
        states.push_back(s);
    }

    std::vector<std::string> AllLines() const
    {
        std::vector<std::string> all;
        for (const auto& b : blocks)
            all.insert(all.end(), b.begin(), b.end());
        return all;
    }

    std::vector<std::vector<std::string>> blocks;
    std::vector<bool> expect;
    std::vector<ILinkAnswerSink*> replies;
    std::vector<int> states;
    int state = linkstate::Online;

private:
    IRemoteAmpLink* m_previous = nullptr;
};

class RemoteAmpDlgTest : public ::testing::Test {
protected:
    RemoteAmpDlgTest()
    {
        host.bitmaps[193] = CSize(60, 120);
        info = new CInfoSlot;
        EXPECT_EQ(1, info->Create(1, 1, 1, "KVT 7000", 0, 0, 230, 36, CAT_INFO, 0, 0, &doc.doc()));
        doc.doc().AddObject(info, CAT_INFO);
        amp = new CAmplifier;
        EXPECT_EQ(1, amp->Create(33074, 4, 4, nullptr, 100, 200, 100, 200, CAT_AMPLIFIER, 193, 0, &doc.doc()));
        doc.doc().AddObject(amp, CAT_AMPLIFIER);
        amp->SetAddress(0x1f);
    }

    // The dialog with the document connected (polling) or not.
    std::unique_ptr<CRemoteAmpDlg> Open(bool connected)
    {
        info->m_connected = connected ? 1 : 0;
        return std::make_unique<CRemoteAmpDlg>(amp, nullptr);
    }

    static void Answer(CRemoteAmpDlg& dlg, std::vector<std::string> lines)
    {
        dlg.OnLinkAnswer(0, lines);
        EXPECT_TRUE(lines.empty());
    }

    template <class T>
    static T* Control(QWidget& dlg, int id)
    {
        T* w = dlg.findChild<T*>(QString::number(id));
        EXPECT_NE(nullptr, w) << id;
        return w;
    }

    static std::string Text(QWidget& dlg, int id) { return Control<QLabel>(dlg, id)->text().toStdString(); }

    blocktest::ActiveDoc doc;
    ModelTestHost host;
    MessageLog messages;
    RecordingLink link;
    CInfoSlot* info = nullptr;
    CAmplifier* amp = nullptr;
};

}  // namespace

TEST_F(RemoteAmpDlgTest, NotConnectedStaysStaticAndSilent)
{
    auto dlg = Open(false);
    EXPECT_TRUE(link.blocks.empty());
    EXPECT_FALSE(dlg->IsPolling());
    EXPECT_EQ("Remoteverstärker Eigenschaften", dlg->windowTitle().toStdString());
    EXPECT_EQ(0, Control<QSlider>(*dlg, 1591)->value());
    EXPECT_EQ("-78 dB", Text(*dlg, 1614));
    EXPECT_EQ(127, Control<QSlider>(*dlg, 1053)->value());
    EXPECT_EQ("-128 dB", Text(*dlg, 1615));
    EXPECT_EQ(60, Control<QProgressBar>(*dlg, 1613)->maximum());
    EXPECT_EQ(50, Control<QProgressBar>(*dlg, 1612)->maximum());

    // Setters offer nothing and send nothing.
    for (int id : {1594, 1601, 1602, 1604, 1605, 1591, 1053, 1616})
        EXPECT_FALSE(Control<QWidget>(*dlg, id)->isEnabled()) << id;
    Control<QCheckBox>(*dlg, 1604)->click();
    Control<QPushButton>(*dlg, 1605)->click();
    Control<QSlider>(*dlg, 1591)->setValue(-10);
    EXPECT_TRUE(link.blocks.empty());
    dlg->reject();
    EXPECT_TRUE(link.states.empty());
}

TEST_F(RemoteAmpDlgTest, ConnectedAsksAndPollsUnderTheLowerCaseAddress)
{
    auto dlg = Open(true);
    EXPECT_EQ("Addresse1f", dlg->windowTitle().toStdString());
    EXPECT_TRUE(dlg->IsPolling());
    ASSERT_EQ(1u, link.blocks.size());
    EXPECT_EQ((std::vector<std::string>{"/AMP/ADR1f/TYPE ?", "/AMP/ADR1f/NAME ?", "/AMP/ADR1f/VER ?",
                                        "/AMP/ADR1f/CHANMAP ?", "/AMP/ADR1f/RETROFIT/PILOT ?",
                                        "/AMP/ADR1f/RETROFIT/GNDFLT ?", "/AMP/ADR1f/763 ?"}),
              link.blocks[0]);
    EXPECT_TRUE(link.expect[0]);
    EXPECT_EQ(dlg.get(), link.replies[0]);

    dlg->SendStatusRequest();
    ASSERT_EQ(2u, link.blocks.size());
    ASSERT_EQ(13u, link.blocks[1].size());
    EXPECT_EQ("/AMP/ADR1f/ERR ?", link.blocks[1][0]);
    EXPECT_EQ("/AMP/ADR1f/READY ?", link.blocks[1][4]);
    EXPECT_EQ("/AMP/ADR1f/CHAN1/VOL ?", link.blocks[1][5]);
    EXPECT_EQ("/AMP/ADR1f/CHAN1/MEAS ?", link.blocks[1][12]);
    dlg->SendMeterRequest();
    EXPECT_EQ((std::vector<std::string>{"/AMP/ADR1f/CHAN1/VUINP ?", "/AMP/ADR1f/CHAN1/VUOUT ?"}), link.blocks[2]);
    EXPECT_FALSE(link.expect[2]);

    // Answers come back under the upper-case address.
    Answer(*dlg, {"/AMP/ADR1F/TYPE HBE6683", "/AMP/ADR1F/NAME Halle 1", "/AMP/ADR1F/VER 2.04",
                  "/AMP/ADR1F/ERR 12", "/AMP/ADR1F/763 1-4", "/AMP/ADR1F/RETROFIT/PILOT YES",
                  "/AMP/ADR1F/RETROFIT/GNDFLT NO", "/AMP/ADR1F/OVT ON", "/AMP/ADR1F/READY OFF",
                  "/AMP/ADR1F/PLTGEN ON", "/AMP/ADR1F/FLTRES ON", "/AMP/ADR1F/POWER BATT"});
    EXPECT_EQ("HBE6683", Text(*dlg, 1592));
    EXPECT_EQ("Halle 1", Control<QLineEdit>(*dlg, 1594)->text().toStdString());
    EXPECT_EQ("2.04", Text(*dlg, 1593));
    EXPECT_EQ("12", Text(*dlg, 1597));
    EXPECT_EQ("1-4", Text(*dlg, 1595));
    EXPECT_TRUE(Control<QLabel>(*dlg, 1598)->isEnabled());
    EXPECT_FALSE(Control<QLabel>(*dlg, 1599)->isEnabled());
    EXPECT_EQ("ein", Text(*dlg, 1606));
    EXPECT_EQ("aus", Text(*dlg, 1607));
    EXPECT_TRUE(Control<QCheckBox>(*dlg, 1604)->isChecked());
    EXPECT_TRUE(Control<QPushButton>(*dlg, 1605)->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(*dlg, 1601)->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(*dlg, 1602)->isChecked());

    // Queries echoed with "?", lines without a value and unknown powers change nothing.
    Answer(*dlg, {"/AMP/ADR1F/TYPE ?", "/AMP/ADR1F/NAME", "/AMP/ADR1F/POWER SOLAR"});
    EXPECT_EQ("HBE6683", Text(*dlg, 1592));
    EXPECT_TRUE(Control<QCheckBox>(*dlg, 1602)->isChecked());

    // Closing gives the link back.
    dlg->accept();
    EXPECT_FALSE(dlg->IsPolling());
    EXPECT_EQ(std::vector<int>{linkstate::Online}, link.states);
}

TEST_F(RemoteAmpDlgTest, SettersSendOneLineEach)
{
    auto dlg = Open(true);
    link.blocks.clear();
    auto* mains = Control<QCheckBox>(*dlg, 1601);
    auto* battery = Control<QCheckBox>(*dlg, 1602);
    mains->click();
    battery->click();
    mains->click();
    battery->click();
    Control<QCheckBox>(*dlg, 1604)->click();
    Control<QCheckBox>(*dlg, 1616)->click();
    Control<QPushButton>(*dlg, 1605)->click();
    // The reset button shows what the device reports, not the click.
    EXPECT_FALSE(Control<QPushButton>(*dlg, 1605)->isChecked());
    auto* name = Control<QLineEdit>(*dlg, 1594);
    name->setText("Foyer");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(name, &out);

    EXPECT_EQ((std::vector<std::string>{"/AMP/ADR1f/POWER MAINS", "/AMP/ADR1f/POWER BOTH", "/AMP/ADR1f/POWER BATT",
                                        "/AMP/ADR1f/POWER OFF", "/AMP/ADR1f/PLTGEN ON", "/AMP/ADR1f/CHAN1/MUTE ON",
                                        "/AMP/ADR1f/FLTRES ON", "/AMP/ADR1f/NAME Foyer"}),
              link.AllLines());
    for (const auto& block : link.blocks)
        EXPECT_EQ(1u, block.size());
}

TEST_F(RemoteAmpDlgTest, VolumeSliderMappingAndDrag)
{
    auto dlg = Open(true);
    link.blocks.clear();
    auto* volume = Control<QSlider>(*dlg, 1591);
    auto* offset = Control<QSlider>(*dlg, 1053);

    // The user drags the volume to position -10.
    volume->setValue(-10);
    EXPECT_TRUE(dlg->IsVolumeDragged());
    EXPECT_EQ(std::vector<std::string>{"/AMP/ADR1f/CHAN1/VOL -68"}, link.AllLines());
    EXPECT_EQ("-68 dB", Text(*dlg, 1614));
    // While it is held, the poll does not move it.
    Answer(*dlg, {"/AMP/ADR1F/CHAN1/VOL -20", "/AMP/ADR1F/CHAN1/VCOFS 5"});
    EXPECT_EQ(-10, volume->value());
    EXPECT_EQ("-68 dB", Text(*dlg, 1614));
    EXPECT_EQ(-6, offset->value());
    EXPECT_EQ("5 dB", Text(*dlg, 1615));
    // Released: the next answer moves it, and sends nothing.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(volume, &release);
    EXPECT_FALSE(dlg->IsVolumeDragged());
    Answer(*dlg, {"/AMP/ADR1F/CHAN1/VOL -20"});
    EXPECT_EQ(-58, volume->value());
    EXPECT_EQ("-20 dB", Text(*dlg, 1614));
    EXPECT_EQ(1u, link.AllLines().size());

    // The offset: value = -1 - position.
    offset->setValue(-30);
    EXPECT_TRUE(dlg->IsOffsetDragged());
    EXPECT_EQ("/AMP/ADR1f/CHAN1/VCOFS 29", link.AllLines().back());
    EXPECT_EQ("29 dB", Text(*dlg, 1615));
    EXPECT_EQ(-68, CRemoteAmpDlg::VolumeOfPosition(-10));
    EXPECT_EQ(0, CRemoteAmpDlg::VolumeOfPosition(-78));
    EXPECT_EQ(127, CRemoteAmpDlg::PositionOfOffset(-128));
}

TEST_F(RemoteAmpDlgTest, MetersRiseAtOnceAndFallInSteps)
{
    auto dlg = Open(true);
    auto* out = Control<QProgressBar>(*dlg, 1613);
    auto* in = Control<QProgressBar>(*dlg, 1612);
    Answer(*dlg, {"/AMP/ADR1F/CHAN1/VUOUT -5", "/AMP/ADR1F/CHAN1/VUINP -10"});
    EXPECT_EQ(35, out->value());
    EXPECT_EQ(20, in->value());
    dlg->OnFallTimer();
    EXPECT_EQ(35, out->value());  // stays on the last measured level
    EXPECT_EQ(20, in->value());

    Answer(*dlg, {"/AMP/ADR1F/CHAN1/VUOUT -30", "/AMP/ADR1F/CHAN1/VUINP -30"});
    EXPECT_EQ(35, out->value());  // never lowered by an answer
    std::vector<int> outSteps, inSteps;
    for (int i = 0; i < 5; ++i) {
        dlg->OnFallTimer();
        outSteps.push_back(out->value());
        inSteps.push_back(in->value());
    }
    EXPECT_EQ((std::vector<int>{25, 15, 10, 10, 10}), outSteps);
    EXPECT_EQ((std::vector<int>{10, 0, 0, 0, 0}), inSteps);

    // Levels above the scale fill the bar.
    Answer(*dlg, {"/AMP/ADR1F/CHAN1/VUOUT 30"});
    EXPECT_EQ(60, out->value());
    EXPECT_EQ(30, dlg->GetLastOutput());
}

TEST_F(RemoteAmpDlgTest, ChannelsAndTabs)
{
    auto dlg = Open(true);
    auto* tabs = Control<QTabBar>(*dlg, 1552);
    EXPECT_TRUE(tabs->isHidden());
    Answer(*dlg, {"/AMP/ADR1F/CHANMAP 5", "/AMP/ADR1F/CHANMAP x"});
    EXPECT_EQ(0, tabs->count());
    EXPECT_EQ("", Text(*dlg, 1596));
    Answer(*dlg, {"/AMP/ADR1F/CHANMAP 3"});
    ASSERT_EQ(3, tabs->count());
    EXPECT_FALSE(tabs->isHidden());
    EXPECT_EQ("Kanal 2", tabs->tabText(1).toStdString());
    EXPECT_EQ("3", Text(*dlg, 1596));
    EXPECT_EQ(1, dlg->GetCurrentChannel());

    // A channel answer for channel 2 while channel 1 is shown is ignored.
    Answer(*dlg, {"/AMP/ADR1F/CHAN2/MUTE ON", "/AMP/ADR1F/CHAN2/OUTCFG 100V"});
    EXPECT_FALSE(Control<QCheckBox>(*dlg, 1616)->isChecked());
    EXPECT_EQ("", Text(*dlg, 1620));

    tabs->setCurrentIndex(1);
    EXPECT_EQ(2, dlg->GetCurrentChannel());
    Answer(*dlg, {"/AMP/ADR1F/CHAN2/MUTE ON", "/AMP/ADR1F/CHAN2/OUTCFG 100V", "/AMP/ADR1F/CHAN2/MEAS 98V 1.2A",
                  "/AMP/ADR1F/CHAN2/PLTDET YES", "/AMP/ADR1F/CHAN2/FLTDET NO", "/AMP/ADR1F/CHAN2/OVT YES"});
    EXPECT_TRUE(Control<QCheckBox>(*dlg, 1616)->isChecked());
    EXPECT_EQ("100V", Text(*dlg, 1620));
    EXPECT_EQ("98V 1.2A", Text(*dlg, 1621));
    EXPECT_TRUE(Control<QLabel>(*dlg, 1617)->isEnabled());
    EXPECT_FALSE(Control<QLabel>(*dlg, 1618)->isEnabled());
    EXPECT_TRUE(Control<QLabel>(*dlg, 1619)->isEnabled());
    // The overall over-temperature state is not the channel's.
    EXPECT_EQ("", Text(*dlg, 1606));

    link.blocks.clear();
    dlg->SendMeterRequest();
    EXPECT_EQ("/AMP/ADR1f/CHAN2/VUINP ?", link.blocks[0][0]);
    // A second channel map replaces the tabs.
    Answer(*dlg, {"/AMP/ADR1F/CHANMAP 2"});
    EXPECT_EQ(2, tabs->count());
    // Four channels: the dialog as it opens shows every tab whole.
    dlg->show();
    Answer(*dlg, {"/AMP/ADR1F/CHANMAP 4"});
    QApplication::processEvents();
    ASSERT_EQ(4, tabs->count());
    EXPECT_LE(tabs->tabRect(3).right(), tabs->width() - 1);
    EXPECT_LE(tabs->geometry().right(), dlg->width() - 1);
}

// An answer that is no whole number of its field (a decimal, a word after
// the number, a number an int cannot hold, a value the device did not
// understand, a setter it refused), or no word of its switch ("maybe", "1",
// "on"), leaves what the field shows as the answer before set it.
TEST_F(RemoteAmpDlgTest, AnswersThatAreNoValueOfTheirFieldLeaveTheFieldAsItWas)
{
    const struct {
        const char* before;  // a good answer
        const char* answer;
        int field;
        const char* shown;  // the text shown, the meter's bar, "checked" or "enabled"
    } rows[] = {
        {"/AMP/ADR1F/CHAN1/VOL -20", "/AMP/ADR1F/CHAN1/VOL -12.5", 1614, "-20 dB"},
        {"/AMP/ADR1F/CHAN1/VOL -20", "/AMP/ADR1F/CHAN1/VOL 4294967258", 1614, "-20 dB"},
        {"/AMP/ADR1F/CHAN1/VOL -20", "/AMP/ADR1F/CHAN1/VOL ? ", 1614, "-20 dB"},
        {"/AMP/ADR1F/CHAN1/VCOFS 5", "/AMP/ADR1F/CHAN1/VCOFS 7x", 1615, "5 dB"},
        {"/AMP/ADR1F/CHANMAP 2", "/AMP/ADR1F/CHANMAP 3.5", 1596, "2"},
        {"/AMP/ADR1F/CHAN1/VUOUT -5", "/AMP/ADR1F/CHAN1/VUOUT 2,5", 1613, "35"},
        {"/AMP/ADR1F/NAME Halle", "/AMP/ADR1F/NAME Foyer ? ", 1594, "Halle"},
        {"/AMP/ADR1F/PLTGEN ON", "/AMP/ADR1F/PLTGEN maybe", 1604, "checked"},
        {"/AMP/ADR1F/PLTGEN ON", "/AMP/ADR1F/PLTGEN OFF", 1604, "unchecked"},
        {"/AMP/ADR1F/FLTRES ON", "/AMP/ADR1F/FLTRES 1", 1605, "checked"},
        {"/AMP/ADR1F/CHAN1/MUTE ON", "/AMP/ADR1F/CHAN1/MUTE on", 1616, "checked"},
        {"/AMP/ADR1F/OVT ON", "/AMP/ADR1F/OVT maybe", 1606, "ein"},
        {"/AMP/ADR1F/READY ON", "/AMP/ADR1F/READY 1", 1607, "ein"},
        {"/AMP/ADR1F/CHAN1/PLTDET YES", "/AMP/ADR1F/CHAN1/PLTDET maybe", 1617, "enabled"},
        {"/AMP/ADR1F/RETROFIT/GNDFLT YES", "/AMP/ADR1F/RETROFIT/GNDFLT 1", 1599, "enabled"},
        {"/AMP/ADR1F/RETROFIT/GNDFLT YES", "/AMP/ADR1F/RETROFIT/GNDFLT NO", 1599, "disabled"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        auto dlg = Open(true);
        Answer(*dlg, {row.before});
        Answer(*dlg, {row.answer});
        const std::string shown = row.shown;
        auto* widget = dlg->findChild<QWidget*>(QString::number(row.field));
        ASSERT_NE(nullptr, widget);
        if (shown == "enabled" || shown == "disabled")
            EXPECT_EQ(shown, widget->isEnabled() ? "enabled" : "disabled");
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            EXPECT_EQ(shown, button->isChecked() ? "checked" : "unchecked");
        else if (auto* bar = qobject_cast<QProgressBar*>(widget))
            EXPECT_EQ(row.shown, std::to_string(bar->value()));
        else if (auto* edit = dlg->findChild<QLineEdit*>(QString::number(row.field)))
            EXPECT_EQ(row.shown, edit->text().toStdString());
        else
            EXPECT_EQ(row.shown, Text(*dlg, row.field));
        if (row.field == 1596)
            EXPECT_EQ(2, Control<QTabBar>(*dlg, 1552)->count());
        if (row.field == 1614)
            EXPECT_EQ(-58, Control<QSlider>(*dlg, 1591)->value());
    }
}

TEST_F(RemoteAmpDlgTest, AmpNotAvailableClosesTheDialog)
{
    auto dlg = Open(true);
    dlg->open();
    ASSERT_TRUE(dlg->isVisible());
    std::vector<std::string> lines{"/AMP/ADR1F/TYPE amp not available", "/AMP/ADR1F/NAME Halle"};
    dlg->OnLinkAnswer(0, lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(dlg->IsPolling());
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Verstärker mit Adresse 1f nicht vorhanden!", messages.texts[0]);
    EXPECT_EQ(linkstate::Online, link.state);
    EXPECT_EQ("", Text(*dlg, 1592));                                  // processing stopped
    EXPECT_EQ("", Control<QLineEdit>(*dlg, 1594)->text().toStdString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg->isVisible(); }, 2000));
    EXPECT_EQ(QDialog::Rejected, dlg->result());
}

// The user types a new name and presses Enter, or Escape: the dialog closes
// with the name sent once, and no other button is pressed by the key (a fault
// reset the user never asked for). A name the line cannot carry as shown (a
// character beyond its code page, a name the device would read as a query)
// is refused with a word that names it and never sent: Enter leaves the
// dialog open on the old name, Escape closes it.
TEST_F(RemoteAmpDlgTest, EnterOrEscapeInTheNameSendsItAndClosesWithoutAReset)
{
    const struct {
        Qt::Key key;
        const char* typed;
        const char* told;  // null: the name is sent
    } rows[] = {
        {Qt::Key_Return, "Foyer", nullptr},
        {Qt::Key_Escape, "Foyer", nullptr},
        {Qt::Key_Return, "äöüß€é", nullptr},
        {Qt::Key_Return, "Amp漢Ω", "'漢' (U+6F22)"},
        {Qt::Key_Escape, "AmpΩ", "'Ω' (U+03A9)"},
        {Qt::Key_Return, "?", "'?' würde an QUILLOMER als Abfrage"},
        {Qt::Key_Escape, "Halle ?", "'Halle ?' würde an QUILLOMER als Abfrage"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const Qt::Key key = row.key;
        auto dlg = Open(true);
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        Answer(*dlg, {"/AMP/ADR1F/NAME Halle"});
        link.blocks.clear();
        messages.texts.clear();
        auto* name = Control<QLineEdit>(*dlg, 1594);
        QTest::mouseClick(name, Qt::LeftButton);
        ASSERT_TRUE(name->hasFocus());
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(name, QString::fromUtf8(row.typed));
        QTest::keyClick(name, key);
        QApplication::processEvents();
        const bool stays = row.told && key == Qt::Key_Return;
        EXPECT_EQ(!stays, !dlg->isVisible()) << key;
        if (row.told) {
            EXPECT_TRUE(messages.Contains(row.told));
            EXPECT_EQ(QStringLiteral("Halle"), name->text());
            EXPECT_TRUE(link.AllLines().empty()) << key;
            if (stays) {
                QTest::keyClick(name, Qt::Key_Escape);
                QApplication::processEvents();
                EXPECT_FALSE(dlg->isVisible());
                EXPECT_TRUE(link.AllLines().empty()) << "the old name is not sent again";
            }
        } else {
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected, dlg->result());
            EXPECT_EQ(std::vector<std::string>{std::string("/AMP/ADR1f/NAME ") + row.typed}, link.AllLines()) << key;
        }
        EXPECT_FALSE(Control<QPushButton>(*dlg, 1605)->isChecked());
    }
}

// The name goes to the device only when the user made the field say another
// name than the device gave: a device that gave none (it answered "? ") must
// not have its name wiped by the focus leaving the field for a check box, by
// OK, or by Tab.
TEST_F(RemoteAmpDlgTest, TheNameGoesOutOnlyWhenTheUserChangedIt)
{
    const struct {
        const char* answer;  // the device's answer to the name question
        const char* typed;   // typed into the name (null: only clicked into)
        int leaveBy;         // a control clicked to leave the name (0: Tab)
        std::vector<std::string> sent;
    } rows[] = {
        {"/AMP/ADR1F/NAME ? ", nullptr, 1601, {"/AMP/ADR1f/POWER MAINS"}},
        {"/AMP/ADR1F/NAME ? ", nullptr, 1604, {"/AMP/ADR1f/PLTGEN ON"}},
        {"/AMP/ADR1F/NAME ? ", nullptr, 1602, {"/AMP/ADR1f/POWER BATT"}},
        {"/AMP/ADR1F/NAME ? ", nullptr, 1, {}},
        {"/AMP/ADR1F/NAME ? ", nullptr, 0, {}},
        {"/AMP/ADR1F/NAME Halle", nullptr, 1601, {"/AMP/ADR1f/POWER MAINS"}},
        {"/AMP/ADR1F/NAME Halle", "Halle", 1, {}},
        {"/AMP/ADR1F/NAME ? ", "Foyer", 1602, {"/AMP/ADR1f/NAME Foyer", "/AMP/ADR1f/POWER BATT"}},
        {"/AMP/ADR1F/NAME Halle", "Foyer", 1, {"/AMP/ADR1f/NAME Foyer"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.answer) + " / " + (row.typed ? row.typed : "-") + " / " +
                     std::to_string(row.leaveBy));
        auto dlg = Open(true);
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        Answer(*dlg, {row.answer});
        link.blocks.clear();
        auto* name = Control<QLineEdit>(*dlg, 1594);
        QTest::mouseClick(name, Qt::LeftButton);
        ASSERT_TRUE(name->hasFocus());
        if (row.typed) {
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, row.typed);
        }
        if (row.leaveBy == 0) {
            QTest::keyClick(name, Qt::Key_Tab);
        } else {
            auto* leave = Control<QAbstractButton>(*dlg, row.leaveBy);
            QTest::mouseClick(leave, Qt::LeftButton, {}, leave->rect().center());
        }
        QApplication::processEvents();
        EXPECT_EQ(row.sent, link.AllLines());
        // A late answer of the device's own name does not bring a typed one back out.
        if (dlg->isVisible() && row.typed) {
            Answer(*dlg, {"/AMP/ADR1F/NAME Foyer"});
            dlg->accept();
            EXPECT_EQ(row.sent, link.AllLines());
        }
    }
}

// A name the user is typing stays in the field while the device's answer
// to the opening question comes in, and goes out when he leaves the field.
TEST_F(RemoteAmpDlgTest, ANameBeingTypedIsNotOverwrittenByTheAnswer)
{
    auto dlg = Open(true);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    link.blocks.clear();
    auto* name = Control<QLineEdit>(*dlg, 1594);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, "Foy");
    Answer(*dlg, {"/AMP/ADR1F/NAME Halle"});
    QTest::keyClicks(name, "er");
    EXPECT_EQ("Foyer", name->text().toStdString());
    QTest::keyClick(name, Qt::Key_Tab);
    EXPECT_EQ(std::vector<std::string>{"/AMP/ADR1f/NAME Foyer"}, link.AllLines());
}
