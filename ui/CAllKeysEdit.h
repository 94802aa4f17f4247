#pragma once
// Edit that keeps every key for itself: Tab, Enter, Escape and the arrows are
// not used by the dialog (no focus change, no default or cancel button).
// Owners derive from it or watch its keys with an event filter.

#include <QLineEdit>

class CAllKeysEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CAllKeysEdit(QWidget* parent = nullptr);

    // The dialog-code answer of the original control: arrows, tab, all keys,
    // characters and set-selection.
    static constexpr int kDialogCode = 0x8F;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
