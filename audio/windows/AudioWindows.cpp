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
template <class Frame>
void Register(const char* name)
{
    CObjectDlg::RegisterFrame(Frame::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new Frame(parent); });
    // The layout test opens each window in the host the program uses.
    CWindowRegistry::Register(QString::fromLatin1(name),
                              [](CQuillomerDoc* doc) -> QWidget* { return new CObjectDlg(doc, Frame::kWindowKind); });
}

const bool g_registered = [] {
    Register<CMonitorDlgFrm>("CMonitorDlgFrm");
    Register<CRecorderFrm>("CRecorderFrm");
    Register<CPilotFrm>("CPilotFrm");
    Register<CPowerFrm>("CPowerFrm");
    Register<CVolumeFrm>("CVolumeFrm");
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
