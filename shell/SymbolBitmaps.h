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
// The icon of a tool-bar command; a null icon when the command has none.
QIcon CreateToolIcon(int commandId);
// The program's icon: a symbol picture with its transparent colour cleared.
QPixmap CreateProgramIcon();
