#pragma once
// Mix-in that makes any widget class a self-repositioning control of a
// CResizableDialog: it records its rectangle on WM_INITCTRL and moves and
// sizes itself in proportion to the dialog's client area on WM_REPOSITION.
// The named classes (CResizableButton, CResizableEdit, ...) are built on it;
// dialogs may also use it directly for other kinds of the button family, e.g.
// CResizableWidget<QCheckBox>, CResizableWidget<QRadioButton>,
// CResizableWidget<QGroupBox>.

#include "ui/CControlPlacement.h"
#include "ui/CRepositionEvent.h"

#include <QEvent>
#include <QWidget>

template <class Base>
class CResizableWidget : public Base {
public:
    using Base::Base;

    // WM_INITCTRL handler; public so that a control created in code after the
    // dialog's initialisation can record itself.
    int OnInitCtrl()
    {
        m_Placement.Record(this);
        return 0;
    }
    // WM_REPOSITION handler; `dialog` is the sender (null = ignore).
    int OnReposition(QWidget* dialog)
    {
        if (!dialog)
            return 0;
        QRect r;
        if (!m_Placement.Compute(dialog->rect().size(), KeepsHeight(), &r))
            return 0;
        const QSize oldClient = this->rect().size();
        BeforeReposition();
        this->setGeometry(r);
        this->update();
        AfterReposition(oldClient);
        return 0;
    }
    const CControlPlacement& Placement() const { return m_Placement; }

protected:
    virtual bool KeepsHeight() const { return false; }
    virtual void BeforeReposition() {}
    virtual void AfterReposition(const QSize& oldClient) { (void)oldClient; }

    bool event(QEvent* e) override
    {
        if (e->type() == CRepositionEvent::InitCtrlType()) {
            OnInitCtrl();
            return true;
        }
        if (e->type() == CRepositionEvent::RepositionType()) {
            OnReposition(static_cast<CRepositionEvent*>(e)->Dialog());
            return true;
        }
        return Base::event(e);
    }

private:
    CControlPlacement m_Placement;
};
