#include "logic/windows/CReadyInpDlgView.h"

#include "comm/CCommLink.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CReadyInput.h"
#include "logic/windows/LogicWindowIds.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "ui/UiIds.h"

namespace {
constexpr unsigned kSetSize = 800;

CGlobalReadyInput* Settings()
{
    return dynamic_cast<CGlobalReadyInput*>(CLogicListView::FindBlock(OT_GLOBAL_READY_INPUT));
}
}  // namespace

CReadyInpDlgView::CReadyInpDlgView(QWidget* parent)
    : CLogicListView(OT_READY_INPUT, logicwin::DeleteReady, parent)
{
    setObjectName(QStringLiteral("ReadyInpDlgView"));
}

std::vector<CLogicListView::Column> CReadyInpDlgView::Columns() const
{
    return {{Str(selkind::ReadyInp), 110}, {Str(uistr::Id), 30}, {tr("Input"), 130},
            {Str(logicwin::TitleLevel), 60}, {tr("Maskiert"), 60},  {tr("Text"), 70},
            {tr("Nr"), 40},                  {Str(logicwin::TitleStatus), 60}};
}

void CReadyInpDlgView::AddRows(CBaseDevice* obj)
{
    auto* r = dynamic_cast<CReadyInput*>(obj);
    if (!r)
        return;
    const int row = AddObjectRow(obj, 18);
    SetItemText(row, 2, QString::fromStdString(r->GetValueText(CReadyInput::Contact)));
    SetItemText(row, 3, QString::fromStdString(r->GetValueText(CReadyInput::Level)));
    SetItemText(row, 4, QString::fromStdString(r->GetValueText(CReadyInput::Masked)));
    if (const CGlobalReadyInput* settings = Settings())
        SetItemText(row, 5, QString::fromStdString(settings->GetValue(CGlobalReadyInput::MakeKey(
                                CGlobalReadyInput::FaultText, r->GetValue(CReadyInput::TextNumber) - 1))));
    SetItemText(row, 6, QString::fromStdString(r->GetValueText(CReadyInput::DeviceNumber)));
}

bool CReadyInpDlgView::NewEntry()
{
    return CreateEntry(new CReadyInput, CReadyInput::kKindId);
}

void CReadyInpDlgView::EditCell(int row, int column)
{
    auto* r = dynamic_cast<CReadyInput*>(ObjectOf(row));
    if (!r)
        return;
    // After a dialog, which lets the device's answers in: the entry may have gone.
    auto Again = [this, row](CReadyInput*& entry) {
        entry = dynamic_cast<CReadyInput*>(ObjectOf(row));
        return entry != nullptr;
    };
    int chosen = 0;
    switch (column) {
    case 2:
        if (!Choose(this, selkind::ReadyInp, false, LinkedHeld(*r, 0), &chosen) || !Again(r))
            return;
        r->SetValue(CReadyInput::Contact, chosen);
        break;
    case 3:
    case 4: {
        const int key = column == 3 ? CReadyInput::Level : CReadyInput::Masked;
        r->SetValue(key, r->GetValue(key) ? 0 : 1);
        break;
    }
    case 5:
        // The rows count the texts from 0, the entry from 1.
        if (!Choose(this, selkind::FaultTexts, false,
                    CSelectionDlg::Held::Number(r->GetValue(CReadyInput::TextNumber) - 1), &chosen) ||
            !Again(r))
            return;
        r->SetValue(CReadyInput::TextNumber, chosen + 1);
        break;
    case 6: EditInPlace(row, column); return;
    default: return;
    }
    RefreshList();
}

void CReadyInpDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    auto* r = dynamic_cast<CReadyInput*>(ObjectOf(row));
    // A decimal ("12,5") or no number leaves the device number as it is.
    if (r && column == 6 && ScanTypedWhole(text.toStdString()).kind == TypedWhole::Whole)
        r->SetValueText(CReadyInput::DeviceNumber, text.toStdString());
    CLogicListView::OnEndLabelEdit(row, column, text);
}

CBaseDevice* CReadyInpDlgView::Block() const
{
    return Settings();
}

int CReadyInpDlgView::ResetStep() const
{
    return -1;
}

std::pair<int, int> CReadyInpDlgView::EntrySteps(int n) const
{
    // Without a selection: the mask time and the five user texts (steps 1..6).
    const int first = 6 * (n < 0 ? 0 : n) + 1;
    return {first, first + 6};
}

void CReadyInpDlgView::Poll(CCommLink* link)
{
    const std::vector<uint8_t> ready = ParseAnswerSet(Ask(link, "/READYINP/READY ?", 200), kSetSize);
    const std::vector<uint8_t> fault = ParseAnswerSet(Ask(link, "/READYINP/FAULT ?", 300), kSetSize);
    for (int r = 0; r < GetItemCount(); ++r) {
        const CBaseDevice* obj = ObjectOf(r);
        if (!obj)
            continue;
        const unsigned bit = static_cast<unsigned>(obj->GetNumber() - 1);
        QString state = TestBit(ready, bit) ? QStringLiteral("READY") : QString();
        if (TestBit(fault, bit))
            state += state.isEmpty() ? QStringLiteral("FAULT") : QStringLiteral("+FAULT");
        SetItemText(r, 7, state);
    }
}
