#pragma once
// Modal dialog of pages on tabs with "OK", "Abbrechen" and "Übernehmen". OK
// and Apply apply every page that has been shown; Apply is enabled once a
// page reports a change.

#include <QDialog>
#include <QList>

class CPropertyPage;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    CPropertySheet(const QString& caption, QWidget* parent = nullptr, int selectPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_Pages.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    void SetActivePage(int index);
    int DoModal();

    // What the buttons do, also for callers without a button press. Apply
    // first asks the active page to let go (it may refuse a value), then
    // applies every page that has been shown.
    virtual bool Apply();
    void accept() override;
    void reject() override;
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* CancelButton() const { return m_pCancel; }
    // A change that cannot be taken back has been made: "Abbrechen" becomes
    // "Schließen".
    void CancelToClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* m_pTabs;
    QDialogButtonBox* m_pButtons;
    QPushButton* m_pApply;
    QPushButton* m_pCancel;
    QList<CPropertyPage*> m_Pages;
    int m_nStartPage;
};
