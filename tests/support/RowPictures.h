#pragma once
// The pictures a list's rows show: what the row hands the view to draw, and
// whether the view's drawing shows it in the row's cell.

#include <QAbstractItemView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QVariant>

// The picture a row's decoration stands for, drawn at `size`; null when
// the row shows none (no decoration, or an empty icon or pixmap).
inline QImage DecorationPicture(const QVariant& decoration, QSize size = QSize(16, 16))
{
    switch (decoration.typeId()) {
    case QMetaType::QIcon: {
        const QIcon icon = decoration.value<QIcon>();
        return icon.isNull() ? QImage() : icon.pixmap(size).toImage();
    }
    case QMetaType::QPixmap: return decoration.value<QPixmap>().toImage();
    case QMetaType::QImage: return decoration.value<QImage>();
    default: return {};
    }
}

// The picture row `row` of `view` gives its cell in `column`, at the view's
// icon size.
inline QImage RowPicture(const QAbstractItemView& view, int row, int column = 0)
{
    const QModelIndex index = view.model()->index(row, column, view.rootIndex());
    const QSize size = view.iconSize().isValid() ? view.iconSize() : QSize(16, 16);
    return DecorationPicture(view.model()->data(index, Qt::DecorationRole), size);
}

// Whether the same pixels: two pictures drawn alike.
inline bool SamePicture(const QImage& a, const QImage& b)
{
    return !a.isNull() && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// Whether the view's drawing shows `picture` somewhere in the cell of row
// `row` and column `column`: every fully opaque pixel of the picture at one
// place in the cell.
inline bool CellShowsPicture(QAbstractItemView& view, int row, int column, const QImage& picture)
{
    if (picture.isNull())
        return false;
    const QImage shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage pic = picture.convertToFormat(QImage::Format_ARGB32);
    const QRect cell = view.visualRect(view.model()->index(row, column, view.rootIndex())) & shot.rect();
    for (int top = cell.top(); top + pic.height() - 1 <= cell.bottom(); ++top)
        for (int left = cell.left(); left + pic.width() - 1 <= cell.right(); ++left) {
            bool all = true;
            int compared = 0;
            for (int y = 0; y < pic.height() && all; ++y)
                for (int x = 0; x < pic.width() && all; ++x) {
                    const QRgb p = pic.pixel(x, y);
                    if (qAlpha(p) != 255)
                        continue;
                    all = (shot.pixel(left + x, top + y) & 0xffffff) == (p & 0xffffff);
                    ++compared;
                }
            if (all && compared > 0)
                return true;
        }
    return false;
}
