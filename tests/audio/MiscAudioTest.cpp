// Common audio settings: stored form, value texts and the limits of SetValue;
// the limits of damaged stored values of the audio settings objects.

#include <gtest/gtest.h>

#include <limits>

#include "AudioTestUtil.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"

using namespace audiotest;

TEST(MiscAudio, DefaultsAsTexts)
{
    CMiscAudio m;
    EXPECT_EQ(m.GetType(), 27u);
    const char* expected[] = {"-14.8", "-9.0", "-3.6", "0.0", "-41", "2", "2", "3"};
    for (uint32_t key = 0; key < 8; ++key)
        EXPECT_EQ(m.GetValue(key), expected[key]) << "key " << key;
    EXPECT_EQ(m.GetValue(8), "");
}

TEST(MiscAudio, StoredBytesAndReload)
{
    CMiscAudio m;
    SetIdentity(m, 32821, "Allgemein", 16, 1);
    const auto defaults = Bytes()
                              .ClassTag("CMiscAudio", 1)
                              .Common(32821, "Allgemein", 16, 1)
                              .F32(-14.8f).F32(-9.0f).F32(-3.6f).F32(0.0f)
                              .I32(-41).I32(2).I32(2).I32(3)
                              .Get();
    EXPECT_EQ(Store(m), defaults);

    m.SetValue(0, "-20.5");
    m.SetValue(3, "-80");
    m.SetValue(4, "-12");
    m.SetValue(5, "0");
    m.SetValue(7, "1");
    const auto changed = Bytes()
                             .ClassTag("CMiscAudio", 1)
                             .Common(32821, "Allgemein", 16, 1)
                             .F32(-20.5f).F32(-9.0f).F32(-3.6f).F32(-80.0f)
                             .I32(-12).I32(0).I32(2).I32(1)
                             .Get();
    EXPECT_EQ(Store(m), changed);
    auto loaded = Load<CMiscAudio>(changed);
    ASSERT_TRUE(loaded);
    for (uint32_t key = 0; key < 8; ++key)
        EXPECT_EQ(loaded->GetValue(key), m.GetValue(key)) << "key " << key;
}

TEST(MiscAudio, LevelsAreLimitedToMinus80AndPlus6)
{
    CMiscAudio m;
    EXPECT_TRUE(m.SetValue(0, "-95"));
    EXPECT_EQ(m.GetValue(0), "-80.0");
    EXPECT_TRUE(m.SetValue(1, "+9"));
    EXPECT_EQ(m.GetValue(1), "6.0");
    EXPECT_TRUE(m.SetValue(2, "-80.0"));
    EXPECT_FLOAT_EQ(m.GetLevel(2), -80.0f);
    EXPECT_TRUE(m.SetValue(3, "abc"));  // atof gives 0.0
    EXPECT_EQ(m.GetValue(3), "0.0");
    EXPECT_TRUE(m.SetValue(3, "-7.25dB"));
    EXPECT_FLOAT_EQ(m.GetLevel(3), -7.25f);
    // A text that is not a number at all keeps the level.
    m.SetValue(1, "-12");
    EXPECT_TRUE(m.SetValue(1, "nan"));
    EXPECT_EQ(m.GetValue(1), "-12.0");
}

TEST(MiscAudio, BackgroundAttenuation)
{
    CMiscAudio m;
    struct { const char* in; int32_t out; } cases[] = {
        {"-45", -41}, {"-41", -41}, {"-127", -41}, {"-40", -40}, {"-20", -20},
        {"-1", -1}, {"0", 0}, {"3", 0}, {"x", 0},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(m.SetValue(4, c.in));
        EXPECT_EQ(m.GetInt(4), c.out) << c.in;
    }
}

TEST(MiscAudio, InputsAreLimitedToZeroToThree)
{
    CMiscAudio m;
    struct { const char* in; int32_t out; } cases[] = {
        {"4", 3}, {"3", 3}, {"2", 2}, {"1", 1}, {"0", 0}, {"-1", 0}, {"x", 0},
    };
    for (uint32_t key : {5u, 6u, 7u}) {
        for (const auto& c : cases) {
            EXPECT_TRUE(m.SetValue(key, c.in));
            EXPECT_EQ(m.GetInt(key), c.out) << "key " << key << " text " << c.in;
        }
    }
}

TEST(MiscAudio, UnknownKeyIsRefusedAndChangesNothing)
{
    CMiscAudio m;
    EXPECT_FALSE(m.SetValue(8, "1"));
    EXPECT_FALSE(m.SetValue(0x10000, "1"));
    CMiscAudio fresh;
    for (uint32_t key = 0; key < 8; ++key)
        EXPECT_EQ(m.GetValue(key), fresh.GetValue(key));
}

// A damaged file brings values outside the ranges: they are limited on loading.
TEST(MiscAudio, LoadedValuesAreLimited)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto misc = Load<CMiscAudio>(Bytes().ClassTag("CMiscAudio", 1).Common(CMiscAudio::kKindId, "A", 16, 1)
                                     .F32(nan).F32(1e30f).F32(-3.6f).F32(-1e30f).I32(-90).I32(-7).I32(99).I32(2).Get());
    ASSERT_TRUE(misc);
    const char* expected[] = {"-80.0", "6.0", "-3.6", "-80.0", "-41", "0", "3", "2"};
    for (uint32_t key = 0; key < 8; ++key)
        EXPECT_EQ(misc->GetValue(key), expected[key]) << "key " << key;

    auto pilot = Load<CInternalPilottoneGen>(Bytes().ClassTag("CInternalPilottoneGen", 1)
                                                 .Common(CInternalPilottoneGen::kKindId, "P", 16, 1)
                                                 .F32(nan).F32(5.0f).F32(-1e9f).F32(-20.0f).F32(nan).Get());
    ASSERT_TRUE(pilot);
    const char* pilotTexts[] = {"10.0", "0.0", "-150.0", "-20.0", "-150.0"};
    for (uint32_t i = 0; i < 5; ++i)
        EXPECT_EQ(pilotTexts[i], pilot->GetValueText(i == 0 ? pilotkey::Frequency : pilotkey::LevelKey(i - 1)));

    auto power = Load<CInternalPowerManagement>(Bytes().ClassTag("CInternalPowerManagement", 3)
                                                    .Common(CInternalPowerManagement::kKindId, "P", 16, 1)
                                                    .I32(-4).I32(999).I32(60).I32(7).I32(-1).Get());
    ASSERT_TRUE(power);
    EXPECT_EQ("0 255 60 YES YES", power->GetValueText(powerkey::BattPrio) + " " +
                                      power->GetValueText(powerkey::MainsPrio) + " " +
                                      power->GetValueText(powerkey::ShutPrio) + " " +
                                      power->GetValueText(powerkey::DropShut) + " " +
                                      power->GetValueText(powerkey::BattAvail));
}
