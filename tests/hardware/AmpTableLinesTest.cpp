// The remote amplifier table's protocol side: the clear line and the answers.

#include <gtest/gtest.h>

#include "hardware/CAmp.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"

namespace {

class AmpTableLinesTest : public ::testing::Test {
protected:
    AmpTableLinesTest()
    {
        table = new CAmp;
        EXPECT_EQ(1, table->Create(34376, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, &doc.doc()));
        doc.doc().AddObject(table, CAT_AUDIO);
    }

    blocktest::ActiveDoc doc;
    blocktest::RecordingSender sender;
    CAmp* table = nullptr;
};

}  // namespace

TEST_F(AmpTableLinesTest, WholeDownloadSendsNothing)
{
    EXPECT_EQ(0, table->GetDownloadLines(0, -1));
    EXPECT_EQ(0, table->GetDownloadLines(1, -1));
    sender.outBufferCount = 600;
    EXPECT_EQ(0, table->GetDownloadLines(0, -1));
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(AmpTableLinesTest, StepZeroSendsTheClearLine)
{
    table->m_records[3].text1 = "Halle";
    EXPECT_EQ(1, table->GetDownloadLines(0, 0));
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ(table->GetPath() + "/CLEAR ALL", sender.lines[0]);
    EXPECT_EQ(doc.get(), sender.docs[0]);
    EXPECT_EQ("Halle", table->m_records[3].text1);  // a download keeps the table

    // Other steps send nothing and come back unchanged.
    EXPECT_EQ(1, table->GetDownloadLines(0, 1));
    EXPECT_EQ(5, table->GetDownloadLines(1, 5));
    EXPECT_EQ(1u, sender.lines.size());
}

TEST_F(AmpTableLinesTest, QueryClearsTheTableAndAsks)
{
    table->m_records[63].channels[3].text2 = "x";
    table->m_records[0].words[5] = 7;
    table->m_index[10] = 1;
    EXPECT_EQ(1, table->GetDownloadLines(1, 0));
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ(table->GetPath() + "/CLEAR ?", sender.lines[0]);
    EXPECT_EQ("", table->m_records[63].channels[3].text2);
    EXPECT_EQ(0, table->m_records[0].words[5]);
    EXPECT_EQ(0xFF, table->m_index[10]);
}

TEST_F(AmpTableLinesTest, FullOutputBufferHoldsTheStep)
{
    sender.outBufferCount = 512;
    table->m_records[1].text2 = "kept";
    EXPECT_EQ(0, table->GetDownloadLines(1, 0));
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_EQ("kept", table->m_records[1].text2);
    sender.outBufferCount = 511;
    EXPECT_EQ(1, table->GetDownloadLines(0, 0));
    EXPECT_EQ(1u, sender.lines.size());
}

TEST_F(AmpTableLinesTest, AnswersChangeNothing)
{
    table->m_records[2].text1 = "Foyer";
    const blocktest::Bytes before = blocktest::StoreOwnData(*table);
    table->ParseUploadLines("CLEAR 1-3,5", "", 7);
    table->ParseUploadLines("AMP/ADR1/NAME Test", "", 7);
    table->ParseUploadLines("", "", 7);
    EXPECT_EQ(before, blocktest::StoreOwnData(*table));
}
