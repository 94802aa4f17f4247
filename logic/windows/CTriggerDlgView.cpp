#include "logic/windows/CTriggerDlgView.h"

#include "logic/CTrigger.h"
#include "logic/CTriggerObject.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "ui/UiIds.h"

CTriggerDlgView::CTriggerDlgView(QWidget* parent) : CLogicListView(OT_TRIGGER, logicwin::DeleteTrigger, parent)
{
    setObjectName(QStringLiteral("TriggerDlgView"));
}

std::vector<CLogicListView::Column> CTriggerDlgView::Columns() const
{
    return {{tr("Trigger"), 160, LVCFMT_CENTER}, {Str(uistr::Id), 30}, {tr("Bedingung"), 160},
            {tr("Dauer [s]"), 60}, {tr("ON Makro"), 160}, {tr("OFF Makro"), 160}};
}

void CTriggerDlgView::AddRows(CBaseDevice* obj)
{
    auto* t = dynamic_cast<CTrigger*>(obj);
    if (!t)
        return;
    const int row = AddObjectRow(obj, 1);
    for (int key = triggerkey::Condition; key <= triggerkey::OffMacro; ++key)
        SetItemText(row, 2 + key, QString::fromStdString(t->GetValueText(key)));
}

bool CTriggerDlgView::NewEntry()
{
    return CreateEntry(new CTrigger, CTrigger::kKindId);
}

void CTriggerDlgView::EditCell(int row, int column)
{
    auto* t = dynamic_cast<CTrigger*>(ObjectOf(row));
    if (!t)
        return;
    if (column == 3) {
        EditInPlace(row, column);
        return;
    }
    const int key = column == 2 ? triggerkey::Condition : column == 4 ? triggerkey::OnMacro
                                                      : column == 5 ? triggerkey::OffMacro
                                                                    : -1;
    if (key < 0)
        return;
    const int kind = key == triggerkey::Condition ? selkind::Condition : selkind::Macro;
    int chosen = 0;
    if (!Choose(this, kind, false, CSelectionDlg::Held::Number(t->GetValue(key)), &chosen))
        return;
    // The dialog let the device's answers in: the entry may have gone meanwhile.
    t = dynamic_cast<CTrigger*>(ObjectOf(row));
    if (!t)
        return;
    t->SetValue(key, chosen);
    RefreshList();
}

void CTriggerDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    auto* t = dynamic_cast<CTrigger*>(ObjectOf(row));
    // The number the text starts with: "2.5s" and "2,5s" are 2.5 seconds.
    if (const std::optional<float> seconds = ScanTypedFloat(text.toStdString()); t && column == 3 && seconds)
        t->SetTime(triggerkey::Time, *seconds);
    CLogicListView::OnEndLabelEdit(row, column, text);
}

CBaseDevice* CTriggerDlgView::Block() const
{
    return FindBlock(OT_TRIGGER_OBJECT);
}

int CTriggerDlgView::ResetStep() const
{
    return -1;
}

std::pair<int, int> CTriggerDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CTriggerObject::kStepCount, CTriggerObject::kStepCount};
    return {4 * n - 3, 4 * n + 1};
}
