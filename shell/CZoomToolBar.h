#pragma once
// The zoom tool bar: Zoom In, Zoom Out and a drop-down list of the five zoom
// levels. Choosing an entry sets the zoom of the active designer window; the
// active window shows its own level in the list.

#include <QToolBar>

class QComboBox;
class CMainFrame;

class CZoomToolBar : public QToolBar {
    Q_OBJECT
public:
    struct ZoomEntry {
        const char* text;
        int level;
    };
    static constexpr int kEntryCount = 5;
    static const ZoomEntry kZoomTable[kEntryCount];

    explicit CZoomToolBar(CMainFrame* frame);

    // Creates the combo box beside the two buttons (called once by the frame).
    void SetupZoomCombo();
    // Shows a level in the combo box; levels outside the table leave it alone.
    void SetZoom(int level);
    // Enables the combo box while there is an active designer view; without
    // one the selection is cleared.
    void UpdateComboState(bool hasActiveView);

    QComboBox* GetCombo() const { return m_combo; }

private:
    void OnSelectionChanged(int index);

    CMainFrame* m_frame;
    QComboBox* m_combo = nullptr;
};
