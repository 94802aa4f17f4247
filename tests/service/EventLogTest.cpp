#include <gtest/gtest.h>

#include "service/CEventLog.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
CEventLog* MakeEventLog(CQuillomerDoc* doc)
{
    auto* log = new CEventLog;
    EXPECT_EQ(1, log->Create(34588, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, doc));
    doc->AddObject(log, CAT_AUDIO);
    return log;
}
}  // namespace

TEST(EventLog, InitObjectEntersPathAndNumber)
{
    ActiveDoc d;
    CEventLog* log = MakeEventLog(d.get());
    EXPECT_EQ("/EVENT/LOG", log->GetPath());
    EXPECT_EQ(log, d.doc().LookupPath("/EVENT/LOG"));
    EXPECT_EQ(1, log->GetNumber());
    EXPECT_EQ(log, d.doc().GetIDManager().GetBaseDevice(1, OT_EVENT_LOG));
}

TEST(EventLog, StoresSixMasksAndLoadsFiveFromSchemaOne)
{
    CEventLog log;
    const char* masks[6] = {"AUDIO,FAULT", "ALARM", "NONE", "1-5", "ALL", "3"};
    for (int i = 0; i < 6; ++i)
        log.m_masks[i] = masks[i];
    Bytes own;
    for (const char* m : masks)
        PutText(own, m);
    EXPECT_EQ(own, StoreOwnData(log));

    auto loaded = LoadTagged("CEventLog", 2, StoreData(log));
    auto* back = dynamic_cast<CEventLog*>(loaded.get());
    ASSERT_NE(nullptr, back);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(masks[i], back->m_masks[i]);

    Bytes old = StoreCommon(log);
    for (int i = 0; i < 5; ++i)
        PutText(old, masks[i]);
    auto loadedOld = LoadTagged("CEventLog", 1, old);
    auto* backOld = dynamic_cast<CEventLog*>(loadedOld.get());
    ASSERT_NE(nullptr, backOld);
    EXPECT_EQ("ALL", backOld->m_masks[4]);
    EXPECT_EQ("NONE", backOld->m_masks[5]);
}

TEST(EventLog, DownloadOnlyForTheUpgradedDevice)
{
    ActiveDoc d;
    RecordingSender sender;
    CEventLog* log = MakeEventLog(d.get());
    d.doc().m_data.deviceVariant = 0;
    EXPECT_EQ(0, log->GetDownloadLines(0, -1));
    d.doc().m_data.deviceVariant = 1;
    ASSERT_EQ(6, log->GetDownloadLines(0, -1));
    EXPECT_TRUE(sender.lines.empty());

    log->SetMaskFromFlags(1, 0x09);
    for (int step = 0; step < 6; ++step)
        EXPECT_EQ(step + 1, log->GetDownloadLines(0, step));
    // A mask other than NONE: its clearing command, then the list as a whole line.
    ASSERT_EQ(7u, sender.lines.size());
    EXPECT_EQ("/EVENT/LOG/MASK/ON NONE", sender.lines[0]);
    EXPECT_EQ("/EVENT/LOG/MASK/AUDIO/ON NONE", sender.lines[1]);
    EXPECT_EQ("/EVENT/LOG/MASK/AUDIO/ON ALARM,PAGE1", sender.lines[2]);
    EXPECT_EQ((std::vector<bool> {true, true, false, true, true, true, true}), sender.shortenFlags);
    EXPECT_EQ("/EVENT/LOG/MASK/VIRTCTRL/ON NONE", sender.lines[6]);
    EXPECT_EQ(6, log->GetDownloadLines(0, 6));

    sender.lines.clear();
    log->GetDownloadLines(1, 1);
    EXPECT_EQ(std::vector<std::string>{"/EVENT/LOG/MASK/AUDIO/ON ?"}, sender.lines);
    sender.outBufferCount = 600;
    EXPECT_EQ(3, log->GetDownloadLines(0, 3));
    EXPECT_EQ(1u, sender.lines.size());
}

TEST(EventLog, MasksFromFlags)
{
    CEventLog log;
    log.SetMaskFromFlags(2, 0);
    EXPECT_EQ("NONE", log.m_masks[CEventLog::Fault]);
    log.SetMaskFromFlags(2, 0x804);
    EXPECT_EQ("LMZ,LAN", log.m_masks[CEventLog::Fault]);
    log.SetMaskFromFlags(1, 0x1FF);  // only the low 8 bits count
    EXPECT_EQ("ALARM,CHIME,MESSAGE,PAGE1,PAGE2,PAGE3,PAGE4,BPROG", log.m_masks[CEventLog::Audio]);
    log.SetMaskFromFlags(3, 0x1);
    EXPECT_EQ("LMZ,LAN", log.m_masks[CEventLog::Fault]);
}

TEST(EventLog, DisplayTexts)
{
    CEventLog log;
    EXPECT_EQ("Kein Eintrag", log.GetValue(5));
    log.SetValue(1, "ALARM,CHIME");
    EXPECT_EQ("Alarm,Gong", log.GetValue(5));
    log.SetValue(2, "SPAREAMP,AMP,RDYINP");
    EXPECT_EQ("Havarieverstärker,Verstärker Konfiguration,READYINP", log.GetValue(6));

    log.SetValue(7, "Alle");
    EXPECT_EQ("ALL", log.GetValue(3));
    EXPECT_EQ("Alle", log.GetValue(7));
    log.SetValue(8, "Kein Eintrag");
    EXPECT_EQ("NONE", log.GetValue(4));
    EXPECT_EQ("Kein Eintrag", log.GetValue(8));
    log.SetValue(10, "1-4");
    EXPECT_EQ("1-4", log.GetValue(9));
    EXPECT_EQ("1-4", log.GetValue(10));
    log.SetValue(5, "ALARM");
    EXPECT_EQ("ALARM,CHIME", log.GetValue(1));
    EXPECT_EQ("", log.GetValue(11));
}

TEST(EventLog, AnswerLines)
{
    ActiveDoc d;
    CEventLog* log = MakeEventLog(d.get());
    log->ParseUploadLines("EVENT/LOG/MASK/ON AUDIO,FAULT", "", linkstate::Upload);
    EXPECT_EQ("AUDIO,FAULT", log->m_masks[CEventLog::Overall]);
    log->ParseUploadLines("EVENT/LOG/MASK/VIRTCTRL/ON ?", "", linkstate::Upload);
    EXPECT_EQ("NONE", log->m_masks[CEventLog::VirtCtrl]);
    // A device without the mask refuses it ("PATH ? "): the project keeps its own.
    log->ParseUploadLines("EVENT/LOG/MASK/VIRTCTRL/ON ? ", "", linkstate::Upload);
    EXPECT_EQ("NONE", log->m_masks[CEventLog::VirtCtrl]);
    log->ParseUploadLines("EVENT/LOG/MASK/VIRTCTRL/ON 1-3", "", linkstate::Download);
    EXPECT_EQ("NONE", log->m_masks[CEventLog::VirtCtrl]);
    log->ParseUploadLines("EVENT/LOG/MASK/VIRTCTRL/ON 1-3", "", linkstate::Online);
    EXPECT_EQ("1-3", log->m_masks[CEventLog::VirtCtrl]);
    log->ParseUploadLines("EVENT/LOG/MASK/OTHER/ON 5", "", linkstate::Upload);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ("NONE", log->m_masks[i]);
}
