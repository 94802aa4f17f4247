#pragma once
// The descriptor a designer view offers while its selection is dragged: the
// source (process, view, window), the grab point and each object's symbol
// rectangle in source client pixels. Little-endian, 32 + 16 n bytes; the
// block is allocated for n + 2 records, zero-filled.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <cstdint>
#include <optional>

struct CDragData {
    uint32_t processId = 0;
    uint32_t view = 0;      // the source view (meaningful only in the source process)
    uint32_t window = 0;    // the source view's window id
    QPoint grabClient;      // grab point, source client pixels
    QPoint grabLogical;     // grab point, logical units
    QVector<QRect> rects;   // symbol rectangles, source client pixels, normalised

    QByteArray Encode() const;
    // Nullopt when the block is shorter than its header or its count says.
    static std::optional<CDragData> Decode(const QByteArray& bytes);

    // The private MIME types of the descriptor and of the objects themselves.
    static const char* MimeType();
    static const char* TransferMimeType();
};
