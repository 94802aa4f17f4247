#include "ui/CGridEdit.h"

#include "platform/FiniteNumber.h"
#include "ui/NumberFormat.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>

CGridEdit::CGridEdit(QWidget* parent) : QLineEdit(parent) {}

double CGridEdit::RoundHalfAway(double value)
{
    return std::round(value);  // halves go away from zero
}

void CGridEdit::Setup(bool floatMode, const QString& format, double minimum, double maximum, double value,
                      bool special, double specialValue, const QString& specialText)
{
    m_bFloat = floatMode;
    m_strFormat = format;
    // A little room below the minimum, so that a decimal typed as the minimum
    // is not corrected for its last binary digit.
    m_dMin = minimum - 0.00001;
    m_dMax = maximum;
    m_bSpecial = special;
    m_dSpecial = specialValue;
    m_strSpecial = specialText;
    m_dValue = value;
    CheckRange(m_dValue);
    ShowValue();
    updateGeometry();
}

QSize CGridEdit::minimumSizeHint() const
{
    QSize hint = QLineEdit::minimumSizeHint();
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const QString& text : {Format(m_dMin), Format(m_dMax), m_bSpecial ? m_strSpecial : QString()})
        widest = std::max(widest, fm.horizontalAdvance(text));
    // The line edit's own margins: two pixels each side and the cursor.
    const QMargins margins = textMargins();
    const QSize text(widest + 2 * 2 + 1 + margins.left() + margins.right(), fm.height());
    QStyleOptionFrame option;
    initStyleOption(&option);
    hint.setWidth(std::max(hint.width(), style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, this).width()));
    return hint;
}

void CGridEdit::SetValue(double value)
{
    m_dValue = m_bFloat ? value : RoundHalfAway(value);
    ShowValue();
}

bool CGridEdit::CheckRange(double& value) const
{
    bool outside = false;
    if (value < m_dMin) {
        value = m_dMin;
        outside = true;
    }
    if (value > m_dMax) {
        value = m_dMax;
        outside = true;
    }
    return outside;
}

QString CGridEdit::Format(double value) const
{
    if (m_bFloat)
        return NumberFormat::FormatDouble(m_strFormat, value);
    return NumberFormat::FormatInteger(m_strFormat, static_cast<long long>(RoundHalfAway(value)));
}

void CGridEdit::ShowValue()
{
    const double shown = m_bFloat ? std::trunc(m_dValue) : RoundHalfAway(m_dValue);
    if (m_bSpecial && shown == std::trunc(m_dSpecial))
        m_strText = m_strSpecial;
    else
        m_strText = Format(m_dValue);
    setText(m_strText);
}

CGridEdit::Reading CGridEdit::ReadValue()
{
    QString text = this->text();
    // Typing the special text keeps the current value.
    if (m_bSpecial && text == m_strSpecial)
        text = Format(m_dValue);
    m_strText = text;
    double v = m_dValue;
    if (m_bFloat) {
        // Text that is no finite number counts as no number.
        const std::optional<float> typed = ScanTypedFloat(text.toStdString());
        if (!typed) {
            ShowValue();
            return Reading::NoNumber;
        }
        v = *typed;
    } else {
        const TypedWhole typed = ScanTypedWhole(text.toStdString());
        if (typed.kind != TypedWhole::Whole) {
            ShowValue();
            return typed.kind == TypedWhole::Decimal ? Reading::NotWhole : Reading::NoNumber;
        }
        v = static_cast<double>(typed.value);
    }
    const bool corrected = CheckRange(v);
    if (m_bFloat) {
        m_dValue = static_cast<float>(v);
    } else {
        v = RoundHalfAway(v);
        // Clamping to the widened minimum must not leave the range.
        if (corrected && v < m_dMin)
            v += 1.0;
        else if (corrected && v > m_dMax)
            v -= 1.0;
        m_dValue = v;
    }
    if (!corrected)
        return Reading::Taken;
    m_strText = Format(m_dValue);
    setText(m_strText);
    setCursorPosition(std::min(6, static_cast<int>(m_strText.size())));
    return Reading::Corrected;
}

void CGridEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        m_bEnter = true;
        OnFocusLoss();
        // The edit keeps the focus, as if it had received it anew.
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
        return;
    }
    if (key == Qt::Key_Escape) {
        event->ignore();  // the dialog's to close, not a character to refuse
        return;
    }
    const QString text = event->text();
    // Navigation, deleting, and the shortcuts every edit has (select all,
    // copy, paste, undo), which carry a control character or none.
    if (text.isEmpty() || key == Qt::Key_Backspace || !text.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = text.at(0);
    // What stands before the key once it is typed (a selection is replaced).
    const QString head = this->text().left(hasSelectedText() ? selectionStart() : cursorPosition());
    const QChar last = head.isEmpty() ? QChar() : head.back();
    const bool afterExponent = last == QLatin1Char('e') || last == QLatin1Char('E');
    // A decimal mark in a whole-number edit is typed too: "1,5" stays what
    // it is, to be refused, rather than turning into 15. So are the exponent
    // of a number written as a decimal ("1e4", "2,5e-1") and the "x" of a
    // hexadecimal one ("0x10"): swallowed, they would leave 14 or 10, a
    // number nobody typed, which the edit would take.
    bool allowed = (c.isDigit() && c.unicode() < 128) || c == QLatin1Char('.') || c == QLatin1Char(',');
    if (c == QLatin1Char('e') || c == QLatin1Char('E'))
        allowed = last.isDigit() && !head.contains(QLatin1Char('e'), Qt::CaseInsensitive);
    else if (c == QLatin1Char('x') || c == QLatin1Char('X'))
        allowed = head == QLatin1String("0") || head == QLatin1String("-0");
    else if (c == QLatin1Char('+'))
        allowed = afterExponent;
    else if (c == QLatin1Char('-'))
        allowed = this->text().isEmpty() || (hasSelectedText() && selectionStart() == 0) || afterExponent;
    if (allowed)
        QLineEdit::keyPressEvent(event);
    else
        event->accept();  // swallowed
}

void CGridEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll();
    });
}

void CGridEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    OnFocusLoss();
}

void CGridEdit::OnFocusLoss()
{
    emit FocusLost();
    m_bEnter = false;
}
