#pragma once
// A message generator of older projects; its one word is kept as loaded.

#include <cstdint>

#include "model/CBaseDevice.h"

class CMessage : public CBaseDevice {
    QL_DECLARE_SERIAL(CMessage)
public:
    CMessage();
    void Serialize(CArchive& ar) override;

    uint32_t m_word = 0;
};
