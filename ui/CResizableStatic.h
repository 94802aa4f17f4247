#pragma once
// Static text or picture that moves with its resizable dialog; it erases its
// old area before moving so no remains of the old text stay on screen.
#include "ui/CResizableWidget.h"

#include <QLabel>

class CResizableStatic : public CResizableWidget<QLabel> {
public:
    using CResizableWidget<QLabel>::CResizableWidget;

protected:
    void BeforeReposition() override { update(); }
};
