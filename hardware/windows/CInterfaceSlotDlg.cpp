#include "hardware/windows/CInterfaceSlotDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "hardware/CInterfaceSlot.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kInputEdits[4] = {1182, 1158, 1159, 1160};
constexpr int kInputChecks[4] = {1192, 1193, 1115, 1116};
constexpr int kOutputEdits[4] = {1174, 1175, 1176, 1114};
constexpr int kOutputChecks[4] = {1126, 1125, 1123, 1122};

bool RunDialog(CInterfaceSlot* card, uint32_t& powerPack)
{
    return CInterfaceSlotDlg::Run(card, powerPack);
}

struct Installer {
    Installer() { CInterfaceSlot::SetDialogHook(&RunDialog); }
} g_installer;

[[maybe_unused]] const bool g_registered = CWindowRegistry::Register(
    QStringLiteral("CInterfaceSlotDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        for (CBaseDevice* obj : doc->GetList(CAT_INTERFACE))
            if (auto* card = dynamic_cast<CInterfaceSlot*>(obj))
                return new CInterfaceSlotDlg(card);
        return nullptr;
    });

QString Text(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

bool CInterfaceSlotDlg::Run(CInterfaceSlot* card, uint32_t& powerPack)
{
    CInterfaceSlotDlg dlg(card, QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    powerPack = dlg.m_requestedPowerPack;
    return true;
}

CInterfaceSlotDlg::CInterfaceSlotDlg(CInterfaceSlot* card, QWidget* parent) : QDialog(parent), m_card(card)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(QStringLiteral("Interface"));
    static const char* const kInLabels[4] = {"PC", "DCF77", "INP 1", "INP 2"};
    static const char* const kOutLabels[4] = {"READY", "MONITOR", "REMOTE", ""};
    const QString inDefaults[4] = {QStringLiteral("PC"), Text(interfaceslot::CmdDcf77), Text(interfaceslot::CmdInp1),
                                   Text(interfaceslot::CmdInp2)};
    const QString outDefaults[4] = {Text(interfaceslot::CmdReady), Text(interfaceslot::CmdMonitor),
                                    Text(interfaceslot::CmdRemote), QString()};
    auto* inputs = new QGroupBox(tr("Eingänge"), this);
    auto* outputs = new QGroupBox(tr("Ausgänge"), this);
    auto* inGrid = new QGridLayout(inputs);
    auto* outGrid = new QGridLayout(outputs);
    for (int i = 0; i < 4; ++i) {
        m_inputs[i].Make(inputs, QString::fromLatin1(kInLabels[i]), kInputChecks[i], kInputEdits[i],
                         card->AttachedName(false, i), inDefaults[i]);
        inGrid->addWidget(m_inputs[i].check, i, 0);
        inGrid->addWidget(m_inputs[i].edit, i, 1);
        m_outputs[i].Make(outputs, QString::fromLatin1(kOutLabels[i]), kOutputChecks[i], kOutputEdits[i],
                          i < 3 ? card->AttachedName(true, i) : std::string(), outDefaults[i]);
        outGrid->addWidget(m_outputs[i].check, i, 0);
        outGrid->addWidget(m_outputs[i].edit, i, 1);
    }
    auto* power = new QGroupBox(tr("24V - Netzteil "), this);
    auto* powerRow = new QHBoxLayout(power);
    m_power[0] = new QRadioButton(QStringLiteral("FJX3392   (4A)"), power);
    m_power[0]->setObjectName(QStringLiteral("1464"));
    m_power[1] = new QRadioButton(QStringLiteral("FJX3397   (12A)"), power);
    m_power[1]->setObjectName(QStringLiteral("1004"));
    powerRow->addWidget(m_power[0]);
    powerRow->addWidget(m_power[1]);
    if (const LinkRecord* r = card->GetOutLinkAtKey(4); r && r->HasPartner()) {
        if (r->partner->GetKindId() == interfaceslot::CmdFJX3392)
            m_power[0]->setChecked(true);
        else if (r->partner->GetKindId() == interfaceslot::CmdFJX3397)
            m_power[1]->setChecked(true);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(inputs);
    row->addWidget(outputs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CInterfaceSlotDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addWidget(power);
    main->addWidget(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(260, 140)));
}

void CInterfaceSlotDlg::accept()
{
    if (ContactRow::RefuseNoNames(m_inputs, m_outputs))
        return;
    std::vector<std::string> in, out;
    for (int i = 0; i < 4; ++i) {
        in.push_back(m_inputs[i].Name());
        out.push_back(m_outputs[i].Name());
    }
    const int power = m_power[0]->isChecked() ? 0 : m_power[1]->isChecked() ? 1 : -1;
    m_requestedPowerPack = m_card->ApplyDialog(in, out, power);
    QDialog::accept();
}
