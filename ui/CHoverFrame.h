#pragma once
// The dotted frame that follows the mouse over the cells of a list: the cell
// under the mouse (within the columns the list allows) is outlined, the
// frame moves with the mouse and is gone when the mouse leaves the list.
// Every list of the program draws it through this one painter, directly and
// not through the style (some styles draw no focus frames at all).

#include <QObject>
#include <QPersistentModelIndex>

class QAbstractItemView;
class QPainter;
class QPalette;
class QRect;

class CHoverFrame : public QObject {
public:
    // Follows the mouse over `view`'s cells in the columns `firstColumn` to
    // `lastColumn` (-1: every column from `firstColumn` on). Owned by the view.
    explicit CHoverFrame(QAbstractItemView* view, int firstColumn = 1, int lastColumn = -1);

    // The framed cell (invalid when none).
    QModelIndex Hovered() const { return m_hover; }
    // Removes the frame (a selection change, a rebuilt list).
    void Clear();

    // The frame of `view`, null when it has none.
    static CHoverFrame* Of(const QAbstractItemView* view);
    // Draws the dotted frame just inside `cell`, in the text colour of the
    // palette (its highlighted text colour over a selected row).
    static void Paint(QPainter& painter, const QRect& cell, const QPalette& palette, bool selected);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHover(const QModelIndex& index);
    bool Counts(const QModelIndex& index) const;
    void PaintOver();

    QAbstractItemView* m_view;
    int m_firstColumn;
    int m_lastColumn;
    QPersistentModelIndex m_hover;
    bool m_painting = false;
};
