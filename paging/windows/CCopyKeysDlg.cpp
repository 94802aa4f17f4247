#include "paging/windows/CCopyKeysDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CPictureSet.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kMaxName = 32;
constexpr int kPictureId = 390;
}

CCopyKeysDlg::CCopyKeysDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Tastenzuordnung kopieren"));
    auto* frame = new QGroupBox(this);
    // The console's picture at the left of the question.
    auto* picture = new QLabel(frame);
    picture->setObjectName(QString::number(kPictureId));
    picture->setPixmap(QPixmap::fromImage(CPictureSet::ListImageAt(kPictureId, 0, 48)));
    auto* row = new QHBoxLayout(frame);
    row->addWidget(picture, 0, Qt::AlignTop);
    auto* inner = new QVBoxLayout;
    row->addLayout(inner, 1);
    inner->addWidget(new QLabel(tr("Die Tastenzuordnung der Sprechstelle"), frame));
    m_name = new QLineEdit(frame);
    m_name->setObjectName(QStringLiteral("1423"));
    m_name->setReadOnly(true);
    m_name->setMaxLength(kMaxName);
    inner->addWidget(m_name);
    inner->addWidget(new QLabel(tr("wird vollständig auf folgende Sprechstelle kopiert:"), frame));
    m_combo = new QComboBox(frame);
    m_combo->setObjectName(QStringLiteral("1424"));
    inner->addWidget(m_combo);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&Kopieren"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {190, 104}));
}

void CCopyKeysDlg::showEvent(QShowEvent* event)
{
    if (!m_filled) {
        m_filled = true;
        m_name->setText(QString::fromStdString(m_sourceName).left(kMaxName));
        for (CBaseDevice* console : m_consoles)
            if (console && console != m_source)
                m_combo->addItem(QString::fromStdString(console->GetName()),
                                 QVariant::fromValue(static_cast<void*>(console)));
        m_combo->setCurrentIndex(m_combo->count() > 0 ? 0 : -1);
    }
    QDialog::showEvent(event);
}

void CCopyKeysDlg::accept()
{
    if (m_combo->currentIndex() >= 0)
        m_chosen = static_cast<CBaseDevice*>(m_combo->currentData().value<void*>());
    QDialog::accept();
}
