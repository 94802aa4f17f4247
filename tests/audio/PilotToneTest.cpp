// Pilot tone generator: stored form (the on flag is not stored), limits of
// frequency and levels, value texts.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CInternalPilottoneGen.h"

using namespace audiotest;

TEST(PilotTone, Defaults)
{
    CInternalPilottoneGen p;
    EXPECT_EQ(p.GetType(), 62u);
    EXPECT_EQ(p.GetValueText(pilotkey::On), "OFF");
    EXPECT_EQ(p.GetValueText(pilotkey::Frequency), "10.0");
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(i)), "-150.0");
    EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(4)), "");
    EXPECT_EQ(p.GetValueText(3), "");
}

TEST(PilotTone, StoredBytesLeaveOutTheOnFlag)
{
    CInternalPilottoneGen p;
    SetIdentity(p, 34556, "Interner Pilottongenerator 1", 16, 1);
    EXPECT_EQ(p.SetValue(pilotkey::On, 5), 1);
    p.SetFloatValue(pilotkey::Frequency, 19500.0f);
    p.SetFloatValue(pilotkey::LevelKey(0), -20.0f);
    p.SetFloatValue(pilotkey::LevelKey(3), -3.5f);
    const auto expected = Bytes()
                              .ClassTag("CInternalPilottoneGen", 1)
                              .Common(34556, "Interner Pilottongenerator 1", 16, 1)
                              .F32(19500.0f).F32(-20.0f).F32(-150.0f).F32(-150.0f).F32(-3.5f)
                              .Get();
    EXPECT_EQ(Store(p), expected);

    auto loaded = Load<CInternalPilottoneGen>(expected);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetValue(pilotkey::On), 0);
    EXPECT_EQ(loaded->GetValueText(pilotkey::On), "OFF");
    EXPECT_FLOAT_EQ(loaded->GetFloatValue(pilotkey::Frequency), 19500.0f);
    EXPECT_FLOAT_EQ(loaded->GetFloatValue(pilotkey::LevelKey(0)), -20.0f);
    EXPECT_FLOAT_EQ(loaded->GetFloatValue(pilotkey::LevelKey(3)), -3.5f);
}

TEST(PilotTone, FrequencyAndLevelsAreClamped)
{
    CInternalPilottoneGen p;
    p.SetFloatValue(pilotkey::Frequency, 5.0f);
    EXPECT_EQ(p.GetValueText(pilotkey::Frequency), "10.0");
    p.SetFloatValue(pilotkey::Frequency, 30000.0f);
    EXPECT_EQ(p.GetValueText(pilotkey::Frequency), "23000.0");
    p.SetFloatValue(pilotkey::LevelKey(1), 3.5f);
    EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(1)), "0.0");
    p.SetFloatValue(pilotkey::LevelKey(2), -200.0f);
    EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(2)), "-150.0");
    p.SetFloatValue(pilotkey::LevelKey(2), -12.34f);
    EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(2)), "-12.3");
}

TEST(PilotTone, OtherKeysChangeNothing)
{
    CInternalPilottoneGen p;
    p.SetFloatValue(pilotkey::LevelKey(4), -10.0f);
    p.SetFloatValue(pilotkey::On, 1.0f);
    p.SetFloatValue(7, 100.0f);
    EXPECT_EQ(p.GetFloatValue(pilotkey::LevelKey(4)), 0.0f);
    EXPECT_EQ(p.GetFloatValue(pilotkey::On), 0.0f);
    EXPECT_EQ(p.GetValueText(pilotkey::Frequency), "10.0");
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(p.GetValueText(pilotkey::LevelKey(i)), "-150.0");
    EXPECT_EQ(p.GetValue(pilotkey::On), 0);

    EXPECT_EQ(p.SetValue(0, 1), 0);
    EXPECT_EQ(p.GetValue(pilotkey::On), 0);
    EXPECT_EQ(p.SetValue(pilotkey::On, -1), 1);
    EXPECT_EQ(p.GetValue(pilotkey::On), 1);
    EXPECT_EQ(p.GetValue(0), 0);
    EXPECT_EQ(p.GetValueText(pilotkey::On), "ON");
    EXPECT_EQ(p.SetValue(pilotkey::On, 0), 0);
    EXPECT_EQ(p.GetValueText(pilotkey::On), "OFF");
}
