#include "paging/CRelaisTopology.h"

#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "paging/CCollectionCall.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/ZoneSets.h"
#include "platform/AnswerLine.h"
#include "platform/ArchiveList.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CRelaisTopology, 2)

QL_STRING_TABLE({
    {32773, "Es können keine weitere Linien erzeugt werden.\nDie Maximalanzahl wurde erreicht!"},
    {32789, "Topologie"},
    {34107, "/KVT/COLLCALL"},
    {34090, "\nD und E Relais werden nicht mehr unterstützt!\nErsetzen Sie die Relais mit einem Pflichtempfangs bzw. Sammelrufrelais!"},
});

namespace {
constexpr int32_t kCollectiveCallFunction = 1;  // relay function "Sammelruf" (kind 32787)
constexpr uint32_t kNoLimitMessage = 32773;

CRelaisTopology::DialogFn& DialogHook()
{
    static CRelaisTopology::DialogFn fn = nullptr;
    return fn;
}
}  // namespace

CRelaisTopology::CRelaisTopology()
{
    m_type = OT_RELAIS_TOPOLOGY;
    m_contextMenuId = kContextMenu;
    m_linkMode = linkmode::DrawOutLinks;
    m_moveLock = 0;
}

CRelaisTopology::DialogFn CRelaisTopology::SetDialog(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

bool CRelaisTopology::RunDialog()
{
    return DialogHook() ? DialogHook()(this) : false;
}

void CRelaisTopology::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_zoneCount << m_relayFunction << m_reserved << m_collCallNumber;
        return;
    }
    ar >> m_zoneCount >> m_relayFunction >> m_reserved >> m_collCallNumber;
    // Only a collective-call carrier keeps its call number.
    if (m_relayFunction != kCollectiveCallFunction)
        m_collCallNumber = 0;
    if (m_loadedSchema < 2) {
        ReadCountedList(ar, m_relayList);
        ReadCountedList(ar, m_secondList);
    }
}

int CRelaisTopology::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left,
                            int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                            uint32_t style, CQuillomerDoc* doc)
{
    // The zone limit is checked first, so a refused topology leaves no trace.
    const int32_t zones = doc ? doc->GetIDManager().GetCount(OT_ZONE) : 0;
    if (zones + outputs > CZone::kMaxZones) {
        ShowMessage(LoadStringId(kNoLimitMessage), mb::Ok);
        return 0;
    }
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left + 150, top, left + 250, top + outputs * kZoneHeight,
                             category, bitmapId, style, doc))
        return 0;
    AvoidOverlap(m_category);
    for (int32_t i = 0; i < m_outputCount; ++i)
        MakeZone(i);
    m_zoneCount = m_outputCount;
    AssignRelais(-1);
    return 1;
}

void CRelaisTopology::MakeZone(int32_t output)
{
    if (!m_pDocument || output < 0 || static_cast<size_t>(output) >= m_outputPoints.size())
        return;
    const CPoint at = m_outputPoints[output];
    auto* zone = new CZone;
    if (!zone->Create(CZone::kKind, 1, 1, nullptr, at.x, at.y, at.x, at.y, CAT_ZONE, CZone::kBitmap, CZone::kStyle,
                      m_pDocument)) {
        delete zone;
        return;
    }
    zone->LinkTo(0, this, output);
    m_pDocument->AddObject(zone, CAT_ZONE);
    // The all-zones group (number 0) holds every zone.
    const ObjectList& groups = m_pDocument->GetList(CAT_GROUP);
    if (!groups.empty() && groups.front()->GetNumber() == 0)
        groups.front()->LinkTo(0, zone, 0);
    zone->Redraw();
}

CRelaisTopology::~CRelaisTopology()
{
    if (CRelaisManager* m = RelaisManagerOf(this))
        m->Forget(this);
}

int32_t CRelaisTopology::RelaysPerZone(uint32_t kindId)
{
    switch (kindId) {
    case topologykind::OneInN: return 1;
    case topologykind::NInOne: return 4;
    case topologykind::ProgramCall: return 2;
    default: return 0;
    }
}

int32_t CRelaisTopology::InputsOfKind(uint32_t kindId)
{
    switch (kindId) {
    case topologykind::NInOne: return 4;
    case topologykind::ProgramCall: return 2;
    default: return 1;
    }
}

std::vector<CZone*> CRelaisTopology::GetZones() const
{
    std::vector<std::pair<int32_t, CZone*>> keyed;
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner())
            if (auto* zone = dynamic_cast<CZone*>(rec->partner))
                keyed.emplace_back(rec->ownKey, zone);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CZone*> zones;
    for (const auto& k : keyed)
        zones.push_back(k.second);
    return zones;
}

void CRelaisTopology::AssignRelais(int32_t start)
{
    const std::vector<CZone*> zones = GetZones();
    const int32_t perZone = RelaysPerZone(m_kindId);
    if (start < 0) {
        for (CZone* zone : zones)
            zone->SetLineRelayCount(relaiskind::Line, perZone);
        return;
    }
    // Every zone gives up its line relays, then they are numbered anew.
    for (CZone* zone : zones)
        zone->SetLineRelayCount(relaiskind::Line, 0);
    int32_t next = start;
    switch (m_kindId) {
    case topologykind::OneInN:
        for (CZone* zone : zones)
            next = zone->AttachNextFreeLineRelay(next, 1);
        break;
    case topologykind::NInOne:
        for (CZone* zone : zones)
            for (int32_t key = 1; key <= 4; ++key)
                next = zone->AttachNextFreeLineRelay(next, key);
        break;
    case topologykind::ProgramCall: {
        for (CZone* zone : zones)
            next = zone->AttachNextFreeLineRelay(next, 1);
        int32_t call = m_firstCallRelay;
        for (CZone* zone : zones)
            call = zone->AttachNextFreeLineRelay(call, 2);
        break;
    }
    default:
        break;
    }
}

CRelais* CRelaisTopology::FindOrCreateRelais(int32_t number, uint32_t kindId, bool firstTable)
{
    return FindOrCreateRelaisBank(m_pDocument, number, kindId, firstTable);
}

void CRelaisTopology::SetKindId(uint32_t kindId)
{
    if (kindId == m_kindId && m_outputCount == m_zoneCount)
        return;
    const int32_t zones = m_pDocument ? m_pDocument->GetIDManager().GetCount(OT_ZONE) : 0;
    if (zones - m_outputCount + m_zoneCount > CZone::kMaxZones) {
        ShowMessage(LoadStringId(kNoLimitMessage), mb::Ok);
        m_zoneCount = m_outputCount;
    }
    m_zoneCount = std::clamp(m_zoneCount, 1, CZone::kMaxZones);
    SetDocModified();
    // The zones draw their lines to this symbol's outputs, which move or go:
    // each line is repainted where it was (a zone that goes takes only its
    // own symbol with it once its output is gone), and again where it runs
    // to afterwards.
    const auto redrawZones = [this] {
        for (const LinkRecord* rec : m_inLinks)
            if (rec->HasPartner() && rec->partner->GetType() == OT_ZONE)
                rec->partner->Redraw();
    };
    redrawZones();
    const int32_t oldOutputs = m_outputCount;
    m_outputCount = m_zoneCount;
    m_kindId = kindId;
    m_inputCount = InputsOfKind(kindId);
    // Inputs the scheme no longer has lose their feed.
    for (int32_t key = m_inputCount; key < 4; ++key)
        RemoveOutLinksAtKey(key);

    const bool hadInput = !m_inputPoints.empty();
    const int32_t oldY = hadInput ? m_inputPoints[0].y : 0;
    m_rect.bottom = m_rect.top + m_outputCount * kZoneHeight;
    m_boundingRect = m_rect;
    FreeConnectionPoints();
    m_inputPoints.assign(m_inputCount, CPoint());
    m_inputRoutes.assign(m_inputCount, ConnectorRoute());
    m_inputNames.assign(m_inputCount, std::string());
    m_outputPoints.assign(m_outputCount, CPoint());
    m_outputRoutes.assign(m_outputCount, ConnectorRoute());
    m_outputNames.assign(m_outputCount, std::string());
    LayoutConnectionPoints();
    if (hadInput && !m_inputPoints.empty())
        MoveBy(0, oldY - m_inputPoints[0].y, false);
    AvoidOverlap(m_category);

    if (m_outputCount > oldOutputs) {
        for (int32_t i = oldOutputs; i < m_outputCount; ++i)
            if (!GetInLinkAtKey(i))
                MakeZone(i);
    } else {
        for (int32_t key = m_outputCount; key < oldOutputs; ++key) {
            const LinkRecord* rec = GetInLinkAtKey(key);
            while (rec && rec->HasPartner() && rec->partner->GetType() == OT_ZONE) {
                rec->partner->OnCommand(objcmd::Delete);
                rec = GetInLinkAtKey(key);
            }
        }
    }
    redrawZones();
}

int CRelaisTopology::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    if (commandId != objcmd::Delete)
        return CBaseDevice::OnCommand(commandId);
    Redraw();
    // The zones of the topology go with it.
    for (;;) {
        CBaseDevice* zone = nullptr;
        for (const LinkRecord* rec : m_inLinks)
            if (rec->HasPartner() && rec->partner->GetType() == OT_ZONE)
                zone = rec->partner;
        if (!zone)
            break;
        zone->OnCommand(objcmd::Delete);
    }
    return CBaseDevice::OnCommand(commandId);
}

void CRelaisTopology::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Delete || cmdUI.m_nID == objcmd::Properties)
        cmdUI.Enable(true);
}

void CRelaisTopology::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (RunDialog())
        Redraw();
}

int CRelaisTopology::PostLoad()
{
    if (m_loadedSchema < 2)
        UpgradeOlderForm();
    if (m_collCallNumber != 0 && m_pDocument) {
        if (!m_path.empty())
            m_pDocument->RemovePath(m_path, this);
        EnterPath(LoadStringId(IDS_COLLCALL_PATH) + StrFormat("%d", m_collCallNumber));
        if (CRelaisManager* m = RelaisManagerOf(this))
            m->ClaimCollCallNumber(this, m_collCallNumber);
    }
    return 1;
}

void CRelaisTopology::UpgradeOlderForm()
{
    auto codeRelay = [&](uint32_t code, uint32_t firstKind) -> CRelais* {
        const bool second = (code & (1u << 28)) != 0;
        return FindOrCreateRelais(static_cast<int32_t>(code & 0xFFFF), second ? relaiskind::Second : firstKind,
                                  !second);
    };
    const std::vector<CZone*> zones = GetZones();
    switch (m_relayFunction) {
    case 1: {  // "Sammelruf"
        if (m_relayList.empty() || m_relayList[0] == 0 || !m_pDocument)
            break;
        DeviceList calls;
        m_pDocument->GetIDManager().GetBaseDeviceList(calls, OT_COLLECTION_CALL);
        CBaseDevice* call = nullptr;
        for (CBaseDevice* c : calls)
            if (!c->GetInLinkAtKey(0)) {
                call = c;
                break;
            }
        if (!call)
            break;
        if (CRelais* relay = codeRelay(m_relayList[0], relaiskind::CollectiveCall))
            if (!relay->IsUsed())
                relay->LinkTo(0, call, 0);
        for (CZone* zone : zones)
            if (!call->GetOutLinkTo(zone))
                call->LinkTo(0, zone, CZone::kCollCallKey);
        break;
    }
    case 2:  // "gem. Pflichtrelais"
        if (!m_relayList.empty() && m_relayList[0] != 0)
            if (CRelais* relay = codeRelay(m_relayList[0], relaiskind::Mandatory))
                for (CZone* zone : zones)
                    if (!zone->GetInLinkAtKey(CZone::kPrioKey))
                        relay->LinkTo(0, zone, CZone::kPrioKey);
        break;
    case 3:  // "getr. Pflichtrelais"
        for (size_t i = 0; i < m_relayList.size(); ++i) {
            if (m_relayList[i] == 0)
                continue;
            const LinkRecord* rec = GetInLinkAtKey(static_cast<int32_t>(i));
            auto* zone = rec && rec->HasPartner() ? dynamic_cast<CZone*>(rec->partner) : nullptr;
            CRelais* relay = codeRelay(m_relayList[i], relaiskind::Mandatory);
            if (zone && relay && !zone->GetInLinkAtKey(CZone::kPrioKey))
                relay->LinkTo(0, zone, CZone::kPrioKey);
        }
        break;
    case 4:
    case 5:
    case 6:
        ShowMessage(m_name + ": " + LoadStringId(IDS_D_E_RELAYS), mb::Ok);
        break;
    default:
        break;
    }
    m_relayList.clear();
    m_relayFunction = 0;
}

std::string CRelaisTopology::ZonesText() const
{
    ZoneSet set{};
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner() && rec->partner->GetType() == OT_ZONE)
            AddZonesOf(set, rec->partner);
    return ZoneSetText(set);
}

int CRelaisTopology::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return m_relayFunction == kCollectiveCallFunction && m_kindId == topologykind::OneInN && !m_relayList.empty()
                   ? 2
                   : 0;
    if (step < 0 || step > 1 || m_relayList.empty() || IsOutBufferFull())
        return step;
    const bool query = mode != 0;
    if (step == 0)
        SendCommand(m_path + "/RELAY " + (query ? std::string("?") : StrFormat("%u", m_relayList[0] & 0xFFFF)),
                    m_pDocument, true);
    else
        SendCommand(m_path + "/ZONES " + (query ? std::string("?") : ZonesText()), m_pDocument, true);
    return step + 1;
}

void CRelaisTopology::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    std::string key, value;
    if (!ReadAnswerLine(line, 2, key, value) || linkState != linkstate::Upload || diffFileName.empty())
        return;
    std::string design;
    if (key == "/RELAY" && !m_relayList.empty())
        design = StrFormat("%u", m_relayList[0] & 0xFFFF);
    else if (key == "/ZONES")
        design = ZonesText();
    else
        return;
    if (value != design)
        AppendErrMismatch(diffFileName, m_name + key, value, design);
}
