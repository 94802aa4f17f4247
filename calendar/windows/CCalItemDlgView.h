#pragma once
// The list of appointments or holiday programmes: one row per object in
// number order, in-place editing of the name, the dates and the time,
// selection dialogs for the function and the macro or day programme, and the
// transfer of the selected item.
//
// A row keeps its object's number: an upload's answers delete and make items
// while the window takes input, so every use finds the object again.

#include "calendar/windows/CCalendarListView.h"
#include "ui/CSelectionDlg.h"

#include <cstdint>

class CBaseDevice;

class CCalItemDlgView : public CCalendarListView {
    Q_OBJECT
public:
    struct Variant {
        uint32_t type;         // OT_APPOINT or OT_HOLIDAY
        uint32_t kindId;       // the kind and the name word of new objects
        int resetStep;         // the calendar block's part
        int firstStep;         // the step of item 1
        bool holiday;
        uint32_t detailKind;   // selection kind of column 5
    };

    CCalItemDlgView(const Variant& variant, QWidget* parent = nullptr);

    const Variant& GetVariant() const { return m_variant; }
    void Refill();
    // The object of a row (null for none, or when it has gone).
    CBaseDevice* ObjectOf(int row) const;
    // The number of a row's object (0 for none) and the row of a number (-1).
    int NumberAt(int row) const;
    int RowOfNumber(int number) const;

    // Frame commands.
    void NewItem();
    void DeleteSelected();
    void TransferAll(int mode);
    void TransferSelected(int mode);

    // An edited cell's text (the name, a date, the time, the end date).
    void OnEndLabelEdit(int row, int column, const QString& text);
    void OnDoubleClick(int row, int column);

    // The selection dialog, opening on what the cell holds; tests replace it.
    // Returns false on Cancel and on OK without a new choice.
    using Chooser = bool (*)(QWidget* parent, int kind, const CSelectionDlg::Held& held, int* result);
    static Chooser SetChooser(Chooser chooser);

    int m_remembered = 0;  // the number to select after a refill

private:
    Variant m_variant;
};
