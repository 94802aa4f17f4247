#include "hardware/CInternalSlot.h"

#include "hardware/IServiceAnswerSink.h"
#include "model/DocContext.h"

QL_IMPLEMENT_SERIAL(CInternalSlot, 1)

namespace {
struct KindEntry {
    uint32_t kind;
    uint32_t icon;    // 0: not drawn
    int windowKind;   // 0: the service dialog
};
constexpr KindEntry kKinds[] = {
    {internalslot::Macro, 340, 7},    {internalslot::Clock, 335, 25},   {internalslot::Fuse, 0, 27},
    {internalslot::Trigger, 338, 5},  {internalslot::Monitor, 0, 6},    {internalslot::Service, 0, 0},
    {internalslot::Calendar, 334, 9}, {internalslot::Audio, 336, 26},   {internalslot::System, 339, 27},
};

CInternalSlot::AudioEditorRunner& AudioEditor()
{
    static CInternalSlot::AudioEditorRunner runner;
    return runner;
}

CInternalSlot::ServiceDialogRunner& ServiceDialog()
{
    static CInternalSlot::ServiceDialogRunner runner;
    return runner;
}

const KindEntry* FindKind(uint32_t kind)
{
    for (const KindEntry& e : kKinds)
        if (e.kind == kind)
            return &e;
    return nullptr;
}
}  // namespace

CInternalSlot::CInternalSlot()
{
    m_type = OT_INTERNAL_SLOT;
    m_contextMenuId = 110;
    m_fixed = 1;
}

int CInternalSlot::GetWindowKind(uint32_t kindId)
{
    const KindEntry* e = FindKind(kindId);
    return e ? e->windowKind : 0;
}

uint32_t CInternalSlot::GetIconId(uint32_t kindId)
{
    const KindEntry* e = FindKind(kindId);
    return e ? e->icon : 0;
}

bool CInternalSlot::IsInvisible(uint32_t kindId)
{
    return kindId == internalslot::Fuse || kindId == internalslot::Monitor || kindId == internalslot::Service;
}

void CInternalSlot::Draw(IPainter& dc)
{
    if (IsInvisible(m_kindId))
        return;
    CBaseDevice::Draw(dc);
    if (const uint32_t icon = GetIconId(m_kindId))
        dc.DrawIcon(icon, CPoint(m_rect.left + kIconLeft, m_rect.top + (m_rect.Height() - kIconSize) / 2));
}

CInternalSlot::AudioEditorRunner CInternalSlot::SetAudioEditorRunner(AudioEditorRunner runner)
{
    AudioEditorRunner old = AudioEditor();
    AudioEditor() = std::move(runner);
    return old;
}

CInternalSlot::ServiceDialogRunner CInternalSlot::SetServiceDialogRunner(ServiceDialogRunner runner)
{
    ServiceDialogRunner old = ServiceDialog();
    ServiceDialog() = std::move(runner);
    return old;
}

void CInternalSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (m_kindId == internalslot::Service) {
        if (ServiceDialog())
            ServiceDialog()(this);
        else
            GetAppHost().ShowWindowNotAvailable(m_pDocument, m_name);  // the service dialog is not built yet
        // Answers reach the dialog only while it runs.
        m_openDialog = nullptr;
        return;
    }
    // The Audio object edits the audio signals; its volumes window stays the
    // window of its kind for the host's switch command.
    if (m_kindId == internalslot::Audio && AudioEditor()) {
        AudioEditor()(this);
        return;
    }
    const int windowKind = GetWindowKind(m_kindId);
    if (windowKind != 0)
        GetAppHost().OpenFeatureWindow(m_pDocument, windowKind, true);
}

int CInternalSlot::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    // Part of the central device: it cannot be deleted.
    return 0;
}

void CInternalSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    cmdUI.Enable(cmdUI.m_nID == objcmd::Properties);
}

void CInternalSlot::ParseUploadLines(std::string line, const std::string&, int)
{
    if (m_kindId == internalslot::Service && m_openDialog)
        m_openDialog->ParseAnswer(line);
}
