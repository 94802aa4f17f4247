#include "logic/windows/CMemoFlagListView.h"

#include <climits>

#include "comm/CCommLink.h"
#include "logic/CMemoFlag.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/UiIds.h"

namespace {
constexpr unsigned kFlags = 200;
}

CMemoFlagListView::CMemoFlagListView(QWidget* parent) : CLogicListView(OT_MEMO_FLAG, logicwin::DeleteMemo, parent)
{
    setObjectName(QStringLiteral("MemoFlagListView"));
}

std::vector<CLogicListView::Column> CMemoFlagListView::Columns() const
{
    return {{Str(selkind::MemoFlag), 260}, {Str(uistr::Id), 30}, {Str(logicwin::TitleStatus), 80}};
}

void CMemoFlagListView::AddRows(CBaseDevice* obj)
{
    AddObjectRow(obj, 30);
}

bool CMemoFlagListView::NewEntry()
{
    return CreateEntry(new CMemoFlag, CMemoFlag::kKindId);
}

void CMemoFlagListView::EditCell(int row, int column)
{
    if (ObjectOf(row) && column == 1)
        EditInPlace(row, column);
}

void CMemoFlagListView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CBaseDevice* flag = ObjectOf(row);
    if (!flag || text.isNull())
        return;
    if (column == 1) {
        // The number the text starts with ("12a" is 12); a decimal ("2,5")
        // is no flag's number, never the one before its decimal mark.
        const TypedWhole typed = ScanTypedWhole(text.toStdString());
        const bool reads = typed.kind == TypedWhole::Whole && typed.value >= INT_MIN && typed.value <= INT_MAX;
        const int number = reads ? static_cast<int>(typed.value) : 0;
        CQuillomerDoc* doc = flag->GetDocument();
        const int limit = doc ? static_cast<int>(GetMaxObjectCount(OT_MEMO_FLAG, doc->m_data.deviceVariant)) : 0;
        if (!reads || number < 1 || number > limit)
            return;
        if (number == flag->GetNumber() || doc->GetIDManager().IsTaken(flag, OT_MEMO_FLAG, number))
            return;  // taken: refused silently, the list keeps the old number
        // The device's answers find the flag under its new number's path.
        const std::string oldPath = flag->GetPath();
        if (!oldPath.empty())
            doc->RemovePath(oldPath, flag);
        flag->ChangeNumber(number);
        if (!oldPath.empty())
            flag->EnterPath(StrFormat("/MEMO%d", number));
        flag->SetDocModified();
        m_reselect = number;
    }
    CLogicListView::OnEndLabelEdit(row, column, text);
}

void CMemoFlagListView::Poll(CCommLink* link)
{
    std::string answer = Ask(link, "/CONDITION/MEMOFLAG/ON ?", 200);
    // A refused question tells no state: every row shows none, not "OFF".
    const bool refused = IsRefusedAnswer(answer);
    while (!answer.empty() && std::isspace(static_cast<unsigned char>(answer.back())))
        answer.pop_back();
    if (answer.size() >= 4 && answer.compare(answer.size() - 4, 4, "NONE") == 0)
        answer.replace(answer.size() - 4, 4, "0");
    const std::vector<uint8_t> set = ParseAnswerSet(answer, kFlags);
    for (int r = 0; r < GetItemCount(); ++r)
        if (const CBaseDevice* obj = ObjectOf(r))
            SetItemText(r, 2, refused ? QString()
                              : TestBit(set, static_cast<unsigned>(obj->GetNumber() - 1)) ? QStringLiteral("ON")
                                                                                          : QStringLiteral("OFF"));
}
