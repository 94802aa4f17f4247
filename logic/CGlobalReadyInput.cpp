#include "logic/CGlobalReadyInput.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <cstdio>

#include "logic/CReadyInput.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CGlobalReadyInput, 3)

namespace {
constexpr uint32_t kTextWord = 32809;  // "Text"
constexpr float kMaxMaskTime = 25.0f;
}  // namespace

const uint32_t CGlobalReadyInput::kBuiltInTextIds[kTextCount - kUserTextCount] = {
    36120, 36121, 36122, 36123, 36124, 36125, 36126, 36127, 36128, 36129, 36130, 36131, 36132,
};

CGlobalReadyInput::CGlobalReadyInput()
{
    m_type = OT_GLOBAL_READY_INPUT;
    for (int i = 0; i < kUserTextCount; ++i)
        m_texts[i] = LoadStringId(kTextWord) + StrFormat("%d", i + 1);
    for (int i = kUserTextCount; i < kTextCount; ++i)
        m_texts[i] = LoadStringId(kBuiltInTextIds[i - kUserTextCount]);
}

void CGlobalReadyInput::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_maskTime;
        for (int i = 0; i < kStoredTextCount; ++i)
            ar << m_texts[i];
        return;
    }
    ar >> m_maskTime;
    // The device takes any mask time, but a number it must be.
    RefuseLoaded(m_maskTime, -FLT_MAX, FLT_MAX, kDefaultMaskTime, "/MASKTIME", false, 1);
    const int stored = m_loadedSchema <= 1 ? kUserTextCount : kStoredTextCount;
    for (int i = 0; i < stored; ++i)
        ar >> m_texts[i];
    if (m_loadedSchema == 2) {
        // Files of that version hold older spellings of the module texts.
        m_texts[11] = "HBE6631";
        m_texts[12] = "HBE6633";
        m_texts[13] = "HBE6682";
    }
}

std::string CGlobalReadyInput::GetValue(int key) const
{
    const int index = (key >> 16) & 0xFFFF;
    switch (key & 0xFFFF) {
    case FaultText:
        return index < kTextCount ? m_texts[index] : std::string();
    case MaskTime:
        return StrFormat("%2.1f", m_maskTime);
    default:
        return {};
    }
}

int CGlobalReadyInput::GetValueCount(int key)
{
    switch (key) {
    case AllTexts: return kTextCount;
    case UserTexts: return kUserTextCount;
    default: return 0;
    }
}

void CGlobalReadyInput::SetValue(int key, const std::string& text)
{
    const ChangeGuard guard(*this);
    const int index = (key >> 16) & 0xFFFF;
    switch (key & 0xFFFF) {
    case FaultText:
        if (index < kTextCount)
            m_texts[index] = text;
        break;
    case MaskTime: {
        if (const std::optional<float> v = ScanFiniteFloat(text))
            SetFloatValue(MaskTime, *v);
        break;
    }
    default:
        break;
    }
}

void CGlobalReadyInput::SetFloatValue(int key, float value)
{
    const ChangeGuard guard(*this);
    if ((key & 0xFFFF) != MaskTime)
        return;
    if (std::isnan(value) || value < 0.0f)
        m_maskTime = 0.0f;
    else if (value > kMaxMaskTime)
        m_maskTime = kMaxMaskTime;
    else
        m_maskTime = value;
}

int CGlobalReadyInput::GetTextList(int /*key*/, std::vector<std::string>* texts) const
{
    if (texts == nullptr)
        return 0;
    for (const std::string& t : m_texts)
        texts->push_back(t);
    return static_cast<int>(texts->size());
}

// ==================================================================== block

namespace {
constexpr int kEntries = 50;
constexpr int kEntrySteps = 6;
constexpr int kFirstEntryStep = 7;
constexpr const char* kFieldKeys[kEntrySteps] = {"/FUNCTION", "/INDEX", "/LEVEL", "/MASK", "/TEXT", "/DEVICE"};

CReadyInput* FindReadyInput(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CReadyInput*>(FindNumbered(doc, OT_READY_INPUT, n));
}

CReadyInput* MakeReadyInput(CQuillomerDoc* doc, int n)
{
    return dynamic_cast<CReadyInput*>(
        CreateNumberedPlaceholder(doc, "CReadyInput", OT_READY_INPUT, CReadyInput::kKindId, n, CAT_DIGITAL_IO));
}
}  // namespace

int CGlobalReadyInput::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_clear.Reset("READYINP_CLR");
        m_functionAnswers.Clear();
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    if (step == 0)
        return BlockClearStep(m_clear, mode, step, m_path + "/CLEAR", m_pDocument);
    if (step == 1) {
        SendBlockLine(m_path + "/MASKTIME " + (mode ? std::string("?") : StrFormat("%3.1f", m_maskTime)), m_pDocument);
        return 2;
    }
    if (step < kFirstEntryStep) {
        const int k = step - 1;
        const std::string& text = m_texts[k - 1];
        SendBlockLine(m_path + StrFormat("/TEXT%d ", k) + (mode ? "?" : text.empty() ? "\"\"" : text), m_pDocument);
        return step + 1;
    }
    int n = (step - kFirstEntryStep) / kEntrySteps + 1;
    const int field = (step - kFirstEntryStep) % kEntrySteps;
    CReadyInput* ri = FindReadyInput(m_pDocument, n);
    if (m_clear.capability && field == 0) {
        while (!ri && n <= kEntries) {
            step += kEntrySteps;
            ++n;
            ri = n <= kEntries ? FindReadyInput(m_pDocument, n) : nullptr;
        }
    }
    if (n > kEntries)
        return kStepCount;
    if (mode && m_clear.capability && !ri)
        return step + 1;
    std::string value = "?";
    if (!mode) {
        switch (field) {
        case 0: value = ri ? ri->GetValueText(CReadyInput::Function) : "OFF"; break;
        case 1: value = ri ? ri->GetValueText(CReadyInput::Index) : "1"; break;
        case 2: value = ri ? ri->GetValueText(CReadyInput::Level) : "OFF"; break;
        case 3: value = ri ? ri->GetValueText(CReadyInput::Masked) : "OFF"; break;
        case 4: value = ri ? ri->GetValueText(CReadyInput::TextNumber) : "1"; break;
        default: value = ri ? ri->GetValueText(CReadyInput::DeviceNumber) : "1"; break;
        }
    }
    SendBlockLine(m_path + StrFormat("/ENTRY%d", n) + kFieldKeys[field] + " " + value, m_pDocument);
    if (!mode && field == 0 && value == "OFF")
        return step + kEntrySteps;
    return step + 1;
}

void CGlobalReadyInput::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    const std::string* diffFile = diffFileName.empty() ? nullptr : &diffFileName;
    int n = 0;
    std::string field;
    if (key == "/CLEAR") {
        ApplyFreeList(m_pDocument, OT_READY_INPUT, kEntries, kEntries, m_path + key, value,
                      [this](int number) { MakeReadyInput(m_pDocument, number); }, diffFile, m_path + "/ENTRY");
        m_clear.answered = 1;
    } else if (SplitEntryKey(key, "/ENTRY", kEntries, n, field)) {
        CReadyInput* ri = FindReadyInput(m_pDocument, n);
        int v = 1;
        if (field == "/FUNCTION") {
            m_functionAnswers.Close(n);  // the function begins an entry's answers
            if (value == "OFF") {
                if (ri)
                    ri->OnCommand(objcmd::Delete);
                return;
            }
            if (!ri)
                ri = MakeReadyInput(m_pDocument, n);
            if (ri) {
                m_functionAnswers.Take(n, ri->GetFunctionHeld(), m_path + key, value);
                ri->SetValueText(CReadyInput::Function, value);
            }
            return;
        }
        if (!ri)
            return;
        // A word other than ON or OFF, or a number that is no whole one, is
        // named with what the entry holds (and its next download sends).
        const std::string item = m_path + key;
        if (field == "/LEVEL" || field == "/MASK") {
            const int valueKey = field == "/LEVEL" ? CReadyInput::Level : CReadyInput::Masked;
            if (const std::optional<bool> on = ReadFlagWord(value))
                ri->SetValue(valueKey, *on ? 1 : 0);
            else
                ReportNotHeld(diffFile, item, value, ri->GetValueText(valueKey));
            return;
        }
        const int valueKey = field == "/INDEX"  ? CReadyInput::Index
                             : field == "/TEXT" ? CReadyInput::TextNumber
                             : field == "/DEVICE" ? CReadyInput::DeviceNumber
                                                  : -1;
        if (valueKey < 0)
            return;
        const std::optional<long> number = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (valueKey == CReadyInput::Index) {
            // An index that does not read: the input keeps its contact, and
            // the function the device gave with it is named too.
            if (!number) {
                if (const CReadyInput::FunctionHeld* before = m_functionAnswers.Before(n))
                    ri->PutBackFunction(*before);
                m_functionAnswers.NameTaken(
                    n, diffFile, [ri](const std::string&) { return ri->GetValueText(CReadyInput::Function); });
            }
            m_functionAnswers.Close(n);
        }
        if (!number) {
            ReportNotHeld(diffFile, item, value, ri->GetValueText(valueKey));
            return;
        }
        v = static_cast<int>(*number);
        ri->SetValue(valueKey, v, valueKey == CReadyInput::Index ? diffFile : nullptr);
    } else if (key == "/MASKTIME") {
        // Taken as the device holds it; a text that is no number is not.
        if (const std::optional<float> f = ScanWholeFloat(value))
            m_maskTime = *f;
        else
            ReportNotHeld(diffFile, m_path + key, value, StrFormat("%3.1f", m_maskTime));
    } else if (SplitEntryKey(key, "/TEXT", kTextCount, n, field) && field.empty()) {
        m_texts[n - 1] = value == "\"\"" ? std::string() : value;  // how an empty text travels
    }
}
