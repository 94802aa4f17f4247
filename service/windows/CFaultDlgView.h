#pragma once
// The form of the fault window: which fault sources count, latching and the
// console display of the project's fault settings; while connected also the
// device's active sources, its fault relay and the manual fault, polled every
// 1.5 s, with the buttons that acknowledge the fault and switch the manual
// fault.

#include <QTimer>
#include <QWidget>

#include <array>

class CFault;
class CRefusalWatch;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

class CFaultDlgView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSourceCount = 11;
    explicit CFaultDlgView(QWidget* parent = nullptr);
    ~CFaultDlgView() override;

    void OnInitialUpdate();
    void RefreshFromObject();
    // One poll: the active sources, the relay state, the manual fault.
    void Poll();

    QCheckBox* GetSourceBox(int row) const { return m_sources[static_cast<size_t>(row)]; }
    QLabel* GetActiveIcon(int row) const { return m_active[static_cast<size_t>(row)]; }
    QCheckBox* GetLatchBox() const { return m_latch; }
    QComboBox* GetConsoleCombo() const { return m_console; }
    QToolButton* GetAckButton() const { return m_ack; }
    QPushButton* GetManualButton() const { return m_manual; }
    bool IsRelayShownActive() const { return m_relayActive; }
    QTimer& GetTimer() { return m_timer; }

    // The project's fault settings (null without an active document).
    static CFault* Fault();

signals:
    // The line to the device is gone: the window stops following it.
    void LinkLost();

private:
    void StoreSources();
    void ShowRelay(bool active);

    std::array<QCheckBox*, kSourceCount> m_sources {};
    std::array<QLabel*, kSourceCount> m_active {};
    QCheckBox* m_latch = nullptr;
    QComboBox* m_console = nullptr;
    QToolButton* m_ack = nullptr;
    QPushButton* m_manual = nullptr;
    CRefusalWatch* m_refusals = nullptr;  // a child
    bool m_relayActive = false;
    QTimer m_timer {this};  // a child, so that a window switched away from stops it
};
