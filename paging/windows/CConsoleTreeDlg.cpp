#include "paging/windows/CConsoleTreeDlg.h"

#include <QLabel>
#include <QHeaderView>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CTreeCtrlEx.h"
#include "ui/ColumnWidths.h"

#include <algorithm>

namespace {
// The tree's pictures (bitmap 274): the root closed and open, a console.
constexpr int kImageBitmap = 274;
constexpr int kImageClosed = 0, kImageOpen = 1, kImageConsole = 2;
}  // namespace

CConsoleTreeDlg::CConsoleTreeDlg(CConsolePropertySheet* sheet) : QWidget(sheet), m_sheet(sheet)
{
    setObjectName(QString::number(kTemplateId));
    m_tree = new CTreeCtrlEx(this);
    m_tree->setObjectName(QStringLiteral("108"));
    m_tree->setHeaderHidden(true);
    // A name longer than the tree is wide stands whole; the tree scrolls sideways.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Sprechstellenübersicht"), this));
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
        if (!m_filling)
            m_sheet->OnTreeSelection(ConsoleOf(now));
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem* item) {
        if (!item->parent())
            item->setIcon(0, CPictureSet::ListImage(kImageBitmap, kImageOpen));
    });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) {
        if (!item->parent())
            item->setIcon(0, CPictureSet::ListImage(kImageBitmap, kImageClosed));
    });
}

void CConsoleTreeDlg::Fill(const std::vector<CConsole*>& consoles, CConsole* selected)
{
    m_filling = true;
    m_tree->clear();
    auto* root = new QTreeWidgetItem(m_tree, {QString::fromStdString(LoadStringId(IDS_CONS_TREE_ROOT))});
    QTreeWidgetItem* chosen = nullptr;
    for (CConsole* c : consoles) {
        auto* item = new QTreeWidgetItem(root, {QString::fromStdString(c->GetName())});
        item->setIcon(0, CPictureSet::ListImage(kImageBitmap, kImageConsole));
        // A console's item is renamed in place, the root is not.
        CTreeCtrlEx::SetObject(item, c);
        if (c == selected)
            chosen = item;
    }
    root->setIcon(0, CPictureSet::ListImage(kImageBitmap, kImageOpen));
    root->setExpanded(true);
    if (chosen)
        m_tree->setCurrentItem(chosen);
    // Every console's name whole; a very long name may scroll.
    m_tree->setMinimumWidth(std::min(TreeRowsWidth(m_tree), m_tree->fontMetrics().averageCharWidth() * 48));
    m_filling = false;
}

CConsole* CConsoleTreeDlg::ConsoleOf(QTreeWidgetItem* item) const
{
    return dynamic_cast<CConsole*>(CTreeCtrlEx::ObjectOf(item));
}

QTreeWidgetItem* CConsoleTreeDlg::ItemOf(const CConsole* console) const
{
    QTreeWidgetItem* root = m_tree->topLevelItemCount() ? m_tree->topLevelItem(0) : nullptr;
    for (int i = 0; root && i < root->childCount(); ++i)
        if (ConsoleOf(root->child(i)) == console)
            return root->child(i);
    return nullptr;
}

void CConsoleTreeDlg::Reselect(const CConsole* console)
{
    QTreeWidgetItem* item = ItemOf(console);
    if (!item)
        return;
    m_filling = true;
    m_tree->setCurrentItem(item);
    m_filling = false;
}
