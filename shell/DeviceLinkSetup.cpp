// The main frame gets the device link and the protocol monitor from their own
// layer: the link with its window side, whose signals reach the frame's
// status bar and monitor window.
#include <memory>

#include "comm/CCommLink.h"
#include "comm/windows/CCommWindowsHost.h"
#include "comm/windows/CProtocolMonitorFrm.h"
#include "model/DocContext.h"
#include "shell/CMainFrame.h"

namespace {

struct DeviceLinkSetup {
    DeviceLinkSetup()
    {
        CMainFrame::SetDeviceLinkFactory([](CMainFrame* frame) -> std::unique_ptr<IDeviceLink> {
            auto link = std::make_unique<CCommLink>();
            auto* host = new CCommWindowsHost(frame, link.get());
            QObject::connect(host, &CCommWindowsHost::connectionTextChanged, frame, &CMainFrame::SetConnectionText);
            QObject::connect(host, &CCommWindowsHost::protocolMonitorShown, frame, &CMainFrame::ShowProtocolMonitor);
            link->SetHost(host);
            SetLineSender(link.get());
            return link;
        });
        CMainFrame::SetProtocolMonitorFactory([](CMainFrame* frame) -> QWidget* {
            auto* monitor = new CProtocolMonitorFrm(frame);
            monitor->SetLink(GetCommLink());
            // The frame's own link writes its traffic into this monitor.
            if (auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink()))
                if (auto* host = dynamic_cast<CCommWindowsHost*>(&link->Host()))
                    host->SetProtocolMonitor(monitor);
            return monitor;
        });
    }
} g_deviceLinkSetup;

}  // namespace
