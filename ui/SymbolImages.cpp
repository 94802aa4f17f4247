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

const std::vector<int>& DesignerSymbolIds()
{
    static const std::vector<int> ids = {139, 140, 141, 142, 144, 150, 171, 172, 186, 188, 193, 201, 202, 203, 204, 205,
                                         206, 207, 208, 212, 233, 239, 242, 249, 251, 257, 301, 303, 309, 313, 455, 456,
                                         458, 501, 502, 503, 504, 505, 506, 508, 519, 520, 521, 522, 523, 530};
    return ids;
}
