#pragma once
// The common settings page of the audio signal editor: the playback levels of
// alarm, chime, message and panic signals (slider, value field and spin box
// each), the inputs of the external alarm and message sources and of the
// background programme, and the programme's attenuation during announcements.
// A changed level or attenuation goes into the common audio settings at once
// and, while the project is the one on the device, to the device.

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "ui/CPropertyPage.h"

class CMiscAudio;
class CRefusalWatch;
struct LinkRefusal;
class QComboBox;
class QLineEdit;
class QSlider;
class CWholeSpinBox;

class CBackgroundPage : public CPropertyPage, public ILinkAnswerSink {
    Q_OBJECT
public:
    explicit CBackgroundPage(QWidget* parent = nullptr);
    ~CBackgroundPage() override;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnApply() override;

    // The level scale: slider position 0 (+6 dB) .. 87 (-80 dB).
    static constexpr int kBottom = 87;
    static int Knee();  // 50: the position of -6 dB
    static float DbOfPosition(int position);
    static int PositionOfDb(float db);
    // The value field's text of a level ("OFF" at -80 dB).
    static QString LevelText(float db);
    // The slider positions of the tick marks (the quarters of the knee and
    // four more below it).
    static std::vector<int> TickPositions();

    // Level channel 0..3 (alarm, chime, message, panic) takes a new level.
    void SetLevel(int channel, float db);
    // The device's answers to the questions the page asked after a refusal.
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;

    std::array<QSlider*, 4> m_sliders{};
    std::array<QLineEdit*, 4> m_values{};
    std::array<CWholeSpinBox*, 4> m_spins{};
    std::array<QComboBox*, 3> m_inputs{};  // keys 5, 6, 7
    QLineEdit* m_attenuation = nullptr;
    CWholeSpinBox* m_attenuationSpin = nullptr;

private:
    void ShowLevel(int channel, float db);
    void ApplyKey(uint32_t key);
    void SetAttenuation(int value);
    float LevelOf(int channel) const;
    // The device did not take a level or the attenuation: the page shows
    // what the device holds again (as far as the page knows it), and the
    // device is asked.
    bool OnRefused(const LinkRefusal& refusal);
    void ShowAttenuation();

    CMiscAudio* m_audio = nullptr;
    // The levels (keys 0..3) and attenuation (key 4) as the device last said
    // it holds them, in its own words (the project's when the page opened).
    std::array<std::string, 5> m_held;
    CRefusalWatch* m_refusals = nullptr;  // a child
    int m_listRow = -1;
    bool m_showing = false;
};
