#include "ui/CListCtrl.h"
#include "ui/CTextRuleDelegate.h"

#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>

#include "ui/CInPlaceCell.h"
#include "ui/CPictureSet.h"
#include "ui/ColumnWidths.h"

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kFormatRole = Qt::UserRole + 2;
}  // namespace

CListCtrl::CListCtrl(QWidget* parent) : CSlowClickRename<QTreeWidget>(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CTextRuleDelegate(this));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setMinimumSectionSize(0);
    setColumnCount(0);
    KeepColumnTitlesWhole(this);
}

CListCtrl::~CListCtrl()
{
    // The model, a child, still signals while the base classes take it down.
    if (m_fitContents)
        disconnect(model(), nullptr, this, nullptr);
}

bool CListCtrl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = CSlowClickRename<QTreeWidget>::edit(index, trigger, event);
    if (editing && state() == EditingState && index.isValid() && m_editing != index) {
        m_editing = index;
        m_committed = false;
    }
    return editing;
}

void CListCtrl::commitData(QWidget* editor)
{
    CSlowClickRename<QTreeWidget>::commitData(editor);
    m_committed = m_editing.isValid();
}

void CListCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex cell = m_editing;
    const bool committed = m_committed;
    m_editing = QPersistentModelIndex();
    m_committed = false;
    CSlowClickRename<QTreeWidget>::closeEditor(editor, hint);
    // The cell's text as the editor left it; the owner decides what it keeps.
    if (committed && cell.isValid())
        emit CellEdited(cell.row(), cell.column(), cell.data(Qt::DisplayRole).toString());
}

void CListCtrl::SetObjectListLook()
{
    SetImageList(CPictureSet::ImageList(136, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(255, 251, 240));
    setPalette(p);
}

void CListCtrl::SetFitColumnContents(bool on)
{
    if (on == m_fitContents)
        return;
    m_fitContents = on;
    if (!on)
        return;
    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this, &CListCtrl::ScheduleFit);
    connect(m, &QAbstractItemModel::dataChanged, this, &CListCtrl::ScheduleFit);
    connect(m, &QAbstractItemModel::modelReset, this, &CListCtrl::ScheduleFit);
    FitColumnContents(this);
}

void CListCtrl::ScheduleFit()
{
    // Rows come one by one while a list fills: fit once it is filled.
    if (!m_fitContents || m_fitPending)
        return;
    m_fitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_fitPending = false;
        if (m_fitContents)
            FitColumnContents(this);
    });
}

void CListCtrl::SetGridLines(bool on)
{
    if (on == m_gridLines)
        return;
    m_gridLines = on;
    viewport()->update();
}

QColor CListCtrl::GridLineColor() const
{
    // The colour the style gives a table's grid.
    QStyleOptionViewItem option;
    option.initFrom(this);
    return QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
}

void CListCtrl::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (!m_gridLines)
        return;
    QPainter painter(viewport());
    // One device pixel wide at any screen scale: a pen of one logical pixel
    // would be 1.25 device pixels at 120 DPI, drawn 1 and 2 pixels thick.
    QPen pen(GridLineColor(), 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const QRect area = viewport()->rect();
    // Under every row shown, then on at the rows' pitch to the bottom.
    int y = -1;
    for (QModelIndex index = indexAt(QPoint(0, 0)); index.isValid(); index = indexBelow(index)) {
        const QRect r = visualRect(index);
        if (r.top() > area.bottom())
            break;
        y = r.bottom();
        painter.drawLine(area.left(), y, area.right(), y);
    }
    const int pitch = GetRowHeight();
    if (pitch > 0)
        for (y += pitch; y <= area.bottom(); y += pitch)
            painter.drawLine(area.left(), y, area.right(), y);
    // Right of every column shown.
    const QHeaderView* head = header();
    for (int c = 0; c < head->count(); ++c) {
        if (head->isSectionHidden(c) || head->sectionSize(c) == 0)
            continue;
        const int x = head->sectionViewportPosition(c) + head->sectionSize(c) - 1;
        if (x >= area.left() && x <= area.right())
            painter.drawLine(x, area.top(), x, area.bottom());
    }
}

void CListCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    ColumnsAfterResize(event->oldSize());
}

void CListCtrl::ColumnsAfterResize(const QSize&)
{
    if (m_fitContents)
        FitColumnContents(this);
}

Qt::Alignment CListCtrl::AlignmentOf(int format)
{
    switch (format & 3) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int CListCtrl::InsertColumn(int column, const QString& heading, int format, int width)
{
    const int n = columnCount();
    column = std::clamp(column, 0, n);
    QTreeWidgetItem* head = headerItem();
    setColumnCount(n + 1);
    // Shift the later columns' contents one place to the right.
    auto shift = [&](QTreeWidgetItem* item) {
        for (int c = n; c > column; --c) {
            item->setText(c, item->text(c - 1));
            item->setData(c, kFormatRole, item->data(c - 1, kFormatRole));
            item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c - 1)));
        }
    };
    shift(head);
    for (int r = 0; r < topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = topLevelItem(r);
        shift(item);
        item->setText(column, QString());
        item->setTextAlignment(column, AlignmentOf(format));
    }
    for (int c = n; c > column; --c)
        header()->resizeSection(c, header()->sectionSize(c - 1));
    head->setText(column, heading);
    head->setData(column, kFormatRole, format);
    head->setTextAlignment(column, AlignmentOf(format));
    if (width >= 0)
        SetDesignedColumnWidth(column, width);
    return column;
}

int CListCtrl::GetColumnCount() const
{
    return header()->count();
}

QString CListCtrl::GetColumnHeading(int column) const
{
    return column >= 0 && column < columnCount() ? headerItem()->text(column) : QString();
}

int CListCtrl::GetColumnFormat(int column) const
{
    return column >= 0 && column < columnCount() ? headerItem()->data(column, kFormatRole).toInt() : LVCFMT_LEFT;
}

int CListCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? header()->sectionSize(column) : 0;
}

void CListCtrl::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < columnCount())
        header()->resizeSection(column, std::max(0, width));
}

void CListCtrl::SetDesignedColumnWidth(int column, int width)
{
    SetStoredColumnWidth(column, width <= 0 ? 0 : ScaledColumnWidth(this, width));
}

void CListCtrl::SetStoredColumnWidth(int column, int width)
{
    if (column >= 0 && column < columnCount())
        header()->resizeSection(
            column, width <= 0 ? 0 : std::max(width, ColumnTitleWidth(header(), GetColumnHeading(column))));
}

int CListCtrl::GetItemCount() const
{
    return topLevelItemCount();
}

int CListCtrl::InsertItem(int row, const QString& text, int image)
{
    row = std::clamp(row, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < columnCount(); ++c)
        item->setTextAlignment(c, AlignmentOf(GetColumnFormat(c)));
    item->setText(0, text);
    item->setData(0, kImageRole, image);
    insertTopLevelItem(row, item);
    ApplyImage(item);
    return row;
}

bool CListCtrl::DeleteItem(int row)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return false;
    delete takeTopLevelItem(row);
    return true;
}

void CListCtrl::DeleteAllItems()
{
    clear();
}

void CListCtrl::CloseCellEditors()
{
    for (QWidget* w : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (auto* cell = dynamic_cast<CInPlaceCell*>(w)) {
            cell->Abandon();
            w->hide();
            w->deleteLater();
        }
    }
}

void CListCtrl::EndCellEdits()
{
    // The owner may rebuild its rows as an edit ends, closing the others.
    QList<QPointer<QWidget>> editors;
    for (QWidget* w : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (dynamic_cast<CInPlaceCell*>(w))
            editors.append(w);
    for (const QPointer<QWidget>& w : editors)
        if (w)
            dynamic_cast<CInPlaceCell*>(w.data())->EndEdit();
}

bool CListCtrl::SetItemText(int row, int column, const QString& text)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || column < 0 || column >= columnCount())
        return false;
    item->setText(column, text);
    return true;
}

QString CListCtrl::GetItemText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && column >= 0 && column < columnCount() ? item->text(column) : QString();
}

bool CListCtrl::SetItemData(int row, quintptr data)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return false;
    item->setData(0, kDataRole, QVariant::fromValue<quintptr>(data));
    return true;
}

quintptr CListCtrl::GetItemData(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kDataRole).value<quintptr>() : 0;
}

bool CListCtrl::SetItemImage(int row, int image)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return false;
    item->setData(0, kImageRole, image);
    ApplyImage(item);
    return true;
}

int CListCtrl::GetItemImage(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return -1;
    const QVariant v = item->data(0, kImageRole);
    return v.isValid() ? v.toInt() : -1;
}

void CListCtrl::SetImageList(const QList<QPixmap>& images)
{
    m_Images = images;
    if (!images.isEmpty())
        setIconSize(images.first().size());
    for (int r = 0; r < topLevelItemCount(); ++r)
        ApplyImage(topLevelItem(r));
}

void CListCtrl::ApplyImage(QTreeWidgetItem* item)
{
    const QVariant v = item->data(0, kImageRole);
    const int image = v.isValid() ? v.toInt() : -1;
    if (image >= 0 && image < m_Images.size())
        item->setIcon(0, QIcon(m_Images.at(image)));
    else
        item->setIcon(0, QIcon());
}

bool CListCtrl::IsItemSelected(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->isSelected();
}

bool CListCtrl::IsItemFocused(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && currentItem() == item;
}

void CListCtrl::SetItemState(int row, bool focused, bool selected)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    if (focused)
        setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    // A single-choice list holds one chosen row: choosing another drops the
    // old one, as a click does, so no hidden row stays chosen beside it.
    if (selected && selectionMode() == QAbstractItemView::SingleSelection)
        selectionModel()->select(indexFromItem(item),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        item->setSelected(selected);
}

QRect CListCtrl::GetItemRect(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? visualItemRect(item) : QRect();
}

int CListCtrl::GetTopIndex() const
{
    const QModelIndex top = indexAt(QPoint(1, 1));
    if (top.isValid())
        return top.row();
    return topLevelItemCount() > 0 ? 0 : -1;
}

int CListCtrl::GetCountPerPage() const
{
    const int h = GetRowHeight();
    return h > 0 ? viewport()->height() / h : 0;
}

int CListCtrl::GetRowHeight() const
{
    if (topLevelItemCount() > 0) {
        const int h = rowHeight(indexFromItem(topLevelItem(0)));
        if (h > 0)
            return h;
        const int hint = sizeHintForRow(0);
        if (hint > 0)
            return hint;
    }
    return std::max(fontMetrics().height() + 4, iconSize().height() + 2);
}

int CListCtrl::RowOf(const QTreeWidgetItem* item) const
{
    return item ? indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
}
