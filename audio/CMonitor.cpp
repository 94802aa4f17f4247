#include "audio/CMonitor.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>

#include "audio/AudioIds.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMonitor, 5)

namespace {
constexpr const char* kRelayKeyword = "LMZ764";
// The number set of a clear answer holds at most this many numbers.
constexpr unsigned kClearSetMax = 2000;

// Reads an unsigned number of the given base that fills the whole text.
std::optional<uint32_t> ReadNumber(const std::string& text, int base)
{
    if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, base);
    if (*end != '\0' || v > UINT32_MAX)
        return std::nullopt;
    return static_cast<uint32_t>(v);
}

// The number after `prefix` at the start of `key` and what follows it
// ("/TABLE12/SEL" → 12, "/SEL"); 0 when the key does not start so.
int NumberAfter(const std::string& key, const std::string& prefix, std::string& rest)
{
    if (key.compare(0, prefix.size(), prefix) != 0)
        return 0;
    size_t i = prefix.size();
    int n = 0;
    while (i < key.size() && std::isdigit(static_cast<unsigned char>(key[i])) && n <= 100000)
        n = n * 10 + (key[i++] - '0');
    if (i == prefix.size())
        return 0;
    rest = key.substr(i);
    return n;
}

// How many entries (and whether channels, how many relay words) a stored schema holds.
struct StoredLayout {
    int entries;
    bool channel;
    int relays;
};

StoredLayout LayoutOfSchema(uint32_t schema)
{
    switch (schema) {
    case 0:
    case 1:
        return {20, false, 0};
    case 2:
        return {50, false, 0};
    case 3:
        return {50, true, 0};
    case 4:
        return {50, true, 20};
    default:
        return {CMonitor::kEntryCount, true, CMonitor::kRelayCount};
    }
}

bool IsUpgradedVariant()
{
    const CQuillomerDoc* doc = GetActiveDoc();
    return doc && doc->m_data.deviceVariant != 0;
}

// The amplifier facts installed by the amplifier class (remote flag, channels, address).
CIDManager::AmpInfo ReadAmpInfo(const CBaseDevice* amp)
{
    const CIDManager::AmpInfoFn fn = CIDManager::SetAmpInfoFn(nullptr);
    CIDManager::SetAmpInfoFn(fn);
    return fn ? fn(amp) : CIDManager::AmpInfo{};
}

bool IsAmpWord(const std::string& word)
{
    return word == "AMP_IN" || word == "AMP_OUT";
}

// Whether an entry of the source can have the number: an input or output
// 1..4, a monitor relay of the table, an amplifier's bus address 0..63.
bool FitsNumber(const std::string& source, uint32_t number)
{
    if (source == "IN" || source == "OUT")
        return number >= 1 && number <= 4;
    if (source == "REL")
        return number >= 1 && number <= static_cast<uint32_t>(CMonitor::kRelayCount);
    if (IsAmpWord(source))
        return number <= 63;
    if (source == "EXT")
        return number <= 0xFFFF;  // what its code carries
    return number == 0;
}

// An amplifier's channel is 1..4; the other sources carry no channel, and a
// digit travels back as it came.
bool FitsChannel(const std::string& source, uint32_t channel)
{
    return IsAmpWord(source) ? channel >= 1 && channel <= 4 : channel <= 9;
}
}  // namespace

CMonitor::CMonitor()
{
    m_type = OT_MONITOR;
}

int CMonitor::GetMaxEntries()
{
    return IsUpgradedVariant() ? kEntryCount : 50;
}

int CMonitor::GetMaxRelays()
{
    return IsUpgradedVariant() ? kRelayCount : 20;
}

uint32_t CMonitor::KindOfSourceWord(const std::string& word)
{
    for (uint32_t kind = monitorsource::Off; kind <= monitorsource::Ext; ++kind) {
        if (word == SourceWordOfKind(kind))
            return kind;
    }
    return 0;
}

std::string CMonitor::SourceWordOfKind(uint32_t kind)
{
    switch (kind) {
    case monitorsource::Off:
        return "OFF";
    case monitorsource::In:
        return "IN";
    case monitorsource::Out:
        return "OUT";
    case monitorsource::Rel:
        return "REL";
    case monitorsource::AmpIn:
        return "AMP_IN";
    case monitorsource::AmpOut:
        return "AMP_OUT";
    case monitorsource::Ext:
        return "EXT";
    default:
        return {};
    }
}

void CMonitor::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const MonitorEntry& e : m_entries)
            ar << e.source << e.number << e.reserved << e.channel;
        for (uint32_t w : m_relays)
            ar << w;
        return;
    }
    const StoredLayout layout = LayoutOfSchema(m_loadedSchema);
    for (int i = 0; i < layout.entries; ++i) {
        MonitorEntry& e = m_entries[static_cast<size_t>(i)];
        ar >> e.source >> e.number >> e.reserved;
        if (layout.channel)
            ar >> e.channel;
        if (e.channel == 0)
            e.channel = 1;
    }
    for (int i = 0; i < layout.relays; ++i)
        ar >> m_relays[static_cast<size_t>(i)];
    // An entry the device's answer could not give either is refused, as its
    // answer would be: a source word it does not know or a number its source
    // cannot have leaves the entry off; a channel it cannot have, channel 1.
    for (size_t i = 0; i < m_entries.size(); ++i) {
        MonitorEntry& e = m_entries[i];
        const std::string entry = StrFormat("/TABLE%d", static_cast<int>(i + 1));
        if (KindOfSourceWord(e.source) == 0) {
            NoteHeldOnLoad(entry + "/SEL", e.source, MonitorEntry{}.source);
            e = MonitorEntry{};
        } else if (!FitsNumber(e.source, e.number)) {
            NoteHeldOnLoad(entry + "/IDX", StrFormat("%u", e.number), MonitorEntry{}.source);
            e = MonitorEntry{};
        } else if (!FitsChannel(e.source, e.channel)) {
            NoteHeldOnLoad(entry + "/AMPCHAN", StrFormat("%u", e.channel), StrFormat("%u", MonitorEntry{}.channel));
            e.channel = MonitorEntry{}.channel;
        }
    }
}

int CMonitor::PostLoad()
{
    if (m_loadedSchema < 4) {
        // Relays were links from control pads at keys 1..20.
        for (int32_t key = 1; key <= 20; ++key) {
            const LinkRecord* rec = GetInLinkAtKey(key);
            if (!rec)
                continue;
            if (rec->HasPartner() && rec->partner->GetType() == OT_CONTROL_PAD)
                m_relays[static_cast<size_t>(key - 1)] =
                    static_cast<uint32_t>(static_cast<const CControlPad*>(rec->partner)->GetSignalIndex());
            RemoveInLinksAtKey(key);
        }
    }
    // The program's own name, the same whatever language is in use: opening
    // a project in English must not rename it.
    SetName(LoadGermanString(audioid::Monitor));
    return 1;
}

uint32_t CMonitor::GetValue(uint32_t key) const
{
    const uint32_t index = key >> 16;
    switch (key & 0xFFFF) {
    case monitorsource::AddEntry: {
        if (index >= m_entries.size())
            return 0;
        const MonitorEntry& e = m_entries[index];
        const uint32_t kind = KindOfSourceWord(e.source);
        if (kind == 0)
            return 0;
        if (kind == monitorsource::AmpIn || kind == monitorsource::AmpOut)
            return monitorsource::AmpCode(kind, e.number, e.channel);
        return monitorsource::Code(kind, e.number);
    }
    case monitorsource::Relay:
        return index < m_relays.size() ? m_relays[index] : 0;
    default:
        return 0;
    }
}

uint32_t CMonitor::RelayWordOfPad(uint32_t padNumber) const
{
    CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    if (!doc || padNumber > static_cast<uint32_t>(INT32_MAX))
        return 0;
    const CIDManager& dir = doc->GetIDManager();
    const auto number = static_cast<int32_t>(padNumber);
    if (!dir.IsValidID(number, OT_CONTROL_PAD))
        return 0;
    const CBaseDevice* obj = dir.GetBaseDevice(number, OT_CONTROL_PAD);
    if (!obj || obj->GetType() != OT_CONTROL_PAD)
        return 0;
    return static_cast<uint32_t>(static_cast<const CControlPad*>(obj)->GetSignalIndex());
}

void CMonitor::SetEntry(size_t index, uint32_t kind, uint32_t value)
{
    const ChangeGuard guard(*this);
    MonitorEntry& e = m_entries[index];
    e.source = SourceWordOfKind(kind);
    e.reserved = 0;
    switch (kind) {
    case monitorsource::AmpIn:
    case monitorsource::AmpOut:
        e.number = value & 0xFF;
        e.channel = (value >> 8) & 0xFF;
        break;
    case monitorsource::In:
    case monitorsource::Out:
    case monitorsource::Rel:
        e.number = value;
        e.channel = 1;
        break;
    default:  // OFF, EXT
        e.number = 0;
        e.channel = 1;
        break;
    }
}

int CMonitor::SetValue(uint32_t key, uint32_t value)
{
    const ChangeGuard guard(*this);
    const uint32_t index = key >> 16;
    const uint32_t op = key & 0xFFFF;
    switch (op) {
    case monitorsource::Relay: {
        if (index >= m_relays.size())
            return 0;
        m_relays[index] = 0;
        CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        const bool padExists = doc && value <= static_cast<uint32_t>(INT32_MAX) &&
                               doc->GetIDManager().IsValidID(static_cast<int32_t>(value), OT_CONTROL_PAD) &&
                               doc->GetIDManager().GetBaseDevice(static_cast<int32_t>(value), OT_CONTROL_PAD);
        if (!padExists)
            return 0;
        m_relays[index] = RelayWordOfPad(value);
        return 1;
    }
    case monitorsource::AddRelay: {
        const int usable = GetMaxRelays();
        for (int i = 0; i < usable; ++i) {
            if (m_relays[static_cast<size_t>(i)] == 0)
                return SetValue(monitorsource::Relay | (static_cast<uint32_t>(i) << 16), value);
        }
        return 0;
    }
    case monitorsource::AddEntry: {
        const uint32_t kind = value & 0xFFFF;
        // Only a real source code can fill an entry.
        if (kind < monitorsource::Off || kind > monitorsource::Ext)
            return 0;
        const int usable = GetMaxEntries();
        for (int i = 0; i < usable; ++i) {
            if (m_entries[static_cast<size_t>(i)].source == "OFF") {
                SetEntry(static_cast<size_t>(i), kind, value >> 16);
                return 1;
            }
        }
        return 0;
    }
    case monitorsource::Off:
    case monitorsource::In:
    case monitorsource::Out:
    case monitorsource::Rel:
    case monitorsource::AmpIn:
    case monitorsource::AmpOut:
    case monitorsource::Ext:
        if (index >= m_entries.size())
            return 0;
        SetEntry(index, op, value);
        return 1;
    default:  // 1 and anything above 10
        return 1;
    }
}

const CBaseDevice* CMonitor::RelayPad(uint32_t word) const
{
    const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    // Word 0 is "no relay": it must not name a pad that has no relay linked yet.
    if (doc && word != 0 && word <= static_cast<uint32_t>(INT32_MAX)) {
        DeviceList pads;
        doc->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
        for (const CBaseDevice* obj : pads) {
            if (obj->GetType() == OT_CONTROL_PAD &&
                static_cast<const CControlPad*>(obj)->MatchesKeyword(kRelayKeyword, static_cast<int32_t>(word)))
                return obj;
        }
    }
    return nullptr;
}

std::string CMonitor::RelayName(uint32_t word) const
{
    const CBaseDevice* pad = RelayPad(word);
    return pad ? pad->GetName() : StrFormat("%d *", static_cast<int32_t>(word));
}

std::string CMonitor::AmpName(uint32_t address) const
{
    const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    std::string name;
    if (doc) {
        DeviceList amps;
        doc->GetIDManager().GetRemoteAmpsByAddress(amps);
        for (const CBaseDevice* amp : amps) {
            if (static_cast<uint32_t>(ReadAmpInfo(amp).address) == address)
                name = amp->GetName();
        }
    }
    return name.empty() ? StrFormat("%d *", static_cast<int32_t>(address)) : name;
}

std::string CMonitor::GetValueText(uint32_t key) const
{
    const uint32_t n = key >> 16;
    switch (key & 0xFFFF) {
    case monitorsource::Relay:
        return n < m_relays.size() ? RelayName(m_relays[n]) : std::string();
    case monitorsource::SourceWord:
        return n < m_entries.size() ? m_entries[n].source : std::string();
    case monitorsource::EntryNumber:
        if (n >= m_entries.size())
            return {};
        if (IsAmpWord(m_entries[n].source))
            return StrFormat("%x", m_entries[n].number);
        return StrFormat("%d", static_cast<int32_t>(m_entries[n].number));
    case monitorsource::EntryChannel:
        return n < m_entries.size() ? StrFormat("%d", static_cast<int32_t>(m_entries[n].channel)) : std::string();
    case monitorsource::Off:
        return LoadStringId(audioid::NoEntry);
    case monitorsource::In:
        return StrFormat("IN%d", static_cast<int32_t>(n));
    case monitorsource::Out:
        return StrFormat("OUT%d", static_cast<int32_t>(n));
    case monitorsource::Ext:
        return "EXT";
    case monitorsource::Rel:
        if (n < 1 || n > static_cast<uint32_t>(GetMaxRelays()))
            return StrFormat("%d *", static_cast<int32_t>(n));
        return RelayName(m_relays[n - 1]);
    case monitorsource::AmpIn:
    case monitorsource::AmpOut: {
        const bool in = (key & 0xFFFF) == monitorsource::AmpIn;
        return StrFormat(in ? "%s - %d IN" : "%s - %d OUT", AmpName(n & 0xFF).c_str(),
                         static_cast<int32_t>((n >> 8) & 0xFF));
    }
    default:
        return {};
    }
}

int CMonitor::GetSources(int kind, std::vector<uint32_t>* list) const
{
    if (kind != 1 || !list)
        return 0;
    list->push_back(monitorsource::Code(monitorsource::Off, 0));
    for (uint32_t i = 1; i <= 4; ++i)
        list->push_back(monitorsource::Code(monitorsource::In, i));
    for (uint32_t i = 1; i <= 4; ++i)
        list->push_back(monitorsource::Code(monitorsource::Out, i));
    const int relays = GetMaxRelays();
    for (int n = 1; n <= relays; ++n) {
        if (m_relays[static_cast<size_t>(n - 1)] != 0)
            list->push_back(monitorsource::Code(monitorsource::Rel, static_cast<uint32_t>(n)));
    }
    const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    if (!doc)
        return 0;
    DeviceList amps;
    doc->GetIDManager().GetBaseDeviceList(amps, OT_AMPLIFIER);
    for (const CBaseDevice* amp : amps) {
        const CIDManager::AmpInfo info = ReadAmpInfo(amp);
        if (!info.remote)
            continue;
        const auto address = static_cast<uint32_t>(info.address);
        for (int ch = 1; ch <= info.channels; ++ch)
            list->push_back(monitorsource::AmpCode(monitorsource::AmpIn, address, static_cast<uint32_t>(ch)));
        for (int ch = 1; ch <= info.channels; ++ch)
            list->push_back(monitorsource::AmpCode(monitorsource::AmpOut, address, static_cast<uint32_t>(ch)));
    }
    return 0;
}

// ---------------------------------------------------------------- transfer

void CMonitor::Send(const std::string& line)
{
    ::SendCommand(line, m_pDocument ? m_pDocument : GetActiveDoc(), true);
}

int CMonitor::GetDownloadLines(int mode, int step)
{
    if (step == -1) {
        m_pending.clear();
        m_answers.Clear();
        m_tableAnswered = false;
        m_relayAnswered = false;
        m_relayQuerySent = false;
        m_clearCapability = GetAppHost().GetProfileInt("KVT7000", "MONI_CLR", 0) != 0;
        return kTransferEnd;
    }
    if (IsOutBufferFull())
        return step;
    const bool query = mode != 0;
    switch (step) {
    case 0:
        if (query && !m_clearCapability)
            return 2;
        Send(m_path + "/CLEAR/TABLE " + (query ? "?" : "ALL"));
        return 1;
    case 1:
        if (!query) {
            const int entries = GetMaxEntries();
            for (int n = 1; n <= entries; ++n) {
                const MonitorEntry& e = m_entries[static_cast<size_t>(n - 1)];
                if (m_clearCapability && e.source == "OFF")
                    continue;
                const uint32_t index = static_cast<uint32_t>(n - 1) << 16;
                const std::string entry = m_path + StrFormat("/TABLE%d", n);
                m_pending.push_back(entry + "/SEL " + GetValueText(monitorsource::SourceWord | index));
                m_pending.push_back(entry + "/IDX " + GetValueText(monitorsource::EntryNumber | index));
                m_pending.push_back(entry + "/AMPCHAN " + GetValueText(monitorsource::EntryChannel | index));
            }
            const int relays = GetMaxRelays();
            for (int n = 1; n <= relays; ++n) {
                const uint32_t word = m_relays[static_cast<size_t>(n - 1)];
                if (m_clearCapability && word == 0)
                    continue;
                m_pending.push_back(m_path + "/RELAY" + StrFormat("%d %d", n, static_cast<int32_t>(word)));
            }
            Send(m_path + "/CLEAR/RELAY ALL");
            return 2;
        }
        if (!m_clearCapability || m_relayAnswered)
            return 2;
        if (m_relayQuerySent) {
            // A device that never says which relays are free must not hold the
            // transfer for ever: go on with what was asked for so far.
            if (std::chrono::steady_clock::now() - m_relayQueryTime > kRelayAnswerWait)
                return 2;
            return 1;
        }
        Send(m_path + "/CLEAR/RELAY ?");
        m_relayQuerySent = true;
        m_relayQueryTime = std::chrono::steady_clock::now();
        return 1;
    case 2:
        if (m_pending.empty())
            return kTransferEnd;
        Send(m_pending.front());
        m_pending.pop_front();
        return 2;
    default:
        return kTransferEnd;
    }
}

void CMonitor::TakeRelayAnswer(int n, const std::string& value, const std::string& diffFileName)
{
    if (value == "OFF") {
        RemoveInLinksAtKey(n);
        return;
    }
    const std::optional<uint32_t> word = ReadNumber(value, 10);
    if (!word) {
        // Neither OFF nor a number: the relay keeps its own.
        if (!diffFileName.empty())
            ReportNotHeld(&diffFileName, m_path + StrFormat("/RELAY%d", n), value,
                          StrFormat("%d", static_cast<int32_t>(m_relays[static_cast<size_t>(n - 1)])));
        return;
    }
    m_relays[static_cast<size_t>(n - 1)] = *word;
    RemoveInLinksAtKey(n);
    if (*word == 0)
        return;  // no relay
    CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
    if (doc) {
        DeviceList pads;
        doc->GetIDManager().GetBaseDeviceListByKind(pads, OT_CONTROL_PAD, padkind::LMZ764);
        for (CBaseDevice* pad : pads) {
            if (pad->GetType() == OT_CONTROL_PAD &&
                static_cast<uint32_t>(static_cast<CControlPad*>(pad)->GetSignalIndex()) == *word) {
                pad->LinkTo(0, this, n);
                return;
            }
        }
    }
    if (!diffFileName.empty())
        AppendErrLine(diffFileName, LoadStringId(audioid::Monitor), m_number,
                      StrFormat("%s %s-%d", LoadStringId(audioid::Label).c_str(),
                                LoadStringId(padkind::LMZ764).c_str(), static_cast<int32_t>(*word)));
}

void CMonitor::TakeEntryAnswer(int n, const std::string& key, const std::string& value, const std::string* diffFile)
{
    if (key != "/SEL" && key != "/IDX" && key != "/AMPCHAN")
        return;
    MonitorEntry& e = m_entries[static_cast<size_t>(n - 1)];
    const uint32_t index = static_cast<uint32_t>(n - 1) << 16;
    const std::string entry = m_path + StrFormat("/TABLE%d", n);
    const std::string item = entry + key;
    // What the entry keeps for one of its keys: what its next download sends.
    const auto kept = [&](const std::string& of) {
        const std::string k = of.substr(entry.size());
        if (k == "/SEL")
            return e.source;
        return GetValueText((k == "/IDX" ? monitorsource::EntryNumber : monitorsource::EntryChannel) | index);
    };
    // The source word begins an entry's answers; the number completes them,
    // or, for an amplifier's entry, the channel after it.
    if (key == "/SEL") {
        m_answers.Close(n);
        if (KindOfSourceWord(value) == 0) {
            // A word the project does not know: the entry keeps its own.
            ReportNotHeld(diffFile, item, value, e.source);
            m_answers.Refuse(n, e);
            return;
        }
        m_answers.Take(n, e, item, value);
        e.source = value;
        return;
    }
    const bool isNumber = key == "/IDX";
    const bool completes = !isNumber || !IsAmpWord(e.source);
    if (m_answers.IsRefused(n)) {
        // Another answer of the entry was not taken: neither is this one.
        if (kept(item) != value)
            ReportNotHeld(diffFile, item, value, kept(item));
        if (completes)
            m_answers.Close(n);
        return;
    }
    // Amplifier addresses travel in hexadecimal, as the download writes them.
    const std::optional<uint32_t> v = ReadNumber(value, !isNumber || IsAmpWord(e.source) ? 16 : 10);
    if (v && (isNumber ? FitsNumber(e.source, *v) : FitsChannel(e.source, *v))) {
        m_answers.Take(n, e, item, value);
        (isNumber ? e.number : e.channel) = *v;
        if (completes)
            m_answers.Close(n);
        return;
    }
    // A number or channel the source just given cannot have: the entry
    // keeps the source, number and channel it had, and the difference file
    // names each answer of the entry that differs from them ("IN" and "9"
    // against "OUT" and "3"), not a source neither side had.
    if (const MonitorEntry* before = m_answers.Before(n))
        e = *before;
    m_answers.NameTaken(n, diffFile, kept);
    // One that never had a number its source can have is off, not "IN 0".
    if (!FitsNumber(e.source, e.number))
        e = MonitorEntry{};
    ReportNotHeld(diffFile, item, value, kept(item));
    if (completes)
        m_answers.Close(n);
    else
        m_answers.Refuse(n, e);
}

void CMonitor::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "MONI/TABLE4/SEL AMP_IN": the key follows the object's own element.
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return;
    std::string value = line.substr(blank + 1);
    // An echoed query, or a line the device did not understand ("... XYZ ? ").
    if (IsRefusedValue(value))
        return;
    value.erase(value.find_last_not_of(" \r\n") + 1);
    const std::string path = line.substr(0, line.find(' '));
    const size_t slash = path.find('/');
    if (slash == std::string::npos)
        return;
    const std::string key = path.substr(slash);

    if (key == "/CLEAR/TABLE" || key == "/CLEAR/RELAY") {
        // Each list is taken once a transfer: a repeated answer would queue
        // every entry's queries again, and the queue only empties in a transfer.
        bool& answered = key == "/CLEAR/TABLE" ? m_tableAnswered : m_relayAnswered;
        if (answered)
            return;
        NumberSet free{};
        // Read whole, however long; an answer that does not read changes
        // nothing and queues nothing (the transfer ends there and names it).
        if (!ReadFreeList(free, kClearSetMax, m_path + key, value)) {
            answered = true;
            return;
        }
        if (key == "/CLEAR/TABLE") {
            const int entries = GetMaxEntries();
            ReportBeyondLimit(&diffFileName, m_path + "/TABLE", free, entries, kClearSetMax);
            for (int n = 1; n <= entries; ++n) {
                if (TestBit(free, static_cast<unsigned>(n - 1))) {
                    SetEntry(static_cast<size_t>(n - 1), monitorsource::Off, 0);
                    continue;
                }
                const std::string entry = m_path + StrFormat("/TABLE%d", n);
                for (const char* part : {"/SEL ?", "/IDX ?", "/AMPCHAN ?"})
                    m_pending.push_back(entry + part);
            }
            m_tableAnswered = true;
        } else {
            const int relays = GetMaxRelays();
            ReportBeyondLimit(&diffFileName, m_path + "/RELAY", free, relays, kClearSetMax);
            for (int n = 1; n <= relays; ++n) {
                if (TestBit(free, static_cast<unsigned>(n - 1)))
                    m_relays[static_cast<size_t>(n - 1)] = 0;
                else
                    m_pending.push_back(m_path + StrFormat("/RELAY%d ?", n));
            }
            m_relayAnswered = true;
        }
        return;
    }

    std::string rest;
    // Answers for entries and relays the table cannot hold are not taken.
    if (const int n = NumberAfter(key, "/TABLE", rest); n >= 1 && n <= kEntryCount) {
        TakeEntryAnswer(n, rest, value, diffFileName.empty() ? nullptr : &diffFileName);
        return;
    }
    if (const int n = NumberAfter(key, "/RELAY", rest); n >= 1 && n <= kRelayCount && rest.empty())
        TakeRelayAnswer(n, value, diffFileName);
}
