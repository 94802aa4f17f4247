#pragma once
// ERASE: which recorded message the macro erases (parameter 64).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CEraseMacroView : public CMacroEditorView {
public:
    explicit CEraseMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_message = nullptr;
};
