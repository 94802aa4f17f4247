#include "logic/CVirtCtrl.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <string>

#include "logic/CVirtCtrlItem.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/LinkRecord.h"
#include "platform/AnswerLine.h"
#include "platform/ArchiveList.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CVirtCtrl, 3)

namespace {
constexpr uint32_t kTextEncoder = 32847;  // "Encoder"
constexpr uint32_t kTextAlarm = 32807;    // "Alarm"
constexpr uint32_t kTextChime = 32808;    // "Gong"
constexpr uint32_t kTextMessage = 32809;  // "Text"
constexpr uint32_t kTextMonitor = 33027;  // "Monitor"

// Two encoders on each LMZ752 card, eight AD and eight DA channels on each LMZ775 card.
constexpr int kEncodersPerCard = 2;
constexpr int kChannelsPerCard = 8;
constexpr int32_t kDaKeyOffset = 99;

void TransferByte(CArchive& ar, uint8_t& b)
{
    if (ar.IsStoring())
        ar << b;
    else
        ar >> b;
}
}  // namespace

CVirtCtrl::CVirtCtrl()
{
    m_type = OT_VIRT_CTRL;
    ResetTables();
}

int CVirtCtrl::EndpointCount(Endpoint kind)
{
    switch (kind) {
    case Endpoint::Controller: return kControllers;
    case Endpoint::Encoder:
    case Endpoint::AD:
    case Endpoint::DA: return 16;
    case Endpoint::In:
    case Endpoint::Out:
    case Endpoint::Delay: return 4;
    case Endpoint::Alarm:
    case Endpoint::Chime:
    case Endpoint::Message:
    case Endpoint::Monitor: return 1;
    case Endpoint::AmpChannel: return 256;
    }
    return 0;
}

void CVirtCtrl::ResetTables()
{
    for (LegacyEntry& e : m_legacy)
        e = LegacyEntry{};
    for (uint8_t* table : {m_enc, m_ad, m_da})
        std::fill(table, table + 16, uint8_t{0});
    std::fill(std::begin(m_in), std::end(m_in), uint8_t{0});
    std::fill(std::begin(m_out), std::end(m_out), uint8_t{0});
    m_alarm = m_chime = m_message = m_monitor = 0;
    std::fill(std::begin(m_ampChannel), std::end(m_ampChannel), uint8_t{0});
    std::fill(std::begin(m_delay), std::end(m_delay), uint8_t{0});
    m_legacyNames.assign(kControllers, std::string());
}

uint8_t* CVirtCtrl::LinkByte(Endpoint kind, int i)
{
    return const_cast<uint8_t*>(static_cast<const CVirtCtrl*>(this)->LinkByte(kind, i));
}

const uint8_t* CVirtCtrl::LinkByte(Endpoint kind, int i) const
{
    if (i < 1 || i > EndpointCount(kind))
        return nullptr;
    switch (kind) {
    case Endpoint::Controller: return &m_legacy[i - 1].link;
    case Endpoint::Encoder: return &m_enc[i - 1];
    case Endpoint::AD: return &m_ad[i - 1];
    case Endpoint::DA: return &m_da[i - 1];
    case Endpoint::In: return &m_in[i - 1];
    case Endpoint::Out: return &m_out[i - 1];
    case Endpoint::Alarm: return &m_alarm;
    case Endpoint::Chime: return &m_chime;
    case Endpoint::Message: return &m_message;
    case Endpoint::Monitor: return &m_monitor;
    case Endpoint::AmpChannel: return &m_ampChannel[i - 1];
    case Endpoint::Delay: return &m_delay[i - 1];
    }
    return nullptr;
}

int32_t CVirtCtrl::GetLink(Endpoint kind, int i) const
{
    const uint8_t* b = LinkByte(kind, i);
    return b ? *b : 0;
}

void CVirtCtrl::SetLink(Endpoint kind, int i, int32_t controller)
{
    const ChangeGuard guard(*this);
    if (uint8_t* b = LinkByte(kind, i))
        *b = static_cast<uint8_t>(controller & 0xFF);
}

void CVirtCtrl::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsLoading() && m_loadedSchema == 1) {
        // The table once held the controllers themselves.
        ReadCountedList(ar, m_legacyNames);
        for (LegacyEntry& e : m_legacy) {
            int32_t curve = 0;
            ar >> e.min >> e.max >> e.value >> e.steps >> curve >> e.link;
            e.curve = static_cast<int8_t>(curve & 0xFF);
        }
    }
    for (uint8_t* table : {m_enc, m_ad, m_da})
        for (int i = 0; i < 16; ++i)
            TransferByte(ar, table[i]);
    for (int i = 0; i < 4; ++i) {
        TransferByte(ar, m_in[i]);
        TransferByte(ar, m_out[i]);
    }
    TransferByte(ar, m_alarm);
    TransferByte(ar, m_chime);
    TransferByte(ar, m_message);
    TransferByte(ar, m_monitor);
    for (uint8_t& b : m_ampChannel)
        TransferByte(ar, b);
    for (uint8_t& b : m_delay)
        TransferByte(ar, b);
}

CVirtCtrlItem* CVirtCtrl::FindItem(int n) const
{
    if (n < 1 || n > kControllers || m_pDocument == nullptr)
        return nullptr;
    return dynamic_cast<CVirtCtrlItem*>(m_pDocument->GetIDManager().GetBaseDevice(n, OT_VIRT_CTRL_ITEM));
}

CVirtCtrlItem* CVirtCtrl::MakeItem(int n, const std::string& name)
{
    if (m_pDocument == nullptr)
        return nullptr;
    auto* item = new CVirtCtrlItem;
    if (!item->Create(CVirtCtrlItem::kKindId, name, n, CAT_AUDIO, m_pDocument)) {
        delete item;
        return nullptr;
    }
    m_pDocument->AddObject(item, CAT_AUDIO);
    return item;
}

CVirtCtrlItem* CVirtCtrl::GetOrCreateItem(int n)
{
    if (n < 1 || n > kControllers)
        return nullptr;
    if (CVirtCtrlItem* item = FindItem(n))
        return item;
    return MakeItem(n, StrFormat("%d *", n));
}

void CVirtCtrl::ClearLinksTo(int n)
{
    for (Endpoint kind : {Endpoint::Encoder, Endpoint::AD, Endpoint::DA, Endpoint::In, Endpoint::Out,
                          Endpoint::Alarm, Endpoint::Chime, Endpoint::Message, Endpoint::Monitor,
                          Endpoint::AmpChannel, Endpoint::Delay}) {
        for (int i = 1; i <= EndpointCount(kind); ++i) {
            uint8_t* b = LinkByte(kind, i);
            if (*b == n)
                *b = 0;
        }
    }
}

int CVirtCtrl::PostLoad()
{
    if (m_loadedSchema >= 3) {
        HoldLoadedLinks();
        return 1;
    }
    for (int i = 1; i <= kControllers; ++i) {
        const size_t idx = static_cast<size_t>(i - 1);
        if (idx >= m_legacyNames.size() || m_legacyNames[idx].empty())
            continue;
        CVirtCtrlItem* item = FindItem(i);
        if (item == nullptr)
            item = MakeItem(i, m_legacyNames[idx]);
        if (item == nullptr)
            continue;
        const LegacyEntry& e = m_legacy[idx];
        item->SetFloat(CVirtCtrlItem::Min, e.min);
        item->SetFloat(CVirtCtrlItem::Max, e.max);
        item->SetFloat(CVirtCtrlItem::Value, e.value);
        item->SetInt(CVirtCtrlItem::Steps, e.steps);
        item->SetInt(CVirtCtrlItem::Curve, e.curve);
        item->SetInt(CVirtCtrlItem::Link, e.link);
    }
    HoldLoadedLinks();
    return 1;
}

bool CVirtCtrl::GetEndpointTexts(Endpoint kind, int index0, std::string& name, std::string& controllerText) const
{
    const int i = index0 + 1;
    name.clear();
    controllerText.clear();
    if (i < 1 || i > EndpointCount(kind))
        return false;

    const int32_t link = GetLink(kind, i);
    if (link != 0) {
        const CVirtCtrlItem* item = FindItem(link);
        controllerText = item ? item->GetName() : StrFormat("%d *", link);
    }

    const CIDManager* dir = m_pDocument ? &m_pDocument->GetIDManager() : nullptr;
    switch (kind) {
    case Endpoint::Controller: {
        const CVirtCtrlItem* item = FindItem(i);
        if (item == nullptr)
            return false;
        name = item->GetName();
        return true;
    }
    case Endpoint::Encoder:
        name = LoadStringId(kTextEncoder) + StrFormat(" %d", i);
        return dir != nullptr && dir->GetBaseDevice((i + 1) / kEncodersPerCard, OT_LMZ752) != nullptr;
    case Endpoint::AD:
    case Endpoint::DA: {
        if (dir == nullptr)
            return false;
        const CBaseDevice* card = dir->GetBaseDevice((i - 1) / kChannelsPerCard + 1, OT_LMZ775);
        if (card == nullptr)
            return false;
        const int32_t key = kind == Endpoint::AD ? i - 1 : i + kDaKeyOffset;
        const LinkRecord* rec = card->GetOutLinkAtKey(key);
        if (rec == nullptr || !rec->HasPartner())
            return false;
        name = rec->partner->GetName();
        return true;
    }
    case Endpoint::In: name = StrFormat("IN%d", i); return true;
    case Endpoint::Out: name = StrFormat("OUT%d", i); return true;
    case Endpoint::Alarm: name = LoadStringId(kTextAlarm); return true;
    case Endpoint::Chime: name = LoadStringId(kTextChime); return true;
    case Endpoint::Message: name = LoadStringId(kTextMessage); return true;
    case Endpoint::Monitor: name = LoadStringId(kTextMonitor); return true;
    case Endpoint::AmpChannel:
        if (dir != nullptr)
            name = dir->GetAmpChannelText(i);
        return true;
    case Endpoint::Delay: name = StrFormat("DELAY%d", i); return true;
    }
    return false;
}

// ---------------------------------------------------------------- the block

namespace {
constexpr int kEntrySteps = 6;
constexpr int kFirstEndpointStep = 1 + CVirtCtrl::kControllers * kEntrySteps;  // 241
// The endpoint kinds in block order.
constexpr CVirtCtrl::Endpoint kBlockOrder[] = {
    CVirtCtrl::Endpoint::Controller, CVirtCtrl::Endpoint::Encoder, CVirtCtrl::Endpoint::AD,
    CVirtCtrl::Endpoint::DA,         CVirtCtrl::Endpoint::In,      CVirtCtrl::Endpoint::Out,
    CVirtCtrl::Endpoint::Alarm,      CVirtCtrl::Endpoint::Chime,   CVirtCtrl::Endpoint::Message,
    CVirtCtrl::Endpoint::Monitor,    CVirtCtrl::Endpoint::AmpChannel, CVirtCtrl::Endpoint::Delay,
};

struct EndpointWord {
    CVirtCtrl::Endpoint kind;
    const char* path;
    bool numbered;
};
constexpr EndpointWord kEndpointWords[] = {
    {CVirtCtrl::Endpoint::Controller, "/SOURCE/VC", true},
    {CVirtCtrl::Endpoint::Encoder, "/SOURCE/ENC", true},
    {CVirtCtrl::Endpoint::AD, "/SOURCE/AD", true},
    {CVirtCtrl::Endpoint::DA, "/DEST/DA", true},
    {CVirtCtrl::Endpoint::In, "/DEST/IN", true},
    {CVirtCtrl::Endpoint::Out, "/DEST/OUT", true},
    {CVirtCtrl::Endpoint::Alarm, "/DEST/ALARM", false},
    {CVirtCtrl::Endpoint::Chime, "/DEST/CHIME", false},
    {CVirtCtrl::Endpoint::Message, "/DEST/MESSAGE", false},
    {CVirtCtrl::Endpoint::Monitor, "/DEST/MONITOR", false},
    {CVirtCtrl::Endpoint::AmpChannel, "/DEST/AMPCHAN", true},
    {CVirtCtrl::Endpoint::Delay, "/DEST/DELAY", true},
};

const EndpointWord& WordOf(CVirtCtrl::Endpoint kind)
{
    for (const EndpointWord& w : kEndpointWords)
        if (w.kind == kind)
            return w;
    return kEndpointWords[0];
}

// A whole number standing alone: "3x" or "1e40" is no number of the device's.
bool ReadInt(const std::string& text, int& out)
{
    const std::optional<long> v = ScanWholeNumber(text, INT_MIN, INT_MAX);
    if (!v)
        return false;
    out = static_cast<int>(*v);
    return true;
}

// A finite number standing alone, with a decimal point only.
bool ReadFloat(const std::string& text, float& out)
{
    const std::optional<float> v = ScanWholeFloat(text);
    if (!v)
        return false;
    out = *v;
    return true;
}
}  // namespace

std::string CVirtCtrl::EndpointPath(Endpoint kind, int i)
{
    const EndpointWord& w = WordOf(kind);
    return w.numbered ? StrFormat("%s%d", w.path, i) : std::string(w.path);
}

int CVirtCtrl::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_clear.Reset("VIRTCTRL_CLR");
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step == 0)
        return BlockClearStep(m_clear, mode, step, m_path + "/CLEAR", m_pDocument);
    if (step < kFirstEndpointStep)
        return EntryStep(mode, step);
    return EndpointStep(mode, step);
}

int CVirtCtrl::EntryStep(int mode, int step)
{
    int entry = (step - 1) / kEntrySteps + 1;
    const int sub = (step - 1) % kEntrySteps;
    CVirtCtrlItem* item = FindItem(entry);
    if (m_clear.capability) {
        // The device was cleared (or told which entries are free): entries
        // without a controller cost no line.
        while (item == nullptr) {
            step += kEntrySteps;
            ++entry;
            if (entry > kControllers)
                return step;
            item = FindItem(entry);
        }
    }
    if (sub == 5)
        return step + 1;

    static constexpr const char* kKeys[5] = {"/MIN", "/MAX", "/VALUE", "/STEPS", "/CURVE"};
    std::string line = m_path + StrFormat("/ENTRY%d", entry) + kKeys[sub];
    if (mode) {
        line += " ?";
    } else if (sub < 3) {
        line += StrFormat(" %f", item ? item->GetFloat(sub) : 0.0f);
    } else {
        line += StrFormat(" %d", item ? item->GetInt(sub) : 0);
    }
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

int CVirtCtrl::EndpointStep(int mode, int step)
{
    int first = kFirstEndpointStep;
    for (Endpoint kind : kBlockOrder) {
        const int count = EndpointCount(kind);
        if (step < first + count) {
            const int i = step - first + 1;
            const int32_t link = GetLink(kind, i);
            if (!mode && m_clear.capability && link == 0)
                return step + 1;
            const std::string path = m_path + EndpointPath(kind, i);
            SendCommand(mode ? path + " ?" : path + StrFormat(" %d", link), m_pDocument, true);
            return step + 1;
        }
        first += count;
    }
    return step;
}

void CVirtCtrl::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "VIRTCTRL/ENTRY3/MIN 1.0": the path behind the block's own element.
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    if (key == "/CLEAR")
        ApplyClearAnswer(value, diffFileName);
    else if (key.compare(0, 6, "/ENTRY") == 0)
        ApplyEntryAnswer(key, value, diffFileName);
    else
        ApplyEndpointAnswer(key, value, diffFileName);
}

void CVirtCtrl::ApplyClearAnswer(const std::string& value, const std::string& diffFile)
{
    // The entries that are free on the device. A garbled answer would make
    // a placeholder of every controller, so one that does not read changes
    // nothing.
    ApplyFreeList(m_pDocument, OT_VIRT_CTRL_ITEM, kControllers, 320, m_path + "/CLEAR", value,
                  [this](int n) { GetOrCreateItem(n); }, &diffFile, m_path + "/ENTRY");
    m_clear.answered = 1;
}

void CVirtCtrl::ApplyEntryAnswer(const std::string& key, const std::string& value, const std::string& diffFile)
{
    // "/ENTRY3/MIN"
    int n = 0;
    int used = 0;
    if (std::sscanf(key.c_str() + 6, "%d%n", &n, &used) != 1 || n < 1 || n > kControllers)
        return;
    const std::string field = key.substr(6 + static_cast<size_t>(used));
    // A value that is no number the project can hold (beyond a float's
    // range) leaves the controller's own: named with the value kept.
    const auto notHeld = [&](int fieldKey) {
        const CVirtCtrlItem* item = FindItem(n);
        ReportNotHeld(&diffFile, m_path + key, value, StrFormat("%f", item ? item->GetFloat(fieldKey) : 0.0f));
    };
    if (field == "/MIN" || field == "/MAX") {
        float v = 0.0f;
        if (!ReadFloat(value, v)) {
            notHeld(field == "/MIN" ? CVirtCtrlItem::Min : CVirtCtrlItem::Max);
            return;
        }
        CVirtCtrlItem* item = FindItem(n);
        if (item == nullptr && v == 0.0f)
            return;
        if (item == nullptr)
            item = GetOrCreateItem(n);
        if (item != nullptr)
            item->SetFloat(field == "/MIN" ? CVirtCtrlItem::Min : CVirtCtrlItem::Max, v);
    } else if (field == "/VALUE") {
        float v = 0.0f;
        CVirtCtrlItem* item = FindItem(n);
        if (item != nullptr && ReadFloat(value, v))
            item->SetFloat(CVirtCtrlItem::Value, v);
        else if (item != nullptr)
            notHeld(CVirtCtrlItem::Value);
    } else if (field == "/STEPS" || field == "/CURVE") {
        const int fieldKey = field == "/STEPS" ? CVirtCtrlItem::Steps : CVirtCtrlItem::Curve;
        int v = 0;
        if (!ReadInt(value, v)) {
            const CVirtCtrlItem* item = FindItem(n);
            ReportNotHeld(&diffFile, m_path + key, value, StrFormat("%d", item ? item->GetInt(fieldKey) : 0));
            return;
        }
        CVirtCtrlItem* item = FindItem(n);
        if (item == nullptr && v == 0)
            return;
        if (item == nullptr)
            item = GetOrCreateItem(n);
        if (item == nullptr)
            return;
        // Beyond what a controller holds: held at the nearest end, and named.
        item->SetInt(fieldKey, v);
        if (item->GetInt(fieldKey) != v)
            ReportNotHeld(&diffFile, m_path + key, value, StrFormat("%d", item->GetInt(fieldKey)));
    }
}

void CVirtCtrl::HoldLoadedLinks()
{
    for (Endpoint kind : kBlockOrder)
        for (int i = 1; i <= EndpointCount(kind); ++i)
            if (uint8_t* b = LinkByte(kind, i); b && *b > kControllers) {
                NoteHeldOnLoad(EndpointPath(kind, i), StrFormat("%d", *b), "0");
                *b = 0;
            }
}

bool CVirtCtrl::ApplyEndpointAnswer(const std::string& key, const std::string& value, const std::string& diffFile)
{
    for (const EndpointWord& w : kEndpointWords) {
        int i = 1;
        if (w.numbered) {
            const size_t len = std::char_traits<char>::length(w.path);
            if (key.compare(0, len, w.path) != 0)
                continue;
            int used = 0;
            const std::string rest = key.substr(len);
            if (std::sscanf(rest.c_str(), "%d%n", &i, &used) != 1 || static_cast<size_t>(used) != rest.size())
                return false;
        } else if (key != w.path) {
            continue;
        }
        // Endpoint numbers beyond the kind's count name no endpoint.
        if (i < 1 || i > EndpointCount(w.kind))
            return false;
        int controller = 0;
        // Only controllers 1..40 exist (0 for none): the link the endpoint
        // has stays, named with the controller the device gave.
        if ((value != "OFF" && !ReadInt(value, controller)) || controller < 0 || controller > kControllers) {
            ReportNotHeld(&diffFile, m_path + key, value, StrFormat("%d", GetLink(w.kind, i)));
            return false;
        }
        SetLink(w.kind, i, controller);
        GetOrCreateItem(controller & 0xFF);
        return true;
    }
    return false;
}
