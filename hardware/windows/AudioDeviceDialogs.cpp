// The properties dialogs of the audio devices that have one: the message
// recorder's external audio signals and the power packs' power supply.

#include <QApplication>

#include "hardware/CAudioInputDevice.h"
#include "hardware/windows/CExtAudioSignalsDlg.h"
#include "hardware/windows/CPowerSupplyDlg.h"

namespace {

void OpenDeviceDialog(CAudioInputDevice* device)
{
    if (!device)
        return;
    if (device->IsPowerPack()) {
        CPowerSupplyDlg dlg(device, QApplication::activeWindow());
        dlg.exec();
    } else if (device->GetKindId() == audiodevice::KindRecorder) {
        CExtAudioSignalsDlg dlg(device, QApplication::activeWindow());
        dlg.exec();
    }
}

[[maybe_unused]] const bool g_installed = (CAudioInputDevice::SetDialogFn(&OpenDeviceDialog), true);

}  // namespace
