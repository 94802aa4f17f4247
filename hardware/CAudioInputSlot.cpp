#include "hardware/CAudioInputSlot.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "audio/CMiscAudio.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/DialogHook.h"
#include "hardware/IAudioInputsDlg.h"
#include "hardware/NumberText.h"
#include "model/ComparingStore.h"
#include "model/DiffFile.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioInputSlot, 1)

QL_STRING_TABLE({
    {34024, "Wertebereich überschritten !"},
    {34025, "Warnung !\n\nDas an diesem Eingang angeschlossene Gerät wird \nbeim Umschalten dieses MIC/LINE "
            "Eingangs gelöscht !\n\nSoll umgeschalten werden ?"},
    {34026, "Zu wenig Speicher !"},
    {34027, "Dieses Audio Gerät kann nicht erzeugt werden !\nMöglicherweise ist zu wenig Speicher vorhanden !"},
    {34028, "Diese Sprechstelle kann nicht erzeugt werden !\nMöglicherweise ist zu wenig Speicher vorhanden !"},
    {34048, "S&prechstelle"},
    {34049, "Mi&krofon"},
    {34050, "LIN&E-Quelle"},
    {34051, "AU&X-Quelle"},
    {34052, " hinzufügen"},
    {34139, "Audio Eingänge"},
    {34360, "Mixer"},
});

// Each document keeps one attenuation and one ramp value for all its
// channels; the slots of a document share one entry, which goes with the
// document's last slot.
struct CAudioInputSlot::SharedValues {
    double attenuation = -6.0;
    double ramp = 300.0;
    int users = 0;
};

namespace {

DialogHook<IAudioInputsDlg, AudioInputsDlgOpener> g_inputsHook;

std::map<std::string, uint32_t>& PathToKey()
{
    static std::map<std::string, uint32_t> table;
    return table;
}
std::map<uint32_t, std::string>& KeyToPath()
{
    static std::map<uint32_t, std::string> table;
    return table;
}
std::map<std::string, int32_t>& FilterTypes()
{
    static std::map<std::string, int32_t> table;
    return table;
}

const char* const kFilterTypeNames[5] = {"LOSHELV", "LOCUT", "PEQ", "HICUT", "HISHELV"};
const char* const kParamWords[6] = {"TYPE", "F", "Q", "V", "S", "BYPASS"};

// Commands of the context menu.
enum : uint32_t {
    kCmdFirstConsole = 33049,
    kCmdLastConsole = 33058,
    kCmdConsoleWRN2316 = 33102,
    kCmdConsoleWRN2316X = 33103,
    kCmdConsoleWRN2283 = 33176,
    kCmdFirstDevice = 33059,
    kCmdLastDevice = 33069,
    kCmdMixer = 33063,
    kCmdMessageDevice = 33064,  // "QTB8174": one per system
};

bool IsConsoleCommand(uint32_t id)
{
    return (id >= kCmdFirstConsole && id <= kCmdLastConsole) || id == kCmdConsoleWRN2316 ||
           id == kCmdConsoleWRN2316X || id == kCmdConsoleWRN2283;
}

// Console kind id of a console command; 0 for another command.
uint32_t ConsoleKindOfCommand(uint32_t id)
{
    switch (id) {
    case 33049: return 34000;  // WRN2271
    case 33050: return 34001;  // WRN2272
    case 33051: return 34003;  // WRN2315
    case 33052: return 34004;  // WRN2318
    case 33053: return 34002;  // WRN2314
    case 33054: return 34005;  // WRN2271X
    case 33055: return 34006;  // WRN2272X
    case 33056: return 34007;  // WRN2314X
    case 33057: return 34008;  // WRN2315X
    case 33058: return 34009;  // WRN2318X
    case 33102: return 34318;  // WRN2316
    case 33103: return 34319;  // WRN2316X
    case 33176: return 34566;  // WRN2283
    default: return 0;
    }
}

// Name and symbol bitmap of an attached audio device.
struct DeviceLook {
    uint32_t command;
    const char* name;  // null: the text of string 34360
    uint32_t bitmap;
};
constexpr DeviceLook kDeviceLooks[] = {
    {33059, "Mic", 139},         {33060, "PTT", 139},      {33061, "RV611", 188},
    {33062, "RV617", 186},       {kCmdMixer, nullptr, 172}, {kCmdMessageDevice, "QTB8174", 242},
    {33065, "Line-Source", 207}, {33066, "CD-Player", 141}, {33067, "Tape", 140},
    {33068, "Tuner", 171},       {33069, "DAT", 142},
};

int Ch(int channel) { return channel == 0 ? 0 : 1; }

bool IsSelectorChannel(int32_t kind) { return kind == ICK_MIC || kind == ICK_LINE || kind == ICK_AUX; }

void RemoveAll(std::string& text, const std::string& phrase)
{
    for (size_t p = text.find(phrase); p != std::string::npos; p = text.find(phrase, p))
        text.erase(p, phrase.size());
}

}  // namespace

IAudioInputsDlg* GetAudioInputsDlg() { return g_inputsHook.dlg; }

IAudioInputsDlg* SetAudioInputsDlg(IAudioInputsDlg* dlg) { return g_inputsHook.Set(dlg); }

AudioInputsDlgOpener SetAudioInputsDlgOpener(AudioInputsDlgOpener opener) { return g_inputsHook.SetOpener(opener); }

void SetAudioInputsDlgDocument(CQuillomerDoc* doc) { g_inputsHook.doc = doc; }
CQuillomerDoc* GetAudioInputsDlgDocument() { return g_inputsHook.Document(); }

// ---------------------------------------------------------------- construction

CAudioInputSlot::CAudioInputSlot()
{
    m_type = OT_AUDIO_INPUT_SLOT;
    m_contextMenuId = 141;
    m_fixed = 1;
    const SharedValues defaults;
    for (int c = 0; c < 2; ++c) {
        m_attenuation[c] = defaults.attenuation;
        m_ramp[c] = defaults.ramp;
        m_filters[c][0].type = IFT_LOSHELV;
        m_filters[c][0].f = 500.0;
        m_filters[c][1].type = IFT_PEQ;
        m_filters[c][1].f = 1000.0;
        m_filters[c][2].type = IFT_HISHELV;
        m_filters[c][2].f = 2000.0;
    }
}

CAudioInputSlot::~CAudioInputSlot()
{
    LeaveShared();
    // The document the open dialog shows is being taken apart: the dialog
    // must not touch it any more.
    if (m_pDocument && g_inputsHook.doc == m_pDocument)
        g_inputsHook.doc = nullptr;
}

std::map<const CQuillomerDoc*, CAudioInputSlot::SharedValues>& CAudioInputSlot::SharedStore()
{
    static std::map<const CQuillomerDoc*, SharedValues> store;
    return store;
}

CAudioInputSlot::SharedValues& CAudioInputSlot::Shared() const
{
    if (!m_sharedJoined || m_sharedDoc != m_pDocument) {
        const_cast<CAudioInputSlot*>(this)->LeaveShared();
        m_sharedDoc = m_pDocument;
        m_sharedJoined = true;
        ++SharedStore()[m_sharedDoc].users;
    }
    return SharedStore()[m_sharedDoc];
}

void CAudioInputSlot::LeaveShared()
{
    if (!m_sharedJoined)
        return;
    m_sharedJoined = false;
    const auto it = SharedStore().find(m_sharedDoc);
    if (it != SharedStore().end() && --it->second.users <= 0)
        SharedStore().erase(it);
}

double CAudioInputSlot::GetSharedAttenuation() const { return Shared().attenuation; }
double CAudioInputSlot::GetSharedRamp() const { return Shared().ramp; }

// ---------------------------------------------------------------- tables

const std::map<std::string, uint32_t>& CAudioInputSlot::GetPathToKeyTable() { return PathToKey(); }
const std::map<uint32_t, std::string>& CAudioInputSlot::GetKeyToPathTable() { return KeyToPath(); }
const std::map<std::string, int32_t>& CAudioInputSlot::GetFilterTypeTable() { return FilterTypes(); }

std::string CAudioInputSlot::GetFilterTypeName(int32_t type)
{
    return type >= 0 && type < 5 ? kFilterTypeNames[type] : std::string();
}

const std::array<int32_t, 3>& CAudioInputSlot::GetFilterTypesOffered(int filter)
{
    static const std::array<int32_t, 3> offered[3] = {
        {IFT_LOCUT, IFT_LOSHELV, IFT_PEQ},
        {IFT_LOSHELV, IFT_PEQ, IFT_HISHELV},
        {IFT_PEQ, IFT_HISHELV, IFT_HICUT},
    };
    return offered[std::clamp(filter, 0, 2)];
}

bool CAudioInputSlot::OffersFilterType(int filter, int32_t type)
{
    const std::array<int32_t, 3>& offered = GetFilterTypesOffered(filter);
    return filter >= 0 && filter <= 2 && std::find(offered.begin(), offered.end(), type) != offered.end();
}

void CAudioInputSlot::FillTables()
{
    if (PathToKey().empty() || KeyToPath().empty()) {
        std::vector<std::pair<std::string, uint32_t>> entries = {
            {"IN1/VOL", 0x00000}, {"IN2/VOL", 0x00001}, {"IN1/AUX", 0x30000}, {"IN2/AUX", 0x30001}};
        for (uint32_t w = 0; w < 6; ++w) {
            const uint32_t code = IPC_TYPE + w;
            for (uint32_t filter = 0; filter < 3; ++filter)
                for (uint32_t channel = 0; channel < 2; ++channel)
                    entries.emplace_back(StrFormat("IN%u/FILTER%u/%s", channel + 1, filter + 1, kParamWords[w]),
                                         (code << 16) + (channel << 8) + filter);
        }
        if (PathToKey().empty())
            for (const auto& [path, key] : entries)
                PathToKey()[path] = key;
        if (KeyToPath().empty())
            for (const auto& [path, key] : entries)
                KeyToPath()[key] = path;
    }
    if (FilterTypes().empty())
        for (int32_t t = 0; t < 5; ++t)
            FilterTypes()[kFilterTypeNames[t]] = t;
}

const std::vector<CAudioInputSlot::ChannelParam>& CAudioInputSlot::GetChannelDownloadOrder()
{
    // The 20 lines of one channel: VOL, AUX, then filter 1 TYPE, F, Q, V, S,
    // BYPASS, then filters 2 and 3 the same way.
    static const std::vector<ChannelParam> order = [] {
        std::vector<ChannelParam> o = {{IPC_VOL, 0}, {IPC_AUX, 0}};
        for (uint32_t filter = 0; filter < 3; ++filter)
            for (uint32_t code = IPC_TYPE; code <= IPC_BYPASS; ++code)
                o.push_back({code, filter});
        return o;
    }();
    return order;
}

int32_t CAudioInputSlot::GetCardInputCount(uint32_t kindId)
{
    switch (kindId) {
    case inputcard::Console2:
    case inputcard::MicLine2:
    case inputcard::ConsoleMicLine:
        return 2;
    case inputcard::Aux2:
        return 4;
    case inputcard::AuxMicLine:
        return 3;
    default:
        return 0;
    }
}

bool CAudioInputSlot::IsCardType(uint32_t kindId)
{
    return kindId == inputcard::NotFitted || kindId == inputcard::Console2 || kindId == inputcard::MicLine2 ||
           kindId == inputcard::Aux2 || kindId == inputcard::AuxMicLine || kindId == inputcard::ConsoleMicLine;
}

int32_t CAudioInputSlot::GetChannelKind(int channel) const { return m_channelKind[Ch(channel)]; }

// ---------------------------------------------------------------- file

void CAudioInputSlot::Serialize(CArchive& ar)
{
    if (ar.IsStoring() && !IsComparingStore()) {
        if (IAudioInputsDlg* dlg = DialogOfMyDocument())
            dlg->StoreEdits();
    }
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        const SharedValues& shared = Shared();
        ar << m_channelKind[0] << m_channelKind[1] << m_selectorFlag[0] << m_selectorFlag[1];
        for (int c = 0; c < 2; ++c) {
            ar << m_auxSource[c] << m_volume[c] << shared.attenuation << shared.ramp << m_bypassAll[c];
            for (const InputFilter& flt : m_filters[c])
                ar << flt.type << flt.f << flt.v << flt.s << flt.q << flt.bypass;
        }
    } else {
        m_loadedFromFile = true;
        SharedValues& shared = Shared();
        ar >> m_channelKind[0] >> m_channelKind[1] >> m_selectorFlag[0] >> m_selectorFlag[1];
        for (int c = 0; c < 2; ++c) {
            ar >> m_auxSource[c] >> m_volume[c] >> m_attenuation[c] >> m_ramp[c] >> m_bypassAll[c];
            shared.attenuation = m_attenuation[c];
            shared.ramp = m_ramp[c];
            for (InputFilter& flt : m_filters[c]) {
                ar >> flt.type >> flt.f >> flt.v >> flt.s >> flt.q >> flt.bypass;
                // The device has no 12 dB slope for the high shelving filter.
                if (flt.type == IFT_HISHELV && flt.s == 1) {
                    ShowMessageId(34275, mb::IconExclamation);
                    flt.s = 0;
                }
            }
        }
    }
}

int CAudioInputSlot::PostLoad()
{
    for (int c = 0; c < 2; ++c) {
        const auto item = [&](uint32_t code, uint32_t filter = 0) { return LinePath(code, filter, c); };
        ClampLoaded(m_volume[c], kMinVolume, kMaxVolume, 0.0, item(IPC_VOL), true, 1);
        // AUX1 or AUX2, as the device counts them.
        if (m_auxSource[c] != 0 && m_auxSource[c] != 1) {
            NoteHeldOnLoad(item(IPC_AUX), StrFormat("%lld", m_auxSource[c] + 1LL), "1", true);
            m_auxSource[c] = 0;
        }
        for (uint32_t f = 0; f < 3; ++f) {
            InputFilter& flt = m_filters[c][f];
            const InputFilter fresh;
            // Each filter offers three of the types; PEQ is one of every filter's.
            if (!OffersFilterType(static_cast<int>(f), flt.type)) {
                NoteHeldOnLoad(item(IPC_TYPE, f), StrFormat("%d", flt.type), GetFilterTypeName(fresh.type), true);
                flt.type = fresh.type;
            }
            ClampLoaded(flt.f, kMinFrequency, kMaxFrequency, fresh.f, item(IPC_F, f), true, 1);
            ClampLoaded(flt.q, kMinQ, kMaxQ, fresh.q, item(IPC_Q, f), true, 4);
            ClampLoaded(flt.v, kMinGain, kMaxGain, fresh.v, item(IPC_V, f), true, 1);
            // Any other slope is sent as 12 dB, any other bypass as ON:
            // held as what they are sent as.
            if (flt.s != 0 && flt.s != 1) {
                NoteHeldOnLoad(item(IPC_S, f), StrFormat("%d", flt.s), "12", true);
                flt.s = 1;
            }
            if (flt.bypass != 0 && flt.bypass != 1) {
                NoteHeldOnLoad(item(IPC_BYPASS, f), StrFormat("%d", flt.bypass), "ON", true);
                flt.bypass = 1;
            }
        }
    }
    return 1;
}

// ---------------------------------------------------------------- set-up

// A fitted card's bounding rectangle keeps its margin of 5 on the left
// whenever it is worked out again, as it has after loading, so that a
// project saved after a redraw of the card reads back the same bytes.
void CAudioInputSlot::CalcBoundingRect()
{
    CBaseDevice::CalcBoundingRect();
    if (IsFitted())
        m_boundingRect.left = std::min(m_boundingRect.left, m_rect.left - 5);
}

int CAudioInputSlot::InitObject()
{
    static const char* const kMicLine[4] = {"MIC", "LINE", "MIC", "LINE"};
    static const char* const kAux[4] = {"AUX1", "AUX2", "AUX1", "AUX2"};
    static const char* const kAuxMicLine[4] = {"AUX1", "AUX2", "MIC", "LINE"};
    auto setNames = [this](const char* const* names) {
        for (int i = 0; i < 4; ++i)
            m_selectorNames[i] = names ? names[i] : "";
    };

    m_inputCount = GetCardInputCount(m_kindId);
    m_outputCount = 0;
    m_showConnectorNames = 1;
    switch (m_kindId) {
    case inputcard::Console2:
        m_channelKind[0] = m_channelKind[1] = ICK_CONSOLE;
        setNames(nullptr);
        break;
    case inputcard::MicLine2:
        m_channelKind[0] = m_channelKind[1] = ICK_MIC;
        setNames(kMicLine);
        break;
    case inputcard::Aux2:
        m_channelKind[0] = m_channelKind[1] = ICK_AUX;
        setNames(kAux);
        break;
    case inputcard::AuxMicLine:
        m_channelKind[0] = ICK_AUX;
        m_channelKind[1] = ICK_MIC;
        setNames(kAuxMicLine);
        break;
    case inputcard::ConsoleMicLine:
        m_channelKind[0] = ICK_CONSOLE;
        m_channelKind[1] = ICK_MIC;
        setNames(nullptr);
        m_selectorNames[2] = "MIC";
        m_selectorNames[3] = "LINE";
        break;
    default:  // not fitted
        m_channelKind[0] = m_channelKind[1] = ICK_NONE;
        setNames(nullptr);
        m_showConnectorNames = 0;
        break;
    }
    // The names beside the selector boxes take the boxes' small font: with
    // the connector font "A1:" and "A2:" reach into the boxes 18 units in.
    m_connectorFont = m_selectorNames[0].empty() && m_selectorNames[2].empty() ? IPainter::FontConnector
                                                                              : IPainter::FontSelector;
    // A MIC/LINE channel's kind follows its selector (also for a loaded slot).
    for (int c = 0; c < 2; ++c)
        if (m_channelKind[c] == ICK_MIC && m_selectorFlag[c] == 0)
            m_channelKind[c] = ICK_LINE;

    if (!CBaseDevice::InitObject())
        return 0;

    SetUpConnectors();

    if (IsFitted())
        m_boundingRect.left = std::min(m_boundingRect.left, m_rect.left - 5);

    if (m_name == "Slot1") {
        m_slotNumber = 1;
        m_path = "SLOT1";
    } else if (m_name == "Slot2") {
        m_slotNumber = 2;
        m_path = "SLOT2";
    } else {
        m_slotNumber = 0;
        m_path.clear();
    }

    // A new slot starts from its document's shared values; a loaded one keeps
    // the values of its record.
    const SharedValues& shared = Shared();
    if (!m_loadedFromFile && !m_sharedCopied) {
        for (int c = 0; c < 2; ++c) {
            m_attenuation[c] = shared.attenuation;
            m_ramp[c] = shared.ramp;
        }
    }
    m_sharedCopied = true;

    FillTables();
    return 1;
}

void CAudioInputSlot::SetUpConnectors()
{
    for (CRect& box : m_boxes)
        box = CRect();
    const auto nameInputs = [this](std::initializer_list<const char*> names) {
        size_t i = 0;
        for (const char* n : names) {
            if (i < m_inputNames.size())
                m_inputNames[i] = n;
            ++i;
        }
    };
    const auto moveInputUp = [this](size_t i, int32_t dy) {
        if (i < m_inputPoints.size())
            m_inputPoints[i].y -= dy;
        if (i < m_inputRoutes.size())
            m_inputRoutes[i].pt[0].y -= dy;
    };
    const auto placeBoxes = [this](int32_t y0, const int32_t (&offsets)[4]) {
        for (int i = 0; i < 4; ++i)
            m_boxes[i] = CRect(m_rect.left + 18, y0 + offsets[i], m_rect.left + 52, y0 + offsets[i] + 18);
    };
    const auto inputY = [this](size_t i) { return i < m_inputPoints.size() ? m_inputPoints[i].y : m_rect.top; };

    switch (m_kindId) {
    case inputcard::Console2:
        nameInputs({"A : CONS", "B : CONS"});
        break;
    case inputcard::MicLine2:
    case inputcard::ConsoleMicLine: {
        if (m_kindId == inputcard::MicLine2)
            nameInputs({"A:", "B:"});
        else
            nameInputs({"A : CONS", "B:"});
        const int32_t d = inputY(1) - inputY(0);
        placeBoxes(inputY(0) - 18, {0, 19, d, d + 19});
        break;
    }
    case inputcard::Aux2:
        nameInputs({"A1", "A2", "B1", "B2"});
        placeBoxes(inputY(0) - 10, {0, 32, 74, 106});
        break;
    case inputcard::AuxMicLine:
        nameInputs({"A1:", "A2:", "B:"});
        moveInputUp(0, 8);
        moveInputUp(1, 20);
        placeBoxes(inputY(0) - 10, {0, 32, 92, 110});
        break;
    default:
        break;
    }
}

void CAudioInputSlot::SetCardType(uint32_t kindId)
{
    const ChangeGuard guard(*this);
    FreeConnectionPoints();
    Redraw();
    m_kindId = kindId;
    m_hoverInput = -1;
    m_hoverOutput = -1;
    InitObject();
    Redraw();
}

bool CAudioInputSlot::HasAttachedDevice() const
{
    for (const LinkRecord* rec : m_outLinks)
        if (rec->HasPartner())
            return true;
    return false;
}

int CAudioInputSlot::ConnectorChannel(int32_t connector) const
{
    if (connector <= 0)
        return 0;
    if (connector == 1)
        return m_channelKind[0] == ICK_AUX ? 0 : 1;
    return 1;
}

// ---------------------------------------------------------------- drawing

void CAudioInputSlot::Draw(IPainter& dc)
{
    CBaseDevice::Draw(dc);
    if (!IsFitted() || m_kindId == inputcard::Console2)
        return;
    // A font that leaves "AUX1" and "AUX2" clear of the box's edge, pressed too.
    dc.SelectFont(IPainter::FontSelector);
    dc.SetTransparentText(true);
    dc.SetTextColor(qlcolor::Black);
    for (int c = 0; c < 2; ++c) {
        if (m_channelKind[c] == ICK_CONSOLE || m_channelKind[c] == ICK_NONE)
            continue;
        const int selected = m_selectorFlag[c] != 0 ? 2 * c : 2 * c + 1;
        for (int i = 2 * c; i < 2 * c + 2; ++i) {
            const CRect& box = m_boxes[i];
            const bool raised = i != selected;
            // Channel A's boxes are filled, channel B's show the frame only.
            if (c == 0)
                dc.FillRect(box, qlcolor::LightGrey);
            dc.DrawEdge(box, raised);
            const int dx = raised ? 4 : 5;
            const int dy = raised ? 3 : 4;
            dc.TextOut(box.left + dx, box.top + dy, m_selectorNames[i]);
        }
    }
    // The boxes start 18 units right of the symbol's left edge, and a name
    // such as "A1:" may reach into them: the names of a hot slot go on top,
    // so that no box cuts them off.
    if (m_hot && m_showConnectorNames) {
        dc.SelectFont(m_connectorFont);
        dc.SetTextColor(qlcolor::Black);
        for (size_t i = 0; i < m_inputPoints.size() && i < m_inputNames.size(); ++i) {
            const CPoint p = m_inputPoints[i];
            const CSize e = dc.TextExtent(m_inputNames[i]);
            dc.TextOut(p.x + 4, p.y - e.cy / 2, m_inputNames[i]);
        }
    }
}

void CAudioInputSlot::RedrawBoxes(int channel)
{
    for (int i = 2 * channel; i < 2 * channel + 2; ++i) {
        const CRect& r = m_boxes[i];
        if (!r.IsRectEmpty())
            InvalidateRect(r.left, r.top, r.right, r.bottom, true);
    }
}

int CAudioInputSlot::TrackConnector(IPainter& dc, CPoint point)
{
    if (!m_showConnectorNames || point.x >= m_rect.right || m_inputPoints.empty())
        return 0;
    const int n = static_cast<int>(m_inputPoints.size());
    int found = -1;
    for (int i = 0; i < n && found < 0; ++i) {
        const int32_t top = i == 0 ? m_rect.top : (m_inputPoints[i - 1].y + m_inputPoints[i].y) / 2;
        const int32_t bottom = i == n - 1 ? m_rect.bottom : (m_inputPoints[i].y + m_inputPoints[i + 1].y) / 2;
        if (point.y >= top && point.y < bottom)
            found = i;
    }
    // Only a change of the hovered connector needs drawing.
    if (found < 0 || found == m_hoverInput)
        return 0;
    EraseConnectorName(dc);
    m_hoverInput = found;
    DrawConnectorName(dc);
    return 1;
}

// ---------------------------------------------------------------- selector boxes

bool CAudioInputSlot::HitTestLabel(CPoint point) const
{
    // The base operation is a query; for this slot a click into a selector
    // box is a switch, so the click is handled here.
    const_cast<CAudioInputSlot*>(this)->OnSelectorClick(point);
    return false;
}

IAudioInputsDlg* CAudioInputSlot::DialogOfMyDocument() const
{
    IAudioInputsDlg* dlg = GetAudioInputsDlg();
    return dlg && GetAudioInputsDlgDocument() == m_pDocument ? dlg : nullptr;
}

bool CAudioInputSlot::DeleteDevicesOfChannel(int channel)
{
    std::vector<CBaseDevice*> devices;
    for (const LinkRecord* rec : m_outLinks)
        if (rec->HasPartner() && rec->ownKey >= 0 && rec->ownKey < m_inputCount &&
            ConnectorChannel(rec->ownKey) == channel)
            devices.push_back(rec->partner);
    for (CBaseDevice* device : devices) {
        // A device deleted before may have taken this one with it.
        if (GetOutLinkTo(device) == nullptr)
            continue;
        if (ShowMessageId(34025, mb::YesNo | mb::IconQuestion) != mb::IdYes)
            return false;
        device->OnCommand(objcmd::Delete);
    }
    return true;
}

void CAudioInputSlot::OnSelectorClick(CPoint point)
{
    if (m_kindId != inputcard::MicLine2 && m_kindId != inputcard::Aux2 && m_kindId != inputcard::AuxMicLine &&
        m_kindId != inputcard::ConsoleMicLine)
        return;
    for (int i = 0; i < 4; ++i) {
        const int c = i / 2;
        if (!m_boxes[i].PtInRect(point) || !IsSelectorChannel(m_channelKind[c]))
            continue;
        if (m_selectorNames[i] == "MIC" || m_selectorNames[i] == "LINE") {
            // What is attached to a MIC input does not fit a LINE input, and
            // the other way round.
            if (!DeleteDevicesOfChannel(c))
                return;
        } else {
            m_auxSource[c] = m_auxSource[c] == 0 ? 1 : 0;
            TransmitParameter(IPC_AUX, static_cast<uint32_t>(c) << 8, true, false);
            if (IAudioInputsDlg* dlg = DialogOfMyDocument()) {
                dlg->StoreEdits();
                dlg->RefreshInput(GetDialogInput());
            }
        }
        m_selectorFlag[c] = m_selectorFlag[c] != 0 ? 0 : 1;
        RedrawBoxes(c);
        for (int ch = 0; ch < 2; ++ch)
            if (m_channelKind[ch] == ICK_MIC || m_channelKind[ch] == ICK_LINE)
                m_channelKind[ch] = m_selectorFlag[ch] != 0 ? ICK_MIC : ICK_LINE;
        if (IAudioInputsDlg* dlg = DialogOfMyDocument()) {
            dlg->StoreEdits();
            dlg->RefreshInput(GetDialogInput());
        }
        SetDocModified();
        return;
    }
}

// ---------------------------------------------------------------- menu

bool CAudioInputSlot::GetContextPopup(InputSubmenu& submenu, std::string& text) const
{
    if (!m_showConnectorNames || m_hoverInput < 0 || m_hoverInput >= m_inputCount)
        return false;
    uint32_t word = 0;
    switch (m_channelKind[ConnectorChannel(m_hoverInput)]) {
    case ICK_CONSOLE:
        submenu = InputSubmenu::Consoles;
        word = 34048;
        break;
    case ICK_MIC:
        submenu = InputSubmenu::Microphones;
        word = 34049;
        break;
    case ICK_LINE:
        submenu = InputSubmenu::Lines;
        word = 34050;
        break;
    case ICK_AUX:
        submenu = InputSubmenu::Aux;
        word = 34051;
        break;
    default:
        return false;
    }
    // German: the menu translates the whole phrase, as English puts the verb first.
    text = LoadGermanString(word) + LoadGermanString(34052);
    return true;
}

void CAudioInputSlot::OnContextMenu(CPoint point)
{
    // The menu window asks GetContextPopup for the entry appended to menu 141.
    GetAppHost().ShowContextMenu(this, m_contextMenuId, point);
}

int CAudioInputSlot::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    if (IsCardType(commandId)) {
        SetCardType(commandId);
        return 1;
    }
    if (IsConsoleCommand(commandId)) {
        if (AddConsole(ConsoleKindOfCommand(commandId)) == 0)
            ShowMessageId(IDS_CONS_CANNOT_CREATE, mb::IconStop);
        return 1;
    }
    if (commandId >= kCmdFirstDevice && commandId <= kCmdLastDevice) {
        if (!AttachDevice(commandId))
            ShowMessageId(34027, mb::IconStop);
        return 1;
    }
    // The slot belongs to the central device: it is never deleted.
    return 0;
}

void CAudioInputSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    const uint32_t id = cmdUI.m_nID;
    if (IsCardType(id)) {
        cmdUI.SetCheck(id == m_kindId ? 1 : 0);
        cmdUI.Enable(!HasAttachedDevice() && GetAudioInputsDlg() == nullptr);
        return;
    }
    if (id == objcmd::Properties) {
        cmdUI.Enable(IsFitted());
        return;
    }
    int attached = 0;
    for (const LinkRecord* rec : m_outLinks)
        if (rec->ownKey == m_hoverInput && rec->HasPartner())
            ++attached;
    if (IsConsoleCommand(id)) {
        cmdUI.Enable(m_hoverInput >= 0 && attached < 4);
        return;
    }
    if (id >= kCmdFirstDevice && id <= kCmdLastDevice) {
        bool enable = m_hoverInput >= 0 && attached == 0;
        if (id == kCmdMessageDevice && m_pDocument) {
            DeviceList devices;
            m_pDocument->GetIDManager().GetBaseDeviceListByKind(devices, OT_AUDIO_INPUT_DEVICE, kCmdMessageDevice);
            enable = !devices.empty() ? false : m_hoverInput >= 0;
        }
        cmdUI.Enable(enable);
        return;
    }
    cmdUI.Enable(false);
}

void CAudioInputSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (g_inputsHook.opener == nullptr || m_pDocument == nullptr)
        return;
    if (!g_inputsHook.opener(m_pDocument, GetDialogInput()))
        ShowMessageId(34026, mb::IconExclamation);
}

int32_t CAudioInputSlot::GetDialogInput() const
{
    const int32_t first = 2 * m_slotNumber - 2;
    int32_t input = first + 1;
    if (m_hoverInput <= 0)
        input = first;
    else if (m_hoverInput == 1 && m_channelKind[0] == ICK_AUX)
        input = first;
    return std::clamp(input, 0, 3);
}

// ---------------------------------------------------------------- attached objects

bool CAudioInputSlot::IsNameInUse(const std::string& name) const
{
    if (m_pDocument == nullptr)
        return false;
    for (int32_t cat = CAT_FIRST; cat <= CAT_LAST; ++cat)
        for (const CBaseDevice* obj : m_pDocument->GetList(cat))
            if (obj->GetName() == name)
                return true;
    return false;
}

int CAudioInputSlot::AttachDevice(uint32_t command)
{
    const DeviceLook* look = nullptr;
    for (const DeviceLook& l : kDeviceLooks)
        if (l.command == command)
            look = &l;
    if (look == nullptr || m_pDocument == nullptr || m_hoverInput < 0 ||
        m_hoverInput >= static_cast<int32_t>(m_inputPoints.size()))
        return 0;
    auto made = std::make_unique<CAudioInputDevice>();
    CAudioInputDevice* device = made.get();

    const std::string baseName = look->name ? look->name : LoadStringId(34360);
    std::string name = baseName;
    for (int k = 1; IsNameInUse(name); ++k)
        name = StrFormat("%s/%d", baseName.c_str(), k);

    const int32_t input = m_hoverInput;
    const CPoint at = m_inputPoints[input];
    if (!device->Create(command, 1, 1, name, at.x - 150, at.y, at.x - 150, at.y, CAT_AUDIO_DEVICE, look->bitmap,
                        symstyle::BitmapAtTop, m_pDocument))
        return 0;
    made.release();
    LinkTo(input, device, 0);
    m_pDocument->AddObject(device, CAT_AUDIO_DEVICE);
    device->Redraw();

    if (command == kCmdMessageDevice) {
        // The message device feeds the external alarm and message inputs.
        auto* misc = dynamic_cast<CMiscAudio*>(m_pDocument->GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
        if (misc) {
            const std::string in = StrFormat("%d", GetDialogInput());
            misc->SetValue(5, in);
            misc->SetValue(6, in);
        }
    }
    return 1;
}

int CAudioInputSlot::AddConsole(uint32_t consoleKindId)
{
    if (m_pDocument == nullptr || m_hoverInput < 0 || m_hoverInput >= static_cast<int32_t>(m_inputPoints.size()))
        return 0;
    auto made = std::unique_ptr<CConsole>(new (std::nothrow) CConsole);
    if (!made)
        return 0;
    CConsole* console = made.get();
    const int32_t input = m_hoverInput;
    const CPoint at = m_inputPoints[input];
    // A refused creation (all console numbers taken) has told the user why.
    if (!console->CreateSymbol(consoleKindId, at.x - 180, at.y, at.x - 180, at.y, m_pDocument))
        return -1;
    made.release();
    LinkTo(input, console, 0);
    m_pDocument->AddObject(console, CAT_CONSOLE);
    if (!console->GetProp().CreateFixedKeys(consoleKindId, console)) {
        console->OnCommand(conscmd::Delete);
        return -1;
    }
    console->ProgramKeyRange(1, 0, 1);
    console->Redraw();
    return 1;
}

// ---------------------------------------------------------------- values

int CAudioInputSlot::SetValueText(uint32_t key, int channel, const std::string& text)
{
    const ChangeGuard guard(*this);
    const uint32_t code = key & 0xFFFF;
    const uint32_t filter = (key >> 16) & 0xFF;
    const int c = Ch(channel);
    if (code >= IPC_TYPE && code <= IPC_BYPASS && filter > 2)
        return 0;
    InputFilter& flt = m_filters[c][code >= IPC_TYPE ? filter : 0];
    const double number = numtext::ToDouble(text);
    const int whole = numtext::ToInt(text);
    switch (code) {
    case IPC_VOL:
        m_volume[c] = std::clamp(number, kMinVolume, kMaxVolume);
        return 1;
    case IPC_ATTENUATION:
        Shared().attenuation = m_attenuation[c] = number;
        return 1;
    case IPC_RAMP:
        Shared().ramp = m_ramp[c] = static_cast<double>(whole);
        return 1;
    case IPC_AUX:
        m_auxSource[c] = whole - 1;
        // The device holds no MIC/LINE choice: a MIC/LINE channel's answer
        // leaves its selector (and the kind that follows it) as designed.
        if (m_channelKind[c] != ICK_MIC && m_channelKind[c] != ICK_LINE) {
            m_selectorFlag[c] = whole == 1 ? 1 : 0;
            RedrawBoxes(c);
        }
        return 1;
    case IPC_BYPASS_ALL:
        m_bypassAll[c] = whole;
        for (InputFilter& each : m_filters[c])
            each.bypass = whole;
        return 1;
    case IPC_TYPE:
        if (numtext::StartsWithDigit(text)) {
            flt.type = whole;
        } else {
            FillTables();
            const auto it = FilterTypes().find(text);
            flt.type = it == FilterTypes().end() ? IFT_PEQ : it->second;
        }
        return 1;
    case IPC_F:
        flt.f = std::clamp(number, kMinFrequency, kMaxFrequency);
        return 1;
    case IPC_Q:
        flt.q = std::clamp(number, kMinQ, kMaxQ);
        return 1;
    case IPC_V:
        flt.v = std::clamp(number, kMinGain, kMaxGain);
        return 1;
    case IPC_S:
        flt.s = whole == 12 ? 1 : 0;
        return 1;
    case IPC_BYPASS: {
        const int value = numtext::StartsWithDigit(text) ? whole : (text == "ON" ? 1 : 0);
        flt.bypass = value >= 1 ? 1 : 0;
        return 1;
    }
    default:
        return 0;
    }
}

std::string CAudioInputSlot::GetValueText(uint32_t key, int channel) const
{
    const uint32_t code = key & 0xFFFF;
    const uint32_t filter = (key >> 16) & 0xFF;
    const int c = Ch(channel);
    if (code >= IPC_TYPE && code <= IPC_BYPASS && filter > 2)
        return {};
    const InputFilter& flt = m_filters[c][code >= IPC_TYPE ? filter : 0];
    switch (code) {
    case IPC_VOL:
        return numtext::Fixed(m_volume[c], 1);
    // Attenuation and ramp show the document's shared value: that is what
    // storing writes for every channel, so no stale channel copy can be
    // edited back over it.
    case IPC_ATTENUATION:
        return numtext::Fixed(Shared().attenuation, 1);
    case IPC_RAMP:
        return numtext::Fixed(Shared().ramp, 1);
    case IPC_AUX:
        return std::to_string(m_auxSource[c] + 1);
    case IPC_BYPASS_ALL:
        return std::to_string(m_bypassAll[c]);
    case IPC_TYPE:
        return std::to_string(flt.type);
    case IPC_F:
        return numtext::Fixed(flt.f, 1);
    case IPC_Q:
        return numtext::Fixed(flt.q, 4);
    case IPC_V:
        return numtext::Fixed(flt.v, 1);
    case IPC_S:
        return flt.s == 0 ? "6" : "12";
    case IPC_BYPASS:
        return std::to_string(flt.bypass);
    default:
        return {};
    }
}

// ---------------------------------------------------------------- protocol

int32_t CAudioInputSlot::GetInputNumber(int channel) const
{
    return m_slotNumber > 0 ? (m_slotNumber - 1) * 2 + Ch(channel) + 1 : 0;
}

bool CAudioInputSlot::TakesAsSent(uint32_t code, const std::string& device, const std::string& held)
{
    if (device == held)
        return true;
    if (code == IPC_TYPE)  // a type number ("2" for PEQ)
        return numtext::SameNumber(device, device) && GetFilterTypeName(numtext::ToInt(device)) == held;
    return numtext::SameNumber(device, held);
}

bool CAudioInputSlot::ReadsAsCardValue(uint32_t code, uint32_t filter, const std::string& device)
{
    // A type word or number the card does not know, or one this filter
    // cannot have (a high cut as the first filter), is nothing the card could
    // show or send back as the device meant it.
    if (code == IPC_TYPE) {
        std::optional<long> type;
        if (numtext::StartsWithDigit(device))
            type = ScanWholeNumber(device, IFT_LOSHELV, IFT_HISHELV);
        else if (const auto it = FilterTypes().find(device); it != FilterTypes().end())
            type = it->second;
        return type && OffersFilterType(static_cast<int>(filter), static_cast<int32_t>(*type));
    }
    // Bypass is ON or OFF: a number ("1") or another word is no state.
    if (code == IPC_BYPASS)
        return ReadFlagWord(device).has_value();
    // A source other than AUX1 and AUX2 is none.
    if (code == IPC_AUX)
        return ScanWholeNumber(device, 1, 2).has_value();
    if (code == IPC_S || code == IPC_BYPASS_ALL)
        return ScanWholeNumber(device, -1000000, 1000000).has_value();
    return ScanWholeFloat(device).has_value();
}

// The value as the device writes it: type words and "OFF"/"ON" for bypass.
std::string CAudioInputSlot::LineValueText(uint32_t code, uint32_t filter, int channel) const
{
    const int c = Ch(channel);
    if (code == IPC_TYPE && filter < 3) {
        const std::string word = GetFilterTypeName(m_filters[c][filter].type);
        if (!word.empty())
            return word;
    }
    if (code == IPC_BYPASS && filter < 3)
        return m_filters[c][filter].bypass != 0 ? "ON" : "OFF";
    return GetValueText(MakeInputKey(code, filter), c);
}

std::string CAudioInputSlot::LinePath(uint32_t code, uint32_t filter, int channel) const
{
    FillTables();
    const uint32_t c = static_cast<uint32_t>(Ch(channel));
    const uint32_t key = (code << 16) + ((code == IPC_VOL || code == IPC_AUX) ? c : (c << 8) + filter);
    const auto it = KeyToPath().find(key);
    if (it == KeyToPath().end() || m_slotNumber <= 0)
        return {};
    // "IN1/FILTER2/F" → "/AUDIO/IN<n>/FILTER2/F"
    return StrFormat("/AUDIO/IN%d/", GetInputNumber(static_cast<int>(c))) + it->second.substr(4);
}

std::string CAudioInputSlot::TransmitParameter(uint32_t code, uint32_t subKey, bool shorten, bool query)
{
    const uint32_t channel = (subKey >> 8) & 0xFF;
    const uint32_t filter = subKey & 0xFF;
    if (channel > 1)
        return {};
    std::string line = LinePath(code, filter, static_cast<int>(channel));
    if (line.empty())
        return {};
    if (query)
        line += " ?";
    else
        line += " " + LineValueText(code, filter, static_cast<int>(channel));
    SendCommand(line, m_pDocument ? m_pDocument : GetActiveDoc(), shorten);
    return line;
}

int CAudioInputSlot::GetDownloadLines(int mode, int step)
{
    const int steps = m_slotNumber > 0 ? 40 : 0;  // no input numbers without a slot number
    if (step == -1)
        return steps;
    if (step < -1)
        return 0;
    if (step >= steps)
        return steps;
    if (IsOutBufferFull())
        return step;
    const ChannelParam& p = GetChannelDownloadOrder()[step % 20];
    const uint32_t channel = step < 20 ? 0 : 1;
    TransmitParameter(p.code, (channel << 8) + p.filter, true, mode == 1);
    return step + 1;
}

void CAudioInputSlot::ParseUploadLines(std::string line, const std::string& diffFileName, int)
{
    FillTables();
    // "AUDIO/IN3/FILTER1/TYPE PEQ": the key behind "AUDIO/", then the value.
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    key.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\r' || value.back() == '\n'))
        value.pop_back();
    value.erase(0, value.find_first_not_of(' '));
    // An echoed query or a line without a value carries nothing to store.
    if (value.empty() || value == "?")
        return;

    // The input number is the digit in front of the first slash ("IN3").
    const size_t keySlash = key.find('/');
    int n = 0;
    if (keySlash != std::string::npos && keySlash >= 1 && key.compare(0, 2, "IN") == 0)
        n = numtext::ToInt(key.substr(2, keySlash - 2));
    const bool mine = m_slotNumber > 0 && (n == 2 * m_slotNumber - 1 || n == 2 * m_slotNumber);
    const auto it = mine ? PathToKey().find(StrFormat("IN%d/", n % 2 == 1 ? 1 : 2) + key.substr(keySlash + 1))
                         : PathToKey().end();
    if (it == PathToKey().end()) {
        ShowMessageId(34029, mb::IconExclamation);
        return;
    }
    const uint32_t code = it->second >> 16;
    uint32_t channel = 0, filter = 0;
    if (code == IPC_VOL || code == IPC_AUX) {
        channel = it->second & 0xFFFF;
    } else {
        channel = (it->second >> 8) & 0xFF;
        filter = it->second & 0xFF;
    }
    // The card takes the device's values over; it lists no differences. A
    // value it clamps is named in the difference file with what the card
    // holds (and the next download sends) instead. A word or a number the card
    // cannot read is no level at all: the card keeps its value and names it,
    // so "abc" never comes back as 0 dB.
    if (!ReadsAsCardValue(code, filter, value)) {
        if (!diffFileName.empty())
            AppendErrMismatch(diffFileName, "/AUDIO/" + key, value,
                              LineValueText(code, filter, static_cast<int>(channel)));
        return;
    }
    SetValueText(MakeInputKey(code, filter), static_cast<int>(channel), value);
    // The open dialog shows the value first: a difference file that cannot be
    // written must not leave it holding the old one, which it would store
    // back into the card when it closes.
    if (IAudioInputsDlg* dlg = DialogOfMyDocument())
        dlg->RefreshInput(2 * (m_slotNumber - 1) + static_cast<int>(channel));
    const std::string held = LineValueText(code, filter, static_cast<int>(channel));
    if (!diffFileName.empty() && !TakesAsSent(code, value, held))
        AppendErrMismatch(diffFileName, "/AUDIO/" + key, value, held);
}

// ---------------------------------------------------------------- lists

int CAudioInputSlot::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back(LoadStringId(32804));
    } else {
        std::string type = LoadStringId(m_kindId);
        for (const char* phrase : {"Eingangsslot mit ", " bestücken", "Put ", " into this input slot"})
            RemoveAll(type, phrase);
        texts.push_back(m_name);
        texts.push_back(std::to_string(m_number));
        texts.push_back(type);
    }
    return static_cast<int>(texts.size());
}

int CAudioInputSlot::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    columns.push_back({50, 0});
    return 1;
}
