#include "calendar/windows/CDayprogDlgFrm.h"

#include <QAction>
#include <QEvent>
#include <QSplitter>

#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

CDayprogDlgFrm::CDayprogDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("DayprogDlgFrm"));
    AddCommandBar(513, {ID_CAL_NEW_DAYPROG, ID_CAL_DELETE_DAYPROG, ID_CAL_NEW_ENTRY, ID_CAL_DELETE_ENTRY, 0,
                        ID_CAL_UPLOAD_DAYPROGS, ID_CAL_DOWNLOAD_DAYPROGS});
    SetTransferCommands(ID_CAL_UPLOAD_DAYPROGS, ID_CAL_DOWNLOAD_DAYPROGS);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_list = new CDayprogDlgListView(m_splitter);
    m_entries = new CDayprogDlgEntryView(m_splitter);
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_entries);
    m_splitter->setSizes({290, 460});
    setCentralWidget(m_splitter);
    UpdateTransferButtons();
    connect(m_list, &CDayprogDlgListView::SelectionMoved, this, [this] { m_entries->SetDayprog(m_list->Selected()); });
    connect(m_list, &CCalendarListView::DeletePressed, this, [this] { OnCommand(ID_CAL_DELETE_DAYPROG); });
    connect(m_entries, &CCalendarListView::DeletePressed, this, [this] { OnCommand(ID_CAL_DELETE_ENTRY); });
    // The first day programme is shown at once.
    CQuillomerDoc* doc = GetActiveDoc();
    if (doc) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, OT_DAYPROG);
        if (!list.empty())
            m_list->m_remembered = list.front()->GetNumber();
    }
    RefillAll();
}

void CDayprogDlgFrm::UpdateTransferButtons()
{
    const bool connected = IsDocConnected() != 0;
    GetAction(ID_CAL_UPLOAD_DAYPROGS)->setEnabled(connected);
    GetAction(ID_CAL_DOWNLOAD_DAYPROGS)->setEnabled(connected);
}

void CDayprogDlgFrm::changeEvent(QEvent* event)
{
    CFeatureFrm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !IsTransferring())
        UpdateTransferButtons();
}

void CDayprogDlgFrm::RefillAll()
{
    m_list->Refill();
    m_entries->SetDayprog(m_list->Selected());
}

bool CDayprogDlgFrm::OnFrameCommand(unsigned commandId)
{
    CDayprog* dp = m_list->Selected();
    CQuillomerDoc* doc = GetActiveDoc();
    switch (commandId) {
    case ID_CAL_NEW_DAYPROG: m_list->NewDayprog(); break;
    case ID_CAL_DELETE_DAYPROG: m_list->DeleteSelected(); break;
    case ID_CAL_NEW_ENTRY:
        if (dp) {
            dp->SetEntryParam(CDayprog::Code(0, CDayprog::AddEntry), 0);
            dp->SetDocModified();
        }
        break;
    case ID_CAL_DELETE_ENTRY:
        if (dp && m_entries->SelectedEntry() > 0) {
            dp->SetEntryParam(CDayprog::Code(0, CDayprog::DeleteEntry), m_entries->SelectedEntry());
            dp->SetDocModified();
        }
        break;
    case ID_CAL_DOWNLOAD_DAYPROGS:
    case ID_CAL_UPLOAD_DAYPROGS:
        if (doc)
            TransferAll(doc->GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), commandId == ID_CAL_UPLOAD_DAYPROGS ? 1 : 0,
                        CCalObject::ResetDayprogs);
        break;
    default: return false;
    }
    RefillAll();
    return true;
}
