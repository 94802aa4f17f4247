#pragma once
// The two messages a resizable dialog sends to its direct child windows:
// WM_INITCTRL ("remember your rectangle now") and WM_REPOSITION ("the dialog's
// client area has a new size, move yourself in proportion"). Both carry the
// sending dialog, like the lParam of the original window messages.

#include <QEvent>

class QWidget;

class CRepositionEvent : public QEvent {
public:
    CRepositionEvent(QEvent::Type type, QWidget* dialog) : QEvent(type), m_pDialog(dialog) {}
    // The sending dialog; null is allowed and means "ignore" for WM_REPOSITION.
    QWidget* Dialog() const { return m_pDialog; }

    // Process-wide event numbers, registered once during static initialisation.
    static QEvent::Type InitCtrlType();
    static QEvent::Type RepositionType();

private:
    QWidget* m_pDialog;
};

// Names kept from the message-based design, for readability at the call sites.
inline QEvent::Type WM_INITCTRL() { return CRepositionEvent::InitCtrlType(); }
inline QEvent::Type WM_REPOSITION() { return CRepositionEvent::RepositionType(); }
