#pragma once
// The device-wide settings of the zone impedance test ("/SERVICE/ZONETEST")
// and the numbers of the objects that run the daily test on the device.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"
#include "model/INumberHolder.h"

class CMacro;

class CZonetestObject : public CBaseDevice, public INumberHolder {
    QL_DECLARE_SERIAL(CZonetestObject)
public:
    // Value keys of GetValue/SetValue (and of the schedule objects, 0..9).
    enum Key : int {
        LineTestTrigger = 0,
        LineTestMacro = 1,
        StartAppointment = 2,
        LineTestDisplayMacro = 3,
        TestCondition = 4,
        OutputLogic = 5,
        ImpedanceTrigger = 6,
        ImpedanceMacro = 7,
        ImpedanceDisplayMacro = 8,
        TestFrequency = 10,
        AdjustPerDay = 11,
        MaxAdjust = 12,
        ShortDisconnect = 13,
        ImpedanceFrequency = 14,
        AmpVolume100V = 15,
        AmpVolume70V = 16,
        AmpVolume50V = 17,
        AmpVolume4Ohm = 18,
        GroundFaultDelay = 19,
        WipeCycles = 20,
    };

    CZonetestObject();

    int InitObject() override;
    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;

    // The text of a field; empty for keys 2, 9 and unknown keys.
    std::string GetValue(int key) const;
    // Keys 10..20: parses and clamps; an unreadable text changes nothing.
    void SetValue(int key, const std::string& text);

    // Creates or updates (value != 0) or removes (value 0) the "ZT " objects
    // of a schedule key (1..9, same numbering as the value keys): 1 line-test
    // macro, 2 start appointment (value: its date-time), 3 / 8 line-test /
    // impedance console display (value: console, -1 all), 4 test condition,
    // 5 output logic (value: contact number), 7 impedance macro, 9 the
    // display-off text macro. `unused` is ignored.
    void SetScheduleObject(int key, int32_t value, int unused = 0);
    // What the form shows of a schedule key (see the implementation).
    int32_t GetScheduleValue(int key) const;
    // One of the "ZT " objects deleted (in its own window): its number is
    // no longer the test's, and a later object of that number is not taken
    // up as one.
    void ForgetObject(const CBaseDevice& going) override;

    // Numbers of the "ZT " objects (0 = none).
    int32_t m_lineTestMacro = 0;
    int32_t m_lineTestDisplayMacro = 0;
    int32_t m_startAppointment = 0;
    int32_t m_testCondition = 0;
    int32_t m_outputLogic = 0;
    int32_t m_impedanceMacro = 0;
    int32_t m_impedanceDisplayMacro = 0;
    int32_t m_lineTestTrigger = 0;
    int32_t m_impedanceTrigger = 0;
    int32_t m_displayOffMacro = 0;
    // Device settings.
    float m_testFrequency = 66.0f;        // Hz, 10..23000
    float m_adjustPerDay = 0.005f;        // percent, 0.001..1
    int32_t m_maxAdjust = 2;              // percent, 0..30
    int32_t m_shortDisconnect = 0;        // 0/1
    float m_impedanceFrequency = 1000.0f; // Hz, 10..23000
    int32_t m_ampVolume100V = -20;        // dB, -78..0
    int32_t m_ampVolume70V = -17;
    int32_t m_ampVolume50V = -14;
    int32_t m_ampVolume4Ohm = -20;
    float m_groundFaultDelay = 5.0f;      // s, 0..1000
    int32_t m_wipeCycles = 5;             // 0..100, 0 = "OFF"

private:
    CBaseDevice* FindSchedule(uint32_t type, int32_t number) const;
    // Deletes the object when it still carries the "ZT " prefix; clears the field.
    void RemoveSchedule(uint32_t type, int32_t& field);
    // The object of `field`, or a new one named `name`; null when refused.
    CBaseDevice* EnsureSchedule(uint32_t type, int32_t& field, const CRuntimeClass& cls, uint32_t kindId,
                                int32_t category, uint32_t style, const std::string& name, bool* created);
    void ApplyZoneGroup(CMacro* macro) const;
    void SetDisplay(int32_t value, bool lineTest);
};
