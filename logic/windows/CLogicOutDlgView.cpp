#include "logic/windows/CLogicOutDlgView.h"

#include "logic/CLogicOut.h"
#include "logic/CLogicOutObject.h"
#include "logic/LogicIds.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/ObjectTypeCode.h"
#include "ui/UiIds.h"

CLogicOutDlgView::CLogicOutDlgView(QWidget* parent)
    : CLogicListView(OT_LOGIC_OUT, logicwin::DeleteLogicOut, parent)
{
    setObjectName(QStringLiteral("LogicOutDlgView"));
}

std::vector<CLogicListView::Column> CLogicOutDlgView::Columns() const
{
    return {{Str(selkind::LogicState), 160}, {Str(uistr::Id), 30}, {Str(logicid::TitleOutput), 160},
            {Str(logicid::ConditionKind), 160}, {Str(logicid::TitleInvert), 160}};
}

void CLogicOutDlgView::AddRows(CBaseDevice* obj)
{
    auto* l = dynamic_cast<CLogicOut*>(obj);
    if (!l)
        return;
    const int row = AddObjectRow(obj, 27);
    int column = 2;
    for (int key : {logicoutkey::Contact, logicoutkey::Condition, logicoutkey::Invert})
        SetItemText(row, column++, QString::fromStdString(l->GetValueText(key)));
}

bool CLogicOutDlgView::NewEntry()
{
    return CreateEntry(new CLogicOut, CLogicOut::kKindId);
}

void CLogicOutDlgView::EditCell(int row, int column)
{
    auto* l = dynamic_cast<CLogicOut*>(ObjectOf(row));
    if (!l)
        return;
    if (column == 4) {
        l->SetValue(logicoutkey::Invert, l->GetValue(logicoutkey::Invert) == 0 ? 1 : 0);
    } else if (column == 2 || column == 3) {
        const int key = column == 2 ? logicoutkey::Contact : logicoutkey::Condition;
        int chosen = 0;
        if (!Choose(this, column == 2 ? selkind::LogicState : selkind::Condition, false,
                    CSelectionDlg::Held::Number(l->GetValue(key)), &chosen))
            return;
        // The dialog let the device's answers in: the entry may have gone meanwhile.
        l = dynamic_cast<CLogicOut*>(ObjectOf(row));
        if (!l)
            return;
        l->SetValue(key, chosen);
    } else {
        return;
    }
    RefreshList();
}

void CLogicOutDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CLogicListView::OnEndLabelEdit(row, column, text);
}

CBaseDevice* CLogicOutDlgView::Block() const
{
    return FindBlock(OT_LOGIC_OUT_OBJECT);
}

int CLogicOutDlgView::ResetStep() const
{
    return -1;
}

std::pair<int, int> CLogicOutDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CLogicOutObject::kStepCount, CLogicOutObject::kStepCount};
    return {4 * n - 3, 4 * n + 1};
}
