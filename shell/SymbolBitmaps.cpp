#include "shell/SymbolBitmaps.h"

#include "shell/ShellIds.h"
#include "ui/SymbolImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <map>

namespace {

enum class Shape {
    Amplifier, Rack, Speaker, Slot, Console, Clock, Calendar, Event, Condition, Trigger, Flag,
    Relay, Card, Logic, Controller, Macro, Group, Contact, Key, KeySwitch, Bell, Signal,
    Chip, Device, Info, Generic, Power,
    // The audio sources attached to the input cards.
    Microphone, DeskMic, DeskMicKeys, Cassette, SmallCassette, Disc, Tuner, Mixer, LineSource
};

struct Picture {
    int id;
    int w, h;
    Shape shape;
    const char* glyph;  // a few letters written into the picture, may be empty
};

// Symbol bitmaps of the bitmap manager and the icons of the printed lists.
// Amplifiers (one, two and four channels) and lines are as wide as their
// default names, which are written under them and cut only when longer; so
// are the console on the sheet (a desk with its keys) and the power pack, in
// both languages.
const Picture kPictures[] = {
    {139, 32, 32, Shape::Microphone, ""},  {140, 32, 32, Shape::Cassette, ""},
    {141, 32, 32, Shape::Disc, ""},        {142, 32, 32, Shape::SmallCassette, ""},
    {144, 32, 32, Shape::Device, ""},      {150, 84, 32, Shape::Rack, ""},
    {171, 32, 32, Shape::Tuner, ""},       {172, 32, 32, Shape::Mixer, ""},
    {186, 32, 32, Shape::DeskMicKeys, ""}, {188, 32, 32, Shape::DeskMic, ""},
    {193, 84, 56, Shape::Rack, "4"},      {201, 32, 32, Shape::Condition, ""},
    {202, 32, 32, Shape::Trigger, ""},     {203, 32, 32, Shape::Macro, ""},
    {204, 32, 32, Shape::Contact, "R"},    {205, 32, 32, Shape::Event, ""},
    {206, 32, 32, Shape::Calendar, "T"},   {207, 32, 32, Shape::LineSource, ""},
    {208, 32, 32, Shape::Calendar, "W"},   {212, 64, 32, Shape::Speaker, ""},
    {233, 32, 32, Shape::Bell, ""},        {239, 96, 32, Shape::Console, ""},
    {242, 32, 32, Shape::Signal, "!"},     {249, 32, 32, Shape::Clock, "S"},
    {251, 16, 16, Shape::Info, ""},        {257, 32, 32, Shape::Card, ""},
    {301, 24, 24, Shape::KeySwitch, ""},   {303, 24, 24, Shape::Key, ""},
    {309, 24, 24, Shape::Key, "!"},        {313, 32, 32, Shape::Relay, ""},
    {455, 12, 12, Shape::Contact, ""},     {456, 84, 40, Shape::Rack, "2"},
    {458, 96, 32, Shape::Power, ""},    {501, 32, 32, Shape::Calendar, "F"},
    {502, 32, 32, Shape::Controller, ""},  {503, 32, 32, Shape::Slot, ""},
    {504, 32, 32, Shape::Relay, "C"},      {505, 32, 32, Shape::Card, ""},
    {506, 32, 32, Shape::Amplifier, ""},   {508, 32, 32, Shape::Device, ""},
    {519, 32, 32, Shape::Flag, ""},        {520, 32, 32, Shape::Condition, "<>"},
    {521, 32, 32, Shape::Condition, "A"},  {522, 32, 32, Shape::Logic, "&"},
    {523, 32, 32, Shape::Logic, ""},       {530, 32, 32, Shape::Group, "LAN"},
};

const QColor kInk(40, 40, 40);
const QColor kAccent(0, 90, 170);
const QColor kFill(235, 240, 248);

void DrawGlyph(QPainter& p, const QRectF& r, const char* glyph)
{
    if (!glyph || !*glyph)
        return;
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(6, static_cast<int>(r.height() / 3)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(kAccent);
    p.drawText(r, Qt::AlignRight | Qt::AlignBottom, QString::fromLatin1(glyph));
}

void DrawShape(QPainter& p, Shape shape, const QRectF& r)
{
    const qreal w = r.width(), h = r.height();
    const QPointF c = r.center();
    QPen pen(kInk, std::max(1.0, std::min(w, h) / 20));
    p.setPen(pen);
    p.setBrush(kFill);
    switch (shape) {
    case Shape::Amplifier: {
        QPolygonF tri;
        tri << QPointF(r.left() + w * 0.15, r.top() + h * 0.15) << QPointF(r.right() - w * 0.15, c.y())
            << QPointF(r.left() + w * 0.15, r.bottom() - h * 0.15);
        p.drawPolygon(tri);
        break;
    }
    case Shape::Rack: {
        // A rack unit with the amplifier's triangle at its front.
        p.drawRect(r.adjusted(1, 1, -2, -2));
        QPolygonF tri;
        const qreal side = std::min(h * 0.6, w * 0.4);
        tri << QPointF(r.left() + 6, c.y() - side / 2) << QPointF(r.left() + 6 + side, c.y())
            << QPointF(r.left() + 6, c.y() + side / 2);
        p.setBrush(kAccent);
        p.drawPolygon(tri);
        break;
    }
    case Shape::Speaker: {
        QPolygonF cone;
        cone << QPointF(r.left() + w * 0.2, c.y() - h * 0.12) << QPointF(r.left() + w * 0.4, c.y() - h * 0.12)
             << QPointF(r.left() + w * 0.65, r.top() + h * 0.15) << QPointF(r.left() + w * 0.65, r.bottom() - h * 0.15)
             << QPointF(r.left() + w * 0.4, c.y() + h * 0.12) << QPointF(r.left() + w * 0.2, c.y() + h * 0.12);
        p.drawPolygon(cone);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.left() + w * 0.55, r.top() + h * 0.3, w * 0.3, h * 0.4), -60 * 16, 120 * 16);
        break;
    }
    case Shape::Slot:
    case Shape::Card:
        p.drawRect(r.adjusted(w * 0.2, h * 0.1, -w * 0.2, -h * 0.1));
        for (int i = 0; i < 4; ++i) {
            const qreal y = r.top() + h * (0.25 + 0.15 * i);
            p.drawLine(QPointF(r.left() + w * 0.05, y), QPointF(r.left() + w * 0.2, y));
            p.drawLine(QPointF(r.right() - w * 0.2, y), QPointF(r.right() - w * 0.05, y));
        }
        break;
    case Shape::Console:
        if (w > h * 1.5) {
            // A desk: the microphone on its neck at the left, a row of keys.
            const qreal mic = h;
            p.drawRoundedRect(QRectF(r.left() + 1, r.top() + h * 0.55, w - 2, h * 0.35), 2, 2);
            p.drawLine(QPointF(r.left() + mic / 2, r.top() + h * 0.55), QPointF(r.left() + mic / 2, r.top() + h * 0.3));
            p.drawEllipse(QRectF(r.left() + mic / 2 - h * 0.1, r.top() + h * 0.1, h * 0.2, h * 0.22));
            p.setBrush(kAccent);
            const qreal key = h * 0.18;
            for (qreal x = r.left() + mic; x + key < r.right() - 3; x += key * 2)
                p.drawRect(QRectF(x, r.top() + h * 0.64, key, key));
            break;
        }
        p.drawRoundedRect(QRectF(r.left() + w * 0.1, r.top() + h * 0.55, w * 0.8, h * 0.35), 2, 2);
        p.drawLine(QPointF(c.x(), r.top() + h * 0.55), QPointF(c.x(), r.top() + h * 0.3));
        p.drawEllipse(QRectF(c.x() - w * 0.1, r.top() + h * 0.1, w * 0.2, h * 0.22));
        break;
    case Shape::Power: {
        // A mains unit with its battery beside it.
        const QRectF box(r.left() + 1, r.top() + h * 0.2, w * 0.5, h * 0.7);
        p.drawRect(box);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(box.left() + 4, box.top() + 4, h * 0.16, h * 0.16));
        p.setBrush(kFill);
        const QRectF cell(box.right() + w * 0.08, r.top() + h * 0.35, w * 0.3, h * 0.5);
        p.drawRect(cell);
        p.drawRect(QRectF(cell.right(), cell.top() + cell.height() * 0.3, 2, cell.height() * 0.4));
        p.drawLine(QPointF(cell.left() + 4, cell.center().y()), QPointF(cell.left() + 10, cell.center().y()));
        p.drawLine(QPointF(cell.right() - 10, cell.center().y()), QPointF(cell.right() - 4, cell.center().y()));
        p.drawLine(QPointF(cell.right() - 7, cell.center().y() - 3), QPointF(cell.right() - 7, cell.center().y() + 3));
        p.drawLine(QPointF(box.right(), cell.center().y()), QPointF(cell.left(), cell.center().y()));
        break;
    }
    case Shape::Clock:
        p.drawEllipse(r.adjusted(w * 0.1, h * 0.1, -w * 0.1, -h * 0.1));
        p.drawLine(c, QPointF(c.x(), r.top() + h * 0.25));
        p.drawLine(c, QPointF(r.left() + w * 0.7, c.y()));
        break;
    case Shape::Calendar: {
        const QRectF page = r.adjusted(w * 0.12, h * 0.15, -w * 0.12, -h * 0.1);
        p.drawRect(page);
        p.fillRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.25), kAccent);
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(page.left() + page.width() * i / 4, page.top() + page.height() * 0.3),
                       QPointF(page.left() + page.width() * i / 4, page.bottom()));
        break;
    }
    case Shape::Event:
        p.drawEllipse(r.adjusted(w * 0.15, h * 0.15, -w * 0.15, -h * 0.15));
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(c.x() - w * 0.1, c.y() - h * 0.1, w * 0.2, h * 0.2));
        break;
    case Shape::Condition: {
        QPolygonF dia;
        dia << QPointF(c.x(), r.top() + h * 0.1) << QPointF(r.right() - w * 0.1, c.y())
            << QPointF(c.x(), r.bottom() - h * 0.1) << QPointF(r.left() + w * 0.1, c.y());
        p.drawPolygon(dia);
        break;
    }
    case Shape::Trigger: {
        QPolygonF bolt;
        bolt << QPointF(r.left() + w * 0.55, r.top() + h * 0.1) << QPointF(r.left() + w * 0.3, r.top() + h * 0.55)
             << QPointF(r.left() + w * 0.5, r.top() + h * 0.55) << QPointF(r.left() + w * 0.4, r.bottom() - h * 0.1)
             << QPointF(r.left() + w * 0.72, r.top() + h * 0.42) << QPointF(r.left() + w * 0.52, r.top() + h * 0.42);
        p.setBrush(QColor(250, 210, 60));
        p.drawPolygon(bolt);
        break;
    }
    case Shape::Flag: {
        p.drawLine(QPointF(r.left() + w * 0.25, r.top() + h * 0.1), QPointF(r.left() + w * 0.25, r.bottom() - h * 0.1));
        QPolygonF flag;
        flag << QPointF(r.left() + w * 0.25, r.top() + h * 0.12) << QPointF(r.right() - w * 0.15, r.top() + h * 0.28)
             << QPointF(r.left() + w * 0.25, r.top() + h * 0.45);
        p.setBrush(QColor(220, 60, 60));
        p.drawPolygon(flag);
        break;
    }
    case Shape::Relay:
        p.drawRect(r.adjusted(w * 0.15, h * 0.25, -w * 0.15, -h * 0.25));
        p.drawLine(QPointF(r.left() + w * 0.3, c.y() + h * 0.1), QPointF(r.right() - w * 0.3, c.y() - h * 0.1));
        break;
    case Shape::Logic:
        p.drawRect(r.adjusted(w * 0.25, h * 0.15, -w * 0.25, -h * 0.15));
        p.drawLine(QPointF(r.left() + w * 0.05, r.top() + h * 0.35), QPointF(r.left() + w * 0.25, r.top() + h * 0.35));
        p.drawLine(QPointF(r.left() + w * 0.05, r.top() + h * 0.65), QPointF(r.left() + w * 0.25, r.top() + h * 0.65));
        p.drawLine(QPointF(r.right() - w * 0.25, c.y()), QPointF(r.right() - w * 0.05, c.y()));
        break;
    case Shape::Controller:
        p.drawRoundedRect(r.adjusted(w * 0.1, h * 0.2, -w * 0.1, -h * 0.2), 3, 3);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QRectF(r.left() + w * (0.2 + 0.22 * i), c.y() - h * 0.08, w * 0.16, h * 0.16));
        break;
    case Shape::Macro:
        p.drawRect(r.adjusted(w * 0.15, h * 0.1, -w * 0.15, -h * 0.1));
        for (int i = 0; i < 4; ++i) {
            const qreal y = r.top() + h * (0.25 + 0.15 * i);
            p.drawLine(QPointF(r.left() + w * 0.25, y), QPointF(r.right() - w * 0.25, y));
        }
        break;
    case Shape::Group:
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(r.left() + w * (0.1 + 0.12 * i), r.top() + h * (0.1 + 0.12 * i), w * 0.5, h * 0.45));
        break;
    case Shape::Contact:
        p.setBrush(QColor(50, 200, 50));
        p.drawEllipse(r.adjusted(w * 0.15, h * 0.15, -w * 0.15, -h * 0.15));
        break;
    case Shape::Key:
        p.drawRoundedRect(r.adjusted(w * 0.1, h * 0.1, -w * 0.1, -h * 0.1), 3, 3);
        break;
    case Shape::KeySwitch:
        p.drawEllipse(r.adjusted(w * 0.1, h * 0.1, -w * 0.1, -h * 0.1));
        p.drawLine(QPointF(c.x(), r.top() + h * 0.25), QPointF(c.x(), r.bottom() - h * 0.25));
        break;
    case Shape::Bell: {
        QPainterPath bell;
        bell.moveTo(r.left() + w * 0.2, r.bottom() - h * 0.25);
        bell.cubicTo(r.left() + w * 0.3, r.top() + h * 0.1, r.right() - w * 0.3, r.top() + h * 0.1,
                     r.right() - w * 0.2, r.bottom() - h * 0.25);
        bell.closeSubpath();
        p.drawPath(bell);
        p.drawEllipse(QRectF(c.x() - w * 0.06, r.bottom() - h * 0.25, w * 0.12, h * 0.12));
        break;
    }
    case Shape::Signal: {
        QPainterPath wave;
        wave.moveTo(r.left() + w * 0.1, c.y());
        for (int i = 0; i < 4; ++i) {
            const qreal x0 = r.left() + w * (0.1 + 0.2 * i);
            wave.quadTo(x0 + w * 0.05, c.y() + (i % 2 ? h : -h) * 0.3, x0 + w * 0.1, c.y());
            wave.quadTo(x0 + w * 0.15, c.y() + (i % 2 ? -h : h) * 0.3, x0 + w * 0.2, c.y());
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
        break;
    }
    case Shape::Chip:
        p.drawRect(r.adjusted(w * 0.25, h * 0.25, -w * 0.25, -h * 0.25));
        for (int i = 0; i < 3; ++i) {
            const qreal t = 0.35 + 0.15 * i;
            p.drawLine(QPointF(r.left() + w * t, r.top() + h * 0.1), QPointF(r.left() + w * t, r.top() + h * 0.25));
            p.drawLine(QPointF(r.left() + w * t, r.bottom() - h * 0.25), QPointF(r.left() + w * t, r.bottom() - h * 0.1));
        }
        break;
    case Shape::Device:
        p.drawRect(r.adjusted(w * 0.08, h * 0.3, -w * 0.08, -h * 0.3));
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(r.right() - w * 0.3, c.y() - h * 0.08, w * 0.16, h * 0.16));
        break;
    case Shape::Info:
        p.setBrush(kAccent);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        break;
    case Shape::Generic:
        p.drawRect(r.adjusted(w * 0.15, h * 0.15, -w * 0.15, -h * 0.15));
        break;
    case Shape::Microphone: {
        // A hand microphone: the grille on its handle, the cable below.
        const QRectF head(c.x() - w * 0.17, r.top() + h * 0.06, w * 0.34, h * 0.34);
        QPolygonF handle;
        handle << QPointF(c.x() - w * 0.11, head.bottom() - h * 0.04) << QPointF(c.x() + w * 0.11, head.bottom() - h * 0.04)
               << QPointF(c.x() + w * 0.06, r.bottom() - h * 0.2) << QPointF(c.x() - w * 0.06, r.bottom() - h * 0.2);
        p.drawPolygon(handle);
        p.setBrush(kAccent);
        p.drawEllipse(head);
        p.setBrush(Qt::NoBrush);
        QPainterPath cable;
        cable.moveTo(c.x(), r.bottom() - h * 0.2);
        cable.quadTo(c.x(), r.bottom() - h * 0.04, r.right() - w * 0.15, r.bottom() - h * 0.06);
        p.drawPath(cable);
        break;
    }
    case Shape::DeskMic:
    case Shape::DeskMicKeys: {
        // A desk microphone: its head on a gooseneck over the foot; the one
        // with keys carries a row of them on its foot.
        const QRectF foot(r.left() + w * 0.08, r.bottom() - h * 0.3, w * 0.84, h * 0.22);
        p.drawRoundedRect(foot, 2, 2);
        p.setBrush(Qt::NoBrush);
        QPainterPath neck;
        neck.moveTo(r.left() + w * 0.3, foot.top());
        neck.cubicTo(r.left() + w * 0.3, r.top() + h * 0.3, r.left() + w * 0.45, r.top() + h * 0.2,
                     r.left() + w * 0.62, r.top() + h * 0.22);
        p.drawPath(neck);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(r.left() + w * 0.6, r.top() + h * 0.08, w * 0.3, h * 0.24));
        if (shape == Shape::DeskMicKeys) {
            const qreal key = h * 0.12;
            for (int i = 0; i < 3; ++i)
                p.drawRect(QRectF(r.left() + w * (0.45 + 0.15 * i), foot.center().y() - key / 2, key, key));
        }
        break;
    }
    case Shape::Cassette:
    case Shape::SmallCassette: {
        // A tape cassette with its two reels; the small one leaves room for
        // its name under it.
        const QRectF body = shape == Shape::Cassette ? r.adjusted(w * 0.06, h * 0.18, -w * 0.06, -h * 0.18)
                                                     : r.adjusted(w * 0.12, h * 0.06, -w * 0.12, -h * 0.4);
        p.drawRoundedRect(body, 2, 2);
        const qreal reel = body.height() * 0.36;
        p.setBrush(Qt::white);
        p.drawRect(QRectF(body.left() + body.width() * 0.22, body.top() + body.height() * 0.2,
                          body.width() * 0.56, reel + body.height() * 0.1));
        p.setBrush(kAccent);
        for (qreal at : {0.32, 0.68})
            p.drawEllipse(QRectF(body.left() + body.width() * at - reel / 2, body.top() + body.height() * 0.25, reel, reel));
        p.setBrush(Qt::NoBrush);
        QPolygonF slot;
        slot << QPointF(body.left() + body.width() * 0.25, body.bottom()) << QPointF(body.left() + body.width() * 0.3, body.bottom() - body.height() * 0.18)
             << QPointF(body.right() - body.width() * 0.3, body.bottom() - body.height() * 0.18) << QPointF(body.right() - body.width() * 0.25, body.bottom());
        p.drawPolyline(slot);
        if (shape == Shape::SmallCassette) {
            // Its name under it, as an outline: sharp, and spaced as designed at any size.
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(std::max(6, static_cast<int>(h * 0.34)));
            f.setBold(true);
            QPainterPath name;
            name.addText(0, 0, f, QStringLiteral("DAT"));
            const QRectF box = name.boundingRect();
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawPath(name.translated(c.x() - box.center().x(), r.bottom() - h * 0.04 - box.bottom()));
        }
        break;
    }
    case Shape::Disc: {
        // A CD player: the disc over the drawer of its box.
        p.drawRect(QRectF(r.left() + w * 0.06, r.bottom() - h * 0.32, w * 0.88, h * 0.24));
        p.drawLine(QPointF(r.left() + w * 0.2, r.bottom() - h * 0.2), QPointF(r.right() - w * 0.45, r.bottom() - h * 0.2));
        const QRectF disc(c.x() - w * 0.3, r.top() + h * 0.04, w * 0.6, h * 0.6);
        p.setBrush(QColor(200, 215, 235));
        p.drawEllipse(disc);
        p.setBrush(Qt::NoBrush);
        p.drawArc(disc.adjusted(w * 0.08, h * 0.08, -w * 0.08, -h * 0.08), 30 * 16, 80 * 16);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(disc.center().x() - w * 0.07, disc.center().y() - h * 0.07, w * 0.14, h * 0.14));
        break;
    }
    case Shape::Tuner: {
        // A radio: its scale with the needle, a tuning knob and the aerial.
        const QRectF box(r.left() + w * 0.06, r.top() + h * 0.38, w * 0.88, h * 0.5);
        p.drawLine(QPointF(box.right() - w * 0.2, box.top()), QPointF(r.left() + w * 0.45, r.top() + h * 0.06));
        p.drawRoundedRect(box, 2, 2);
        const QRectF scale(box.left() + w * 0.06, box.top() + h * 0.1, w * 0.48, h * 0.26);
        p.setBrush(Qt::white);
        p.drawRect(scale);
        for (int i = 1; i < 5; ++i)
            p.drawLine(QPointF(scale.left() + scale.width() * i / 5, scale.top()),
                       QPointF(scale.left() + scale.width() * i / 5, scale.top() + scale.height() * 0.35));
        p.setPen(QPen(QColor(200, 40, 40), pen.widthF()));
        p.drawLine(QPointF(scale.left() + scale.width() * 0.62, scale.top()), QPointF(scale.left() + scale.width() * 0.62, scale.bottom()));
        p.setPen(pen);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(box.right() - w * 0.3, box.center().y() - h * 0.1, w * 0.2, h * 0.2));
        break;
    }
    case Shape::Mixer: {
        // A mixing desk: three channel strips, each with its fader.
        const QRectF desk = r.adjusted(w * 0.06, h * 0.1, -w * 0.06, -h * 0.1);
        p.drawRect(desk);
        p.setBrush(kAccent);
        const qreal levels[] = {0.35, 0.6, 0.45};
        for (int i = 0; i < 3; ++i) {
            const qreal x = desk.left() + desk.width() * (0.2 + 0.3 * i);
            p.drawLine(QPointF(x, desk.top() + desk.height() * 0.15), QPointF(x, desk.bottom() - desk.height() * 0.12));
            const qreal y = desk.top() + desk.height() * levels[i];
            p.drawRect(QRectF(x - w * 0.08, y - h * 0.05, w * 0.16, h * 0.1));
        }
        break;
    }
    case Shape::LineSource: {
        // A source with its line output: the box, the cable and its plug.
        const QRectF box(r.left() + w * 0.06, r.top() + h * 0.25, w * 0.4, h * 0.5);
        p.drawRect(box);
        QPainterPath wave;
        wave.moveTo(box.left() + box.width() * 0.15, box.center().y());
        wave.quadTo(box.left() + box.width() * 0.32, box.top() + box.height() * 0.1, box.center().x(), box.center().y());
        wave.quadTo(box.right() - box.width() * 0.32, box.bottom() - box.height() * 0.1, box.right() - box.width() * 0.15,
                    box.center().y());
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
        p.drawLine(QPointF(box.right(), c.y()), QPointF(r.left() + w * 0.62, c.y()));
        p.setBrush(kAccent);
        p.drawRect(QRectF(r.left() + w * 0.62, c.y() - h * 0.1, w * 0.18, h * 0.2));
        p.drawRect(QRectF(r.left() + w * 0.8, c.y() - h * 0.04, w * 0.14, h * 0.08));
        break;
    }
    }
}

// The main window's background: a light tile for the bars, a darker one for
// the client area, and a product picture with its mask (black = picture).
QImage Background(int id)
{
    if (id == ids::BmpBarTile || id == ids::BmpClientTile) {
        QImage img(32, 32, QImage::Format_RGB32);
        const QColor base = id == ids::BmpBarTile ? QColor(220, 220, 220) : QColor(132, 174, 172);
        img.fill(base);
        QPainter p(&img);
        p.setPen(base.darker(106));
        for (int i = -32; i < 32; i += 8)
            p.drawLine(i, 32, i + 32, 0);
        return img;
    }
    QImage img(240, 80, QImage::Format_RGB32);
    img.fill(id == ids::BmpBackgroundMask ? Qt::white : Qt::black);
    QPainter p(&img);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(26);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(f);
    if (id == ids::BmpBackgroundMask) {
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(4, 4, 232, 72), 10, 10);
    } else {
        p.setPen(QColor(190, 190, 190));
        p.setBrush(QColor(190, 190, 190));
        p.drawRoundedRect(QRectF(4, 4, 232, 72), 10, 10);
        p.setPen(QColor(40, 70, 110));
        p.drawText(QRectF(4, 4, 232, 72), Qt::AlignCenter, QStringLiteral("QUILLOMER"));
    }
    return img;
}

}  // namespace

QImage CreateSymbolImage(int id)
{
    if (id == ids::BmpBackgroundPicture || id == ids::BmpBackgroundMask || id == ids::BmpBarTile ||
        id == ids::BmpClientTile)
        return Background(id);
    for (const Picture& pic : kPictures) {
        if (pic.id != id)
            continue;
        QImage img(pic.w, pic.h, QImage::Format_RGB32);
        // The top-left pixel is the transparent colour of a symbol.
        img.fill(QColor(255, 0, 255));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        const QRectF r(0, 0, pic.w, pic.h);
        DrawShape(p, pic.shape, r);
        DrawGlyph(p, r.adjusted(1, 1, -1, -1), pic.glyph);
        p.end();
        img.setPixelColor(0, 0, QColor(255, 0, 255));
        return img;
    }
    return {};
}

namespace {
struct IconPicture {
    int id;
    Shape shape;
    const char* glyph;
};

// Icons drawn on the symbols of the central device's slots.
const IconPicture kIcons[] = {
    {334, Shape::Calendar, ""},  // calendar
    {335, Shape::Clock, ""},     // clock
    {336, Shape::Speaker, ""},   // audio
    {338, Shape::Trigger, ""},   // triggers
    {339, Shape::Chip, ""},      // system
    {340, Shape::Macro, ""},     // macros
};

// The information slot's icon while the project is connected to the device:
// two plugs joined on a green disc.
void DrawConnectedIcon(QPainter& p, const QRectF& r)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(20, 110, 20), 1.5));
    p.setBrush(QColor(60, 190, 60));
    p.drawEllipse(r.adjusted(2, 2, -2, -2));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    const qreal cy = r.center().y();
    p.drawLine(QPointF(r.left() + 7, cy), QPointF(r.right() - 7, cy));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.left() + 9, cy - 5, 5, 10));
    p.drawRect(QRectF(r.right() - 14, cy - 5, 5, 10));
}
}  // namespace

QImage CreateIconImage(int id)
{
    constexpr int kSize = 32;
    const QRectF r(0, 0, kSize, kSize);
    if (id == 140) {
        QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        DrawConnectedIcon(p, r);
        return img;
    }
    for (const IconPicture& icon : kIcons) {
        if (icon.id != id)
            continue;
        QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        DrawShape(p, icon.shape, r.adjusted(2, 2, -2, -2));
        DrawGlyph(p, r.adjusted(1, 1, -1, -1), icon.glyph);
        return img;
    }
    return {};
}

const QImage* GetIconImage(int id)
{
    static std::map<int, QImage> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.emplace(id, CreateIconImage(id)).first;
    return it->second.isNull() ? nullptr : &it->second;
}

namespace {
// The windows below the application draw the same pictures.
const bool g_symbolImagesInstalled = (SetSymbolImageSource(&CreateSymbolImage), true);
}  // namespace
