#include "hardware/windows/WindowSamples.h"

#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/HardwareIds.h"
#include "model/CQuillomerDoc.h"

CAmplifier* SampleAmplifier(CQuillomerDoc* doc)
{
    for (CBaseDevice* obj : doc->GetList(CAT_AMPLIFIER))
        if (auto* amp = dynamic_cast<CAmplifier*>(obj))
            return amp;
    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(ampmodel::Hbe6683_4x1);
    auto* amp = new CAmplifier;
    if (amp->Create(ampmodel::Hbe6683_4x1, row->channels, row->channels, nullptr, 0, 0, 0, 0, CAT_AMPLIFIER,
                    row->bitmapId, 0, doc) != 1) {
        delete amp;
        return nullptr;
    }
    doc->AddObject(amp, CAT_AMPLIFIER);
    return amp;
}

CAudioInputDevice* SampleAudioDevice(CQuillomerDoc* doc, uint32_t kind, const char* name, int x, int y)
{
    for (CBaseDevice* o : doc->GetList(CAT_AUDIO_DEVICE))
        if (o->GetKindId() == kind)
            return dynamic_cast<CAudioInputDevice*>(o);
    auto* device = new CAudioInputDevice;
    if (!device->Create(kind, 1, 1, std::string(name), x, y, x, y, CAT_AUDIO_DEVICE, 0, 0, doc)) {
        delete device;
        return nullptr;
    }
    doc->AddObject(device, CAT_AUDIO_DEVICE);
    return device;
}
