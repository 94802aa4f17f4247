#pragma once
// A dotted focus frame that follows the mouse over the cells of a list's
// columns 1 and higher (never the first column), gone when the mouse leaves
// the list.

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class QAbstractItemView;

class CHoverCellDelegate : public QStyledItemDelegate {
public:
    // Becomes `view`'s item delegate and follows the mouse over its viewport.
    explicit CHoverCellDelegate(QAbstractItemView* view);

    // The framed cell (invalid when none).
    QModelIndex Hovered() const { return m_hover; }
    // Removes the frame.
    void Clear();

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHover(const QModelIndex& index);

    QAbstractItemView* m_view;
    QPersistentModelIndex m_hover;
};
