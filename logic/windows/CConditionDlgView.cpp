#include "logic/windows/CConditionDlgView.h"

#include "comm/CCommLink.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/UiIds.h"

namespace {
constexpr unsigned kConditions = 250;

// What a condition watches, for the selection dialog: the object or contact
// it links, an index of its own, or an index the project has nothing for.
CSelectionDlg::Held HeldObject(const CCondition& c)
{
    if (const LinkRecord* link = c.GetOutLinkAtKey(0); link && link->HasPartner())
        return CLogicListView::LinkedHeld(c, 0);
    if (c.m_untakenIndex != 0)
        return CSelectionDlg::Held::Missing();
    return CSelectionDlg::Held::Number(c.m_index);
}
}  // namespace

CConditionDlgView::CConditionDlgView(QWidget* parent)
    : CLogicListView(OT_CONDITION, logicwin::DeleteCondition, parent)
{
    setObjectName(QStringLiteral("ConditionDlgView"));
}

std::vector<CLogicListView::Column> CConditionDlgView::Columns() const
{
    return {{Str(condkind::Plain), 190}, {Str(uistr::Id), 30}, {Str(logicwin::TitleChoice), 140},
            {Str(logicwin::TitleLevel), 60}, {Str(logicwin::TitleStatus), 160}};
}

void CConditionDlgView::AddRows(CBaseDevice* obj)
{
    auto* c = dynamic_cast<CCondition*>(obj);
    if (!c)
        return;
    const int row = AddObjectRow(obj, 3);
    SetItemText(row, 2, QString::fromStdString(c->GetText(condkey::Object)));
    SetItemText(row, 3, QString::fromStdString(c->GetText(condkey::Level)));
    SetItemText(row, 4, QString::fromStdString(c->GetText(condkey::Unused)));
}

bool CConditionDlgView::NewEntry()
{
    int kind = 0;
    if (!GetActiveDoc() ||
        !Choose(this, selkind::ConditionKind, false, CSelectionDlg::Held(), &kind, nullptr,
                static_cast<int>(condkind::None)) ||
        kind == 0)
        return false;
    auto* c = new CCondition;
    if (!CreateEntry(c, static_cast<uint32_t>(kind)))
        return false;
    c->SetValue(condkey::Object, kind == static_cast<int>(condkind::AmpErr) ? 255 : 0);
    return true;
}

void CConditionDlgView::EditCell(int row, int column)
{
    auto* c = dynamic_cast<CCondition*>(ObjectOf(row));
    if (!c)
        return;
    // After a dialog, which lets the device's answers in: the entry may have gone.
    auto Again = [this, row](CCondition*& entry) {
        entry = dynamic_cast<CCondition*>(ObjectOf(row));
        return entry != nullptr;
    };
    int chosen = 0;
    if (column == 0) {
        if (!Choose(this, selkind::ConditionKind, false, CSelectionDlg::Held::Number(static_cast<int>(c->GetKindId())),
                    &chosen) ||
            !Again(c))
            return;
        c->SetValue(condkey::Kind, chosen);
    } else if (column == 2) {
        const uint32_t kind = c->GetIndexKind();
        if (kind == 0 || !Choose(this, static_cast<int>(kind), false, HeldObject(*c), &chosen) || !Again(c))
            return;
        c->SetValue(condkey::Object, chosen);
    } else if (column == 3) {
        c->SetValue(condkey::Level, c->GetValue(condkey::Level) == 0 ? 1 : 0);
    } else {
        return;
    }
    RefreshList();
}

CBaseDevice* CConditionDlgView::Block() const
{
    return FindBlock(OT_CONDITION_OBJECT);
}

int CConditionDlgView::ResetStep() const
{
    return CConditionObject::ResetStepOf(CConditionObject::Conditions);
}

std::pair<int, int> CConditionDlgView::EntrySteps(int n) const
{
    if (n <= 0)
        return {CConditionObject::kStepCount, CConditionObject::kStepCount};
    const int step = CConditionObject::EntryStep(CConditionObject::Conditions, n);
    return {step, step + 1};
}

void CConditionDlgView::Poll(CCommLink* link)
{
    const std::string answer = Ask(link, "/CONDITION/TRUE ?", 200);
    // A refused question tells no state: every row shows none, not "FALSE".
    const bool refused = IsRefusedAnswer(answer);
    const std::vector<uint8_t> set = ParseAnswerSet(answer, kConditions);
    for (int r = 0; r < GetItemCount(); ++r)
        if (const CBaseDevice* obj = ObjectOf(r))
            SetItemText(r, 4, refused ? QString()
                              : TestBit(set, static_cast<unsigned>(obj->GetNumber() - 1)) ? QStringLiteral("TRUE")
                                                                                          : QStringLiteral("FALSE"));
}
