#include "audio/CMiscAudio.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "audio/AudioIds.h"
#include "audio/AudioText.h"
#include "model/BlockWalk.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
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
        // A damaged file must not bring values the device cannot take: they
        // are held at the ranges, as the device's answers are, and named in
        // the device's counting.
        FillKeywordTables();
        const auto item = [](uint32_t key) {
            return "/" + LoadStringId(audioid::MiscAudioPath) + "/" + KeywordTable()[key];
        };
        for (uint32_t key = 0; key < 4; ++key) {
            const float file = m_levels[key];
            m_levels[key] = audiotext::ClampFloat(file, kMinLevel, kMaxLevel, kMinLevel);
            if (!(m_levels[key] == file))
                NoteHeldOnLoad(item(key), StrFormat("%.1f", static_cast<double>(file)), DeviceValueText(key), true);
        }
        for (uint32_t key = 4; key < miscaudiokey::Count; ++key) {
            const int32_t file = m_ints[key - 4];
            SetValue(key, GetValue(key));
            if (m_ints[key - 4] != file)
                NoteHeldOnLoad(item(key), StrFormat("%lld", file + (key == miscaudiokey::BackAtt ? 0LL : 1LL)),
                               DeviceValueText(key), true);
        }
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

std::string CMiscAudio::DeviceValueText(uint32_t key) const
{
    if (key < 4)
        return m_levels[key] <= kMinLevel ? std::string(kDeviceLevelOff) : GetValue(key);
    if (key == miscaudiokey::BackAtt)
        return StrFormat("%d", m_ints[0] == kBackAttOff ? kDeviceBackAttOff : m_ints[0]);
    if (key < miscaudiokey::Count)
        return StrFormat("%d", m_ints[key - 4] + 1);  // the device counts its inputs from 1
    return {};
}

std::string CMiscAudio::SendAudioLine(uint32_t key, bool shorten, bool query)
{
    FillKeywordTables();
    const auto keyword = KeywordTable().find(key);
    std::string line = "/" + m_path + "/" + (keyword == KeywordTable().end() ? std::string() : keyword->second);
    line += query ? " ?" : " " + DeviceValueText(key);
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

void CMiscAudio::ParseUploadLines(std::string line, const std::string& diffFileName, int /*linkState*/)
{
    // "AUDIO/BACK_ATT -20": the key word after the path, without digits.
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (IsRefusedValue(value))
        return;  // an echoed query, or a key the device did not understand
    const size_t slash = path.find('/');
    std::string word = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    word = word.substr(0, word.find_first_of("0123456789"));
    FillKeywordTables();
    const auto found = KeyTable().find(word);
    if (found == KeyTable().end()) {
        ShowMessage(LoadStringId(audioid::ParserError), mb::Ok | mb::IconExclamation);
        return;
    }
    const uint32_t key = found->second;
    const std::string* diffFile = diffFileName.empty() ? nullptr : &diffFileName;
    // Only a number standing alone is a value; what the object cannot hold
    // as the device gave it is named with what it holds instead, which its
    // next download sends.
    bool read = false, named = false;
    const ChangeGuard guard(*this);
    if (key == miscaudiokey::BackAtt) {
        if (const std::optional<float> v = ScanWholeFloat(value)) {
            read = true;
            // At or below -41 the attenuation is off: the device writes that as -127.
            const double whole = std::trunc(*v);
            m_ints[0] = *v >= 0.0f ? 0 : (whole > kBackAttOff ? static_cast<int32_t>(whole) : kBackAttOff);
            named = whole != *v || *v > 0.0f || (*v <= kBackAttOff && *v != kDeviceBackAttOff);
        }
    } else if (key < 4) {
        if (const std::optional<float> v = ScanWholeFloat(value)) {
            read = true;
            // At or below -80.0 a level is the bottom, which the device writes as -150.0.
            m_levels[key] = std::clamp(*v, kMinLevel, kMaxLevel);
            named = *v > kMaxLevel;
        }
    } else if (const std::optional<long> n = ScanWholeNumber(value, LONG_MIN, LONG_MAX)) {
        read = true;
        // The device counts its inputs from 1.
        const long input = *n - 1;
        m_ints[key - 4] = static_cast<int32_t>(std::clamp(input, 0L, 3L));
        named = m_ints[key - 4] != input;
    }
    if (!read || named)
        ReportNotHeld(diffFile, "/" + path, value, DeviceValueText(key));
    if (!read)
        ShowMessage(LoadStringId(audioid::ParserError), mb::Ok | mb::IconExclamation);
}
