#pragma once
// The extended amplifier window ("Erweiterte Verstärker Eigenschaften",
// window kind 3 of the feature window host): three list panes side by side
// and a tool bar whose two buttons mirror the connected state.

#include <QMainWindow>

class CAmpView;
class QAction;
class QSplitter;
class QToolBar;

class CAmpFrm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr unsigned kToolBarId = 435;
    static constexpr unsigned kButton1 = 32977;
    static constexpr unsigned kButton2 = 32978;
    static constexpr int kWindowKind = 3;

    explicit CAmpFrm(QWidget* parent = nullptr);

    CAmpView* GetPane(int column) const;
    QSplitter* GetSplitter() const { return m_splitter; }
    QToolBar* GetToolBar() const { return m_toolBar; }
    QAction* GetButton(int index) const { return index == 0 ? m_button1 : m_button2; }

    // The framework's tool-tip rule: the part of the command's string-table
    // text after its newline, at most 80 characters.
    static QString ToolTipText(unsigned commandId);

private:
    QAction* AddButton(unsigned commandId, bool checked);

    QSplitter* m_splitter = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_button1 = nullptr;
    QAction* m_button2 = nullptr;
    CAmpView* m_panes[3] = {};
};
