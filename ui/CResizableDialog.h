#pragma once
// Base of the program's resizable dialogs. It keeps the dialog's placement per
// template id in the settings ("Configuration"/"D<id>", "left,top,right,bottom"
// in screen coordinates), restores it before the dialog becomes visible, never
// lets the dialog become smaller than its designed size (unless its screen
// has less room: it always opens whole on its screen), and tells its direct
// child controls about size changes (WM_INITCTRL / WM_REPOSITION).
//
// A derived dialog arranges its controls with a Qt layout in its constructor
// and gives the dialog its designed size (resize()); that size, raised to what
// the layout needs, is the "template" size and the minimum. Controls of a
// dialog without a layout are placed by their recorded rectangles instead
// (the CResizable* controls scale them in proportion); with a layout the two
// messages are not sent. OnInitDialog() runs once, just before the first show:
// derived dialogs call the base version first. Later shows of the same object
// only restore the placement (the controls keep their records).

#include <QDialog>
#include <QEvent>
#include <QRect>

class CResizableDialog : public QDialog {
    Q_OBJECT
public:
    explicit CResizableDialog(unsigned int templateId, QWidget* parent = nullptr);

    unsigned int GetTemplateId() const { return m_nTemplateId; }
    // The dialog's window rectangle as first created (empty before the first
    // restore); its size is the minimum size for the object's lifetime.
    QRect GetDesignRect() const { return m_rcDesign; }

    void RestorePlacement();
    void SavePlacement();
    // Settings key of the placement of a template: "Configuration/D<id>".
    static QString PlacementKey(unsigned int templateId);

    void setVisible(bool visible) override;

protected:
    // Sends WM_INITCTRL to the direct children, then restores the placement.
    virtual bool OnInitDialog();
    void resizeEvent(QResizeEvent* event) override;
    // Sends `type` (WM_INITCTRL or WM_REPOSITION) to the direct child widgets.
    void SendToChildren(QEvent::Type type);

private:
    unsigned int m_nTemplateId;
    QRect m_rcDesign;
    bool m_bInitialised = false;
};
