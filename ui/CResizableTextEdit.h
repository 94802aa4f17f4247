#pragma once
// Multi-line edit that moves with its resizable dialog; unlike the single-line
// CResizableEdit its height is scaled too.
#include "ui/CResizableWidget.h"

#include <QPlainTextEdit>

class CResizableTextEdit : public CResizableWidget<QPlainTextEdit> {
public:
    using CResizableWidget<QPlainTextEdit>::CResizableWidget;
};
