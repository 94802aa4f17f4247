#include "ui/CEditListCtrl.h"

#include "ui/CInPlaceComboBox.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CInPlaceEdit.h"
#include "ui/ColumnWidths.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

CEditListCtrl::CEditListCtrl(QWidget* parent) : CResizableWidget<CListCtrl>(parent)
{
    viewport()->setMouseTracking(true);
}

int CEditListCtrl::GetClientWidth() const
{
    return viewport()->width();
}

int CEditListCtrl::GetSelectedItems(QList<int>* rows) const
{
    if (!rows)
        return 0;
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            rows->append(r);
    return static_cast<int>(rows->size());
}

int CEditListCtrl::HitTestEx(const QPoint& point, int* column) const
{
    if (column)
        *column = 0;
    const int count = GetItemCount();
    if (count == 0)
        return -1;
    const int first = std::max(0, GetTopIndex());
    const int last = std::min(first + GetCountPerPage(), count - 1);
    if (first > last)
        return -1;
    const int columns = header()->count();
    for (int row = first; row <= last; ++row) {
        const QRect bounds = GetItemRect(row);
        if (bounds.isEmpty() || point.y() < bounds.top() || point.y() > bounds.bottom())
            continue;
        // Walk the columns from the row's left edge; both ends of a span count.
        int x = -header()->offset();
        for (int c = 0; c < columns; ++c) {
            const int w = header()->sectionSize(c);
            if (point.x() >= x && point.x() <= x + w) {
                if (column)
                    *column = c;
                return row;
            }
            x += w;
        }
    }
    return -1;
}

ColumnEditorKind CEditListCtrl::EditorOf(int column) const
{
    return column >= 0 && column < m_aColumnEditor.size() ? m_aColumnEditor.at(column) : ColumnEditorKind::TextEdit();
}

void CEditListCtrl::mousePressEvent(QMouseEvent* event)
{
    // Where a click adds a row to the choice or takes it away (a multiple
    // choice, or Ctrl or Shift in an extended one), the list's own handling
    // has decided whether the row is chosen: choosing it again would make a
    // chosen row impossible to take away with the mouse.
    const QAbstractItemView::SelectionMode mode = selectionMode();
    const bool clickToggles =
        mode == QAbstractItemView::MultiSelection ||
        (mode == QAbstractItemView::ExtendedSelection &&
         (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != Qt::NoModifier);
    // The list's own handling first: it selects and focuses the row.
    CListCtrl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    int column = 0;
    const int row = HitTestEx(event->position().toPoint(), &column);
    if (row < 0)
        return;
    if (IsItemFocused(row) && IsItemSelected(row) && column >= 1) {
        if (!m_bEditLabels)
            return;
        const ColumnEditorKind kind = EditorOf(column);
        switch (kind.kind) {
        case ColumnEditorKind::Date: EditDateTime(row, column, false); break;
        case ColumnEditorKind::Time: EditDateTime(row, column, true); break;
        case ColumnEditorKind::Choices:
            if (kind.choices)
                EditCombo(row, column, kind.choices, -1);
            break;
        default: EditText(row, column); break;
        }
    } else if (!clickToggles && (Row(row)->flags() & Qt::ItemIsSelectable)) {
        // A row that cannot be chosen stays as the list left it.
        SetItemState(row, true, true);
    }
}

void CEditListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_EditCursor) {
        const QTreeWidgetItem* item = itemAt(event->position().toPoint());
        const int row = RowOf(item);
        if (row >= 0 && (IsItemSelected(row) || IsItemFocused(row)))
            viewport()->setCursor(*m_EditCursor);
        else
            viewport()->unsetCursor();
    }
    CListCtrl::mouseMoveEvent(event);
}

void CEditListCtrl::scrollContentsBy(int dx, int dy)
{
    // Scrolling ends an open editor first, as taking the focus would: with
    // what was typed into it.
    const QList<QWidget*> editors = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (!editors.isEmpty()) {
        setFocus(Qt::OtherFocusReason);
        EndCellEdits();
    }
    CListCtrl::scrollContentsBy(dx, dy);
}

bool CEditListCtrl::EditorRect(int row, int column, int minWidth, QRect* rect)
{
    QTreeWidgetItem* item = Row(row);
    if (!item)
        return false;
    scrollToItem(item, QAbstractItemView::EnsureVisible);
    const QRect bounds = GetItemRect(row);
    if (bounds.isEmpty() || !bounds.intersects(viewport()->rect()))
        return false;
    if (column < 0 || column >= header()->count())
        return false;
    const int width = header()->sectionSize(column);
    if (width < minWidth)
        return false;
    int offset = 0;
    for (int c = 0; c < column; ++c)
        offset += header()->sectionSize(c);
    const QRect client = viewport()->rect();
    const int left = -header()->offset();
    int start = left + offset;
    if (start < 0 || start > client.right()) {
        // Bring the cell to the list's left edge.
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + start);
        start = -header()->offset() + offset;
    }
    const int editorLeft = start + 4;
    const int editorRight = std::min(editorLeft + width - 3, client.width());
    const QRect rowRect = GetItemRect(row);
    *rect = QRect(editorLeft, rowRect.top(), editorRight - editorLeft, rowRect.height());
    return true;
}

CInPlaceEdit* CEditListCtrl::EditText(int row, int column)
{
    QRect r;
    if (!EditorRect(row, column, 5, &r))
        return nullptr;
    auto* editor = new CInPlaceEdit(row, column, GetItemText(row, column));
    editor->Create(AlignmentOf(GetColumnFormat(column)) & Qt::AlignHorizontal_Mask, r, this, IDC_TEXT_EDITOR);
    return editor;
}

CInPlaceDateTimeCtrl* CEditListCtrl::EditDateTime(int row, int column, bool time)
{
    QRect r;
    if (!EditorRect(row, column, 10, &r))
        return nullptr;
    r.setBottom(r.bottom() + 4);
    if (r.width() < 70)
        r.setWidth(70);  // even beyond the client edge
    auto* editor = new CInPlaceDateTimeCtrl(row, column, GetItemText(row, column));
    editor->Create(time, r, this, IDC_DATETIME_EDITOR);
    return editor;
}

CInPlaceComboBox* CEditListCtrl::EditCombo(int row, int column, const QStringList* choices, int initialIndex)
{
    QRect r;
    if (!choices || !EditorRect(row, column, 10, &r))
        return nullptr;
    // The selection field is one row high; the choices drop down below it.
    auto* editor = new CInPlaceComboBox(row, column, *choices, initialIndex);
    editor->Create(r, this, GetItemText(row, column), IDC_COMBO_EDITOR);
    return editor;
}

void CEditListCtrl::AfterReposition(const QSize& oldClient)
{
    if (oldClient.isEmpty())
        return;
    ApplyColumnShares();
}

void CEditListCtrl::ColumnsAfterResize(const QSize& oldSize)
{
    // Sized by a layout: the columns keep their shares just the same (and
    // then fit their rows).
    if (oldSize.isEmpty())
        CResizableWidget<CListCtrl>::ColumnsAfterResize(oldSize);
    else
        ApplyColumnShares();
}

void CEditListCtrl::ApplyColumnShares()
{
    const int listWidth = width();
    for (int c = 0; c < header()->count(); ++c) {
        int w = c < m_aColumnPercent.size() ? static_cast<int>(m_aColumnPercent.at(c)) * listWidth / 100
                                            : header()->sectionSize(c);
        if (w < 0)
            w = 30;
        header()->resizeSection(c, w);
    }
    // The shares are where the rows start from; rows that show cut take the room left.
    if (GetFitColumnContents())
        FitColumnContents(this);
}
