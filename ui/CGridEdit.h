#pragma once
// Edit for one bounded number: whole numbers (rounded half away from zero) or
// decimals, a printf format for showing, a range into which read values are
// clamped, and optionally one special value shown as a text of its own. Only
// digits, backspace, '.' or ',' (either is the decimal mark), a leading '-',
// an exponent after a digit ("1e4", "5e-1") and the "x" of "0x" can be typed,
// so that a number is never typed into another one; the editing shortcuts
// (Ctrl+A, copy, paste, undo) work as in
// any edit. The owner validates with ReadValue() when the edit reports
// FocusLost() (also sent for Enter, with IsEnterPressed() true).
//
// A text that is no number, and a decimal where whole numbers are asked, is
// refused: the value stays, the edit shows it again, and the owner sends
// nothing. Never is such a text taken as another number.

#include <QLineEdit>
#include <QString>

class CGridEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CGridEdit(QWidget* parent = nullptr);

    void Setup(bool floatMode, const QString& format, double minimum, double maximum, double value,
               bool special = false, double specialValue = 0.0, const QString& specialText = QString());
    double GetValue() const { return m_dValue; }
    // Whole-number mode rounds first; the range is not applied.
    void SetValue(double value);
    // What taking the typed text over did.
    enum class Reading {
        Taken,      // the number typed is the value now
        Corrected,  // it lay outside the range: the value is the range's end
        NotWhole,   // a decimal in a whole-number edit: refused
        NoNumber,   // nothing or no number typed: refused
    };
    Reading ReadValue();
    // The owner's range message is due: a number beyond the range, or a
    // decimal where only whole numbers fit.
    static bool TellsRange(Reading r) { return r == Reading::Corrected || r == Reading::NotWhole; }
    // The value may have changed: the owner stores and sends it.
    static bool Takes(Reading r) { return r == Reading::Taken || r == Reading::Corrected; }
    // True when `value` lay outside the range; clamps it either way.
    bool CheckRange(double& value) const;
    void ShowValue();

    bool IsFloatMode() const { return m_bFloat; }
    bool IsEnterPressed() const { return m_bEnter; }
    double GetMinimum() const { return m_dMin; }
    double GetMaximum() const { return m_dMax; }

    static double RoundHalfAway(double value);

    // Never narrower than the widest value it can show (its range's ends,
    // its special text): a layout short of room squeezes it no further.
    QSize minimumSizeHint() const override;

signals:
    // The edit lost the focus, or Enter was pressed: the owner validates now.
    void FocusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString Format(double value) const;
    void OnFocusLoss();

    bool m_bFloat = false;
    bool m_bEnter = false;
    QString m_strFormat = QStringLiteral("%d");
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    double m_dValue = 0.0;
    QString m_strText;
    bool m_bSpecial = false;
    double m_dSpecial = 0.0;
    QString m_strSpecial;
};
