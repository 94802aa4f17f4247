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

#include "ui/CPropertyPage.h"

class CMiscAudio;
class QComboBox;
class QLineEdit;
class QSlider;
class CWholeSpinBox;

class CBackgroundPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CBackgroundPage(QWidget* parent = nullptr);

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

    CMiscAudio* m_audio = nullptr;
    int m_listRow = -1;
    bool m_showing = false;
};
