#include "audio/windows/CAlarmPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "audio/CAlarm.h"
#include "audio/CAlarmSignal.h"
#include "audio/windows/SignalPages.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CValueEdit.h"

#include <cstdlib>

CAlarmPage::CAlarmPage(QWidget* parent) : CSignalPage(tr("Alarm"), signalkind::Alarm, parent)
{
    setObjectName(QStringLiteral("344"));
    auto* grid = new QGridLayout(this);
    m_generators = new QListWidget(this);
    m_generators->setObjectName(QStringLiteral("1338"));
    grid->addWidget(m_generators, 0, 0, 1, 2);
    m_change = new QPushButton(tr("Ändern..."), this);
    m_change->setObjectName(QStringLiteral("1367"));
    grid->addWidget(m_change, 0, 2, Qt::AlignTop);
    AddIntern(grid, 1);
    AddMacros(grid, 3);
    AddPriority(grid, 5);
    grid->setColumnStretch(1, 1);
    connect(m_change, &QPushButton::clicked, this, [this] { signalpages::ShowChangeNotice(m_generators); });
    connect(m_generators, &QListWidget::itemSelectionChanged, this, [this] { SetModified(true); });
}

bool CAlarmPage::OnInitDialog()
{
    signalpages::FillGenerators(m_generators, CAlarm::kKindId);
    FillMacros();
    return true;
}

void CAlarmPage::OnInternChanged()
{
    const bool intern = m_intern->isChecked();
    m_generators->setEnabled(intern);
    m_change->setEnabled(intern);
    if (!intern) {
        m_generators->clearSelection();
        m_generators->setCurrentRow(-1);
    }
}

void CAlarmPage::LoadFromSignal()
{
    EnsureInitialised();
    const CAudioSignal* signal = Selected();
    LoadMacros(signal);
    if (!signal) {
        ShowPriority(9);
        m_intern->setChecked(true);
        OnInternChanged();
        m_generators->setCurrentRow(m_generators->count() > 0 ? 0 : -1);
        return;
    }
    ShowPriority(std::atoi(signal->GetValue(signalkey::Priority).c_str()));
    const CBaseDevice* generator = signalpages::Generator(signal, OT_ALARM);
    (generator ? m_intern : m_extern)->setChecked(true);
    OnInternChanged();
    if (generator)
        signalpages::SelectByName(m_generators, QString::fromStdString(generator->GetName()));
}

void CAlarmPage::ApplyToSignal()
{
    CAudioSignal* signal = Selected();
    int priority = 0;
    if (!signal || !ReadPriority(&priority))
        return;
    signal->SetValue(signalkey::Priority, StrFormat("%d", priority));
    UnlinkShown(signal, OT_ALARM);
    ApplyMacros(signal);
    CBaseDevice* generator = signalpages::SelectedObject(m_generators);
    if (m_intern->isChecked() && generator)
        generator->LinkTo(0, signal, 0);
    signal->SetDocModified();
}

CAudioSignal* CAlarmPage::CreateSignal()
{
    CBaseDevice* generator = signalpages::SelectedObject(m_generators);
    // An alarm signal needs its generator; external ones come with their device.
    if (!generator)
        return CSignalPage::CreateSignal();
    CAudioSignal* signal = Enter(new CAlarmSignal, "9");
    if (signal)
        generator->LinkTo(0, signal, 0);
    return signal;
}
