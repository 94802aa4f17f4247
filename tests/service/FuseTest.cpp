#include <gtest/gtest.h>

#include "service/CFuse.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
CFuse* MakeFuse(CQuillomerDoc* doc)
{
    auto* fuse = new CFuse;
    EXPECT_EQ(1, fuse->Create(33084, 1, 1, nullptr, 0, 0, 0, 0, CAT_INTERFACE, 0, 3, doc));
    doc->AddObject(fuse, CAT_INTERFACE);
    return fuse;
}
}  // namespace

TEST(Fuse, StoresFiveStepsAfterTheCommonPartAndReloadsThem)
{
    CFuse fuse;
    for (int32_t s : fuse.m_steps)
        EXPECT_EQ(3, s);
    const int32_t values[5] = {0, 1, 2, 3, 0};
    for (int i = 0; i < 5; ++i)
        fuse.m_steps[i] = values[i];

    Bytes own;
    for (int32_t v : values)
        PutI32(own, v);
    EXPECT_EQ(own, StoreOwnData(fuse));

    auto loaded = LoadTagged("CFuse", 1, StoreData(fuse));
    auto* back = dynamic_cast<CFuse*>(loaded.get());
    ASSERT_NE(nullptr, back);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(values[i], back->m_steps[i]);
}

TEST(Fuse, AnyStoredSchemaReadsTheSameFiveWords)
{
    CFuse proto;
    Bytes data = StoreCommon(proto);
    for (int32_t v : {2, 2, 1, 1, 0})
        PutI32(data, v);
    auto loaded = LoadTagged("CFuse", 7, data);
    auto* fuse = dynamic_cast<CFuse*>(loaded.get());
    ASSERT_NE(nullptr, fuse);
    EXPECT_EQ(2, fuse->m_steps[0]);
    EXPECT_EQ(0, fuse->m_steps[4]);
}

TEST(Fuse, NewProjectDownloadsFiveStepsAndTheBootPriority)
{
    ActiveDoc d;
    RecordingSender sender;
    CFuse* fuse = MakeFuse(d.get());
    EXPECT_EQ("/FUSE", fuse->GetPath());

    ASSERT_EQ(6, fuse->GetDownloadLines(0, -1));
    EXPECT_TRUE(sender.lines.empty());
    for (int step = 0; step < 6; ++step)
        EXPECT_EQ(step + 1, fuse->GetDownloadLines(0, step));
    const std::vector<std::string> expected = {
        "/FUSE/SLOT1/A/VALUE 3", "/FUSE/SLOT1/B/VALUE 3", "/FUSE/SLOT2/A/VALUE 3",
        "/FUSE/SLOT2/B/VALUE 3", "/FUSE/AMP485/VALUE 3",  "/FUSE/../EVENT/PRIO_BOOT 50",
    };
    EXPECT_EQ(expected, sender.lines);
    for (size_t i = 0; i < sender.lines.size(); ++i) {
        EXPECT_EQ(d.get(), sender.docs[i]);
        EXPECT_TRUE(sender.shortenFlags[i]);
    }
}

TEST(Fuse, QueryModeAsksTheSamePathsAndStepsBeyondTheEndSendNothing)
{
    ActiveDoc d;
    RecordingSender sender;
    CFuse* fuse = MakeFuse(d.get());
    for (int step = 0; step < 6; ++step)
        fuse->GetDownloadLines(1, step);
    ASSERT_EQ(6u, sender.lines.size());
    EXPECT_EQ("/FUSE/SLOT1/A/VALUE ?", sender.lines[0]);
    EXPECT_EQ("/FUSE/../EVENT/PRIO_BOOT ?", sender.lines[5]);

    EXPECT_EQ(6, fuse->GetDownloadLines(0, 6));
    EXPECT_EQ(9, fuse->GetDownloadLines(0, 9));
    EXPECT_EQ(6u, sender.lines.size());
}

TEST(Fuse, FullOutputBufferHoldsTheStep)
{
    ActiveDoc d;
    RecordingSender sender;
    CFuse* fuse = MakeFuse(d.get());
    sender.outBufferCount = 512;
    EXPECT_EQ(2, fuse->GetDownloadLines(0, 2));
    EXPECT_TRUE(sender.lines.empty());
    sender.outBufferCount = 511;
    EXPECT_EQ(3, fuse->GetDownloadLines(0, 2));
    EXPECT_EQ(1u, sender.lines.size());
}

TEST(Fuse, AnswersAreTakenOnlyInTheUploadState)
{
    CFuse fuse;
    fuse.ParseUploadLines("FUSE/AMP485/VALUE 2", "", linkstate::Online);
    EXPECT_EQ(3, fuse.m_steps[CFuse::Amp485]);
    fuse.ParseUploadLines("FUSE/AMP485/VALUE ?", "", linkstate::Upload);
    EXPECT_EQ(3, fuse.m_steps[CFuse::Amp485]);
    fuse.ParseUploadLines("FUSE/AMP485/VALUE 2", "", linkstate::Upload);
    EXPECT_EQ(2, fuse.m_steps[CFuse::Amp485]);
    fuse.ParseUploadLines("FUSE/SLOT2/A/VALUE 1", "", linkstate::Upload);
    EXPECT_EQ(1, fuse.m_steps[CFuse::Slot2A]);
    // Unreadable values and unknown keys change nothing.
    fuse.ParseUploadLines("FUSE/SLOT2/A/VALUE x", "", linkstate::Upload);
    fuse.ParseUploadLines("FUSE/../EVENT/PRIO_BOOT 50", "", linkstate::Upload);
    fuse.ParseUploadLines("FUSE/SLOT2/A 0", "", linkstate::Upload);
    EXPECT_EQ(1, fuse.m_steps[CFuse::Slot2A]);
    for (int i : {0, 1, 3})
        EXPECT_EQ(3, fuse.m_steps[i]);
}
