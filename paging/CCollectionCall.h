#pragma once
// One of the central device's ten collective-call channels: a relay switched
// for the call (linked into key 0) and the zones and groups the call reaches
// (its outgoing links). It has no symbol on the sheet and is never deleted.

#include <string>

#include "model/CBaseDevice.h"

class CCollectionCall : public CBaseDevice {
    QL_DECLARE_SERIAL(CCollectionCall)
public:
    CCollectionCall();

    // The name of the object linked into key 0 when there is one, else its own.
    const std::string& GetName() const override;
    int OnCommand(uint32_t commandId) override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // The relay value ("0" or the relay's number) and the zones value.
    std::string GetRelayText() const;
    std::string GetZonesText() const;
};
