#include "hardware/windows/CDigitalSlotDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "hardware/CDigitalSlot.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kInputEdits[8] = {1182, 1158, 1159, 1160, 1161, 1162, 1163, 1164};
constexpr int kInputChecks[8] = {1192, 1193, 1115, 1116, 1117, 1118, 1119, 1127};
constexpr int kOutputEdits[8] = {1174, 1175, 1176, 1114, 1178, 1179, 1180, 1181};
constexpr int kOutputChecks[8] = {1126, 1125, 1123, 1122, 1121, 1120, 1128, 1129};
constexpr uint32_t kSlaveClocks = 34091;  // "Nebenuhren"

bool RunDialog(CDigitalSlot* card)
{
    return CDigitalSlotDlg::Run(card);
}

struct Installer {
    Installer() { CDigitalSlot::SetDialogHook(&RunDialog); }
} g_installer;

[[maybe_unused]] const bool g_registered = CWindowRegistry::Register(
    QStringLiteral("CDigitalSlotDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        for (CBaseDevice* obj : doc->GetList(CAT_DIGITAL_SLOT))
            if (auto* card = dynamic_cast<CDigitalSlot*>(obj))
                return new CDigitalSlotDlg(card);
        return nullptr;
    });
}  // namespace

bool CDigitalSlotDlg::Run(CDigitalSlot* card)
{
    CDigitalSlotDlg dlg(card, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

CDigitalSlotDlg::CDigitalSlotDlg(CDigitalSlot* card, QWidget* parent) : QDialog(parent), m_card(card)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(QStringLiteral("Digital Module"));
    auto* inputs = new QGroupBox(tr("Eingänge"), this);
    auto* outputs = new QGroupBox(tr("Ausgänge"), this);
    auto* inGrid = new QGridLayout(inputs);
    auto* outGrid = new QGridLayout(outputs);
    for (int i = 0; i < kContacts; ++i) {
        m_inputs[i].Make(inputs, QStringLiteral("IN %1").arg(i + 1), kInputChecks[i], kInputEdits[i],
                         card->PadName(false, i), QString::fromStdString(LoadStringId(digitalslot::CmdInput)) + QStringLiteral(" %1").arg(i + 1));
        inGrid->addWidget(m_inputs[i].check, i, 0);
        inGrid->addWidget(m_inputs[i].edit, i, 1);
        const QString outLabel = i == 0 ? QStringLiteral("NU") : QStringLiteral("OUT %1").arg(i + 1);
        const QString outDefault = i == 0 ? QString::fromStdString(LoadStringId(kSlaveClocks))
                                          : QString::fromStdString(LoadStringId(digitalslot::CmdOutput)) + QStringLiteral(" %1").arg(i + 1);
        m_outputs[i].Make(outputs, outLabel, kOutputChecks[i], kOutputEdits[i], card->PadName(true, i), outDefault);
        outGrid->addWidget(m_outputs[i].check, i, 0);
        outGrid->addWidget(m_outputs[i].edit, i, 1);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(inputs);
    row->addWidget(outputs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDigitalSlotDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addWidget(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(260, 170)));
}

void CDigitalSlotDlg::accept()
{
    if (ContactRow::RefuseNoNames(m_inputs, m_outputs))
        return;
    std::vector<std::string> in, out;
    for (int i = 0; i < kContacts; ++i) {
        in.push_back(m_inputs[i].Name());
        out.push_back(m_outputs[i].Name());
    }
    m_card->ApplyPadNames(in, out);
    QDialog::accept();
}
