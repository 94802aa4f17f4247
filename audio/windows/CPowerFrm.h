#pragma once
// The power management window ("Betriebsspannung", window kind 24): the
// service-window switch bar, the upload and download bar and the form.

#include "audio/windows/AudioWindowIds.h"
#include "ui/CFeatureFrm.h"

class CPowerView;

class CPowerFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 24;
    static constexpr unsigned kDownload = audiowinid::PowerDownload;
    static constexpr unsigned kUpload = audiowinid::PowerUpload;
    explicit CPowerFrm(QWidget* parent = nullptr);
    CPowerView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CPowerView* m_view = nullptr;
};
