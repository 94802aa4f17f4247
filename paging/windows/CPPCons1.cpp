#include "paging/windows/CPPCons1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "comm/CCommLink.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "paging/CConsole.h"
#include "paging/CConsoleObject.h"
#include "paging/ConsoleIds.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CWholeSpinBox.h"
#include "ui/CWholeValidator.h"

namespace {
std::string QueryThroughLink(const std::string& line)
{
    CCommLink* link = GetCommLink();
    return link && link->IsConnected() ? link->QueryUntilLineEnd(line, 5000) : std::string();
}

CPPCons1::Query& QueryHook()
{
    static CPPCons1::Query fn = &QueryThroughLink;
    return fn;
}

QLineEdit* ReadOnly(QWidget* parent, int id)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setReadOnly(true);
    return e;
}

QCheckBox* Check(const QString& text, QWidget* parent, int id)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::number(id));
    return c;
}

CConsoleObject* ConsoleNode(CConsole* console)
{
    CQuillomerDoc* doc = console ? console->GetDocument() : nullptr;
    return doc ? dynamic_cast<CConsoleObject*>(doc->GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT)) : nullptr;
}
}  // namespace

CPPCons1::Query CPPCons1::SetQuery(Query fn)
{
    Query old = QueryHook();
    QueryHook() = fn ? fn : &QueryThroughLink;
    return old;
}

CPPCons1::CPPCons1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(kTemplateId));
    m_type = ReadOnly(this, 1138);
    m_address = ReadOnly(this, 1128);
    m_slot = ReadOnly(this, 1129);
    m_input = ReadOnly(this, 1130);
    m_input->setMaxLength(1);
    m_status = new QPlainTextEdit(this);
    m_status->setObjectName(QStringLiteral("1133"));
    m_status->setReadOnly(true);
    m_comp = Check(tr("Mikrofon Kompressor"), this, 1244);
    m_buzzer = Check(tr("Hinweiston"), this, 1143);
    m_german = Check(tr("Deutsche Datumsanzeige (Alternative: englisch)"), this, 1311);
    m_preChime = Check(tr("Vorgong bei Durchsagen"), this, 1142);
    m_dosChar = Check(tr("Umlaute gemäß DOS-Zeichensatz (Alternative: WINDOWS-Zeichensatz)"), this, 1376);
    m_preChime->hide();
    m_dosChar->hide();
    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("1249"));
    m_user->setValidator(new CWholeValidator(0, 999, m_user));
    m_expert = new QLineEdit(this);
    m_expert->setObjectName(QStringLiteral("1006"));
    m_expert->setValidator(new CWholeValidator(0, 9999, m_expert));
    m_onPrio = new QLineEdit(this);
    m_onPrio->setObjectName(QStringLiteral("1140"));
    m_onPrioSpin = new CWholeSpinBox(this);
    m_onPrioSpin->setObjectName(QStringLiteral("1076"));
    m_onPrioSpin->setRange(0, 10);
    m_extText = new QLabel(this);
    m_extText->setObjectName(QStringLiteral("1654"));
    const char* extTexts[4] = {QT_TR_NOOP("unbenutzt"), QT_TR_NOOP("AUX-Quelle"), QT_TR_NOOP("WRN2296"),
                               QT_TR_NOOP("PTT-Mikrofon")};
    for (int i = 0; i < 4; ++i) {
        m_ext[i] = new QRadioButton(tr(extTexts[i]), this);
        m_ext[i]->setObjectName(QString::number(1245 + i));
        m_ext[i]->setEnabled(false);
        m_ext[i]->hide();
    }
    m_pttLabel = new QLabel(tr("Priorität:"), this);
    m_pttLabel->setObjectName(QStringLiteral("1254"));
    m_pttPrio = new QComboBox(this);
    m_pttPrio->setObjectName(QStringLiteral("1375"));
    m_pttPrio->addItems({tr("PTT > Int.Mic"), tr("PTT < Int.Mic"), tr("Blockprio")});
    m_pttLabel->hide();
    m_pttPrio->hide();
    m_fault = Check(tr("ins FAULT handling miteinbezogen"), this, 1552);
    m_version = new QPushButton(tr("SW - Version abfragen"), this);
    m_version->setObjectName(QStringLiteral("1358"));
    m_userLevel = new QPushButton(tr("Benutzerlevel abfragen"), this);
    m_userLevel->setObjectName(QStringLiteral("1360"));

    auto* where = new QGroupBox(tr("Netzwerk"), this);
    auto* whereForm = new QFormLayout(where);
    whereForm->addRow(tr("Type:"), m_type);
    whereForm->addRow(tr("Adresse:"), m_address);
    whereForm->addRow(tr("Slot:"), m_slot);
    whereForm->addRow(tr("Input:"), m_input);
    auto* passwords = new QGroupBox(tr("Passwörter"), this);
    auto* pwForm = new QFormLayout(passwords);
    pwForm->addRow(tr("Benutzer (3 Ziffern) :"), m_user);
    pwForm->addRow(tr("Experte (4 Ziffern) :"), m_expert);
    auto* onPrio = new QGroupBox(tr("Einschaltpriorität"), this);
    auto* onPrioRow = new QHBoxLayout(onPrio);
    onPrioRow->addWidget(m_onPrio);
    onPrioRow->addWidget(m_onPrioSpin);
    auto* ext = new QGroupBox(tr("EXT-Anschluß"), this);
    auto* extBox = new QVBoxLayout(ext);
    extBox->addWidget(m_extText);
    for (QRadioButton* r : m_ext)
        extBox->addWidget(r);
    auto* ptt = new QHBoxLayout;
    ptt->addWidget(m_pttLabel);
    ptt->addWidget(m_pttPrio);
    extBox->addLayout(ptt);
    auto* attributes = new QGroupBox(tr("Eigenschaften"), this);
    auto* attrBox = new QVBoxLayout(attributes);
    for (QCheckBox* c : {m_comp, m_buzzer, m_german, m_preChime, m_dosChar, m_fault})
        attrBox->addWidget(c);
    auto* status = new QGroupBox(tr("Status:"), this);
    auto* statusBox = new QVBoxLayout(status);
    statusBox->addWidget(m_status);
    auto* queries = new QHBoxLayout;
    queries->addWidget(m_version);
    queries->addWidget(m_userLevel);
    statusBox->addLayout(queries);

    auto* grid = new QGridLayout(this);
    grid->addWidget(where, 0, 0);
    grid->addWidget(attributes, 0, 1);
    grid->addWidget(passwords, 1, 0);
    grid->addWidget(onPrio, 1, 1);
    grid->addWidget(ext, 2, 0);
    grid->addWidget(status, 2, 1);
    grid->setRowStretch(3, 1);

    auto modified = [this] {
        if (!m_loading)
            SetModified(true);
    };
    for (QCheckBox* c : {m_comp, m_buzzer, m_german, m_preChime, m_dosChar, m_fault})
        connect(c, &QCheckBox::toggled, this, modified);
    connect(m_user, &QLineEdit::textEdited, this, modified);
    connect(m_expert, &QLineEdit::textEdited, this, modified);
    connect(m_pttPrio, &QComboBox::activated, this, modified);
    connect(m_onPrioSpin, &QSpinBox::valueChanged, this, [this, modified](int v) {
        if (m_loading)
            return;
        m_onPrio->setText(QString::number(v));
        modified();
    });
    connect(m_onPrio, &QLineEdit::textEdited, this, [this, modified](const QString& text) {
        const TypedWhole typed = ScanTypedWhole(text.toStdString());
        const std::optional<long long> v = ScanTypedWholeAlone(text.toStdString());
        // An emptied field reads as 0 and is left empty for the next digit;
        // a decimal is left as typed, for OK to refuse, never read as 0.
        const bool decimal = typed.kind == TypedWhole::Decimal && typed.alone;
        if (!text.isEmpty() && !decimal && (!v || *v < 0 || *v > 10))
            m_onPrio->setText(QStringLiteral("0"));
        m_loading = true;
        if (!decimal)
            m_onPrioSpin->setValue(static_cast<int>(ScanTypedWholeAlone(m_onPrio->text().toStdString()).value_or(0)));
        m_loading = false;
        modified();
    });
    connect(m_version, &QPushButton::clicked, this,
            [this] { QueryValue("RELEASE", IDS_CONS_NO_VERSION, IDS_CONS_VERSION_REFUSED); });
    connect(m_userLevel, &QPushButton::clicked, this,
            [this] { QueryValue("OPLEVEL", IDS_CONS_NO_USERLEVEL, IDS_CONS_USERLEVEL_REFUSED); });

    // Until a console is loaded: the factory values.
    m_onPrio->setText(QStringLiteral("7"));
    m_user->setText(QString::number(CConsProp::kDefaultUserPassword));
    m_expert->setText(QString::number(CConsProp::kDefaultExpertPassword));
    m_pttPrio->setCurrentIndex(-1);
}

void CPPCons1::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CPPCons1::SwitchTo(CConsole* console)
{
    if (m_console && m_console != console)
        OnOK();
    m_console = console;
    Load();
}

void CPPCons1::OnSetActive()
{
    Load();
}

void CPPCons1::Load()
{
    if (!m_console)
        return;
    m_loading = true;
    CConsProp& p = m_console->GetProp();
    m_type->setText(QString::fromStdString(p.GetParamText(consparam::Type)));
    m_address->setText(QString::number(m_console->GetAddress()));
    const int input = m_console->GetInputIndex();
    m_slot->setText(input >= 0 ? QString::number(input / 2 + 1) : QString());
    m_input->setText(input >= 0 ? QString(input % 2 == 0 ? QLatin1Char('A') : QLatin1Char('B')) : QString());
    const int onPrio = std::atoi(p.GetParamText(consparam::OnPrio).c_str()) / 10;
    m_onPrioSpin->setValue(onPrio);
    m_onPrio->setText(QString::number(onPrio));
    m_preChime->setChecked(p.GetParamText(consparam::PreChime) != "0");
    m_buzzer->setChecked(p.GetParamText(consparam::Buzzer) != "0");
    m_comp->setChecked(p.GetParamText(consparam::Comp) != "0");
    m_german->setChecked(p.GetParamText(consparam::German) != "0");
    m_dosChar->setChecked(p.GetParamText(consparam::DosChar) != "0");
    m_console->SetupModel();
    m_extValue = std::clamp(std::atoi(p.GetParamText(consparam::Ext).c_str()), 0, 3);
    m_ext[m_extValue]->setChecked(true);
    m_extText->setText(m_ext[m_extValue]->text());
    const bool ptt = m_extValue == consext::Ptt;
    m_pttPrio->setCurrentIndex(std::clamp(std::atoi(p.GetParamText(consparam::PttPrio).c_str()), 0, 2));
    m_pttPrio->setEnabled(ptt);
    m_pttLabel->setEnabled(ptt);
    m_expert->setText(QString::fromStdString(p.GetParamText(consparam::ExpertPassword)));
    m_user->setText(QString::fromStdString(p.GetParamText(consparam::UserPassword)));
    CQuillomerDoc* doc = m_console->GetDocument();
    const bool connected = doc && doc->IsConnected();
    m_version->setEnabled(connected);
    m_userLevel->setEnabled(connected);
    const CConsoleObject* node = ConsoleNode(m_console);
    m_fault->setChecked(node && node->IsReference((static_cast<uint32_t>(m_console->GetNumber()) << 16) | 1));
    m_loading = false;
}

bool CPPCons1::OnOK()
{
    // Unchanged, the page writes nothing back: a power-on priority that is
    // no multiple of ten stays as it is.
    if (!m_console || !m_modified)
        return true;
    // A decimal ("123,4") or no number is refused with the field's range,
    // never read as 0 nor as its digits run together.
    const auto read = [](const QLineEdit* edit) {
        return static_cast<int>(
            std::clamp<long long>(ScanTypedWholeAlone(edit->text().toStdString()).value_or(-1), -1, 100000));
    };
    const int onPrio = read(m_onPrio);
    const int expert = read(m_expert);
    const int user = read(m_user);
    auto refuse = [](QLineEdit* edit, int low, int high) {
        ShowMessage(tr("Geben Sie eine Zahl zwischen %1 und %2 ein.").arg(low).arg(high).toStdString(),
                    mb::IconExclamation);
        edit->setFocus();
        return false;
    };
    if (onPrio < 0 || onPrio > 10)
        return refuse(m_onPrio, 0, 10);
    if (expert < 1000 || expert > 9999)
        return refuse(m_expert, 1000, 9999);
    if (user < 100 || user > 999)
        return refuse(m_user, 100, 999);
    CConsProp& p = m_console->GetProp();
    p.SetParamText(consparam::OnPrio, std::to_string(onPrio * 10));
    p.SetParamText(consparam::Buzzer, m_buzzer->isChecked() ? "1" : "0");
    if (m_pttPrio->currentIndex() >= 0)
        p.SetParamText(consparam::PttPrio, std::to_string(m_pttPrio->currentIndex()));
    p.SetParamText(consparam::Comp, m_comp->isChecked() ? "1" : "0");
    p.SetParamText(consparam::German, m_german->isChecked() ? "1" : "0");
    p.SetParamText(consparam::DosChar, m_dosChar->isChecked() ? "1" : "0");
    p.SetParamText(consparam::Ext, std::to_string(m_extValue));
    p.SetParamText(consparam::ExpertPassword, std::to_string(expert));
    p.SetParamText(consparam::UserPassword, std::to_string(user));
    if (CConsoleObject* node = ConsoleNode(m_console))
        node->SetReference(1, (m_fault->isChecked() ? 1u << 16 : 0u) | static_cast<uint32_t>(m_console->GetNumber()));
    // Each setter marks the project when it changes what the console holds:
    // the values shown, typed again, mark nothing.
    SetModified(false);
    return true;
}

void CPPCons1::LineLost()
{
    m_version->setEnabled(false);
    m_userLevel->setEnabled(false);
}

void CPPCons1::QueryValue(const char* key, unsigned failureId, unsigned refusedId)
{
    if (!m_console)
        return;
    m_status->clear();
    const std::string line = m_console->GetPath() + "/" + key + " ?";
    std::string answer = QueryHook()(line);
    if (answer.empty()) {
        ShowMessageId(failureId, mb::IconExclamation);
        return;
    }
    std::string value = answer.size() >= line.size() - 1 ? answer.substr(line.size() - 1) : std::string();
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n'))
        value.pop_back();
    // "?" is the device's word for a query it refuses: it did answer, and
    // says so; the status field stays empty as it does without an answer.
    const size_t last = value.find_last_not_of(' ');
    if (last == std::string::npos) {
        ShowMessageId(failureId, mb::IconExclamation);
        return;
    }
    if (value.substr(0, last + 1) == "?") {
        ShowMessageId(refusedId, mb::IconExclamation);
        return;
    }
    m_status->setPlainText(QString::fromStdString(value));
}
