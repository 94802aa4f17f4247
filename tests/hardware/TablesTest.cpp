// The spare-amplifier table and the remote amplifier table.

#include <gtest/gtest.h>

#include "SlotTestUtil.h"
#include "hardware/CAmp.h"
#include "hardware/CSpareAmp.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"

using namespace slottest;
using blocktest::PutText;
using blocktest::PutU16;

namespace {

class TablesTest : public ::testing::Test {
protected:
    template <class T>
    T* MakeSystemObject(uint32_t kind)
    {
        auto* obj = new T;
        EXPECT_EQ(1, obj->Create(kind, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, &doc.doc()));
        doc.doc().AddObject(obj, CAT_AUDIO);
        return obj;
    }

    // A stand-in amplifier on the bus: channels = inputs, bus address = class value.
    CBaseDevice* MakeBusAmp(int32_t number, int32_t channels, int32_t address)
    {
        auto* amp = new CBaseDevice;
        amp->m_type = OT_AMPLIFIER;
        amp->m_inputCount = channels;
        amp->m_classValue = address;
        amp->m_number = number;
        amp->m_pDocument = &doc.doc();
        doc.doc().GetIDManager().AddID(amp, OT_AMPLIFIER, number);
        doc.doc().AddObject(amp, CAT_AMPLIFIER);
        return amp;
    }

    blocktest::ActiveDoc doc;
    MessageRecorder messages;
};

CIDManager::AmpInfo BusAmpInfo(const CBaseDevice* amp)
{
    return {true, amp->m_inputCount, amp->m_classValue};
}

}  // namespace

TEST_F(TablesTest, SpareAmpStartsEmpty)
{
    CSpareAmp* spare = MakeSystemObject<CSpareAmp>(34370);
    EXPECT_EQ(OT_SPARE_AMP, spare->GetType());
    EXPECT_EQ("/SPAREAMP", spare->GetPath());
    EXPECT_EQ(spare, doc.doc().LookupPath("/SPAREAMP"));
    ASSERT_EQ(8u, spare->m_names.size());
    for (int n = 0; n < 8; ++n) {
        std::string name = "x";
        uint32_t kind = 0;
        int32_t index = -1;
        EXPECT_FALSE(spare->GetEntry(n, name, kind, index));
        EXPECT_EQ("", name);
        EXPECT_EQ(2u, kind);
        EXPECT_EQ(0, index);
        for (int j = 0; j < 10; ++j)
            EXPECT_FALSE(spare->GetWatch(j, n, kind, index));
    }
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_FALSE(spare->GetEntry(8, name, kind, index));
    EXPECT_FALSE(spare->GetWatch(10, 0, kind, index));
}

TEST_F(TablesTest, SpareAmpEntriesAndWatches)
{
    const auto previous = CIDManager::SetAmpInfoFn(&BusAmpInfo);
    MakeBusAmp(1, 4, 1);
    MakeBusAmp(2, 2, 2);
    CSpareAmp* spare = MakeSystemObject<CSpareAmp>(34370);

    spare->SetEntry(2, "Havarieverstärker 3", true, 2, 2, 0);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_TRUE(spare->GetEntry(2, name, kind, index));
    EXPECT_EQ("Havarieverstärker 3", name);
    EXPECT_EQ(2u, kind);
    EXPECT_EQ(5, index);  // channels 1..4 belong to the first bus amplifier
    EXPECT_TRUE(doc.doc().IsModified());

    spare->SetWatch(0, 2, 2, 1, 3);
    spare->m_entries[2].watch[0].outRelay = 11;
    EXPECT_TRUE(spare->GetWatch(0, 2, kind, index));
    EXPECT_EQ(2u, kind);
    EXPECT_EQ(4, index);
    spare->SetWatch(1, 2, 38, 7, 0);
    EXPECT_TRUE(spare->GetWatch(1, 2, kind, index));
    EXPECT_EQ(38u, kind);
    EXPECT_EQ(7, index);

    // A missing amplifier leaves the index as it was.
    spare->SetWatch(1, 2, 2, 9, 0);
    EXPECT_TRUE(spare->GetWatch(1, 2, kind, index));
    EXPECT_EQ(2u, kind);
    EXPECT_EQ(7, index);

    // Any other kind clears the whole watch, relays included.
    spare->SetWatch(0, 2, 0, 0, 0);
    EXPECT_FALSE(spare->GetWatch(0, 2, kind, index));
    EXPECT_EQ(0, spare->m_entries[2].watch[0].outRelay);

    // An entry set not in use loses its watches; a ready-input spare.
    spare->SetEntry(2, "", false, 38, 4, 0);
    EXPECT_FALSE(spare->GetEntry(2, name, kind, index));
    EXPECT_EQ(38u, kind);
    EXPECT_EQ(4, index);
    EXPECT_FALSE(spare->GetWatch(1, 2, kind, index));
    CIDManager::SetAmpInfoFn(previous);
}

TEST_F(TablesTest, SpareAmpStoredBytesAndRoundTrip)
{
    CSpareAmp* spare = MakeSystemObject<CSpareAmp>(34370);
    spare->SetEntry(0, "Havarie A", true, 38, 12, 0);
    spare->SetWatch(9, 0, 38, 3, 0);
    spare->m_entries[0].watch[9].outRelay = 21;
    spare->m_entries[0].watch[9].inRelay = 22;
    spare->SetEntry(7, "Havarie H", true, 38, 1, 0);

    Bytes expected;
    for (int n = 0; n < 8; ++n) {
        const SpareEntry& e = spare->m_entries[n];
        PutU16(expected, e.index);
        PutU16(expected, e.readyFlag);
        for (const SpareWatch& w : e.watch) {
            PutU16(expected, w.index);
            PutU16(expected, w.readyFlag);
            PutU16(expected, w.outRelay);
            PutU16(expected, w.inRelay);
        }
    }
    PutU16(expected, 8);
    for (int n = 0; n < 8; ++n)
        PutText(expected, n == 0 ? "Havarie A" : n == 7 ? "Havarie H" : "");
    const Bytes own = blocktest::StoreOwnData(*spare);
    EXPECT_EQ(expected, own);
    EXPECT_EQ(12, own[0]);      // entry 1's index
    EXPECT_EQ(1, own[2]);       // its ready-input flag

    auto loaded = blocktest::LoadTagged("CSpareAmp", 3, blocktest::StoreData(*spare), nullptr);
    auto* copy = dynamic_cast<CSpareAmp*>(loaded.get());
    ASSERT_NE(nullptr, copy);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_TRUE(copy->GetEntry(0, name, kind, index));
    EXPECT_EQ("Havarie A", name);
    EXPECT_EQ(38u, kind);
    EXPECT_EQ(12, index);
    EXPECT_TRUE(copy->GetEntry(7, name, kind, index));
    EXPECT_FALSE(copy->GetEntry(3, name, kind, index));
    EXPECT_EQ(22, copy->m_entries[0].watch[9].inRelay);
    EXPECT_EQ(blocktest::StoreData(*spare), blocktest::StoreData(*copy));
}

TEST_F(TablesTest, SpareAmpOfOlderSchemas)
{
    CSpareAmp* spare = MakeSystemObject<CSpareAmp>(34370);
    spare->SetEntry(1, "Havarie B", true, 38, 5, 0);
    const Bytes common = blocktest::StoreCommon(*spare);
    const Bytes own = blocktest::StoreOwnData(*spare);
    const size_t entryBytes = 8 * (4 + 10 * 8);

    // Schema 2: the entry data without names; every entry is unused.
    auto v2 = blocktest::LoadTagged("CSpareAmp", 2, blocktest::Concat(common, Bytes(own.begin(), own.begin() + entryBytes)));
    auto* s2 = static_cast<CSpareAmp*>(v2.get());
    std::string name = "x";
    uint32_t kind = 0;
    int32_t index = 0;
    for (int n = 0; n < 8; ++n)
        EXPECT_FALSE(s2->GetEntry(n, name, kind, index)) << n;
    EXPECT_EQ("", s2->m_names[1]);
    EXPECT_EQ(5, s2->m_entries[1].index);

    // Schema 1: the common part alone.
    auto v1 = blocktest::LoadTagged("CSpareAmp", 1, common);
    auto* s1 = static_cast<CSpareAmp*>(v1.get());
    EXPECT_EQ(0, s1->m_entries[1].index);
    EXPECT_FALSE(s1->GetEntry(1, name, kind, index));
}

TEST_F(TablesTest, AmpTableRoundTrip)
{
    CAmp* amp = MakeSystemObject<CAmp>(34376);
    EXPECT_EQ(OT_AMP, amp->GetType());
    for (uint8_t b : amp->m_index)
        ASSERT_EQ(0xFF, b);
    amp->m_records[0].text1 = "Verstärker Süd";
    amp->m_records[0].words[5] = 0xBEEF;
    amp->m_records[63].channels[3].text2 = "Kanal 4";
    amp->m_records[63].channels[3].words[7] = 7;

    const Bytes data = blocktest::StoreData(*amp);
    auto loaded = blocktest::LoadTagged("CAmp", 1, data, nullptr);
    auto* copy = dynamic_cast<CAmp*>(loaded.get());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("Verstärker Süd", copy->m_records[0].text1);
    EXPECT_EQ(0xBEEF, copy->m_records[0].words[5]);
    EXPECT_EQ("Kanal 4", copy->m_records[63].channels[3].text2);
    EXPECT_EQ(7, copy->m_records[63].channels[3].words[7]);
    EXPECT_EQ(data, blocktest::StoreData(*copy));

    // Own data: per record 3 texts, 6 words, 4 channels of 8 words and 2 texts.
    const Bytes own = blocktest::StoreOwnData(*amp);
    const size_t emptyRecord = 3 + 12 + 4 * (16 + 2);
    EXPECT_EQ(64 * emptyRecord + 14 + 7, own.size());
    EXPECT_EQ(14, own[0]);  // "Verstärker Süd" as 14 single-byte characters
    EXPECT_EQ(0xE4, own[6]);  // "ä" in Windows-1252

    amp->Clear();
    EXPECT_EQ("", amp->m_records[0].text1);
    EXPECT_EQ(0, amp->m_records[63].channels[3].words[7]);
}

TEST_F(TablesTest, AmpTableCutsLongTextsOnLoading)
{
    CAmp* amp = MakeSystemObject<CAmp>(34376);
    Bytes data = blocktest::StoreCommon(*amp);
    const std::string longText(70, 'x');
    for (int r = 0; r < 64; ++r) {
        for (int t = 0; t < 3; ++t)
            PutText(data, longText);
        for (int w = 0; w < 6; ++w)
            PutU16(data, static_cast<uint16_t>(w));
        for (int c = 0; c < 4; ++c) {
            for (int w = 0; w < 8; ++w)
                PutU16(data, static_cast<uint16_t>(c));
            PutText(data, longText);
            PutText(data, longText);
        }
    }
    auto loaded = blocktest::LoadTagged("CAmp", 1, data, nullptr);
    auto* copy = static_cast<CAmp*>(loaded.get());
    EXPECT_EQ(std::string(19, 'x'), copy->m_records[5].text1);
    EXPECT_EQ(std::string(15, 'x'), copy->m_records[5].text2);
    EXPECT_EQ(std::string(5, 'x'), copy->m_records[5].text3);
    EXPECT_EQ(std::string(63, 'x'), copy->m_records[63].channels[0].text1);
    EXPECT_EQ(std::string(31, 'x'), copy->m_records[63].channels[3].text2);
    EXPECT_EQ(5, copy->m_records[1].words[5]);
    EXPECT_EQ(3, copy->m_records[1].channels[3].words[0]);

    EXPECT_EQ("Süd", CAmp::CutText("Südwest", 3));
    EXPECT_EQ("ab", CAmp::CutText("ab", 5));
}
