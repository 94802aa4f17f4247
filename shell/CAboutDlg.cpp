#include "shell/CAboutDlg.h"

#include "shell/ShellIds.h"
#include "ui/CHyperLink.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CAboutDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CAboutDlg; });
}  // namespace

namespace {
const char kServiceMail[] = "mailto:service@halveron.example";
const char kWebSite[] = "https://www.halveron.example/";

CHyperLink* LinkLabel(const QString& url, const QString& text, QWidget* parent, const char* id)
{
    auto* l = new CHyperLink(text, url, parent);
    l->setObjectName(QLatin1String(id));
    l->SetUnderline(false);
    return l;
}
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(tr("Info über QUILLOMER Designer"));
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(CPictureSet::Icon(ids::ProgramIcon).pixmap(32, 32));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(tr("QUILLOMER Designer"), this), 0, 1);
    auto* version = new QLabel(tr("Version 1.2"), this);
    version->setObjectName(QStringLiteral("Version"));
    grid->addWidget(version, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("16.11.2000"), this), 2, 1);
    auto* second = new QLabel(this);
    second->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    grid->addWidget(second, 3, 0);
    grid->addWidget(LinkLabel(QString::fromLatin1(kServiceMail), tr("Service: service@halveron.example"), this, "1646"), 3, 1);
    grid->addWidget(LinkLabel(QString::fromLatin1(kWebSite), tr("Besuchen Sie unsere Webseite"), this, "1647"), 4, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 5, 0, 1, 2);
}
