#include "ui/CDateTimeEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {
bool IsDigit(const QString& typed)
{
    return typed.size() == 1 && typed.at(0) >= QLatin1Char('0') && typed.at(0) <= QLatin1Char('9');
}

// The runs of digits in `text`: (start, length) each.
QList<std::pair<int, int>> DigitRuns(const QString& text)
{
    QList<std::pair<int, int>> runs;
    for (int i = 0; i < text.size();) {
        if (!text.at(i).isDigit()) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < text.size() && text.at(i).isDigit())
            ++i;
        runs.append({start, i - start});
    }
    return runs;
}
}  // namespace

CDateTimeEdit::CDateTimeEdit(QWidget* parent) : QDateTimeEdit(parent)
{
    Init();
}

CDateTimeEdit::CDateTimeEdit(QTime time, QWidget* parent) : QDateTimeEdit(time, parent)
{
    Init();
}

void CDateTimeEdit::Init()
{
    // The value changes once the typing is done (Enter, Tab, the focus
    // leaving): a time typed half-way never reaches the owner, and one that
    // is no time leaves the value as it was.
    setKeyboardTracking(false);
    lineEdit()->installEventFilter(this);
}

bool CDateTimeEdit::eventFilter(QObject* watched, QEvent* e)
{
    // A click chooses the whole part under it, so that what is typed next
    // replaces the part instead of landing among its digits.
    // The press has placed the caret by the time the button is released.
    if (watched == lineEdit() && e->type() == QEvent::MouseButtonRelease && !lineEdit()->hasSelectedText() &&
        !IsTypedInvalid())
        setSelectedSection(sectionAt(currentSectionIndex()));
    return QDateTimeEdit::eventFilter(watched, e);
}

bool CDateTimeEdit::IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

bool CDateTimeEdit::IsTypedInvalid() const
{
    return !m_strRefused.isEmpty() && lineEdit()->text() == m_strRefused;
}

bool CDateTimeEdit::TakeTyped()
{
    if (IsTypedInvalid())
        return false;
    bool numeric = false;
    const std::optional<QDateTime> typed = ReadNumericText(lineEdit()->text(), &numeric);
    if (!numeric) {
        interpretText();
        return true;
    }
    if (!typed)
        return false;
    setDateTime(*typed);
    return true;
}

std::optional<QDateTime> CDateTimeEdit::ReadNumericText(const QString& text, bool* numericFormat) const
{
    // The parts of the display format, in order: a letter and how often it
    // stands there. Quoted text is no part.
    struct Part {
        QChar letter;
        int count;
    };
    QList<Part> parts;
    const QString format = displayFormat();
    bool numeric = true;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const int close = format.indexOf(QLatin1Char('\''), i + 1);
            i = close < 0 ? format.size() : close + 1;
            continue;
        }
        int n = 1;
        while (i + n < format.size() && format.at(i + n) == c)
            ++n;
        i += n;
        if (QStringLiteral("dMyHhmsz").contains(c)) {
            // Day and month names are no numbers.
            if ((c == QLatin1Char('d') || c == QLatin1Char('M')) && n > 2)
                numeric = false;
            parts.append({c, n});
        } else if (c.isLetter()) {
            numeric = false;  // a day period, a time zone
        }
    }
    *numericFormat = numeric;
    if (!numeric)
        return std::nullopt;
    const QList<std::pair<int, int>> runs = DigitRuns(text);
    if (runs.size() != parts.size())
        return std::nullopt;
    const QDateTime base = dateTime();
    int year = base.date().year(), month = base.date().month(), day = base.date().day();
    int hour = base.time().hour(), minute = base.time().minute(), second = base.time().second();
    int msec = base.time().msec();
    for (int i = 0; i < parts.size(); ++i) {
        const QString digits = text.mid(runs[i].first, runs[i].second);
        const Part& p = parts[i];
        const int width = p.letter == QLatin1Char('y') ? (p.count >= 4 ? 4 : 2) : p.letter == QLatin1Char('z') ? 3 : 2;
        if (digits.size() > width)
            return std::nullopt;
        const int v = digits.toInt();
        switch (p.letter.toLatin1()) {
        case 'y':
            // Two digits count from 1970 on, as the device's calendar does.
            year = digits.size() <= 2 ? (v < 70 ? 2000 + v : 1900 + v) : v;
            break;
        case 'M': month = v; break;
        case 'd': day = v; break;
        case 'H':
        case 'h': hour = v; break;
        case 'm': minute = v; break;
        case 's': second = v; break;
        case 'z': msec = v; break;
        default: break;
        }
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid() || !QTime::isValid(hour, minute, second, msec))
        return std::nullopt;
    const QDateTime result(date, time, base.timeSpec());
    if (result < minimumDateTime() || result > maximumDateTime())
        return std::nullopt;
    return result;
}

int CDateTimeEdit::PartWidth(int index) const
{
    switch (sectionAt(index)) {
    case YearSection: return displayFormat().contains(QLatin1String("yyyy")) ? 4 : 2;
    case MSecSection: return 3;
    default: return 2;
    }
}

bool CDateTimeEdit::IsStrayCharacter(const QString& typed)
{
    return typed.size() == 1 && typed.at(0).isPrint() && !typed.at(0).isSpace() && !typed.at(0).isDigit();
}

void CDateTimeEdit::ShowRefused(const QString& digits, int index, bool mayTake)
{
    QLineEdit* edit = lineEdit();
    QString text = edit->text();
    int caret = 0;
    if (index < 0) {
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        text.replace(at, edit->selectedText().size(), digits);
        caret = at + static_cast<int>(digits.size());
    } else {
        const QList<std::pair<int, int>> runs = DigitRuns(text);
        if (index >= runs.size())
            return;
        text.replace(runs[index].first, runs[index].second, digits);
        caret = runs[index].first + static_cast<int>(digits.size());
    }
    // Digits that make a date or time after all (a "1" typed behind the "6"
    // of "6:03", then "3": 13 hours) are taken, and the part after is chosen.
    bool numeric = false;
    if (const std::optional<QDateTime> taken = mayTake ? ReadNumericText(text, &numeric) : std::nullopt) {
        const int part = currentSectionIndex();
        setDateTime(*taken);
        setCurrentSectionIndex(part);
        setSelectedSection(sectionAt(part));
        m_bMovedOn = index >= 0;
        m_bMovedEarly = false;
        m_strTypedDigits.clear();
        m_nTypedPart = part;
        return;
    }
    m_strBeforeRefused = edit->text();
    m_nSelectionBeforeRefused = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    m_nSelectedBeforeRefused = static_cast<int>(edit->selectedText().size());
    m_bMovedBeforeRefused = m_bMovedOn;
    m_strRefused = text;
    SetTextAside(text);
    const QSignalBlocker blocker(edit);
    edit->setCursorPosition(caret);
}

void CDateTimeEdit::SetTextAside(const QString& text)
{
    // The field itself never sees this text: it keeps the value it had. Nor
    // may its check of the text put a day back to the month's last.
    QLineEdit* edit = lineEdit();
    const QSignalBlocker blocker(edit);
    const QValidator* check = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(text);
    edit->setValidator(check);
}

void CDateTimeEdit::StepPart(bool forward)
{
    const int index = currentSectionIndex();
    const int target = std::clamp(index + (forward ? 1 : -1), 0, sectionCount() - 1);
    if (!TakeTyped())
        interpretText();
    setCurrentSectionIndex(target);
    setSelectedSection(sectionAt(target));
    m_strTypedDigits.clear();
    m_nTypedPart = target;
}

void CDateTimeEdit::keyPressEvent(QKeyEvent* e)
{
    if (IsModifierKey(e->key())) {
        QDateTimeEdit::keyPressEvent(e);
        return;
    }
    if (IsTypedInvalid()) {
        switch (e->key()) {
        case Qt::Key_Backspace: {
            // Takes the refused digit back.
            SetTextAside(m_strBeforeRefused);
            const QSignalBlocker blocker(lineEdit());
            lineEdit()->setSelection(m_nSelectionBeforeRefused, m_nSelectedBeforeRefused);
            m_strRefused.clear();
            m_bMovedOn = m_bMovedBeforeRefused;
            e->accept();
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // The field goes back to the value it holds.
            m_strRefused.clear();
            QDateTimeEdit::keyPressEvent(e);
            return;
        default:
            // Nothing more is typed on a part that is no number.
            e->accept();
            return;
        }
    }
    const bool arrow = (e->key() == Qt::Key_Right || e->key() == Qt::Key_Left) &&
                       (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (m_bMovedOn && (IsPassedSeparator(e) || (arrow && e->key() == Qt::Key_Right))) {
        m_bMovedOn = false;
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool digit = IsDigit(typed);
    if (m_bMovedOn && m_bMovedEarly && digit) {
        // The digit belongs to the part just left, which takes none more.
        ShowRefused(m_strEarlyDigits + typed, RunOf(currentSectionIndex() - 1));
        m_bMovedOn = false;
        e->accept();
        return;
    }
    m_bMovedOn = false;
    if (arrow) {
        StepPart(e->key() == Qt::Key_Right);
        e->accept();
        return;
    }
    const int field = currentSectionIndex();
    // The digits typed into this part so far: none when it is chosen whole.
    const QString typedInPart =
        field == m_nTypedPart && !lineEdit()->hasSelectedText() ? m_strTypedDigits : QString();
    const QString before = lineEdit()->text();
    const int caretBefore = lineEdit()->cursorPosition();
    const QString chosenBefore = lineEdit()->selectedText();
    const int chosenFrom = lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : caretBefore;
    QDateTimeEdit::keyPressEvent(e);
    const int now = currentSectionIndex();
    // A refused digit leaves the text, the caret and the choice as they were;
    // a digit typed over the same digit ("1" over a chosen "1") leaves the
    // text alone too, yet it was taken: the caret has moved on.
    const bool untouched = now == field && lineEdit()->text() == before &&
                           lineEdit()->cursorPosition() == caretBefore && lineEdit()->selectedText() == chosenBefore;
    if (digit && untouched) {
        ShowRefused(typed, -1);
        return;
    }
    // A sign, a decimal mark or a letter among the digits ("3.5,5", "-12,7",
    // "1e40") that the field passed over would leave the digits around it to
    // make another date or time: it stands as typed instead, and the field
    // holds none until Backspace takes it back. (Typed before any digit, it
    // changes nothing and is passed over.)
    if (untouched && m_bDigitTyped && IsStrayCharacter(typed)) {
        ShowRefused(typed, -1, false);
        return;
    }
    if (digit)
        m_bDigitTyped = true;
    // The field puts a day the month has not got back to the month's last
    // ("29.02.2001" became 28.02.2001 as the year or month was typed): that
    // would be another date than the one typed. The digits stand as typed
    // instead, and the field holds no date until Backspace takes them back.
    // (What the part typed into holds is known when it was chosen whole or
    // typed into from its start.)
    const bool typedKnown = !chosenBefore.isEmpty() || field == m_nTypedPart;
    if (digit && lineEdit()->text() != before &&
        TookOtherThanTyped(before, field, typedKnown ? typedInPart + typed : QString())) {
        const QString digits = typedKnown ? typedInPart + typed : DigitsOf(lineEdit()->text(), RunOf(field));
        SetTextAside(before);
        const QSignalBlocker blocker(lineEdit());
        if (chosenBefore.isEmpty())
            lineEdit()->setCursorPosition(caretBefore);
        else
            lineEdit()->setSelection(chosenFrom, static_cast<int>(chosenBefore.size()));
        ShowRefused(digits, RunOf(field));
        return;
    }
    m_nTypedPart = now;
    if (digit && now > field) {
        m_bMovedOn = true;
        m_bMovedEarly = typedInPart.size() + 1 < PartWidth(field);
        m_strEarlyDigits = typedInPart + typed;
        m_strTypedDigits.clear();
    } else if (digit) {
        m_strTypedDigits = typedInPart + typed;
    } else if (now != field) {
        m_strTypedDigits.clear();
    } else if (e->key() == Qt::Key_Backspace) {
        m_strTypedDigits.chop(1);
    }
}

int CDateTimeEdit::RunOf(int part) const
{
    int run = 0;
    for (int i = 0; i < part; ++i)
        run += sectionAt(i) == AmPmSection ? 0 : 1;
    return run;
}

bool CDateTimeEdit::TookOtherThanTyped(const QString& before, int part, const QString& typed) const
{
    const QString after = lineEdit()->text();
    const QList<std::pair<int, int>> was = DigitRuns(before);
    const QList<std::pair<int, int>> now = DigitRuns(after);
    if (was.size() != now.size())
        return false;
    const int typedRun = RunOf(part);
    for (int i = 0; i < now.size(); ++i) {
        // The part typed into holds the digits typed; every other part what it held.
        if (i == typedRun && typed.isEmpty())
            continue;
        const int expected = i == typedRun ? typed.toInt() : before.mid(was[i].first, was[i].second).toInt();
        if (after.mid(now[i].first, now[i].second).toInt() != expected)
            return true;
    }
    return false;
}

QString CDateTimeEdit::DigitsOf(const QString& text, int run)
{
    const QList<std::pair<int, int>> runs = DigitRuns(text);
    return run < runs.size() ? text.mid(runs[run].first, runs[run].second) : QString();
}

void CDateTimeEdit::focusOutEvent(QFocusEvent* e)
{
    // Leaving the field shows its value again.
    m_strRefused.clear();
    m_bMovedOn = false;
    m_bDigitTyped = false;
    QDateTimeEdit::focusOutEvent(e);
}

bool CDateTimeEdit::IsPassedSeparator(const QKeyEvent* e) const
{
    const QString typed = e->text();
    if (typed.isEmpty() || typed.at(0).isLetterOrNumber() || !lineEdit()->hasSelectedText())
        return false;
    // The field the edit moved to is selected; the separator stands before
    // it, perhaps followed by a blank ("7. 12. 26") that is passed with it.
    QString before = lineEdit()->text().left(lineEdit()->selectionStart());
    if (!typed.at(0).isSpace())
        while (!before.isEmpty() && before.back().isSpace())
            before.chop(1);
    return before.endsWith(typed);
}
