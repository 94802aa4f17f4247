#include "calendar/windows/CClkFrm.h"

#include "calendar/windows/CClkView.h"

CClkFrm::CClkFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("ClkFrm"));
    m_view = new CClkView(this);
    setCentralWidget(m_view);
}
