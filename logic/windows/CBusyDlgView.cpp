#include "logic/windows/CBusyDlgView.h"

#include <QList>

#include "logic/CBusyCondition.h"
#include "logic/CConditionObject.h"
#include "logic/LogicIds.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/UiIds.h"

CBusyDlgView::CBusyDlgView(QWidget* parent) : CLogicListView(OT_BUSY_CONDITION, logicwin::DeleteBusy, parent)
{
    setObjectName(QStringLiteral("BusyDlgView"));
}

std::vector<CLogicListView::Column> CBusyDlgView::Columns() const
{
    return {{Str(logicid::BusyKind), 160},  {Str(uistr::Id), 30},         {Str(logicid::TitleAudio), 140},
            {Str(logicid::TitleOutput), 90}, {Str(logicid::TitleZones), 140}, {Str(logicid::TitleFull), 100},
            {Str(logicid::TitlePriority), 80}};
}

void CBusyDlgView::AddRows(CBaseDevice* obj)
{
    auto* b = dynamic_cast<CBusyCondition*>(obj);
    if (!b)
        return;
    const int row = AddObjectRow(obj, 26);
    int column = 2;
    for (int key : {0, 6, 4, 2, 3})
        SetItemText(row, column++, QString::fromStdString(b->GetText(key)));
}

bool CBusyDlgView::NewEntry()
{
    return CreateEntry(new CBusyCondition, CBusyCondition::kKindId);
}

void CBusyDlgView::EditCell(int row, int column)
{
    auto* b = dynamic_cast<CBusyCondition*>(ObjectOf(row));
    if (!b)
        return;
    // After a dialog, which lets the device's answers in: the entry may have gone.
    auto Again = [this, row](CBusyCondition*& entry) {
        entry = dynamic_cast<CBusyCondition*>(ObjectOf(row));
        return entry != nullptr;
    };
    int number = 0;
    QString text;
    switch (column) {
    case 2:
        if (!Choose(this, selkind::BusyCondition, true, CSelectionDlg::Held::Number(b->GetValue(0)), &number) ||
            !Again(b))
            return;
        b->SetValue(0, number);
        break;
    case 3:
        if (!Choose(this, selkind::Output, true, CSelectionDlg::Held::Ranges(QString::fromStdString(b->GetText(6))),
                    &number, &text) ||
            !Again(b))
            return;
        // The same outputs in other words ("NONE" for "0", "ALL" for the
        // device's "1-4") keep the stored text and the line the device gets.
        if (CBusyCondition::OutputsDisplay(text.toStdString()) == b->GetText(6))
            return;
        b->ParseValue(5, text.toStdString());
        break;
    case 4: {
        DeviceList linked;
        b->GetZonesAndGroups(linked);
        QList<CBaseDevice*> chosen(linked.begin(), linked.end());
        CLineGroupSelectDlg dlg(&chosen, this);
        if (dlg.exec() != QDialog::Accepted || !Again(b))
            return;
        b->SetZones(DeviceList(chosen.begin(), chosen.end()));
        break;
    }
    case 5: b->SetValue(2, b->GetValue(2) == 0 ? 1 : 0); break;
    case 6: EditInPlace(row, column); return;
    default: return;
    }
    RefreshList();
}

void CBusyDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    auto* b = dynamic_cast<CBusyCondition*>(ObjectOf(row));
    // A decimal ("1,5") or no number leaves the priority as it is: never 1 or 15.
    if (b && column == 6 && ScanTypedWhole(text.toStdString()).kind == TypedWhole::Whole)
        b->ParseValue(3, text.toStdString());
    CLogicListView::OnEndLabelEdit(row, column, text);
}

CBaseDevice* CBusyDlgView::Block() const
{
    return FindBlock(OT_CONDITION_OBJECT);
}

int CBusyDlgView::ResetStep() const
{
    return CConditionObject::ResetStepOf(CConditionObject::Busy);
}

std::pair<int, int> CBusyDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CConditionObject::kStepCount, CConditionObject::kStepCount};
    const int step = CConditionObject::EntryStep(CConditionObject::Busy, n);
    return {step, step + 1};
}
