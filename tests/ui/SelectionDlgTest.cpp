// Object selection dialog: rows per kind, preselection, OK results.
#include "ui/CEditListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CSelectionDlg.h"

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <memory>

namespace {
class SelectionDlgTest : public ::testing::Test {
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
    CBaseDevice* Add(uint32_t type, int number, const std::string& name)
    {
        auto o = std::make_unique<CBaseDevice>();
        o->m_type = type;
        o->m_number = number;
        o->m_name = name;
        doc.GetIDManager().AddID(o.get(), type, number);
        objects.push_back(std::move(o));
        return objects.back().get();
    }
    // Opens the dialog (initialisation happens before showing).
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
    static void Choose(CSelectionDlg& dlg, QList<int> rows)
    {
        dlg.List()->clearSelection();
        for (int r : rows)
            dlg.List()->Row(r)->setSelected(true);
    }

    CQuillomerDoc doc;
    ActiveDocHook old;
    std::vector<std::unique_ptr<CBaseDevice>> objects;
};
}  // namespace

TEST_F(SelectionDlgTest, MacroKindRowsAndObjectResult)
{
    Add(OT_MACRO, 1, "Alarm Halle");
    CBaseDevice* second = Add(OT_MACRO, 2, "Gong");
    CSelectionDlg dlg;
    dlg.m_nKind = 32806;
    dlg.SetSelection("gong");
    Open(dlg);
    ASSERT_EQ(dlg.List()->GetItemCount(), 3);
    EXPECT_EQ(dlg.List()->GetItemText(0, 0), "Kein Eintrag");
    EXPECT_EQ(dlg.List()->GetColumnHeading(1), "ID");
    EXPECT_EQ(dlg.List()->GetItemText(2, 1), QString::fromStdString(second->GetNumberText()));
    // The preselection text picks the row, letter case ignored.
    EXPECT_EQ(Selected(dlg), (QList<int>{2}));
    // Even rows are shaded.
    EXPECT_EQ(dlg.List()->Row(0)->background(0).color(), QColor(247, 234, 219));
    EXPECT_EQ(dlg.List()->Row(1)->background(0).style(), Qt::NoBrush);
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultType, OT_MACRO);
    EXPECT_EQ(dlg.m_nResultNumber, 2);
    EXPECT_EQ(dlg.GetSelection(), "Gong");
}

TEST_F(SelectionDlgTest, NoneRowAndNothingChosenGiveZero)
{
    Add(OT_CONSOLE, 1, "Pult");
    CSelectionDlg dlg;
    dlg.m_nKind = 34063;
    dlg.SetSelection("vorher");
    Open(dlg);
    EXPECT_EQ(Selected(dlg), (QList<int>{0}));
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultType, 0);
    EXPECT_EQ(dlg.m_nResultNumber, 0);
    EXPECT_EQ(dlg.GetSelection(), "vorher");

    CSelectionDlg none;
    none.m_nKind = 34063;
    Open(none);
    none.List()->clearSelection();
    none.accept();
    EXPECT_EQ(none.m_nResultType, 0);
    EXPECT_EQ(none.m_nResultNumber, 0);
    EXPECT_EQ(none.m_nResultChannel, 0);
    // Nothing chosen is no choice: the caller keeps its value.
    EXPECT_EQ(none.result(), QDialog::Rejected);
    EXPECT_FALSE(none.isVisible());

    // A mask kind with every row taken away: not a mask of 0.
    CSelectionDlg mask;
    mask.m_nKind = 34094;
    mask.m_bMultiple = true;
    Open(mask);
    mask.List()->clearSelection();
    mask.accept();
    EXPECT_EQ(mask.result(), QDialog::Rejected);
}

TEST_F(SelectionDlgTest, MacroMultipleAllAndRanges)
{
    for (int n = 1; n <= 6; ++n)
        Add(OT_MACRO, n, "M" + std::to_string(n));
    {
        CSelectionDlg dlg;
        dlg.m_nKind = 34591;
        dlg.m_bMultiple = true;
        dlg.SetSelection("Alle");
        Open(dlg);
        EXPECT_EQ(Selected(dlg), (QList<int>{1, 2, 3, 4, 5, 6}));
        dlg.accept();
        EXPECT_EQ(dlg.GetSelection(), "Alle");
        EXPECT_EQ(dlg.m_nResultNumber, 0);
    }
    CSelectionDlg dlg;
    dlg.m_nKind = 34591;
    dlg.m_bMultiple = true;
    dlg.SetSelection("1-3,5");
    Open(dlg);
    EXPECT_EQ(Selected(dlg), (QList<int>{1, 2, 3, 5}));
    Choose(dlg, {2, 5});
    dlg.accept();
    EXPECT_EQ(dlg.GetSelection(), "2,5");
    EXPECT_EQ(dlg.m_nResultNumber, 2);
}

TEST_F(SelectionDlgTest, AmplifierChannelsExtraRowForUnknownNumber)
{
    CSelectionDlg dlg;
    dlg.m_nKind = 34488;
    dlg.m_bMultiple = true;
    dlg.SetSelection("3,300");
    Open(dlg);
    ASSERT_EQ(dlg.List()->GetItemCount(), 1 + 255 + 1);
    EXPECT_EQ(Selected(dlg), (QList<int>{3}));
    EXPECT_EQ(dlg.List()->GetItemText(256, 0), "300 *");
    EXPECT_FALSE(dlg.List()->IsItemSelected(256));
    // Only the none row: "Kein Eintrag".
    Choose(dlg, {0});
    dlg.accept();
    EXPECT_EQ(dlg.GetSelection(), "Kein Eintrag");
}

TEST_F(SelectionDlgTest, OutputSetTexts)
{
    auto run = [](QList<int> rows) {
        CSelectionDlg dlg;
        dlg.m_nKind = 33021;
        dlg.m_bMultiple = true;
        Open(dlg);
        Choose(dlg, rows);
        dlg.accept();
        return dlg.GetSelection();
    };
    EXPECT_EQ(run({1, 2}), "1-2");
    EXPECT_EQ(run({1, 2, 3, 4}), "ALL");
    EXPECT_EQ(run({0}), "NONE");
    CSelectionDlg pre;
    pre.m_nKind = 33021;
    pre.m_bMultiple = true;
    pre.SetSelection("2,4");
    Open(pre);
    EXPECT_EQ(Selected(pre), (QList<int>{2, 4}));
}

TEST_F(SelectionDlgTest, NoneRowExcludesOthers)
{
    CSelectionDlg dlg;
    dlg.m_nKind = 34488;
    dlg.m_bMultiple = true;
    Open(dlg);
    dlg.List()->Row(5)->setSelected(true);
    dlg.List()->Row(7)->setSelected(true);
    EXPECT_EQ(Selected(dlg), (QList<int>{5, 7}));
    dlg.List()->Row(0)->setSelected(true);
    EXPECT_EQ(Selected(dlg), (QList<int>{0}));
    dlg.List()->Row(9)->setSelected(true);
    EXPECT_EQ(Selected(dlg), (QList<int>{9}));
}

TEST_F(SelectionDlgTest, FixedValueKindsAndRegisteredRows)
{
    CSelectionDlg kvtSlots;
    kvtSlots.m_nKind = 34503;
    kvtSlots.m_nPreselect = 2;
    Open(kvtSlots);
    ASSERT_EQ(kvtSlots.List()->GetItemCount(), 7);
    EXPECT_EQ(kvtSlots.List()->GetItemText(2, 0), "Slot 1");
    kvtSlots.accept();
    EXPECT_EQ(kvtSlots.m_nResultNumber, 1);

    auto old = CSelectionDlg::RegisterKindRows(34462, [](CSelectionDlg& d, CQuillomerDoc*) {
        d.AddRow("Durchsage", QString(), 0, 7001);
        d.AddRow("Alarm", QString(), 0, 7002);
    });
    CSelectionDlg types;
    types.m_nKind = 34462;
    types.SetSelection("Alarm");
    Open(types);
    EXPECT_EQ(types.List()->GetColumnCount(), 1);
    EXPECT_EQ(Selected(types), (QList<int>{1}));
    types.accept();
    EXPECT_EQ(types.m_nResultNumber, 7002);
    CSelectionDlg::RegisterKindRows(34462, old);

    CSelectionDlg unknown;
    unknown.m_nKind = 4711;
    Open(unknown);
    EXPECT_EQ(unknown.List()->GetItemCount(), 0);
    // An empty list says so and offers no OK.
    auto* note = unknown.findChild<QLabel*>(QStringLiteral("EmptyNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_FALSE(note->text().isEmpty());
    QPushButton* ok = nullptr;
    for (QPushButton* b : unknown.findChildren<QPushButton*>())
        if (b->text() == "OK")
            ok = b;
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(kvtSlots.findChild<QLabel*>(QStringLiteral("EmptyNote"))->isVisibleTo(&kvtSlots));
}

TEST_F(SelectionDlgTest, MaskFromTextsAndRows)
{
    auto old = CSelectionDlg::RegisterKindRows(34600, [](CSelectionDlg& d, CQuillomerDoc*) {
        d.AddRow("Kein Eintrag", QString(), 2, 1);
        d.AddRow("Kurzschluss", QString(), 34, 2);
        d.AddRow("Erdschluss", QString(), 34, 3);
        d.AddRow("Unterbrechung", QString(), 34, 4);
    });
    CSelectionDlg dlg;
    dlg.m_nKind = 34600;
    dlg.m_bMultiple = true;
    dlg.SetSelection("Erdschluss, Kurzschluss");
    Open(dlg);
    EXPECT_EQ(Selected(dlg), (QList<int>{1, 2}));
    Choose(dlg, {1, 3});
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultNumber, 5);

    // Whole items of the text: a row whose text lies inside another's is not chosen with it.
    CSelectionDlg inside;
    inside.m_nKind = 34600;
    inside.m_bMultiple = true;
    inside.SetSelection("Kurzschluss,Unterbrechung,Linienerdschluss");
    Open(inside);
    EXPECT_EQ(Selected(inside), (QList<int>{1, 3}));
    // What the caller holds, as a mask: exactly its rows; OK on them is no change.
    CSelectionDlg held;
    held.m_nKind = 34600;
    held.m_bMultiple = true;
    held.SetHeld(CSelectionDlg::Held::Number(2));
    Open(held);
    EXPECT_EQ(Selected(held), (QList<int>{2}));
    held.accept();
    EXPECT_EQ(held.result(), CSelectionDlg::Unchanged);
    CSelectionDlg::RegisterKindRows(34600, old);
}

TEST_F(SelectionDlgTest, AddressKindOnlyFreeRowsOrThePreviousOne)
{
    CSelectionDlg dlg;
    dlg.m_nKind = 34550;
    dlg.SetSelection("a");
    Open(dlg);
    ASSERT_EQ(dlg.List()->GetItemCount(), 64);
    EXPECT_EQ(dlg.List()->GetItemText(3, 1), "03");
    EXPECT_EQ(Selected(dlg), (QList<int>{10}));
    // An address used by another amplifier cannot be picked.
    dlg.List()->SetItemText(5, 0, "Verstärker Halle");
    dlg.List()->setCurrentItem(dlg.List()->Row(5));
    EXPECT_EQ(Selected(dlg), (QList<int>{10}));
    // A free one can.
    dlg.List()->setCurrentItem(dlg.List()->Row(7));
    EXPECT_EQ(Selected(dlg), (QList<int>{7}));
    dlg.accept();
    EXPECT_EQ(dlg.m_nResultNumber, 7);
}

TEST_F(SelectionDlgTest, FaultSourcesMask)
{
    CSelectionDlg dlg;
    dlg.m_nKind = 34094;
    dlg.m_bMultiple = true;
    Open(dlg);
    if (dlg.List()->GetItemCount() < 4)
        GTEST_SKIP() << "fault sources not available";
    const QString a = dlg.List()->GetItemText(1, 0), b = dlg.List()->GetItemText(3, 0);
    CSelectionDlg pre;
    pre.m_nKind = 34094;
    pre.m_bMultiple = true;
    pre.SetSelection(a + "," + b);
    Open(pre);
    EXPECT_TRUE(pre.List()->IsItemSelected(1));
    EXPECT_TRUE(pre.List()->IsItemSelected(3));
    Choose(pre, {1, 3});
    pre.accept();
    EXPECT_EQ(pre.m_nResultNumber, 5);
}

TEST_F(SelectionDlgTest, RowsShowTheirKindsPictureAndTheNoneRowItsOwn)
{
    Add(OT_MACRO, 1, "Alarm Halle");
    Add(OT_ZONE, 1, "Halle");
    auto shown = [](const QIcon& icon) {
        return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    CSelectionDlg macros;
    macros.m_nKind = 32806;
    Open(macros);
    ASSERT_EQ(2, macros.List()->GetItemCount());
    EXPECT_EQ(CPictureSet::ListImageAt(136, 2, 16), shown(macros.List()->Row(0)->icon(0)));
    EXPECT_EQ(CPictureSet::ListImageAt(136, 0, 16), shown(macros.List()->Row(1)->icon(0)));

    CSelectionDlg zones;
    zones.m_nKind = 34457;
    Open(zones);
    ASSERT_EQ(2, zones.List()->GetItemCount());
    EXPECT_EQ(CPictureSet::ListImageAt(136, 34, 16), shown(zones.List()->Row(1)->icon(0)));
    EXPECT_NE(shown(macros.List()->Row(1)->icon(0)), shown(zones.List()->Row(1)->icon(0)));
}
