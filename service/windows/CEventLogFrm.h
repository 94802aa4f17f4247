#pragma once
// The event log window ("Ereignis Protokollierer", window kind 27): the
// service-window switch bar, the bar that reads and sends the recording
// masks and the two-page event log form.

#include "service/windows/ServiceWindowIds.h"
#include "ui/CFeatureFrm.h"

class CEventLogView;

class CEventLogFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 27;
    static constexpr unsigned kUpload = servicewinid::EventMasksUpload;
    static constexpr unsigned kDownload = servicewinid::EventMasksDownload;
    explicit CEventLogFrm(QWidget* parent = nullptr);
    CEventLogView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CEventLogView* m_view = nullptr;
};
