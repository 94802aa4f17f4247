// Column widths of the lists: designed widths grow with the font, a title
// never shows cut (also when it comes after the width), a stored width is
// taken as it is and a column the design hides stays hidden.
#include "ui/CListCtrl.h"
#include "ui/ColumnWidths.h"

#include <QApplication>
#include <QHeaderView>

#include <gtest/gtest.h>

namespace {

const QString kLongTitle = QStringLiteral("Überwachter Kanal oder Eingang");

// The default font as a screen of 120 dots per inch draws it.
QFont Font120Dpi()
{
    QFont f = QApplication::font();
    f.setPixelSize(qRound(f.pointSizeF() * 120 / 72));
    return f;
}

TEST(ColumnWidths, DesignedWidthsGrowWithTheFontAndNeverCutTheTitle)
{
    CListCtrl list;
    // The default font keeps the design's pixels.
    EXPECT_EQ(140, ScaledColumnWidth(&list, 140));
    EXPECT_EQ(0, ScaledColumnWidth(&list, 0));
    list.InsertColumn(0, QStringLiteral("ID"), CListCtrl::LVCFMT_RIGHT, 40);
    list.InsertColumn(1, kLongTitle, CListCtrl::LVCFMT_LEFT, 60);
    list.InsertColumn(2, QStringLiteral("verborgen"), CListCtrl::LVCFMT_LEFT, 0);
    EXPECT_EQ(40, list.GetColumnWidth(0));
    EXPECT_GE(list.GetColumnWidth(1), ColumnTitleWidth(list.header(), kLongTitle));
    EXPECT_GT(ColumnTitleWidth(list.header(), kLongTitle), 60);
    EXPECT_EQ(0, list.GetColumnWidth(2)) << "a column the design hides stays hidden";

    CListCtrl big;
    big.setFont(Font120Dpi());
    const int scaled = ScaledColumnWidth(&big, 140);
    EXPECT_GE(scaled, 140 * 5 / 4);
    EXPECT_LE(scaled, 140 * 3 / 2);
    big.InsertColumn(0, QStringLiteral("ID"), CListCtrl::LVCFMT_RIGHT, 40);
    EXPECT_EQ(ScaledColumnWidth(&big, 40), big.GetColumnWidth(0));
    // A column inserted before it takes its own width; the shifted one keeps its width.
    big.InsertColumn(0, kLongTitle, CListCtrl::LVCFMT_LEFT, 20);
    EXPECT_EQ(ScaledColumnWidth(&big, 40), big.GetColumnWidth(1));
    EXPECT_GE(big.GetColumnWidth(0), ColumnTitleWidth(big.header(), kLongTitle));
}

TEST(ColumnWidths, StoredWidthsAreTakenAndALaterTitleWidensItsColumn)
{
    CListCtrl list;
    list.InsertColumn(0, QString(), CListCtrl::LVCFMT_LEFT, 50);
    list.InsertColumn(1, QStringLiteral("Wert"), CListCtrl::LVCFMT_LEFT, 50);
    // The user's own width, narrower than the title.
    list.SetColumnWidth(1, 12);
    EXPECT_EQ(12, list.GetColumnWidth(1));
    list.SetDesignedColumnWidth(1, 12);
    EXPECT_GE(list.GetColumnWidth(1), ColumnTitleWidth(list.header(), QStringLiteral("Wert")));

    // A title set after the column was made (the lists that name their
    // columns when they fill) widens it; a hidden column stays hidden.
    list.headerItem()->setText(0, kLongTitle);
    EXPECT_GE(list.GetColumnWidth(0), ColumnTitleWidth(list.header(), kLongTitle));
    list.SetColumnWidth(1, 0);
    list.headerItem()->setText(1, kLongTitle);
    EXPECT_EQ(0, list.GetColumnWidth(1));

    // Any tree view can keep its titles whole.
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
    tree.setColumnWidth(0, 60);
    tree.setColumnWidth(1, 60);
    KeepColumnTitlesWhole(&tree);
    EXPECT_EQ(60, tree.columnWidth(0)) << "a short title fits";
    tree.headerItem()->setText(1, kLongTitle);
    EXPECT_GE(tree.columnWidth(1), ColumnTitleWidth(tree.header(), kLongTitle));
}

}  // namespace
