#pragma once
// Date or time field typed the way it is shown. The field moves on by itself
// when a part is full, so the separator typed right after that only confirms
// the move ("07:30:00" is 07:30:00, as "073000" is). A key that only changes
// the modifiers (Shift before ":" or "/", AltGr, Ctrl) is no step: the
// separator that follows it still confirms the move. Right and Left move from
// part to part as the separators do; Right right after a move by itself only
// confirms it. A digit the part cannot take ("25" hours, "61" minutes, also
// when the field had moved on after the "6") is shown as typed, and the field
// then holds no date or time until Backspace takes the digit back. So does a
// day the month has not got ("29.02.2001"): it is never put back to the
// month's last day, it stands as typed, and the field holds no date; nor
// does a sign, decimal mark or letter typed among the digits ("3.5,5"). A click
// chooses the whole part under it. The value changes when the typing is done.

#include <QDateTimeEdit>

#include <optional>

class QKeyEvent;

class CDateTimeEdit : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit CDateTimeEdit(QWidget* parent = nullptr);
    // A time field in the locale's short time form, starting at the time.
    CDateTimeEdit(QTime time, QWidget* parent);

    // Whether the key only changes the modifiers held.
    static bool IsModifierKey(int key);

    // Takes what is typed as the value, the part being typed included even
    // when it has fewer digits than it shows ("6:3" is 06:03). A year typed
    // with one or two digits counts from 1970 on. False, and the value left
    // as it was, when the text is no date or time.
    bool TakeTyped();
    // Whether the text shows a digit the field could not take.
    bool IsTypedInvalid() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Init();
    // Whether the separator typed next is the one the field has just passed
    // by itself.
    bool IsPassedSeparator(const QKeyEvent* event) const;
    // Moves to the part before or after the current one, taking the current
    // part as typed.
    void StepPart(bool forward);
    // The run of digits (counted in the text) that part `part` shows.
    int RunOf(int part) const;
    // Whether the field, given the digits `typed` for part `part`, shows
    // another number than typed there or than before in another part (a day
    // put back to the month's last). (`typed` empty: what that part holds is
    // not known and not compared.)
    bool TookOtherThanTyped(const QString& before, int part, const QString& typed) const;
    // The digits of run `run` of `text`.
    static QString DigitsOf(const QString& text, int run);
    // The most digits part `index` takes.
    int PartWidth(int index) const;
    // The date and time the text shows when every part is a number; nullopt
    // when it is none or the format has parts of other kinds.
    std::optional<QDateTime> ReadNumericText(const QString& text, bool* numericFormat) const;
    // Shows `digits` as numeric part `index` (counted among the numeric
    // parts), or `digit` at the caret when `index` is negative, as a text the
    // field holds no value for; unless `mayTake` is false, digits that make a
    // date or time after all are taken instead.
    void ShowRefused(const QString& digit, int index, bool mayTake = true);
    // Whether `typed` is a character no date or time has: no digit, no blank.
    static bool IsStrayCharacter(const QString& typed);
    // Shows `text` without the field taking or correcting it.
    void SetTextAside(const QString& text);

    bool m_bMovedOn = false;
    // A digit was typed since the field took the focus.
    bool m_bDigitTyped = false;
    // The move was made after fewer digits than the part takes, because no
    // further digit could fit (the "6" of "61" minutes).
    bool m_bMovedEarly = false;
    QString m_strEarlyDigits;
    // The digits typed into part m_nTypedPart since it was chosen.
    QString m_strTypedDigits;
    int m_nTypedPart = -1;
    // The text with a refused digit, and the text it replaced.
    QString m_strRefused;
    QString m_strBeforeRefused;
    int m_nSelectionBeforeRefused = 0;
    int m_nSelectedBeforeRefused = 0;
    bool m_bMovedBeforeRefused = false;
};
