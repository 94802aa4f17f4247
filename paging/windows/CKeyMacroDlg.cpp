#include "paging/windows/CKeyMacroDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/windows/CKeyPropDlg.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kMaxRepeat = 10;
constexpr int kMaxRadioField = 50;

struct ActivationRow {
    const char* description;
    const char* type;
};
const ActivationRow kRows[] = {
    {QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste loslassen : keine Aktion"), "Trigger"},
    {QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste loslassen : Makro B starten"), QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste")},
    {QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste das 2. mal Drücken : Makro B starten"),
     QT_TRANSLATE_NOOP("CKeyMacroDlg", "Schalter")},
    {QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste gedrückt halten: Makro A wiederholen"), "Repeat"},
    {QT_TRANSLATE_NOOP("CKeyMacroDlg", "Taste gehört zu einem Radiotastenfeld"), "Radio"},
};
constexpr int32_t kFunctionOfType[] = {CKF_MACRO, CKF_MACRO, CKF_MACSWT, CKF_MACREP, CKF_MACRAD};

QSpinBox* Spin(QWidget* parent, int id, int max)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::number(id));
    s->setRange(1, max);
    // The values change through the arrows only.
    s->setReadOnly(false);
    s->findChild<QLineEdit*>()->setReadOnly(true);
    return s;
}
}  // namespace

CKeyMacroDlg::CKeyMacroDlg(CKeyPropDlg* owner, CConsKey* key) : QDialog(owner), m_owner(owner), m_key(key)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Makro-Aktivierung einstellen"));
    m_macroA = new QLineEdit(this);
    m_macroA->setObjectName(QStringLiteral("1303"));
    m_macroA->setReadOnly(true);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("1304"));
    for (const ActivationRow& row : kRows)
        m_type->addItem(tr(row.description) + QStringLiteral("      Type = \"") + tr(row.type) +
                        QStringLiteral("\""));
    m_macroBGroup = new QGroupBox(tr("Makro B"), this);
    m_macroBGroup->setObjectName(QStringLiteral("1309"));
    m_macroB = new QComboBox(m_macroBGroup);
    m_macroB->setObjectName(QStringLiteral("1305"));
    (new QVBoxLayout(m_macroBGroup))->addWidget(m_macroB);
    m_repeatGroup = new QGroupBox(tr("Wiederholungen pro Sekunde"), this);
    m_repeatGroup->setObjectName(QStringLiteral("1306"));
    m_repeat = Spin(m_repeatGroup, 1006, kMaxRepeat);
    (new QVBoxLayout(m_repeatGroup))->addWidget(m_repeat);
    m_radioGroup = new QGroupBox(tr("Radiotastenfeldnummer"), this);
    m_radioGroup->setObjectName(QStringLiteral("1307"));
    m_radio = Spin(m_radioGroup, 1215, kMaxRadioField);
    (new QVBoxLayout(m_radioGroup))->addWidget(m_radio);

    // Macro B choices: the macros of the document, by number.
    if (CConsole* console = key ? key->GetConsole() : nullptr)
        if (CQuillomerDoc* doc = console->GetDocument()) {
            DeviceList macros;
            doc->GetIDManager().GetBaseDeviceList(macros, OT_MACRO);
            for (CBaseDevice* m : macros)
                m_macroB->addItem(QStringLiteral("%1  %2").arg(m->GetNumber()).arg(QString::fromStdString(m->GetName())),
                                  m->GetNumber());
        }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Schließen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Die Makrotaste startet beim Drücken das folgende Makro :"), this));
    layout->addWidget(m_macroA);
    // The note breaks its line after the hyphen of "Tasten-", as designed,
    // rather than showing the blanks that made the break.
    QString note = tr("( Makro A : Im Tasten-       dialog bereits festgelegt)");
    note.replace(QRegularExpression(QStringLiteral("-\\s{2,}")), QStringLiteral("-\n"));
    layout->addWidget(new QLabel(note, this));
    layout->addWidget(new QLabel(tr("Aktivierungsablauf :"), this));
    layout->addWidget(new QLabel(tr("Der weitere Ablauf wird durch den Aktivierungstyp bestimmt:"), this));
    layout->addWidget(m_type);
    auto* values = new QHBoxLayout;
    values->addWidget(m_macroBGroup);
    values->addWidget(m_repeatGroup);
    values->addWidget(m_radioGroup);
    layout->addLayout(values);
    layout->addWidget(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {260, 170}));

    connect(m_type, &QComboBox::activated, this, &CKeyMacroDlg::ChooseActivation);
    connect(m_macroB, &QComboBox::activated, this, &CKeyMacroDlg::ChooseMacroB);
    connect(m_repeat, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_showing && m_key)
            StepSpin(true, v - m_key->Working().b);
    });
    connect(m_radio, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_showing && m_key)
            StepSpin(false, v - m_key->Working().b);
    });
    ShowKey();
}

void CKeyMacroDlg::SetKey(CConsKey* key)
{
    m_key = key;
    ShowKey();
    setFocus();
}

void CKeyMacroDlg::ShowKey()
{
    if (!m_key)
        return;
    m_showing = true;
    ConsKeyValues& v = m_key->Working();
    m_macroA->setText(QString::fromStdString(m_key->GetCaption()));
    int type = Trigger;
    switch (v.function) {
    case CKF_MACREP: type = Repeat; break;
    case CKF_MACRAD: type = Radio; break;
    case CKF_MACSWT: type = Switch; break;
    case CKF_MACRO: type = v.b != 0 ? Button : Trigger; break;
    default: v.b = 0; break;
    }
    m_type->setCurrentIndex(type);
    m_macroBGroup->setVisible(type == Button || type == Switch);
    m_repeatGroup->setVisible(type == Repeat);
    m_radioGroup->setVisible(type == Radio);
    if (type == Repeat)
        m_repeat->setValue(std::clamp(v.b, 1, kMaxRepeat));
    if (type == Radio)
        m_radio->setValue(std::clamp(v.b, 1, kMaxRadioField));
    m_macroB->setCurrentIndex(v.b != 0 ? m_macroB->findData(v.b) : -1);
    m_showing = false;
}

void CKeyMacroDlg::ChooseActivation(int type)
{
    if (!m_key || type < Trigger || type > Radio)
        return;
    ConsKeyValues& v = m_key->Working();
    v.function = kFunctionOfType[type];
    switch (type) {
    case Trigger: v.b = 0; break;
    case Button:
    case Switch: v.b = m_macroB->currentIndex() >= 0 ? m_macroB->currentData().toInt() : 1; break;
    case Repeat: v.b = std::clamp(v.b, 1, kMaxRepeat); break;
    case Radio: v.b = std::clamp(v.b, 1, kMaxRadioField); break;
    }
    m_owner->OnMacroActivation(type);
    ShowKey();
}

void CKeyMacroDlg::ChooseMacroB(int index)
{
    if (!m_key || index < 0)
        return;
    m_key->Working().b = m_macroB->itemData(index).toInt();
    m_owner->OnMacroActivation(m_type->currentIndex());
}

void CKeyMacroDlg::StepSpin(bool repetitions, int delta)
{
    if (!m_key)
        return;
    ConsKeyValues& v = m_key->Working();
    v.b = std::clamp(v.b + delta, 1, repetitions ? kMaxRepeat : kMaxRadioField);
    m_showing = true;
    (repetitions ? m_repeat : m_radio)->setValue(v.b);
    m_showing = false;
    m_owner->OnMacroActivation(0);
}
