#pragma once
// The list of a control-logic window: one row (or a group of rows) per object
// of one type in number order, rebuilt from the document after every change.
// Shared by the condition, trigger, logic-output, ready-input and memo-flag
// windows: alternating row backgrounds, a dotted frame that follows the mouse
// over the cells right of the name, reselection of the remembered number after
// each rebuild, the common delete, the Download / Upload context menu for the
// selected entry, the whole and single-entry transfers through the frame, and
// live polling started and stopped by a click on the "Status" header.
//
// A row keeps its object's number, not the object: an upload's answers delete
// entries while the window takes input, so every use finds the object again
// (a row whose object has gone does nothing).

#include <QTimer>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/CListCtrl.h"
#include "ui/CSelectionDlg.h"

class CBaseDevice;
class CCommLink;
class CFeatureFrm;
class CHoverFrame;
class CQuillomerDoc;

class CLogicListView : public CListCtrl {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1500;

    CLogicListView(uint32_t type, unsigned deleteCommand, QWidget* parent = nullptr);

    uint32_t GetType() const { return m_type; }
    CFeatureFrm* Frame() const;
    int SelectedRow() const;
    void SelectRow(int row);
    CBaseDevice* ObjectOf(int row) const;
    // The number of a row's object, 0 for none.
    int NumberAt(int row) const;
    // Objects of the window's type in the active document.
    int ObjectCount() const;

    // Rebuilds the rows from the document; stops live polling.
    void RefreshList();
    // Creates one object; true when one was added (its number is remembered).
    virtual bool NewEntry() = 0;
    // Deletes the selected row's object without a question and remembers
    // the neighbour's number (below, else above).
    virtual void DeleteSelectedItem();

    // The whole table (mode 0 download, 1 upload) or the selected entry.
    void TransferAll(int mode);
    void TransferSelected(int mode);

    // Live state: the click on a header and one poll.
    void OnHeaderClick(int column);
    bool IsPolling() const { return m_pollTimer.isActive(); }
    void PollNow();

    // A double-click on a cell and the end of an edit of a cell (in place or label).
    virtual void EditCell(int row, int column) { Q_UNUSED(row) Q_UNUSED(column) }
    virtual void OnEndLabelEdit(int row, int column, const QString& text);

    // The selection dialog; tests replace it. `held` is what the cell holds
    // (nothing for a new entry), `presetValue` the value a new entry's choice
    // opens on for the kinds that preselect the row carrying a value. Returns
    // false on Cancel and on OK without a new choice; on OK `number` holds
    // the chosen value and `text` the chosen text.
    using Chooser = bool (*)(QWidget* parent, int kind, bool multiple, const CSelectionDlg::Held& held,
                             int presetValue, int* number, QString* text);
    static Chooser SetChooser(Chooser chooser);
    static bool Choose(QWidget* parent, int kind, bool multiple, const CSelectionDlg::Held& held, int* number,
                       QString* text = nullptr, int presetValue = 0);
    // What an entry links at `key`, for the dialog: the object, or the none row.
    static CSelectionDlg::Held LinkedHeld(const CBaseDevice& entry, int32_t key);

    // The table's block object (number 1 of `type`) in the active document.
    static CBaseDevice* FindBlock(uint32_t type);
    // The numbers of a range-list answer: the text after its last blank.
    static std::vector<uint8_t> ParseAnswerSet(const std::string& answer, unsigned max);
    // Whether the device refused a question ("PATH ? "): it answered, with
    // no state to show.
    static bool IsRefusedAnswer(const std::string& answer);

    int m_reselect = 0;  // the number whose row is selected after the next rebuild

signals:
    // The rows were rebuilt from the document (the frame sets its buttons again).
    void ListRebuilt();

protected:
    struct Column {
        QString title;
        int width;
        int format = -1;  // LVCFMT_*; -1: the ID column right-aligned, the others left
    };
    virtual std::vector<Column> Columns() const = 0;
    // Appends the rows of one object.
    virtual void AddRows(CBaseDevice* obj) = 0;
    // The block object and the reset step of the window's part (null: no transfers).
    virtual CBaseDevice* Block() const { return nullptr; }
    virtual int ResetStep() const { return -1; }
    // The steps first .. end - 1 of entry n (n 0: no entry selected).
    virtual std::pair<int, int> EntrySteps(int n) const = 0;
    // The live-state column (-1: none) and one poll of the device (null:
    // the line is lost, every question is answered by nothing).
    virtual int StatusColumn() const { return -1; }
    virtual void Poll(CCommLink* link) { Q_UNUSED(link) }
    // A synchronous question on the link; an empty answer without one.
    static std::string Ask(CCommLink* link, const std::string& line, int waitMs);

    // Places a new object of the window's type (next free number, default
    // name) and remembers it for reselection; false when none is free.
    bool CreateEntry(CBaseDevice* obj, uint32_t kind);
    // Appends a row with the object's name, image and number.
    int AddObjectRow(CBaseDevice* obj, int image);
    // Makes a row stand for an object (rows keep the object's number).
    void SetRowObject(int row, const CBaseDevice* obj);
    // A CInPlaceEdit over the cell.
    void EditInPlace(int row, int column);
    // The status title, with " *" while polling.
    void SetStatusTitle(bool polling);
    static QString Str(uint32_t id);

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RebuildRows();
    void StopPolling();

    uint32_t m_type;
    unsigned m_deleteCommand;
    QTimer m_pollTimer {this};  // a child, so that a window switched away from stops it
    CHoverFrame* m_hover;
};
