#pragma once
// Switch-on delay of a key: the value is the device's count of 35.55 ms steps
// (0 to 255), the field shows and takes seconds ("1.00" for 28 steps). A
// typed number of seconds becomes the nearest step count; one arrow click is
// one step. A comma is a decimal mark as the point is.

#include <QSpinBox>

class CDelaySpinBox : public QSpinBox {
    Q_OBJECT
public:
    static constexpr double kStepMs = 35.55;

    explicit CDelaySpinBox(QWidget* parent = nullptr);

    // "%.2f" seconds of a step count, and the step count nearest to a text of
    // seconds (-1 when the text is no number of seconds).
    static QString SecondsText(int steps);
    static int StepsOf(const QString& seconds);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};
