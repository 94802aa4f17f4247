#pragma once
// "Sprechstellenübersicht": the tree of all consoles beside the pages of the
// console settings. Picking a console switches the pages to it.

#include <QWidget>

class CConsole;
class CConsolePropertySheet;
class CTreeCtrlEx;
class QTreeWidgetItem;

class CConsoleTreeDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 272;

    explicit CConsoleTreeDlg(CConsolePropertySheet* sheet);

    CTreeCtrlEx* GetTree() const { return m_tree; }
    // The root "WRN-Sprechstellen" with one item per console; `selected` is chosen.
    void Fill(const std::vector<CConsole*>& consoles, CConsole* selected);
    CConsole* ConsoleOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const CConsole* console) const;
    // Marks the console's item again without switching the sheet (a switch
    // that was refused).
    void Reselect(const CConsole* console);

private:
    CConsolePropertySheet* m_sheet;
    CTreeCtrlEx* m_tree = nullptr;
    bool m_filling = false;
};
