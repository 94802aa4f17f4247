#include "ui/ColumnWidths.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <cmath>

namespace {
// The average character width of the default font, which the designed
// widths are measured in.
constexpr int kDesignedCharWidth = 6;

void FitSections(QTreeView* view, int first, int last)
{
    QHeaderView* header = view->header();
    if (!header->model())
        return;
    first = std::max(first, 0);
    last = std::min(last, header->count() - 1);
    for (int i = first; i <= last; ++i) {
        const int size = header->sectionSize(i);
        if (header->isSectionHidden(i) || size == 0)
            continue;
        const int need = ColumnTitleWidth(header, header->model()->headerData(i, Qt::Horizontal).toString());
        if (size < need)
            header->resizeSection(i, need);
    }
}
}  // namespace

int ScaledColumnWidth(const QWidget* w, int designed)
{
    if (designed <= 0)
        return designed;
    const int charWidth = QFontMetrics(w->font()).averageCharWidth();
    if (charWidth <= kDesignedCharWidth)
        return designed;
    return static_cast<int>(std::lround(static_cast<double>(designed) * charWidth / kDesignedCharWidth));
}

int ColumnTitleWidth(const QHeaderView* header, const QString& title)
{
    if (title.isEmpty())
        return 0;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return QFontMetrics(header->font()).horizontalAdvance(title) + 2 * margin;
}

void FitColumnTitles(QTreeView* view)
{
    FitSections(view, 0, view->header()->count() - 1);
}

void KeepColumnTitlesWhole(QTreeView* view)
{
    FitColumnTitles(view);
    QObject::connect(view->model(), &QAbstractItemModel::headerDataChanged, view,
                     [view](Qt::Orientation orientation, int first, int last) {
                         if (orientation == Qt::Horizontal)
                             FitSections(view, first, last);
                     });
}
