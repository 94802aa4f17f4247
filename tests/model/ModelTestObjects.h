#pragma once
// Plain objects of chosen type codes for the object-model tests.

#include <cstdint>

#include "model/CBaseDevice.h"

class TestDevice : public CBaseDevice {
    QL_DECLARE_SERIAL(TestDevice)
public:
    TestDevice() : TestDevice(OT_ZONE) {}
    explicit TestDevice(uint32_t type, int32_t classValue = 0)
    {
        m_type = type;
        m_classValue = classValue;
    }
    void Serialize(CArchive& ar) override
    {
        CBaseDevice::Serialize(ar);
        if (ar.IsStoring())
            ar << m_type;
        else
            ar >> m_type;
    }
    int GetDownloadLines(int mode, int step) override { return CBaseDevice::GetDownloadLines(mode, step); }
};

// Makes an object of a type with Create (symbol) in a document and appends it.
TestDevice* MakeDevice(CQuillomerDoc& doc, uint32_t type, int32_t category, const char* name = nullptr,
                       CRect rect = CRect(100, 100, 200, 160), int32_t inputs = 1, int32_t outputs = 1,
                       uint32_t kind = 0);
