#include "ui/CDragImageWindow.h"

#include <QApplication>
#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <QWindow>

CDragImageWindow::~CDragImageWindow()
{
    Reset();
}

void CDragImageWindow::SetImage(const QPixmap& image, const QPoint& hotSpot)
{
    m_HotSpot = hotSpot;
    if (!m_pWindow) {
        m_pWindow = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                            Qt::WindowDoesNotAcceptFocus);
        m_pWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        m_pWindow->setContentsMargins(0, 0, 0, 0);
    }
    m_pWindow->setPixmap(image);
    m_pWindow->resize(image.deviceIndependentSize().toSize());
    // Without a compositor a translucent window shows black where the
    // picture is transparent: the window takes the picture's shape instead.
    if (image.hasAlphaChannel()) {
        QImage alpha = image.toImage();
        alpha.setDevicePixelRatio(1.0);
        if (alpha.size() != m_pWindow->size())
            alpha = alpha.scaled(m_pWindow->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_pWindow->setMask(QBitmap::fromImage(alpha.createAlphaMask()));
    } else {
        m_pWindow->clearMask();
    }
}

void CDragImageWindow::MoveTo(const QPoint& globalPos)
{
    if (m_pWindow)
        m_pWindow->move(globalPos - m_HotSpot);
}

void CDragImageWindow::Show()
{
    if (m_pWindow)
        m_pWindow->show();
}

void CDragImageWindow::Hide()
{
    if (m_pWindow)
        m_pWindow->hide();
}

void CDragImageWindow::Reset()
{
    delete m_pWindow.data();
    m_pWindow = nullptr;
}

bool CDragImageWindow::IsShown() const
{
    return m_pWindow && m_pWindow->isVisible();
}

QWidget* CDragImageWindow::Window() const
{
    return m_pWindow;
}

QWidget* CDragImageWindow::DropWidgetAt(const QPoint& globalPos)
{
    // The newest windows lie on top. A window that takes no input (the drag
    // picture itself) and a tool tip are looked through: the picture sits
    // right under the pointer and would otherwise refuse every drop.
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        const QWindow* window = *it;
        if (!window->isVisible() || window->type() == Qt::Desktop || window->type() == Qt::ToolTip ||
            (window->flags() & Qt::WindowTransparentForInput) || !window->geometry().contains(globalPos))
            continue;
        QWidget* top = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window)
                top = w;
        if (!top)
            return nullptr;
        if (top->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        QWidget* child = top->childAt(top->mapFromGlobal(globalPos));
        for (QWidget* w = child ? child : top; w; w = w->isWindow() ? nullptr : w->parentWidget())
            if (w->acceptDrops() && w->isEnabled())
                return w;
        return nullptr;
    }
    return nullptr;
}
