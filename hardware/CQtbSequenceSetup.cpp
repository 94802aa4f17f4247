#include "hardware/CQtbSequenceSetup.h"

#include <set>

#include "audio/CAlarmSignal.h"
#include "audio/CAudioSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CMessageSignal.h"
#include "audio/CQTBSequence.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

namespace {

// Link keys of a sequence.
constexpr int32_t kSeqRunningTrigger = 0;  // outgoing
constexpr int32_t kSeqExternalTrigger = 1; // outgoing
constexpr int32_t kSeqRunningContact = 2;  // outgoing
constexpr int32_t kSeqLcdTrigger = 3;      // outgoing
constexpr int32_t kSeqStartStop = 1;       // incoming, from the contact
constexpr int32_t kSeqSignal = 2;          // incoming, from the signal
// Link keys of the message device.
constexpr int32_t kDevFaultContact = -1;
constexpr int32_t kDevFaultReady = -2;
constexpr int32_t kReadyPartnerKey = 257;
// Link keys of a trigger.
constexpr int32_t kTrigOn = 0;
constexpr int32_t kTrigOff = 1;
constexpr int32_t kTrigCondition = 2;
// Macro parameters.
constexpr int kParamPriority = 1;
constexpr int kParamText = 13;
constexpr int kParamLine = 20;
constexpr int kParamPartner = 31;
constexpr int kParamDisplayTime = 39;
constexpr int kParamZoneText = 63;

constexpr uint32_t kMacroLogicOut = 34254;  // "Logikausgang"
constexpr uint32_t kMacroAlarm = 34253;
constexpr uint32_t kMacroChime = 34252;
constexpr uint32_t kMacroMessage = 34259;
constexpr uint32_t kMacroLcd = 34257;  // "Textausgabe auf LCD"

CBaseDevice* OutPartner(const CBaseDevice* obj, int32_t key)
{
    const LinkRecord* r = obj ? obj->GetOutLinkAtKey(key) : nullptr;
    return r && r->HasPartner() ? r->partner : nullptr;
}

CBaseDevice* InPartner(const CBaseDevice* obj, int32_t key)
{
    const LinkRecord* r = obj ? obj->GetInLinkAtKey(key) : nullptr;
    return r && r->HasPartner() ? r->partner : nullptr;
}

bool Error(const char* text)
{
    ShowMessage(text, mb::Ok);
    return false;
}

}  // namespace

// ==================================================================== helpers

CBaseDevice* CQtbSequenceSetup::SignalOf(const CBaseDevice* sequence)
{
    return InPartner(sequence, kSeqSignal);
}

std::string CQtbSequenceSetup::RowText(const CBaseDevice* sequence)
{
    const CBaseDevice* signal = SignalOf(sequence);
    return signal ? signal->GetName() : std::string();
}

CBaseDevice* CQtbSequenceSetup::Macro(int32_t number) const
{
    if (!m_doc || number == 0 || !m_doc->GetIDManager().IsValidID(number, OT_MACRO))
        return nullptr;
    return m_doc->GetIDManager().GetBaseDevice(number, OT_MACRO);
}

void CQtbSequenceSetup::Delete(CBaseDevice* obj)
{
    if (obj)
        obj->OnCommand(objcmd::Delete);
}

std::string CQtbSequenceSetup::FetchSignalName(CBaseDevice* sequence, int32_t priority)
{
    auto* signal = dynamic_cast<CAudioSignal*>(SignalOf(sequence));
    if (!signal)
        return sequence->GetName();
    signal->SetValue(signalkey::Priority, StrFormat("%d", priority));
    return signal->GetName();
}

CBaseDevice* CQtbSequenceSetup::NewTrigger()
{
    auto* trigger = new CTrigger;
    if (!trigger->Create(33085, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, m_doc)) {
        delete trigger;
        return nullptr;
    }
    m_doc->AddObject(trigger, CAT_DIGITAL_IO);
    return trigger;
}

bool CQtbSequenceSetup::MakePair(uint32_t kind, const std::string& base, const char* first, const char* second,
                                 CBaseDevice** a, CBaseDevice** b)
{
    *a = nullptr;
    *b = reinterpret_cast<CBaseDevice*>(1);  // a second macro is wanted
    if (CQuillomerDoc::CreateSequenceMacro(m_doc, kind, base, first, second, a, b) && *a &&
        *b != reinterpret_cast<CBaseDevice*>(1) && *b)
        return true;
    // Half a pair would be found by nothing: it goes again.
    Delete(*a);
    *a = *b = nullptr;
    return false;
}

// ==================================================================== removal

void CQtbSequenceSetup::RemoveStartStop(CBaseDevice* sequence)
{
    const LinkRecord* link = sequence->GetInLinkAtKey(kSeqStartStop);
    if (!link)
        return;
    sequence->UnlinkIn(*link);
    CBaseDevice* signal = SignalOf(sequence);
    if (!signal)
        return;
    int32_t numbers[2] = {};
    for (int32_t key : {0, 1})
        if (const LinkRecord* r = signal->GetOutLinkAtKey(key); r && r->HasPartner() && r->partnerCategory == CAT_MACRO)
            numbers[key] = r->partner->GetNumber();
    for (int32_t n : numbers)
        Delete(Macro(n));
}

void CQtbSequenceSetup::RemoveTrigger(CBaseDevice* sequence, CBaseDevice* trigger)
{
    if (!trigger)
        return;
    if (const LinkRecord* r = sequence->GetOutLinkTo(trigger))
        sequence->UnlinkOut(*r);
    CBaseDevice* on = OutPartner(trigger, kTrigOn);
    // The partner's number must be read first: deleting a macro clears it.
    auto* onMacro = dynamic_cast<CMacro*>(on);
    const int32_t partner = onMacro ? onMacro->GetParam(kParamPartner) : 0;
    Delete(on);
    Delete(Macro(partner));
    if (CBaseDevice* cond = OutPartner(trigger, kTrigCondition)) {
        cond->RemoveInLinksFrom(trigger);
        trigger->RemoveOutLinksTo(cond);
        if (cond->m_inLinks.empty())
            Delete(cond);
    }
    trigger->RemoveAllInLinks();
    Delete(trigger);
}

void CQtbSequenceSetup::RemoveRunning(CBaseDevice* sequence)
{
    const LinkRecord* contact = sequence->GetOutLinkAtKey(kSeqRunningContact);
    if (!contact)
        return;
    sequence->UnlinkOut(*contact);
    RemoveTrigger(sequence, OutPartner(sequence, kSeqRunningTrigger));
}

void CQtbSequenceSetup::RemoveLcd(CBaseDevice* sequence)
{
    RemoveTrigger(sequence, OutPartner(sequence, kSeqLcdTrigger));
}

void CQtbSequenceSetup::RemoveExternalStart(CBaseDevice* sequence, const QtbChoice& condition)
{
    CBaseDevice* trigger = OutPartner(sequence, kSeqExternalTrigger);
    if (!trigger)
        return;
    if (CBaseDevice* cond = OutPartner(trigger, kTrigCondition)) {
        cond->RemoveInLinksFrom(trigger);
        trigger->RemoveOutLinksTo(cond);
        if (cond->m_inLinks.empty() && condition.has && condition.object != cond)
            Delete(cond);
    }
    if (CBaseDevice* audio = OutPartner(trigger, kTrigOn)) {
        audio->RemoveOutLinksToType(OT_ZONE);
        audio->RemoveOutLinksToType(OT_GROUP);
    }
    trigger->RemoveOutLinksToType(OT_MACRO);
    trigger->RemoveAllInLinks();
    Delete(trigger);
}

// ==================================================================== apply

bool CQtbSequenceSetup::ApplyFault(const QtbChoice& fault)
{
    if (!fault.has || fault.object == OutPartner(m_device, kDevFaultContact))
        return true;
    if (const LinkRecord* old = m_device->GetOutLinkAtKey(kDevFaultContact)) {
        m_device->UnlinkOut(*old);
        Delete(OutPartner(m_device, kDevFaultReady));
    }
    auto* pad = dynamic_cast<CControlPad*>(fault.object);
    if (!pad)
        return true;
    m_device->LinkTo(kDevFaultContact, pad, 1);
    auto* ready = dynamic_cast<CReadyInput*>(m_doc->CreateSequenceReadyInput(pad, "QTB-"));
    if (!ready)
        return Error("Error : No available 'readyinput' for QTB8174 Fault signal !");
    m_device->LinkTo(kDevFaultReady, ready, kReadyPartnerKey);
    ready->SetValue(CReadyInput::Level, 1);
    ready->SetValue(CReadyInput::Masked, 1);
    ready->SetValue(CReadyInput::TextNumber, 11);
    return true;
}

void CQtbSequenceSetup::ApplyStartStop(CBaseDevice* sequence, const QtbSequenceSettings& s)
{
    if (!s.startStop.has || s.startStop.object == InPartner(sequence, kSeqStartStop))
        return;
    RemoveStartStop(sequence);
    const std::string name = FetchSignalName(sequence, s.priority);
    CBaseDevice* contact = s.startStop.object;
    if (!contact)
        return;
    contact->LinkTo(1, sequence, kSeqStartStop);
    CBaseDevice *start, *stop;
    if (!MakePair(kMacroLogicOut, name, " Start", " Stop", &start, &stop))
        return;
    start->LinkTo(macrolink::LogicOut, contact, 0);
    stop->LinkTo(macrolink::LogicOut, contact, 0);
    if (CBaseDevice* signal = SignalOf(sequence)) {
        signal->LinkTo(0, start, 0);
        signal->LinkTo(1, stop, 0);
    } else {
        Delete(start);
        Delete(stop);
    }
}

bool CQtbSequenceSetup::ApplyRunning(CBaseDevice* sequence, const QtbSequenceSettings& s)
{
    if (!s.running.has || (s.running.object == OutPartner(sequence, kSeqRunningContact) && !s.priorityChanged))
        return true;
    RemoveRunning(sequence);
    const std::string name = FetchSignalName(sequence, s.priority);
    auto* contact = dynamic_cast<CControlPad*>(s.running.object);
    if (!contact)
        return true;
    sequence->LinkTo(kSeqRunningContact, contact, 1);
    CBaseDevice* trigger = NewTrigger();
    if (!trigger)
        return Error("Error : No available trigger for running signal !");
    sequence->LinkTo(kSeqRunningTrigger, trigger, 0);
    CBaseDevice* cond = CQuillomerDoc::CreateSequenceCondition(m_doc, contact, 0);
    if (!cond)
        return Error("Error : No available condition for running signal !");
    trigger->LinkTo(kTrigCondition, cond, 0);

    uint32_t kind = kMacroMessage;
    int32_t key = macrolink::Message;
    if (sequence->GetKindId() == qtbkind::Alarm)
        kind = kMacroAlarm, key = macrolink::Alarm;
    else if (sequence->GetKindId() == qtbkind::Gong)
        kind = kMacroChime, key = macrolink::Chime;
    CBaseDevice *audio, *audioStop;
    if (!MakePair(kind, name, " Audio", " Audio Stop", &audio, &audioStop))
        return true;
    CBaseDevice* signal = SignalOf(sequence);
    if (!signal) {  // nothing would find the pair again
        Delete(audio);
        Delete(audioStop);
        return true;
    }
    audio->LinkTo(key, signal, 0);
    audioStop->LinkTo(key, signal, 0);
    static_cast<CMacro*>(audio)->SetParam(kParamPriority, 10 * s.priority);
    static_cast<CMacro*>(audioStop)->SetParam(kParamPriority, 10 * s.priority + 1);
    trigger->LinkTo(kTrigOn, audioStop, 0);
    return true;
}

bool CQtbSequenceSetup::ApplyLcd(CBaseDevice* sequence, const QtbSequenceSettings& s)
{
    RemoveLcd(sequence);
    if (!s.lcd || !s.console.has)
        return true;
    const std::string name = FetchSignalName(sequence, s.priority);
    // Condition and trigger come before the macros, so that a failure leaves
    // no macro pair that nothing refers to.
    auto* contact = s.running.has ? dynamic_cast<CControlPad*>(s.running.object) : nullptr;
    CBaseDevice* cond = CQuillomerDoc::CreateSequenceCondition(m_doc, contact, 1);
    if (!cond)
        return Error("Error : No available condition for lcd trigger !");
    CBaseDevice* trigger = NewTrigger();
    if (!trigger) {
        if (cond->m_inLinks.empty())
            Delete(cond);
        return Error("Error : No available trigger for lcd !");
    }
    trigger->LinkTo(kTrigCondition, cond, 0);
    sequence->LinkTo(kSeqLcdTrigger, trigger, 0);
    CBaseDevice *lcd, *lcdOff;
    if (!MakePair(kMacroLcd, name, " LCD", " LCD OFF", &lcd, &lcdOff))
        return true;
    if (s.console.object) {
        lcd->LinkTo(macrolink::Console, s.console.object, 1);
        lcdOff->LinkTo(macrolink::Console, s.console.object, 1);
    }
    for (auto [macro, text] : {std::pair{static_cast<CMacro*>(lcd), s.lcdText},
                                std::pair{static_cast<CMacro*>(lcdOff), std::string()}}) {
        macro->SetParamText(kParamText, text);
        macro->SetParam(kParamDisplayTime, 0);
        macro->SetParam(kParamLine, 2);
    }
    trigger->LinkTo(kTrigOn, lcd, 0);
    trigger->LinkTo(kTrigOff, lcdOff, 0);
    return true;
}

bool CQtbSequenceSetup::ApplyExternalStart(CBaseDevice* sequence, QtbSequenceSettings& s)
{
    RemoveExternalStart(sequence, s.condition);
    if (!s.externalStart || !s.condition.has)
        return true;
    CBaseDevice* trigger = NewTrigger();
    if (!trigger)
        return Error("Error : No available trigger for external trigger !");
    sequence->LinkTo(kSeqExternalTrigger, trigger, 0);
    if (s.condition.object)
        trigger->LinkTo(kTrigCondition, s.condition.object, 0);

    auto* stop = dynamic_cast<CMacro*>(OutPartner(OutPartner(sequence, kSeqRunningTrigger), kTrigOn));
    if (!stop)
        return true;
    auto* audio = dynamic_cast<CMacro*>(Macro(stop->GetParam(kParamPartner)));
    stop->SetZones(s.zones);
    if (!audio)
        return true;
    trigger->LinkTo(kTrigOn, audio, 0);
    audio->SetParam(kParamPriority, 10 * s.priority);
    s.priorityChanged = false;
    audio->SetZones(s.zones);
    s.zones.clear();
    for (uint32_t type : {uint32_t(OT_ZONE), uint32_t(OT_GROUP)}) {
        LinkRefList links;
        audio->CollectOutLinksToType(links, type);
        for (const LinkRecord* r : links)
            s.zones.push_back(r->partner);
    }
    s.zoneText = audio->GetParamText(kParamZoneText);
    return true;
}

bool CQtbSequenceSetup::Apply(CBaseDevice* sequence, QtbSequenceSettings& s)
{
    if (!m_doc || !m_device)
        return false;
    if (!ApplyFault(s.fault))
        return false;
    if (!sequence)
        return true;
    ApplyStartStop(sequence, s);
    return ApplyRunning(sequence, s) && ApplyLcd(sequence, s) && ApplyExternalStart(sequence, s);
}

// ==================================================================== reading

QtbSequenceSettings CQtbSequenceSetup::Read(CBaseDevice* sequence) const
{
    QtbSequenceSettings s;
    s.fault = QtbChoice::Of(OutPartner(m_device, kDevFaultContact));
    if (!sequence)
        return s;
    s.startStop = QtbChoice::Of(InPartner(sequence, kSeqStartStop));
    s.running = QtbChoice::Of(OutPartner(sequence, kSeqRunningContact));
    if (auto* signal = dynamic_cast<CAudioSignal*>(SignalOf(sequence)))
        s.priority = signal->GetPriority();
    if (CBaseDevice* trigger = OutPartner(sequence, kSeqExternalTrigger)) {
        s.externalStart = true;
        s.condition = QtbChoice::Of(OutPartner(trigger, kTrigCondition));
        if (auto* audio = dynamic_cast<CMacro*>(OutPartner(trigger, kTrigOn))) {
            for (uint32_t type : {uint32_t(OT_ZONE), uint32_t(OT_GROUP)}) {
                LinkRefList links;
                audio->CollectOutLinksToType(links, type);
                for (const LinkRecord* r : links)
                    s.zones.push_back(r->partner);
            }
            s.zoneText = audio->GetParamText(kParamZoneText);
        }
    }
    if (CBaseDevice* trigger = OutPartner(sequence, kSeqLcdTrigger)) {
        s.lcd = true;
        auto* lcd = dynamic_cast<CMacro*>(OutPartner(trigger, kTrigOn));
        s.console = QtbChoice::Of(lcd ? OutPartner(lcd, macrolink::Console) : nullptr);
        if (lcd)
            s.lcdText = lcd->GetParamText(kParamText);
    }
    return s;
}

// ==================================================================== sequences

CBaseDevice* CQtbSequenceSetup::NewSequence(uint32_t kind)
{
    if (!m_doc || !m_device || !CQTBSequence::IsSequenceKind(kind))
        return nullptr;
    CAudioSignal* signal = nullptr;
    const char* priority = "6";
    uint32_t signalKind = signalkind::Message;
    if (kind == qtbkind::Alarm)
        signal = new CAlarmSignal, priority = "9", signalKind = signalkind::Alarm;
    else if (kind == qtbkind::Gong)
        signal = new CChimeSignal, priority = "7", signalKind = signalkind::Chime;
    else
        signal = new CMessageSignal;
    // A signal is refused only when its kind has no free number left, and the
    // directory has said so: a second box would blame the memory.
    if (!signal->Create(signalKind, 0, 0, static_cast<const char*>(nullptr), 0, 0, 1, 1, CAT_AUDIO, 0, 0, m_doc)) {
        delete signal;
        return nullptr;
    }
    signal->SetValue(signalkey::Priority, priority);
    auto* sequence = new CQTBSequence;
    if (!sequence->Create(kind, 4, 3, static_cast<const char*>(nullptr), 0, 0, 1, 1, CAT_AUDIO, 0, 0, m_doc)) {
        delete sequence;
        delete signal;
        return nullptr;
    }
    m_device->LinkTo(sequence->GetNumber(), sequence, 0);
    signal->LinkTo(kSeqSignal, sequence, kSeqSignal);
    DeviceList same;
    m_doc->GetIDManager().GetBaseDeviceListByKind(same, OT_QTB_SEQUENCE, kind);
    std::string deviceName = m_device->GetName();
    deviceName = deviceName.substr(0, deviceName.find(' '));
    // Counted per kind, the first text sequence would take the first alarm
    // sequence's name: the count is where the search for a free name starts.
    std::set<std::string> taken;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (const CBaseDevice* o : m_doc->GetList(c))
            taken.insert(o->GetName());
    std::string name;
    for (int n = static_cast<int>(same.size()); name.empty() || taken.count(name) > 0; ++n)
        name = "QTB-" + deviceName + StrFormat(" %d", n);
    signal->SetNameChecked(name, true);
    m_doc->AddObject(signal, CAT_AUDIO);
    m_doc->AddObject(sequence, CAT_AUDIO);
    return sequence;
}

void CQtbSequenceSetup::DeleteSequence(CBaseDevice* sequence, const QtbChoice& condition)
{
    if (!sequence)
        return;
    RemoveStartStop(sequence);
    RemoveRunning(sequence);
    RemoveLcd(sequence);
    RemoveExternalStart(sequence, condition);
    Delete(SignalOf(sequence));
    Delete(sequence);
}
