#include <gtest/gtest.h>

#include "ModelTestObjects.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"

namespace {

struct IDManagerTest : ::testing::Test {
    MessageLog messages;
    ModelTestHost host;
    CIDManager dir;
};

TEST_F(IDManagerTest, NextIdFillsTheFirstGap)
{
    TestDevice a1(OT_AMPLIFIER), a3(OT_AMPLIFIER), a2(OT_AMPLIFIER);
    EXPECT_EQ(dir.AddID(&a1, OT_AMPLIFIER, 1), 1);
    EXPECT_EQ(dir.AddID(&a3, OT_AMPLIFIER, 3), 1);
    EXPECT_EQ(dir.GetNextID(&a2, OT_AMPLIFIER), 2);
    EXPECT_EQ(dir.GetBaseDevice(2, OT_AMPLIFIER), &a2);
}

TEST_F(IDManagerTest, FullTableIsNotANumber)
{
    std::vector<std::unique_ptr<TestDevice>> amps;
    for (int i = 1; i <= 64; ++i) {
        amps.push_back(std::make_unique<TestDevice>(OT_AMPLIFIER));
        ASSERT_EQ(dir.GetNextID(amps.back().get(), OT_AMPLIFIER), i);
    }
    TestDevice extra(OT_AMPLIFIER);
    EXPECT_EQ(dir.GetNextID(&extra, OT_AMPLIFIER), -1);
    EXPECT_EQ(dir.GetCount(OT_AMPLIFIER), 64);
}

TEST_F(IDManagerTest, GroupsStartAtZero)
{
    TestDevice g0(OT_GROUP), g1(OT_GROUP);
    EXPECT_EQ(dir.GetNextID(&g0, OT_GROUP), 0);
    EXPECT_EQ(dir.GetNextID(&g1, OT_GROUP), 1);
    std::vector<std::unique_ptr<TestDevice>> rest;
    for (int i = 2; i <= 100; ++i) {
        rest.push_back(std::make_unique<TestDevice>(OT_GROUP));
        ASSERT_EQ(dir.GetNextID(rest.back().get(), OT_GROUP), i);
    }
    TestDevice extra(OT_GROUP);
    EXPECT_EQ(dir.GetNextID(&extra, OT_GROUP), -1);
    EXPECT_EQ(dir.GetBaseDevice(0, OT_GROUP), &g0);
}

TEST_F(IDManagerTest, BadKeysShowTheirMessageAndTouchNothing)
{
    TestDevice a(OT_AMPLIFIER);
    a.m_name = "Amp";
    EXPECT_EQ(dir.GetBaseDevice(65, OT_AMPLIFIER), nullptr);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "IDManager: GetBaseDevice 65,2\n");
    EXPECT_EQ(dir.GetBaseDevice(0, OT_AMPLIFIER), nullptr);
    EXPECT_EQ(messages.texts.size(), 1u) << "number 0 is a valid key without an object";
    EXPECT_EQ(dir.AddID(&a, OT_AMPLIFIER, 65), 0);
    EXPECT_EQ(messages.texts.back(), "IDManager: AddID 65,2,Amp\n");
    EXPECT_EQ(dir.RemoveID(&a, 68, 1), 0);
    EXPECT_EQ(messages.texts.back(), "IDManager: RemoveID 1,68,Amp\n");
    EXPECT_EQ(dir.GetNextID(&a, 0), -1);
    EXPECT_EQ(messages.texts.back(), "IDManager: GetNextID 0 Amp\n");
    EXPECT_EQ(dir.GetCount(68), -1);
    EXPECT_EQ(dir.GetMaxID(0), 0);
    EXPECT_EQ(messages.texts.back(), "IDManager: GetBaseDeviceList 0\n");
    EXPECT_TRUE(dir.IsTaken(&a, OT_AMPLIFIER, 70));
    EXPECT_FALSE(dir.IsValidID(0, 0));
    EXPECT_TRUE(dir.IsValidID(64, OT_AMPLIFIER));
    EXPECT_FALSE(dir.IsValidID(65, OT_AMPLIFIER));
}

TEST_F(IDManagerTest, AddOverwritesAndRemoveLeavesOthersEntries)
{
    TestDevice first(OT_ZONE), second(OT_ZONE);
    dir.AddID(&first, OT_ZONE, 4);
    dir.AddID(&second, OT_ZONE, 4);
    EXPECT_EQ(dir.GetBaseDevice(4, OT_ZONE), &second);
    EXPECT_EQ(dir.RemoveID(&first, OT_ZONE, 4), 1);
    EXPECT_EQ(dir.GetBaseDevice(4, OT_ZONE), &second) << "the entry belongs to the second object now";
    dir.RemoveID(&second, OT_ZONE, 4);
    EXPECT_EQ(dir.GetBaseDevice(4, OT_ZONE), nullptr);
}

TEST_F(IDManagerTest, ListsAreInNumberOrder)
{
    TestDevice m5(OT_MACRO), m2(OT_MACRO), m9(OT_MACRO);
    m5.m_number = 5;
    m2.m_number = 2;
    m9.m_number = 9;
    m9.m_kindId = 7;
    dir.AddID(&m5, OT_MACRO, 5);
    dir.AddID(&m2, OT_MACRO, 2);
    dir.AddID(&m9, OT_MACRO, 9);
    DeviceList list;
    dir.GetBaseDeviceList(list, OT_MACRO);
    EXPECT_EQ(list, (DeviceList{&m2, &m5, &m9}));
    DeviceList byKind;
    dir.GetBaseDeviceListByKind(byKind, OT_MACRO, 7);
    EXPECT_EQ(byKind, DeviceList{&m9});
    EXPECT_EQ(dir.GetMaxID(OT_MACRO), 9);
    EXPECT_EQ(dir.GetCount(OT_MACRO), 3);
}

TEST_F(IDManagerTest, RemoveAndCloseRenumbersTheRest)
{
    CQuillomerDoc doc;
    std::vector<TestDevice*> macros;
    for (int i = 1; i <= 5; ++i)
        macros.push_back(MakeDevice(doc, OT_MACRO, CAT_MACRO));
    CIDManager& d = doc.GetIDManager();
    d.RemoveAndClose(OT_MACRO, 3);
    EXPECT_EQ(d.GetCount(OT_MACRO), 4);
    EXPECT_EQ(d.GetBaseDevice(3, OT_MACRO), macros[3]);
    EXPECT_EQ(macros[3]->GetNumber(), 3);
    EXPECT_EQ(d.GetBaseDevice(4, OT_MACRO), macros[4]);
    EXPECT_EQ(macros[4]->GetNumber(), 4);
    EXPECT_EQ(d.GetBaseDevice(5, OT_MACRO), nullptr);
    // The removed macro is still in the list; it no longer owns an entry.
    doc.RemoveObject(macros[2]);
    delete macros[2];
    EXPECT_EQ(d.GetBaseDevice(3, OT_MACRO), macros[3]);
}

TEST_F(IDManagerTest, DeleteFromDeletesTheRange)
{
    CQuillomerDoc doc;
    for (int i = 1; i <= 6; ++i)
        MakeDevice(doc, OT_MACRO, CAT_MACRO);
    CIDManager& d = doc.GetIDManager();
    d.DeleteFrom(OT_MACRO, 3, 5);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), 4u);
    EXPECT_EQ(d.GetBaseDevice(3, OT_MACRO), nullptr);
    EXPECT_EQ(d.GetBaseDevice(4, OT_MACRO), nullptr);
    EXPECT_NE(d.GetBaseDevice(5, OT_MACRO), nullptr);
    d.DeleteFrom(OT_MACRO, 5, 300);  // outside 0..capacity: nothing
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), 4u);
    d.DeleteFrom(OT_MACRO, 0, 0);    // from 1 to the end
    EXPECT_TRUE(doc.GetList(CAT_MACRO).empty());
}

TEST_F(IDManagerTest, ChangeIdNeedsTheOldEntryAndAFreeNewOne)
{
    TestDevice a(OT_ZONE), b(OT_ZONE);
    dir.AddID(&a, OT_ZONE, 1);
    dir.AddID(&b, OT_ZONE, 2);
    EXPECT_EQ(dir.ChangeID(&a, 1, 2), 0);
    EXPECT_EQ(dir.ChangeID(&a, 3, 4), 0);
    EXPECT_EQ(dir.ChangeID(&a, 1, 4), 1);
    EXPECT_EQ(dir.GetBaseDevice(4, OT_ZONE), &a);
    EXPECT_EQ(dir.GetBaseDevice(1, OT_ZONE), nullptr);
}

CIDManager::AmpInfo TestAmpInfo(const CBaseDevice* amp)
{
    // class value: channels * 100 + address; kind 1 = remote
    return {amp->GetKindId() == 1, amp->m_classValue / 100, amp->m_classValue % 100};
}

TEST_F(IDManagerTest, AmpChannelTextCountsChannelsInAddressOrder)
{
    auto old = CIDManager::SetAmpInfoFn(&TestAmpInfo);
    TestDevice v1(OT_AMPLIFIER, 401), v2(OT_AMPLIFIER, 202), local(OT_AMPLIFIER, 800), dup(OT_AMPLIFIER, 202);
    v1.m_name = "Verstärker 1";
    v2.m_name = "Verstärker 2";
    dup.m_name = "Doppelt";
    v1.m_kindId = v2.m_kindId = dup.m_kindId = 1;
    dir.AddID(&v2, OT_AMPLIFIER, 1);
    dir.AddID(&v1, OT_AMPLIFIER, 2);
    dir.AddID(&local, OT_AMPLIFIER, 3);
    EXPECT_EQ(dir.GetAmpChannelText(5), "Verstärker 2 CH1");
    EXPECT_EQ(dir.GetAmpChannelText(4), "Verstärker 1 CH4");
    EXPECT_EQ(dir.GetAmpChannelText(9), "9 *");
    dir.AddID(&dup, OT_AMPLIFIER, 4);  // same address as v2, higher number
    DeviceList amps;
    dir.GetRemoteAmpsByAddress(amps);
    EXPECT_EQ(amps, (DeviceList{&v1, &dup}));
    CIDManager::SetAmpInfoFn(old);
}

TEST_F(IDManagerTest, DeviceLimitsDependOnTheVariant)
{
    EXPECT_EQ(GetMaxObjectCount(OT_MACRO, 0), 80u);
    EXPECT_EQ(GetMaxObjectCount(OT_MACRO, 1), 250u);
    EXPECT_EQ(GetMaxObjectCount(OT_AMPLIFIER, 1), 0u);
    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.m_data.deviceVariant = 1;
    EXPECT_EQ(GetMaxObjectCount(OT_MACRO), 250u);
    doc.m_data.deviceVariant = 0;
    EXPECT_EQ(GetMaxObjectCount(OT_MACRO), 80u);
    EXPECT_EQ(GetMaxObjectCount(OT_BUSY_CONDITION), 5u);
}

TEST(ObjectTypeCode, CapacitiesOfTheTypes)
{
    EXPECT_EQ(GetTypeCapacity(OT_CONTROL_PAD), 513u);
    EXPECT_EQ(GetTypeCapacity(OT_RELAIS), 961u);
    EXPECT_EQ(GetTypeCapacity(OT_READY_INP_OBJECT), 0u);
    EXPECT_EQ(GetTypeCapacity(OT_CONSOLE_OBJECT), 2u);
    EXPECT_EQ(GetTypeCapacity(68), 0u);
}

}  // namespace
