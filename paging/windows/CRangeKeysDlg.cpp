#include "paging/windows/CRangeKeysDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/MessageBox.h"
#include "ui/CWholeSpinBox.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kMaxLine = 100;

CWholeSpinBox* Edit(QWidget* parent, int id)
{
    auto* e = new CWholeSpinBox(parent);
    e->setObjectName(QString::number(id));
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setRange(-99999, 99999);
    return e;
}

QLabel* Text(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    KeepWrappedTextWhole(l, 30);
    return l;
}
}  // namespace

CRangeKeysDlg::CRangeKeysDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Bereichs-Tastenprogrammierung"));
    m_first = Edit(this, 1432);
    m_last = Edit(this, 1434);
    m_lineEdit = Edit(this, 1433);
    for (CWholeSpinBox* e : {m_first, m_last, m_lineEdit})
        connect(e, &CWholeSpinBox::Refused, this, [this, e] { m_refused = e; });
    auto* grid = new QGridLayout;
    grid->addWidget(Text(tr("Geben Sie bitte die Tasten- nummer der Taste ein, mit welcher die Bereichstasten- "
                            "programmierung beginnen,"), this),
                    0, 0);
    grid->addWidget(m_first, 0, 1);
    grid->addWidget(Text(tr("bzw. enden soll :"), this), 1, 0);
    grid->addWidget(m_last, 1, 1);
    grid->addWidget(Text(tr("Geben Sie bitte die Linie- nummer ein, mit welcher die Bereichstastenprogrammierung "
                            "beginnen soll."), this),
                    2, 0);
    grid->addWidget(m_lineEdit, 2, 1);
    grid->setColumnStretch(0, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {220, 120}));
}

int CRangeKeysDlg::DoModal()
{
    m_first->setValue(m_firstKey);
    m_last->setValue(m_lastKey);
    m_lineEdit->setValue(m_line);
    return exec();
}

void CRangeKeysDlg::accept()
{
    CWholeSpinBox* refused = m_refused;
    m_refused = nullptr;
    const int line = m_lineEdit->value();
    // A typed slip ("1e4", "7.5", nothing) goes no further, and says why: a
    // key range read from it could clear every key of the console.
    if (refused || line < 1 || line > kMaxLine) {
        // The key numbers have no range of their own here (the console
        // decides what a key number means); only the line number has one.
        CWholeSpinBox* field = refused ? refused : m_lineEdit;
        const QString text = field == m_lineEdit
                                 ? tr("Geben Sie eine Zahl zwischen %1 und %2 ein.").arg(1).arg(kMaxLine)
                                 : tr("Geben Sie eine ganze Zahl ein.");
        ShowMessage(text.toStdString(), mb::IconExclamation);
        field->setFocus();
        field->selectAll();
        return;
    }
    m_firstKey = m_first->value();
    m_lastKey = m_last->value();
    m_line = line;
    QDialog::accept();
}
