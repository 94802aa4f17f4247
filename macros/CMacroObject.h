#pragma once
// The macro block "/MACRO": the one object per project that writes all macro
// programs to the device and reads them back into the document's macros.

#include <cstdint>
#include <list>
#include <string>

#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

class CMacroObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CMacroObject)
public:
    static constexpr uint32_t kKindId = 34463;      // "Makroobjekt"
    static constexpr uint32_t kNameTextId = 32806;  // "Makro"
    static constexpr const char* kPath = "/MACRO";
    static constexpr int kStepCount = 253;          // clear, 250 programs, BOOT, SHUT

    CMacroObject();

    // Enters "/MACRO" in the path map as well, so the block's answers reach it.
    int InitObject() override;
    // Gives the object its display name "Makro".
    int PostLoad() override;
    // Clear, one group of lines per macro number, then "/BOOT" and "/SHUT".
    // In an upload each macro waits for its "/TYPE" answer before its queries.
    int GetDownloadLines(int mode, int step) override;
    // Applies the device's answers of the block (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Transfer state; reset at the start of every transfer.
    BlockClearState m_clear;        // device capability "MACRO_CLR"
    int32_t m_typeAnswered = 0;     // "/TYPE" answer of the macro in progress handled
    int32_t m_macroInProgress = 0;
    std::list<std::string> m_pending;  // parameter or query lines of the current macro
};
