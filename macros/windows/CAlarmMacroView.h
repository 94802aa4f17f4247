#pragma once
// ALARM: an alarm signal (32) with priority onto zones and groups, ON/OFF or ADD/SUB.

#include "macros/windows/CSignalMacroView.h"

class CAlarmMacroView : public CSignalMacroView {
public:
    explicit CAlarmMacroView(QWidget* parent = nullptr);
};
