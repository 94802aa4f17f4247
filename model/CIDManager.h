#pragma once
// The object directory of a document: for each type code 1..67 a table of
// fixed capacity mapping the object's number to the object.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ObjectTypeCode.h"

class CBaseDevice;
class CControlPad;
using DeviceList = std::vector<CBaseDevice*>;

class CIDManager {
public:
    CIDManager();

    static bool IsValidType(uint32_t type);
    bool IsValidID(int32_t number, uint32_t type) const;

    // Stores the object at the lowest free number (from 0 for groups, else
    // from 1) and returns it; -1 when the table is full (or the type is bad).
    // Group number 0 is a valid result, so "full" is not 0.
    int32_t GetNextID(CBaseDevice* obj, uint32_t type);
    int AddID(CBaseDevice* obj, uint32_t type, int32_t number);
    int RemoveID(CBaseDevice* obj, uint32_t type, int32_t number);
    // The object at the key (null when free). A bad key shows the AddID
    // message and gives null: use IsTaken where a bad key must count as taken.
    CBaseDevice* IsIDTaken(CBaseDevice* obj, uint32_t type, int32_t number) const;
    // True when the key holds an object or is bad (a bad key also shows the message).
    bool IsTaken(CBaseDevice* obj, uint32_t type, int32_t number) const;
    CBaseDevice* GetBaseDevice(int32_t number, uint32_t type) const;
    int32_t GetCount(uint32_t type) const;
    int32_t GetMaxID(uint32_t type) const;
    void GetBaseDeviceList(DeviceList& list, uint32_t type) const;
    void GetBaseDeviceListByKind(DeviceList& list, uint32_t type, uint32_t kindId) const;
    void RemoveAndClose(uint32_t type, int32_t number);
    void DeleteFrom(uint32_t type, int32_t from, int32_t to);
    int ChangeID(CBaseDevice* obj, int32_t oldNumber, int32_t newNumber);
    // Remote-capable amplifiers in bus-address order (0..64).
    void GetRemoteAmpsByAddress(DeviceList& list) const;
    std::string GetAmpChannelText(int32_t channel) const;
    CControlPad* FindControlPadByKeyword(const std::string& keyword, int32_t index) const;

    // Empties every table (the objects are not touched).
    void Clear();

    // How the amplifier facts are read (the amplifier class installs it): the
    // remote flag, the channel count and the bus address of an amplifier.
    struct AmpInfo {
        bool remote = false;
        int32_t channels = 0;
        int32_t address = 0;
    };
    using AmpInfoFn = AmpInfo (*)(const CBaseDevice* amp);
    static AmpInfoFn SetAmpInfoFn(AmpInfoFn fn);

private:
    std::array<std::vector<CBaseDevice*>, OT_LAST + 1> m_tables;
};
