#pragma once
// The power pack's set-up dialog: the contacts that switch the power and
// report a mains failure, the external on/off input, the consoles' LCD texts
// in mains, battery and standby operation, the battery and the boot
// priorities. OK hands everything to CPowerSupplySetup, unless the project
// lacks the numbers for an object a setting needs: then it says so, takes
// nothing and stays open. Cancel changes nothing.

#include <QDialog>

#include "hardware/CPowerSupplySetup.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabBar;

class CPowerSupplyDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 460;

    CPowerSupplyDlg(CAudioInputDevice* pack, QWidget* parent = nullptr);

    QTabBar* Tabs() const { return m_tabs; }
    QCheckBox* BatteryBox() const { return m_battery; }
    QComboBox* ConsoleBox() const { return m_console; }
    // The settings as the controls hold them.
    PowerSupplySettings Gather() const;

protected:
    void accept() override;

private:
    void BuildControls();
    void Load();
    int EventOfTab(int tab) const;
    void ShowEvent();
    void OnBatteryClicked();
    // The name of a set-up item (CPowerSupplySetup::Shortfall) as the dialog labels it.
    QString SettingName(int item) const;
    static void FillContacts(QComboBox* box, CQuillomerDoc* doc, std::initializer_list<uint32_t> kinds, int32_t number);

    CAudioInputDevice* m_pack;
    CPowerSupplySetup m_setup;
    PowerSupplySettings::Lcd m_lcd[PowerSupplySettings::kEvents];
    int m_shownEvent = 0;  // the event whose text the edit shows
    bool m_filling = false;

    QComboBox* m_power;
    QComboBox* m_mainsFail;
    QTabBar* m_tabs;
    QComboBox* m_console;
    QLineEdit* m_text;
    QComboBox* m_external;
    QCheckBox* m_battery;
    QRadioButton* m_seamless;
    QRadioButton* m_standby;
    QSlider* m_mainsPrio;
    QLineEdit* m_mainsPrioText;
    QSlider* m_battPrio;
    QLineEdit* m_battPrioText;
};
