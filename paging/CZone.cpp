#include "paging/CZone.h"

#include "platform/ArchiveList.h"

QL_IMPLEMENT_SERIAL(CZone, 3)

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
    return 1;
}

int CZone::PostLoad()
{
    if (m_kindId == 0)
        m_kindId = kKind;
    return 1;
}
