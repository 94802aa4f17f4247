#include "calendar/windows/CClkFrm.h"

#include "calendar/windows/CClkView.h"

CClkFrm::CClkFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("ClkFrm"));
    m_view = new CClkView(this);
    setCentralWidget(m_view);
    // A button pressed once the line is lost would show a setting the
    // device never got ("Start" pressed, the clock's time taken).
    const CClockForm* form = m_view->Form();
    AddDeviceControls({form->SetMainButton(), form->SetSlaveButton(), form->InvertBox(), form->RunBox()});
}
