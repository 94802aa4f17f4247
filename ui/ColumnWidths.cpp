#include "ui/ColumnWidths.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <vector>

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

int ColumnContentWidth(const QTreeView* view, int column)
{
    const QHeaderView* header = view->header();
    const QAbstractItemModel* model = view->model();
    if (!model)
        return 0;
    int need = ColumnTitleWidth(header, model->headerData(column, Qt::Horizontal).toString());
    // The first rows stand for the typical contents; a long list is not
    // measured row by row.
    constexpr int kMeasuredRows = 200;
    const int rows = std::min(model->rowCount(view->rootIndex()), kMeasuredRows);
    for (int r = 0; r < rows; ++r)
        need = std::max(need, view->sizeHintForIndex(model->index(r, column, view->rootIndex())).width());
    return need;
}

void FitColumnContents(QTreeView* view)
{
    QHeaderView* header = view->header();
    if (!header->model())
        return;
    int used = 0;
    for (int i = 0; i < header->count(); ++i)
        if (!header->isSectionHidden(i))
            used += header->sectionSize(i);
    int spare = view->viewport()->width() - used;
    for (int i = 0; i < header->count() && spare > 0; ++i) {
        const int size = header->sectionSize(i);
        if (header->isSectionHidden(i) || size == 0)
            continue;
        const int grow = std::min(spare, ColumnContentWidth(view, i) - size);
        if (grow > 0) {
            header->resizeSection(i, size + grow);
            spare -= grow;
        }
    }
}

int ColumnsTotalWidth(const QTreeView* view)
{
    const QHeaderView* header = view->header();
    int total = 0;
    for (int i = 0; i < header->count(); ++i)
        if (!header->isSectionHidden(i) && header->sectionSize(i) > 0)
            total += std::max(header->sectionSize(i), ColumnContentWidth(view, i));
    return total + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
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

int TreeRowsWidth(const QTreeView* view)
{
    const QAbstractItemModel* model = view->model();
    int need = 0;
    if (model) {
        struct Row {
            QModelIndex index;
            int depth;
        };
        std::vector<Row> rows;
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            rows.push_back({model->index(r, 0, view->rootIndex()), view->rootIsDecorated() ? 1 : 0});
        while (!rows.empty()) {
            const Row row = rows.back();
            rows.pop_back();
            need = std::max(need, row.depth * view->indentation() + view->sizeHintForIndex(row.index).width());
            if (view->isExpanded(row.index))
                for (int r = 0; r < model->rowCount(row.index); ++r)
                    rows.push_back({model->index(r, 0, row.index), row.depth + 1});
        }
    }
    return need + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
}
