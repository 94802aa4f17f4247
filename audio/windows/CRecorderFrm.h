#pragma once
// The recorder window ("Rekorder", window kind 22): the service-window switch
// bar, the recorder form and a status bar whose panes show the recorder's
// information, function, time and free memory.

#include "ui/CFeatureFrm.h"

#include <array>

class CRecorderView;
class QLabel;

class CRecorderFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 22;
    explicit CRecorderFrm(QWidget* parent = nullptr);
    CRecorderView* GetView() const { return m_view; }
    void SetPaneText(int pane, const QString& text);
    QString GetPaneText(int pane) const;

protected:
    // The status panes and the chips showed the device's recorder.
    void OnLineLost() override;

private:
    CRecorderView* m_view = nullptr;
    std::array<QLabel*, 4> m_panes{};
};
