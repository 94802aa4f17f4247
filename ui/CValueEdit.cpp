#include "ui/CValueEdit.h"

#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "ui/NumberFormat.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <optional>

CValueEdit::CValueEdit(QWidget* parent) : QLineEdit(parent) {}

void CValueEdit::Show(const QString& text)
{
    m_strWork = text;
    setText(text);
}

int CValueEdit::SetFloat(float value, int force, const char* format)
{
    m_floatFormat = QString::fromUtf8(format);
    if (value == m_fValue && force != 1)
        return 0;
    m_fValue = value;
    Show(NumberFormat::FormatDouble(m_floatFormat, value));
    return 0;
}

int CValueEdit::SetLong(int32_t value, int force, const char* format)
{
    m_wholeFormat = QString::fromUtf8(format);
    if (value == m_lValue && force != 1)
        return 0;
    m_lValue = value;
    Show(NumberFormat::FormatInteger(m_wholeFormat, value));
    return 0;
}

int CValueEdit::SetInt(int value, int force, const char* format)
{
    m_wholeFormat = QString::fromUtf8(format);
    if (value == m_nValue && force != 1)
        return 0;
    m_nValue = value;
    Show(NumberFormat::FormatInteger(m_wholeFormat, value));
    return 0;
}

float CValueEdit::GetFloat(int read)
{
    // "nan", "inf" or "1e40" is no number the field can hold.
    if (read)
        if (const std::optional<float> v = ScanTypedFloat(text().toStdString())) {
            m_fValue = *v;
            // The value in force now: what a text refused later shows again.
            m_strWork = NumberFormat::FormatDouble(m_floatFormat, *v);
        }
    return m_fValue;
}

namespace {
// The whole number the text starts with, held at the limits of a 32-bit
// number when it lies beyond them (the owner clamps it to its own range
// then); nullopt when the text is no whole number: no number at all, one
// that is no finite float ("1e40" is not 1), a decimal ("12,5" is neither
// 12 nor 125), or one in another notation ("1e2", "0x10").
std::optional<int32_t> ScanWhole(const QString& text)
{
    const TypedWhole typed = ScanTypedWhole(text.toStdString());
    if (typed.kind != TypedWhole::Whole)
        return std::nullopt;
    return static_cast<int32_t>(std::clamp<long long>(typed.value, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}
}  // namespace

int32_t CValueEdit::GetLong(int read)
{
    if (read)
        if (const std::optional<int32_t> v = ScanWhole(text())) {
            m_lValue = *v;
            m_strWork = NumberFormat::FormatInteger(m_wholeFormat, *v);
        }
    return m_lValue;
}

int CValueEdit::GetInt(int read)
{
    if (read)
        if (const std::optional<int32_t> v = ScanWhole(text())) {
            m_nValue = *v;
            m_strWork = NumberFormat::FormatInteger(m_wholeFormat, *v);
        }
    return m_nValue;
}

bool CValueEdit::ReadsAsFloat() const
{
    return ScanTypedFloat(text().toStdString()).has_value();
}

bool CValueEdit::ReadsAsWhole() const
{
    return ScanWhole(text()).has_value();
}

std::optional<int> CValueEdit::TakeWhole(int low, int high)
{
    if (!ReadsAsWhole()) {
        ShowAgain();
        ShowMessage(tr("Geben Sie eine ganze Zahl zwischen %1 und %2 ein.").arg(low).arg(high).toStdString(),
                    mb::Ok | mb::IconExclamation);
        return std::nullopt;
    }
    return std::clamp(GetInt(1), low, high);
}

void CValueEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // After the click that gave the focus has placed the caret.
    QTimer::singleShot(0, this, [this] {
        selectAll();
    });
}

void CValueEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (QWidget* parent = parentWidget())
            parent->setFocus(Qt::OtherFocusReason);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
