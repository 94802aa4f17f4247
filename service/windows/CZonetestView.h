#pragma once
// The lower pane of the zone test window: the daily line test's schedule
// (time, console display, the contact output that follows the test) and the
// manual measurements on the lines selected in the zone list above.

#include <QWidget>

class CZoneListView;
class CZonetestObject;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class CDateTimeEdit;

class CZonetestView : public QWidget {
    Q_OBJECT
public:
    CZonetestView(CZoneListView* zoneList, QWidget* parent = nullptr);

    void OnInitialUpdate();
    // "Messung durchführen": unlocks the measurement buttons.
    void OnMeasureCheck();

    // Schedule handlers: each change is written into the project at once.
    void OnLineTestCheck();
    void OnTimeChange();
    void OnLineTestDisplayChange();
    void OnImpedanceCheck();
    void OnImpedanceDisplayChange();
    void OnOutputChange();

    QPushButton* GetMeasureToggle() const { return m_measure; }
    QPushButton* GetButton(int id) const;
    QLabel* GetNote() const { return m_note; }

private:
    CZonetestObject* Settings() const;
    void SetSchedule(int key, int value);
    int PickerTime() const;
    void ClearOutput();

    CZoneListView* m_zoneList;
    QCheckBox* m_lineTest = nullptr;
    CDateTimeEdit* m_time = nullptr;
    QComboBox* m_display = nullptr;
    QComboBox* m_output = nullptr;
    // Part of the form but not shown: keeps projects with impedance schedule
    // objects consistent.
    QCheckBox* m_impedance = nullptr;
    QComboBox* m_impedanceDisplay = nullptr;
    QPushButton* m_measure = nullptr;
    QPushButton* m_testReference = nullptr;
    QPushButton* m_testMeasure = nullptr;
    QPushButton* m_impedanceReference = nullptr;
    QPushButton* m_impedanceMeasure = nullptr;
    QPushButton* m_selectAll = nullptr;
    QLabel* m_note = nullptr;
};
