#include "logic/CTriggerObject.h"

#include "logic/CTrigger.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CTriggerObject, 1)

CTriggerObject::CTriggerObject()
{
    m_type = OT_TRIGGER_OBJECT;
}

int CTriggerObject::PostLoad()
{
    SetName(LoadStringId(kNameTextId));
    return 1;
}

namespace {
constexpr int kEntrySteps = 4;

CTrigger* FindTrigger(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CTrigger*>(FindNumbered(doc, OT_TRIGGER, n));
}

CTrigger* MakeTrigger(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CTrigger*>(
        CreateNumberedPlaceholder(doc, "CTrigger", OT_TRIGGER, CTrigger::kKindId, n, CAT_DIGITAL_IO));
}

int Limit(const CQuillomerDoc* doc)
{
    return static_cast<int>(GetMaxObjectCount(OT_TRIGGER, doc ? doc->m_data.deviceVariant : 0));
}
}  // namespace

int CTriggerObject::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_clear.Reset("TRIGGER_CLR");
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step == 0)
        return BlockClearStep(m_clear, mode, step, m_path + "/CLEAR", m_pDocument);
    const int limit = Limit(m_pDocument);
    int n = (step - 1) / kEntrySteps + 1;
    const int part = (step - 1) % kEntrySteps;
    CTrigger* trigger = n <= limit ? FindTrigger(m_pDocument, n) : nullptr;
    if (m_clear.capability && part == 0) {
        while (!trigger && n <= limit) {
            step += kEntrySteps;
            ++n;
            trigger = n <= limit ? FindTrigger(m_pDocument, n) : nullptr;
        }
    }
    if (n > limit)
        return kStepCount;
    if (mode && m_clear.capability && !trigger)
        return step + 1;
    static constexpr const char* kKeys[kEntrySteps] = {"/CONDITION", "/TIME", "/ON_MACRO", "/OFF_MACRO"};
    std::string value = "?";
    bool skipRest = false;
    if (!mode) {
        switch (part) {
        case 0: {
            const int32_t cond = trigger ? trigger->GetValue(triggerkey::Condition) : 0;
            skipRest = cond == 0;
            value = skipRest ? std::string("OFF") : StrFormat("%d", cond);
            break;
        }
        case 1: value = StrFormat("%2.1f", trigger ? trigger->GetTime() : 0.0f); break;
        case 2: value = StrFormat("%d", trigger ? trigger->GetValue(triggerkey::OnMacro) : 0); break;
        default: value = StrFormat("%d", trigger ? trigger->GetValue(triggerkey::OffMacro) : 0); break;
        }
    }
    SendBlockLine(m_path + StrFormat("/ENTRY%d", n) + kKeys[part] + " " + value, m_pDocument);
    return skipRest ? step + kEntrySteps : step + 1;
}

void CTriggerObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    const int limit = Limit(m_pDocument);
    int n = 0;
    std::string field;
    if (key == "/CLEAR") {
        ApplyFreeList(m_pDocument, OT_TRIGGER, limit, 800, value, [this](int number) { MakeTrigger(m_pDocument, number); });
        m_clear.answered = 1;
        return;
    }
    if (!SplitEntryKey(key, "/ENTRY", limit, n, field))
        return;
    CTrigger* trigger = FindTrigger(m_pDocument, n);
    int v = 0;
    const bool number = value == "OFF" || ReadBlockInt(value, v);
    if (field == "/CONDITION") {
        if (!number)
            return;
        if (!trigger && v == 0)
            return;
        if (!trigger)
            trigger = MakeTrigger(m_pDocument, n);
        if (trigger)
            trigger->SetValue(triggerkey::Condition, v, &diffFileName);
    } else if (!trigger) {
        return;
    } else if (field == "/TIME") {
        float t = 0.0f;
        const bool read = ReadBlockFloat(value, t);
        trigger->SetTime(triggerkey::Time, t);
        // A time beyond 0.0..25.0 (or none) is held at its limit (0.0): named
        // with the time the next download sends.
        if (!read || trigger->GetTime() != t)
            ReportNotHeld(&diffFileName, m_path + key, value, StrFormat("%2.1f", trigger->GetTime()));
    } else if ((field == "/ON_MACRO" || field == "/OFF_MACRO") && number) {
        trigger->SetValue(field == "/ON_MACRO" ? triggerkey::OnMacro : triggerkey::OffMacro, v, &diffFileName);
    }
}
