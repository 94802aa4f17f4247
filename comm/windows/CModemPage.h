#pragma once
// The page "Verbindung" of the preferences sheet: stay online on a project
// change, the PC modem, the number to dial, and the initialisation string of
// the modem inside the central device (read from and sent to a connected
// device).
//
// "StayOnline" and "ModemName" are stored as soon as they change; "CallNumber"
// and "KVTModemString" only by OnOK.

#include <QString>

#include "ui/CPropertyPage.h"

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CModemPage : public CPropertyPage {
    Q_OBJECT
public:
    // What the page needs of the device link (the sheet's owner fills it in).
    struct LinkAccess {
        // The connected flag of the active document (false without one).
        std::function<bool()> isConnected;
        // A synchronous query: the raw answer that came within waitMs.
        std::function<std::string(const std::string& line, int waitMs)> query;
        // Sends one line for the active document, not shortened.
        std::function<void(const std::string& line)> sendCommand;
    };

    explicit CModemPage(LinkAccess link = {}, QWidget* parent = nullptr);
    CModemPage(LinkAccess link, const QString& modemStore, QWidget* parent = nullptr);

    // The program's device link: the active document's connected flag, the
    // link's synchronous query and the main frame's line sender.
    static LinkAccess DeviceLinkAccess();
    // Makes the preferences sheet show this page (on the program's device
    // link); returns the factory it replaces.
    static std::function<CPropertyPage*()> RegisterWithPreferences();

    // Reads the settings into the controls (when the page is first shown).
    bool OnInitDialog() override;
    // OK and Apply of the sheet: stores the call number and the device
    // modem's initialisation string.
    bool OnApply() override;
    void OnOK();

    // The page's controls (for the sheet's layout and for tests).
    QCheckBox* StayOnlineCheck() const { return m_stayOnline; }
    QComboBox* ModemCombo() const { return m_modem; }
    QLineEdit* CallNumberEdit() const { return m_callNumber; }
    QPushButton* SendInitButton() const { return m_sendInit; }
    QPlainTextEdit* InitStringEdit() const { return m_initString; }
    // The device behind COM n (1..4).
    static constexpr int kPortCount = 4;
    QComboBox* PortDeviceCombo(int port) const { return m_portDevice[port - 1]; }

    // The last blank-separated word of the device's answer.
    static QString LastWordOfAnswer(const std::string& answer);
    // The device modem's initialisation string as one line.
    QString InitString() const;
    // The init string as one line: line breaks become blanks.
    static QString OneLine(QString text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void OnModemChanged(int index);
    void OnStayOnlineClicked();
    void OnSendInit();

    LinkAccess m_link;
    QString m_store;
    bool m_connected = false;
    QCheckBox* m_stayOnline = nullptr;
    QComboBox* m_portDevice[kPortCount] = {};
    QComboBox* m_modem = nullptr;
    QLineEdit* m_callNumber = nullptr;
    QPushButton* m_sendInit = nullptr;
    QPlainTextEdit* m_initString = nullptr;
};
