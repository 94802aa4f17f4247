#include "calendar/windows/CAppointDlgFrm.h"

#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CalendarIds.h"

CAppointDlgFrm::CAppointDlgFrm(QWidget* parent)
    : CCalItemDlgFrm({OT_APPOINT, CAppoint::kKindId, CCalObject::ResetAppointments, CCalObject::kAppointStep, false,
                      IDS_CAL_COL_MACRO},
                     {510, ID_CAL_NEW_APPOINT, ID_CAL_DELETE_APPOINT, ID_CAL_UPLOAD_APPOINTS, ID_CAL_DOWNLOAD_APPOINTS},
                     parent)
{
    setObjectName(QStringLiteral("AppointDlgFrm"));
}
