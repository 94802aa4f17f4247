#include <gtest/gtest.h>

#include "service/CFault.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
CFault* MakeFault(CQuillomerDoc* doc)
{
    auto* fault = new CFault;
    EXPECT_EQ(1, fault->Create(34094, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, doc));
    doc->AddObject(fault, CAT_AUDIO);
    return fault;
}

std::vector<std::string> Download(CFault* fault, int mode)
{
    RecordingSender sender;
    const int count = fault->GetDownloadLines(mode, -1);
    for (int step = 0; step < count; ++step)
        EXPECT_EQ(step + 1, fault->GetDownloadLines(mode, step));
    return sender.lines;
}
}  // namespace

TEST(Fault, StoresFourWordsAndNotTheActiveSources)
{
    CFault fault;
    fault.SetFlags(CFault::Included, 0x0A);
    fault.SetFlags(CFault::Latch, 1);
    fault.SetFlags(CFault::ConsoleDisplay, -1);
    fault.SetFlags(CFault::ManualFault, 1);
    fault.SetValue(4, "CONS");
    Bytes own;
    PutU32(own, 0x0A);
    PutU32(own, 1);
    PutI32(own, -1);
    PutU32(own, 1);
    EXPECT_EQ(own, StoreOwnData(fault));

    auto loaded = LoadTagged("CFault", 2, StoreData(fault));
    auto* back = dynamic_cast<CFault*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(0x0A, back->GetFlags(CFault::Included));
    EXPECT_EQ(1, back->GetFlags(CFault::Latch));
    EXPECT_EQ(-1, back->GetFlags(CFault::ConsoleDisplay));
    EXPECT_EQ(1, back->GetFlags(CFault::ManualFault));
    EXPECT_EQ(0, back->GetFlags(CFault::Active));
}

TEST(Fault, SchemaOneConsoleFlagBecomesAllConsolesOrOff)
{
    CFault proto;
    for (uint32_t flag : {1u, 0u, 5u}) {
        Bytes data = StoreCommon(proto);
        PutU32(data, 0);
        PutU32(data, 0);
        PutU32(data, flag);
        PutU32(data, 0);
        auto loaded = LoadTagged("CFault", 1, data);
        auto* fault = dynamic_cast<CFault*>(loaded.get());
        ASSERT_NE(nullptr, fault);
        EXPECT_EQ(flag != 0 ? "ON" : "OFF", fault->GetValue(2)) << flag;
    }
    // Schema 2 keeps the console number.
    Bytes data = StoreCommon(proto);
    for (uint32_t v : {0u, 0u, 5u, 0u})
        PutU32(data, v);
    auto loaded = LoadTagged("CFault", 2, data);
    EXPECT_EQ("5", dynamic_cast<CFault*>(loaded.get())->GetValue(2));
}

TEST(Fault, NewProjectDownloadsDefaultsForEitherVariant)
{
    ActiveDoc d;
    CFault* fault = MakeFault(d.get());
    EXPECT_EQ("/FAULT", fault->GetPath());

    d.doc().m_data.deviceVariant = 1;
    const std::vector<std::string> upgraded = {
        "/FAULT/INCLUDE NONE",
        "/FAULT/EXCLUDE UNKNOWN,RDYINP,LMZ,AMP,KVTINT,CONS,SPAREAMP,MANUAL,ZONEMEAS,ZONEGNDFLT",
        "/FAULT/LATCH OFF",
        "/FAULT/CONSDISP ON",
        "/FAULT/MANUAL OFF",
        "/FAULT/ACTIVE ",
    };
    EXPECT_EQ(upgraded, Download(fault, 0));

    d.doc().m_data.deviceVariant = 0;
    const auto standard = Download(fault, 0);
    ASSERT_EQ(6u, standard.size());
    EXPECT_EQ("/FAULT/EXCLUDE UNKNOWN,RDYINP,LMZ,AMP,KVTINT,CONS,SPAREAMP,MANUAL", standard[1]);

    const auto queries = Download(fault, 1);
    ASSERT_EQ(6u, queries.size());
    EXPECT_EQ("/FAULT/INCLUDE ?", queries[0]);
    EXPECT_EQ("/FAULT/ACTIVE ?", queries[5]);
}

TEST(Fault, IncludedAndExcludedLists)
{
    ActiveDoc d;
    CFault* fault = MakeFault(d.get());
    fault->SetFlags(CFault::Included, 0x7FF);
    EXPECT_EQ("NONE", fault->GetValue(5));
    EXPECT_EQ("UNKNOWN,RDYINP,LMZ,AMP,KVTINT,CONS,SPAREAMP,MANUAL,ANYGNDFLT,ZONEMEAS,ZONEGNDFLT", fault->GetValue(0));

    // The standard device knows no line-test sources, included or excluded.
    d.doc().m_data.deviceVariant = 0;
    fault->SetFlags(CFault::Included, faultsrc::Unknown | faultsrc::ZoneMeasure);
    EXPECT_EQ("UNKNOWN", fault->GetValue(0));
    EXPECT_EQ("RDYINP,LMZ,AMP,KVTINT,CONS,SPAREAMP,MANUAL", fault->GetValue(5));

    fault->SetFlags(CFault::Included, faultsrc::Amp | faultsrc::AnyGroundFault);
    EXPECT_EQ("UNKNOWN,RDYINP,LMZ,KVTINT,CONS,SPAREAMP,MANUAL", fault->GetValue(5));

    fault->SetFlags(CFault::Included, 0);
    EXPECT_EQ("Kein Eintrag", fault->GetValue(7));
    fault->SetFlags(CFault::Included, faultsrc::Amp | faultsrc::SpareAmp | faultsrc::ReadyInput);
    EXPECT_EQ("READYINP,Verstärker Konfiguration,Havarieverstärker", fault->GetValue(7));
}

TEST(Fault, ConsoleDisplayTexts)
{
    ActiveDoc d;
    CFault* fault = MakeFault(d.get());
    fault->SetValue(2, "7");
    EXPECT_EQ(7, fault->GetFlags(CFault::ConsoleDisplay));
    EXPECT_EQ("7", fault->GetValue(2));
    EXPECT_EQ("7 *", fault->GetValue(6));
    fault->SetValue(2, "17");
    EXPECT_EQ(0, fault->GetFlags(CFault::ConsoleDisplay));
    EXPECT_EQ("Alle Sprechstellen", fault->GetValue(6));
    fault->SetValue(2, "7");
    fault->SetValue(2, "0");
    EXPECT_EQ(0, fault->GetFlags(CFault::ConsoleDisplay));
    fault->SetValue(2, "OFF");
    EXPECT_EQ(-1, fault->GetFlags(CFault::ConsoleDisplay));
    EXPECT_EQ("OFF", fault->GetValue(2));
    EXPECT_EQ("", fault->GetValue(6));
    fault->SetValue(2, "abc");
    EXPECT_EQ(-1, fault->GetFlags(CFault::ConsoleDisplay));
    fault->SetValue(2, "ON");
    EXPECT_EQ(0, fault->GetFlags(CFault::ConsoleDisplay));
}

TEST(Fault, UploadAnswers)
{
    CFault fault;
    fault.SetFlags(CFault::Included, faultsrc::Lmz);
    fault.ParseUploadLines("FAULT/ACTIVE RDYINP,CONS", "", linkstate::Upload);
    EXPECT_EQ(0x022, fault.GetFlags(CFault::Active));
    EXPECT_EQ(static_cast<int32_t>(faultsrc::Lmz), fault.GetFlags(CFault::Included));

    fault.ParseUploadLines("FAULT/INCLUDE UNKNOWN,LMZ", "", linkstate::Online);
    EXPECT_EQ(static_cast<int32_t>(faultsrc::Lmz), fault.GetFlags(CFault::Included));
    fault.ParseUploadLines("FAULT/INCLUDE UNKNOWN,LMZ", "", linkstate::Upload);
    EXPECT_EQ(0x005, fault.GetFlags(CFault::Included));
    fault.ParseUploadLines("FAULT/LATCH ON", "", linkstate::Upload);
    EXPECT_EQ(1, fault.GetFlags(CFault::Latch));
    fault.ParseUploadLines("FAULT/LATCH ?", "", linkstate::Upload);
    EXPECT_EQ(1, fault.GetFlags(CFault::Latch));
    // A key the device refuses ("PATH ? ") leaves the setting; a value with a
    // blank behind it is read.
    fault.ParseUploadLines("FAULT/LATCH ? ", "", linkstate::Upload);
    fault.ParseUploadLines("FAULT/INCLUDE ? ", "", linkstate::Upload);
    EXPECT_EQ(1, fault.GetFlags(CFault::Latch));
    EXPECT_EQ(0x005, fault.GetFlags(CFault::Included));
    fault.ParseUploadLines("FAULT/LATCH OFF ", "", linkstate::Upload);
    EXPECT_EQ(0, fault.GetFlags(CFault::Latch));
    fault.ParseUploadLines("FAULT/LATCH ON", "", linkstate::Upload);
    fault.ParseUploadLines("FAULT/CONSDISP 3", "", linkstate::Upload);
    EXPECT_EQ(3, fault.GetFlags(CFault::ConsoleDisplay));
    fault.ParseUploadLines("FAULT/EXCLUDE NONE", "", linkstate::Upload);
    EXPECT_EQ(0x005, fault.GetFlags(CFault::Included));
    // The manual fault is read back like the latch.
    fault.ParseUploadLines("FAULT/MANUAL ON", "", linkstate::Upload);
    EXPECT_EQ(1, fault.GetFlags(CFault::ManualFault));
    fault.ParseUploadLines("FAULT/MANUAL OFF", "", linkstate::Upload);
    EXPECT_EQ(0, fault.GetFlags(CFault::ManualFault));
}

TEST(Fault, SourceWordsAreWholeWords)
{
    CFault fault;
    const std::pair<const char*, uint32_t> cases[] = {
        {"SPAREAMP", faultsrc::SpareAmp},   {"AMP,SPAREAMP", faultsrc::Amp | faultsrc::SpareAmp},
        {"ZONEGNDFLT", faultsrc::ZoneGroundFault}, {"RDYINP, CONS", faultsrc::ReadyInput | faultsrc::Console},
        {"NONE", 0},                        {"LMZX,XLMZ", 0},
    };
    for (const auto& [text, bits] : cases) {
        fault.SetValue(0, text);
        fault.SetValue(4, text);
        EXPECT_EQ(static_cast<int32_t>(bits), fault.GetFlags(CFault::Included)) << text;
        EXPECT_EQ(static_cast<int32_t>(bits), fault.GetFlags(CFault::Active)) << text;
    }
}

TEST(Fault, SourceIdsForTheSelectionDialog)
{
    std::vector<uint32_t> ids;
    EXPECT_EQ(13, CFault::FillSourceIds(8, &ids));
    EXPECT_EQ(34421u, ids.front());
    EXPECT_EQ(34598u, ids.back());
    EXPECT_EQ(13, CFault::FillSourceIds(3, &ids));
    EXPECT_EQ(0, CFault::FillSourceIds(8, nullptr));
}
