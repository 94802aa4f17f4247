#pragma once
// The item delegate of the program's lists: a cell text the user changes in
// place is written into the cell only when the text rule takes it
// (CTextGuard); otherwise a message says why and the cell keeps its text, so
// the owner never hears of it. Lists with a delegate of their own derive it
// from this one.

#include <QStyledItemDelegate>

class CTextRuleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    // Whether the text the editor holds may go into the cell; says why not
    // (once the editor has closed).
    bool TakesEditorText(QWidget* editor, const QModelIndex& index) const;
};
