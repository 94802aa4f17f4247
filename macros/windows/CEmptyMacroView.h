#pragma once
// The editor pane while no macro (or a macro without type) is selected.

#include "macros/windows/CMacroEditorView.h"

class CEmptyMacroView : public CMacroEditorView {
public:
    explicit CEmptyMacroView(QWidget* parent = nullptr);
};
