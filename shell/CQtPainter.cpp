#include "shell/CQtPainter.h"

#include "shell/CBitmapManager.h"
#include "shell/SymbolBitmaps.h"
#include "shell/CFontManager.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QRectF Outline(const CRect& r, int penWidth)
{
    // An inside-frame pen: the stroke stays within the rectangle.
    const qreal half = penWidth / 2.0;
    return QRectF(r.left + half, r.top + half, std::max(0.0, r.Width() - 2 * half), std::max(0.0, r.Height() - 2 * half));
}
}  // namespace

QFont CQtPainter::ObjectFont(const CFontManager* fonts, int index)
{
    if (fonts)
        return fonts->GetObjectFont(index);
    static const CFontManager standalone;
    return standalone.GetObjectFont(index);
}

CQtPainter::CQtPainter(QPainter* painter, const CFontManager* fonts, const CBitmapManager* bitmaps)
    : m_p(painter), m_fonts(fonts), m_bitmaps(bitmaps)
{
    m_font = ObjectFont(m_fonts, FontNames);
    if (m_p) {
        m_p->setRenderHint(QPainter::Antialiasing, false);
        m_p->setFont(m_font);
        ApplyPen();
        m_p->setBrush(m_brushColor);
    }
}

void CQtPainter::ApplyPen()
{
    if (!m_p)
        return;
    QPen pen(m_penColor, m_penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    m_p->setPen(pen);
}

void CQtPainter::SetPen(QlColor color, int width)
{
    m_penColor = ToQColor(color);
    m_penWidth = std::max(1, width);
    ApplyPen();
}

void CQtPainter::SetBrush(QlColor color, bool fill)
{
    m_brushColor = ToQColor(color);
    m_fill = fill;
    if (m_p)
        m_p->setBrush(fill ? QBrush(m_brushColor) : QBrush(Qt::NoBrush));
}

void CQtPainter::SetTextColor(QlColor color) { m_textColor = ToQColor(color); }
void CQtPainter::SetTransparentText(bool transparent) { m_transparent = transparent; }

void CQtPainter::SelectFont(int font)
{
    m_font = ObjectFont(m_fonts, font);
    if (m_p)
        m_p->setFont(m_font);
}

QlColor CQtPainter::WindowBackground() const
{
    const QColor c = QGuiApplication::palette().color(QPalette::Base);
    return QlColor{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
}

void CQtPainter::DrawRect(const CRect& r)
{
    if (!m_p)
        return;
    if (m_fill)
        m_p->fillRect(QRectF(r.left, r.top, r.Width(), r.Height()), m_brushColor);
    m_p->save();
    m_p->setBrush(Qt::NoBrush);
    m_p->drawRect(Outline(r, m_penWidth));
    m_p->restore();
}

void CQtPainter::DrawRoundRect(const CRect& r, int cornerW, int cornerH)
{
    if (!m_p)
        return;
    m_p->drawRoundedRect(Outline(r, m_penWidth), cornerW / 2.0, cornerH / 2.0);
}

void CQtPainter::FillRect(const CRect& r, QlColor color)
{
    if (m_p)
        m_p->fillRect(QRectF(r.left, r.top, r.Width(), r.Height()), ToQColor(color));
}

void CQtPainter::DrawEdge(const CRect& r, bool raised)
{
    if (!m_p)
        return;
    // Two-pixel 3-D edge: light outer/inner lines at top-left, dark at bottom-right.
    const QColor light = raised ? QColor(255, 255, 255) : QColor(128, 128, 128);
    const QColor dark = raised ? QColor(64, 64, 64) : QColor(255, 255, 255);
    const QColor light2 = raised ? QColor(223, 223, 223) : QColor(64, 64, 64);
    const QColor dark2 = raised ? QColor(128, 128, 128) : QColor(223, 223, 223);
    m_p->save();
    auto frame = [&](qreal inset, const QColor& tl, const QColor& br) {
        const qreal l = r.left + inset + 0.5, t = r.top + inset + 0.5;
        const qreal rr = r.right - inset - 0.5, b = r.bottom - inset - 0.5;
        m_p->setPen(QPen(tl, 1));
        m_p->drawLine(QPointF(l, b), QPointF(l, t));
        m_p->drawLine(QPointF(l, t), QPointF(rr, t));
        m_p->setPen(QPen(br, 1));
        m_p->drawLine(QPointF(rr, t), QPointF(rr, b));
        m_p->drawLine(QPointF(rr, b), QPointF(l, b));
    };
    frame(0, light, dark);
    frame(1, light2, dark2);
    m_p->restore();
}

void CQtPainter::DrawPolyline(const std::vector<CPoint>& points)
{
    if (!m_p || points.size() < 2)
        return;
    QVector<QPointF> pts;
    pts.reserve(static_cast<int>(points.size()));
    for (const CPoint& p : points)
        pts.push_back(QPointF(p.x + 0.5, p.y + 0.5));
    m_p->drawPolyline(pts.constData(), pts.size());
}

void CQtPainter::DrawLine(CPoint from, CPoint to)
{
    if (m_p)
        m_p->drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(to.x + 0.5, to.y + 0.5));
}

CSize CQtPainter::TextExtent(const std::string& text)
{
    const QFontMetrics fm(m_font);
    return CSize{fm.horizontalAdvance(Q(text)), fm.height()};
}

void CQtPainter::DrawText(const std::string& text, const CRect& r, uint32_t align)
{
    if (!m_p)
        return;
    int flags = 0;
    flags |= (align & AlignCenter) ? Qt::AlignHCenter : (align & AlignRight) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (align & AlignVCenter) ? Qt::AlignVCenter : (align & AlignBottom) ? Qt::AlignBottom : Qt::AlignTop;
    if (align & SingleLine)
        flags |= Qt::TextSingleLine;
    if (align & NoClip)
        flags |= Qt::TextDontClip;
    const QRect rect(r.left, r.top, r.Width(), r.Height());
    if (!m_transparent)
        m_p->fillRect(m_p->boundingRect(rect, flags, Q(text)), Qt::white);
    m_p->save();
    m_p->setPen(m_textColor);
    m_p->drawText(rect, flags, Q(text));
    m_p->restore();
}

void CQtPainter::TextOut(int x, int y, const std::string& text)
{
    if (!m_p)
        return;
    const QFontMetrics fm(m_font);
    if (!m_transparent)
        m_p->fillRect(QRect(x, y, fm.horizontalAdvance(Q(text)), fm.height()), Qt::white);
    m_p->save();
    m_p->setPen(m_textColor);
    m_p->drawText(QPoint(x, y + fm.ascent()), Q(text));
    m_p->restore();
}

void CQtPainter::DrawBitmap(uint32_t bitmapId, const CRect& r)
{
    if (!m_p || !m_bitmaps)
        return;
    if (const QPixmap* pm = m_bitmaps->GetBitmap(static_cast<int>(bitmapId)))
        m_p->drawPixmap(QRect(r.left, r.top, pm->width(), pm->height()), *pm);
}

void CQtPainter::DrawIcon(uint32_t iconId, CPoint at)
{
    if (!m_p)
        return;
    if (const QImage* img = GetIconImage(static_cast<int>(iconId)))
        m_p->drawImage(QPoint(at.x, at.y), *img);
}
