#pragma once
// Drop-down list of choices opened over one cell of a list. Choosing an item
// (mouse, arrow key, Enter) or closing the drop-down ends the edit and offers
// the chosen text to the list's owner at once; Escape ends it without. It
// deletes itself when it ends.

#include <QComboBox>
#include <QStringList>

#include "ui/CInPlaceCell.h"

class CListCtrl;

class CInPlaceComboBox : public QComboBox, public CInPlaceCell {
    Q_OBJECT
public:
    // A negative initial index selects the first choice equal to the cell's text.
    CInPlaceComboBox(int row, int column, const QStringList& choices, int initialIndex);

    bool Create(const QRect& rect, CListCtrl* list, const QString& cellText, int id = 3000);

    bool IsCancelled() const { return m_bCancel; }
    // Ends the edit with the chosen text, also when it is unchanged.
    void EndEdit() override;
    void Confirm() override;
    void hidePopup() override;

signals:
    void EditEnded(int row, int column, const QString& text, int editorId);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QStringList m_lstItems;
    int m_nSel;
};
