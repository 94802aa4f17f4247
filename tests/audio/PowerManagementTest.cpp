// Power management: values, limits and the stored form of each schema.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CInternalPowerManagement.h"

using namespace audiotest;

TEST(PowerManagement, DefaultsAndTexts)
{
    CInternalPowerManagement p;
    EXPECT_EQ(p.GetType(), 61u);
    EXPECT_EQ(p.GetValue(powerkey::BattPrio), 70);
    EXPECT_EQ(p.GetValue(powerkey::MainsPrio), 30);
    EXPECT_EQ(p.GetValue(powerkey::ShutPrio), 0);
    EXPECT_EQ(p.GetValueText(powerkey::BattPrio), "70");
    EXPECT_EQ(p.GetValueText(powerkey::DropShut), "NO");
    EXPECT_EQ(p.GetValueText(powerkey::BattAvail), "NO");
    for (uint32_t key : {2u, 3u, 4u}) {
        EXPECT_EQ(p.GetValue(key), 0);
        EXPECT_EQ(p.GetValueText(key), "");
    }
    for (uint32_t key : {5u, 9u, 100u}) {
        EXPECT_EQ(p.GetValue(key), 0);
        EXPECT_EQ(p.GetValueText(key), "");
    }
}

TEST(PowerManagement, PrioritiesAreClampedAndFlagsAreBoolean)
{
    CInternalPowerManagement p;
    p.SetValue(powerkey::BattPrio, 300);
    EXPECT_EQ(p.GetValue(powerkey::BattPrio), 255);
    p.SetValue(powerkey::MainsPrio, -5);
    EXPECT_EQ(p.GetValue(powerkey::MainsPrio), 0);
    p.SetValue(powerkey::ShutPrio, 128);
    EXPECT_EQ(p.GetValueText(powerkey::ShutPrio), "128");
    p.SetValue(powerkey::ShutPrio, 256);
    EXPECT_EQ(p.GetValue(powerkey::ShutPrio), 255);
    p.SetValue(powerkey::DropShut, 42);
    EXPECT_EQ(p.GetValue(powerkey::DropShut), 1);
    EXPECT_EQ(p.GetValueText(powerkey::DropShut), "YES");
    p.SetValue(powerkey::BattAvail, -1, 99);
    EXPECT_EQ(p.GetValueText(powerkey::BattAvail), "YES");
    p.SetValue(powerkey::BattAvail, 0);
    EXPECT_EQ(p.GetValueText(powerkey::BattAvail), "NO");
    // Keys without a value set nothing.
    EXPECT_EQ(p.SetValue(powerkey::None, 5), 0);
    EXPECT_EQ(p.SetValue(9, 5), 0);
    EXPECT_EQ(p.GetValue(powerkey::BattPrio), 255);
}

TEST(PowerManagement, StoredBytes)
{
    CInternalPowerManagement p;
    SetIdentity(p, 34557, "Internes Powermanagement 1", 16, 1);
    p.SetValue(powerkey::BattPrio, 80);
    p.SetValue(powerkey::MainsPrio, 20);
    p.SetValue(powerkey::ShutPrio, 5);
    p.SetValue(powerkey::DropShut, 1);
    const auto expected = Bytes()
                              .ClassTag("CInternalPowerManagement", 3)
                              .Common(34557, "Internes Powermanagement 1", 16, 1)
                              .I32(80).I32(20).I32(5).I32(1).I32(0)
                              .Get();
    EXPECT_EQ(Store(p), expected);
    auto loaded = Load<CInternalPowerManagement>(expected);
    ASSERT_TRUE(loaded);
    for (uint32_t key : {0u, 1u, 6u, 7u, 8u})
        EXPECT_EQ(loaded->GetValue(key), p.GetValue(key)) << key;
}

TEST(PowerManagement, OlderSchemas)
{
    auto two = Load<CInternalPowerManagement>(
        Bytes().ClassTag("CInternalPowerManagement", 2).Common(34557, "P", 16, 1).I32(90).I32(10).Get());
    ASSERT_TRUE(two);
    EXPECT_EQ(two->GetValue(powerkey::BattPrio), 90);
    EXPECT_EQ(two->GetValue(powerkey::MainsPrio), 10);
    EXPECT_EQ(two->GetValue(powerkey::ShutPrio), 0);
    EXPECT_EQ(two->GetValue(powerkey::DropShut), 0);
    EXPECT_EQ(two->GetValue(powerkey::BattAvail), 0);

    auto one = Load<CInternalPowerManagement>(
        Bytes().ClassTag("CInternalPowerManagement", 1).Common(34557, "P", 16, 1).Get());
    ASSERT_TRUE(one);
    EXPECT_EQ(one->GetValue(powerkey::BattPrio), 70);
    EXPECT_EQ(one->GetValue(powerkey::MainsPrio), 30);
}
