#include "logic/CGlobalReadyInput.h"

#include <cmath>
#include <cstdio>

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
    const int index = (key >> 16) & 0xFFFF;
    switch (key & 0xFFFF) {
    case FaultText:
        if (index < kTextCount)
            m_texts[index] = text;
        break;
    case MaskTime: {
        float v = 0.0f;
        if (std::sscanf(text.c_str(), "%f", &v) == 1)
            SetFloatValue(MaskTime, v);
        break;
    }
    default:
        break;
    }
}

void CGlobalReadyInput::SetFloatValue(int key, float value)
{
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
