#pragma once
// The clock window's form: the clock form with the window's own kept answer
// texts. While the project is the one on the device it polls the clock once
// a second.

#include "calendar/windows/CClockForm.h"

class CClkView : public QWidget {
    Q_OBJECT
public:
    explicit CClkView(QWidget* parent = nullptr);
    CClockForm* Form() const { return m_form; }
    void OnInitialUpdate();

private:
    CClockForm* m_form = nullptr;
};
