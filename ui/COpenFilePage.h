#pragma once
// Preferences page "Programmstart": what the program does when it starts
// without a file on the command line ("Configuration"/"ShellCommand": 0 no
// project, 1 a new project, 2 the most recent project, -1 none chosen).

#include "ui/CPropertyPage.h"

class QButtonGroup;

class COpenFilePage : public CPropertyPage {
    Q_OBJECT
public:
    enum { IDC_NO_PROJECT = 1003, IDC_NEW_PROJECT = 1004, IDC_LAST_PROJECT = 1042 };

    explicit COpenFilePage(QWidget* parent = nullptr);

    int m_nStartupAction;
    bool OnApply() override;
    QButtonGroup* Buttons() const { return m_pGroup; }

    static QString SettingsKey() { return QStringLiteral("Configuration/ShellCommand"); }

private:
    QButtonGroup* m_pGroup;
};
