#include "ui/CFeatureFrm.h"

#include <QAction>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cstring>

#include "comm/CCommLink.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CBarBackground.h"
#include "ui/CObjectDlg.h"
#include "ui/CPictureSet.h"
#include "ui/CSingleTransfer.h"
#include "ui/TypedValue.h"
#include "ui/UiIds.h"

QL_STRING_TABLE({
    {CFeatureFrm::kNotInThisVersion, "In dieser Geräteversion nicht möglich!"},
    {CFeatureFrm::kOnlineOnly, "Nur im Online Modus möglich!"},
    {CFeatureFrm::kTransferStalled,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): das Gerät hat %d Sekunden lang weder "
     "gelesen noch geantwortet."},
    {CFeatureFrm::kTransferLineLost,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): die Verbindung zum Gerät wurde getrennt."},
    {CFeatureFrm::kTransferCancelled,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): sie wurde abgebrochen."},
    {CFeatureFrm::kTransferRefused,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): das Gerät hat '%s' nicht verstanden."},
    {CFeatureFrm::kTransferNoAnswer,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): keine Antwort vom Gerät."},
    {CFeatureFrm::kTransferNoEcho,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): das Gerät hat die gesendeten Zeilen nicht "
     "mehr gelesen (kein Echo)."},
    {CFeatureFrm::kTransferUnreadable,
     "Die Übertragung '%s' ist nicht vollständig (Schritt %d von %d): die Antwort '%s' des Geräts ist nicht "
     "lesbar."},
    {CFeatureFrm::kTransferRestNotSent, "Die übrigen Einträge wurden nicht übertragen."},
    {CFeatureFrm::kTransferEntryRestNotSent, "Der Rest des Eintrags wurde nicht gesendet."},
    {CFeatureFrm::kTransferSentUnread,
     "Alle Zeilen wurden gesendet; die nach diesem Schritt hat das Gerät nicht gelesen."},
    {CFeatureFrm::kTransferSentUnanswered,
     "Alle Abfragen wurden gesendet; die nach diesem Schritt hat das Gerät nicht beantwortet."},
    {CFeatureFrm::kTransferRefusedSomeUpload,
     "Die Übertragung '%s' ist beendet, doch das Gerät hat %d Zeile(n) nicht verstanden, zuerst '%s'. "
     "Diese Werte bleiben, wie das Projekt sie hält."},
    {CFeatureFrm::kTransferRefusedSomeDownload,
     "Die Übertragung '%s' ist beendet, doch das Gerät hat %d Zeile(n) nicht verstanden, zuerst '%s'. "
     "Diese Werte hat das Gerät nicht übernommen."},
});

namespace {
struct BarButton {
    unsigned id;  // 0: separator
    const char* tip;
    const char* picture;  // of the picture set
};

const BarButton kEditBar[] = {
    {featurecmd::Macros, QT_TRANSLATE_NOOP("CFeatureFrm", "Makro Einträge editieren"), "macro"},
    {0, nullptr, nullptr},
    {featurecmd::Events, QT_TRANSLATE_NOOP("CFeatureFrm", "Ereignis Einträge editieren"), "event"},
    {featurecmd::DayPrograms, QT_TRANSLATE_NOOP("CFeatureFrm", "Tagesprogramm Einträge editieren"), "day-program"},
    {featurecmd::Holidays, QT_TRANSLATE_NOOP("CFeatureFrm", "Feiertag Einträge editieren"), "holiday"},
    {featurecmd::WeekProgram, QT_TRANSLATE_NOOP("CFeatureFrm", "Wochen Einträge editieren"), "week"},
    {0, nullptr, nullptr},
    {featurecmd::Conditions, QT_TRANSLATE_NOOP("CFeatureFrm", "Bedingungseinträge editieren"), "condition"},
    {featurecmd::AnalogConditions, QT_TRANSLATE_NOOP("CFeatureFrm", "Analog Einträge editieren"), "condition-analog"},
    {featurecmd::CombinedConditions, QT_TRANSLATE_NOOP("CFeatureFrm", "Kombinationseinträge editieren"), "condition-combined"},
    {featurecmd::BusyConditions, QT_TRANSLATE_NOOP("CFeatureFrm", "Busy Einträge editieren"), "condition-busy"},
    {0, nullptr, nullptr},
    {featurecmd::Trigger, QT_TRANSLATE_NOOP("CFeatureFrm", "Trigger Einträge editieren"), "trigger"},
    {0, nullptr, nullptr},
    {featurecmd::MemoFlag, QT_TRANSLATE_NOOP("CFeatureFrm", "Memoflags editieren"), "memo-flag"},
    {0, nullptr, nullptr},
    {featurecmd::ReadyInputs, QT_TRANSLATE_NOOP("CFeatureFrm", "READYINPUT Einträge editieren"), "ready-input"},
    {featurecmd::Fault, QT_TRANSLATE_NOOP("CFeatureFrm", "FAULT Eigenschaften editieren"), "fault"},
    {0, nullptr, nullptr},
    {featurecmd::LogicStates, QT_TRANSLATE_NOOP("CFeatureFrm", "Logik Einträge editieren"), "logic"},
    {0, nullptr, nullptr},
    {featurecmd::MonitorEntries, QT_TRANSLATE_NOOP("CFeatureFrm", "Monitor Einträge editieren"), "monitor"},
    {featurecmd::VirtCtrl, QT_TRANSLATE_NOOP("CFeatureFrm", "Virtuelle Controller editieren"), "controller"},
    {featurecmd::SpareAmps, QT_TRANSLATE_NOOP("CFeatureFrm", "Havarie Verstärker editieren"), "spare-amplifier"},
    {0, nullptr, nullptr},
    {featurecmd::Hardware, QT_TRANSLATE_NOOP("CFeatureFrm", "Hardware"), "chip"},
    {0, nullptr, nullptr},
    {CFeatureFrm::kSaveDeviceSettings, QT_TRANSLATE_NOOP("CFeatureFrm", "KVT Einstellungen abspeichern"), "save-device"},
    {0, nullptr, nullptr},
    {CFeatureFrm::kSave, QT_TRANSLATE_NOOP("CFeatureFrm", "Speichern"), "save"},
};

const BarButton kServiceBar[] = {
    {featurecmd::Fuses, QT_TRANSLATE_NOOP("CFeatureFrm", "Sicherungseinstellungen"), "fuse"},
    {featurecmd::Power, QT_TRANSLATE_NOOP("CFeatureFrm", "Internes Power Management"), "power"},
    {featurecmd::Recorder, QT_TRANSLATE_NOOP("CFeatureFrm", "Interner Message Rekorder"), "recorder"},
    {featurecmd::EventLogger, QT_TRANSLATE_NOOP("CFeatureFrm", "Ereignisprotokollierer"), "event-log"},
    {featurecmd::ZoneTest, QT_TRANSLATE_NOOP("CFeatureFrm", "Linientest"), "zone-test"},
    // The pilot tone and volumes windows have no other way in from a feature window.
    {featurecmd::Pilot, QT_TRANSLATE_NOOP("CFeatureFrm", "Pilottongenerator"), "pilot-tone"},
    {featurecmd::Volume, QT_TRANSLATE_NOOP("CFeatureFrm", "Lautstärkeregelung"), "volume"},
    {0, nullptr, nullptr},
    {CFeatureFrm::kSaveDeviceSettings, QT_TRANSLATE_NOOP("CFeatureFrm", "KVT Einstellungen abspeichern"), "save-device"},
    {0, nullptr, nullptr},
    {CFeatureFrm::kSave, QT_TRANSLATE_NOOP("CFeatureFrm", "Speichern"), "save"},
};

bool IsEditSwitch(unsigned id)
{
    return (id >= featurecmd::MonitorEntries && id <= featurecmd::Events) || (id >= featurecmd::DayPrograms && id <= featurecmd::WeekProgram) || (id >= featurecmd::Conditions && id <= featurecmd::SpareAmps) ||
           id == featurecmd::Fault || id == featurecmd::Hardware || id == featurecmd::Volume || id == featurecmd::Clock;
}
}  // namespace

std::vector<CPictureSet::Button> CFeatureFrm::SwitchBarButtons(Form form)
{
    std::vector<CPictureSet::Button> buttons;
    auto addAll = [&buttons](const BarButton* first, const BarButton* last) {
        for (const BarButton* b = first; b != last; ++b)
            buttons.push_back({b->id, b->picture});
    };
    if (form == Form::Edit)
        addAll(std::begin(kEditBar), std::end(kEditBar));
    else
        addAll(std::begin(kServiceBar), std::end(kServiceBar));
    return buttons;
}

CFeatureFrm::CFeatureFrm(Form form, QWidget* parent) : QMainWindow(parent), m_form(form)
{
    setWindowFlags(Qt::Widget);
    m_switchBar = new QToolBar(this);
    const unsigned barId = form == Form::Edit ? kEditBarId : kServiceBarId;
    m_switchBar->setObjectName(QString::number(barId));
    m_switchBar->setMovable(true);
    m_switchBar->setFloatable(true);
    addToolBar(Qt::TopToolBarArea, m_switchBar);
    CBarBackground::Install(m_switchBar);
    auto addAll = [this](const BarButton* first, const BarButton* last) {
        for (const BarButton* b = first; b != last; ++b) {
            if (b->id == 0) {
                m_switchBar->addSeparator();
                continue;
            }
            const QString tip = tr(b->tip);
            AddBarButton(m_switchBar, b->id, tip, tip);
        }
    };
    if (form == Form::Edit)
        addAll(std::begin(kEditBar), std::end(kEditBar));
    else
        addAll(std::begin(kServiceBar), std::end(kServiceBar));
    CPictureSet::ApplyToolBar(m_switchBar, static_cast<int>(barId));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    ReserveTransferRoom();
    // Only a window opened online can lose its line.
    m_online = IsDocConnected() != 0;
    // Saving the device's settings needs the device, as in the main menu:
    // offered only online, greyed once the line is lost.
    AddDeviceCommands({kSaveDeviceSettings});
    GetAction(kSaveDeviceSettings)->setEnabled(m_online);
    m_lineWatch.setInterval(kLineWatchMs);
    connect(&m_lineWatch, &QTimer::timeout, this, &CFeatureFrm::WatchLine);
    if (m_online)
        m_lineWatch.start();
}

void CFeatureFrm::SetTransferCommands(unsigned upload, unsigned download, bool greyWhenLost)
{
    m_uploadCommand = upload;
    m_downloadCommand = download;
    AddDeviceCommands({upload, download}, greyWhenLost);
}

void CFeatureFrm::AddDeviceCommands(std::initializer_list<unsigned> commands, bool greyWhenLost)
{
    for (unsigned id : commands) {
        if (id == 0)
            continue;
        m_deviceCommands.push_back(id);
        if (greyWhenLost)
            m_greyWhenLost.push_back(id);
    }
}

void CFeatureFrm::AddDeviceControls(std::initializer_list<QWidget*> controls)
{
    // A window opened while the program's link has no device offers them no
    // more than one that lost its line (without the link there is no line).
    const bool offline = !m_online && GetCommLink();
    for (QWidget* w : controls) {
        if (!w)
            continue;
        m_deviceControls.emplace_back(w);
        if (offline)
            w->setEnabled(false);
    }
}

bool CFeatureFrm::IsDeviceCommand(unsigned commandId) const
{
    return std::find(m_deviceCommands.begin(), m_deviceCommands.end(), commandId) != m_deviceCommands.end();
}

void CFeatureFrm::WatchLine()
{
    if (!m_online || IsDocConnected())
        return;
    m_online = false;
    m_lineWatch.stop();
    // As in a window opened offline: nothing offered that needs the device.
    for (unsigned id : m_greyWhenLost)
        if (QAction* a = GetAction(id))
            a->setEnabled(false);
    for (const QPointer<QWidget>& w : m_deviceControls)
        if (w)
            w->setEnabled(false);
    OnLineLost();
}

bool CFeatureFrm::RefuseOffline() const
{
    // Without the program's link there is no line to lose (a window shown
    // without the device link runs its transfers on nothing).
    if (!GetCommLink() || IsDocConnected())
        return false;
    ShowMessageId(kOnlineOnly, mb::Ok);
    return true;
}

std::string CFeatureFrm::TransferName(const CBaseDevice* obj, int mode) const
{
    const unsigned command = mode ? m_uploadCommand : m_downloadCommand;
    if (command != 0)
        return CommandText(command).toStdString();
    return obj ? obj->GetName() : std::string();
}

void CFeatureFrm::ReserveTransferRoom()
{
    // The status bar is as high from the start as a transfer's progress bar
    // and "Abbrechen" make it: a transfer does not make the window taller.
    QStatusBar* bar = statusBar();
    auto* progress = new QProgressBar(bar);
    auto* cancel = new QPushButton(tr("Abbrechen"), bar);
    bar->addPermanentWidget(progress, 1);
    bar->addPermanentWidget(cancel);
    const int height = bar->sizeHint().height();
    delete progress;
    delete cancel;
    bar->setMinimumHeight(height);
}

QString CFeatureFrm::CommandText(unsigned commandId)
{
    const QString text = QString::fromStdString(LoadStringId(commandId));
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    return nl < 0 ? text : text.left(nl);
}

QString CFeatureFrm::ToolTipText(unsigned commandId)
{
    const QString text = QString::fromStdString(LoadStringId(commandId));
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    return nl < 0 ? QString() : text.mid(nl + 1).left(80);
}

void CFeatureFrm::AddBarButton(QToolBar* bar, unsigned commandId, const QString& text, const QString& tip)
{
    QAction* action = bar->addAction(text);
    action->setObjectName(QString::number(commandId));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
}

QToolBar* CFeatureFrm::AddCommandBar(unsigned toolBarId, std::initializer_list<unsigned> commands)
{
    m_commandBar = new QToolBar(this);
    m_commandBar->setObjectName(QString::number(toolBarId));
    m_commandBar->setMovable(true);
    m_commandBar->setFloatable(true);
    // Each bar docks in a row of its own, so the switch bar and the own
    // commands both show whole at the window's designed width.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_commandBar);
    CBarBackground::Install(m_commandBar);
    for (unsigned id : commands) {
        if (id == 0)
            m_commandBar->addSeparator();
        else
            AddBarButton(m_commandBar, id, CommandText(id), ToolTipText(id));
    }
    CPictureSet::ApplyToolBar(m_commandBar, static_cast<int>(toolBarId));
    return m_commandBar;
}

QAction* CFeatureFrm::GetAction(unsigned commandId) const
{
    const QString name = QString::number(commandId);
    for (QToolBar* bar : {m_switchBar, m_commandBar}) {
        if (!bar)
            continue;
        for (QAction* a : bar->actions())
            if (a->objectName() == name)
                return a;
    }
    return nullptr;
}

bool CFeatureFrm::DeviceVersionAllows()
{
    IAppHost& host = GetAppHost();
    if (IsDocConnected() && host.GetProfileInt("KVT7000", "Device Id", 0) < 10337) {
        const std::string version = host.GetProfileString("KVT7000", "OS Version", "");
        if (std::strcmp(version.c_str(), "V0.8") < 0)  // bytes compared unsigned
            return false;
    }
    const CQuillomerDoc* doc = GetActiveDoc();
    return doc && doc->m_data.deviceVariant != 0;
}

void CFeatureFrm::PostSwitch(unsigned commandId)
{
    setFocus();
    // Posted: this frame finishes its handler before the host replaces it.
    QPointer<CObjectDlg> host;
    for (QWidget* w = parentWidget(); w && !host; w = w->parentWidget())
        host = qobject_cast<CObjectDlg*>(w);
    if (host)
        QMetaObject::invokeMethod(host, [host, commandId] { if (host) host->OnCommand(commandId); }, Qt::QueuedConnection);
}

bool CFeatureFrm::OnCommand(unsigned commandId)
{
    // While a transfer runs nothing may start another, change the objects
    // being transferred or replace this frame.
    if (m_transferring)
        return true;
    // A bar button leaves the focus in the field the user typed into: what
    // he typed is taken first, so that the command saves or sends it.
    TakeTypedValue(this);
    if (IsDeviceCommand(commandId)) {
        // A line lost since the last look: the window follows before anything runs.
        WatchLine();
        if (RefuseOffline())
            return true;
    }
    if (commandId == kSaveDeviceSettings) {
        if (CCommLink* link = GetCommLink())
            link->OnSaveDeviceSettings();
        return OnFrameCommand(commandId) || true;
    }
    if (commandId == kSave) {
        if (CQuillomerDoc* doc = GetActiveDoc())
            GetAppHost().SaveDocument(doc, false);
        return OnFrameCommand(commandId) || true;
    }
    if (m_form == Form::Edit && IsEditSwitch(commandId)) {
        PostSwitch(commandId);
        return true;
    }
    if (m_form == Form::Service) {
        if (commandId == featurecmd::Fuses || commandId == featurecmd::Power || commandId == featurecmd::Volume) {
            PostSwitch(commandId);
            return true;
        }
        if (commandId == featurecmd::Pilot || commandId == featurecmd::Recorder || commandId == featurecmd::EventLogger || commandId == featurecmd::ZoneTest) {
            if (!DeviceVersionAllows()) {
                ShowMessageId(kNotInThisVersion, mb::Ok);
                return true;
            }
            PostSwitch(commandId);
            return true;
        }
    }
    return OnFrameCommand(commandId);
}

void CFeatureFrm::HoldInput(bool hold)
{
    if (hold)
        m_hold.Hold({m_switchBar, m_commandBar, centralWidget()}, this);
    else
        m_hold.Release();
}

void CFeatureFrm::BeginTransfer(int range)
{
    m_transferring = true;
    HoldInput(true);
    // The bar and its button lie over the status bar's message pane: a
    // prompt shown there (that of the button just clicked, which stays while
    // the pointer rests on the held button) would hide them for the whole
    // transfer if they were the pane's ordinary widgets.
    statusBar()->clearMessage();
    m_progress = new QProgressBar(statusBar());
    m_progress->setObjectName(QStringLiteral("1"));
    m_progress->setRange(0, std::max(range, 0));
    m_progress->setValue(0);
    statusBar()->addPermanentWidget(m_progress, 1);
    auto* cancel = new QPushButton(tr("Abbrechen"), statusBar());
    cancel->setObjectName(QStringLiteral("CancelTransfer"));
    connect(cancel, &QPushButton::clicked, this, [this] { m_loop.Cancel(); });
    statusBar()->addPermanentWidget(cancel);
    m_cancelButton = cancel;
    // The rest of the window takes no input: the keyboard reaches "Abbrechen".
    cancel->setFocus();
    m_loop.SetProgress(m_progress);
}

void CFeatureFrm::EndTransfer()
{
    delete m_progress;
    m_progress = nullptr;
    delete m_cancelButton;
    m_cancelButton = nullptr;
    HoldInput(false);
    m_transferring = false;
}

void CFeatureFrm::RunTransfer(CBaseDevice* obj, int mode, int resetStep, const TransferHook& started,
                              const TransferHook& stepsDone, int rows, const CTransferLoop::ProgressOf& rowOf)
{
    // One transfer at a time: a second click, a double-click or a command
    // that reaches the frame some other way while one runs starts nothing.
    if (!obj || m_transferring || RefuseOffline())
        return;
    // The name now: an answer may rename the block.
    const std::string name = TransferName(obj, mode);
    const int count = obj->GetDownloadLines(mode, resetStep);
    const int range = rowOf ? rows : count;
    BeginTransfer(range);
    m_loop.Begin(mode, true);
    if (started)
        started();
    int reached = 0;
    m_loop.SetProgressOf(rowOf);
    CTransferLoop::Stop stop = m_loop.RunSteps(obj, mode, 0, count, range, &reached);
    m_loop.SetProgressOf({});
    if (stepsDone)
        stepsDone();
    if (stop == CTransferLoop::Stop::None)
        stop = m_loop.WaitDeviceDone();
    // The message counts as far as the bar went, the end wait included (or
    // as far as the device read), and the bar shows what the message says.
    reached = m_loop.Reached();
    m_progress->setValue(reached);
    if (const CTransferLoop::Stop end = m_loop.End(mode, true); stop == CTransferLoop::Stop::None)
        stop = end;
    EndTransfer();
    m_loop.ReportStop(stop, name, reached, range);
    m_loop.ReportRefused(stop, name);
}

void CFeatureFrm::TransferAll(CBaseDevice* obj, int mode, int resetStep, const TransferHook& started,
                              const TransferHook& stepsDone)
{
    RunTransfer(obj, mode, resetStep, started, stepsDone);
}

void CFeatureFrm::TransferRows(CBaseDevice* obj, int mode, int resetStep, int rows,
                               const CTransferLoop::ProgressOf& rowOf)
{
    RunTransfer(obj, mode, resetStep, {}, {}, rows, rowOf);
}

void CFeatureFrm::TransferOne(CBaseDevice* obj, int mode, int resetStep, int step, const std::string& entry)
{
    TransferSteps(obj, mode, resetStep, step, step + 1, entry);
}

void CFeatureFrm::TransferSteps(CBaseDevice* obj, int mode, int resetStep, int first, int end, const std::string& entry,
                                bool diffFile)
{
    // One transfer at a time, as for the whole block.
    if (!obj || m_transferring || RefuseOffline())
        return;
    m_transferring = true;
    HoldInput(true);
    CSingleTransfer transfer(m_loop.GetStallLimit());
    transfer.Run(obj, mode, resetStep, first, end, entry.empty() ? TransferName(obj, mode) : entry, diffFile);
    HoldInput(false);
    m_transferring = false;
    transfer.ReportStop();
}

void CFeatureFrm::TransferBlocks(int mode, const std::vector<std::vector<std::string>>& blocks, ILinkAnswerSink* view,
                                 bool diffFile)
{
    // One transfer at a time, as for a block of objects.
    if (blocks.empty() || m_transferring || RefuseOffline())
        return;
    m_transferring = true;
    HoldInput(true);
    const CTransferLoop::Result result = m_loop.RunBlocks(mode, blocks, view, TransferName(nullptr, mode), diffFile);
    HoldInput(false);
    m_transferring = false;
    m_loop.ReportStop(result);
    m_loop.ReportRefused(result.stop, result.block);
}

CFeatureFrm* CFeatureFrm::FrameOf(const QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CFeatureFrm*>(const_cast<QWidget*>(w)))
            return frame;
    return nullptr;
}
