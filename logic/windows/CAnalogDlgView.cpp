#include "logic/windows/CAnalogDlgView.h"

#include "logic/CAnalogCondition.h"
#include "logic/CConditionObject.h"
#include "logic/LogicIds.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "ui/UiIds.h"

CAnalogDlgView::CAnalogDlgView(QWidget* parent) : CLogicListView(OT_ANALOG_CONDITION, logicwin::DeleteAnalog, parent)
{
    setObjectName(QStringLiteral("AnalogDlgView"));
}

std::vector<CLogicListView::Column> CAnalogDlgView::Columns() const
{
    return {{Str(logicid::AnalogKind), 160}, {Str(uistr::Id), 30}, {Str(logicid::Lmz775Input), 160},
            {Str(logicid::TitleMinimum), 160}, {Str(logicid::TitleMaximum), 160}};
}

void CAnalogDlgView::AddRows(CBaseDevice* obj)
{
    auto* a = dynamic_cast<CAnalogCondition*>(obj);
    if (!a)
        return;
    const int row = AddObjectRow(obj, 24);
    for (int key = 0; key <= 2; ++key)
        SetItemText(row, 2 + key, QString::fromStdString(a->GetText(key)));
}

bool CAnalogDlgView::NewEntry()
{
    return CreateEntry(new CAnalogCondition, CAnalogCondition::kKindId);
}

void CAnalogDlgView::EditCell(int row, int column)
{
    auto* a = dynamic_cast<CAnalogCondition*>(ObjectOf(row));
    if (!a)
        return;
    if (column == 2) {
        int pad = 0;
        if (!Choose(this, selkind::LMZ775In, false, LinkedHeld(*a, 0), &pad))
            return;
        // The dialog let the device's answers in: the entry may have gone meanwhile.
        a = dynamic_cast<CAnalogCondition*>(ObjectOf(row));
        if (!a)
            return;
        a->SetValue(0, pad);
        RefreshList();
    } else if (column == 3 || column == 4) {
        EditInPlace(row, column);
    }
}

void CAnalogDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    auto* a = dynamic_cast<CAnalogCondition*>(ObjectOf(row));
    if (a && (column == 3 || column == 4) && !text.isNull())
        a->ParseValue(column - 2, TypedDecimalText(text.toStdString()));
    CLogicListView::OnEndLabelEdit(row, column, text);
}

CBaseDevice* CAnalogDlgView::Block() const
{
    return FindBlock(OT_CONDITION_OBJECT);
}

int CAnalogDlgView::ResetStep() const
{
    return CConditionObject::ResetStepOf(CConditionObject::Analog);
}

std::pair<int, int> CAnalogDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CConditionObject::kStepCount, CConditionObject::kStepCount};
    const int step = CConditionObject::EntryStep(CConditionObject::Analog, n);
    return {step, step + 1};
}
