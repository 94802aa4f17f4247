#pragma once
// The program's picture set: every bitmap, image list, icon, tool-bar strip,
// animation and cursor the windows show, by resource id. The pictures are SVG files
// compiled into the program (ui/pictures, written by
// scripts/make-pictures.py); the designer's object symbols stay with the
// symbol images (SymbolImages.h) that the designer draws.
//
// One table (Resources()) names every resource id the program uses and the
// picture of each of its images or buttons, so that a resource without a
// picture is found by walking the table.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>

#include <vector>

class QToolBar;

class CPictureSet {
public:
    enum class Kind { Bitmap, Icon, ToolBar, Cursor, Animation };

    // A button of a tool-bar strip: its command and picture; command 0 is a
    // separator.
    struct Button {
        unsigned command;
        const char* picture;
    };

    struct Resource {
        Kind kind;
        int id;
        // Bitmap: the picture of each image of the strip in order (one for a
        // single picture); an empty name is a designer symbol, drawn by the
        // symbol images. Icon and cursor: their one picture. Animation: its
        // frames in the order they play.
        std::vector<const char*> pictures;
        // Tool-bar strip: its buttons in order.
        std::vector<Button> buttons;
    };

    // Every resource id the program uses.
    static const std::vector<Resource>& Resources();
    static const Resource* Find(Kind kind, int id);

    // The resource path of a named picture (":/pictures/name.svg").
    static QString PicturePath(const QString& name);
    // A named picture as an icon that draws itself at any size; a null icon
    // when the set has no such picture.
    static QIcon Picture(const QString& name);

    // Image `index` of bitmap (image list) `bitmapId`; null when the bitmap
    // has no such image. A single picture is image 0.
    static QIcon ListImage(int bitmapId, int index);
    // The same drawn at `size` pixels, transparent around the picture.
    static QImage ListImageAt(int bitmapId, int index, int size);
    // Every image of bitmap `bitmapId` drawn at `size` pixels, in strip
    // order, for the lists that take an image list; empty for an unknown id.
    static QList<QPixmap> ImageList(int bitmapId, int size);
    static QIcon Icon(int id);
    // The picture of `command` on tool-bar strip `toolBarId`; null when the
    // strip has no such button.
    static QIcon ToolButton(int toolBarId, unsigned command);
    // The cursor of cursor resource `id` (hot spot in the picture's middle);
    // the arrow when the set has none.
    static QCursor Cursor(int id);

    // The number of frames of animation `animationId`; 0 for an unknown id.
    static int FrameCount(int animationId);
    // The size a frame of the animation is drawn for (its pictures' canvas);
    // empty for an unknown id.
    static QSize FrameSize(int animationId);
    // Frame `frame` of the animation drawn at `size` device pixels; null for
    // an unknown id or a frame outside the strip.
    static QImage AnimationFrame(int animationId, int frame, const QSize& size);

    // Gives every button of `bar` whose object name is its command id the
    // strip's picture and shows the bar's buttons as pictures only (their
    // texts stay as tool tips where no other tip is set).
    static void ApplyToolBar(QToolBar* bar, int toolBarId);
};
