#pragma once
// Text editor opened over one cell of a list. Enter confirms: the text is
// offered to the list's owner once, when the editor goes. Leaving the editor
// (a click elsewhere, Tab, the window closing) ends the edit the same way
// when the text was changed; Escape ends it without. A changed text the text
// rule refuses is not offered, however the edit ends: a message says why. It
// deletes itself when it ends.

#include <QLineEdit>

#include "ui/CInPlaceCell.h"

class CInPlaceEdit : public QLineEdit, public CInPlaceCell {
    Q_OBJECT
public:
    CInPlaceEdit(int row, int column, const QString& initialText);

    // Creates the editor as a child of `list` at `rect` (viewport coordinates)
    // with the given alignment, puts the text in, selects it and takes the focus.
    bool Create(Qt::Alignment alignment, const QRect& rect, CListCtrl* list, int id = 2000);

    bool IsCancelled() const { return m_bCancel; }
    // Ends the edit as leaving it does: a changed text is offered.
    void EndEdit() override;
    // Ends the edit as Enter does: the text is offered.
    void Confirm() override;

signals:
    // Sent once when an edit ends with its text (also for lists that are no CListCtrl).
    void EditEnded(int row, int column, const QString& text, int editorId);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_strInitText;
    // Enter was pressed: the text is offered even when unchanged.
    bool m_bConfirmed = false;
};
