#pragma once
// The document's table of remote-amplifier settings: 64 fixed records, each
// with four channel sub-records. In this version the records are only
// cleared, saved and loaded.

#include <array>
#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

struct RemoteAmpChannel {
    static constexpr size_t kText1Max = 63;
    static constexpr size_t kText2Max = 31;
    uint16_t words[8] = {};
    std::string text1;   // at most 63 characters
    std::string text2;   // at most 31 characters
};

struct RemoteAmpRecord {
    static constexpr size_t kText1Max = 19;
    static constexpr size_t kText2Max = 15;
    static constexpr size_t kText3Max = 5;
    std::string text1;   // at most 19 characters
    std::string text2;   // at most 15 characters
    std::string text3;   // at most 5 characters
    uint16_t words[6] = {};
    RemoteAmpChannel channels[4];
};

class CAmp : public CBaseDevice {
    QL_DECLARE_SERIAL(CAmp)
public:
    static constexpr int kRecords = 64;
    static constexpr size_t kIndexSize = 448;

    CAmp();

    void Serialize(CArchive& ar) override;
    // Nothing in the whole download (step -1 gives 0); step 0 asked directly
    // sends the clear line (query mode: clears the table and asks).
    int GetDownloadLines(int mode, int step) override;
    // Answers for the table are accepted and kept nowhere.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Index bytes all 0xFF ("free"), all records zeroed.
    void Clear();

    // The text cut to at most `maxChars` characters (a field's capacity).
    static std::string CutText(const std::string& text, size_t maxChars);

    RemoteAmpRecord m_records[kRecords];
    std::array<uint8_t, kIndexSize> m_index{};  // not stored
};
