#include "logic/CCondition.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "hardware/CAmplifier.h"
#include "hardware/CSpareAmp.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CCondition, 4)

QL_STRING_TABLE({
    {32805, "Name"},
    {34244, "ID"},
    {34234, "Funktion"},
    {34330, "Auswahl"},
    {34243, "Pegel"},
    {34129, "Bedingung"},
    {34421, "Kein Eintrag"},
    {34471, "Kein Eintrag"},
    {34209, "Object %s,%d nicht vorhanden !"},
    {34568, "Pilottongenerator aktiv"},
    {34321, "Digitalsloteingang"},
    {34322, "Digitalslotausgang"},
    {34323, "Interfaceeingang"},
    {32796, "LMZ763"},
    {32797, "LMZ764"},
    {34136, "LMZ771"},
    {34130, "MemoFlag"},
    {34358, "Bereichsprüfung"},
    {34456, "Aktiv Bedingung"},
    {34359, "Verknüpfung"},
    {34132, "Betriebsspannung"},
    {34133, "Pilotton"},
    {34135, "Analog VCC"},
    {34324, "24VOLTS"},
    {34134, "24 Volt"},
    {34094, "FAULT"},
    {34093, "READY"},
    {34095, "ANY_FAULTINP"},
    {34096, "ALL_READYINP"},
    {34282, "READYINP"},
    {34297, "FAULTINP"},
    {34326, "Sprechen von Sprechstelle"},
    {34327, "Sprechen mit Taste"},
    {34253, "Alarm"},
    {34252, "Gong"},
    {34259, "Textwiedergabe"},
    {34517, "Sprechstelle angeschlossen"},
    {34476, "Hintergrundprogramm"},
    {34356, "KVT Fehler"},
    {34480, "Verstärkerfehler"},
    {34355, "LMZ752 Fehler"},
    {34357, "Havarie Fehler"},
    {34354, "Sprechstellenfehler"},
    {34328, "Sprechen über  Audioeingang"},
    {34540, "Anlage ein"},
    {34539, "Anlage aus"},
    {34541, "Anlage fährt hoch"},
    {34542, "Anlage fährt runter"},
    {34543, "Wiedergabe aktiv"},
    {34544, "Aufnahme aktiv"},
    {34545, "Löschen aktiv"},
    {34546, "Rekorder gestoppt"},
    {34547, "Mute"},
    {34577, "Linientest"},
    {34578, "Linienfehler"},
    {34579, "Linienerdschluß"},
    {34580, "Erdschluß"},
    {34063, "Sprechstelle"},
    {34262, "LMZ752"},
    {34503, "KVT Slots"},
    {34504, "Remote-Verstärker"},
    {34581, "Ausgänge"},
    {34457, "Linien"},
    {34488, "Verstärkerkanäle"},
    {34331, "beliebiger Alarm"},
    {34332, "beliebiger Gong"},
    {34333, "beliebiger Text"},
    {34334, "beliebiger Audioeingang"},
    {34335, "Durchsage über Makro"},
    {34329, "Taste"},
    {34511, "bel. Sprechstelle"},
    {34512, "bel. LMZ752"},
    {34513, "bel. Verstärker"},
    {34514, "bel. KVT Slot"},
    {34515, "bel. Havarieverstärker"},
    {34516, "angeschlossen"},
    {34565, "Fehler"},
    {33158, "Interfaceslot"},
    {33016, "Slot 1"},
    {33017, "Slot 2"},
    {33014, "Slot 3"},
    {33015, "Slot 4"},
    {33147, "Digitalslot"},
});

namespace {

namespace ck = condkind;

bool OneOf(uint32_t v, std::initializer_list<uint32_t> ids)
{
    return std::find(ids.begin(), ids.end(), v) != ids.end();
}

struct KeywordRow {
    const char* keyword;
    uint32_t kind;
};

// The protocol keywords in the order they are matched.
constexpr KeywordRow kKeywords[] = {
    {"PILOTGEN", ck::PilotGen},   {"SLOT5_IN", ck::SlotIn},       {"SLOT5_OUT", ck::SlotOut},
    {"INP", ck::Inp},             {"LMZ763", ck::LMZ763},         {"LMZ764", ck::LMZ764},
    {"LMZ771", ck::LMZ771},       {"MEMO", ck::Memo},             {"ANALOG", ck::Analog},
    {"BUSY", ck::Busy},           {"COMBINE", ck::Combine},       {"POWER", ck::Power},
    {"PILOT", ck::Pilot},         {"ANALOG_VCC", ck::AnalogVcc},  {"24VOLTS", ck::Volts24Sig},
    {"FAULT", ck::Fault},         {"READY", ck::Ready},           {"ANY_FAULTINP", ck::AnyFaultInp},
    {"ALL_READYINP", ck::AllReadyInp}, {"READYINP", ck::ReadyInp}, {"FAULTINP", ck::FaultInp},
    {"TALK_CONS", ck::TalkCons},  {"TALK_KEY", ck::TalkKey},      {"ALARM", ck::Alarm},
    {"CHIME", ck::Chime},         {"MESSAGE", ck::Message},       {"CONSOLE", ck::Console},
    {"BPROG", ck::BProg},         {"KVT_ERR", ck::KvtErr},        {"AMP_ERR", ck::AmpErr},
    {"LMZ_ERR", ck::LmzErr},      {"SPARE_ERR", ck::SpareErr},    {"CONS_ERR", ck::ConsErr},
    {"TALK_IN", ck::TalkIn},      {"PWR_ON", ck::PwrOn},          {"PWR_OFF", ck::PwrOff},
    {"PWR_BOOT", ck::PwrBoot},    {"PWR_SHUT", ck::PwrShut},      {"REC_PLAY", ck::RecPlay},
    {"REC_RECORD", ck::RecRecord}, {"REC_ERASE", ck::RecErase},   {"REC_STOP", ck::RecStop},
    {"MUTE", ck::Mute},           {"ZONETEST", ck::ZoneTest},     {"ZONE_ERR", ck::ZoneErr},
    {"ZONE_GNDFLT", ck::ZoneGndFlt}, {"GNDFLT", ck::GndFlt},
};
static_assert(sizeof(kKeywords) / sizeof(kKeywords[0]) == 47);

// Functions whose index is a control pad's signal index.
bool IsPadKind(uint32_t k)
{
    return OneOf(k, {ck::SlotIn, ck::SlotOut, ck::Inp, ck::LMZ763, ck::LMZ764, ck::LMZ771, ck::Power, ck::Pilot,
                     ck::AnalogVcc, ck::Volts24, ck::Fault, ck::Ready, ck::AnyFaultInp, ck::AllReadyInp});
}

// Functions on one of the device's own state contacts: the contact's index
// is always 0, so the function alone names it.
bool IsSystemContactKind(uint32_t k)
{
    return OneOf(k, {ck::Power, ck::Pilot, ck::AnalogVcc, ck::Volts24, ck::Fault, ck::Ready, ck::AnyFaultInp,
                     ck::AllReadyInp});
}

// Whether a contact is the one the device names by a function keyword and an
// index. The project's own 24 V contact ("24 Volt") is the one the device
// calls "24VOLTS", as its own kind of that name is.
bool NamesContact(const CControlPad* pad, const std::string& keyword, int32_t index)
{
    if (!pad)
        return false;
    if (pad->GetKindId() == padkind::Volts24)
        return keyword == "24VOLTS" && index == 0;
    return pad->MatchesKeyword(keyword, index);
}

// Functions linked to an object other than a control pad.
bool IsObjectKind(uint32_t k)
{
    return OneOf(k, {ck::Memo, ck::Analog, ck::Combine, ck::Busy, ck::Chime, ck::Alarm, ck::Message, ck::ReadyInp,
                     ck::FaultInp, ck::TalkCons, ck::ConsErr, ck::Console});
}

// Functions that keep the index in the field.
bool IsIndexKind(uint32_t k)
{
    return OneOf(k, {ck::TalkKey, ck::TalkIn, ck::KvtErr, ck::AmpErr, ck::LmzErr, ck::SpareErr, ck::Mute,
                     ck::ZoneTest, ck::ZoneErr, ck::ZoneGndFlt, ck::GndFlt});
}

// The objects created for a function when the index names none.
struct CreatableRow {
    uint32_t kind;
    uint32_t type;
    const char* className;
    uint32_t objectKind;
    int32_t category;
};
constexpr CreatableRow kCreatable[] = {
    {ck::Memo, OT_MEMO_FLAG, "CMemoFlag", 34130, CAT_DIGITAL_IO},
    {ck::Analog, OT_ANALOG_CONDITION, "CAnalogCondition", 34358, CAT_DIGITAL_IO},
    {ck::Combine, OT_COMBINE_CONDITION, "CCombineCondition", 34359, CAT_DIGITAL_IO},
    {ck::Busy, OT_BUSY_CONDITION, "CBusyCondition", 34456, CAT_DIGITAL_IO},
    {ck::Chime, OT_CHIME_SIGNAL, "CChimeSignal", 32823, CAT_AUDIO},
    {ck::Alarm, OT_ALARM_SIGNAL, "CAlarmSignal", 32822, CAT_AUDIO},
    {ck::Message, OT_MESSAGE_SIGNAL, "CMessageSignal", 32824, CAT_AUDIO},
};

const CreatableRow* FindCreatable(uint32_t kind)
{
    for (const CreatableRow& r : kCreatable)
        if (r.kind == kind)
            return &r;
    return nullptr;
}

// Looks an object up without the directory's message for a number out of range.
CBaseDevice* Lookup(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

// Replaces whole words `from` by `to` (words end at blanks).
std::string ReplaceWord(const std::string& text, const std::string& from, const std::string& to)
{
    std::string out;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(pos, end - pos);
        out += word == from ? to : word;
        if (end < text.size())
            out += ' ';
        pos = end + 1;
    }
    return out;
}

// The channel number of a contact on a card: card number × connector count
// + the card's connector + 1; 0 when the card does not lead to the contact.
int32_t CardChannelNumber(const CBaseDevice* card, const CBaseDevice* contact)
{
    const LinkRecord* r = card->GetOutLinkTo(contact);
    if (!r)
        return 0;
    return card->GetNumber() * card->m_outputCount + r->ownKey + 1;
}

struct Installer {
    Installer()
    {
        SetConditionTextFn([](const CBaseDevice* c) -> std::string {
            const auto* cond = dynamic_cast<const CCondition*>(c);
            return cond ? cond->GetText(condkey::Level) : std::string();
        });
        CQuillomerDoc::SetConditionStateFn([](CBaseDevice* c, int32_t state) {
            if (auto* cond = dynamic_cast<CCondition*>(c))
                cond->m_level = state != 0 ? 1 : 0;
        });
    }
} installer;

}  // namespace

// ==================================================================== CCondition

CCondition::CCondition()
{
    m_type = OT_CONDITION;
}

CCondition::~CCondition() = default;

uint32_t CCondition::KindFromKeyword(const std::string& keyword)
{
    for (const KeywordRow& r : kKeywords)
        if (keyword == r.keyword)
            return r.kind;
    return ck::Plain;
}

std::string CCondition::KeywordOfKind(uint32_t kind)
{
    if (kind == ck::Volts24)
        return "24VOLTS";
    if (kind == ck::Volts24Sig)
        return "OFF";
    for (const KeywordRow& r : kKeywords)
        if (r.kind == kind)
            return r.keyword;
    return "OFF";
}

// ---------------------------------------------------------------- values

int32_t CCondition::GetValue(int key) const
{
    switch (key) {
    case condkey::Level: return static_cast<int32_t>(m_level);
    case condkey::Object: return GetLinkedNumber(0);
    default: return 0;
    }
}

void CCondition::ReportMissing(const std::string* diffFile, const std::string& detail) const
{
    if (diffFile && !diffFile->empty())
        AppendErrLine(*diffFile, LoadStringId(34129), m_number, detail);
}

bool CCondition::CanHoldObject(int32_t number) const
{
    if (number == 0)
        return true;
    if (const CreatableRow* row = FindCreatable(m_kindId))
        return Lookup(m_pDocument, number, row->type) || IsFamilyNumber(m_pDocument, row->type, number);
    if (m_kindId == ck::ReadyInp || m_kindId == ck::FaultInp)
        return Lookup(m_pDocument, number, OT_READY_INPUT);
    if (OneOf(m_kindId, {ck::TalkCons, ck::ConsErr, ck::Console}))
        return Lookup(m_pDocument, number, OT_CONSOLE);
    return true;
}

std::string CCondition::MissingObjectText(int32_t number) const
{
    if (IsPadKind(m_kindId))
        return "Label " + LoadStringId(m_kindId) + StrFormat(" %d", number);
    if (OneOf(m_kindId, {ck::TalkCons, ck::ConsErr, ck::Console}))
        return LoadStringId(34063) + " " + StrFormat(" %d", number);
    return LoadStringId(m_kindId) + StrFormat(" %d", number);
}

void CCondition::LinkObject(CBaseDevice* obj)
{
    AddOutLink(this, 0, obj, 1, obj->GetCategory());
    obj->AddInLink(obj, 1, this, 0, m_category);
}

void CCondition::SetValue(int key, int32_t value, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case condkey::ProtocolIndex: {
        const bool newFunction = std::exchange(m_newFunctionReadBack, false);
        // What the entry watched belonged to the function it had before: the
        // index is resolved for the new function from scratch.
        const bool relabelled = newFunction && GetOutLinkAtKey(0);
        if (relabelled) {
            RemoveOutLinksAtKey(0);
            Relabel();
        }
        if (IsPadKind(m_kindId)) {
            if (!m_pDocument)
                return;
            const LinkRecord* r = GetOutLinkAtKey(0);
            const auto* linked = dynamic_cast<const CControlPad*>(r && r->HasPartner() ? r->partner : nullptr);
            // The contact chosen in the design is the one the device names:
            // it stays, even where another contact would match as well. The
            // function read back just before names the contact's kind.
            const std::string keyword = KeywordOfKind(m_kindId);
            if (NamesContact(linked, keyword, value))
                return;
            // The device holds what the design writes (0 for a contact
            // condition without its contact): nothing missing. Only the
            // device's own state contacts are named by the function alone.
            const bool asWritten = !newFunction && GetText(condkey::ProtocolIndex) == StrFormat("%d", value);
            if (asWritten && !linked && !IsSystemContactKind(m_kindId))
                return;
            DeviceList pads;
            m_pDocument->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
            for (CBaseDevice* p : pads) {
                if (NamesContact(dynamic_cast<const CControlPad*>(p), keyword, value)) {
                    SetValue(condkey::Object, p->GetNumber(), nullptr);
                    return;
                }
            }
            if (!asWritten)
                ReportMissing(diffFile, LoadStringId(m_kindId) + " " + StrFormat(" %d", value));
            // A contact the design holds stays; without one, the device's
            // index is kept to be written back.
            if (!GetOutLinkAtKey(0))
                m_untakenIndex = value;
        } else if (IsObjectKind(m_kindId) && !CanHoldObject(value)) {
            // The project has no such object and cannot make one: the
            // object the design watches stays; without one, the device's
            // number is kept to be written back.
            if (GetText(condkey::ProtocolIndex) != StrFormat("%d", value))
                ReportMissing(diffFile, MissingObjectText(value));
            if (!GetOutLinkAtKey(0))
                m_untakenIndex = value;
        } else if (IsObjectKind(m_kindId) || OneOf(m_kindId, {ck::TalkKey, ck::TalkIn, ck::Mute, ck::ZoneTest,
                                                              ck::ZoneErr, ck::ZoneGndFlt, ck::GndFlt,
                                                              ck::OldConsole})) {
            SetValue(condkey::Object, value, diffFile);
        } else {
            m_index = OneOf(m_kindId, {ck::LmzErr, ck::KvtErr, ck::SpareErr, ck::BProg, ck::AmpErr}) ? value : 0;
            // The name just given for the new function named the index it
            // had before: it names the one the device holds.
            if (relabelled)
                Relabel();
        }
        return;
    }
    case condkey::Level:
        m_level = static_cast<uint32_t>(value);
        EditLevelInName();
        return;
    case condkey::Object: {
        m_untakenIndex = 0;
        if (value == GetLinkedNumber(0)) {
            // While a link names the object, the index field is not used:
            // the object read back again leaves it as it is.
            if (!GetOutLinkAtKey(0))
                m_index = value;
            Relabel();
            return;
        }
        if (GetOutLinkAtKey(0))
            RemoveOutLinksAtKey(0);
        if (value == 0) {
            m_index = 0;
            Relabel();
            return;
        }
        if (const CreatableRow* row = FindCreatable(m_kindId)) {
            CBaseDevice* obj = Lookup(m_pDocument, value, row->type);
            if (!obj)
                obj = CreateNumberedPlaceholder(m_pDocument, row->className, row->type, row->objectKind, value,
                                                row->category);
            if (obj) {
                LinkObject(obj);
            } else {
                m_untakenIndex = value;
                ReportMissing(diffFile, MissingObjectText(value));
            }
        } else if (IsPadKind(m_kindId) || OneOf(m_kindId, {ck::ReadyInp, ck::FaultInp, ck::TalkCons, ck::ConsErr,
                                                           ck::Console})) {
            uint32_t type = OT_CONTROL_PAD;
            if (m_kindId == ck::ReadyInp || m_kindId == ck::FaultInp)
                type = OT_READY_INPUT;
            else if (!IsPadKind(m_kindId))
                type = OT_CONSOLE;
            if (CBaseDevice* obj = Lookup(m_pDocument, value, type)) {
                LinkObject(obj);
            } else {
                // A contact is named by its pad's number here, which means
                // nothing to the device; an object's number is its index.
                if (type != OT_CONTROL_PAD)
                    m_untakenIndex = value;
                ReportMissing(diffFile, MissingObjectText(value));
            }
        } else {
            m_index = value;
        }
        Relabel();
        return;
    }
    case condkey::Kind: {
        const uint32_t kind = static_cast<uint32_t>(value);
        if (kind == m_kindId || m_kindId == ck::Plain)
            return;
        RemoveAllOutLinks();
        RemoveAllInLinks();
        m_kindId = kind;
        m_untakenIndex = 0;
        SetName(LoadStringId(m_kindId) + " " + GetText(condkey::Level) + " " + LoadStringId(34129));
        return;
    }
    default:
        return;
    }
}

void CCondition::ParseValue(int key, const std::string& text, const std::string*)
{
    if (key != condkey::Keyword)
        return;
    const ChangeGuard guard(*this);
    uint32_t kind = KindFromKeyword(text);
    // The 24 V contact read back is the function the design offers and
    // writes: its own contact kind would write the entry off at the next
    // download.
    if (kind == ck::Volts24Sig)
        kind = ck::Volts24;
    m_newFunctionReadBack = kind != m_kindId;
    // The condition's own function read back again changes nothing, not
    // even the word it last read.
    if (m_newFunctionReadBack)
        m_keyword = text;
    if (m_newFunctionReadBack)
        m_untakenIndex = 0;  // it named something for the function before
    m_kindId = kind;
    // A function word the project does not know writes the entry off: what
    // it watched for its function before goes, and its name says what it
    // now is, as its list row shows and its next download sends.
    if (m_newFunctionReadBack && kind == ck::Plain) {
        m_newFunctionReadBack = false;
        RemoveOutLinksAtKey(0);
        Relabel();
    }
}

CCondition::FunctionHeld CCondition::GetFunctionHeld() const
{
    return {m_kindId, m_keyword, m_untakenIndex, m_newFunctionReadBack};
}

void CCondition::PutBackFunction(const FunctionHeld& held)
{
    const ChangeGuard guard(*this);
    // A function read back leaves what the entry watched and its name as
    // they were until its index comes: the kind and the words are all.
    m_kindId = held.kind;
    m_keyword = held.keyword;
    m_untakenIndex = held.untakenIndex;
    m_newFunctionReadBack = held.newFunctionReadBack;
}

bool CCondition::BecomeFreeOnDevice()
{
    const ChangeGuard guard(*this);
    // Without a function it watches nothing and writes its entry off.
    RemoveAllOutLinks();
    m_kindId = ck::Plain;
    m_keyword = "OFF";
    m_index = 0;
    m_untakenIndex = 0;
    m_level = 0;
    m_newFunctionReadBack = false;
    TakePlaceholderName();
    return true;
}

bool CCondition::IsFreeOnDeviceForm() const
{
    return m_kindId == ck::Plain;
}

void CCondition::Relabel()
{
    std::string x = GetText(condkey::Object);
    if (!x.empty()) {
        if (OneOf(m_kindId, {ck::ConsErr, ck::LmzErr, ck::KvtErr, ck::SpareErr, ck::AmpErr}))
            x = LoadStringId(34565) + " " + x;
        else if (m_kindId == ck::Console)
            x = LoadStringId(34516) + " " + x;
    } else {
        x = LoadStringId(m_kindId);
    }
    SetName(x + " " + GetText(condkey::Level) + " " + LoadStringId(34129));
}

void CCondition::EditLevelInName()
{
    // Only whole words change: a name such as "MONITOR" keeps its letters.
    if (m_level != 0)
        SetName(ReplaceWord(m_name, "OFF", "ON"));
    else
        SetName(ReplaceWord(m_name, "ON", "OFF"));
}

// ---------------------------------------------------------------- texts

std::string CCondition::GetText(int key) const
{
    switch (key) {
    case condkey::Keyword: return KeywordOfKind(m_kindId);
    case condkey::ProtocolIndex: {
        const LinkRecord* r = GetOutLinkAtKey(0);
        const CBaseDevice* linked = r && r->HasPartner() ? r->partner : nullptr;
        if (IsObjectKind(m_kindId))
            return StrFormat("%d", linked ? linked->GetNumber() : m_untakenIndex);
        if (IsPadKind(m_kindId)) {
            const auto* pad = dynamic_cast<const CControlPad*>(linked);
            return StrFormat("%d", pad ? pad->GetSignalIndex() : m_untakenIndex);
        }
        if (IsIndexKind(m_kindId))
            return StrFormat("%d", m_index);
        return "0";
    }
    case condkey::Level: return m_level != 0 ? "ON" : "OFF";
    case condkey::Object: {
        const LinkRecord* r = GetOutLinkAtKey(0);
        if (r && r->HasPartner()) {
            if (OneOf(m_kindId, {ck::Ready, ck::Fault, ck::AnyFaultInp, ck::AllReadyInp, ck::Power, ck::Pilot,
                                 ck::AnalogVcc, ck::Volts24Sig, ck::BProg}))
                return {};
            return r->partner->GetName();
        }
        if (m_untakenIndex != 0 && (IsObjectKind(m_kindId) || IsPadKind(m_kindId)))
            return StrFormat("%d *", m_untakenIndex);
        const int32_t n = m_index;
        CQuillomerDoc* doc = m_pDocument;
        switch (m_kindId) {
        case ck::Chime: return n == 0 ? LoadStringId(34332) : std::string();
        case ck::Alarm: return n == 0 ? LoadStringId(34331) : std::string();
        case ck::Message: return n == 0 ? LoadStringId(34333) : std::string();
        case ck::TalkCons: return n == 0 ? LoadStringId(34335) : std::string();
        case ck::Console:
        case ck::ConsErr: return n == 0 ? LoadStringId(34511) : std::string();
        case ck::TalkKey: return LoadStringId(34329) + " " + StrFormat("%d", n);
        case ck::TalkIn: return n != 0 ? StrFormat("IN%d", n) : LoadStringId(34334);
        case ck::Mute: return n != 0 ? StrFormat("OUT%d", n) : LoadStringId(34471);
        case ck::LmzErr: {
            if (n == 0)
                return LoadStringId(34512);
            const CBaseDevice* card = Lookup(doc, n, OT_LMZ752);
            return card ? card->GetName() : StrFormat("%d *", n);
        }
        case ck::KvtErr:
            switch (n) {
            case 255: return LoadStringId(34514);
            case 0: return LoadStringId(33158);
            case 1: return LoadStringId(33016);
            case 2: return LoadStringId(33017);
            case 3: return LoadStringId(33014);
            case 4: return LoadStringId(33015);
            case 5: return LoadStringId(33147);
            default: return {};
            }
        case ck::SpareErr: {
            if (n == 0)
                return LoadStringId(34515);
            const auto* spare = dynamic_cast<const CSpareAmp*>(Lookup(doc, 1, OT_SPARE_AMP));
            std::string name;
            uint32_t kind = 0;
            int32_t index = 0;
            if (spare && spare->GetEntry(n - 1, name, kind, index))
                return name;
            return StrFormat("%d *", n);
        }
        case ck::AmpErr: {
            if (n == 255)
                return LoadStringId(34513);
            if (doc) {
                DeviceList amps;
                doc->GetIDManager().GetRemoteAmpsByAddress(amps);
                for (const CBaseDevice* a : amps)
                    if (const auto* amp = dynamic_cast<const CAmplifier*>(a); amp && amp->GetAddress() == n)
                        return amp->GetName();
            }
            return StrFormat("%d *", n);
        }
        case ck::ZoneTest:
        case ck::ZoneErr:
        case ck::ZoneGndFlt: {
            if (n == 0)
                return {};
            const CBaseDevice* zone = Lookup(doc, n, OT_ZONE);
            return zone ? zone->GetName() : std::string();
        }
        case ck::GndFlt: {
            if (n == 0)
                return {};
            std::string text = doc ? doc->GetIDManager().GetAmpChannelText(n) : std::string();
            return text.empty() ? StrFormat("%d *", n) : text;
        }
        default: return {};
        }
    }
    default: return {};
    }
}

uint32_t CCondition::GetIndexKind() const
{
    const uint32_t k = m_kindId;
    if (OneOf(k, {32796, 32797, 34130, 34136, 34252, 34253, 34259, 34321, 34322, 34323, 34327, 34328, 34357, 34358,
                  34359, 34456}))
        return k;
    if (k == ck::ReadyInp || k == ck::FaultInp)
        return 34093;
    if (OneOf(k, {ck::TalkCons, ck::ConsErr, ck::Console}))
        return 34063;
    if (k == ck::LmzErr)
        return 34262;
    if (k == ck::KvtErr)
        return 34503;
    if (k == ck::AmpErr)
        return 34504;
    if (k == ck::Mute)
        return 34581;
    if (OneOf(k, {ck::ZoneTest, ck::ZoneErr, ck::ZoneGndFlt}))
        return 34457;
    if (k == ck::GndFlt)
        return 34488;
    return 0;
}

int CCondition::GetChoiceIds(int column, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    if (column == 0) {
        for (uint32_t id : {34421, 34321, 34322, 34323, 34130, 32796, 32797, 34136, 34358, 34359, 34456, 34132,
                            34135, 34134, 34133, 34094, 34093, 34095, 34096, 34297, 34282, 34326, 34327, 34328,
                            34253, 34252, 34259, 34476, 34517, 34354, 34355, 34356, 34480, 34357, 34540, 34539,
                            34541, 34542})
            ids->push_back(id);
        const CQuillomerDoc* doc = GetActiveDoc();
        if (doc && doc->m_data.deviceVariant != 0)
            for (uint32_t id : {34543, 34544, 34545, 34546, 34568, 34577, 34578, 34579})
                ids->push_back(id);
        ids->push_back(34547);
        ids->push_back(34580);
    }
    return static_cast<int>(ids->size());
}

int CCondition::GetEntryLines(std::vector<std::string>& lines) const
{
    lines.clear();
    const std::string keyword = GetText(condkey::Keyword);
    lines.push_back("/FUNCTION " + keyword);
    if (keyword == "OFF")
        return 1;
    lines.push_back("/INDEX " + GetText(condkey::ProtocolIndex));
    lines.push_back("/LEVEL " + GetText(condkey::Level));
    return 3;
}

int CCondition::GetEntryQueries(std::vector<std::string>& lines)
{
    lines.clear();
    lines.push_back("/FUNCTION ?");
    lines.push_back("/LEVEL ?");
    lines.push_back("/INDEX ?");
    return 3;
}

int CCondition::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {32805, 34244, 34234, 34330, 34243})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        texts.push_back(GetText(condkey::Object));
        texts.push_back(GetText(condkey::ProtocolIndex));
        texts.push_back(GetText(condkey::Level));
    }
    return static_cast<int>(texts.size());
}

int CCondition::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {40, 0}, {60, 0}, {110, 0}, {160, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

// ---------------------------------------------------------------- file

void CCondition::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_keyword << static_cast<uint32_t>(m_index) << m_levelText << static_cast<uint32_t>(m_untakenIndex)
           << m_level;
        return;
    }
    m_readFromFile = true;
    uint32_t index = 0;
    ar >> m_keyword >> index >> m_levelText;
    m_index = static_cast<int32_t>(index);
    if (m_loadedSchema >= 3) {
        uint32_t untaken = 0;
        ar >> untaken >> m_level;
        m_untakenIndex = static_cast<int32_t>(untaken);
    }
}

int CCondition::PostLoad()
{
    if (!m_readFromFile)
        return 1;
    m_readFromFile = false;
    if (m_loadedSchema < 2) {
        // Files of that time held the level only as its text.
        m_level = m_levelText == "ON" ? 1 : 0;
        UpgradeLinks();
    }
    else if (m_loadedSchema < 4)
        UpgradeKind();
    return 1;
}

void CCondition::UpgradeLinks()
{
    if (GetOutLinkAtKey(0))
        RemoveOutLinksAtKey(0);
    if (!m_pDocument)
        return;
    const CIDManager& dir = m_pDocument->GetIDManager();
    auto padsOfKind = [&](uint32_t kind) {
        DeviceList list;
        dir.GetBaseDeviceListByKind(list, OT_CONTROL_PAD, kind);
        return list;
    };
    auto inFrom = [](const CBaseDevice* pad, uint32_t type, int32_t partnerKey) {
        const LinkRecord* r = pad->GetInLinkAtKey(0);
        return r && r->HasPartner() && r->partner->GetType() == type && r->partnerKey == partnerKey;
    };
    auto outTo = [](const CBaseDevice* pad, uint32_t type, int32_t partnerKey) {
        const LinkRecord* r = pad->GetOutLinkAtKey(0);
        return r && r->HasPartner() && (type == 0 || r->partner->GetType() == type) && r->partnerKey == partnerKey;
    };
    auto switchOff = [&] {
        m_keyword = "OFF";
        m_index = 1;
    };

    const std::string& kw = m_keyword;
    const int32_t index = m_index;
    CBaseDevice* found = nullptr;
    uint32_t newKind = 0;  // 0: kind unchanged

    if (kw == "SLOT5_IN") {
        for (CBaseDevice* p : padsOfKind(ck::SlotIn))
            if (!found && inFrom(p, OT_DIGITAL_SLOT, index - 1))
                found = p;
        newKind = ck::SlotIn;
    } else if (kw == "SLOT5_OUT") {
        for (CBaseDevice* p : padsOfKind(ck::SlotOut))
            if (!found && outTo(p, OT_DIGITAL_SLOT, index - 1))
                found = p;
        newKind = ck::SlotOut;
    } else if (kw == "PILOT" || kw == "24VOLTS" || kw == "POWER") {
        const uint32_t kind = kw == "PILOT" ? ck::Pilot : kw == "POWER" ? ck::Power : ck::Volts24;
        const DeviceList pads = padsOfKind(kind);
        found = pads.empty() ? nullptr : pads.front();
        newKind = kw == "24VOLTS" ? ck::Volts24Sig : kind;
    } else if (kw == "ANALOG_VCC") {
        for (CBaseDevice* p : padsOfKind(ck::AnalogVcc))
            if (!found && outTo(p, 0, index))
                found = p;
        newKind = ck::AnalogVcc;
    } else if (kw == "INP") {
        for (CBaseDevice* p : padsOfKind(ck::Inp))
            if (!found && inFrom(p, OT_INTERFACE_SLOT, index + 1))
                found = p;
        newKind = ck::Inp;
    } else if (kw == "LMZ771") {
        if (index >= 1) {
            if (const CBaseDevice* card = Lookup(m_pDocument, (index - 1) / 12 + 1, OT_LMZ771))
                if (const LinkRecord* r = card->GetOutLinkAtKey((index - 1) % 12); r && r->HasPartner())
                    found = r->partner;
        }
        newKind = ck::LMZ771;
    } else if (kw == "READYINP" || kw == "FAULTINP") {
        const uint32_t kind = kw == "READYINP" ? ck::ReadyInp : ck::FaultInp;
        DeviceList inputs;
        dir.GetBaseDeviceListByKind(inputs, OT_READY_INPUT, kind);
        for (CBaseDevice* o : inputs)
            if (!found && o->GetNumber() == index)
                found = o;
        newKind = kind;
    } else if (kw == "TALK_IN" || kw == "TALK_KEY") {
        return;
    } else if (kw == "TALK_CONS" || kw == "MEMO" || kw == "ALARM" || kw == "CHIME" || kw == "MESSAGE") {
        const uint32_t type = kw == "TALK_CONS" ? OT_CONSOLE
                              : kw == "MEMO"    ? OT_MEMO_FLAG
                              : kw == "ALARM"   ? OT_ALARM_SIGNAL
                              : kw == "CHIME"   ? OT_CHIME_SIGNAL
                                                : OT_MESSAGE_SIGNAL;
        if (index == 0 && kw != "MEMO")
            return;
        found = Lookup(m_pDocument, index, type);
    } else {
        switchOff();
        return;
    }

    if (!found) {
        ShowMessage(StrFormat(LoadStringId(34209).c_str(), kw.c_str(), index), mb::Ok);
        switchOff();
        return;
    }
    if (newKind != 0)
        m_kindId = newKind;
    LinkObject(found);
}

void CCondition::UpgradeKind()
{
    m_level = m_levelText == "ON" ? 1 : 0;
    const LinkRecord* link = GetOutLinkAtKey(0);
    if (link && link->HasPartner()) {
        CBaseDevice* p = link->partner;
        const uint32_t kind = p->GetKindId();
        const LinkRecord* pin = p->GetInLinkAtKey(0);
        const bool hasIn = pin && pin->HasPartner();
        if (kind == ck::SlotOut) {
            const LinkRecord* pout = p->GetOutLinkAtKey(0);
            m_index = pout && pout->HasPartner() && pout->partner->GetType() == OT_DIGITAL_SLOT ? pout->partnerKey : 0;
            m_kindId = ck::SlotOut;
        } else if (kind == ck::SlotIn || kind == ck::Inp) {
            m_index = 0;
            if (hasIn && pin->partner->GetType() == OT_INTERFACE_SLOT) {
                m_index = pin->partnerKey - 2;
                m_kindId = ck::Inp;
            } else if (hasIn && pin->partner->GetType() == OT_DIGITAL_SLOT) {
                m_index = pin->partnerKey;
                m_kindId = ck::SlotIn;
            }
        } else if (kind == ck::LMZ763 || kind == ck::LMZ764) {
            m_index = 0;
            if (hasIn && pin->partner->GetType() == OT_RELAIS)
                if (const auto* pad = dynamic_cast<const CControlPad*>(p))
                    m_index = pad->GetSignalIndex();
            m_kindId = kind;
        } else if (kind == ck::LMZ771) {
            m_index = hasIn && pin->partner->GetType() == OT_LMZ771 ? CardChannelNumber(pin->partner, p) : 0;
            m_kindId = ck::LMZ771;
        } else if (OneOf(kind, {ck::Power, ck::Pilot, ck::AnalogVcc, ck::Volts24, ck::AnyFaultInp, ck::AllReadyInp,
                                ck::Fault, ck::Ready})) {
            m_index = 0;
            m_kindId = kind;
        } else if (kind == ck::ReadyInp || kind == ck::FaultInp) {
            m_index = p->GetNumber();
            m_kindId = kind;
        } else if (p->GetType() == OT_CONSOLE) {
            if (m_keyword == "TALK_CONS") {
                m_kindId = ck::TalkCons;
            } else {
                m_index = p->GetNumber();
                m_kindId = ck::Console;
            }
        } else if (p->GetType() == OT_MEMO_FLAG) {
            m_index = p->GetNumber();
            m_kindId = ck::Memo;
        } else if (p->GetType() == OT_ALARM_SIGNAL) {
            m_index = p->GetNumber();
            m_kindId = ck::Alarm;
        } else if (p->GetType() == OT_CHIME_SIGNAL) {
            m_index = p->GetNumber();
            m_kindId = ck::Chime;
        } else if (p->GetType() == OT_MESSAGE_SIGNAL) {
            m_index = p->GetNumber();
            m_kindId = ck::Message;
        }
        return;
    }
    if (m_keyword == "ALARM") {
        m_index = 0;
        m_kindId = ck::Alarm;
    } else if (m_keyword == "CHIME") {
        m_index = 0;
        m_kindId = ck::Chime;
    } else if (m_keyword == "MESSAGE") {
        m_index = 0;
        m_kindId = ck::Message;
    } else if (m_keyword == "TALK_CONS") {
        m_index = 0;
        m_kindId = ck::TalkCons;
    } else if (m_keyword == "TALK_KEY") {
        m_kindId = ck::TalkKey;
    } else if (m_keyword == "TALK_IN") {
        m_kindId = ck::TalkIn;
    }
}
