#pragma once
// Modeless progress dialog for long operations that run on the user-interface
// thread: a status line, a bar and a percent text. Every call that moves the
// bar and CheckCancelButton first dispatch all waiting events, so painting,
// serial input and the Cancel button keep working inside the operation's
// loop. While the dialog is shown its owner window is disabled. Cancel only
// raises a flag that the operation polls.

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(unsigned int captionId = 0);
    ~CProgressDlg() override;

    bool Create(QWidget* parent = nullptr);
    void SetStatus(const QString& text);
    void SetRange(int lower, int upper);
    void SetPercentFormat(const QString& format);
    int SetPos(int pos);
    bool CheckCancelButton();
    void PumpMessages();
    bool DestroyWindow();

    bool IsCreated() const { return m_bCreated; }
    QString GetStatusText() const;
    QString GetPercentText() const;
    int GetPos() const;
    QWidget* GetOwner() const { return m_pOwner; }

    unsigned int m_nCaptionID;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    QString m_strPercentFormat = QStringLiteral("%d %%");
    bool m_bCancel = false;
    bool m_bParentDisabled = false;

    // The percent of `pos` in [lower, upper]: wraps modulo 100 except at exactly 100.
    static int Percent(int pos, int lower, int upper);

protected:
    // For dialogs with a picture above the status line (the animated one).
    CProgressDlg(unsigned int captionId, QWidget* top);
    void SetStep(int step);
    int StepIt();
    // The percent text shown before the first position.
    void SetInitialPercentText(const QString& text);
    virtual bool OnInitDialog();
    void OnCancel();
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdatePercent(int pos);

    QLabel* m_pStatus;
    QProgressBar* m_pProgress;
    QLabel* m_pPercent;
    QPushButton* m_pCancel;
    QPointer<QWidget> m_pOwner;
    bool m_bCreated = false;
};
