#pragma once
// The program's pictures (bitmap resources by id) for windows below the
// application: the application installs who draws them; until then every
// picture is a null image.

#include <QImage>

#include <functional>
#include <vector>

using SymbolImageSource = std::function<QImage(int id)>;

// Installs the source of the pictures; returns the one it replaces.
SymbolImageSource SetSymbolImageSource(SymbolImageSource source);
// The picture of bitmap resource `id`; a null image for an unknown id.
QImage SymbolImage(int id);

// The ids of the designer's object symbols, which the application draws.
const std::vector<int>& DesignerSymbolIds();
