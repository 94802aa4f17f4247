#pragma once
// Takes input away from a window's controls while it waits on the device
// and gives it back afterwards: only what was enabled is taken, so a control
// the window had switched off stays off, and the focus returns to where it was.

#include <QList>
#include <QPointer>
#include <QWidget>

#include <initializer_list>

class CInputHold {
public:
    CInputHold() = default;
    CInputHold(const CInputHold&) = delete;
    CInputHold& operator=(const CInputHold&) = delete;
    ~CInputHold() { Release(); }

    // Disables each of `widgets` that is enabled now (null ones are passed
    // over); the focus is remembered when it lies within `focusScope`.
    void Hold(std::initializer_list<QWidget*> widgets, QWidget* focusScope);
    // Enables again what Hold took, a widget gone meanwhile is passed over.
    void Release();
    bool IsHolding() const { return !m_held.isEmpty(); }

private:
    QList<QPointer<QWidget>> m_held;
    QPointer<QWidget> m_focus;
};
