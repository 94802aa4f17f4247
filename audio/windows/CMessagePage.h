#pragma once
// The message page of the audio signal editor: the recorder message (or an
// external source), the priority and the start and stop macros of the
// selected message signal.

#include "audio/windows/CSignalPage.h"

class QListWidget;

class CMessagePage : public CSignalPage {
    Q_OBJECT
public:
    explicit CMessagePage(QWidget* parent = nullptr);
    bool OnInitDialog() override;
    void ApplyToSignal() override;
    void LoadFromSignal() override;
    CAudioSignal* CreateSignal() override;

    QListWidget* m_messages = nullptr;
};
