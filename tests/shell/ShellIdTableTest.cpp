// The one string table of the whole program: each id has one text, and the
// printed macro blocks carry their own titles.
#include <gtest/gtest.h>

#include "macros/MacroIds.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "shell/CPrintBlock.h"

namespace {
constexpr uint32_t kProbeId = 99990;  // no id of the program
}

TEST(IdTable, EveryLinkedRegistrationGivesAnIdOneText)
{
    // This program links every folder, so every QL_STRING_TABLE block has run.
    for (const StringConflict& c : StringTableConflicts())
        if (c.id != kProbeId)
            ADD_FAILURE() << "string id " << c.id << ": \"" << c.kept << "\" and \"" << c.rejected << "\"";
}

TEST(IdTable, ADifferentTextForAKnownIdIsRecordedAndTheFirstStays)
{
    const size_t before = StringTableConflicts().size();
    RegisterStrings({{kProbeId, "Erster"}});
    RegisterStrings({{kProbeId, "Erster"}});
    EXPECT_EQ(StringTableConflicts().size(), before);
    RegisterStrings({{kProbeId, "Zweiter"}});
    ASSERT_EQ(StringTableConflicts().size(), before + 1);
    EXPECT_EQ(StringTableConflicts().back().rejected, "Zweiter");
    EXPECT_EQ(LoadGermanString(kProbeId), "Erster");
}

TEST(IdTable, PrintedMacroBlocksHaveTheirListTitlesAndTypesKeepTheirNames)
{
    const std::pair<uint32_t, const char*> titles[] = {
        {macrotype::Background, "Programmzuteilungen"}, {macrotype::Page, "Durchsagen"},
        {macrotype::Chime, "Gongsignale"},               {macrotype::Alarm, "Alarme"},
        {macrotype::LogicOut, "Logikausgänge"},          {macrotype::Volume, "Lautstärkesteller"},
        {macrotype::Monitor, "Monitor-Umschalter"},      {macrotype::AuxSelect, "AUX-Umschalter"},
        {macrotype::LcdText, "LCD-Textausgaben"},        {macrotype::Sequence, "Sequenzen"},
        {macrotype::Message, "Textdurchsagen"},          {macrotype::MemoFlag, "Memo-Flags"},
        {macrotype::Power, "Betriebsspannungen"},        {macrotype::VirtCtrl, "Virtuelle Controller"},
        {macrotype::Stop, "Stop Makro"},                 {macrotype::Amp, "Verstärkerversorgung"},
        {macrotype::AmpMute, "Verstärkerstummschaltung"},
    };
    for (const auto& [type, title] : titles)
        EXPECT_EQ(CPrintBlock::Title(OT_MACRO, type).toStdString(), title) << type;
    EXPECT_EQ(LoadGermanString(macrotype::Alarm), "Alarm");
    EXPECT_EQ(LoadGermanString(macrotype::Message), "Textwiedergabe");
    EXPECT_EQ(LoadGermanString(macrotype::Monitor), "Monitor");
}
