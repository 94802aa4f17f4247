#pragma once
// The keys of a field that holds a whole number within a range. A decimal
// mark (',' or '.') can be typed as in any number field, so that "2,5" stays
// what it is and its owner refuses it, rather than turning into 25. Letters
// and a thousands separator ("1.000") are refused as they are typed. A
// number beyond the range is typed whole, never cut to the digits that fit
// ("100" is no "10"): it is no value yet, and its owner holds it at the
// nearer end of the range or refuses it when the field is left.

#include <QValidator>

class CWholeValidator : public QValidator {
    Q_OBJECT
public:
    CWholeValidator(long long minimum, long long maximum, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    // Its fixup changes nothing: a refused text is no number to mend.
    void fixup(QString&) const override {}

    // The rule itself, for fields that check their text on their own.
    static State Check(const QString& input, long long minimum, long long maximum);

private:
    long long m_min;
    long long m_max;
};
