#pragma once
// "Externe Audiosignale": the sequences of one message device. Lists them,
// creates and deletes them and, on "Übernehmen", builds the control objects
// that make the central device run the selected one (the work itself is
// CQtbSequenceSetup's; this window only gathers the choices).

#include <QDialog>

#include "hardware/CQtbSequenceSetup.h"

class CAudioInputDevice;
class CListCtrl;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTreeWidgetItem;

class CExtAudioSignalsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 381;
    static constexpr int kToolBarId = 426;

    CExtAudioSignalsDlg(CAudioInputDevice* device, QWidget* parent = nullptr);

    // "Übernehmen": false when an error ended it.
    bool OnApply();
    void NewSequence(uint32_t kind);
    void DeleteSelected();
    CListCtrl* List() const { return m_list; }

    // The connections of the selected sequence, modally (a right double click
    // on a row).
    void ShowConnections();

protected:
    void accept() override;  // OK: Apply, then close (also after an error)
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillCombos();
    void FillConditions();
    void FillControls();
    void ClearControls();
    void UpdateButtons();
    void Changed();
    void OnSelectionChanged();
    void OnRenamed(QTreeWidgetItem* item);
    void ChooseZones();
    void ChooseCondition();
    void AddRow(CBaseDevice* sequence);
    CBaseDevice* Selected() const;
    QtbSequenceSettings Gather() const;
    static void Choose(QComboBox* box, const QtbChoice& choice);
    static QtbChoice ChoiceOf(const QComboBox* box);

    CAudioInputDevice* m_device;
    CQuillomerDoc* m_doc;
    CQtbSequenceSetup m_setup;
    CBaseDevice* m_current = nullptr;  // the sequence the controls show
    DeviceList m_zones;
    bool m_filling = false;
    bool m_priorityChanged = false;

    CListCtrl* m_list;
    QAction* m_newAlarm;
    QAction* m_newGong;
    QAction* m_newText;
    QAction* m_delete;
    QComboBox* m_startStop;
    QComboBox* m_running;
    QComboBox* m_fault;
    QSlider* m_priority;
    QLineEdit* m_priorityText;
    QCheckBox* m_externalStart;
    QComboBox* m_condition;
    QPushButton* m_conditionButton;
    QPushButton* m_zonesButton;
    QLabel* m_zoneText;
    QCheckBox* m_lcd;
    QComboBox* m_console;
    QLineEdit* m_lcdText;
    QPushButton* m_apply;
    QPushButton* m_cancel;
};
