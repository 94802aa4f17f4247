#include "calendar/windows/CClkView.h"

#include <QVBoxLayout>

#include "calendar/CClock.h"
#include "comm/CCommLink.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

namespace {
// Shared by every clock window (the clock dialog keeps its own).
CClockForm::KeptTexts& WindowTexts()
{
    static CClockForm::KeptTexts texts;
    return texts;
}
}  // namespace

CClkView::CClkView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ClkView"));
    m_form = new CClockForm(WindowTexts(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    OnInitialUpdate();
}

void CClkView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    m_form->Attach(doc ? dynamic_cast<CClock*>(doc->GetIDManager().GetBaseDevice(1, OT_CLOCK)) : nullptr);
    if (!IsDocConnected())
        return;
    if (CCommLink* link = GetCommLink())
        link->SetLinkState(linkstate::Online);
    m_form->StartPolling();
}
