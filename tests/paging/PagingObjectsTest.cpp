// Groups, collective calls and the console node.

#include <gtest/gtest.h>

#include "model/CQuillomerDoc.h"
#include "paging/CCollectionCall.h"
#include "paging/CConsoleObject.h"
#include "paging/CGroup.h"
#include "platform/MessageBox.h"
#include "support/BlockTestSupport.h"

using blocktest::Bytes;

namespace {

class PagingObjectsTest : public ::testing::Test {
protected:
    PagingObjectsTest()
    {
        m_previousHandler = SetMessageHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return mb::IdOk;
        });
    }
    ~PagingObjectsTest() override { SetMessageHandler(m_previousHandler); }

    CGroup* MakeGroup(const char* name, CRect r = CRect(0, 0, 0, 0))
    {
        auto* g = new CGroup;
        EXPECT_EQ(1, g->Create(0, 1, 1, name, r.left, r.top, r.right, r.bottom, CAT_GROUP, 313, 3, &doc.doc()));
        doc.doc().AddObject(g, CAT_GROUP);
        return g;
    }
    CConsoleObject* MakeConsoleNode()
    {
        auto* c = new CConsoleObject;
        EXPECT_EQ(1, c->Create(34063, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, &doc.doc()));
        doc.doc().AddObject(c, CAT_AUDIO);
        return c;
    }

    blocktest::ActiveDoc doc;
    blocktest::RecordingSender sender;
    std::vector<std::string> messages;

private:
    MessageHandler m_previousHandler;
};

}  // namespace

TEST_F(PagingObjectsTest, GroupZeroIsTheAllZonesGroup)
{
    CGroup* all = MakeGroup("'Alle' Gruppe");
    EXPECT_EQ(OT_GROUP, all->GetType());
    EXPECT_EQ(111u, all->m_contextMenuId);
    EXPECT_EQ(0, all->GetNumber());
    EXPECT_EQ(CGroup::kLevelAll, all->GetLevel());
    EXPECT_EQ("/KVT/CLEAR", all->GetPath());
    EXPECT_EQ(1, all->m_showConnectorNames);

    CGroup* g1 = MakeGroup(nullptr, CRect(400, 500, 400, 500));
    EXPECT_EQ(1, g1->GetNumber());
    EXPECT_EQ("Gruppe 1", g1->GetName());
    EXPECT_EQ("/GROUP1", g1->GetPath());
    EXPECT_EQ(500, g1->GetRect().left);  // placed 100 units right of the point
    EXPECT_EQ(0, g1->GetLevel());

    // The level is the common part's class value: no data of the group's own.
    EXPECT_TRUE(blocktest::StoreOwnData(*all).empty());
    auto loaded = blocktest::LoadTagged("CGroup", 1, blocktest::StoreData(*all), nullptr);
    EXPECT_EQ(CGroup::kLevelAll, static_cast<CGroup*>(loaded.get())->GetLevel());
}

TEST_F(PagingObjectsTest, GroupsAnswerUnderTheClearPathAfterLoading)
{
    CGroup* all = MakeGroup("'Alle' Gruppe");
    CGroup* g1 = MakeGroup(nullptr, CRect(400, 500, 400, 500));
    ASSERT_EQ(g1, doc.doc().LookupPath("/GROUP1"));
    all->PostLoad();
    g1->PostLoad();
    EXPECT_EQ("/KVT/CLEAR", g1->GetPath());
    EXPECT_FALSE(doc.doc().HasPath("/GROUP1"));
    EXPECT_EQ(2u, doc.doc().GetPathMap().count("/KVT/CLEAR"));  // both groups, one entry each
    EXPECT_EQ(g1, doc.doc().LookupPath("/KVT/CLEAR"));
}

TEST_F(PagingObjectsTest, GroupZeroClearLines)
{
    CGroup* all = MakeGroup("'Alle' Gruppe");
    CGroup* g1 = MakeGroup(nullptr, CRect(400, 500, 400, 500));

    doc.doc().m_data.deviceVariant = 0;
    EXPECT_EQ(2, all->GetDownloadLines(0, -1));
    EXPECT_EQ(0, g1->GetDownloadLines(0, -1));
    EXPECT_EQ(1, all->GetDownloadLines(0, 0));
    EXPECT_EQ(2, all->GetDownloadLines(0, 1));
    EXPECT_EQ((std::vector<std::string>{"/KVT/CLEAR/ZONE ALL", "/KVT/CLEAR/COLLCALL ALL"}), sender.lines);
    EXPECT_EQ(&doc.doc(), sender.docs[0]);

    doc.doc().m_data.deviceVariant = 1;
    EXPECT_EQ(3, all->GetDownloadLines(0, -1));
    EXPECT_EQ(3, all->GetDownloadLines(0, 2));
    EXPECT_EQ("/KVT/CLEAR/LANGRP ALL", sender.lines.back());

    // The clear commands have no query form: an upload steps over them silently.
    const size_t sent = sender.lines.size();
    for (int step = 0; step < 3; ++step)
        EXPECT_EQ(step + 1, all->GetDownloadLines(1, step));
    EXPECT_EQ(sent, sender.lines.size());

    // A full output buffer holds the step back; other groups send nothing.
    sender.lines.clear();
    sender.outBufferCount = 512;
    EXPECT_EQ(0, all->GetDownloadLines(0, 0));
    sender.outBufferCount = 511;
    EXPECT_EQ(0, g1->GetDownloadLines(0, 0));
    EXPECT_EQ(1, all->GetDownloadLines(0, 0));
    EXPECT_EQ(1u, sender.lines.size());
}

TEST_F(PagingObjectsTest, GroupCommands)
{
    CGroup* all = MakeGroup("'Alle' Gruppe");
    CGroup* g1 = MakeGroup(nullptr, CRect(400, 500, 400, 500));
    g1->SetLevel(CGroup::kLevelZones);

    CCmdUI onAll(groupcmd::AddGroup), onG1(groupcmd::AddGroup), del(groupcmd::Delete), props(groupcmd::Properties);
    all->OnUpdateCommand(onAll);
    g1->OnUpdateCommand(onG1);
    all->OnUpdateCommand(del);
    all->OnUpdateCommand(props);
    EXPECT_FALSE(onAll.m_enabled);
    EXPECT_TRUE(onG1.m_enabled);
    EXPECT_TRUE(del.m_enabled);
    EXPECT_TRUE(props.m_enabled);

    // "Gruppe hinzufügen" makes a level-2 group that contains this one.
    EXPECT_EQ(1, g1->OnCommand(groupcmd::AddGroup));
    ASSERT_EQ(3u, doc.doc().GetList(CAT_GROUP).size());
    auto* parent = static_cast<CGroup*>(doc.doc().GetList(CAT_GROUP).back());
    EXPECT_EQ(2, parent->GetNumber());
    EXPECT_EQ(CGroup::kLevelGroups, parent->GetLevel());
    const LinkRecord* member = parent->GetOutLinkAtKey(0);
    ASSERT_NE(nullptr, member);
    EXPECT_EQ(g1, member->partner);
    EXPECT_EQ(0, member->partnerKey);
    ASSERT_NE(nullptr, g1->GetInLinkAtKey(0));
    EXPECT_EQ(parent, g1->GetInLinkAtKey(0)->partner);
    EXPECT_TRUE(parent->HasGroupMember());

    CCmdUI onParent(groupcmd::AddGroup);
    parent->OnUpdateCommand(onParent);
    EXPECT_FALSE(onParent.m_enabled);
    EXPECT_EQ(1, parent->OnCommand(groupcmd::AddGroup));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Sie können keine weitere Gruppenebene hinzufügen !", messages[0]);
    EXPECT_EQ(3u, doc.doc().GetList(CAT_GROUP).size());

    // Group 0 cannot be deleted; another group can, with its links.
    all->OnCommand(groupcmd::Delete);
    EXPECT_EQ(3u, doc.doc().GetList(CAT_GROUP).size());
    parent->OnCommand(groupcmd::Delete);
    EXPECT_EQ(2u, doc.doc().GetList(CAT_GROUP).size());
    EXPECT_EQ(nullptr, g1->GetInLinkAtKey(0));
}

TEST_F(PagingObjectsTest, CollectionCallNamesItselfAfterItsRelay)
{
    auto* call = new CCollectionCall;
    ASSERT_EQ(1, call->Create(0, 1, 1, nullptr, 0, 0, 0, 0, CAT_RELAIS_TOPOLOGY, 313, 3, &doc.doc()));
    doc.doc().AddObject(call, CAT_RELAIS_TOPOLOGY);
    EXPECT_EQ(OT_COLLECTION_CALL, call->GetType());
    EXPECT_EQ("Sammelruf 1", call->GetName());
    EXPECT_EQ("/KVT/COLLCALL1", call->GetPath());
    EXPECT_TRUE(call->GetRect().IsRectNull());
    EXPECT_TRUE(blocktest::StoreOwnData(*call).empty());

    auto* relay = new CBaseDevice;
    relay->SetName("Relais 17");
    doc.doc().AddObject(relay, CAT_AUDIO);
    relay->LinkTo(0, call, 0);
    EXPECT_EQ("Relais 17", call->GetName());
    const CBaseDevice& asBase = *call;
    EXPECT_EQ("Relais 17", asBase.GetName());
    EXPECT_EQ("Sammelruf 1", call->m_name);
}

TEST_F(PagingObjectsTest, ConsoleNodeReferenceSet)
{
    CConsoleObject* node = MakeConsoleNode();
    EXPECT_EQ(OT_CONSOLE_OBJECT, node->GetType());
    EXPECT_EQ("/CONS", node->GetPath());
    EXPECT_EQ(node, doc.doc().LookupPath("/CONS"));
    EXPECT_EQ(node, doc.doc().GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT));
    EXPECT_EQ("NONE", node->GetReferenceText());

    node->SetReference(1, (1u << 16) | 3);
    node->SetReference(1, (1u << 16) | 4);
    EXPECT_EQ("3-4", node->GetReferenceText());
    EXPECT_TRUE(node->IsReference((3u << 16) | 1));
    EXPECT_TRUE(node->IsReference((4u << 16) | 1));
    EXPECT_FALSE(node->IsReference((5u << 16) | 1));
    EXPECT_FALSE(node->IsReference((3u << 16) | 2));  // low word must be 1
    node->SetReference(2, (1u << 16) | 9);
    EXPECT_EQ("3-4", node->GetReferenceText());
    node->SetReference(1, (1u << 16) | 17);  // no console 17
    EXPECT_EQ("3-4", node->GetReferenceText());
    node->SetReference(1, 3);
    node->SetReference(1, 4);
    EXPECT_EQ("NONE", node->GetReferenceText());
    node->SetReference(1, (1u << 16) | 16);
    node->SetReference(1, (1u << 16) | 1);
    EXPECT_EQ("1,16", node->GetReferenceText());

    // Setting up again keeps one entry in the path map.
    node->InitObject();
    EXPECT_EQ(1u, doc.doc().GetPathMap().count("/CONS"));
}

TEST_F(PagingObjectsTest, ConsoleNodeStoredBytes)
{
    CConsoleObject* node = MakeConsoleNode();
    node->SetReference(1, (1u << 16) | 2);
    Bytes expected;
    blocktest::PutText(expected, "2");
    EXPECT_EQ(expected, blocktest::StoreOwnData(*node));
    auto loaded = blocktest::LoadTagged("CConsoleObject", 1, blocktest::StoreData(*node), nullptr);
    EXPECT_EQ("2", static_cast<CConsoleObject*>(loaded.get())->GetReferenceText());
}

TEST_F(PagingObjectsTest, ConsoleNodeLines)
{
    CConsoleObject* node = MakeConsoleNode();
    EXPECT_EQ(1, node->GetDownloadLines(0, -1));
    EXPECT_EQ(1, node->GetDownloadLines(0, -2));
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_EQ(1, node->GetDownloadLines(0, 0));
    EXPECT_EQ(1, node->GetDownloadLines(1, 0));
    EXPECT_EQ((std::vector<std::string>{"/CONS/REFERENCE NONE", "/CONS/REFERENCE ?"}), sender.lines);
    EXPECT_TRUE(sender.shortenFlags[0]);
    sender.outBufferCount = 600;
    EXPECT_EQ(0, node->GetDownloadLines(0, 0));
    EXPECT_EQ(2u, sender.lines.size());

    node->ParseUploadLines("CONS/REFERENCE 1,5", "", 7);
    EXPECT_EQ("1,5", node->GetReferenceText());
    node->ParseUploadLines("CONS/REFERENCE ?", "", 7);
    node->ParseUploadLines("CONS/REFERENCE 2", "", 8);   // download state: ignored
    node->ParseUploadLines("CONS/OTHER 2", "", 7);
    node->ParseUploadLines("CONS/REFERENCE " + std::string(500, '1'), "", 7);
    node->ParseUploadLines("CONS/REFERENCE 3,17", "", 7);  // no console 17
    node->ParseUploadLines("CONS/REFERENCE ALL", "", 7);
    EXPECT_EQ("1,5", node->GetReferenceText());
    node->ParseUploadLines("CONS/REFERENCE 2-3\r", "", 4);
    EXPECT_EQ("2-3", node->GetReferenceText());
    EXPECT_TRUE(node->IsReference((3u << 16) | 1));
}

TEST(PagingNewDocumentTest, NewDocumentGroupCollectiveCallsAndConsoleNode)
{
    blocktest::ActiveDoc active;
    CQuillomerDoc& doc = active.doc();
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(1u, doc.GetList(CAT_GROUP).size());
    auto* all = dynamic_cast<CGroup*>(doc.GetList(CAT_GROUP).front());
    ASSERT_NE(nullptr, all);
    EXPECT_EQ(0, all->GetNumber());
    EXPECT_EQ(CGroup::kLevelAll, all->GetLevel());
    EXPECT_EQ("'Alle' Gruppe", all->GetName());
    int calls = 0;
    for (CBaseDevice* obj : doc.GetList(CAT_RELAIS_TOPOLOGY))
        if (dynamic_cast<CCollectionCall*>(obj)) {
            ++calls;
            EXPECT_EQ("Sammelruf " + std::to_string(calls), obj->GetName());
        }
    EXPECT_EQ(10, calls);
    auto* node = dynamic_cast<CConsoleObject*>(doc.GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT));
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(node, doc.LookupPath("/CONS"));

    // Saved and loaded again: every group answers under the clear path.
    node->SetReference(1, (1u << 16) | 7);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    CQuillomerDoc other;
    ASSERT_TRUE(other.LoadFromBytes(bytes));
    auto* allb = dynamic_cast<CGroup*>(other.GetList(CAT_GROUP).front());
    ASSERT_NE(nullptr, allb);
    EXPECT_EQ("/KVT/CLEAR", allb->GetPath());
    EXPECT_EQ(CGroup::kLevelAll, allb->GetLevel());
    auto* nodeb = dynamic_cast<CConsoleObject*>(other.GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT));
    ASSERT_NE(nullptr, nodeb);
    EXPECT_EQ("7", nodeb->GetReferenceText());
    EXPECT_EQ(nodeb, other.LookupPath("/CONS"));
}
