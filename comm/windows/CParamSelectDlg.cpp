#include "comm/windows/CParamSelectDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "comm/ParameterGroups.h"
#include "comm/SettingsFile.h"
#include "comm/windows/CTextFileDlg.h"
#include "model/CQuillomerDoc.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CParamSelectDlg"),
    [](CQuillomerDoc* doc) -> QWidget* {
        static ParamSelection selection;  // read and written by the dialog only
        selection = ParamSelection{};
        selection.doc = doc;
        return new CParamSelectDlg(selection);
    });
}  // namespace

CParamSelectDlg::CParamSelectDlg(ParamSelection& selection, QWidget* parent)
    : QDialog(parent)
    , m_selection(selection)
{
    setWindowTitle(tr("QUILLOMER - Betriebsparameter lesen oder setzen"));
    auto* layout = new QVBoxLayout(this);
    m_groups = new QListWidget(this);
    const QSettings settings;
    const uint32_t stored = settings.value(QStringLiteral("Configuration/Download"), 0).toUInt();
    int bit = 0;
    for (const std::string& text : ParameterGroupTexts()) {
        auto* item = new QListWidgetItem(QCoreApplication::translate("ParameterGroups", text.c_str()), m_groups);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(((stored >> bit) & 1u) ? Qt::Checked : Qt::Unchecked);
        ++bit;
    }
    layout->addWidget(m_groups);
    auto* row = new QHBoxLayout;
    m_selectAll = new QPushButton(tr("&Alle auswählen"), this);
    auto* textFile = new QPushButton(tr("&Textdatei..."), this);
    row->addWidget(m_selectAll);
    row->addWidget(textFile);
    layout->addLayout(row);
    m_upload = new QRadioButton(tr("QUILLOMER  --->  PC   (UPLOAD)"), this);
    m_download = new QRadioButton(tr("PC ---> QUILLOMER  (DOWNLOAD)"), this);
    layout->addWidget(m_upload);
    layout->addWidget(m_download);
    (m_selection.direction == 0 ? m_upload : m_download)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CParamSelectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CParamSelectDlg::reject);
    connect(m_selectAll, &QPushButton::clicked, this, &CParamSelectDlg::OnSelectAll);
    connect(textFile, &QPushButton::clicked, this, &CParamSelectDlg::OnTextFile);
}

uint32_t CParamSelectDlg::CheckedGroups() const
{
    uint32_t groups = 0;
    for (int i = 0; i < m_groups->count(); ++i) {
        if (m_groups->item(i)->checkState() == Qt::Checked)
            groups |= 1u << i;
    }
    return groups;
}

void CParamSelectDlg::OnSelectAll()
{
    for (int i = 0; i < m_groups->count(); ++i)
        m_groups->item(i)->setCheckState(m_toggle ? Qt::Checked : Qt::Unchecked);
    m_toggle = !m_toggle;
    m_selectAll->setText(m_toggle ? tr("Alle auswählen") : tr("Alle löschen"));
}

void CParamSelectDlg::OnTextFile()
{
    QString directory;
    if (m_selection.doc && !m_selection.doc->GetPathName().empty())
        directory = QFileInfo(QString::fromStdString(m_selection.doc->GetPathName())).absolutePath();
    CTextFileDlg dlg(QString::fromStdString(m_selection.textFileName), directory, this);
    dlg.exec();
}

void CParamSelectDlg::accept()
{
    const uint32_t groups = CheckedGroups();
    WriteSetting(QStringLiteral("Configuration/Download"), static_cast<int>(groups));
    m_selection.direction = m_upload->isChecked() ? 0 : 1;
    m_selection.textFile = HasTextFileGroup(groups);
    m_selection.objects.clear();
    if (m_selection.doc)
        m_selection.objects = CollectParameterGroupObjects(*m_selection.doc, groups);
    QDialog::accept();
}
