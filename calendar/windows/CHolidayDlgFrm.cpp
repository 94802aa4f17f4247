#include "calendar/windows/CHolidayDlgFrm.h"

#include "calendar/CCalObject.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"

CHolidayDlgFrm::CHolidayDlgFrm(QWidget* parent)
    : CCalItemDlgFrm({OT_HOLIDAY, CHoliday::kKindId, CCalObject::ResetHolidays, CCalObject::kHolidayStep, true,
                      IDS_CAL_DAYPROG},
                     {514, ID_CAL_NEW_HOLIDAY, ID_CAL_DELETE_HOLIDAY, ID_CAL_UPLOAD_HOLIDAYS, ID_CAL_DOWNLOAD_HOLIDAYS},
                     parent)
{
    setObjectName(QStringLiteral("HolidayDlgFrm"));
}
