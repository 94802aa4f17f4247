#include "paging/CRelais.h"

#include <algorithm>

#include "hardware/CLMZ.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "paging/CRelaisManager.h"
#include "paging/PagingIds.h"

QL_IMPLEMENT_SERIAL(CRelais, 2)

namespace {
// A pad on a relay stands for the relay's number.
const bool g_padNumbers = [] {
    CControlPad::SetRelayNumberFn([](const CBaseDevice* relay) -> int32_t {
        const auto* r = dynamic_cast<const CRelais*>(relay);
        return r ? static_cast<int32_t>(r->GetRelayNumber() & 0xFFFF) : relay->GetNumber();
    });
    return true;
}();

bool TakesFirstTableNumber(uint32_t kind)
{
    return kind == relaiskind::CollectiveCall || kind == relaiskind::Line || kind == relaiskind::Mandatory;
}

bool IsRelayKind(uint32_t kind)
{
    return TakesFirstTableNumber(kind) || kind == relaiskind::Second || kind == relaiskind::Control;
}

// The carrier number from which a new card of the family looks for a key.
int32_t FirstCarrierToTry(CQuillomerDoc* doc, bool firstFamily)
{
    if (!firstFamily)
        return 1;
    const CIDManager& dir = doc->GetIDManager();
    const int32_t highest = dir.GetMaxID(OT_LMZ763);
    if (highest <= 1)
        return 1;
    auto* card = dynamic_cast<CLMZ*>(dir.GetBaseDevice(highest - 1, OT_LMZ763));
    CLMZ* carrier = card ? card->GetCarrier() : nullptr;
    return carrier ? std::max(carrier->GetNumber(), 1) : 1;
}

// Hangs a new output card on the first carrier (from `from` up to 8) with a
// free key 0..11, creating missing carriers; the card stays unattached when
// every key is in use.
void HangOnCarrier(CQuillomerDoc* doc, CLMZ* card, int32_t from)
{
    CIDManager& dir = doc->GetIDManager();
    for (int32_t c = from; c <= CLMZ::kCarriers; ++c) {
        auto* carrier = dynamic_cast<CLMZ*>(dir.GetBaseDevice(c, OT_LMZ752));
        if (!carrier) {
            if (dir.GetBaseDevice(c, OT_LMZ752))
                continue;
            carrier = CLMZ::NewCard(doc, lmzkind::Carrier);
            if (!carrier)
                return;
        }
        for (int32_t k = CLMZ::kFirstOutputKey; k <= CLMZ::kLastOutputKey; ++k) {
            if (!carrier->GetOutLinkAtKey(k)) {
                carrier->LinkTo(k, card, 0);
                return;
            }
        }
    }
}
}  // namespace

CRelais* NewRelais(CQuillomerDoc* doc, uint32_t kind)
{
    auto* r = new CRelais;
    if (!r->Create(kind, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, CRelais::kBitmap, 0, doc)) {
        delete r;
        return nullptr;
    }
    if (doc)
        doc->AddObject(r, CAT_AUDIO);
    return r;
}

CRelais::CRelais()
{
    m_type = OT_RELAIS;
}

CRelais::~CRelais()
{
    ReleaseNumber();
}

void CRelais::ReleaseNumber()
{
    if (CRelaisManager* m = RelaisManagerOf(this)) {
        m->RemoveRelais(this);
        m->RemoveSRelais(this);
    }
}

void CRelais::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_relayNumber;
        return;
    }
    m_relayNumber = 0;
    if (m_loadedSchema >= 2)
        ar >> m_relayNumber;
}

int CRelais::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
                    int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
                    CQuillomerDoc* doc)
{
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left, top, right, bottom, category, bitmapId, style, doc))
        return 0;
    m_relayNumber = 0;
    if (CRelaisManager* m = RelaisManagerOf(this)) {
        if (TakesFirstTableNumber(kindId))
            m_relayNumber = static_cast<uint32_t>(m->ClaimFreeRelaisNumber(this));
        else if (kindId == relaiskind::Second)
            m_relayNumber = static_cast<uint32_t>(m->ClaimFreeSRelaisNumber(this));
    }
    return 1;
}

CBaseDevice* CRelais::GetCard() const
{
    const LinkRecord* rec = GetInLinkAtKey(0);
    if (!rec || !rec->HasPartner())
        return nullptr;
    const uint32_t t = rec->partner->GetType();
    return t == OT_LMZ763 || t == OT_LMZ764 ? rec->partner : nullptr;
}

bool CRelais::IsSecondFamily() const
{
    if (const CBaseDevice* card = GetCard())
        return card->GetType() == OT_LMZ764;
    return m_kindId == relaiskind::Second;
}

int CRelais::PostLoad()
{
    // The tables are not stored: a loaded relay claims its number again.
    CRelaisManager* m = RelaisManagerOf(this);
    const CBaseDevice* card = GetCard();
    if (m && card) {
        const int32_t n = static_cast<int32_t>(m_relayNumber & 0xFFFF);
        if (card->GetType() == OT_LMZ763)
            m->ClaimRelaisNumber(this, n);
        else
            m->ClaimSRelaisNumber(this, n);
    }
    return 1;
}

int CRelais::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Delete) {
        // A relay still in use stays.
        if (IsUsed())
            return 1;
        return CBaseDevice::OnCommand(commandId);
    }
    return CBaseDevice::OnCommand(commandId);
}

void CRelais::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Delete)
        cmdUI.Enable(!IsUsed());
    else
        CBaseDevice::OnUpdateCommand(cmdUI);
}

const std::string& CRelais::GetName() const
{
    const CBaseDevice* card = GetCard();
    if (!card)
        return m_name;
    m_displayName = StrFormat(card->GetType() == OT_LMZ763 ? "r%u " : "s%u ", m_relayNumber);
    if (m_kindId != relaiskind::Line && m_kindId != relaiskind::Second)
        m_displayName += LoadStringId(m_kindId);
    return m_displayName;
}

int CRelais::SetRelayNumber(uint32_t n)
{
    return MoveToNumber(n, !IsSecondFamily());
}

int CRelais::MoveToNumber(uint32_t n, bool firstFamily)
{
    CRelaisManager* m = RelaisManagerOf(this);
    const int32_t old = static_cast<int32_t>(m_relayNumber & 0xFFFF);
    if (m) {
        m->ReleaseRelaisNumber(this, old);
        m->ReleaseSRelaisNumber(this, old);
    }
    m_relayNumber = n;
    if (!m)
        return 0;
    return firstFamily ? m->ClaimRelaisNumber(this, static_cast<int32_t>(n))
                       : m->ClaimSRelaisNumber(this, static_cast<int32_t>(n));
}

int CRelais::PlaceOnCard(uint32_t kind, bool firstFamily)
{
    if (!IsRelayKind(kind))
        return 1;
    CQuillomerDoc* doc = m_pDocument;
    CRelaisManager* m = RelaisManagerOf(this);
    if (!doc || !m)
        return 0;
    const int32_t number = static_cast<int32_t>(m_relayNumber & 0xFFFF);
    if (number < 1) {
        // Without a number the relay has no place on a card.
        ShowMessage(LoadStringId(IDS_NO_FREE_RELAY), mb::Ok | mb::IconExclamation);
        return 0;
    }
    const uint32_t cardType = firstFamily ? OT_LMZ763 : OT_LMZ764;
    const uint32_t cardKind = firstFamily ? lmzkind::Out763 : lmzkind::Out764;
    // Card i carries relays 5i-4..5i; the directory holds only so many cards,
    // and a relay numbered beyond them keeps its number without a card.
    const int32_t own = (number - 1) / 5 + 1;
    const int32_t cards = std::min(own, static_cast<int32_t>(GetTypeCapacity(cardType)) - 1);
    CIDManager& dir = doc->GetIDManager();
    auto inTable = [&](int32_t p) { return firstFamily ? m->GetRelais(p) : m->GetSRelais(p); };

    for (int32_t i = 1; i <= cards; ++i) {
        CBaseDevice* existing = dir.GetBaseDevice(i, cardType);
        if (existing) {
            // The card is there: this relay takes its position when it is free.
            if (i == own && !GetCard() && !existing->GetOutLinkAtKey((number - 1) % 5))
                existing->LinkTo((number - 1) % 5, this, 0);
            continue;
        }
        CLMZ* card = CLMZ::NewCard(doc, cardKind);
        if (!card)
            return 0;
        for (int32_t p = (i - 1) * 5 + 1; p <= i * 5; ++p) {
            CRelais* r = nullptr;
            if (p == number) {
                r = this;
            } else if (CBaseDevice* holder = inTable(p)) {
                // A relay with this number but no card yet takes the position;
                // one that sits on another card leaves it empty.
                r = dynamic_cast<CRelais*>(holder);
                if (!r || r->GetCard())
                    continue;
            } else {
                r = NewRelais(doc, kind);
                if (!r)
                    continue;
                r->MoveToNumber(static_cast<uint32_t>(p), firstFamily);
            }
            card->LinkTo((p - 1) % 5, r, 0);
        }
        HangOnCarrier(doc, card, FirstCarrierToTry(doc, firstFamily));
    }
    return 1;
}

CRelais* FindOrCreateRelaisBank(CQuillomerDoc* doc, int32_t number, uint32_t kind, bool firstFamily)
{
    CRelaisManager* m = doc ? doc->GetRelaisManager() : nullptr;
    const int32_t limit = firstFamily ? CRelaisManager::kRelais : CRelaisManager::kSRelais;
    if (!m || number < 1 || number > limit)
        return nullptr;
    const int32_t base = (number - 1) / 5 * 5;
    for (int32_t p = base + 1; p <= base + 5; ++p) {
        CBaseDevice* held = firstFamily ? m->GetRelais(p) : m->GetSRelais(p);
        if (held) {
            held->SetKindId(kind);
            continue;
        }
        CRelais* relay = NewRelais(doc, kind);
        if (!relay)
            return nullptr;
        relay->MoveToNumber(static_cast<uint32_t>(p), firstFamily);
        relay->PlaceOnCard(kind, firstFamily);
    }
    return dynamic_cast<CRelais*>(firstFamily ? m->GetRelais(number) : m->GetSRelais(number));
}
