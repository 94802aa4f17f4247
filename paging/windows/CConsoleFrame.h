#pragma once
// The frame inside the keys page: the keys tool bar above the key view. A
// command goes to the key view first.

#include <QMainWindow>

class CKeyView;
class QAction;
class QScrollArea;
class QToolBar;

class CConsoleFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr unsigned kToolBarId = 385;

    explicit CConsoleFrame(bool connected, QWidget* parent = nullptr);

    CKeyView* GetKeyView() const { return m_view; }
    QScrollArea* GetScrollArea() const { return m_scroll; }
    QToolBar* GetToolBar() const { return m_toolBar; }
    QAction* GetAction(unsigned commandId) const;
    bool OnCmdMsg(unsigned commandId);

private:
    QToolBar* m_toolBar = nullptr;
    QScrollArea* m_scroll = nullptr;
    CKeyView* m_view = nullptr;
};
