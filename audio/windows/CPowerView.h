#pragma once
// The form of the power management window: the boot and shutdown priorities,
// the battery flags, the mains condition and the boot and shutdown macros of
// the project's power management object, and the device's power state, which
// it polls every 1.5 s while the project is the one on the device.

#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "ui/CPollPace.h"

class CEllipsisStatic;
class CRefusalWatch;
class CInternalPowerManagement;
class CValueEdit;
class QCheckBox;
class QPushButton;

class CPowerView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    explicit CPowerView(QWidget* parent = nullptr);
    ~CPowerView() override;

    void OnInitialUpdate();
    // Sends every setting (download) or asks for every setting (upload) as one block.
    void Transfer(bool upload);
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // The blocks of a transfer.
    static std::vector<std::string> UploadBlock();
    static std::vector<std::string> DownloadBlock(const CInternalPowerManagement& power);

    CValueEdit* m_battPrio = nullptr;   // key 0
    CValueEdit* m_mainsPrio = nullptr;  // key 1
    CValueEdit* m_shutPrio = nullptr;   // key 6
    QCheckBox* m_battAvail = nullptr;   // key 8
    QCheckBox* m_dropShut = nullptr;    // key 7
    CEllipsisStatic* m_mainsCond = nullptr;
    CEllipsisStatic* m_bootMacro = nullptr;
    CEllipsisStatic* m_shutMacro = nullptr;
    QPushButton* m_on = nullptr;
    QTimer m_poll {this};  // a child, so that a window switched away from stops it

private:
    void OnPrioEdited(CValueEdit* edit, uint32_t key);
    void OnBattAvail();
    void OnChoose(uint32_t key);
    void OnPowerButton();
    // The priorities and the macros and condition linked, as the project holds them.
    void ShowPriorities();
    void ShowLinks();

    CInternalPowerManagement* m_power = nullptr;
    bool m_uploading = false;  // the window's own upload runs
    CRefusalWatch* m_refusals = nullptr;  // a child
    CPollPace m_pollPace;
};
