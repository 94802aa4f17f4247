#include "calendar/windows/CWeekDlgFrm.h"

#include "calendar/CWeek.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CWeekDlgView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

CWeekDlgFrm::CWeekDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("WeekDlgFrm"));
    AddCommandBar(516, {ID_CAL_UPLOAD_WEEK, ID_CAL_DOWNLOAD_WEEK});
    // The buttons stay usable offline: without a connection they say so.
    SetTransferCommands(ID_CAL_UPLOAD_WEEK, ID_CAL_DOWNLOAD_WEEK, false);
    m_view = new CWeekDlgView(this);
    setCentralWidget(m_view);
}

bool CWeekDlgFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId != ID_CAL_UPLOAD_WEEK && commandId != ID_CAL_DOWNLOAD_WEEK)
        return false;
    const int mode = commandId == ID_CAL_UPLOAD_WEEK ? 1 : 0;
    TransferAll(m_view->Week(), mode, -1);
    if (mode)
        m_view->Refill();
    return true;
}
