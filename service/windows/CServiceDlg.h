#pragma once
// "Service Funktionen": the device's power-on count, operating time and
// software version, its built-in tests and its SPI and logic registers. Opened
// by the "Service" object of the central device, which hands the dialog every
// answer for "/SERVICE" while it runs.

#include <QTimer>

#include <string>

#include "hardware/IServiceAnswerSink.h"
#include "ui/CResizableDialog.h"

class CInternalSlot;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class CServiceDlg : public CResizableDialog, public IServiceAnswerSink {
    Q_OBJECT
public:
    static constexpr int kRegisterRows = 8;  // SPI1..SPI7, LOGIC
    explicit CServiceDlg(CInternalSlot* slot, QWidget* parent = nullptr);
    ~CServiceDlg() override;

    int DoModal();
    void OnStartTest();
    void OnReadRegisters();
    // Writes a register: the typed text goes to the device, the cell shows its answer.
    void WriteRegister(int row, const QString& text);
    void ParseAnswer(const std::string& line) override;

    QComboBox* GetTests() const { return m_tests; }
    QTableWidget* GetRegisters() const { return m_registers; }
    QLabel* GetOnCount() const { return m_onCount; }
    QLabel* GetOnTime() const { return m_onTime; }
    QLabel* GetVersion() const { return m_version; }

private:
    void Send(const std::string& line);
    void Poll();
    // True once the connection has ended (the first call that finds it so
    // greys what needs the device).
    bool LineLost();

    CInternalSlot* m_slot;
    QLabel* m_onCount = nullptr;
    QLabel* m_onTime = nullptr;
    QLabel* m_version = nullptr;
    QComboBox* m_tests = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_read = nullptr;
    QTableWidget* m_registers = nullptr;
    QTimer m_timer;
    std::string m_lastOnTime;
    int m_lastOnCount = 0;
    bool m_filling = false;
    bool m_lineUp = true;
};
