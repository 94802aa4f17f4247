#include "hardware/CAudioOutputSlot.h"

#include <algorithm>

#include "hardware/IAudioOutputsDlg.h"
#include "hardware/NumberText.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioOutputSlot, 1)

namespace {

// The delay unit of the outputs dialog belongs to no card; every card's record carries it.
int32_t g_delayUnit = 0;

IAudioOutputsDlg* g_outputsDlg = nullptr;

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

}  // namespace

IAudioOutputsDlg* GetAudioOutputsDlg() { return g_outputsDlg; }

IAudioOutputsDlg* SetAudioOutputsDlg(IAudioOutputsDlg* dlg)
{
    IAudioOutputsDlg* old = g_outputsDlg;
    g_outputsDlg = dlg;
    return old;
}

CAudioOutputSlot::CAudioOutputSlot()
{
    m_type = OT_AUDIO_OUTPUT_SLOT;
    m_contextMenuId = 226;
    m_fixed = 1;
}

const CAudioOutputSlot::AmpCommand* CAudioOutputSlot::FindAmpCommand(uint32_t command)
{
    for (const AmpCommand& entry : kAmpCommands)
        if (entry.command == command)
            return &entry;
    return nullptr;
}

int32_t CAudioOutputSlot::GetDelayUnit() { return g_delayUnit; }

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

void CAudioOutputSlot::Serialize(CArchive& ar)
{
    if (ar.IsStoring() && g_outputsDlg)
        g_outputsDlg->StoreAll();
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_volume[0] << m_volume[1] << m_delay[0] << m_delay[1] << g_delayUnit;
    } else {
        ar >> m_volume[0] >> m_volume[1] >> m_delay[0] >> m_delay[1] >> g_delayUnit;
    }
}

int CAudioOutputSlot::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
    const int32_t n = m_number;
    for (size_t i = 0; i < m_outputNames.size(); ++i)
        m_outputNames[i] = StrFormat("OUT%d", 2 * n - 1 + static_cast<int32_t>(i));
    if (m_kindId == outputcard::Slot3)
        m_path = "SLOT3";
    else if (m_kindId == outputcard::Slot4)
        m_path = "SLOT4";
    FillTables();
    return 1;
}

std::string CAudioOutputSlot::GetValueText(uint32_t code, int channel) const
{
    const int c = Ch(channel);
    switch (code) {
    case OPC_VOL:
        return StripLeadingBlanks(numtext::Fixed(m_volume[c], 1));
    case OPC_DELAY:
        return StripLeadingBlanks(numtext::Fixed(m_delay[c] * 1000.0, 3));
    case OPC_UNIT:
        return std::to_string(g_delayUnit);
    default:
        return {};
    }
}

int CAudioOutputSlot::SetValue(uint32_t code, int channel, const std::string& text)
{
    const int c = Ch(channel);
    switch (code) {
    case OPC_VOL:
        m_volume[c] = std::clamp(numtext::ToDouble(text), -80.0, 6.0);
        return 1;
    case OPC_DELAY:
        m_delay[c] = numtext::ToDouble(text) * 0.001;
        return 1;
    case OPC_UNIT:
        g_delayUnit = numtext::ToInt(text);
        return 1;
    default:
        return 0;
    }
}

void CAudioOutputSlot::CheckOutputLoad(int32_t output)
{
    if (output != 0 && output != 1)
        return;
    int count = 0;
    for (const LinkRecord* rec : m_inLinks)
        if (rec->ownKey == output)
            ++count;
    if (count >= 20)
        ShowMessage(StrFormat(LoadStringId(32790).c_str(), 2 * m_number - 1 + output, count), mb::IconInformation);
}

bool CAudioOutputSlot::HasLinkedAmplifiers() const
{
    for (const LinkRecord* rec : m_inLinks)
        if (rec->HasPartner())
            return true;
    return false;
}

void CAudioOutputSlot::SetFitted(bool fitted)
{
    m_showConnectorNames = fitted ? 1 : 0;
    m_volume[0] = m_volume[1] = fitted ? 0.0 : -80.0;
    if (g_outputsDlg)
        g_outputsDlg->Refresh(-1);
    if (!fitted) {
        m_hoverInput = -1;
        m_hoverOutput = -1;
    }
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
    default:
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
