#pragma once
// The notice shown when connecting ("Wichtiger Hinweis!"): the user chooses
// whether it comes every time, never again, or at intervals; OK stores the
// choice in "KVT7000"/"OnlineCounter" (1, 0 or 2). It opens with the stored
// choice ticked.

#include <QDialog>

class QCheckBox;
class QLabel;

class COnlineNoticeDlg : public QDialog {
    Q_OBJECT
public:
    explicit COnlineNoticeDlg(QWidget* parent = nullptr);

    QCheckBox* NeverBox() const { return m_never; }
    QCheckBox* IntervalBox() const { return m_interval; }
    QLabel* NoteLabel() const { return m_note; }
    // The counter value the ticked boxes stand for.
    int CounterValue() const;

    void accept() override;

private:
    QLabel* m_note;         // what the user should keep in mind while connected
    QCheckBox* m_never;     // 1680
    QCheckBox* m_interval;  // 1681
};
