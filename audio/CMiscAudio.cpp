#include "audio/CMiscAudio.h"

#include <cmath>

#include "audio/AudioIds.h"
#include "audio/AudioText.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMiscAudio, 1)

namespace {
// The device's values for a level at the bottom and for no attenuation.
constexpr const char* kDeviceLevelOff = "-150.0";
constexpr int32_t kDeviceBackAttOff = -127;

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
        // A damaged file must not bring values the device cannot take.
        for (float& v : m_levels)
            v = audiotext::ClampFloat(v, kMinLevel, kMaxLevel, kMinLevel);
        for (uint32_t key = 4; key < miscaudiokey::Count; ++key)
            SetValue(key, GetValue(key));
    }
}

int CMiscAudio::InitObject()
{
    const int result = CBaseDevice::InitObject();
    if (!result)
        return result;
    m_path = LoadStringId(audioid::MiscAudioPath);
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
    const ChangeGuard guard(*this);
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

std::string CMiscAudio::SendAudioLine(uint32_t key, bool shorten, bool query)
{
    FillKeywordTables();
    const auto keyword = KeywordTable().find(key);
    std::string line = "/" + m_path + "/" + (keyword == KeywordTable().end() ? std::string() : keyword->second);
    std::string value = GetValue(key);
    if (key < 4) {
        if (m_levels[key] <= kMinLevel)
            value = kDeviceLevelOff;
    } else if (key == miscaudiokey::BackAtt) {
        if (m_ints[0] == kBackAttOff)
            value = StrFormat("%d", kDeviceBackAttOff);
    } else if (key < miscaudiokey::Count) {
        // The device counts its inputs from 1.
        value = StrFormat("%d", m_ints[key - 4] + 1);
    }
    line += query ? " ?" : " " + value;
    ::SendCommand(line, m_pDocument ? m_pDocument : GetActiveDoc(), shorten);
    return line;
}

int CMiscAudio::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return miscaudiokey::Count;
    if (step < 0 || step >= static_cast<int>(miscaudiokey::Count))
        return miscaudiokey::Count;
    if (IsOutBufferFull())
        return step;
    SendAudioLine(static_cast<uint32_t>(step), false, mode != 0);
    return step + 1;
}

void CMiscAudio::ParseUploadLines(std::string line, const std::string& /*diffFileName*/, int /*linkState*/)
{
    // "AUDIO/BACK_ATT -20": the key word after the path, without digits.
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (value == "?")
        return;  // an echoed query
    const size_t slash = path.find('/');
    std::string word = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    word = word.substr(0, word.find_first_of("0123456789"));
    FillKeywordTables();
    const auto found = KeyTable().find(word);
    bool ok = found != KeyTable().end();
    const uint32_t key = ok ? found->second : 0;
    if (ok && key < 4) {
        if (audiotext::LeadingFloat(value) <= kMinLevel)
            value = StrFormat("%f", static_cast<double>(kMinLevel));
    } else if (ok && key == miscaudiokey::BackAtt) {
        const double v = audiotext::LeadingFloat(value);
        int32_t n = kBackAttOff;
        if (v >= 0.0)
            n = 0;
        else if (v > kBackAttOff)
            n = static_cast<int32_t>(std::trunc(v));
        value = StrFormat("%d", n);
    } else if (ok) {
        // The device counts its inputs from 1.
        const auto n = audiotext::ScanInt(value);
        ok = n.has_value() && *n > INT32_MIN;
        if (ok)
            value = StrFormat("%d", *n - 1);
    }
    if (!ok || !SetValue(key, value))
        ShowMessage(LoadStringId(audioid::ParserError), mb::Ok | mb::IconExclamation);
}
