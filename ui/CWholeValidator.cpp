#include "ui/CWholeValidator.h"

#include "platform/FiniteNumber.h"

CWholeValidator::CWholeValidator(long long minimum, long long maximum, QObject* parent)
    : QValidator(parent), m_min(minimum), m_max(maximum)
{
}

QValidator::State CWholeValidator::validate(QString& input, int&) const
{
    return Check(input, m_min, m_max);
}

QValidator::State CWholeValidator::Check(const QString& input, long long minimum, long long maximum)
{
    const TypedWhole typed = ScanTypedWhole(input.toStdString());
    if (typed.kind == TypedWhole::NoNumber) {
        // Only the start of a number yet: blanks, a sign, a decimal mark.
        for (const QChar c : input)
            if (c != QLatin1Char(' ') && c != QLatin1Char(',') && c != QLatin1Char('.') &&
                c != QLatin1Char('+') && !(c == QLatin1Char('-') && minimum < 0))
                return Invalid;
        return Intermediate;
    }
    if (!typed.alone)
        return Invalid;
    if (typed.kind == TypedWhole::Decimal)
        return Intermediate;  // left so, it is refused
    if (typed.value >= minimum && typed.value <= maximum)
        return Acceptable;
    return Intermediate;
}
