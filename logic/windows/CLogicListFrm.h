#pragma once
// The frame of a control-logic list window: the edit-window switch bar, the
// window's own bar (new, delete and, where the table has a protocol block,
// upload and download) and the status bar around the list.

#include "ui/CFeatureFrm.h"

class CLogicListView;

class CLogicListFrm : public CFeatureFrm {
    Q_OBJECT
public:
    struct Commands {
        unsigned toolBarId, newItem, deleteItem, upload, download;  // upload, download 0: none
    };

    // `view` (may be null when a derived frame sets it) becomes the list.
    CLogicListFrm(const Commands& commands, CLogicListView* view, QWidget* parent = nullptr);

    CLogicListView* GetView() const { return m_view; }
    // New is possible while the type is below its limit, delete while it has objects.
    void UpdateButtons();
    // Delete is possible while the list shows objects.
    void UpdateDeleteButton();
    // Rebuilds what the frame shows from the document.
    virtual void RefreshPanes();

protected:
    // Takes the list (the central widget unless `central` is given).
    void SetView(CLogicListView* view, QWidget* central = nullptr);
    bool OnFrameCommand(unsigned commandId) override;

private:
    Commands m_commands;
    CLogicListView* m_view = nullptr;
};
