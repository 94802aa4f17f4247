// The shared commands of the feature window frames.
#include <gtest/gtest.h>

#include <QApplication>

#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"

using namespace blocktest;

TEST(FeatureFrm, ServiceFormRefusesWindowsTheProjectCannotRun)
{
    ActiveDoc d;
    MessageLog messages;
    d.doc().m_data.deviceVariant = 0;
    CObjectDlg host(d.get(), 21);
    auto* frame = new CFeatureFrm(CFeatureFrm::Form::Service, &host);
    EXPECT_TRUE(frame->OnCommand(33164));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("In dieser Geräteversion nicht möglich!", messages.texts[0]);
    d.doc().m_data.deviceVariant = 1;
    EXPECT_TRUE(CFeatureFrm::DeviceVersionAllows());

    // Fuses switch at once; the host takes the posted command after this handler.
    EXPECT_TRUE(frame->OnCommand(33159));
    EXPECT_EQ(0, host.GetShownKind());
    QApplication::processEvents();
    EXPECT_EQ(21, host.GetShownKind());
    // An edit-window command is no switch in a service frame.
    auto* service = new CFeatureFrm(CFeatureFrm::Form::Service, &host);
    EXPECT_FALSE(service->OnCommand(32993));
}

TEST(FeatureFrm, SaveDeviceSettingsIsHandledInEveryFrame)
{
    ActiveDoc d;
    CFeatureFrm edit(CFeatureFrm::Form::Edit);
    EXPECT_TRUE(edit.OnCommand(CFeatureFrm::kSaveDeviceSettings));
    EXPECT_TRUE(edit.OnCommand(CFeatureFrm::kSave));
    EXPECT_FALSE(edit.OnCommand(33159));
    EXPECT_EQ("Makro Einträge editieren", edit.GetAction(32993)->toolTip().toStdString());
}
