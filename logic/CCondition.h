#pragma once
// One entry of the central device's condition table: a function (the kind id,
// a ConditionFunctionKind), an index that selects what the function watches,
// and a level (ON/OFF). Functions that watch an object hold it as the
// outgoing link at key 0 to the object's key 1; the others keep the index in
// a field. Triggers, logic outputs, combined conditions and macros refer to
// conditions by number.

#include <cstdint>
#include <string>
#include <vector>

#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

// Function kinds (string ids of their display names).
namespace condkind {
enum : uint32_t {
    None = 34421,        // "Kein Eintrag"
    Plain = 34129,       // "Bedingung": an unknown keyword
    PilotGen = 34568,
    SlotIn = 34321,
    SlotOut = 34322,
    Inp = 34323,
    LMZ763 = 32796,
    LMZ764 = 32797,
    LMZ771 = 34136,
    Memo = 34130,
    Analog = 34358,
    Busy = 34456,
    Combine = 34359,
    Power = 34132,
    Pilot = 34133,
    AnalogVcc = 34135,
    Volts24Sig = 34324,  // "24VOLTS": the pad's own kind, read back
    Volts24 = 34134,     // "24 Volt": offered and written
    Fault = 34094,
    Ready = 34093,
    AnyFaultInp = 34095,
    AllReadyInp = 34096,
    ReadyInp = 34282,
    FaultInp = 34297,
    TalkCons = 34326,
    TalkKey = 34327,
    Alarm = 34253,
    Chime = 34252,
    Message = 34259,
    Console = 34517,
    BProg = 34476,
    KvtErr = 34356,
    AmpErr = 34480,
    LmzErr = 34355,
    SpareErr = 34357,
    ConsErr = 34354,
    TalkIn = 34328,
    PwrOn = 34540,
    PwrOff = 34539,
    PwrBoot = 34541,
    PwrShut = 34542,
    RecPlay = 34543,
    RecRecord = 34544,
    RecErase = 34545,
    RecStop = 34546,
    Mute = 34547,
    ZoneTest = 34577,
    ZoneErr = 34578,
    ZoneGndFlt = 34579,
    GndFlt = 34580,
    OldConsole = 34063,  // console kind of old files
};
}

// Value keys of GetValue / SetValue / ParseValue / GetText.
namespace condkey {
enum : int {
    Keyword = 0,        // ParseValue, GetText: the protocol keyword
    ProtocolIndex = 1,  // SetValue: index read back; GetText: the index as sent
    Level = 2,          // 1 ON, 0 OFF
    Unused = 3,
    Object = 4,         // the index as object number; GetText: display text
    Kind = 5,           // SetValue: the function kind
};
}

class CCondition : public CBaseDevice {
    QL_DECLARE_SERIAL(CCondition)
public:
    bool BecomeFreeOnDevice() override;
    bool IsFreeOnDeviceForm() const override;
    static constexpr uint32_t kKindId = condkind::Plain;

    CCondition();
    ~CCondition() override;

    void Serialize(CArchive& ar) override;
    int PostLoad() override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    int32_t GetValue(int key) const;
    // `diffFile`: the upload difference file, or null when nothing is reported.
    void SetValue(int key, int32_t value, const std::string* diffFile = nullptr);
    void ParseValue(int key, const std::string& text, const std::string* diffFile = nullptr);
    std::string GetText(int key) const;
    // What the index selects, as a string id (0: nothing).
    uint32_t GetIndexKind() const;

    // Column 0: the function kinds offered. Returns the list's count.
    static int GetChoiceIds(int column, std::vector<uint32_t>* ids);
    // The download / query lines of this entry (relative to the entry's path).
    int GetEntryLines(std::vector<std::string>& lines) const;
    static int GetEntryQueries(std::vector<std::string>& lines);

    // Upgrades of conditions stored by older versions (run by PostLoad).
    void UpgradeLinks();
    void UpgradeKind();

    // What a function read back from the device replaces: put back when
    // the index read with it cannot be taken, as the two mean something
    // only together.
    struct FunctionHeld {
        uint32_t kind = 0;
        std::string keyword;
        int32_t untakenIndex = 0;
        bool newFunctionReadBack = false;
    };
    FunctionHeld GetFunctionHeld() const;
    void PutBackFunction(const FunctionHeld& held);

    // The kind of a protocol keyword (34129 for an unknown word) and back
    // ("OFF" for kinds without a keyword of their own).
    static uint32_t KindFromKeyword(const std::string& keyword);
    static std::string KeywordOfKind(uint32_t kind);

    std::string m_keyword = "OFF";    // keyword last read back from the device
    std::string m_levelText = "OFF";  // level text of old files
    // The index the device gave a function that watches an object or a
    // contact, when the project holds no such object or contact and cannot
    // make one (0: none). It is written back as it came, so that a download
    // never puts another meaning in its place; the list shows it as "n *".
    int32_t m_untakenIndex = 0;
    int32_t m_index = 0;              // index of functions that link no object
    uint32_t m_level = 0;             // 0 OFF, else ON

private:
    void LinkObject(CBaseDevice* obj);
    void Relabel();
    void EditLevelInName();
    void ReportMissing(const std::string* diffFile, const std::string& detail) const;
    // Whether the project holds, or can make, the object an index names.
    bool CanHoldObject(int32_t number) const;
    // The difference file's text for an object the project lacks.
    std::string MissingObjectText(int32_t number) const;

    bool m_readFromFile = false;  // only objects read from a file are upgraded
    // The device's answer gave this entry another function than it had: the
    // index read back next is taken afresh, not as the design wrote it.
    bool m_newFunctionReadBack = false;
};
