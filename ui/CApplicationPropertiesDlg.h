#pragma once
// The preferences sheet "Voreinstellungen": start-up, directories and, when
// the device communication has registered it, the modem page. Each page
// stores its own values.

#include "ui/CPropertySheet.h"
#include "ui/UiIds.h"

#include <functional>

class CChooseDirectoryPage;
class COpenFilePage;
class CPropertyPage;

class CApplicationPropertiesDlg : public CPropertySheet {
    Q_OBJECT
public:
    CApplicationPropertiesDlg(unsigned int captionId = uistr::Preferences, QWidget* parent = nullptr, int selectPage = 0);

    COpenFilePage* OpenFilePage() const { return m_pOpenFilePage; }
    CChooseDirectoryPage* DirectoryPage() const { return m_pDirectoryPage; }
    CPropertyPage* ModemPage() const { return m_pModemPage; }

    // The modem page comes with the device communication, which registers its
    // factory at start; it is added as the third page.
    using PageFactory = std::function<CPropertyPage*()>;
    static PageFactory SetModemPageFactory(PageFactory factory);

private:
    CPropertyPage* m_pModemPage = nullptr;
    COpenFilePage* m_pOpenFilePage;
    CChooseDirectoryPage* m_pDirectoryPage;
};
