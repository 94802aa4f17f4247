#pragma once
// "Sprechstellen Eigenschaften": the modal settings of the consoles, with the
// tree of all consoles at the left and two pages: the general page and the
// keys page. Picking another console switches both pages to it.

#include <QDialog>

#include <vector>

class CConsole;
class CConsoleTreeDlg;
class CPPCons1;
class CPPCons2;
class CQuillomerDoc;
class QPushButton;
class QTabWidget;
class QTimer;

class CConsolePropertySheet : public QDialog {
    Q_OBJECT
public:
    enum Page { General = 0, Keys = 1 };
    // How often an open sheet looks whether its project is still connected.
    static constexpr int kLineWatchMs = 250;

    CConsolePropertySheet(CQuillomerDoc* doc, CConsole* console, QWidget* parent = nullptr);
    ~CConsolePropertySheet() override;

    // Switches both pages to `console` (null: no console, the pages hidden).
    bool SwitchConsole(CConsole* console);
    void OnTreeSelection(CConsole* console);
    void SetActivePage(Page page);
    Page GetActivePage() const;
    // Apply: the active page's changes go into the console.
    bool Apply();

    CConsole* GetConsole() const { return m_console; }
    CPPCons1* GetGeneralPage() const { return m_general; }
    CPPCons2* GetKeysPage() const { return m_keys; }
    CConsoleTreeDlg* GetTree() const { return m_tree; }
    QPushButton* GetApplyButton() const { return m_apply; }
    QPushButton* GetCancelButton() const { return m_cancel; }

    void accept() override;
    void reject() override;

    // Opens the settings of a console modally (the console's properties command).
    static void Open(CConsole* console);

private:
    void UpdateApply();
    void OnTabChanged(int index);
    // The line to the device is lost: the buttons that ask the device are
    // greyed, as in a sheet opened offline.
    void WatchLine();

    CQuillomerDoc* m_doc;
    CConsole* m_console = nullptr;
    CConsoleTreeDlg* m_tree = nullptr;
    QTabWidget* m_tabs = nullptr;
    CPPCons1* m_general = nullptr;
    CPPCons2* m_keys = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
    QTimer* m_lineWatch = nullptr;
    int m_activeTab = -1;
    bool m_switchingTabs = false;
};
