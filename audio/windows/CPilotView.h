#pragma once
// The form of the pilot tone window: the generator's on switch, frequency and
// the levels of OUT1..OUT4. Every change goes into the project's pilot tone
// object and, while the project is the one on the device, to the device at
// once; the on state is polled every 1.5 s.

#include <QTimer>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "ui/CPollPace.h"

class CInternalPilottoneGen;
class CRefusalWatch;
struct LinkRefusal;
class CValueEdit;
class QProgressBar;
class QPushButton;
class QSlider;

class CPilotView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    explicit CPilotView(QWidget* parent = nullptr);
    ~CPilotView() override;

    void OnInitialUpdate();
    // Sends the frequency and the four levels (download) or asks for them (upload).
    void Transfer(bool upload);
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;

    // Output n (0..3) becomes the one the level slider sets.
    void SelectOutput(int n);

    QPushButton* m_on = nullptr;
    CValueEdit* m_frequency = nullptr;
    QSlider* m_frequencySlider = nullptr;
    std::array<QProgressBar*, 4> m_meters{};
    std::array<QPushButton*, 4> m_outputs{};
    std::array<CValueEdit*, 4> m_levels{};
    QSlider* m_levelSlider = nullptr;
    QTimer m_poll {this};  // a child, so that a window switched away from stops it

private:
    void SendLive(const std::string& line);
    // The device did not take a line: the control shows what the device
    // holds again (as far as the window knows it), and the device is asked.
    bool OnRefused(const LinkRefusal& refusal);
    // Keeps what the device said it holds.
    void NoteHeld();
    void ShowFrequency();
    void ShowLevel(int n);
    void OnFrequencyEdited();
    void OnFrequencySlider(int position);
    void OnLevelSlider(int position);
    void OnLevelEdited(int n);

    CInternalPilottoneGen* m_pilot = nullptr;
    int m_current = -1;
    bool m_uploading = false;  // the window's own upload runs
    bool m_setting = false;  // the window moves a slider itself
    // The frequency and levels the device last said it holds (the project's
    // when the window opened).
    float m_heldFrequency = 0.0f;
    std::array<float, 4> m_heldLevels{};
    CRefusalWatch* m_refusals = nullptr;  // a child
    CPollPace m_pollPace;
};
