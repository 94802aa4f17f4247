#include "audio/windows/CChimePage.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "audio/CChimeSignal.h"
#include "audio/CGong.h"
#include "audio/windows/CSignalListDlg.h"
#include "audio/windows/SignalPages.h"
#include "platform/StringTable.h"
#include "ui/CValueEdit.h"

#include <cstdlib>

CChimePage::CChimePage(QWidget* parent) : CSignalPage(tr("Gong"), signalkind::Chime, parent)
{
    setObjectName(QStringLiteral("345"));
    auto* grid = new QGridLayout(this);
    m_generators = new QListWidget(this);
    m_generators->setObjectName(QStringLiteral("1339"));
    grid->addWidget(m_generators, 0, 0, 1, 2);
    m_change = new QPushButton(tr("Ändern..."), this);
    m_change->setObjectName(QStringLiteral("1367"));
    grid->addWidget(m_change, 0, 2, Qt::AlignTop);
    grid->addWidget(new QLabel(tr("Gongsignale werden immer im KVT erzeugt !"), this), 1, 0, 1, 3);
    AddPriority(grid, 2);
    grid->setColumnStretch(1, 1);
    connect(m_change, &QPushButton::clicked, this, [this] { signalpages::ShowChangeNotice(m_generators); });
    connect(m_generators, &QListWidget::itemSelectionChanged, this, [this] { SetModified(true); });
}

bool CChimePage::OnInitDialog()
{
    signalpages::FillGenerators(m_generators, CGong::kKindId);
    return true;
}

bool CChimePage::OnSetActive()
{
    // Chime signals are not added or deleted here.
    if (CSignalListDlg* list = CSignalListDlg::Current()) {
        list->AddButton()->setEnabled(false);
        list->DeleteButton()->setEnabled(false);
    }
    m_generators->setEnabled(false);
    return CSignalPage::OnSetActive();
}

bool CChimePage::OnKillActive()
{
    if (CSignalListDlg* list = CSignalListDlg::Current()) {
        list->AddButton()->setEnabled(true);
        list->DeleteButton()->setEnabled(true);
    }
    return CSignalPage::OnKillActive();
}

void CChimePage::LoadFromSignal()
{
    EnsureInitialised();
    const CAudioSignal* signal = Selected();
    if (!signal) {
        ShowPriority(7);
        m_generators->setCurrentRow(m_generators->count() > 0 ? 0 : -1);
        return;
    }
    ShowPriority(std::atoi(signal->GetValue(signalkey::Priority).c_str()));
    const CBaseDevice* generator = signalpages::Generator(signal, OT_GONG);
    signalpages::SelectByName(m_generators, generator ? QString::fromStdString(generator->GetName()) : QString());
}

void CChimePage::ApplyToSignal()
{
    CAudioSignal* signal = Selected();
    int priority = 0;
    if (!signal || !ReadPriority(&priority))
        return;
    signal->SetValue(signalkey::Priority, StrFormat("%d", priority));
    UnlinkShown(signal, OT_GONG);
    if (CBaseDevice* generator = signalpages::SelectedObject(m_generators))
        generator->LinkTo(0, signal, 0);
    signal->SetDocModified();
}

CAudioSignal* CChimePage::CreateSignal()
{
    CAudioSignal* signal = Enter(new CChimeSignal, "7");
    CBaseDevice* generator = signalpages::SelectedObject(m_generators);
    if (signal && generator)
        generator->LinkTo(0, signal, 0);
    return signal;
}
