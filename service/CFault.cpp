#include "service/CFault.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <optional>

#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "service/AnswerValue.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "service/ReplaceAll.h"

QL_IMPLEMENT_SERIAL(CFault, 2)

namespace {
struct SourceWord {
    uint32_t bit;
    const char* word;
    uint32_t textId;  // display text
};
// Fault sources in bit order.
constexpr SourceWord kSources[] = {
    {faultsrc::Unknown, "UNKNOWN", 34593},
    {faultsrc::ReadyInput, "RDYINP", 34282},
    {faultsrc::Lmz, "LMZ", 32799},
    {faultsrc::Amp, "AMP", 34376},
    {faultsrc::KvtInternal, "KVTINT", 34503},
    {faultsrc::Console, "CONS", 34063},
    {faultsrc::SpareAmp, "SPAREAMP", 34370},
    {faultsrc::Manual, "MANUAL", 34594},
    {faultsrc::AnyGroundFault, "ANYGNDFLT", 34595},
    {faultsrc::ZoneMeasure, "ZONEMEAS", 34596},
    {faultsrc::ZoneGroundFault, "ZONEGNDFLT", 34597},
};
constexpr uint32_t kLineTestBits = faultsrc::ZoneMeasure | faultsrc::ZoneGroundFault;

constexpr uint32_t kTextNoEntry = 34421;        // "Kein Eintrag"
constexpr uint32_t kTextAllConsoles = 34273;    // "Alle Sprechstellen"
constexpr uint32_t kTextName = 32805;           // "Name"
constexpr uint32_t kTextId = 34244;             // "ID"
constexpr uint32_t kTextNoEntryColumn = 34510;  // "Kein Eintrag"

constexpr const char* kKeys[] = {"/INCLUDE", "/EXCLUDE", "/LATCH", "/CONSDISP", "/MANUAL", "/ACTIVE"};
constexpr int kStepCount = 6;

constexpr ListColumn kColumns[] = {{2, 0}, {30, 0}, {40, 0}, {80, 0}, {110, 0}, {140, 0}};

void EraseFirst(std::string& text, const std::string& part)
{
    const size_t pos = text.find(part);
    if (pos != std::string::npos)
        text.erase(pos, part.size());
}
}  // namespace

CFault::CFault()
{
    m_type = OT_FAULT;
}

bool CFault::IsUpgraded() const
{
    const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    return doc != nullptr && doc->m_data.deviceVariant != 0;
}

namespace {
// Calls `each` with every comma-separated word of `text`, blanks around it
// dropped, until it returns false; false when it did.
template <class Each>
bool ForEachWord(const std::string& text, Each each)
{
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find(',', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(begin, end - begin);
        const size_t first = word.find_first_not_of(' ');
        word = first == std::string::npos ? std::string() : word.substr(first, word.find_last_not_of(' ') - first + 1);
        if (!each(word))
            return false;
        begin = end + 1;
    }
    return true;
}
}  // namespace

bool CFault::IsSourceList(const std::string& text)
{
    if (text == "NONE")
        return true;
    return ForEachWord(text, [](const std::string& word) {
        return std::any_of(std::begin(kSources), std::end(kSources), [&word](const SourceWord& s) { return word == s.word; });
    });
}

uint32_t CFault::BitsOfWords(const std::string& text)
{
    // Whole comma-separated words only: "SPAREAMP" must not count as "AMP".
    uint32_t bits = 0;
    ForEachWord(text, [&bits](const std::string& word) {
        for (const SourceWord& s : kSources) {
            if (word == s.word)
                bits |= s.bit;
        }
        return true;
    });
    return bits;
}

void CFault::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_included << m_latch << m_consoleDisplay << m_manual;
        return;
    }
    ar >> m_included >> m_latch >> m_consoleDisplay >> m_manual;
    if (m_loadedSchema == 1) {
        // The console display word was a plain on/off flag.
        m_consoleDisplay = m_consoleDisplay != 0 ? 0 : -1;
    }
    // Below "off" is off; a console beyond the 16 is refused as the device's
    // answer would be (all consoles, as a new project has it).
    const int32_t display = m_consoleDisplay;
    if (display < kDisplayOff)
        m_consoleDisplay = kDisplayOff;
    else if (display > kMaxDisplayConsole)
        m_consoleDisplay = kDisplayAll;
    if (m_consoleDisplay != display)
        NoteHeldOnLoad(kKeys[3], StrFormat("%d", display), GetValue(2));
}

std::string CFault::GetValue(int index) const
{
    const bool upgraded = IsUpgraded();
    switch (index) {
    case 0: {
        std::string text;
        for (const SourceWord& s : kSources) {
            if (!(m_included & s.bit))
                continue;
            if (!upgraded && (s.bit & kLineTestBits))
                continue;
            if (!text.empty())
                text += ",";
            text += s.word;
        }
        return text.empty() ? std::string("NONE") : text;
    }
    case 1:
        return m_latch ? "ON" : "OFF";
    case 2:
        if (m_consoleDisplay < 0)
            return "OFF";
        if (m_consoleDisplay == 0)
            return "ON";
        return StrFormat("%d", m_consoleDisplay);
    case 3:
        return m_manual ? "ON" : "OFF";
    case 5: {
        std::string text = "UNKNOWN,RDYINP,LMZ,AMP,KVTINT,CONS,SPAREAMP,MANUAL,ZONEMEAS,ZONEGNDFLT";
        for (const SourceWord& s : kSources) {
            if (!(m_included & s.bit))
                continue;
            if (s.bit == faultsrc::Unknown)
                EraseFirst(text, s.word);
            else
                EraseFirst(text, std::string(",") + s.word);
        }
        if (!upgraded) {
            EraseFirst(text, ",ZONEMEAS");
            EraseFirst(text, ",ZONEGNDFLT");
        }
        if (!text.empty() && text[0] == ',')
            text.erase(0, 1);
        return text.empty() ? std::string("NONE") : text;
    }
    case 6: {
        if (m_consoleDisplay < 0)
            return {};
        if (m_consoleDisplay == 0)
            return LoadStringId(kTextAllConsoles);
        const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        if (doc != nullptr && m_consoleDisplay < static_cast<int32_t>(GetTypeCapacity(OT_CONSOLE))) {
            if (const CBaseDevice* console = doc->GetIDManager().GetBaseDevice(m_consoleDisplay, OT_CONSOLE))
                return console->GetName();
        }
        return StrFormat("%d *", m_consoleDisplay);
    }
    case 7: {
        std::string text = GetValue(0);
        ReplaceAll(text, "NONE", LoadStringId(kTextNoEntry));
        // "SPAREAMP" first, so that its "AMP" is not taken for the amplifier word.
        ReplaceAll(text, "SPAREAMP", LoadStringId(34370));
        for (const SourceWord& s : kSources) {
            if (s.bit != faultsrc::SpareAmp)
                ReplaceAll(text, s.word, LoadStringId(s.textId));
        }
        return text;
    }
    default:
        return {};
    }
}

void CFault::SetValue(int index, const std::string& text)
{
    const ChangeGuard guard(*this);
    switch (index) {
    case 0:
        m_included = BitsOfWords(text);
        break;
    case 1:
        m_latch = text == "ON" ? 1 : 0;
        break;
    case 2: {
        if (text == "OFF") {
            m_consoleDisplay = kDisplayOff;
        } else if (text == "ON") {
            m_consoleDisplay = kDisplayAll;
        } else if (const std::optional<long> n = ScanWholeNumber(text, LONG_MIN, LONG_MAX)) {
            m_consoleDisplay = *n >= 1 && *n <= kMaxDisplayConsole ? static_cast<int32_t>(*n) : kDisplayAll;
        }
        break;
    }
    case 4:
        m_active = BitsOfWords(text);
        break;
    default:
        break;
    }
}

int32_t CFault::GetFlags(int index) const
{
    switch (index) {
    case Included: return static_cast<int32_t>(m_included);
    case Latch: return static_cast<int32_t>(m_latch);
    case ConsoleDisplay: return m_consoleDisplay;
    case ManualFault: return static_cast<int32_t>(m_manual);
    case Active: return static_cast<int32_t>(m_active);
    default: return 0;
    }
}

void CFault::SetFlags(int index, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (index) {
    case Included: m_included = static_cast<uint32_t>(value); break;
    case Latch: m_latch = static_cast<uint32_t>(value); break;
    case ConsoleDisplay: m_consoleDisplay = value; break;
    case ManualFault: m_manual = static_cast<uint32_t>(value); break;
    default: break;
    }
}

int CFault::FillSourceIds(int selectionKind, std::vector<uint32_t>* ids)
{
    if (ids == nullptr)
        return 0;
    if (selectionKind == 8) {
        for (uint32_t id : {34421u, 34593u, 34282u, 32799u, 34376u, 34503u, 34063u, 34370u, 34594u,
                            34595u, 34596u, 34597u, 34598u})
            ids->push_back(id);
    }
    return static_cast<int>(ids->size());
}

int CFault::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(kTextName));
        texts.push_back(LoadStringId(kTextId));
        for (int i = 0; i < 4; ++i)
            texts.push_back(LoadStringId(kTextNoEntryColumn));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        texts.push_back(GetValue(0));
        texts.push_back(GetValue(1));
        texts.push_back(GetValue(6));
        texts.push_back(GetValue(3));
    }
    return static_cast<int>(texts.size());
}

int CFault::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

int CFault::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return kStepCount;
    if (step < 0 || step >= kStepCount)
        return step;
    if (IsOutBufferFull())
        return step;

    std::string line = m_path + kKeys[step] + " ";
    if (mode) {
        line += "?";
    } else {
        switch (step) {
        case 0: line += GetValue(0); break;
        case 1: line += GetValue(5); break;
        case 2: line += GetValue(1); break;
        case 3: line += GetValue(2); break;
        case 4: line += GetValue(3); break;
        default: break;  // "/ACTIVE" carries no value
        }
    }
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

void CFault::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // A refused key ("FAULT/LATCH ? ") leaves the setting as it was.
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || IsQueryMark(line.substr(blank + 1)))
        return;
    // The value is the last word, trailing blanks and line ends aside.
    const size_t end = line.find_last_not_of(" \r\n");
    const size_t lastBlank = end == std::string::npos ? std::string::npos : line.rfind(' ', end);
    const std::string value =
        lastBlank == std::string::npos || lastBlank < blank ? std::string() : line.substr(lastBlank + 1, end - lastBlank);
    // "FAULT/INCLUDE RDYINP": the key is the element after the object's own.
    const std::string path = line.substr(0, line.find(' '));
    const size_t slash = path.find('/');
    if (slash == std::string::npos)
        return;
    const std::string key = path.substr(slash);
    if (key == "/INCLUDE") {
        // A word that names no fault source would be dropped silently and
        // the next download would send the list without it: the project
        // keeps its own sources and the difference file names the answer.
        if (IsSourceList(value))
            SetValue(0, value);
        else
            ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, "/" + path, value, GetValue(0));
        return;
    }
    if (key == "/ACTIVE") {
        SetValue(4, value);
        return;
    }
    // The latch and the manual fault switch read ON or OFF only: another
    // word leaves the setting as it is.
    const std::optional<bool> on = ReadFlagWord(value);
    int valueIndex = -1;
    if (key == "/LATCH") {
        if (on)
            SetFlags(Latch, *on ? 1 : 0);
        valueIndex = 1;
    } else if (key == "/CONSDISP") {
        SetValue(2, value);
        valueIndex = 2;
    } else if (key == "/MANUAL") {
        if (on)
            SetFlags(ManualFault, *on ? 1 : 0);
        valueIndex = 3;
    }
    // A word the setting does not know or a console it cannot show is named
    // with what it holds instead, which the next download sends.
    if (valueIndex >= 0 && GetValue(valueIndex) != value)
        ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, "/" + path, value, GetValue(valueIndex));
}
