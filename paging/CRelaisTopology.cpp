#include "paging/CRelaisTopology.h"

#include "model/CQuillomerDoc.h"
#include "paging/CZone.h"
#include "platform/ArchiveList.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CRelaisTopology, 2)

QL_STRING_TABLE({
    {32773, "Es können keine weitere Linien erzeugt werden.\nDie Maximalanzahl wurde erreicht!"},
    {32789, "Topologie"},
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
    if (!zone->Create(CZone::kKind, 1, 1, nullptr, at.x, at.y, at.x, at.y, CAT_ZONE, CZone::kBitmap, 0,
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

void CRelaisTopology::AssignRelais(int32_t start)
{
    // The line relays come with the relay tables of the document; a document
    // without them has no relays to give.
    (void)start;
}
