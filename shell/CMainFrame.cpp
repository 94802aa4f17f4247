#include "shell/CMainFrame.h"

#include "comm/CCommLink.h"
#include "comm/IDeviceLink.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "platform/serial/CMSComm.h"
#include "platform/serial/SerialPortList.h"
#include "shell/CBitmapManager.h"
#include "shell/CChildFrame.h"
#include "shell/CDocTemplate.h"
#include "shell/CFontManager.h"
#include "shell/CMdiClient.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CZoomToolBar.h"
#include "shell/Profile.h"
#include "ui/CScreenFit.h"
#include "shell/ShellIds.h"
#include "ui/CBarBackground.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CMainFrame"),
    [](CQuillomerDoc*) -> QWidget* {
        auto* frame = new CMainFrame;
        if (!frame->OnCreate()) {
            delete frame;
            return nullptr;
        }
        frame->setWindowState(Qt::WindowMaximized);  // as the program shows it
        return frame;
    });
}  // namespace

QL_STRING_TABLE({
    {34583, "QUILLOMER Communication Monitor"},
    {59143, "               Kein Projekt mit QUILLOMER verbunden.          "},
});

namespace {
// The picture set's strips of the standard and the zoom bar.
constexpr int kStandardBarId = 128;
constexpr int kZoomBarId = 133;
CMainFrame* g_mainFrame = nullptr;
CMainFrame::DeviceLinkFactory& LinkFactory()
{
    static CMainFrame::DeviceLinkFactory factory;
    return factory;
}
CMainFrame::MonitorFactory& MonitorFactoryRef()
{
    static CMainFrame::MonitorFactory factory;
    return factory;
}
constexpr char kIdProperty[] = "commandId";
constexpr char kConnectEntryProperty[] = "connectEntry";
constexpr char kWindowEntryProperty[] = "windowEntry";
constexpr char kDeviceMenuProperty[] = "deviceMenu";  // the devices to put behind the chosen COM n  // an open designer window in the window menu
constexpr char kTipProperty[] = "tipSource";  // the German tool tip, translated at each language switch

int ActionId(const QAction* action)
{
    const QVariant v = action->property(kIdProperty);
    return v.isValid() ? v.toInt() : 0;
}
}  // namespace

CMainFrame* GetMainFrame() { return g_mainFrame; }

CMainFrame::DeviceLinkFactory CMainFrame::SetDeviceLinkFactory(DeviceLinkFactory factory)
{
    return std::exchange(LinkFactory(), std::move(factory));
}

CMainFrame::MonitorFactory CMainFrame::SetProtocolMonitorFactory(MonitorFactory factory)
{
    return std::exchange(MonitorFactoryRef(), std::move(factory));
}

CMainFrame::CMainFrame()
{
    g_mainFrame = this;
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(tr("QUILLOMER Designer"));
    setAcceptDrops(true);
    if (LinkFactory())
        m_link = LinkFactory()(this);
}

CMainFrame::~CMainFrame()
{
    if (m_monitor)
        delete m_monitor;
    if (g_mainFrame == this)
        g_mainFrame = nullptr;
}

void CMainFrame::SetDeviceLink(std::unique_ptr<IDeviceLink> link) { m_link = std::move(link); }

bool CMainFrame::OnCreate()
{
    try {
        m_bitmaps = std::make_unique<CBitmapManager>();
        m_bitmaps->LoadBitmap(ids::BmpBarTile, m_barTile, CBitmapManager::PaletteMerge, false);
        m_bitmaps->LoadBitmap(ids::BmpClientTile, m_clientTile, CBitmapManager::PaletteMerge, false);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return false;
    }
    m_fonts = std::make_unique<CFontManager>();

    auto* client = new CMdiClient(this);
    client->SetBackground(m_clientTile, m_bitmaps->GetBitmap(ids::BmpBackgroundPicture),
                          m_bitmaps->GetBitmap(ids::BmpBackgroundMask));
    client->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_mdi = client;
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateToolBars();
    CreateStatusBar();
    BuildMenus();
    ShowMenus(false);

    // The protocol monitor is a window of its own, owned by the frame.
    if (MonitorFactoryRef()) {
        if (QWidget* monitor = MonitorFactoryRef()(this)) {
            m_monitor = monitor;
            monitor->setParent(this, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
            monitor->setWindowTitle(QString::fromStdString(LoadStringId(ids::StrMonitorCaption)));
            // The stored placement is the window's outer frame, title and
            // border included, as the monitor stores it: the frame goes to
            // x, y, and the inner area is made smaller by the frame's width
            // once that is known.
            const QRect r = ParseMonitorSize(GetProfileString(QStringLiteral("Settings"), QStringLiteral("MonitorSize")));
            monitor->move(r.topLeft());
            monitor->resize(r.size());
            m_monitorOuterSize = r.size();
            monitor->installEventFilter(this);
            monitor->setFont(m_fonts->GetFont(CFontManager::MonitorText));
        }
    }
    ShowProtocolMonitor(false);

    if (m_bitmaps->GetPalette()) {
        m_bitmaps->AddColor(qRgb(50, 200, 50));
        m_bitmaps->AddColor(qRgb(132, 174, 172));
        m_bitmaps->AddColor(qRgb(220, 220, 220));
        const int n = m_bitmaps->AddColor(qRgb(190, 190, 190));
        if (n > 256)
            ShowMessage(tr("Die logische Palette umfaßt mehr als 256 Farben !\n").toStdString(), mb::IconInformation);
    }

    // Tool-bar buttons follow the command state like the menus (idle update).
    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(250);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        UpdateToolBars();
        UpdateTitles();
    });
    m_idleTimer->start();
    UpdateToolBars();
    return true;
}

// ---- Tool bars and status bar ----

void CMainFrame::CreateToolBars()
{
    CBarBackground::SetTile(m_barTile);
    auto tileBar = [](QToolBar* bar) { CBarBackground::Install(bar); };
    m_stdBar = new QToolBar(tr("Standard"), this);
    m_stdBar->setObjectName(QStringLiteral("StandardBar"));
    // The strip gives the buttons' order and separators; the tips are here.
    const std::map<int, const char*> tips = {
        {ids::FileNew, QT_TR_NOOP("Neu")}, {ids::FileOpen, QT_TR_NOOP("Öffnen")}, {ids::FileSave, QT_TR_NOOP("Speichern")},
        {ids::FilePrint, QT_TR_NOOP("Drucken")}, {ids::FilePrintSetup, QT_TR_NOOP("Druckeinrichtung")},
        {ids::FilePrintPreview, QT_TR_NOOP("Seitenansicht")},
        {ids::EditCut, QT_TR_NOOP("Ausschneiden")}, {ids::EditCopy, QT_TR_NOOP("Kopieren")}, {ids::EditPaste, QT_TR_NOOP("Einfügen")},
        {ids::ConnectModem, QT_TR_NOOP("Über Modem verbinden")}, {ids::Connect, QT_TR_NOOP("Verbinden")},
        {ids::Disconnect, QT_TR_NOOP("Trennen")},
        {ids::SaveDeviceSettings, QT_TR_NOOP("Einstellungen des Geräts speichern")},
        {ids::LoadParameters, QT_TR_NOOP("Parameter laden")}, {ids::LoadFirmware, QT_TR_NOOP("Betriebssystem laden")},
        {ids::AppAbout, QT_TR_NOOP("Info über QUILLOMER")},
    };
    const CPictureSet::Resource* strip = CPictureSet::Find(CPictureSet::Kind::ToolBar, kStandardBarId);
    for (const CPictureSet::Button& b : strip ? strip->buttons : std::vector<CPictureSet::Button>{}) {
        if (b.command == 0) {
            m_stdBar->addSeparator();
            continue;
        }
        const int id = static_cast<int>(b.command);
        const auto found = tips.find(id);
        const char* tip = found != tips.end() ? found->second : "";
        QAction* a = m_stdBar->addAction(CPictureSet::Picture(QString::fromLatin1(b.picture)), tr(tip));
        a->setProperty(kIdProperty, id);
        a->setProperty(kTipProperty, QString::fromUtf8(tip));
        connect(a, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
    }
    addToolBar(Qt::TopToolBarArea, m_stdBar);
    tileBar(m_stdBar);

    m_zoomBar = new CZoomToolBar(this);
    m_zoomBar->setWindowTitle(tr("Zoom"));
    for (int id : {int(ids::ZoomIn), int(ids::ZoomOut)}) {
        const char* tip = id == ids::ZoomIn ? QT_TR_NOOP("Zoom In") : QT_TR_NOOP("Zoom Out");
        QAction* a = m_zoomBar->addAction(CPictureSet::ToolButton(kZoomBarId, id), tr(tip));
        a->setProperty(kIdProperty, id);
        a->setProperty(kTipProperty, QString::fromUtf8(tip));
        connect(a, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
    }
    m_zoomBar->addSeparator();
    m_zoomBar->SetupZoomCombo();
    addToolBar(Qt::TopToolBarArea, m_zoomBar);
    tileBar(m_zoomBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    if (!m_messagePane) {
        m_messagePane = new QLabel(bar);
        m_connectionPane = new QLabel(bar);
        m_capsPane = new QLabel(bar);
        m_numPane = new QLabel(bar);
        m_scrollPane = new QLabel(bar);
        bar->addWidget(m_messagePane, 1);
        for (QLabel* l : {m_connectionPane, m_capsPane, m_numPane, m_scrollPane}) {
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
            bar->addPermanentWidget(l);
        }
    }
    const QString connection = QString::fromStdString(LoadStringId(ids::IndicatorConnection));
    // The pane is as wide as its indicator text, inside its sunken frame.
    const QMargins frame = m_connectionPane->contentsMargins();
    m_connectionPane->setMinimumWidth(m_connectionPane->fontMetrics().horizontalAdvance(connection) + frame.left() +
                                      frame.right() + 2 * m_connectionPane->margin());
    // The pane tells the link's state, also after the texts were reloaded.
    if (auto* link = dynamic_cast<CCommLink*>(m_link.get()))
        m_connectionPane->setText(QString::fromStdString(link->GetStatusText()));
    else
        m_connectionPane->setText(connection);
    // Lock-key states cannot be read here; the panes keep their place and texts.
    m_capsPane->setText(tr("UF"));
    m_numPane->setText(tr("NUM"));
    m_scrollPane->setText(tr("RF"));
    for (QLabel* l : {m_capsPane, m_numPane, m_scrollPane})
        l->setEnabled(false);
    m_messagePane->setText(tr("Bereit"));
}

void CMainFrame::SetStatusText(const QString& text)
{
    if (m_messagePane)
        m_messagePane->setText(text);
}

QString CMainFrame::GetStatusText() const { return m_messagePane ? m_messagePane->text() : QString(); }

void CMainFrame::SetConnectionText(const QString& text)
{
    if (m_connectionPane)
        m_connectionPane->setText(text);
}

// ---- Menus ----

QMenu* CMainFrame::MakeMenu(const QString& title)
{
    auto* menu = new QMenu(title, this);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    return menu;
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& key)
{
    QAction* a = menu->addAction(text);
    a->setProperty(kIdProperty, id);
    if (!key.isEmpty())
        a->setShortcut(key);
    // The id is read when triggered: the connect entry changes its command.
    connect(a, &QAction::triggered, this, [this, a] { OnCmdMsg(ActionId(a)); });
    return a;
}

void CMainFrame::AddLanguageMenu(QMenu* parent)
{
    QMenu* lang = MakeMenu(tr("S&prache"));
    parent->addMenu(lang);
    CQuillomerApp* app = CQuillomerApp::Instance();
    const bool english = app && app->IsEnglishResources();
    // Each language offers itself checked and the other language as the switch.
    if (!english) {
        AddCommand(lang, ids::LanguageGerman, tr("&Deutsch"))->setCheckable(true);
        AddCommand(lang, ids::LanguageEnglish, tr("&Englisch"))->setCheckable(true);
    } else {
        AddCommand(lang, ids::LanguageToGerman, tr("&Deutsch"))->setCheckable(true);
        AddCommand(lang, ids::LanguageEnglishChecked, tr("&Englisch"))->setCheckable(true);
    }
}

void CMainFrame::AddRecentFiles(QMenu* file)
{
    // Placeholders; UpdateMenu fills in the names of the recent files.
    for (int i = 0; i < CQuillomerApp::kRecentFileCount; ++i)
        AddCommand(file, ids::FileMruFirst + i, QString());
}

void CMainFrame::BuildMenus()
{
    qDeleteAll(m_defaultMenus);
    qDeleteAll(m_docMenus);
    m_defaultMenus.clear();
    m_docMenus.clear();

    auto fileMenu = [this](bool document) {
        QMenu* m = MakeMenu(tr("&Datei"));
        AddCommand(m, ids::FileNew, tr("&Neu"), QKeySequence::New);
        AddCommand(m, ids::FileOpen, tr("Ö&ffnen..."), QKeySequence::Open);
        if (document) {
            AddCommand(m, ids::FileClose, tr("S&chließen"));
            AddCommand(m, ids::FileSave, tr("&Speichern"), QKeySequence::Save);
            AddCommand(m, ids::FileSaveAs, tr("Speichern &unter..."));
            m->addSeparator();
            AddCommand(m, ids::FilePrint, tr("&Drucken..."), QKeySequence::Print);
            AddCommand(m, ids::FilePrintPreview, tr("Seiten&ansicht"));
        }
        AddCommand(m, ids::FilePrintSetup, tr("Dr&uckeinrichtung..."));
        m->addSeparator();
        AddRecentFiles(m);
        m->addSeparator();
        AddCommand(m, ids::AppExit, tr("&Beenden"));
        return m;
    };
    auto helpMenu = [this]() {
        QMenu* m = MakeMenu(tr("&?"));
        AddCommand(m, ids::HelpFinder, tr("Hilfe&themen"));
        AddCommand(m, ids::HelpIndex, tr("H&ilfe"));
        m->addSeparator();
        AddCommand(m, ids::AppAbout, tr("Inf&o über QUILLOMER..."));
        return m;
    };
    auto viewBars = [this](QMenu* m) {
        AddCommand(m, ids::ViewToolBar, tr("&Symbolleiste"))->setCheckable(true);
        AddCommand(m, ids::ViewStatusBar, tr("Status&leiste"))->setCheckable(true);
        AddCommand(m, ids::ZoomBar, tr("Zoomleiste"))->setCheckable(true);
    };

    // Menu without a document.
    {
        m_defaultMenus << fileMenu(false);
        QMenu* view = MakeMenu(tr("&Ansicht"));
        viewBars(view);
        view->addSeparator();
        AddCommand(view, ids::Preferences, tr("Voreinstellungen"));
        AddLanguageMenu(view);
        view->addSeparator();
        AddCommand(view, ids::ProtocolMonitor, tr("Protokoll&monitor"))->setCheckable(true);
        m_defaultMenus << view << helpMenu();
    }
    // Menu of a designer window.
    {
        m_docMenus << fileMenu(true);
        QMenu* edit = MakeMenu(tr("&Bearbeiten"));
        AddCommand(edit, ids::EditCut, tr("&Ausschneiden"), QKeySequence::Cut);
        AddCommand(edit, ids::EditCopy, tr("&Kopieren"), QKeySequence::Copy);
        AddCommand(edit, ids::EditPaste, tr("&Einfügen"), QKeySequence::Paste);
        m_docMenus << edit;

        QMenu* view = MakeMenu(tr("&Ansicht"));
        viewBars(view);
        view->addSeparator();
        AddCommand(view, ids::ZoomIn, tr("Zoom In"));
        AddCommand(view, ids::ZoomOut, tr("Zoom Out"));
        m_docMenus << view;

        QMenu* comm = MakeMenu(tr("&Kommunikation"));
        AddCommand(comm, ids::ConnectModem, tr("Über &Modem verbinden..."));
        // One entry connects and, while connected, disconnects (relabelled in UpdateMenu).
        AddCommand(comm, ids::Connect, tr("&Verbinden"))->setProperty(kConnectEntryProperty, true);
        QMenu* ports = MakeMenu(tr("&Schnittstelle"));
        for (int i = 0; i < 4; ++i)
            AddCommand(ports, ids::ComPort1 + i, tr("COM &%1").arg(i + 1))->setCheckable(true);
        AddCommand(ports, ids::ComModem, tr("&Modem"))->setCheckable(true);
        ports->addSeparator();
        ports->addMenu(MakeMenu(QString()))->setProperty(kDeviceMenuProperty, true);
        connect(ports, &QMenu::aboutToShow, this, [this, ports] { FillPortMenu(ports); });
        FillPortMenu(ports);
        comm->addMenu(ports);
        comm->addSeparator();
        AddCommand(comm, ids::LoadParameters, tr("&Parameter laden..."));
        AddCommand(comm, ids::SendConfigFile, tr("Konfigurationsdatei senden..."));
        AddCommand(comm, ids::ExportWorksheet, tr("Exportieren ..."));
        AddCommand(comm, ids::SaveDeviceSettings, tr("Einstellungen im Gerät &speichern"));
        AddCommand(comm, ids::EditTextFile, tr("&Textdatei bearbeiten..."));
        AddCommand(comm, ids::LoadFirmware, tr("&Betriebssystem laden..."));
        comm->addSeparator();
        AddCommand(comm, ids::NetScan, tr("&Netscan"));
        AddCommand(comm, ids::Password, tr("Passwortschutz..."));
        AddCommand(comm, ids::ClearSettings, tr("&Alle Einstellungen löschen"));
        AddCommand(comm, ids::SystemConfiguration, tr("&Systemkonfiguration ..."));
        comm->addSeparator();
        AddCommand(comm, ids::DeleteLogFile, tr("LOG Datei löschen"));
        AddCommand(comm, ids::DeleteEventFile, tr("Ereignis Datei löschen"));
        comm->addSeparator();
        AddCommand(comm, ids::Fuses, tr("Sicherungen"));
        AddCommand(comm, ids::Monitor, tr("Monitor"));
        AddCommand(comm, ids::Service, tr("Service"));
        AddCommand(comm, ids::ProtocolMonitor, tr("Protokoll&monitor"))->setCheckable(true);
        m_docMenus << comm;

        QMenu* settings = MakeMenu(tr("&Einstellungen"));
        AddCommand(settings, ids::ProjectData, tr("&Projekt..."));
        AddCommand(settings, ids::Preferences, tr("&Voreinstellungen..."));
        AddLanguageMenu(settings);
        m_docMenus << settings;

        QMenu* window = MakeMenu(tr("&Fenster"));
        AddCommand(window, ids::WindowCascade, tr("Ü&berlappend"));
        AddCommand(window, ids::WindowTileHorz, tr("&Nebeneinander"));
        AddCommand(window, ids::WindowArrange, tr("&Symbole anordnen"));
        connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowList(window); });
        m_docMenus << window << helpMenu();
    }
}

int CMainFrame::ChosenComPort()
{
    return std::clamp(GetProfileInt(QStringLiteral("COMSECTION"), QStringLiteral("PORT"), 1) + 1, 1, 4);
}

void CMainFrame::FillPortMenu(QMenu* menu)
{
    // Each COM n shows the device behind it; the device sub-menu offers the
    // system's serial devices for the chosen COM n.
    const int chosen = ChosenComPort();
    for (QAction* a : menu->actions()) {
        const int id = ActionId(a);
        if (id >= ids::ComPort1 && id < ids::ComPort1 + 4) {
            const int port = id - ids::ComPort1 + 1;
            a->setText(tr("COM &%1").arg(port) + QLatin1Char('\t') + CMSComm::DevicePathForPort(port));
        }
    }
    QAction* holder = nullptr;
    for (QAction* a : menu->actions())
        if (a->property(kDeviceMenuProperty).toBool())
            holder = a;
    if (!holder)
        return;
    QMenu* devices = holder->menu();
    devices->clear();
    holder->setText(tr("&Gerät für COM %1").arg(chosen));
    const QString current = CMSComm::DevicePathForPort(chosen);
    m_portDevices.clear();
    for (const SerialDevice& d : SerialPortList::ChoicesFor(chosen)) {
        if (m_portDevices.size() >= ids::ComDeviceCount)
            break;
        const int id = ids::ComDeviceFirst + static_cast<int>(m_portDevices.size());
        QAction* a = AddCommand(devices, id, d.description.isEmpty() ? d.path : d.path + QStringLiteral("  (") +
                                                                                d.description + QLatin1Char(')'));
        a->setCheckable(true);
        a->setChecked(d.path == current);
        m_portDevices << d.path;
    }
    UpdateMenu(devices);
}

void CMainFrame::FillWindowList(QMenu* menu)
{
    // The open designer windows follow the window commands, the active one checked.
    for (QAction* a : menu->actions())
        if (a->property(kWindowEntryProperty).toBool())
            delete a;
    const QList<QMdiSubWindow*> windows = m_mdi ? m_mdi->subWindowList() : QList<QMdiSubWindow*>();
    if (windows.isEmpty())
        return;
    UpdateTitles();
    menu->addSeparator()->setProperty(kWindowEntryProperty, true);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
        a->setProperty(kWindowEntryProperty, true);
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        QPointer<QMdiSubWindow> target(sub);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target && m_mdi)
                m_mdi->setActiveSubWindow(target);
        });
    }
}

void CMainFrame::ShowMenus(bool document)
{
    m_docMenuShown = document;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* m : document ? m_docMenus : m_defaultMenus)
        bar->addMenu(m);
}

QList<QMenu*> CMainFrame::CurrentMenus() const { return m_docMenuShown ? m_docMenus : m_defaultMenus; }

QAction* CMainFrame::FindMenuAction(int id) const
{
    std::function<QAction*(QMenu*)> find = [&](QMenu* menu) -> QAction* {
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                if (QAction* f = find(a->menu()))
                    return f;
            } else if (ActionId(a) == id) {
                return a;
            }
        }
        return nullptr;
    };
    for (QMenu* m : CurrentMenus())
        if (QAction* a = find(m))
            return a;
    return nullptr;
}

void CMainFrame::UpdateMenu(QMenu* menu)
{
    CQuillomerApp* app = CQuillomerApp::Instance();
    const QStringList recent = app ? app->GetRecentFiles() : QStringList();
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->menu())
            continue;
        const int id = ActionId(a);
        if (!id)
            continue;
        if (id >= ids::FileMruFirst && id < ids::FileMruFirst + CQuillomerApp::kRecentFileCount) {
            const int i = id - ids::FileMruFirst;
            if (i < recent.size()) {
                a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i]));
                a->setVisible(true);
                a->setEnabled(true);
            } else if (i == 0) {
                a->setText(tr("Zuletzt geöffnete Datei"));
                a->setVisible(true);
                a->setEnabled(false);
            } else {
                a->setVisible(false);
            }
            continue;
        }
        if (a->property(kConnectEntryProperty).toBool()) {
            UpdateConnectEntry(a);
            continue;
        }
        CCmdUI ui(static_cast<uint32_t>(id));
        const bool handled = RouteUpdate(ui);
        ApplyState(a, ui, handled);
    }
    // A separator never stands last (or first, or twice) once items went away.
    QAction* lastVisible = nullptr;
    bool previousWasSeparator = true;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            a->setVisible(!previousWasSeparator);
            if (a->isVisible())
                previousWasSeparator = true;
        } else if (a->isVisible()) {
            previousWasSeparator = false;
        }
        if (a->isVisible())
            lastVisible = a;
    }
    while (lastVisible && lastVisible->isSeparator()) {
        lastVisible->setVisible(false);
        lastVisible = nullptr;
        for (QAction* a : menu->actions())
            if (a->isVisible())
                lastVisible = a;
    }
}

void CMainFrame::ApplyState(QAction* action, const CCmdUI& ui, bool handled)
{
    action->setVisible(!ui.m_removed);
    action->setEnabled(handled && ui.m_enabled);
    if (action->isCheckable())
        action->setChecked(ui.m_checked != 0);
    if (ui.m_textSet)
        action->setText(QString::fromStdString(ui.m_text));
}

void CMainFrame::UpdateConnectEntry(QAction* action)
{
    // With a document the entry disconnects while the link is connected and
    // connects otherwise; without one it is disabled.
    CQuillomerDoc* doc = GetActiveDocument();
    const bool disconnect = doc && m_link && m_link->IsConnected();
    const int id = disconnect ? ids::Disconnect : ids::Connect;
    action->setProperty(kIdProperty, id);
    CCmdUI ui(static_cast<uint32_t>(id));
    const bool handled = RouteUpdate(ui);
    ui.SetText((disconnect ? tr("&Trennen") : tr("&Verbinden")).toStdString());
    ui.Enable(doc != nullptr && handled && ui.m_enabled);
    ApplyState(action, ui, true);
}

void CMainFrame::UpdateToolBars()
{
    for (QToolBar* bar : {m_stdBar, static_cast<QToolBar*>(m_zoomBar)}) {
        if (!bar)
            continue;
        for (QAction* a : bar->actions()) {
            const int id = ActionId(a);
            if (!id)
                continue;
            CCmdUI ui(static_cast<uint32_t>(id));
            const bool handled = RouteUpdate(ui);
            a->setEnabled(handled && ui.m_enabled && !ui.m_removed);
        }
    }
    if (m_zoomBar)
        m_zoomBar->UpdateComboState(GetActiveView() != nullptr);
}

void CMainFrame::ReloadMenus()
{
    // The designer windows stay as the user placed them.
    const bool document = m_docMenuShown;
    BuildMenus();
    ShowMenus(document);
    CreateStatusBar();
    statusBar()->update();
    if (m_stdBar)
        m_stdBar->setWindowTitle(tr("Standard"));
    if (m_zoomBar)
        m_zoomBar->setWindowTitle(tr("Zoom"));
    for (QToolBar* bar : {m_stdBar, static_cast<QToolBar*>(m_zoomBar)}) {
        if (!bar)
            continue;
        for (QAction* a : bar->actions()) {
            const QString tip = a->property(kTipProperty).toString();
            if (!tip.isEmpty())
                a->setText(tr(tip.toUtf8().constData()));
        }
    }
}

// ---- Command routing ----

bool CMainFrame::RouteUpdate(CCmdUI& ui)
{
    if (m_link && m_link->OnUpdateCommand(ui))
        return true;
    CQuillomerView* view = GetActiveView();
    if (view && view->OnUpdateCommand(ui))
        return true;
    if (view && m_template && m_template->OnUpdateDocCommand(view->GetDocument(), ui))
        return true;
    if (view && view->GetDocument() && view->GetDocument()->OnUpdateCommand(ui))
        return true;
    if (OnUpdateCommand(ui))
        return true;
    CQuillomerApp* app = CQuillomerApp::Instance();
    return app && app->OnUpdateCommand(ui);
}

bool CMainFrame::OnCmdMsg(int id)
{
    // A command whose item is disabled (reached by a shortcut) is not carried out.
    CCmdUI ui(static_cast<uint32_t>(id));
    if (!RouteUpdate(ui) || !ui.m_enabled || ui.m_removed)
        return false;
    if (m_link && m_link->OnCommand(id))
        return true;
    CQuillomerView* view = GetActiveView();
    if (view && view->OnCommand(id))
        return true;
    if (view && view->GetDocument() && view->GetDocument()->OnCommand(static_cast<uint32_t>(id)))
        return true;
    if (OnCommand(id))
        return true;
    CQuillomerApp* app = CQuillomerApp::Instance();
    return app && app->OnCommand(id);
}

QString CMainFrame::HelpFileName(const char* extension)
{
    QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName() + QLatin1String(extension);
}

bool CMainFrame::OnUpdateCommand(CCmdUI& ui)
{
    const int flags = GetServiceFlags();
    switch (ui.m_nID) {
    case ids::Preferences:
        return true;
    case ids::ProtocolMonitor:
        if (!(flags & FlagProtocolMonitor)) {
            ui.Remove();
            return true;
        }
        ui.Enable(m_link && m_link->IsConnected());
        ui.SetCheck(m_link && m_link->IsConnected() && IsProtocolMonitorVisible());
        return true;
    case ids::ZoomBar:
        ui.SetCheck(m_zoomBar && m_zoomBar->isVisible());
        return true;
    case ids::ViewToolBar:
        ui.SetCheck(m_stdBar && m_stdBar->isVisible());
        return true;
    case ids::ViewStatusBar:
        ui.SetCheck(statusBar()->isVisible());
        return true;
    case ids::HelpIndex:
        if (!(flags & FlagHelp))
            ui.Remove();
        return true;
    case ids::HelpFinder:
        if (!QFileInfo::exists(HelpFileName(".hlp")) || !QFileInfo::exists(HelpFileName(".cnt")))
            ui.Remove();
        return true;
    case ids::FileNew:
        return true;
    case ids::WindowCascade:
    case ids::WindowTileHorz:
    case ids::WindowArrange:
        ui.Enable(m_mdi && !m_mdi->subWindowList().isEmpty());
        return true;
    default:
        if (static_cast<int>(ui.m_nID) >= ids::ComDeviceFirst &&
            static_cast<int>(ui.m_nID) < ids::ComDeviceFirst + m_portDevices.size()) {
            // The device of a port cannot change under a connection.
            const QString path = m_portDevices[static_cast<int>(ui.m_nID) - ids::ComDeviceFirst];
            ui.Enable(!(m_link && m_link->IsConnected()));
            ui.SetCheck(path == CMSComm::DevicePathForPort(ChosenComPort()));
            return true;
        }
        return false;
    }
}

bool CMainFrame::OnCommand(int id)
{
    switch (id) {
    case ids::Preferences:
        if (CQuillomerApp* app = CQuillomerApp::Instance())
            app->ShowPreferences(this);
        return true;
    case ids::ProtocolMonitor:
        ShowProtocolMonitor(!IsProtocolMonitorVisible());
        return true;
    case ids::ZoomBar:
        if (m_zoomBar)
            m_zoomBar->setVisible(!m_zoomBar->isVisible());
        return true;
    case ids::ViewToolBar:
        m_stdBar->setVisible(!m_stdBar->isVisible());
        return true;
    case ids::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case ids::HelpIndex:
        OnHelpIndex();
        return true;
    case ids::HelpFinder:
        OnHelpFinder();
        return true;
    case ids::WindowCascade:
        m_mdi->cascadeSubWindows();
        return true;
    case ids::WindowTileHorz:
        m_mdi->tileSubWindows();
        return true;
    case ids::WindowArrange:
        m_mdi->tileSubWindows();
        return true;
    default:
        if (id >= ids::ComDeviceFirst && id < ids::ComDeviceFirst + m_portDevices.size()) {
            WriteProfileString(QStringLiteral("COMSECTION"), QStringLiteral("DevicePath%1").arg(ChosenComPort()),
                               m_portDevices[id - ids::ComDeviceFirst]);
            return true;
        }
        return false;
    }
}

void CMainFrame::OnHelpIndex()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFileName(".hlp")));
}

void CMainFrame::OnHelpFinder()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFileName(".cnt")));
}

// ---- Active child ----

CQuillomerView* CMainFrame::GetActiveView() const
{
    if (!m_mdi)
        return nullptr;
    QMdiSubWindow* sub = m_mdi->currentSubWindow();
    if (!sub)
        sub = m_mdi->activeSubWindow();
    auto* child = qobject_cast<CChildFrame*>(sub);
    return child ? child->GetView() : nullptr;
}

CQuillomerDoc* CMainFrame::GetActiveDocument() const
{
    CQuillomerView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    const bool document = m_mdi && !m_mdi->subWindowList().isEmpty();
    if (document != m_docMenuShown)
        ShowMenus(document);
    if (auto* child = qobject_cast<CChildFrame*>(window))
        if (CQuillomerView* view = child->GetView())
            view->UpdateZoomBar();
    UpdateTitles();
    if (m_zoomBar)
        m_zoomBar->UpdateComboState(GetActiveView() != nullptr);
}

void CMainFrame::UpdateTitles()
{
    if (!m_mdi)
        return;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(sub))
            child->UpdateTitle();
    const QString title = MainTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
}

QString CMainFrame::MainTitle() const
{
    CQuillomerDoc* doc = GetActiveDocument();
    const QString base = tr("QUILLOMER Designer");
    return doc ? base + QStringLiteral(" - ") + QString::fromStdString(doc->GetTitle()) : base;
}

// ---- Device services ----

int CMainFrame::QueryWaitMs(size_t length)
{
    const double n = static_cast<double>(length + 2);
    return static_cast<int>(((n / 1920.0) + (n / 1920.0 + 1.0 / 96.0)) * 1000.0 + 100.0);
}

std::string CMainFrame::QueryDevice(const std::string& command)
{
    if (command.empty() || !m_link)
        return {};
    const size_t n = command.size() + 2;
    const std::string answer = m_link->Query(command, QueryWaitMs(command.size()));
    // The echoed command and its line end come first.
    return answer.size() > n ? answer.substr(n) : std::string();
}

void CMainFrame::OnDocumentClosing(CQuillomerDoc* doc, bool closing)
{
    if (m_link)
        m_link->OnDocumentClosing(doc, closing);
}

void CMainFrame::OnDocumentRenamed(CQuillomerDoc* doc)
{
    if (m_link)
        m_link->OnDocumentRenamed(doc);
}

void CMainFrame::SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten)
{
    ::SendCommand(line, doc, shorten);
}

// ---- Protocol monitor ----

QRect CMainFrame::ParseMonitorSize(const QString& text)
{
    if (const auto xywh = ScanFourInts(text.toLatin1().constData(), CScreenFit::kPlacementLimit))
        return QRect(xywh->at(0), xywh->at(1), xywh->at(2), xywh->at(3));
    return QRect(80, 80, 300, 400);
}

void CMainFrame::ShowProtocolMonitor(bool show)
{
    if (!m_monitor)
        return;
    m_monitor->setVisible(show);
    if (show) {
        // The user watches the traffic now: the next line goes out with its path.
        if (CCommLink* link = GetCommLink())
            link->ClearLastSentPath();
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_monitor && m_monitorOuterSize.isValid() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QSize border = m_monitor->frameGeometry().size() - m_monitor->size();
        if (border.width() > 0 || border.height() > 0) {
            const QSize inner = m_monitorOuterSize - border;
            m_monitorOuterSize = QSize();
            m_monitor->resize(inner);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::IsProtocolMonitorVisible() const { return m_monitor && m_monitor->isVisible(); }

// ---- Dropped files ----

void CMainFrame::OnDropFiles(const QStringList& paths)
{
    if (paths.size() != 1) {
        ShowMessage(tr("Bitte nur 1 Datei fallen lassen !").toStdString(), mb::IconStop);
        return;
    }
    const QString path = QFileInfo(paths.front()).absoluteFilePath();
    if (path.right(4).toUpper() == QLatin1String(".TXT")) {
        if (m_link)
            m_link->SendTextFile(path.toStdString());
        return;
    }
    if (m_template)
        m_template->OpenDocumentFile(path);
}

namespace {
// Only files can be dropped: a web link dragged from a browser names no file
// to open or send.
bool HoldsOnlyFiles(const QMimeData* data)
{
    if (!data->hasUrls() || data->urls().isEmpty())
        return false;
    for (const QUrl& url : data->urls())
        if (!url.isLocalFile() || url.toLocalFile().isEmpty())
            return false;
    return true;
}
}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (HoldsOnlyFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        QMainWindow::dragEnterEvent(event);
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    if (!HoldsOnlyFiles(event->mimeData())) {
        QMainWindow::dropEvent(event);
        return;
    }
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << url.toLocalFile();
    event->acceptProposedAction();
    OnDropFiles(paths);
}

// ---- Window events ----

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A transfer or a progress holds the window (it takes no input): the
    // window manager's close button would close the documents under it.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (m_template && !m_template->SaveAllModified()) {
        event->ignore();
        return;
    }
    if (m_template)
        m_template->CloseAllDocuments();
    if (m_monitor)
        m_monitor->hide();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    switch (event->type()) {
    case QEvent::LocaleChange:
        ShowMessage(tr("Das Ändern von Ländereinstellungen während geöffneten\nDialogen mit Zeit- und Datumsangaben "
                       "wird nichtunterstützt.\nBitte brechen Sie diese Dialoge ab und öffnen Sie sie neu!")
                        .toStdString());
        break;
    case QEvent::WindowTitleChange: {
        // A maximised MDI window writes its own title into the main window's
        // ("<main title> - [<window title>]"). The main title names the
        // project in front already, so it is put back as it is.
        const QString title = MainTitle();
        if (windowTitle() != title)
            setWindowTitle(title);
        break;
    }
    case QEvent::PaletteChange:
        // System colours changed: the symbols are made again with the new window colour.
        if (m_bitmaps) {
            m_bitmaps->FreeBitmaps();
            m_bitmaps->LoadBitmaps();
        }
        break;
    default:
        break;
    }
}
