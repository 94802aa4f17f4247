#pragma once
// An external device attached to an audio input or to the interface card:
// microphone, console, mixer, line source, player, message recorder, monitor,
// PC, or a 24 V power pack ("FJX3392", "FJX3397"). A power pack keeps the
// numbers of the control objects it generates for itself (conditions,
// triggers, a logic output and macros, all named "FJX ..."), which switch the
// remote amplifiers between mains and battery supply, show LCD texts and react
// to an external signal.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"
#include "model/INumberHolder.h"

namespace audiodevice {
enum : uint32_t {
    KindMonitor = 33027,      // "Monitor"
    KindRecorder = 33064,     // "Message Recorder hinzufügen"
    KindFJX3392 = 33100,      // power pack
    KindFJX3397 = 33101,      // power pack
};
}

class CAudioInputDevice : public CBaseDevice, public INumberHolder {
    QL_DECLARE_SERIAL(CAudioInputDevice)
public:
    // The numbers of the generated objects (PowerPackField), in stored order.
    enum PowerPackField : int {
        MacroMainsOn = 0,     // #1  "FJX Remote Amp. Mains ON"
        MacroBattOn,          // #2  "FJX Remote Amp. Batt. ON"
        MacroAmpOff,          // #3  "FJX Remote Amp. OFF"
        MacroOn,              // #4  "FJX On" (sequence)
        MacroOff,             // #5  "FJX Off" (sequence)
        LcdMains,             // #6  "FJX LCDText <Netzbetrieb>"
        LcdBatt,              // #7  "FJX LCDText <Batteriebetr.>"
        LcdStandby,           // #8  "FJX LCDText <Anlage Standby>"
        MacroExtOn,           // #9  "FJX Ext. Signal ON"
        MacroExtOff,          // #10 "FJX Ext. Signal OFF"
        TriggerSupply,        // #11 trigger on #17
        TriggerContact,       // #12 trigger on #15
        TriggerExt,           // #13 trigger on #19
        LogicOut,             // #14 logic output
        CondContactOn,        // #15 the pack's contact ON
        CondContactOff,       // #16 the pack's contact OFF
        CondSupplyOn,         // #17 "Betriebsspannung" ON
        CondSupplyOff,        // #18 "Betriebsspannung" OFF
        CondExtOn,            // #19 the external signal's contact ON
        kFieldCount
    };

    CAudioInputDevice();

    using CBaseDevice::AvoidOverlap;
    using CBaseDevice::Create;
    void Serialize(CArchive& ar) override;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    void LayoutConnectionPoints() override;
    void CalcBoundingRect() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    void AvoidOverlap() override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    bool IsPowerPack() const;

    // ---- Power pack set-up (the power supply dialog) ----
    int32_t GetItem(int n) const;
    std::string GetMacroText(int n) const;
    void SetMacroText(int n, const std::string& text);
    // Creates, updates or removes the objects of item n (see the items).
    void CreateDefaultObjects(int n, int32_t value);
    // How many objects of `type` (macro, condition, trigger, logic output)
    // CreateDefaultObjects(n, value) would make anew and take away, so that a
    // caller can tell beforehand whether the project has numbers for them.
    struct ObjectCount {
        int made = 0;
        int removed = 0;
    };
    ObjectCount CountDefaultObjects(int n, int32_t value, uint32_t type) const;

    // One of the pack's "FJX " objects deleted: its number is no longer the
    // pack's, and a later object of that number is not taken up as one.
    void ForgetObject(const CBaseDevice& going) override;

    int32_t GetField(int field) const { return field >= 0 && field < kFieldCount ? m_fields[field] : 0; }

    // How the properties dialogs of the message recorder (external audio
    // signals) and of the power packs (power supply) are shown; the windows
    // install it. Called with the device.
    using DialogFn = void (*)(CAudioInputDevice* device);
    static DialogFn SetDialogFn(DialogFn fn);

    int32_t m_fields[kFieldCount] = {};

private:
    void OpenProperties();
    bool RefusesDeletion() const;

    CBaseDevice* Find(int field, uint32_t type) const;
    CBaseDevice* FindMacro(int field) const;
    // Deletes the object of a field when it still carries the "FJX " prefix;
    // the field is cleared in any case.
    void Remove(int field, uint32_t type);
    // The macro of a field: the existing one, else a new one of the type,
    // switch flag `on`, named `name`. Null when it cannot be created.
    CBaseDevice* EnsureMacro(int field, uint32_t macroType, int32_t on, const std::string& name, bool* created);
    CBaseDevice* NewMacro(uint32_t macroType, int32_t on, const std::string& name);
    // A new condition, trigger or logic output (class name) in category 12.
    CBaseDevice* NewLogicObject(const char* className, uint32_t kindId);
    void NameWithPrefix(CBaseDevice* obj, const std::string& name);
    // The condition watching a contact in the given state: the one linked to
    // it, else a new one of the contact's kind.
    CBaseDevice* ContactCondition(CBaseDevice* pad, int32_t state);
    CBaseDevice* EnsureTrigger(int field);
    void SetMacroParam(int field, int param, int32_t value);

    void ItemMain(int32_t contact);
    void ItemBattery(int32_t value);
    void ItemLogicOut(int32_t contact);
    void ItemExternal(int32_t contact);
    void ItemLcd(int n, int32_t value);
};
