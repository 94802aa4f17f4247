#include "service/CEventLog.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "service/AnswerValue.h"
#include "service/ReplaceAll.h"

QL_IMPLEMENT_SERIAL(CEventLog, 2)

namespace {
constexpr const char* kPath = "/EVENT/LOG";
constexpr const char* kMaskKeys[CEventLog::MaskCount] = {
    "/MASK/ON", "/MASK/AUDIO/ON", "/MASK/FAULT/ON", "/MASK/MACRO/ON", "/MASK/READYINP/ON", "/MASK/VIRTCTRL/ON",
};

struct Word {
    uint32_t bit;
    const char* word;
    uint32_t textId;
};
constexpr Word kAudioWords[] = {
    {0x01, "ALARM", 34253}, {0x02, "CHIME", 34252}, {0x04, "MESSAGE", 34259}, {0x08, "PAGE1", 34472},
    {0x10, "PAGE2", 34473}, {0x20, "PAGE3", 34474}, {0x40, "PAGE4", 34475}, {0x80, "BPROG", 34476},
};
constexpr Word kFaultWords[] = {
    {0x001, "UNKNOWN", 34593}, {0x002, "RDYINP", 34282},   {0x004, "LMZ", 32799},
    {0x008, "AMP", 34376},     {0x010, "KVTINT", 34503},   {0x020, "CONS", 34063},
    {0x040, "SPAREAMP", 34370}, {0x080, "MANUAL", 34594},  {0x100, "ANYGNDFLT", 34595},
    {0x200, "ZONEMEAS", 34596}, {0x400, "ZONEGNDFLT", 34597}, {0x800, "LAN", 34598},
};
constexpr uint32_t kTextNoEntry = 34471;  // "Kein Eintrag"
constexpr uint32_t kTextAll = 34487;      // "Alle"

// Index of GetValue/SetValue → mask; -1 when the index names no stored mask.
int StoredMaskOf(int index)
{
    if (index >= 0 && index <= 4)
        return index;
    return index == 9 ? CEventLog::VirtCtrl : -1;
}

// Display indexes of the number-set masks → mask.
int NumberSetMaskOf(int index)
{
    switch (index) {
    case 7: return CEventLog::Macro;
    case 8: return CEventLog::ReadyInput;
    case 10: return CEventLog::VirtCtrl;
    default: return -1;
    }
}

// The numbers the device's tables hold for the number-set masks: macros
// 1..250, ready inputs 1..50, virtual controllers 1..40.
unsigned TableSizeOf(int mask)
{
    switch (mask) {
    case CEventLog::Macro: return 250;
    case CEventLog::ReadyInput: return 50;
    case CEventLog::VirtCtrl: return 40;
    default: return 0;
    }
}

// "N" or "N-M" of digits alone, each number within 1..max.
bool IsRangeItem(const std::string& item, unsigned max)
{
    const size_t dash = item.find('-');
    const auto number = [max](const std::string& digits) {
        if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const unsigned n = static_cast<unsigned>(std::stoul(digits));
        return n >= 1 && n <= max;
    };
    if (dash == std::string::npos)
        return number(item);
    return number(item.substr(0, dash)) && number(item.substr(dash + 1));
}

template <typename Accept>
bool EachItem(const std::string& text, Accept accept)
{
    if (text.empty())
        return false;
    size_t from = 0;
    for (;;) {
        const size_t comma = text.find(',', from);
        if (!accept(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from)))
            return false;
        if (comma == std::string::npos)
            return true;
        from = comma + 1;
    }
}
}  // namespace

const char* const CEventLog::kCategoryWords[13] = {
    "AUDIO", "FAULT", "POWER", "ZONETEST", "TIMEEDIT", "MACRO", "RESET",
    "SPAREAMP", "READYINP", "RECORDER", "DCF", "CONFIG", "VIRTCTRL",
};

CEventLog::CEventLog()
{
    m_type = OT_EVENT_LOG;
    m_loadedSchema = 1;
    for (std::string& mask : m_masks)
        mask = "NONE";
}

const char* CEventLog::MaskKey(int mask)
{
    return mask >= 0 && mask < MaskCount ? kMaskKeys[mask] : "";
}

int CEventLog::InitObject()
{
    m_path = kPath;
    if (m_pDocument != nullptr) {
        EnterPath(m_path);
        m_pDocument->GetIDManager().AddID(this, m_type, m_number);
    }
    return 1;
}

void CEventLog::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const std::string& mask : m_masks)
            ar << mask;
        return;
    }
    for (int i = 0; i < VirtCtrl; ++i)
        ar >> m_masks[i];
    if (m_loadedSchema >= 2)
        ar >> m_masks[VirtCtrl];
    // A mask the device's answer could not give either (a word it does not
    // know, a number beyond its table) is refused: the mask records nothing.
    for (int i = 0; i < MaskCount; ++i) {
        if (!IsMaskText(i, m_masks[i])) {
            NoteHeldOnLoad(kMaskKeys[i], m_masks[i], "NONE");
            m_masks[i] = "NONE";
        }
    }
}

std::string CEventLog::GetValue(int index) const
{
    const int stored = StoredMaskOf(index);
    if (stored >= 0)
        return m_masks[stored];
    if (index == 5 || index == 6) {
        const std::string& mask = m_masks[index == 5 ? Audio : Fault];
        if (mask == "NONE")
            return LoadStringId(kTextNoEntry);
        std::string text = mask;
        if (index == 5) {
            for (const Word& w : kAudioWords)
                ReplaceAll(text, w.word, LoadStringId(w.textId));
        } else {
            // "SPAREAMP" before "AMP", so the amplifier word is not found inside it.
            ReplaceAll(text, "SPAREAMP", LoadStringId(34370));
            for (const Word& w : kFaultWords) {
                if (w.bit != 0x040)
                    ReplaceAll(text, w.word, LoadStringId(w.textId));
            }
        }
        return text;
    }
    const int set = NumberSetMaskOf(index);
    if (set >= 0) {
        if (m_masks[set] == "NONE")
            return LoadStringId(kTextNoEntry);
        if (m_masks[set] == "ALL")
            return LoadStringId(kTextAll);
        return m_masks[set];
    }
    return {};
}

void CEventLog::SetValue(int index, const std::string& text)
{
    const ChangeGuard guard(*this);
    const int stored = StoredMaskOf(index);
    if (stored >= 0) {
        m_masks[stored] = text;
        return;
    }
    const int set = NumberSetMaskOf(index);
    if (set < 0)
        return;
    if (text == LoadStringId(kTextAll))
        m_masks[set] = "ALL";
    else if (text == LoadStringId(kTextNoEntry))
        m_masks[set] = "NONE";
    else
        m_masks[set] = text;
}

namespace {
// The words of a detail mask (which 1 audio, 2 fault) and the mask they are
// stored in; no words for another which.
struct MaskWords {
    const Word* words = nullptr;
    size_t count = 0;
    int mask = -1;
};

MaskWords WordsOf(int which)
{
    if (which == 1)
        return {kAudioWords, std::size(kAudioWords), CEventLog::Audio};
    if (which == 2)
        return {kFaultWords, std::size(kFaultWords), CEventLog::Fault};
    return {};
}
}  // namespace

bool CEventLog::IsMaskText(int mask, const std::string& text)
{
    if (text == "NONE")
        return mask >= 0 && mask < MaskCount;
    if (const unsigned max = TableSizeOf(mask))
        return text == "ALL" || EachItem(text, [max](const std::string& item) { return IsRangeItem(item, max); });
    const auto known = [mask](const std::string& word) {
        if (mask == Overall)
            return std::find(std::begin(kCategoryWords), std::end(kCategoryWords), word) != std::end(kCategoryWords);
        const MaskWords m = WordsOf(mask);
        for (size_t i = 0; i < m.count; ++i)
            if (word == m.words[i].word)
                return true;
        return false;
    };
    return (mask == Overall || mask == Audio || mask == Fault) && EachItem(text, known);
}

uint32_t CEventLog::GetMaskFlags(int which) const
{
    const MaskWords m = WordsOf(which);
    uint32_t flags = 0;
    if (m.mask < 0)
        return flags;
    // Whole words: "AMP" is no part of "SPAREAMP".
    std::istringstream words(m_masks[m.mask]);
    for (std::string word; std::getline(words, word, ',');)
        for (size_t i = 0; i < m.count; ++i)
            if (word == m.words[i].word)
                flags |= m.words[i].bit;
    return flags;
}

void CEventLog::SetMaskFromFlags(int which, uint32_t flags)
{
    const ChangeGuard guard(*this);
    const MaskWords m = WordsOf(which);
    const Word* words = m.words;
    const size_t count = m.count;
    const int mask = m.mask;
    if (mask < 0)
        return;
    std::string text = "NONE";
    for (size_t i = 0; i < count; ++i) {
        if (flags & words[i].bit) {
            text += ",";
            text += words[i].word;
        }
    }
    if (text != "NONE") {
        const size_t pos = text.find("NONE,");
        if (pos != std::string::npos)
            text.erase(pos, 5);
    }
    m_masks[mask] = text;
}

int CEventLog::GetDownloadLines(int mode, int step)
{
    if (step == -1) {
        const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        return doc != nullptr && doc->m_data.deviceVariant != 0 ? MaskCount : 0;
    }
    if (step < 0 || step >= MaskCount)
        return step;
    if (IsOutBufferFull())
        return step;

    const std::string prefix = m_path + kMaskKeys[step] + " ";
    if (mode) {
        SendCommand(prefix + "?", m_pDocument, true);
    } else if (m_masks[step] == "NONE") {
        SendCommand(prefix + "NONE", m_pDocument, true);
    } else {
        // The device clears the mask before it takes the new list: two
        // commands, the second whole (as if both went in one text).
        SendCommand(prefix + "NONE", m_pDocument, true);
        SendCommand(prefix + m_masks[step], m_pDocument, false);
    }
    return step + 1;
}

void CEventLog::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState == linkstate::Download)
        return;
    const size_t blank = line.find(' ');
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (IsQueryMark(value))
        return;
    // The line comes without its leading "/": "EVENT/LOG/MASK/ON AUDIO,FAULT".
    std::string path = "/" + line.substr(0, blank);
    if (path.compare(0, m_path.size(), m_path) != 0 || m_path.empty())
        return;
    const std::string key = path.substr(m_path.size());
    for (int i = 0; i < MaskCount; ++i) {
        if (key == kMaskKeys[i]) {
            // A word the mask does not know, or a number beyond its table,
            // would go back to the device with the next download: the
            // project keeps its own mask and the difference file names it.
            if (IsMaskText(i, value))
                m_masks[i] = value;
            else
                ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, path, value, m_masks[i]);
            return;
        }
    }
}
