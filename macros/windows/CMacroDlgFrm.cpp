#include "macros/windows/CMacroDlgFrm.h"

#include <QAction>
#include <QSettings>
#include <QSplitter>

#include <algorithm>
#include <cstdio>

#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgListView.h"
#include "macros/windows/MacroViews.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "ui/ColumnWidths.h"

QL_STRING_TABLE({
    {33143, "Makro erzeugen\nMakro erzeugen"},
    {33144, "Makro löschen\nMakro löschen"},
    {32916, "Makro downloaden\nMakro downloaden"},
    {32917, "Makro uploaden\nMakro uploaden"},
    {32918, "Makro ausführen\nMakro ausführen"},
});

namespace {
template <class View>
CMacroEditorView* Make(QWidget* parent)
{
    return new View(parent);
}

struct TypeView {
    uint32_t type;
    CMacroDlgFrm::ViewFactory make;
};

const std::vector<TypeView>& TypeViews()
{
    namespace mt = macrotype;
    static const std::vector<TypeView> views = {
        {mt::Background, Make<CBackgroundMacroView>}, {mt::Page, Make<CPageMacroView>},
        {mt::Chime, Make<CChimeMacroView>},           {mt::Alarm, Make<CAlarmMacroView>},
        {mt::LogicOut, Make<CDIGIOMacroView>},        {mt::Volume, Make<CVolumeMacroView>},
        {mt::Monitor, Make<CMonitorMacroView>},       {mt::AuxSelect, Make<CInselMacroView>},
        {mt::LcdText, Make<CLCDTextMacroView>},       {mt::Sequence, Make<CSequenceMacroView>},
        {mt::Message, Make<CMessageMacroView>},       {mt::MemoFlag, Make<CMemoFlagMacroView>},
        {mt::Power, Make<CPowerMacroView>},           {mt::VirtCtrl, Make<CVirtCtrlMacroView>},
        {mt::Stop, Make<CStopMacroView>},             {mt::Amp, Make<CAmpMacroView>},
        {mt::AmpMute, Make<CAmpMuteMacroView>},       {mt::Record, Make<CRecordMacroView>},
        {mt::Erase, Make<CEraseMacroView>},           {mt::Repeat, Make<CRepeatMacroView>},
        {mt::SlaveClock, Make<CSlaveClockMacroView>}, {mt::ZoneTest, Make<CZonetestMacroView>},
        {mt::Buzzer, Make<CBuzzerMacroView>},
    };
    return views;
}
}  // namespace

CMacroDlgFrm::ViewFactory CMacroDlgFrm::ViewOfType(uint32_t type)
{
    for (const TypeView& v : TypeViews())
        if (v.type == type)
            return v.make;
    return Make<CEmptyMacroView>;
}

CMacroDlgFrm::CMacroDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("MacroDlgFrm"));
    AddCommandBar(kCommandBarId,
                  {macrocmd::New, macrocmd::Delete, 0, macrocmd::Upload, macrocmd::Download, 0, macrocmd::Run});
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_list = new CMacroDlgListView(m_splitter);
    m_splitter->addWidget(m_list);
    m_editor = new CEmptyMacroView(m_splitter);
    m_splitter->addWidget(m_editor);
    int width = kDefaultListWidth;
    std::sscanf(QSettings().value(QStringLiteral("Settings/MacroListWidth")).toString().toLatin1().constData(), "%d",
                &width);
    m_splitter->setSizes({width, 460});
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);
    // Fixed while the window is open, until the line is lost.
    SetTransferCommands(macrocmd::Upload, macrocmd::Download);
    AddDeviceCommands({macrocmd::Run});
    const bool connected = IsDocConnected() != 0;
    for (unsigned id : {macrocmd::Download, macrocmd::Upload, macrocmd::Run})
        GetAction(id)->setEnabled(connected);
    m_listWidth = width;
    RefreshMacroList();
    ApplyButtonRule();
}

void CMacroDlgFrm::showEvent(QShowEvent* event)
{
    CFeatureFrm::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Before the window had its size the splitter shared out a guessed width;
    // once laid out, the list takes its own share and the editor the rest.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const int total = m_splitter->width() - m_splitter->handleWidth();
            if (total > m_listWidth)
                m_splitter->setSizes({m_listWidth, total - m_listWidth});
        },
        Qt::QueuedConnection);
}

CMacroEditorView* CMacroDlgFrm::GetEditorView() const
{
    return m_editor;
}

CMacro* CMacroDlgFrm::GetCurrentMacro() const
{
    return m_list ? m_list->GetCurrentMacro() : nullptr;
}

void CMacroDlgFrm::SwitchMacroView()
{
    const QList<int> sizes = m_splitter->sizes();
    if (m_editor) {
        // A view's own handler may have asked for the switch: it goes later.
        m_editor->hide();
        m_editor->setParent(nullptr);
        m_editor->deleteLater();
    }
    m_editor = ViewOfType(m_list->GetCurrentMacroType())(m_splitter);
    m_splitter->addWidget(m_editor);
    m_editor->InitialUpdate();
    if (sizes.size() == 2)
        m_splitter->setSizes(sizes);
}

void CMacroDlgFrm::RefreshMacroList()
{
    m_list->FillList();
    KeepColumnsInView();
    SwitchMacroView();
}

void CMacroDlgFrm::KeepColumnsInView()
{
    // The list shows its columns side by side also at a larger font, the
    // identity column included, and after every refill: a macro made or
    // retyped while the window is open may bring a longer name or type, and
    // the list widens that column to it.
    const int columns = ColumnsTotalWidth(m_list);
    m_list->setMinimumWidth(std::max(m_list->minimumWidth(), columns));
    m_listWidth = std::max(m_listWidth, columns);
}

void CMacroDlgFrm::ApplyButtonRule()
{
    CQuillomerDoc* doc = GetActiveDoc();
    const int count = doc ? doc->GetIDManager().GetCount(OT_MACRO) : 0;
    // Below the limit, not merely beside it: a project may hold macros the
    // device does not take (numbered above its limit).
    GetAction(macrocmd::New)->setEnabled(doc && static_cast<uint32_t>(count) < GetMaxObjectCount(OT_MACRO));
    UpdateDeleteButton();
}

void CMacroDlgFrm::UpdateDeleteButton()
{
    CQuillomerDoc* doc = GetActiveDoc();
    GetAction(macrocmd::Delete)->setEnabled(doc && doc->GetIDManager().GetCount(OT_MACRO) > 0);
}

bool CMacroDlgFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case macrocmd::New:
        m_list->CreateMacro();
        RefreshMacroList();
        ApplyButtonRule();
        return true;
    case macrocmd::Delete:
        m_list->DeleteSelectedItem();
        RefreshMacroList();
        ApplyButtonRule();
        return true;
    case macrocmd::Download: m_list->TransferAllMacros(false); return true;
    case macrocmd::Upload:
        // An upload may bring the first macros or take the last: the delete
        // button follows; the new button keeps its state until New or Delete.
        m_list->TransferAllMacros(true);
        RefreshMacroList();
        UpdateDeleteButton();
        return true;
    case macrocmd::Run: m_list->RunMacro(); return true;
    default: return false;
    }
}
