#pragma once
// SEQUENCE: up to five macros run one after another, each after a delay and
// under a condition (parameters 41..45, 46..50 and 51..55), shown as five
// rows edited in place: a double click on a macro or condition cell opens the
// chooser, on a delay cell an edit. Only the edited macro is written.

#include "macros/windows/CMacroEditorView.h"

class CListCtrl;

class CSequenceMacroView : public CMacroEditorView {
public:
    explicit CSequenceMacroView(QWidget* parent = nullptr);

    CListCtrl* List() const { return m_list; }
    // What a double click on a cell does.
    void EditCell(int row, int column);
    // The end of a delay edit of a row (text empty: cancelled).
    void EndDelayEdit(int row, const QString& text);

protected:
    void OnInitialUpdate() override;

private:
    void FillTexts();

    CListCtrl* m_list = nullptr;
};
