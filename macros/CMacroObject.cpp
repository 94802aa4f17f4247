#include "macros/CMacroObject.h"

#include <climits>
#include <optional>
#include <vector>

#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMacroObject, 1)

CMacroObject::CMacroObject()
{
    m_type = OT_MACRO_OBJECT;
}

int CMacroObject::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    m_path = kPath;
    if (m_pDocument != nullptr) {
        bool entered = false;
        const auto range = m_pDocument->GetPathMap().equal_range(m_path);
        for (auto it = range.first; it != range.second; ++it)
            entered = entered || it->second == this;
        if (!entered)
            m_pDocument->AddPath(m_path, this);
    }
    return 1;
}

int CMacroObject::PostLoad()
{
    SetName(LoadStringId(kNameTextId));
    return 1;
}

// ==================================================================== block

namespace {
constexpr int kBootStep = 251;
constexpr int kShutStep = 252;

CMacro* FindMacro(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CMacro*>(FindNumbered(doc, OT_MACRO, n));
}

CMacro* MakeMacro(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CMacro*>(
        CreateNumberedPlaceholder(doc, "CMacro", OT_MACRO, macrotype::NoType, n, CAT_MACRO));
}

int Limit(const CQuillomerDoc* doc)
{
    return static_cast<int>(GetMaxObjectCount(OT_MACRO, doc ? doc->m_data.deviceVariant : 0));
}

// The device takes no program numbered above its limit, so a download passes
// such macros over: say so, since the project still shows them.
void WarnAboveLimit(CQuillomerDoc* doc, int limit)
{
    if (!doc)
        return;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceList(list, OT_MACRO);
    int above = 0;
    for (const CBaseDevice* o : list)
        above += o->GetNumber() > limit ? 1 : 0;
    if (above > 0)
        ShowMessage(StrFormat(LoadStringId(IDS_MACRO_ABOVE_LIMIT).c_str(), above, limit), mb::Ok | mb::IconExclamation);
}

// The two POWER macros (power on first); none unless there are exactly two.
std::vector<CMacro*> PowerMacros(CQuillomerDoc* doc)
{
    std::vector<CMacro*> out;
    if (!doc)
        return out;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceListByKind(list, OT_MACRO, macrotype::Power);
    for (CBaseDevice* o : list)
        if (auto* m = dynamic_cast<CMacro*>(o))
            out.push_back(m);
    if (out.size() != 2)
        out.clear();
    return out;
}
}  // namespace

int CMacroObject::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_clear.Reset("MACRO_CLR");
        m_macroInProgress = 0;
        m_typeAnswered = 0;
        m_pending.clear();
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step == 0)
        return BlockClearStep(m_clear, mode, step, m_path + "/CLEAR", m_pDocument);
    if (step == kBootStep || step == kShutStep) {
        const bool boot = step == kBootStep;
        std::string value = "?";
        if (!mode) {
            const std::vector<CMacro*> power = PowerMacros(m_pDocument);
            value = StrFormat("%d", power.empty() ? 0 : boot ? power.front()->GetParam(27) : power.back()->GetParam(28));
        }
        SendBlockLine(m_path + (boot ? "/BOOT " : "/SHUT ") + value, m_pDocument);
        return step + 1;
    }

    int n = step;
    if (m_macroInProgress) {
        if (mode && !m_typeAnswered)
            return n;  // waits for the device's "/TYPE" answer
        if (m_pending.empty()) {
            m_macroInProgress = 0;
            m_typeAnswered = 0;
            return n + 1;
        }
        SendBlockLine(m_path + StrFormat("/PROG%d", n) + m_pending.front(), m_pDocument);
        m_pending.pop_front();
        return n;
    }
    const int limit = Limit(m_pDocument);
    CMacro* macro = n <= limit ? FindMacro(m_pDocument, n) : nullptr;
    if (m_clear.capability)
        while (!macro && n <= limit) {
            ++n;
            macro = n <= limit ? FindMacro(m_pDocument, n) : nullptr;
        }
    if (n > limit) {
        if (!mode)
            WarnAboveLimit(m_pDocument, limit);
        return kBootStep;
    }
    const std::string prefix = m_path + StrFormat("/PROG%d/TYPE ", n);
    if (mode) {
        m_pending.clear();
        m_typeAnswered = 0;
        m_macroInProgress = 1;
        SendBlockLine(prefix + "?", m_pDocument);
        return n;
    }
    std::vector<std::string> lines;
    const std::string keyword = macro ? macro->GetParamLines(lines) : std::string("EMPTY");
    SendBlockLine(prefix + keyword, m_pDocument);
    if (lines.empty())
        return n + 1;
    m_pending.assign(lines.begin(), lines.end());
    m_macroInProgress = 1;
    m_typeAnswered = 1;
    return n;
}

void CMacroObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    const std::string* diffFile = diffFileName.empty() ? nullptr : &diffFileName;
    const int limit = Limit(m_pDocument);
    if (key == "/CLEAR") {
        ApplyFreeList(m_pDocument, OT_MACRO, limit, 250, m_path + key, value,
                      [this](int n) { MakeMacro(m_pDocument, n); }, diffFile, m_path + "/PROG");
        m_clear.answered = 1;
        return;
    }
    if (key == "/BOOT" || key == "/SHUT") {
        const std::vector<CMacro*> power = PowerMacros(m_pDocument);
        if (power.empty())
            return;
        const bool boot = key == "/BOOT";
        // Only a whole number standing alone names a macro; another text
        // leaves the project's, which is named with what its download sends.
        const std::optional<long> v = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (!v)
            ReportNotHeld(diffFile, m_path + key, value,
                          StrFormat("%d", boot ? power.front()->GetParam(27) : power.back()->GetParam(28)));
        else if (boot && power.front()->GetParam(3) != 0)
            power.front()->SetParam(27, static_cast<int32_t>(*v), diffFile);
        else if (!boot && power.back()->GetParam(3) == 0)
            power.back()->SetParam(28, static_cast<int32_t>(*v), diffFile);
        return;
    }
    int n = 0;
    std::string rest;
    if (!SplitEntryKey(key, "/PROG", limit, n, rest))
        return;
    CMacro* macro = FindMacro(m_pDocument, n);
    if (rest == "/TYPE") {
        if (value == "EMPTY") {
            // A macro the project holds without a type for a trigger, a step
            // or an appointment that names its number is what the device
            // holds: read back, it stays, and so does what names it. One that
            // nothing names goes, as any other empty macro.
            if (macro && m_pDocument)
                m_pDocument->ReadBackFree(*macro);
        } else {
            if (!macro)
                macro = MakeMacro(m_pDocument, n);
            std::vector<std::string> queries;
            const bool known = !macro || macro->SetTypeFromKeyword(value, queries);
            m_pending.assign(queries.begin(), queries.end());
            m_macroInProgress = 1;
            m_typeAnswered = 1;
            // A program type the project does not know keeps the macro as
            // it was; the difference file names the device's type with the
            // one the macro keeps (after the walk has its answer: a file
            // that cannot be written throws).
            if (!known)
                ReportNotHeld(diffFile, m_path + key, value, CMacro::KeywordOfType(macro->GetKindId()));
            return;
        }
        m_typeAnswered = 1;
    } else if (macro && rest.compare(0, 7, "/PARAM/") == 0) {
        macro->ParseParamAnswer(rest, value, diffFile);
    }
}
