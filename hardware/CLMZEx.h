#pragma once
// A block of extended settings for the LMZ card family: eight named entries
// and two assignment tables. No editor makes one; it comes into a design only
// from a project file that holds it, and then takes part in saving, download
// and upload. The entries are stored with the project; the two markers and
// the tables are not.

#include <array>
#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CLMZEx : public CBaseDevice {
    QL_DECLARE_SERIAL(CLMZEx)
public:
    static constexpr int kEntries = 8;
    static constexpr int kWords = 9;
    static constexpr size_t kFirstTextMax = 15;   // characters
    static constexpr size_t kSecondTextMax = 5;
    static constexpr int kTableSize = 240;

    struct Entry {
        std::string firstText;
        std::string secondText;
        std::array<uint16_t, kWords> words{};
    };

    CLMZEx();

    // Every entry empty and zero, markers and table cells -1.
    void Reset();

    void Serialize(CArchive& ar) override;
    // Step 0 clears the device block ("<path>/CLEAR ALL") or asks for it
    // ("<path>/CLEAR ?"); the query first resets the block in the design,
    // since its answers are not read back.
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    std::array<Entry, kEntries> m_entries;
    std::array<int32_t, 2> m_markers{};
    std::array<int32_t, kTableSize> m_firstTable{};
    std::array<int32_t, kTableSize> m_secondTable{};
};
