#include "ui/CLineGroupSelectDlg.h"

#include "ui/CEditListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableStatic.h"
#include "ui/CRowDragTracker.h"

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/UiIds.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CLineGroupSelectDlg"),
    [](CQuillomerDoc*) -> QWidget* {
        static QList<CBaseDevice*> chosen;  // rewritten only on OK
        return new CLineGroupSelectDlg(&chosen);
    });
}  // namespace

QL_STRING_TABLE({{32805, "Name"}});

QList<QPixmap> CLineGroupSelectDlg::Images(int size)
{
    return CPictureSet::ImageList(kImageBitmap, size);
}

int CLineGroupSelectDlg::ImageOf(const CBaseDevice* object)
{
    if (!object)
        return 2;
    return object->GetType() == OT_ZONE ? 0 : object->GetType() == OT_GROUP ? 1 : 2;
}

CLineGroupSelectDlg::CLineGroupSelectDlg(QList<CBaseDevice*>* objects, QWidget* parent)
    : CResizableDialog(430, parent), m_pObjects(objects)
{
    setWindowTitle(tr("Linien und Gruppen"));
    m_stcFree = new CResizableStatic(tr("freie Linien und Gruppen"), this);
    m_stcChosen = new CResizableStatic(tr("gewählte Linien und Gruppen"), this);
    for (CResizableStatic* s : {m_stcFree, m_stcChosen}) {
        s->setFrameShape(QFrame::Panel);
        s->setFrameShadow(QFrame::Sunken);
        s->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_pFree = new CEditListCtrl(this);
    m_pChosen = new CEditListCtrl(this);
    m_btnOK = new CResizableButton(tr("OK"), this);
    m_btnOK->setDefault(true);
    m_btnCancel = new CResizableButton(tr("Abbrechen"), this);
    connect(m_btnOK, &QPushButton::clicked, this, &CLineGroupSelectDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CLineGroupSelectDlg::reject);

    // Two equal columns, each a title over its view; the buttons centred below.
    auto* columns = new QGridLayout;
    columns->addWidget(m_stcFree, 0, 0);
    columns->addWidget(m_stcChosen, 0, 1);
    columns->addWidget(m_pFree, 1, 0);
    columns->addWidget(m_pChosen, 1, 1);
    const int half = std::max(m_stcFree->minimumSizeHint().width(), m_stcChosen->minimumSizeHint().width());
    for (int c = 0; c < 2; ++c) {
        columns->setColumnStretch(c, 1);
        columns->setColumnMinimumWidth(c, half);
    }
    columns->setRowStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addSpacing(fontMetrics().averageCharWidth() * 3);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(columns, 1);
    root->addLayout(buttons);
    resize(420, 300);

    m_pDrag = new CRowDragTracker(this);
    m_pDrag->Watch(m_pFree, m_pFree->viewport());
    m_pDrag->Watch(m_pChosen, m_pChosen->viewport());
    m_pDrag->SetImage(Images(32).at(0), QPoint(10, 10));
    m_pDrag->canBegin = [](QWidget* view, const QPoint& pos) {
        auto* list = static_cast<CEditListCtrl*>(view);
        return list->itemAt(pos) != nullptr;
    };
    m_pDrag->dropped = [this](QWidget* source, const QPoint& globalPos) { OnDrop(source, globalPos); };
}

bool CLineGroupSelectDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    const QList<QPixmap> images = Images();
    for (CEditListCtrl* list : {m_pFree, m_pChosen}) {
        list->SetImageList(images);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->InsertColumn(0, QString::fromStdString(LoadStringId(uistr::Name)), CListCtrl::LVCFMT_LEFT, 80);
        list->m_aColumnPercent = {80};
        list->SetFitColumnContents(true);
        list->m_aColumnEditor = {ColumnEditorKind::TextEdit()};
    }
    if (CQuillomerDoc* doc = GetActiveDoc()) {
        for (uint32_t type : {static_cast<uint32_t>(OT_ZONE), static_cast<uint32_t>(OT_GROUP)}) {
            DeviceList list;
            doc->GetIDManager().GetBaseDeviceList(list, type);
            for (CBaseDevice* o : list)
                Append(m_pFree, o);
        }
    }
    if (m_pObjects) {
        for (CBaseDevice* o : *m_pObjects) {
            if (!o || (o->GetType() != OT_ZONE && o->GetType() != OT_GROUP))
                continue;
            AddChosen(o);
            for (int r = 0; r < m_pFree->GetItemCount(); ++r) {
                if (m_pFree->GetItemData(r) == reinterpret_cast<quintptr>(o)) {
                    m_pFree->DeleteItem(r);
                    break;
                }
            }
        }
    }
    m_pFree->m_EditCursor = CPictureSet::Cursor(kEditCursor);
    return true;
}

void CLineGroupSelectDlg::Append(CEditListCtrl* list, CBaseDevice* object)
{
    const int row = list->InsertItem(list->GetItemCount(), QString::fromStdString(object->GetName()), ImageOf(object));
    list->SetItemData(row, reinterpret_cast<quintptr>(object));
}

void CLineGroupSelectDlg::AddChosen(CBaseDevice* object)
{
    Append(m_pChosen, object);
}

void CLineGroupSelectDlg::OnDrop(QWidget* source, const QPoint& globalPos)
{
    CEditListCtrl* target = source == m_pFree ? m_pChosen : m_pFree;
    // Only a drop inside the other view moves anything.
    if (!target->viewport()->rect().contains(target->viewport()->mapFromGlobal(globalPos)))
        return;
    MoveSelected(static_cast<CEditListCtrl*>(source));
}

void CLineGroupSelectDlg::MoveSelected(CEditListCtrl* source)
{
    CEditListCtrl* target = source == m_pFree ? m_pChosen : m_pFree;
    QList<int> rows;
    source->GetSelectedItems(&rows);
    if (rows.isEmpty())
        return;
    for (int r : rows)
        Append(target, reinterpret_cast<CBaseDevice*>(source->GetItemData(r)));
    for (qsizetype i = rows.size() - 1; i >= 0; --i) {
        const int r = rows.at(i);
        source->DeleteItem(r);
        if (source == m_pFree && r < source->GetItemCount())
            source->SetItemState(r, true, true);
    }
    if (source == m_pChosen)
        source->clearSelection();
    m_bChanged = true;
}

void CLineGroupSelectDlg::accept()
{
    if (m_bChanged && m_pObjects) {
        m_pObjects->clear();
        for (int r = 0; r < m_pChosen->GetItemCount(); ++r)
            m_pObjects->append(reinterpret_cast<CBaseDevice*>(m_pChosen->GetItemData(r)));
    }
    CResizableDialog::accept();
}
