#pragma once
// The frame of the appointment and the holiday window: the edit-window switch
// bar, the own bar (new, delete, upload, download) and the list.

#include "calendar/windows/CCalItemDlgView.h"
#include "ui/CFeatureFrm.h"

class CCalItemDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    struct Commands {
        unsigned toolBarId, newItem, deleteItem, upload, download;
    };

    CCalItemDlgFrm(const CCalItemDlgView::Variant& variant, const Commands& commands, QWidget* parent = nullptr);

    CCalItemDlgView* GetView() const { return m_view; }
    // New is possible while the type is below its limit, delete while it has objects.
    void UpdateButtons();
    // Upload and download are possible while the project is the connected one.
    void UpdateTransferButtons();

protected:
    bool OnFrameCommand(unsigned commandId) override;
    // The transfer buttons follow the connection made or ended while the
    // window was open, as soon as the user comes back to it.
    void changeEvent(QEvent* event) override;

private:
    Commands m_commands;
    CCalItemDlgView* m_view = nullptr;
};
