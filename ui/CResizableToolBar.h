#pragma once
// Tool bar inside a resizable dialog. Dialogs usually create it in code after
// their initialisation and place it themselves; they then call OnInitCtrl()
// directly so that it follows the dialog's size from then on.
#include "ui/CResizableWidget.h"

#include <QToolBar>

class CResizableToolBar : public CResizableWidget<QToolBar> {
public:
    using CResizableWidget<QToolBar>::CResizableWidget;
};
