// Zones, group 0, a LAN group and a collective call against the device
// simulator: the download sends their lines, the upload reads them back with
// no difference reported and an empty difference file.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include "hardware/CAmplifier.h"
#include "paging/CCollectionCall.h"
#include "paging/CGroup.h"
#include "paging/CLANGroup.h"
#include "paging/CRelais.h"
#include "paging/CRelaisTopology.h"
#include "support/ZoneTestSupport.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"

using namespace commtest;
using serialtest::Pump;

TEST(ZoneTransferSim, UploadOfZonesGroupsAndCallsFindsNoDifference)
{
    serialtest::UsePrivateSettings();
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    SetProfile(QStringLiteral("Configuration/StayOnline"), {});
    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    ActiveDocHook previousHook = SetActiveDocHook([&doc] { return &doc; });
    auto previousDialog = CRelaisTopology::SetDialog(nullptr);
    doc.OnNewDocument();
    doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
    doc.m_data.deviceVariant = 1;
    TestHost host;
    CCommLink link;
    Messages messages;
    link.SetHost(&host);
    ILineSender* previousSender = SetLineSender(&link);

    CRelaisTopology* topology = AddOneInN(doc, 2);
    ASSERT_NE(nullptr, topology);
    CZone* zone = topology->GetZones()[0];
    zone->OnCommand(zonecmd::AddLanGroup);
    auto* lan = dynamic_cast<CLANGroup*>(doc.GetIDManager().GetBaseDevice(1, OT_LAN_GROUP));
    lan->ApplyMembers({zone, topology->GetZones()[1]});
    lan->UpdateMembersText(true);
    auto* call = doc.GetIDManager().GetBaseDevice(1, OT_COLLECTION_CALL);
    FindOrCreateRelaisBank(&doc, 9, relaiskind::CollectiveCall, true)->LinkTo(0, call, 0);
    call->LinkTo(0, zone, CZone::kCollCallKey);
    std::vector<CBaseDevice*> objects = {doc.GetIDManager().GetBaseDevice(0, OT_GROUP), zone,
                                         topology->GetZones()[1], lan, call};

    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    link.OnConnect();
    ASSERT_TRUE(link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    auto transfer = [&](int direction) {
        host.paramSelect = [&](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = objects;
            return true;
        };
        link.OnTransferParameters();
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    };
    transfer(1);
    const std::string sent = sim.Received();
    EXPECT_NE(std::string::npos, sent.find("/KVT/ZONE1/RELAY 1\r\n"));
    EXPECT_NE(std::string::npos, sent.find("/KVT/LANGRP1 1-2\r\n"));
    EXPECT_NE(std::string::npos, sent.find("/KVT/COLLCALL1/RELAY 9\r\n"));
    messages.texts.clear();
    transfer(0);
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("Halle.err"))), "");
    ASSERT_EQ(1u, messages.texts.size()) << messages.texts.front();  // only the end of the upload
    EXPECT_EQ("1-2", lan->GetMembersText(0));

    link.ClosePort();
    SetLineSender(previousSender);
    CRelaisTopology::SetDialog(previousDialog);
    SetActiveDocHook(previousHook);
    serialtest::SetDevicePath(kPort, {});
}
