#include <gtest/gtest.h>

#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;
using EP = CVirtCtrl::Endpoint;

namespace {
CVirtCtrl* MakeTable(CQuillomerDoc* doc)
{
    auto* vc = new CVirtCtrl;
    EXPECT_EQ(1, vc->Create(CVirtCtrl::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, doc));
    doc->AddObject(vc, CAT_AUDIO);
    return vc;
}

// A stand-in card: only its type code and links matter to the table.
class TestCard : public CBaseDevice {
public:
    explicit TestCard(uint32_t type) { m_type = type; }
};
}  // namespace

TEST(VirtCtrlItem, StoresSixWordsFromSchemaTwoOn)
{
    CVirtCtrlItem item;
    EXPECT_EQ(49u, item.GetType());
    item.SetFloat(CVirtCtrlItem::Min, -1.5f);
    item.SetFloat(CVirtCtrlItem::Max, 10.0f);
    item.SetFloat(CVirtCtrlItem::Value, 2.5f);
    item.SetInt(CVirtCtrlItem::Steps, 65535);
    item.SetInt(CVirtCtrlItem::Curve, -128);
    item.SetInt(CVirtCtrlItem::Link, 3);
    item.SetFloat(CVirtCtrlItem::Steps, 99.0f);  // no float field there
    item.SetInt(CVirtCtrlItem::Min, 99);          // no int field there
    Bytes own;
    PutF32(own, -1.5f);
    PutF32(own, 10.0f);
    PutF32(own, 2.5f);
    PutI32(own, 65535);
    PutI32(own, -128);
    PutI32(own, 3);
    EXPECT_EQ(own, StoreOwnData(item));

    auto loaded = LoadTagged("CVirtCtrlItem", 2, StoreData(item));
    auto* back = dynamic_cast<CVirtCtrlItem*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(2.5f, back->GetFloat(CVirtCtrlItem::Value));
    EXPECT_EQ(-128, back->GetInt(CVirtCtrlItem::Curve));
    EXPECT_EQ(0.0f, back->GetFloat(CVirtCtrlItem::Steps));
    EXPECT_EQ(0, back->GetInt(CVirtCtrlItem::Max));

    // Schema 1 stored nothing of its own.
    auto old = LoadTagged("CVirtCtrlItem", 1, StoreCommon(item));
    auto* oldItem = dynamic_cast<CVirtCtrlItem*>(old.get());
    ASSERT_NE(nullptr, oldItem);
    EXPECT_EQ(0.0f, oldItem->GetFloat(CVirtCtrlItem::Max));
    EXPECT_EQ(0, oldItem->GetInt(CVirtCtrlItem::Steps));
}

TEST(VirtCtrlItem, ListTexts)
{
    CVirtCtrlItem item;
    item.SetName("Pegel");
    item.SetFloat(CVirtCtrlItem::Max, 10.0f);
    item.SetInt(CVirtCtrlItem::Steps, 20);
    item.SetInt(CVirtCtrlItem::Curve, -5);
    std::vector<std::string> texts;
    EXPECT_EQ(7, item.GetListTexts(1, texts));
    EXPECT_EQ("Momentanwert", texts[4]);
    texts.clear();
    EXPECT_EQ(7, item.GetListTexts(0, texts));
    const std::vector<std::string> row = {"Pegel", "-1", "0.000000", "10.000000", "0.000000", "-5", "20"};
    EXPECT_EQ(row, texts);
    std::vector<ListColumn> cols;
    EXPECT_EQ(1, item.GetListColumns(cols));
    ASSERT_EQ(7u, cols.size());
    EXPECT_EQ(150, cols[6].xMm);
}

TEST(VirtCtrl, StoresTheLinkTablesWithInputsAndOutputsInterleaved)
{
    CVirtCtrl vc;
    for (int i = 1; i <= 16; ++i) {
        vc.SetLink(EP::Encoder, i, i);
        vc.SetLink(EP::AD, i, 16 + i);
        vc.SetLink(EP::DA, i, i + 2);
    }
    for (int i = 1; i <= 4; ++i) {
        vc.SetLink(EP::In, i, 10 + i);
        vc.SetLink(EP::Out, i, 20 + i);
        vc.SetLink(EP::Delay, i, 30 + i);
    }
    vc.SetLink(EP::Alarm, 1, 1);
    vc.SetLink(EP::Chime, 1, 2);
    vc.SetLink(EP::Message, 1, 3);
    vc.SetLink(EP::Monitor, 1, 4);
    vc.SetLink(EP::AmpChannel, 12, 7);
    vc.SetLink(EP::AmpChannel, 256, 40);
    vc.SetLink(EP::Controller, 5, 9);  // not stored

    Bytes own;
    for (int i = 1; i <= 16; ++i) own.push_back(static_cast<uint8_t>(i));
    for (int i = 1; i <= 16; ++i) own.push_back(static_cast<uint8_t>(16 + i));
    for (int i = 1; i <= 16; ++i) own.push_back(static_cast<uint8_t>(i + 2));
    for (int i = 1; i <= 4; ++i) {
        own.push_back(static_cast<uint8_t>(10 + i));
        own.push_back(static_cast<uint8_t>(20 + i));
    }
    for (uint8_t b : {1, 2, 3, 4}) own.push_back(b);
    for (int i = 1; i <= 256; ++i) own.push_back(i == 12 ? 7 : (i == 256 ? 40 : 0));
    for (int i = 1; i <= 4; ++i) own.push_back(static_cast<uint8_t>(30 + i));
    EXPECT_EQ(320u, own.size());
    EXPECT_EQ(own, StoreOwnData(vc));

    auto loaded = LoadTagged("CVirtCtrl", 3, StoreData(vc));
    auto* back = dynamic_cast<CVirtCtrl*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(13, back->GetLink(EP::In, 3));
    EXPECT_EQ(23, back->GetLink(EP::Out, 3));
    EXPECT_EQ(7, back->GetLink(EP::AmpChannel, 12));
    EXPECT_EQ(34, back->GetLink(EP::Delay, 4));
    EXPECT_EQ(4, back->GetLink(EP::Monitor, 1));
    EXPECT_EQ(0, back->GetLink(EP::Controller, 5));
}

TEST(VirtCtrl, SchemaOneBringsTheControllersBackAfterLoading)
{
    ActiveDoc d;
    CVirtCtrl proto;
    Bytes data = StoreCommon(proto);
    // The legacy name list: 40 names, two of them set.
    PutU16(data, 40);
    for (int i = 1; i <= 40; ++i)
        PutText(data, i == 2 ? "Saal" : (i == 40 ? "Foyer" : ""));
    for (int i = 1; i <= 40; ++i) {
        PutF32(data, i == 2 ? 1.0f : 0.0f);
        PutF32(data, i == 2 ? 9.0f : 0.0f);
        PutF32(data, i == 2 ? 4.5f : 0.0f);
        PutU16(data, i == 2 ? 60000 : 0);
        PutU32(data, i == 2 ? 0x12345680u : 0u);  // only the low byte counts: -128
        data.push_back(static_cast<uint8_t>(i == 2 ? 200 : 0));
    }
    for (int i = 0; i < 320; ++i)
        data.push_back(i == 48 ? 2 : 0);  // IN1 linked to controller 2

    auto loaded = LoadTagged("CVirtCtrl", 1, data);
    auto* vc = dynamic_cast<CVirtCtrl*>(loaded.release());
    ASSERT_NE(nullptr, vc);
    EXPECT_EQ(2, vc->GetLink(EP::In, 1));
    EXPECT_EQ(200, vc->GetLink(EP::Controller, 2));
    // Enter it into the document the way loading does.
    vc->m_pDocument = d.get();
    d.doc().AddObject(vc, CAT_AUDIO);
    ASSERT_EQ(1, vc->InitObject());
    EXPECT_EQ(vc, d.doc().LookupPath("/VIRTCTRL"));

    EXPECT_EQ(1, vc->PostLoad());
    auto* saal = dynamic_cast<CVirtCtrlItem*>(d.doc().GetIDManager().GetBaseDevice(2, OT_VIRT_CTRL_ITEM));
    ASSERT_NE(nullptr, saal);
    EXPECT_EQ("Saal", saal->GetName());
    EXPECT_EQ(1.0f, saal->GetFloat(CVirtCtrlItem::Min));
    EXPECT_EQ(9.0f, saal->GetFloat(CVirtCtrlItem::Max));
    EXPECT_EQ(4.5f, saal->GetFloat(CVirtCtrlItem::Value));
    EXPECT_EQ(60000, saal->GetInt(CVirtCtrlItem::Steps));
    EXPECT_EQ(-128, saal->GetInt(CVirtCtrlItem::Curve));
    EXPECT_EQ(200, saal->GetInt(CVirtCtrlItem::Link));
    EXPECT_EQ(CAT_AUDIO, saal->GetCategory());
    ASSERT_NE(nullptr, d.doc().GetIDManager().GetBaseDevice(40, OT_VIRT_CTRL_ITEM));
    EXPECT_EQ(nullptr, d.doc().GetIDManager().GetBaseDevice(1, OT_VIRT_CTRL_ITEM));
    EXPECT_EQ(2, d.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
}

TEST(VirtCtrl, CurrentSchemaMakesNoControllersAfterLoading)
{
    ActiveDoc d;
    CVirtCtrl* vc = MakeTable(d.get());
    vc->m_legacyNames[0] = "Alt";
    vc->m_loadedSchema = 3;
    vc->PostLoad();
    EXPECT_EQ(0, d.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
}

TEST(VirtCtrl, GetOrCreateItemAndClearLinks)
{
    ActiveDoc d;
    CVirtCtrl* vc = MakeTable(d.get());
    EXPECT_EQ(nullptr, vc->GetOrCreateItem(0));
    EXPECT_EQ(nullptr, vc->GetOrCreateItem(41));
    CVirtCtrlItem* seven = vc->GetOrCreateItem(7);
    ASSERT_NE(nullptr, seven);
    EXPECT_EQ("7 *", seven->GetName());
    EXPECT_EQ(7, seven->GetNumber());
    EXPECT_EQ(seven, vc->GetOrCreateItem(7));
    EXPECT_EQ(1, d.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));

    vc->SetLink(EP::AmpChannel, 12, 7);
    vc->SetLink(EP::Encoder, 1, 7);
    vc->SetLink(EP::Monitor, 1, 7);
    vc->SetLink(EP::Delay, 2, 3);
    vc->SetLink(EP::Controller, 4, 7);
    vc->SetLink(EP::Delay, 5, 7);  // outside the four delays: ignored
    vc->ClearLinksTo(7);
    EXPECT_EQ(0, vc->GetLink(EP::AmpChannel, 12));
    EXPECT_EQ(0, vc->GetLink(EP::Encoder, 1));
    EXPECT_EQ(0, vc->GetLink(EP::Monitor, 1));
    EXPECT_EQ(3, vc->GetLink(EP::Delay, 2));
    EXPECT_EQ(7, vc->GetLink(EP::Controller, 4));
    EXPECT_EQ(0, vc->GetLink(EP::Delay, 5));
}

TEST(VirtCtrl, EndpointTexts)
{
    ActiveDoc d;
    CVirtCtrl* vc = MakeTable(d.get());
    std::string name, ctrl;

    EXPECT_TRUE(vc->GetEndpointTexts(EP::In, 1, name, ctrl));
    EXPECT_EQ("IN2", name);
    EXPECT_EQ("", ctrl);
    vc->SetLink(EP::In, 2, 7);
    vc->GetEndpointTexts(EP::In, 1, name, ctrl);
    EXPECT_EQ("7 *", ctrl);
    vc->GetOrCreateItem(7)->SetName("Halle");
    vc->GetEndpointTexts(EP::In, 1, name, ctrl);
    EXPECT_EQ("Halle", ctrl);

    EXPECT_TRUE(vc->GetEndpointTexts(EP::Delay, 3, name, ctrl));
    EXPECT_EQ("DELAY4", name);
    EXPECT_FALSE(vc->GetEndpointTexts(EP::Delay, 4, name, ctrl));
    EXPECT_TRUE(vc->GetEndpointTexts(EP::Chime, 0, name, ctrl));
    EXPECT_EQ("Gong", name);
    EXPECT_TRUE(vc->GetEndpointTexts(EP::Message, 0, name, ctrl));
    EXPECT_EQ("Text", name);

    EXPECT_FALSE(vc->GetEndpointTexts(EP::Controller, 0, name, ctrl));
    EXPECT_TRUE(vc->GetEndpointTexts(EP::Controller, 6, name, ctrl));
    EXPECT_EQ("Halle", name);

    // Encoders 3 and 4 sit on the second LMZ752 card.
    EXPECT_FALSE(vc->GetEndpointTexts(EP::Encoder, 2, name, ctrl));
    EXPECT_EQ("Encoder 3", name);
    auto* card = new TestCard(OT_LMZ752);
    ASSERT_EQ(1, card->Create(34262, "LMZ752", 2, CAT_DIGITAL_SLOT, d.get()));
    d.doc().AddObject(card, CAT_DIGITAL_SLOT);
    EXPECT_TRUE(vc->GetEndpointTexts(EP::Encoder, 3, name, ctrl));
    EXPECT_FALSE(vc->GetEndpointTexts(EP::Encoder, 1, name, ctrl));

    // AD and DA channels are named after what the LMZ775 card links there.
    auto* lmz775 = new TestCard(OT_LMZ775);
    ASSERT_EQ(1, lmz775->Create(34263, "LMZ775", 1, CAT_DIGITAL_SLOT, d.get()));
    d.doc().AddObject(lmz775, CAT_DIGITAL_SLOT);
    auto* pad = new TestCard(OT_CONTROL_PAD);
    ASSERT_EQ(1, pad->Create(32848, "Fühler", 3, CAT_DIGITAL_IO, d.get()));
    d.doc().AddObject(pad, CAT_DIGITAL_IO);
    lmz775->LinkTo(2, pad, 0);
    lmz775->LinkTo(102, pad, 1);
    EXPECT_TRUE(vc->GetEndpointTexts(EP::AD, 2, name, ctrl));
    EXPECT_EQ("Fühler", name);
    EXPECT_TRUE(vc->GetEndpointTexts(EP::DA, 2, name, ctrl));
    EXPECT_FALSE(vc->GetEndpointTexts(EP::AD, 3, name, ctrl));
    EXPECT_FALSE(vc->GetEndpointTexts(EP::DA, 9, name, ctrl));
}
