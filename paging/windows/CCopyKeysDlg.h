#pragma once
// "Tastenzuordnung kopieren": asks to which other console the whole key
// assignment of the shown console is copied.

#include <QDialog>

#include <string>

#include "model/CBaseDevice.h"

class QComboBox;
class QLineEdit;

class CCopyKeysDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 389;

    explicit CCopyKeysDlg(QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    QComboBox* GetCombo() const { return m_combo; }

    // Set by the caller before the dialog opens.
    std::string m_sourceName;
    DeviceList m_consoles;
    CBaseDevice* m_source = nullptr;
    // The console chosen with OK (null when none was).
    CBaseDevice* m_chosen = nullptr;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_name = nullptr;
    QComboBox* m_combo = nullptr;
    bool m_filled = false;
};
