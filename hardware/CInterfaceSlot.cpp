#include "hardware/CInterfaceSlot.h"

#include "hardware/CAudioInputDevice.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CInterfaceSlot, 2)

CInterfaceSlot::CInterfaceSlot()
{
    m_type = OT_INTERFACE_SLOT;
    m_contextMenuId = 230;
    m_fixed = 1;
}

void CInterfaceSlot::SetInputNames(int32_t count)
{
    static const char* const kNames[5] = {"RS232", "DCF 77", "INP1", "INP2", "POWER 24V"};
    const size_t n = count > 4 ? 5 : 4;
    for (size_t i = 0; i < n && i < m_inputNames.size(); ++i)
        m_inputNames[i] = kNames[i];
}

void CInterfaceSlot::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsLoading())
        m_readFromFile = true;
}

// The card's bounding rectangle keeps a margin of 5 around its symbol
// whenever it is worked out again, as it has after loading, so that a
// project saved after a redraw of the card reads back the same bytes.
void CInterfaceSlot::CalcBoundingRect()
{
    CBaseDevice::CalcBoundingRect();
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
}

int CInterfaceSlot::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    m_boundingRect.UnionWith(CRect(m_rect.left - 5, m_rect.top - 5, m_rect.right + 5, m_rect.bottom + 5));
    SetInputNames(m_inputCount);
    static const char* const kOutputs[3] = {"READY", "MONITOR", "REMOTE"};
    for (size_t i = 0; i < 3 && i < m_outputNames.size(); ++i)
        m_outputNames[i] = kOutputs[i];
    return 1;
}

int CInterfaceSlot::PostLoad()
{
    // Older cards had four inputs: the power input comes below them.
    if (m_readFromFile && m_loadedSchema < 2) {
        m_inputCount = 5;
        m_inputPoints.assign(5, CPoint());
        m_inputRoutes.assign(5, ConnectorRoute());
        m_inputNames.assign(5, std::string());
        m_rect.bottom += 20;
        LayoutConnectionPoints();
        SetInputNames(m_inputCount);
    }
    return 1;
}

CBaseDevice* CInterfaceSlot::AttachPad()
{
    uint32_t command = 0;
    uint32_t kind = 0;
    CPoint at;
    bool output = false;
    int32_t key = -1;
    if (m_hoverOutput == 0 && !m_outputPoints.empty()) {
        output = true;
        key = 0;
        command = interfaceslot::CmdReady;
        kind = padkind::Ready;
        at = m_outputPoints[0];
        at.x += 20;
    } else if (m_hoverInput == 1 && m_inputPoints.size() > 1) {
        key = 1;
        command = interfaceslot::CmdDcf77;
        kind = padkind::DcfReceiver;
        at = m_inputPoints[1];
    } else if ((m_hoverInput == 2 || m_hoverInput == 3) && static_cast<int32_t>(m_inputPoints.size()) > m_hoverInput) {
        key = m_hoverInput;
        command = key == 2 ? interfaceslot::CmdInp1 : interfaceslot::CmdInp2;
        kind = padkind::InterfaceIn;
        at = m_inputPoints[key];
    } else {
        return nullptr;
    }
    auto* pad = new CControlPad;
    if (!pad->Create(kind, 1, 1, LoadStringId(command), at.x, at.y, at.x, at.y, CAT_DIGITAL_IO, 0, 9,
                     m_pDocument)) {
        delete pad;
        return nullptr;
    }
    if (output)
        pad->LinkTo(0, this, key);
    else
        LinkTo(key, pad, 0);
    if (m_pDocument)
        m_pDocument->AddObject(pad, CAT_DIGITAL_IO);
    pad->Redraw();
    return pad;
}

namespace {
constexpr int32_t kPowerInput = 4;  // "POWER 24V"
constexpr uint32_t kPowerPackName = 34291;  // "Netzteil"
}  // namespace

CBaseDevice* CInterfaceSlot::AttachDevice(uint32_t command)
{
    if (!m_pDocument)
        return nullptr;
    uint32_t kind = 0;
    int32_t inputs = 1;
    std::string name;
    uint32_t bitmap = 0;
    uint32_t style = 0;
    CPoint at;
    bool output = false;
    int32_t key = -1;
    switch (command) {
    case interfaceslot::CmdPc:
        key = m_hoverInput;
        if (key < 0 || key >= static_cast<int32_t>(m_inputPoints.size()))
            return nullptr;
        kind = 0;  // the PC has no kind of its own
        name = LoadStringId(interfaceslot::CmdPc);
        bitmap = 233;
        style = 1;
        at = m_inputPoints[key];
        at.x -= 250;
        break;
    case interfaceslot::CmdMonitor:
        key = m_hoverOutput;
        if (key < 0 || key >= static_cast<int32_t>(m_outputPoints.size()))
            return nullptr;
        output = true;
        kind = audiodevice::KindMonitor;
        name = LoadStringId(interfaceslot::CmdMonitor);
        bitmap = 212;
        style = 3;
        at = m_outputPoints[key];
        at.x += 20;
        break;
    case interfaceslot::CmdFJX3392:
    case interfaceslot::CmdFJX3397:
        key = kPowerInput;
        if (key >= static_cast<int32_t>(m_inputPoints.size()))
            return nullptr;
        kind = command;
        inputs = 10;
        name = LoadStringId(kPowerPackName);
        bitmap = 458;
        style = 16;
        at = m_inputPoints[key];
        at.x -= 320;
        break;
    default:
        return nullptr;
    }
    auto* device = new CAudioInputDevice;
    if (!device->Create(kind, inputs, inputs, name, at.x, at.y, at.x, at.y, CAT_AUDIO_DEVICE, bitmap, style,
                        m_pDocument)) {
        delete device;
        return nullptr;
    }
    if (output)
        device->LinkTo(0, this, key);
    else
        LinkTo(key, device, 0);
    m_pDocument->AddObject(device, CAT_AUDIO_DEVICE);
    device->Redraw();
    return device;
}

bool CInterfaceSlot::DetachDevice(bool atOutput)
{
    const LinkRecord* r = atOutput ? GetInLinkAtKey(m_hoverOutput) : GetOutLinkAtKey(m_hoverInput);
    if (!r || !r->HasPartner())
        return false;
    // The plain delete: unlinked on both sides, taken out of its list, deleted.
    CBaseDevice* attached = r->partner;
    attached->CBaseDevice::OnCommand(objcmd::Delete);
    return true;
}

std::string CInterfaceSlot::AttachedName(bool output, int32_t index) const
{
    const LinkRecord* r = output ? GetInLinkAtKey(index) : GetOutLinkAtKey(index);
    return r && r->HasPartner() ? r->partner->GetName() : std::string();
}

uint32_t CInterfaceSlot::ApplyDialog(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs,
                                     int powerPack)
{
    const ChangeGuard guard(*this);
    static const uint32_t kInputCommands[4] = {interfaceslot::CmdPc, interfaceslot::CmdDcf77, interfaceslot::CmdInp1,
                                               interfaceslot::CmdInp2};
    static const uint32_t kOutputCommands[2] = {interfaceslot::CmdReady, interfaceslot::CmdMonitor};
    for (int side = 0; side < 2; ++side) {
        const bool output = side == 1;
        const size_t count = output ? 2 : 4;  // nothing is attached at REMOTE
        for (size_t i = 0; i < count && i < (output ? outputs : inputs).size(); ++i) {
            const auto key = static_cast<int32_t>(i);
            std::string name = (output ? outputs : inputs)[i];
            const LinkRecord* r = output ? GetInLinkAtKey(key) : GetOutLinkAtKey(key);
            CBaseDevice* obj = r && r->HasPartner() ? r->partner : nullptr;
            if (!obj) {
                if (name.empty())
                    continue;
                SetHoverConnectors(output ? -1 : key, output ? key : -1);
                OnCommand(output ? kOutputCommands[i] : kInputCommands[i]);
                SetHoverConnectors(-1, -1);
                r = output ? GetInLinkAtKey(key) : GetOutLinkAtKey(key);
                obj = r && r->HasPartner() ? r->partner : nullptr;
            } else if (name.empty()) {
                obj->OnCommand(objcmd::Delete);
                continue;
            }
            if (obj && obj->GetName() != name)
                obj->SetNameUnique(name, true);
            if (obj)
                obj->Redraw();
        }
    }
    if (powerPack != 0 && powerPack != 1)
        return 0;
    const uint32_t model = powerPack == 0 ? interfaceslot::CmdFJX3392 : interfaceslot::CmdFJX3397;
    const LinkRecord* r = GetOutLinkAtKey(kPowerInput);
    if (r && r->HasPartner()) {
        r->partner->SetKindId(model);
        r->partner->Redraw();
        return 0;
    }
    return model;
}

namespace {
CInterfaceSlot::DialogFn& DialogHook()
{
    static CInterfaceSlot::DialogFn fn = nullptr;
    return fn;
}
}  // namespace

CInterfaceSlot::DialogFn CInterfaceSlot::SetDialogHook(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

void CInterfaceSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    uint32_t powerPack = 0;
    if (!DialogHook() || !DialogHook()(this, powerPack))
        return;
    if (powerPack == interfaceslot::CmdFJX3392 || powerPack == interfaceslot::CmdFJX3397)
        OnCommand(powerPack);
    Redraw();
}

int CInterfaceSlot::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case objcmd::Properties:
        OnOpen(0, 0, 0);
        return 1;
    case interfaceslot::CmdReady:
    case interfaceslot::CmdDcf77:
    case interfaceslot::CmdInp1:
    case interfaceslot::CmdInp2:
        AttachPad();
        return 1;
    case interfaceslot::CmdPc:
        if (!DetachDevice(false))
            AttachDevice(commandId);
        return 1;
    case interfaceslot::CmdMonitor:
        if (!DetachDevice(true))
            AttachDevice(commandId);
        return 1;
    case interfaceslot::CmdFJX3392:
    case interfaceslot::CmdFJX3397:
        m_hoverInput = kPowerInput;
        if (!AttachDevice(commandId))
            ShowMessage("Out of Memory during creating power object!", mb::Ok | mb::IconStop);
        return 1;
    default:
        // The slot belongs to the central device: it is never deleted.
        return 0;
    }
}

void CInterfaceSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case objcmd::Properties:
        cmdUI.Enable(true);
        break;
    case interfaceslot::CmdDcf77:
    case interfaceslot::CmdInp1:
    case interfaceslot::CmdInp2:
    case interfaceslot::CmdFJX3392:
    case interfaceslot::CmdFJX3397:
        cmdUI.Enable(GetOutLinkAtKey(m_hoverInput) == nullptr);
        break;
    case interfaceslot::CmdReady:
        cmdUI.Enable(GetInLinkAtKey(m_hoverOutput) == nullptr);
        break;
    case interfaceslot::CmdMonitor:
        cmdUI.SetCheck(GetInLinkAtKey(m_hoverOutput) != nullptr ? 1 : 0);
        cmdUI.Enable(true);
        break;
    case interfaceslot::CmdPc:
        cmdUI.SetCheck(GetOutLinkAtKey(m_hoverInput) != nullptr ? 1 : 0);
        cmdUI.Enable(true);
        break;
    case interfaceslot::CmdRemote:
    default:
        cmdUI.Enable(false);
        break;
    }
}
