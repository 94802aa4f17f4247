#pragma once
// The fuse window ("Sicherungen", window kind 21): the service-window switch
// bar, the bar that transfers the fuse steps and the fuse form.

#include "service/windows/ServiceWindowIds.h"
#include "ui/CFeatureFrm.h"

class CFuseView;

class CFuseFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 21;
    static constexpr unsigned kUpload = servicewinid::FuseUpload;
    static constexpr unsigned kDownload = servicewinid::FuseDownload;
    explicit CFuseFrm(QWidget* parent = nullptr);
    CFuseView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CFuseView* m_view = nullptr;
};
