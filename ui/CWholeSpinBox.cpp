#include "ui/CWholeSpinBox.h"

#include "platform/FiniteNumber.h"
#include "ui/CWholeValidator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

CWholeSpinBox::CWholeSpinBox(QWidget* parent) : QSpinBox(parent)
{
    // A digit typed on the way to "15" is no value to store.
    setKeyboardTracking(false);
}

QValidator::State CWholeSpinBox::validate(QString& input, int&) const
{
    return CWholeValidator::Check(input, minimum(), maximum());
}

int CWholeSpinBox::valueFromText(const QString& text) const
{
    const TypedWhole typed = ScanTypedWhole(text.toStdString());
    if (typed.kind != TypedWhole::Whole)
        return value();
    return static_cast<int>(std::clamp<long long>(typed.value, minimum(), maximum()));
}

void CWholeSpinBox::fixup(QString& input) const
{
    const TypedWhole typed = ScanTypedWhole(input.toStdString());
    if (typed.kind == TypedWhole::Whole && typed.alone)
        input = textFromValue(static_cast<int>(std::clamp<long long>(typed.value, minimum(), maximum())));
}

bool CWholeSpinBox::IsRefusedText() const
{
    QString text = lineEdit()->text();
    int pos = 0;
    if (isReadOnly() || validate(text, pos) == QValidator::Acceptable)
        return false;
    // A whole number beyond the range is taken at its end, not refused.
    fixup(text);
    return validate(text, pos) != QValidator::Acceptable;
}

void CWholeSpinBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool refused = enter && IsRefusedText();
    QSpinBox::keyPressEvent(event);
    if (refused)
        emit Refused();
}

void CWholeSpinBox::focusOutEvent(QFocusEvent* event)
{
    const bool refused = IsRefusedText();
    QSpinBox::focusOutEvent(event);
    if (refused)
        emit Refused();
}
