#include "macros/CMacro.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>

#include "audio/CInternalMessageRec.h"
#include "audio/CMonitor.h"
#include "logic/CCondition.h"
#include "logic/CMemoFlag.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "paging/CConsKey.h"
#include "paging/CConsProp.h"
#include "paging/CConsole.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMacro, 16)

QL_STRING_TABLE({
    {macrotitle::Prechime, "Vorgong"}, {macrotitle::Zones, "Linien"}, {macrotitle::Time, "Zeit"},
    {macrotitle::Selection, "Auswahl"}, {macrotitle::Amplifier, "Verstärker"}, {macrotitle::Priority, "Priorität"},
    {macrotitle::Volume, "Lautstärke"}, {macrotitle::Entry, "Eintrag"}, {macrotitle::AuxSwitch, "AUX Umschalter"},
    {macrotitle::Line, "Zeile"}, {macrotitle::Duration, "Dauer [s]"}, {macrotitle::OnMacro, "ON Makro"},
    {macrotitle::OffMacro, "OFF Makro"}, {macrotitle::Unit, "Einheit"}, {macrotitle::Digits, "Stellen"},
    {macrotitle::Channels, "Kanäle"}, {macrotitle::File, "Datei"}, {macrotitle::Quality, "Qualität"},
    {macrotitle::Count, "Anzahl"}, {macrotitle::Mode, "Modus"}, {macrotitle::Pattern, "Zeichenmuster"},
    {macrotitle::Pause, "Pause"}, {IDS_MACRO_ZONE, "Linie"},
    {32805, "Name"},
    {34244, "ID"},
    {32806, "Makro"},
    {34242, " "},
    {34250, "Programm"},
    {34251, "Durchsage"},
    {34252, "Gong"},
    {34253, "Alarm"},
    {34254, "Logikausgang"},
    {34255, "Lautstärkeregelung"},
    {33086, "Monitor"},
    {34256, "AUX-Umschalter"},
    {34257, "Textausgabe auf LCD"},
    {34258, "Sequenz"},
    {34259, "Textwiedergabe"},
    {34130, "MemoFlag"},
    {34132, "Betriebsspannung"},
    {34365, "Virtueller Controller"},
    {34484, "Stop Makro"},
    {34485, "Verstärkerversorgung"},
    {34486, "Verstärkerstummschaltung"},
    {34533, "Textaufnahme"},
    {34534, "Text löschen"},
    {34535, "Wiederholung"},
    {34567, "Nebenuhren"},
    {34577, "Linientest"},
    {34621, "Summer"},
    {34461, "Kein Typ"},
    {34510, "Kein Eintrag"},
    {34471, "Kein Eintrag"},
    {34487, "Alle"},
    {34273, "Alle Sprechstellen"},
    {34215, "Gongsignal %d im Arbeitsblatt nicht vorhanden !"},
    {34216, "Signal %d im Arbeitsblatt nicht vorhanden !"},
    {34217, "Makro %s: Logikausgang nicht vorhanden !"},
    {34218, "Sprechstelle %d im Arbeitsblatt nicht vorhanden !"},
    {32796, "LMZ763"},
    {32797, "LMZ764"},
});

namespace {

namespace mt = macrotype;
namespace ml = macrolink;

bool OneOf(uint32_t v, std::initializer_list<uint32_t> ids)
{
    return std::find(ids.begin(), ids.end(), v) != ids.end();
}

CBaseDevice* Lookup(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

std::string Flag(int32_t v, const char* off, const char* on)
{
    return v != 0 ? on : off;
}

// Flag words of the amplifier supply sets, in bit order.
constexpr const char* kSupplyWords[] = {"MAINS", "BATT", "PLTGEN", "FLTRES"};

std::string FlagWords(int32_t flags, int words)
{
    std::string text;
    for (int i = 0; i < words; ++i) {
        if (flags & (1 << i)) {
            if (!text.empty())
                text += ",";
            text += kSupplyWords[i];
        }
    }
    return text.empty() ? "NONE" : text;
}

int32_t ParseFlagWords(const std::string& text, int words)
{
    int32_t flags = 0;
    for (int i = 0; i < words; ++i)
        if (text.find(kSupplyWords[i]) != std::string::npos)
            flags |= 1 << i;
    return flags;
}

// Values sent to the device never hold a line break or another control
// character: a user text such as "A\r\n/CLEAR ALL" stays one line.
std::string ProtocolValue(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F)
            out += c;
    }
    return out;
}

constexpr const char* kEmptyText = "\"\"";  // the empty text in a protocol value
constexpr size_t kLcdTextLength = 16;         // characters of a console's display line
constexpr size_t kPatternLength = 16;         // steps of a buzzer pattern

bool ParseFloat(const std::string& text, float& out)
{
    const std::optional<float> v = ScanFiniteFloat(text);
    if (v)
        out = *v;
    return v.has_value();
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, size_t count)
{
    size_t pos = 0;
    for (size_t n = 0; n < count && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return text.substr(0, pos);
}

// Float fields hold garbage when an integer was left in them: a value whose
// highest byte is 0 (0.0, denormals, small integers' bit patterns) reads 0.
float SaneTime(float t, float max)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &t, sizeof bits);
    if ((bits >> 24) == 0 || !(t >= 0.0f && t <= max))
        return 0.0f;
    return t;
}

// Types of the small codes stored before schema 9.
constexpr uint32_t kOldTypes[] = {mt::Background, mt::Page,     mt::Chime,    mt::Alarm,   mt::LogicOut,
                                  mt::Volume,     mt::Monitor,  mt::AuxSelect, mt::LcdText, mt::Sequence,
                                  mt::Message,    mt::MemoFlag, mt::Power,    mt::VirtCtrl};

struct Keyword {
    uint32_t type;
    const char* keyword;
};
constexpr Keyword kKeywords[] = {
    {mt::Background, "BACKGND"}, {mt::Page, "PAGE"},         {mt::Chime, "CHIME"},      {mt::Alarm, "ALARM"},
    {mt::LogicOut, "DIGIO"},     {mt::Volume, "VOLUME"},     {mt::Monitor, "MONITOR"},  {mt::AuxSelect, "INSEL"},
    {mt::LcdText, "LCDTEXT"},    {mt::Sequence, "SEQUENCE"}, {mt::Message, "MESSAGE"},  {mt::MemoFlag, "MEMO_FLAG"},
    {mt::Power, "POWER"},        {mt::VirtCtrl, "VIRTCTRL"}, {mt::Stop, "STOP"},        {mt::Amp, "AMP"},
    {mt::AmpMute, "AMPMUTE"},    {mt::Record, "RECORD"},     {mt::Erase, "ERASE"},      {mt::Repeat, "REPEAT"},
    {mt::SlaveClock, "SLVCLK"},  {mt::ZoneTest, "ZONETEST"}, {mt::Buzzer, "BUZZER"},
};

// The object classes a reference setter creates when the number names none.
struct CreateInfo {
    const char* className;
    uint32_t kind;
    int32_t category;
};
const CreateInfo* CreateInfoOf(uint32_t type)
{
    static const CreateInfo chime{"CChimeSignal", 32823, CAT_AUDIO};
    static const CreateInfo alarm{"CAlarmSignal", 32822, CAT_AUDIO};
    static const CreateInfo message{"CMessageSignal", 32824, CAT_AUDIO};
    static const CreateInfo memo{"CMemoFlag", CMemoFlag::kKindId, CAT_DIGITAL_IO};
    static const CreateInfo macro{"CMacro", mt::NoType, CAT_MACRO};
    switch (type) {
    case OT_CHIME_SIGNAL: return &chime;
    case OT_ALARM_SIGNAL: return &alarm;
    case OT_MESSAGE_SIGNAL: return &message;
    case OT_MEMO_FLAG: return &memo;
    case OT_MACRO: return &macro;
    default: return nullptr;
    }
}

// The volume is held as a float: a whole number beyond the 32-bit range
// reads as that range's end, never as a number of the other sign.
int32_t WholeNumber(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

struct Installer {
    Installer()
    {
        CQuillomerDoc::SetSequenceMacroFn([](CBaseDevice* m, int32_t startFlag, int32_t partner) {
            if (auto* macro = dynamic_cast<CMacro*>(m)) {
                macro->m_switchFlag = startFlag;
                if (partner >= 0)
                    macro->m_pairedMacro = partner;
            }
        });
    }
} installer;

}  // namespace

// ==================================================================== construction

int32_t CMacro::DefaultClockTime()
{
    // Every macro starts with this time, and mktime looks the time zone up
    // on the disk at every call: worked out once per zone setting (TZ), as
    // the local times shown are.
    static std::optional<std::string> zone;
    static int32_t value = 0;
    const char* tz = std::getenv("TZ");
    const std::string current = tz ? std::string(tz) : std::string(1, '\0');
    if (zone != current) {
        std::tm tm{};
        tm.tm_year = 80;
        tm.tm_mon = 0;
        tm.tm_mday = 1;
        tm.tm_isdst = -1;
        value = static_cast<int32_t>(std::mktime(&tm));
        zone = current;
    }
    return value;
}

CMacro::CMacro() : m_clockTime(DefaultClockTime())
{
    m_type = OT_MACRO;
}

// ==================================================================== parameters

bool CMacro::GetRefParam(int number, RefParam& ref)
{
    switch (number) {
    case 5: ref = {ml::Prechime, OT_CHIME_SIGNAL, 0}; return true;
    case 7: ref = {ml::LogicOut, OT_CONTROL_PAD, 0}; return true;
    case 25: ref = {ml::RepeatCondition, OT_CONDITION, 0}; return true;
    case 27: ref = {ml::PowerOnMacro, OT_MACRO, 0}; return true;
    case 28: ref = {ml::PowerOffMacro, OT_MACRO, 0}; return true;
    case 32: ref = {ml::Alarm, OT_ALARM_SIGNAL, 0}; return true;
    case 33: ref = {ml::Chime, OT_CHIME_SIGNAL, 0}; return true;
    case 34: ref = {ml::Message, OT_MESSAGE_SIGNAL, 0}; return true;
    case 38: ref = {ml::Console, OT_CONSOLE, 1}; return true;
    case 40: ref = {ml::MemoFlag, OT_MEMO_FLAG, 0}; return true;
    case 67: ref = {ml::RepeatMacro, OT_MACRO, 0}; return true;
    default: break;
    }
    if (number >= 41 && number <= 45) {
        ref = {ml::StepMacro + number - 41, OT_MACRO, 0};
        return true;
    }
    if (number >= 51 && number <= 55) {
        ref = {ml::StepCondition + number - 51, OT_CONDITION, 0};
        return true;
    }
    return false;
}

int32_t CMacro::GetParam(int number) const
{
    RefParam ref{};
    if (GetRefParam(number, ref))
        return GetLinkedNumber(ref.key);
    switch (number) {
    case 1: return m_priority;
    case 3: return m_switchFlag;
    case 4: return m_input;
    case 10: return WholeNumber(m_value);
    case 11: return m_increment;
    case 15: return m_digits;
    case 16: return m_next;
    case 17: return m_table;
    case 18: return m_auxOrClear;
    case 20: return m_line;
    case 22: return m_setFlag;
    case 29: return m_modeFlag;
    case 31: return m_pairedMacro;
    case 37: return m_index;
    case 61: return m_onFlags;
    case 62: return m_offFlags;
    case 64: return m_index;
    case 68: return m_index;
    case 69: return m_clockTime;
    case 70: return m_setFlag;
    case 71: return m_auxOrClear;
    case 72: return m_modeFlag;
    case 74: return m_shortTime;
    case 75: return m_next;
    case 76: return m_pause;
    default: return 0;
    }
}

float CMacro::GetParamFloat(int number) const
{
    switch (number) {
    case 8:
    case 35:
    case 66: return m_time;
    case 36: return m_value;
    default: break;
    }
    if (number >= 46 && number <= 50)
        return m_steps[number - 46].delay;
    return 0.0f;
}

std::string CMacro::GetParamText(int number) const
{
    RefParam ref{};
    if (number == 38) {
        const std::string name = GetLinkedObjectName(ml::Console);
        return GetOutLinkAtKey(ml::Console) ? name : LoadStringId(IDS_MACRO_ALL_CONSOLES);
    }
    if (GetRefParam(number, ref))
        return GetLinkedObjectName(ref.key);
    if (number >= 46 && number <= 50)
        return StrFormat("%.1f", m_steps[number - 46].delay);
    switch (number) {
    case 0: return LoadStringId(m_kindId);
    case 2: return m_zoneText;
    case 3:
        if (m_auxOrClear == 1 && OneOf(m_kindId, {mt::Page, mt::Alarm, mt::Message}))
            return Flag(m_switchFlag, "SUB", "ADD");
        return Flag(m_switchFlag, "OFF", "ON");
    case 8:
    case 35:
    case 66: return StrFormat("%.1f", m_time);
    case 9:
        // A volume macro without a controller (new, or given none its list
        // offers) shows "OFF" first in its list, and sends what it shows.
        return m_select.empty() && m_kindId == mt::Volume ? std::string("OFF") : m_select;
    case 10: return StrFormat("%d", WholeNumber(m_value));
    case 11:
        return m_kindId == mt::VirtCtrl ? StrFormat("%d", m_increment)
                                        : StrFormat("%d", WholeNumber(m_value));
    case 13: return m_text;
    case 14: return m_unit;
    case 15: return StrFormat("%d", m_digits);
    case 16: return StrFormat("%d", m_next);
    case 17: return StrFormat("%d", m_table);
    case 22: return Flag(m_setFlag, "FALSE", "TRUE");
    case 29: return Flag(m_modeFlag, "OFF", "ON");
    case 30: return m_channelText;
    case 31: {
        const CBaseDevice* m = m_pairedMacro != 0 ? Lookup(m_pDocument, m_pairedMacro, OT_MACRO) : nullptr;
        return m ? m->GetName() : std::string();
    }
    case 36: return StrFormat("%f", m_value);
    case 37: {
        const CBaseDevice* item = Lookup(m_pDocument, m_index, OT_VIRT_CTRL_ITEM);
        return item ? item->GetName() : std::string();
    }
    case 39: return StrFormat("%d", m_shortTime);
    case 58:
    case 59:
        if (m_channelText == "NONE")
            return LoadStringId(IDS_MACRO_NO_ENTRY);
        if (m_channelText == "ALL")
            return LoadStringId(IDS_MACRO_ALL);
        return m_channelText;
    case 60: return m_channelText;
    case 61: return FlagWords(m_onFlags, 4);
    case 62: return FlagWords(m_offFlags, 3);
    case 63: {
        if (const_cast<CMacro*>(this)->UpdateZoneText(false))
            return LoadStringId(IDS_MACRO_ALL);
        if (m_zoneText == "0" || m_zoneText == "NONE")
            return LoadStringId(IDS_MACRO_NO_ENTRY);
        return m_zoneText;
    }
    case 64: {
        const auto* rec = dynamic_cast<const CInternalMessageRec*>(Lookup(m_pDocument, 1, OT_INTERNAL_MESSAGE_REC));
        std::vector<std::string> names;
        if (rec)
            rec->GetMessageNames(1, &names);
        return m_index >= 1 && static_cast<size_t>(m_index) <= names.size() ? names[m_index - 1] : std::string();
    }
    case 65: return m_quality;
    case 68: return StrFormat("%d", m_index);
    case 69: {
        const std::time_t t = static_cast<std::time_t>(m_clockTime);
        std::tm tm{};
        if (!localtime_r(&t, &tm))
            return {};
        char buf[16];
        std::strftime(buf, sizeof buf, "%H:%M", &tm);
        return buf;
    }
    case 70: return Flag(m_setFlag, "NO", "YES");
    case 71: return Flag(m_auxOrClear, "NO", "YES");
    case 72: return Flag(m_modeFlag, "IMP", "TEST");
    case 73: return m_text;
    case 74: return StrFormat("%d", m_shortTime);
    case 75: return StrFormat("%d", m_next);
    case 76: return StrFormat("%d", m_pause);
    default: return {};
    }
}

std::optional<std::string> CMacro::UnreadSwitch(const std::string& key, const std::string& value) const
{
    static const struct {
        const char* key;
        int param;
        const char* on;
        const char* off;
    } kSwitches[] = {
        {"SET", 22, "TRUE", "FALSE"},  {"MUTE", 29, "ON", "OFF"},     {"CLEAR", 71, "YES", "NO"},
        {"BUZZER", 70, "YES", "NO"},   {"SET_TIME", 70, "YES", "NO"}, {"SET_RUN", 71, "YES", "NO"},
        {"RUN", 3, "ON", "OFF"},
    };
    if (key == "SWITCH")
        return ReadFlagWord(value) || ReadFlagWord(value, "ADD", "SUB") ? std::nullopt
                                                                        : std::optional<std::string>(GetParamText(3));
    for (const auto& s : kSwitches)
        if (key == s.key)
            return ReadFlagWord(value, s.on, s.off) ? std::nullopt
                                                   : std::optional<std::string>(GetParam(s.param) ? s.on : s.off);
    return std::nullopt;
}

void CMacro::Report(const std::string* errFile, const std::string& note) const
{
    if (errFile && !errFile->empty())
        AppendErrLine(*errFile, LoadStringId(IDS_MACRO_KIND), m_number, note);
}

namespace {
constexpr uint32_t kPlainConditionKind = 34129;  // "Bedingung": a condition without a function
}

void CMacro::SetReference(int number, int32_t value, const std::string* errFile)
{
    const ChangeGuard guard(*this);
    RefParam ref{};
    if (!GetRefParam(number, ref))
        return;
    if (value == 0) {
        RemoveOutLinksAtKey(ref.key);
        return;
    }
    CBaseDevice* obj = Lookup(m_pDocument, value, ref.type);
    if (!obj) {
        if (const CreateInfo* info = CreateInfoOf(ref.type)) {
            obj = CreateNumberedPlaceholder(m_pDocument, info->className, ref.type, info->kind, value, info->category);
            if (!obj)
                Report(errFile, LoadStringId(info->kind == mt::NoType ? IDS_MACRO_KIND : info->kind) +
                                    StrFormat(" %d", value));
        } else if (ref.type == OT_CONDITION && m_pDocument && m_pDocument->IsFreeOnDevice(OT_CONDITION, value)) {
            // A condition the device reported free in this upload: the step
            // keeps its number with a condition without a function, as the
            // device does.
            obj = CreateNumberedPlaceholder(m_pDocument, "CCondition", OT_CONDITION, kPlainConditionKind, value,
                                            CAT_DIGITAL_IO);
            if (!obj)
                Report(errFile, LoadStringId(IDS_MACRO_CONDITION) + " " + StrFormat(" %d", value));
        } else if (ref.type == OT_CONDITION) {
            Report(errFile, LoadStringId(IDS_MACRO_CONDITION) + " " + StrFormat(" %d", value));
        } else if (ref.type == OT_CONSOLE) {
            Report(errFile, LoadStringId(IDS_MACRO_CONSOLE) + " " + StrFormat(" %d", value));
        }
    }
    // What the project cannot hold leaves the reference as it was: a
    // download must not put another meaning (no signal, every console) in
    // place of the device's.
    if (!obj)
        return;
    // The object linked already stays as it is: a new link marks the project.
    const LinkRecord* current = GetOutLinkAtKey(ref.key);
    if (current && current->partner == obj && current->partnerKey == ref.partnerKey &&
        std::count_if(m_outLinks.begin(), m_outLinks.end(), [&](const LinkRecord* r) { return r->ownKey == ref.key; }) == 1)
        return;
    RemoveOutLinksAtKey(ref.key);
    LinkTo(ref.key, obj, ref.partnerKey);
}

void CMacro::SetLogicOutContact(int32_t value, const std::string* errFile)
{
    const ChangeGuard guard(*this);
    if (value == 0 || !m_pDocument) {
        RemoveOutLinksAtKey(ml::LogicOut);
        return;
    }
    DeviceList pads;
    m_pDocument->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
    for (CBaseDevice* p : pads) {
        const auto* pad = dynamic_cast<const CControlPad*>(p);
        if (pad && pad->MatchesKeyword(m_outputKeyword, value)) {
            RemoveOutLinksAtKey(ml::LogicOut);
            LinkTo(ml::LogicOut, p, 0);
            return;
        }
    }
    // A contact the project lacks leaves the one the design has.
    Report(errFile, "Label " + m_outputKeyword + StrFormat(" %d", value));
}

void CMacro::ChangeType(uint32_t type)
{
    const ChangeGuard guard(*this);
    if (type == m_kindId || m_kindId == mt::Locked)
        return;
    // Every link goes, the console keys' too: a key loses this macro as when
    // it is deleted, and is sent as the key its view then shows.
    ReleaseConsoleKeys();
    RemoveAllOutLinks();
    RemoveAllInLinks();
    if (m_pairedMacro != 0) {
        if (auto* other = dynamic_cast<CMacro*>(Lookup(m_pDocument, m_pairedMacro, OT_MACRO)))
            other->SetParam(31, 0);
        SetParam(31, 0);
    }
    m_kindId = type;
}

bool CMacro::BecomeFreeOnDevice()
{
    if (m_kindId == mt::Locked)
        return false;
    const ChangeGuard guard(*this);
    if (m_kindId != mt::NoType) {
        // What it named goes with its type; what names it (entries and
        // console keys) stays with it.
        RemoveAllOutLinks();
        if (m_pairedMacro != 0) {
            if (auto* other = dynamic_cast<CMacro*>(Lookup(m_pDocument, m_pairedMacro, OT_MACRO)))
                other->SetParam(31, 0);
            SetParam(31, 0);
        }
        m_kindId = mt::NoType;
    }
    TakePlaceholderName();
    return true;
}

bool CMacro::IsFreeOnDeviceForm() const
{
    return m_kindId == mt::NoType;
}

void CMacro::SetParam(int number, int32_t value, const std::string* errFile)
{
    const ChangeGuard guard(*this);
    if (number == 7) {
        SetLogicOutContact(value, errFile);
        return;
    }
    RefParam ref{};
    if (GetRefParam(number, ref)) {
        SetReference(number, value, errFile);
        return;
    }
    switch (number) {
    case 0: ChangeType(static_cast<uint32_t>(value)); break;
    case 1: m_priority = (value % 10 == 0 && m_switchFlag == 0) ? value + 1 : value; break;
    case 3: m_switchFlag = value; break;
    case 4: m_input = value; break;
    case 10: m_value = static_cast<float>(value); break;
    case 11: m_increment = (m_kindId == mt::VirtCtrl && m_switchFlag == 0) ? -value : value; break;
    case 12:
        m_index = value;
        if (m_kindId == mt::VirtCtrl) {
            // 0 names no controller; numbers beyond the 40 make none either.
            if (value != 0 && !Lookup(m_pDocument, value, OT_VIRT_CTRL_ITEM))
                CreateNumberedPlaceholder(m_pDocument, "CVirtCtrlItem", OT_VIRT_CTRL_ITEM, 34365, value, CAT_AUDIO);
        } else if (m_kindId == mt::MemoFlag) {
            // The flag named by the index replaces the one linked before, so
            // that the memo flag (parameter 40) reads back what was set; a
            // flag the project cannot hold leaves the one it had.
            CBaseDevice* flag = value != 0 ? Lookup(m_pDocument, value, OT_MEMO_FLAG) : nullptr;
            if (!flag && value != 0) {
                flag = CreateNumberedPlaceholder(m_pDocument, "CMemoFlag", OT_MEMO_FLAG, CMemoFlag::kKindId, value,
                                                 CAT_DIGITAL_IO);
                if (!flag) {
                    Report(errFile, LoadStringId(CMemoFlag::kKindId) + StrFormat(" %d", value));
                    break;
                }
            }
            const LinkRecord* current = GetOutLinkAtKey(ml::MemoFlag);
            if (flag && current && current->partner == flag && current->partnerKey == 1)
                break;
            RemoveOutLinksAtKey(ml::MemoFlag);
            if (flag)
                LinkTo(ml::MemoFlag, flag, 1);
        }
        break;
    case 15: m_digits = value; break;
    case 16: m_next = value; break;
    case 17: m_table = value; break;
    case 18: m_auxOrClear = value; break;
    case 20: m_line = value; break;
    case 22: m_setFlag = value; break;
    case 29: m_modeFlag = value; break;
    case 31: m_pairedMacro = value; break;
    case 37: m_index = value; break;
    case 39: m_shortTime = value; break;
    case 61: m_onFlags = value; break;
    case 62: m_offFlags = value; break;
    case 64: m_index = value; break;
    case 68: m_index = value; break;
    case 69: m_clockTime = value; break;
    case 70: m_setFlag = value; break;
    case 71: m_auxOrClear = value; break;
    case 72: m_modeFlag = value != 0 ? 1 : 0; break;
    case 74: m_shortTime = std::clamp(value, 0, 255); break;
    case 75: m_next = std::clamp(value, 0, 255); break;
    case 76: m_pause = std::clamp(value, 0, 255); break;
    default: break;
    }
}

void CMacro::SetParamFloat(int number, float value)
{
    const ChangeGuard guard(*this);
    if (std::isnan(value))
        value = 0.0f;
    switch (number) {
    case 8:
    case 35:
        if (value > kMaxTime)
            value = kMaxTime;
        else if (value < 0.1f && value != 0.0f)
            value = 0.0f;
        m_time = value;
        return;
    case 10:
        if (value > 6.0f)
            value = 6.0f;
        else if (m_increment == 0 && value < -150.0f)
            value = -150.0f;
        else if (m_increment != 0 && value < 0.0f)
            value = 0.0f;
        m_value = value;
        return;
    case 36: m_value = value; return;
    case 66: m_time = std::clamp(value, 0.0f, kMaxRecordTime); return;
    default: break;
    }
    if (number >= 46 && number <= 50)
        m_steps[number - 46].delay = std::clamp(value, 0.0f, kMaxTime);
}

bool CMacro::SetZoneText(const std::string& text, const std::string* errFile)
{
    const ChangeGuard guard(*this);
    // A range text naming numbers beyond the 100 zones, or too long for the
    // range-text buffer, does not fit the set: it is refused whole rather
    // than kept as a text that says more than the links do. Words such as
    // "ALL" or "NONE" are kept as they are and link nothing.
    std::array<uint8_t, (kMaxZones + 7) / 8> set{};
    if (text.size() > kRangeTextMaxLength)
        return false;
    const bool ranges = ParseDecimalRanges(set, kMaxZones, text);
    if (!ranges) {
        // Readable without the limit: the numbers go beyond the zones.
        NumberSet unlimited{};
        if (ParseRanges(unlimited, std::numeric_limits<unsigned>::max(), text))
            return false;
    }
    m_zoneText = text;
    if (ranges) {
        // The links follow a range text (an upload's answer): a zone, or a
        // group with a zone, that the text does not name goes, or the window
        // would show, and a choice confirmed unchanged would send, the zones
        // the design had instead of the device's.
        const auto named = [&](const CBaseDevice* zone) {
            const int32_t n = zone->GetNumber();
            return n >= 1 && n <= kMaxZones && TestBit(set, static_cast<unsigned>(n - 1));
        };
        const auto groupNamed = [&](const CBaseDevice* group) {
            for (const LinkRecord* g : group->m_outLinks) {
                if (!g->HasPartner())
                    continue;
                if (g->partnerCategory == CAT_ZONE && !named(g->partner))
                    return false;
                if (g->partnerCategory == CAT_GROUP)
                    for (const LinkRecord* h : g->partner->m_outLinks)
                        if (h->HasPartner() && h->partnerCategory == CAT_ZONE && !named(h->partner))
                            return false;
            }
            return true;
        };
        std::vector<LinkRecord> drop;
        for (const LinkRecord* r : m_outLinks) {
            if (!r->HasPartner())
                continue;
            if ((r->partnerCategory == CAT_ZONE && !named(r->partner)) ||
                (r->partnerCategory == CAT_GROUP && !groupNamed(r->partner)))
                drop.push_back(*r);
        }
        for (const LinkRecord& r : drop)
            UnlinkOut(r);
    }
    // A zone the macro reaches through one of its groups is named already:
    // read back, it gets no link of its own beside the group's.
    std::array<uint8_t, (kMaxZones + 7) / 8> throughGroups{};
    const auto reached = [&](const CBaseDevice* zone) {
        const int32_t n = zone->GetNumber();
        if (n >= 1 && n <= kMaxZones)
            SetBit(throughGroups, static_cast<unsigned>(n - 1), true);
    };
    for (const LinkRecord* r : m_outLinks) {
        if (!r->HasPartner() || r->partnerCategory != CAT_GROUP)
            continue;
        for (const LinkRecord* g : r->partner->m_outLinks) {
            if (!g->HasPartner())
                continue;
            if (g->partnerCategory == CAT_ZONE)
                reached(g->partner);
            else if (g->partnerCategory == CAT_GROUP)
                for (const LinkRecord* h : g->partner->m_outLinks)
                    if (h->HasPartner() && h->partnerCategory == CAT_ZONE)
                        reached(h->partner);
        }
    }
    std::vector<int> missing;
    for (int n = 1; n <= kMaxZones; ++n) {
        if (!TestBit(set, static_cast<unsigned>(n - 1)))
            continue;
        CBaseDevice* zone = Lookup(m_pDocument, n, OT_ZONE);
        if (!zone)
            missing.push_back(n);
        else if (!TestBit(throughGroups, static_cast<unsigned>(n - 1)) &&
                 !FindOutLink(ml::Zones, zone, 0, zone->GetCategory()))
            LinkTo(ml::Zones, zone, 0);
    }
    // Told once every zone there is has its link: a difference file that
    // cannot be written throws.
    for (int n : missing)
        Report(errFile, LoadStringId(IDS_MACRO_ZONE) + StrFormat(" %d", n));
    return true;
}

bool CMacro::SetParamText(int number, const std::string& text, const std::string* errFile)
{
    const ChangeGuard guard(*this);
    if (number >= 46 && number <= 50) {
        float v = 0.0f;
        if (ParseFloat(text, v))
            SetParamFloat(number, v);
        return true;
    }
    switch (number) {
    case 2: return SetZoneText(text, errFile);
    case 8: {
        float v = 0.0f;
        if (m_kindId == mt::LogicOut || m_kindId == mt::Repeat) {
            // Kept within the limits of the float form: a time out of range
            // would be dropped when the project is loaded again.
            if (ParseFloat(text, v))
                SetParamFloat(8, v);
        } else if (m_kindId == mt::LcdText) {
            int n = 0;
            if (std::sscanf(text.c_str(), "%d", &n) == 1)
                m_shortTime = n;
        }
        return true;
    }
    case 9: m_select = text; return true;
    case 13: m_text = text; return true;
    case 14: m_unit = text; return true;
    case 30: m_channelText = text; return true;
    case 56:
        if (text == "INT")
            m_outputKeyword = "SLOT5_OUT";
        else if (text == "763")
            m_outputKeyword = LoadStringId(IDS_MACRO_LMZ763);
        else if (text == "764")
            m_outputKeyword = LoadStringId(IDS_MACRO_LMZ764);
        else
            m_outputKeyword.clear();
        return true;
    case 58:
    case 59:
        if (text == LoadStringId(IDS_MACRO_ALL))
            m_channelText = "ALL";
        else if (text == LoadStringId(IDS_MACRO_NO_ENTRY))
            m_channelText = "NONE";
        else
            m_channelText = text;
        return true;
    case 60: m_channelText = text; return true;
    case 61: m_onFlags = ParseFlagWords(text, 4); return true;
    case 62: m_offFlags = ParseFlagWords(text, 3); return true;
    case 65: m_quality = text; return true;
    case 72:
        if (text == "TEST")
            m_modeFlag = 1;
        else if (text == "IMP")
            m_modeFlag = 0;
        return true;
    case 73: m_text = FirstChars(text, kPatternLength); return true;
    default: return true;
    }
}

// ==================================================================== zones

void CMacro::SetZones(const DeviceList& targets)
{
    const ChangeGuard guard(*this);
    for (CBaseDevice* t : targets)
        if (t && !FindOutLink(ml::Zones, t, 0, t->GetCategory()))
            LinkTo(ml::Zones, t, 0);
    std::vector<LinkRecord> drop;
    for (const LinkRecord* r : m_outLinks) {
        if (!r->HasPartner() || std::find(targets.begin(), targets.end(), r->partner) != targets.end())
            continue;
        if (r->partner->GetType() == OT_ZONE || r->partner->GetType() == OT_GROUP)
            drop.push_back(*r);
    }
    for (const LinkRecord& r : drop)
        UnlinkOut(r);
    if (UpdateZoneText(true))
        m_zoneText = "ALL";
}

bool CMacro::UpdateZoneText(bool store)
{
    std::array<uint8_t, (kMaxZones + 7) / 8> set{};
    const bool all = LinkedZones(set);
    if (store)
        m_zoneText = RangesToString(set, kMaxZones);
    return all;
}

void CMacro::ZonesGone(const std::vector<int32_t>& zones)
{
    std::array<uint8_t, (kMaxZones + 7) / 8> reached{};
    LinkedZones(reached);
    std::vector<int32_t> lost;
    for (const int32_t n : zones)
        if (n >= 1 && n <= kMaxZones && !TestBit(reached, static_cast<unsigned>(n - 1)))
            lost.push_back(n);
    const std::string text = RangeTextWithout(m_zoneText, kMaxZones, lost);
    if (text == m_zoneText)
        return;
    const ChangeGuard guard(*this);
    m_zoneText = text;
}

bool CMacro::LinkedZones(std::span<uint8_t> set) const
{
    bool all = false;
    auto addZone = [&](const CBaseDevice* zone) {
        const int32_t n = zone->GetNumber();
        if (n >= 1 && n <= kMaxZones)
            SetBit(set, static_cast<unsigned>(n - 1), true);
    };
    for (const LinkRecord* r : m_outLinks) {
        if (!r->HasPartner())
            continue;
        const CBaseDevice* p = r->partner;
        if (r->partnerCategory == CAT_ZONE) {
            addZone(p);
        } else if (r->partnerCategory == CAT_GROUP) {
            if (p->GetType() == OT_GROUP && p->GetNumber() == 0)
                all = true;
            for (const LinkRecord* g : p->m_outLinks) {
                if (!g->HasPartner())
                    continue;
                if (g->partnerCategory == CAT_ZONE) {
                    addZone(g->partner);
                } else if (g->partnerCategory == CAT_GROUP) {
                    for (const LinkRecord* h : g->partner->m_outLinks)
                        if (h->HasPartner() && h->partnerCategory == CAT_ZONE)
                            addZone(h->partner);
                }
            }
        }
    }
    return all;
}

// ==================================================================== protocol

std::string CMacro::KeywordOfType(uint32_t type)
{
    for (const Keyword& k : kKeywords)
        if (k.type == type)
            return k.keyword;
    return "EMPTY";
}

std::string CMacro::OutputTypeWord() const
{
    const auto* pad = dynamic_cast<const CControlPad*>(Lookup(m_pDocument, GetParam(7), OT_CONTROL_PAD));
    if (pad && pad->GetKindId() == padkind::LMZ763)
        return "763";
    if (pad && pad->GetKindId() == padkind::LMZ764)
        return "764";
    return "INT";
}

std::string CMacro::GetParamLines(std::vector<std::string>& lines) const
{
    lines.clear();
    auto add = [&](const std::string& key, const std::string& value) {
        lines.push_back("/PARAM/" + key + " " + ProtocolValue(value));
    };
    auto num = [&](int p) { return StrFormat("%d", GetParam(p)); };
    auto numOrOff = [&](int p) { return GetParam(p) == 0 ? std::string("OFF") : num(p); };
    // An empty text is sent as two quotation marks.
    auto quoted = [&](const std::string& text) {
        const std::string t = ProtocolValue(text);
        return t.empty() ? std::string(kEmptyText) : t;
    };
    auto signalLines = [&](int typeParam) {
        add("TYPE", num(typeParam));
        add("ZONES", GetParamText(2));
        add("PRIO", num(1));
        add("SWITCH", GetParamText(3));
    };
    switch (m_kindId) {
    case mt::Background:
        add("ZONES", GetParamText(2));
        add("PRIO", num(1));
        add("SWITCH", GetParamText(3));
        break;
    case mt::Page:
        add("INPUT", num(4));
        add("PRECHIME", numOrOff(5));
        add("ZONES", GetParamText(2));
        add("PRIO", num(1));
        add("SWITCH", GetParamText(3));
        break;
    case mt::Chime: signalLines(33); break;
    case mt::Alarm: signalLines(32); break;
    case mt::Message: signalLines(34); break;
    case mt::LogicOut: {
        const auto* pad = dynamic_cast<const CControlPad*>(Lookup(m_pDocument, GetParam(7), OT_CONTROL_PAD));
        add("TYPE", OutputTypeWord());
        add("OUT", pad ? StrFormat("%d", pad->GetSignalIndex()) : "0");
        add("TIME", GetParamText(35));
        add("SWITCH", GetParamText(3));
        break;
    }
    case mt::Volume:
        add("SELECT", GetParamText(9));
        add("VOLUME", GetParamText(10));
        add("INC", num(11));
        break;
    case mt::Monitor:
        add("NEXT", num(16));
        add("TABLE", num(17));
        break;
    case mt::AuxSelect:
        add("INPUT", GetParam(4) == 0 ? std::string("1") : num(4));
        add("AUX", num(18));
        break;
    case mt::LcdText:
        add("ADDRESS", num(38));
        add("LINE", num(20));
        // The console's display line takes 16 characters.
        add("TEXT", quoted(FirstChars(ProtocolValue(GetParamText(13)), kLcdTextLength)));
        add("TIME", GetParamText(39));
        add("CLEAR", Flag(GetParam(71), "NO", "YES"));
        add("BUZZER", Flag(GetParam(70), "NO", "YES"));
        break;
    case mt::Sequence:
        for (int n = 1; n <= kSteps; ++n) {
            add(StrFormat("STEP%d/MACRO", n), num(40 + n));
            add(StrFormat("STEP%d/CONDITION", n), numOrOff(50 + n));
            add(StrFormat("STEP%d/TIME", n), StrFormat("%.1f", GetParamFloat(45 + n)));
        }
        break;
    case mt::MemoFlag:
        add("INDEX", num(40));
        add("SET", GetParamText(22));
        break;
    case mt::Power:
        add("PRIO", num(1));
        add("SWITCH", GetParamText(3));
        break;
    case mt::VirtCtrl:
        add("INDEX", num(37));
        add("INC", GetParamText(11));
        add("VALUE", num(10));
        add("TITLE", quoted(GetParamText(13)));
        add("UNIT", GetParamText(14));
        add("DIGITS", GetParamText(15));
        break;
    case mt::Stop: add("PRIO", num(1)); break;
    case mt::Amp:
        add("ADR", GetParamText(60));
        add("ON", GetParamText(61));
        add("OFF", GetParamText(62));
        break;
    case mt::AmpMute:
        add("MUTE", GetParamText(29));
        add("CHAN", GetParamText(30));
        break;
    case mt::Record:
        add("FILE", num(64));
        add("QUALITY", GetParamText(65));
        add("INPUT", num(4));
        add("MAXTIME", GetParamText(66));
        add("SWITCH", GetParamText(3));
        break;
    case mt::Erase: add("FILE", GetParamText(64)); break;
    case mt::Repeat:
        add("MACRO", num(67));
        add("TIME", GetParamText(39));
        add("CONDITION", num(25));
        add("COUNT", GetParamText(68));
        break;
    case mt::SlaveClock:
        add("SET_TIME", GetParamText(70));
        add("SET_RUN", GetParamText(71));
        add("TIME", GetParamText(69));
        add("RUN", GetParamText(3));
        break;
    case mt::ZoneTest:
        add("ZONES", GetParamText(2));
        add("MODE", GetParamText(72));
        add("SWITCH", GetParamText(3));
        break;
    case mt::Buzzer:
        add("ADDRESS", num(38));
        // The pattern the user drew goes to the device too (its upload asks
        // for it), cut to the steps the console plays as its upload keeps
        // them; an empty one is sent empty.
        add("PATTERN", FirstChars(ProtocolValue(GetParamText(73)), kPatternLength));
        add("PTN_TIME", GetParamText(74));
        add("PAUSE", GetParamText(76));
        add("REPEAT", GetParamText(75));
        break;
    default: return "EMPTY";
    }
    return KeywordOfType(m_kindId);
}

bool CMacro::SetTypeFromKeyword(const std::string& keyword, std::vector<std::string>& keys)
{
    const ChangeGuard guard(*this);
    if (keyword == "EMPTY") {
        m_kindId = mt::NoType;
        return true;
    }
    const Keyword* found = nullptr;
    for (const Keyword& k : kKeywords)
        if (keyword == k.keyword)
            found = &k;
    if (!found)
        return false;
    m_kindId = found->type;
    std::vector<std::string> keyList;
    if (m_kindId == mt::Buzzer) {
        keyList = {"ADDRESS", "PATTERN", "PTN_TIME", "REPEAT", "PAUSE"};
    } else {
        std::vector<std::string> lines;
        GetParamLines(lines);
        for (const std::string& l : lines)
            keyList.push_back(l.substr(7, l.find(' ') - 7));  // after "/PARAM/", up to the blank
    }
    for (const std::string& k : keyList)
        keys.push_back("/PARAM/" + k + " ?");
    return true;
}

namespace {
// A decimal answer reads as "%d" does: the number at the start of the text,
// so that "-12.5" reads -12. `whole` tells whether nothing but blanks follows.
bool ParseInt(const std::string& text, int32_t& out, bool& whole)
{
    // A number "%d" would wrap or take as undefined is none at all.
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(begin, &end, 10);
    whole = false;
    if (end == begin || errno == ERANGE || n < INT32_MIN || n > INT32_MAX)
        return false;
    whole = text.find_first_not_of(' ', static_cast<size_t>(end - begin)) == std::string::npos;
    out = static_cast<int32_t>(n);
    return true;
}

// The text of an answer: two quotation marks stand for the empty text.
std::string AnswerText(const std::string& value)
{
    return value == kEmptyText ? std::string() : value;
}
}  // namespace

void CMacro::SetClockTimeOfDay(int hour, int minute)
{
    const ChangeGuard guard(*this);
    const std::time_t t = static_cast<std::time_t>(m_clockTime);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = 0;
    tm.tm_isdst = -1;
    const std::time_t made = std::mktime(&tm);
    if (made != static_cast<std::time_t>(-1))
        m_clockTime = static_cast<int32_t>(made);
}

const std::vector<std::string>& CMacro::VolumeControllers()
{
    static const std::vector<std::string> words = {"OFF",  "IN1",  "IN2",  "IN3",   "IN4",     "OUT1",   "OUT2",
                                                   "OUT3", "OUT4", "CHIME", "ALARM", "MESSAGE", "MONITOR"};
    return words;
}

const std::vector<std::string>& CMacro::RecordFormats()
{
    // "µ" is one byte in the protocol's code page.
    static const std::vector<std::string> formats = {"20KHZ LINEAR", "10KHZ \xC2\xB5-LAW"};
    return formats;
}

bool CMacro::ParseParamAnswer(const std::string& key, const std::string& value, const std::string* errFile)
{
    static constexpr const char* kPrefix = "/PARAM/";
    if (key.rfind(kPrefix, 0) != 0 || value == "?")
        return false;
    const std::string k = key.substr(std::strlen(kPrefix));
    if (const std::optional<std::string> kept = UnreadSwitch(k, value)) {
        if (errFile && !errFile->empty())
            AppendErrMismatch(*errFile, StrFormat("/MACRO/PROG%d", m_number) + key, value, *kept);
        return false;
    }
    // An answer the macro does not take as the device holds it (a word it
    // does not know, a range it cannot hold, a number beyond a limit) is
    // named in the difference file: the next download would send the
    // macro's own value in its place.
    bool whole = true;
    const bool taken = TakeParamAnswer(k, value, errFile, whole);
    if (!taken || !whole)
        ReportNotHeld(errFile, ParamItem(k), value, SentParamText(k));
    return taken;
}

std::string CMacro::SentParamText(const std::string& key) const
{
    std::vector<std::string> lines;
    GetParamLines(lines);
    const std::string start = "/PARAM/" + key + " ";
    for (const std::string& line : lines)
        if (line.compare(0, start.size(), start) == 0)
            return line.substr(start.size());
    // The buzzer's pattern is read back but not sent: the macro keeps its own.
    return key == "PATTERN" ? GetParamText(73) : std::string();
}

bool CMacro::TakeParamAnswer(const std::string& k, const std::string& value, const std::string* errFile, bool& whole)
{
    int32_t n = 0;
    bool wholeNumber = false;
    const bool isNumber = ParseInt(value, n, wholeNumber);
    // A decimal value; a value that is not a number changes nothing.
    auto decimal = [&](int param, const std::string* err) {
        if (!isNumber)
            return false;
        whole = wholeNumber;
        SetParam(param, n, err);
        return true;
    };
    // The number of an object the macro names (a signal, a contact, a
    // console, a memo flag or controller): a whole number standing alone. A
    // word or a decimal names no object: the macro keeps the one it has
    // rather than lose it, or take another, on its next download.
    auto objectNumber = [&](int param, const std::string* err) {
        if (!isNumber || !wholeNumber)
            return false;
        SetParam(param, n, err);
        return true;
    };
    // The same where "OFF" names none (a gong, a step's macro or condition,
    // the repeated macro and its condition).
    auto reference = [&](int param, const std::string* err) {
        if (value == "OFF") {
            SetParam(param, 0, err);
            return true;
        }
        return objectNumber(param, err);
    };
    // A decimal value the setter limits: one beyond the limit is no longer
    // the device's.
    auto limited = [&](int param) {
        if (!decimal(param, nullptr))
            return false;
        whole = whole && GetParam(param) == n;
        return true;
    };
    // A decimal value the macro's window offers only within low..high: one
    // beyond names no entry of its list, which would show another entry (or
    // none) while the next download sent the device's number back.
    auto offered = [&](int param, int32_t low, int32_t high) {
        if (!isNumber || n < low || n > high)
            return false;
        return decimal(param, nullptr);
    };
    // A float value (seconds), limited by the float setter.
    auto seconds = [&](int param) {
        float v = 0.0f;
        if (!ParseFloat(value, v))
            return false;
        SetParamFloat(param, v);
        whole = GetParamFloat(param) == v;
        return true;
    };
    // One of two words; any other changes nothing.
    auto word = [&](int param, const char* on, const char* off) {
        const std::optional<bool> read = ReadFlagWord(value, on, off);
        if (read)
            SetParam(param, *read ? 1 : 0);
        return read.has_value();
    };
    // Flag words joined by ",": a word outside the first `words` is not kept.
    auto flagWords = [&](int param, int words) {
        SetParamText(param, value, errFile);
        size_t pos = 0;
        while (pos <= value.size()) {
            const size_t comma = std::min(value.find(',', pos), value.size());
            const std::string w = value.substr(pos, comma - pos);
            const bool known =
                w == "NONE" || std::find(std::begin(kSupplyWords), std::begin(kSupplyWords) + words, w) !=
                                   std::begin(kSupplyWords) + words;
            whole = whole && known;
            pos = comma + 1;
        }
        return true;
    };

    if (k == "SWITCH") {
        // ON and OFF, or ADD and SUB where the macro adds its zones.
        const std::optional<bool> on = ReadFlagWord(value), add = ReadFlagWord(value, "ADD", "SUB");
        if (!on && !add)
            return false;
        SetParam(3, on ? *on : *add);
        SetParam(18, add ? 1 : 0);
        return true;
    }
    if (k == "ZONES")
        return SetParamText(2, value, errFile);
    if (k == "PRIO") {
        // The device's priority is taken as it is: the odd priority of a
        // switch-off macro is the designer's rule for new values, and the
        // switch flag arrives only after the priority. One the priority list
        // cannot show (OFF, 1..10 in tens) keeps the macro's.
        if (!isNumber || n < 0 || n > kMaxPriority)
            return false;
        whole = wholeNumber;
        m_priority = n;
        return true;
    }
    if (k == "INPUT") {
        // A page or record macro lists OFF and IN1..IN4; an AUX selector
        // lists the inputs of the project's cards.
        if (m_kindId == mt::Page || m_kindId == mt::Record)
            return offered(4, 0, kInputs);
        // A channel selection without an input writes the first: read back,
        // it is the selection's own.
        if (m_kindId == mt::AuxSelect && isNumber && wholeNumber && n == 1 && GetParam(4) == 0)
            return true;
        return decimal(4, nullptr);
    }
    if (k == "PRECHIME")
        return reference(5, errFile);
    if (k == "TYPE") {
        switch (m_kindId) {
        case mt::Alarm: return objectNumber(32, errFile);
        case mt::Chime: return objectNumber(33, errFile);
        case mt::Message: return objectNumber(34, errFile);
        case mt::LogicOut:
            // Another contact kind reads as none.
            whole = value == "INT" || value == "763" || value == "764";
            m_outputAnswers.Close(0);  // the kind begins the output's answers
            if (whole)
                m_outputAnswers.Take(0, m_outputKeyword, ParamItem(k), value);
            return SetParamText(56, value, errFile);
        default: return false;
        }
    }
    if (k == "OUT") {
        const bool taken = objectNumber(7, errFile);
        if (!taken) {
            // An output that is no number: the macro keeps its contact, and
            // the kind the device gave with it is named too.
            if (const std::string* before = m_outputAnswers.Before(0))
                m_outputKeyword = *before;
            m_outputAnswers.NameTaken(0, errFile, [this](const std::string&) { return OutputTypeWord(); });
        }
        m_outputAnswers.Close(0);
        return taken;
    }
    if (k == "SELECT") {
        // A controller the volume macro's list does not offer keeps the macro's.
        const std::vector<std::string>& words = VolumeControllers();
        if (std::find(words.begin(), words.end(), value) == words.end())
            return false;
        return SetParamText(9, value);
    }
    if (k == "VOLUME" || k == "VALUE")
        return decimal(10, nullptr);
    if (k == "INC") {
        if (!isNumber)
            return false;
        whole = wholeNumber;
        // A controller's step comes back with its sign: storing it through
        // the setter would turn a switch-off macro's decrement around.
        if (m_kindId == mt::VirtCtrl)
            m_increment = n;
        else
            SetParam(11, n);
        return true;
    }
    if (k == "INDEX")
        return objectNumber(12, errFile);
    if (k == "TITLE" || k == "TEXT")
        return SetParamText(13, AnswerText(value));
    if (k == "UNIT")
        return SetParamText(14, value);
    if (k == "DIGITS")
        return decimal(15, nullptr);
    if (k == "NEXT")
        return offered(16, -1, 1);  // a step through the table, or none
    if (k == "TABLE")
        return offered(17, 0, CMonitor::GetMaxEntries());
    if (k == "AUX")
        return decimal(18, nullptr);
    if (k == "LINE")
        return offered(20, 1, 2);  // the display's two lines
    if (k == "TIME") {
        // The repeat interval, the display time and the slave clocks' time
        // are sent from their own fields; the pulse time is seconds.
        // An interval beyond what the repeat macro holds is not taken.
        if (m_kindId == mt::Repeat && isNumber && (n < 0 || n > kMaxRepeatInterval))
            return false;
        if (m_kindId == mt::Repeat || m_kindId == mt::LcdText)
            return decimal(39, nullptr);
        if (m_kindId == mt::SlaveClock) {
            int hour = 0, minute = 0;
            if (std::sscanf(value.c_str(), "%d:%d", &hour, &minute) != 2 || hour < 0 || hour > 23 || minute < 0 ||
                minute > 59)
                return false;
            SetClockTimeOfDay(hour, minute);
            return true;
        }
        if (m_kindId == mt::LogicOut)
            return seconds(8);
        return SetParamText(8, value);
    }
    if (k == "SET")
        return word(22, "TRUE", "FALSE");
    for (int step = 1; step <= kSteps; ++step) {
        const std::string stepKey = StrFormat("STEP%d/", step);
        if (k == stepKey + "MACRO")
            return reference(40 + step, errFile);
        if (k == stepKey + "CONDITION")
            return reference(50 + step, errFile);
        if (k == stepKey + "TIME")
            return seconds(45 + step);
    }
    if (k == "ADR")
        return SetParamText(30, value);
    if (k == "ON")
        return flagWords(61, 4);
    if (k == "OFF")
        return flagWords(62, 3);
    if (k == "CHAN")
        return SetParamText(30, value, errFile);
    if (k == "MUTE")
        return word(29, "ON", "OFF");
    if (k == "MACRO")
        return reference(67, errFile);
    if (k == "CONDITION")
        return reference(25, errFile);
    if (k == "COUNT") {
        if (isNumber && (n < 0 || n > kMaxRepeatCount))
            return false;
        return decimal(68, errFile);
    }
    if (k == "MODE") {
        if (value != "TEST" && value != "IMP")
            return false;
        return SetParamText(72, value, errFile);
    }
    if (k == "CLEAR")
        return word(71, "YES", "NO");
    if (k == "BUZZER")
        return word(70, "YES", "NO");
    if (k == "PAUSE")
        return limited(76);
    if (k == "REPEAT")
        return limited(75);
    if (k == "PTN_TIME")
        return limited(74);
    if (k == "PATTERN")
        return SetParamText(73, value, errFile);
    if (k == "ADDRESS")
        return objectNumber(38, errFile);
    if (k == "FILE") {
        const auto* rec = dynamic_cast<const CInternalMessageRec*>(Lookup(m_pDocument, 1, OT_INTERNAL_MESSAGE_REC));
        std::vector<std::string> names;
        if (rec)
            rec->GetMessageNames(1, &names);
        // A record macro's list offers "OFF" and the recorder's messages.
        if (wholeNumber && m_kindId == mt::Record && (n < 0 || n > static_cast<int32_t>(names.size())))
            return false;
        if (wholeNumber) {
            decimal(64, nullptr);
            // An erase macro sends its recorder message by name: a number
            // that names none would go back as no message at all.
            whole = m_kindId != mt::Erase || n == 0 || !GetParamText(64).empty();
            return true;
        }
        // An erase macro names its recorder message; no name is no message,
        // as the macro sends it.
        if (value.empty()) {
            SetParam(64, 0);
            return true;
        }
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == value) {
                SetParam(64, static_cast<int32_t>(i + 1));
                return true;
            }
        return false;
    }
    if (k == "QUALITY") {
        // A format the record macro does not offer keeps the macro's. The
        // macro's own text read back is no difference, also where it is none
        // of the formats (a new macro's, before its view has chosen one).
        if (value == GetParamText(65))
            return true;
        const std::vector<std::string>& formats = RecordFormats();
        if (std::find(formats.begin(), formats.end(), value) == formats.end())
            return false;
        return SetParamText(65, value);
    }
    if (k == "MAXTIME")
        return seconds(66);
    if (k == "SET_TIME")
        return word(70, "YES", "NO");
    if (k == "SET_RUN")
        return word(71, "YES", "NO");
    if (k == "RUN")
        return word(3, "ON", "OFF");
    return false;
}

// ==================================================================== lists

int CMacro::GetTypeList(int listKind, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    if (listKind == 0) {
        for (uint32_t id : {34251, 34250, 34252, 34253, 34254, 34255, 33086, 34256, 34257, 34258, 34259, 34130,
                            34132, 34365, 34484, 34485, 34486})
            ids->push_back(id);
        const CQuillomerDoc* doc = GetActiveDoc();
        if (doc && doc->m_data.deviceVariant != 0)  // any variant but the standard one is upgraded
            for (uint32_t id : {34533, 34534, 34577})
                ids->push_back(id);
        ids->push_back(34535);
        ids->push_back(34621);
    }
    return static_cast<int>(ids->size());
}

namespace {
std::vector<std::string> TitlesOf(uint32_t type)
{
    namespace t = macrotitle;
    // Titles the languages share are written as they are; the others come
    // from the string table in the language in use.
    struct Title {
        Title(const char* same) : text(same) {}
        Title(uint32_t id) : text(LoadStringId(id)) {}
        std::string text;
    };
    auto titles = [](std::initializer_list<Title> list) {
        std::vector<std::string> out;
        for (const Title& title : list)
            out.push_back(title.text);
        return out;
    };
    const uint32_t blank = IDS_MACRO_BLANK_TITLE;
    switch (type) {
    case mt::Page: return titles({"Input", t::Prechime, t::Zones, t::Priority, "Switch"});
    case mt::Background: return titles({t::Zones, t::Priority, "Switch"});
    case mt::Chime: return titles({t::Chime, t::Zones, t::Priority, "Switch"});
    case mt::Alarm: return titles({"Alarm", t::Zones, t::Priority, "Switch"});
    case mt::LogicOut: return titles({"Output", t::Time, "Switch"});
    case mt::Volume: return titles({t::Selection, t::Volume, "+/-"});
    case mt::Monitor: return titles({"+/-", t::Entry});
    case mt::AuxSelect: return titles({"Input", t::AuxSwitch});
    case mt::LcdText: return titles({t::Console, t::Line, t::Duration, "Text"});
    case mt::Sequence: {
        std::vector<std::string> out = titles({t::Macro, t::Duration, t::Condition});
        for (int i = 0; i < 17; ++i)
            out.push_back(LoadStringId(blank));
        return out;
    }
    case mt::Message: return titles({t::TextPlayback, t::Zones, t::Priority, "Switch"});
    case mt::MemoFlag: return titles({"MemoFlag", blank});
    case mt::Power: return titles({t::OnMacro, t::OffMacro, "Switch"});
    case mt::VirtCtrl: return titles({"VC", "+/-", t::Volume, "Text", t::Unit, t::Digits});
    case mt::Stop: return titles({t::Priority});
    case mt::Amp: return titles({t::Amplifier, "ON", "OFF"});
    case mt::AmpMute: return titles({t::Channels, "Mute"});
    case mt::Record: return titles({t::File, t::Quality, "Input", t::Duration, "Switch"});
    case mt::Erase: return titles({t::File});
    case mt::Repeat: return titles({t::Macro, t::Duration, t::Condition, t::Count});
    case mt::SlaveClock: return titles({blank, blank, t::Time, blank});
    case mt::ZoneTest: return titles({t::Zones, t::Mode, "Switch", blank});
    case mt::Buzzer: return titles({t::Console, t::Pattern, t::Repetition, t::Pause});
    default: return {};
    }
}
}  // namespace

void CMacro::GetParamListText(std::vector<std::string>& texts) const
{
    auto T = [&](int p) { texts.push_back(GetParamText(p)); };
    auto P = [&](int p) { texts.push_back(StrFormat("%d", GetParam(p))); };
    switch (m_kindId) {
    case mt::Page:
        texts.push_back(GetParam(4) == 0 ? std::string() : StrFormat("IN%d", GetParam(4)));
        T(5), T(63), P(1), T(3);
        break;
    case mt::Background: T(63), P(1), T(3); break;
    case mt::Chime: T(33), T(63), P(1), T(3); break;
    case mt::Alarm: T(32), T(63), P(1), T(3); break;
    case mt::LogicOut: {
        const CBaseDevice* pad = Lookup(m_pDocument, GetParam(7), OT_CONTROL_PAD);
        texts.push_back(pad ? pad->GetName() : std::string());
        T(35), T(3);
        break;
    }
    case mt::Volume: T(9), T(10), P(11); break;
    case mt::Monitor: P(16), P(17); break;
    case mt::AuxSelect:
        texts.push_back(StrFormat("IN%d", GetParam(4)));
        texts.push_back(StrFormat("AUX%d", GetParam(18)));
        break;
    // The display time is shown from its text form: its integer form reads 0.
    case mt::LcdText: T(38), P(20), T(39), T(13); break;
    case mt::Sequence:
        for (int n = 1; n <= kSteps; ++n) {
            T(40 + n);
            texts.push_back(StrFormat("%.1f", GetParamFloat(45 + n)));
            T(50 + n);
        }
        break;
    case mt::Message: T(34), T(63), P(1), T(3); break;
    case mt::MemoFlag: T(40), T(22); break;
    case mt::Power: T(27), T(28), T(3); break;
    case mt::VirtCtrl: T(37), T(11), P(10), T(13), T(14), T(15); break;
    case mt::Stop: P(1); break;
    case mt::Amp: T(59), T(61), T(62); break;
    case mt::AmpMute: T(58), T(29); break;
    case mt::Record: T(64), T(65), T(4), T(66), T(3); break;
    case mt::Erase: T(64); break;
    case mt::Repeat: T(67), T(39), T(25), T(68); break;
    case mt::SlaveClock: T(70), T(71), T(69), T(3); break;
    case mt::ZoneTest: T(63), T(72), T(3); break;
    case mt::Buzzer: T(38), T(73), T(75), T(76); break;
    default: break;
    }
}

int CMacro::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(IDS_MACRO_TITLE_NAME));
        texts.push_back(LoadStringId(IDS_MACRO_TITLE_ID));
        for (const std::string& t : TitlesOf(m_kindId))
            texts.push_back(t);
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        GetParamListText(texts);
    }
    return static_cast<int>(texts.size());
}

int CMacro::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kLayout[20] = {{2, 0},   {35, 0},  {45, 0},  {75, 0},  {105, 0}, {135, 0}, {165, 0},
                                           {195, 0}, {45, 1},  {75, 1},  {105, 1}, {45, 2},  {75, 2},  {105, 2},
                                           {45, 3},  {75, 3},  {105, 3}, {45, 4},  {75, 4},  {105, 4}};
    std::vector<std::string> cells;
    GetParamListText(cells);
    const size_t n = std::min<size_t>(cells.size() + 2, 20);
    for (size_t i = 0; i < n; ++i)
        columns.push_back(kLayout[i]);
    return static_cast<int>(columns.size());
}

// ==================================================================== commands

int CMacro::OnCommand(uint32_t commandId)
{
    if (commandId != objcmd::Delete)
        return 0;
    if (m_pairedMacro != 0)
        if (auto* other = dynamic_cast<CMacro*>(Lookup(m_pDocument, m_pairedMacro, OT_MACRO)); other && other != this)
            other->SetParam(31, 0);
    ReleaseConsoleKeys(true);
    return CBaseDevice::OnCommand(commandId);
}

void CMacro::ReleaseConsoleKeys(bool freed)
{
    // Console keys hold their macros by number too: none keeps this one's.
    if (m_pDocument)
        for (CBaseDevice* obj : m_pDocument->GetList(CAT_CONSOLE))
            if (auto* console = dynamic_cast<CConsole*>(obj))
                for (CConsKey* key : console->GetProp().GetAllKeys())
                    if (key->ForgetMacro(*this) && freed)
                        m_pDocument->NoteLostHolding(*console, console->GetPath() + StrFormat("/KEY%d", key->GetNumber()),
                                                     *this);
}

// ==================================================================== file

void CMacro::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_switchFlag << m_legacyPrechime << m_input << m_auxOrClear << m_legacySignal << m_legacyDigio
           << m_pause << m_legacyTimeText << m_reserved << m_select << m_value << m_legacyDigio << m_outputKeyword
           << m_pause << m_legacyTimeText << m_reserved << m_value << m_increment << m_next << m_quality << m_table
           << m_legacyConsole << m_shortTime << m_line << m_text;
        for (const MacroStep& s : m_steps)
            ar << s.legacyMacro << s.legacyDelayText << s.legacyCondition << s.delay;
        ar << m_priority << m_pairedMacro << m_setFlag << m_unit << m_digits << m_index << m_time << m_spareText
           << m_channelText << m_onFlags << m_offFlags << m_modeFlag << m_zoneText << m_clockTime;
        return;
    }

    m_readFromFile = true;
    const uint32_t s = m_loadedSchema;
    ar >> m_switchFlag >> m_legacyPrechime >> m_input;
    if (s >= 5)
        ar >> m_auxOrClear;
    ar >> m_legacySignal >> m_legacyDigio >> m_pause >> m_legacyTimeText >> m_reserved;
    if (s >= 4)
        ar >> m_select;
    ar >> m_value >> m_legacyDigio;
    if (s >= 3)
        ar >> m_outputKeyword;
    ar >> m_pause >> m_legacyTimeText >> m_reserved >> m_value >> m_increment >> m_next >> m_quality >> m_table >>
        m_legacyConsole >> m_shortTime >> m_line >> m_text;

    // Step records: three {macro, delay text} up to schema 3, four with the
    // condition from schema 4, a whole-number delay from 11, five from 14,
    // the delay as a float from 15.
    const int stepCount = s <= 3 ? 3 : s <= 13 ? 4 : 5;
    float refusedDelay[kSteps] = {};
    bool refused[kSteps] = {};
    for (int i = 0; i < stepCount; ++i) {
        MacroStep& st = m_steps[i];
        ar >> st.legacyMacro >> st.legacyDelayText;
        if (s >= 4)
            ar >> st.legacyCondition;
        if (s >= 15) {
            ar >> st.delay;
        } else if (s >= 11) {
            int32_t whole = 0;
            ar >> whole;
            st.delay = static_cast<float>(whole);
        } else {
            float v = 0.0f;
            st.delay = ParseFloat(st.legacyDelayText, v) ? v : 0.0f;
        }
        if (!(st.delay >= 0.0f && st.delay <= kMaxTime)) {
            refusedDelay[i] = st.delay;
            refused[i] = true;
            st.delay = 0.0f;
        }
    }
    ar >> m_priority;
    if (s >= 2)
        ar >> m_pairedMacro;
    if (s >= 6)
        ar >> m_setFlag;
    if (s >= 7)
        ar >> m_unit >> m_digits;
    if (s >= 8)
        ar >> m_index;
    if (s >= 10)
        ar >> m_time;
    if (s >= 12)
        ar >> m_spareText >> m_channelText >> m_onFlags >> m_offFlags >> m_modeFlag >> m_zoneText;
    // The slave clocks' set time is kept from schema 16; older files had
    // none, and their macros set the clocks to the default time.
    if (s >= 16)
        ar >> m_clockTime;

    if (s < 9)
        m_kindId = m_kindId < std::size(kOldTypes) ? kOldTypes[m_kindId] : mt::NoType;
    // Values that belong to other types are dropped.
    if (m_kindId != mt::Page)
        m_legacyPrechime = 0;
    if (!OneOf(m_kindId, {mt::Page, mt::AuxSelect, mt::Record}))
        m_input = 0;
    if (!OneOf(m_kindId, {mt::Alarm, mt::Chime, mt::Message}))
        m_legacySignal = 0;
    if (m_kindId != mt::LcdText)
        m_legacyConsole = 0;
    if (s < 13) {
        m_clockTime = DefaultClockTime();
        if (!OneOf(m_kindId, {mt::Page, mt::AuxSelect}))
            m_auxOrClear = 0;
    }
    // A sequence's delay beyond its range was refused, as an unreadable one.
    if (m_kindId == mt::Sequence)
        for (int i = 0; i < kSteps; ++i)
            if (refused[i])
                NoteHeldOnLoad(ParamItem(StrFormat("STEP%d/TIME", i + 1)), StrFormat("%.1f", refusedDelay[i]), "0.0",
                               true);
}

std::string CMacro::ParamItem(const std::string& key) const
{
    return StrFormat("/MACRO/PROG%d/PARAM/", m_number) + key;
}

void CMacro::HoldLoadedValues()
{
    // A time beyond its range or no time at all is refused (as older files
    // always had it): a recording may last up to 360.4 s, every other time
    // up to 300 s.
    const float time = m_time;
    m_time = SaneTime(m_time, m_kindId == mt::Record ? kMaxRecordTime : kMaxTime);
    if (m_time != time && (m_kindId == mt::LogicOut || m_kindId == mt::Record))
        NoteHeldOnLoad(ParamItem(m_kindId == mt::Record ? "MAXTIME" : "TIME"), StrFormat("%.1f", time),
                       GetParamText(m_kindId == mt::Record ? 66 : 35), true);
    // The device takes any volume or value, but a number it must be.
    if (!std::isfinite(m_value)) {
        const float value = m_value;
        m_value = 0.0f;
        if (OneOf(m_kindId, {mt::Volume, mt::VirtCtrl}))
            NoteHeldOnLoad(ParamItem(m_kindId == mt::Volume ? "VOLUME" : "VALUE"), StrFormat("%g", value),
                           GetParamText(10), true);
    }
    // The repeat macro's interval and count, as an upload takes them.
    if (m_kindId == mt::Repeat) {
        ClampLoaded(m_shortTime, int32_t{0}, kMaxRepeatInterval, int32_t{0}, ParamItem("TIME"), true);
        ClampLoaded(m_index, int32_t{0}, kMaxRepeatCount, int32_t{0}, ParamItem("COUNT"), true);
    }
    // The buzzer's pattern time, repetitions and pause: a byte each.
    if (m_kindId == mt::Buzzer) {
        for (const auto& [param, key] : {std::pair{74, "PTN_TIME"}, std::pair{75, "REPEAT"}, std::pair{76, "PAUSE"}}) {
            const int32_t file = GetParam(param);
            SetParam(param, file);
            if (GetParam(param) != file)
                NoteHeldOnLoad(ParamItem(key), StrFormat("%d", file), GetParamText(param), true);
        }
    }
}

void CMacro::RemoveDuplicateLinks()
{
    // A duplicate record goes at both ends, but a twin only when the partner
    // holds it twice too, so that the partner keeps one.
    auto dedupe = [this](LinkList& list, bool outgoing) {
        for (auto it = list.begin(); it != list.end();) {
            const bool dup = std::any_of(list.begin(), it, [&](const LinkRecord* r) { return *r == **it; });
            if (!dup) {
                ++it;
                continue;
            }
            LinkRecord* rec = *it;
            it = list.erase(it);
            if (rec->HasPartner()) {
                LinkList& twins = outgoing ? rec->partner->m_inLinks : rec->partner->m_outLinks;
                const LinkRecord twin{this, rec->ownKey, rec->partner, rec->partnerKey, m_category};
                const auto count = std::count_if(twins.begin(), twins.end(), [&](const LinkRecord* r) { return *r == twin; });
                if (count >= 2) {
                    auto t = std::find_if(twins.rbegin(), twins.rend(), [&](const LinkRecord* r) { return *r == twin; });
                    delete *t;
                    twins.erase(std::next(t).base());
                }
            }
            delete rec;
        }
    };
    dedupe(m_outLinks, true);
    dedupe(m_inLinks, false);
}

int CMacro::PostLoad()
{
    if (!m_readFromFile)
        return 1;
    m_readFromFile = false;
    const uint32_t s = m_loadedSchema;
    if (s < 9) {
        if (m_legacyPrechime != 0) {
            if (CBaseDevice* sig = Lookup(m_pDocument, m_legacyPrechime, OT_CHIME_SIGNAL))
                LinkTo(ml::Prechime, sig, 0);
            else
                ShowMessage(StrFormat(LoadStringId(IDS_MACRO_NO_PRECHIME_SIGNAL).c_str(), m_legacyPrechime));
        }
        if (m_legacySignal != 0) {
            int32_t key = -1;
            uint32_t type = 0;
            if (m_kindId == mt::Alarm)
                key = ml::Alarm, type = OT_ALARM_SIGNAL;
            else if (m_kindId == mt::Chime)
                key = ml::Chime, type = OT_CHIME_SIGNAL;
            else if (m_kindId == mt::Message)
                key = ml::Message, type = OT_MESSAGE_SIGNAL;
            CBaseDevice* sig = type ? Lookup(m_pDocument, m_legacySignal, type) : nullptr;
            if (sig)
                LinkTo(key, sig, 0);
            else
                ShowMessage(StrFormat(LoadStringId(IDS_MACRO_NO_SIGNAL).c_str(), m_legacySignal));
        }
        if (m_pause != 0) {
            CBaseDevice* contact = nullptr;
            if (m_pDocument) {
                DeviceList slots;
                m_pDocument->GetIDManager().GetBaseDeviceList(slots, OT_DIGITAL_SLOT);
                for (const CBaseDevice* slot : slots)
                    for (const LinkRecord* r : slot->m_inLinks)
                        if (!contact && r->ownKey == m_pause - 1 && r->HasPartner())
                            contact = r->partner;
            }
            if (contact)
                LinkTo(ml::LogicOut, contact, 0);
            else
                ShowMessage(StrFormat(LoadStringId(IDS_MACRO_NO_LOGIC_OUT).c_str(), m_name.c_str()));
        }
        if (m_legacyConsole != 0) {
            if (CBaseDevice* cons = Lookup(m_pDocument, m_legacyConsole, OT_CONSOLE))
                LinkTo(ml::Console, cons, 1);
            else
                ShowMessage(StrFormat(LoadStringId(IDS_MACRO_NO_CONSOLE).c_str(), m_legacyConsole));
        }
        m_legacyPrechime = m_legacySignal = m_legacyConsole = m_legacyDigio = m_pause = 0;
        RemoveDuplicateLinks();
    }
    if (s < 10 && m_kindId == mt::LogicOut) {
        float v = 0.0f;
        m_time = ParseFloat(m_legacyTimeText, v) ? v : 0.0f;
    }
    if (s < 11) {
        if (LinkRecord* r = GetOutLinkAtKey(ml::Console); r && r->HasPartner() && r->partner->GetType() == OT_CONSOLE) {
            for (LinkRecord* twin : r->partner->m_inLinks)
                if (twin->partner == this && twin->partnerKey == ml::Console && twin->ownKey == r->partnerKey) {
                    twin->ownKey = 1;
                    break;
                }
            r->partnerKey = 1;
        }
    }
    if (s < 12)
        UpdateZoneText(true);
    HoldLoadedValues();
    return 1;
}

std::string CMacro::GetItemText() const
{
    return LoadStringId(IDS_MACRO_KIND) + " " + GetNumberText();
}

std::string CMacro::GetHeldItem(int32_t ownKey) const
{
    if (ownKey >= ml::StepMacro && ownKey < ml::StepMacro + kSteps)
        return ParamItem(StrFormat("STEP%d/MACRO", ownKey - ml::StepMacro + 1));
    if (ownKey >= ml::StepCondition && ownKey < ml::StepCondition + kSteps)
        return ParamItem(StrFormat("STEP%d/CONDITION", ownKey - ml::StepCondition + 1));
    if (ownKey == ml::RepeatMacro)
        return ParamItem("MACRO");
    if (ownKey == ml::RepeatCondition)
        return ParamItem("CONDITION");
    return GetItemText();
}
