#include "paging/CConsole.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "hardware/CAudioInputSlot.h"
#include "model/ComparingStore.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/BlockWalk.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "paging/CConsKey.h"
#include "paging/CConsoleObject.h"
#include "paging/ConsoleIds.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CConsole, 4)

bool CConsole::s_downloadStop = false;

namespace {
struct ParamWord {
    const char* keyword;
    int32_t code;
};
// Every keyword a console answer may carry ("KEY" is answered per key).
constexpr ParamWord kParamWords[] = {
    {"BUZZER", consparam::Buzzer}, {"DOSCHAR", consparam::DosChar}, {"PRECHIME", consparam::PreChime},
    {"GERMAN", consparam::German}, {"PRIO", consparam::Prio},       {"PTTPRIO", consparam::PttPrio},
    {"TYPE", consparam::Type},     {"NAME", consparam::Name},       {"COMP", consparam::Comp},
    {"EXT", consparam::Ext},       {"PASSW", consparam::Passwords}, {"ON_PRIO", consparam::OnPrio},
    {"KEY", consparam::Key},       {"GROUP", consparam::Group},
};
// The download's parameter lines, in order (TYPE and PRIO send nothing).
constexpr int32_t kParamOrder[CConsole::kParamSteps] = {
    consparam::Name,     consparam::Type,   consparam::Prio,    consparam::Comp,
    consparam::Buzzer,   consparam::PreChime, consparam::German, consparam::DosChar,
    consparam::PttPrio,  consparam::Ext,    consparam::Passwords, consparam::OnPrio,
};
constexpr const char* kPttWords[] = {"FIRST", "INT", "EXT"};
constexpr const char* kExtWords[] = {"OFF", "AUX", "2296", "PTT"};
constexpr int kMaxZone = 100;
constexpr int kTopRaise = 8;
constexpr int32_t kSheetRight = 1933;

const char* KeywordOf(int32_t code)
{
    for (const ParamWord& w : kParamWords)
        if (w.code == code && code != consparam::Key)
            return w.keyword;
    return "";
}

int32_t CodeOf(const std::string& keyword)
{
    for (const ParamWord& w : kParamWords)
        if (keyword == w.keyword)
            return w.code;
    return -1;
}

template <size_t N>
int IndexOf(const char* const (&words)[N], const std::string& value)
{
    for (size_t i = 0; i < N; ++i)
        if (value == words[i])
            return static_cast<int>(i);
    return -1;
}

template <size_t N>
std::string WordOf(const char* const (&words)[N], const std::string& indexText)
{
    const int i = std::atoi(indexText.c_str());
    return i >= 0 && static_cast<size_t>(i) < N ? words[i] : words[0];
}

// The settings the device switches with ON and OFF.
bool IsSwitchSetting(int32_t code)
{
    return code == consparam::Buzzer || code == consparam::DosChar || code == consparam::PreChime ||
           code == consparam::German || code == consparam::Comp;
}

// What the console takes of a setting's answer, in the form its settings
// hold: nothing for a word where ON or OFF belongs, for a number with a
// fraction or a tail, or for one beyond the setting's range; the console then
// keeps what it holds. Other settings take the text as it came.
std::optional<std::string> SettingAnswerText(int32_t code, const std::string& value)
{
    const auto whole = [&value](long low, long high) -> std::optional<std::string> {
        const std::optional<long> v = ScanWholeNumber(value, low, high);
        return v ? std::optional<std::string>(std::to_string(*v)) : std::nullopt;
    };
    if (IsSwitchSetting(code)) {
        const std::optional<bool> on = ReadFlagWord(value);
        return on ? std::optional<std::string>(*on ? "1" : "0") : std::nullopt;
    }
    switch (code) {
    case consparam::OnPrio: return whole(0, 100);
    case consparam::Prio: return whole(2, 10);
    case consparam::ExpertPassword: return whole(1000, 9999);
    case consparam::UserPassword: return whole(100, 999);
    case consparam::Passwords: {
        const size_t comma = value.find(',');
        if (comma == std::string::npos || !ScanWholeNumber(value.substr(0, comma), 100, 999) ||
            !ScanWholeNumber(value.substr(comma + 1), 1000, 9999))
            return std::nullopt;
        return value;
    }
    default: return value;
    }
}

// Values sent to the device stay one line: control characters are dropped.
std::string OneLine(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F)
            out += c;
    }
    return out;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsReal(const CBaseDevice* o) { return o && o != LinkRecord::NoPartner(); }

// Zone numbers of a group (its links towards zones, through sub-groups).
std::set<int32_t> ZonesOf(const CBaseDevice* group)
{
    std::set<int32_t> zones;
    LinkRefList records;
    group->CollectOutLinksToCategory(CAT_ZONE, records, false);
    for (const LinkRecord* r : records)
        if (r->HasPartner() && r->partnerCategory == CAT_ZONE)
            zones.insert(r->partner->GetNumber());
    return zones;
}

CConsole::PropertiesOpener& Opener()
{
    static CConsole::PropertiesOpener opener = nullptr;
    return opener;
}
}  // namespace

CConsole::PropertiesOpener CConsole::SetPropertiesOpener(PropertiesOpener opener)
{
    PropertiesOpener old = Opener();
    Opener() = opener;
    return old;
}

CConsole::CConsole()
{
    m_type = OT_CONSOLE;
    m_linkMode = linkmode::DrawInLinks;
    m_moveLock = 0;  // vertical moves only
}

// ---------------------------------------------------------------- file and set-up

void CConsole::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsLoading())
        m_prop.SetConsole(this);
    m_prop.Serialize(ar, ar.IsLoading() ? m_loadedSchema : 4);
    if (ar.IsLoading()) {
        m_prop.SetConsole(this);
        HoldLoadedSettings();
    }
    // The model check sets the keys' edits back to what they hold: not when
    // the console is only stored to see whether a change changed it, while
    // the key dialog edits a key.
    if (ar.IsLoading() || !IsComparingStore())
        SetupModel();
}

void CConsole::EnterConsolePath()
{
    if (m_pDocument && !m_path.empty())
        m_pDocument->RemovePath(m_path, this);
    EnterPath(StrFormat("/CONS/ADR%d", m_number));
}

int CConsole::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    EnterConsolePath();
    m_groupSlots.fill(nullptr);
    m_groupSlots[0] = GetGroupZero();
    return 1;
}

int CConsole::PostLoad()
{
    EnterConsolePath();
    return 1;
}

int CConsole::CreateSymbol(uint32_t model, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           CQuillomerDoc* doc)
{
    if (!Create(model, 1, 1, static_cast<const char*>(nullptr), left, top - kTopRaise, right, bottom, CAT_CONSOLE,
                kBitmap, kStyle, doc))
        return 0;
    AvoidOverlap();
    return 1;
}

void CConsole::LayoutConnectionPoints()
{
    const CRect& b = m_bitmapRect;
    const CPoint at(b.left + (b.right - b.left) / 2, b.bottom);
    for (size_t i = 0; i < m_inputPoints.size(); ++i) {
        m_inputPoints[i] = at;
        if (i < m_inputRoutes.size())
            m_inputRoutes[i].pt[0] = at;
    }
    for (size_t i = 0; i < m_outputPoints.size(); ++i) {
        m_outputPoints[i] = at;
        if (i < m_outputRoutes.size())
            m_outputRoutes[i].pt[0] = at;
    }
}

void CConsole::CalcBoundingRect()
{
    m_boundingRect = m_rect;
    // Only the line to the audio input widens it, not the keys' links.
    for (const LinkRecord* r : m_inLinks) {
        if (r->ownKey != 0 || !r->HasPartner() || r->partnerKey < 0 ||
            static_cast<size_t>(r->partnerKey) >= r->partner->m_inputPoints.size())
            continue;
        const CPoint q = r->partner->m_inputPoints[r->partnerKey];
        m_boundingRect.left = std::min(m_boundingRect.left, q.x);
        m_boundingRect.right = std::max(m_boundingRect.right, q.x + 1);
        m_boundingRect.top = std::min(m_boundingRect.top, q.y);
        m_boundingRect.bottom = std::max(m_boundingRect.bottom, q.y + 1);
    }
    if (m_fixed) {
        m_boundingRect.left -= 7;
        m_boundingRect.right += 7;
    }
}

void CConsole::AvoidOverlap()
{
    if (!m_pDocument)
        return;
    auto overlapsAny = [&](int32_t category) {
        for (const CBaseDevice* o : m_pDocument->GetList(category))
            if (o && o != this && m_rect.Intersects(o->m_rect))
                return true;
        return false;
    };
    for (int guard = 0; guard < 1000; ++guard) {
        bool moved = false;
        for (int32_t category : {CAT_AUDIO_DEVICE, CAT_CONSOLE}) {
            for (int steps = 0; steps < 1000 && overlapsAny(category); ++steps) {
                MoveBy(-10, 0, false);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
    if (m_rect.left < 0)
        MoveBy(-m_rect.left, 0, false);
    if (m_rect.right >= kSheetRight + 1)
        MoveBy(kSheetRight - m_rect.right, 0, false);
}

void CConsole::OnContextMenu(CPoint point)
{
    GetAppHost().ShowContextMenu(this, m_contextMenuId, point);
}

int CConsole::OnCommand(uint32_t commandId)
{
    if (commandId == conscmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    if (commandId == conscmd::Delete && m_pDocument) {
        // The consoles in the fault handling are held by number: a console
        // that goes is no longer sent as one of them.
        const uint32_t console = static_cast<uint32_t>(m_number);
        if (auto* node = dynamic_cast<CConsoleObject*>(m_pDocument->GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT));
            node && node->IsReference((console << 16) | 1))
            node->SetReference(1, console);
    }
    return CBaseDevice::OnCommand(commandId);
}

void CConsole::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == conscmd::Delete || cmdUI.m_nID == conscmd::Properties)
        cmdUI.Enable(true);
    else
        CBaseDevice::OnUpdateCommand(cmdUI);
}

void CConsole::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (Opener())
        Opener()(this);
}

int CConsole::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {IDS_CONS_TITLE_NAME, IDS_CONS_TITLE_ID, IDS_CONS_TITLE_TYPE})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(GetName());
        texts.push_back(GetNumberText());
        texts.push_back(LoadStringId(GetKindId()));
    }
    return 3;
}

int CConsole::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    columns.push_back({50, 0});
    return 3;
}

int32_t CConsole::GetInputIndex() const
{
    for (const LinkRecord* r : m_inLinks) {
        const auto* slot = r->HasPartner() ? dynamic_cast<const CAudioInputSlot*>(r->partner) : nullptr;
        if (slot && slot->GetSlotNumber() >= 1)
            return r->partnerKey + 2 * slot->GetSlotNumber() - 2;
    }
    return -1;
}

// ---------------------------------------------------------------- groups

CBaseDevice* CConsole::GetGroupZero() const
{
    if (!m_pDocument || !m_pDocument->GetIDManager().IsValidID(0, OT_GROUP))
        return nullptr;
    return m_pDocument->GetIDManager().GetBaseDevice(0, OT_GROUP);
}

CBaseDevice* CConsole::GetGroupSlot(int slot) const
{
    if (slot < 0 || slot >= kGroupSlots)
        return nullptr;
    if (slot == 0)
        return GetGroupZero();
    CBaseDevice* group = m_groupSlots[slot];
    // A slot may outlive its group: only a group still in the document counts.
    if (!group || !m_pDocument)
        return nullptr;
    const ObjectList& groups = m_pDocument->GetList(CAT_GROUP);
    return std::find(groups.begin(), groups.end(), group) != groups.end() ? group : nullptr;
}

void CConsole::SetGroupSlot(int slot, CBaseDevice* group)
{
    const ChangeGuard guard(*this);
    if (slot >= 0 && slot < kGroupSlots)
        m_groupSlots[slot] = group;
}

CBaseDevice* CConsole::GetLinkedGroupOfSlot(int slot) const
{
    if (slot == 0)
        return GetGroupZero();
    for (const LinkRecord* r : m_outLinks)
        if ((r->ownKey >> 16) == slot && r->HasPartner() && r->partnerCategory == CAT_GROUP)
            return r->partner;
    return nullptr;
}

CBaseDevice* CConsole::FindGroupByZoneSet(const std::string& text) const
{
    if (!m_pDocument || text.size() > kRangeTextMaxLength)
        return nullptr;
    NumberSet set{};
    if (!ParseRanges(set, kMaxZone, text))
        return nullptr;
    std::set<int32_t> wanted;
    for (int n = 1; n <= kMaxZone; ++n)
        if (TestBit(set, static_cast<unsigned>(n - 1)))
            wanted.insert(n);
    for (CBaseDevice* group : m_pDocument->GetList(CAT_GROUP))
        if (group && ZonesOf(group) == wanted)
            return group;
    return nullptr;
}

// ---------------------------------------------------------------- download

std::string CConsole::WriteParamLine(uint32_t key, bool query)
{
    const int32_t code = static_cast<int32_t>(key & 0xFFFF);
    const int slot = static_cast<int>(key >> 16);
    std::string path = m_path + "/";
    path += code == consparam::Group ? StrFormat("GROUP%d", slot) : std::string(KeywordOf(code));
    const std::string value = code == consparam::Group ? GroupSlotText(slot) : ParamValueText(code);
    const std::string line = path + (query ? std::string(" ?") : " " + value);
    SendCommand(line, m_pDocument, false);
    return line;
}

std::string CConsole::GroupSlotText(int slot) const
{
    const CBaseDevice* group = GetLinkedGroupOfSlot(slot);
    if (!group)
        return "0";
    NumberSet set{};
    for (int32_t zone : ZonesOf(group))
        if (zone >= 1 && zone <= kMaxZone)
            SetBit(set, static_cast<unsigned>(zone - 1), true);
    return RangesToString(set, kMaxZone);
}

std::string CConsole::ParamValueText(int32_t code) const
{
    if (IsSwitchSetting(code))
        return m_prop.GetParamText(code) == "0" ? "OFF" : "ON";
    switch (code) {
    case consparam::PttPrio:
        return WordOf(kPttWords, m_prop.GetParamText(code));
    case consparam::Ext:
        return WordOf(kExtWords, m_prop.GetParamText(code));
    default:
        return OneLine(m_prop.GetParamText(code));
    }
}

int CConsole::GetDownloadLines(int mode, int step)
{
    const int n = m_prop.GetFixedCount();
    if (step == -1) {
        s_downloadStop = false;
        return n + 55;
    }
    // A console that is not connected ends its transfer: the last step
    // (-1 would restart the producer in the transfer loops).
    if (s_downloadStop)
        return n + 55;
    if (step < 0 || step >= n + 55)
        return step;
    if (IsOutBufferFull())
        return step;
    const bool query = mode != 0;
    if (step < kParamSteps) {
        const int32_t code = kParamOrder[step];
        if (code != consparam::Type && code != consparam::Prio)
            WriteParamLine(static_cast<uint32_t>(code), query);
    } else if (step < kParamSteps + kGroupSlots) {
        WriteParamLine((static_cast<uint32_t>(step - kParamSteps) << 16) | consparam::Group, query);
    } else {
        const int i = step - kParamSteps - kGroupSlots;
        const int number = i < n ? i + 1 : CConsKey::kFirstProgrammable + (i - n);
        if (CConsKey* key = m_prop.FindKey(number))
            key->WriteDownloadLine(query, false);
    }
    return step + 1;
}

// ---------------------------------------------------------------- upload

void CConsole::ParseUploadLines(std::string line, const std::string& diffFileName, int)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    const std::string prefix = m_path.substr(1) + "/";
    if (line.compare(0, prefix.size(), prefix) != 0)
        return;
    const size_t blank = line.find(' ', prefix.size());
    const std::string key = line.substr(prefix.size(), blank == std::string::npos ? std::string::npos
                                                                                  : blank - prefix.size());
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (Upper(value) == "CONSOLE NOT CONNECTED") {
        ShowMessage(StrFormat(LoadStringId(IDS_CONS_NOT_CONNECTED).c_str(), GetName().c_str()),
                    mb::IconExclamation);
        s_downloadStop = true;
        return;
    }
    // A query the device did not understand ("KEY3 ? ") brings no value.
    if (IsRefusedValue(value))
        return;
    const size_t digits = key.find_first_of("0123456789");
    const std::string keyword = key.substr(0, digits);
    const int number = digits == std::string::npos ? -1 : std::atoi(key.c_str() + digits);
    const int32_t code = CodeOf(keyword);
    switch (code) {
    case -1:
        ShowMessageId(IDS_CONS_PARSER_ERROR, mb::IconExclamation);
        return;
    case consparam::Key:
        if ((number >= 1 && number <= CConsKey::kMaxFixed) || (number >= CConsKey::kFirstProgrammable && number <= 113))
            if (CConsKey* k = m_prop.FindKey(number); k && !k->ParseAnswer(value))
                ReportNotHeld(&diffFileName, m_path + "/" + key, value, k->DownloadValueText());
        return;
    case consparam::Group: {
        if (number < 0 || number >= kGroupSlots || value.empty() || value == "0" || value == "NONE")
            return;
        // A text that is no set of zones names no group: the slot keeps its
        // group, named with what the next download sends for it.
        NumberSet zones{};
        if (value.size() > kRangeTextMaxLength || !ParseDecimalRanges(zones, kMaxZone, value)) {
            ReportNotHeld(&diffFileName, m_path + "/" + key, value, GroupSlotText(number));
            return;
        }
        if (CBaseDevice* group = FindGroupByZoneSet(value))
            SetGroupSlot(number, group);
        else
            ShowMessage(StrFormat(LoadStringId(IDS_CONS_NO_GROUP).c_str(), number), mb::IconExclamation);
        return;
    }
    case consparam::Name:
        TakeDeviceName(value, diffFileName, m_path + "/" + key);
        return;
    case consparam::Ext:
    case consparam::PttPrio: {
        // A word the setting does not offer changes nothing and is named
        // with the word the next download sends.
        const int i = code == consparam::Ext ? IndexOf(kExtWords, value) : IndexOf(kPttWords, value);
        if (i >= 0)
            m_prop.SetParamText(code, StrFormat("%d", i));
        else
            ReportNotHeld(&diffFileName, m_path + "/" + key, value, ParamValueText(code));
        return;
    }
    default: {
        const std::optional<std::string> text = SettingAnswerText(code, value);
        if (!text) {
            // Kept, and named with what the next download sends instead.
            ReportNotHeld(&diffFileName, m_path + "/" + key, value, ParamValueText(code));
            return;
        }
        if (!m_prop.SetParamText(code, *text))
            ShowMessageId(IDS_CONS_PARSER_ERROR, mb::IconExclamation);
        return;
    }
    }
}

void CConsole::HoldLoadedSettings()
{
    const CConsProp fresh;
    const auto hold = [&](int32_t code, bool wordIndex) {
        const std::string text = m_prop.GetParamText(code);
        bool taken = SettingAnswerText(code, text).has_value();
        if (wordIndex) {
            const size_t words = code == consparam::Ext ? std::size(kExtWords) : std::size(kPttWords);
            const std::optional<long> i = ScanWholeNumber(text, 0, static_cast<long>(words) - 1);
            taken = i.has_value();
        }
        if (taken)
            return;
        m_prop.SetParamText(code, fresh.GetParamText(code));
        NoteHeldOnLoad(std::string("/") + KeywordOf(code), text, ParamValueText(code));
    };
    hold(consparam::Prio, false);
    hold(consparam::OnPrio, false);
    hold(consparam::Passwords, false);
    hold(consparam::PttPrio, true);
    hold(consparam::Ext, true);
    // A key's priority is a byte in the file, beyond what the key's answer
    // may carry: refused, as a new key has none.
    for (CConsKey* key : m_prop.GetAllKeys()) {
        ConsKeyValues v = key->Stored();
        if (v.c >= 0 && v.c <= CConsKey::kMaxPriority)
            continue;
        const std::string file = key->DownloadValueText();
        v.c = 0;
        key->AssignValues(v);
        NoteHeldOnLoad(StrFormat("/KEY%d", key->GetNumber()), file, key->DownloadValueText());
    }
}

// ---------------------------------------------------------------- model check

void CConsole::SetupModel()
{
    const int32_t e = m_prop.m_ext;
    const bool extensionModel = CConsProp::IsExtensionModel(GetKindId());
    if (e == consext::Extension && !extensionModel)
        m_prop.m_ext = consext::None;
    else if (e != consext::Extension && extensionModel)
        m_prop.m_ext = consext::Extension;
    CheckExtKeys(extensionModel || e == consext::Extension, false);
}

int CConsole::CheckExtKeys(bool hasExtension, bool testOnly)
{
    int found = 0;
    std::vector<CConsKey*> keys;
    for (int n = 1; n <= m_prop.GetFixedCount(); ++n)
        if (CConsKey* k = m_prop.FindKey(n))
            keys.push_back(k);
    for (CConsKey* k : m_prop.GetProgrammableKeys())
        keys.push_back(k);
    for (CConsKey* k : keys) {
        // A test from the key dialog sees the keys as edited.
        if (!testOnly)
            k->SyncWorkingCopy(true);
        if (k->Working().function == CKF_TALKEXT) {
            found = 1;
            break;
        }
        if (k->Working().function == CKF_AUX) {
            found = 2;
            break;
        }
    }
    if (testOnly)
        return found;
    if (found == 0 && !hasExtension)
        m_prop.m_ext = consext::None;
    if (found == 2) {
        if (hasExtension)
            ShowMessage(StrFormat(LoadStringId(IDS_CONS_AUX_WITH_EXT).c_str(), GetName().c_str()),
                        mb::IconExclamation);
        else
            m_prop.m_ext = consext::Aux;
    }
    if (found == 1) {
        if (hasExtension)
            ShowMessage(StrFormat(LoadStringId(IDS_CONS_PTT_WITH_EXT).c_str(), GetName().c_str()),
                        mb::IconExclamation);
        else
            m_prop.m_ext = consext::Ptt;
    }
    return found;
}

// ---------------------------------------------------------------- keys and links

namespace {
// The position of the first record in `list` that is `record`'s mirror (as
// DeleteTwinOf finds it), else the list's size.
size_t MirrorIndex(const LinkList& list, const LinkRecord& record, const CBaseDevice* owner, int32_t ownerCategory)
{
    size_t i = 0;
    for (const LinkRecord* t : list) {
        if (t->ownKey == record.partnerKey && t->partner == owner && t->partnerKey == record.ownKey &&
            t->partnerCategory == ownerCategory)
            return i;
        ++i;
    }
    return i;
}
}  // namespace

void CConsole::SwitchOffKeysSelecting(const CBaseDevice& target)
{
    std::vector<std::pair<CConsole*, int32_t>> keys;
    for (const LinkRecord* rec : target.m_inLinks)
        if (rec->HasPartner())
            if (auto* console = dynamic_cast<CConsole*>(rec->partner))
                keys.emplace_back(console, rec->partnerKey & 0xFFFF);
    for (const auto& [console, number] : keys) {
        console->Redraw();
        if (CConsKey* key = console->GetProp().FindKey(number))
            key->SetFunction(CKF_DISABLED, 0, 0, 0, nullptr, 0, true);
    }
}

std::string CConsole::GetHeldItem(int32_t ownKey) const
{
    const int32_t key = std::abs(static_cast<int32_t>(static_cast<int16_t>(ownKey & 0xFFFF)));
    return key != 0 ? GetPath() + StrFormat("/KEY%d", key) : CBaseDevice::GetHeldItem(ownKey);
}

void CConsole::RemoveKeyLinks(int32_t keyNumber, std::vector<KeyLinkPlace>* places)
{
    const int32_t first = keyNumber & 0xFFFF;
    const int32_t second = SecondTargetKey(keyNumber);
    std::vector<LinkRecord> doomed;
    size_t at = 0;
    for (const LinkRecord* r : m_outLinks) {
        const int32_t low = r->ownKey & 0xFFFF;
        if (low == first || low == second) {
            doomed.push_back(*r);
            // Both places as they stand before anything goes: put back in
            // this order, each record lands where it was.
            if (places)
                places->push_back({*r, at, r->HasPartner() ? MirrorIndex(r->partner->m_inLinks, *r, this, m_category) : 0});
        }
        ++at;
    }
    for (const LinkRecord& r : doomed)
        UnlinkOut(r);
}

void CConsole::AddKeyLink(int32_t ownKey, CBaseDevice* target, int32_t category, std::vector<KeyLinkPlace>& places)
{
    const LinkRecord wanted{target, 0, this, ownKey, category};
    const auto place = std::find_if(places.begin(), places.end(), [&](const KeyLinkPlace& p) { return p.record == wanted; });
    const bool mirrored = target != this && target != LinkRecord::NoPartner();
    if (place == places.end()) {
        AddOutLink(this, ownKey, target, 0, category);
        if (mirrored)
            target->AddInLink(target, 0, this, ownKey, CAT_CONSOLE);
        return;
    }
    // Put back where it was: whether anything changed is the caller's guard's to tell.
    m_outLinks.insert(std::next(m_outLinks.begin(), static_cast<std::ptrdiff_t>(std::min(place->outAt, m_outLinks.size()))),
                      new LinkRecord{target, 0, this, ownKey, category});
    if (mirrored) {
        LinkList& in = target->m_inLinks;
        in.insert(std::next(in.begin(), static_cast<std::ptrdiff_t>(std::min(place->inAt, in.size()))),
                  new LinkRecord{this, ownKey, target, 0, CAT_CONSOLE});
    }
    places.erase(place);
}

void CConsole::ProgramKeyRange(int first, int last, int line)
{
    if (first == last)
        return;
    if (last < first) {
        RemoveAllOutLinks();
        last = m_prop.GetFixedCount();
    }
    for (int i = first; i <= last; ++i) {
        CConsKey* key = m_prop.FindKey(i);
        if (!key)
            continue;
        const bool zone = m_pDocument && m_pDocument->GetIDManager().IsValidID(line, OT_ZONE) &&
                          m_pDocument->GetIDManager().GetBaseDevice(line, OT_ZONE);
        if (zone)
            key->ParseValueText(CKF_SEL, StrFormat("%d", line), true);
        ++line;
    }
    for (int position = CConsKey::kFirstProgrammable; position <= CConsKey::kLastProgrammable; ++position)
        if (CConsKey* key = m_prop.FindKey(CConsKey::KeyNumberOfPosition(position)))
            key->ResetToDefault(position);
}

void CConsole::CopyKeysTo(CConsole* target)
{
    if (!target || target == this)
        return;
    const int common = std::min(m_prop.GetFixedCount(), target->m_prop.GetFixedCount());
    auto copied = [&](int32_t number) {
        return (number >= 1 && number <= common) ||
               (number >= CConsKey::kFirstProgrammable && number <= CConsKey::kLastProgrammable);
    };
    std::vector<int32_t> numbers;
    for (int n = 1; n <= common; ++n)
        numbers.push_back(n);
    for (int n = CConsKey::kFirstProgrammable; n <= CConsKey::kLastProgrammable; ++n)
        numbers.push_back(n);
    // The copied keys of the target lose their own targets first.
    for (int32_t n : numbers)
        target->RemoveKeyLinks(n);

    const std::vector<LinkRecord> links = [&] {
        std::vector<LinkRecord> v;
        for (const LinkRecord* r : m_outLinks)
            v.push_back(*r);
        return v;
    }();
    for (const LinkRecord& r : links) {
        const int32_t keyNumber = std::abs(static_cast<int32_t>(static_cast<int16_t>(r.ownKey & 0xFFFF)));
        if (!copied(keyNumber))
            continue;
        CBaseDevice* partner = r.partner == this ? target : r.partner;
        target->AddOutLink(target, r.ownKey, partner, r.partnerKey, r.partnerCategory);
        if (IsReal(partner) && partner != target)
            partner->AddInLink(partner, 0, target, r.ownKey, CAT_CONSOLE);
    }
    for (int32_t n : numbers) {
        CConsKey* from = m_prop.FindKey(n);
        CConsKey* to = target->m_prop.FindKey(n);
        if (from && to)
            to->AssignValues(from->Working());
    }
    target->m_prop.SetParamText(consparam::PreChime, m_prop.GetParamText(consparam::PreChime));
    target->m_prop.SetParamText(consparam::Ext, m_prop.GetParamText(consparam::Ext));
    target->SetDocModified();
}

int CConsole::RefreshKeys()
{
    const std::vector<CConsKey*> keys = m_prop.GetAllKeys();
    for (CConsKey* k : keys) {
        k->SyncWorkingCopy(true);
        k->SetSecondTarget(nullptr);
        k->SetFirstTarget(nullptr);
    }
    auto resolveFromNumbers = [&](CConsKey* key) -> CBaseDevice* {
        const ConsKeyValues& v = key->Working();
        switch (v.function) {
        case CKF_ALARM:
        case CKF_CHIME:
        case CKF_TEXT: {
            const uint32_t type = v.function == CKF_ALARM   ? OT_ALARM_SIGNAL
                                  : v.function == CKF_CHIME ? OT_CHIME_SIGNAL
                                                            : OT_MESSAGE_SIGNAL;
            const int32_t b = v.b == 0 ? 1 : v.b;
            CBaseDevice* signal = m_pDocument && m_pDocument->GetIDManager().IsValidID(b, type)
                                      ? m_pDocument->GetIDManager().GetBaseDevice(b, type)
                                      : nullptr;
            if (!signal) {
                ShowMessage(StrFormat(LoadStringId(IDS_KEY_NO_SIGNAL).c_str(), key->GetNumber()),
                            mb::IconExclamation);
                return nullptr;
            }
            key->SetSecondTarget(signal);
            break;
        }
        case CKF_TALK:
            if (m_prop.m_preChime != 0 && m_pDocument && m_pDocument->GetIDManager().IsValidID(v.b, OT_CHIME_SIGNAL))
                if (CBaseDevice* chime = m_pDocument->GetIDManager().GetBaseDevice(v.b, OT_CHIME_SIGNAL))
                    key->SetSecondTarget(chime);
            break;
        case CKF_AUX:
        case CKF_TALKEXT:
            break;
        default:
            return this;
        }
        if (v.a >= keytarget::FirstZone && v.a <= keytarget::LastZone) {
            if (m_pDocument && m_pDocument->GetIDManager().IsValidID(v.a, OT_ZONE))
                if (CBaseDevice* zone = m_pDocument->GetIDManager().GetBaseDevice(v.a, OT_ZONE))
                    return zone;
            return this;
        }
        if (v.a >= keytarget::FirstSlot && v.a <= keytarget::LastSlot)
            return GetGroupSlot(v.a - 100) ? GetGroupSlot(v.a - 100) : this;
        if (v.a == keytarget::GroupZero)
            return GetGroupZero() ? GetGroupZero() : this;
        if (v.a == keytarget::None)
            return LinkRecord::NoPartner();
        return this;
    };

    int groups = 0;
    const bool oldFile = m_pDocument && m_pDocument->m_fileVersion < 956;
    const std::vector<LinkRecord> links = [&] {
        std::vector<LinkRecord> v;
        for (const LinkRecord* r : m_outLinks)
            v.push_back(*r);
        return v;
    }();
    for (const LinkRecord& r : links) {
        const int32_t k = static_cast<int16_t>(r.ownKey & 0xFFFF);
        if (k < 0) {
            if (CConsKey* key = m_prop.FindKey(-k))
                key->SetSecondTarget(r.partner);
            continue;
        }
        CConsKey* key = m_prop.FindKey(k);
        if (!key)
            continue;
        CBaseDevice* target = r.partner;
        const int32_t f = key->Working().function;
        if (r.partner == this) {
            target = resolveFromNumbers(key);
        } else if ((f == CKF_MACRO || f == CKF_MACSWT) && key->Working().b > 0 && !key->GetSecondTarget()) {
            if (m_pDocument && m_pDocument->GetIDManager().IsValidID(key->Working().b, OT_MACRO))
                key->SetSecondTarget(m_pDocument->GetIDManager().GetBaseDevice(key->Working().b, OT_MACRO));
        } else if (oldFile && (f == CKF_ALARM || f == CKF_CHIME || f == CKF_TEXT)) {
            target = resolveFromNumbers(key);
        }
        key->SetFirstTarget(target);
        if (key->GetShownCategory() == CAT_GROUP)
            ++groups;
    }
    if (groups >= 32)
        ShowMessage(StrFormat("Warning: This console has too many Groups ! (%d)", groups));
    return groups;
}

bool CConsole::RebuildKeyLinks(std::string* error)
{
    const std::vector<CConsKey*> keys = m_prop.GetAllKeys();
    auto firstCategory = [&](const CConsKey* key) -> int32_t {
        const CBaseDevice* first = key->GetFirstTarget();
        if (!IsReal(key->GetSecondTarget()) || key->GetSecondTarget() == this)
            return key->GetShownCategory();
        if (!IsReal(first))
            return CAT_CONSOLE;
        return first->GetCategory();
    };
    // One group slot per distinct group; group 0 is slot 0.
    std::map<const CBaseDevice*, int> slots;
    for (const CConsKey* key : keys) {
        const CBaseDevice* first = key->GetFirstTarget();
        if (first && IsReal(first) && firstCategory(key) == CAT_GROUP && first->GetNumber() != 0 &&
            !slots.count(first)) {
            const int next = static_cast<int>(slots.size()) + 1;
            slots[first] = next;
        }
    }
    if (slots.size() > static_cast<size_t>(kGroupSlots - 1)) {
        const std::string text =
            StrFormat("%s(%d)", LoadStringId(IDS_CONS_TOO_MANY_GROUPS).c_str(), static_cast<int>(slots.size()));
        if (error)
            *error = text;
        return false;
    }

    RemoveAllOutLinks();
    for (CConsKey* key : keys) {
        key->SyncWorkingCopy(false);
        CBaseDevice* first = key->GetFirstTarget();
        CBaseDevice* second = key->GetSecondTarget();
        const int32_t k = key->GetNumber();
        int slot = 0;
        if (first) {
            if (IsReal(second) && second != this) {
                const int32_t cat = second->GetType() == OT_CHIME_SIGNAL ? CAT_AUDIO : key->GetShownCategory();
                const int32_t ownKey = SecondTargetKey(k);
                AddOutLink(this, ownKey, second, 0, cat);
                second->AddInLink(second, 0, this, ownKey, CAT_CONSOLE);
            }
            const int32_t cat = firstCategory(key);
            if (cat == CAT_GROUP && IsReal(first) && first->GetNumber() != 0)
                slot = slots[first];
            const int32_t ownKey = k + (slot << 16);
            AddOutLink(this, ownKey, first, 0, cat);
            if (IsReal(first) && first != this)
                first->AddInLink(first, 0, this, ownKey, CAT_CONSOLE);
        }
        key->UpdateFields(first, second, slot);
    }
    for (const auto& [group, slot] : slots)
        SetGroupSlot(slot, const_cast<CBaseDevice*>(group));
    SetDocModified();
    return true;
}

void CConsole::ClearKeys()
{
    for (CConsKey* key : m_prop.GetAllKeys()) {
        key->SetSecondTarget(nullptr);
        key->ParseValueText(CKF_DISABLED, std::string(), true);
    }
    RemoveAllOutLinks();
}
