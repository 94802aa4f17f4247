#include "paging/CConsProp.h"

#include <cstdlib>
#include <new>

#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

namespace {
struct ModelRow {
    uint32_t model;
    CConsProp::ModelInfo info;
};
constexpr ModelRow kModels[] = {
    {consmodel::WRN2271, {10, 0, 0}},  {consmodel::WRN2272, {20, 0, 0}},  {consmodel::WRN2314, {10, 1, 0}},
    {consmodel::WRN2315, {20, 1, 0}},  {consmodel::WRN2316, {30, 1, 0}},  {consmodel::WRN2318, {50, 1, 0}},
    {consmodel::WRN2271X, {60, 0, 2}}, {consmodel::WRN2272X, {70, 0, 2}}, {consmodel::WRN2314X, {60, 1, 2}},
    {consmodel::WRN2315X, {70, 1, 2}}, {consmodel::WRN2316X, {80, 1, 2}}, {consmodel::WRN2318X, {100, 1, 2}},
    {consmodel::WRN2283, {0, 1, 0}},
};

// Allowed functions of the programmable keys 101..112.
constexpr uint32_t kProgMasks[CConsProp::kProgrammableKeys] = {
    0x80000011, 0x80000200, 0x80000440, 0x80000080, 0x80000100, 0x80000018,
    0x8000041E, 0x80000010, 0x80000854, 0x80000854, 0x80000854, 0x80000820,
};

constexpr const char* kOutOfMemory = "Out of Memory during creating fixed keys !";

std::string Number(int32_t v) { return StrFormat("%d", v); }
}  // namespace

CConsProp::ModelInfo CConsProp::GetModelInfo(uint32_t model)
{
    for (const ModelRow& row : kModels)
        if (row.model == model)
            return row.info;
    return {};
}

bool CConsProp::IsExtensionModel(uint32_t model)
{
    const std::string type = LoadStringId(model);
    return !type.empty() && type.back() == 'X';
}

CConsProp::CConsProp()
    : m_expertPassword(Number(kDefaultExpertPassword)), m_userPassword(Number(kDefaultUserPassword))
{
}

CConsProp::~CConsProp()
{
    DeleteKeys();
}

void CConsProp::DeleteKeys()
{
    for (CConsKey* k : m_fixedKeys)
        delete k;
    for (CConsKey* k : m_progKeys)
        delete k;
    m_fixedKeys.clear();
    m_progKeys.clear();
}

bool CConsProp::CreateFixedKeys(uint32_t model, CConsole* console)
{
    m_console = console;
    m_model = model;
    m_typeText = LoadStringId(console ? console->GetKindId() : model);
    m_prio = 5;
    m_pttPrio = 1;
    m_preChime = 0;
    m_buzzer = 1;
    m_comp = 0;
    m_german = 1;
    m_dosChar = 0;
    m_ext = 0;
    m_onPrio = 40;
    m_expertPassword = Number(kDefaultExpertPassword);
    m_userPassword = Number(kDefaultUserPassword);
    DeleteKeys();
    const ModelInfo info = GetModelInfo(model);
    m_fixedCount = info.fixedKeys;
    m_display = info.display;
    m_ext = info.ext;
    m_progKeys.assign(kProgrammableKeys, nullptr);
    for (int position = CConsKey::kFirstProgrammable; position <= CConsKey::kLastProgrammable; ++position) {
        auto* key = new (std::nothrow) CConsKey(position, console);
        if (!key) {
            ShowMessage(kOutOfMemory);
            return false;
        }
        m_progKeys[key->GetNumber() - CConsKey::kFirstProgrammable] = key;
    }
    if (!CreateKeys(0, m_fixedCount, console, true))
        return false;
    SetAllowedFunctions();
    return true;
}

bool CConsProp::CreateKeys(int first, int last, CConsole* console, bool withDefaults)
{
    const int perRow = m_fixedCount / 5;
    for (int pos = first; pos < last; ++pos) {
        const int number = pos / 5 + (pos % 5) * perRow + 1;
        auto* key = new (std::nothrow) CConsKey(number, console);
        if (!key) {
            ShowMessage(kOutOfMemory);
            return false;
        }
        m_fixedKeys.push_back(key);
        if (withDefaults)
            key->ParseValueText(CKF_DISABLED, std::string(), true);
    }
    return true;
}

void CConsProp::SetConsole(CConsole* console)
{
    m_console = console;
    for (CConsKey* k : GetAllKeys())
        k->SetConsole(console);
}

CConsKey* CConsProp::GetKeyAt(int i) const
{
    if (i < CConsKey::kFirstProgrammable)
        return i >= 0 && static_cast<size_t>(i) < m_fixedKeys.size() ? m_fixedKeys[i] : nullptr;
    const size_t j = static_cast<size_t>(i - CConsKey::kFirstProgrammable);
    return j < m_progKeys.size() ? m_progKeys[j] : nullptr;
}

CConsKey* CConsProp::FindKey(int number) const
{
    if (number >= CConsKey::kFirstProgrammable)
        return GetKeyAt(number);
    if (number < 1 || number > m_fixedCount)
        return nullptr;
    for (CConsKey* k : m_fixedKeys)
        if (k->GetNumber() == number)
            return k;
    return nullptr;
}

std::vector<CConsKey*> CConsProp::GetAllKeys() const
{
    std::vector<CConsKey*> keys(m_fixedKeys);
    keys.insert(keys.end(), m_progKeys.begin(), m_progKeys.end());
    return keys;
}

std::string CConsProp::GetConsoleName() const
{
    return m_console ? m_console->GetName() : std::string();
}

// ---------------------------------------------------------------- parameters

std::string CConsProp::GetParamText(int32_t code) const
{
    switch (code) {
    case consparam::Buzzer: return Number(m_buzzer);
    case consparam::Display: return Number(m_display);
    case consparam::DosChar: return Number(m_dosChar);
    case consparam::PreChime: return Number(m_preChime);
    case consparam::German: return Number(m_german);
    case consparam::Prio: return Number(m_prio);
    case consparam::PttPrio: return Number(m_pttPrio);
    case consparam::Comp: return Number(m_comp);
    case consparam::Ext: return Number(m_ext);
    case consparam::OnPrio: return Number(m_onPrio);
    case consparam::Type: return m_typeText;
    case consparam::Name: return GetConsoleName();
    case consparam::ExpertPassword: return m_expertPassword;
    case consparam::UserPassword: return m_userPassword;
    case consparam::Passwords: return m_userPassword + "," + m_expertPassword;
    default: return std::string();
    }
}

bool CConsProp::SetParamText(int32_t code, const std::string& text)
{
    const CBaseDevice::ChangeGuard guard(m_console);
    const int32_t v = std::atoi(text.c_str());
    switch (code) {
    case consparam::Buzzer: m_buzzer = v; return true;
    case consparam::DosChar: m_dosChar = v; return true;
    case consparam::PreChime: m_preChime = v; return true;
    case consparam::German: m_german = v; return true;
    case consparam::PttPrio: m_pttPrio = v; return true;
    case consparam::Comp: m_comp = v; return true;
    case consparam::Ext: m_ext = v; return true;
    case consparam::OnPrio: m_onPrio = v; return true;
    case consparam::Prio: m_prio = v < 2 || v > 10 ? 2 : v; return true;
    case consparam::Name:
        if (m_console && text != m_console->GetName()) {
            std::string name = text;
            m_console->SetNameUnique(name, false);
        }
        return true;
    case consparam::ExpertPassword:
        // Kept as the number read, so the text sent is always four digits.
        m_expertPassword = v < 1000 || v > 9999 ? Number(kDefaultExpertPassword) : Number(v);
        return true;
    case consparam::UserPassword:
        m_userPassword = v < 100 || v > 999 ? Number(kDefaultUserPassword) : Number(v);
        return true;
    case consparam::Passwords: {
        const size_t comma = text.find(',');
        SetParamText(consparam::UserPassword, text.substr(0, comma));
        SetParamText(consparam::ExpertPassword, comma == std::string::npos ? std::string() : text.substr(comma + 1));
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------- file

void CConsProp::ReadKeyArray(CArchive& ar, std::vector<CConsKey*>& keys, bool programmable)
{
    const uint32_t count = ar.ReadCount();
    const uint32_t limit = programmable ? kProgrammableKeys : CConsKey::kMaxFixed;
    if (count > limit)
        throw CArchiveException(CArchiveException::generic, "too many console keys");
    for (uint32_t i = 0; i < count; ++i) {
        CConsKey* key = ar.ReadObjectAs<CConsKey>();
        if (!key)
            throw CArchiveException(CArchiveException::generic, "console key missing");
        // A key belongs to one console: a reference to a key read before
        // (owned elsewhere) is a damaged file.
        bool known = key->GetConsole() != nullptr;
        for (const std::vector<CConsKey*>* list : {&m_fixedKeys, &m_progKeys})
            for (CConsKey* other : *list)
                known = known || other == key;
        if (known)
            throw CArchiveException(CArchiveException::generic, "console key stored twice");
        keys.push_back(key);
        const int n = key->GetNumber();
        const bool ok = programmable ? n >= CConsKey::kFirstProgrammable && n <= CConsKey::kLastProgrammable &&
                                           static_cast<uint32_t>(n - CConsKey::kFirstProgrammable) == i
                                     : n >= 1 && n <= CConsKey::kMaxFixed;
        if (!ok)
            throw CArchiveException(CArchiveException::generic, "console key number out of range");
    }
}

void CConsProp::Serialize(CArchive& ar, uint32_t schema)
{
    if (ar.IsStoring()) {
        ar << m_prio << m_pttPrio << m_model << m_fixedCount << m_ext;
        ar << m_expertPassword << m_userPassword;
        const uint32_t flags = (m_german ? 1u : 0u) | (m_preChime ? 2u : 0u) | (m_buzzer ? 4u : 0u) |
                               (m_comp ? 8u : 0u) | (m_display ? 16u : 0u) | (m_dosChar ? 32u : 0u);
        ar << flags << m_onPrio;
        for (const std::vector<CConsKey*>* keys : {&m_fixedKeys, &m_progKeys}) {
            ar.WriteCount(static_cast<uint32_t>(keys->size()));
            for (const CConsKey* k : *keys)
                ar.WriteObject(k);
        }
        return;
    }
    DeleteKeys();
    uint32_t flags = 0;
    ar >> m_prio >> m_pttPrio >> m_model >> m_fixedCount >> m_ext;
    ar >> m_expertPassword >> m_userPassword;
    ar >> flags;
    m_german = flags & 1;
    m_preChime = (flags >> 1) & 1;
    m_buzzer = (flags >> 2) & 1;
    m_comp = (flags >> 3) & 1;
    m_display = (flags >> 4) & 1;
    m_dosChar = (flags >> 5) & 1;
    m_onPrio = 40;
    if (schema >= 4)
        ar >> m_onPrio;
    if (schema == 1) {
        m_dosChar = 0;
        m_pttPrio = 0;
    } else if (schema < 1 || schema > 4) {
        ShowMessageId(IDS_CONS_BAD_SCHEMA, mb::IconInformation);
    }
    ReadKeyArray(ar, m_fixedKeys, false);
    ReadKeyArray(ar, m_progKeys, true);
    // Only keys the layout holds can be found, programmed or sent.
    if (m_fixedCount < 0 || m_fixedCount > CConsKey::kMaxFixed)
        throw CArchiveException(CArchiveException::generic, "console key count out of range");
    if (static_cast<size_t>(m_fixedCount) != m_fixedKeys.size())
        m_fixedCount = static_cast<int32_t>(m_fixedKeys.size());
    if (m_progKeys.size() != static_cast<size_t>(kProgrammableKeys))
        throw CArchiveException(CArchiveException::generic, "programmable keys missing");

    if (schema < 3 && m_model >= consmodel::WRN2271X && m_model <= consmodel::WRN2318X) {
        m_model -= consmodel::WRN2271X - consmodel::WRN2271;
        if (m_console) {
            m_console->SetKindId(m_model);
            const std::string name = GetConsoleName();
            ShowMessage(StrFormat(LoadStringId(IDS_CONS_OLD_EXTENSION).c_str(), name.c_str(), name.c_str(),
                                  name.c_str()),
                        mb::IconStop);
        }
    }
    m_typeText = LoadStringId(m_console ? m_console->GetKindId() : m_model);
    if (schema < 4) {
        if (CConsKey* talk = FindKey(108)) {
            talk->SyncWorkingCopy(true);
            m_preChime = talk->Stored().b != 0 ? 1 : 0;
        }
    }
    SetAllowedFunctions();
}

// ---------------------------------------------------------------- layout

void CConsProp::SetAllowedFunctions()
{
    for (CConsKey* k : m_fixedKeys)
        k->SetAllowedFunctions(kFixedKeyMask);
    for (size_t j = 0; j < m_progKeys.size() && j < static_cast<size_t>(kProgrammableKeys); ++j)
        m_progKeys[j]->SetAllowedFunctions(kProgMasks[j]);
}

CRect CConsProp::LayoutKeys(int clientHeight)
{
    const int s = clientHeight / 6;
    const CRect base(-2, 2, s + 2, s - 2);
    const int w = s + 4;
    const int n = m_fixedCount;
    const bool extension = n > 50;
    const int b = n - 50;
    // The button lies below the key's lamp and number.
    auto shrink = [](CRect r) {
        r.left += 5;
        r.right -= 5;
        r.top += 15;
        r.bottom -= 2;
        r.OffsetRect(0, -2);
        return r;
    };
    for (int p = 0; p < n; ++p) {
        const int c = p / 5, r = p % 5;
        CRect cell = base;
        cell.OffsetRect(static_cast<int>((c + 0.75) * s) + 8 * c, static_cast<int>((r + 0.5) * s));
        CConsKey* key = nullptr;
        if (extension) {
            cell.OffsetRect(w * 10 / 80, 0);
            if (p >= 50)
                cell.OffsetRect(5 * w, 0);
            // The extension unit's keys at the left, ten per row; the base keys at the right.
            const int number = p < 50 ? b + r * 10 + c + 1 : r * (b / 5) + (p - 50) / 5 + 1;
            key = FindKey(number);
        } else {
            key = GetKeyAt(p);
        }
        if (key) {
            key->SetCell(cell);
            key->SetButtonRect(shrink(cell));
        }
    }
    const int k = n / 5;
    const int extra = extension ? w * 410 / 80 : 0;
    for (int j = 0; j < kProgrammableKeys && static_cast<size_t>(j) < m_progKeys.size(); ++j) {
        CRect cell = base;
        if (j < 8) {
            const int g = j >= 2 ? 1 : 0;
            cell.OffsetRect(static_cast<int>((k + j / 2 + g + 0.75) * s) + 8 * (k + j / 2) + extra,
                            static_cast<int>((3 + (j % 2) + 0.5) * s));
            m_progKeys[j]->SetCell(cell);
            m_progKeys[j]->SetButtonRect(shrink(cell));
        } else {
            cell.OffsetRect(static_cast<int>((k + j - 7.36) * s + 8 * (k + j)) + extra, static_cast<int>(0.75 * s));
            cell.top -= 12;
            cell.bottom += 2;
            if (j == 8)
                cell.OffsetRect(-cell.Width() * 2 / 3, 0);
            m_progKeys[j]->SetCell(cell);
            m_progKeys[j]->SetButtonRect(cell);
        }
    }
    SetAllowedFunctions();
    CConsKey* talk = FindKey(108);
    return talk ? talk->GetCell() : CRect();
}
