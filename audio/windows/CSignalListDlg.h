#pragma once
// The signal list beside the pages of the audio signal editor: every alarm,
// chime and message signal of the document (not those of an external message
// device's sequences) with its source, and the buttons that add and delete
// signals. Renaming a row renames its signal. The one open list is reachable
// through Current().

#include <QWidget>

class CAudioSignal;
class CListCtrl;
class CQuillomerDoc;
class QToolButton;

class CSignalListDlg : public QWidget {
    Q_OBJECT
public:
    explicit CSignalListDlg(QWidget* parent = nullptr);
    ~CSignalListDlg() override;
    static CSignalListDlg* Current();

    // Lists the document's signals.
    void Fill(CQuillomerDoc* doc);
    // The first selected row's signal and index; null and -1 when none.
    CAudioSignal* GetSelectedSignal(int* index = nullptr) const;
    // Column 1: the signal's generator, "Intern" when it has none.
    void SetSourceText(CAudioSignal* signal, int row);
    // Enabling selects `row` and shows the buttons; disabling clears the
    // selection and hides them. Returns the row that was selected.
    int EnableList(bool enable, int row);
    void ClearSelection();
    // A new row for a created signal, selected.
    int AddSignalRow(CAudioSignal* signal);
    void RemoveRow(int row);
    void SelectRow(int row);
    // The page (0 alarm, 1 chime, 2 message) of a signal kind; -1 for others.
    static int PageOfKind(uint32_t kindId);

    CListCtrl* List() const { return m_list; }
    QToolButton* AddButton() const { return m_add; }
    QToolButton* DeleteButton() const { return m_delete; }

signals:
    void AddClicked();
    void DeleteClicked();
    // A row became selected: the page of its kind is to be shown.
    void SignalSelected(int page);

private:
    void OnRenamed(int row, const QString& text);

    CListCtrl* m_list = nullptr;
    QToolButton* m_add = nullptr;
    QToolButton* m_delete = nullptr;
    bool m_showSelection = true;
    bool m_filling = false;
};
