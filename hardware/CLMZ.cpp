#include "hardware/CLMZ.h"

#include "model/CQuillomerDoc.h"
#include "model/ModelStrings.h"
#include "paging/CRelais.h"
#include "paging/PagingIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CLMZ, 2)

namespace {
int32_t ChannelsPerCard(uint32_t type)
{
    switch (type) {
    case OT_LMZ771: return 12;
    case OT_LMZ775: return 8;
    case OT_LMZ763:
    case OT_LMZ764: return 5;
    default: return 0;
    }
}
}  // namespace

CLMZ::CLMZ()
{
    m_type = OT_NONE;
}

uint32_t CLMZ::TypeOfKind(uint32_t kindId)
{
    switch (kindId) {
    case lmzkind::Out763: return OT_LMZ763;
    case lmzkind::Out764: return OT_LMZ764;
    case lmzkind::In771: return OT_LMZ771;
    case lmzkind::Carrier: return OT_LMZ752;
    case lmzkind::Analog775: return OT_LMZ775;
    default: return OT_NONE;
    }
}

int32_t CLMZ::CountsOfKind(uint32_t kindId)
{
    switch (kindId) {
    case lmzkind::Carrier: return 19;
    case lmzkind::Analog775: return 8;
    default: return 5;
    }
}

void CLMZ::KeyRange(uint32_t kindId, int32_t& first, int32_t& last)
{
    switch (TypeOfKind(kindId)) {
    case OT_LMZ771: first = kFirstInputKey; last = kLastInputKey; break;
    case OT_LMZ775: first = kFirstAnalogKey; last = kLastAnalogKey; break;
    default: first = kFirstOutputKey; last = kLastOutputKey; break;
    }
}

bool CLMZ::SetTypeFromKind()
{
    const uint32_t t = TypeOfKind(m_kindId);
    if (t == OT_NONE)
        return false;
    m_type = t;
    return true;
}

CLMZ* CLMZ::NewCard(CQuillomerDoc* doc, uint32_t kindId)
{
    auto* card = new CLMZ;
    const int32_t n = CountsOfKind(kindId);
    if (!card->Create(kindId, n, n, LoadStringId(kindId), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, doc)) {
        delete card;
        return nullptr;
    }
    if (doc)
        doc->AddObject(card, CAT_DIGITAL_IO);
    return card;
}

void CLMZ::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        return;
    if (!SetTypeFromKind())
        ShowMessage("Internal Message lmz:1", mb::Ok);
    if (m_name.empty())
        m_name = LoadStringId(m_kindId);
}

int CLMZ::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
                 int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
                 CQuillomerDoc* doc)
{
    m_kindId = kindId;
    if (!SetTypeFromKind())
        ShowMessage("Internal Message lmz:2", mb::Ok);
    return CBaseDevice::Create(kindId, inputs, outputs, name, left, top, right, bottom, category, bitmapId, style,
                               doc);
}

CLMZ* CLMZ::GetCarrier(int32_t* key) const
{
    const LinkRecord* rec = GetInLinkAtKey(0);
    if (!rec || !rec->HasPartner() || rec->partner->GetType() != OT_LMZ752)
        return nullptr;
    if (key)
        *key = rec->partnerKey;
    return dynamic_cast<CLMZ*>(rec->partner);
}

int CLMZ::PostLoad()
{
    // Input cards of old files hang on no carrier: they get one.
    if (m_kindId != lmzkind::In771 || m_loadedSchema > 1 || !m_pDocument || GetInLinkAtKey(0))
        return 1;
    DeviceList carriers;
    m_pDocument->GetIDManager().GetBaseDeviceList(carriers, OT_LMZ752);
    CBaseDevice* carrier = carriers.empty() ? NewCard(m_pDocument, lmzkind::Carrier) : carriers.front();
    if (!carrier)
        return 1;
    const int32_t key = m_number + 11;
    if (key >= kFirstInputKey && key <= kLastInputKey && !carrier->GetOutLinkAtKey(key))
        carrier->LinkTo(key, this, 0);
    return 1;
}

int CLMZ::OnCommand(uint32_t commandId)
{
    if (commandId != objcmd::Delete)
        return CBaseDevice::OnCommand(commandId);
    const uint32_t type = m_type;
    const int32_t number = m_number;
    CQuillomerDoc* doc = m_pDocument;
    const int result = CBaseDevice::OnCommand(commandId);
    // The later cards of the model move down one number each.
    if (doc && CIDManager::IsValidType(type))
        doc->GetIDManager().RemoveAndClose(type, number);
    return result;
}

void CLMZ::SetNumber(int32_t n)
{
    m_number = n;
    LinkRecord* in = GetInLinkAtKey(0);
    CBaseDevice* carrier = in && in->HasPartner() && in->partner->GetType() == OT_LMZ752 ? in->partner : nullptr;
    auto moveKey = [&](int32_t newKey) {
        const int32_t oldKey = in->partnerKey;
        carrier->DeleteOutRecord(oldKey, this, 0, m_category);
        carrier->AddOutLink(carrier, newKey, this, 0, m_category);
        in->partnerKey = newKey;
    };
    switch (m_type) {
    case OT_LMZ771:
        if (carrier && in->partnerKey != kFirstInputKey && !carrier->GetOutLinkAtKey(in->partnerKey - 1))
            moveKey(in->partnerKey - 1);
        break;
    case OT_LMZ775:
        if (carrier && in->partnerKey != kFirstAnalogKey && !carrier->GetOutLinkAtKey(in->partnerKey - 1))
            moveKey(in->partnerKey - 1);
        break;
    case OT_LMZ763:
    case OT_LMZ764:
        if (carrier && in->partnerKey > 0) {
            for (int32_t i = in->partnerKey - 1; i >= 1; --i) {
                if (!carrier->GetOutLinkAtKey(i)) {
                    moveKey(i);
                    break;
                }
            }
        }
        for (int32_t key = 0; key < 5; ++key) {
            const LinkRecord* rec = GetOutLinkAtKey(key);
            if (auto* relay = rec && rec->HasPartner() ? dynamic_cast<CRelais*>(rec->partner) : nullptr)
                relay->MoveToNumber(static_cast<uint32_t>(5 * n - 4 + key), m_type == OT_LMZ763);
        }
        break;
    default:
        break;
    }
}

int32_t CLMZ::GetChannelNumber(const CBaseDevice* pad) const
{
    const int32_t perCard = ChannelsPerCard(m_type);
    for (const LinkRecord* rec : m_outLinks) {
        if (rec->partner != pad)
            continue;
        int32_t key = rec->ownKey;
        if (m_type == OT_LMZ775 && key >= kDaFirstKey)
            key -= kDaFirstKey;
        return (m_number - 1) * perCard + key + 1;
    }
    return 0;
}

int CLMZ::GetListTexts(int mode, std::vector<std::string>& texts)
{
    const size_t before = texts.size();
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
    }
    (void)before;
    return static_cast<int>(texts.size());
}

int CLMZ::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    return 2;
}

std::vector<int32_t> CLMZ::ChannelKeys() const
{
    std::vector<int32_t> keys;
    switch (m_type) {
    case OT_LMZ752:
        for (int32_t k = kFirstOutputKey; k <= kLastAnalogKey; ++k)
            keys.push_back(k);
        break;
    case OT_LMZ771:
        for (int32_t k = 0; k < 12; ++k)
            keys.push_back(k);
        break;
    case OT_LMZ775:
        for (int32_t k = 0; k < 8; ++k) {
            keys.push_back(k);
            keys.push_back(kDaFirstKey + k);
        }
        break;
    default:
        for (int32_t k = 0; k < 5; ++k)
            keys.push_back(k);
        break;
    }
    return keys;
}

int CLMZ::DeleteCard()
{
    const std::vector<int32_t> keys = ChannelKeys();
    DeviceList linked;
    for (int32_t k : keys) {
        for (const LinkRecord* rec : m_outLinks) {
            if (rec->ownKey != k || !rec->HasPartner())
                continue;
            if (rec->partner->GetOutLinkAtKey(0)) {
                ShowMessage(LoadStringId(IDS_CARD_IN_USE), mb::Ok | mb::IconExclamation);
                return 0;
            }
            linked.push_back(rec->partner);
        }
    }
    for (int32_t k : keys)
        RemoveOutLinksAtKey(k);
    for (CBaseDevice* obj : linked)
        obj->OnCommand(objcmd::Delete);
    RemoveAllInLinks();
    OnCommand(objcmd::Delete);
    return 1;
}
