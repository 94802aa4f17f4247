// The service windows without a device: what the fault window shows for the
// project's device variant.

#include <gtest/gtest.h>

#include <QCheckBox>

#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFaultDlgView.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
constexpr int kLineMeasure = 9;   // "Linienmessfehler"
constexpr int kLineGround = 10;   // "Linienerdschluß"
}  // namespace

TEST(FaultWindow, LineTestSourcesShowForEveryUpgradedVariant)
{
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    for (int variant : {0, 1, 2}) {
        d.doc().m_data.deviceVariant = variant;
        CFaultDlgFrm frame;
        CFaultDlgView* view = frame.GetView();
        EXPECT_EQ(variant != 0, view->GetSourceBox(kLineMeasure)->isVisibleTo(view)) << variant;
        EXPECT_EQ(variant != 0, view->GetSourceBox(kLineGround)->isVisibleTo(view)) << variant;
        EXPECT_TRUE(view->GetSourceBox(kLineMeasure - 1)->isVisibleTo(view)) << variant;
    }
}
