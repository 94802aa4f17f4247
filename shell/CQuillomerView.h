#pragma once
// The designer view: one document's objects on a 4096 x 4096 sheet at one of
// five zoom levels, with hot tracking, selection, rubber band, moving, arrow
// keys, in-place label editing, drag and drop between windows and printing.

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "model/DocContext.h"
#include "platform/Geometry.h"
#include "model/ICommandTarget.h"

class QMimeData;
class QRubberBand;
class CBaseDevice;
class CQuillomerDoc;
class CLabelEdit;
class CQtPainter;
class CDragData;

class CQuillomerView : public QAbstractScrollArea, public ICommandTarget, public IDocView {
    Q_OBJECT
public:
    static constexpr int kSheetSize = 4096;
    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 6;

    CQuillomerView(CQuillomerDoc* doc, QWidget* parent = nullptr);
    ~CQuillomerView() override;

    CQuillomerDoc* GetDocument() const { return m_doc; }
    // The document goes away: the view forgets it (and draws nothing more).
    void DetachDocument();
    // First update: scroll position, zoom bar.
    void OnInitialUpdate();

    // ---- Zoom and mapping ----
    int GetZoom() const { return m_zoom; }
    void SetZoom(int level);
    void OnZoomIn();
    void OnZoomOut();
    void UpdateZoomBar();
    CPoint GetVisibleCenter() const { return m_visibleCenter; }
    QPoint GetScrollPosition() const;
    void ScrollToPosition(const QPoint& pos);
    QRect LogicalToClient(const CRect& r) const;
    QPoint LogicalToClient(CPoint p) const;
    CPoint ClientToLogical(const QPoint& p) const;
    // The client area in logical units.
    CRect ClientRectLogical() const;
    CRect GetUsedRect() const;

    // ---- Objects under the mouse, selection ----
    CBaseDevice* HitTest(CPoint point) const;
    CBaseDevice* GetHotObject() const override { return m_hot; }
    void SetHotObject(CBaseDevice* obj) override;
    void SelectInRect(const CRect& rect, std::vector<CBaseDevice*>& list);
    const std::vector<CBaseDevice*>& GetSelection() const { return m_selection; }
    // Appends an object (a relay topology with the lines it feeds).
    void AddToSelection(CBaseDevice* obj);
    void ClearSelection();

    // ---- Input, callable as the window's handlers do ----
    void HandleMouseMove(Qt::MouseButtons buttons, const QPoint& client);
    void HandleLeftButtonDown(Qt::KeyboardModifiers mods, const QPoint& client);
    void HandleLeftButtonUp(const QPoint& client);
    void HandleKeyDown(uint32_t virtualKey, uint32_t repeat);
    // The Windows virtual-key code of a Qt key (0 when it has none).
    static uint32_t VirtualKeyOf(int qtKey);

    // ---- Label editing ----
    bool BeginLabelEdit(CPoint point, CBaseDevice* obj);
    CLabelEdit* GetLabelEdit() const { return m_labelEdit; }
    CBaseDevice* GetEditedObject() const { return m_editObject; }

    // ---- Tool tip ----
    void UpdateToolTip(CBaseDevice* obj, bool show);
    QString GetToolTipText() const { return m_tipText; }
    bool IsToolTipShown() const;
    int GetToolTipShowCount() const { return m_tipShowCount; }

    // ---- Drawing ----
    // Paints the sheet (objects 16 down to 1, selection, drag feedback, hot
    // object) through `painter`, whose transform maps logical units. `clip`
    // is in logical units; objects outside it are left out.
    void DrawContents(QPainter& painter, const CRect& clip, bool screen);
    // A measuring painter for object code that runs outside a paint.
    std::unique_ptr<CQtPainter> MakeMeasurePainter() const;
    // Called for every object drawn (tests watch the order).
    std::function<void(CBaseDevice*)> m_drawWatcher;

    // ---- Drag and drop ----
    // Starts dragging the selection (returns when the drag has ended).
    void DragSelection(const QPoint& client);
    // The selected objects as a drag carries them to another window (of this
    // program or of another one running): written as in a project file.
    QByteArray SelectionData() const;
    // Target side; `data` offers the descriptor, `copy` asks to copy.
    bool CanAccept(const QMimeData* data) const;
    void DoDragEnter(const QMimeData* data, const QPoint& client);
    void DoDragOver(const QPoint& client);
    void DoDragLeave();
    bool DoDrop(const QMimeData* data, Qt::DropAction action, const QPoint& client);
    // Runs a drag of prepared data; the default runs QDrag. Tests replace it.
    using DragRunner = std::function<Qt::DropAction(QMimeData* data)>;
    void SetDragRunner(DragRunner runner) { m_dragRunner = std::move(runner); }
    bool IsDragFeedbackShown() const { return m_feedbackShown; }
    const std::vector<QRect>& GetDragFeedback() const { return m_feedback; }

    // ---- Printing ----
    int GetPrintMode() const { return m_printMode; }
    void SetPrintMode(int mode) { m_printMode = mode; }
    void OnFilePrint(bool preview);

    // The project's configuration text file: the project name up to its first
    // ".", with ".txt", in the document's folder (the current one when unsaved).
    QString TextFileName() const;
    QString TextFileDirectory() const;
    void OnEditTextFile();

    // ---- IDocView ----
    void InvalidateLogicalRect(const CRect& r, bool erase) override;
    void OnDocumentUpdate() override;

    // ---- Commands ----
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

    // The child window the view owns (destroyed with the view).
    void SetOwnedChild(QWidget* child) { m_child = child; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    void SetStatus(const QString& text);
    // Gives the edit's text to the edited object (unless cancelled) and closes the edit.
    void CommitLabelEdit(bool cancel);
    void EndLabelEdit(bool cancel);
    void ForEachObject(const std::function<bool(CBaseDevice*)>& fn) const;
    void AutoScrollBand(QRect& band);
    void ReconnectTopologies(const std::vector<CBaseDevice*>& pasted);

    CQuillomerDoc* m_doc;
    QPointer<QWidget> m_child;
    CBaseDevice* m_hot = nullptr;
    std::vector<CBaseDevice*> m_selection;
    std::vector<QRect> m_feedback;
    bool m_feedbackShown = false;
    int m_zoom = 4;
    CPoint m_visibleCenter;
    QString m_tipText;
    CBaseDevice* m_tipObject = nullptr;
    bool m_tipShown = false;
    int m_tipShowCount = 0;
    CLabelEdit* m_labelEdit = nullptr;
    CBaseDevice* m_editObject = nullptr;
    int m_printMode = 1;
    bool m_painting = false;  // inside paintEvent
    QPoint m_lastDragPoint;

    // Mouse state between press, move and release.
    bool m_dragPending = false;
    QPoint m_pressPoint;
    QRubberBand* m_band = nullptr;
    QPoint m_bandAnchor;
    QRect m_bandRect;
    DragRunner m_dragRunner;
};
