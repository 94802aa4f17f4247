#pragma once
// Text editor opened over one cell of a list. Enter confirms (the text is
// offered to the list's owner once, when the editor goes), Escape or leaving
// the editor any other way discards it. A changed text the text rule refuses
// is not offered: a message says why. It deletes itself when it ends.

#include <QLineEdit>

#include "ui/CInPlaceCell.h"

class CInPlaceEdit : public QLineEdit, public CInPlaceCell {
    Q_OBJECT
public:
    CInPlaceEdit(int row, int column, const QString& initialText);

    // Creates the editor as a child of `list` at `rect` (viewport coordinates)
    // with the given alignment, puts the text in, selects it and takes the focus.
    bool Create(Qt::Alignment alignment, const QRect& rect, CListCtrl* list, int id = 2000);

    bool IsCommitted() const { return m_bCommit; }
    // Ends the edit as a focus loss would (sends only after Enter).
    void EndEdit();
    // Ends the edit as Enter does: the text is offered.
    void Confirm();

signals:
    // Sent once when a confirmed edit ends (also for lists that are no CListCtrl).
    void EditEnded(int row, int column, const QString& text, int editorId);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_strInitText;
    bool m_bCommit = false;
};
