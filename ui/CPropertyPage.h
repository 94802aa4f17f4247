#pragma once
// One page of a CPropertySheet. OnInitDialog runs when the page is first
// shown; OnApply runs for every initialised page when the user presses OK or
// Apply; SetModified(true) enables the sheet's Apply button.

#include <QString>
#include <QWidget>

class CPropertySheet;

class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPage(const QString& title, QWidget* parent = nullptr);

    QString GetTitle() const { return m_strTitle; }
    void SetModified(bool modified = true);
    bool IsModified() const { return m_bModified; }
    bool IsInitialised() const { return m_bInitialised; }

    // Runs OnInitDialog once.
    void EnsureInitialised();

    virtual bool OnInitDialog() { return true; }
    // Stores the page's values; false keeps the sheet open.
    virtual bool OnApply();
    virtual void OnCancel() {}
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }

signals:
    void ModifiedChanged(bool modified);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_strTitle;
    bool m_bModified = false;
    bool m_bInitialised = false;
};
