// Makes the macro window known: the feature window of kind 7 (opened from the
// internal slot's macro symbol and the edit windows' switch bar) and, for the
// layout check, the window once per macro type with that type's editor view.
#include "macros/CMacro.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "model/CQuillomerDoc.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
QWidget* WindowWithMacro(CQuillomerDoc* doc, uint32_t type)
{
    auto* macro = new CMacro;
    if (macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, doc))
        doc->AddObject(macro, CAT_MACRO);
    else
        delete macro;
    return new CObjectDlg(doc, CMacroDlgFrm::kWindowKind);
}

const bool g_registered = [] {
    CObjectDlg::RegisterFrame(CMacroDlgFrm::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new CMacroDlgFrm(parent); });
    CWindowRegistry::Register(QStringLiteral("CMacroDlgFrm"), [](CQuillomerDoc* doc) -> QWidget* {
        return new CObjectDlg(doc, CMacroDlgFrm::kWindowKind);
    });
    namespace mt = macrotype;
    for (uint32_t type : {mt::Background, mt::Page, mt::Chime, mt::Alarm, mt::LogicOut, mt::Volume, mt::Monitor,
                          mt::AuxSelect, mt::LcdText, mt::Sequence, mt::Message, mt::MemoFlag, mt::Power,
                          mt::VirtCtrl, mt::Stop, mt::Amp, mt::AmpMute, mt::Record, mt::Erase, mt::Repeat,
                          mt::SlaveClock, mt::ZoneTest, mt::Buzzer})
        CWindowRegistry::Register(QStringLiteral("CMacroDlgFrm ") + QString::fromStdString(CMacro::KeywordOfType(type)),
                                  [type](CQuillomerDoc* doc) { return WindowWithMacro(doc, type); });
    return true;
}();
}  // namespace
