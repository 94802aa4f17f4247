#pragma once
// The lower pane of the zone test window: the daily line test's schedule
// (time, console display, the contact output that follows the test) and the
// manual measurements on the lines selected in the zone list above.

#include <QWidget>

class CZoneListView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimeEdit;

class CZonetestView : public QWidget {
    Q_OBJECT
public:
    CZonetestView(CZoneListView* zoneList, QWidget* parent = nullptr);

    void OnInitialUpdate();
    // "Messung durchführen": unlocks the measurement buttons.
    void OnMeasureCheck();

    QPushButton* GetMeasureToggle() const { return m_measure; }
    QPushButton* GetButton(int id) const;
    QLabel* GetNote() const { return m_note; }

private:
    CZoneListView* m_zoneList;
    QCheckBox* m_lineTest = nullptr;
    QTimeEdit* m_time = nullptr;
    QComboBox* m_display = nullptr;
    QComboBox* m_output = nullptr;
    QPushButton* m_measure = nullptr;
    QPushButton* m_testReference = nullptr;
    QPushButton* m_testMeasure = nullptr;
    QPushButton* m_impedanceReference = nullptr;
    QPushButton* m_impedanceMeasure = nullptr;
    QPushButton* m_selectAll = nullptr;
    QLabel* m_note = nullptr;
};
