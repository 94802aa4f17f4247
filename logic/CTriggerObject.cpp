#include "logic/CTriggerObject.h"

#include <climits>
#include <optional>

#include "logic/CTrigger.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
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
// The value a download sends for one of an entry's four lines (condition,
// time, on macro, off macro); an entry without a trigger is off.
std::string LineValue(const CTrigger* trigger, int part)
{
    switch (part) {
    case 0: {
        const int32_t cond = trigger ? trigger->GetValue(triggerkey::Condition) : 0;
        return cond == 0 ? std::string("OFF") : StrFormat("%d", cond);
    }
    case 1: return StrFormat("%2.1f", trigger ? trigger->GetTime() : 0.0f);
    case 2: return StrFormat("%d", trigger ? trigger->GetValue(triggerkey::OnMacro) : 0);
    default: return StrFormat("%d", trigger ? trigger->GetValue(triggerkey::OffMacro) : 0);
    }
}

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
    const std::string value = mode ? std::string("?") : LineValue(trigger, part);
    const bool skipRest = !mode && part == 0 && value == "OFF";
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
        ApplyFreeList(m_pDocument, OT_TRIGGER, limit, 800, m_path + key, value,
                      [this](int number) { MakeTrigger(m_pDocument, number); }, &diffFileName, m_path + "/ENTRY");
        m_clear.answered = 1;
        return;
    }
    if (!SplitEntryKey(key, "/ENTRY", limit, n, field))
        return;
    CTrigger* trigger = FindTrigger(m_pDocument, n);
    // "OFF" is 0; otherwise only a whole number standing alone is one. What
    // does not read leaves the trigger's own, which is named.
    const std::optional<long> read = value == "OFF" ? 0L : ScanWholeNumber(value, INT_MIN, INT_MAX);
    const int v = read ? static_cast<int>(*read) : 0;
    const auto unread = [&](int part) {
        if (trigger)
            ReportNotHeld(&diffFileName, m_path + key, value, LineValue(trigger, part));
    };
    if (field == "/CONDITION") {
        if (!read) {
            unread(0);
            return;
        }
        if (!trigger && v == 0)
            return;
        if (!trigger)
            trigger = MakeTrigger(m_pDocument, n);
        if (trigger)
            trigger->SetValue(triggerkey::Condition, v, &diffFileName);
    } else if (!trigger) {
        return;
    } else if (field == "/TIME") {
        // A time beyond 0.0..25.0 is held at its limit, one that does not
        // read is not taken: named with the time the next download sends.
        const std::optional<float> t = ScanWholeFloat(value);
        if (t)
            trigger->SetTime(triggerkey::Time, *t);
        if (!t || trigger->GetTime() != *t)
            unread(1);
    } else if (field == "/ON_MACRO" || field == "/OFF_MACRO") {
        const bool on = field == "/ON_MACRO";
        if (read)
            trigger->SetValue(on ? triggerkey::OnMacro : triggerkey::OffMacro, v, &diffFileName);
        else
            unread(on ? 2 : 3);
    }
}
