#pragma once
// CHIME: a chime signal (33) with priority onto zones and groups.

#include "macros/windows/CSignalMacroView.h"

class CChimeMacroView : public CSignalMacroView {
public:
    explicit CChimeMacroView(QWidget* parent = nullptr);
};
