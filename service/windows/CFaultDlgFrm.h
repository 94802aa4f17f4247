#pragma once
// The fault window ("FAULT", window kind 19): the edit-window switch bar, the
// bar that transfers the fault settings and the fault form.

#include "service/windows/ServiceWindowIds.h"
#include "ui/CFeatureFrm.h"

class CFaultDlgView;

class CFaultDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 19;
    static constexpr unsigned kDownload = servicewinid::FaultDownload;
    static constexpr unsigned kUpload = servicewinid::FaultUpload;
    explicit CFaultDlgFrm(QWidget* parent = nullptr);
    CFaultDlgView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CFaultDlgView* m_view = nullptr;
};
