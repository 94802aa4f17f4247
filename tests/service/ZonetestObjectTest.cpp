#include <gtest/gtest.h>

#include "service/CZonetestObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
CZonetestObject* MakeZonetest(CQuillomerDoc* doc)
{
    auto* zt = new CZonetestObject;
    EXPECT_EQ(1, zt->Create(34577, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, doc));
    doc->AddObject(zt, CAT_AUDIO);
    return zt;
}
}  // namespace

TEST(Zonetest, StoresTwentyOneWordsWithTheAppointmentBeforeTheDisplayMacro)
{
    CZonetestObject zt;
    zt.m_lineTestMacro = 1;
    zt.m_lineTestDisplayMacro = 2;
    zt.m_startAppointment = 3;
    zt.m_testCondition = 4;
    zt.m_outputLogic = 5;
    zt.m_impedanceMacro = 6;
    zt.m_impedanceDisplayMacro = 7;
    zt.m_lineTestTrigger = 8;
    zt.m_impedanceTrigger = 9;
    zt.m_displayOffMacro = 10;
    Bytes own;
    for (int32_t v : {1, 3, 2, 4, 5, 6, 7, 8, 9, 10})
        PutI32(own, v);
    PutF32(own, 66.0f);
    PutF32(own, 0.005f);
    PutI32(own, 2);
    PutI32(own, 0);
    PutF32(own, 1000.0f);
    for (int32_t v : {-20, -17, -14, -20})
        PutI32(own, v);
    PutF32(own, 5.0f);
    PutI32(own, 5);
    EXPECT_EQ(own, StoreOwnData(zt));

    auto loaded = LoadTagged("CZonetestObject", 1, StoreData(zt));
    auto* back = dynamic_cast<CZonetestObject*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(3, back->m_startAppointment);
    EXPECT_EQ(2, back->m_lineTestDisplayMacro);
    EXPECT_EQ(10, back->m_displayOffMacro);
    EXPECT_EQ("66.0", back->GetValue(10));
    EXPECT_EQ("0.005", back->GetValue(11));
    EXPECT_EQ("5", back->GetValue(20));
}

TEST(Zonetest, SetValueClampsAndIgnoresUnreadableTexts)
{
    CZonetestObject zt;
    zt.SetValue(10, "5");
    EXPECT_EQ("10.0", zt.GetValue(10));
    zt.SetValue(10, "30000");
    EXPECT_EQ("23000.0", zt.GetValue(10));
    zt.SetValue(10, "abc");
    EXPECT_EQ("23000.0", zt.GetValue(10));
    zt.SetValue(11, "2");
    EXPECT_EQ("1.000", zt.GetValue(11));
    zt.SetValue(11, "0");
    EXPECT_EQ("0.001", zt.GetValue(11));
    zt.SetValue(12, "-3");
    EXPECT_EQ("0", zt.GetValue(12));
    zt.SetValue(12, "31");
    EXPECT_EQ("30", zt.GetValue(12));
    zt.SetValue(13, "on");
    EXPECT_EQ("OFF", zt.GetValue(13));
    zt.SetValue(13, "ON");
    EXPECT_EQ("ON", zt.GetValue(13));
    zt.SetValue(16, "-90");
    EXPECT_EQ("-78", zt.GetValue(16));
    zt.SetValue(19, "-1");
    EXPECT_EQ("0.0", zt.GetValue(19));
    zt.SetValue(20, "OFF");
    EXPECT_EQ(0, zt.m_wipeCycles);
    EXPECT_EQ("OFF", zt.GetValue(20));
    zt.SetValue(20, "250");
    EXPECT_EQ("100", zt.GetValue(20));
    // Schedule numbers are not set through SetValue.
    zt.SetValue(1, "5");
    EXPECT_EQ("0", zt.GetValue(1));
}

TEST(Zonetest, ValueTextsOfTheScheduleKeys)
{
    CZonetestObject zt;
    zt.m_lineTestTrigger = 11;
    zt.m_impedanceTrigger = 12;
    zt.m_impedanceMacro = 13;
    zt.m_startAppointment = 14;
    zt.m_displayOffMacro = 15;
    EXPECT_EQ("11", zt.GetValue(0));
    EXPECT_EQ("12", zt.GetValue(6));
    EXPECT_EQ("13", zt.GetValue(7));
    EXPECT_EQ("", zt.GetValue(2));
    EXPECT_EQ("", zt.GetValue(9));
    EXPECT_EQ("", zt.GetValue(21));
}

TEST(Zonetest, DownloadSevenLinesOnlyForTheUpgradedDevice)
{
    ActiveDoc d;
    RecordingSender sender;
    CZonetestObject* zt = MakeZonetest(d.get());
    EXPECT_EQ("/SERVICE/ZONETEST", zt->GetPath());
    EXPECT_EQ(zt, d.doc().LookupPath("/SERVICE/ZONETEST"));

    d.doc().m_data.deviceVariant = 0;
    EXPECT_EQ(0, zt->GetDownloadLines(0, -1));
    d.doc().m_data.deviceVariant = 1;
    ASSERT_EQ(7, zt->GetDownloadLines(0, -1));
    for (int step = 0; step < 7; ++step)
        EXPECT_EQ(step + 1, zt->GetDownloadLines(0, step));
    const std::vector<std::string> expected = {
        "/SERVICE/ZONETEST/TEST/FREQU 66.0",     "/SERVICE/ZONETEST/TEST/ADJPERDAY 0.005",
        "/SERVICE/ZONETEST/TEST/ADJMAX 2",       "/SERVICE/ZONETEST/TEST/SHORT_DIS OFF",
        "/SERVICE/ZONETEST/IMP/FREQU 1000.0",    "/SERVICE/ZONETEST/GNDFLT_TIME 5.0",
        "/SERVICE/ZONETEST/WIPE 5",
    };
    EXPECT_EQ(expected, sender.lines);
    EXPECT_EQ(7, zt->GetDownloadLines(0, 7));
    sender.lines.clear();
    zt->GetDownloadLines(1, 6);
    EXPECT_EQ(std::vector<std::string>{"/SERVICE/ZONETEST/WIPE ?"}, sender.lines);
}

TEST(Zonetest, AnswersOnlyInTheUploadState)
{
    CZonetestObject zt;
    zt.ParseUploadLines("SERVICE/ZONETEST/AMPVOL/70V -90", "", linkstate::Online);
    EXPECT_EQ(-17, zt.m_ampVolume70V);
    zt.ParseUploadLines("SERVICE/ZONETEST/AMPVOL/70V -90", "", linkstate::Upload);
    EXPECT_EQ(-78, zt.m_ampVolume70V);
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST/FREQU ?", "", linkstate::Upload);
    EXPECT_EQ("66.0", zt.GetValue(10));
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST/FREQU 440", "", linkstate::Upload);
    EXPECT_EQ("440.0", zt.GetValue(10));
    zt.ParseUploadLines("SERVICE/ZONETEST/WIPE OFF", "", linkstate::Upload);
    EXPECT_EQ(0, zt.m_wipeCycles);
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST 12", "", linkstate::Upload);
    EXPECT_EQ("440.0", zt.GetValue(10));
}
