#include "ui/CDragImageSource.h"

#include <QCursor>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QWidget>

CDragImageSource::CDragImageSource()
{
    // The drag loop gives no move events: follow the cursor on a timer.
    m_Follow.setInterval(20);
    connect(&m_Follow, &QTimer::timeout, this, [this] {
        if (m_LastEffect != Qt::IgnoreAction)
            GiveFeedback(m_LastEffect);
    });
}

CDragImageSource::~CDragImageSource()
{
    EndDragImage();
}

bool CDragImageSource::BeginDragImage(int image, const QPoint& hotSpot)
{
    EndDragImage();
    if (!m_pImageList || image < 0 || image >= m_pImageList->size())
        return false;
    auto* label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                          Qt::WindowDoesNotAcceptFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setPixmap(m_pImageList->at(image));
    label->resize(m_pImageList->at(image).size());
    m_pImage = label;
    m_HotSpot = hotSpot;
    return true;
}

void CDragImageSource::EndDragImage()
{
    m_Follow.stop();
    delete m_pImage.data();
    m_pImage = nullptr;
}

bool CDragImageSource::IsImageShown() const
{
    return m_pImage && m_pImage->isVisible();
}

QPoint CDragImageSource::ImagePosition() const
{
    return m_pImage ? m_pImage->pos() + m_HotSpot : QPoint();
}

bool CDragImageSource::GiveFeedback(Qt::DropAction effect)
{
    return GiveFeedback(effect, QCursor::pos());
}

bool CDragImageSource::GiveFeedback(Qt::DropAction effect, const QPoint& cursor)
{
    m_LastEffect = effect;
    if (effect != Qt::IgnoreAction) {
        if (m_pImage) {
            m_pImage->move(cursor - m_HotSpot);
            if (m_bReEnter)
                m_pImage->show();
        }
        m_bReEnter = false;
    } else {
        if (m_pImage)
            m_pImage->hide();
        m_bReEnter = true;
    }
    return false;  // the standard drag cursors follow
}

Qt::DropAction CDragImageSource::OnBeginDrag(QWidget* window, QMimeData* data, Qt::DropActions allowed,
                                             Qt::DropAction defaultAction)
{
    m_bReEnter = true;
    m_pDragWnd = window;
    if (!window) {
        delete data;
        return Qt::IgnoreAction;
    }
    auto* drag = new QDrag(window);
    drag->setMimeData(data);
    // The image is ours; no second picture from the drag itself.
    QPixmap empty(1, 1);
    empty.fill(Qt::transparent);
    drag->setPixmap(empty);
    connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction a) { GiveFeedback(a); });
    m_Follow.start();
    QPointer<QDrag> guard(drag);
    const Qt::DropAction result = drag->exec(allowed, defaultAction);
    m_Follow.stop();
    if (guard)
        guard->deleteLater();
    if (m_pImage)
        m_pImage->hide();
    return result;
}
