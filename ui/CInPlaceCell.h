#pragma once
// What every editor opened over one cell of a list shares: the cell it edits,
// placing itself over that cell, keeping the keys that end the edit, and
// ending the edit exactly once. An editor derives from its Qt widget first and
// from this second, and has the signal
// EditEnded(int row, int column, const QString& text, int editorId).
//
// An edit ends with its text by Enter and by leaving the editor (a click on
// another row, elsewhere in the list or the window, Tab, the window closing):
// what was typed is never dropped by a click elsewhere. The text is then
// checked as on Enter, and a value refused is told as on Enter. Only Escape
// ends an edit without its text.

#include <QPointer>
#include <QString>

class CListCtrl;
class QEvent;
class QRect;
class QWidget;

class CInPlaceCell {
public:
    int Row() const { return m_nRow; }
    int Column() const { return m_nColumn; }
    // Ends the edit without offering its text: the row it was opened over is gone.
    void Abandon() { m_bEnded = true; }
    // Ends the edit as leaving the editor does: a text changed in it is
    // offered to the list's owner, after the editor's own check; an
    // unchanged one is not (nothing to take). Nothing after Escape.
    virtual void EndEdit() = 0;
    // Ends the edit as Enter does: the text is offered, changed or not.
    virtual void Confirm() = 0;

protected:
    CInPlaceCell(int row, int column, int id) : m_nRow(row), m_nColumn(column), m_nId(id) {}
    virtual ~CInPlaceCell() = default;
    CInPlaceCell(const CInPlaceCell&) = delete;
    CInPlaceCell& operator=(const CInPlaceCell&) = delete;

    // Makes `editor` a child of the list's viewport at `rect` (viewport
    // coordinates) in the list's font, as editor `id`. False without a list.
    bool PlaceOver(QWidget* editor, CListCtrl* list, const QRect& rect, int id);

    // Accepts a ShortcutOverride of Return, Enter or Escape (with
    // `editingKeys` also Delete and every Ctrl combination), so that the key
    // reaches the editor and not the dialog's buttons or the program's
    // shortcuts. True when it took the event.
    static bool KeepEditorKeys(QEvent* event, bool editingKeys = false);

    // Ends the edit once: hides the editor and, when `offer`, sends the text
    // `result()` gives by the editor's EditEnded and to the list's owner. The
    // editor is deleted later, unless a receiver has deleted it already.
    template <class Editor, class Result>
    void FinishEdit(Editor* editor, bool offer, Result result)
    {
        if (m_bEnded)
            return;
        m_bEnded = true;
        editor->hide();
        QPointer<Editor> self(editor);
        if (offer) {
            const QString text = result();
            emit editor->EditEnded(m_nRow, m_nColumn, text, m_nId);
            if (self)
                NotifyList(text);
        }
        if (self)
            editor->deleteLater();
    }

    // Gives the focus back to the list (before the edit ends on a key).
    void FocusList();

    bool m_bEnded = false;
    // Escape was pressed: the edit ends without its text.
    bool m_bCancel = false;

private:
    void NotifyList(const QString& text);

    QPointer<CListCtrl> m_pList;
    int m_nRow;
    int m_nColumn;
    int m_nId;
};
