// Signals: stored form of each signal class, older message-signal files, the
// priority and message-number values, and the macro numbers of a signal.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CAlarmSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CInternalMessageSignal.h"
#include "audio/CMessageSignal.h"

using namespace audiotest;

TEST(AudioSignal, ConstructorsSetTypeAndDefaults)
{
    CAudioSignal base;
    CAlarmSignal alarm;
    CChimeSignal chime;
    CMessageSignal message;
    CInternalMessageSignal internal;
    EXPECT_EQ(base.GetType(), 26u);
    EXPECT_EQ(alarm.GetType(), 28u);
    EXPECT_EQ(chime.GetType(), 29u);
    EXPECT_EQ(message.GetType(), 30u);
    EXPECT_EQ(internal.GetType(), 60u);
    for (const CAudioSignal* s : {&base, static_cast<CAudioSignal*>(&alarm), static_cast<CAudioSignal*>(&message)}) {
        EXPECT_EQ(s->GetPriority(), 1);
        EXPECT_EQ(s->GetMessageNumber(), 0);
    }
}

TEST(AudioSignal, AlarmSignalStoredBytes)
{
    CAlarmSignal sig;
    SetIdentity(sig, 32822, "Alarm 3", 16, 3);
    ASSERT_TRUE(sig.SetValue(1, "9"));
    const auto expected = Bytes().ClassTag("CAlarmSignal", 1).Common(32822, "Alarm 3", 16, 3).I32(9).Get();
    EXPECT_EQ(Store(sig), expected);

    auto loaded = Load<CAlarmSignal>(expected);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPriority(), 9);
    EXPECT_EQ(loaded->GetName(), "Alarm 3");
    EXPECT_EQ(loaded->GetNumber(), 3);
    EXPECT_EQ(loaded->GetKindId(), 32822u);
    EXPECT_EQ(loaded->GetType(), 28u);
}

TEST(AudioSignal, ChimeInternalAndBaseSignalsStoreOnlyThePriority)
{
    CChimeSignal chime;
    SetIdentity(chime, 32823, "Gong 2", 16, 2);
    chime.SetValue(1, "7");
    EXPECT_EQ(Store(chime), Bytes().ClassTag("CChimeSignal", 1).Common(32823, "Gong 2", 16, 2).I32(7).Get());

    // The message number of a non-message signal is not part of its record.
    CInternalMessageSignal internal;
    SetIdentity(internal, 34538, "Text 1", 16, 1);
    internal.SetValue(1, "4");
    internal.SetValue(2, "12");
    const auto internalBytes = Bytes().ClassTag("CInternalMessageSignal", 1).Common(34538, "Text 1", 16, 1).I32(4).Get();
    EXPECT_EQ(Store(internal), internalBytes);
    auto loadedInternal = Load<CInternalMessageSignal>(internalBytes);
    ASSERT_TRUE(loadedInternal);
    EXPECT_EQ(loadedInternal->GetPriority(), 4);
    EXPECT_EQ(loadedInternal->GetMessageNumber(), 0);

    CAudioSignal base;
    SetIdentity(base, 0, "S", 16, 5);
    base.SetValue(1, "3");
    const auto baseBytes = Bytes().ClassTag("CAudioSignal", 2).Common(0, "S", 16, 5).I32(3).Get();
    EXPECT_EQ(Store(base), baseBytes);
    auto loadedBase = Load<CAudioSignal>(baseBytes);
    ASSERT_TRUE(loadedBase);
    EXPECT_EQ(loadedBase->GetPriority(), 3);
    EXPECT_EQ(loadedBase->GetType(), 26u);
}

TEST(AudioSignal, MessageSignalStoresItsMessageNumber)
{
    CMessageSignal sig;
    SetIdentity(sig, 32824, "Text 4", 16, 4);
    sig.SetValue(1, "6");
    sig.SetValue(2, "17");
    const auto expected = Bytes().ClassTag("CMessageSignal", 2).Common(32824, "Text 4", 16, 4).I32(6).I32(17).Get();
    EXPECT_EQ(Store(sig), expected);
    auto loaded = Load<CMessageSignal>(expected);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPriority(), 6);
    EXPECT_EQ(loaded->GetMessageNumber(), 17);
}

TEST(AudioSignal, MessageSignalOfSchemaOneHasNoMessageNumber)
{
    // Schema 1 ends after the priority; the loader must not read further.
    const auto old = Bytes().ClassTag("CMessageSignal", 1).Common(32824, "Text 1", 16, 1).I32(5).Get();
    auto loaded = Load<CMessageSignal>(old);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPriority(), 5);
    EXPECT_EQ(loaded->GetMessageNumber(), 0);
    // Saving it again writes the current schema with the number.
    EXPECT_EQ(Store(*loaded), Bytes().ClassTag("CMessageSignal", 2).Common(32824, "Text 1", 16, 1).I32(5).I32(0).Get());
}

TEST(AudioSignal, PriorityOfTheEditorKindsStaysInOneToTen)
{
    for (uint32_t kind : {32822u, 32823u, 32824u}) {
        CAudioSignal sig;
        sig.m_kindId = kind;
        for (const char* bad : {"0", "11", "x", "-3", "", "99999999999"}) {
            sig.SetValue(1, "5");
            EXPECT_TRUE(sig.SetValue(1, bad));
            EXPECT_EQ(sig.GetPriority(), 1) << "kind " << kind << " text '" << bad << "'";
        }
        sig.SetValue(1, "10");
        EXPECT_EQ(sig.GetPriority(), 10);
        sig.SetValue(1, " 7abc");
        EXPECT_EQ(sig.GetPriority(), 7);
    }
    // Other kinds take the number as it is.
    CAudioSignal internal;
    internal.m_kindId = 34538;
    internal.SetValue(1, "11");
    EXPECT_EQ(internal.GetPriority(), 11);
    internal.SetValue(1, "x");
    EXPECT_EQ(internal.GetPriority(), 0);
}

TEST(AudioSignal, MessageNumberAndOtherKeys)
{
    CMessageSignal sig;
    sig.m_kindId = 32824;
    EXPECT_TRUE(sig.SetValue(2, "17"));
    EXPECT_EQ(sig.GetValue(2), "17");
    EXPECT_TRUE(sig.SetValue(2, "abc"));
    EXPECT_EQ(sig.GetMessageNumber(), 0);
    EXPECT_TRUE(sig.SetValue(2, "  -4x"));
    EXPECT_EQ(sig.GetMessageNumber(), -4);

    sig.SetValue(1, "8");
    EXPECT_FALSE(sig.SetValue(3, "2"));
    EXPECT_FALSE(sig.SetValue(0, "2"));
    EXPECT_EQ(sig.GetPriority(), 8);
    EXPECT_EQ(sig.GetValue(1), "8");
    EXPECT_EQ(sig.GetValue(1 | (5u << 16)), "8");  // only the low 16 bits select
    EXPECT_EQ(sig.GetValue(3), "");
    EXPECT_EQ(sig.GetValue(0), "");
}

TEST(AudioSignal, MacroNumbersComeFromMacroLinksAtKeysZeroAndOne)
{
    CAlarmSignal sig;
    sig.m_category = 16;
    CBaseDevice notMacro, start, stop;
    notMacro.m_category = 12;
    notMacro.m_number = 4;
    start.m_category = 15;
    start.m_number = 12;
    stop.m_category = 15;
    stop.m_number = 30;
    EXPECT_EQ(sig.GetMacroNumber(0), -1);
    EXPECT_EQ(sig.GetMacroNumber(1), -1);

    sig.AddOutLink(&sig, 0, &notMacro, 0, 12);
    EXPECT_EQ(sig.GetMacroNumber(0), -1);
    sig.AddOutLink(&sig, 0, &start, 0, 15);
    sig.AddOutLink(&sig, 1, &stop, 0, 15);
    EXPECT_EQ(sig.GetMacroNumber(0), 12);
    EXPECT_EQ(sig.GetMacroNumber(1), 30);
    EXPECT_EQ(sig.GetMacroNumber(2), -1);
}

TEST(AudioSignal, ChimeSignalHasNoDownloadSteps)
{
    CChimeSignal chime;
    for (int mode : {0, 1}) {
        EXPECT_EQ(chime.GetDownloadLines(mode, -1), 0);
        EXPECT_EQ(chime.GetDownloadLines(mode, 0), 0);
        EXPECT_EQ(chime.GetDownloadLines(mode, 2), 0);
    }
}
