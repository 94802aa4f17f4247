#pragma once
// The hardware window ("Hardware", window kind 20): the edit-window switch
// bar, the four scans and the tree of what the device reports. It reads only,
// and only online.

#include "service/windows/ServiceWindowIds.h"
#include "ui/CFeatureFrm.h"

class CHardwareDlgTreeView;

class CHardwareDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 20;
    explicit CHardwareDlgFrm(QWidget* parent = nullptr);
    CHardwareDlgTreeView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;
    // The tree shows the device's hardware: without the line, the note instead.
    void OnLineLost() override;

private:
    CHardwareDlgTreeView* m_view = nullptr;
};
