#pragma once
// Single-line edit that moves with its resizable dialog; it keeps its height.
// (A multi-line edit, which grows in height, is CResizableTextEdit.)
#include "ui/CResizableWidget.h"

#include <QLineEdit>

class CResizableEdit : public CResizableWidget<QLineEdit> {
public:
    using CResizableWidget<QLineEdit>::CResizableWidget;

protected:
    bool KeepsHeight() const override { return true; }
};
