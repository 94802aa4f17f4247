#include "ui/CControlPlacement.h"

#include <QWidget>

#include <cstdint>

void CControlPlacement::Record(const QWidget* control)
{
    const QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    // A child's geometry() is already in its parent's client coordinates.
    Record(control->geometry(), parent->rect().size());
}

void CControlPlacement::Record(const QRect& ownRect, const QSize& parentClient)
{
    m_rcOwn = ownRect;
    m_szParent = parentClient;
}

bool CControlPlacement::Compute(const QSize& client, bool keepHeight, QRect* out) const
{
    if (!IsRecorded() || !out)
        return false;
    const int64_t w0 = m_szParent.width();
    const int64_t h0 = m_szParent.height();
    const int64_t w1 = client.width();
    const int64_t h1 = client.height();
    const int64_t l = m_rcOwn.x();
    const int64_t t = m_rcOwn.y();
    const int64_t w = m_rcOwn.width();
    const int64_t h = m_rcOwn.height();
    const int x = static_cast<int>(l * w1 / w0);
    const int y = static_cast<int>(t * h1 / h0);
    const int width = static_cast<int>(w * w1 / w0);
    const int height = keepHeight ? static_cast<int>(h) : static_cast<int>(h * h1 / h0);
    *out = QRect(x, y, width, height);
    return true;
}
