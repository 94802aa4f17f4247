#pragma once
// BACKGND: background music switched onto zones and groups.

#include "macros/windows/CSignalMacroView.h"

class CBackgroundMacroView : public CSignalMacroView {
public:
    explicit CBackgroundMacroView(QWidget* parent = nullptr);
};
