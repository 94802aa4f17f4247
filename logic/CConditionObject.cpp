#include "logic/CConditionObject.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CConditionObject, 0)

namespace {
// The value an entry's next download sends for `key` ("/INDEX"), none when
// the entry sends no such line.
template <class Entry>
std::optional<std::string> SentValue(const Entry& entry, const std::string& key)
{
    std::vector<std::string> lines;
    entry.GetEntryLines(lines);
    for (const std::string& line : lines)
        if (line.compare(0, key.size() + 1, key + " ") == 0)
            return line.substr(key.size() + 1);
    return std::nullopt;
}

struct PartInfo {
    const char* word;       // section word
    const char* clearWord;  // free-list key
    uint32_t type;
    const char* className;
    uint32_t kind;           // kind of a new object
    unsigned freeListRange;
    const char* unusedTail;  // the line of a number without an object
};
constexpr PartInfo kParts[CConditionObject::PartCount] = {
    {"/ANALOG", "/CLEAR/ANALOG", OT_ANALOG_CONDITION, "CAnalogCondition", 34358, 50, "/LMZ775 OFF"},
    {"/BUSY", "/CLEAR/BUSY", OT_BUSY_CONDITION, "CBusyCondition", 34456, 50, "/AUDIO NONE"},
    {"/COMBINE", "/CLEAR/COMBINE", OT_COMBINE_CONDITION, "CCombineCondition", 34359, 50, "/LOGIC OFF"},
    {"/ENTRY", "/CLEAR/ENTRY", OT_CONDITION, "CCondition", 34129, 250, "/FUNCTION OFF"},
};

void EntryLinesOf(const CBaseDevice* obj, std::vector<std::string>& lines)
{
    if (const auto* a = dynamic_cast<const CAnalogCondition*>(obj))
        a->GetEntryLines(lines);
    else if (const auto* b = dynamic_cast<const CBusyCondition*>(obj))
        b->GetEntryLines(lines);
    else if (const auto* c = dynamic_cast<const CCombineCondition*>(obj))
        c->GetEntryLines(lines);
    else if (const auto* d = dynamic_cast<const CCondition*>(obj))
        d->GetEntryLines(lines);
}

// Two lists of words ("ALARM,CHIME") that hold the same words, in any order.
bool SameWords(const std::string& a, const std::string& b)
{
    const auto words = [](const std::string& text) {
        std::vector<std::string> out;
        size_t from = 0;
        for (size_t comma; (comma = text.find(',', from)) != std::string::npos; from = comma + 1)
            out.push_back(text.substr(from, comma - from));
        out.push_back(text.substr(from));
        std::sort(out.begin(), out.end());
        return out;
    };
    return words(a) == words(b);
}

void EntryQueriesOf(int part, std::vector<std::string>& lines)
{
    switch (part) {
    case CConditionObject::Analog: CAnalogCondition::GetEntryQueries(lines); break;
    case CConditionObject::Busy: CBusyCondition::GetEntryQueries(lines); break;
    case CConditionObject::Combine: CCombineCondition::GetEntryQueries(lines); break;
    default: CCondition::GetEntryQueries(lines); break;
    }
}
}  // namespace

CConditionObject::CConditionObject()
{
    m_type = OT_CONDITION_OBJECT;
}

int CConditionObject::PostLoad()
{
    SetName(LoadStringId(kKindId));
    return 1;
}

int CConditionObject::Limit(int part) const
{
    const int32_t variant = m_pDocument ? m_pDocument->m_data.deviceVariant : 0;
    const int limit = static_cast<int>(GetMaxObjectCount(kParts[part].type, variant));
    return limit < kSectionSize[part] ? limit : kSectionSize[part];
}

CBaseDevice* CConditionObject::Find(int part, int n) const
{
    return FindNumbered(m_pDocument, kParts[part].type, n);
}

CBaseDevice* CConditionObject::Make(int part, int n)
{
    const PartInfo& p = kParts[part];
    return CreateNumberedPlaceholder(m_pDocument, p.className, p.type, p.kind, n, CAT_DIGITAL_IO);
}

bool CConditionObject::LaterPartSelected(int part) const
{
    for (int p = part + 1; p < PartCount; ++p)
        if (m_selected[p])
            return true;
    return false;
}

int CConditionObject::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        for (int p = 0; p < PartCount; ++p)
            m_selected[p] = step >= -1 || step < ResetStepOf(Conditions) || step == ResetStepOf(p) ? 1 : 0;
        m_pendingFilled = 0;
        m_pending.clear();
        m_clear.Reset("COND_CLR");
        m_functionAnswers.Clear();
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step < kClearSteps)
        return ClearStep(mode, step);
    return EntryLinesStep(mode, step);
}

int CConditionObject::ClearStep(int mode, int step)
{
    const int part = step;
    if (!m_selected[part])
        return step + 1;
    const int next = BlockClearStep(m_clear, mode, step, m_path + kParts[part].clearWord, m_pDocument,
                                    !LaterPartSelected(part));
    // The answer of the last free-list query leads to the first entry.
    return next == step + 1 && mode && m_clear.answered ? FirstEntryStep(Analog) : next;
}

int CConditionObject::EntryLinesStep(int mode, int step)
{
    int part = Analog;
    while (part + 1 < PartCount && step >= FirstEntryStep(part + 1))
        ++part;
    const int nextSection = FirstEntryStep(part) + kSectionSize[part];
    if (!m_selected[part])
        return nextSection;
    const PartInfo& info = kParts[part];
    const int limit = Limit(part);
    int n = step - FirstEntryStep(part) + 1;
    CBaseDevice* obj = n <= limit ? Find(part, n) : nullptr;
    if (m_clear.capability && !m_pendingFilled) {
        // Numbers without an object cost no line once the device was cleared.
        while (!obj && n <= limit) {
            ++step;
            ++n;
            obj = n <= limit ? Find(part, n) : nullptr;
        }
    }
    if (n > limit)
        return nextSection;

    const std::string prefix = m_path + info.word + StrFormat("%d", n);
    if (!m_pendingFilled) {
        std::vector<std::string> tails;
        if (mode)
            EntryQueriesOf(part, tails);
        else if (obj)
            EntryLinesOf(obj, tails);
        else
            tails.push_back(info.unusedTail);
        m_pending.assign(tails.begin(), tails.end());
        m_pendingFilled = 1;
    }
    std::string line = prefix;
    if (!m_pending.empty()) {
        line += m_pending.front();
        m_pending.pop_front();
    }
    if (m_pending.empty()) {
        m_pendingFilled = 0;
        ++step;
    }
    SendBlockLine(line, m_pDocument);
    return step;
}

void CConditionObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    const std::string* diffFile = diffFileName.empty() ? nullptr : &diffFileName;
    for (int part = 0; part < PartCount; ++part) {
        const PartInfo& info = kParts[part];
        if (key == info.clearWord) {
            const bool applied = ApplyFreeList(m_pDocument, info.type, Limit(part), info.freeListRange,
                                               m_path + info.clearWord, value,
                                               [this, part](int n) { Make(part, n); }, diffFile,
                                               m_path + info.word);
            (void)applied;  // an answer that does not read changes no object
            if (!LaterPartSelected(part))
                m_clear.answered = 1;
            return;
        }
        int n = 0;
        std::string rest;
        if (SplitEntryKey(key, info.word, Limit(part), n, rest)) {
            ApplyEntryAnswer(part, n, rest, value, diffFile);
            return;
        }
        if (key.compare(0, std::char_traits<char>::length(info.word), info.word) == 0)
            return;  // a number that does not read or is beyond the limit
    }
}

void CConditionObject::ApplyEntryAnswer(int part, int n, const std::string& key, const std::string& value,
                                        const std::string* diffFile)
{
    CBaseDevice* obj = Find(part, n);
    const bool off = value == "OFF";
    // What the project cannot hold as the device gave it is named with the
    // value the project keeps instead (the one its next download sends).
    const auto notHeld = [&](const std::string& held) {
        if (held != value)
            ReportNotHeld(diffFile, StrFormat("%s%s%d%s", m_path.c_str(), kParts[part].word, n, key.c_str()), value,
                          held);
    };
    // A value that does not read (or a word the entry does not know) leaves
    // the entry's own, which is named when the entry sends that key at all.
    const auto unread = [&](const auto& entry) {
        if (const std::optional<std::string> held = SentValue(entry, key))
            notHeld(*held);
    };

    switch (part) {
    case Analog: {
        auto* a = dynamic_cast<CAnalogCondition*>(obj);
        if (key == "/LMZ775") {
            if (off) {
                if (obj)
                    obj->OnCommand(objcmd::Delete);
                return;
            }
            if (!a)
                a = dynamic_cast<CAnalogCondition*>(Make(part, n));
            if (!a)
                return;
            if (const std::optional<long> channel = ScanWholeNumber(value, INT_MIN, INT_MAX))
                a->SetValue(3, static_cast<int32_t>(*channel), diffFile);
            else
                unread(*a);
        } else if (a && (key == "/MIN" || key == "/MAX")) {
            const int limit = key == "/MIN" ? 1 : 2;
            // A limit that is no number ("abc", "5,5", "0x10") leaves the
            // condition's own, named even while it watches no channel.
            const std::optional<float> fv = ScanWholeFloat(value);
            if (!fv) {
                notHeld(a->GetText(limit));
                return;
            }
            a->SetLimit(limit, *fv);
            if ((limit == 1 ? a->m_min : a->m_max) != *fv)
                notHeld(a->GetText(limit));  // beyond 0.0..10.0
        }
        return;
    }
    case Busy: {
        if (key == "/AUDIO" && !obj)
            obj = Make(part, n);
        auto* b = dynamic_cast<CBusyCondition*>(obj);
        if (!b)
            return;
        if (key == "/AUDIO") {
            b->ParseValue(0, value, diffFile);
            std::vector<std::string> lines;
            b->GetEntryLines(lines);
            if (!SameWords(value, lines[0].substr(lines[0].find(' ') + 1)))
                notHeld(lines[0].substr(lines[0].find(' ') + 1));  // a kind of audio it does not know
        } else if (key == "/ZONES") {
            b->ParseValue(1, value, diffFile);
        } else if (key == "/OUTPUTS") {
            b->ParseValue(5, value, diffFile);
        } else if (key == "/FULL") {
            // A word other than ON or OFF is no state: the entry keeps its own.
            if (const std::optional<bool> full = ReadFlagWord(value))
                b->SetValue(2, *full ? 1 : 0);
            else
                notHeld(b->GetText(2));
        } else if (key == "/PRIO") {
            // A priority beyond the device's range is held at its limit and
            // named, as one that does not read is left and named.
            if (const std::optional<long> prio = ScanWholeNumber(value, INT_MIN, INT_MAX)) {
                b->SetValue(3, static_cast<int32_t>(std::clamp<long>(*prio, 0, CBusyCondition::kMaxPriority)));
                if (b->GetValue(3) != *prio)
                    notHeld(StrFormat("%d", b->GetValue(3)));
            } else {
                unread(*b);
            }
        }
        return;
    }
    case Combine: {
        if (key == "/LOGIC") {
            if (off) {
                if (obj)
                    obj->OnCommand(objcmd::Delete);
                return;
            }
            if (!obj)
                obj = Make(part, n);
            if (auto* c = dynamic_cast<CCombineCondition*>(obj)) {
                c->ParseValue(0, value);
                std::vector<std::string> lines;
                c->GetEntryLines(lines);
                notHeld(lines[0].substr(lines[0].find(' ') + 1));  // a logic it does not know
            }
            return;
        }
        auto* c = dynamic_cast<CCombineCondition*>(obj);
        int input = 0;
        std::string inputKey;
        if (!c || !SplitEntryKey(key, "/COND", CCombineCondition::kInputs, input, inputKey))
            return;
        if (inputKey == "/IDX") {
            if (off)
                c->SetValue(2 * input + 1, 0);
            else if (const std::optional<long> idx = ScanWholeNumber(value, INT_MIN, INT_MAX))
                c->SetValue(2 * input + 1, static_cast<int32_t>(*idx), diffFile);
            else
                unread(*c);
        } else if (inputKey == "/INV") {
            if (const std::optional<bool> invert = ReadFlagWord(value))
                c->SetValue(2 * input, *invert ? 1 : 0);
            else
                notHeld(c->GetValue(2 * input) != 0 ? "ON" : "OFF");
        }
        return;
    }
    default: {
        if (key == "/FUNCTION") {
            m_functionAnswers.Close(n);  // the function begins an entry's answers
            if (off) {
                // What still names it keeps it as the free entry it is.
                if (obj && m_pDocument)
                    m_pDocument->ReadBackFree(*obj);
                return;
            }
            if (!obj)
                obj = Make(part, n);
            if (auto* c = dynamic_cast<CCondition*>(obj)) {
                const CCondition::FunctionHeld held = c->GetFunctionHeld();
                c->ParseValue(condkey::Keyword, value);
                notHeld(c->GetText(condkey::Keyword));  // a function it does not know: written off
                if (c->GetKindId() != condkind::Plain && c->GetKindId() != held.kind)
                    m_functionAnswers.Take(n, held, m_path + StrFormat("/ENTRY%d", n) + key, value);
            }
            return;
        }
        auto* c = dynamic_cast<CCondition*>(obj);
        if (!c)
            return;
        if (key == "/INDEX") {
            if (const std::optional<long> index = ScanWholeNumber(value, INT_MIN, INT_MAX)) {
                c->SetValue(condkey::ProtocolIndex, static_cast<int32_t>(*index), diffFile);
            } else {
                // An index that does not read: the condition keeps the
                // function it had with its own index, and a function the
                // device gave with it is named too.
                const CCondition::FunctionHeld* before = m_functionAnswers.Before(n);
                if (before)
                    c->PutBackFunction(*before);
                m_functionAnswers.NameTaken(n, diffFile,
                                            [c](const std::string&) { return c->GetText(condkey::Keyword); });
                if (before)  // named with the function, also where the entry is written off
                    notHeld(c->GetText(condkey::ProtocolIndex));
                else
                    unread(*c);
            }
            m_functionAnswers.Close(n);
        } else if (key == "/LEVEL") {
            if (const std::optional<bool> level = ReadFlagWord(value))
                c->SetValue(condkey::Level, *level ? 1 : 0);
            else
                notHeld(c->GetText(condkey::Level));
        }
        return;
    }
    }
}
