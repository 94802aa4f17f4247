#pragma once
// "Auswahl": the one modal pick-from-a-list dialog. The caller sets the kind
// (a string id that is also the list's column title), optionally the
// preselection text (SetSelection), the preselected row and the multiple
// choice flag, runs it and on OK reads the result fields as the kind defines:
// the chosen object's type and number, a row value, a bit mask or a range
// text in the selection.
//
// Kinds whose rows come from a subsystem that registers them itself (see
// RegisterKindRows) show those rows; an unknown kind shows an empty list.

#include "ui/CResizableDialog.h"

#include <QString>

#include <functional>

class CBaseDevice;
class CEditListCtrl;
class CQuillomerDoc;
class CResizableButton;
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

    CEditListCtrl* List() const { return m_pList; }

    // Appends a row: column-0 text, ID column text, icon, value (an object
    // pointer, a string id or a number by kind). Returns its index.
    int AddRow(const QString& text, const QString& id, int image, quintptr value);
    int AddNoneRow(int image = 2, quintptr value = 0);
    quintptr RowValue(int row) const;

    // Rows of a kind that another part of the program supplies.
    using RowProvider = std::function<void(CSelectionDlg& dialog, CQuillomerDoc* document)>;
    static RowProvider RegisterKindRows(int kind, RowProvider provider);

    // The single program-wide remembered row of the address kind.
    static int& RememberedAddressRow();

    void accept() override;  // OK

protected:
    bool OnInitDialog() override;

private:
    void FillRows(CQuillomerDoc* doc);
    void FillObjects(CQuillomerDoc* doc, uint32_t type, int image, bool noneRow, bool numberColumn);
    void FillPads(CQuillomerDoc* doc, std::initializer_list<uint32_t> kinds, int image);
    void FillIds(const std::vector<uint32_t>& ids, int image, bool firstRowNoneIcon);
    void PreselectMultiple();
    void PreselectSingle();
    void ShadeRows();
    void OnSelectionChanged();
    void SelectRow(int row, bool on);
    // Makes `row` the current, selected and visible row.
    void ShowRow(int row);
    // Selects every row whose (non-empty) text occurs in the selection text.
    void SelectRowsNamedInSelection();
    bool IsRowSelected(int row) const;
    QList<int> SelectedRows() const;
    void WriteRanges(bool hex, bool setNumber);

    CResizableButton* m_btnOK;
    CResizableButton* m_btnCancel;
    CEditListCtrl* m_pList;
    bool m_bIdColumn = true;
    int m_nOkRule = 0;
    int m_nPreselRule = 0;
    bool m_bInSelectionChange = false;
    QList<int> m_PrevSelected;
};
