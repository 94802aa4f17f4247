#pragma once
// Spin box for a whole number that the user may also type. The rule of
// every number field holds: ',' or '.' is a decimal mark, and a decimal
// ("1,5") or a text that is no number is refused when the field is left or
// Enter is pressed: the value stays and shows again, and Refused() tells the
// owner, who names the field's range where it has a text for it. A whole
// number beyond the range is typed whole and taken at the nearer end of the
// range ("100" in a field of 0..61 is 61, "-50" in one of -41..0 is -41),
// never as the digits that fit. The value changes only when a typed number
// is taken, never digit by digit while it is typed (a "1" on the way to
// "1,5" is no value to keep).

#include <QSpinBox>

class CWholeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit CWholeSpinBox(QWidget* parent = nullptr);

signals:
    void Refused();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    // A whole number beyond the range becomes the nearer end; any other
    // text is no number to mend.
    void fixup(QString& input) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The typed text is one that leaving the field refuses.
    bool IsRefusedText() const;
};
