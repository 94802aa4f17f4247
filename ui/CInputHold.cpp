#include "ui/CInputHold.h"

#include <QApplication>

void CInputHold::Hold(std::initializer_list<QWidget*> widgets, QWidget* focusScope)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && focusScope && (focus == focusScope || focusScope->isAncestorOf(focus)))
        m_focus = focus;
    for (QWidget* w : widgets) {
        if (w && !w->testAttribute(Qt::WA_ForceDisabled)) {
            w->setEnabled(false);
            m_held.append(w);
        }
    }
}

void CInputHold::Release()
{
    for (const QPointer<QWidget>& w : std::as_const(m_held))
        if (w)
            w->setEnabled(true);
    m_held.clear();
    if (m_focus && m_focus->isEnabled())
        m_focus->setFocus();
    m_focus = nullptr;
}
