#include "shell/Preferences.h"

#include "shell/ShellIds.h"
#include "ui/CApplicationPropertiesDlg.h"

void ShowPreferencesSheet(QWidget* parent)
{
    CApplicationPropertiesDlg sheet(ids::StrPreferencesCaption, parent, 0);
    sheet.exec();
}
