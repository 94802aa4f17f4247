#include "hardware/windows/CConnectionsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

namespace {
[[maybe_unused]] const bool g_registered = CWindowRegistry::Register(
    QStringLiteral("CConnectionsDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        auto* dlg = new CConnectionsDlg;
        const auto& list = doc->GetList(CAT_DIGITAL_SLOT);
        dlg->m_pDevice = list.empty() ? nullptr : list.front();
        return dlg;
    });
}  // namespace

CConnectionsDlg::CConnectionsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kTemplateId));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral(" Input list"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Output list"), this), 0, 1);
    m_inputList = new QListWidget(this);
    m_inputList->setObjectName(QStringLiteral("1437"));
    m_outputList = new QListWidget(this);
    m_outputList->setObjectName(QStringLiteral("1438"));
    grid->addWidget(m_inputList, 1, 0);
    grid->addWidget(m_outputList, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 2);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(330, 160)));
}

std::string CConnectionsDlg::RecordLine(const CBaseDevice* self, const LinkRecord& r, bool outgoing)
{
    const unsigned lch = static_cast<unsigned>(r.ownKey);
    const unsigned ch = static_cast<unsigned>(r.partnerKey);
    if (r.partner == LinkRecord::NoPartner())
        return StrFormat(outgoing ? "PBASEDEVICE = -1 ,LCH = 0x%x, CH = 0x%x" : "PBASEDEVICE = -1, LCH = 0x%x, CH = 0x%x",
                         lch, ch);
    if (r.partner == nullptr)
        return StrFormat("PBASEDEVICE = NULL, LCH = 0x%x, CH = 0x%x", lch, ch);
    if (r.partner == self)
        return StrFormat("SELF-POINTER, LCH = 0x%x, CH = 0x%x", lch, ch);
    return StrFormat("%s, LCH = 0x%x, CH = 0x%x", r.partner->GetName().c_str(), lch, ch);
}

void CConnectionsDlg::setVisible(bool visible)
{
    if (visible && !m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CConnectionsDlg::OnInitDialog()
{
    if (!m_pDevice)
        return;
    setWindowTitle(QStringLiteral("Connections of device '%1'").arg(QString::fromStdString(m_pDevice->GetName())));
    for (const LinkRecord* r : m_pDevice->m_outLinks)
        m_inputList->addItem(QString::fromStdString(RecordLine(m_pDevice, *r, true)));
    for (const LinkRecord* r : m_pDevice->m_inLinks)
        m_outputList->addItem(QString::fromStdString(RecordLine(m_pDevice, *r, false)));
}
