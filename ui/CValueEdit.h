#pragma once
// Edit for one number shown with a printf format. A float, a long and an int
// value are kept separately; the text shows whichever was set last. Setting
// the value it already has leaves the text (and anything the user is typing)
// alone unless forced. Reading with `read` takes the typed text over first
// (a decimal as the user types it: "12,5" is 12.5 in either language);
// text that does not read as a number (also one that is no finite float,
// "nan", "inf", "1e40"), and a decimal read as a long or an int, leaves the
// stored value unchanged. A long or an int is written in decimal digits
// ("1e2" and "0x10" are none); the digits a text starts with are its
// number ("7x" is 7).

#include <QLineEdit>

#include <cstdint>
#include <optional>

class CValueEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CValueEdit(QWidget* parent = nullptr);

    int SetFloat(float value, int force, const char* format);
    int SetLong(int32_t value, int force, const char* format);
    int SetInt(int value, int force, const char* format);
    float GetFloat(int read);
    int32_t GetLong(int read);
    int GetInt(int read);
    // The text reads as a number that GetFloat(1), or GetLong(1) and
    // GetInt(1), take: a text refused keeps the value, and its owner sends
    // nothing for it.
    bool ReadsAsFloat() const;
    bool ReadsAsWhole() const;
    // The typed text as the whole number of a field whose values run from
    // `low` to `high`, the one rule of such fields: a whole number beyond
    // them, however many digits it has, is held at the nearer end; a text
    // that is no whole number ("1e2", "1,5", "abc", nothing) is refused,
    // the user is told the range and the value in force shows again
    // (nothing is returned).
    std::optional<int> TakeWhole(int low, int high);
    // Shows again the value in force, over what the user typed: the text
    // last set, or the value last taken from the typed text (in the format
    // of the last value set of its kind).
    void ShowAgain() { setText(m_strWork); }
    // The field holds the text last set or taken: nothing typed, or the same again.
    bool ShowsTextSet() const { return text() == m_strWork; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Show(const QString& text);

    float m_fValue = 0.0f;
    QString m_strWork;
    QString m_floatFormat = QStringLiteral("%f");
    QString m_wholeFormat = QStringLiteral("%d");
    int32_t m_lValue = 0;
    int m_nValue = 0;
};
