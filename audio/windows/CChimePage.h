#pragma once
// The chime page of the audio signal editor: the gong generator and the
// priority of the selected chime signal. Chime signals are always made in
// the device.

#include "audio/windows/CSignalPage.h"

class QListWidget;
class QPushButton;

class CChimePage : public CSignalPage {
    Q_OBJECT
public:
    explicit CChimePage(QWidget* parent = nullptr);
    bool OnInitDialog() override;
    void ApplyToSignal() override;
    void LoadFromSignal() override;
    CAudioSignal* CreateSignal() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

    QListWidget* m_generators = nullptr;
    QPushButton* m_change = nullptr;
};
