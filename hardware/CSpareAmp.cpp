#include "hardware/CSpareAmp.h"

#include "hardware/CAmplifier.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

#include <climits>
#include <cstdio>
#include <optional>

#include "model/DiffFile.h"

QL_IMPLEMENT_SERIAL(CSpareAmp, 3)

namespace {
constexpr uint32_t kKindAmplifier = OT_AMPLIFIER;     // 2
constexpr uint32_t kKindReadyInput = OT_READY_INPUT;  // 38
constexpr int kStepsPerEntry = 43;                    // index, remote, replace, 10 x 4 watch lines
constexpr int kStepCount = 1 + CSpareAmp::kEntries * kStepsPerEntry;
constexpr uint32_t kSpareName = 34370;                // "Havarieverstärker"

// "OFF" is 0; otherwise a whole number, not negative, that a 16-bit field
// holds as the download writes it back ("%hd", "%d"), and nothing after it.
// Anything else the table cannot hold: false.
bool ScanWord(const std::string& value, uint16_t* word)
{
    if (value == "OFF") {
        *word = 0;
        return true;
    }
    const std::optional<long> v = ScanWholeNumber(value, 0, CSpareAmp::kMaxWord);
    if (!v)
        return false;
    *word = static_cast<uint16_t>(*v);
    return true;
}

// Reads "<prefix><number>" at the start of `key` and removes it; -1 when absent.
int TakeNumbered(std::string& key, const char* prefix)
{
    const std::string p(prefix);
    if (key.compare(0, p.size(), p) != 0)
        return -1;
    int n = 0;
    int used = 0;
    if (std::sscanf(key.c_str() + p.size(), "%d%n", &n, &used) != 1)
        return -1;
    key.erase(0, p.size() + static_cast<size_t>(used));
    return n;
}
}  // namespace

CSpareAmp::CSpareAmp() : m_names(kEntries)
{
    m_type = OT_SPARE_AMP;
    Reset();
}

void CSpareAmp::Reset()
{
    m_cleared.fill(0xFF);
    for (SpareEntry& e : m_entries)
        e = SpareEntry();
}

bool CSpareAmp::IsEntryCleared(int n) const
{
    return n < 0 || n >= kEntries || TestBit(m_cleared, static_cast<unsigned>(n));
}

void CSpareAmp::SetEntryCleared(int n, bool cleared)
{
    const ChangeGuard guard(*this);
    if (n >= 0 && n < kEntries)
        SetBit(m_cleared, static_cast<unsigned>(n), cleared);
}

void CSpareAmp::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const SpareEntry& e : m_entries) {
            ar << e.index << e.readyFlag;
            for (const SpareWatch& w : e.watch)
                ar << w.index << w.readyFlag << w.outRelay << w.inRelay;
        }
        ar.WriteCount(static_cast<uint32_t>(m_names.size()));
        for (const std::string& name : m_names)
            ar << name;
        return;
    }
    Reset();
    m_names.assign(kEntries, std::string());
    if (m_loadedSchema >= 2) {
        for (SpareEntry& e : m_entries) {
            ar >> e.index >> e.readyFlag;
            for (SpareWatch& w : e.watch)
                ar >> w.index >> w.readyFlag >> w.outRelay >> w.inRelay;
        }
    }
    if (m_loadedSchema >= 3) {
        const uint32_t count = ar.ReadCount();
        for (uint32_t i = 0; i < count; ++i) {
            std::string name;
            ar >> name;
            if (i < static_cast<uint32_t>(kEntries))
                m_names[i] = std::move(name);
        }
    }
    for (int n = 0; n < kEntries; ++n)
        SetEntryCleared(n, m_names[n].empty());
    // A number the download would send as another one is refused, as the
    // device's answer would be: the field is empty, as in a new project.
    for (int n = 0; n < kEntries; ++n) {
        SpareEntry& e = m_entries[n];
        const std::string entry = StrFormat("/ENTRY%d", n + 1);
        RefuseLoaded<uint16_t>(e.index, 0, kMaxWord, 0, entry + "/INDEX");
        for (int j = 0; j < kWatches; ++j) {
            SpareWatch& w = e.watch[j];
            const std::string watch = entry + StrFormat("/WATCH%d", j + 1);
            RefuseLoaded<uint16_t>(w.index, 0, kMaxWord, 0, watch + "/INDEX");
            RefuseLoaded<uint16_t>(w.outRelay, 0, kMaxWord, 0, watch + "/OUTRELAY");
            RefuseLoaded<uint16_t>(w.inRelay, 0, kMaxWord, 0, watch + "/INPRELAY");
        }
    }
}

bool CSpareAmp::GetEntry(int n, std::string& name, uint32_t& kind, int32_t& index) const
{
    if (n < 0 || n >= kEntries)
        return false;
    const SpareEntry& e = m_entries[n];
    name = m_names[n];
    kind = e.readyFlag ? kKindReadyInput : kKindAmplifier;
    index = e.index;
    return !IsEntryCleared(n);
}

bool CSpareAmp::GetWatch(int j, int n, uint32_t& kind, int32_t& index) const
{
    if (n < 0 || n >= kEntries || j < 0 || j >= kWatches)
        return false;
    const SpareWatch& w = m_entries[n].watch[j];
    kind = w.readyFlag ? kKindReadyInput : kKindAmplifier;
    index = w.index;
    return w.index != 0 || w.outRelay != 0 || w.inRelay != 0;
}

int32_t CSpareAmp::GlobalChannel(int32_t number, int32_t channel) const
{
    if (!m_pDocument)
        return -1;
    const CIDManager& dir = m_pDocument->GetIDManager();
    if (!dir.IsValidID(number, OT_AMPLIFIER))
        return -1;
    return CAmplifier::GetGlobalChannel(dir.GetBaseDevice(number, OT_AMPLIFIER), channel);
}

void CSpareAmp::SetEntry(int n, const std::string& name, bool inUse, uint32_t kind, int32_t number,
                         int32_t channel)
{
    if (n < 0 || n >= kEntries)
        return;
    // The same choice made again leaves the project unmodified.
    const ChangeGuard guard(*this);
    SpareEntry& e = m_entries[n];
    m_names[n] = name;
    SetEntryCleared(n, !inUse);
    if (kind == kKindAmplifier) {
        e.readyFlag = 0;
        const int32_t global = GlobalChannel(number, channel);
        if (global > 0)
            e.index = static_cast<uint16_t>(global);
    } else {
        e.readyFlag = 1;
        e.index = static_cast<uint16_t>(number);
    }
    if (!inUse)
        for (SpareWatch& w : e.watch)
            w = SpareWatch();
}

void CSpareAmp::SetWatch(int j, int n, uint32_t kind, int32_t number, int32_t channel)
{
    if (n < 0 || n >= kEntries || j < 0 || j >= kWatches)
        return;
    const ChangeGuard guard(*this);
    SpareWatch& w = m_entries[n].watch[j];
    if (kind == kKindAmplifier) {
        w.readyFlag = 0;
        const int32_t global = GlobalChannel(number, channel);
        if (global > 0)
            w.index = static_cast<uint16_t>(global);
    } else if (kind == kKindReadyInput) {
        w.readyFlag = 1;
        w.index = static_cast<uint16_t>(number);
    } else {
        w = SpareWatch();
    }
}

int CSpareAmp::GetDownloadLines(int mode, int step)
{
    if (step == -1) {
        m_indexAnswers.Clear();
        m_clearAnswerSeen = 0;
        m_clearQuerySent = 0;
        m_clearCapability = GetAppHost().GetProfileInt("KVT7000", "SPAREAMP_CLR", 0);
        return kStepCount;
    }
    if (step < 0 || step >= kStepCount)
        return step;
    if (IsOutBufferFull())
        return step;
    const bool query = mode != 0;
    if (step == 0) {
        if (!query) {
            ::SendCommand(m_path + "/CLEAR ALL", m_pDocument, false);
            return 1;
        }
        if (!m_clearCapability)
            return 1;
        if (!m_clearQuerySent) {
            ::SendCommand(m_path + "/CLEAR ?", m_pDocument, false);
            m_clearQuerySent = 1;
            return 0;
        }
        return m_clearAnswerSeen ? 1 : 0;
    }
    if (m_clearCapability) {
        // Entries without a name or index are unused on the device: skip them.
        while (step < kStepCount) {
            const int e = (step - 1) / kStepsPerEntry;
            if (!m_names[e].empty() || m_entries[e].index != 0)
                break;
            step += kStepsPerEntry;
        }
        if (step >= kStepCount)
            return step;
    }
    const int e = (step - 1) / kStepsPerEntry;
    const int r = (step - 1) % kStepsPerEntry;
    const SpareEntry& entry = m_entries[e];
    std::string line = m_path + StrFormat("/ENTRY%d", e + 1);
    auto yesNo = [](uint16_t readyFlag) { return std::string(readyFlag ? "NO" : "YES"); };
    int next = step + 1;
    if (r == 0) {
        line += "/INDEX ";
        line += query ? std::string("?") : StrFormat("%hd", static_cast<short>(entry.index));
        if (!query && entry.index == 0)
            next = step + kStepsPerEntry;
    } else if (r == 1) {
        line += "/REMOTE ";
        line += query ? std::string("?") : yesNo(entry.readyFlag);
    } else if (r == 2) {
        if (!query)
            return next;  // the replacement is read live only
        line += "/REPLACE ?";
    } else {
        const int j = (r - 3) / 4;
        const int field = (r - 3) % 4;
        const SpareWatch& w = entry.watch[j];
        line += StrFormat("/WATCH%d", j + 1);
        static const char* const kKeys[4] = {"/INDEX ", "/REMOTE ", "/OUTRELAY ", "/INPRELAY "};
        line += kKeys[field];
        if (query) {
            line += "?";
        } else {
            switch (field) {
            case 0:
                line += StrFormat("%hd", static_cast<short>(w.index));
                if (w.index == 0)
                    next = step + 4;
                break;
            case 1: line += yesNo(w.readyFlag); break;
            case 2: line += StrFormat("%d", w.outRelay); break;
            default: line += StrFormat("%d", w.inRelay); break;
            }
        }
    }
    ::SendCommand(line, m_pDocument, false);
    return next;
}

void CSpareAmp::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return;
    const std::string value = line.substr(blank + 1);
    if (value == "?")
        return;
    // The device's table replaces the design's: a different one is a change
    // of the project that saving must not miss.
    const ChangeGuard guard(*this);
    std::string key = line.substr(0, blank);
    const size_t at = key.find("SPAREAMP");
    if (at == std::string::npos)
        return;
    key.erase(0, at + 8);
    if (key == "/CLEAR") {
        // Read whole; an answer that does not read leaves the table as the
        // project holds it (the transfer ends there and names it).
        decltype(m_cleared) cleared {};
        if (!ReadFreeList(cleared, 64, m_path + key, value)) {
            m_clearAnswerSeen = 1;
            return;
        }
        m_cleared = cleared;
        ReportBeyondLimit(&diffFileName, m_path + "/ENTRY", cleared, kEntries, 64);
        for (int n = 0; n < kEntries; ++n) {
            if (IsEntryCleared(n)) {
                m_names[n].clear();
                m_entries[n] = SpareEntry();
            } else if (m_names[n].empty()) {
                m_names[n] = StrFormat("%s %d", LoadStringId(kSpareName).c_str(), n + 1);
            }
        }
        m_clearAnswerSeen = 1;
        return;
    }
    const int e = TakeNumbered(key, "/ENTRY");
    if (e < 1 || e > kEntries)
        return;
    // What the table cannot hold as the device holds it is named in the
    // difference file: a number beyond a 16-bit field, which the next
    // download would send as another number, or text that is no number
    // keep the project's value, and so does a word other than YES or NO,
    // named with the word the table keeps.
    const std::string entryKey = key.substr(1);
    // What the entry keeps for the key, as its download sends it.
    const auto kept = [&]() -> std::string {
        const SpareEntry& held = m_entries[e - 1];
        if (entryKey == "INDEX")
            return StrFormat("%hd", static_cast<short>(held.index));
        int j = 0;
        const size_t slash = entryKey.find('/');
        if (std::sscanf(entryKey.c_str(), "WATCH%d/", &j) != 1 || j < 1 || j > kWatches || slash == std::string::npos)
            return {};
        const SpareWatch& w = held.watch[j - 1];
        const std::string field = entryKey.substr(slash + 1);
        if (field == "INDEX")
            return StrFormat("%hd", static_cast<short>(w.index));
        return StrFormat("%d", field == "OUTRELAY" ? w.outRelay : w.inRelay);
    };
    const auto untaken = [&] {
        ReportNotHeld(&diffFileName, m_path + StrFormat("/ENTRY%d/", e) + entryKey, value, kept());
    };
    const auto takeWord = [&](uint16_t& field) {
        if (!ScanWord(value, &field))
            untaken();
    };
    const std::string item = m_path + StrFormat("/ENTRY%d/", e) + entryKey;
    // The index opens the entry's (or the watch's) pair of answers; the
    // ready-input flag that says what it names completes it.
    const auto takeIndex = [&](int group, uint16_t& index, uint16_t& readyFlag) {
        m_indexAnswers.Close(group);
        const std::pair<uint16_t, uint16_t> held {index, readyFlag};
        uint16_t read = 0;
        if (!ScanWord(value, &read)) {
            untaken();
            m_indexAnswers.Refuse(group, held);
            return;
        }
        m_indexAnswers.Take(group, held, item, value);
        index = read;
    };
    const auto takeRemote = [&](int group, uint16_t& index, uint16_t& readyFlag) {
        const auto kept = [&] { return std::string(readyFlag ? "NO" : "YES"); };
        // "YES": the amplifier is watched remotely (the ready flag clear).
        const std::optional<bool> remote = ReadFlagWord(value, "YES", "NO");
        if (remote && !m_indexAnswers.IsRefused(group)) {
            readyFlag = *remote ? 0 : 1;
        } else {
            // The index the device gave with it stays unread, or the flag
            // does not read: the entry keeps its own index and flag, and
            // what the device gave for either is named.
            if (const std::pair<uint16_t, uint16_t>* before = m_indexAnswers.Before(group); before && !remote) {
                index = before->first;
                readyFlag = before->second;
            }
            m_indexAnswers.NameTaken(group, &diffFileName,
                                     [&](const std::string&) { return StrFormat("%hd", static_cast<short>(index)); });
            if (value != kept())
                ReportNotHeld(&diffFileName, item, value, kept());
        }
        m_indexAnswers.Close(group);
    };
    SpareEntry& entry = m_entries[e - 1];
    if (key == "/INDEX") {
        takeIndex(100 * e, entry.index, entry.readyFlag);
        return;
    }
    if (key == "/REMOTE") {
        takeRemote(100 * e, entry.index, entry.readyFlag);
        return;
    }
    const int j = TakeNumbered(key, "/WATCH");
    if (j < 1 || j > kWatches)
        return;
    SpareWatch& w = entry.watch[j - 1];
    if (key == "/INDEX")
        takeIndex(100 * e + j, w.index, w.readyFlag);
    else if (key == "/REMOTE")
        takeRemote(100 * e + j, w.index, w.readyFlag);
    else if (key == "/OUTRELAY")
        takeWord(w.outRelay);
    else if (key == "/INPRELAY")
        takeWord(w.inRelay);
}
