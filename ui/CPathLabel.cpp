#include "ui/CPathLabel.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

CPathLabel::CPathLabel(QWidget* parent) : QLabel(parent) {}

void CPathLabel::SetPath(const QString& path)
{
    setText(path);
    UpdateToolTip();
    update();
}

QString CPathLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

QSize CPathLabel::minimumSizeHint() const
{
    // Room for some forty characters: enough to see where the path goes.
    const QSize whole = QLabel::minimumSizeHint();
    const int least = fontMetrics().averageCharWidth() * 40 + 2 * frameWidth() + 2 * margin();
    return {std::min(whole.width(), least), whole.height()};
}

void CPathLabel::paintEvent(QPaintEvent* event)
{
    const QString shown = ShownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&p, r, static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shown, foregroundRole());
}

void CPathLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void CPathLabel::UpdateToolTip()
{
    setToolTip(ShownText() == text() ? QString() : text());
}
