#pragma once
// One macro: a numbered program of the central device of one macro type (the
// kind id, a MacroTypeId). Its values are addressed by parameter numbers
// 1..76 (0 addresses the type); references to other objects are links under
// the MacroLinkKey values. Editor views, key dialogs, lists and the macro
// block read and change a macro only through the parameter operations.

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "macros/MacroIds.h"
#include "model/AnswerGroup.h"
#include "model/CBaseDevice.h"

// Link keys of a macro's references.
namespace macrolink {
enum : int32_t {
    Zones = 0,
    Prechime = 100,
    Chime = 200,
    Alarm = 300,
    LogicOut = 400,
    Console = 800,
    StepMacro = 900,      // 900..904
    StepCondition = 910,  // 910..914
    Message = 1000,
    MemoFlag = 1210,
    PowerOnMacro = 1300,
    PowerOffMacro = 1301,
    RepeatCondition = 1600,
    RepeatMacro = 1700,
};
}

struct MacroStep {
    int32_t legacyMacro = 0;
    std::string legacyDelayText = "0";
    int32_t legacyCondition = 0;
    float delay = 0.0f;
};

class CMacro : public CBaseDevice {
    QL_DECLARE_SERIAL(CMacro)
public:
    std::string GetItemText() const override;
    std::string GetHeldItem(int32_t ownKey) const override;
    bool BecomeFreeOnDevice() override;
    bool IsFreeOnDeviceForm() const override;
    static constexpr int kSteps = 5;
    static constexpr int kMaxZones = 100;
    // The repeat macro's interval (seconds) and count (0: without end).
    static constexpr int32_t kMaxRepeatInterval = 300;
    static constexpr int32_t kMaxRepeatCount = 65535;
    // The longest times a macro holds, in seconds: a step's delay and a
    // switching time, and a recording.
    static constexpr float kMaxTime = 300.0f;
    static constexpr float kMaxRecordTime = 360.4f;
    // The highest priority a macro's priority list shows (10, in tens; the
    // unit is the switch-off macro's odd one).
    static constexpr int32_t kMaxPriority = 109;
    // The audio inputs a page or a record macro offers: 0 (OFF), IN1..IN4.
    static constexpr int32_t kInputs = 4;
    // The words a volume macro names its controller with, "OFF" first.
    static const std::vector<std::string>& VolumeControllers();
    // The recording formats of a record macro, the first one the default.
    static const std::vector<std::string>& RecordFormats();

    CMacro();

    void Serialize(CArchive& ar) override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // ---- Parameters ----
    // `errFile`: the upload difference file, or null when nothing is reported.
    int32_t GetParam(int number) const;
    float GetParamFloat(int number) const;
    std::string GetParamText(int number) const;
    void SetParam(int number, int32_t value, const std::string* errFile = nullptr);
    void SetParamFloat(int number, float value);
    // False when the text was refused: a zone text whose numbers do not fit
    // the macro's 100 zones (or too long to be read) changes nothing.
    bool SetParamText(int number, const std::string& text, const std::string* errFile = nullptr);

    // Makes the listed zones and groups the macro's targets.
    void SetZones(const DeviceList& targets);
    // The range text of the linked zones; stored when `store`. True when the
    // all-lines group (group 0) is among the targets.
    bool UpdateZoneText(bool store);
    // Drops from the zone text the zones of `zones` its links reach no more.
    void ZonesGone(const std::vector<int32_t>& zones) override;

    // ---- Protocol ----
    // Fills `lines` with the macro's parameter lines; returns the keyword.
    std::string GetParamLines(std::vector<std::string>& lines) const;
    // Sets the type of a keyword and appends its query lines; an unknown
    // keyword changes nothing (false).
    bool SetTypeFromKeyword(const std::string& keyword, std::vector<std::string>& keys);
    // Takes one answered parameter: `key` is the key path after the program
    // number ("/PARAM/PRIO"), `value` the device's value. The macro block
    // hands every "/PARAM/" answer of an upload here. False when the key has
    // no rule or the value is unusable (nothing changes then). An answer not
    // taken as the device holds it is named in the difference file `errFile`
    // (when given) with its key and value; a switch answered with neither of
    // its words with the word the macro keeps.
    bool ParseParamAnswer(const std::string& key, const std::string& value, const std::string* errFile);
    static std::string KeywordOfType(uint32_t type);

    // ---- Lists ----
    // List kind 0: the types offered for a new macro. Returns the count.
    static int GetTypeList(int listKind, std::vector<uint32_t>* ids);
    // The row cells without name and number.
    void GetParamListText(std::vector<std::string>& texts) const;

    // ---- Fields ----
    int32_t m_priority = 0;
    int32_t m_switchFlag = 0;
    int32_t m_legacyPrechime = 0;
    int32_t m_input = 0;
    int32_t m_auxOrClear = 0;
    int32_t m_legacySignal = 0;
    int32_t m_legacyDigio = 0;
    std::string m_outputKeyword;
    int32_t m_pause = 0;
    float m_time = 0.0f;
    std::string m_legacyTimeText = "0";
    std::string m_select;
    int32_t m_reserved = -1;
    float m_value = 0.0f;
    int32_t m_increment = 0;
    int32_t m_next = 0;
    std::string m_quality = "0";
    int32_t m_table = 0;
    int32_t m_legacyConsole = 0;
    int32_t m_shortTime = 0;
    int32_t m_line = 1;
    std::string m_text;
    MacroStep m_steps[kSteps];
    int32_t m_pairedMacro = 0;
    int32_t m_index = 0;
    int32_t m_setFlag = 0;
    int32_t m_digits = 0;
    std::string m_unit;
    std::string m_spareText = "NONE";
    std::string m_channelText = "NONE";
    int32_t m_onFlags = 0;
    int32_t m_offFlags = 0;
    int32_t m_modeFlag = 0;
    std::string m_zoneText = "0";
    int32_t m_clockTime;  // seconds since 1970 (local 1980-01-01 00:00:00 by default)

    // The slave-clock default time, 1980-01-01 00:00:00 local time.
    static int32_t DefaultClockTime();

private:
    // A reference parameter: the link key, the partner's type and partner key.
    struct RefParam {
        int32_t key;
        uint32_t type;
        int32_t partnerKey;
    };
    static bool GetRefParam(int number, RefParam& ref);
    // Sets the zones the links reach (a group's, and its groups' one level
    // down); true when the all-lines group is linked.
    bool LinkedZones(std::span<uint8_t> set) const;
    void SetReference(int number, int32_t value, const std::string* errFile);
    void SetLogicOutContact(int32_t value, const std::string* errFile);
    bool SetZoneText(const std::string& text, const std::string* errFile);
    void SetClockTimeOfDay(int hour, int minute);
    // One answer of ParseParamAnswer (the key without "/PARAM/"); `whole`
    // turns false when the value is taken only in part or limited.
    bool TakeParamAnswer(const std::string& key, const std::string& value, const std::string* errFile, bool& whole);
    void ChangeType(uint32_t type);
    // No console key keeps this macro, as A or as B. `freed`: the macro is
    // deleted, and an upload deleting it names each key that held it.
    void ReleaseConsoleKeys(bool freed = false);
    // The values of a loaded file the setters limit are held as an upload's
    // answers are; the document names them.
    void HoldLoadedValues();
    // "/MACRO/PROG<n>/PARAM/<key>": where a download sends a parameter.
    std::string ParamItem(const std::string& key) const;
    // The value the macro's download sends for parameter key `key` ("ZONES"),
    // which it keeps when an answer is not taken as the device gave it.
    std::string SentParamText(const std::string& key) const;
    void Report(const std::string* errFile, const std::string& note) const;
    // For a switch key ("MUTE", "CLEAR") answered with neither of its words:
    // the word the macro keeps and sends. Nothing for any other answer.
    std::optional<std::string> UnreadSwitch(const std::string& key, const std::string& value) const;
    void RemoveDuplicateLinks();

    // The contact kind of a logic-output macro's output as its lines send it:
    // "INT", "763" or "764".
    std::string OutputTypeWord() const;

    bool m_readFromFile = false;  // only objects read from a file are upgraded
    // A logic-output macro's contact kind and output are taken together or
    // not at all: the kind word the macro read before its answer.
    AnswerGroup<std::string> m_outputAnswers;
};
