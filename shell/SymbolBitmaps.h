#pragma once
// The designer's pictures: symbol bitmaps of the system objects and the main
// window's background tiles and picture, drawn here (the program's own simple
// pictograms). The windows' bars and lists take theirs from the picture set
// (ui/CPictureSet.h).

#include <QImage>

// The picture of bitmap resource `id`; a null image for an unknown id.
QImage CreateSymbolImage(int id);
// The 32 x 32 picture of icon resource `id` (transparent around the
// pictogram); a null image for an unknown id. Icon ids are their own number
// space: they may equal bitmap ids.
QImage CreateIconImage(int id);
// The icon's picture, made once and kept for the run; null for an unknown id.
const QImage* GetIconImage(int id);
