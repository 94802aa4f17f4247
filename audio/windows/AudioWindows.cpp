// Makes the audio windows known: the feature windows of kinds 6, 22, 23, 24
// and 26, the live monitor dialog and the audio signal editor (the selection dialog's audio kinds:
// AudioSelectionKinds.cpp).
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorLiveDlg.h"
#include "audio/windows/CPilotFrm.h"
#include "audio/windows/CPowerFrm.h"
#include "audio/windows/CRecorderFrm.h"
#include "audio/windows/CVolumeFrm.h"
#include "hardware/CInternalSlot.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
const bool g_registered = [] {
    CObjectDlg::RegisterFeatureFrame<CMonitorDlgFrm>("CMonitorDlgFrm");
    CObjectDlg::RegisterFeatureFrame<CRecorderFrm>("CRecorderFrm");
    CObjectDlg::RegisterFeatureFrame<CPilotFrm>("CPilotFrm");
    CObjectDlg::RegisterFeatureFrame<CPowerFrm>("CPowerFrm");
    CObjectDlg::RegisterFeatureFrame<CVolumeFrm>("CVolumeFrm");
    CWindowRegistry::Register(QStringLiteral("CMonitorLiveDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CMonitorLiveDlg; });
    CWindowRegistry::Register(QStringLiteral("CAudioEditor"),
                              [](CQuillomerDoc* doc) -> QWidget* { return new CAudioEditor(doc); });
    CInternalSlot::SetAudioEditorRunner([](CInternalSlot* slot) {
        CAudioEditor editor(slot ? slot->GetDocument() : nullptr);
        editor.DoModal();
    });
    return true;
}();
}  // namespace
