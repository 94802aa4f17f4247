#include "macros/windows/CAlarmMacroView.h"

#include "model/ObjectTypeCode.h"

CAlarmMacroView::CAlarmMacroView(QWidget* parent)
    : CSignalMacroView(parent, {"Alarm-Signal auf gewählte Linien/Gruppen durchschalten bzw. abschalten",
                                OT_ALARM_SIGNAL, "Alarm", 32, "Alarm EIN", "Alarm AUS", true})
{
}
