// Signal generators: their words are stored and loaded unchanged; alarms of
// schema 1 lose the "-60" at the end of their names.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CAlarm.h"
#include "audio/CGong.h"
#include "audio/CMessage.h"

using namespace audiotest;

TEST(Generators, AlarmStoresElevenWordsInOrder)
{
    CAlarm alarm;
    EXPECT_EQ(alarm.GetType(), 1u);
    SetIdentity(alarm, 32807, "DIN", 16, 1);
    Bytes expected;
    expected.ClassTag("CAlarm", 2).Common(32807, "DIN", 16, 1);
    for (uint32_t i = 0; i < CAlarm::kWordCount; ++i) {
        alarm.m_words[i] = 0x01010101u * (i + 1) + 0x80000000u;
        expected.U32(alarm.m_words[i]);
    }
    EXPECT_EQ(Store(alarm), expected.Get());

    auto loaded = Load<CAlarm>(expected.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->m_words, alarm.m_words);
    EXPECT_EQ(loaded->GetName(), "DIN");
}

namespace {
std::vector<uint8_t> AlarmBytes(uint16_t schema, const std::string& name)
{
    Bytes b;
    b.ClassTag("CAlarm", schema).Common(32807, name, 16, 2);
    for (uint32_t i = 0; i < CAlarm::kWordCount; ++i)
        b.U32(i);
    return b.Get();
}
}  // namespace

TEST(Generators, AlarmOfSchemaOneLosesTheSixtySuffix)
{
    auto a = Load<CAlarm>(AlarmBytes(1, "Slow-60"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetName(), "Slow");
    EXPECT_EQ(a->m_words[10], 10u);

    auto onlySuffix = Load<CAlarm>(AlarmBytes(1, "-60"));
    ASSERT_TRUE(onlySuffix);
    EXPECT_EQ(onlySuffix->GetName(), "");

    for (const char* keep : {"Slow", "60", "Sirene-6", "A-60 "}) {
        auto k = Load<CAlarm>(AlarmBytes(1, keep));
        ASSERT_TRUE(k);
        EXPECT_EQ(k->GetName(), keep);
    }
    // From schema 2 on the name is taken as stored.
    auto current = Load<CAlarm>(AlarmBytes(2, "Slow-60"));
    ASSERT_TRUE(current);
    EXPECT_EQ(current->GetName(), "Slow-60");
}

TEST(Generators, GongStoresNineWords)
{
    CGong gong;
    EXPECT_EQ(gong.GetType(), 11u);
    SetIdentity(gong, 32808, "Einklang", 16, 1);
    Bytes expected;
    expected.ClassTag("CGong", 1).Common(32808, "Einklang", 16, 1);
    for (uint32_t i = 0; i < CGong::kWordCount; ++i) {
        gong.m_words[i] = 1000 + i;
        expected.U32(1000 + i);
    }
    EXPECT_EQ(Store(gong), expected.Get());
    auto loaded = Load<CGong>(expected.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->m_words, gong.m_words);
}

TEST(Generators, MessageStoresOneWord)
{
    CMessage message;
    EXPECT_EQ(message.GetType(), 25u);
    SetIdentity(message, 0, "M", 16, 3);
    message.m_word = 0xDEADBEEF;
    const auto expected = Bytes().ClassTag("CMessage", 1).Common(0, "M", 16, 3).U32(0xDEADBEEF).Get();
    EXPECT_EQ(Store(message), expected);
    auto loaded = Load<CMessage>(expected);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->m_word, 0xDEADBEEFu);
}
