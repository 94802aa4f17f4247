#pragma once
// The virtual-controller window ("Eigenschaften von Virtuellen Controllern",
// window kind 1): the controllers, the sources and the destinations side by
// side; its own bar makes and deletes controllers and transfers them all.

#include "ui/CFeatureFrm.h"

class CQuillomerDoc;
class CVirtCtrl;
class QSplitter;

namespace virtctrl {
class CDesignerListView;
}

class CObjectFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 1;
    explicit CObjectFrm(CQuillomerDoc* doc, QWidget* parent = nullptr);

    // 0 controllers, 1 sources, 2 destinations.
    virtctrl::CDesignerListView* GetPane(int i) const;
    // Refills the three panes and sets the new and delete buttons.
    void UpdatePanes();
    // Transfers the whole table (the download locks the sources and
    // destinations while it runs); an upload refills the panes.
    void TransferAllControllers(bool upload);
    // Transfers the five values of the selected controller.
    void TransferSelected(bool upload);

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    void UpdateButtons();
    CVirtCtrl* Table() const;

    CQuillomerDoc* m_doc;
    QSplitter* m_splitter = nullptr;
    virtctrl::CDesignerListView* m_panes[3] = {};
};
