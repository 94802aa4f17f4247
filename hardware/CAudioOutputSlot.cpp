#include "hardware/CAudioOutputSlot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "hardware/CAmplifier.h"
#include "hardware/DialogHook.h"
#include "hardware/IAudioOutputsDlg.h"
#include "hardware/NumberText.h"
#include "model/ComparingStore.h"
#include "model/DiffFile.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioOutputSlot, 1)

QL_STRING_TABLE({
    {34140, "Audio Ausgänge"},
});

// The delay unit of the outputs dialog belongs to no card: each document
// keeps one, carried by every card's file record. The cards of a document
// share one entry, which goes with the document's last card.
struct CAudioOutputSlot::SharedValues {
    int32_t delayUnit = 0;
    int users = 0;
};

namespace {

DialogHook<IAudioOutputsDlg, AudioOutputsDlgOpener> g_outputsHook;

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

const CAudioOutputSlot::AmpCommand kAmpCommands[] = {
    {33099, 1, 150}, {33007, 1, 150}, {33071, 1, 150}, {33160, 1, 150}, {33161, 1, 150},
    {33035, 2, 456}, {33072, 2, 456}, {33073, 2, 456},
    {33079, 4, 193}, {33074, 4, 193},
    {33080, 3, 193}, {33081, 3, 193}, {33082, 3, 193}, {33075, 3, 193}, {33076, 3, 193}, {33077, 3, 193},
    {33083, 2, 193}, {33078, 2, 193},
};

constexpr uint32_t kMsgChooseOutput = 34465;  // "Wählen Sie bitte zunächst einen Ausgang !"
constexpr uint32_t kMsgLoad = 32790;          // "Achtung!\nOUT%d wird mit %d Verstärkereingängen belastet"
constexpr uint32_t kMsgUnknownKey = 34029;    // "Parser-Fehler !..."
constexpr uint32_t kMsgNoMemory = 34026;      // "Zu wenig Speicher !"

int Ch(int channel) { return channel == 0 ? 0 : 1; }

std::string StripLeadingBlanks(std::string s)
{
    const size_t p = s.find_first_not_of(' ');
    return p == std::string::npos ? std::string() : s.substr(p);
}

void RemoveAll(std::string& text, const std::string& phrase)
{
    for (size_t p = text.find(phrase); p != std::string::npos; p = text.find(phrase, p))
        text.erase(p, phrase.size());
}

// The system-wide number 2n - 1 + output of a card's output; numbers from a
// damaged file must not overflow.
int32_t OutputOfCard(int32_t cardNumber, int32_t output)
{
    const int64_t v = 2 * static_cast<int64_t>(cardNumber) - 1 + output;
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The slot digit of a card path ("SLOT3" gives 3); 0 when it has none.
int SlotDigit(const std::string& path)
{
    if (path.size() < 5 || path.compare(0, 4, "SLOT") != 0)
        return 0;
    const char c = path.back();
    return c == '3' || c == '4' ? c - '0' : 0;
}

}  // namespace

IAudioOutputsDlg* GetAudioOutputsDlg() { return g_outputsHook.dlg; }

IAudioOutputsDlg* SetAudioOutputsDlg(IAudioOutputsDlg* dlg) { return g_outputsHook.Set(dlg); }

AudioOutputsDlgOpener SetAudioOutputsDlgOpener(AudioOutputsDlgOpener opener) { return g_outputsHook.SetOpener(opener); }

void SetAudioOutputsDlgDocument(CQuillomerDoc* doc) { g_outputsHook.doc = doc; }
CQuillomerDoc* GetAudioOutputsDlgDocument() { return g_outputsHook.Document(); }

// ---------------------------------------------------------------- construction

CAudioOutputSlot::CAudioOutputSlot()
{
    m_type = OT_AUDIO_OUTPUT_SLOT;
    m_contextMenuId = 226;
    m_fixed = 1;
}

CAudioOutputSlot::~CAudioOutputSlot()
{
    LeaveShared();
    // The document the open dialog shows is being taken apart: the dialog
    // must not touch its cards any more.
    if (m_pDocument && g_outputsHook.dlg && g_outputsHook.doc == m_pDocument) {
        g_outputsHook.doc = nullptr;
        g_outputsHook.dlg->Refresh(-1);
    }
}

CQuillomerDoc* CAudioOutputSlot::OwnDocument() const
{
    return m_pDocument ? m_pDocument : GetActiveDoc();
}

std::map<const CQuillomerDoc*, CAudioOutputSlot::SharedValues>& CAudioOutputSlot::SharedStore()
{
    static std::map<const CQuillomerDoc*, SharedValues> store;
    return store;
}

CAudioOutputSlot::SharedValues& CAudioOutputSlot::Shared() const
{
    const CQuillomerDoc* doc = OwnDocument();
    if (!m_sharedJoined || m_sharedDoc != doc) {
        const_cast<CAudioOutputSlot*>(this)->LeaveShared();
        m_sharedDoc = doc;
        m_sharedJoined = true;
        ++SharedStore()[m_sharedDoc].users;
    }
    return SharedStore()[m_sharedDoc];
}

void CAudioOutputSlot::LeaveShared()
{
    if (!m_sharedJoined)
        return;
    m_sharedJoined = false;
    const auto it = SharedStore().find(m_sharedDoc);
    if (it != SharedStore().end() && --it->second.users <= 0)
        SharedStore().erase(it);
}

int32_t CAudioOutputSlot::GetDelayUnit(const CQuillomerDoc* doc)
{
    if (doc == nullptr)
        doc = GetActiveDoc();
    const auto it = SharedStore().find(doc);
    return it == SharedStore().end() ? SharedValues().delayUnit : it->second.delayUnit;
}

double CAudioOutputSlot::MaxDelaySeconds(const CQuillomerDoc* doc)
{
    return doc && doc->m_data.deviceVariant == 0 ? 0.34 : 0.33;
}

IAudioOutputsDlg* CAudioOutputSlot::DialogOfMyDocument() const
{
    IAudioOutputsDlg* dlg = GetAudioOutputsDlg();
    if (dlg == nullptr)
        return nullptr;
    // A dialog bound to no document holds no cards: telling it is harmless.
    const CQuillomerDoc* shown = GetAudioOutputsDlgDocument();
    return shown == nullptr || shown == OwnDocument() ? dlg : nullptr;
}

const CAudioOutputSlot::AmpCommand* CAudioOutputSlot::FindAmpCommand(uint32_t command)
{
    for (const AmpCommand& entry : kAmpCommands)
        if (entry.command == command)
            return &entry;
    return nullptr;
}

const std::map<std::string, uint32_t>& CAudioOutputSlot::GetPathToKeyTable() { return PathToKey(); }
const std::map<uint32_t, std::string>& CAudioOutputSlot::GetKeyToPathTable() { return KeyToPath(); }

void CAudioOutputSlot::FillTables()
{
    static const std::pair<const char*, uint32_t> kEntries[] = {
        {"OUT1/VOL", 0}, {"OUT2/VOL", 1}, {"OUT1/DELAY", 65536}, {"OUT2/DELAY", 65537}};
    if (PathToKey().empty())
        for (const auto& [path, key] : kEntries)
            PathToKey()[path] = key;
    if (KeyToPath().empty())
        for (const auto& [path, key] : kEntries)
            KeyToPath()[key] = path;
}

int CAudioOutputSlot::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left,
                             int32_t top, int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId,
                             uint32_t style, CQuillomerDoc* doc)
{
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left, top, right, bottom, category, bitmapId, style,
                             doc))
        return 0;
    if (kindId == outputcard::Slot3) {
        m_showConnectorNames = 1;
        m_volume[0] = m_volume[1] = 0.0;
    } else if (kindId == outputcard::Slot4) {
        m_showConnectorNames = 0;
        m_volume[0] = m_volume[1] = -80.0;
    }
    m_delay[0] = m_delay[1] = 0.0;
    return 1;
}

// ---------------------------------------------------------------- file

void CAudioOutputSlot::Serialize(CArchive& ar)
{
    if (ar.IsStoring() && !IsComparingStore()) {
        if (IAudioOutputsDlg* dlg = DialogOfMyDocument())
            dlg->StoreAll();
    }
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_volume[0] << m_volume[1] << m_delay[0] << m_delay[1] << Shared().delayUnit;
    } else {
        int32_t unit = 0;
        ar >> m_volume[0] >> m_volume[1] >> m_delay[0] >> m_delay[1] >> unit;
        // The last card loaded decides the document's unit.
        Shared().delayUnit = unit;
    }
}

int CAudioOutputSlot::PostLoad()
{
    for (int c = 0; c < 2; ++c) {
        const std::string item = StrFormat("/AUDIO/OUT%d/", GetOutputNumber(c));
        ClampLoaded(m_volume[c], kMinVolume, kMaxVolume, 0.0, item + "VOL", true, 1);
        // The delay as it is sent, in milliseconds: one the line does not
        // tell from the longest delay is kept as the file has it.
        const double file = m_delay[c];
        const std::string fileText = GetValueText(OPC_DELAY, c);
        m_delay[c] = std::isfinite(file) ? std::clamp(file, 0.0, MaxDelaySeconds(OwnDocument())) : 0.0;
        if (!std::isfinite(file) || GetValueText(OPC_DELAY, c) != fileText)
            NoteHeldOnLoad(item + "DELAY", fileText, GetValueText(OPC_DELAY, c), true);
        else
            m_delay[c] = file;
    }
    return 1;
}

// The card's bounding rectangle keeps a margin of 5 around its symbol
// whenever it is worked out again, as it has after loading, so that a
// project saved after a redraw of the card reads back the same bytes.
void CAudioOutputSlot::CalcBoundingRect()
{
    CBaseDevice::CalcBoundingRect();
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
}

int CAudioOutputSlot::InitObject()
{
    // The card has outputs only.
    m_inputCount = 0;
    if (!CBaseDevice::InitObject())
        return 0;
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
    for (size_t i = 0; i < m_outputNames.size(); ++i)
        m_outputNames[i] = StrFormat("OUT%d", OutputOfCard(m_number, static_cast<int32_t>(i)));
    if (m_kindId == outputcard::Slot3)
        m_path = "SLOT3";
    else if (m_kindId == outputcard::Slot4)
        m_path = "SLOT4";
    FillTables();
    return 1;
}

// ---------------------------------------------------------------- values

std::string CAudioOutputSlot::GetValueText(uint32_t code, int channel) const
{
    const int c = Ch(channel);
    switch (code) {
    case OPC_VOL:
        return StripLeadingBlanks(numtext::Fixed(m_volume[c], 1));
    case OPC_DELAY:
        return StripLeadingBlanks(numtext::Fixed(m_delay[c] * 1000.0, 3));
    case OPC_UNIT:
        return std::to_string(Shared().delayUnit);
    default:
        return {};
    }
}

int CAudioOutputSlot::SetValue(uint32_t code, int channel, const std::string& text)
{
    const ChangeGuard guard(*this);
    const int c = Ch(channel);
    switch (code) {
    case OPC_VOL:
        m_volume[c] = std::clamp(numtext::ToDouble(text), kMinVolume, kMaxVolume);
        return 1;
    case OPC_DELAY:
        // A device's delay beyond what the output can hold is held at the
        // end of the range, as the dialog shows it and the next download
        // sends it; the upload names the difference.
        m_delay[c] = std::clamp(numtext::ToDouble(text) * 0.001, 0.0, MaxDelaySeconds(OwnDocument()));
        return 1;
    case OPC_UNIT:
        Shared().delayUnit = numtext::ToInt(text);
        return 1;
    default:
        return 0;
    }
}

int32_t CAudioOutputSlot::GetOutputNumber(int32_t output) const
{
    const int s = SlotDigit(m_path);
    return s == 0 ? 0 : (output == 0 ? 1 : 2) + 2 * s - 6;
}

int32_t CAudioOutputSlot::GetDialogOutput(int channel) const
{
    if (m_kindId == outputcard::Slot3)
        return Ch(channel);
    if (m_kindId == outputcard::Slot4)
        return Ch(channel) + 2;
    return -1;
}

// ---------------------------------------------------------------- amplifiers

void CAudioOutputSlot::CheckOutputLoad(int32_t output)
{
    if (output != 0 && output != 1)
        return;
    int count = 0;
    for (const LinkRecord* rec : m_inLinks)
        if (rec->ownKey == output)
            ++count;
    if (count >= outputcard::kLoadWarning)
        ShowMessage(StrFormat(LoadStringId(kMsgLoad).c_str(), OutputOfCard(m_number, output), count),
                    mb::IconInformation);
}

bool CAudioOutputSlot::HasLinkedAmplifiers() const
{
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner())
            return true;
    return false;
}

CAmplifier* CAudioOutputSlot::AddAmplifier(uint32_t command)
{
    const AmpCommand* model = FindAmpCommand(command);
    if (model == nullptr || !IsFitted())
        return nullptr;
    const int32_t output = m_hoverOutput;
    if (output < 0 || output >= m_outputCount || static_cast<size_t>(output) >= m_outputPoints.size()) {
        ShowMessageId(kMsgChooseOutput, mb::IconInformation);
        return nullptr;
    }
    CQuillomerDoc* doc = OwnDocument();
    if (doc == nullptr)
        return nullptr;

    auto made = std::make_unique<CAmplifier>();
    const CPoint at = m_outputPoints[static_cast<size_t>(output)];
    if (!made->Create(model->command, model->channels, model->channels, nullptr, at.x, at.y, at.x, at.y,
                      CAT_AMPLIFIER, model->bitmapId, 0, doc))
        return nullptr;  // the directory refused a number and said so
    CAmplifier* amp = made.release();

    // The output that feeds the amplifier, 1..4, also sets the lane of its
    // first input's line so that lines of different outputs run apart.
    amp->m_lanes[0] = OutputOfCard(m_number, output);

    AddInLink(this, output, amp, 0, CAT_AMPLIFIER);
    amp->AddOutLink(amp, 0, this, output, m_category);

    doc->AddObject(amp, CAT_AMPLIFIER);
    amp->AvoidOverlap();
    amp->Redraw();
    // The new amplifier input counts: the twentieth on an output warns.
    CheckOutputLoad(output);
    return amp;
}

// ---------------------------------------------------------------- commands

void CAudioOutputSlot::SetFitted(bool fitted)
{
    m_showConnectorNames = fitted ? 1 : 0;
    m_volume[0] = m_volume[1] = fitted ? 0.0 : -80.0;
    if (IAudioOutputsDlg* dlg = DialogOfMyDocument())
        dlg->Refresh(-1);
    if (!fitted) {
        m_hoverInput = -1;
        m_hoverOutput = -1;
    }
    // The card type is part of the design.
    SetDocModified();
    Redraw();
}

int CAudioOutputSlot::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case outputcard::NotFitted:
        // An empty slot cannot keep amplifiers (the menu entry is disabled then).
        if (IsFitted() && HasLinkedAmplifiers())
            return 0;
        SetFitted(false);
        return 1;
    case outputcard::LineModule:
        SetFitted(true);
        return 1;
    case objcmd::Properties:
        OnOpen(0, 0, 0);
        return 1;
    default:
        if (FindAmpCommand(commandId)) {
            // An empty slot feeds no amplifier (the menu entries are disabled then).
            if (IsFitted())
                AddAmplifier(commandId);
            return 1;
        }
        // The slot belongs to the central device: it is never deleted.
        return 0;
    }
}

void CAudioOutputSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case outputcard::NotFitted:
        if (!IsFitted()) {
            cmdUI.SetCheck(1);
            cmdUI.Enable(true);
        } else {
            cmdUI.SetCheck(0);
            cmdUI.Enable(!HasLinkedAmplifiers());
        }
        break;
    case outputcard::LineModule:
        cmdUI.SetCheck(IsFitted() ? 1 : 0);
        cmdUI.Enable(true);
        break;
    case objcmd::Properties:
        cmdUI.Enable(IsFitted());
        break;
    default:
        cmdUI.Enable(FindAmpCommand(cmdUI.m_nID) != nullptr && IsFitted());
        break;
    }
}

void CAudioOutputSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    CQuillomerDoc* doc = OwnDocument();
    if (g_outputsHook.opener == nullptr || doc == nullptr)
        return;
    if (!g_outputsHook.opener(doc))
        ShowMessageId(kMsgNoMemory, mb::IconExclamation);
}

// ---------------------------------------------------------------- protocol

std::string CAudioOutputSlot::BuildLine(uint32_t code, int channel, bool shorten, bool query)
{
    FillTables();
    const auto it = KeyToPath().find(code * 65536u + static_cast<uint32_t>(Ch(channel)));
    const int s = SlotDigit(m_path);
    if (it == KeyToPath().end() || s == 0)
        return {};
    // "OUT2/DELAY": channel digit 2 of the card; slot 4 carries OUT3 and OUT4.
    const std::string& key = it->second;
    const int k = key[3] - '0';
    std::string line = StrFormat("/AUDIO/OUT%d/", k + 2 * s - 6) + key.substr(5);
    if (query)
        line += " ?";
    else
        line += " " + GetValueText(code, channel);
    SendCommand(line, OwnDocument(), shorten);
    return line;
}

int CAudioOutputSlot::GetDownloadLines(int mode, int step)
{
    constexpr int kSteps = 2;  // the volumes, then the delays
    if (step == -1)
        return kSteps;
    if (step < -1)
        return 0;
    if (step >= kSteps)
        return kSteps;
    if (IsOutBufferFull())
        return step;
    const auto code = static_cast<uint32_t>(step);
    BuildLine(code, 0, true, mode != 0);
    BuildLine(code, 1, true, mode != 0);
    return step + 1;
}

void CAudioOutputSlot::ParseUploadLines(std::string line, const std::string& diffFileName, int)
{
    FillTables();
    // "AUDIO/OUT3/VOL -12.5": the key behind "AUDIO/", then the value.
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    key.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\r' || value.back() == '\n'))
        value.pop_back();
    // An echoed query or a line without a value carries nothing to store.
    if (value.empty() || value == "?")
        return;

    // The output number is the number in front of the first slash ("OUT3");
    // only this card's two outputs are taken.
    const size_t keySlash = key.find('/');
    int n = 0;
    if (keySlash != std::string::npos && keySlash > 3 && key.compare(0, 3, "OUT") == 0 &&
        numtext::StartsWithDigit(key.substr(3, 1)))
        n = numtext::ToInt(key.substr(3, keySlash - 3));
    const bool mine = n > 0 && (n == GetOutputNumber(0) || n == GetOutputNumber(1));
    const auto it = mine ? PathToKey().find(StrFormat("OUT%d/", n % 2 == 1 ? 1 : 2) + key.substr(keySlash + 1))
                         : PathToKey().end();
    if (it == PathToKey().end()) {
        ShowMessageId(kMsgUnknownKey, mb::IconExclamation);
        return;
    }
    const uint32_t code = it->second >> 16;
    const int channel = static_cast<int>(it->second & 0xFFFF);
    // The card takes the device's values over; it lists no differences. A
    // volume it clamps is named in the difference file with what the card
    // holds (and the next download sends). Text that is no number leaves the
    // card's value as it is, named the same way.
    const bool whole = code == OPC_UNIT;
    if (whole ? !ScanWholeNumber(value, -1000000, 1000000) : !ScanWholeFloat(value)) {
        if (!diffFileName.empty())
            AppendErrMismatch(diffFileName, "/AUDIO/" + key, value, GetValueText(code, channel));
        return;
    }
    SetValue(code, channel, value);
    // The open dialog shows the value before the difference file is written
    // (see the input card).
    if (IAudioOutputsDlg* dlg = DialogOfMyDocument())
        dlg->Refresh(GetDialogOutput(channel));
    const std::string held = GetValueText(code, channel);
    if (!diffFileName.empty() && !numtext::SameNumber(value, held))
        AppendErrMismatch(diffFileName, "/AUDIO/" + key, value, held);
}

// ---------------------------------------------------------------- lists

int CAudioOutputSlot::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back(LoadStringId(32804));
    } else {
        std::string type = LoadStringId(IsFitted() ? 33018 : 33177);
        for (const char* phrase : {"Ausgangsslot mit ", " bestücken", "Put ", " into this output slot"})
            RemoveAll(type, phrase);
        texts.push_back(m_name);
        texts.push_back(std::to_string(m_number));
        texts.push_back(type);
    }
    return static_cast<int>(texts.size());
}

int CAudioOutputSlot::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    columns.push_back({50, 0});
    return 1;
}
