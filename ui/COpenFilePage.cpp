#include "ui/COpenFilePage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "comm/SettingsFile.h"

COpenFilePage::COpenFilePage(QWidget* parent) : CPropertyPage(tr("Programmstart"), parent)
{
    m_nStartupAction = QSettings().value(SettingsKey(), 0).toInt();
    if (m_nStartupAction < -1 || m_nStartupAction > 2)
        m_nStartupAction = -1;

    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(tr("Start von QUILLOMER"), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_pGroup = new QButtonGroup(this);
    m_pGroup->setExclusive(true);
    const QString texts[] = {tr("ohne Projekt"), tr("mit neuem Projekt"), tr("mit letztem Projekt")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        m_pGroup->addButton(radio, i);
        boxLayout->addWidget(radio);
        radio->setChecked(i == m_nStartupAction);
    }
    layout->addWidget(box);
    layout->addStretch(1);
    // Any click on the page makes Apply available.
    connect(m_pGroup, &QButtonGroup::idClicked, this, [this](int) { SetModified(true); });
}

bool COpenFilePage::OnApply()
{
    m_nStartupAction = m_pGroup->checkedId();  // -1 when none is chosen
    WriteSetting(SettingsKey(), m_nStartupAction);
    return CPropertyPage::OnApply();
}
