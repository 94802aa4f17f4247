// The panes of the virtual-controller window without the window: links made
// by dropping a controller, removed links, deleted controllers.
#include <gtest/gtest.h>

#include "logic/CDesignerView.h"
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;
using namespace virtctrl;
using EP = CVirtCtrl::Endpoint;

namespace {
class TestCard : public CBaseDevice {
public:
    explicit TestCard(uint32_t type) { m_type = type; }
};

struct Fixture : BlockHarness {
    CVirtCtrl* vc = Add<CVirtCtrl>(CVirtCtrl::kKindId, CAT_AUDIO);

    CVirtCtrlItem* Controller(int n, const std::string& name)
    {
        CVirtCtrlItem* item = vc->GetOrCreateItem(n);
        std::string unique = name;
        item->SetNameUnique(unique, false);
        return item;
    }
    void AddCard(uint32_t type, int number)
    {
        auto* card = new TestCard(type);
        ASSERT_EQ(1, card->Create(34262, "card", number, CAT_DIGITAL_SLOT, &doc()));
        doc().AddObject(card, CAT_DIGITAL_SLOT);
    }
    static int RowOf(const CDesignerView& pane, int image, int index)
    {
        const auto& rows = pane.GetRows();
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].image == image && rows[r].index == index)
                return static_cast<int>(r);
        return -1;
    }
    static VcDragPayload Drag(int n)
    {
        VcDragPayload p;
        p.controller = n;
        return *VcDragPayload::FromBytes(p.ToBytes());
    }
};
}  // namespace

TEST(DesignerPane, DroppingAControllerLinksTheSelectedRow)
{
    Fixture f;
    f.Controller(5, "Pegel");
    f.AddCard(OT_LMZ752, 2);  // encoders 3 and 4
    CDesignerView sources(&f.doc());
    sources.FillSourceList();
    const int enc3 = Fixture::RowOf(sources, RowEncoder, 2);
    ASSERT_GE(enc3, 0);
    EXPECT_EQ(-1, Fixture::RowOf(sources, RowEncoder, 0));  // no first card

    sources.SelectRow(-1);
    EXPECT_FALSE(sources.ApplyLink(Fixture::Drag(5)));
    sources.SelectRow(enc3);
    EXPECT_TRUE(sources.ApplyLink(Fixture::Drag(5)));
    EXPECT_EQ(5, f.vc->GetLink(EP::Encoder, 3));
    EXPECT_EQ("Pegel", sources.GetRows()[enc3].controllerText);
    EXPECT_EQ(enc3, sources.GetSelectedRow());

    EXPECT_TRUE(sources.RemoveLink(enc3));
    EXPECT_EQ(0, f.vc->GetLink(EP::Encoder, 3));
    EXPECT_EQ("", sources.GetRows()[enc3].controllerText);

    // Dropped on the controller pane, the controller makes a new one.
    CDesignerView controllers(&f.doc());
    controllers.FillControllerList();
    EXPECT_TRUE(controllers.ApplyLink(Fixture::Drag(5)));
    EXPECT_EQ(2, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
}

TEST(DesignerPane, PayloadOfOtherDataIsRefused)
{
    VcDragPayload p;
    p.controller = 3;
    std::string bytes = p.ToBytes();
    EXPECT_EQ(12u, bytes.size());
    EXPECT_EQ(3, VcDragPayload::FromBytes(bytes)->controller);
    EXPECT_FALSE(VcDragPayload::FromBytes(bytes.substr(0, 8)));
    bytes[4] = 5;  // not a controller row
    EXPECT_FALSE(VcDragPayload::FromBytes(bytes));
}

TEST(DesignerPane, AControllerAnUploadFreedLeavesItsRowInert)
{
    Fixture f;
    f.Controller(6, "Sechs");
    f.Controller(7, "Sieben");
    CDesignerView controllers(&f.doc());
    controllers.FillControllerList();
    controllers.SelectRow(1);
    // The device's free list: every controller but 6 is free, so 7 goes.
    f.Answer("/VIRTCTRL/CLEAR 1-5,7-40");
    ASSERT_EQ(nullptr, f.doc().GetIDManager().GetBaseDevice(7, OT_VIRT_CTRL_ITEM));
    ASSERT_EQ(2u, controllers.GetRows().size());
    EXPECT_EQ(nullptr, controllers.ControllerAt(1));
    EXPECT_FALSE(controllers.DeleteController());
    ASSERT_NE(nullptr, controllers.ControllerAt(0));
    EXPECT_EQ(6, controllers.ControllerAt(0)->GetNumber());
    controllers.FillControllerList();
    EXPECT_EQ(1u, controllers.GetRows().size());
}

TEST(DesignerPane, DeletingAControllerClearsItsLinks)
{
    Fixture f;
    f.Controller(6, "Sechs");
    f.Controller(7, "Sieben");
    f.Controller(8, "Acht");
    f.vc->SetLink(EP::Encoder, 1, 7);
    f.vc->SetLink(EP::AmpChannel, 12, 7);
    f.vc->SetLink(EP::Delay, 4, 7);
    f.vc->SetLink(EP::In, 2, 6);
    f.vc->SetLink(EP::Controller, 6, 7);

    CDesignerView controllers(&f.doc());
    controllers.FillControllerList();
    controllers.SelectRow(1);
    ASSERT_EQ(7, controllers.GetRows()[1].controller);
    ASSERT_EQ(7, controllers.ControllerAt(1)->GetNumber());
    EXPECT_TRUE(controllers.DeleteController());
    EXPECT_EQ(nullptr, f.doc().GetIDManager().GetBaseDevice(7, OT_VIRT_CTRL_ITEM));
    for (EP kind : {EP::Encoder, EP::AmpChannel, EP::Delay})
        EXPECT_EQ(0, f.vc->GetLink(kind, kind == EP::Encoder ? 1 : kind == EP::Delay ? 4 : 12));
    EXPECT_EQ(6, f.vc->GetLink(EP::In, 2));
    // The row below becomes the selected controller.
    controllers.FillControllerList();
    EXPECT_EQ(8, controllers.ControllerAt(controllers.GetSelectedRow())->GetNumber());

    // A controller source still driving 7 shows it as missing.
    CDesignerView sources(&f.doc());
    sources.FillSourceList();
    const int vc6 = Fixture::RowOf(sources, RowController, 5);
    ASSERT_GE(vc6, 0);
    EXPECT_EQ("7 *", sources.GetRows()[vc6].controllerText);
}

TEST(DesignerPane, LinkedDestinationWithoutItsCardStaysListed)
{
    Fixture f;
    f.Controller(2, "Zwei");
    f.vc->SetLink(EP::DA, 3, 2);
    CDesignerView dest(&f.doc());
    dest.FillDestinationList();
    const int da3 = Fixture::RowOf(dest, RowDA, 2);
    ASSERT_GE(da3, 0);
    EXPECT_EQ("DA3 *", dest.GetRows()[da3].text);
    EXPECT_EQ("Zwei", dest.GetRows()[da3].controllerText);
    EXPECT_EQ(-1, Fixture::RowOf(dest, RowDA, 0));
    // 4 inputs, 4 outputs, 4 single ones, 256 amplifier channels, 4 delays, DA3.
    EXPECT_EQ(4u + 4 + 4 + 256 + 4 + 1, dest.GetRows().size());
}

TEST(DesignerPane, ControllerTipAlignsTheValues)
{
    Fixture f;
    CVirtCtrlItem* item = f.Controller(1, "Eins");
    item->SetFloat(CVirtCtrlItem::Max, 10.0f);
    item->SetInt(CVirtCtrlItem::Curve, -5);
    const std::string tip =
        CDesignerView::ControllerTip(*item, [](const std::string& s) { return static_cast<int>(s.size()); });
    EXPECT_EQ("Min       0.00\nMax       10.00\nVal       0.00\nSteps     0\nCurve     -5\nLink      0", tip);
}
