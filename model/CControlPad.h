#pragma once
// A control pad stands for one binary signal: a contact of a card or slot, or
// an internal state signal of the central device. The kind id selects the
// signal; the link at key 0 ties it to its contact, incoming links at key 1
// come from the conditions that watch it.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

// Kind ids of control pads.
namespace padkind {
enum : uint32_t {
    LMZ763 = 32796,
    LMZ764 = 32797,
    LMZ771 = 34136,
    LMZ775In = 32848,        // "LMZ775 Eingang"
    LMZ775Out = 32849,       // "LMZ775 Ausgang"
    SlotIn = 34321,          // "Digitalsloteingang"
    SlotOut = 34322,         // "Digitalslotausgang"
    InterfaceIn = 34323,     // "Interfaceeingang"
    SlaveClocks = 34091,     // "Nebenuhren"
    DcfReceiver = 34092,     // "DCF Receiver"
    Ready = 34093,           // "READY"
    Fault = 34094,           // "FAULT"
    AnyFaultInp = 34095,     // "ANY_FAULTINP"
    AllReadyInp = 34096,     // "ALL_READYINP"
    Power = 34132,           // "Betriebsspannung"
    Pilot = 34133,           // "Pilotton"
    Volts24 = 34134,         // "24 Volt"
    AnalogVcc = 34135,       // "Analog VCC"
    Volts24Sig = 34324,      // "24VOLTS"
    LMZ752 = 34262,
    LMZ775 = 34263,
    OldInput = 33020,        // "Input" of old files
    OldOutput = 33021,       // "Output" of old files
};
}

class CControlPad : public CBaseDevice {
    QL_DECLARE_SERIAL(CControlPad)
public:
    CControlPad();

    using CBaseDevice::Create;
    // The pad's form: (left, top) is the contact point; right/bottom unused.
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name, int32_t left,
               int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
               uint32_t style, CQuillomerDoc* doc) override;
    void Serialize(CArchive& ar) override;
    int PostLoad() override;
    void LayoutConnectionPoints() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    // The Delete key deletes the pad only where its menu offers deleting.
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    void SetName(std::string name) override;
    int SetNameUnique(std::string& name, bool ask) override;

    int32_t GetSignalIndex() const;
    std::string GetKeyword() const;
    bool MatchesKeyword(const std::string& text, int32_t index) const;
    // Among the incoming links at key 1, the first condition whose state text
    // is "ON" (state 1) or "OFF" (state 0).
    CBaseDevice* FindLinkedByState(int32_t state) const;

    // Kinds of signals the device sends out (connector on the left).
    static bool IsOutputKind(uint32_t kindId);
    // The kind's text (string table), "LMZ763", "READY", ...
    static std::string KindText(uint32_t kindId);

    // The relay number (1..500) of a relay object; the relay class installs
    // it. Without it the relay's directory number is used.
    using RelayNumberFn = int32_t (*)(const CBaseDevice* relay);
    static RelayNumberFn SetRelayNumberFn(RelayNumberFn fn);

private:
    void ApplyLayoutFix();
    void ShrinkTo17();
    // Nothing depends on the pad, so its menu offers deleting it.
    bool IsDeletable() const;
};

// The condition text (its level, value 2: "ON"/"OFF") of a condition object;
// empty for other objects. The condition class installs the reader (a test or
// another condition class may install its own).
using ConditionTextFn = std::string (*)(const CBaseDevice* condition);
ConditionTextFn SetConditionTextFn(ConditionTextFn fn);
std::string GetConditionText(const CBaseDevice* condition);
