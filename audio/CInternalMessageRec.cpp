#include "audio/CInternalMessageRec.h"

#include <algorithm>

#include "platform/ArchiveList.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CInternalMessageRec, 2)

const char* const CInternalMessageRec::kQualityLinear = "20KHZ LINEAR";
const char* const CInternalMessageRec::kQualityMuLaw = "10KHZ \u00B5-LAW";

namespace {
constexpr uint32_t kMessageWordId = 34259;  // "Textwiedergabe"
}

CInternalMessageRec::CInternalMessageRec()
    : m_quality(kQualityLinear)
{
    m_type = OT_INTERNAL_MESSAGE_REC;
    for (int i = 0; i < kMessageCount; ++i)
        m_messageNames.push_back(DefaultMessageName(i));
}

std::string CInternalMessageRec::DefaultMessageName(int index)
{
    return StrFormat("%s %d", LoadStringId(kMessageWordId).c_str(), index + 1);
}

void CInternalMessageRec::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(m_messageNames.size()));
        for (const std::string& name : m_messageNames)
            ar << name;
        ar << m_input << m_output << m_messageNumber << m_maxTime << m_quality;
        return;
    }
    if (m_loadedSchema < 2)
        return;
    ReadCountedList(ar, m_messageNames);
    ar >> m_input >> m_output >> m_messageNumber >> m_maxTime >> m_quality;
    // A list stored shorter than the recorder's slots gets the default names of the rest.
    for (int i = static_cast<int>(m_messageNames.size()); i < kMessageCount; ++i)
        m_messageNames.push_back(DefaultMessageName(i));
    // What the recorder's window would not take from the device either is
    // refused (a new recorder's setting), a time held at its range.
    const CInternalMessageRec fresh;
    RefuseLoaded(m_input, 1, 4, fresh.m_input, "/RECORDER/INPUT", true);
    RefuseLoaded(m_output, 0, 4, fresh.m_output, "/RECORDER/OUTPUT", true);
    RefuseLoaded(m_messageNumber, 0, kMessageCount, fresh.m_messageNumber, "/RECORDER/FILE", true);
    ClampLoaded(m_maxTime, 0.0f, kMaxRecordTime, fresh.m_maxTime, "/RECORDER/MAXTIME", true, 1);
    if (!m_quality.empty() && m_quality != kQualityLinear && m_quality != kQualityMuLaw) {
        NoteHeldOnLoad("/RECORDER/QUALITY", m_quality, fresh.m_quality, true);
        m_quality = fresh.m_quality;
    }
}

int CInternalMessageRec::GetDownloadLines(int /*mode*/, int /*step*/)
{
    return 0;
}

void CInternalMessageRec::ParseUploadLines(std::string /*line*/, const std::string& /*diffFileName*/,
                                           int /*linkState*/)
{
}

int32_t CInternalMessageRec::GetInt(uint32_t key) const
{
    switch (key) {
    case recorderkey::Input:
        return m_input;
    case recorderkey::MessageNumber:
        return m_messageNumber;
    case recorderkey::Output:
        return m_output;
    default:
        return 0;
    }
}

void CInternalMessageRec::SetInt(uint32_t key, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case recorderkey::Input:
        m_input = value;
        break;
    case recorderkey::MessageNumber:
        m_messageNumber = value;
        break;
    case recorderkey::Output:
        m_output = value;
        break;
    default:
        break;
    }
}

float CInternalMessageRec::GetFloat(uint32_t key) const
{
    return key == recorderkey::MaxTime ? m_maxTime : 0.0f;
}

void CInternalMessageRec::SetFloat(uint32_t key, float value)
{
    const ChangeGuard guard(*this);
    if (key != recorderkey::MaxTime || value != value)  // a NaN leaves the time as it was
        return;
    m_maxTime = value < 0.0f ? 0.0f : (value > kMaxRecordTime ? kMaxRecordTime : value);
}

std::string CInternalMessageRec::GetValue(uint32_t key) const
{
    const uint32_t index = key >> 16;
    switch (key & 0xFFFF) {
    case recorderkey::Input:
        return StrFormat("IN%d", m_input);
    case recorderkey::MessageNumber:
        return index < m_messageNames.size() ? m_messageNames[index] : std::string();
    case recorderkey::Output:
        return StrFormat("%d", m_output);
    case recorderkey::Quality:
        return m_quality;
    case recorderkey::MaxTime:
        return StrFormat("%3.1f", static_cast<double>(m_maxTime));
    default:
        return {};
    }
}

void CInternalMessageRec::SetText(uint32_t key, const std::string& text)
{
    const ChangeGuard guard(*this);
    const uint32_t index = key >> 16;
    switch (key & 0xFFFF) {
    case recorderkey::Quality:
        if (text == kQualityLinear || text == kQualityMuLaw)
            m_quality = text;
        break;
    case recorderkey::MessageName:
        if (index < m_messageNames.size())
            m_messageNames[index] = text;
        break;
    default:
        break;
    }
}

int CInternalMessageRec::GetMessageNames(int kind, std::vector<std::string>* list) const
{
    if (!list)
        return 0;
    if (kind == 1) {
        const size_t n = std::min<size_t>(m_messageNames.size(), kMessageCount);
        list->insert(list->end(), m_messageNames.begin(), m_messageNames.begin() + static_cast<long>(n));
    }
    return static_cast<int>(list->size());
}
