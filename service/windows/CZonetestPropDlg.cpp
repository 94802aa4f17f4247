#include "service/windows/CZonetestPropDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "service/CZonetestObject.h"
#include "ui/CValueEdit.h"

namespace {
struct EditRow {
    int id;
    const char* label;
    const char* unit;
    int key;
    bool decimal;  // typed with a decimal mark, point or comma
};
// In the dialog's order; the short-circuit box stands between the third and fourth.
const EditRow kRows[CZonetestPropDlg::kEdits] = {
    {1705, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Frequenz für Linientest"), "Hz", CZonetestObject::TestFrequency,
     true},
    {1706, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Anpassung pro Tag"), "%", CZonetestObject::AdjustPerDay, true},
    {1707, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Maximale Anpassung"), "%", CZonetestObject::MaxAdjust, false},
    {1709, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Frequenz für Impedanzmessung"), "Hz",
     CZonetestObject::ImpedanceFrequency, true},
    {1714, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Erkennungsverzögerung für Erdschluß"), "s",
     CZonetestObject::GroundFaultDelay, true},
    {1715, QT_TRANSLATE_NOOP("CZonetestPropDlg", "Relaisschaltspiele"), "", CZonetestObject::WipeCycles, false},
};
}  // namespace

CZonetestPropDlg::CZonetestPropDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("550"));
    setWindowTitle(tr("Linientest Eigenschaften"));
    CQuillomerDoc* doc = GetActiveDoc();
    m_zonetest = doc ? dynamic_cast<CZonetestObject*>(doc->GetIDManager().GetBaseDevice(1, OT_ZONETEST_OBJECT))
                     : nullptr;
    auto* grid = new QGridLayout(this);
    int line = 0;
    for (int i = 0; i < kEdits; ++i) {
        if (i == 3) {
            m_short = new QCheckBox(tr("Deaktivierung des Linienrelais bei Kurzschluß"), this);
            m_short->setObjectName(QStringLiteral("1708"));
            grid->addWidget(m_short, line++, 0, 1, 3);
        }
        auto* edit = new CValueEdit(this);
        edit->setObjectName(QString::number(kRows[i].id));
        auto* label = new QLabel(tr(kRows[i].label), this);
        label->setBuddy(edit);
        grid->addWidget(label, line, 0);
        grid->addWidget(edit, line, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(kRows[i].unit), this), line, 2);
        m_edits[static_cast<size_t>(i)] = edit;
        if (m_zonetest)
            edit->setText(QString::fromStdString(m_zonetest->GetValue(kRows[i].key)));
        connect(edit, &QLineEdit::editingFinished, this, [this, i] { StoreEdit(i); });
        ++line;
    }
    if (m_zonetest)
        m_short->setChecked(m_zonetest->GetValue(CZonetestObject::ShortDisconnect) == "ON");
    connect(m_short, &QCheckBox::clicked, this, [this](bool on) {
        if (m_zonetest)
            m_zonetest->SetValue(CZonetestObject::ShortDisconnect, on ? "ON" : "OFF");
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    grid->addWidget(buttons, line, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CZonetestPropDlg::~CZonetestPropDlg()
{
    // An edit losing the focus while the dialog goes away stores nothing more.
    for (CValueEdit* edit : m_edits)
        edit->disconnect(this);
}

void CZonetestPropDlg::StoreEdit(int index)
{
    if (!m_zonetest || index < 0 || index >= kEdits)
        return;
    CValueEdit* edit = m_edits[static_cast<size_t>(index)];
    // The object reads the device's numbers, which have a decimal point only.
    const std::string typed = edit->text().trimmed().toStdString();
    if (!kRows[index].decimal) {
        // Where whole numbers are asked only a whole number is one (and "OFF"
        // for the relay cycles): "12,5" or "3.5,5" is refused, never cut to
        // 12 or 3, nor "1000.0,5" taken as the highest value.
        const bool off = kRows[index].key == CZonetestObject::WipeCycles && typed == "OFF";
        if (off || edit->ReadsAsWhole())
            m_zonetest->SetValue(kRows[index].key, off ? typed : std::to_string(edit->GetInt(1)));
    } else {
        m_zonetest->SetValue(kRows[index].key, TypedDecimalText(typed));
    }
    edit->setText(QString::fromStdString(m_zonetest->GetValue(kRows[index].key)));
}
