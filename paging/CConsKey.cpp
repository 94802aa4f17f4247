#include "paging/CConsKey.h"

#include <cstdio>

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/IConsoleKeyView.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CConsKey, 1)

namespace {
constexpr const char* kKeywords[kConsKeyFunctionCount] = {
    "DISABLED", "ON", "STOP", "PROGRAM", "CLEAR", "AUX", "SEL", "ALARM",
    "CHIME", "TEXT", "TALK", "TALKEXT", "MACRO", "MACREP", "MACRAD", "MACSWT",
};

// The programmable key of each position 101..112.
struct ProgKeyDef {
    int number;
    uint32_t labelId;
    int32_t function;
    uint16_t bitmap;
};
constexpr ProgKeyDef kProgKeys[CConsProp::kProgrammableKeys] = {
    {102, IDS_KEY_CLEAR, CKF_CLEAR, 0},     {101, IDS_KEY_ALL, CKF_SEL, 0},
    {103, IDS_KEY_ON, CKF_ON, 0},           {106, IDS_KEY_CHIME, CKF_CHIME, 0},
    {104, IDS_KEY_STOP, CKF_STOP, 0},       {107, IDS_KEY_TEXT, CKF_DISABLED, 0},
    {105, IDS_KEY_PROGRAM, CKF_PROGRAM, 0}, {108, IDS_KEY_TALK, CKF_TALK, 0},
    {112, IDS_KEY_PTT, CKF_DISABLED, 309},  {111, IDS_KEY_EXTRA2, CKF_DISABLED, 301},
    {110, IDS_KEY_EXTRA1, CKF_DISABLED, 303}, {109, IDS_KEY_ALARM, CKF_ALARM, 303},
};

const ProgKeyDef* DefOfPosition(int position)
{
    if (position < CConsKey::kFirstProgrammable || position > CConsKey::kLastProgrammable)
        return nullptr;
    return &kProgKeys[position - CConsKey::kFirstProgrammable];
}

constexpr int32_t kSignalCategory = CAT_AUDIO;
constexpr int32_t kMaxMacroOnKey = 50;

// A key value as the device and the file hold it: a signed byte. The target
// codes 128..130 (group slots 28..30) do not fit one and stand as -128..-126,
// which are no target codes: they are read back as 128..130.
int32_t KeyByte(int32_t v)
{
    const auto b = static_cast<int8_t>(v & 0xFF);
    return b <= -126 ? b + 256 : b;
}
int32_t SignedByte(int32_t v) { return static_cast<int8_t>(v & 0xFF); }

// The numbers of a key's answer as the key holds them: up to three whole
// numbers (A a target code, delay or macro, B signed, C a priority), then at
// most the word UNPROT. The value parser reads "%d" and keeps bytes, so
// anything else would become another key value: "SEL,6.5" zone 6, "SEL,WORT"
// group slot 0, "SEL,262" zone 6.
bool IsKeyAnswerRest(const std::string& rest)
{
    if (rest.empty())
        return true;
    static const long kLow[3] = {-125, -128, 0};
    static const long kHigh[3] = {130, 127, CConsKey::kMaxPriority};
    size_t start = 0;
    for (int i = 0;; ++i) {
        const size_t comma = rest.find(',', start);
        const std::string part = rest.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (i == 3)
            return comma == std::string::npos && part == "UNPROT";
        if (!ScanWholeNumber(part, kLow[i], kHigh[i]))
            return false;
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

CBaseDevice* Lookup(const CConsole* console, int32_t number, uint32_t type)
{
    CQuillomerDoc* doc = console ? console->GetDocument() : nullptr;
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

uint32_t SignalTypeOf(int32_t f)
{
    return f == CKF_ALARM ? OT_ALARM_SIGNAL : f == CKF_CHIME ? OT_CHIME_SIGNAL : OT_MESSAGE_SIGNAL;
}

std::string LabelOf(uint32_t id)
{
    const std::string text = LoadStringId(id);
    return text.substr(0, text.find('@'));
}
}  // namespace

CConsKey::CConsKey() = default;

CConsKey::CConsKey(int position, CConsole* console) : m_console(console)
{
    if (const ProgKeyDef* def = DefOfPosition(position)) {
        m_number = def->number;
        m_bitmapId = def->bitmap;
        m_label = LabelOf(def->labelId);
    } else {
        m_number = position;
    }
    m_marker = m_number;
    m_stored = ConsKeyValues{};
    m_working = m_stored;
}

// ---------------------------------------------------------------- file

void CConsKey::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const uint32_t w1 = (static_cast<uint32_t>(m_stored.function & 0xFF) << 24) |
                            (static_cast<uint32_t>(m_stored.a & 0xFF) << 16) |
                            (static_cast<uint32_t>(m_stored.b & 0xFF) << 8) | ((m_stored.protect ? 1u : 0u) << 7) |
                            ((m_programmed ? 1u : 0u) << 6);
        const uint32_t w2 = (static_cast<uint32_t>(m_stored.c & 0xFF) << 24) |
                            (static_cast<uint32_t>(m_number & 0xFF) << 16) | m_bitmapId;
        ar << w1 << w2;
        return;
    }
    uint32_t w1 = 0, w2 = 0;
    ar >> w1 >> w2;
    m_stored.function = static_cast<int8_t>(w1 >> 24);
    m_stored.a = KeyByte(static_cast<int32_t>(w1 >> 16));
    m_stored.b = SignedByte(static_cast<int32_t>(w1 >> 8));
    m_stored.protect = (w1 >> 7) & 1;
    m_programmed = (w1 >> 6) & 1;
    m_stored.c = static_cast<int32_t>(w2 >> 24);
    m_number = static_cast<int32_t>((w2 >> 16) & 0xFF);
    m_bitmapId = static_cast<uint16_t>(w2 & 0xFFFF);
    if (m_stored.function < 0 || m_stored.function >= kConsKeyFunctionCount)
        throw CArchiveException(CArchiveException::generic, "console key function out of range");
    m_marker = m_number;
    m_parsedProtect = m_stored.protect;
    m_working = m_stored;
    if (m_number < kFirstProgrammable)
        m_bitmapId = 0;
    for (const ProgKeyDef& d : kProgKeys)
        if (d.number == m_number)
            m_label = LabelOf(d.labelId);
}

// ---------------------------------------------------------------- keywords

const char* CConsKey::FunctionKeyword(int32_t function)
{
    return function >= 0 && function < kConsKeyFunctionCount ? kKeywords[function] : "";
}

int32_t CConsKey::FunctionOfKeyword(const std::string& keyword)
{
    for (int32_t f = 0; f < kConsKeyFunctionCount; ++f)
        if (keyword == kKeywords[f])
            return f;
    return -1;
}

std::string CConsKey::FunctionLabel(int32_t function)
{
    switch (function) {
    case CKF_ON: return LabelOf(IDS_KEY_ON);
    case CKF_STOP: return LabelOf(IDS_KEY_STOP);
    case CKF_PROGRAM: return LabelOf(IDS_KEY_PROGRAM);
    case CKF_CLEAR: return LabelOf(IDS_KEY_CLEAR);
    case CKF_AUX: return LabelOf(IDS_KEY_AUX);
    case CKF_ALARM: return LabelOf(IDS_KEY_ALARM);
    case CKF_CHIME: return LabelOf(IDS_KEY_CHIME);
    case CKF_TEXT: return LabelOf(IDS_KEY_TEXT);
    case CKF_TALK: return LabelOf(IDS_KEY_TALK);
    case CKF_TALKEXT: return LabelOf(IDS_KEY_PTT);
    default: return std::string();
    }
}

int CConsKey::KeyNumberOfPosition(int position)
{
    const ProgKeyDef* def = DefOfPosition(position);
    return def ? def->number : 0;
}

// ---------------------------------------------------------------- value text

std::string CConsKey::BuildValueText() const
{
    return BuildValueText(m_stored);
}

std::string CConsKey::BuildValueText(const ConsKeyValues& v)
{
    const bool aAlways = v.function >= CKF_SEL && v.function <= CKF_TALKEXT;
    const bool present[4] = {v.a != 0 || aAlways, v.b != 0, v.c != 0, v.protect == 0};
    const int32_t values[3] = {v.a, v.b, v.c};
    int last = -1;
    for (int i = 0; i < 4; ++i)
        if (present[i])
            last = i;
    std::string text = FunctionKeyword(v.function);
    for (int i = 0; i <= last && i < 3; ++i)
        text += StrFormat(",%d", present[i] ? values[i] : 0);
    if (last == 3)
        text += ",UNPROT";
    return text;
}

std::string CConsKey::WriteDownloadLine(bool query, bool shorten)
{
    if (!m_console)
        return std::string();
    std::string line = m_console->GetPath() + StrFormat("/KEY%d", m_number);
    line += query ? std::string(" ?") : " " + DownloadValueText();
    SendCommand(line, m_console->GetDocument(), shorten);
    return line;
}

std::string CConsKey::DownloadValueText() const
{
    ConsKeyValues v = m_stored;
    if (v.function == CKF_MACREP)
        v.b = 30 / (v.b != 0 ? v.b : 1);  // repetitions per second as the device's rate
    return BuildValueText(v);
}

bool CConsKey::ParseAnswer(const std::string& value)
{
    const size_t comma = value.find(',');
    const std::string keyword = value.substr(0, comma);
    std::string rest = comma == std::string::npos ? std::string() : value.substr(comma + 1);
    const int32_t function = FunctionOfKeyword(keyword);
    if (function < 0) {
        std::string lower;
        for (char ch : value)
            lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        if (lower.rfind("console not connected", 0) != 0)
            ShowMessageId(IDS_CONS_PARSER_ERROR, mb::IconExclamation);
        return true;
    }
    if (!IsKeyAnswerRest(rest))
        return false;
    if (function == CKF_MACREP) {
        int a = 0, rate = 0;
        std::sscanf(rest.c_str(), "%d,%d", &a, &rate);
        rest = StrFormat("%d,%d", a, rate != 0 ? 30 / rate : 1);
    }
    ParseValueText(function, rest, true);
    return true;
}

// ---------------------------------------------------------------- value parser

bool CConsKey::ResolveTarget(int32_t a, CBaseDevice*& target, int32_t& category, int32_t& slot) const
{
    target = nullptr;
    slot = 0;
    if (a >= keytarget::FirstZone && a <= keytarget::LastZone) {
        target = Lookup(m_console, a, OT_ZONE);
        category = CAT_ZONE;
    } else if (a >= keytarget::FirstSlot && a <= keytarget::LastSlot) {
        slot = a - 100;
        target = m_console ? m_console->GetGroupSlot(slot) : nullptr;
        category = CAT_GROUP;
    } else if (a == keytarget::GroupZero) {
        target = m_console ? m_console->GetGroupSlot(0) : nullptr;
        category = CAT_GROUP;
    } else if (a == keytarget::None) {
        target = LinkRecord::NoPartner();
        category = CAT_CONSOLE;
    }
    if (target)
        return true;
    ShowMessageId(IDS_KEY_NO_TARGET, mb::IconExclamation);
    return false;
}

bool CConsKey::ParseValueText(int32_t function, const std::string& text, bool commit)
{
    if (function < 0 || function >= kConsKeyFunctionCount)
        return false;
    // One change of the console, however many links it takes apart and
    // puts back on the way.
    const CBaseDevice::ChangeGuard guard(m_console);
    // A new value always replaces the key's old targets, even when the last
    // one stopped half-way (a second target set, the first one missing).
    m_marker = m_number;
    int a = 0, b = 0, c = 0;
    std::sscanf(text.c_str(), "%d,%d,%d", &a, &b, &c);
    a = KeyByte(a);
    b = SignedByte(b);
    c = SignedByte(c);
    m_parsedProtect = text.size() >= 6 && text.compare(text.size() - 6, 6, "UNPROT") == 0 ? 0 : 1;
    const int32_t n = m_number;
    CBaseDevice* target = nullptr;
    int32_t category = 0, slot = 0;

    switch (function) {
    case CKF_DISABLED:
        SetFunctionAs(n, CKF_DISABLED, 0, 0, 0, nullptr, 0, commit, 0);
        return true;
    case CKF_ON:
    case CKF_STOP:
    case CKF_PROGRAM:
    case CKF_CLEAR:
        SetFunctionAs(n, function, a, b, c, m_console, CAT_CONSOLE, commit, 0);
        return true;
    case CKF_ALARM:
    case CKF_CHIME:
    case CKF_TEXT:
    case CKF_TALK:
    case CKF_TALKEXT: {
        const bool talk = function == CKF_TALK || function == CKF_TALKEXT;
        if (!talk || b != 0) {
            CBaseDevice* signal = b != 0 ? Lookup(m_console, b, talk ? OT_CHIME_SIGNAL : SignalTypeOf(function)) : nullptr;
            if (!signal) {
                ShowMessage(StrFormat(LoadStringId(IDS_KEY_NO_SIGNAL).c_str(), n), mb::IconExclamation);
                return true;
            }
            SetFunctionAs(-n, function, a, b, c, signal, kSignalCategory, commit, 0);
        }
        if (ResolveTarget(a, target, category, slot))
            SetFunctionAs(n, function, a, b, c, target, category, commit, slot);
        return true;
    }
    case CKF_AUX:
    case CKF_SEL:
        if (ResolveTarget(a, target, category, slot))
            SetFunctionAs(n, function, a, b, c, target, category, commit, slot);
        return true;
    default:
        break;
    }
    // Macro functions.
    if (function == CKF_MACRO || function == CKF_MACSWT) {
        CBaseDevice* second = b >= 1 && b <= kMaxMacroOnKey ? Lookup(m_console, b, OT_MACRO) : nullptr;
        if (second)
            SetFunctionAs(-n, function, a, b, c, second, CAT_MACRO, commit, 0);
        else if (!(function == CKF_MACRO && b == 0))
            ShowMessageId(IDS_KEY_NO_MACRO2, mb::IconExclamation);
    }
    CBaseDevice* macro = a >= 1 && a <= kMaxMacroOnKey ? Lookup(m_console, a, OT_MACRO) : nullptr;
    if (!macro) {
        ShowMessageId(IDS_KEY_NO_MACRO, mb::IconExclamation);
        return true;
    }
    SetFunctionAs(n, function, a, b, c, macro, CAT_MACRO, commit, 0);
    return true;
}

void CConsKey::SetFunction(int32_t function, int32_t a, int32_t b, int32_t c, CBaseDevice* target,
                           int32_t targetCategory, bool commit)
{
    const CBaseDevice::ChangeGuard guard(m_console);
    m_marker = m_number;
    SetFunctionAs(m_number, function, a, b, c, target, targetCategory, commit, 0);
}

void CConsKey::SetFunctionAs(int32_t k, int32_t function, int32_t a, int32_t b, int32_t c, CBaseDevice* target,
                             int32_t targetCategory, bool commit, int32_t slot)
{
    if (m_marker > 0) {
        m_secondTarget = nullptr;
        if (commit && m_console) {
            m_removedLinks.clear();
            m_console->RemoveKeyLinks(m_number, &m_removedLinks);
        }
    }
    m_programmed = function != CKF_DISABLED ? 1 : 0;
    if (commit) {
        m_stored = ConsKeyValues{function, a, b, c, m_parsedProtect};
        if (targetCategory != 0 && target && m_console)
            m_console->AddKeyLink((k & 0xFFFF) | (slot << 16), target, targetCategory, m_removedLinks);
        m_working = m_stored;
    } else {
        m_working.function = function;
        m_working.a = a;
        m_working.b = b;
        m_working.c = c;
    }
    if (k >= 0)
        SetFirstTarget(target);
    else
        SetSecondTarget(target);
    if (m_view)
        m_view->KeyChanged(*this);
    m_marker = k;
}

// ---------------------------------------------------------------- targets

void CConsKey::SetSecondTarget(CBaseDevice* target)
{
    m_secondTarget = target;
}

void CConsKey::SetFirstTarget(CBaseDevice* target)
{
    m_firstTarget = target;
    RefreshCaption();
}

void CConsKey::RefreshCaption()
{
    CBaseDevice* first = m_firstTarget;
    CBaseDevice* second = m_secondTarget;
    const CBaseDevice* console = m_console;
    const auto isReal = [&](const CBaseDevice* o) { return o && o != console && o != LinkRecord::NoPartner(); };
    const int32_t f = m_working.function;
    m_programmed = f != CKF_DISABLED ? 1 : 0;
    if (isReal(second) && f < CKF_TALK) {
        m_caption = second->GetName();
        m_shownCategory = second->GetCategory();
    } else if (!first) {
        m_caption.clear();
        m_programmed = 0;
        m_shownCategory = 0;
    } else if (first == console || first == LinkRecord::NoPartner() || (second && second == console)) {
        m_caption = FunctionLabel(f);
        if (m_caption.empty())
            m_caption = "ERROR";
        if (f == CKF_TEXT || f == CKF_ALARM || f == CKF_CHIME)
            m_caption += " ?";
        m_shownCategory = CAT_CONSOLE;
    } else {
        std::string prefix;
        if (f == CKF_AUX)
            prefix = "AUX-";
        else if (f == CKF_TALKEXT)
            prefix = "PTT-";
        else if (f == CKF_TALK && m_number != 108)
            prefix = "@";
        m_caption = prefix + first->GetName();
        m_shownCategory = first->GetCategory();
    }
    m_fitted = m_caption;
    if (m_view) {
        m_view->RemoveKeyTip(m_number);
        m_fitted = m_view->FitCaption(m_caption, m_button.Width() - 8);
        if (m_fitted != m_caption)
            m_view->AddKeyTip(m_number, m_caption, m_cell);
    }
}

void CConsKey::UpdateFields(CBaseDevice* firstTarget, CBaseDevice* secondTarget, int groupSlot)
{
    ConsKeyValues& v = m_stored;
    const auto targetCode = [&](const CBaseDevice* t, int32_t category) -> int32_t {
        if (!t || t == LinkRecord::NoPartner())
            return keytarget::None;
        if (category == CAT_ZONE)
            return t->GetNumber();
        if (category == CAT_GROUP)
            return groupSlot == 0 ? 0 : 100 + groupSlot;
        return keytarget::None;
    };
    switch (v.function) {
    case CKF_DISABLED:
        v.protect = 1;
        break;
    case CKF_AUX:
    case CKF_SEL:
        v.b = 0;
        v.a = targetCode(firstTarget, m_shownCategory);
        if (v.function == CKF_SEL)
            v.c = 0;
        break;
    case CKF_ALARM:
    case CKF_CHIME:
    case CKF_TEXT:
    case CKF_TALK:
    case CKF_TALKEXT:
        if (secondTarget && secondTarget != LinkRecord::NoPartner() && secondTarget != m_console)
            v.b = secondTarget->GetNumber();
        v.a = firstTarget && firstTarget != LinkRecord::NoPartner() && firstTarget != m_console
                  ? targetCode(firstTarget, firstTarget->GetCategory())
                  : keytarget::None;
        break;
    case CKF_MACRO:
    case CKF_MACREP:
    case CKF_MACRAD:
    case CKF_MACSWT:
        v.a = firstTarget && firstTarget != LinkRecord::NoPartner() && firstTarget != m_console
                  ? firstTarget->GetNumber()
                  : 0;
        break;
    default:
        break;
    }
    m_working = v;
}

bool CConsKey::ForgetMacro(const CBaseDevice& macro)
{
    const int32_t n = macro.GetNumber();
    const auto isMacroKey = [](const ConsKeyValues& v) { return v.function >= CKF_MACRO && v.function <= CKF_MACSWT; };
    const auto holdsA = [&](const ConsKeyValues& v) { return isMacroKey(v) && v.a == n; };
    const auto holdsB = [&](const ConsKeyValues& v) {
        return (v.function == CKF_MACRO || v.function == CKF_MACSWT) && v.b == n;
    };
    if (holdsA(m_stored) || holdsA(m_working) || m_firstTarget == &macro) {
        ParseValueText(CKF_DISABLED, std::string(), true);
        return true;
    }
    if (!holdsB(m_stored) && !holdsB(m_working) && m_secondTarget != &macro)
        return false;
    ForgetSecond(macro, holdsB(m_stored), holdsB(m_working));
    return true;
}

void CConsKey::ForgetSignal(const CBaseDevice& signal)
{
    const int32_t n = signal.GetNumber();
    const uint32_t type = signal.GetType();
    const auto playsIt = [&](const ConsKeyValues& v) {
        return v.function >= CKF_ALARM && v.function <= CKF_TEXT && SignalTypeOf(v.function) == type && v.b == n;
    };
    const auto preChime = [&](const ConsKeyValues& v) {
        return (v.function == CKF_TALK || v.function == CKF_TALKEXT) && type == OT_CHIME_SIGNAL && v.b == n;
    };
    const bool second = m_secondTarget == &signal;
    if (playsIt(m_stored) || playsIt(m_working) ||
        (second && m_working.function >= CKF_ALARM && m_working.function <= CKF_TEXT)) {
        ParseValueText(CKF_DISABLED, std::string(), true);
        return;
    }
    if (preChime(m_stored) || preChime(m_working) || second)
        ForgetSecond(signal, preChime(m_stored), preChime(m_working));
}

void CConsKey::ForgetSecond(const CBaseDevice& object, bool stored, bool working)
{
    const CBaseDevice::ChangeGuard guard(m_console);
    if (stored)
        m_stored.b = 0;
    if (working)
        m_working.b = 0;
    if (m_secondTarget == &object)
        m_secondTarget = nullptr;
    RefreshCaption();
    if (m_view)
        m_view->KeyChanged(*this);
}

void CConsKey::SyncWorkingCopy(bool toWorking)
{
    if (toWorking)
        m_working = m_stored;
    else
        m_stored = m_working;
}

void CConsKey::AssignValues(const ConsKeyValues& v)
{
    m_stored = v;
    m_working = v;
    m_parsedProtect = v.protect;
    m_programmed = v.function != CKF_DISABLED ? 1 : 0;
}

void CConsKey::ResetToDefault(int position)
{
    const ProgKeyDef* def = DefOfPosition(position);
    if (!def)
        return;
    const std::string text = LoadStringId(def->labelId);
    const size_t at = text.find('@');
    m_label = text.substr(0, at);
    const std::string value = at == std::string::npos ? std::string() : text.substr(at + 1);
    ParseValueText(def->function, value, true);
}
