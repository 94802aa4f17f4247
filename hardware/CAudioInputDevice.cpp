#include "hardware/CAudioInputDevice.h"

#include <algorithm>

#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "hardware/HardwareIds.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioInputDevice, 2)

QL_STRING_TABLE({
    {hwtext::IDS_DEVICE_IN_USE,
     "Dieses Gerät kann momentan nicht gelöscht werden !\n\n"
     "Löschen Sie zuerst im 'Eigenschaften Dialog' dieses Geräts alle Objekte\n"
     "und wiederholen Sie danach den Löschvorgang !\n"},
    {32805, "Name"},
    {34244, "ID"},
    {33027, "Monitor"},
    {33064, "Message Recorder hinzufügen"},
    {33100, "FJX3392"},
    {33101, "FJX3397"},
    {34569, "<Netzbetrieb>"},
    {34570, "<Batteriebetr.>"},
    {34571, "<Anlage Standby>"},
});

namespace {

namespace ad = audiodevice;
using F = CAudioInputDevice::PowerPackField;

constexpr const char* kPrefix = "FJX ";
constexpr int32_t kMaxRight = 1933;   // right edge of the sheet area for devices
constexpr int kMonitorWindowKind = 6;

CAudioInputDevice::DialogFn& DialogHook()
{
    static CAudioInputDevice::DialogFn fn = nullptr;
    return fn;
}

CBaseDevice* Lookup(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    if (!doc || number == 0 || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

}  // namespace

CAudioInputDevice::DialogFn CAudioInputDevice::SetDialogFn(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

CAudioInputDevice::CAudioInputDevice()
{
    m_type = OT_AUDIO_INPUT_DEVICE;
    m_linkMode = linkmode::DrawInLinks;
    m_moveLock = 1;
}

bool CAudioInputDevice::IsPowerPack() const
{
    return m_kindId == ad::KindFJX3392 || m_kindId == ad::KindFJX3397;
}

// ==================================================================== file

void CAudioInputDevice::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (int32_t v : m_fields)
            ar << v;
        return;
    }
    std::fill(std::begin(m_fields), std::end(m_fields), 0);
    if (m_loadedSchema >= 2)
        for (int32_t& v : m_fields)
            ar >> v;
}

// ==================================================================== sheet

int CAudioInputDevice::Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name, int32_t left,
                              int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                              uint32_t style, CQuillomerDoc* doc)
{
    if (kindId == ad::KindMonitor)
        m_linkMode = linkmode::DrawOutLinks;
    const int32_t lock = m_moveLock;
    m_moveLock = 2;
    const int ok = CBaseDevice::Create(kindId, inputs, outputs, name.c_str(), left, top, right, bottom, category,
                                       bitmapId, style, doc);
    m_moveLock = lock;
    if (ok && kindId != ad::KindMonitor)
        AvoidOverlap();
    return ok;
}

void CAudioInputDevice::LayoutConnectionPoints()
{
    const CRect& b = m_bitmapRect;
    const int32_t y = b.top + (b.bottom - b.top) / 2 - 1;
    for (size_t i = 0; i < m_inputPoints.size(); ++i) {
        m_inputPoints[i] = CPoint(b.left, y);
        if (i < m_inputRoutes.size())
            m_inputRoutes[i].pt[0] = m_inputPoints[i];
    }
    for (size_t i = 0; i < m_outputPoints.size(); ++i) {
        m_outputPoints[i] = CPoint(b.right, y);
        if (i < m_outputRoutes.size())
            m_outputRoutes[i].pt[0] = m_outputPoints[i];
    }
}

void CAudioInputDevice::CalcBoundingRect()
{
    m_boundingRect = m_rect;
    if (m_linkMode & linkmode::DrawOutLinks) {
        for (const LinkRecord* r : m_outLinks) {
            if (r->ownKey != 0 || !r->HasPartner() || r->partnerKey < 0 ||
                static_cast<size_t>(r->partnerKey) >= r->partner->m_outputPoints.size())
                continue;
            m_boundingRect.left = std::min(m_boundingRect.left, r->partner->m_outputPoints[r->partnerKey].x);
        }
    }
    if (m_linkMode & linkmode::DrawInLinks) {
        for (const LinkRecord* r : m_inLinks) {
            if (r->ownKey != 0 || !r->HasPartner() || r->partnerKey < 0 ||
                static_cast<size_t>(r->partnerKey) >= r->partner->m_inputPoints.size())
                continue;
            const CPoint q = r->partner->m_inputPoints[r->partnerKey];
            m_boundingRect.right = std::max(m_boundingRect.right, q.x);
            m_boundingRect.top = std::min(m_boundingRect.top, q.y);
            m_boundingRect.bottom = std::max(m_boundingRect.bottom, q.y + 1);
        }
    }
    if (m_fixed) {
        m_boundingRect.left -= 7;
        m_boundingRect.right += 7;
    }
    // A long name may be written wider than the picture.
    m_boundingRect.UnionWith(m_labelRect);
}

void CAudioInputDevice::AvoidOverlap()
{
    if (!m_pDocument)
        return;
    const ObjectList& devices = m_pDocument->GetList(CAT_AUDIO_DEVICE);
    const ObjectList& consoles = m_pDocument->GetList(CAT_CONSOLE);
    auto meets = [&](const CRect& r) {
        for (const CBaseDevice* o : devices)
            if (o != this && r.Intersects(o->m_rect))
                return true;
        CRect wide = r;
        wide.InflateRect(5, 5);
        for (const CBaseDevice* o : consoles)
            if (o != this && wide.Intersects(o->m_rect))
                return true;
        return false;
    };
    constexpr int32_t kLimit = 4096;  // the sheet's width: no endless walk
    CRect r = m_rect;
    int32_t shift = 0;
    while (meets(r) && shift < kLimit) {
        r.OffsetRect(-10, 0);
        shift += 10;
    }
    if (shift != 0)
        MoveBy(-shift, 0, true);
    if (m_rect.left < 0)
        MoveBy(-m_rect.left, 0, true);
    if (m_rect.right > kMaxRight)
        MoveBy(kMaxRight - m_rect.right, 0, true);
}

// ==================================================================== commands

bool CAudioInputDevice::RefusesDeletion() const
{
    return m_kindId == ad::KindRecorder && !m_outLinks.empty();
}

void CAudioInputDevice::OpenProperties()
{
    if ((m_kindId == ad::KindRecorder || IsPowerPack()) && DialogHook())
        DialogHook()(this);
}

int CAudioInputDevice::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case objcmd::Delete:
        if (RefusesDeletion()) {
            ShowMessage(LoadStringId(hwtext::IDS_DEVICE_IN_USE), mb::Ok);
            return 1;
        }
        return CBaseDevice::OnCommand(commandId);  // `this` is gone
    case objcmd::Properties:
        OpenProperties();
        return 1;
    default:
        return CBaseDevice::OnCommand(commandId);
    }
}

void CAudioInputDevice::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Delete)
        cmdUI.Enable(!RefusesDeletion());
    else if (cmdUI.m_nID == objcmd::Properties)
        cmdUI.Enable(m_kindId == ad::KindRecorder || IsPowerPack());
    else
        CBaseDevice::OnUpdateCommand(cmdUI);
}

void CAudioInputDevice::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (m_kindId == ad::KindMonitor)
        GetAppHost().OpenFeatureWindow(m_pDocument, kMonitorWindowKind, true);
    else
        OpenProperties();
}

int CAudioInputDevice::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
    }
    return static_cast<int>(texts.size());
}

int CAudioInputDevice::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    return static_cast<int>(columns.size());
}

// ==================================================================== power pack

CBaseDevice* CAudioInputDevice::Find(int field, uint32_t type) const
{
    return Lookup(m_pDocument, m_fields[field], type);
}

CBaseDevice* CAudioInputDevice::FindMacro(int field) const
{
    return Find(field, OT_MACRO);
}

void CAudioInputDevice::ForgetObject(const CBaseDevice& going)
{
    const auto typeOf = [](int field) -> uint32_t {
        if (field <= F::MacroExtOff)
            return OT_MACRO;
        if (field <= F::TriggerExt)
            return OT_TRIGGER;
        return field == F::LogicOut ? OT_LOGIC_OUT : OT_CONDITION;
    };
    for (int field = 0; field < kFieldCount; ++field)
        if (m_fields[field] != 0 && m_fields[field] == going.GetNumber() && typeOf(field) == going.GetType()) {
            const ChangeGuard guard(*this);
            m_fields[field] = 0;
        }
}

void CAudioInputDevice::Remove(int field, uint32_t type)
{
    CBaseDevice* obj = Find(field, type);
    m_fields[field] = 0;
    if (obj && obj->GetName().find(kPrefix) != std::string::npos)
        obj->OnCommand(objcmd::Delete);
}

void CAudioInputDevice::NameWithPrefix(CBaseDevice* obj, const std::string& name)
{
    std::string full = kPrefix + name;
    obj->SetNameUnique(full, true);
}

CBaseDevice* CAudioInputDevice::NewMacro(uint32_t macroType, int32_t on, const std::string& name)
{
    if (!m_pDocument)
        return nullptr;
    auto* macro = new CMacro;
    if (!macro->Create(macroType, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9,
                       m_pDocument)) {
        delete macro;
        return nullptr;
    }
    m_pDocument->AddObject(macro, CAT_MACRO);
    macro->SetParam(3, on);
    std::string n = name;
    macro->SetNameUnique(n, true);
    return macro;
}

CBaseDevice* CAudioInputDevice::EnsureMacro(int field, uint32_t macroType, int32_t on, const std::string& name,
                                            bool* created)
{
    if (created)
        *created = false;
    if (CBaseDevice* existing = FindMacro(field))
        return existing;
    CBaseDevice* macro = NewMacro(macroType, on, name);
    if (!macro)
        return nullptr;  // the field keeps its value
    m_fields[field] = macro->GetNumber();
    if (created)
        *created = true;
    return macro;
}

CBaseDevice* CAudioInputDevice::NewLogicObject(const char* className, uint32_t kindId)
{
    if (!m_pDocument)
        return nullptr;
    CBaseDevice* obj = nullptr;
    if (std::string(className) == "CCondition")
        obj = new CCondition;
    else if (std::string(className) == "CTrigger")
        obj = new CTrigger;
    else
        obj = new CLogicOut;
    if (!obj->Create(kindId, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, m_pDocument)) {
        delete obj;
        return nullptr;
    }
    m_pDocument->AddObject(obj, CAT_DIGITAL_IO);
    return obj;
}

CBaseDevice* CAudioInputDevice::ContactCondition(CBaseDevice* pad, int32_t state)
{
    auto* contact = dynamic_cast<CControlPad*>(pad);
    if (!contact)
        return nullptr;
    if (CBaseDevice* found = contact->FindLinkedByState(state))
        return found;
    auto* cond = dynamic_cast<CCondition*>(NewLogicObject("CCondition", contact->GetKindId()));
    if (!cond)
        return nullptr;
    cond->SetValue(condkey::Object, contact->GetNumber());
    cond->SetValue(condkey::Level, state);
    NameWithPrefix(cond, cond->GetName());
    return cond;
}

CBaseDevice* CAudioInputDevice::EnsureTrigger(int field)
{
    if (CBaseDevice* existing = Find(field, OT_TRIGGER))
        return existing;
    CBaseDevice* trigger = NewLogicObject("CTrigger", CTrigger::kKindId);
    if (!trigger)
        return nullptr;
    NameWithPrefix(trigger, trigger->GetName());
    m_fields[field] = trigger->GetNumber();
    return trigger;
}

void CAudioInputDevice::SetMacroParam(int field, int param, int32_t value)
{
    const ChangeGuard guard(*this);
    if (auto* macro = dynamic_cast<CMacro*>(FindMacro(field)))
        macro->SetParam(param, value);
}

void CAudioInputDevice::ItemMain(int32_t contact)
{
    if (contact == 0) {
        Remove(F::CondContactOn, OT_CONDITION);
        Remove(F::CondContactOff, OT_CONDITION);
        Remove(F::CondSupplyOn, OT_CONDITION);
        Remove(F::CondSupplyOff, OT_CONDITION);
        Remove(F::MacroMainsOn, OT_MACRO);
        Remove(F::MacroAmpOff, OT_MACRO);
        Remove(F::MacroOn, OT_MACRO);
        Remove(F::MacroOff, OT_MACRO);
        Remove(F::TriggerContact, OT_TRIGGER);
        Remove(F::TriggerSupply, OT_TRIGGER);
        return;
    }
    CBaseDevice* pad = Lookup(m_pDocument, contact, OT_CONTROL_PAD);
    if (!pad)
        return;

    // 1./2. The pack's contact in state ON and OFF.
    for (auto [field, state] : {std::pair{F::CondContactOn, 1}, std::pair{F::CondContactOff, 0}}) {
        if (CBaseDevice* cond = ContactCondition(pad, state)) {
            if (m_fields[field] != 0 && m_fields[field] != cond->GetNumber())
                Remove(field, OT_CONDITION);
            m_fields[field] = cond->GetNumber();
        }
    }

    // 3. The supply-voltage conditions: the last of each level, else new ones.
    DeviceList supply;
    m_pDocument->GetIDManager().GetBaseDeviceListByKind(supply, OT_CONDITION, condkind::Power);
    CBaseDevice* found[2] = {nullptr, nullptr};  // [0] OFF, [1] ON
    for (CBaseDevice* c : supply)
        if (const auto* cond = dynamic_cast<const CCondition*>(c))
            found[cond->m_level != 0 ? 1 : 0] = c;
    for (auto [field, state] : {std::pair{F::CondSupplyOn, 1}, std::pair{F::CondSupplyOff, 0}}) {
        CBaseDevice* cond = found[state];
        if (!cond) {
            cond = NewLogicObject("CCondition", condkind::Power);
            if (cond) {
                static_cast<CCondition*>(cond)->SetValue(condkey::Level, state);
                NameWithPrefix(cond, cond->GetName() + (state ? " ON" : " OFF"));
            }
        }
        if (cond)
            m_fields[field] = cond->GetNumber();
    }

    // 4.-7. The supply and sequence macros.
    bool created = false;
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroMainsOn, macrotype::Amp, 1, "FJX Remote Amp. Mains ON",
                                                    &created));
        m && created) {
        m->SetParamText(61, "MAINS,PLTGEN");
        m->SetParamText(62, "BATT");
        m->SetParamText(60, "ALL");
    }
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroAmpOff, macrotype::Amp, 0, "FJX Remote Amp. OFF",
                                                    &created));
        m && created) {
        m->SetParamText(62, "MAINS,PLTGEN,BATT");
        m->SetParamText(60, "ALL");
    }
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroOn, macrotype::Sequence, 1, "FJX On", nullptr))) {
        m->SetParam(51, m_fields[F::CondContactOn]);
        m->SetParam(41, m_fields[F::MacroMainsOn]);
    }
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroOff, macrotype::Sequence, 0, "FJX Off", nullptr))) {
        m->SetParam(51, m_fields[F::CondSupplyOff]);
        m->SetParam(41, m_fields[F::MacroAmpOff]);
        m->SetParam(53, m_fields[F::CondSupplyOn]);
        m->SetParam(43, m_fields[F::MacroOn]);
    }

    // 8./9. The triggers that run the off sequence.
    for (auto [field, cond] : {std::pair{F::TriggerContact, F::CondContactOn}, std::pair{F::TriggerSupply, F::CondSupplyOn}}) {
        if (auto* t = dynamic_cast<CTrigger*>(EnsureTrigger(field))) {
            t->SetValue(triggerkey::Condition, m_fields[cond]);
            t->SetValue(triggerkey::OnMacro, m_fields[F::MacroOff]);
            t->SetValue(triggerkey::OffMacro, m_fields[F::MacroOff]);
        }
    }
}

void CAudioInputDevice::ItemBattery(int32_t value)
{
    if (value != 0) {
        bool created = false;
        if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroBattOn, macrotype::Amp, 1, "FJX Remote Amp. Batt. ON",
                                                        &created));
            m && created) {
            m->SetParamText(61, "BATT,PLTGEN");
            m->SetParamText(62, "MAINS");
            m->SetParamText(60, "ALL");
        }
    } else {
        Remove(F::MacroBattOn, OT_MACRO);
    }
    SetMacroParam(F::MacroOn, 44, m_fields[F::MacroBattOn]);
    SetMacroParam(F::MacroOn, 54, FindMacro(F::MacroBattOn) ? m_fields[F::CondContactOff] : 0);
}

void CAudioInputDevice::ItemLogicOut(int32_t contact)
{
    if (contact == 0) {
        Remove(F::LogicOut, OT_LOGIC_OUT);
        return;
    }
    CBaseDevice* obj = Find(F::LogicOut, OT_LOGIC_OUT);
    if (!obj) {
        obj = NewLogicObject("CLogicOut", CLogicOut::kKindId);
        if (obj) {
            NameWithPrefix(obj, obj->GetName());
            m_fields[F::LogicOut] = obj->GetNumber();
        }
    }
    if (auto* lo = dynamic_cast<CLogicOut*>(obj)) {
        lo->SetValue(logicoutkey::Contact, contact);
        lo->SetValue(logicoutkey::Condition, m_fields[F::CondSupplyOn]);
    }
}

void CAudioInputDevice::ItemExternal(int32_t contact)
{
    if (contact == 0) {
        const int32_t ext = m_fields[F::CondExtOn];
        if (ext != m_fields[F::CondContactOn] && ext != m_fields[F::CondContactOff])
            Remove(F::CondExtOn, OT_CONDITION);
        else
            m_fields[F::CondExtOn] = 0;  // shared with the main set, which keeps it
        Remove(F::MacroExtOn, OT_MACRO);
        Remove(F::MacroExtOff, OT_MACRO);
        Remove(F::TriggerExt, OT_TRIGGER);
        return;
    }
    CBaseDevice* pad = Lookup(m_pDocument, contact, OT_CONTROL_PAD);
    if (!pad)
        return;
    if (CBaseDevice* cond = ContactCondition(pad, 1))
        m_fields[F::CondExtOn] = cond->GetNumber();
    bool created = false;
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroExtOn, macrotype::Power, 1, "FJX Ext. Signal ON",
                                                    &created));
        m && created)
        m->SetParam(1, 50);
    if (auto* m = dynamic_cast<CMacro*>(EnsureMacro(F::MacroExtOff, macrotype::Power, 0, "FJX Ext. Signal OFF",
                                                    &created));
        m && created)
        m->SetParam(1, 50);
    if (auto* t = dynamic_cast<CTrigger*>(EnsureTrigger(F::TriggerExt))) {
        t->SetValue(triggerkey::Condition, m_fields[F::CondExtOn]);
        t->SetValue(triggerkey::OnMacro, m_fields[F::MacroExtOn]);
        t->SetValue(triggerkey::OffMacro, m_fields[F::MacroExtOff]);
    }
}

void CAudioInputDevice::ItemLcd(int n, int32_t value)
{
    const int field = F::LcdMains + (n - 3);
    if (value != 0)
        EnsureMacro(field, macrotype::LcdText, 1, "FJX LCDText " + LoadStringId(34569 + (n - 3)), nullptr);
    else
        Remove(field, OT_MACRO);
    switch (n) {
    case 3:
        SetMacroParam(F::MacroOn, 42, m_fields[F::LcdMains]);
        SetMacroParam(F::MacroOn, 52, m_fields[F::CondContactOn]);
        break;
    case 4:
        SetMacroParam(F::MacroOn, 43, m_fields[F::LcdBatt]);
        SetMacroParam(F::MacroOn, 53, FindMacro(F::LcdBatt) ? m_fields[F::CondContactOff] : 0);
        break;
    default:
        SetMacroParam(F::MacroOff, 42, m_fields[F::LcdStandby]);
        SetMacroParam(F::MacroOff, 52, m_fields[F::CondSupplyOff]);
        break;
    }
}

void CAudioInputDevice::CreateDefaultObjects(int n, int32_t value)
{
    if (!m_pDocument)
        return;
    const ChangeGuard guard(*this);
    switch (n) {
    case 0: ItemMain(value); break;
    case 1: ItemLogicOut(value); break;
    case 2: ItemExternal(value); break;
    case 3:
    case 4:
    case 5: ItemLcd(n, value); break;
    case 9:
    case 10:
    case 11: SetMacroParam(F::LcdMains + (n - 9), 38, value); break;
    case 12: ItemBattery(value); break;
    default: break;
    }
}

CAudioInputDevice::ObjectCount CAudioInputDevice::CountDefaultObjects(int n, int32_t value, uint32_t type) const
{
    ObjectCount count;
    if (!m_pDocument)
        return count;
    // A field whose object would be made when missing, or taken away (only
    // what still carries the prefix goes, as Remove does).
    const auto need = [&](int field, uint32_t fieldType) {
        if (fieldType == type && !Find(field, fieldType))
            ++count.made;
    };
    const auto drop = [&](int field, uint32_t fieldType) {
        const CBaseDevice* obj = fieldType == type ? Find(field, fieldType) : nullptr;
        if (obj && obj->GetName().find(kPrefix) != std::string::npos)
            ++count.removed;
    };
    const auto contactCondition = [&](int32_t contact, int32_t state) {
        const auto* pad = dynamic_cast<const CControlPad*>(Lookup(m_pDocument, contact, OT_CONTROL_PAD));
        if (type == OT_CONDITION && pad && !pad->FindLinkedByState(state))
            ++count.made;
    };
    switch (n) {
    case 0:
        if (value == 0) {
            for (int field : {F::CondContactOn, F::CondContactOff, F::CondSupplyOn, F::CondSupplyOff})
                drop(field, OT_CONDITION);
            for (int field : {F::MacroMainsOn, F::MacroAmpOff, F::MacroOn, F::MacroOff})
                drop(field, OT_MACRO);
            for (int field : {F::TriggerContact, F::TriggerSupply})
                drop(field, OT_TRIGGER);
            break;
        }
        if (!Lookup(m_pDocument, value, OT_CONTROL_PAD))
            break;
        contactCondition(value, 1);
        contactCondition(value, 0);
        if (type == OT_CONDITION) {
            DeviceList supply;
            m_pDocument->GetIDManager().GetBaseDeviceListByKind(supply, OT_CONDITION, condkind::Power);
            bool found[2] = {false, false};
            for (const CBaseDevice* c : supply)
                if (const auto* cond = dynamic_cast<const CCondition*>(c))
                    found[cond->m_level != 0 ? 1 : 0] = true;
            count.made += (found[0] ? 0 : 1) + (found[1] ? 0 : 1);
        }
        for (int field : {F::MacroMainsOn, F::MacroAmpOff, F::MacroOn, F::MacroOff})
            need(field, OT_MACRO);
        for (int field : {F::TriggerContact, F::TriggerSupply})
            need(field, OT_TRIGGER);
        break;
    case 1:
        value == 0 ? drop(F::LogicOut, OT_LOGIC_OUT) : need(F::LogicOut, OT_LOGIC_OUT);
        break;
    case 2:
        if (value == 0) {
            const int32_t ext = m_fields[F::CondExtOn];
            if (ext != m_fields[F::CondContactOn] && ext != m_fields[F::CondContactOff])
                drop(F::CondExtOn, OT_CONDITION);
            for (int field : {F::MacroExtOn, F::MacroExtOff})
                drop(field, OT_MACRO);
            drop(F::TriggerExt, OT_TRIGGER);
            break;
        }
        if (!Lookup(m_pDocument, value, OT_CONTROL_PAD))
            break;
        contactCondition(value, 1);
        for (int field : {F::MacroExtOn, F::MacroExtOff})
            need(field, OT_MACRO);
        need(F::TriggerExt, OT_TRIGGER);
        break;
    case 3:
    case 4:
    case 5:
        value == 0 ? drop(F::LcdMains + (n - 3), OT_MACRO) : need(F::LcdMains + (n - 3), OT_MACRO);
        break;
    case 12:
        value == 0 ? drop(F::MacroBattOn, OT_MACRO) : need(F::MacroBattOn, OT_MACRO);
        break;
    default:
        break;
    }
    return count;
}

int32_t CAudioInputDevice::GetItem(int n) const
{
    switch (n) {
    case 0: {
        const auto* c = dynamic_cast<const CCondition*>(Find(F::CondContactOn, OT_CONDITION));
        return c ? c->GetValue(condkey::Object) : 0;
    }
    case 1: {
        const auto* lo = dynamic_cast<const CLogicOut*>(Find(F::LogicOut, OT_LOGIC_OUT));
        return lo ? lo->GetValue(logicoutkey::Function) : 0;
    }
    case 2: {
        const auto* c = dynamic_cast<const CCondition*>(Find(F::CondExtOn, OT_CONDITION));
        return c ? c->GetValue(condkey::Object) : 0;
    }
    case 3:
    case 4:
    case 5: return m_fields[F::LcdMains + (n - 3)];
    case 9:
    case 10:
    case 11: {
        const auto* m = dynamic_cast<const CMacro*>(FindMacro(F::LcdMains + (n - 9)));
        return m ? m->GetParam(38) : 0;
    }
    case 13: return m_fields[F::CondContactOn];
    default: return 0;
    }
}

std::string CAudioInputDevice::GetMacroText(int n) const
{
    if (n < 6 || n > 8)
        return {};
    const auto* m = dynamic_cast<const CMacro*>(FindMacro(F::LcdMains + (n - 6)));
    return m ? m->GetParamText(13) : std::string();
}

void CAudioInputDevice::SetMacroText(int n, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (n < 6 || n > 8)
        return;
    auto* m = dynamic_cast<CMacro*>(FindMacro(F::LcdMains + (n - 6)));
    if (!m)
        return;
    m->SetParamText(13, text);
    m->SetParam(20, 2);
    m->SetParam(39, n == 8 ? 0 : 5);
}
