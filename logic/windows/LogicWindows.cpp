// Makes the control-logic windows known to the feature-window host: the
// condition windows (kinds 12..15), triggers (5), ready inputs (16), logic
// outputs (17) and memo flags (18). Each is a list frame around its view.
#include "logic/windows/CAnalogDlgView.h"
#include "logic/windows/CBusyDlgView.h"
#include "logic/windows/CCombineDlgView.h"
#include "logic/windows/CConditionDlgView.h"
#include "logic/windows/CLogicListFrm.h"
#include "logic/windows/CLogicOutDlgView.h"
#include "logic/windows/CMemoFlagListView.h"
#include "logic/windows/CReadyInpDlgFrm.h"
#include "logic/windows/CTriggerDlgView.h"
#include "logic/windows/LogicWindowIds.h"
#include "logic/windows/LogicWindows.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

using namespace logicwin;

namespace {
template <class View>
CLogicListFrm* MakeFrame(const CLogicListFrm::Commands& commands, const char* name, QWidget* parent)
{
    auto* frame = new CLogicListFrm(commands, new View, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}
}  // namespace

QWidget* CreateLogicFrame(int kind, QWidget* parent)
{
    switch (kind) {
    case kTriggerWindow:
        return MakeFrame<CTriggerDlgView>({TriggerBar, NewTrigger, DeleteTrigger, UploadTriggers, DownloadTriggers},
                                          "TriggerDlgFrm", parent);
    case kConditionWindow:
        return MakeFrame<CConditionDlgView>(
            {ConditionBar, NewCondition, DeleteCondition, UploadConditions, DownloadConditions}, "ConditionDlgFrm",
            parent);
    case kAnalogWindow:
        return MakeFrame<CAnalogDlgView>({AnalogBar, NewAnalog, DeleteAnalog, UploadAnalog, DownloadAnalog},
                                         "AnalogDlgFrm", parent);
    case kCombineWindow:
        return MakeFrame<CCombineDlgView>({CombineBar, NewCombine, DeleteCombine, UploadCombine, DownloadCombine},
                                          "CombineDlgFrm", parent);
    case kBusyWindow:
        return MakeFrame<CBusyDlgView>({BusyBar, NewBusy, DeleteBusy, UploadBusy, DownloadBusy}, "BusyDlgFrm", parent);
    case kReadyInputWindow: return new CReadyInpDlgFrm(parent);
    case kLogicOutWindow:
        return MakeFrame<CLogicOutDlgView>(
            {LogicOutBar, NewLogicOut, DeleteLogicOut, UploadLogicOuts, DownloadLogicOuts}, "LogicOutDlgFrm", parent);
    case kMemoFlagWindow: return MakeFrame<CMemoFlagListView>({MemoBar, NewMemo, DeleteMemo, 0, 0}, "MemoFlagFrm", parent);
    default: return nullptr;
    }
}

namespace {
const bool g_registered = [] {
    const std::pair<int, const char*> kinds[] = {
        {kTriggerWindow, "CTriggerDlgFrm"},       {kConditionWindow, "CConditionDlgFrm"},
        {kAnalogWindow, "CAnalogDlgFrm"},         {kCombineWindow, "CCombineDlgFrm"},
        {kBusyWindow, "CBusyDlgFrm"},             {kReadyInputWindow, "CReadyInpDlgFrm"},
        {kLogicOutWindow, "CLogicOutDlgFrm"},     {kMemoFlagWindow, "CMemoFlagFrm"},
    };
    for (const auto& [kind, name] : kinds) {
        const int k = kind;
        CObjectDlg::RegisterFrame(k, [k](CQuillomerDoc*, QWidget* parent) { return CreateLogicFrame(k, parent); });
        // The layout test opens each window in the host the program uses.
        CWindowRegistry::Register(QString::fromLatin1(name),
                                  [k](CQuillomerDoc* doc) -> QWidget* { return new CObjectDlg(doc, k); });
    }
    return true;
}();
}  // namespace
