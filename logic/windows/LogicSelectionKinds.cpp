// What the selection dialog offers for the kinds of the control logic: its
// objects, the condition functions and the lists its conditions index.
#include <QCoreApplication>

#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CGlobalReadyInput.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// The 18 fault texts of the ready-input settings, valued by position.
void FaultTextRows(D& dlg, CQuillomerDoc* doc)
{
    auto* ready =
        doc ? dynamic_cast<CGlobalReadyInput*>(doc->GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT)) : nullptr;
    std::vector<std::string> texts;
    if (ready)
        ready->GetTextList(0, &texts);
    for (size_t i = 0; i < texts.size(); ++i)
        dlg.AddRow(QString::fromStdString(texts[i]), QString(), 28, i);
}

// The busy condition's outputs, valued by string id.
void OutputRows(D& dlg, CQuillomerDoc*)
{
    dlg.AddNoneRow();
    dlg.AddIdRows({uistr::Out1, uistr::Out2, uistr::Out3, uistr::Out4}, 26, false);
}

// The condition functions, valued by string id.
void ConditionKindRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CCondition::GetChoiceIds(0, &ids);
    dlg.AddIdRows(ids, 3, false);
}

// The busy condition's audio kinds, valued by string id; the first is the
// none row.
void AudioKindRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CBusyCondition::GetChoiceIds(0, &ids);
    dlg.AddIdRows(ids, 26, true);
}

// The combined condition's operators, valued by string id.
void CombineOperatorRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CCombineCondition::GetChoiceIds(0, &ids);
    dlg.AddIdRows(ids, 25, false);
}

// The console keys 0 to 112.
void TalkKeyRows(D& dlg, CQuillomerDoc*)
{
    const QString key = QCoreApplication::translate("CSelectionDlg", "Taste");
    for (int n = 0; n <= 112; ++n)
        dlg.AddRow(key + QString::asprintf(" %d", n), QString(), 2, static_cast<quintptr>(n));
}

// The none row, then prefix 1 .. prefix 4 valued 1 to 4.
D::RowProvider NumberedRows(QString prefix)
{
    return [prefix](D& dlg, CQuillomerDoc*) {
        dlg.AddNoneRow();
        for (int n = 1; n <= 4; ++n)
            dlg.AddRow(prefix + QString::number(n), QString(), 2, static_cast<quintptr>(n));
    };
}

struct Registrar {
    Registrar()
    {
        using I = D::IdColumn;
        using P = D::Preselect;
        using R = D::Result;
        D::RegisterKind(selkind::Ready, {D::ObjectRows(OT_READY_INPUT, 18, false)});
        D::RegisterKind(selkind::Condition, {D::ObjectRows(OT_CONDITION, 3)});
        D::RegisterKind(selkind::MemoFlag, {D::ObjectRows(OT_MEMO_FLAG, 2)});
        D::RegisterKind(selkind::AnalogCondition, {D::ObjectRows(OT_ANALOG_CONDITION, 24)});
        D::RegisterKind(selkind::CombineCondition, {D::ObjectRows(OT_COMBINE_CONDITION, 25)});
        D::RegisterKind(selkind::VirtCtrl, {D::ObjectRows(OT_VIRT_CTRL_ITEM, 4)});
        D::RegisterKind(selkind::BusyConditionObject, {D::ObjectRows(OT_BUSY_CONDITION, 26)});
        D::RegisterKind(selkind::ReadyInputMulti,
                        {D::ObjectNumberRows(OT_READY_INPUT, 18), I::Shown, P::NumbersByValue, R::DecimalRanges, true});
        D::RegisterKind(selkind::VirtCtrlMulti,
                        {D::ObjectNumberRows(OT_VIRT_CTRL_ITEM, 4), I::Shown, P::NumbersByValue, R::DecimalRanges,
                         true});
        // The control contacts a ready input or a logic state can watch.
        D::RegisterKind(selkind::ReadyInp,
                        {D::PadRows({padkind::SlotIn, padkind::InterfaceIn, padkind::LMZ771}, 29), I::Removed});
        D::RegisterKind(selkind::LogicState,
                        {D::PadRows({padkind::SlotOut, padkind::LMZ763, padkind::LMZ764}, 29), I::Removed});
        D::RegisterKind(selkind::FaultTexts, {FaultTextRows, I::Removed, P::Row, R::Value});
        D::RegisterKind(selkind::Output, {OutputRows, I::Removed, P::HexRows, R::OutputSet, true});
        D::RegisterKind(selkind::ConditionKind, {ConditionKindRows, I::Removed, P::ValueId, R::Value});
        // What the conditions' indexes select.
        D::RegisterKind(selkind::TalkKey, {TalkKeyRows, I::Shown, P::Row, R::Value});
        D::RegisterKind(selkind::TalkInput, {NumberedRows(QStringLiteral("IN")), I::Removed, P::Row, R::Value});
        D::RegisterKind(selkind::Outputs, {NumberedRows(QStringLiteral("OUT")), I::Removed, P::Row, R::Value});
        // The choices of the busy and combined conditions' own columns.
        D::RegisterKind(selkind::BusyCondition, {AudioKindRows, I::Removed, P::TextContains, R::Mask, true});
        D::RegisterKind(selkind::Combination, {CombineOperatorRows, I::Removed, P::TextExact, R::Value});
    }
} g_registrar;

}  // namespace
