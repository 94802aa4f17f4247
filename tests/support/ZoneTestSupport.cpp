#include "ZoneTestSupport.h"

#include <gtest/gtest.h>

#include "hardware/CAmplifier.h"
#include "model/CQuillomerDoc.h"
#include "paging/CRelaisTopology.h"

CRelaisTopology* AddOneInN(CQuillomerDoc& doc, int zones, int32_t ampKind)
{
    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(ampKind);
    EXPECT_NE(nullptr, row) << ampKind;
    if (!row)
        return nullptr;
    auto* amp = new CAmplifier;
    EXPECT_EQ(1, amp->Create(ampKind, row->channels, row->channels, nullptr, 100, 200, 100, 200, CAT_AMPLIFIER,
                             row->bitmapId, 0, &doc));
    doc.AddObject(amp, CAT_AMPLIFIER);
    amp->LinkTo(0, doc.GetList(CAT_OUTPUT_SLOT).front(), 0);
    amp->OnCommand(ampcmd::OneInN);
    auto* topology = dynamic_cast<CRelaisTopology*>(doc.GetList(CAT_RELAIS_TOPOLOGY).back());
    EXPECT_NE(nullptr, topology);
    if (!topology)
        return nullptr;
    topology->m_zoneCount = zones;
    topology->SetKindId(topologykind::OneInN);
    return topology;
}
