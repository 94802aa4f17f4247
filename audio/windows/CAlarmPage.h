#pragma once
// The alarm page of the audio signal editor: the alarm generator (or an
// external source), the priority and the start and stop macros of the
// selected alarm signal.

#include "audio/windows/CSignalPage.h"

class QListWidget;
class QPushButton;

class CAlarmPage : public CSignalPage {
    Q_OBJECT
public:
    explicit CAlarmPage(QWidget* parent = nullptr);
    bool OnInitDialog() override;
    void ApplyToSignal() override;
    void LoadFromSignal() override;
    CAudioSignal* CreateSignal() override;

    QListWidget* m_generators = nullptr;
    QPushButton* m_change = nullptr;

protected:
    void OnInternChanged() override;
};
