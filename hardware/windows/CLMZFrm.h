#pragma once
// The window of the extended LMZ card properties (window kind 4): a tool bar
// with two transfer buttons (enabled while the document is connected, set
// once at creation) and three list panes. It shows no data yet.

#include <QMainWindow>
#include <QTreeWidget>

class QToolBar;

class CLMZView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CLMZView(QWidget* parent = nullptr);
};

class CLMZFrm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 4;
    static constexpr unsigned kToolBarId = 434;
    static constexpr unsigned kCardIn = 32975;
    static constexpr unsigned kCardOut = 32976;

    explicit CLMZFrm(QWidget* parent = nullptr);

    QToolBar* m_toolBar = nullptr;
    CLMZView* m_panes[3] = {};
};
