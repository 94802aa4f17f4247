#pragma once
// The macro list of the macro window: every macro of the project with its
// name, type and number. Its selection decides the editor view; the name is
// edited in place, a double click on the type changes the type, Delete
// deletes, and the context menu sends or reads the selected macro alone. It
// also carries the operations behind the window's commands.
//
// A row keeps its macro's number, not the macro: an upload's answers delete
// and make macros while the window still takes clicks, so every use finds the
// macro again in the object directory (a row whose macro has gone does nothing).

#include "ui/CListCtrl.h"

#include <cstdint>

class CHoverFrame;
class CMacro;
class CMacroDlgFrm;

class CMacroDlgListView : public CListCtrl {
    Q_OBJECT
public:
    explicit CMacroDlgListView(QWidget* parent = nullptr);
    ~CMacroDlgListView() override;

    CMacroDlgFrm* Frame() const;

    // Rebuilds titles, widths and rows and selects the current macro number
    // (else the first row).
    void FillList();
    CMacro* GetCurrentMacro() const;
    // The macro a row stands for, null when the row has none or its macro has gone.
    CMacro* MacroAt(int row) const;
    // The number of a row's macro, 0 for none.
    int NumberAt(int row) const;
    // The selected macro's type, 0 when none.
    uint32_t GetCurrentMacroType() const;
    int SelectedRow() const;
    // Selects, focuses and shows one row (the editor view follows).
    void SelectRow(int row);

    // Asks for a type and makes one macro or a pair; false when nothing was made.
    bool CreateMacro();
    // Deletes the selected macro; the neighbour row becomes the current one.
    void DeleteSelectedItem();
    // All macros to (upload false) or from the device through the macro block.
    void TransferAllMacros(bool upload);
    // The selected macro alone; nothing happens without a selected macro.
    void TransferSelectedMacro(bool upload);
    // Starts the selected macro on the device.
    void RunMacro();
    // Whether the context menu offers "Download" and "Upload": connected and
    // a macro selected.
    bool ItemTransferEnabled() const;

    // The type dialog on a row (what a double click on the type column does).
    void ChangeType(int row);
    // Ends an in-place rename of a row with `text`.
    void Rename(int row, const QString& text);

    // The number of the macro selected after the next refill.
    int m_currentNumber = 0;

    // Column widths as stored ("%d,%d,%d"); what does not parse keeps the defaults.
    static void ParseColumnWidths(const QString& stored, int widths[3]);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RenameNumber(int number, const QString& text);

    bool m_filling = false;
    CHoverFrame* m_hover = nullptr;
};
