#pragma once
// Combo box that moves with its resizable dialog; its height stays as designed.
#include "ui/CResizableWidget.h"

#include <QComboBox>

class CResizableComboBox : public CResizableWidget<QComboBox> {
public:
    using CResizableWidget<QComboBox>::CResizableWidget;

protected:
    bool KeepsHeight() const override { return true; }
};
