// The macro window as its user meets it: shown, with the focus where the user
// puts it, real key presses and mouse clicks on the list and the editor views.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

#include "MacroWindowFixture.h"
#include "macros/windows/CMacroDlgListView.h"
#include "model/CControlPad.h"
#include "support/qt/TypeAsKeyboard.h"
#include "ui/CDateTimeEdit.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CListCtrl.h"
#include "ui/UiIds.h"

using namespace blocktest;
namespace mt = macrotype;

namespace {
class MacroViewsByHand : public MacroWindow {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MacroWindow::SetUp());
        frame.resize(900, 500);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }

    void New(uint32_t type)
    {
        MacroWindow::New(frame, type);
        Settle();
    }
    // Lets a replaced editor view go and the new one lay itself out.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    template <class T>
    T* Control(int id)
    {
        return MacroWindow::Control<T>(frame, id);
    }
    // A click where the user aims: on a radio button's circle, else the middle.
    static void Click(QAbstractButton* button)
    {
        ASSERT_NE(nullptr, button);
        const QPoint at = qobject_cast<QRadioButton*>(button) ? QPoint(6, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        Settle();
    }
    static void Keys(QWidget* target, std::initializer_list<Qt::Key> keys)
    {
        target->setFocus();
        for (Qt::Key k : keys)
            QTest::keyClick(target, k);
        Settle();
    }

    CMacroDlgFrm frame;
};
}  // namespace

TEST_F(MacroViewsByHand, AnAlarmPairIsEditedByKeysAndClicksAndEscapeChangesNothing)
{
    New(mt::Alarm);
    CMacro* on = Macro(1);
    CMacro* off = Macro(2);
    ASSERT_TRUE(on && off);
    const std::string onName = on->GetName();
    const std::string offName = off->GetName();
    d.doc().SetModifiedFlag(false);

    // The priority "9" of a new pair, one step down by key: "10".
    auto* priority = Control<QComboBox>(1165);
    ASSERT_EQ(QStringLiteral("9"), priority->currentText());
    Keys(priority, {Qt::Key_Down});
    EXPECT_EQ(100, on->GetParam(1));
    EXPECT_EQ(101, off->GetParam(1));
    EXPECT_TRUE(d.doc().IsModified());
    // Past the last entry and Escape leave the priority as it is.
    Keys(Control<QComboBox>(1165), {Qt::Key_Down, Qt::Key_Escape});
    EXPECT_EQ(100, on->GetParam(1));
    EXPECT_EQ(QStringLiteral("10"), Control<QComboBox>(1165)->currentText());

    // Escape in the lines dialog leaves zones, their text and the project alone.
    d.doc().SetModifiedFlag(false);
    const QString zones = Control<CEllipsisStatic>(1524)->GetFullText();
    dialogs = 0;
    Click(Control<QPushButton>(1225));
    EXPECT_EQ(1, dialogs);
    EXPECT_EQ(zones, Control<CEllipsisStatic>(1524)->GetFullText());
    EXPECT_FALSE(d.doc().IsModified());

    // ADD/SUB renames the pair; a second click on the checked button keeps
    // the names; ON/OFF restores them. The list follows each time.
    Click(Control<QRadioButton>(1486));
    const std::string onAdd = on->GetName();
    EXPECT_EQ(CMacroEditorView::ReplaceAll(onName, "ON", "ADD"), onAdd);
    EXPECT_EQ(CMacroEditorView::ReplaceAll(offName, "OFF", "SUB"), off->GetName());
    EXPECT_TRUE(d.doc().IsModified());
    EXPECT_TRUE(Control<QRadioButton>(1486)->isChecked());
    Click(Control<QRadioButton>(1486));
    EXPECT_EQ(onAdd, on->GetName());
    EXPECT_EQ(1, off->GetParam(18));
    Click(Control<QRadioButton>(1485));
    EXPECT_EQ(onName, on->GetName());
    EXPECT_EQ(offName, off->GetName());
    EXPECT_EQ(0, on->GetParam(18));
    EXPECT_EQ(QString::fromStdString(onName), frame.GetListView()->GetItemText(0, 0));
    EXPECT_EQ(QString::fromStdString(onName), Control<QLabel>(1330)->text());
    EXPECT_EQ(QString::fromStdString(offName), Control<QLabel>(1331)->text());
    // A second click on the checked ON/OFF takes no "ADD" out of a name.
    for (auto [m, name] : {std::pair{on, std::string("ADDA ON")}, std::pair{off, std::string("ADDA OFF")}})
        m->SetNameUnique(name, false);
    d.doc().SetModifiedFlag(false);
    Click(Control<QRadioButton>(1485));
    EXPECT_EQ("ADDA ON", on->GetName());
    EXPECT_EQ("ADDA OFF", off->GetName());
    EXPECT_FALSE(d.doc().IsModified());
    for (auto [m, name] : {std::pair{on, onName}, std::pair{off, offName}})
        m->SetNameUnique(name, false);

    // The switch-off macro's view names the pair the same way round.
    frame.GetListView()->SelectRow(1);
    Settle();
    EXPECT_EQ(QString::fromStdString(onName), Control<QLabel>(1330)->text());
    EXPECT_EQ(QString::fromStdString(offName), Control<QLabel>(1331)->text());
    EXPECT_EQ(QStringLiteral("10"), Control<QComboBox>(1165)->currentText());
}

TEST_F(MacroViewsByHand, EraseAndAmplifierViewsFollowKeysAndClicks)
{
    New(mt::Erase);
    CMacro* erase = frame.GetCurrentMacro();
    ASSERT_TRUE(erase);
    auto* recording = Control<QComboBox>(1543);
    ASSERT_GT(recording->count(), 3);
    Keys(recording, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
    EXPECT_EQ(3, erase->GetParam(64));
    Keys(recording, {Qt::Key_Home});
    EXPECT_EQ(0, erase->GetParam(64));
    EXPECT_EQ(QStringLiteral("OFF"), recording->currentText());

    New(mt::Amp);
    CMacro* amp = frame.GetCurrentMacro();
    ASSERT_TRUE(amp);
    EXPECT_EQ(QStringLiteral("Kein Eintrag"), Control<QLabel>(1522)->text());
    Click(Control<QPushButton>(1523));  // mains on switching on
    Click(Control<QPushButton>(1216));  // FAULT reset
    EXPECT_EQ(9, amp->GetParam(61));
    Click(Control<QPushButton>(1217));  // mains on switching off
    EXPECT_EQ(8, amp->GetParam(61));
    EXPECT_EQ(1, amp->GetParam(62));
    EXPECT_FALSE(Control<QPushButton>(1523)->isChecked());
    Click(Control<QPushButton>(1216));
    EXPECT_EQ(0, amp->GetParam(61));
    EXPECT_EQ(1, amp->GetParam(62));

    // Escape in the amplifier choice changes nothing; "Alle" is kept as ALL.
    d.doc().SetModifiedFlag(false);
    Click(Control<QPushButton>(1520));
    EXPECT_EQ(QStringLiteral("Kein Eintrag"), Control<QLabel>(1522)->text());
    EXPECT_FALSE(d.doc().IsModified());
    chosenText = QStringLiteral("Alle");
    Click(Control<QPushButton>(1520));
    chosenText.clear();
    EXPECT_EQ(QStringLiteral("Alle"), Control<QLabel>(1522)->text());
    EXPECT_EQ("Alle", amp->GetParamText(58));
    EXPECT_TRUE(d.doc().IsModified());

    New(mt::AmpMute);
    CMacro* mute = frame.GetCurrentMacro();
    Click(Control<QPushButton>(1503));
    EXPECT_EQ(1, mute->GetParam(29));
    Click(Control<QPushButton>(1503));
    EXPECT_EQ(0, mute->GetParam(29));
}

TEST_F(MacroViewsByHand, F2OpensTheNameEditorAgainAfterEscape)
{
    New(mt::Stop);
    New(mt::Chime);
    CMacroDlgListView* list = frame.GetListView();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    list->SelectRow(0);
    Settle();
    list->setFocus();
    const std::string name = Macro(1)->GetName();
    const auto editor = [list] {
        QWidget* w = QApplication::focusWidget();
        return w && w->parentWidget() == list->viewport() ? qobject_cast<QLineEdit*>(w) : nullptr;
    };
    // F2, Escape: the name stays; F2 once more opens the editor again, and
    // Enter there renames.
    QTest::keyClick(list, Qt::Key_F2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000)) << "the first F2";
    QTest::keyClick(editor(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(name, Macro(1)->GetName());
    EXPECT_EQ(Macro(1), frame.GetCurrentMacro());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(nullptr, focus);
    QTest::keyClick(focus, Qt::Key_F2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000)) << "the second F2";
    QLineEdit* edit = editor();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("Halle"));
    QTest::keyClick(edit, Qt::Key_Return);
    Settle();
    EXPECT_EQ("Halle", Macro(1)->GetName());
    EXPECT_EQ(QStringLiteral("Halle"), list->GetItemText(0, 0));
}


namespace {
// Clicks into an edit, replaces its text by typing and ends with Enter.
void TypeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(nullptr, edit);
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
}  // namespace

TEST_F(MacroViewsByHand, TypedNumbersAreLimitedAndWhatIsAlreadyHeldMarksNothing)
{
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    New(mt::Repeat);
    CMacro* repeat = frame.GetCurrentMacro();
    ASSERT_TRUE(repeat);
    auto* interval = Control<QLineEdit>(1195);
    TypeInto(interval, QStringLiteral("60"));
    EXPECT_EQ(60, std::stoi(repeat->GetParamText(39)));
    // The shown value typed again leaves the project unmarked.
    d.doc().SetModifiedFlag(false);
    TypeInto(interval, QStringLiteral("60"));
    EXPECT_FALSE(d.doc().IsModified());
    // Too large for any number: held at the top of the range, not wrapped.
    TypeInto(interval, QStringLiteral("4294967297"));
    EXPECT_EQ("300", repeat->GetParamText(39));
    EXPECT_EQ(QStringLiteral("300"), interval->text());
    TypeInto(Control<QLineEdit>(1261), QStringLiteral("99999999999"));
    EXPECT_EQ(65535, repeat->GetParam(68));
    // No number, or none at all: the macro keeps its value and shows it.
    d.doc().SetModifiedFlag(false);
    for (const QString& text : {QStringLiteral("abc"), QString()}) {
        TypeInto(interval, text);
        EXPECT_EQ("300", repeat->GetParamText(39));
        EXPECT_EQ(QStringLiteral("300"), interval->text());
    }
    EXPECT_FALSE(d.doc().IsModified());

    // A recording pair: the limited time reaches both, typed again marks nothing.
    New(mt::Record);
    CMacro* on = frame.GetCurrentMacro();
    CMacro* off = Macro(on->GetParam(31));
    ASSERT_TRUE(on && off);
    auto* maxTime = Control<QLineEdit>(1237);
    TypeInto(maxTime, QStringLiteral("400"));
    EXPECT_EQ(QStringLiteral("360.4"), maxTime->text());
    EXPECT_EQ("360.4", off->GetParamText(66));
    d.doc().SetModifiedFlag(false);
    TypeInto(maxTime, QStringLiteral("360.4"));
    TypeInto(maxTime, QStringLiteral("x"));
    EXPECT_EQ(QStringLiteral("360.4"), maxTime->text());
    EXPECT_FALSE(d.doc().IsModified());
    // A time held finer than the edit shows it ("%.1f") stays as held when
    // the edit is only passed through.
    for (CMacro* m : {on, off})
        m->SetParamFloat(66, 12.25f);
    frame.RefreshCurrentMacro();
    Settle();
    maxTime = Control<QLineEdit>(1237);
    ASSERT_NE(nullptr, maxTime);
    d.doc().SetModifiedFlag(false);
    QTest::mouseClick(maxTime, Qt::LeftButton, {}, maxTime->rect().center());
    QTest::keyClick(maxTime, Qt::Key_Return);
    Settle();
    EXPECT_EQ(12.25f, on->GetParamFloat(66));
    EXPECT_EQ(12.25f, off->GetParamFloat(66));
    EXPECT_FALSE(d.doc().IsModified());

    // A controller's edits: a text that holds no number it takes (no
    // finite float for the value) leaves the edit showing what the macro keeps.
    New(mt::VirtCtrl);
    TypeInto(Control<QLineEdit>(1498), QStringLiteral("2.5"));
    d.doc().SetModifiedFlag(false);
    struct Typed {
        int id;
        const char* text;
        const char* shown;
    };
    for (const Typed& t : {Typed{1498, "nan", "2.500000"}, Typed{1498, "1e40", "2.500000"}, Typed{1004, "abc", "0"},
                           Typed{1502, "", "0"}}) {
        SCOPED_TRACE(t.text);
        TypeInto(Control<QLineEdit>(t.id), QString::fromLatin1(t.text));
        EXPECT_EQ(QString::fromLatin1(t.shown), Control<QLineEdit>(t.id)->text());
    }
    EXPECT_FALSE(d.doc().IsModified());

    // A second click on the checked measurement, the same display line, the
    // same step macro chosen again: nothing changes, nothing is marked.
    New(mt::ZoneTest);
    Click(Control<QRadioButton>(1701));
    EXPECT_EQ(1, frame.GetCurrentMacro()->GetParam(72));
    d.doc().SetModifiedFlag(false);
    Click(Control<QRadioButton>(1701));
    EXPECT_FALSE(d.doc().IsModified());
    New(mt::LcdText);
    d.doc().SetModifiedFlag(false);
    Click(Control<QRadioButton>(1406));
    EXPECT_FALSE(d.doc().IsModified());
    New(mt::Volume);
    const std::string up = frame.GetCurrentMacro()->GetName();
    d.doc().SetModifiedFlag(false);
    Click(Control<QRadioButton>(32856));  // "Direkt", as a new pair is
    EXPECT_EQ(up, frame.GetCurrentMacro()->GetName());
    EXPECT_FALSE(d.doc().IsModified());
    New(mt::LcdText);
    Click(Control<QRadioButton>(1407));
    EXPECT_EQ(2, frame.GetCurrentMacro()->GetParam(20));
    EXPECT_TRUE(d.doc().IsModified());
}

TEST_F(MacroViewsByHand, ClockTimesConsoleTextsAndPulseTimesAreTypedAsOnTheKeyboard)
{
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    // The slave clocks' time typed with Shift around ":".
    New(mt::Stop);
    chosen = static_cast<int>(mt::SlaveClock);  // never offered for a new macro: retyped from a stop macro
    frame.GetListView()->ChangeType(0);
    chosen = 0;
    Settle();
    CMacro* clock = frame.GetCurrentMacro();
    ASSERT_EQ(mt::SlaveClock, clock->GetKindId());
    auto* time = Control<CDateTimeEdit>(1644);
    ASSERT_NE(nullptr, time);
    // A click on the hours, as the user aims, and the time typed over them.
    auto* field = time->findChild<QLineEdit*>();
    ASSERT_NE(nullptr, field);
    // The keys ("→" the Right key), the time kept after Enter and whether
    // the project changed: a time that is no time keeps the one before.
    struct Row {
        const char* keys;
        const char* kept;
        bool changed;
    };
    for (const Row& row : {Row{"6:3", "06:03", true}, Row{"13→5", "13:05", true}, Row{"25:00", "13:05", false},
                           Row{"12:61", "13:05", false}, Row{"", "13:05", false}, Row{"7:45", "07:45", true}}) {
        SCOPED_TRACE(row.keys);
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(6, field->height() / 2));
        ASSERT_EQ(time, QApplication::focusWidget());
        const QStringList parts = QString::fromUtf8(row.keys).split(QChar(0x2192));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0)
                QTest::keyClick(time, Qt::Key_Right);
            TypeAsKeyboard(time, parts[i]);
        }
        d.doc().SetModifiedFlag(false);
        QTest::keyClick(time, Qt::Key_Return);
        Settle();
        EXPECT_EQ(row.kept, clock->GetParamText(69));
        EXPECT_EQ(row.changed, d.doc().IsModified());
    }
    Click(Control<QRadioButton>(1643));
    EXPECT_EQ(1, clock->GetParam(71));
    EXPECT_EQ(0, clock->GetParam(3));
    // Saved and opened again, the project keeps the time typed: the clock
    // macro clicked in the list shows it again, and goes down with it.
    const int clockNumber = clock->GetNumber();
    ASSERT_TRUE(d.doc().LoadFromBytes(d.doc().SaveToBytes()));
    frame.RefreshMacroList();
    Settle();
    clock = Macro(clockNumber);
    ASSERT_NE(nullptr, clock);
    CMacroDlgListView* macros = frame.GetListView();
    for (int r = 0; r < macros->GetItemCount(); ++r)
        if (macros->NumberAt(r) == clockNumber)
            QTest::mouseClick(macros->viewport(), Qt::LeftButton, {},
                              macros->visualItemRect(macros->topLevelItem(r)).center());
    Settle();
    ASSERT_EQ(clock, frame.GetCurrentMacro());
    ASSERT_NE(nullptr, Control<CDateTimeEdit>(1644));
    EXPECT_EQ(QTime(7, 45), Control<CDateTimeEdit>(1644)->time());
    EXPECT_TRUE(Control<QRadioButton>(1643)->isChecked());
    std::vector<std::string> lines;
    clock->GetParamLines(lines);
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "/PARAM/TIME 07:45"));

    // A console text with umlauts and a longer one are kept whole; the
    // buzzer's repetitions are held at 255, its step time is kept as typed.
    New(mt::LcdText);
    CMacro* lcd = frame.GetCurrentMacro();
    EXPECT_EQ(QStringLiteral("Alle Sprechstellen"), Control<QComboBox>(1227)->currentText());
    EXPECT_TRUE(Control<QRadioButton>(1406)->isChecked());
    EXPECT_EQ(QStringLiteral("0"), Control<QLineEdit>(1237)->text());
    auto* text = Control<QLineEdit>(1216);
    text->setFocus();
    for (const QChar c : QStringLiteral("L\u00e4rm im Geb\u00e4ude Nord")) {
        if (c == QChar(0xE4))  // the umlaut key of a German keyboard
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_Adiaeresis, QString(c), Qt::NoModifier);
        else
            QTest::keyClick(text, c.toLatin1(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
    EXPECT_EQ("L\u00e4rm im Geb\u00e4ude Nord", lcd->GetParamText(13));
    New(mt::Buzzer);
    CMacro* buzzer = frame.GetCurrentMacro();
    // The fixed "0." stands right before the step time's field, on its row.
    QLabel* fraction = nullptr;
    for (QLabel* label : frame.GetEditorView()->findChildren<QLabel*>())
        fraction = label->text() == QStringLiteral("0.") ? label : fraction;
    ASSERT_NE(nullptr, fraction);
    const QRect zero(fraction->mapTo(&frame, QPoint()), fraction->size());
    const QRect step(Control<QLineEdit>(1237)->mapTo(&frame, QPoint()), Control<QLineEdit>(1237)->size());
    EXPECT_TRUE(step.left() > zero.right() && step.left() - zero.right() <= 8) << zero.right() << " " << step.left();
    EXPECT_TRUE(zero.top() < step.bottom() && step.top() < zero.bottom());
    TypeInto(Control<QLineEdit>(1719), QStringLiteral("300"));
    EXPECT_EQ(255, buzzer->GetParam(75));
    EXPECT_EQ(QStringLiteral("255"), Control<QLineEdit>(1719)->text()) << "the field shows what is kept";
    TypeInto(Control<QLineEdit>(1237), QStringLiteral("300"));
    EXPECT_EQ("300", buzzer->GetParamText(39));
    TypeInto(Control<QLineEdit>(1720), QStringLiteral("x"));
    EXPECT_EQ(QStringLiteral("0"), Control<QLineEdit>(1720)->text());

    // A pulse below the tenth of a second is static; above the form's range it is kept.
    New(mt::LogicOut);
    CMacro* on = frame.GetCurrentMacro();
    CMacro* off = Macro(on->GetParam(31));
    ASSERT_TRUE(off);
    TypeInto(Control<QLineEdit>(1195), QStringLiteral("0.05"));
    EXPECT_EQ("0.0", on->GetParamText(35));
    EXPECT_EQ(QStringLiteral("0.0"), Control<QLineEdit>(1195)->text());
    TypeInto(Control<QLineEdit>(1195), QStringLiteral("150"));
    EXPECT_EQ("150.0", on->GetParamText(35));
    EXPECT_EQ("150.0", off->GetParamText(35));

    // A decimal typed with a comma, as German is written: the pulse time, a
    // recording's limit and a controller's value.
    struct Decimal {
        uint32_t type;
        int id;
        int param;
        const char* kept;
    };
    for (const Decimal& t : {Decimal{mt::LogicOut, 1195, 35, "7.5"}, Decimal{mt::Record, 1237, 66, "7.5"},
                             Decimal{mt::VirtCtrl, 1498, 36, "7.500000"}}) {
        SCOPED_TRACE(t.id);
        New(t.type);
        TypeInto(Control<QLineEdit>(t.id), QStringLiteral("7,5"));
        EXPECT_EQ(t.kept, frame.GetCurrentMacro()->GetParamText(t.param));
        EXPECT_EQ(QLatin1String(t.kept), Control<QLineEdit>(t.id)->text());
    }
}

TEST_F(MacroViewsByHand, SequenceStepsAreEditedInTheirCellsAndEscapeKeepsTheDelay)
{
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    New(mt::Stop);
    New(mt::Sequence);
    CMacro* sequence = frame.GetCurrentMacro();
    auto* list = Control<CListCtrl>(1328);
    ASSERT_NE(nullptr, list);
    const auto cell = [list](int row, int column) {
        return list->visualRect(list->model()->index(row, column)).center();
    };
    const auto editor = [list] {
        QWidget* w = QApplication::focusWidget();
        return w && w->parentWidget() == list->viewport() ? qobject_cast<QLineEdit*>(w) : nullptr;
    };
    // The first click's press and release, then the second's press as a double click.
    const auto doubleClick = [list, &cell](int row, int column) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell(row, column));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell(row, column));
    };
    // A double click on step 2's delay, "2.5" and Enter.
    doubleClick(1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 3000));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor(), QStringLiteral("2.5"));
    QTest::keyClick(editor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ("2.5", sequence->GetParamText(47));
    EXPECT_EQ(QStringLiteral("2.5"), list->GetItemText(1, 2));
    // Its decimal mark may be a comma.
    doubleClick(2, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 3000));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor(), QStringLiteral("1,5"));
    QTest::keyClick(editor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ("1.5", sequence->GetParamText(48));
    // Another delay typed and Escape: the delay stays, so do the project's marks.
    d.doc().SetModifiedFlag(false);
    doubleClick(1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 3000));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor(), QStringLiteral("9"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ("2.5", sequence->GetParamText(47));
    EXPECT_EQ(QStringLiteral("2.5"), list->GetItemText(1, 2));
    // The step numbers are not edited; the macro chooser fills step 3.
    doubleClick(0, 0);
    Settle();
    EXPECT_EQ(nullptr, editor());
    EXPECT_FALSE(d.doc().IsModified());
    chosen = 1;
    doubleClick(2, 1);
    chosen = 0;
    Settle();
    EXPECT_EQ(1, sequence->GetParam(43));
    EXPECT_EQ(QString::fromStdString(Macro(1)->GetName()), list->GetItemText(2, 1));
    EXPECT_TRUE(d.doc().IsModified());

    // Step 4's delay typed, and without Return another macro clicked in the
    // macro list: the delay goes into the sequence before its view goes.
    doubleClick(3, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 3000));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor(), QStringLiteral("42"));
    CMacroDlgListView* macros = frame.GetListView();
    int other = -1;
    for (int r = 0; r < macros->GetItemCount(); ++r)
        if (macros->MacroAt(r) && macros->MacroAt(r) != sequence)
            other = r;
    ASSERT_LE(0, other);
    QTest::mouseClick(macros->viewport(), Qt::LeftButton, {},
                      macros->visualItemRect(macros->topLevelItem(other)).center());
    Settle();
    EXPECT_NE(sequence, frame.GetCurrentMacro());
    EXPECT_EQ("42.0", sequence->GetParamText(49));
    // Back on the sequence, its view shows the delay kept.
    for (int r = 0; r < macros->GetItemCount(); ++r)
        if (macros->MacroAt(r) == sequence)
            QTest::mouseClick(macros->viewport(), Qt::LeftButton, {},
                              macros->visualItemRect(macros->topLevelItem(r)).center());
    Settle();
    ASSERT_EQ(sequence, frame.GetCurrentMacro());
    EXPECT_EQ(QStringLiteral("42.0"), Control<CListCtrl>(1328)->GetItemText(3, 2));
}

TEST_F(MacroViewsByHand, TheTypeChosenAgainInTheListLeavesMacroAndProjectAlone)
{
    New(mt::Alarm);
    CMacroDlgListView* list = frame.GetListView();
    const QPoint typeCell = list->visualRect(list->model()->index(0, 1)).center();
    d.doc().SetModifiedFlag(false);
    dialogs = 0;
    chosen = static_cast<int>(mt::Alarm);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, typeCell);
    Settle();
    EXPECT_EQ(1, dialogs);
    EXPECT_EQ(2, Macro(1)->GetParam(31)) << "the pair stays";
    EXPECT_FALSE(d.doc().IsModified());
    // Another type is a change: the pair is dissolved, the project marked.
    chosen = static_cast<int>(mt::Stop);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, typeCell);
    chosen = 0;
    Settle();
    EXPECT_EQ(mt::Stop, Macro(1)->GetKindId());
    EXPECT_EQ(0, Macro(2)->GetParam(31));
    EXPECT_TRUE(d.doc().IsModified());
}

TEST_F(MacroViewsByHand, AnOutputTakenOutWhileTheWindowIsOpenIsNotLinked)
{
    // Two outputs of the digital I/O card.
    std::vector<CControlPad*> pads;
    for (const char* name : {"Out 1", "Out 2"}) {
        auto* pad = new CControlPad;
        ASSERT_EQ(1, pad->Create(padkind::SlotOut, 1, 1, std::string(name), 500, 500, 500, 500, CAT_DIGITAL_IO, 0, 9,
                                 &d.doc()));
        d.doc().AddObject(pad, CAT_DIGITAL_IO);
        pads.push_back(pad);
    }
    New(mt::LogicOut);
    CMacro* on = frame.GetCurrentMacro();
    CMacro* off = Macro(on->GetParam(31));
    ASSERT_TRUE(off);
    auto* output = Control<QComboBox>(1232);
    ASSERT_EQ(3, output->count());
    Keys(output, {Qt::Key_Down});
    EXPECT_EQ(pads[0]->GetNumber(), on->GetParam(7));
    EXPECT_EQ(pads[0]->GetNumber(), off->GetParam(7));
    // The second output goes with its card while the list still offers it.
    pads[1]->OnCommand(objcmd::Delete);
    Keys(Control<QComboBox>(1232), {Qt::Key_Down});
    EXPECT_EQ(pads[0]->GetNumber(), on->GetParam(7));
    EXPECT_EQ(pads[0]->GetNumber(), off->GetParam(7));
    // Reopened, the view offers what is there and shows the linked output.
    frame.GetListView()->SelectRow(1);
    Settle();
    frame.GetListView()->SelectRow(0);
    Settle();
    EXPECT_EQ(2, Control<QComboBox>(1232)->count());
    EXPECT_EQ(QStringLiteral("Out 1"), Control<QComboBox>(1232)->currentText());
    Keys(Control<QComboBox>(1232), {Qt::Key_Home});
    EXPECT_EQ(0, on->GetParam(7));
    EXPECT_EQ(0, off->GetParam(7));
}
