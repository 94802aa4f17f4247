#include "LargestProject.h"

#include <algorithm>
#include <set>
#include <vector>

#include "hardware/AmpTypeTable.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "calendar/CWeek.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "logic/CVirtCtrl.h"
#include "macros/CMacro.h"
#include "model/CBaseDevice.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CGroup.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "platform/StringTable.h"

namespace largest {
namespace {

int32_t Count(const CQuillomerDoc& doc, uint32_t type) { return doc.GetIDManager().GetCount(type); }

bool Full(const CQuillomerDoc& doc, uint32_t type) { return Count(doc, type) >= TargetCount(type); }

// A new object with a symbol (or a list entry: no size), entered in its list.
template <class T>
T* Make(CQuillomerDoc& doc, uint32_t kind, int32_t category, uint32_t style, int32_t x = 0, int32_t y = 0,
        int32_t inputs = 1, int32_t outputs = 1, uint32_t bitmap = 0)
{
    auto* obj = new T;
    const char* noName = nullptr;
    if (!obj->Create(kind, inputs, outputs, noName, x, y, x, y, category, bitmap, style, &doc)) {
        delete obj;
        return nullptr;
    }
    doc.AddObject(obj, category);
    return obj;
}

template <class T>
std::vector<T*> ObjectsOf(const CQuillomerDoc& doc, uint32_t type)
{
    DeviceList list;
    doc.GetIDManager().GetBaseDeviceList(list, type);
    std::vector<T*> out;
    for (CBaseDevice* obj : list)
        if (auto* t = dynamic_cast<T*>(obj))
            out.push_back(t);
    return out;
}

void AddProblem(BuildReport& report, uint32_t type, const std::string& what)
{
    report.problems += StrFormat("type %u: %s\n", type, what.c_str());
}

// Amplifiers of every model (remote and plain) on a grid left of the device.
void AddAmplifiers(CQuillomerDoc& doc)
{
    std::vector<const AmpTypeEntry*> models;
    for (int i = 0; const AmpTypeEntry* row = CAmplifier::GetTypeEntryAt(i); ++i)
        if (row->channels > 0)
            models.push_back(row);
    if (models.empty())
        return;
    for (int i = 0; !Full(doc, OT_AMPLIFIER); ++i) {
        const AmpTypeEntry* row = models[static_cast<size_t>(i) % models.size()];
        const int32_t x = 60 + (i % 8) * 220;
        const int32_t y = 60 + (i / 8) * 250;
        if (!Make<CAmplifier>(doc, row->kindId, CAT_AMPLIFIER, 0, x, y, row->channels, row->channels, row->bitmapId))
            break;
    }
}

// Topologies on the amplifier channels (each makes its zones) until the zones
// or the topologies run out.
void AddTopologies(CQuillomerDoc& doc)
{
    static constexpr uint32_t kKinds[] = {ampcmd::OneInN, ampcmd::Direct, ampcmd::ProgramCall};
    int k = 0;
    for (CAmplifier* amp : ObjectsOf<CAmplifier>(doc, OT_AMPLIFIER)) {
        for (int32_t c = 0; c < amp->GetChannelCount(); ++c) {
            if (Full(doc, OT_ZONE) || Full(doc, OT_RELAIS_TOPOLOGY))
                return;
            const int32_t before = Count(doc, OT_RELAIS_TOPOLOGY);
            amp->OnCommand(kKinds[k++ % 3]);
            if (Count(doc, OT_RELAIS_TOPOLOGY) == before)
                return;  // refused
        }
    }
}

// Groups over the zones; the last ones group other groups.
void AddGroups(CQuillomerDoc& doc)
{
    const std::vector<CZone*> zones = ObjectsOf<CZone>(doc, OT_ZONE);
    const int32_t parents = std::max(0, TargetCount(OT_GROUP) / 10);
    std::vector<CGroup*> made;
    for (int i = 0; Count(doc, OT_GROUP) < TargetCount(OT_GROUP) - parents; ++i) {
        auto* g = Make<CGroup>(doc, 0, CAT_GROUP, 3, 2300 + (i % 10) * 150, 100 + (i / 10) * 180, 1, 1, 313);
        if (!g)
            break;
        for (size_t z = 0; z < 3 && !zones.empty(); ++z)
            g->LinkTo(0, zones[(static_cast<size_t>(i) * 3 + z) % zones.size()], 0);
        made.push_back(g);
    }
    for (size_t i = 0; i < made.size() && !Full(doc, OT_GROUP); ++i)
        made[i]->OnCommand(groupcmd::AddGroup);
}

// Pads on every contact of the digital and interface slots, then copies of
// contact pads up to the directory's size.
void AddPads(CQuillomerDoc& doc)
{
    for (CDigitalSlot* slot : ObjectsOf<CDigitalSlot>(doc, OT_DIGITAL_SLOT)) {
        for (int32_t i = 0; i < slot->m_inputCount; ++i) {
            slot->SetHoverConnectors(i, -1);
            slot->AttachPad(false);
        }
        for (int32_t o = 0; o < slot->m_outputCount; ++o) {
            slot->SetHoverConnectors(-1, o);
            slot->AttachPad(true);
        }
        slot->SetHoverConnectors(-1, -1);
    }
    for (CInterfaceSlot* slot : ObjectsOf<CInterfaceSlot>(doc, OT_INTERFACE_SLOT)) {
        for (int32_t i = 0; i < slot->m_inputCount; ++i) {
            slot->SetHoverConnectors(i, -1);
            slot->AttachPad();
        }
        slot->SetHoverConnectors(-1, -1);
    }
    for (int i = 0; !Full(doc, OT_CONTROL_PAD); ++i) {
        const uint32_t kind = i % 2 ? padkind::SlotOut : padkind::SlotIn;
        if (!Make<CControlPad>(doc, kind, CAT_DIGITAL_IO, 9, 3000 + (i % 16) * 60, 2900 + (i / 16) * 30))
            break;
    }
}

// An audio source on every input of the audio input cards.
void AddAudioSources(CQuillomerDoc& doc)
{
    static constexpr uint32_t kSources[] = {33059, 33061, 33065, 33066, 33068, 33060, 33062, 33067, 33069};
    int k = 0;
    for (CAudioInputSlot* slot : ObjectsOf<CAudioInputSlot>(doc, OT_AUDIO_INPUT_SLOT)) {
        // Cards with two microphone / line inputs, where the sources plug in.
        slot->OnCommand(inputcard::MicLine2);
        for (int32_t i = 0; i < slot->m_inputCount && !Full(doc, OT_AUDIO_INPUT_DEVICE); ++i) {
            slot->SetHoverConnectors(i, -1);
            slot->AttachDevice(kSources[static_cast<size_t>(k++) % std::size(kSources)]);
        }
        slot->SetHoverConnectors(-1, -1);
    }
}

void AddConditions(CQuillomerDoc& doc)
{
    // Signals of the device itself and the digital slot's contacts.
    static constexpr uint32_t kKinds[] = {condkind::Ready,  condkind::Fault,       condkind::Power,
                                          condkind::Pilot,  condkind::AnalogVcc,   condkind::Volts24,
                                          condkind::AnyFaultInp, condkind::AllReadyInp, condkind::SlotIn,
                                          condkind::SlotOut};
    for (int i = 0; !Full(doc, OT_CONDITION); ++i) {
        const uint32_t kind = kKinds[static_cast<size_t>(i) % std::size(kKinds)];
        auto* c = Make<CCondition>(doc, kind, CAT_DIGITAL_IO, 3);
        if (!c)
            break;
        if (kind == condkind::SlotIn || kind == condkind::SlotOut)
            c->SetValue(condkey::Object, 1 + i % 8);
        c->SetValue(condkey::Level, i % 2);
    }
}

void AddMacros(CQuillomerDoc& doc)
{
    std::vector<uint32_t> types;
    CMacro::GetTypeList(0, &types);
    if (types.empty())
        return;
    const std::vector<CZone*> zones = ObjectsOf<CZone>(doc, OT_ZONE);
    const std::vector<CGroup*> groups = ObjectsOf<CGroup>(doc, OT_GROUP);
    const int32_t conditions = Count(doc, OT_CONDITION);
    const int32_t total = TargetCount(OT_MACRO);
    for (int i = 0; !Full(doc, OT_MACRO); ++i) {
        auto* m = Make<CMacro>(doc, types[static_cast<size_t>(i) % types.size()], CAT_MACRO, 9);
        if (!m)
            break;
        DeviceList targets;
        for (size_t z = 0; z < 4 && !zones.empty(); ++z)
            targets.push_back(zones[(static_cast<size_t>(i) * 4 + z) % zones.size()]);
        if (!groups.empty())
            targets.push_back(groups[static_cast<size_t>(i) % groups.size()]);
        m->SetZones(targets);
        m->SetParam(1, i % 8);  // priority
        // The signal a macro plays (a missing one is made by the reference).
        switch (m->GetKindId()) {
        case macrotype::Page: m->SetParam(5, 1 + i % 10); break;      // prechime
        case macrotype::Chime: m->SetParam(33, 1 + i % 10); break;
        case macrotype::Alarm: m->SetParam(32, 1 + i % 30); break;
        case macrotype::Message: m->SetParam(34, 1 + i % 30); break;
        default: break;
        }
        if (m->GetKindId() == macrotype::Sequence) {
            // A sequence steps through other macros under conditions.
            for (int s = 0; s < CMacro::kSteps; ++s) {
                m->SetParam(41 + s, 1 + (i + s + 1) % total);
                if (conditions > 0)
                    m->SetParam(51 + s, 1 + (i + s) % conditions);
                m->SetParamFloat(46 + s, 0.5f * static_cast<float>(s));
            }
        }
    }
}

void AddTriggers(CQuillomerDoc& doc)
{
    const int32_t conditions = std::max(1, Count(doc, OT_CONDITION));
    const int32_t macros = std::max(1, Count(doc, OT_MACRO));
    for (int i = 0; !Full(doc, OT_TRIGGER); ++i) {
        auto* t = Make<CTrigger>(doc, CTrigger::kKindId, CAT_DIGITAL_IO, 3);
        if (!t)
            break;
        t->SetValue(triggerkey::Condition, 1 + i % conditions);
        t->SetValue(triggerkey::OnMacro, 1 + (2 * i) % macros);
        t->SetValue(triggerkey::OffMacro, 1 + (2 * i + 1) % macros);
        t->SetTime(triggerkey::Time, static_cast<float>(i % 25));
    }
}

void AddLogicOutputs(CQuillomerDoc& doc)
{
    const int32_t conditions = std::max(1, Count(doc, OT_CONDITION));
    for (int i = 0; !Full(doc, OT_LOGIC_OUT); ++i) {
        auto* lo = Make<CLogicOut>(doc, CLogicOut::kKindId, CAT_DIGITAL_IO, 3);
        if (!lo)
            break;
        lo->SetValue(logicoutkey::Condition, 1 + (i * 7) % conditions);
        lo->SetValue(logicoutkey::Invert, i % 2);
    }
}

void AddVirtualControllers(CQuillomerDoc& doc)
{
    std::vector<CVirtCtrl*> blocks = ObjectsOf<CVirtCtrl>(doc, OT_VIRT_CTRL);
    if (blocks.empty())
        if (auto* vc = Make<CVirtCtrl>(doc, CVirtCtrl::kKindId, CAT_AUDIO, 3))
            blocks.push_back(vc);
    if (blocks.empty())
        return;
    for (int n = 1; n <= CVirtCtrl::kControllers && !Full(doc, OT_VIRT_CTRL_ITEM); ++n)
        blocks.front()->GetOrCreateItem(n);
}

void AddDayProgrammes(CQuillomerDoc& doc)
{
    std::vector<CWeek*> weeks = ObjectsOf<CWeek>(doc, OT_WEEK);
    if (weeks.empty())
        return;
    for (int d = 0; d < CWeek::kDays; ++d)
        weeks.front()->SetDay(d, 1 + d);
    // Day programmes of their own (a list entry without a symbol), once the class exists.
    const CRuntimeClass* cls = CClassRegistry::Find("CDayprog");
    for (int32_t n = 1; cls && !Full(doc, OT_DAYPROG) && n < static_cast<int32_t>(GetTypeCapacity(OT_DAYPROG));
         ++n) {
        if (doc.GetIDManager().GetBaseDevice(n, OT_DAYPROG))
            continue;
        auto* dp = dynamic_cast<CBaseDevice*>(cls->create());
        if (!dp || !dp->Create(CWeek::kDayprogKindId, StrFormat("Tagesprogramm %d", n), n, CAT_CALENDAR, &doc)) {
            delete dp;
            break;
        }
        doc.AddObject(dp, CAT_CALENDAR);
    }
}

// Types a new document holds some objects of, filled up with more of the same
// class and kind (the signals and calls of the device's lists).
void FillLikeExisting(CQuillomerDoc& doc, const std::set<uint32_t>& handled)
{
    for (uint32_t type = OT_FIRST; type <= OT_LAST; ++type) {
        if (handled.count(type) || Full(doc, type))
            continue;
        DeviceList list;
        doc.GetIDManager().GetBaseDeviceList(list, type);
        if (list.empty())
            continue;
        const CBaseDevice* model = list.front();
        const CRuntimeClass* cls = model->GetRuntimeClass();
        for (int i = 0; !Full(doc, type); ++i) {
            auto* obj = dynamic_cast<CBaseDevice*>(cls->create());
            if (!obj)
                break;
            const char* noName = nullptr;
            const CRect r = model->GetRect();
            if (!obj->Create(model->GetKindId(), model->m_inputCount, model->m_outputCount, noName, r.left, r.top,
                             r.right, r.bottom, model->GetCategory(), model->m_bitmapId, model->m_symbolStyle,
                             &doc)) {
                delete obj;
                break;
            }
            doc.AddObject(obj, model->GetCategory());
        }
    }
}

}  // namespace

const std::vector<std::pair<uint32_t, const char*>>& FilledTypes()
{
    static const std::vector<std::pair<uint32_t, const char*>> types = {
        {OT_AMPLIFIER, "CAmplifier"}, {OT_RELAIS_TOPOLOGY, "CRelaisTopology"}, {OT_ZONE, "CZone"},
        {OT_GROUP, "CGroup"},         {OT_CONTROL_PAD, "CControlPad"},         {OT_CONDITION, "CCondition"},
        {OT_MACRO, "CMacro"},         {OT_TRIGGER, "CTrigger"},                {OT_LOGIC_OUT, "CLogicOut"},
        {OT_VIRT_CTRL_ITEM, "CVirtCtrlItem"}, {OT_DAYPROG, "CDayprog"},
    };
    return types;
}

int32_t TargetCount(uint32_t type)
{
    const uint32_t limit = GetMaxObjectCount(type, 1);
    if (limit > 0)
        return static_cast<int32_t>(limit);
    const uint32_t capacity = GetTypeCapacity(type);
    if (capacity == 0)
        return 0;
    return static_cast<int32_t>(type == OT_GROUP ? capacity : capacity - 1);
}

BuildReport Count(const CQuillomerDoc& doc)
{
    BuildReport report;
    for (uint32_t type = OT_FIRST; type <= OT_LAST; ++type)
        if (const int32_t n = doc.GetIDManager().GetCount(type))
            report.counts[type] = n;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
        report.objects += static_cast<int64_t>(doc.GetList(c).size());
        for (const CBaseDevice* obj : doc.GetList(c))
            report.links += static_cast<int64_t>(obj->m_outLinks.size());
    }
    return report;
}

BuildReport Build(CQuillomerDoc& doc)
{
    // Nothing the user's steps would open may wait for an answer here: a new
    // topology's dialog stays shut while the project is built.
    struct NoTopologyDialog {
        CRelaisTopology::DialogFn previous = CRelaisTopology::SetDialog(nullptr);
        ~NoTopologyDialog() { CRelaisTopology::SetDialog(previous); }
    } noDialog;
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    // With the windows linked in, a new topology would ask for its settings
    // in a dialog; the generator sets them itself.
    const CRelaisTopology::DialogFn topologyDialog = CRelaisTopology::SetDialog(nullptr);
    doc.OnNewDocument();
    doc.m_data.deviceVariant = 1;
    doc.m_data.projectName = "Größtes Projekt";
    doc.m_data.projectNumber = "4711-0815";
    doc.m_data.company = "Beschallung & Alarmierung";
    doc.m_data.address = "Am Marktplatz 1, 12345 Musterstadt";
    doc.m_data.editor = "Prüfer";
    doc.m_data.description = std::string(400, 'x');
    doc.m_data.systemCallNumber = "0123456789";

    AddAmplifiers(doc);
    AddTopologies(doc);
    AddGroups(doc);
    AddPads(doc);
    AddAudioSources(doc);
    AddConditions(doc);
    AddMacros(doc);
    AddTriggers(doc);
    AddLogicOutputs(doc);
    AddVirtualControllers(doc);
    AddDayProgrammes(doc);
    // Audio sources: one on each input there is, never more.
    std::set<uint32_t> handled = {OT_AUDIO_INPUT_DEVICE};
    for (const auto& entry : FilledTypes())
        handled.insert(entry.first);
    FillLikeExisting(doc, handled);

    BuildReport report = Count(doc);
    for (const auto& [type, className] : FilledTypes())
        if (CClassRegistry::Find(className) && doc.GetIDManager().GetCount(type) < TargetCount(type))
            AddProblem(report, type, StrFormat("%d of %d", doc.GetIDManager().GetCount(type), TargetCount(type)));
    CRelaisTopology::SetDialog(topologyDialog);
    SetActiveDocHook(std::move(previous));
    return report;
}

}  // namespace largest
