#include "shell/CProjectDataDlg.h"

#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "shell/ShellIds.h"
#include "ui/CPictureSet.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"
#include "ui/LocaleDates.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <limits>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CProjectDataDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CProjectDataDlg; });
}  // namespace

QL_STRING_TABLE({
    {34531, "Aufgrund des größeren Speichers in der Geräteversion KVT7000 Upgrade\ngibt es folgende SW "
            "Unterschiede:\n\ninterner Message Rekorder verfügbar\nAudio Verzögerung\t\t\t330ms "
            "\t(340ms)\nMonitoreinträge\t\t\t250\t(50)\nMonitorrelais\t\t\t50\t(20)\nTagesprogramme\t\t\t20\t(10)"
            "\nEinträge pro Tagesprogramm\t\t100\t(40)\nFeiertagseinträge\t\t\t50\t(20)\nEreignisse\t\t\t50\t(20)"
            "\nMakros\t\t\t\t250\t(80)\nTrigger\t\t\t\t100\t(50)\nBedingungen\t\t\t250\t(100)\nAnalogbedingung\t\t\t20"
            "\t(16)\nAktivbedingung\t\t\t50\t(5)\nKombinatorische Bedingungen\t50\t(10)\nLogikzustände\t\t\t250\t(30)"
            "\n\nAchtung!\nBeim Wechsel von KVT7000 auf KVT7000a benötigt das Arbeitsblatt\nkeine Anpassung!"
            "\nUmgekehrt wird der Funktionsumfang gemäß der Liste reduziert!"},
});

CProjectDataDlg::CProjectDataDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ProjectDataDlg"));
    setWindowTitle(tr("Projektdaten"));
    // The project's information picture at the left, beside the fields.
    auto* outer = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("252"));
    picture->setPixmap(CPictureSet::Icon(252).pixmap(32, 32));
    outer->addWidget(picture, 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    outer->addLayout(grid, 1);
    int row = 0;
    auto addEdit = [&](const QString& label, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        CTextGuard::Guard(edit);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row, 1, 1, 2);
        ++row;
        return edit;
    };
    m_name = addEdit(tr("Projektname"), "1262");
    m_number = addEdit(tr("Projektnummer"), "1266");
    m_company = addEdit(tr("Firma"), "1263");
    m_address = addEdit(tr("Adresse"), "1215");
    m_system = addEdit(tr("Systemrufnummer"), "1267");
    m_editor = addEdit(tr("Bearbeiter"), "1216");
    m_date = addEdit(tr("Datum"), "1217");
    m_file = addEdit(tr("Dateiname (ohne ext.)"), "1265");

    m_check = new QCheckBox(tr("Paßwort"), this);
    m_check->setObjectName(QStringLiteral("1213"));
    m_editPassword = new QLineEdit(this);
    m_editPassword->setObjectName(QStringLiteral("1218"));
    m_editPassword->setEchoMode(QLineEdit::Password);
    CTextGuard::Guard(m_editPassword);
    grid->addWidget(m_check, row, 0);
    grid->addWidget(m_editPassword, row, 1, 1, 2);
    ++row;

    auto* descLabel = new QLabel(tr("Projektbeschreibung"), this);
    descLabel->setObjectName(QStringLiteral("1729"));
    m_description = new QPlainTextEdit(this);
    m_description->setObjectName(QStringLiteral("1264"));
    CTextGuard::Guard(m_description, true);
    grid->addWidget(descLabel, row++, 0, 1, 3);
    grid->addWidget(m_description, row++, 0, 1, 3);

    m_standard = new QRadioButton(tr("KVT 7000"), this);
    m_standard->setObjectName(QStringLiteral("1542"));
    m_upgrade = new QRadioButton(tr("KVT 7000 Upgrade"), this);
    m_upgrade->setObjectName(QStringLiteral("1005"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_standard, 0);
    group->addButton(m_upgrade, 1);
    grid->addWidget(m_standard, row, 0);
    grid->addWidget(m_upgrade, row, 1);
    ++row;

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Abbrechen"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row, 0, 1, 3);

    connect(ok, &QPushButton::clicked, this, &CProjectDataDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_check, &QCheckBox::clicked, this, &CProjectDataDlg::OnPasswordCheck);
    connect(m_standard, &QRadioButton::clicked, this, &CProjectDataDlg::OnVariantClicked);
    connect(m_upgrade, &QRadioButton::clicked, this, &CProjectDataDlg::OnVariantClicked);
}

void CProjectDataDlg::UpdateData(bool save)
{
    if (save) {
        m_strProjectName = m_name->text();
        m_strProjectNumber = m_number->text();
        m_strCompany = m_company->text();
        m_strAddress = m_address->text();
        m_strSystemNumber = m_system->text();
        m_strEditor = m_editor->text();
        m_strDate = m_date->text();
        m_strFileName = m_file->text();
        m_bPassword = m_check->isChecked() ? 1 : 0;
        m_strPassword = m_editPassword->text();
        m_strDescription = m_description->toPlainText();
        m_nDeviceVariant = m_standard->isChecked() ? 0 : m_upgrade->isChecked() ? 1 : -1;
        return;
    }
    m_name->setText(m_strProjectName);
    m_number->setText(m_strProjectNumber);
    m_company->setText(m_strCompany);
    m_address->setText(m_strAddress);
    m_system->setText(m_strSystemNumber);
    m_editor->setText(m_strEditor);
    m_date->setText(m_strDate);
    m_file->setText(m_strFileName);
    m_check->setChecked(m_bPassword != 0);
    m_editPassword->setText(m_strPassword);
    m_description->setPlainText(m_strDescription);
    // A radio group with no choice shows no button set.
    auto* group = m_standard->group();
    group->setExclusive(false);
    m_standard->setChecked(m_nDeviceVariant == 0);
    m_upgrade->setChecked(m_nDeviceVariant == 1);
    group->setExclusive(true);
}

void CProjectDataDlg::SetFromProjectData(const ProjectData& d)
{
    m_strProjectName = QString::fromStdString(d.projectName);
    m_strProjectNumber = QString::fromStdString(d.projectNumber);
    m_strCompany = QString::fromStdString(d.company);
    m_strAddress = QString::fromStdString(d.address);
    m_strEditor = QString::fromStdString(d.editor);
    m_strDescription = QString::fromStdString(d.description);
    m_bPassword = d.password.empty() ? 0 : 1;
    m_strPassword = QString::fromStdString(d.password);
    m_nDeviceVariant = d.deviceVariant;
    m_strSystemNumber = QString::fromStdString(d.systemCallNumber);
    m_strDate = QString::fromStdString(d.dateText);
    m_strFileName = QString::fromStdString(d.fileTitle);
    m_timeDate = static_cast<std::time_t>(d.projectDate);
}

void CProjectDataDlg::GetProjectData(ProjectData& d) const
{
    d.projectName = m_strProjectName.toStdString();
    d.projectNumber = m_strProjectNumber.toStdString();
    d.company = m_strCompany.toStdString();
    d.address = m_strAddress.toStdString();
    d.editor = m_strEditor.toStdString();
    d.description = m_strDescription.toStdString();
    d.dateText = m_strDate.toStdString();
    d.fileTitle = m_strFileName.toStdString();
    d.password = m_bPassword ? m_strPassword.toStdString() : std::string();
    d.projectDate = static_cast<uint32_t>(m_timeDate);
    d.deviceVariant = m_nDeviceVariant;
    d.systemCallNumber = m_strSystemNumber.toStdString();
}

bool CProjectDataDlg::OnInitDialog()
{
    UpdateData(false);
    m_strDateShown = m_strDate;
    m_editPassword->setEnabled(m_bPassword != 0);
    return true;
}

void CProjectDataDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CProjectDataDlg::OnPasswordCheck()
{
    m_bPassword = !m_bPassword;
    m_editPassword->setEnabled(m_bPassword != 0);
}

void CProjectDataDlg::OnVariantClicked()
{
    if (ShowMessageId(ids::StrVariantInfo, mb::OkCancel) == mb::IdOk)
        UpdateData(true);
    else
        UpdateData(false);
}

bool CProjectDataDlg::IsDateOfEitherLanguage(const QString& text)
{
    return ParseLocaleDateTime(text, QLocale(QLocale::German, QLocale::Germany)).has_value() ||
           ParseLocaleDateTime(text, QLocale(QLocale::English, QLocale::UnitedStates)).has_value();
}

void CProjectDataDlg::OnOK()
{
    UpdateData(true);
    // A date text left as the program wrote it stands for the project's
    // date, also where its two-digit year reads as another century
    // ("31.12.99" written for 2099) or it stands in the other language's
    // form (after a switch of language).
    const bool leftAsWritten = m_strDate == m_strDateShown && IsDateOfEitherLanguage(m_strDate);
    const std::optional<QDateTime> dt = leftAsWritten ? std::nullopt : ParseLocaleDateTime(m_strDate);
    if (dt) {
        // The project holds its date as an unsigned 32-bit count of seconds
        // from 1970: a date before (or after 2106) would come back as
        // another one, so it is no project date.
        const qint64 seconds = dt->toSecsSinceEpoch();
        if (seconds < 0 || seconds > std::numeric_limits<uint32_t>::max()) {
            ShowMessageId(ids::StrBadDate, mb::Ok);
            return;
        }
        m_timeDate = static_cast<std::time_t>(seconds);
    } else if (!leftAsWritten) {
        // A text typed in another form, or one that is no date at all (an
        // old project's "Error"), is no project date.
        ShowMessageId(ids::StrBadDate, mb::Ok);
        return;
    }
    accept();
}
