#pragma once
// "Relais Topologien": the relay topologies of a document in a tree; for the
// selected one the switching scheme, the number of zones, the first relay
// numbers and the amplifier channel of each input. "Übernehmen" applies.

#include "ui/CResizableDialog.h"

#include <QList>

class CBaseDevice;
class CQuillomerDoc;
class CRelaisTopology;
class CResizableButton;
class CResizableComboBox;
class CResizableEdit;
class CResizableTreeCtrl;
class QGroupBox;
class QLabel;
class QTreeWidgetItem;

class CRelaisTopologyDlg : public CResizableDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 217;

    CRelaisTopologyDlg(CRelaisTopology* topology, QWidget* parent = nullptr);

    // Runs the dialog for a topology; true on OK.
    static bool Run(CRelaisTopology* topology);

    CRelaisTopology* Current() const { return m_pTopology; }
    CResizableTreeCtrl* Tree() const { return m_pTree; }
    CResizableComboBox* SchemeCombo() const { return m_pScheme; }
    CResizableEdit* CountEdit() const { return m_pCount; }
    CResizableEdit* FirstRelayEdit() const { return m_pFirst; }
    CResizableEdit* CallRelayEdit() const { return m_pCall; }
    CResizableComboBox* InputCombo(int i) const { return m_pInputs[i]; }
    CResizableButton* ApplyButton() const { return m_btnApply; }

    // "Übernehmen": false (beep, edit selected) when a value is refused.
    bool Apply();
    // Whether the relay number in the edit is refused (it serves a zone of another topology).
    bool IsRelayTaken(CResizableEdit* edit) const;
    void SelectTopology(CRelaisTopology* topology);

    void accept() override;  // OK

protected:
    bool OnInitDialog() override;

private:
    void LoadTopology();
    void ShowSchemeRows(unsigned kind);
    void OnTreeSelection(QTreeWidgetItem* item, QTreeWidgetItem* previous);
    void OnChanged();
    void OnRelayEdited(CResizableEdit* edit, bool& valid);
    void OnCards();
    void FillInputCombo(CResizableComboBox* combo);
    QString RelayEditValue(int key) const;
    int ImageOf(unsigned kind) const;

    CQuillomerDoc* m_pDoc;
    CRelaisTopology* m_pTopology;
    bool m_bFirstValid = true;
    bool m_bCallValid = true;
    bool m_bLoading = false;

    CResizableTreeCtrl* m_pTree;
    QGroupBox* m_pGroup;
    QLabel* m_lblScheme;
    CResizableComboBox* m_pScheme;
    QLabel* m_lblCount;
    CResizableEdit* m_pCount;
    QLabel* m_lblFirst;
    CResizableEdit* m_pFirst;
    QLabel* m_lblCall;
    CResizableEdit* m_pCall;
    QLabel* m_lblInputs[4];
    CResizableComboBox* m_pInputs[4];
    QLabel* m_lblProgram;
    QLabel* m_lblCallInput;
    CResizableButton* m_btnCards;
    CResizableButton* m_btnOK;
    CResizableButton* m_btnCancel;
    CResizableButton* m_btnApply;
};
