#pragma once
// Push button that moves and sizes itself with its resizable dialog.
#include "ui/CResizableWidget.h"

#include <QPushButton>

class CResizableButton : public CResizableWidget<QPushButton> {
public:
    using CResizableWidget<QPushButton>::CResizableWidget;
};
