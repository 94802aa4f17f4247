#include "paging/windows/CPPCons2.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <map>
#include <string>

#include "model/CQuillomerDoc.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsoleFrame.h"
#include "paging/windows/CKeyView.h"
#include "platform/MessageBox.h"

CPPCons2::CPPCons2(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(kTemplateId));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_frame = new CConsoleFrame(false, this);
    layout->addWidget(m_frame);
    CKeyView* view = m_frame->GetKeyView();
    connect(view, &CKeyView::keysModified, this, [this] { SetModified(true); });
    connect(view, &CKeyView::keysApplied, this, [this] {
        SetModified(false);
        emit cancelToClose();
    });
    connect(view, &CKeyView::applyRequested, this, [this] { OnOK(); });
    m_frame->GetScrollArea()->viewport()->installEventFilter(this);
}

bool CPPCons2::eventFilter(QObject* watched, QEvent* event)
{
    // The console front fills the page's height.
    if (event->type() == QEvent::Resize && m_active && m_console)
        GetKeyView()->Relayout(m_frame->GetScrollArea()->viewport()->height());
    return QWidget::eventFilter(watched, event);
}

CKeyView* CPPCons2::GetKeyView() const
{
    return m_frame->GetKeyView();
}

void CPPCons2::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

namespace {
const unsigned kDeviceCommands[] = {keyviewcmd::Download, keyviewcmd::Upload, keyviewcmd::Version};
}  // namespace

void CPPCons2::OnSetActive()
{
    m_active = true;
    CQuillomerDoc* doc = m_console ? m_console->GetDocument() : nullptr;
    const bool connected = doc && doc->IsConnected();
    for (unsigned id : kDeviceCommands)
        if (QAction* a = m_frame->GetAction(id))
            a->setEnabled(connected);
    QScrollArea* scroll = m_frame->GetScrollArea();
    scroll->horizontalScrollBar()->setValue(0);
    const int height = std::max(scroll->viewport()->height(), 240);
    GetKeyView()->ShowConsole(m_console, height);
}

void CPPCons2::LineLost()
{
    for (unsigned id : kDeviceCommands)
        if (QAction* a = m_frame->GetAction(id))
            a->setEnabled(false);
}

void CPPCons2::RefreshKeys()
{
    if (m_console)
        m_console->RefreshKeys();
    GetKeyView()->update();
}

void CPPCons2::OnKillActive()
{
    if (m_modified) {
        if (ShowMessageId(IDS_CONS_ASK_APPLY_KEYS, mb::YesNo | mb::IconQuestion) == mb::IdYes)
            OnOK();
        else
            SetModified(false);
    }
    GetKeyView()->LeaveConsole();
    m_active = false;
}

void CPPCons2::OnCancel()
{
    GetKeyView()->LeaveConsole();
    m_active = false;
}

bool CPPCons2::OnOK()
{
    if (!m_console || !m_active)
        return true;
    CConsole& console = *m_console;
    std::map<int, std::string> before;
    for (const CConsKey* key : console.GetProp().GetAllKeys())
        before[key->GetNumber()] = key->BuildValueText();
    std::map<int, const CBaseDevice*> groupsBefore;
    for (int slot = 1; slot < CConsole::kGroupSlots; ++slot)
        groupsBefore[slot] = console.GetLinkedGroupOfSlot(slot);

    std::string error;
    if (!console.RebuildKeyLinks(&error)) {
        ShowMessage(error, mb::IconExclamation);
        return false;
    }
    SetModified(false);
    // On the device the changes take effect at once: the changed groups,
    // then the changed keys, each key with the path shortened.
    CQuillomerDoc* doc = console.GetDocument();
    if (doc && doc->IsConnected()) {
        for (int slot = 1; slot < CConsole::kGroupSlots; ++slot)
            if (console.GetLinkedGroupOfSlot(slot) != groupsBefore[slot])
                console.WriteParamLine((static_cast<uint32_t>(slot) << 16) | consparam::Group, false);
        for (CConsKey* key : console.GetProp().GetAllKeys())
            if (key->BuildValueText() != before[key->GetNumber()])
                key->WriteDownloadLine(false, true);
    }
    console.RefreshKeys();
    GetKeyView()->update();
    return true;
}
