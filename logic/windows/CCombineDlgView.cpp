#include "logic/windows/CCombineDlgView.h"

#include "logic/CCombineCondition.h"
#include "logic/CConditionObject.h"
#include "logic/LogicIds.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/ObjectTypeCode.h"
#include "ui/UiIds.h"

namespace {
constexpr int kRows = CCombineCondition::kInputs;  // rows per object
}

CCombineDlgView::CCombineDlgView(QWidget* parent)
    : CLogicListView(OT_COMBINE_CONDITION, logicwin::DeleteCombine, parent)
{
    setObjectName(QStringLiteral("CombineDlgView"));
}

std::vector<CLogicListView::Column> CCombineDlgView::Columns() const
{
    return {{Str(logicid::TitleName), 180}, {Str(uistr::Id), 30}, {Str(logicid::TitleLogic), 80},
            {Str(logicid::TitleInvert), 60}, {Str(logicid::ConditionKind), 180}};
}

void CCombineDlgView::AddRows(CBaseDevice* obj)
{
    auto* c = dynamic_cast<CCombineCondition*>(obj);
    if (!c)
        return;
    const int first = AddObjectRow(obj, 25);
    SetItemText(first, 2, QString::fromStdString(c->GetText(0)));
    for (int i = 0; i < kRows; ++i) {
        int row = first;
        if (i > 0) {
            row = InsertItem(GetItemCount(), QString(), 2);
            SetRowObject(row, obj);
        }
        SetItemText(row, 3, QString::fromStdString(c->GetText(2 + 2 * i)));
        SetItemText(row, 4, QString::fromStdString(c->GetText(3 + 2 * i)));
    }
}

bool CCombineDlgView::NewEntry()
{
    return CreateEntry(new CCombineCondition, CCombineCondition::kKindId);
}

void CCombineDlgView::EditCell(int row, int column)
{
    if (!ObjectOf(row))
        return;
    const int input = row % kRows;
    if (column == 2)
        EditGroupCell(row, logicid::TitleLogic, 0);
    else if (column == 3)
        EditGroupCell(row, logicid::TitleInvert, 2 + 2 * input);
    else if (column == 4)
        EditGroupCell(row, logicid::ConditionKind, 3 + 2 * input);
}

void CCombineDlgView::EditGroupCell(int row, uint32_t kind, int key)
{
    auto* c = dynamic_cast<CCombineCondition*>(ObjectOf(row));
    if (!c)
        return;
    if (kind == logicid::TitleInvert) {
        c->SetValue(key, c->GetValue(key) == 0 ? 1 : 0);
    } else {
        int chosen = 0;
        if (!Choose(this, static_cast<int>(kind), false, CSelectionDlg::Held::Number(c->GetValue(key)), &chosen))
            return;
        // The dialog let the device's answers in: the entry may have gone meanwhile.
        c = dynamic_cast<CCombineCondition*>(ObjectOf(row));
        if (!c)
            return;
        c->SetValue(key, chosen);
    }
    RefreshList();
}

void CCombineDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CLogicListView::OnEndLabelEdit(row, column, text);
}

void CCombineDlgView::DeleteSelectedItem()
{
    const int row = SelectedRow();
    CBaseDevice* obj = ObjectOf(row);
    if (!obj)
        return;
    setFocus();
    const int first = row - row % kRows;
    if (const int next = NumberAt(first + kRows))
        m_reselect = next;
    else if (const int previous = NumberAt(first - 1))
        m_reselect = previous;
    obj->OnCommand(objcmd::Delete);
}

CBaseDevice* CCombineDlgView::Block() const
{
    return FindBlock(OT_CONDITION_OBJECT);
}

int CCombineDlgView::ResetStep() const
{
    return CConditionObject::ResetStepOf(CConditionObject::Combine);
}

std::pair<int, int> CCombineDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CConditionObject::kStepCount, CConditionObject::kStepCount};
    const int step = CConditionObject::EntryStep(CConditionObject::Combine, n);
    return {step, step + 1};
}
