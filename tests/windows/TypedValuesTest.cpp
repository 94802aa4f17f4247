// What a technician types into a number field, in the windows that hold
// such fields: a text that is no number of the field ("3.5,5", "abc",
// nothing), or a decimal where whole numbers are asked ("-12,7", "2,5"), is
// refused: the field shows the value it holds again, the project keeps that
// value and the device hears nothing; where the field has a range message,
// that message, never one naming another cause. The value shown, typed
// again, is taken as ever and leaves the project unmarked; "," is the
// decimal mark in German and English.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MacroWindowFixture.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CPowerFrm.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "paging/CConsProp.h"
#include "paging/CConsole.h"
#include "paging/CRelaisTopology.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CPPCons1.h"
#include "paging/windows/CRangeKeysDlg.h"
#include "paging/windows/CRelaisTopologyDlg.h"
#include "support/EnglishTexts.h"
#include "ui/CFeatureFrm.h"

namespace {
namespace mt = macrotype;

enum class Window { Inputs, Topology, RangeKeys, Console, Repeat, LcdText, LogicOut, Power, Common };
enum class Keys { Append, Replace, Paste, None };

struct Row {
    Window window;
    int field;          // the edit's control id
    Keys how;           // after the text shown, over all of it, pasted over it, or nothing typed
    const char* keys;
    Qt::Key leave;      // Tab leaves the field; Enter also presses a dialog's OK
    const char* held;   // what the project holds afterwards
    const char* shown;  // the field's text afterwards
    const char* sent;   // the line the device gets, or none
    const char* const* said;  // the message in German and English, or none
    bool unmarked = false;    // the project, saved before, has nothing new to save
    unsigned bar = 0;         // a button of the window's bars clicked instead of `leave`
};

constexpr const char* kRange[] = {"Wertebereich überschritten !", "Value out of range !"};
constexpr const char* kCount[] = {"Geben Sie eine Zahl zwischen 1 und 100 ein.", "Enter a number between 1 and 100."};
constexpr const char* kUser[] = {"Geben Sie eine Zahl zwischen 100 und 999 ein.", "Enter a number between 100 and 999."};
constexpr const char* kKey[] = {"Geben Sie eine ganze Zahl ein.", "Enter an integer."};
constexpr const char* kPrio[] = {"Geben Sie eine ganze Zahl zwischen 0 und 255 ein.",
                                 "Please enter an integer between 0 and 255."};

// The audio inputs dialog shows input 3 (Slot2's first channel): gain of
// filter 1 at 3.5 dB, the input muted ("OFF"), filter 2 at 1000 Hz,
// attenuation -6 dB, ramp 300 ms. The relay topology has 2 lines, the range
// keys start with key 1 on line 1, the console's user password is 815 (its expert one 4711); the macros'
// repeat interval is 60 s, LCD display time 5 s, logic output pulse 2.5 s.
// A whole number is typed in decimal digits: "1e2", "0x10" and "1e4" are
// refused in every kind of whole-number field, typed or pasted, never read as
// 100, 16 or 10000, nor as the digit they start with, nor as the digits left
// when the letters are dropped (12, 10, 14). A decimal field reads an
// exponent as a decimal is written.
const Row kRows[] = {
    {Window::Inputs, 1017, Keys::Append, ",5", Qt::Key_Tab, "3.5", "3.5", nullptr, nullptr},
    {Window::Inputs, 1017, Keys::Replace, "0.04,5", Qt::Key_Tab, "3.5", "3.5", nullptr, nullptr},
    {Window::Inputs, 1017, Keys::Paste, "abc", Qt::Key_Tab, "3.5", "3.5", nullptr, nullptr},
    {Window::Inputs, 1017, Keys::Replace, "", Qt::Key_Tab, "3.5", "3.5", nullptr, nullptr},
    {Window::Inputs, 1017, Keys::Replace, "3.5", Qt::Key_Tab, "3.5", "3.5", "/AUDIO/IN3/FILTER1/V 3.5", nullptr},
    {Window::Inputs, 1059, Keys::Replace, "-3.5,5", Qt::Key_Tab, "-80.0", "OFF", nullptr, nullptr},
    {Window::Inputs, 1059, Keys::Replace, "-3,5", Qt::Key_Return, "-3.5", "-3.5", "/AUDIO/IN3/VOL -3.5", nullptr},
    {Window::Inputs, 1015, Keys::Append, ",5", Qt::Key_Tab, "1000.0", "1000.0", nullptr, nullptr},
    {Window::Inputs, 1006, Keys::Replace, "-12,7", Qt::Key_Tab, "-6.0", " -6", nullptr, kRange},
    {Window::Inputs, 1006, Keys::Paste, "abc", Qt::Key_Tab, "-6.0", " -6", nullptr, nullptr},
    {Window::Inputs, 1006, Keys::Replace, "-12", Qt::Key_Tab, "-12.0", "-12", nullptr, nullptr},
    {Window::Inputs, 1007, Keys::Replace, "1,5", Qt::Key_Tab, "300.0", " 300", nullptr, kRange},
    // The values shown, typed again: sent as ever, the project unchanged.
    {Window::Inputs, 1007, Keys::Replace, "300", Qt::Key_Tab, "300.0", " 300", nullptr, nullptr},
    {Window::Inputs, 1006, Keys::Replace, "-6", Qt::Key_Tab, "-6.0", " -6", nullptr, nullptr},
    {Window::Inputs, 1015, Keys::Replace, "1000,0", Qt::Key_Tab, "1000.0", "1000.0", "/AUDIO/IN3/FILTER2/F 1000.0",
     nullptr},
    // The focus passing through: nothing is taken (a bypassed filter stays bypassed).
    {Window::Inputs, 1015, Keys::None, "", Qt::Key_Tab, "1000.0", "1000.0", nullptr, nullptr},
    {Window::Inputs, 1007, Keys::None, "", Qt::Key_Return, "300.0", " 300", nullptr, nullptr},
    {Window::Inputs, 1006, Keys::Paste, "1e2", Qt::Key_Tab, "-6.0", " -6", nullptr, kRange},
    {Window::Inputs, 1006, Keys::Paste, "0x10", Qt::Key_Tab, "-6.0", " -6", nullptr, kRange},
    {Window::Inputs, 1006, Keys::Paste, "1e4", Qt::Key_Tab, "-6.0", " -6", nullptr, kRange},
    {Window::Inputs, 1007, Keys::Replace, "1e4", Qt::Key_Tab, "300.0", " 300", nullptr, kRange},
    {Window::Inputs, 1007, Keys::Replace, "1e2", Qt::Key_Return, "300.0", " 300", nullptr, kRange},
    {Window::Inputs, 1006, Keys::Replace, "0x10", Qt::Key_Tab, "-6.0", " -6", nullptr, kRange},
    {Window::Inputs, 1015, Keys::Replace, "2e3", Qt::Key_Tab, "2000.0", "2000.0", "/AUDIO/IN3/FILTER2/F 2000.0",
     nullptr},
    {Window::Inputs, 1017, Keys::Replace, "25e-1", Qt::Key_Tab, "2.5", "2.5", "/AUDIO/IN3/FILTER1/V 2.5", nullptr},
    {Window::Topology, 1164, Keys::Replace, "2,5", Qt::Key_Return, "2", "2,5", nullptr, kCount},
    {Window::Topology, 1164, Keys::Replace, "", Qt::Key_Return, "2", "", nullptr, kCount},
    {Window::Topology, 1164, Keys::Replace, "2", Qt::Key_Return, "2", "2", nullptr, nullptr},
    // The last relays of the table, beyond the cards the project can hold.
    {Window::Topology, 1457, Keys::Replace, "499", Qt::Key_Return, "2", "499", nullptr, nullptr},
    {Window::Topology, 1164, Keys::Replace, "1e2", Qt::Key_Return, "2", "1e2", nullptr, kCount},
    {Window::Topology, 1164, Keys::Replace, "0x10", Qt::Key_Return, "2", "0x10", nullptr, kCount},
    {Window::Topology, 1164, Keys::Paste, "1e4", Qt::Key_Return, "2", "1e4", nullptr, kCount},
    {Window::RangeKeys, 1433, Keys::Replace, "2,5", Qt::Key_Return, "1", "1", nullptr, kCount},
    {Window::RangeKeys, 1433, Keys::Replace, "7", Qt::Key_Return, "7", "7", nullptr, nullptr},
    {Window::RangeKeys, 1433, Keys::Replace, "1e2", Qt::Key_Return, "1", "1", nullptr, kCount},
    {Window::RangeKeys, 1433, Keys::Replace, "0x10", Qt::Key_Return, "1", "1", nullptr, kCount},
    {Window::RangeKeys, 1433, Keys::Replace, "1e4", Qt::Key_Return, "1", "1", nullptr, kCount},
    // The first key: a typed slip is refused with the field's range, never
    // a range beyond the last key (which clears every key of the console).
    {Window::RangeKeys, 1432, Keys::Replace, "1e4", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Replace, "1e2", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Paste, "0x10", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Replace, "7.5", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Replace, "", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Replace, "   ", Qt::Key_Return, "1", "1", nullptr, kKey},
    {Window::RangeKeys, 1432, Keys::Replace, "7", Qt::Key_Return, "7", "7", nullptr, nullptr},
    {Window::Console, 1249, Keys::Replace, "12,5", Qt::Key_Return, "815", "12,5", nullptr, kUser},
    {Window::Console, 1249, Keys::Append, ",5", Qt::Key_Return, "815", "815,5", nullptr, kUser},
    {Window::Console, 1249, Keys::Replace, "815", Qt::Key_Return, "815", "815", nullptr, nullptr},
    {Window::Console, 1006, Keys::Replace, "4711", Qt::Key_Return, "4711", "4711", nullptr, nullptr, true},
    {Window::Console, 1249, Keys::Replace, "1e2", Qt::Key_Return, "815", "1e2", nullptr, kUser},
    {Window::Console, 1249, Keys::Replace, "0x10", Qt::Key_Return, "815", "0x10", nullptr, kUser},
    {Window::Console, 1249, Keys::Paste, "1e4", Qt::Key_Return, "815", "1e4", nullptr, kUser},
    {Window::Repeat, 1195, Keys::Replace, "12,5", Qt::Key_Return, "60", "60", nullptr, nullptr},
    {Window::Repeat, 1195, Keys::Replace, "abc", Qt::Key_Tab, "60", "60", nullptr, nullptr},
    {Window::Repeat, 1195, Keys::Replace, "60", Qt::Key_Tab, "60", "60", nullptr, nullptr},
    {Window::Repeat, 1195, Keys::Replace, "1e2", Qt::Key_Tab, "60", "60", nullptr, nullptr},
    {Window::Repeat, 1195, Keys::Replace, "0x10", Qt::Key_Tab, "60", "60", nullptr, nullptr},
    {Window::Repeat, 1195, Keys::Replace, "1e4", Qt::Key_Tab, "60", "60", nullptr, nullptr},
    // Fields that take every key: the value before the typing comes back.
    {Window::LcdText, 1237, Keys::Replace, "1,5", Qt::Key_Tab, "5", "5", nullptr, nullptr},
    {Window::LcdText, 1237, Keys::Replace, "7", Qt::Key_Tab, "7", "7", nullptr, nullptr},
    {Window::LcdText, 1237, Keys::Replace, "-12,7", Qt::Key_Tab, "5", "5", nullptr, nullptr, true},
    {Window::LcdText, 1237, Keys::Replace, "1e40", Qt::Key_Tab, "5", "5", nullptr, nullptr, true},
    {Window::LcdText, 1237, Keys::Replace, "1e2", Qt::Key_Tab, "5", "5", nullptr, nullptr, true},
    {Window::LcdText, 1237, Keys::Replace, "0x10", Qt::Key_Tab, "5", "5", nullptr, nullptr, true},
    {Window::LcdText, 1237, Keys::Replace, "1e4", Qt::Key_Tab, "5", "5", nullptr, nullptr, true},
    {Window::LogicOut, 1195, Keys::Replace, "3.5,5", Qt::Key_Tab, "2.5", "2.5", nullptr, nullptr},
    {Window::LogicOut, 1195, Keys::Replace, "3,5", Qt::Key_Tab, "3.5", "3.5", nullptr, nullptr},
    // The power management's priority on battery, 70: no text that is no
    // whole number becomes priority 0 (or 1); the user is told the range.
    {Window::Power, 1567, Keys::Replace, "3.5,5", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "1,5", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "   ", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Paste, "abc", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "999", Qt::Key_Tab, "255", "255", nullptr, nullptr},
    {Window::Power, 1567, Keys::Replace, "12", Qt::Key_Return, "12", "12", nullptr, nullptr},
    {Window::Power, 1567, Keys::Replace, "1e2", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "0x10", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "2e1x", Qt::Key_Tab, "70", "70", nullptr, kPrio},
    {Window::Power, 1567, Keys::Replace, "1e4", Qt::Key_Return, "70", "70", nullptr, kPrio},
    // A number beyond the range is held at its end however many digits it
    // has: 11 nines as 45.
    {Window::Power, 1567, Keys::Replace, "99999999999", Qt::Key_Tab, "255", "255", nullptr, nullptr},
    {Window::Power, 1567, Keys::Replace, "999999999999999999999999999999999999999999999", Qt::Key_Tab, "255", "255",
     nullptr, nullptr},
    {Window::Power, 1567, Keys::Replace, "-999999999999999999999999999999999999999999999", Qt::Key_Tab, "0", "0",
     nullptr, nullptr},
    // The priority that delays the shutdown, 0: "1e2" is not taken as 0 in silence.
    {Window::Power, 1649, Keys::Replace, "1e2", Qt::Key_Tab, "0", "0", nullptr, kPrio},
    {Window::Power, 1649, Keys::Replace, "100", Qt::Key_Tab, "100", "100", nullptr, nullptr},
    // The digits a text starts with are its number, as "%d" reads them.
    {Window::Power, 1567, Keys::Replace, "7x", Qt::Key_Tab, "7", "7", nullptr, nullptr},
    // Typed, not left: a bar button takes the value first, as leaving would.
    {Window::Power, 1567, Keys::Replace, "99", Qt::Key_unknown, "99", "99", nullptr, nullptr, false,
     CFeatureFrm::kSave},
    // The audio editor's common settings, the device connected: a number
    // beyond a spin's range is typed whole and taken at the range's end,
    // never as the digits that fit ("100" as 10 would be -45.1 dB, "-50" as
    // -5 an attenuation of 5 dB). The gong level's spin runs 0..61, the
    // background attenuation's -41 (off) ..0.
    {Window::Common, 1351, Keys::Replace, "100", Qt::Key_Tab, "-0.2", "61", "/AUDIO/CHIME_VOL -0.2", nullptr},
    {Window::Common, 111, Keys::Replace, "-50", Qt::Key_Tab, "-41", "-41", "/AUDIO/BACK_ATT -127", nullptr},
    {Window::Common, 111, Keys::Replace, "-7", Qt::Key_Return, "-7", "-7", "/AUDIO/BACK_ATT -7", nullptr},
    {Window::Common, 111, Keys::Replace, "5", Qt::Key_Tab, "0", "0", "/AUDIO/BACK_ATT 0", nullptr},
};

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

CAudioInputSlot* Slot(CQuillomerDoc& doc, const char* name)
{
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (obj->GetName() == name)
            return dynamic_cast<CAudioInputSlot*>(obj);
    return nullptr;
}

// One row's window, shown and active, and the value the project holds for
// a field of it.
struct Rig {
    std::unique_ptr<QWidget> owned;
    QWidget* window = nullptr;
    std::function<std::string(int field)> held;
    // What the row's window needed put back once the row is done.
    struct Undo {
        std::function<void()> undo;
        ~Undo()
        {
            if (undo)
                undo();
        }
    };
    std::shared_ptr<Undo> undo;
};

class TypedValues : public MacroWindow {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MacroWindow::SetUp());
        previousTopologyDialog = CRelaisTopology::SetDialog(nullptr);
        // A console on Slot1, the audio inputs on Slot2.
        CAudioInputSlot* slot1 = Slot(d.doc(), "Slot1");
        inputs = Slot(d.doc(), "Slot2");
        ASSERT_TRUE(slot1 && inputs);
        slot1->SetCardType(inputcard::Console2);
        slot1->SetHoverConnectors(0, -1);
        ASSERT_EQ(1, slot1->AddConsole(consmodel::WRN2271));
        console = dynamic_cast<CConsole*>(d.doc().GetList(CAT_CONSOLE).back());
        inputs->SetCardType(inputcard::MicLine2);
        // A relay topology of an amplifier on the output card.
        const AmpTypeEntry* type = CAmplifier::GetTypeEntryByKind(33074);
        auto* amp = new CAmplifier;
        ASSERT_EQ(1, amp->Create(33074, type->channels, type->channels, nullptr, 100, 200, 100, 200, CAT_AMPLIFIER,
                                 type->bitmapId, 0, &d.doc()));
        d.doc().AddObject(amp, CAT_AMPLIFIER);
        amp->LinkTo(0, d.doc().GetList(CAT_OUTPUT_SLOT).front(), 0);
        amp->OnCommand(ampcmd::OneInN);
        topology = dynamic_cast<CRelaisTopology*>(d.doc().GetList(CAT_RELAIS_TOPOLOGY).back());
        ASSERT_TRUE(console && topology);
        topology->m_zoneCount = 2;
    }
    void TearDown() override
    {
        DeleteAudioInputsDlg();
        FlushDeletes();
        CRelaisTopology::SetDialog(previousTopologyDialog);
        MacroWindow::TearDown();
    }

    Rig Open(Window window)
    {
        Rig rig;
        switch (window) {
        case Window::Inputs: {
            const auto set = [this](unsigned code, int filter, const char* text) {
                inputs->SetValueText(MakeInputKey(code, filter), 0, text);
            };
            set(IPC_TYPE, 0, "2");  // PEQ: the gain shows
            set(IPC_V, 0, "3.5");
            set(IPC_VOL, 0, "-80.0");
            set(IPC_F, 1, "1000.0");
            set(IPC_ATTENUATION, 0, "-6.0");
            set(IPC_RAMP, 0, "300.0");
            EXPECT_EQ(1, OpenAudioInputsDlg(&d.doc(), 2));
            rig.window = GetOpenAudioInputsDlg();
            rig.held = [this](int field) {
                const double v = field == 1017   ? inputs->m_filters[0][0].v
                                 : field == 1059 ? inputs->m_volume[0]
                                 : field == 1015 ? inputs->m_filters[0][1].f
                                 : field == 1006 ? inputs->GetSharedAttenuation()
                                                 : inputs->m_ramp[0];
                return QString::number(v, 'f', 1).toStdString();
            };
            break;
        }
        case Window::Power: {
            auto* power = dynamic_cast<CInternalPowerManagement*>(
                d.doc().GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT));
            EXPECT_NE(nullptr, power);
            if (!power)
                break;
            power->SetValue(powerkey::BattPrio, 70);
            power->SetValue(powerkey::ShutPrio, 0);
            auto frame = std::make_unique<CPowerFrm>();
            frame->resize(900, 500);
            rig.held = [power](int field) {
                return std::to_string(power->GetValue(field == 1649 ? powerkey::ShutPrio : powerkey::BattPrio));
            };
            rig.owned = std::move(frame);
            break;
        }
        case Window::Common: {
            auto* audio = dynamic_cast<CMiscAudio*>(d.doc().GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
            EXPECT_NE(nullptr, audio);
            if (!audio)
                break;
            audio->SetValue(miscaudiokey::ChimeVol, "-9.0");
            audio->SetValue(miscaudiokey::BackAtt, "-20");
            // The levels go to a connected device as they change.
            d.doc().SetConnected(1);
            rig.undo = std::make_shared<Rig::Undo>();
            rig.undo->undo = [this] { d.doc().SetConnected(0); };
            auto editor = std::make_unique<CAudioEditor>(&d.doc());
            editor->SetActivePage(3);
            rig.held = [audio](int field) {
                return audio->GetValue(field == 111 ? miscaudiokey::BackAtt : miscaudiokey::ChimeVol);
            };
            rig.owned = std::move(editor);
            break;
        }
        case Window::Topology:
            topology->m_zoneCount = 2;
            rig.owned = std::make_unique<CRelaisTopologyDlg>(topology);
            rig.held = [this](int) { return std::to_string(topology->m_zoneCount); };
            break;
        case Window::Console: {
            console->GetProp().SetParamText(consparam::UserPassword, "815");
            auto sheet = std::make_unique<CConsolePropertySheet>(&d.doc(), console);
            sheet->SetActivePage(CConsolePropertySheet::General);
            rig.owned = std::move(sheet);
            rig.held = [this](int field) {
                return console->GetProp().GetParamText(field == 1006 ? consparam::ExpertPassword
                                                                     : consparam::UserPassword);
            };
            break;
        }
        case Window::RangeKeys: {
            auto dlg = std::make_unique<CRangeKeysDlg>();
            dlg->GetFirstEdit()->setValue(1);
            dlg->GetLastEdit()->setValue(10);
            dlg->GetLineEdit()->setValue(1);
            CRangeKeysDlg* keys = dlg.get();
            rig.held = [keys](int field) { return std::to_string(field == 1432 ? keys->m_firstKey : keys->m_line); };
            rig.owned = std::move(dlg);
            break;
        }
        case Window::Repeat:
        case Window::LcdText:
        case Window::LogicOut: {
            const struct {
                uint32_t type;
                int field;
                int param;
                const char* value;
            } macro = window == Window::Repeat    ? decltype(macro){mt::Repeat, 1195, 39, "60"}
                      : window == Window::LcdText ? decltype(macro){mt::LcdText, 1237, 39, "5"}
                                                  : decltype(macro){mt::LogicOut, 1195, 35, "2.5"};
            auto frame = std::make_unique<CMacroDlgFrm>();
            frame->resize(900, 500);
            frame->show();
            New(*frame, macro.type);
            Settle();
            CMacro* made = frame->GetCurrentMacro();
            EXPECT_NE(nullptr, made);
            // The row's starting value, typed.
            if (auto* edit = Control<QLineEdit>(*frame, macro.field)) {
                edit->setFocus();
                edit->selectAll();
                QTest::keyClicks(edit, QString::fromLatin1(macro.value));
                QTest::keyClick(edit, Qt::Key_Return);
            }
            const int param = macro.param;
            rig.held = [made, param](int) { return made ? made->GetParamText(param) : std::string(); };
            rig.owned = std::move(frame);
            break;
        }
        }
        if (!rig.window)
            rig.window = rig.owned.get();
        rig.window->show();
        rig.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(rig.window));
        Settle();
        return rig;
    }

    CAudioInputSlot* inputs = nullptr;
    CConsole* console = nullptr;
    CRelaisTopology* topology = nullptr;
    CRelaisTopology::DialogFn previousTopologyDialog = nullptr;
};
}  // namespace

// Row by row, in German and in English: the user clicks into the field,
// types (after the shown text, over all of it, or pastes over it) and leaves
// it with Tab, or Enter (which also presses a dialog's OK).
TEST_F(TypedValues, ATextThatIsNoNumberOfItsFieldIsRefusedAndNothingIsSent)
{
    InEachLanguage([this](bool english) {
        for (const Row& row : kRows) {
            SCOPED_TRACE(std::to_string(row.field) + " \"" + row.keys + "\" " + (english ? "English" : "German"));
            Rig rig = Open(row.window);
            // An edit, or the edit of a spin box, which takes the keys itself.
            auto* field = rig.window->findChild<QWidget*>(QString::number(row.field));
            ASSERT_NE(nullptr, field);
            auto* edit = qobject_cast<QLineEdit*>(field) ? qobject_cast<QLineEdit*>(field) : field->findChild<QLineEdit*>();
            ASSERT_NE(nullptr, edit);
            sender.lines.clear();
            messages.texts.clear();
            const std::string before = rig.held(row.field);
            d.doc().SetModifiedFlag(false);

            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
            Settle();
            ASSERT_TRUE(field->hasFocus());
            QTest::keyClick(field, Qt::Key_End);
            if (row.how != Keys::Append && row.how != Keys::None) {
                // Ctrl+A selects the whole text, in the modeless dialog too.
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                EXPECT_EQ(edit->text(), edit->selectedText());
            }
            if (row.how == Keys::Paste) {
                QApplication::clipboard()->setText(QString::fromUtf8(row.keys));
                QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
                EXPECT_EQ(QString::fromUtf8(row.keys), edit->text());
            } else if (*row.keys) {
                QTest::keyClicks(field, QString::fromUtf8(row.keys));
            } else if (row.how != Keys::None) {
                QTest::keyClick(field, Qt::Key_Backspace);
            }
            if (row.bar) {
                // The button as the user clicks it: a tool button, which takes no focus.
                CFeatureFrm* frame = CFeatureFrm::FrameOf(field);
                ASSERT_NE(nullptr, frame);
                QAction* action = frame->GetAction(row.bar);
                ASSERT_TRUE(action && action->isEnabled());
                QWidget* button = nullptr;
                for (QToolBar* bar : {frame->GetSwitchBar(), frame->GetCommandBar()})
                    if (!button && bar)
                        button = bar->widgetForAction(action);
                ASSERT_NE(nullptr, button);
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                QTest::keyClick(field, row.leave);
            }
            Settle();

            EXPECT_EQ(row.held, rig.held(row.field));
            // Only a value changed marks the project (the audio inputs write it as a field is left).
            if (row.window == Window::Inputs)
                EXPECT_EQ(row.held != before, d.doc().IsModified());
            EXPECT_EQ(QString::fromUtf8(row.shown), edit->text());
            EXPECT_EQ(row.sent ? std::vector<std::string>{row.sent} : std::vector<std::string>{}, sender.lines);
            EXPECT_EQ(row.said ? std::vector<std::string>{row.said[english ? 1 : 0]} : std::vector<std::string>{},
                      messages.texts);
            if (row.unmarked)
                EXPECT_FALSE(d.doc().IsModified());
            DeleteAudioInputsDlg();
            FlushDeletes();
        }
    });
}
