#pragma once
// The pilot tone window ("Pilotton", window kind 23): the service-window
// switch bar, the upload and download bar and the pilot tone form.

#include "audio/windows/AudioWindowIds.h"
#include "ui/CFeatureFrm.h"

class CPilotView;

class CPilotFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 23;
    static constexpr unsigned kUpload = audiowinid::PilotUpload;
    static constexpr unsigned kDownload = audiowinid::PilotDownload;
    explicit CPilotFrm(QWidget* parent = nullptr);
    CPilotView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CPilotView* m_view = nullptr;
};
