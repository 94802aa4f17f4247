#include "paging/windows/CDelaySpinBox.h"

#include "platform/FiniteNumber.h"

#include <algorithm>
#include <cmath>

CDelaySpinBox::CDelaySpinBox(QWidget* parent) : QSpinBox(parent)
{
    setRange(0, 255);
}

QString CDelaySpinBox::SecondsText(int steps)
{
    return QString::asprintf("%.2f", steps * kStepMs * 0.001);
}

int CDelaySpinBox::StepsOf(const QString& seconds)
{
    // The whole text is the number, its decimal mark a point or a comma.
    bool ok = false;
    const double s = QString::fromStdString(TypedDecimalText(seconds.trimmed().toStdString())).toDouble(&ok);
    if (!ok || !std::isfinite(s) || s < 0)
        return -1;
    const double steps = std::round(s * 1000.0 / kStepMs);
    return steps > 1e6 ? 1000000 : static_cast<int>(steps);
}

QString CDelaySpinBox::textFromValue(int value) const
{
    return SecondsText(value);
}

int CDelaySpinBox::valueFromText(const QString& text) const
{
    const int steps = StepsOf(text);
    return steps < 0 ? value() : std::clamp(steps, minimum(), maximum());
}

QValidator::State CDelaySpinBox::validate(QString& input, int&) const
{
    QString t = input.trimmed();
    if (t.isEmpty() || t == QLatin1String(".") || t == QLatin1String(","))
        return QValidator::Intermediate;
    const int steps = StepsOf(t);
    if (steps < 0)
        return QValidator::Invalid;
    // Beyond the longest delay: taken as the longest when the field is left.
    return steps <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void CDelaySpinBox::fixup(QString& input) const
{
    const int steps = StepsOf(input);
    if (steps >= 0)
        input = SecondsText(std::min(steps, maximum()));
}
