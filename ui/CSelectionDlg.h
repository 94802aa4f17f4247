#pragma once
// "Auswahl": the one modal pick-from-a-list dialog. The caller sets the kind
// (a string id that is also the list's column title), optionally the
// preselection text (SetSelection), the preselected row and the multiple
// choice flag, runs it and on OK reads the result fields as the kind defines:
// the chosen object's type and number, a row value, a bit mask or a range
// text in the selection.
//
// The kind decides which rows are offered and how the list behaves. The
// toolkit knows no kind: each part of the program registers its kinds
// (RegisterKind) from its windows; an unknown kind shows an empty list.
//
// OK with no row chosen chooses nothing: the dialog closes as with Cancel, so
// the caller keeps the value it had. A list without rows says so and offers
// no OK.
//
// A caller that edits a value tells the dialog what it holds (SetHeld): the
// dialog opens on exactly the rows of that object or value, whatever their
// texts, and OK without a new choice closes with Unchanged, so that the caller
// changes nothing and the project stays as it was.

#include "ui/CResizableDialog.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CBaseDevice;
class CEditListCtrl;
class CQuillomerDoc;
class CResizableButton;
class QLabel;
class QTreeWidgetItem;

class CSelectionDlg : public CResizableDialog {
    Q_OBJECT
public:
    explicit CSelectionDlg(QWidget* parent = nullptr);

    int m_nKind = 0;
    bool m_bMultiple = false;
    int m_nPreselect = 0;
    int m_nResultType = 0;
    int m_nResultNumber = 0;
    int m_nResultChannel = 0;
    // The chosen object of the relay and topology kinds (null for the none row).
    CBaseDevice* m_pResultObject = nullptr;
    QString m_strSelection;

    void SetSelection(const QString& text) { m_strSelection = text; }
    QString GetSelection() const { return m_strSelection; }
    int DoModal() { return exec(); }

    // DoModal's answer to OK on what the caller holds: nothing to change.
    static constexpr int Unchanged = 2;

    // What a caller's cell holds, as the kind's rows carry it.
    struct Held {
        bool set = false;
        bool isRanges = false;
        // An object's number (0: none), a row's value or, for the kinds that
        // hand back a bit mask, the mask.
        int number = 0;
        uint32_t type = 0;                    // the object's type where the kind offers several; 0 any
        int channel = 0;                      // an amplifier's channel from 0
        const CBaseDevice* object = nullptr;  // the row that carries this object itself
        QString ranges;                       // "Kein Eintrag", "Alle" or a range text of numbers

        bool missing = false;                 // what the cell holds is no row of the list

        static Held Number(int number, uint32_t type = 0, int channel = 0);
        // Something the list does not offer (shown as "%d *"): no row is
        // chosen, and OK without a choice keeps it.
        static Held Missing();
        // The object's own row (its channel's for an amplifier); none: the none row.
        static Held Object(const CBaseDevice* object, int channel = 0);
        // A multiple choice of numbers, as its range text.
        static Held Ranges(const QString& text);
    };
    // Before the run: the dialog opens on `held` (a range text also becomes
    // the selection text).
    void SetHeld(const Held& held);

    CEditListCtrl* List() const { return m_pList; }

    // Appends a row: column-0 text, ID column text, icon, value (an object
    // pointer, a string id or a number by kind). Returns its index.
    int AddRow(const QString& text, const QString& id, int image, quintptr value);
    int AddNoneRow(int image = 2, quintptr value = 0);
    quintptr RowValue(int row) const;

    // Fills the rows of a kind; the dialog's column layout is set by then.
    using RowProvider = std::function<void(CSelectionDlg& dialog, CQuillomerDoc* document)>;

    // The ID column: shown with its title, removed, or shown without a title.
    enum class IdColumn { Shown, Removed, Untitled };
    // How the preselection is read.
    enum class Preselect {
        Row,            // m_nPreselect is the row
        TextNoCase,     // the first row whose text equals the selection, letter case ignored, else the row index
        TextExact,      // the same, case-sensitive
        TextContains,   // every row whose text occurs in the selection text
        ValueId,        // m_nPreselect holds a row value
        FreeAddress,    // the selection text read as hexadecimal gives the row; only rows "Nicht benutzt"
                        // or the one chosen before can be picked
        // Multiple choice: "Kein Eintrag", "Alle", or a range text of
        NumbersByValue, //   decimal numbers (at most 250), each selecting the row that carries it
        HexRows,        //   hexadecimal numbers (at most 64), number n selecting row n
        DecimalValues,  //   decimal numbers, each selecting the row that carries it; others are added as rows
        HexValues,      //   the same in hexadecimal (0 included)
    };
    // What OK hands back.
    enum class Result {
        Object,         // the row's object: its type, number and text
        ObjectChannel,  // the same; for an amplifier also the channel after the last "-"
        Value,          // the row's value as the number
        Mask,           // bit (r - 1) for every chosen row r >= 1; 0 for the none row
        DecimalRanges,  // the chosen values as a decimal range text, "Kein Eintrag" or "Alle"
        AddressRanges,  // the same in hexadecimal; the number stays
        OutputSet,      // the chosen row numbers as a hexadecimal range text, "NONE" or "ALL"
        RelayObject,    // the row's object itself and its number
    };
    struct Kind {
        RowProvider rows;
        IdColumn idColumn = IdColumn::Shown;
        Preselect preselect = Preselect::Row;
        Result result = Result::Object;
        // Multiple choice: the none row and the other rows exclude each other.
        bool noneRowExclusive = false;
    };
    // Registers what a kind offers; returns the description it replaces.
    static Kind RegisterKind(int kind, Kind description);
    // Replaces only the rows of a kind; returns the provider it replaces.
    static RowProvider RegisterKindRows(int kind, RowProvider provider);
    // Every kind registered so far, in ascending order.
    static QList<int> RegisteredKinds();

    // Row providers for the common kinds:
    // the none row (when wanted), then the objects of a type with their numbers;
    static RowProvider ObjectRows(uint32_t type, int image, bool noneRow = true);
    // the none row, then the objects of a type, each carrying its number;
    static RowProvider ObjectNumberRows(uint32_t type, int image);
    // the none row, then the control pads of the given kinds;
    static RowProvider PadRows(std::vector<uint32_t> kinds, int image);
    // one row per string id, carrying the id (rows from 0).
    static RowProvider IdRows(std::vector<uint32_t> ids, int image, bool firstRowNoneIcon = false);
    void AddIdRows(const std::vector<uint32_t>& ids, int image, bool firstRowNoneIcon);

    // The single program-wide remembered row of the address kind.
    static int& RememberedAddressRow();

    void accept() override;  // OK

protected:
    bool OnInitDialog() override;

private:
    void FillRows(CQuillomerDoc* doc);
    void PreselectMultiple();
    void PreselectSingle();
    void ShadeRows();
    void OnSelectionChanged();
    void SelectRow(int row, bool on);
    // Makes `row` the current, selected and visible row.
    void ShowRow(int row);
    // Selects every row whose text is an item of the selection text.
    void SelectRowsNamedInSelection();
    // The rows of what the caller holds; false when it told nothing.
    bool PreselectHeld();
    bool RowIsHeld(int row) const;
    // The amplifier channel (from 0) a row's text names after its last "-".
    std::optional<int> ChannelOfRow(int row) const;
    bool IsRowSelected(int row) const;
    QList<int> SelectedRows() const;
    void WriteRanges(bool hex, bool setNumber);

    CResizableButton* m_btnOK;
    CResizableButton* m_btnCancel;
    CEditListCtrl* m_pList;
    QLabel* m_pEmptyNote;
    bool m_bIdColumn = true;
    Kind m_rules;
    bool m_bInSelectionChange = false;
    QList<int> m_PrevSelected;
    Held m_held;
    QList<int> m_HeldRows;  // the rows the dialog opened on for what the caller holds
};
