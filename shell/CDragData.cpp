#include "shell/CDragData.h"

#include <QtEndian>

namespace {
void Put(QByteArray& b, int offset, uint32_t v) { qToLittleEndian<quint32>(v, b.data() + offset); }
uint32_t Get(const QByteArray& b, int offset) { return qFromLittleEndian<quint32>(b.constData() + offset); }
int32_t GetSigned(const QByteArray& b, int offset) { return static_cast<int32_t>(Get(b, offset)); }
}  // namespace

const char* CDragData::MimeType() { return "application/x-quillomer-cbasedevice"; }
const char* CDragData::TransferMimeType() { return "application/x-quillomer-cbasedevice-transfer"; }

QByteArray CDragData::Encode() const
{
    const int n = static_cast<int>(rects.size());
    QByteArray b((n + 2) * 16, '\0');
    Put(b, 0, processId);
    Put(b, 4, view);
    Put(b, 8, window);
    Put(b, 12, static_cast<uint32_t>(grabClient.x()));
    Put(b, 16, static_cast<uint32_t>(grabClient.y()));
    Put(b, 20, static_cast<uint32_t>(grabLogical.x()));
    Put(b, 24, static_cast<uint32_t>(grabLogical.y()));
    Put(b, 28, static_cast<uint32_t>(n));
    for (int k = 0; k < n; ++k) {
        const QRect r = rects[k].normalized();
        const int o = 32 + 16 * k;
        // Right and bottom are exclusive, as in the sheet's rectangles.
        Put(b, o, static_cast<uint32_t>(r.left()));
        Put(b, o + 4, static_cast<uint32_t>(r.top()));
        Put(b, o + 8, static_cast<uint32_t>(r.left() + r.width()));
        Put(b, o + 12, static_cast<uint32_t>(r.top() + r.height()));
    }
    return b;
}

std::optional<CDragData> CDragData::Decode(const QByteArray& b)
{
    if (b.size() < 32)
        return std::nullopt;
    CDragData d;
    d.processId = Get(b, 0);
    d.view = Get(b, 4);
    d.window = Get(b, 8);
    d.grabClient = QPoint(GetSigned(b, 12), GetSigned(b, 16));
    d.grabLogical = QPoint(GetSigned(b, 20), GetSigned(b, 24));
    const uint32_t n = Get(b, 28);
    if (n > static_cast<uint32_t>((b.size() - 32) / 16))
        return std::nullopt;
    for (uint32_t k = 0; k < n; ++k) {
        const int o = 32 + 16 * static_cast<int>(k);
        const int l = GetSigned(b, o), t = GetSigned(b, o + 4), r = GetSigned(b, o + 8), bt = GetSigned(b, o + 12);
        d.rects.push_back(QRect(QPoint(l, t), QPoint(r - 1, bt - 1)));
    }
    return d;
}
