#pragma once
// The "/CONS" node of the device: the settings that concern all consoles
// together. Its one setting is the reference set, the console numbers 1..16
// sent under "/REFERENCE" ("NONE" when empty).

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CConsoleObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CConsoleObject)
public:
    static constexpr unsigned kConsoles = 16;

    CConsoleObject();

    void Serialize(CArchive& ar) override;
    int InitObject() override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Selector: low 16 bits 1, high 16 bits the console number. True when the
    // console is in the reference set.
    bool IsReference(uint32_t selector) const;
    // Selector 1; state: high 16 bits on (1) / off (0), low 16 bits the console.
    void SetReference(uint32_t selector, uint32_t state);

    const std::string& GetReferenceText() const { return m_reference; }

    std::string m_reference = "NONE";
};
