#pragma once
// Drag source that keeps a picture of what is dragged (an image of the
// owner's image list) under the mouse while the drag runs, and hides it
// wherever nothing may be dropped. The owner sets the image list, begins the
// image drag (BeginDragImage), runs OnBeginDrag and ends the image drag
// (EndDragImage) afterwards.

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QLabel;
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

    // Runs the drag of `data` (taken over) from `window`; returns the effect.
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

private:
    QWidget* m_pDragWnd = nullptr;
    const QList<QPixmap>* m_pImageList = nullptr;
    bool m_bReEnter = false;
    QPointer<QLabel> m_pImage;
    QPoint m_HotSpot;
    Qt::DropAction m_LastEffect = Qt::IgnoreAction;
    QTimer m_Follow;
};
