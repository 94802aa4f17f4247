#pragma once
// The program's pictures: symbol bitmaps of the system objects, the main
// window's background tiles and picture, and the tool-bar buttons. They are
// drawn here (the program's own simple pictograms) instead of being loaded
// from image files.

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The picture of bitmap resource `id`; a null image for an unknown id.
QImage CreateSymbolImage(int id);
// The 32 x 32 picture of icon resource `id` (transparent around the
// pictogram); a null image for an unknown id. Icon ids are their own number
// space: they may equal bitmap ids.
QImage CreateIconImage(int id);
// The icon's picture, made once and kept for the run; null for an unknown id.
const QImage* GetIconImage(int id);
// The icon of a tool-bar command; a null icon when the command has none.
QIcon CreateToolIcon(int commandId);
// The program's icon: a symbol picture with its transparent colour cleared.
QPixmap CreateProgramIcon();
