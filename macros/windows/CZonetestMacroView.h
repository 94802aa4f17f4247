#pragma once
// ZONETEST: starts a line or impedance measurement (72, 3) of zones and
// groups, or ends the measurements.

#include "macros/windows/CMacroEditorView.h"

class QRadioButton;

class CZonetestMacroView : public CMacroEditorView {
public:
    explicit CZonetestMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QRadioButton* m_end = nullptr;
    QRadioButton* m_line = nullptr;
    QRadioButton* m_impedance = nullptr;
};
