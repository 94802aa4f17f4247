#pragma once
// The form of the fuse window: the trip-current step of the five fuses of the
// project's fuse settings and, while connected, whether each fuse has tripped
// or is cooling, polled every 2 s.

#include <QTimer>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"

class CFuse;
class QComboBox;
class QLabel;

class CFuseView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    static constexpr int kRows = 5;
    explicit CFuseView(QWidget* parent = nullptr);
    ~CFuseView() override;

    void OnInitialUpdate();
    void Poll();
    void Transfer(bool upload);
    // Takes the answers and empties the list.
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;

    QComboBox* GetStepList(int row) const { return m_steps[static_cast<size_t>(row)]; }
    QLabel* GetTrippedText(int row) const { return m_tripped[static_cast<size_t>(row)]; }
    QLabel* GetCoolingText(int row) const { return m_cooling[static_cast<size_t>(row)]; }
    QTimer& GetTimer() { return m_timer; }

signals:
    // The line to the device is gone: the window stops following it.
    void LinkLost();

private:
    CFuse* m_fuse = nullptr;
    bool m_uploading = false;  // the window's own upload runs
    std::array<QComboBox*, kRows> m_steps {};
    std::array<QLabel*, kRows> m_tripped {};
    std::array<QLabel*, kRows> m_cooling {};
    QTimer m_timer {this};  // a child, so that a window switched away from stops it
};
