#include "hardware/CLMZEx.h"

#include "model/DocContext.h"

QL_IMPLEMENT_SERIAL(CLMZEx, 1)

namespace {
// The first `max` characters of a UTF-8 text (the stored buffers hold one
// byte per character).
std::string CutChars(const std::string& text, size_t max)
{
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (chars == max)
            return text.substr(0, i);
        ++chars;
    }
    return text;
}
}  // namespace

CLMZEx::CLMZEx()
{
    m_type = OT_LMZ_EX;
    Reset();
}

void CLMZEx::Reset()
{
    for (Entry& e : m_entries)
        e = Entry();
    m_markers.fill(-1);
    m_firstTable.fill(-1);
    m_secondTable.fill(-1);
}

void CLMZEx::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const Entry& e : m_entries) {
            ar << e.firstText << e.secondText;
            for (uint16_t w : e.words)
                ar << w;
        }
        return;
    }
    Reset();
    for (Entry& e : m_entries) {
        ar >> e.firstText >> e.secondText;
        e.firstText = CutChars(e.firstText, kFirstTextMax);
        e.secondText = CutChars(e.secondText, kSecondTextMax);
        for (uint16_t& w : e.words)
            ar >> w;
    }
}

int CLMZEx::GetDownloadLines(int mode, int step)
{
    // One step: a count of 0 would keep the clear line from ever being sent.
    if (step == -1)
        return 1;
    if (step != 0 || IsOutBufferFull())
        return step;
    // Without a path the line would clear the whole device.
    if (m_path.empty())
        return 1;
    // The answers are not read back, so an upload leaves the block as a
    // device would hold it after the query: reset, before the line goes out.
    if (mode) {
        // Entries emptied by the reset are a change the project file must get.
        const ChangeGuard guard(*this);
        Reset();
    }
    ::SendCommand(m_path + "/CLEAR " + (mode ? "?" : "ALL"), m_pDocument, true);
    return 1;
}

void CLMZEx::ParseUploadLines(std::string, const std::string&, int) {}
