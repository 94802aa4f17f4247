// Object selection dialog over the program's own object classes: macros,
// zones and amplifiers, the lists their classes supply, and range results
// over the whole number range of each kind.
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"

#include "hardware/CAmplifier.h"
#include "logic/CCondition.h"
#include "logic/CReadyInput.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "paging/CZone.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {
class SelectionKindsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().remove(CResizableDialog::PlacementKey(498));
        old = SetActiveDocHook([this] { return &doc; });
    }
    void TearDown() override
    {
        for (auto& o : objects)
            doc.GetIDManager().RemoveID(o.get(), o->m_type, o->m_number);
        SetActiveDocHook(old);
        QSettings().remove(CResizableDialog::PlacementKey(498));
    }
    template <class T>
    T* Add(int number, const std::string& name)
    {
        auto o = std::make_unique<T>();
        o->m_number = number;
        o->m_name = name;
        T* raw = o.get();
        doc.GetIDManager().AddID(raw, raw->m_type, number);
        objects.push_back(std::move(o));
        return raw;
    }
    void AddMacros(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            Add<CMacro>(n, "Makro " + std::to_string(n));
    }
    CAmplifier* AddRemoteAmp(int number, int address)
    {
        CAmplifier* amp = Add<CAmplifier>(number, "V" + std::to_string(number));
        amp->m_kindId = 33074;  // remote, four channels
        amp->SetAddress(address);
        return amp;
    }
    static void Open(CSelectionDlg& dlg)
    {
        dlg.show();
        QApplication::processEvents();
    }
    static QList<int> Selected(CSelectionDlg& dlg)
    {
        QList<int> rows;
        dlg.List()->GetSelectedItems(&rows);
        return rows;
    }
    static void Choose(CSelectionDlg& dlg, const QList<int>& rows)
    {
        dlg.List()->clearSelection();
        for (int r : rows)
            dlg.List()->Row(r)->setSelected(true);
    }
    // Parses a decimal range text back into its numbers.
    static std::vector<int> Numbers(const QString& text, unsigned max = kNumberSetBits)
    {
        NumberSet set{};
        EXPECT_TRUE(ParseRanges(set, max, text.toStdString())) << text.toStdString();
        std::vector<int> out;
        for (unsigned p = 0; p < max; ++p)
            if (TestBit(set, p))
                out.push_back(static_cast<int>(p + 1));
        return out;
    }

    CQuillomerDoc doc;
    ActiveDocHook old;
    std::vector<std::unique_ptr<CBaseDevice>> objects;
};
}  // namespace

TEST_F(SelectionKindsTest, MacroRangesCoverNumbersUpTo250)
{
    for (int n = 1; n <= 250; ++n)
        Add<CMacro>(n, "M" + std::to_string(n));
    CSelectionDlg dlg;
    dlg.m_nKind = 34591;
    dlg.m_bMultiple = true;
    dlg.SetSelection("1-3,5,250");
    Open(dlg);
    ASSERT_EQ(dlg.List()->GetItemCount(), 251);
    EXPECT_EQ(Selected(dlg), (QList<int>{1, 2, 3, 5, 250}));
    // Every second macro: a long text that must not be cut short.
    QList<int> odd;
    std::vector<int> expected;
    for (int n = 1; n <= 250; n += 2) {
        odd.append(n);
        expected.push_back(n);
    }
    odd.append(250);
    expected.push_back(250);
    Choose(dlg, odd);
    dlg.accept();
    EXPECT_FALSE(dlg.GetSelection().contains("..."));
    EXPECT_EQ(Numbers(dlg.GetSelection()), expected);
    EXPECT_EQ(dlg.m_nResultNumber, 1);

    // All but one macro: the last number is still there.
    CSelectionDlg most;
    most.m_nKind = 34591;
    most.m_bMultiple = true;
    Open(most);
    QList<int> rows;
    for (int r = 2; r <= 250; ++r)
        rows.append(r);
    Choose(most, rows);
    most.accept();
    EXPECT_EQ(most.GetSelection(), "2-250");
    EXPECT_EQ(most.m_nResultNumber, 2);
}

TEST_F(SelectionKindsTest, MacroPreselectionFollowsNumbersAcrossGaps)
{
    AddMacros({1, 2, 5, 9});  // macros 3, 4, 6..8 were deleted
    CSelectionDlg dlg;
    dlg.m_nKind = 34591;
    dlg.m_bMultiple = true;
    dlg.SetSelection("3,5,9");
    Open(dlg);
    // Rows: none, 1, 2, 5, 9. Number 3 has no macro; 5 and 9 are found.
    EXPECT_EQ(Selected(dlg), (QList<int>{3, 4}));
    dlg.accept();
    EXPECT_EQ(dlg.GetSelection(), "5,9");
    EXPECT_EQ(dlg.m_nResultNumber, 5);

    CSelectionDlg all;
    all.m_nKind = 34591;
    all.m_bMultiple = true;
    all.SetSelection("Alle");
    Open(all);
    EXPECT_EQ(Selected(all), (QList<int>{1, 2, 3, 4}));
    all.accept();
    EXPECT_EQ(all.GetSelection(), "Alle");
    EXPECT_EQ(all.m_nResultNumber, 0);

    CSelectionDlg none;
    none.m_nKind = 34591;
    none.m_bMultiple = true;
    none.SetSelection("Kein Eintrag");
    Open(none);
    EXPECT_EQ(Selected(none), (QList<int>{0}));
    none.accept();
    EXPECT_EQ(none.GetSelection(), "Kein Eintrag");
}

TEST_F(SelectionKindsTest, SingleMacroAndGetSelectedNumbersText)
{
    for (int n = 1; n <= 250; ++n)
        Add<CMacro>(n, "M" + std::to_string(n));
    CSelectionDlg dlg;
    dlg.m_nKind = 32806;
    dlg.SetSelection("m250");
    Open(dlg);
    EXPECT_EQ(Selected(dlg), (QList<int>{250}));
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultType, static_cast<int>(OT_MACRO));
    EXPECT_EQ(dlg.m_nResultNumber, 250);
    EXPECT_EQ(dlg.GetSelection(), "M250");

    // The range text of the objects of selected rows keeps the top numbers.
    CSelectionDlg multi;
    multi.m_nKind = 32806;
    multi.m_bMultiple = true;
    Open(multi);
    Choose(multi, {1, 152, 153, 200, 249, 250});
    QList<int> rows;
    multi.List()->GetSelectedItems(&rows);
    std::vector<int> numbers;
    for (int r : rows)
        numbers.push_back(reinterpret_cast<CBaseDevice*>(multi.RowValue(r))->GetNumber());
    EXPECT_EQ(GetSelectedNumbersText(numbers), "1,152-153,200,249-250");
    // And every channel number up to 255.
    std::vector<int> channels;
    for (int n = 1; n <= 255; n += 2)
        channels.push_back(n);
    const std::string text = GetSelectedNumbersText(channels);
    EXPECT_EQ(text.find("..."), std::string::npos);
    EXPECT_EQ(Numbers(QString::fromStdString(text)), channels);
}

TEST_F(SelectionKindsTest, AmplifierChannelRangesCoverAll255AndExtraRows)
{
    CSelectionDlg dlg;
    dlg.m_nKind = 34488;
    dlg.m_bMultiple = true;
    dlg.SetSelection("1-3,255,1000");
    Open(dlg);
    ASSERT_EQ(dlg.List()->GetItemCount(), 1 + 255 + 1);
    EXPECT_EQ(Selected(dlg), (QList<int>{1, 2, 3, 255}));
    EXPECT_EQ(dlg.List()->GetItemText(256, 0), "1000 *");
    EXPECT_EQ(dlg.List()->GetItemText(256, 1), "1000");
    // Every second channel and the extra row: nothing chosen is lost.
    QList<int> rows;
    std::vector<int> expected;
    for (int n = 1; n <= 255; n += 2) {
        rows.append(n);
        expected.push_back(n);
    }
    rows.append(256);
    expected.push_back(1000);
    Choose(dlg, rows);
    dlg.accept();
    EXPECT_FALSE(dlg.GetSelection().contains("..."));
    EXPECT_EQ(Numbers(dlg.GetSelection()), expected);
    EXPECT_EQ(dlg.m_nResultNumber, 1);

    CSelectionDlg all;
    all.m_nKind = 34488;
    all.m_bMultiple = true;
    all.SetSelection("Alle");
    Open(all);
    EXPECT_FALSE(all.List()->IsItemSelected(0));
    EXPECT_EQ(Selected(all).size(), 255);
    all.accept();
    EXPECT_EQ(all.GetSelection(), "Alle");
}

TEST_F(SelectionKindsTest, AmplifierRowsFromRealAmplifiers)
{
    AddRemoteAmp(1, 0x12);
    CAmplifier* second = AddRemoteAmp(2, 0x05);
    {
        // Channel rows follow the bus addresses.
        CSelectionDlg dlg;
        dlg.m_nKind = 34370;
        Open(dlg);
        ASSERT_EQ(dlg.List()->GetItemCount(), 1 + 8);
        EXPECT_EQ(dlg.List()->GetItemText(1, 0), "V2 - 1");
        EXPECT_EQ(dlg.List()->GetItemText(8, 0), "V1 - 4");
        Choose(dlg, {2});
        dlg.accept();
        EXPECT_EQ(dlg.m_nResultType, static_cast<int>(OT_AMPLIFIER));
        EXPECT_EQ(dlg.m_nResultNumber, second->GetNumber());
        EXPECT_EQ(dlg.m_nResultChannel, 1);
    }
    {
        // Address ranges: hexadecimal ID, "Alle", the none row and hex text.
        CSelectionDlg dlg;
        dlg.m_nKind = 34376;
        dlg.m_bMultiple = true;
        dlg.SetSelection("Alle");
        Open(dlg);
        ASSERT_EQ(dlg.List()->GetItemCount(), 3);
        EXPECT_EQ(dlg.List()->GetItemText(1, 1), "05");
        EXPECT_EQ(dlg.List()->GetItemText(2, 1), "12");
        EXPECT_EQ(Selected(dlg), (QList<int>{1, 2}));
        dlg.accept();
        EXPECT_EQ(dlg.GetSelection(), "Alle");
    }
    {
        CSelectionDlg dlg;
        dlg.m_nKind = 34376;
        dlg.m_bMultiple = true;
        dlg.SetSelection("12,3f");
        Open(dlg);
        // 0x3f has no amplifier: an extra row, written in decimal.
        ASSERT_EQ(dlg.List()->GetItemCount(), 4);
        EXPECT_EQ(dlg.List()->GetItemText(3, 0), "63 *");
        EXPECT_EQ(Selected(dlg), (QList<int>{2}));
        Choose(dlg, {1, 3});
        dlg.accept();
        EXPECT_EQ(dlg.GetSelection(), "5,3f");
        EXPECT_EQ(dlg.m_nResultNumber, 0);  // address kinds leave it alone
        Choose(dlg, {0});
        dlg.accept();
        EXPECT_EQ(dlg.GetSelection(), "Kein Eintrag");
    }
    {
        CSelectionDlg dlg;
        dlg.m_nKind = 34504;
        Open(dlg);
        ASSERT_EQ(dlg.List()->GetItemCount(), 3);
        EXPECT_EQ(dlg.RowValue(0), 255u);
        dlg.accept();
        EXPECT_EQ(dlg.m_nResultNumber, 255);
    }
}

TEST_F(SelectionKindsTest, ZoneRowsAndResult)
{
    Add<CZone>(2, "Halle");
    Add<CZone>(1, "Foyer");
    CSelectionDlg dlg;
    dlg.m_nKind = 34457;
    dlg.m_nPreselect = 2;
    Open(dlg);
    EXPECT_EQ(dlg.List()->GetColumnHeading(0), QString::fromStdString(LoadStringId(34457)));
    ASSERT_EQ(dlg.List()->GetItemCount(), 3);
    EXPECT_EQ(dlg.List()->GetItemText(1, 0), "Foyer");
    EXPECT_EQ(dlg.List()->GetItemText(2, 0), "Halle");
    EXPECT_EQ(Selected(dlg), (QList<int>{2}));
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultType, static_cast<int>(OT_ZONE));
    EXPECT_EQ(dlg.m_nResultNumber, 2);
    EXPECT_EQ(dlg.GetSelection(), "Halle");
}

TEST_F(SelectionKindsTest, MacroTypesAndConditionKindsFromTheirClasses)
{
    std::vector<uint32_t> types;
    CMacro::GetTypeList(0, &types);
    ASSERT_GE(types.size(), 3u);
    CSelectionDlg dlg;
    dlg.m_nKind = 34462;
    const QString third = QString::fromStdString(LoadStringId(types[2]));
    dlg.SetSelection(third);
    Open(dlg);
    EXPECT_EQ(dlg.List()->GetColumnCount(), 1);
    ASSERT_EQ(dlg.List()->GetItemCount(), static_cast<int>(types.size()));
    EXPECT_EQ(dlg.List()->GetItemText(0, 0), QString::fromStdString(LoadStringId(types[0])));
    EXPECT_EQ(Selected(dlg), (QList<int>{2}));
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultNumber, static_cast<int>(types[2]));

    std::vector<uint32_t> kinds;
    CCondition::GetChoiceIds(0, &kinds);
    ASSERT_GE(kinds.size(), 4u);
    CSelectionDlg cond;
    cond.m_nKind = 34325;
    cond.m_nPreselect = static_cast<int>(kinds[3]);
    Open(cond);
    ASSERT_EQ(cond.List()->GetItemCount(), static_cast<int>(kinds.size()));
    EXPECT_EQ(Selected(cond), (QList<int>{3}));
    cond.accept();
    EXPECT_EQ(cond.m_nResultNumber, static_cast<int>(kinds[3]));
}

TEST(SelectionKindTitles, EveryKindHasItsColumnTitle)
{
    const uint32_t kinds[] = {32796, 32797, 32806, 32848, 32954, 33021, 33086, 34063, 34093, 34094, 34119,
                              34120, 34121, 34129, 34130, 34136, 34252, 34253, 34259, 34262, 34282, 34321,
                              34322, 34323, 34325, 34327, 34328, 34357, 34358, 34359, 34365, 34370, 34383,
                              34376, 34384, 34385, 34449, 34455, 34456, 34457, 34460, 34462, 34488, 34503,
                              34504, 34550, 34575, 34581, 34591, 34592, 34600, 34627};
    for (uint32_t kind : kinds)
        EXPECT_FALSE(LoadStringId(kind).empty()) << kind;
    EXPECT_EQ(LoadStringId(34591), "Makro Mehrfachauswahl");
    EXPECT_EQ(LoadStringId(33039), "OUT1");
    EXPECT_EQ(LoadStringId(33042), "OUT4");
}

// The families register their kinds with the dialog: on an empty project each
// kind shows its column layout and the rows that need no objects.
TEST_F(SelectionKindsTest, EveryKindIsRegisteredByItsFamily)
{
    struct Expect {
        int columns;
        int rows;  // -1: some
        std::initializer_list<int> kinds;
    };
    const Expect table[] = {
        // The none row of the object lists.
        {2, 1, {32806, 34063, 34119, 34129, 34130, 34252, 34253, 34259, 34262, 34358, 34359, 34365, 34456, 34457,
                34357, 34370, 34383, 34376, 34504, 34591, 34592, 34627}},
        {1, 1, {32796, 32797, 32848, 34136, 34282, 34321, 34322, 34323, 34460, 34384, 34385}},
        {1, 5, {33021, 34328, 34581}},
        {1, 13, {34094}},
        {2, 113, {34327}},
        {2, 256, {34488}},
        {2, 7, {34503}},
        {2, 64, {34550, 34575}},
        // The lists the families' classes give.
        {1, -1, {34120, 34121, 34325, 34462}},
        // The choices of the busy condition's audio, the combine operators and
        // the faults a zone can ignore.
        {1, 9, {34449}},
        {1, 4, {34455}},
        {1, 6, {34600}},
        // Lists of objects the empty project does not hold.
        {1, 0, {32954, 33086}},
    };
    for (const Expect& e : table) {
        for (int kind : e.kinds) {
            CSelectionDlg dlg;
            dlg.m_nKind = kind;
            Open(dlg);
            EXPECT_EQ(dlg.List()->GetColumnCount(), e.columns) << kind;
            if (e.rows < 0)
                EXPECT_GT(dlg.List()->GetItemCount(), 0) << kind;
            else
                EXPECT_EQ(dlg.List()->GetItemCount(), e.rows) << kind;
        }
    }
}

// Every multiple choice of the program, by mouse alone: a click adds a row,
// a click on a chosen row takes it away again, the none row stands alone, and
// OK hands back what the rows show chosen.
TEST_F(SelectionKindsTest, EveryMultipleChoiceTakesAwayARowClickedAgain)
{
    AddMacros({1, 2, 3});
    for (int n = 1; n <= 3; ++n) {
        Add<CReadyInput>(n, "Eingang " + std::to_string(n));
        Add<CVirtCtrlItem>(n, "Regler " + std::to_string(n));
    }
    AddRemoteAmp(1, 3);
    AddRemoteAmp(2, 5);
    AddRemoteAmp(3, 7);
    enum class Expect { Mask, Decimal, Hex };
    const std::pair<int, Expect> kinds[] = {
        {34449, Expect::Mask},    {34094, Expect::Mask},    {34600, Expect::Mask},
        {34591, Expect::Decimal}, {34592, Expect::Decimal}, {34627, Expect::Decimal},
        {34488, Expect::Decimal}, {33021, Expect::Hex},     {34376, Expect::Hex},
    };
    for (const auto& [kind, expect] : kinds) {
        SCOPED_TRACE(kind);
        CSelectionDlg dlg;
        dlg.m_nKind = kind;
        dlg.m_bMultiple = true;
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        CEditListCtrl* list = dlg.List();
        ASSERT_GE(list->GetItemCount(), 3);
        list->clearSelection();
        auto click = [&dlg, list](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(row).center());
            return Selected(dlg);
        };
        EXPECT_EQ(click(1), (QList<int>{1}));
        EXPECT_EQ(click(2), (QList<int>{1, 2}));
        EXPECT_EQ(click(1), (QList<int>{2}));
        EXPECT_EQ(click(2), (QList<int>{}));
        EXPECT_EQ(click(2), (QList<int>{2}));
        EXPECT_EQ(click(0), (QList<int>{0}));
        EXPECT_EQ(click(0), (QList<int>{}));
        EXPECT_EQ(click(2), (QList<int>{2}));
        const quintptr value = dlg.RowValue(2);
        QPushButton* ok = nullptr;
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QLatin1String("OK"))
                ok = b;
        ASSERT_NE(nullptr, ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_EQ(dlg.result(), QDialog::Accepted);
        switch (expect) {
        case Expect::Mask: EXPECT_EQ(dlg.m_nResultNumber, 2); break;
        case Expect::Decimal: EXPECT_EQ(dlg.GetSelection(), QString::number(value)); break;
        case Expect::Hex:
            // The outputs are numbered by row, the amplifiers by address.
            EXPECT_EQ(dlg.GetSelection(), QString::number(kind == 33021 ? 2 : static_cast<int>(value), 16));
            break;
        }
    }
}
