#include "paging/windows/CConsolePropertySheet.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsoleTreeDlg.h"
#include "paging/windows/CPPCons1.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CPPCons2.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CTreeCtrlEx.h"
#include "ui/DialogLayout.h"

namespace {
// The consoles' properties command opens the settings.
struct OpenerInstaller {
    OpenerInstaller() { CConsole::SetPropertiesOpener(&CConsolePropertySheet::Open); }
} g_installer;
}  // namespace

void CConsolePropertySheet::Open(CConsole* console)
{
    if (!console)
        return;
    CConsolePropertySheet sheet(console->GetDocument(), console, QApplication::activeWindow());
    sheet.exec();
}

CConsolePropertySheet::CConsolePropertySheet(CQuillomerDoc* doc, CConsole* console, QWidget* parent)
    : QDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("ConsolePropertySheet"));
    setWindowTitle(QString::fromStdString(LoadStringId(IDS_CONS_PROPERTIES)));
    m_tree = new CConsoleTreeDlg(this);
    m_tabs = new QTabWidget(this);
    m_general = new CPPCons1(m_tabs);
    m_keys = new CPPCons2(m_tabs);
    m_tabs->addTab(m_general, tr("Allgemein"));
    m_tabs->addTab(m_keys, tr("Tastenzuordnung"));
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    m_apply = buttons->addButton(tr("Ü&bernehmen"), QDialogButtonBox::ApplyRole);
    m_apply->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(m_general, &CPPCons1::modifiedChanged, this, [this] { UpdateApply(); });
    connect(m_keys, &CPPCons2::modifiedChanged, this, [this] { UpdateApply(); });
    connect(m_keys, &CPPCons2::cancelToClose, this, [this] { m_cancel->setText(tr("Schließen")); });
    connect(m_tabs, &QTabWidget::currentChanged, this, &CConsolePropertySheet::OnTabChanged);
    // An edit of a console's label in the tree ends without a rename (a
    // console is renamed at its symbol in the designer, and Cancel here must
    // leave the project as it was); the keys page draws its name again.
    m_tree->GetTree()->SetRenamesObjects(false);
    connect(m_tree->GetTree(), &CTreeCtrlEx::LabelEditEnded, this, [this] {
        if (GetActivePage() == Keys)
            m_keys->GetKeyView()->update();
    });

    auto* top = new QHBoxLayout;
    top->addWidget(m_tree, 1);
    top->addWidget(m_tabs, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    std::vector<CConsole*> consoles;
    if (doc)
        for (CBaseDevice* obj : doc->GetList(CAT_CONSOLE))
            if (auto* c = dynamic_cast<CConsole*>(obj))
                consoles.push_back(c);
    m_tree->Fill(consoles, console);
    // Sized once the tree knows the names it shows.
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {440, 250}));
    // Opens on the keys page.
    m_switchingTabs = true;
    m_tabs->setCurrentIndex(Keys);
    m_switchingTabs = false;
    m_activeTab = Keys;
    SwitchConsole(console);
    // Only a sheet opened online can lose its line.
    m_lineWatch = new QTimer(this);
    m_lineWatch->setInterval(kLineWatchMs);
    connect(m_lineWatch, &QTimer::timeout, this, &CConsolePropertySheet::WatchLine);
    if (doc && doc->IsConnected())
        m_lineWatch->start();
}

void CConsolePropertySheet::WatchLine()
{
    if (m_doc && m_doc->IsConnected())
        return;
    m_lineWatch->stop();
    m_general->LineLost();
    m_keys->LineLost();
}

CConsolePropertySheet::~CConsolePropertySheet()
{
    m_keys->OnCancel();
}

void CConsolePropertySheet::UpdateApply()
{
    m_apply->setEnabled(m_general->IsModified() || m_keys->IsModified());
}

CConsolePropertySheet::Page CConsolePropertySheet::GetActivePage() const
{
    return m_activeTab == General ? General : Keys;
}

void CConsolePropertySheet::SetActivePage(Page page)
{
    m_tabs->setCurrentIndex(page);
}

void CConsolePropertySheet::OnTabChanged(int index)
{
    if (m_switchingTabs || index == m_activeTab)
        return;
    if (m_activeTab == Keys)
        m_keys->OnKillActive();
    else if (m_activeTab == General && !m_general->OnOK()) {
        m_switchingTabs = true;
        m_tabs->setCurrentIndex(General);
        m_switchingTabs = false;
        return;
    }
    m_activeTab = index;
    if (!m_console)
        return;
    if (index == Keys) {
        m_keys->SetConsole(m_console);
        m_keys->OnSetActive();
    } else {
        m_general->SwitchTo(m_console);
        m_general->OnSetActive();
    }
}

bool CConsolePropertySheet::SwitchConsole(CConsole* console)
{
    bool dropped = false;
    if (m_apply->isEnabled() && GetActivePage() == General) {
        if (ShowMessageId(IDS_CONS_ASK_SAVE_SWITCH, mb::YesNo | mb::IconQuestion) == mb::IdYes) {
            // A refused value is corrected on the console it belongs to:
            // the sheet stays there rather than dropping it on the way.
            if (!Apply()) {
                m_tree->Reselect(m_console);
                return false;
            }
        } else {
            m_general->SetModified(false);
            m_keys->SetModified(false);
            dropped = true;
        }
    }
    if (!console) {
        m_tabs->setEnabled(false);
        m_tabs->currentWidget()->hide();
        return true;
    }
    m_tabs->setEnabled(true);
    m_tabs->currentWidget()->show();
    m_console = console;
    if (GetActivePage() == General) {
        if (dropped)
            m_general->Forget();
        m_general->SwitchTo(console);
        m_keys->SetConsole(console);
    } else {
        m_keys->OnKillActive();
        m_keys->SetConsole(console);
        m_keys->OnSetActive();
        m_general->Forget();
        m_general->SwitchTo(console);
    }
    return true;
}

void CConsolePropertySheet::OnTreeSelection(CConsole* console)
{
    CConsole* previous = m_console;
    if (!SwitchConsole(console))
        return;
    if (m_doc)
        for (IDocView* view : m_doc->GetViews()) {
            if (previous)
                previous->Redraw();
            if (console) {
                console->Redraw();
                view->SetHotObject(console);
            }
        }
}

bool CConsolePropertySheet::Apply()
{
    bool ok = true;
    if (GetActivePage() == Keys)
        ok = m_keys->OnOK();
    else
        ok = m_general->OnOK();
    UpdateApply();
    return ok;
}

void CConsolePropertySheet::accept()
{
    if (!Apply())
        return;
    m_keys->OnCancel();
    QDialog::accept();
}

void CConsolePropertySheet::reject()
{
    if (m_general->IsModified() &&
        ShowMessageId(IDS_CONS_ASK_DROP, mb::YesNo | mb::IconQuestion | mb::DefButton2) != mb::IdYes)
        return;
    m_keys->OnCancel();
    QDialog::reject();
}
