#include "hardware/CAmplifier.h"

#include <algorithm>

#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CRelaisTopology.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAmplifier, 3)

namespace {

constexpr int32_t kCreateShift = 270;  // a new symbol stands this far right of the given point
constexpr int32_t kOldFileShift = 50;  // files of schema 0 and 1 drew amplifiers further left

CAmplifier::DialogFn& PropertiesHook()
{
    static CAmplifier::DialogFn fn = nullptr;
    return fn;
}

// The object directory reads the amplifier facts through this.
CIDManager::AmpInfo AmpInfoOf(const CBaseDevice* obj)
{
    const auto* amp = dynamic_cast<const CAmplifier*>(obj);
    if (!amp)
        return {};
    const AmpTypeEntry* row = amp->GetTypeEntry();
    return {row->remote != 0, row->channels, amp->GetAddress()};
}

struct AmpInfoInstaller {
    AmpInfoInstaller() { CIDManager::SetAmpInfoFn(&AmpInfoOf); }
} g_ampInfoInstaller;

CIDManager::AmpInfo ReadAmpInfo(const CBaseDevice* amp)
{
    const CIDManager::AmpInfoFn fn = CIDManager::SetAmpInfoFn(nullptr);
    CIDManager::SetAmpInfoFn(fn);
    return fn ? fn(amp) : CIDManager::AmpInfo{};
}

bool IsTopologyCommand(uint32_t id)
{
    return id == ampcmd::Direct || id == ampcmd::OneInN || id == ampcmd::NInOne || id == ampcmd::ProgramCall;
}

}  // namespace

CAmplifier::CAmplifier()
{
    m_type = OT_AMPLIFIER;
    m_contextMenuId = kContextMenu;
    m_linkMode = linkmode::DrawOutLinks;
    m_moveLock = 0;
}

CAmplifier::DialogFn CAmplifier::SetPropertiesDialog(DialogFn fn)
{
    DialogFn old = PropertiesHook();
    PropertiesHook() = fn;
    return old;
}

// ---------------------------------------------------------------- type table

const AmpTypeEntry* CAmplifier::GetTypeEntryByKind(uint32_t kindId)
{
    for (const AmpTypeEntry& row : AmpTypeTable) {
        if (row.kindId == kindId || row.kindId == amptype::kEndKind)
            return &row;
    }
    return &AmpTypeTable[amptype::kRows - 1];
}

const AmpTypeEntry* CAmplifier::GetTypeEntryAt(int index)
{
    if (index < 0 || index >= amptype::kRows || AmpTypeTable[index].kindId == amptype::kEndKind)
        return nullptr;
    return &AmpTypeTable[index];
}

int CAmplifier::GetTypeIndex() const
{
    const AmpTypeEntry* row = GetTypeEntry();
    return row->kindId == amptype::kEndKind ? 0 : row->index;
}

const AmpTypeEntry* CAmplifier::GetTypeEntry() const
{
    return GetTypeEntryByKind(m_kindId);
}

// ---------------------------------------------------------------- address

std::string CAmplifier::GetAddressText() const
{
    return StrFormat("%x", static_cast<unsigned>(m_address));
}

void CAmplifier::SetAddress(int32_t value)
{
    const ChangeGuard guard(*this);
    if (value >= 0 && value <= kMaxAddress)
        m_address = value;
}

int32_t CAmplifier::FindFreeAddress(const CQuillomerDoc* doc, const CBaseDevice* except)
{
    bool used[kMaxAddress + 1] = {};
    if (doc) {
        DeviceList amps;
        doc->GetIDManager().GetBaseDeviceList(amps, OT_AMPLIFIER);
        for (const CBaseDevice* obj : amps) {
            const auto* amp = dynamic_cast<const CAmplifier*>(obj);
            if (!amp || amp == except || !amp->IsRemote())
                continue;
            if (amp->m_address >= 0 && amp->m_address <= kMaxAddress)
                used[amp->m_address] = true;
        }
    }
    for (int32_t a = 0; a <= kMaxAddress; ++a)
        if (!used[a])
            return a;
    return -1;
}

namespace {
// Whether `address` is on the bus and no remote amplifier of `doc` other
// than `except` uses it.
bool IsAddressFree(const CQuillomerDoc* doc, int32_t address, const CBaseDevice* except)
{
    if (address < 0 || address > CAmplifier::kMaxAddress)
        return false;
    if (!doc)
        return true;
    DeviceList amps;
    doc->GetIDManager().GetBaseDeviceList(amps, OT_AMPLIFIER);
    for (const CBaseDevice* obj : amps) {
        const auto* amp = dynamic_cast<const CAmplifier*>(obj);
        if (amp && amp != except && amp->IsRemote() && amp->GetAddress() == address)
            return false;
    }
    return true;
}
}  // namespace

int32_t CAmplifier::GetGlobalChannel(int32_t k) const
{
    return GetGlobalChannel(this, k);
}

int32_t CAmplifier::GetGlobalChannel(const CBaseDevice* amp, int32_t k)
{
    if (!amp || !amp->GetDocument())
        return -1;
    DeviceList remote;
    amp->GetDocument()->GetIDManager().GetRemoteAmpsByAddress(remote);
    int32_t running = 1;
    for (const CBaseDevice* each : remote) {
        if (each == amp)
            return running + k;
        running += ReadAmpInfo(each).channels;
    }
    return -1;
}

// ---------------------------------------------------------------- file

void CAmplifier::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_address;
        return;
    }
    m_address = -1;
    if (m_loadedSchema >= 3)
        ar >> m_address;
}

int CAmplifier::PostLoad()
{
    if (m_loadedSchema <= 1)
        MoveBy(kOldFileShift, 0, false);
    // An amplifier on the bus beyond its 64 addresses is refused the address
    // and gets the first free one, as a new amplifier does (the document
    // names it, with the address as the dialogs show it).
    if (IsRemote() && (m_address < 0 || m_address > kMaxAddress)) {
        const std::string file = StrFormat("Adr. %02x", static_cast<unsigned>(m_address));
        m_address = FindFreeAddress(m_pDocument, this);
        NoteHeldOnLoad(m_name, file, StrFormat("Adr. %02x", static_cast<unsigned>(m_address)), true);
    }
    return 1;
}

// ---------------------------------------------------------------- creation

int CAmplifier::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left,
                       int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                       uint32_t style, CQuillomerDoc* doc)
{
    const int32_t address = FindFreeAddress(doc, this);
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left + kCreateShift, top, right, bottom, category,
                             bitmapId, style, doc))
        return 0;
    if (IsRemoteKind(kindId))
        m_address = address;
    return 1;
}

void CAmplifier::LayoutConnectionPoints()
{
    const int32_t n = m_inputCount;
    if (n < 1 || n > 4)
        return;
    const CRect& b = m_bitmapRect;
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t y = b.top + (b.bottom - b.top) * k / (n + 1);
        const size_t i = static_cast<size_t>(k - 1);
        if (i < m_inputPoints.size())
            m_inputPoints[i] = CPoint(b.left - 1, y);
        if (i < m_outputPoints.size())
            m_outputPoints[i] = CPoint(b.right + 1, y);
        if (i < m_inputRoutes.size())
            m_inputRoutes[i].pt[0] = CPoint(b.left - 1, y);
        if (i < m_outputRoutes.size())
            m_outputRoutes[i].pt[0].y = y;
    }
}

namespace {
void MakeRoomBelow(CBaseDevice& self)
{
    // A taller model would otherwise jump over its neighbour to the next free
    // place of the column, away from where the user put it: the amplifiers
    // under it move down instead, each as far as it must to stay clear.
    if (!self.m_pDocument)
        return;
    constexpr int32_t kGap = 2;
    const CRect me = self.m_rect;
    std::vector<CBaseDevice*> lower;
    for (CBaseDevice* o : self.m_pDocument->GetList(self.m_category))
        if (o != &self && o->m_rect.top >= me.top && o->m_rect.left < me.right && o->m_rect.right > me.left)
            lower.push_back(o);
    std::stable_sort(lower.begin(), lower.end(),
                     [](const CBaseDevice* a, const CBaseDevice* b) { return a->m_rect.top < b->m_rect.top; });
    std::vector<CRect> placed{me};
    for (CBaseDevice* o : lower) {
        int32_t dy = 0;
        for (bool clear = false; !clear;) {
            clear = true;
            for (const CRect& p : placed) {
                CRect r = o->m_rect;
                r.OffsetRect(0, dy);
                if (r.Intersects(p)) {
                    dy += p.bottom + kGap - r.top;
                    clear = false;
                }
            }
        }
        if (dy != 0)
            o->MoveBy(0, dy, true);
        placed.push_back(o->m_rect);
    }
}
}  // namespace

// ---------------------------------------------------------------- model change

CRect CAmplifier::GetBoundingRect() const
{
    CRect r = CBaseDevice::GetBoundingRect();
    CRect texts = m_textArea;
    texts.OffsetRect(m_rect.left, m_rect.top);
    r.UnionWith(texts);
    return r;
}

void CAmplifier::Redraw()
{
    CalcBoundingRect();
    const CRect r = GetBoundingRect();
    InvalidateRect(r.left, r.top, r.right, r.bottom, true);
}

void CAmplifier::DrawLabel(IPainter& dc)
{
    CBaseDevice::DrawLabel(dc);
    // Where the model's text stands: centred on the top line, as written.
    CRect area = m_labelRect;
    if (!(m_symbolStyle & symstyle::BitmapAtTop)) {
        dc.SelectFont(IPainter::FontNames);
        const CSize e = dc.TextExtent(LoadStringId(m_kindId));
        const int32_t x = (m_symbolStyle & symstyle::KindTextLeft) ? m_rect.left + 1
                                                                   : m_rect.left + (m_rect.Width() - e.cx) / 2;
        area.UnionWith(CRect(x, m_rect.top, x + e.cx, m_rect.top + e.cy));
    }
    area.OffsetRect(-m_rect.left, -m_rect.top);
    if (area == m_textArea)
        return;
    // A new model's text reaches further than the area that was repainted
    // for it: the rest follows.
    m_textArea = area;
    Redraw();
}

void CAmplifier::SetKindId(uint32_t kindId)
{
    const ChangeGuard guard(*this);
    // 1. Redraw what hangs on the channels, then the symbol.
    for (LinkRecord* r : m_inLinks)
        if (r->HasPartner() && r->partner != this)
            r->partner->Redraw();
    Redraw();
    // 2. The channel feeds belong to the old model.
    RemoveAllOutLinks();
    // 3. Input 1 keeps its height across the change.
    m_boundingRect = m_rect;
    const bool hadInput = !m_inputPoints.empty();
    const int32_t oldY = hadInput ? m_inputPoints[0].y : 0;
    // 4.-5. New model, new connectors.
    FreeConnectionPoints();
    const bool wasRemote = IsRemote();
    m_kindId = kindId;
    const AmpTypeEntry* row = GetTypeEntryByKind(kindId);
    m_inputCount = m_outputCount = row->channels;
    m_bitmapId = row->bitmapId;
    // The symbol takes the size of the new model's picture, from its top
    // left corner, with the margins it had: else a taller picture covers
    // the name below it and the amplifier underneath, and its channels are
    // laid out on the old picture's height.
    if (const auto size = GetAppHost().GetBitmapSize(m_bitmapId); size && !m_bitmapRect.IsRectEmpty()) {
        const int32_t marginRight = m_rect.right - m_bitmapRect.right;
        const int32_t marginBottom = m_rect.bottom - m_bitmapRect.bottom;
        m_bitmapRect.right = m_bitmapRect.left + size->cx;
        m_bitmapRect.bottom = m_bitmapRect.top + size->cy;
        m_rect.right = m_bitmapRect.right + marginRight;
        m_rect.bottom = m_bitmapRect.bottom + marginBottom;
        m_boundingRect = m_rect;
    }
    // 6. Topologies on channels that no longer exist go.
    for (int32_t c = std::max(row->channels, 0); c <= 3; ++c)
        RemoveInLinksAtKey(c);
    // 7. Path and connection points again.
    if (m_pDocument && !m_path.empty())
        m_pDocument->RemovePath(m_path, this);
    InitObject();
    // 8.
    if (hadInput && !m_inputPoints.empty())
        MoveBy(0, oldY - m_inputPoints[0].y, true);
    MakeRoomBelow(*this);
    AvoidOverlap(m_category);
    // 9. An amplifier that gets the remote module takes the lowest free
    // address; one that keeps it keeps its address (set on the device)
    // unless another amplifier uses it by now.
    if (row->remote && !(wasRemote && IsAddressFree(m_pDocument, m_address, this))) {
        const int32_t address = FindFreeAddress(m_pDocument, this);
        if (address >= 0)
            m_address = address;
    }
}

// ---------------------------------------------------------------- commands

int CAmplifier::OnCommand(uint32_t commandId)
{
    if (commandId == ampcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    if (IsTopologyCommand(commandId)) {
        AddTopology(commandId);
        return 1;
    }
    // 33001 deletes the amplifier with its links (the base's deletion).
    return CBaseDevice::OnCommand(commandId);
}

void CAmplifier::OnUpdateCommand(CCmdUI&)
{
    // Every entry of the amplifier's menu stays enabled.
}

void CAmplifier::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (PropertiesHook() && PropertiesHook()(this))
        Redraw();
}

void CAmplifier::AddTopology(uint32_t kind)
{
    if (!m_pDocument)
        return;
    // 1. The first channel no topology hangs on yet.
    int32_t channel = 0;
    for (int32_t c = 0; c < m_inputCount; ++c) {
        if (!GetInLinkAtKey(c)) {
            channel = c;
            break;
        }
    }
    // 2.
    const CPoint at = m_outputPoints.empty() ? CPoint(m_rect.right, m_rect.top) : m_outputPoints[0];
    auto* topology = new CRelaisTopology;
    const int32_t inputs = kind == ampcmd::ProgramCall ? 2 : 1;
    if (!topology->Create(kind, inputs, 1, nullptr, at.x, at.y, at.x, at.y, CAT_RELAIS_TOPOLOGY, 0, 0,
                          m_pDocument)) {
        delete topology;
        return;
    }
    // 3. Topology key 0 -> this amplifier's channel.
    AddInLink(this, channel, topology, 0, CAT_RELAIS_TOPOLOGY);
    topology->AddOutLink(topology, 0, this, channel, CAT_AMPLIFIER);
    // 4.
    m_pDocument->AddObject(topology, CAT_RELAIS_TOPOLOGY);
    topology->Redraw();
    topology->RunDialog();
}

// ---------------------------------------------------------------- lists

int CAmplifier::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back(LoadStringId(32804));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        texts.push_back(LoadStringId(m_kindId));
    }
    return static_cast<int>(texts.size());
}

int CAmplifier::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    columns.push_back({50, 0});
    return 1;
}
