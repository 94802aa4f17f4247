#pragma once
// The day programme window ("Eigenschaften von Tagesprogrammen", window kind
// 9): the day programmes on the left, the entries of the selected one on the
// right, the edit-window switch bar and the own bar 513.

#include "ui/CFeatureFrm.h"

class CDayprogDlgListView;
class CDayprogDlgEntryView;
class QSplitter;

class CDayprogDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 9;
    explicit CDayprogDlgFrm(QWidget* parent = nullptr);

    CDayprogDlgListView* GetListView() const { return m_list; }
    CDayprogDlgEntryView* GetEntryView() const { return m_entries; }
    // Refills both lists.
    void RefillAll();

protected:
    bool OnFrameCommand(unsigned commandId) override;
    // The transfer buttons follow the connection made or ended while the
    // window was open, as soon as the user comes back to it.
    void changeEvent(QEvent* event) override;

private:
    void UpdateTransferButtons();

    QSplitter* m_splitter = nullptr;
    CDayprogDlgListView* m_list = nullptr;
    CDayprogDlgEntryView* m_entries = nullptr;
};
