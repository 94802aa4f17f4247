#include "logic/CLogicOutObject.h"

#include <climits>
#include <optional>

#include "logic/CLogicOut.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CLogicOutObject, 0)

namespace {
// The value a download sends for one of an entry's four lines (function,
// inversion, condition, contact index); an entry without an output is off.
std::string LineValue(const CLogicOut* out, int part)
{
    switch (part) {
    case 0: {
        const std::string function = out ? out->GetValueText(logicoutkey::Function) : "OFF";
        return function.empty() ? "OFF" : function;  // a contact without a protocol keyword
    }
    case 1: return out && out->m_invert ? "ON" : "OFF";
    case 2: {
        // Without a condition the entry still names condition 1.
        const int32_t cond = out ? out->GetValue(logicoutkey::Condition) : 0;
        return StrFormat("%d", cond != 0 ? cond : 1);
    }
    default: return StrFormat("%d", out ? out->GetValue(logicoutkey::Index) : 1);
    }
}

constexpr int kEntrySteps = 4;

// True when a contact of the project carries the function word: only such
// a contact can be the entry's output.
bool HasContactOf(CQuillomerDoc* doc, const std::string& function)
{
    if (!doc)
        return false;
    DeviceList pads;
    doc->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
    for (const CBaseDevice* p : pads)
        if (const auto* pad = dynamic_cast<const CControlPad*>(p); pad && pad->GetKeyword() == function)
            return true;
    return false;
}

CLogicOut* FindLogicOut(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CLogicOut*>(FindNumbered(doc, OT_LOGIC_OUT, n));
}

CLogicOut* MakeLogicOut(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CLogicOut*>(
        CreateNumberedPlaceholder(doc, "CLogicOut", OT_LOGIC_OUT, CLogicOut::kKindId, n, CAT_DIGITAL_IO));
}

int Limit(const CQuillomerDoc* doc)
{
    return static_cast<int>(GetMaxObjectCount(OT_LOGIC_OUT, doc ? doc->m_data.deviceVariant : 0));
}
}  // namespace

CLogicOutObject::CLogicOutObject()
{
    m_type = OT_LOGIC_OUT_OBJECT;
}

int CLogicOutObject::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_clear.Reset("LOGICOUT_CLR");
        m_functionAnswers.Clear();
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step == 0)
        return BlockClearStep(m_clear, mode, step, m_path + "/CLEAR", m_pDocument);
    const int limit = Limit(m_pDocument);
    int n = (step - 1) / kEntrySteps + 1;
    const int part = (step - 1) % kEntrySteps;
    CLogicOut* out = n <= limit ? FindLogicOut(m_pDocument, n) : nullptr;
    if (m_clear.capability && part == 0) {
        while (!out && n <= limit) {
            step += kEntrySteps;
            ++n;
            out = n <= limit ? FindLogicOut(m_pDocument, n) : nullptr;
        }
    }
    if (n > limit)
        return kStepCount;
    if (mode && m_clear.capability && !out && part < 2)
        return step + 1;
    static constexpr const char* kKeys[kEntrySteps] = {"/FUNCTION", "/INV", "/COND", "/INDEX"};
    const std::string value = mode ? std::string("?") : LineValue(out, part);
    const bool skipRest = !mode && part == 0 && value == "OFF";
    SendBlockLine(m_path + StrFormat("/ENTRY%d", n) + kKeys[part] + " " + value, m_pDocument);
    return skipRest ? step + kEntrySteps : step + 1;
}

void CLogicOutObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    const int limit = Limit(m_pDocument);
    if (key == "/CLEAR") {
        ApplyFreeList(m_pDocument, OT_LOGIC_OUT, limit, 250, m_path + key, value,
                      [this](int number) { MakeLogicOut(m_pDocument, number); }, &diffFileName,
                      m_path + "/ENTRY");
        m_clear.answered = 1;
        return;
    }
    int n = 0;
    std::string field;
    if (!SplitEntryKey(key, "/ENTRY", limit, n, field))
        return;
    CLogicOut* out = FindLogicOut(m_pDocument, n);
    const std::string* diffFile = diffFileName.empty() ? nullptr : &diffFileName;
    if (field == "/FUNCTION") {
        m_functionAnswers.Close(n);  // the function begins an entry's answers
        if (value == "OFF") {
            if (out)
                out->OnCommand(objcmd::Delete);
            return;
        }
        if (!out)
            out = MakeLogicOut(m_pDocument, n);
        if (!out)
            return;
        const std::string before = out->m_functionKeyword;
        out->SetValueText(logicoutkey::Function, value);
        // A function no contact of the project has (a word it does not
        // know, a card it lacks) cannot be the entry's output: named with
        // what the next download sends instead, whatever the index says.
        if (!HasContactOf(m_pDocument, value))
            ReportNotHeld(diffFile, m_path + key, value, LineValue(out, 0));
        else
            m_functionAnswers.Take(n, before, m_path + key, value);
    } else if (!out) {
        return;
    } else if (field == "/INDEX" || field == "/COND" || field == "/INV") {
        // Only a whole number standing alone is a number, only ON or OFF a
        // switch: what does not read leaves the output's own, which is named.
        const int part = field == "/INV" ? 1 : field == "/COND" ? 2 : 3;
        const std::optional<long> number = ScanWholeNumber(value, INT_MIN, INT_MAX);
        const std::optional<bool> invert = ReadFlagWord(value);
        if (part == 1) {
            if (invert)
                out->SetValue(logicoutkey::Invert, *invert ? 1 : 0);
        } else if (part == 2 && value == "OFF") {
            out->SetValue(logicoutkey::Condition, 0);
        } else if (number) {
            out->SetValue(part == 2 ? logicoutkey::Condition : logicoutkey::Index, static_cast<int32_t>(*number),
                          diffFile);
        }
        const bool read = part == 1 ? invert.has_value() : value == "OFF" ? part == 2 : number.has_value();
        if (part == 3 && !read) {
            // An index that does not read: the output keeps its contact,
            // and the function the device gave with it is named too.
            if (const std::string* before = m_functionAnswers.Before(n))
                out->SetValueText(logicoutkey::Function, *before);
            m_functionAnswers.NameTaken(n, diffFile, [out](const std::string&) { return LineValue(out, 0); });
        }
        if (part == 3)
            m_functionAnswers.Close(n);
        if (!read)
            ReportNotHeld(diffFile, m_path + key, value, LineValue(out, part));
    }
}
