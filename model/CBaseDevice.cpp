#include "model/CBaseDevice.h"
#include "model/SheetSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/ComparingStore.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/INumberHolder.h"
#include "model/ModelStrings.h"
#include "model/TextRule.h"
#include "platform/Cp1252.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CBaseDevice, 1)

namespace {
// A foreign file must not make us allocate millions of connectors.
constexpr int32_t kMaxConnectors = 4096;
// A damaged file must not bring coordinates that overflow the geometry
// arithmetic (the sheet itself is 4096 units square).
constexpr int32_t kMaxCoordinate = 1 << 24;
constexpr int32_t kSheetSize = 4096;
constexpr int32_t kMaxLane = 1 << 16;
// Object numbers are small (the largest directory holds 961); a damaged file
// must not bring one that overflows the arithmetic classes do with it.
constexpr int32_t kMaxNumber = 65535;
// Link chains may loop (a group in a group in ...): walks stop this deep.
constexpr int kMaxChainDepth = 64;

bool IsKind(uint32_t kind, std::initializer_list<uint32_t> ids)
{
    return std::find(ids.begin(), ids.end(), kind) != ids.end();
}
}  // namespace

bool IsBaseDevice(const CSerializable* obj)
{
    return dynamic_cast<const CBaseDevice*>(obj) != nullptr;
}

CBaseDevice::CBaseDevice() = default;

std::weak_ptr<void> CBaseDevice::AliveToken() const
{
    if (!m_alive)
        m_alive = std::make_shared<int>(0);
    return m_alive;
}

CBaseDevice::~CBaseDevice()
{
    FreeConnectionPoints();
    if (m_pDocument) {
        CIDManager& dir = m_pDocument->GetIDManager();
        if (dir.IsValidID(m_number, m_type))  // never numbered: nothing to remove
            dir.RemoveID(this, m_type, m_number);
        if (!m_path.empty())
            m_pDocument->RemovePath(m_path, this);
    }
    for (LinkRecord* r : m_outLinks)
        delete r;
    for (LinkRecord* r : m_inLinks)
        delete r;
}

// ---------------------------------------------------------------- Serialize

void CBaseDevice::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uint32_t{2} << m_kindId << m_name << m_category << m_symbolStyle << m_showConnectorNames
           << m_inputCount << m_outputCount;
        for (const CRect* r : {&m_rect, &m_boundingRect, &m_bitmapRect})
            ar << r->left << r->top << r->right << r->bottom;
        ar << m_bitmapId << uint32_t{0} << m_linkMode;
        for (int32_t lane : m_lanes)
            ar << lane;
        ar << m_number << m_classValue;
        return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    m_pDocument = ar.m_pDocument;
    uint32_t version = 0, reserved = 0;
    ar >> version >> m_kindId >> m_name >> m_category >> m_symbolStyle >> m_showConnectorNames
        >> m_inputCount >> m_outputCount;
    for (CRect* r : {&m_rect, &m_boundingRect, &m_bitmapRect})
        ar >> r->left >> r->top >> r->right >> r->bottom;
    ar >> m_bitmapId >> reserved >> m_linkMode;
    for (int32_t& lane : m_lanes)
        ar >> lane;
    ar >> m_number;
    if (version >= 2)
        ar >> m_classValue;
    if (m_inputCount < 0 || m_inputCount > kMaxConnectors || m_outputCount < 0 || m_outputCount > kMaxConnectors)
        throw CArchiveException(CArchiveException::generic, "connector count out of range");
    // Where the symbol stands and how its lines run says nothing about the
    // installation: a value out of bounds is brought into range (and the
    // document told) rather than losing the whole project over it. A
    // coordinate goes to the nearest edge of the sheet, where the user finds
    // the symbol again and where what is laid out from it stays in bounds.
    bool moved = false;
    for (CRect* r : {&m_rect, &m_boundingRect, &m_bitmapRect})
        for (int32_t* v : {&r->left, &r->top, &r->right, &r->bottom})
            if (*v < -kMaxCoordinate || *v > kMaxCoordinate) {
                *v = *v < 0 ? 0 : kSheetSize;
                moved = true;
            }
    for (int32_t& lane : m_lanes)
        if (lane < -kMaxLane || lane > kMaxLane) {
            lane = std::clamp(lane, -kMaxLane, kMaxLane);
            moved = true;
        }
    if (moved && m_pDocument)
        m_pDocument->NoteMovedOnLoad(m_name);
    if (m_number < -1 || m_number > kMaxNumber)
        throw CArchiveException(CArchiveException::generic, "object number out of range");
}

// ---------------------------------------------------------------- values of a file

namespace {
template <typename T>
std::string LoadedText(T v, int decimals)
{
    if constexpr (std::is_floating_point_v<T>) {
        const double d = static_cast<double>(v);
        return decimals >= 0 ? StrFormat("%.*f", decimals, d) : StrFormat("%g", d);
    } else {
        return std::to_string(static_cast<long long>(v));
    }
}

template <typename T>
bool IsFiniteValue(T v)
{
    if constexpr (std::is_floating_point_v<T>)
        return std::isfinite(v);
    else
        return true;
}
}  // namespace

void CBaseDevice::NoteHeldOnLoad(const std::string& key, const std::string& fileValue, const std::string& held,
                                 bool whole) const
{
    if (m_pDocument)
        m_pDocument->NoteHeldOnLoad(this, key, fileValue, held, whole);
}

template <typename T>
bool CBaseDevice::ClampLoaded(T& value, T lo, T hi, T instead, const std::string& key, bool whole, int decimals)
{
    const T before = value;
    if (!IsFiniteValue(value))
        value = instead;
    else if (value < lo)
        value = lo;
    else if (value > hi)
        value = hi;
    else
        return false;
    NoteHeldOnLoad(key, LoadedText(before, decimals), LoadedText(value, decimals), whole);
    return true;
}

template <typename T>
bool CBaseDevice::RefuseLoaded(T& value, T lo, T hi, T instead, const std::string& key, bool whole, int decimals)
{
    if (IsFiniteValue(value) && value >= lo && value <= hi)
        return false;
    const T before = value;
    value = instead;
    NoteHeldOnLoad(key, LoadedText(before, decimals), LoadedText(value, decimals), whole);
    return true;
}

template bool CBaseDevice::ClampLoaded<int32_t>(int32_t&, int32_t, int32_t, int32_t, const std::string&, bool, int);
template bool CBaseDevice::ClampLoaded<uint16_t>(uint16_t&, uint16_t, uint16_t, uint16_t, const std::string&, bool,
                                                  int);
template bool CBaseDevice::ClampLoaded<float>(float&, float, float, float, const std::string&, bool, int);
template bool CBaseDevice::ClampLoaded<double>(double&, double, double, double, const std::string&, bool, int);
template bool CBaseDevice::RefuseLoaded<int32_t>(int32_t&, int32_t, int32_t, int32_t, const std::string&, bool, int);
template bool CBaseDevice::RefuseLoaded<uint16_t>(uint16_t&, uint16_t, uint16_t, uint16_t, const std::string&, bool,
                                                   int);
template bool CBaseDevice::RefuseLoaded<float>(float&, float, float, float, const std::string&, bool, int);
template bool CBaseDevice::RefuseLoaded<double>(double&, double, double, double, const std::string&, bool, int);

// ---------------------------------------------------------------- creation

void CBaseDevice::FreeConnectionPoints()
{
    if (m_inputCount != 0) {
        m_inputPoints.clear();
        m_inputNames.clear();
        m_inputRoutes.clear();
    }
    if (m_outputCount != 0) {
        m_outputPoints.clear();
        m_outputNames.clear();
        m_outputRoutes.clear();
    }
}

int CBaseDevice::Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name, int32_t left,
                        int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                        uint32_t style, CQuillomerDoc* doc)
{
    // Dispatched virtually, so a class that places its symbol its own way needs only the symbol form.
    return Create(kindId, inputs, outputs, name.c_str(), left, top, right, bottom, category, bitmapId, style, doc);
}

int CBaseDevice::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left,
                        int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                        uint32_t style, CQuillomerDoc* doc)
{
    m_pDocument = doc;
    m_rect = CRect(left, top, right, bottom);
    m_bitmapRect = m_rect;
    m_labelRect.SetRectEmpty();
    m_kindId = kindId;
    m_category = category;
    m_symbolStyle = style;

    if (doc) {
        const int32_t number = doc->GetIDManager().GetNextID(this, m_type);
        if (number < 0) {
            ShowMessage(LoadStringId(IDS_CANNOT_CREATE), mb::Ok);
            return 0;
        }
        m_number = number;
    }

    if (name) {
        m_name = name;
    } else {
        const std::string word = GetCategoryDefaultWord(category);
        if (!word.empty()) {
            m_name = StrFormat("%s %d", word.c_str(), m_number);
        } else if (category == CAT_AUDIO) {
            const std::string kind = m_type == OT_QTB_SEQUENCE ? std::string("Sequenz") : LoadStringId(kindId);
            m_name = StrFormat("%s %d", kind.c_str(), m_number);
        } else if (IsKind(m_type, {21, 34, 38, 48, 53, 54, 55, 59})) {
            m_name = StrFormat("%s %d", LoadStringId(kindId).c_str(), m_number);
        } else if (m_type == OT_CONDITION || m_type == OT_CONTROL_PAD) {
            m_name = LoadStringId(kindId);
        } else {
            m_name = StrFormat("*** %d", m_number);
        }
    }

    m_inputCount = std::clamp(inputs, 0, kMaxConnectors);
    m_outputCount = std::clamp(outputs, 0, kMaxConnectors);
    m_bitmapId = bitmapId;
    if (m_bitmapId != 0) {
        if (const auto size = GetAppHost().GetBitmapSize(m_bitmapId)) {
            m_bitmapRect.top = m_rect.top + ((style & symstyle::BitmapAtTop) ? 1 : 15);
            m_bitmapRect.bottom = m_bitmapRect.top + size->cy;
            m_rect.bottom = m_bitmapRect.bottom + 1 + ((style & symstyle::WideRight) ? 0 : 15);
            m_bitmapRect.left = m_rect.left + ((category == CAT_GROUP || m_type == OT_LAN_GROUP) ? 5 : 1);
            m_bitmapRect.right = m_bitmapRect.left + size->cx;
            m_rect.right = m_bitmapRect.right + ((style & symstyle::WideRight) ? 100 : 1);
        } else {
            m_bitmapId = 0;
        }
    }

    if (!InitObject())
        return 0;

    if (m_linkMode == linkmode::DrawOutLinks && !m_inputPoints.empty())
        OffsetBy(0, top - m_inputPoints[0].y);
    else if (m_linkMode == linkmode::DrawInLinks && !m_outputPoints.empty())
        OffsetBy(0, top - m_outputPoints[0].y);

    m_boundingRect = m_rect;
    SetDocModified();
    return 1;
}

int CBaseDevice::Create(uint32_t kindId, const std::string& name, int32_t number, int32_t category,
                        CQuillomerDoc* doc)
{
    m_kindId = kindId;
    m_category = category;
    m_inputCount = 1;
    m_outputCount = 1;
    m_name = name;
    m_pDocument = doc;
    m_rect.SetRectEmpty();
    // A number another object holds is not taken over: that object would drop
    // out of the directory while it stays in the document.
    if (doc && doc->GetIDManager().IsValidID(number, m_type)) {
        const CBaseDevice* holder = doc->GetIDManager().GetBaseDevice(number, m_type);
        if (holder && holder != this)
            return 0;
    }
    if (doc && !doc->GetIDManager().AddID(this, m_type, number))
        return 0;
    m_number = number;
    return InitObject();
}

namespace {
// The words of new objects' default names ("%s %d"), in the language in use:
// the texts of these ids (registered with their kinds and categories).
constexpr uint32_t kWordAmplifier = IDS_CAT_FIRST + CAT_AMPLIFIER;  // "Verstärker"
constexpr uint32_t kWordTopology = 32789;                           // "Topologie"
constexpr uint32_t kWordLine = 32802;                               // "Linie"
constexpr uint32_t kWordConsole = 34063;                            // "Sprechstelle"
constexpr uint32_t kWordMacro = 32806;                              // "Makro"
constexpr uint32_t kWordCollectiveCall = 32787;                     // "Sammelruf"
}  // namespace

std::string CBaseDevice::GetCategoryDefaultWord(int32_t category)
{
    switch (category) {
    case CAT_AMPLIFIER: return LoadStringId(kWordAmplifier);
    case CAT_RELAIS_TOPOLOGY: return LoadStringId(kWordTopology);
    case CAT_ZONE: return LoadStringId(kWordLine);
    case CAT_GROUP: return LoadStringId(IDS_WORD_GROUP);
    case CAT_CONSOLE: return LoadStringId(kWordConsole);
    case CAT_MACRO: return LoadStringId(kWordMacro);
    default: return {};
    }
}

namespace {
const char* CategoryPathWord(int32_t category)
{
    switch (category) {
    case CAT_AMPLIFIER: return "/AMP";
    case CAT_ZONE: return "/KVT/ZONE";
    case CAT_GROUP: return "/GROUP";
    case CAT_CALENDAR: return "/CLOCK";
    case CAT_CONSOLE: return "CONS/ADR";
    case CAT_MACRO: return "/MACRO/PROG";
    default: return nullptr;
    }
}
}  // namespace

void CBaseDevice::EnterPath(const std::string& path)
{
    m_path = path;
    if (m_pDocument && !path.empty())
        m_pDocument->AddPath(path, this);
}

bool CBaseDevice::CanTakeItsNumber() const
{
    if (!m_pDocument || m_number < 0 || (m_loadedSchema == 1 && IsKind(m_type, {35, 41, 42, 43, 44})))
        return true;
    const CIDManager& dir = m_pDocument->GetIDManager();
    if (!dir.IsValidID(m_number, m_type))
        return false;
    const CBaseDevice* holder = dir.GetBaseDevice(m_number, m_type);
    if (!holder || holder == this)
        return true;
    // Held by another: only a kind whose path carries its number moves on
    // to a free one (InitObject), the others keep the number they have.
    switch (m_type) {
    case OT_ALARM_SIGNAL:
    case OT_CHIME_SIGNAL:
    case OT_MESSAGE_SIGNAL:
    case OT_INTERNAL_POWER_MANAGEMENT:
    case OT_INTERNAL_PILOTTONE_GEN:
    case OT_VIRT_CTRL_ITEM:
    case OT_MACRO_OBJECT:
    case OT_MACRO:
    case OT_LAN_GROUP:
        return false;
    default:
        break;
    }
    if (m_category == CAT_CALENDAR && (m_kindId == 34118 || m_kindId == 34126 || m_kindId == 33011))
        return false;  // one path for every number
    return CategoryPathWord(m_category) != nullptr;
}

int CBaseDevice::InitObject()
{
    CIDManager* dir = m_pDocument ? &m_pDocument->GetIDManager() : nullptr;
    auto enterNumber = [&] {
        if (dir)
            dir->AddID(this, m_type, m_number);
    };

    // 1. Objects with a fixed path and no connectors.
    switch (m_type) {
    case OT_ALARM_SIGNAL: enterNumber(); EnterPath("EVENT/ALARM"); return 1;
    case OT_CHIME_SIGNAL: enterNumber(); EnterPath("EVENT/CHIME"); return 1;
    case OT_MESSAGE_SIGNAL: enterNumber(); EnterPath("EVENT/MESSAGE"); return 1;
    case OT_INTERNAL_POWER_MANAGEMENT: enterNumber(); EnterPath("/POWER"); return 1;
    case OT_INTERNAL_PILOTTONE_GEN: enterNumber(); EnterPath("/PILOT"); return 1;
    case OT_VIRT_CTRL_ITEM: enterNumber(); return 1;
    case OT_MACRO_OBJECT: enterNumber(); m_path = "/MACRO"; return 1;
    default: break;
    }

    // 2. Number.
    bool takePath = true;
    CBaseDevice* displaced = nullptr;
    if (m_type == OT_MACRO) {
        enterNumber();
        takePath = false;
    } else if (m_number < 0 || (m_loadedSchema == 1 && IsKind(m_type, {35, 41, 42, 43, 44}))) {
        if (dir) {
            const int32_t n = dir->GetNextID(this, m_type);
            if (n < 0) {
                ShowMessage(LoadStringId(IDS_CANNOT_CREATE), mb::Ok);
                return 0;
            }
            m_number = n;
        }
    } else {
        // An object that took its number from another is given up again
        // below when its path is taken too: that one keeps its entry then.
        if (dir && dir->IsValidID(m_number, m_type))
            displaced = dir->GetBaseDevice(m_number, m_type);
        if (displaced == this)
            displaced = nullptr;
        enterNumber();
    }

    // 3./4. Protocol path.
    if (m_type == OT_LAN_GROUP) {
        EnterPath(StrFormat("/KVT/LANGRP%d", m_number));
        takePath = false;
    }
    if (takePath) {
        const char* word = CategoryPathWord(m_category);
        if (word) {
            auto makePath = [&](int32_t number) -> std::string {
                if (m_category == CAT_GROUP && number == 0)
                    return "/KVT/CLEAR";
                if (m_category == CAT_CALENDAR) {
                    if (m_kindId == 34118) return "/CAL/WEEK";
                    if (m_kindId == 34121) return StrFormat("/APPOINT%d", number);
                    if (m_kindId == 34120) return StrFormat("/HOLIDAY%d", number);
                    if (m_kindId == 34119) return StrFormat("/DAYPROG%d", number);
                    if (m_kindId == 34126 || m_kindId == 33011) return "/CLOCK";
                }
                return StrFormat("%s%d", word, number);
            };
            std::string path = makePath(m_number);
            if (m_pDocument && dir && m_pDocument->HasPath(path)) {
                // The path is taken: move to the next free number whose path is free.
                std::vector<int32_t> held{m_number};
                int32_t n = m_number;
                while (m_pDocument->HasPath(path)) {
                    n = dir->GetNextID(this, m_type);
                    if (n < 0)
                        break;
                    held.push_back(n);
                    path = makePath(n);
                }
                for (size_t i = 0; i + 1 < held.size(); ++i)
                    dir->RemoveID(this, m_type, held[i]);
                if (n < 0)
                    dir->RemoveID(this, m_type, held.back());
                if (displaced)
                    dir->AddID(displaced, m_type, held.front());
                if (n < 0) {
                    ShowMessage(LoadStringId(IDS_CANNOT_CREATE), mb::Ok);
                    return 0;
                }
                m_number = n;
                const std::string defWord = GetCategoryDefaultWord(m_category);
                if (!defWord.empty())
                    m_name = StrFormat("%s %d", defWord.c_str(), n);
                else if (m_type != OT_GROUP)
                    m_name = StrFormat("*** %d", n);
            }
            EnterPath(path);
        } else {
            std::string path;
            if (m_category == CAT_DIGITAL_IO && m_kindId == 34424) path = "/TRIGGER";
            else if (m_category == CAT_DIGITAL_IO && (m_kindId == 33086 || m_kindId == 33027)) path = "/MONI";
            else if (m_category == CAT_DIGITAL_IO && m_kindId == 34129) path = StrFormat("/COND%d", m_number);
            else if (m_category == CAT_DIGITAL_IO && m_kindId == 34130) path = StrFormat("/MEMO%d", m_number);
            else if (m_category == CAT_DIGITAL_IO && m_kindId == 34282) path = StrFormat("/READYINP/ENTRY%d", m_number);
            else if (m_category == CAT_INTERFACE && m_kindId == 33084) path = "/FUSE";
            else if (m_category == CAT_INTERNAL_SLOT && m_kindId == 33087) path = "/SERVICE";
            else {
                switch (m_type) {
                case OT_COLLECTION_CALL:
                    path = StrFormat("/KVT/COLLCALL%d", m_number);
                    // Made or loaded, a call is named after its number in
                    // the language in use; the user cannot rename it.
                    m_name = StrFormat("%s %d", LoadStringId(kWordCollectiveCall).c_str(), m_number);
                    break;
                case OT_LOGIC_OUT_OBJECT: path = "/LOGICOUT"; break;
                case OT_CAL_OBJECT: path = "/CAL"; break;
                case OT_CONDITION_OBJECT: path = "/CONDITION"; break;
                case OT_GLOBAL_READY_INPUT: path = "/READYINP"; break;
                case OT_VIRT_CTRL: path = "/VIRTCTRL"; break;
                case OT_SPARE_AMP: path = "/SPAREAMP"; break;
                case OT_FAULT: path = "/FAULT"; break;
                case OT_INTERNAL_MESSAGE_REC: path = "/RECORDER"; break;
                default: break;
                }
            }
            // A ready input's answers belong to the ready-input block, so its
            // own path stays out of the map.
            if (m_category == CAT_DIGITAL_IO && m_kindId == 34282)
                m_path = path;
            else if (!path.empty())
                EnterPath(path);
        }
    }

    // 5. Connection points.
    const int32_t nIn = std::clamp(m_inputCount, 0, kMaxConnectors);
    const int32_t nOut = std::clamp(m_outputCount, 0, kMaxConnectors);
    m_inputPoints.assign(nIn, CPoint());
    m_inputRoutes.assign(nIn, ConnectorRoute());
    m_inputNames.assign(nIn, std::string());
    m_outputPoints.assign(nOut, CPoint());
    m_outputRoutes.assign(nOut, ConnectorRoute());
    m_outputNames.assign(nOut, std::string());
    LayoutConnectionPoints();

    // 6. Objects without a symbol of their own.
    if (m_type == OT_COLLECTION_CALL || m_type == OT_RELAIS ||
        ((m_type == OT_GROUP || m_type == OT_LAN_GROUP) && m_number == 0))
        m_rect.SetRectEmpty();
    return 1;
}

int CBaseDevice::PostLoad()
{
    return 1;
}

// ---------------------------------------------------------------- geometry

void CBaseDevice::OffsetConnectionPoints(int32_t dx, int32_t dy)
{
    for (size_t i = 0; i < m_outputPoints.size(); ++i) {
        m_outputPoints[i].Offset(dx, dy);
        if (i < m_outputRoutes.size())
            m_outputRoutes[i].pt[0].Offset(dx, dy);
    }
    for (size_t i = 0; i < m_inputPoints.size(); ++i) {
        m_inputPoints[i].Offset(dx, dy);
        if (i < m_inputRoutes.size())
            m_inputRoutes[i].pt[0].Offset(dx, dy);
    }
}

void CBaseDevice::LayoutConnectionPoints()
{
    const int32_t h = m_rect.Height();
    // With no connectors on a side there is nothing to lay out there.
    if (!m_outputPoints.empty()) {
        const int32_t step = h / static_cast<int32_t>(m_outputPoints.size());
        for (size_t i = 0; i < m_outputPoints.size(); ++i) {
            m_outputPoints[i] = CPoint(m_rect.right, m_rect.top + static_cast<int32_t>(i) * step + step / 2);
            if (i < m_outputRoutes.size())
                m_outputRoutes[i].pt[0] = m_outputPoints[i];
        }
    }
    if (!m_inputPoints.empty()) {
        const int32_t step = h / static_cast<int32_t>(m_inputPoints.size());
        for (size_t i = 0; i < m_inputPoints.size(); ++i) {
            m_inputPoints[i] = CPoint(m_rect.left - 1, m_rect.top + static_cast<int32_t>(i) * step + step / 2);
            if (i < m_inputRoutes.size())
                m_inputRoutes[i].pt[0] = m_inputPoints[i];
        }
    }
}

void CBaseDevice::CalcBoundingRect()
{
    m_boundingRect = m_rect;
    if (m_linkMode & linkmode::DrawOutLinks) {
        for (const LinkRecord* r : m_outLinks) {
            if (!DrawsOutLink(r))
                continue;
            const CPoint p = r->partner->m_outputPoints[r->partnerKey];
            m_boundingRect.left = std::min(m_boundingRect.left, p.x);
            m_boundingRect.top = std::min(m_boundingRect.top, p.y);
            m_boundingRect.bottom = std::max(m_boundingRect.bottom, p.y + 1);
        }
    }
    if (m_linkMode & linkmode::DrawInLinks) {
        for (const LinkRecord* r : m_inLinks) {
            if (!DrawsInLink(r))
                continue;
            // The line ends on the partner's point: its column counts, as
            // when the line is drawn, so that painting changes nothing.
            const CPoint q = r->partner->m_inputPoints[r->partnerKey];
            m_boundingRect.right = std::max(m_boundingRect.right, q.x + 1);
            m_boundingRect.top = std::min(m_boundingRect.top, q.y);
            m_boundingRect.bottom = std::max(m_boundingRect.bottom, q.y + 1);
        }
    }
    if (m_fixed) {
        m_boundingRect.left -= 7;
        m_boundingRect.right += 7;
    }
}

void CBaseDevice::OffsetBy(int32_t dx, int32_t dy)
{
    m_rect.OffsetRect(dx, dy);
    m_boundingRect.OffsetRect(dx, dy);
    m_bitmapRect.OffsetRect(dx, dy);
    m_labelRect.OffsetRect(dx, dy);
    OffsetConnectionPoints(dx, dy);
}

bool CBaseDevice::KeepWithinBounds()
{
    int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
    for (const CRect* r : {&m_rect, &m_boundingRect, &m_bitmapRect}) {
        minX = std::min<int64_t>({minX, r->left, r->right});
        maxX = std::max<int64_t>({maxX, r->left, r->right});
        minY = std::min<int64_t>({minY, r->top, r->bottom});
        maxY = std::max<int64_t>({maxY, r->top, r->bottom});
    }
    // Moved a little further in than the bound, so that what the next load
    // lays out around the symbol (frames a few units wider) stays inside.
    constexpr int64_t kInside = kMaxCoordinate - 1024;
    const auto shift = [](int64_t lo, int64_t hi) -> int32_t {
        if (hi > kMaxCoordinate)
            return static_cast<int32_t>(kInside - hi);
        if (lo < -kMaxCoordinate)
            return static_cast<int32_t>(-kInside - lo);
        return 0;
    };
    const int32_t dx = shift(minX, maxX), dy = shift(minY, maxY);
    if (dx == 0 && dy == 0)
        return false;
    OffsetBy(dx, dy);
    // A symbol wider than the bounds cannot be shifted inside: what still
    // lies beyond goes to the sheet's edge, as when it is read.
    for (CRect* r : {&m_rect, &m_boundingRect, &m_bitmapRect})
        for (int32_t* v : {&r->left, &r->top, &r->right, &r->bottom})
            if (*v < -kMaxCoordinate || *v > kMaxCoordinate)
                *v = *v < 0 ? 0 : kSheetSize;
    return true;
}

CRect CBaseDevice::GetBoundingRect() const { return m_boundingRect; }
CRect CBaseDevice::GetRect() const { return m_rect; }
void CBaseDevice::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) { m_rect = CRect(left, top, right, bottom); }
CRect CBaseDevice::GetLabelRect() const { return m_labelRect; }

void CBaseDevice::MoveBy(int32_t dx, int32_t dy, bool byUser)
{
    if (byUser && (m_fixed || m_kindId == 33027 || m_type == OT_CONTROL_PAD))
        return;
    // A move the object's lock takes away entirely (an amplifier pulled
    // sideways, a drop where the drag began) changes nothing: the project
    // stays unmodified. A topology still takes its lines along.
    const bool movesAtAll = byUser ? (m_moveLock == 1 ? dx != 0 : m_moveLock == 0 ? dy != 0 : (dx != 0 || dy != 0))
                                   : (dx != 0 || dy != 0);
    if (movesAtAll)
        SetDocModified();
    if ((m_linkMode & linkmode::DrawInLinks) && m_category != CAT_CONSOLE) {
        for (LinkRecord* r : m_outLinks)
            if (r->HasPartner() && r->partner->m_linkMode == linkmode::DrawInLinks)
                r->partner->Redraw();
    }
    if (m_linkMode & linkmode::DrawOutLinks) {
        for (LinkRecord* r : m_inLinks)
            if (r->HasPartner() && r->partner->m_linkMode == linkmode::DrawOutLinks)
                r->partner->Redraw();
    }
    if (m_category == CAT_RELAIS_TOPOLOGY) {
        // Copy: moving a partner may not change our list, but stay safe.
        std::vector<CBaseDevice*> partners;
        for (LinkRecord* r : m_inLinks)
            if (r->HasPartner() && r->partner != this)
                partners.push_back(r->partner);
        for (CBaseDevice* p : partners)
            p->MoveBy(dx, dy, true);
    }
    if (byUser) {
        if (m_moveLock == 1)
            dy = 0;
        else if (m_moveLock == 0)
            dx = 0;
    }
    Redraw();
    m_rect.OffsetRect(dx, dy);
    m_boundingRect.OffsetRect(dx, dy);
    m_bitmapRect.OffsetRect(dx, dy);
    m_labelRect.OffsetRect(dx, dy);
    Redraw();
    OffsetConnectionPoints(dx, dy);
}

void CBaseDevice::AvoidOverlap()
{
    AvoidOverlap(m_category);
}

void CBaseDevice::AvoidOverlap(int32_t category)
{
    if (m_category == CAT_ZONE || !m_pDocument || !IsValidCategory(category))
        return;
    const ObjectList& list = m_pDocument->GetList(category);
    auto meets = [&](const CRect& r) {
        for (const CBaseDevice* o : list)
            if (o != this && r.Intersects(o->m_rect))
                return true;
        return false;
    };
    constexpr int32_t kLimit = 4096;
    int32_t down = 0, up = 0;
    CRect rd = m_rect, ru = m_rect;
    while (meets(rd) && down < kLimit) {
        rd.OffsetRect(0, 5);
        down += 5;
    }
    while (meets(ru) && up < kLimit) {
        ru.OffsetRect(0, -5);
        up += 5;
    }
    if (down == 0 && up == 0)
        return;
    if (down <= up)
        MoveBy(0, down, true);
    else
        MoveBy(0, -up, true);
}

CRect CBaseDevice::SizeToBitmap(uint32_t bitmapId, int side)
{
    m_bitmapId = bitmapId;
    const auto size = GetAppHost().GetBitmapSize(bitmapId);
    if (!size) {
        m_bitmapId = 0;
        return m_rect;
    }
    CRect b;
    switch (side) {
    case 0: b = CRect(m_rect.left, m_rect.top - size->cy, m_rect.left + size->cx, m_rect.top); break;
    case 1: b = CRect(m_rect.left, m_rect.bottom, m_rect.left + size->cx, m_rect.bottom + size->cy); break;
    case 2: b = CRect(m_rect.left - size->cx, m_rect.top, m_rect.left, m_rect.top + size->cy); break;
    default: b = CRect(m_rect.right, m_rect.top + 1, m_rect.right + size->cx, m_rect.top + 1 + size->cy); break;
    }
    m_bitmapRect = b;
    m_rect.UnionWith(b);
    return m_rect;
}

void CBaseDevice::SetHoverConnectors(int32_t input, int32_t output)
{
    if (input >= -1 && input <= m_inputCount - 1)
        m_hoverInput = input;
    if (output >= -1 && output <= m_outputCount - 1)
        m_hoverOutput = output;
}

// ---------------------------------------------------------------- simple accessors

void CBaseDevice::SetKindId(uint32_t kindId)
{
    const ChangeGuard guard(*this);
    m_kindId = kindId;
}
uint32_t CBaseDevice::GetKindId() const { return m_kindId; }
int32_t CBaseDevice::GetNumber() const { return m_number; }
std::string CBaseDevice::GetNumberText() const { return StrFormat("%d", m_number); }
void CBaseDevice::SetNumber(int32_t number) { m_number = number; }
bool CBaseDevice::IsHot() const { return m_hot != 0; }
uint32_t CBaseDevice::GetType() const { return m_type; }
const std::string& CBaseDevice::GetName() const { return m_name; }
void CBaseDevice::ParseUploadLines(std::string, const std::string&, int) {}
int CBaseDevice::GetDownloadLines(int, int) { return 0; }
std::string CBaseDevice::GetListText() { return {}; }
int CBaseDevice::GetListTexts(int, std::vector<std::string>&) { return 0; }
int CBaseDevice::GetListColumns(std::vector<ListColumn>&) { return 0; }
void CBaseDevice::OnOpen(uint32_t, uint32_t, uint32_t) {}
bool CBaseDevice::HitTestLabel(CPoint point) const { return m_labelRect.PtInRect(point); }

int32_t CBaseDevice::ChangeNumber(int32_t newNumber)
{
    const ChangeGuard guard(*this);
    if (!m_pDocument) {
        m_number = newNumber;
        return newNumber;
    }
    CIDManager& dir = m_pDocument->GetIDManager();
    if (dir.IsTaken(this, m_type, newNumber))
        return 0;
    dir.RemoveID(this, m_type, m_number);
    m_number = newNumber;
    dir.AddID(this, m_type, newNumber);
    return newNumber;
}

// ---------------------------------------------------------------- names

bool CBaseDevice::IsNameTaken(const std::string& name) const
{
    if (!m_pDocument)
        return false;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (const CBaseDevice* o : m_pDocument->GetList(c))
            // The consoles' common node is no object the user sees, yet it
            // bears the first console's default name: that name stays free
            // for the console.
            if (o != this && o->m_name == name && o->m_type != OT_CONSOLE_OBJECT)
                return true;
    return false;
}

void CBaseDevice::SetName(std::string name)
{
    m_name = std::move(name);
}

bool CBaseDevice::IsNoName(const std::string& name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ' ')
            continue;
        if (name.compare(i, 2, "\xC2\xA0") == 0) {  // the blank that does not break
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

std::string CBaseDevice::NameRefusal(const std::string& name)
{
    if (IsNoName(name))
        return LoadStringId(IDS_NAME_EMPTY);
    // A name goes to the device in protocol lines: a line break in it would
    // end the line and make the rest a command of its own.
    if (HasControlChars(name))
        return LoadStringId(IDS_NAME_CONTROL_CHARS);
    return TextRefusal(name);
}

int CBaseDevice::SetNameChecked(const std::string& name, bool ask)
{
    if (const std::string refusal = NameRefusal(name); !refusal.empty()) {
        ShowMessage(refusal, mb::Ok | mb::IconStop);
        return 0;
    }
    if (IsNameTaken(name)) {
        if (ask)
            ShowMessage(StrFormat(LoadStringId(IDS_NAME_IN_USE).c_str(), name.c_str()), mb::Ok | mb::IconStop);
        return 0;
    }
    // A new name is a change of the project like any other: without the mark,
    // closing would not offer to save it.
    if (name != m_name)
        SetDocModified();
    SetName(name);
    Redraw();
    return 1;
}

int CBaseDevice::SetNameUnique(std::string& name, bool ask)
{
    if (const std::string refusal = NameRefusal(name); !refusal.empty()) {
        if (ask)
            ShowMessage(refusal, mb::Ok | mb::IconStop);
        name.clear();  // refused: the caller keeps the old name on show
        return 0;
    }
    // The name the object bears already is its own, whoever else bears it
    // too: given again (typed again, read back from the device) it changes
    // nothing.
    if (name == m_name)
        return 1;
    const std::string first = name;
    std::string candidate = first;
    for (int k = 1; IsNameTaken(candidate); ++k)
        candidate = StrFormat("%s_%d", first.c_str(), k);
    const bool changed = candidate != first;
    if (changed && ask)
        ShowMessage(StrFormat(LoadStringId(IDS_NAME_CHANGED).c_str(), first.c_str(), candidate.c_str()), mb::Ok);
    name = candidate;
    if (candidate != m_name)
        SetDocModified();
    SetName(candidate);
    Redraw();
    return changed ? 0 : 1;
}

bool CBaseDevice::IsNameOnDevice() const
{
    return m_type == OT_DAYPROG || m_type == OT_HOLIDAY || m_type == OT_CONSOLE;
}

std::string CBaseDevice::FreeNameAfter(const std::string& name) const
{
    std::string candidate;
    for (int k = 1;; ++k) {
        candidate = StrFormat("%s_%d", name.c_str(), k);
        if (!IsNameTaken(candidate))
            return candidate;
    }
}

void CBaseDevice::Rename(const std::string& name)
{
    if (name == m_name)
        return;
    SetDocModified();
    SetName(name);
    Redraw();
}

void CBaseDevice::TakeDeviceName(const std::string& name, const std::string& diffFile, const std::string& item)
{
    const std::string* diff = diffFile.empty() ? nullptr : &diffFile;
    if (!NameRefusal(name).empty()) {
        // The object keeps its own name, which its next download sends.
        ReportNotHeld(diff, item, name, m_name);
        return;
    }
    const uint32_t round = m_pDocument ? m_pDocument->GetUploadRound() : 0;
    std::vector<CBaseDevice*> givingWay;
    bool kept = false;
    if (m_pDocument)
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* o : m_pDocument->GetList(c)) {
                // The consoles' common node bears the first console's name
                // unseen (see IsNameTaken).
                if (o == this || o->m_name != name || o->m_type == OT_CONSOLE_OBJECT)
                    continue;
                // A slot's and a contact's names say what they are; a name
                // the device gave in this upload is the device's as well.
                if (o->m_deviceNameRound == round || o->m_fixed != 0 || o->m_type == OT_CONTROL_PAD)
                    kept = true;
                else
                    givingWay.push_back(o);
            }
    std::string taken = name;
    if (kept)
        taken = FreeNameAfter(name);
    else
        for (CBaseDevice* o : givingWay)
            o->Rename(o->FreeNameAfter(o->m_name));
    Rename(taken);
    m_deviceNameRound = round;
    if (kept)
        ReportNotHeld(diff, item, name, taken);
}

void CBaseDevice::TakePlaceholderName()
{
    const std::string name = StrFormat("%d *", GetNumber());
    if (m_name != name)
        Rename(IsNameTaken(name) ? FreeNameAfter(name) : name);
    KeepClearOfDeviceNames();
}

void CBaseDevice::KeepClearOfDeviceNames()
{
    if (!m_pDocument || IsNameOnDevice())
        return;
    const uint32_t round = m_pDocument->GetUploadRound();
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (const CBaseDevice* o : m_pDocument->GetList(c))
            if (o != this && o->m_name == m_name && (o->IsNameOnDevice() || o->m_deviceNameRound == round)) {
                Rename(FreeNameAfter(m_name));
                return;
            }
}

// ---------------------------------------------------------------- commands

void CBaseDevice::OnContextMenu(CPoint point)
{
    GetAppHost().ShowContextMenu(this, m_contextMenuId, point);
}

std::string CBaseDevice::GetItemText() const
{
    return LoadStringId(m_kindId) + " " + GetNumberText();
}

std::string CBaseDevice::GetHeldItem(int32_t) const
{
    return GetItemText();
}

bool CBaseDevice::IsAnsweredThisUpload() const
{
    return m_pDocument && m_answeredRound == m_pDocument->GetUploadRound();
}

int CBaseDevice::OnCommand(uint32_t commandId)
{
    if (commandId != objcmd::Delete)
        return 0;
    // An upload deleting what the device reports free tells which objects
    // lose their hold on it: the project cannot keep a link to nothing.
    if (m_pDocument)
        m_pDocument->NoteLostHoldings(*this);
    SetDocModified();
    Redraw();
    for (LinkRecord* r : m_inLinks)
        if (r->HasPartner() && r->partner != this)
            r->partner->Redraw();
    RemoveAllInLinks();
    RemoveAllOutLinks();
    if (m_pDocument) {
        // Nothing keeps this object's number as its own after it is gone:
        // the zone test and the power packs hold the objects they made so.
        for (uint32_t type : {OT_ZONETEST_OBJECT, OT_AUDIO_INPUT_DEVICE}) {
            DeviceList holders;
            m_pDocument->GetIDManager().GetBaseDeviceList(holders, type);
            for (CBaseDevice* o : holders)
                if (auto* holder = dynamic_cast<INumberHolder*>(o); holder && o != this)
                    holder->ForgetObject(*this);
        }
        // No view may keep pointing at the deleted object.
        for (IDocView* v : m_pDocument->GetViews())
            if (v->GetHotObject() == this)
                v->SetHotObject(nullptr);
        m_pDocument->RemoveObject(this);
    }
    delete this;
    return 1;
}

void CBaseDevice::ZonesGone(const std::vector<int32_t>&) {}

void CBaseDevice::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Delete || cmdUI.m_nID == objcmd::Properties)
        cmdUI.Enable(false);
}

void CBaseDevice::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    switch (key) {
    case vk::Left: OnCommand(objcmd::MoveLeft); break;
    case vk::Up: OnCommand(objcmd::MoveUp); break;
    case vk::Right: OnCommand(objcmd::MoveRight); break;
    case vk::Down: OnCommand(objcmd::MoveDown); break;
    case vk::Delete:
        if (m_category != CAT_ZONE)
            OnCommand(objcmd::Delete);
        break;
    default: break;
    }
}

// ---------------------------------------------------------------- view

IDocView* CBaseDevice::GetView() const
{
    return m_pDocument ? m_pDocument->GetFirstView() : nullptr;
}

void CBaseDevice::Redraw()
{
    CalcBoundingRect();
    InvalidateRect(m_boundingRect.left, m_boundingRect.top, m_boundingRect.right, m_boundingRect.bottom, true);
}

void CBaseDevice::InvalidateRect(int32_t left, int32_t top, int32_t right, int32_t bottom, bool erase)
{
    if (IDocView* v = GetView())
        v->InvalidateLogicalRect(CRect(left, top, right, bottom), erase);
}

void CBaseDevice::SetDocModified()
{
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

namespace {
int g_comparingStores = 0;
}  // namespace

bool IsComparingStore()
{
    return g_comparingStores > 0;
}

std::vector<uint8_t> CBaseDevice::StoredForm()
{
    std::vector<uint8_t> bytes;
    CArchive ar(bytes);
    ar.m_pDocument = m_pDocument;
    // The bounding rectangle is worked out again at every redraw from the
    // symbol and its lines: on its own it is no change of the project. It is
    // left out while the object stores, and put back afterwards.
    struct Restore {
        CRect& bounds;
        const CRect kept;
        ~Restore()
        {
            bounds = kept;
            --g_comparingStores;
        }
    } restore{m_boundingRect, m_boundingRect};
    ++g_comparingStores;
    m_boundingRect = CRect();
    Serialize(ar);
    // The links, as the document stores them with the object.
    for (const LinkList* list : {&m_outLinks, &m_inLinks}) {
        ar << static_cast<int32_t>(list->size());
        for (const LinkRecord* r : *list) {
            const auto partner = reinterpret_cast<uintptr_t>(r->partner);
            ar << static_cast<uint32_t>(partner) << static_cast<uint32_t>(uint64_t{partner} >> 32) << r->partnerKey
               << r->ownKey << r->partnerCategory;
        }
    }
    return bytes;
}

CBaseDevice::ChangeGuard::ChangeGuard(CBaseDevice& obj)
{
    Begin(obj);
}

CBaseDevice::ChangeGuard::ChangeGuard(CBaseDevice* obj)
{
    if (obj)
        Begin(*obj);
}

void CBaseDevice::ChangeGuard::Begin(CBaseDevice& obj)
{
    if (obj.m_pDocument && obj.m_pDocument->IsReadingUploadAnswer())
        obj.m_answeredRound = obj.m_pDocument->GetUploadRound();
    // A document already modified (or loading, which counts as modified)
    // has nothing to learn from this change.
    if (!obj.m_pDocument || obj.m_pDocument->IsModified())
        return;
    try {
        m_before = obj.StoredForm();
        m_obj = &obj;
    } catch (...) {
        // Unknown state: the change marks whatever it does.
        obj.SetDocModified();
    }
}

CBaseDevice::ChangeGuard::~ChangeGuard()
{
    if (!m_obj || !m_obj->m_pDocument || m_obj->m_pDocument->IsModified())
        return;
    bool changed = true;
    try {
        changed = m_obj->StoredForm() != m_before;
    } catch (...) {
    }
    if (changed)
        m_obj->SetDocModified();
}

// ---------------------------------------------------------------- limits

uint32_t GetMaxObjectCount(uint32_t type, int32_t deviceVariant)
{
    // Any variant other than the standard one (0) is the upgraded device.
    const bool up = deviceVariant != 0;
    switch (type) {
    case OT_APPOINT: return up ? 50 : 20;
    case OT_DAYPROG: return up ? 20 : 10;
    case OT_HOLIDAY: return up ? 50 : 20;
    case OT_MACRO: return up ? 250 : 80;
    case OT_TRIGGER: return up ? 100 : 50;
    case OT_CONDITION: return up ? 250 : 100;
    case OT_MEMO_FLAG: return 200;
    case OT_READY_INPUT: return 50;
    case OT_LOGIC_OUT: return up ? 250 : 30;
    case OT_VIRT_CTRL_ITEM: return 40;
    case OT_ANALOG_CONDITION: return up ? 50 : 16;
    case OT_COMBINE_CONDITION: return up ? 50 : 10;
    case OT_BUSY_CONDITION: return up ? 50 : 5;
    default: return 0;
    }
}

uint32_t GetMaxObjectCount(uint32_t type)
{
    CQuillomerDoc* doc = GetActiveDoc();
    return GetMaxObjectCount(type, doc ? doc->m_data.deviceVariant : 0);
}

void GetDocObjectsOfType(DeviceList& list, uint32_t type)
{
    if (CQuillomerDoc* doc = GetActiveDoc())
        doc->GetIDManager().GetBaseDeviceList(list, type);
}

// ---------------------------------------------------------------- links

void CBaseDevice::AddOutLink(CBaseDevice* owner, int32_t ownKey, CBaseDevice* partner, int32_t partnerKey,
                             int32_t partnerCategory)
{
    SetDocModified();
    m_outLinks.push_back(new LinkRecord{partner, partnerKey, owner, ownKey, partnerCategory});
}

void CBaseDevice::AddInLink(CBaseDevice* owner, int32_t ownKey, CBaseDevice* partner, int32_t partnerKey,
                            int32_t partnerCategory)
{
    m_inLinks.push_back(new LinkRecord{partner, partnerKey, owner, ownKey, partnerCategory});
}

void CBaseDevice::LinkTo(int32_t ownKey, CBaseDevice* target, int32_t targetKey)
{
    AddOutLink(this, ownKey, target, targetKey, target->m_category);
    target->AddInLink(target, targetKey, this, ownKey, m_category);
}

// Deletes the record at the other end that mirrors `rec` (first match only).
void CBaseDevice::DeleteTwinOf(const LinkRecord& rec, bool recordIsOutgoing)
{
    if (!rec.HasPartner())
        return;
    LinkList& other = recordIsOutgoing ? rec.partner->m_inLinks : rec.partner->m_outLinks;
    for (auto it = other.begin(); it != other.end(); ++it) {
        LinkRecord* t = *it;
        if (t->ownKey == rec.partnerKey && t->partner == this && t->partnerKey == rec.ownKey &&
            t->partnerCategory == m_category) {
            other.erase(it);
            delete t;
            return;
        }
    }
}

void CBaseDevice::RemoveOutRecords(bool (*match)(const LinkRecord&, const void*), const void* arg)
{
    for (auto it = m_outLinks.begin(); it != m_outLinks.end();) {
        if (match(**it, arg)) {
            LinkRecord* r = *it;
            it = m_outLinks.erase(it);
            DeleteTwinOf(*r, true);
            delete r;
        } else {
            ++it;
        }
    }
}

void CBaseDevice::RemoveInRecords(bool (*match)(const LinkRecord&, const void*), const void* arg)
{
    for (auto it = m_inLinks.begin(); it != m_inLinks.end();) {
        if (match(**it, arg)) {
            LinkRecord* r = *it;
            it = m_inLinks.erase(it);
            DeleteTwinOf(*r, false);
            delete r;
        } else {
            ++it;
        }
    }
}

void CBaseDevice::RemoveOutLinksToType(uint32_t type)
{
    RemoveOutRecords([](const LinkRecord& r, const void* a) {
        return r.HasPartner() && r.partner->GetType() == *static_cast<const uint32_t*>(a);
    }, &type);
}

void CBaseDevice::RemoveOutLinksAtKey(int32_t key)
{
    RemoveOutRecords([](const LinkRecord& r, const void* a) { return r.ownKey == *static_cast<const int32_t*>(a); },
                     &key);
}

void CBaseDevice::RemoveInLinksAtKey(int32_t key)
{
    RemoveInRecords([](const LinkRecord& r, const void* a) { return r.ownKey == *static_cast<const int32_t*>(a); },
                    &key);
}

void CBaseDevice::RemoveOutLinksTo(CBaseDevice* partner)
{
    RemoveOutRecords([](const LinkRecord& r, const void* a) { return r.partner == a; }, partner);
}

void CBaseDevice::RemoveInLinksFrom(CBaseDevice* partner)
{
    RemoveInRecords([](const LinkRecord& r, const void* a) { return r.partner == a; }, partner);
}

void CBaseDevice::UnlinkOut(const LinkRecord& record)
{
    const LinkRecord copy = record;  // `record` may be one of ours
    for (auto it = m_outLinks.begin(); it != m_outLinks.end(); ++it) {
        if (**it == copy) {
            LinkRecord* r = *it;
            m_outLinks.erase(it);
            DeleteTwinOf(*r, true);
            delete r;
            return;
        }
    }
}

void CBaseDevice::UnlinkIn(const LinkRecord& record)
{
    const LinkRecord copy = record;
    for (auto it = m_inLinks.begin(); it != m_inLinks.end(); ++it) {
        if (**it == copy) {
            LinkRecord* r = *it;
            m_inLinks.erase(it);
            DeleteTwinOf(*r, false);
            delete r;
            return;
        }
    }
}

void CBaseDevice::RemoveAllOutLinks()
{
    RemoveOutRecords([](const LinkRecord&, const void*) { return true; }, nullptr);
}

void CBaseDevice::RemoveAllInLinks()
{
    RemoveInRecords([](const LinkRecord&, const void*) { return true; }, nullptr);
}

void CBaseDevice::DeleteOutRecord(int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory)
{
    for (auto it = m_outLinks.begin(); it != m_outLinks.end(); ++it) {
        LinkRecord* r = *it;
        if (r->ownKey == ownKey && r->partner == partner && r->partnerKey == partnerKey &&
            r->partnerCategory == partnerCategory) {
            m_outLinks.erase(it);
            delete r;
            break;
        }
    }
    SetDocModified();
}

void CBaseDevice::DeleteInRecord(int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory)
{
    for (auto it = m_inLinks.begin(); it != m_inLinks.end(); ++it) {
        LinkRecord* r = *it;
        if (r->ownKey == ownKey && r->partner == partner && r->partnerKey == partnerKey &&
            r->partnerCategory == partnerCategory) {
            m_inLinks.erase(it);
            delete r;
            return;
        }
    }
}

LinkRecord* CBaseDevice::GetOutLinkAtKey(int32_t key) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->ownKey == key)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::GetInLinkAtKey(int32_t key) const
{
    for (LinkRecord* r : m_inLinks)
        if (r->ownKey == key)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::GetOutLinkTo(const CBaseDevice* partner) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->partner == partner)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::GetInLinkFrom(const CBaseDevice* partner) const
{
    for (LinkRecord* r : m_inLinks)
        if (r->partner == partner)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::GetOutLinkToType(uint32_t type) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->HasPartner() && r->partner->GetType() == type)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::GetInLinkAtKeyOfType(int32_t key, uint32_t type) const
{
    for (LinkRecord* r : m_inLinks)
        if (r->ownKey == key && r->HasPartner() && r->partner->GetType() == type)
            return r;
    return nullptr;
}

LinkRecord* CBaseDevice::FindOutLink(int32_t ownKey, const CBaseDevice* partner, int32_t partnerKey,
                                     int32_t partnerCategory) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->ownKey == ownKey && r->partner == partner && r->partnerKey == partnerKey &&
            r->partnerCategory == partnerCategory)
            return r;
    return nullptr;
}

void CBaseDevice::CollectOutLinksToType(LinkRefList& list, uint32_t type) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->HasPartner() && r->partner->GetType() == type)
            list.push_back(r);
}

void CBaseDevice::CollectPartnersOfType(DeviceList& list, uint32_t type) const
{
    for (LinkRecord* r : m_outLinks)
        if (r->HasPartner() && r->partner->GetType() == type)
            list.push_back(r->partner);
}

void CBaseDevice::CollectInLinksOfKindAndType(LinkRefList& list, uint32_t type, uint32_t kindId) const
{
    for (LinkRecord* r : m_inLinks)
        if (r->HasPartner() && r->partner->GetType() == type && r->partner->GetKindId() == kindId)
            list.push_back(r);
}

std::string CBaseDevice::GetLinkedObjectName(int32_t key) const
{
    const LinkRecord* r = GetOutLinkAtKey(key);
    return r && r->HasPartner() ? r->partner->GetName() : std::string();
}

int32_t CBaseDevice::GetLinkedNumber(int32_t key) const
{
    const LinkRecord* r = GetOutLinkAtKey(key);
    return r && r->HasPartner() ? r->partner->GetNumber() : 0;
}

namespace {
void WalkFrom(const LinkRecord& from, int32_t category, LinkRefList& list, bool all, int depth)
{
    if (!from.HasPartner() || depth > kMaxChainDepth)
        return;
    for (LinkRecord* s : from.partner->m_outLinks) {
        // Leave an amplifier on the channel the walk entered.
        if (from.partnerCategory == CAT_AMPLIFIER && s->ownKey != from.partnerKey)
            continue;
        if (all || s->partnerCategory == category)
            list.push_front(s);
        if (s->partnerCategory != category)
            WalkFrom(*s, category, list, true, depth + 1);
    }
}

void WalkObject(const CBaseDevice* obj, int32_t category, LinkRefList& list, bool all, int depth)
{
    if (depth > kMaxChainDepth)
        return;
    for (LinkRecord* s : obj->m_outLinks) {
        if (all || s->partnerCategory == category)
            list.push_front(s);
        if (s->partnerCategory != category && s->HasPartner())
            WalkObject(s->partner, category, list, all, depth + 1);
    }
}
}  // namespace

void CBaseDevice::WalkChain(const LinkRecord& from, int32_t category, LinkRefList& list, bool all) const
{
    WalkFrom(from, category, list, all, 0);
}

void CBaseDevice::WalkCategory(int32_t category, LinkRefList& list, bool all, int depth) const
{
    WalkObject(this, category, list, all, depth);
}

int CBaseDevice::CollectLinkChain(int32_t key, int32_t category, LinkRefList& list, bool all) const
{
    const LinkRecord* r = GetOutLinkAtKey(key);
    if (!r)
        return 0;
    WalkChain(*r, category, list, all);
    return 0;
}

void CBaseDevice::CollectOutLinksToCategory(int32_t category, LinkRefList& list, bool all) const
{
    WalkCategory(category, list, all, 0);
}

// ---------------------------------------------------------------- drawing

namespace {
bool IsSlotCategory(int32_t c)
{
    return c == CAT_OUTPUT_SLOT || c == CAT_INPUT_SLOT || c == CAT_INTERFACE || c == CAT_DIGITAL_SLOT;
}

// Types that have no symbol of their own here (or draw it in their class).
bool DrawsNothing(uint32_t t)
{
    return t == 1 || t == 3 || t == 9 || t == 11 || t == 13 || t == 17 || t == 20 || t == 21 || t == 22 ||
           (t >= 24 && t <= 37) || (t >= 41 && t <= 44) || t == 60;
}

CRect CenteredText(IPainter& dc, const std::string& text, const CRect& band)
{
    const CSize ext = dc.TextExtent(text);
    const int32_t x = band.left + (band.Width() - ext.cx) / 2;
    const int32_t y = band.top + (band.Height() - ext.cy) / 2;
    return CRect(x, y, x + ext.cx, y + ext.cy);
}

// Free sheet on each side of a symbol along the line of its name (15 units
// above its bottom): half the gap to the nearest symbol there, so that the
// neighbour's name may take the other half; at most 60 units.
int32_t RoomBesideName(const CBaseDevice& self)
{
    constexpr int32_t kMost = 60;
    const CQuillomerDoc* doc = self.GetDocument();
    if (!doc)
        return 0;
    const CRect me = self.GetRect();
    const int32_t top = me.bottom - 15;
    int32_t room = kMost;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST && room > 0; ++c) {
        for (const CBaseDevice* o : doc->GetList(c)) {
            if (o == &self || !HasSheetSymbol(*o))
                continue;
            const CRect r = o->GetRect();
            if (r.bottom <= top || r.top >= me.bottom)
                continue;  // not beside the name's line
            if (r.right <= me.left)
                room = std::min(room, (me.left - r.right) / 2);
            else if (r.left >= me.right)
                room = std::min(room, (r.left - me.right) / 2);
            else
                room = 0;
        }
    }
    return std::max(room, 0);
}
}  // namespace

bool HasSheetSymbol(const CBaseDevice& obj)
{
    return !DrawsNothing(obj.GetType()) && !obj.GetRect().IsRectEmpty();
}

void CBaseDevice::Draw(IPainter& dc)
{
    if (DrawsNothing(m_type))
        return;
    switch (m_category) {
    case CAT_RELAIS_TOPOLOGY: {
        dc.SetPen(qlcolor::LightGrey);
        dc.SetBrush(qlcolor::LightGrey, false);
        dc.DrawRect(m_rect);
        dc.DrawEdge(m_rect, true);
        dc.SelectFont(IPainter::FontNames);
        dc.SetTransparentText(true);
        const std::string name = FitTextToWidth(dc, IPainter::FontNames, m_rect.Width() - 10, m_name);
        const int32_t lineH = dc.TextExtent(name).cy;
        const CRect nameBand(m_rect.left, m_rect.top + 2, m_rect.right, m_rect.top + 2 + lineH);
        m_labelRect = CenteredText(dc, name, nameBand);
        dc.SetTextColor(qlcolor::Blue);
        dc.TextOut(m_labelRect.left, m_labelRect.top, name);
        const std::string kind = LoadStringId(m_kindId);
        const CRect kindBand(m_rect.left, nameBand.bottom, m_rect.right, nameBand.bottom + lineH);
        const CRect k = CenteredText(dc, kind, kindBand);
        dc.SetTextColor(qlcolor::Black);
        dc.TextOut(k.left, k.top, kind);
        DrawLinks(dc, qlcolor::Black);
        return;
    }
    case CAT_OUTPUT_SLOT:
    case CAT_INPUT_SLOT:
    case CAT_INTERFACE:
    case CAT_DIGITAL_SLOT: {
        dc.SetPen(qlcolor::Black);
        dc.FillRect(m_rect, m_hot ? qlcolor::LightGrey : qlcolor::White);
        dc.DrawEdge(m_rect, true);
        dc.SelectFont(IPainter::FontSlot);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        m_labelRect = CenteredText(dc, m_name, m_rect);
        dc.TextOut(m_labelRect.left, m_labelRect.top, m_name);
        if (m_hot) {
            dc.SelectFont(m_connectorFont);
            for (size_t i = 0; i < m_outputPoints.size(); ++i) {
                const CPoint p = m_outputPoints[i];
                dc.DrawLine(p, CPoint(p.x + 5, p.y));
                if (i < m_outputNames.size()) {
                    const CSize e = dc.TextExtent(m_outputNames[i]);
                    dc.TextOut(p.x - 5 - e.cx, p.y - e.cy / 2, m_outputNames[i]);
                }
            }
            for (size_t i = 0; i < m_inputPoints.size(); ++i) {
                const CPoint p = m_inputPoints[i];
                dc.DrawLine(p, CPoint(p.x - 5, p.y));
                if (i < m_inputNames.size()) {
                    const CSize e = dc.TextExtent(m_inputNames[i]);
                    dc.TextOut(p.x + 4, p.y - e.cy / 2, m_inputNames[i]);
                }
            }
        }
        return;
    }
    case CAT_INTERNAL_SLOT: {
        dc.SetPen(qlcolor::Black);
        dc.FillRect(m_rect, qlcolor::LightGrey);
        dc.DrawEdge(m_rect, true);
        const std::string name = FitTextToWidth(dc, IPainter::FontInternalSlot, m_rect.Width() - 10, m_name);
        dc.SelectFont(IPainter::FontInternalSlot);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        CRect band = m_rect;
        band.OffsetRect(16, 0);
        m_labelRect = CenteredText(dc, name, band);
        dc.TextOut(m_labelRect.left, m_labelRect.top, name);
        return;
    }
    case CAT_INFO: {
        dc.SetPen(qlcolor::LightGrey);
        dc.SetBrush(qlcolor::LightGrey, false);
        dc.DrawRect(m_rect);
        dc.DrawEdge(m_rect, true);
        dc.SelectFont(IPainter::FontNames);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        m_labelRect = CenteredText(dc, m_name, m_rect);
        dc.TextOut(m_labelRect.left, m_labelRect.top, m_name);
        return;
    }
    case CAT_GROUP:
        if (m_type == OT_GROUP && m_number == 0)
            return;
        break;
    default:
        break;
    }
    DrawLabel(dc);
    DrawBitmap(dc);
    DrawLinks(dc, qlcolor::Black);
}

void CBaseDevice::DrawLabel(IPainter& dc)
{
    dc.SelectFont(IPainter::FontNames);
    dc.SetTransparentText(true);
    if (m_category == CAT_GROUP || m_category == CAT_DIGITAL_IO || (m_category == CAT_AUDIO && m_type == OT_LAN_GROUP)) {
        dc.SetPen(qlcolor::Black);
        dc.SetBrush(qlcolor::White);
        dc.DrawRoundRect(m_rect, 10, 10);
        int32_t indent = 5;
        if (m_type == OT_CONTROL_PAD && m_kindId == 34322)
            indent = 10;
        else if (m_bitmapId != 0)
            indent = 10 + m_bitmapRect.Width();
        const std::string name = FitTextToWidth(dc, IPainter::FontNames, m_rect.Width() - indent - 5, m_name);
        const CSize e = dc.TextExtent(name);
        const int32_t x = m_rect.left + indent;
        const int32_t y = m_rect.top + (m_rect.Height() - e.cy) / 2;
        dc.SetTextColor(qlcolor::Blue);
        dc.TextOut(x, y, name);
        m_labelRect = CRect(x, y, x + e.cx, y + e.cy);
        return;
    }
    if (m_category == CAT_AUDIO)
        return;
    if (!(m_symbolStyle & symstyle::BitmapAtTop)) {
        const std::string kind = LoadStringId(m_kindId);
        const CSize e = dc.TextExtent(kind);
        const int32_t x = (m_symbolStyle & symstyle::KindTextLeft) ? m_rect.left + 1
                                                                   : m_rect.left + (m_rect.Width() - e.cx) / 2;
        dc.SetTextColor(qlcolor::Black);
        dc.TextOut(x, m_rect.top, kind);
    }
    dc.SetTextColor(qlcolor::Blue);
    if (!(m_symbolStyle & symstyle::WideRight)) {
        int32_t room = m_rect.Width() - 10;
        // A device at an input card has a narrow picture but usually free
        // sheet beside it: its name is written whole when half the gap to
        // each neighbour gives it room, else cut to the symbol as any name.
        if (m_category == CAT_AUDIO_DEVICE) {
            const int32_t whole = dc.TextExtent(m_name).cx;
            if (whole > room && whole <= room + 2 * RoomBesideName(*this))
                room = whole;
        }
        const std::string name = FitTextToWidth(dc, IPainter::FontNames, room, m_name);
        m_labelRect = CenteredText(dc, name, CRect(m_rect.left, m_rect.bottom - 15, m_rect.right, m_rect.bottom));
        dc.TextOut(m_labelRect.left, m_labelRect.top, name);
    } else {
        // Beside the picture the name keeps to its symbol, 5 units short of
        // its right edge, so that a long name does not run into its neighbours.
        const int32_t x = m_bitmapRect.right + 5;
        const std::string name = FitTextToWidth(dc, IPainter::FontNames, m_rect.right - 5 - x, m_name);
        const CSize e = dc.TextExtent(name);
        const int32_t y = m_bitmapRect.top + (m_bitmapRect.Height() - e.cy) / 2;
        dc.TextOut(x, y, name);
        m_labelRect = CRect(x, y, x + e.cx, y + e.cy);
    }
}

void CBaseDevice::DrawBitmap(IPainter& dc)
{
    if (m_bitmapId != 0)
        dc.DrawBitmap(m_bitmapId, m_bitmapRect);
}

bool CBaseDevice::DrawsOutLink(const LinkRecord* r) const
{
    // A record at a key beyond the connectors has no line (a condition's
    // reference to a contact is one, and its partner has no symbol at all).
    const int32_t k = r->ownKey;
    return r->HasPartner() && k >= 0 && k < m_inputCount && static_cast<size_t>(k) < m_inputPoints.size() &&
           r->partnerKey >= 0 && static_cast<size_t>(r->partnerKey) < r->partner->m_outputPoints.size();
}

bool CBaseDevice::DrawsInLink(const LinkRecord* r) const
{
    const int32_t k = r->ownKey;
    return r->HasPartner() && k >= 0 && k < m_outputCount && static_cast<size_t>(k) < m_outputPoints.size() &&
           r->partnerKey >= 0 && static_cast<size_t>(r->partnerKey) < r->partner->m_inputPoints.size();
}

void CBaseDevice::DrawLinks(IPainter& dc, QlColor color)
{
    dc.SetPen(color, 1);
    if (m_linkMode & linkmode::DrawOutLinks) {
        for (const LinkRecord* r : m_outLinks) {
            const int32_t k = r->ownKey;
            if (!DrawsOutLink(r))
                continue;
            const CPoint a = m_inputPoints[k];
            const CPoint p = r->partner->m_outputPoints[r->partnerKey];
            ConnectorRoute route;
            route.pt[0] = a;
            if (m_category == CAT_ZONE) {
                route.pt[1] = a;
                route.pt[2] = CPoint(a.x, p.y);
            } else if (m_category == CAT_GROUP || m_type == OT_LAN_GROUP) {
                route.pt[1] = CPoint(a.x - 25, a.y);
                route.pt[2] = CPoint(p.x + 25, p.y);
            } else {
                const int32_t lane = m_category == CAT_RELAIS_TOPOLOGY ? r->partner->LaneOf(r->partnerKey) : LaneOf(k);
                const int32_t x = a.x - 15 * lane - 10;
                route.pt[1] = CPoint(x, a.y);
                route.pt[2] = CPoint(x, p.y);
            }
            route.pt[3] = p;
            if (static_cast<size_t>(k) < m_inputRoutes.size())
                m_inputRoutes[k] = route;
            dc.DrawPolyline({route.pt[0], route.pt[1], route.pt[2], route.pt[3]});
            m_boundingRect.left = std::min(m_boundingRect.left, p.x);
            m_boundingRect.top = std::min(m_boundingRect.top, p.y);
        }
    }
    if (m_linkMode & linkmode::DrawInLinks) {
        const bool contactPad = m_type == OT_CONTROL_PAD &&
                                IsKind(m_kindId, {32796, 32797, 34136, 32848, 32849});
        if (contactPad)
            return;
        for (const LinkRecord* r : m_inLinks) {
            const int32_t k = r->ownKey;
            if (!DrawsInLink(r))
                continue;
            const CPoint b = m_outputPoints[k];
            const CPoint q = r->partner->m_inputPoints[r->partnerKey];
            dc.DrawPolyline({b, CPoint(b.x, q.y), q});
            m_boundingRect.right = std::max(m_boundingRect.right, q.x + 1);
            m_boundingRect.bottom = std::max(m_boundingRect.bottom, q.y + 1);
        }
    }
}

void CBaseDevice::DrawHot(IPainter& dc)
{
    if (m_category == CAT_INFO || m_type == OT_COLLECTION_CALL || m_type == OT_RELAIS ||
        (m_type == OT_GROUP && m_number == 0))
        return;
    dc.SetPen(qlcolor::Red);
    dc.SetBrush(qlcolor::Red, false);
    if (m_category == CAT_GROUP || m_category == CAT_DIGITAL_IO || m_type == OT_LAN_GROUP)
        dc.DrawRoundRect(m_rect, 10, 10);
    else
        dc.DrawRect(m_rect);
    DrawLinks(dc, qlcolor::Red);
    DrawConnectorName(dc);
    m_hot = 1;
}

void CBaseDevice::DrawCold(IPainter& dc)
{
    if (m_type == OT_COLLECTION_CALL || m_type == OT_RELAIS)
        return;
    if (m_category == CAT_RELAIS_TOPOLOGY || m_category == CAT_INTERNAL_SLOT || IsSlotCategory(m_category)) {
        CRect r = m_rect;
        r.InflateRect(1, 1);
        InvalidateRect(r.left, r.top, r.right, r.bottom, true);
        EraseConnectorName(dc);
        DrawLinks(dc, qlcolor::Black);
    } else {
        dc.SetBrush(qlcolor::White, false);
        if ((m_category == CAT_GROUP && !(m_type == OT_GROUP && m_number == 0)) || m_category == CAT_DIGITAL_IO ||
            m_type == OT_LAN_GROUP) {
            dc.SetPen(qlcolor::Black);
            dc.DrawRoundRect(m_rect, 10, 10);
        } else if (m_category != CAT_INFO && !(m_type == OT_GROUP && m_number == 0)) {
            dc.SetPen(dc.WindowBackground());
            dc.DrawRect(m_rect);
        }
        DrawLinks(dc, qlcolor::Black);
    }
    m_hot = 0;
}

namespace {
void WriteConnectorName(const CBaseDevice& o, IPainter& dc, QlColor color)
{
    if (!o.m_showConnectorNames)
        return;
    dc.SelectFont(o.m_connectorFont);
    dc.SetTransparentText(true);
    dc.SetTextColor(color);
    if (o.m_hoverInput >= 0 && static_cast<size_t>(o.m_hoverInput) < o.m_inputPoints.size() &&
        static_cast<size_t>(o.m_hoverInput) < o.m_inputNames.size()) {
        const CPoint p = o.m_inputPoints[o.m_hoverInput];
        const std::string& name = o.m_inputNames[o.m_hoverInput];
        dc.TextOut(p.x + 4, p.y - dc.TextExtent(name).cy / 2, name);
    } else if (o.m_hoverOutput >= 0 && static_cast<size_t>(o.m_hoverOutput) < o.m_outputPoints.size() &&
               static_cast<size_t>(o.m_hoverOutput) < o.m_outputNames.size()) {
        const CPoint p = o.m_outputPoints[o.m_hoverOutput];
        const std::string& name = o.m_outputNames[o.m_hoverOutput];
        const CSize e = dc.TextExtent(name);
        dc.TextOut(p.x - 5 - e.cx, p.y - e.cy / 2, name);
    }
}

// Index of the connector whose y lies strictly within half the spacing of `y`; -1 none.
int32_t ConnectorAt(const std::vector<CPoint>& points, int32_t height, int32_t y)
{
    if (points.empty())
        return -1;
    const int32_t half = height / static_cast<int32_t>(points.size()) / 2;
    for (size_t i = 0; i < points.size(); ++i)
        if (y > points[i].y - half && y < points[i].y + half)
            return static_cast<int32_t>(i);
    return -1;
}
}  // namespace

void CBaseDevice::DrawConnectorName(IPainter& dc)
{
    WriteConnectorName(*this, dc, qlcolor::Red);
}

void CBaseDevice::EraseConnectorName(IPainter& dc)
{
    WriteConnectorName(*this, dc, qlcolor::Black);
}

int CBaseDevice::TrackConnector(IPainter& dc, CPoint point)
{
    if (m_type == OT_COLLECTION_CALL || m_type == OT_RELAIS)
        return 1;
    if (!IsSlotCategory(m_category))
        return 0;
    if (!m_hot)
        return 1;
    const bool inputSide = m_inputCount > 0 ? point.x < m_rect.CenterPoint().x : point.x < m_rect.left;
    if (inputSide) {
        if (m_hoverOutput != -1) {
            EraseConnectorName(dc);
            m_hoverOutput = -1;
        }
        const int32_t i = ConnectorAt(m_inputPoints, m_rect.Height(), point.y);
        if (i < 0)
            return 1;
        if (i != m_hoverInput && m_hoverInput != -1)
            EraseConnectorName(dc);
        m_hoverInput = i;
    } else {
        if (m_hoverInput != -1) {
            EraseConnectorName(dc);
            m_hoverInput = -1;
        }
        const int32_t i = ConnectorAt(m_outputPoints, m_rect.Height(), point.y);
        if (i < 0)
            return 1;
        if (i != m_hoverOutput && m_hoverOutput != -1)
            EraseConnectorName(dc);
        m_hoverOutput = i;
    }
    DrawConnectorName(dc);
    return 1;
}

std::string CBaseDevice::FitTextToWidth(IPainter& dc, int font, int32_t width, const std::string& text)
{
    dc.SelectFont(font);
    if (dc.TextExtent(text).cx <= width)
        return text;
    // The longest shortened text whose width with "..." fits, cut between
    // characters (never inside a UTF-8 sequence), or "..." alone. A longer
    // beginning is never narrower, so the cut is found by halving.
    std::vector<size_t> cuts{0};
    for (size_t i = 1; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            cuts.push_back(i);
    size_t fits = 0;  // cuts[fits] fits (or is the empty beginning)
    size_t over = cuts.size();  // no cut from here on fits
    while (over - fits > 1) {
        const size_t mid = fits + (over - fits) / 2;
        if (dc.TextExtent(text.substr(0, cuts[mid]) + "...").cx <= width)
            fits = mid;
        else
            over = mid;
    }
    return text.substr(0, cuts[fits]) + "...";
}
