#include "audio/windows/CAudioEditor.h"

#include <vector>

#include <QBoxLayout>
#include <QPushButton>
#include <QTabWidget>

#include "audio/CAudioSignal.h"
#include "audio/windows/CAlarmPage.h"
#include "audio/windows/CBackgroundPage.h"
#include "audio/windows/CChimePage.h"
#include "audio/windows/CMessagePage.h"
#include "audio/windows/CSignalListDlg.h"
#include "ui/CListCtrl.h"
#include "ui/UiIds.h"

CAudioEditor::CAudioEditor(CQuillomerDoc* doc, QWidget* parent)
    : CPropertySheet(tr("Audiosignale einstellen"), parent, -1)
{
    setObjectName(QStringLiteral("AudioEditor"));
    m_alarm = new CAlarmPage(this);
    m_chime = new CChimePage(this);
    m_message = new CMessagePage(this);
    m_background = new CBackgroundPage(this);
    for (CPropertyPage* page : {static_cast<CPropertyPage*>(m_alarm), static_cast<CPropertyPage*>(m_chime),
                                static_cast<CPropertyPage*>(m_message), static_cast<CPropertyPage*>(m_background)})
        AddPage(page);
    // Apply with no signal selected creates one: the pages need to know
    // whether the Apply button started it.
    for (CSignalPage* page : {static_cast<CSignalPage*>(m_alarm), static_cast<CSignalPage*>(m_chime),
                              static_cast<CSignalPage*>(m_message)}) {
        page->SetApplyButtonTest([this] { return m_applyPressed; });
        page->SetSheetApplyingTest([this] { return m_applying; });
    }
    connect(ApplyButton(), &QPushButton::pressed, this, [this] { m_applyPressed = true; });
    connect(ApplyButton(), &QPushButton::clicked, this, [this] { m_applyPressed = false; }, Qt::QueuedConnection);

    // The list takes the left side at full height; tabs and buttons go to its right.
    m_list = new CSignalListDlg(this);
    auto* column = qobject_cast<QBoxLayout*>(layout());
    auto* row = new QHBoxLayout;
    row->addWidget(m_list);
    auto* right = new QVBoxLayout;
    while (column->count() > 0) {
        QLayoutItem* item = column->takeAt(0);
        if (item->widget())
            right->addWidget(item->widget(), item->widget() == findChild<QTabWidget*>() ? 1 : 0);
        delete item;
    }
    row->addLayout(right, 1);
    column->addLayout(row);

    connect(m_list, &CSignalListDlg::AddClicked, this, &CAudioEditor::OnAdd);
    connect(m_list, &CSignalListDlg::DeleteClicked, this, &CAudioEditor::OnDelete);
    connect(m_list, &CSignalListDlg::SignalSelected, this, [this](int page) {
        if (page < 0 || m_adding)  // a new signal takes the page's values, not the other way round
            return;
        SetActivePage(page);
        if (CSignalPage* p = ActiveSignalPage()) {
            p->LoadFromSignal();
            p->SetModified(false);
        }
    });
    // The sheet tells only the page that becomes active; this editor tells the
    // page being left first, so the list is in its place when the next one loads.
    QTabWidget* tabs = findChild<QTabWidget*>();
    disconnect(tabs, &QTabWidget::currentChanged, this, nullptr);
    connect(tabs, &QTabWidget::currentChanged, this, &CAudioEditor::OnPageChanged);

    m_list->Fill(doc);
    if (m_list->List()->GetItemCount() > 0) {
        m_list->SelectRow(0);
        const int page = CSignalListDlg::PageOfKind(m_list->GetSelectedSignal()->GetKindId());
        SetActivePage(page < 0 ? 0 : page);
    }
    OnPageChanged(findChild<QTabWidget*>()->currentIndex());
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->SetModified(false);
}

bool CAudioEditor::Apply()
{
    m_applying = true;
    const bool applied = CPropertySheet::Apply();
    m_applying = false;
    return applied;
}

CSignalPage* CAudioEditor::ActiveSignalPage() const
{
    return qobject_cast<CSignalPage*>(GetActivePage());
}

void CAudioEditor::OnPageChanged(int index)
{
    // Leaving a page and showing the next one fills controls, which is no
    // change of the user's: every page keeps the modified state it had.
    std::vector<bool> modified;
    for (int i = 0; i < GetPageCount(); ++i)
        modified.push_back(GetPage(i)->IsModified());
    if (CPropertyPage* old = GetPage(m_shownPage); old && m_shownPage != index)
        old->OnKillActive();
    m_shownPage = index;
    if (CPropertyPage* page = GetPage(index)) {
        page->EnsureInitialised();
        page->OnSetActive();
    }
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->IsModified() != modified[static_cast<size_t>(i)])
            GetPage(i)->SetModified(modified[static_cast<size_t>(i)]);
}

void CAudioEditor::OnAdd()
{
    CSignalPage* page = ActiveSignalPage();
    if (!page)
        return;
    if (CAudioSignal* signal = page->CreateSignal()) {
        CancelToClose();
        const int row = m_list->AddSignalRow(signal);
        m_adding = true;
        m_list->SelectRow(row);
        m_adding = false;
        SetActivePage(CSignalListDlg::PageOfKind(signal->GetKindId()));
    }
    page->ApplyToSignal();
    int row = -1;
    if (CAudioSignal* selected = m_list->GetSelectedSignal(&row))
        m_list->SetSourceText(selected, row);
}

void CAudioEditor::OnDelete()
{
    int row = -1;
    CAudioSignal* signal = m_list->GetSelectedSignal(&row);
    if (!signal)
        return;
    m_list->RemoveRow(row);
    signal->OnCommand(objcmd::Delete);
    const int count = m_list->List()->GetItemCount();
    if (count > 0)
        m_list->SelectRow(count - 1);
    CancelToClose();
}
