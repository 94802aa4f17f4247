#pragma once
// One memo flag of the central device (numbers 1..200): an internal flag that
// memo-flag macros set or clear and memo conditions test. It has no settings
// of its own and no protocol block; it exists so that macros and conditions
// can refer to it and the user can name it. Its path is "/MEMO" + number.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CMemoFlag : public CBaseDevice {
    QL_DECLARE_SERIAL(CMemoFlag)
public:
    static constexpr uint32_t kKindId = 34130;  // "MemoFlag"

    CMemoFlag();

    void Serialize(CArchive& ar) override;
    // Mode 1: the titles "Name" and "ID"; otherwise the name and the number.
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    // Name at 2, number at 30, both on the first line.
    int GetListColumns(std::vector<ListColumn>& columns) override;
};
