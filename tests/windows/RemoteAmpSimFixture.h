#pragma once
// A document with the central device and one amplifier at address 1f, made the
// active document, and the device simulator ready to be started on the link.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "comm/CommTestSupport.h"
#include "hardware/CAmplifier.h"
#include "hardware/CInfoSlot.h"

class RemoteAmpSimFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetTitle("Halle");
        doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        auto* info = new CInfoSlot;
        ASSERT_EQ(1, info->Create(1, 1, 1, "KVT 7000", 0, 0, 230, 36, CAT_INFO, 0, 0, &doc));
        doc.AddObject(info, CAT_INFO);
        amp = new CAmplifier;
        ASSERT_EQ(1, amp->Create(33074, 4, 4, nullptr, 0, 0, 0, 0, CAT_AMPLIFIER, 0, 0, &doc));
        doc.AddObject(amp, CAT_AMPLIFIER);
        amp->SetAddress(0x1f);
        previousHook = SetActiveDocHook([this] { return &doc; });
        hooked = true;
        // The dialog's exchanges are checked block by block: the device takes
        // each block whole (at the line rate it answers the first query of a
        // block before it has read the rest).
        sim.lineRate = false;
    }

    void TearDown() override
    {
        if (hooked)
            SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(commtest::kPort, {});
    }

    // Private settings with no port chosen, before anything else is made.
    struct Profiles {
        Profiles()
        {
            serialtest::UsePrivateSettings();
            commtest::SetProfile(QStringLiteral("COMSECTION/PORT"), {});
            commtest::SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
            commtest::SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        }
    } profiles;
    QTemporaryDir dir;
    commtest::Simulator sim;
    CQuillomerDoc doc;
    CAmplifier* amp = nullptr;  // owned by doc
    ActiveDocHook previousHook;
    bool hooked = false;
    commtest::TestHost host;
    commtest::Messages messages;
};
