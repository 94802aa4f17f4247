#include "hardware/CAmp.h"

#include "model/DocContext.h"

QL_IMPLEMENT_SERIAL(CAmp, 1)

CAmp::CAmp()
{
    m_type = OT_AMP;
    Clear();
}

void CAmp::Clear()
{
    m_index.fill(0xFF);
    for (RemoteAmpRecord& r : m_records)
        r = RemoteAmpRecord();
}

std::string CAmp::CutText(const std::string& text, size_t maxChars)
{
    // Count characters, not bytes: a text holds UTF-8 inside the program.
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == maxChars)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

void CAmp::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const RemoteAmpRecord& r : m_records) {
            ar << CutText(r.text1, RemoteAmpRecord::kText1Max) << CutText(r.text2, RemoteAmpRecord::kText2Max)
               << CutText(r.text3, RemoteAmpRecord::kText3Max);
            for (uint16_t w : r.words)
                ar << w;
            for (const RemoteAmpChannel& c : r.channels) {
                for (uint16_t w : c.words)
                    ar << w;
                ar << CutText(c.text1, RemoteAmpChannel::kText1Max) << CutText(c.text2, RemoteAmpChannel::kText2Max);
            }
        }
        return;
    }
    for (RemoteAmpRecord& r : m_records) {
        std::string t1, t2, t3;
        ar >> t1 >> t2 >> t3;
        r.text1 = CutText(t1, RemoteAmpRecord::kText1Max);
        r.text2 = CutText(t2, RemoteAmpRecord::kText2Max);
        r.text3 = CutText(t3, RemoteAmpRecord::kText3Max);
        for (uint16_t& w : r.words)
            ar >> w;
        for (RemoteAmpChannel& c : r.channels) {
            for (uint16_t& w : c.words)
                ar >> w;
            std::string c1, c2;
            ar >> c1 >> c2;
            c.text1 = CutText(c1, RemoteAmpChannel::kText1Max);
            c.text2 = CutText(c2, RemoteAmpChannel::kText2Max);
        }
    }
}

int CAmp::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return 0;
    if (IsOutBufferFull())
        return step;
    if (step != 0)
        return step;
    std::string line = m_path + "/CLEAR ";
    if (mode != 0) {
        Clear();
        line += "?";
    } else {
        line += "ALL";
    }
    SendCommand(line, m_pDocument, false);
    return 1;
}

void CAmp::ParseUploadLines(std::string, const std::string&, int)
{
    // The table keeps no device values: every answer is accepted and dropped.
}
