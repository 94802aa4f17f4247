#pragma once
// Drag source that keeps a picture of what is dragged (an image of the
// owner's image list) under the mouse while the drag runs, and hides it
// wherever nothing may be dropped. The owner sets the image list, begins the
// image drag (BeginDragImage), runs OnBeginDrag and ends the image drag
// (EndDragImage) afterwards.
//
// The drag runs inside the program: the mouse moves and the release are
// followed through the event system, and each move asks the widget under the
// pointer (the picture looked through) whether it takes the data.

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>

#include "ui/CDragImageWindow.h"

class QEventLoop;
class QMimeData;
class QWidget;

class CDragImageSource : public QObject {
    Q_OBJECT
public:
    CDragImageSource();
    ~CDragImageSource() override;

    // The owner keeps the list alive for the drag.
    void SetImageList(const QList<QPixmap>* images) { m_pImageList = images; }
    const QList<QPixmap>* GetImageList() const { return m_pImageList; }

    // Prepares image `image` of the list with its hot spot; EndDragImage removes it.
    bool BeginDragImage(int image, const QPoint& hotSpot);
    void EndDragImage();

    // Runs the drag of `data` (taken over) from `window` until the mouse
    // button is released or Escape is pressed; returns the effect of the drop
    // (IgnoreAction when nothing took it).
    Qt::DropAction OnBeginDrag(QWidget* window, QMimeData* data, Qt::DropActions allowed,
                               Qt::DropAction defaultAction = Qt::MoveAction);
    // Called at every change during the drag; shows/moves the image for an
    // effect, hides it for none. False: the standard cursors are used.
    bool GiveFeedback(Qt::DropAction effect);
    bool GiveFeedback(Qt::DropAction effect, const QPoint& cursor);

    QWidget* GetDragWindow() const { return m_pDragWnd; }
    bool IsReEnter() const { return m_bReEnter; }
    bool IsImageShown() const;
    QPoint ImagePosition() const;
    // The window that shows the image (null when none is prepared).
    QWidget* ImageWindow() const { return m_Image.Window(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The drag over `globalPos`: enter, move and leave for the widgets under it.
    void Over(const QPoint& globalPos, Qt::KeyboardModifiers keys);
    void Leave();
    // The release over `globalPos`: the target and the point the drop goes to.
    void Release(const QPoint& globalPos, Qt::KeyboardModifiers keys);
    Qt::DropAction Drop();
    void SetCursorFor(Qt::DropAction effect);
    void Finish();

    QWidget* m_pDragWnd = nullptr;
    const QList<QPixmap>* m_pImageList = nullptr;
    bool m_bReEnter = false;
    CDragImageWindow m_Image;
    bool m_ImagePrepared = false;

    // The running drag.
    QEventLoop* m_pLoop = nullptr;
    const QMimeData* m_pData = nullptr;
    Qt::DropActions m_Allowed;
    Qt::DropAction m_Effect = Qt::IgnoreAction;
    Qt::DropAction m_Result = Qt::IgnoreAction;
    QPointer<QWidget> m_pTarget;  // the widget that took the drag enter
    QPointer<QWidget> m_pDropTarget;  // the widget the mouse was let go over
    QPoint m_DropPos;
    QPoint m_LastPos;
    Qt::KeyboardModifiers m_LastKeys;
    bool m_CursorSet = false;
};
