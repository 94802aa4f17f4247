#pragma once
// One pane of the spare-amplifier window: the spare entries (mode 34370) or
// the watch records of the selected entry (mode 34383). Row data is the
// entry index (0..7) or the watch index (0..9).

#include <QTimer>
#include <QTreeWidget>

#include "ui/CSelectionDlg.h"
#include "ui/CSlowClickRename.h"

class CQuillomerDoc;
class CSpareAmp;

class CSpareAmpView : public CSlowClickRename<QTreeWidget> {
    Q_OBJECT
public:
    static constexpr int kSpareMode = 34370;
    static constexpr int kWatchMode = 34383;
    static constexpr int kPollMs = 1500;

    CSpareAmpView(CQuillomerDoc* doc, int mode, QWidget* parent = nullptr);

    int GetMode() const { return m_mode; }
    CSpareAmp* GetTable() const;
    // The entry (or watch) index of the selected row; -1 none.
    int SelectedIndex() const;

    void FillSpares();
    void FillWatches(int entry);
    // New and delete for the pane's mode (entries left, watches right).
    void NewItem(int entry);
    void DeleteItem(int entry);

    // Text of a spare or watched object: amplifier channel or ready input.
    QString ObjectText(bool readyInput, int index) const;
    // Live replacement polling of column 3 (only while connected).
    void SetPolling(bool on);
    bool IsPolling() const { return m_poll.isActive(); }
    void PollOnce();

signals:
    void EntryChanged(int entry);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void OnDoubleClick(QTreeWidgetItem* item, int column);
    void OnRenamed(QTreeWidgetItem* item, int column);
    void SelectIndex(int index);
    // The selection dialog of `kind`, opening on `held`: false on Cancel, on
    // OK without a new choice and, for a spare, on "Kein Eintrag".
    bool ChooseObject(int kind, const CSelectionDlg::Held& held, uint32_t& type, int& number, int& channel);
    // What a spare or a watch holds (a ready input, else a system-wide
    // amplifier channel; 0 none), as the selection dialog's rows carry it.
    CSelectionDlg::Held HeldOf(bool readyInput, int index) const;

    CQuillomerDoc* m_doc;
    int m_mode;
    int m_entry = -1;  // the entry whose watches are shown
    bool m_filling = false;
    QTimer m_poll {this};  // a child, so that a window switched away from stops it
};
