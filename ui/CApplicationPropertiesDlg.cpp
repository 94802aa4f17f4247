#include "ui/CApplicationPropertiesDlg.h"

#include "ui/CChooseDirectoryPage.h"
#include "ui/COpenFilePage.h"

#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CApplicationPropertiesDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CApplicationPropertiesDlg; });
}  // namespace

namespace {
CApplicationPropertiesDlg::PageFactory& ModemFactory()
{
    static CApplicationPropertiesDlg::PageFactory factory;
    return factory;
}
}  // namespace

CApplicationPropertiesDlg::PageFactory CApplicationPropertiesDlg::SetModemPageFactory(PageFactory factory)
{
    PageFactory old = std::move(ModemFactory());
    ModemFactory() = std::move(factory);
    return old;
}

CApplicationPropertiesDlg::CApplicationPropertiesDlg(unsigned int captionId, QWidget* parent, int selectPage)
    : CPropertySheet(QString::fromStdString(LoadStringId(captionId)), parent, selectPage)
{
    m_pOpenFilePage = new COpenFilePage;
    m_pDirectoryPage = new CChooseDirectoryPage;
    AddPage(m_pOpenFilePage);
    AddPage(m_pDirectoryPage);
    if (ModemFactory()) {
        m_pModemPage = ModemFactory()();
        AddPage(m_pModemPage);
    }
}
