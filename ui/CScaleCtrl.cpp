#include "ui/CScaleCtrl.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QSlider>
#include <QStyle>

#include <algorithm>
#include <cmath>

CScaleCtrl::CScaleCtrl(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), m_orientation(orientation)
{
    if (orientation == Qt::Vertical)
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    else
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QHBoxLayout* CScaleCtrl::TickedSliderRow(QSlider* slider, std::vector<double> ticks, QWidget* parent,
                                         CScaleCtrl** scale)
{
    auto* tickCtrl = new CScaleCtrl(Qt::Vertical, parent);
    tickCtrl->setObjectName(slider->objectName() + QStringLiteral("ticks"));
    tickCtrl->SetTicks(std::move(ticks));
    tickCtrl->SetAlignment(Qt::AlignRight);
    tickCtrl->SetInsetsFor(slider);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addStretch(1);
    row->addWidget(tickCtrl);
    row->addWidget(slider);
    row->addStretch(1);
    if (scale)
        *scale = tickCtrl;
    return row;
}

void CScaleCtrl::SetMarks(std::vector<Mark> marks)
{
    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.at < b.at; });
    m_marks = std::move(marks);
    updateGeometry();
    update();
}

void CScaleCtrl::SetTicks(std::vector<double> ticks)
{
    m_ticks = std::move(ticks);
    updateGeometry();
    update();
}

void CScaleCtrl::SetInsets(int start, int end)
{
    m_insetStart = std::max(0, start);
    m_insetEnd = std::max(0, end);
    updateGeometry();
    update();
}

void CScaleCtrl::SetInsetsFor(const QSlider* slider)
{
    const int handle = slider->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, slider);
    SetInsets(handle / 2, handle - handle / 2);
}

void CScaleCtrl::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

int CScaleCtrl::TextExtent(const QString& text) const
{
    const QFontMetrics fm(font());
    return m_orientation == Qt::Vertical ? fm.height() : fm.horizontalAdvance(text) + fm.averageCharWidth();
}

int CScaleCtrl::TickLength() const
{
    return m_ticks.empty() ? 0 : QFontMetrics(font()).averageCharWidth();
}

int CScaleCtrl::PositionOf(double at, int length) const
{
    const int span = std::max(0, length - m_insetStart - m_insetEnd - 1);
    return m_insetStart + static_cast<int>(std::lround(std::clamp(at, 0.0, 1.0) * span));
}

std::vector<int> CScaleCtrl::TextCentres(int length) const
{
    const size_t n = m_marks.size();
    std::vector<int> centre(n), half(n);
    for (size_t i = 0; i < n; ++i) {
        centre[i] = PositionOf(m_marks[i].at, length);
        half[i] = (TextExtent(m_marks[i].text) + 1) / 2;
    }
    // From the far end back: each text ends where the next one begins.
    for (size_t k = n; k-- > 0;) {
        int limit = length - (TextExtent(m_marks[k].text) - half[k]);
        if (k + 1 < n)
            limit = std::min(limit, centre[k + 1] - half[k + 1] - (TextExtent(m_marks[k].text) - half[k]));
        centre[k] = std::min(centre[k], limit);
    }
    // Then forward, so that none starts before the scale does.
    for (size_t k = 0; k < n; ++k) {
        int low = half[k];
        if (k > 0)
            low = std::max(low, centre[k - 1] + (TextExtent(m_marks[k - 1].text) - half[k - 1]) + half[k]);
        centre[k] = std::max(centre[k], low);
    }
    return centre;
}

QSize CScaleCtrl::sizeHint() const
{
    const QFontMetrics fm(font());
    int across = 0;
    int along = m_insetStart + m_insetEnd;
    for (const Mark& m : m_marks) {
        across = std::max(across, m_orientation == Qt::Vertical ? fm.horizontalAdvance(m.text) : fm.height());
        along += TextExtent(m.text);
    }
    if (across > 0)
        across += fm.averageCharWidth() / 2;
    across += TickLength();
    return m_orientation == Qt::Vertical ? QSize(across, along) : QSize(along, across);
}

QSize CScaleCtrl::minimumSizeHint() const
{
    return sizeHint();
}

void CScaleCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Ticks one screen pixel wide at every scale, all alike.
    QPen tickPen(palette().color(QPalette::WindowText), 1);
    tickPen.setCosmetic(true);
    p.setPen(tickPen);
    const bool vertical = m_orientation == Qt::Vertical;
    const int length = vertical ? height() : width();
    const int across = vertical ? width() : height();
    const int tick = TickLength();
    // Ticks sit at the edge the texts lean to (the slider's side).
    const bool ticksAtEnd = vertical ? (m_alignment & Qt::AlignRight) : (m_alignment & Qt::AlignBottom);
    for (double t : m_ticks) {
        const int pos = PositionOf(t, length);
        const int a0 = ticksAtEnd ? across - tick : 0;
        if (vertical)
            p.drawLine(a0, pos, a0 + tick - 1, pos);
        else
            p.drawLine(pos, a0, pos, a0 + tick - 1);
    }
    const std::vector<int> centres = TextCentres(length);
    const QFontMetrics fm(font());
    for (size_t i = 0; i < m_marks.size(); ++i) {
        const int extent = TextExtent(m_marks[i].text);
        const int start = centres[i] - (extent + 1) / 2;
        QRect box;
        if (vertical)
            box = QRect(ticksAtEnd ? 0 : tick, start, across - tick - (ticksAtEnd && tick ? 2 : 0), extent);
        else
            box = QRect(start, ticksAtEnd ? 0 : tick, extent, across - tick);
        const Qt::Alignment crossAlign =
            vertical ? (m_alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter
                     : (m_alignment & Qt::AlignVertical_Mask) | Qt::AlignHCenter;
        p.drawText(box, static_cast<int>(crossAlign), m_marks[i].text);
    }
}
