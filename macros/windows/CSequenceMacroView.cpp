#include "macros/windows/CSequenceMacroView.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QMouseEvent>

#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CHoverFrame.h"
#include "ui/CListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

QL_STRING_TABLE({
    {34582, "Verzögerungszeit"},
});

namespace {
constexpr uint32_t kDelayTitle = 34582;  // "Verzögerungszeit"
// A step's row picture among the object lists' pictures (a step runs a macro).
constexpr int kStepImage = 1;

QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

CSequenceMacroView::CSequenceMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Sequenzieller Ablauf mehrerer Makros mit Zeitsteuerung")
{
    m_list = new CListCtrl(this);
    m_list->setObjectName(QStringLiteral("1328"));
    // The object lists' look: their row pictures, rows alternating white
    // and cream.
    m_list->SetObjectListLook();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* hover = new CHoverFrame(m_list);
    connect(m_list, &QTreeWidget::itemSelectionChanged, hover, &CHoverFrame::Clear);
    m_list->InsertColumn(0, Str(IDS_MACRO_BLANK_TITLE), CListCtrl::LVCFMT_CENTER, 40);
    m_list->InsertColumn(1, Str(IDS_MACRO_KIND), CListCtrl::LVCFMT_CENTER, 140);
    m_list->InsertColumn(2, Str(kDelayTitle), CListCtrl::LVCFMT_CENTER, 60);
    m_list->InsertColumn(3, Str(IDS_MACRO_CONDITION), CListCtrl::LVCFMT_CENTER, 140);
    for (int r = 0; r < CMacro::kSteps; ++r) {
        m_list->InsertItem(r, QString::number(r + 1), kStepImage);
        m_list->Row(r)->setFlags(m_list->Row(r)->flags() | Qt::ItemIsEditable);
    }
    Grid()->addWidget(m_list, 0, 0, 1, 3);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { EditCell(m_list->RowOf(item), column); });
    // Stored as the editor closes, by Enter or by leaving the cell: a click
    // on another macro in the list comes after it, so the delay goes into
    // the macro it was typed for before the view is replaced.
    connect(m_list, &CListCtrl::CellEdited, this, [this](int row, int column, const QString& text) {
        if (!IsFilling() && column == 2)
            EndDelayEdit(row, text);
    });
}

void CSequenceMacroView::OnInitialUpdate()
{
    FillTexts();
}

void CSequenceMacroView::FillTexts()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    const QSignalBlocker block(m_list);
    for (int r = 0; r < CMacro::kSteps; ++r) {
        m_list->SetItemText(r, 1, QString::fromStdString(macro->GetParamText(41 + r)));
        m_list->SetItemText(r, 2, QString::fromStdString(macro->GetParamText(46 + r)));
        m_list->SetItemText(r, 3, QString::fromStdString(macro->GetParamText(51 + r)));
    }
}

void CSequenceMacroView::EditCell(int row, int column)
{
    CMacro* macro = Macro();
    if (!macro || row < 0 || row >= CMacro::kSteps)
        return;
    if (column == 1 || column == 3) {
        CSelectionDlg dlg;
        dlg.m_nKind = column == 1 ? selkind::Macro : selkind::Condition;
        // The macro or condition the step links, by its number.
        dlg.SetHeld(CSelectionDlg::Held::Number(macro->GetParam((column == 1 ? 41 : 51) + row)));
        if (RunDialog(dlg) != QDialog::Accepted)
            return;
        macro = Macro();  // the dialog let the device's answers in
        if (!macro)
            return;
        // The setters mark the project only when the step changes.
        macro->SetParam((column == 1 ? 41 : 51) + row, dlg.m_nResultNumber);
        FillTexts();
    } else if (column == 2) {
        m_list->editItem(m_list->Row(row), 2);
        // The delay is typed centred, as the cell shows it.
        if (auto* edit = qobject_cast<QLineEdit*>(m_list->indexWidget(m_list->model()->index(row, 2))))
            edit->setAlignment(Qt::AlignCenter);
    }
}

void CSequenceMacroView::EndDelayEdit(int row, const QString& text)
{
    CMacro* macro = Macro();
    if (!macro || row < 0 || row >= CMacro::kSteps)
        return;
    // The delay as typed ("2,5" is two and a half seconds), in the
    // program's own form that the macro reads.
    if (!text.isEmpty())
        macro->SetParamText(46 + row, TypedDecimalText(text.toStdString()));
    FillTexts();
}
