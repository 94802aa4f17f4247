#include "hardware/CDigitalSlot.h"

#include <algorithm>
#include <optional>

#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CDigitalSlot, 2)

CDigitalSlot::CDigitalSlot()
{
    m_type = OT_DIGITAL_SLOT;
    m_contextMenuId = 228;
    m_fixed = 1;
}

void CDigitalSlot::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsLoading())
        m_readFromFile = true;
}

// The card's bounding rectangle keeps a margin of 5 around its symbol
// whenever it is worked out again, as it has after loading, so that a
// project saved after a redraw of the card reads back the same bytes.
void CDigitalSlot::CalcBoundingRect()
{
    CBaseDevice::CalcBoundingRect();
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
}

int CDigitalSlot::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
    for (size_t i = 0; i < m_inputNames.size(); ++i)
        m_inputNames[i] = StrFormat("IN%d", static_cast<int>(i) + 1);
    for (size_t i = 0; i < m_outputNames.size(); ++i)
        m_outputNames[i] = StrFormat("OUT%d", static_cast<int>(i) + 1);
    // Output 1 drives the slave clocks.
    if (!m_outputNames.empty())
        m_outputNames[0] = LoadStringId(34361);
    return 1;
}

int CDigitalSlot::PostLoad()
{
    // Cards of older files stood 20 units higher.
    if (m_readFromFile && m_loadedSchema < 2)
        MoveBy(0, 20, false);
    return 1;
}

namespace {
CDigitalSlot::DialogFn& DialogHook()
{
    static CDigitalSlot::DialogFn fn = nullptr;
    return fn;
}
}  // namespace

CDigitalSlot::DialogFn CDigitalSlot::SetDialogHook(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

bool CDigitalSlot::OpenDialog()
{
    if (!IsFitted() || !DialogHook() || !DialogHook()(this))
        return false;
    Redraw();
    return true;
}

void CDigitalSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    OpenDialog();
}

CBaseDevice* CDigitalSlot::AttachPad(bool output)
{
    const bool hovered = output
        ? m_hoverOutput >= 0 && m_hoverOutput < static_cast<int32_t>(m_outputPoints.size())
        : m_hoverInput >= 0 && m_hoverInput < static_cast<int32_t>(m_inputPoints.size());
    if (!hovered) {
        ShowMessageId(34465, mb::IconInformation);
        return nullptr;
    }
    auto* pad = new CControlPad;
    uint32_t kind = 0;
    std::string name;
    CPoint at;
    if (output) {
        const int32_t i = m_hoverOutput;
        kind = i == 0 ? padkind::SlaveClocks : padkind::SlotOut;
        name = i == 0 ? LoadStringId(34091) : StrFormat("Output%d", i + 1);
        at = m_outputPoints[i];
        at.x += 20;
    } else {
        const int32_t i = m_hoverInput;
        kind = padkind::SlotIn;
        name = StrFormat("Input%d", i + 1);
        at = m_inputPoints[i];
    }
    if (!pad->Create(kind, 1, 1, name, at.x, at.y, at.x, at.y, CAT_DIGITAL_IO, 0, 9, m_pDocument)) {
        delete pad;
        return nullptr;
    }
    if (output)
        pad->LinkTo(0, this, m_hoverOutput);
    else
        LinkTo(m_hoverInput, pad, 0);
    if (m_pDocument)
        m_pDocument->AddObject(pad, CAT_DIGITAL_IO);
    pad->Redraw();
    return pad;
}

std::string CDigitalSlot::PadName(bool output, int32_t index) const
{
    const LinkRecord* r = output ? GetInLinkAtKey(index) : GetOutLinkAtKey(index);
    return r && r->HasPartner() ? r->partner->GetName() : std::string();
}

void CDigitalSlot::ApplyPadNames(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs)
{
    const ChangeGuard guard(*this);
    for (int side = 0; side < 2; ++side) {
        const bool output = side == 1;
        const std::vector<std::string>& names = output ? outputs : inputs;
        for (size_t i = 0; i < names.size(); ++i) {
            const auto key = static_cast<int32_t>(i);
            const LinkRecord* r = output ? GetInLinkAtKey(key) : GetOutLinkAtKey(key);
            CBaseDevice* pad = r && r->HasPartner() ? r->partner : nullptr;
            std::string name = names[i];
            if (!pad) {
                if (name.empty())
                    continue;
                SetHoverConnectors(output ? -1 : key, output ? key : -1);
                pad = AttachPad(output);
                SetHoverConnectors(-1, -1);
            } else if (name.empty()) {
                pad->OnCommand(objcmd::Delete);
                continue;
            }
            if (pad && pad->GetName() != name)
                pad->SetNameUnique(name, true);
            if (pad)
                pad->Redraw();
        }
    }
}

int CDigitalSlot::OnCommand(uint32_t commandId)
{
    // Fitting or removing the card is a change of the project.
    std::optional<ChangeGuard> guard;
    if (commandId == digitalslot::CmdNotFitted || commandId == digitalslot::CmdFitted)
        guard.emplace(*this);
    switch (commandId) {
    case digitalslot::CmdNotFitted:
        // Attached pads keep the card (the menu entry is disabled then).
        if (IsFitted() && !(m_outLinks.empty() && m_inLinks.empty()))
            return 0;
        m_showConnectorNames = 0;
        m_hoverInput = -1;
        m_hoverOutput = -1;
        Redraw();
        return 1;
    case digitalslot::CmdFitted:
        m_showConnectorNames = 1;
        Redraw();
        return 1;
    case objcmd::Properties:
        OpenDialog();
        return 1;
    case digitalslot::CmdInput:
    case digitalslot::CmdOutput:
        AttachPad(commandId == digitalslot::CmdOutput);
        return 1;
    default:
        // The slot belongs to the central device: it is never deleted.
        return 0;
    }
}

void CDigitalSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case objcmd::Properties:
        cmdUI.Enable(IsFitted());
        break;
    case digitalslot::CmdNotFitted:
        if (!IsFitted()) {
            cmdUI.SetCheck(1);
            cmdUI.Enable(true);
        } else {
            cmdUI.SetCheck(0);
            cmdUI.Enable(m_outLinks.empty() && m_inLinks.empty());
        }
        break;
    case digitalslot::CmdFitted:
        cmdUI.SetCheck(IsFitted() ? 1 : 0);
        cmdUI.Enable(true);
        break;
    case digitalslot::CmdInput:
        cmdUI.Enable(IsFitted() && GetOutLinkAtKey(m_hoverInput) == nullptr);
        break;
    case digitalslot::CmdOutput:
        cmdUI.Enable(IsFitted() && GetInLinkAtKey(m_hoverOutput) == nullptr);
        break;
    default:
        cmdUI.Enable(false);
        break;
    }
}

int CDigitalSlot::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back(LoadStringId(32804));
    } else {
        texts.push_back(m_name);
        texts.push_back(std::to_string(m_number));
        texts.push_back("Slot5");
    }
    return static_cast<int>(texts.size());
}

int CDigitalSlot::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    columns.push_back({30, 0});
    return 1;
}
