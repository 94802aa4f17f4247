#include "model/CControlPad.h"

#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CControlPad, 6)

namespace {
constexpr uint32_t kPadBitmap = 455;
constexpr int32_t kWindowKindConditions = 12;

ConditionTextFn& ConditionTextHook()
{
    static ConditionTextFn fn = nullptr;
    return fn;
}

CControlPad::RelayNumberFn& RelayNumberHook()
{
    static CControlPad::RelayNumberFn fn = nullptr;
    return fn;
}

bool OneOf(uint32_t v, std::initializer_list<uint32_t> list)
{
    for (uint32_t x : list)
        if (x == v)
            return true;
    return false;
}
}  // namespace

ConditionTextFn SetConditionTextFn(ConditionTextFn fn)
{
    ConditionTextFn old = ConditionTextHook();
    ConditionTextHook() = fn;
    return old;
}

std::string GetConditionText(const CBaseDevice* condition)
{
    if (!condition)
        return {};
    return ConditionTextHook() ? ConditionTextHook()(condition) : std::string();
}

CControlPad::RelayNumberFn CControlPad::SetRelayNumberFn(RelayNumberFn fn)
{
    RelayNumberFn old = RelayNumberHook();
    RelayNumberHook() = fn;
    return old;
}

CControlPad::CControlPad()
{
    m_type = OT_CONTROL_PAD;
}

bool CControlPad::IsOutputKind(uint32_t kindId)
{
    return kindId == padkind::SlotOut || kindId == padkind::Ready || kindId == padkind::SlaveClocks;
}

std::string CControlPad::KindText(uint32_t kindId)
{
    return LoadStringId(kindId);
}

int CControlPad::Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name, int32_t left,
                        int32_t top, int32_t, int32_t, int32_t category, uint32_t bitmapId, uint32_t style,
                        CQuillomerDoc* doc)
{
    const int32_t x = left, y = top;
    int result;
    if (IsOutputKind(kindId)) {
        m_linkMode = linkmode::DrawOutLinks;
        result = CBaseDevice::Create(kindId, inputs, outputs, name.c_str(), x, y, x + 120, y + 16, category,
                                     bitmapId, style, doc);
    } else {
        m_linkMode = linkmode::DrawInLinks;
        result = CBaseDevice::Create(kindId, inputs, outputs, name.c_str(), x - 140, y, x - 20, y + 16, category,
                                     bitmapId, style, doc);
    }
    if (result)
        ApplyLayoutFix();
    return result;
}

void CControlPad::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsLoading()) {
        if (m_kindId == padkind::OldInput)
            m_kindId = padkind::SlotIn;
        else if (m_kindId == padkind::OldOutput)
            m_kindId = padkind::SlotOut;
    }
}

void CControlPad::ShrinkTo17()
{
    m_rect.bottom -= 2;
    m_bitmapRect.bottom -= 2;
    m_labelRect.bottom -= 2;
    LayoutConnectionPoints();
}

void CControlPad::ApplyLayoutFix()
{
    if (m_bitmapId == 0) {
        if (m_kindId == padkind::SlotIn || m_kindId == padkind::InterfaceIn) {
            SizeToBitmap(kPadBitmap, 2);
            if (m_bitmapId != 0)
                m_rect.left -= 3;
        } else if (m_kindId == padkind::SlotOut) {
            SizeToBitmap(kPadBitmap, 3);
            if (m_bitmapId != 0)
                m_rect.right += 3;
        } else if (m_kindId == padkind::SlaveClocks && m_rect.Height() == 19) {
            ShrinkTo17();
        }
    } else {
        if (m_kindId == padkind::SlaveClocks)
            m_bitmapId = 0;
        if (OneOf(m_kindId, {padkind::SlotIn, padkind::SlotOut, padkind::InterfaceIn, padkind::SlaveClocks}) &&
            m_rect.Height() == 19)
            ShrinkTo17();
    }
    CalcBoundingRect();
}

int CControlPad::PostLoad()
{
    const uint32_t schema = m_loadedSchema;
    const LinkRecord* in0 = GetInLinkAtKey(0);
    const LinkRecord* out0 = GetOutLinkAtKey(0);
    auto partnerType = [](const LinkRecord* r) { return r && r->HasPartner() ? r->partner->GetType() : 0u; };

    if (schema < 2) {
        if (m_kindId == padkind::SlotIn && partnerType(in0) == OT_INTERFACE_SLOT && in0->partnerKey == 1) {
            m_kindId = padkind::DcfReceiver;
        } else if (m_kindId == padkind::SlotOut && out0 && out0->partnerKey == 0) {
            if (partnerType(out0) == OT_INTERFACE_SLOT) {
                m_kindId = padkind::Ready;
                return 1;
            }
            if (partnerType(out0) == OT_DIGITAL_SLOT)
                m_kindId = padkind::SlaveClocks;
        }
    }
    if (schema < 3 && m_kindId == padkind::LMZ771)
        m_linkMode = 0;
    if (schema < 4) {
        if (m_kindId == padkind::SlotOut || m_kindId == padkind::SlaveClocks)
            OffsetBy(0, 20);
        else if (m_kindId == padkind::SlotIn && !(in0 && in0->HasPartner() && in0->partner->GetName() == "Interface"))
            OffsetBy(0, 20);
    }
    if (schema < 5 && m_kindId == padkind::LMZ775) {
        const LinkRecord* card = partnerType(in0) == OT_LMZ775 ? in0 : partnerType(out0) == OT_LMZ775 ? out0 : nullptr;
        if (card)
            m_kindId = card->partnerKey < 100 ? padkind::LMZ775In : padkind::LMZ775Out;
    }
    if (schema < 6 && m_kindId == padkind::SlotIn && partnerType(in0) == OT_INTERFACE_SLOT &&
        (in0->partnerKey == 2 || in0->partnerKey == 3))
        m_kindId = padkind::InterfaceIn;
    if (OneOf(m_kindId, {padkind::LMZ775, padkind::LMZ763, padkind::LMZ764, padkind::LMZ775In, padkind::LMZ775Out}))
        m_linkMode = 0;
    ApplyLayoutFix();
    return 1;
}

void CControlPad::LayoutConnectionPoints()
{
    const int32_t mid = m_rect.top + m_rect.Height() / 2;
    if (IsOutputKind(m_kindId)) {
        if (!m_inputPoints.empty()) {
            m_inputPoints[0] = CPoint(m_rect.left, mid);
            if (!m_inputRoutes.empty())
                m_inputRoutes[0].pt[0] = m_inputPoints[0];
        }
    } else if (OneOf(m_kindId, {padkind::SlotIn, padkind::InterfaceIn, padkind::DcfReceiver})) {
        if (!m_outputPoints.empty()) {
            m_outputPoints[0] = CPoint(m_rect.right, mid);
            if (!m_outputRoutes.empty())
                m_outputRoutes[0].pt[0] = m_outputPoints[0];
        }
    }
}

int CControlPad::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Delete)
        return CBaseDevice::OnCommand(commandId);
    if (commandId == objcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    return 0;
}

void CControlPad::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Delete)
        cmdUI.Enable(IsDeletable());
    else if (cmdUI.m_nID == objcmd::Properties)
        cmdUI.Enable(OneOf(m_kindId, {padkind::SlotIn, padkind::SlotOut, padkind::InterfaceIn}));
}

bool CControlPad::IsDeletable() const
{
    // Nothing may depend on the pad: whatever drives an output, whatever an
    // input feeds.
    return IsOutputKind(m_kindId) ? m_inLinks.empty() : m_outLinks.empty();
}

void CControlPad::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags)
{
    // A watched contact stays: the key must not take what the menu refuses.
    if (key == vk::Delete && !IsDeletable())
        return;
    CBaseDevice::OnKeyDown(key, repeat, flags);
}

void CControlPad::OnOpen(uint32_t, uint32_t, uint32_t)
{
    GetAppHost().OpenFeatureWindow(m_pDocument, kWindowKindConditions, true);
}

void CControlPad::SetName(std::string name)
{
    CBaseDevice::SetName(std::move(name));
}

int CControlPad::SetNameUnique(std::string& name, bool ask)
{
    const int result = CBaseDevice::SetNameUnique(name, ask);
    if (name.empty())
        return result;
    if (const LinkRecord* r = GetInLinkAtKey(1); r && r->HasPartner() && r->partner->GetType() == OT_CONDITION)
        r->partner->SetName(GetConditionText(r->partner) + " " + m_name);
    return result;
}

int32_t CControlPad::GetSignalIndex() const
{
    const LinkRecord* in0 = GetInLinkAtKey(0);
    const LinkRecord* out0 = GetOutLinkAtKey(0);
    const bool hasIn = in0 && in0->HasPartner();
    const bool hasOut = out0 && out0->HasPartner();
    switch (m_kindId) {
    case padkind::LMZ763:
    case padkind::LMZ764:
        if (hasIn && in0->partner->GetType() == OT_RELAIS)
            return RelayNumberHook() ? RelayNumberHook()(in0->partner) : in0->partner->GetNumber();
        return 0;
    case padkind::LMZ771: return hasIn ? in0->partnerKey + 12 * in0->partner->GetNumber() - 11 : 0;
    case padkind::LMZ775In: return hasIn ? in0->partnerKey + 8 * in0->partner->GetNumber() - 7 : 0;
    case padkind::LMZ775Out: return hasOut ? out0->partnerKey - 99 : 0;
    case padkind::SlotIn: return hasIn ? in0->partnerKey + 1 : 0;
    case padkind::SlotOut: return hasOut ? out0->partnerKey + 1 : 0;
    case padkind::InterfaceIn: return hasIn ? in0->partnerKey - 1 : 0;
    default: return 0;
    }
}

std::string CControlPad::GetKeyword() const
{
    switch (m_kindId) {
    case padkind::LMZ763: return "LMZ763";
    case padkind::LMZ764: return "LMZ764";
    case padkind::LMZ771: return "LMZ771";
    case padkind::SlotIn: return "SLOT5_IN";
    case padkind::SlotOut: return "SLOT5_OUT";
    case padkind::InterfaceIn: return "INP";
    case padkind::Ready: return "READY";
    case padkind::Fault: return "FAULT";
    case padkind::AnyFaultInp: return "ANY_FAULTINP";
    case padkind::AllReadyInp: return "ALL_READYINP";
    case padkind::Power: return "POWER";
    case padkind::Pilot: return "PILOT";
    case padkind::AnalogVcc: return "ANALOG_VCC";
    case padkind::Volts24Sig: return "24VOLTS";
    default: return {};
    }
}

bool CControlPad::MatchesKeyword(const std::string& text, int32_t index) const
{
    if (!OneOf(m_kindId, {padkind::LMZ763, padkind::LMZ764, padkind::LMZ775In, padkind::Ready, padkind::Fault,
                          padkind::AnyFaultInp, padkind::AllReadyInp, padkind::Power, padkind::Pilot,
                          padkind::AnalogVcc, padkind::LMZ771, padkind::SlotIn, padkind::SlotOut,
                          padkind::InterfaceIn, padkind::Volts24Sig}))
        return false;
    return text == GetKeyword() && index == GetSignalIndex();
}

CBaseDevice* CControlPad::FindLinkedByState(int32_t state) const
{
    if (state != 0 && state != 1)
        return nullptr;
    const char* wanted = state == 1 ? "ON" : "OFF";
    for (const LinkRecord* r : m_inLinks)
        if (r->ownKey == 1 && r->HasPartner() && GetConditionText(r->partner) == wanted)
            return r->partner;
    return nullptr;
}
