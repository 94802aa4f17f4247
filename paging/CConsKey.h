#pragma once
// One key of a paging console: a fixed key of the key field (1..n) or one of
// the twelve programmable keys (101..112). A key has a function, three small
// values A, B, C and a protect flag; the objects it acts on (zones, groups,
// signals, macros) are links of its console. It writes its own "KEY%d"
// protocol line and reads its own answer.
//
// The key dialogs edit a working copy of the values; applying the keys page
// makes it the stored values. Targets are the objects the key currently
// shows; they are re-read from the console's links whenever the keys page
// shows the console.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/LinkRecord.h"
#include "platform/CArchive.h"
#include "platform/Geometry.h"

class CBaseDevice;
class CConsole;
class IConsoleKeyView;

enum ConsKeyFunction : int32_t {
    CKF_DISABLED = 0,
    CKF_ON = 1,
    CKF_STOP = 2,
    CKF_PROGRAM = 3,
    CKF_CLEAR = 4,
    CKF_AUX = 5,
    CKF_SEL = 6,
    CKF_ALARM = 7,
    CKF_CHIME = 8,
    CKF_TEXT = 9,
    CKF_TALK = 10,
    CKF_TALKEXT = 11,
    CKF_MACRO = 12,
    CKF_MACREP = 13,
    CKF_MACRAD = 14,
    CKF_MACSWT = 15,
};
constexpr int32_t kConsKeyFunctionCount = 16;

// Key target codes held in A.
namespace keytarget {
enum : int32_t {
    None = -1,        // the no-target marker
    GroupZero = 0,    // group slot 0: the document's group number 0
    FirstZone = 1,
    LastZone = 100,
    FirstSlot = 101,  // group slots 1..30
    LastSlot = 130,
};
}

// Function, values and protect flag of a key.
struct ConsKeyValues {
    int32_t function = CKF_DISABLED;
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
    int32_t protect = 1;  // 0: the key works in protect mode too (",UNPROT")

    bool operator==(const ConsKeyValues&) const = default;
};

// Where a removed link of a key stood, in the console's links and in its
// partner's: a key given the same target again keeps the places of its
// links, so that reading back what the project holds changes nothing.
struct KeyLinkPlace {
    LinkRecord record;
    size_t outAt = 0;
    size_t inAt = 0;
};

// The own link key of a key's second target: the key number negated, 16 bits.
inline constexpr int32_t SecondTargetKey(int32_t keyNumber) { return (65536 - keyNumber) & 0xFFFF; }

class CConsKey : public CSerializable {
    QL_DECLARE_SERIAL(CConsKey)
public:
    static constexpr int kFirstProgrammable = 101;
    static constexpr int kLastProgrammable = 112;
    static constexpr int kMaxFixed = 100;
    // The highest priority a key's third value (C) carries.
    static constexpr int32_t kMaxPriority = 127;

    // For loading.
    CConsKey();
    // Position 1..100: the fixed key of that number; 101..112: a programmable
    // key, whose number, label and image the position decides.
    CConsKey(int position, CConsole* console);

    void Serialize(CArchive& ar) override;

    // The value parser: A, B, C from "%d,%d,%d" of the text, ",UNPROT" at the
    // end clears the protect flag; looks the targets up and sets the function.
    // `commit` makes the values the stored ones and rewrites the key's links;
    // without it only the working copy and the targets change. False only for
    // an unknown function.
    bool ParseValueText(int32_t function, const std::string& text, bool commit);
    // Sets function and values with one target (category 0: no link).
    void SetFunction(int32_t function, int32_t a, int32_t b, int32_t c, CBaseDevice* target, int32_t targetCategory,
                     bool commit);
    // The stored values as a value text ("SEL,5", "ALARM,0,1,90,UNPROT").
    std::string BuildValueText() const;
    static std::string BuildValueText(const ConsKeyValues& v);
    // Builds "/CONS/ADRn/KEYk value" (or " ?"), sends it and returns it.
    std::string WriteDownloadLine(bool query, bool shorten);
    // The device's answer for this key ("SEL,5", "MACREP,3,10"). False when
    // the key keeps its values because the numbers are no key values.
    bool ParseAnswer(const std::string& value);
    // The value text the key's download line carries.
    std::string DownloadValueText() const;
    // A programmable key's factory label and default function (position 101..112).
    void ResetToDefault(int position);

    void SetFirstTarget(CBaseDevice* target);
    void SetSecondTarget(CBaseDevice* target);
    // After the working copy has become the stored values: A, B, C from the
    // chosen targets (groupSlot: the sequence number of a group target).
    void UpdateFields(CBaseDevice* firstTarget, CBaseDevice* secondTarget, int groupSlot);
    // The macro is going away: a key whose macro (A) it is holds no macro
    // and becomes the unprogrammed key its view shows; one whose second
    // macro (B) it is keeps its macro without a second. Neither keeps the
    // number, which a later macro of that number would take up unseen.
    // True when the key held it.
    bool ForgetMacro(const CBaseDevice& macro);
    // The audio signal is going away: an alarm, chime or text key that plays
    // it has nothing to play and becomes the unprogrammed key its view shows;
    // a talk key whose pre-chime it is keeps talking without one. None keeps
    // the number, which a later signal of that number would take up unseen.
    void ForgetSignal(const CBaseDevice& signal);
    // true: the working copy from the stored values; false: the other way.
    void SyncWorkingCopy(bool toWorking);
    // Takes values as both the stored values and the working copy.
    void AssignValues(const ConsKeyValues& v);

    // The view that shows the key (null while not shown).
    void SetView(IConsoleKeyView* view) { m_view = view; }
    IConsoleKeyView* GetView() const { return m_view; }
    void SetConsole(CConsole* console) { m_console = console; }
    CConsole* GetConsole() const { return m_console; }

    int32_t GetNumber() const { return m_number; }
    bool IsProgrammable() const { return m_number >= kFirstProgrammable; }
    const ConsKeyValues& Stored() const { return m_stored; }
    ConsKeyValues& Working() { return m_working; }
    const ConsKeyValues& Working() const { return m_working; }
    CBaseDevice* GetFirstTarget() const { return m_firstTarget; }
    CBaseDevice* GetSecondTarget() const { return m_secondTarget; }
    int32_t GetShownCategory() const { return m_shownCategory; }
    bool IsProgrammed() const { return m_programmed != 0; }
    const std::string& GetCaption() const { return m_caption; }
    const std::string& GetFittedCaption() const { return m_fitted; }
    const std::string& GetLabel() const { return m_label; }
    uint16_t GetBitmapId() const { return m_bitmapId; }
    void SetBitmapId(uint16_t id) { m_bitmapId = id; }
    uint32_t GetAllowedFunctions() const { return m_allowed; }
    void SetAllowedFunctions(uint32_t mask) { m_allowed = mask; }
    const CRect& GetCell() const { return m_cell; }
    void SetCell(const CRect& cell) { m_cell = cell; }
    // The button inside the cell (cell shrunk as the layout gives it).
    const CRect& GetButtonRect() const { return m_button; }
    void SetButtonRect(const CRect& r) { m_button = r; }
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool on) { m_selected = on; }

    // Keywords and labels of the functions.
    static const char* FunctionKeyword(int32_t function);
    // -1 for an unknown keyword.
    static int32_t FunctionOfKeyword(const std::string& keyword);
    // The caption label of a function (its text up to "@"); empty when none.
    static std::string FunctionLabel(int32_t function);
    // The number of the key at a programmable position (101..112); 0 otherwise.
    static int KeyNumberOfPosition(int position);

private:
    // k: the key number, negated for a second target; slot: a group slot
    // (1..30) carried in the high word of the link's own key.
    void SetFunctionAs(int32_t k, int32_t function, int32_t a, int32_t b, int32_t c, CBaseDevice* target,
                       int32_t targetCategory, bool commit, int32_t slot);
    // The first target for the code in A; false (and a message) when missing.
    bool ResolveTarget(int32_t a, CBaseDevice*& target, int32_t& category, int32_t& slot) const;
    void RefreshCaption();
    // The second target is going away: B (in the stored values and/or the
    // working copy) becomes 0 and the key keeps its function without it.
    void ForgetSecond(const CBaseDevice& object, bool stored, bool working);

    int32_t m_number = 0;
    int32_t m_marker = 0;
    int32_t m_shownCategory = 0;
    int32_t m_programmed = 0;
    CBaseDevice* m_firstTarget = nullptr;
    CBaseDevice* m_secondTarget = nullptr;
    std::string m_caption;
    std::string m_fitted;
    std::string m_label;
    CConsole* m_console = nullptr;
    uint16_t m_bitmapId = 0;
    ConsKeyValues m_stored;
    ConsKeyValues m_working;
    int32_t m_parsedProtect = 1;
    // The places of the links the last value took apart, for the links it puts back.
    std::vector<KeyLinkPlace> m_removedLinks;
    CRect m_cell;
    CRect m_button;
    uint32_t m_allowed = 0;
    bool m_selected = false;
    IConsoleKeyView* m_view = nullptr;
};
