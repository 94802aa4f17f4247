#pragma once
// The form of the volumes window: the levels of the four audio inputs, of the
// chime and of the messages, each with a slider and a level field. It starts
// from the project's input cards and common audio levels, asks the device
// once for its levels when the project is the one on the device, sends every
// change at once and writes the levels back into the project.

#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"

class CQuillomerDoc;
class CRefusalWatch;
struct LinkRefusal;
class CValueEdit;
class QSlider;

class CVolumeView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    enum Channel { In1, In2, In3, In4, Chime, Messages, kChannelCount };

    explicit CVolumeView(QWidget* parent = nullptr);
    ~CVolumeView() override;

    void OnInitialUpdate();
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // A level field lost the focus, its slider was released or stepped.
    void Commit(int channel);
    // The level a slider position stands for, and back.
    static float LevelOfPosition(int channel, int position);
    static int PositionOfLevel(int channel, float level);
    // The lowest level moving the chime or message slider can set ("Settings"/"MinChimeVol", "MinMessageVol").
    static float SliderMinimum(int channel);
    // The slider positions of the tick marks: every 10 dB from 0 dB down to -140 dB.
    static std::vector<int> TickPositions(int channel);

    std::array<CValueEdit*, kChannelCount> m_fields{};
    std::array<QSlider*, kChannelCount> m_sliders{};

private:
    void OnSliderAction(int channel, int action);
    void SetSlider(int channel, float level);
    void ShowSliderOf(int channel);
    // The field and slider of a channel show the level the project holds.
    void ShowDesign(CQuillomerDoc* doc, int channel);
    void WriteDesign();
    // One channel's level into the project.
    static void WriteLevel(CQuillomerDoc* doc, int channel, const std::string& text);
    // The device did not take a level: the channel shows what the device
    // holds again (as far as the window knows it), and the device is asked.
    bool OnRefused(const LinkRefusal& refusal);

    bool m_setting = false;
    // Each channel's level as the device last said it holds it (the
    // project's when the window opened).
    std::array<std::string, kChannelCount> m_held;
    CRefusalWatch* m_refusals = nullptr;  // a child
};
