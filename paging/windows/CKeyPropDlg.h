#pragma once
// The key properties ("Tasteneigenschaften"): the modeless dialog in which the
// user gives the selected console key its function and the function's values.
// It edits the key's working copy; the keys page turns it into the console's
// links when it is applied.

#include <QDialog>

#include <cstdint>
#include <string>

class CBaseDevice;
class CConsKey;
class CDelaySpinBox;
class CKeyMacroDlg;
class CKeyView;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

class CKeyPropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 367;

    CKeyPropDlg(CKeyView* view, CConsKey* key);
    ~CKeyPropDlg() override;

    void ShowKey(CConsKey* key);
    CConsKey* GetKey() const { return m_key; }
    CKeyView* GetView() const { return m_view; }

    // What the user does in the lists (also for tests).
    void ChooseFunction(int32_t function);
    // null: "Aktuelle Auswahl" (no target of its own).
    void ChooseTarget(CBaseDevice* target);
    void ChooseSignal(CBaseDevice* signal);
    void ToggleShowAll();

    QListWidget* GetFunctionList() const { return m_functions; }
    QListWidget* GetTargetList() const { return m_targets; }
    QListWidget* GetSignalList() const { return m_signals; }
    CDelaySpinBox* GetDelaySpin() const { return m_delay; }
    QComboBox* GetStopCombo() const { return m_stop; }
    QSpinBox* GetPrioritySpin() const { return m_priority; }
    QCheckBox* GetProtectCheck() const { return m_protect; }
    QCheckBox* GetPreChimeCheck() const { return m_preChime; }
    QPushButton* GetMacroButton() const { return m_macroButton; }
    CKeyMacroDlg* GetMacroDlg() const { return m_macroDlg; }

    // The macro dialog changed the activation (type index).
    void OnMacroActivation(int type);
    void OpenMacroDialog();

    // The default value text of a function for this key's console.
    std::string DefaultValueText(int32_t function) const;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FillFunctions(uint32_t mask);
    void ShowControls();
    void FillTargets();
    void FillSignals(uint32_t type);
    void SelectData(QListWidget* list, const void* data);
    void OnFunctionRow(int row);
    void OnTargetRow(int row);
    void OnSignalRow(int row);

    CKeyView* m_view;
    CConsKey* m_key = nullptr;
    CKeyMacroDlg* m_macroDlg = nullptr;
    uint32_t m_mask = 0;
    bool m_showAll = false;
    bool m_filling = false;
    uint32_t m_signalType = 0;

    QListWidget* m_functions = nullptr;
    QLabel* m_targetLabel = nullptr;
    QListWidget* m_targets = nullptr;
    QLabel* m_signalLabel = nullptr;
    QListWidget* m_signals = nullptr;
    QLabel* m_delayLabel = nullptr;
    CDelaySpinBox* m_delay = nullptr;
    QLabel* m_stopLabel = nullptr;
    QComboBox* m_stop = nullptr;
    QLabel* m_priorityLabel = nullptr;
    QSpinBox* m_priority = nullptr;
    QCheckBox* m_protect = nullptr;
    QCheckBox* m_preChime = nullptr;
    QPushButton* m_macroButton = nullptr;
};
