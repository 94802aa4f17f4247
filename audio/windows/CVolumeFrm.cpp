#include "audio/windows/CVolumeFrm.h"

#include "audio/windows/CVolumeView.h"

CVolumeFrm::CVolumeFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("VolumeFrm"));
    m_view = new CVolumeView(this);
    setCentralWidget(m_view);
    m_view->OnInitialUpdate();
}
