#include <gtest/gtest.h>

#include "logic/CGlobalReadyInput.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
using G = CGlobalReadyInput;
const char* const kInitialTexts[18] = {
    "Text1", "Text2",   "Text3",   "Text4",    "Text5",       "amp #%u",          "Endstufe #%u",
    "QTB 8174 #%u", "amp", "Endstufe", "QTB8174", "HBE6631", "HBE6633", "HBE 6682", "Netzausfall",
    "Ladegerät/Batt.", "Lautsprechernetz", "Erdschluß",
};
}  // namespace

TEST(GlobalReadyInput, InitialValues)
{
    G g;
    EXPECT_EQ(40u, g.GetType());
    EXPECT_EQ("5.0", g.GetValue(G::MaskTime));
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(kInitialTexts[i], g.GetValue(G::MakeKey(G::FaultText, i))) << i;
    EXPECT_EQ("", g.GetValue(G::MakeKey(G::FaultText, 18)));
    EXPECT_EQ(18, G::GetValueCount(0));
    EXPECT_EQ(5, G::GetValueCount(3));
    EXPECT_EQ(0, G::GetValueCount(1));
    std::vector<std::string> texts;
    EXPECT_EQ(18, g.GetTextList(0, &texts));
    EXPECT_EQ("Erdschluß", texts.back());
    EXPECT_EQ(0, g.GetTextList(0, nullptr));
}

TEST(GlobalReadyInput, StoresMaskTimeAndFourteenTexts)
{
    G g;
    g.SetFloatValue(G::MaskTime, 2.5f);
    g.SetValue(G::MakeKey(G::FaultText, 0), "Tür offen");
    g.SetValue(G::MakeKey(G::FaultText, 15), "nicht gespeichert");
    Bytes own;
    PutF32(own, 2.5f);
    PutText(own, "T\xFCr offen");  // Windows-1252 in the file
    for (int i = 1; i < 14; ++i)
        PutText(own, kInitialTexts[i]);
    EXPECT_EQ(own, StoreOwnData(g));

    auto loaded = LoadTagged("CGlobalReadyInput", 3, StoreData(g));
    auto* back = dynamic_cast<G*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ("2.5", back->GetValue(G::MaskTime));
    EXPECT_EQ("Tür offen", back->GetValue(G::MakeKey(G::FaultText, 0)));
    // Texts 15..18 are never stored.
    EXPECT_EQ("Netzausfall", back->GetValue(G::MakeKey(G::FaultText, 14)));
    EXPECT_EQ("Ladegerät/Batt.", back->GetValue(G::MakeKey(G::FaultText, 15)));
}

TEST(GlobalReadyInput, OlderSchemas)
{
    G proto;
    // Schema 1: five texts only.
    Bytes v1 = StoreCommon(proto);
    PutF32(v1, 7.0f);
    for (const char* t : {"a", "b", "c", "d", "e"})
        PutText(v1, t);
    auto l1 = LoadTagged("CGlobalReadyInput", 1, v1);
    auto* g1 = dynamic_cast<G*>(l1.get());
    ASSERT_NE(nullptr, g1);
    EXPECT_EQ("7.0", g1->GetValue(G::MaskTime));
    EXPECT_EQ("e", g1->GetValue(G::MakeKey(G::FaultText, 4)));
    for (int i = 5; i < 18; ++i)
        EXPECT_EQ(kInitialTexts[i], g1->GetValue(G::MakeKey(G::FaultText, i))) << i;

    // Schema 2: fourteen texts, then 12..14 take the older spellings.
    Bytes v2 = StoreCommon(proto);
    PutF32(v2, 1.0f);
    for (int i = 0; i < 14; ++i)
        PutText(v2, "x" + std::to_string(i));
    auto l2 = LoadTagged("CGlobalReadyInput", 2, v2);
    auto* g2 = dynamic_cast<G*>(l2.get());
    ASSERT_NE(nullptr, g2);
    EXPECT_EQ("x10", g2->GetValue(G::MakeKey(G::FaultText, 10)));
    EXPECT_EQ("HBE6631", g2->GetValue(G::MakeKey(G::FaultText, 11)));
    EXPECT_EQ("HBE6633", g2->GetValue(G::MakeKey(G::FaultText, 12)));
    EXPECT_EQ("HBE6682", g2->GetValue(G::MakeKey(G::FaultText, 13)));
}

TEST(GlobalReadyInput, MaskTimeTexts)
{
    G g;
    g.SetValue(G::MaskTime, "30");
    EXPECT_EQ("25.0", g.GetValue(G::MaskTime));
    g.SetValue(G::MaskTime, "-1");
    EXPECT_EQ("0.0", g.GetValue(G::MaskTime));
    g.SetValue(G::MaskTime, "25");
    EXPECT_EQ("25.0", g.GetValue(G::MaskTime));
    g.SetValue(G::MaskTime, "x");
    EXPECT_EQ("25.0", g.GetValue(G::MaskTime));
    g.SetValue(G::MaskTime, "3.25");
    EXPECT_EQ(3.25f, g.m_maskTime);
    g.SetFloatValue(G::FaultText, 9.0f);
    EXPECT_EQ(3.25f, g.m_maskTime);
    // A fault-text index beyond the 18 texts writes nothing.
    g.SetValue(G::MakeKey(G::FaultText, 18), "over");
    g.SetValue(G::MakeKey(G::FaultText, 0xFFFF), "over");
    std::vector<std::string> texts;
    g.GetTextList(0, &texts);
    for (const std::string& t : texts)
        EXPECT_NE("over", t);
}
