#pragma once
// Report list whose cells (except the first column's) are edited in place: a
// click on a cell of the focused and selected row opens an editor over
// exactly that cell (text, date, time or a drop-down of choices, chosen per
// column). When an edit ends with its text (Enter, or the editor left by a
// click elsewhere, Tab or scrolling), EndLabelEdit is emitted with row,
// column and the new text; the owner checks it and writes the cell itself.
// Neither the list nor the editors ever change a cell.
//
// The list also moves with its resizable dialog and then sets its column
// widths from m_aColumnPercent.

#include "ui/CListCtrl.h"
#include "ui/CResizableWidget.h"

#include <QCursor>
#include <QList>
#include <QStringList>

#include <optional>

class CInPlaceEdit;
class CInPlaceDateTimeCtrl;
class CInPlaceComboBox;

// How a column is edited: text, date, time, or one of a list of choices (the
// list is owned by the owner and must live as long as the list control).
struct ColumnEditorKind {
    enum Kind { Text = 0, Date = 1, Time = 2, Choices = 3 };
    Kind kind = Text;
    const QStringList* choices = nullptr;

    static ColumnEditorKind TextEdit() { return {Text, nullptr}; }
    static ColumnEditorKind DatePicker() { return {Date, nullptr}; }
    static ColumnEditorKind TimePicker() { return {Time, nullptr}; }
    static ColumnEditorKind DropDown(const QStringList* list) { return {Choices, list}; }
};

class CEditListCtrl : public CResizableWidget<CListCtrl> {
    Q_OBJECT
public:
    // Editor ids, passed with EndLabelEdit.
    enum { IDC_DATETIME_EDITOR = 1000, IDC_TEXT_EDITOR = 2000, IDC_COMBO_EDITOR = 3000 };

    explicit CEditListCtrl(QWidget* parent = nullptr);

    // Cursor shown over selected or focused rows; none by default.
    std::optional<QCursor> m_EditCursor;
    // Share of the list's width per column in percent; empty = never changed.
    QList<quint16> m_aColumnPercent;
    // Editor per column (index = column); columns beyond the end edit as text.
    QList<ColumnEditorKind> m_aColumnEditor;

    // Cells are edited in place only with this style (off by default, as the
    // edit-labels style of a list).
    void SetEditLabels(bool on) { m_bEditLabels = on; }
    bool HasEditLabels() const { return m_bEditLabels; }

    int GetClientWidth() const;
    // Appends the index of every selected row, in row order; returns the
    // array's size afterwards (0 for a null array).
    int GetSelectedItems(QList<int>* rows) const;
    // Row and column at a point in viewport coordinates; -1 when no cell.
    int HitTestEx(const QPoint& point, int* column) const;

    CInPlaceEdit* EditText(int row, int column);
    CInPlaceDateTimeCtrl* EditDateTime(int row, int column, bool time);
    CInPlaceComboBox* EditCombo(int row, int column, const QStringList* choices, int initialIndex);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void AfterReposition(const QSize& oldClient) override;
    void ColumnsAfterResize(const QSize& oldSize) override;

private:
    // Gives each column its share of the list's width (columns without one
    // keep theirs).
    void ApplyColumnShares();
    // Common first steps of opening an editor: the cell's editor rectangle.
    bool EditorRect(int row, int column, int minWidth, QRect* rect);
    ColumnEditorKind EditorOf(int column) const;

    bool m_bEditLabels = false;
};
