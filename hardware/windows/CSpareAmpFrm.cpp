#include "hardware/windows/CSpareAmpFrm.h"

#include <QAction>
#include <QSplitter>

#include "hardware/CSpareAmp.h"
#include "hardware/windows/CSpareAmpView.h"
#include "model/DocContext.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
const bool g_registered = [] {
    CObjectDlg::RegisterFrame(CSpareAmpFrm::kWindowKind, [](CQuillomerDoc* doc, QWidget* parent) -> QWidget* {
        return new CSpareAmpFrm(doc, parent);
    });
    return CWindowRegistry::Register(QStringLiteral("CSpareAmpFrm"), [](CQuillomerDoc* doc) -> QWidget* {
        return new CObjectDlg(doc, CSpareAmpFrm::kWindowKind);
    });
}();
}  // namespace

CSpareAmpFrm::CSpareAmpFrm(CQuillomerDoc* doc, QWidget* parent) : CFeatureFrm(Form::Edit, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("SpareAmpFrm"));
    AddCommandBar(433, {kNewEntry, kDeleteEntry, kNewWatch, kDeleteWatch, 0, kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_spares = new CSpareAmpView(doc, CSpareAmpView::kSpareMode, splitter);
    m_watches = new CSpareAmpView(doc, CSpareAmpView::kWatchMode, splitter);
    splitter->addWidget(m_spares);
    splitter->addWidget(m_watches);
    splitter->setSizes({290, 490});
    setCentralWidget(splitter);
    connect(m_spares, &CSpareAmpView::EntryChanged, m_watches, &CSpareAmpView::FillWatches);
    m_spares->FillSpares();
    m_watches->FillWatches(m_spares->SelectedIndex());
}

bool CSpareAmpFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case kNewEntry:
    case kDeleteEntry:
        if (commandId == kNewEntry)
            m_spares->NewItem(-1);
        else
            m_spares->DeleteItem(-1);
        m_watches->FillWatches(m_spares->SelectedIndex());
        return true;
    case kNewWatch:
        m_watches->NewItem(m_spares->SelectedIndex());
        return true;
    case kDeleteWatch:
        m_watches->DeleteItem(m_spares->SelectedIndex());
        return true;
    case kDownload:
    case kUpload:
        if (CSpareAmp* table = m_spares->GetTable()) {
            const int mode = commandId == kUpload ? 1 : 0;
            TransferAll(table, mode, -1);
            if (mode == 1) {
                m_spares->FillSpares();
                m_watches->FillWatches(m_spares->SelectedIndex());
            }
        }
        return true;
    default:
        return false;
    }
}
