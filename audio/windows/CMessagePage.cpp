#include "audio/windows/CMessagePage.h"

#include <QGridLayout>
#include <QListWidget>
#include <QRadioButton>

#include <cstdio>

#include "audio/CInternalMessageRec.h"
#include "audio/CMessageSignal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "ui/CValueEdit.h"

#include <cstdlib>

CMessagePage::CMessagePage(QWidget* parent) : CSignalPage(tr("Text"), signalkind::Message, parent)
{
    setObjectName(QStringLiteral("346"));
    auto* grid = new QGridLayout(this);
    m_messages = new QListWidget(this);
    m_messages->setObjectName(QStringLiteral("1338"));
    grid->addWidget(m_messages, 0, 0, 1, 3);
    AddIntern(grid, 1);
    AddMacros(grid, 3);
    AddPriority(grid, 5);
    grid->setColumnStretch(1, 1);
    connect(m_messages, &QListWidget::itemSelectionChanged, this, [this] { SetModified(true); });
}

bool CMessagePage::OnInitDialog()
{
    // Row n stands for message number n.
    m_messages->clear();
    m_messages->addItem(QStringLiteral("OFF"));
    CQuillomerDoc* doc = GetActiveDoc();
    auto* recorder =
        doc ? dynamic_cast<CInternalMessageRec*>(doc->GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC)) : nullptr;
    std::vector<std::string> names;
    if (recorder)
        recorder->GetMessageNames(1, &names);
    for (const std::string& name : names)
        m_messages->addItem(QString::fromStdString(name));
    FillMacros();
    return true;
}

void CMessagePage::LoadFromSignal()
{
    EnsureInitialised();
    const CAudioSignal* signal = Selected();
    LoadMacros(signal);
    m_intern->setChecked(true);
    if (!signal) {
        ShowPriority(6);
        m_messages->setCurrentRow(0);
        return;
    }
    ShowPriority(std::atoi(signal->GetValue(signalkey::Priority).c_str()));
    int number = 0;
    std::sscanf(signal->GetValue(signalkey::MessageNumber).c_str(), "%d", &number);
    m_messages->setCurrentRow(number >= 0 && number < m_messages->count() ? number : -1);
}

void CMessagePage::ApplyToSignal()
{
    CAudioSignal* signal = Selected();
    int priority = 0;
    if (!signal || !ReadPriority(&priority))
        return;
    signal->SetValue(signalkey::Priority, StrFormat("%d", priority));
    UnlinkShown(signal, OT_MESSAGE);
    ApplyMacros(signal);
    const QListWidgetItem* row = m_messages->currentItem();
    const int number = m_intern->isChecked() && row && row->isSelected() ? m_messages->row(row) : 0;
    signal->SetValue(signalkey::MessageNumber, StrFormat("%d", number));
    signal->SetDocModified();
}

CAudioSignal* CMessagePage::CreateSignal()
{
    return Enter(new CMessageSignal, "6");
}
