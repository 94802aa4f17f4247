#include "audio/windows/CPowerView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <cstdint>
#include <optional>

#include "audio/CInternalPowerManagement.h"
#include "audio/windows/AudioLive.h"
#include "comm/CCommLink.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CFeatureFrm.h"
#include "ui/CTransferLoop.h"
#include "ui/CSelectionDlg.h"
#include "ui/CValueEdit.h"
#include "ui/UiIds.h"

namespace {
const char* const kPath = "/POWER/";

// Only a whole number standing alone is a number from the device: "1,5",
// "3.5" or "12abc" is not taken as 1, 3 or 12.
bool ReadInt(const std::string& text, int* value)
{
    const std::optional<long> v = ScanWholeNumber(text, INT32_MIN, INT32_MAX);
    if (v)
        *value = static_cast<int>(*v);
    return v.has_value();
}
}  // namespace

CPowerView::CPowerView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("529"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto prio = [&](CValueEdit*& edit, const QString& label, int id) {
        edit = new CValueEdit(this);
        edit->setObjectName(QString::number(id));
        auto* text = new QLabel(label, this);
        text->setBuddy(edit);
        grid->addWidget(text, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("( 0..255 )"), this), row, 2);
        ++row;
    };
    prio(m_battPrio, tr("Priorität beim automatischen Hochfahren des Systems\nbei Batterieversorgung"), 1567);
    prio(m_mainsPrio, tr("Priorität beim automatischen Hochfahren des Systems\nbei Netzversorgung"), 1568);
    prio(m_shutPrio, tr("Priorität eines Audiosignals, um das Herunterfahren des Systems zu verzögern"), 1649);
    m_battAvail = new QCheckBox(tr("Batterie vorhanden"), this);
    m_battAvail->setObjectName(QStringLiteral("1650"));
    grid->addWidget(m_battAvail, row++, 0, 1, 3);
    m_dropShut = new QCheckBox(tr("Beim Herunterfahren von Netzbetieb direkt in den Standby gehen"), this);
    m_dropShut->setObjectName(QStringLiteral("1651"));
    grid->addWidget(m_dropShut, row++, 0, 1, 3);
    auto link = [&](CEllipsisStatic*& text, const QString& label, int id, int buttonId, uint32_t key) {
        grid->addWidget(new QLabel(label, this), row, 0);
        text = new CEllipsisStatic(this, id);
        text->setObjectName(QString::number(id));
        text->SetText(QStringLiteral("-"));
        grid->addWidget(text, row, 1);
        auto* choose = new QPushButton(QStringLiteral("..."), this);
        choose->setObjectName(QString::number(buttonId));
        grid->addWidget(choose, row, 2);
        connect(choose, &QPushButton::clicked, this, [this, key] { OnChoose(key); });
        ++row;
    };
    link(m_mainsCond, tr("Bedingung für \"Hauptversorgung aktiv\""), 1569, 1573, powerkey::MainsCond);
    link(m_bootMacro, tr("Boot Makro"), 1570, 1574, powerkey::BootMacro);
    link(m_shutMacro, tr("Shutdown Makro"), 1571, 1575, powerkey::ShutMacro);
    m_on = new QPushButton(tr("Ein"), this);
    m_on->setObjectName(QStringLiteral("1572"));
    m_on->setCheckable(true);
    m_on->setEnabled(false);
    grid->addWidget(m_on, row++, 0, 1, 1, Qt::AlignLeft);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    connect(m_battPrio, &QLineEdit::editingFinished, this, [this] { OnPrioEdited(m_battPrio, powerkey::BattPrio); });
    connect(m_mainsPrio, &QLineEdit::editingFinished, this, [this] { OnPrioEdited(m_mainsPrio, powerkey::MainsPrio); });
    connect(m_shutPrio, &QLineEdit::editingFinished, this, [this] { OnPrioEdited(m_shutPrio, powerkey::ShutPrio); });
    connect(m_battAvail, &QCheckBox::clicked, this, &CPowerView::OnBattAvail);
    connect(m_dropShut, &QCheckBox::clicked, this, [this](bool on) {
        if (m_power)
            m_power->SetValue(powerkey::DropShut, on ? 1 : 0);
    });
    connect(m_on, &QPushButton::clicked, this, &CPowerView::OnPowerButton);
    m_poll.setInterval(1500);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        // Not while a transfer owns the line: the window's own counts the
        // device's echoes, another's or the whole one reads the answers.
        const CFeatureFrm* frame = CFeatureFrm::FrameOf(this);
        if (!TransferHoldsLink() && (!frame || !frame->IsTransferring()))
            audiolive::SendBlock({std::string(kPath) + "STATE ?"}, this);
    });
}

CPowerView::~CPowerView()
{
    m_poll.stop();
    audiolive::ReleaseLink(this);
}

void CPowerView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    m_power = doc ? dynamic_cast<CInternalPowerManagement*>(
                        doc->GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT))
                  : nullptr;
    if (!m_power)
        return;
    ShowPriorities();
    const bool battery = m_power->GetValue(powerkey::BattAvail) != 0;
    m_battAvail->setChecked(battery);
    if (battery) {
        m_dropShut->setChecked(m_power->GetValue(powerkey::DropShut) != 0);
    } else {
        m_dropShut->setChecked(false);
        m_power->SetValue(powerkey::DropShut, 0);
        m_dropShut->setEnabled(false);
    }
    if (IsDocConnected()) {
        m_on->setEnabled(true);
        m_poll.start();
    }
}

void CPowerView::ShowPriorities()
{
    m_mainsPrio->setText(QString::fromStdString(m_power->GetValueText(powerkey::MainsPrio)));
    m_battPrio->setText(QString::fromStdString(m_power->GetValueText(powerkey::BattPrio)));
    m_shutPrio->setText(QString::fromStdString(m_power->GetValueText(powerkey::ShutPrio)));
    ShowLinks();
}

void CPowerView::ShowLinks()
{
    m_mainsCond->SetText(QString::fromStdString(m_power->GetValueText(powerkey::MainsCond)));
    m_bootMacro->SetText(QString::fromStdString(m_power->GetValueText(powerkey::BootMacro)));
    m_shutMacro->SetText(QString::fromStdString(m_power->GetValueText(powerkey::ShutMacro)));
}

void CPowerView::OnPrioEdited(CValueEdit* edit, uint32_t key)
{
    if (!m_power)
        return;
    // A priority beyond 0..255 is held at the nearer end, however many
    // digits it has; a text that is no whole number ("1e2", "1,5", "abc",
    // blanks only) keeps the priority the project holds, shows it again and
    // tells the user the range.
    if (const std::optional<int> typed = edit->TakeWhole(0, 255))
        m_power->SetValue(key, *typed);
    edit->SetInt(m_power->GetValue(key), 1, "%d");
}

void CPowerView::OnBattAvail()
{
    if (!m_power)
        return;
    const bool on = m_battAvail->isChecked();
    m_power->SetValue(powerkey::BattAvail, on ? 1 : 0);
    m_dropShut->setEnabled(on);
    if (!on) {
        m_dropShut->setChecked(false);
        m_power->SetValue(powerkey::DropShut, 0);
    }
}

void CPowerView::OnChoose(uint32_t key)
{
    if (!m_power)
        return;
    CSelectionDlg dlg(this);
    dlg.m_nKind = key == powerkey::MainsCond ? selkind::Condition : selkind::Macro;
    // The choice opens on what is linked now, so that OK alone keeps it (the
    // first row would unlink it).
    dlg.SetHeld(CSelectionDlg::Held::Number(m_power->GetValue(key)));
    if (dlg.DoModal() != QDialog::Accepted)
        return;
    m_power->SetValue(key, dlg.m_nResultNumber);
    ShowLinks();
}

void CPowerView::OnPowerButton()
{
    const std::string line = std::string(kPath) + "STATE " + (m_on->isChecked() ? "ON" : "OFF");
    if (IsDocConnected())
        audiolive::SendBlock({line}, this);
}

std::vector<std::string> CPowerView::UploadBlock()
{
    std::vector<std::string> lines;
    for (const char* key : {"BATT_PRIO", "MAINS_PRIO", "MAINS_COND", "BOOT_MAC", "SHUT_MAC", "DROP_SHUT",
                            "BATT_AVLBL", "SHUT_PRIO"})
        lines.push_back(std::string(kPath) + key + " ?");
    return lines;
}

std::vector<std::string> CPowerView::DownloadBlock(const CInternalPowerManagement& p)
{
    auto number = [&](uint32_t key) { return StrFormat("%d", p.GetValue(key)); };
    const std::string path = kPath;
    return {path + "MAINS_COND " + number(powerkey::MainsCond), path + "MAINS_PRIO " + number(powerkey::MainsPrio),
            path + "BOOT_MAC " + number(powerkey::BootMacro),   path + "BATT_PRIO " + number(powerkey::BattPrio),
            path + "SHUT_MAC " + number(powerkey::ShutMacro),   path + "DROP_SHUT " + p.GetValueText(powerkey::DropShut),
            path + "BATT_AVLBL " + p.GetValueText(powerkey::BattAvail), path + "SHUT_PRIO " + number(powerkey::ShutPrio)};
}

void CPowerView::Transfer(bool upload)
{
    if (!m_power)
        return;
    const std::vector<std::string> lines = upload ? UploadBlock() : DownloadBlock(*m_power);
    // The frame runs it, so that a device that stops answering or reading
    // part of the way is named.
    if (CFeatureFrm* frame = CFeatureFrm::FrameOf(this)) {
        m_uploading = upload;
        frame->TransferBlocks(upload ? 1 : 0, {lines}, this, upload);
        m_uploading = false;
    }
}

void CPowerView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    if (m_uploading && m_power) {
        // The window's upload reads as the whole upload does.
        CTransferLoop::ReadUploadAnswers(m_power, answers);
        ShowPriorities();
        const bool battery = m_power->GetValue(powerkey::BattAvail) != 0;
        m_battAvail->setChecked(battery);
        m_dropShut->setEnabled(battery);
        m_dropShut->setChecked(m_power->GetValue(powerkey::DropShut) != 0);
        return;
    }
    for (const std::string& line : answers) {
        std::string key, value;
        if (!m_power || !audiolive::SplitAnswer(line, kPath, &key, &value))
            continue;
        if (value == "OFF" && key != "STATE")
            value = "0";
        int number = 0;
        if (key == "BATT_PRIO" || key == "MAINS_PRIO" || key == "SHUT_PRIO") {
            const uint32_t k = key == "BATT_PRIO" ? powerkey::BattPrio
                               : key == "MAINS_PRIO" ? powerkey::MainsPrio
                                                     : powerkey::ShutPrio;
            CValueEdit* edit = key == "BATT_PRIO" ? m_battPrio : key == "MAINS_PRIO" ? m_mainsPrio : m_shutPrio;
            // A priority beyond 0..255 is not the object's highest one: kept.
            if (ReadInt(value, &number) && number >= 0 && number <= 255) {
                m_power->SetValue(k, number);
                edit->SetInt(m_power->GetValue(k), 1, "%d");
            }
        } else if (key == "MAINS_COND" || key == "BOOT_MAC" || key == "SHUT_MAC") {
            const uint32_t k = key == "MAINS_COND" ? powerkey::MainsCond
                               : key == "BOOT_MAC" ? powerkey::BootMacro
                                                   : powerkey::ShutMacro;
            if (ReadInt(value, &number)) {
                m_power->SetValue(k, number);
                ShowLinks();
            }
        } else if (key == "DROP_SHUT" || key == "BATT_AVLBL") {
            // A word that is no answer of a flag leaves it as it was.
            const std::optional<bool> yes = ReadFlagWord(value, "YES", "NO");
            if (!yes)
                continue;
            if (key == "DROP_SHUT") {
                m_power->SetValue(powerkey::DropShut, *yes ? 1 : 0);
                m_dropShut->setChecked(m_power->GetValueText(powerkey::DropShut) == "YES");
                continue;
            }
            m_power->SetValue(powerkey::BattAvail, *yes ? 1 : 0);
            const bool on = m_power->GetValueText(powerkey::BattAvail) == "YES";
            m_battAvail->setChecked(on);
            m_dropShut->setEnabled(on);
        } else if (key == "STATE") {
            if (value == "ON" || value == "BOOT")
                m_on->setChecked(true);
            else if (value == "OFF" || value == "SHUT")
                m_on->setChecked(false);
        }
    }
    answers.clear();
}
