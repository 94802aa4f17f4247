#include "audio/CMiscAudio.h"

#include "audio/AudioText.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMiscAudio, 1)

namespace {
constexpr uint32_t kPathTextId = 34079;  // "AUDIO"

std::unordered_map<std::string, uint32_t>& KeyTable()
{
    static std::unordered_map<std::string, uint32_t> table(10);
    return table;
}

std::unordered_map<uint32_t, std::string>& KeywordTable()
{
    static std::unordered_map<uint32_t, std::string> table(10);
    return table;
}
}  // namespace

CMiscAudio::CMiscAudio()
{
    m_type = OT_MISC_AUDIO;
}

void CMiscAudio::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (float v : m_levels)
            ar << v;
        for (int32_t v : m_ints)
            ar << v;
    } else {
        for (float& v : m_levels)
            ar >> v;
        for (int32_t& v : m_ints)
            ar >> v;
    }
}

int CMiscAudio::InitObject()
{
    const int result = CBaseDevice::InitObject();
    if (!result)
        return result;
    m_path = LoadStringId(kPathTextId);
    FillKeywordTables();
    return result;
}

void CMiscAudio::FillKeywordTables()
{
    if (!KeyTable().empty())
        return;
    static const char* const kKeywords[miscaudiokey::Count] = {
        "ALARM_VOL", "CHIME_VOL", "MESSAGE_VOL", "PANIC_VOL",
        "BACK_ATT", "EXT_ALARM_INP", "EXT_MSG_INP", "BACK_INP",
    };
    for (uint32_t key = 0; key < miscaudiokey::Count; ++key) {
        KeyTable()[kKeywords[key]] = key;
        KeywordTable()[key] = kKeywords[key];
    }
}

const std::unordered_map<std::string, uint32_t>& CMiscAudio::KeyOfKeyword()
{
    return KeyTable();
}

const std::unordered_map<uint32_t, std::string>& CMiscAudio::KeywordOfKey()
{
    return KeywordTable();
}

std::string CMiscAudio::GetValue(uint32_t key) const
{
    if (key < 4)
        return StrFormat("%2.1f", static_cast<double>(m_levels[key]));
    if (key < 8)
        return StrFormat("%d", m_ints[key - 4]);
    return {};
}

bool CMiscAudio::SetValue(uint32_t key, const std::string& text)
{
    if (key < 4) {
        m_levels[key] = audiotext::ClampFloat(audiotext::LeadingFloat(text), kMinLevel, kMaxLevel,
                                              m_levels[key]);
        return true;
    }
    if (key == miscaudiokey::BackAtt) {
        const int32_t n = audiotext::LeadingInt(text);
        m_ints[0] = n < -40 ? kBackAttOff : (n >= 0 ? 0 : n);
        return true;
    }
    if (key < 8) {
        const int32_t n = audiotext::LeadingInt(text);
        m_ints[key - 4] = n < 1 ? 0 : (n >= 3 ? 3 : n);
        return true;
    }
    return false;
}
