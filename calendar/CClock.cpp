#include "calendar/CClock.h"

#include <optional>
#include <utility>

#include "calendar/IClockAnswerSink.h"
#include "model/BlockWalk.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"

QL_IMPLEMENT_SERIAL(CClock, 1)

CClock::CClock()
{
    m_type = OT_CLOCK;
}

void CClock::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_invert << m_run;
    else
        ar >> m_invert >> m_run;
    if (ar.IsStoring())
        return;
    // The slave clock runs or not, inverts or not: another state is refused,
    // as the device's answer would be (off, as in a new project).
    for (auto [state, key] : {std::pair{&m_invert, "/SLAVE/INVERT"}, std::pair{&m_run, "/SLAVE/RUN"}}) {
        if (*state != "ON" && *state != "OFF") {
            NoteHeldOnLoad(key, *state, "OFF");
            *state = "OFF";
        }
    }
}

void CClock::SetSlaveSwitch(bool invert, bool on)
{
    const ChangeGuard guard(*this);
    (invert ? m_invert : m_run) = on ? "ON" : "OFF";
}

int CClock::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return 2;
    if (step < 0 || step > 1 || IsOutBufferFull())
        return step;
    const std::string& value = step == 0 ? m_invert : m_run;
    const std::string line = m_path + "/SLAVE" + (step == 0 ? "/INVERT" : "/RUN") + " " + (mode ? std::string("?") : value);
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

void CClock::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    // The slave-clock states are taken in any link state: the clock window
    // reads them live as well.
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    // A line the device refused ("/CLOCK/SLAVE/RUN ON ? ") is no state of its
    // clock: neither kept for the next download nor shown.
    if (IsRefusedValue(value))
        return;
    const size_t slash = path.rfind('/');
    const std::string key = slash == std::string::npos ? std::string() : path.substr(slash);
    if (key == "/INVERT" || key == "/RUN") {
        // The slave clock runs or not, inverts or not: another answer is
        // kept out, and an upload names it with the state the next download
        // sends (the clock window's polls write no difference file).
        std::string& state = key == "/INVERT" ? m_invert : m_run;
        if (const std::optional<bool> on = ReadFlagWord(value))
            state = *on ? "ON" : "OFF";
        else if (linkState == linkstate::Upload)
            ReportNotHeld(&diffFileName, "/" + path, value, state);
    }
    if (m_answerSink != nullptr)
        m_answerSink->OnClockAnswer(line);
}
