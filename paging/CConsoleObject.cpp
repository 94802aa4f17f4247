#include "paging/CConsoleObject.h"

#include <array>

#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/AnswerLine.h"

QL_IMPLEMENT_SERIAL(CConsoleObject, 1)

namespace {
constexpr const char* kPath = "/CONS";
constexpr const char* kKeyReference = "/REFERENCE";
constexpr const char* kNone = "NONE";

using ConsoleSet = std::array<uint8_t, 2>;

ConsoleSet ReadSet(const std::string& text)
{
    ConsoleSet set{};
    if (text != kNone)
        ParseRanges(set, CConsoleObject::kConsoles, text);
    return set;
}
// A text from the file goes out as one line.
std::string OneLine(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            out += c;
    return out;
}
}  // namespace

CConsoleObject::CConsoleObject()
{
    m_type = OT_CONSOLE_OBJECT;
}

void CConsoleObject::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_reference;
    else
        ar >> m_reference;
}

int CConsoleObject::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    // Set up again (after a renumbering): the path is entered once only.
    if (m_pDocument && m_pDocument->LookupPath(kPath) == this)
        m_path = kPath;
    else
        EnterPath(kPath);
    return 1;
}

bool CConsoleObject::IsReference(uint32_t selector) const
{
    if ((selector & 0xFFFF) != 1)
        return false;
    const unsigned console = selector >> 16;
    if (console < 1 || console > kConsoles)
        return false;
    return TestBit(ReadSet(m_reference), console - 1);
}

void CConsoleObject::SetReference(uint32_t selector, uint32_t state)
{
    const ChangeGuard guard(*this);
    if (selector != 1)
        return;
    const unsigned console = state & 0xFFFF;
    if (console < 1 || console > kConsoles)
        return;
    ConsoleSet set = ReadSet(m_reference);
    SetBit(set, console - 1, (state >> 16) != 0);
    std::string text = RangesToString(set, kConsoles);
    m_reference = text == "0" ? kNone : text;
}

int CConsoleObject::GetDownloadLines(int mode, int step)
{
    if (step == -1 || step == -2)
        return 1;
    if (step != 0)
        return step;
    if (IsOutBufferFull())
        return step;
    std::string line = std::string(kPath) + kKeyReference + " " + (mode != 0 ? std::string("?") : OneLine(m_reference));
    SendCommand(line, m_pDocument, true);
    return 1;
}

void CConsoleObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value) || value.empty() || linkState == linkstate::Download ||
        key != kKeyReference)
        return;
    // Only a set of console numbers that fits the shared range-text buffer
    // is one: anything else keeps the project's set, and an upload names it
    // with the set the next download sends.
    ConsoleSet set{};
    if (value.size() > kRangeTextMaxLength || (value != kNone && !ParseDecimalRanges(set, kConsoles, value))) {
        if (linkState == linkstate::Upload)
            ReportNotHeld(&diffFileName, std::string(kPath) + kKeyReference, value, OneLine(m_reference));
        return;
    }
    m_reference = value;
}
