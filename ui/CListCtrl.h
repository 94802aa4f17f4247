#pragma once
// Report-style list control: rows of texts in columns with a header, a small
// image per row and a pointer-sized item data value, on top of QTreeWidget
// (flat, whole rows selected). The program's tables (CEditListCtrl,
// CEBListView and the feature windows' lists) build on it. A list that lets
// its names be edited renames on a slow second click, never on a double-click.

#include <QColor>
#include <QList>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QString>
#include <QTreeWidget>

#include "ui/CSlowClickRename.h"

class CListCtrl : public CSlowClickRename<QTreeWidget> {
    Q_OBJECT
public:
    // Column formats (text alignment of a column).
    enum ColumnFormat { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };

    explicit CListCtrl(QWidget* parent = nullptr);
    ~CListCtrl() override;

    // Inserts a column at `column` (at most the column count); returns its
    // index. `width` is the designed width at the default font: it grows with
    // the font, and a column is never narrower than its title (0 hides it).
    int InsertColumn(int column, const QString& heading, int format = LVCFMT_LEFT, int width = 80);
    int GetColumnCount() const;
    QString GetColumnHeading(int column) const;
    int GetColumnFormat(int column) const;
    int GetColumnWidth(int column) const;
    // Sets a width as it is (a stored one, the user's own).
    void SetColumnWidth(int column, int width);
    // Sets a designed width (at the default font): it grows with the font and
    // never cuts the title; 0 hides the column.
    void SetDesignedColumnWidth(int column, int width);
    // Sets a width the user chose (kept in the settings): taken as it is,
    // only as wide as the title needs at today's font; 0 hides the column.
    void SetStoredColumnWidth(int column, int width);

    int GetItemCount() const;
    // Inserts a row at `row` (clamped to the row count); returns its index.
    int InsertItem(int row, const QString& text, int image = -1);
    bool DeleteItem(int row);
    void DeleteAllItems();
    // Closes the cell editors open over the rows without taking their text
    // (before the rows are built anew, when a row may now stand for another
    // object).
    void CloseCellEditors();
    // Ends the cell editors open over the rows as leaving them ends them:
    // each offers what was typed into it.
    void EndCellEdits();
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    bool SetItemData(int row, quintptr data);
    quintptr GetItemData(int row) const;
    bool SetItemImage(int row, int image);
    int GetItemImage(int row) const;  // -1 = none

    // The small image list; rows show the image of their index.
    void SetImageList(const QList<QPixmap>& images);
    // The look of the feature windows' object lists: the objects' row
    // pictures (strip 136), one row selected at a time, rows alternating
    // white and cream.
    void SetObjectListLook();
    const QList<QPixmap>& GetImageList() const { return m_Images; }

    // Grid lines: a line under every row and right of every column, over the
    // whole list (the rows' pitch continued below the last row).
    void SetGridLines(bool on);
    bool GetGridLines() const { return m_gridLines; }
    // The colour the grid lines are drawn in.
    QColor GridLineColor() const;

    bool IsItemSelected(int row) const;
    bool IsItemFocused(int row) const;
    // Sets or clears the focused and selected states of a row.
    void SetItemState(int row, bool focused, bool selected);

    // Bounds of a row in viewport coordinates (empty when it is not laid out).
    QRect GetItemRect(int row) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // Height of one row in pixels (also when the list is not shown).
    int GetRowHeight() const;
    int RowOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* Row(int row) const { return topLevelItem(row); }

    static Qt::Alignment AlignmentOf(int format);

    // Widens the columns into the list's unused room whenever rows change or
    // the list is resized, so that titles and rows show whole where there is
    // room for them.
    void SetFitColumnContents(bool on);
    bool GetFitColumnContents() const { return m_fitContents; }

signals:
    // An in-place editor ended an edit that is to be offered to the owner:
    // the owner checks the text and, if it accepts it, writes it into the cell
    // itself. `editorId` is 2000 (text), 1000 (date/time) or 3000 (choices).
    void EndLabelEdit(int row, int column, const QString& text, int editorId);
    // A cell edited in the list's own editor (a name, a step's delay) was
    // confirmed: by Enter, or by leaving the cell, also for a click on
    // another list. Sent as the editor closes, before whatever took the
    // focus goes on (a click that changes what the owner shows), so that the
    // owner stores the text where the edit began. Escape sends nothing.
    void CellEdited(int row, int column, const QString& text);

public:
    void NotifyEndLabelEdit(int row, int column, const QString& text, int editorId)
    {
        emit EndLabelEdit(row, column, text, editorId);
    }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // After a resize from `oldSize`: the columns fit their contents when the
    // list was asked to; a list that sizes its columns itself does it here.
    virtual void ColumnsAfterResize(const QSize& oldSize);
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void ApplyImage(QTreeWidgetItem* item);
    void ScheduleFit();
    QList<QPixmap> m_Images;
    bool m_fitContents = false;
    bool m_fitPending = false;
    bool m_gridLines = false;
    // The cell the list's own editor is open over, and whether its text has
    // been committed since.
    QPersistentModelIndex m_editing;
    bool m_committed = false;
};
