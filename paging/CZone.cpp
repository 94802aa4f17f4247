#include "paging/CZone.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "hardware/CAmplifier.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/CGroup.h"
#include "paging/CLANGroup.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/PagingIds.h"
#include "paging/ZoneSets.h"
#include "platform/AnswerLine.h"
#include "platform/ArchiveList.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CZone, 3)

namespace {
constexpr uint32_t kGroupBitmap = 313;
constexpr uint32_t kLanGroupBitmap = 530;
constexpr uint32_t kGroupStyle = symstyle::BitmapAtTop | symstyle::WideRight;

struct Fault {
    uint32_t bit;
    const char* keyword;
    uint32_t textId;
};
constexpr Fault kFaults[] = {
    {1, "POSTOL", 34601}, {2, "NEGTOL", 34602}, {4, "GNDFLT", 34580}, {8, "OVF_U", 34609}, {16, "OVF_I", 34610},
};

// The words of the ignored faults' text ("NONE" and empty words left out).
std::vector<std::string> IgnoredWords(const std::string& faults)
{
    std::vector<std::string> words;
    std::istringstream text(faults);
    for (std::string word; std::getline(text, word, ',');)
        if (word != "NONE" && !word.empty())
            words.push_back(std::move(word));
    return words;
}

struct Step {
    const char* key;
    int attribute;
};
constexpr Step kSteps[12] = {
    {"/OUTPUT", zoneattr::Output},           {"/RELAY", zoneattr::Relay},
    {"/PRIOCALL/RELAY", zoneattr::PrioRelay}, {"/PRIOCALL/TYPE", zoneattr::PrioType},
    {"/CONTROL/RELAY", zoneattr::ControlRelay}, {"/CONTROL/TYPE", zoneattr::ControlType},
    {"/LANGRP", zoneattr::LanGroup},         {"/TEST/POSTOL", zoneattr::PosTol},
    {"/TEST/NEGTOL", zoneattr::NegTol},      {"/TEST/IGNORE", zoneattr::Ignore},
    {"/AMPCHAN", zoneattr::AmpChannel},      {"/TESTVOL", zoneattr::TestVolume},
};

CZone::DialogFn& DialogHook()
{
    static CZone::DialogFn fn = nullptr;
    return fn;
}

// A whole decimal number standing alone ("-5", "12"); nothing for a text
// that is no such number ("abc", "1e40", "7.5"). Numbers too large for 32 bits
// stand at its limits, so that the setters clamp them like any other value
// out of range.
bool ReadDecimal(const std::string& text, int32_t& value)
{
    const std::optional<long> v = ScanWholeNumber(text, LONG_MIN, LONG_MAX);
    if (!v)
        return false;
    value = static_cast<int32_t>(std::clamp<long>(*v, INT32_MIN, INT32_MAX));
    return true;
}

CRelais* RelayAt(const CBaseDevice* zone, int32_t key)
{
    const LinkRecord* rec = zone->GetInLinkAtKey(key);
    return rec && rec->HasPartner() ? dynamic_cast<CRelais*>(rec->partner) : nullptr;
}

// The digital slot a control pad is linked to, with the link's slot key.
const LinkRecord* PadSlotLink(const CBaseDevice* pad)
{
    if (!pad || pad->GetType() != OT_CONTROL_PAD)
        return nullptr;
    return pad->GetOutLinkToType(OT_DIGITAL_SLOT);
}
}  // namespace

CZone::DialogFn CZone::SetDialog(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

CZone::CZone()
{
    m_type = OT_ZONE;
    m_contextMenuId = kContextMenu;
    m_linkMode = linkmode::DrawOutLinks;
    m_moveLock = 0;
}

void CZone::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_negTolerance << m_posTolerance << m_ignoredFaults << m_testVolume;
        return;
    }
    if (m_loadedSchema >= 3) {
        ar >> m_negTolerance >> m_posTolerance >> m_ignoredFaults >> m_testVolume;
        // Held at the ranges, as the device's answers are.
        ClampLoaded(m_negTolerance, 0, kMaxTolerance, 0, "/TEST/NEGTOL");
        ClampLoaded(m_posTolerance, 0, kMaxTolerance, 0, "/TEST/POSTOL");
        ClampLoaded(m_testVolume, kMinTestVolume, kMaxTestVolume, kMaxTestVolume, "/TESTVOL");
    } else if (m_loadedSchema <= 1) {
        for (int i = 0; i < 8; ++i) {
            uint32_t unused = 0;
            ar >> unused;
        }
        ReadCountedList(ar, m_oldRelays);
        ReadCountedList(ar, m_oldRelays2);
    }
}

int CZone::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
                  int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
                  CQuillomerDoc* doc)
{
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left + 20, top, right, bottom, category, bitmapId, style,
                             doc))
        return 0;
    AvoidOverlap(m_category);
    m_showConnectorNames = 1;
    OfferToConsoles();
    return 1;
}

// Only a zone the user or a command makes gets here: the loader builds zones
// from the file and restores the consoles' keys as they were stored.
void CZone::OfferToConsoles()
{
    if (!m_pDocument)
        return;
    for (CBaseDevice* obj : m_pDocument->GetList(CAT_CONSOLE)) {
        auto* console = dynamic_cast<CConsole*>(obj);
        CConsKey* key = console ? console->GetProp().FindKey(m_number) : nullptr;
        if (!key)
            continue;
        // A key that already acts on something keeps its function.
        const bool used = std::any_of(console->m_outLinks.begin(), console->m_outLinks.end(),
                                      [&](const LinkRecord* r) { return (r->ownKey & 0xFFFF) == m_number; });
        if (!used)
            key->SetFunction(CKF_SEL, m_number, 0, 0, this, CAT_ZONE, true);
    }
}

int CZone::PostLoad()
{
    if (m_kindId == 0)
        m_kindId = kKind;
    // Files from before the relay objects kept the relays as numbers.
    for (size_t i = 0; i < m_oldRelays2.size(); ++i) {
        const uint32_t w = m_oldRelays2[i];
        if (w == 0)
            continue;
        const int32_t key = static_cast<int32_t>(i) + 1;
        if (GetInLinkAtKey(key))
            continue;
        CRelais* relay = nullptr;
        if (i == 2)
            relay = GetOrCreateRelais(static_cast<int32_t>(w & 0xFFFF), relaiskind::Control, (w & (1u << 28)) == 0);
        else
            relay = GetOrCreateRelais(static_cast<int32_t>(w & 0xFFFF), relaiskind::Line, true);
        if (relay && !relay->IsUsed())
            relay->LinkTo(0, this, key);
    }
    m_oldRelays.clear();
    m_oldRelays2.clear();
    return 1;
}

// ---------------------------------------------------------------- values

std::string CZone::ChainOutputText() const
{
    const LinkRecord* first = m_outLinks.empty() ? nullptr : m_outLinks.front();
    std::string text;
    for (int32_t k = 0; k < 2; ++k) {
        LinkRefList chain;
        if (first && first->HasPartner())
            first->partner->CollectLinkChain(k, CAT_OUTPUT_SLOT, chain, false);
        const LinkRecord* head = chain.empty() ? nullptr : chain.front();
        if (head && head->HasPartner()) {
            const int32_t out = head->partnerKey + 2 * head->partner->GetNumber() - 1;
            text += StrFormat(k == 0 ? "%d" : ",%d", out);
        } else if (k == 0) {
            text += "0";
        }
    }
    return text;
}

std::string CZone::RelayText() const
{
    std::string text;
    for (int32_t key = 1; key <= 4; ++key) {
        const LinkRecord* rec = GetInLinkAtKey(key);
        if (rec && rec->HasPartner() && rec->partner->GetType() == OT_RELAIS)
            text += StrFormat(",%u", static_cast<CRelais*>(rec->partner)->GetRelayNumber());
    }
    return text.empty() ? std::string("0") : text.substr(1);
}

std::string CZone::SpecialRelayText(int32_t key) const
{
    const LinkRecord* rec = GetInLinkAtKey(key);
    if (!rec || !rec->HasPartner())
        return "0";
    if (auto* relay = dynamic_cast<const CRelais*>(rec->partner))
        return StrFormat("%u", relay->GetRelayNumber());
    if (const LinkRecord* slot = PadSlotLink(rec->partner))
        return StrFormat("%d", slot->partnerKey + 1);
    return "0";
}

std::string CZone::SpecialTypeText(int32_t key) const
{
    const LinkRecord* rec = GetInLinkAtKey(key);
    if (!rec || !rec->HasPartner())
        return "763";
    if (rec->partner->GetType() == OT_RELAIS) {
        const LinkRecord* card = rec->partner->GetInLinkAtKey(0);
        if (!card || !card->HasPartner())
            return "763";
        if (card->partner->GetKindId() == 32797)
            return "764";
        if (card->partner->GetType() == OT_DIGITAL_SLOT)
            return "INT";
        return "763";
    }
    if (PadSlotLink(rec->partner))
        return "INT";
    return "0";
}

std::string CZone::LanGroupText() const
{
    for (const LinkRecord* rec : m_inLinks) {
        if (rec->ownKey != 0 || !rec->HasPartner() || rec->partner->GetType() != OT_LAN_GROUP)
            continue;
        if (rec->partnerKey == 1)
            return "OFF";
        return StrFormat("%d", rec->partner->GetNumber());
    }
    return "OFF";
}

bool CZone::HasLanGroup() const
{
    return LanGroupText() != "OFF";
}

int32_t CZone::GetAmpChannel() const
{
    const LinkRecord* first = m_outLinks.empty() ? nullptr : m_outLinks.front();
    if (!first || !first->HasPartner())
        return 0;
    for (int32_t k : {1, 0}) {
        LinkRefList chain;
        first->partner->CollectLinkChain(k, CAT_OUTPUT_SLOT, chain, false);
        const LinkRecord* head = chain.empty() ? nullptr : chain.front();
        if (!head || !head->owner || head->owner->GetType() != OT_AMPLIFIER)
            continue;
        auto* amp = dynamic_cast<const CAmplifier*>(head->owner);
        if (!amp || !amp->IsRemote())
            return 0;
        return amp->GetGlobalChannel(head->ownKey);
    }
    return 0;
}

std::string CZone::GetAttributeText(int attribute) const
{
    switch (attribute) {
    case zoneattr::Output: return ChainOutputText();
    case zoneattr::Relay: return RelayText();
    case zoneattr::PrioType: return SpecialTypeText(kPrioKey);
    case zoneattr::PrioRelay: return SpecialRelayText(kPrioKey);
    case zoneattr::ControlType: return SpecialTypeText(kControlKey);
    case zoneattr::ControlRelay: return SpecialRelayText(kControlKey);
    case zoneattr::LanGroup: return LanGroupText();
    case zoneattr::AmpChannel: {
        const int32_t ch = GetAmpChannel();
        return ch == 0 ? std::string() : StrFormat("%d", ch);
    }
    case zoneattr::AmpChannelText: {
        const int32_t ch = GetAmpChannel();
        return ch == 0 || !m_pDocument ? std::string() : m_pDocument->GetIDManager().GetAmpChannelText(ch);
    }
    case zoneattr::Ignore: return m_ignoredFaults;
    case zoneattr::PosTol: return StrFormat("%d", m_posTolerance);
    case zoneattr::NegTol: return StrFormat("%d", m_negTolerance);
    case zoneattr::IgnoreText: {
        std::string text;
        for (std::string word : IgnoredWords(m_ignoredFaults)) {
            for (const Fault& f : kFaults)
                if (word == f.keyword)
                    word = LoadStringId(f.textId);
            text += (text.empty() ? "" : ",") + word;
        }
        return text;
    }
    case zoneattr::TestVolume: return StrFormat("%d", m_testVolume);
    default: return {};
    }
}

int32_t CZone::SetAttribute(int attribute, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (attribute) {
    case zoneattr::Ignore: {
        std::string text = "NONE";
        for (const Fault& f : kFaults)
            if (static_cast<uint32_t>(value) & f.bit)
                text += std::string(",") + f.keyword;
        if (text != "NONE")
            text = text.substr(5);
        m_ignoredFaults = text;
        return 0;
    }
    case zoneattr::PosTol: return m_posTolerance = std::clamp(value, 0, kMaxTolerance);
    case zoneattr::NegTol: return m_negTolerance = std::clamp(value, 0, kMaxTolerance);
    case zoneattr::TestVolume: return m_testVolume = std::clamp(value, kMinTestVolume, kMaxTestVolume);
    default: return 0;
    }
}

void CZone::SetAttributeText(int attribute, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (attribute == zoneattr::Ignore) {
        m_ignoredFaults = text;
        return;
    }
    if (attribute != zoneattr::PosTol && attribute != zoneattr::NegTol && attribute != zoneattr::TestVolume)
        return;
    int32_t v = 0;
    if (ReadDecimal(text, v))
        SetAttribute(attribute, v);
}

uint32_t CZone::GetIgnoreMask() const
{
    uint32_t mask = 0;
    for (const std::string& word : IgnoredWords(m_ignoredFaults))
        for (const Fault& f : kFaults)
            if (word == f.keyword)
                mask |= f.bit;
    return mask;
}

int CZone::GetIgnoreChoices(uint32_t columnTitleId, std::vector<uint32_t>* list)
{
    if (!list)
        return 0;
    if (columnTitleId == 34600)
        for (uint32_t id : {34421u, 34601u, 34602u, 34580u, 34609u, 34610u})
            list->push_back(id);
    return static_cast<int>(list->size());
}

// ---------------------------------------------------------------- protocol

int CZone::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return m_pDocument && m_pDocument->m_data.deviceVariant != 0 ? 12 : 6;
    if (step < 0 || step > 11 || IsOutBufferFull())
        return step;
    const Step& s = kSteps[step];
    const std::string line =
        m_path + s.key + " " + (mode != 0 ? std::string("?") : LineSafe(GetAttributeText(s.attribute)));
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

void CZone::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    std::string key, value;
    if (!ReadAnswerLine(line, 2, key, value) || linkState != linkstate::Upload)
        return;
    // A device without such a relay may answer "OFF" where the design writes "0".
    auto mismatch = [&](uint32_t textId, const std::string& design) {
        const bool noRelay = (value == "0" || value == "OFF" || value.empty()) &&
                             (design == "0" || design == "OFF" || design.empty());
        if (value != design && !noRelay)
            ShowMessage(StrFormat(LoadStringId(textId).c_str(), m_name.c_str(), value.c_str(), design.c_str()),
                        mb::Ok);
    };
    auto offAsZero = [](std::string v) { return v == "OFF" ? std::string("0") : v; };
    auto zeroAs = [](std::string v, const char* other) { return v == "0" ? std::string(other) : v; };
    if (key == "/NAME") {
        TakeDeviceName(value, diffFileName, m_path + key);
    } else if (key == "/OUTPUT") {
        mismatch(IDS_ZONE_OUTPUTS_DIFFER, GetAttributeText(zoneattr::Output));
    } else if (key == "/RELAY") {
        mismatch(IDS_ZONE_RELAYS_DIFFER, GetAttributeText(zoneattr::Relay));
    } else if (key == "/PRIOCALL/RELAY") {
        mismatch(IDS_ZONE_PRIO_RELAY_DIFFERS, zeroAs(GetAttributeText(zoneattr::PrioRelay), "OFF"));
    } else if (key == "/PRIOCALL/TYPE") {
        mismatch(IDS_ZONE_PRIO_TYPE_DIFFERS, zeroAs(GetAttributeText(zoneattr::PrioType), ""));
    } else if (key == "/CONTROL/RELAY") {
        mismatch(IDS_ZONE_CONTROL_RELAY_DIFFERS, zeroAs(GetAttributeText(zoneattr::ControlRelay), "OFF"));
    } else if (key == "/CONTROL/TYPE") {
        mismatch(IDS_ZONE_CONTROL_TYPE_DIFFERS, GetAttributeText(zoneattr::ControlType));
    } else if (key == "/LANGRP") {
        const std::string design = GetAttributeText(zoneattr::LanGroup);
        int32_t device = 0, own = 0;
        if (ReadDecimal(offAsZero(value), device) && design != "OFF" && ReadDecimal(design, own) && device != own)
            ShowMessage(LoadStringId(IDS_LAN_GROUP_ERROR), mb::Ok);
    } else if (key == "/TEST/POSTOL" || key == "/TEST/NEGTOL" || key == "/TESTVOL") {
        // A tolerance or test volume the zone cannot hold as the device gave
        // it (beyond its range, or no whole number) is named with the value
        // the zone keeps, which its next download sends.
        const int attribute = key == "/TESTVOL" ? zoneattr::TestVolume
                              : key == "/TEST/POSTOL" ? zoneattr::PosTol
                                                      : zoneattr::NegTol;
        const std::string number = attribute == zoneattr::TestVolume ? value : offAsZero(value);
        int32_t device = 0;
        const bool read = ReadDecimal(number, device);
        if (read)
            SetAttribute(attribute, device);
        const std::string held = GetAttributeText(attribute);
        if (!read || held != StrFormat("%d", device))
            ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, m_path + key, value, held);
    } else if (key == "/TEST/IGNORE") {
        m_ignoredFaults = value;
    } else if (key == "/AMPCHAN") {
        if (value != GetAttributeText(zoneattr::AmpChannel) && !diffFileName.empty())
            AppendErrLine(diffFileName, LoadStringId(kKind), m_number, value);
    }
}

std::string CZone::GetListText()
{
    std::vector<std::pair<std::string, std::string>> rows = {{"id", StrFormat("%d", m_number)}};
    const std::string relays = GetAttributeText(zoneattr::Relay);
    if (relays != "0")
        rows.emplace_back("r", relays);
    const std::string out = GetAttributeText(zoneattr::Output);
    if (out != "0")
        rows.emplace_back("out", out);
    const std::string prio = GetAttributeText(zoneattr::PrioRelay);
    if (prio != "0")
        rows.emplace_back("p", prio + " (" + GetAttributeText(zoneattr::PrioType) + ")");
    const std::string control = GetAttributeText(zoneattr::ControlRelay);
    if (control != "0")
        rows.emplace_back("c", control + " (" + GetAttributeText(zoneattr::ControlType) + ")");
    const std::string lan = GetAttributeText(zoneattr::LanGroup);
    if (lan != "0" && lan != "OFF")
        rows.emplace_back("lan", lan);
    size_t widest = 0;
    for (const auto& r : rows)
        widest = std::max(widest, r.first.size());
    std::string text;
    for (const auto& r : rows) {
        if (!text.empty())
            text += "\n";
        text += r.first + std::string(std::min<size_t>(widest + 5 - r.first.size(), 13), ' ') + r.second;
    }
    return text;
}

// ---------------------------------------------------------------- commands

void CZone::AddGroup()
{
    const CPoint at = m_outputPoints.empty() ? CPoint(m_rect.right, m_rect.top) : m_outputPoints[0];
    auto* group = new CGroup;
    if (!group->Create(0, 1, 1, nullptr, at.x, at.y, at.x, at.y, CAT_GROUP, kGroupBitmap, kGroupStyle,
                       m_pDocument)) {
        delete group;
        return;
    }
    group->LinkTo(0, this, 0);
    group->Redraw();
    group->SetLevel(CGroup::kLevelZones);
    if (m_pDocument)
        m_pDocument->AddObject(group, CAT_GROUP);
}

void CZone::AddLanGroup()
{
    const CPoint at = m_outputPoints.empty() ? CPoint(m_rect.right, m_rect.top) : m_outputPoints[0];
    auto* lan = new CLANGroup;
    if (!lan->Create(CLANGroup::kKind, 1, 1, nullptr, at.x, at.y, at.x, at.y, CAT_AUDIO, kLanGroupBitmap,
                     kGroupStyle, m_pDocument)) {
        delete lan;
        return;
    }
    lan->LinkTo(0, this, 0);
    lan->Redraw();
    lan->m_classValue = 1;
    lan->AvoidOverlap(CAT_AUDIO);
    lan->AvoidOverlap(CAT_GROUP);
    if (m_pDocument)
        m_pDocument->AddObject(lan, CAT_AUDIO);
}

void CZone::DeleteZone()
{
    Redraw();
    // Console keys that select the zone are switched off, which also takes
    // their links away.
    std::vector<std::pair<CConsole*, int32_t>> keys;
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner())
            if (auto* console = dynamic_cast<CConsole*>(rec->partner))
                keys.emplace_back(console, rec->partnerKey & 0xFFFF);
    for (const auto& [console, number] : keys) {
        console->Redraw();
        if (CConsKey* key = console->GetProp().FindKey(number))
            key->SetFunction(CKF_DISABLED, 0, 0, 0, nullptr, 0, true);
    }
    // The relays stay and become free.
    std::vector<const LinkRecord*> relays;
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner() && rec->partner->GetType() == OT_RELAIS)
            relays.push_back(rec);
    for (const LinkRecord* rec : relays)
        UnlinkIn(*rec);
    CBaseDevice::OnCommand(objcmd::Delete);
}

int CZone::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case zonecmd::AddGroup:
        AddGroup();
        return 1;
    case zonecmd::AddLanGroup:
        if (!HasLanGroup())
            AddLanGroup();
        return 1;
    case zonecmd::Download:
    case zonecmd::Upload:
        GetAppHost().TransferObject(this, commandId == zonecmd::Upload);
        return 1;
    case zonecmd::Delete:
        DeleteZone();
        return 1;
    case zonecmd::Properties:
        OnOpen(0, 0, 0);
        return 1;
    default:
        return CBaseDevice::OnCommand(commandId);
    }
}

void CZone::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case zonecmd::AddGroup:
    case zonecmd::Delete:
    case zonecmd::Properties:
        cmdUI.Enable(true);
        break;
    case zonecmd::AddLanGroup:
        cmdUI.Enable(!HasLanGroup());
        break;
    case zonecmd::Download:
    case zonecmd::Upload:
        cmdUI.Enable(m_pDocument && m_pDocument->IsConnected());
        break;
    case zonecmd::AddControlRelay:
        cmdUI.Enable(false);
        break;
    default:
        CBaseDevice::OnUpdateCommand(cmdUI);
        break;
    }
}

void CZone::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (DialogHook() && DialogHook()(this))
        Redraw();
}

// ---------------------------------------------------------------- relays

CRelais* CZone::GetOrCreateRelais(int32_t number, uint32_t kindId, bool firstFamily)
{
    return FindOrCreateRelaisBank(m_pDocument, number, kindId, firstFamily);
}

int32_t CZone::AttachNextFreeLineRelay(int32_t start, int32_t key)
{
    CRelaisManager* m = RelaisManagerOf(this);
    if (!m)
        return start;
    for (int32_t n = std::max(start, 1); n <= CRelaisManager::kRelais; ++n) {
        auto* relay = dynamic_cast<CRelais*>(m->GetRelais(n));
        if (!relay) {
            relay = GetOrCreateRelais(n, relaiskind::Line, true);
            if (!relay)
                return n + 1;
            relay->LinkTo(0, this, key);
            return n + 1;
        }
        if (relay->GetKindId() == relaiskind::Line && !relay->IsUsed()) {
            relay->LinkTo(0, this, key);
            return n + 1;
        }
    }
    ShowMessage(LoadStringId(IDS_NO_FREE_RELAY), mb::Ok | mb::IconExclamation);
    return CRelaisManager::kRelais + 1;
}

void CZone::SetLineRelayCount(uint32_t kindId, int32_t count)
{
    const ChangeGuard guard(*this);
    CRelaisManager* m = RelaisManagerOf(this);
    if (!m)
        return;
    count = std::clamp(count, 0, 4);
    for (int32_t key = 1; key <= count; ++key) {
        if (GetInLinkAtKey(key))
            continue;
        CRelais* free = nullptr;
        DeviceList all;
        m->GetAllRelais(all);
        for (CBaseDevice* obj : all) {
            auto* r = dynamic_cast<CRelais*>(obj);
            if (r && r->GetKindId() == kindId && !r->IsUsed()) {
                free = r;
                break;
            }
        }
        if (!free) {
            const int32_t n = m->GetFreeRelaisNumber();
            if (n == 0) {
                ShowMessage(LoadStringId(IDS_NO_FREE_RELAY), mb::Ok | mb::IconExclamation);
                break;
            }
            free = GetOrCreateRelais(n, kindId, true);
        }
        if (!free)
            break;
        free->LinkTo(0, this, key);
    }
    // Relays beyond the count are given up (they stay, free).
    for (int32_t key = 4; key > count; --key) {
        const LinkRecord* rec = GetInLinkAtKey(key);
        if (rec && rec->HasPartner() && rec->partner->GetType() == OT_RELAIS && rec->partner->GetKindId() == kindId)
            UnlinkIn(*rec);
    }
}
