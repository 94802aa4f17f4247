#include "hardware/windows/WindowSamples.h"

#include "hardware/CAmplifier.h"
#include "model/CQuillomerDoc.h"

CAmplifier* SampleAmplifier(CQuillomerDoc* doc)
{
    for (CBaseDevice* obj : doc->GetList(CAT_AMPLIFIER))
        if (auto* amp = dynamic_cast<CAmplifier*>(obj))
            return amp;
    constexpr uint32_t kRemoteFourChannels = 33074;
    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(kRemoteFourChannels);
    auto* amp = new CAmplifier;
    if (amp->Create(kRemoteFourChannels, row->channels, row->channels, nullptr, 0, 0, 0, 0, CAT_AMPLIFIER,
                    row->bitmapId, 0, doc) != 1) {
        delete amp;
        return nullptr;
    }
    doc->AddObject(amp, CAT_AMPLIFIER);
    return amp;
}
