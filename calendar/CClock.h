#pragma once
// The device clock ("/CLOCK"): the slave-clock settings that belong to the
// project, and the relay of every clock answer to the open clock window.

#include <string>

#include "model/CBaseDevice.h"

class IClockAnswerSink;

class CClock : public CBaseDevice {
    QL_DECLARE_SERIAL(CClock)
public:
    static constexpr uint32_t kKindId = 34126;  // "Uhr"

    CClock();

    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;

    // The clock window or dialog that receives the answers (null: none).
    void SetAnswerSink(IClockAnswerSink* sink) { m_answerSink = sink; }
    IClockAnswerSink* GetAnswerSink() const { return m_answerSink; }

    // The user switched the slave line's pulses inverted (`invert`) or its
    // run on or off: the project keeps what goes to the device.
    void SetSlaveSwitch(bool invert, bool on);

    std::string m_invert = "OFF";  // "/SLAVE/INVERT"
    std::string m_run = "OFF";     // "/SLAVE/RUN"

private:
    IClockAnswerSink* m_answerSink = nullptr;  // not stored
};
