#pragma once
// The clock dialog: the modal form of the clock window that the designer's
// clock symbol opens. It polls whether or not the device is connected; OK
// takes the slave clock's run and invert states into the project.

#include <QDialog>
#include <string>

#include "calendar/windows/CClockForm.h"

class CClock;

class CClockDlg : public QDialog {
    Q_OBJECT
public:
    explicit CClockDlg(CClock* clock, QWidget* parent = nullptr);
    CClockForm* Form() const { return m_form; }
    void accept() override;

private:
    CClock* m_clock;
    CClockForm* m_form = nullptr;
    std::string m_openRun;
    std::string m_openInvert;
};
