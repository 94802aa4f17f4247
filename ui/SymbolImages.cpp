#include "ui/SymbolImages.h"

#include <utility>

namespace {
SymbolImageSource& Source()
{
    static SymbolImageSource source;
    return source;
}
}  // namespace

SymbolImageSource SetSymbolImageSource(SymbolImageSource source)
{
    return std::exchange(Source(), std::move(source));
}

QImage SymbolImage(int id)
{
    return Source() ? Source()(id) : QImage();
}
