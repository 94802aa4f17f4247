#pragma once
// The main window: a QMdiArea with one designer window per open document, the
// menus, the standard and zoom tool bars, the status bar and the protocol
// monitor window. Every command is offered to the device link first, then to
// the active designer view, its document, the frame and the application.

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <string>

#include "model/ICommandTarget.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QAction;
class CBitmapManager;
class CFontManager;
class CZoomToolBar;
class CQuillomerView;
class CQuillomerDoc;
class CDocTemplate;
class IDeviceLink;

class CMainFrame : public QMainWindow, public ICommandTarget {
    Q_OBJECT
public:
    // Service flag word bits ("Configuration"/"KVT Registry").
    enum ServiceFlag : int {
        FlagSystemConfig = 0x01, FlagMonitor = 0x04, FlagFuses = 0x08, FlagService = 0x10,
        FlagProtocolMonitor = 0x20, FlagHelp = 0x100,
    };

    using DeviceLinkFactory = std::function<std::unique_ptr<IDeviceLink>(CMainFrame*)>;
    using MonitorFactory = std::function<QWidget*(CMainFrame*)>;
    // The device link and the protocol monitor window come from their own
    // layer; they register how they are made before the frame is created.
    // Each returns the factory it replaces.
    static DeviceLinkFactory SetDeviceLinkFactory(DeviceLinkFactory factory);
    static MonitorFactory SetProtocolMonitorFactory(MonitorFactory factory);

    CMainFrame();
    ~CMainFrame() override;

    // Creation steps after construction; false when the frame cannot be used.
    bool OnCreate();

    // ---- Shared parts ----
    CBitmapManager* GetBitmapManager() const { return m_bitmaps.get(); }
    CFontManager* GetFontManager() const { return m_fonts.get(); }
    CZoomToolBar* GetZoomBar() const { return m_zoomBar; }
    QToolBar* GetStandardBar() const { return m_stdBar; }
    QMdiArea* GetMdiArea() const { return m_mdi; }
    IDeviceLink* GetDeviceLink() const { return m_link.get(); }
    void SetDeviceLink(std::unique_ptr<IDeviceLink> link);
    CDocTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(CDocTemplate* docTemplate) { m_template = docTemplate; }

    // The designer view of the active MDI child (null when none).
    CQuillomerView* GetActiveView() const;
    CQuillomerDoc* GetActiveDocument() const;

    // ---- Services for other windows ----
    void SetStatusText(const QString& text);
    QString GetStatusText() const;
    // The connection pane of the status bar.
    void SetConnectionText(const QString& text);
    // Sends a command to the device and returns its answer without the echo.
    std::string QueryDevice(const std::string& command);
    // The wait of QueryDevice for a command of `length` characters, in ms.
    static int QueryWaitMs(size_t length);
    void OnDocumentClosing(CQuillomerDoc* doc, bool closing);
    void OnDocumentRenamed(CQuillomerDoc* doc);
    void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten);
    // Rebuilds menus and status-bar texts in the current language.
    void ReloadMenus();
    // The main window's title ("QUILLOMER Designer - <project>") and the
    // designer windows' titles (also brought up to date while idle).
    void UpdateTitles();
    // "QUILLOMER Designer - <project in front>" (the program's name alone without a project).
    QString MainTitle() const;

    // ---- Protocol monitor host ----
    QWidget* GetProtocolMonitor() const { return m_monitor; }
    void ShowProtocolMonitor(bool show);
    bool IsProtocolMonitorVisible() const;
    // "Settings"/"MonitorSize" as x, y, width, height (80, 80, 300, 400 when unusable).
    static QRect ParseMonitorSize(const QString& text);

    // ---- Commands ----
    // Routes a command through the chain; true when a target handled it.
    bool OnCmdMsg(int id);
    // Fills the state of a command through the chain; false when no target handles it.
    bool RouteUpdate(CCmdUI& ui);
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    // Brings a menu's items up to date (state, removed items, no separator last).
    void UpdateMenu(QMenu* menu);
    void UpdateToolBars();
    // The menus shown now (for tests and the language switch).
    QList<QMenu*> CurrentMenus() const;
    bool IsDocumentMenuShown() const { return m_docMenuShown; }
    QAction* FindMenuAction(int id) const;

    // Dropped files: exactly one; ".txt" goes to the device, others open.
    void OnDropFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Sizes the protocol monitor's outer frame to its stored placement once
    // the window system tells how wide the frame is.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void ShowMenus(bool document);
    QMenu* MakeMenu(const QString& title);
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& key = {});
    void AddLanguageMenu(QMenu* parent);
    void FillWindowList(QMenu* menu);
    void FillPortMenu(QMenu* menu);
    static int ChosenComPort();
    static void ApplyState(QAction* action, const CCmdUI& ui, bool handled);
    void UpdateConnectEntry(QAction* action);
    void AddRecentFiles(QMenu* file);
    void CreateStatusBar();
    void CreateToolBars();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnHelpIndex();
    void OnHelpFinder();
    static QString HelpFileName(const char* extension);

    std::unique_ptr<IDeviceLink> m_link;
    CZoomToolBar* m_zoomBar = nullptr;
    std::unique_ptr<CBitmapManager> m_bitmaps;
    std::unique_ptr<CFontManager> m_fonts;
    QToolBar* m_stdBar = nullptr;
    QPointer<QWidget> m_monitor;
    QSize m_monitorOuterSize;  // stored outer size not yet given to the monitor's frame
    QMdiArea* m_mdi = nullptr;
    CDocTemplate* m_template = nullptr;

    QPixmap m_barTile;
    QPixmap m_clientTile;

    QList<QMenu*> m_defaultMenus;
    QList<QMenu*> m_docMenus;
    bool m_docMenuShown = false;
    QLabel* m_messagePane = nullptr;
    QLabel* m_connectionPane = nullptr;
    QLabel* m_capsPane = nullptr;
    QLabel* m_numPane = nullptr;
    QLabel* m_scrollPane = nullptr;
    QTimer* m_idleTimer = nullptr;
    QStringList m_portDevices;  // the devices offered for the chosen COM port, by command
};

// The one main frame of the program (null before it exists).
CMainFrame* GetMainFrame();
