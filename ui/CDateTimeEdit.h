#pragma once
// Date or time field typed the way it is shown. The field moves on by itself
// when a part is full, so the separator typed right after that only confirms
// the move ("07:30:00" is 07:30:00, as "073000" is). A key that only changes
// the modifiers (Shift before ":" or "/", AltGr, Ctrl) is no step: the
// separator that follows it still confirms the move.

#include <QDateTimeEdit>

class QKeyEvent;

class CDateTimeEdit : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit CDateTimeEdit(QWidget* parent = nullptr);
    // A time field in the locale's short time form, starting at the time.
    CDateTimeEdit(QTime time, QWidget* parent);

    // Whether the key only changes the modifiers held.
    static bool IsModifierKey(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether the separator typed next is the one the field has just passed
    // by itself.
    bool IsPassedSeparator(const QKeyEvent* event) const;

    bool m_bMovedOn = false;
};
