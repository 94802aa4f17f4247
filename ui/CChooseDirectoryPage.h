#pragma once
// Preferences page "Verzeichnisse": the project work directory
// ("Settings"/"WorkDirectory", the home directory when none is stored). A
// directory chosen with "Durchsuchen..." is stored at once.

#include "ui/CPropertyPage.h"

class CPathLabel;
class QPushButton;

class CChooseDirectoryPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CChooseDirectoryPage(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnBrowse();

    CPathLabel* m_stcDirectory;
    QPushButton* m_btnBrowse;

    static QString SettingsKey() { return QStringLiteral("Settings/WorkDirectory"); }
    // The stored work directory, or the default.
    static QString WorkDirectory();
};
