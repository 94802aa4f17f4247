#include "ui/CEBListView.h"

#include "platform/Cp1252.h"
#include "platform/FileWriter.h"
#include "platform/MessageBox.h"
#include "ui/PrintJob.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {
QString Cut(const QString& s)
{
    return s.left(CEBListView::kMaxText);
}

int FlagsOf(int format)
{
    int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextDontClip;
    switch (format & 3) {
    case CListCtrl::LVCFMT_RIGHT: flags |= Qt::AlignRight; break;
    case CListCtrl::LVCFMT_CENTER: flags |= Qt::AlignHCenter; break;
    default: flags |= Qt::AlignLeft; break;
    }
    return flags;
}
// Where each page begins along one direction, given the far edges of the
// rows (or columns): a page ends at the last edge that still fits on it, so
// no row is cut in two at a page edge; a single row larger than the whole
// page is cut where the page ends.
QList<int> PageStarts(const QList<int>& edges, int total, int extent)
{
    QList<int> starts{0};
    while (extent > 0 && starts.last() + extent < total) {
        const int start = starts.last();
        int fits = start;
        for (int e : edges)
            if (e > start && e <= start + extent)
                fits = std::max(fits, e);
        starts.append(fits > start ? fits : start + extent);
    }
    return starts;
}
}  // namespace

QRect CEBListView::PrintMetrics::PageArea(int page) const
{
    const int column = (std::max(1, page) - 1) / std::max(1, down);
    const int row = (std::max(1, page) - 1) % std::max(1, down);
    const int left = columnStarts.value(column);
    const int top = rowStarts.value(row);
    const int right = column + 1 < columnStarts.size() ? columnStarts[column + 1] : left + this->page.width();
    const int bottom = row + 1 < rowStarts.size() ? rowStarts[row + 1] : top + this->page.height();
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

CEBListView::CEBListView(QWidget* parent) : CListCtrl(parent) {}

// ---------------------------------------------------------------- export

QByteArray CEBListView::ExportBytes() const
{
    std::string out;
    const int columns = GetColumnCount();
    auto line = [&](auto textOf) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out += '\t';
            out += Utf8ToCp1252(Cut(textOf(c)).toStdString());
        }
        out += "\r\n";
    };
    if (columns > 0) {
        line([&](int c) { return GetColumnHeading(c); });
        for (int r = 0; r < GetItemCount(); ++r)
            line([&](int c) { return GetItemText(r, c); });
    }
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

bool CEBListView::WriteListFile(const QString& path, std::string* reason) const
{
    const QByteArray bytes = ExportBytes();
    const std::string why =
        WriteFileReplacing(path.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (reason)
        *reason = why;
    return why.empty();
}

void CEBListView::ExportList()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({tr("Listen (*.txt)"), tr("Alle Dateien (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    std::string reason;
    if (!WriteListFile(path, &reason))
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(path).toStdString(), reason), mb::Ok | mb::IconStop);
}

// ---------------------------------------------------------------- printing

void CEBListView::PageCount(const QSize& table, const QSize& page, int* across, int* down)
{
    *across = page.width() > 0 ? table.width() / page.width() + 1 : 1;
    *down = page.height() > 0 ? table.height() / page.height() + 1 : 1;
}

int CEBListView::HeaderHeight() const
{
    if (!header()->isHidden() && header()->height() > 0 && header()->isVisible())
        return header()->height();
    return header()->sizeHint().height();
}

CEBListView::PrintMetrics CEBListView::ComputeMetrics(const QPaintDevice* device) const
{
    PrintMetrics m;
    m.sx = std::max(1, logicalDpiX());
    m.sy = std::max(1, logicalDpiY());
    m.px = std::max(1, device->logicalDpiX());
    m.py = std::max(1, device->logicalDpiY());
    // The whole content: every column and every row below the header.
    const int w = header()->length();
    const int h = HeaderHeight() + GetItemCount() * GetRowHeight();
    m.table = QSize(m.ToPrinterX(w), m.ToPrinterY(h));
    m.page = QSize(device->width(), device->height());
    QList<int> columnEdges, rowEdges;
    for (int c = 0; c < header()->count(); ++c)
        columnEdges.append(m.ToPrinterX(header()->sectionPosition(c) + header()->sectionSize(c)));
    rowEdges.append(m.ToPrinterY(HeaderHeight()));
    for (int r = 1; r <= GetItemCount(); ++r)
        rowEdges.append(m.ToPrinterY(HeaderHeight() + r * GetRowHeight()));
    m.columnStarts = PageStarts(columnEdges, m.table.width(), m.page.width());
    m.rowStarts = PageStarts(rowEdges, m.table.height(), m.page.height());
    m.across = static_cast<int>(m.columnStarts.size());
    m.down = static_cast<int>(m.rowStarts.size());
    return m;
}

QFont CEBListView::PrintFont(const PrintMetrics& m) const
{
    const QFont screen = header()->font();
    QFont f(screen.family());
    const int pixels = QFontInfo(screen).pixelSize();
    f.setPixelSize(std::max(1, m.ToPrinterY(pixels)));
    f.setWeight(QFont::Normal);
    return f;
}

QList<CEBListView::PrintItem> CEBListView::LayoutPage(const PrintMetrics& m, int page) const
{
    QList<PrintItem> items;
    const int columns = GetColumnCount();
    const int headerHeight = HeaderHeight();
    const int rowHeight = GetRowHeight();
    const int iconWidth = GetImageList().isEmpty() ? 0 : iconSize().width();
    Q_UNUSED(page);

    items.append({PrintItem::Frame, QRect(0, 0, m.table.width(), m.table.height()), {}, 0, -1});
    auto convert = [&](const QRect& r) {
        return QRect(QPoint(m.ToPrinterX(r.left()), m.ToPrinterY(r.top())),
                     QPoint(m.ToPrinterX(r.left() + r.width()), m.ToPrinterY(r.top() + r.height())))
            .adjusted(0, 0, -1, -1);
    };
    for (int c = 0; c < columns; ++c) {
        const int x = header()->sectionPosition(c);
        const int w = header()->sectionSize(c);
        const QRect headRect = convert(QRect(x, 0, w, headerHeight));
        const int flags = FlagsOf(GetColumnFormat(c));
        items.append({PrintItem::Frame, headRect, {}, 0, -1});
        items.append({PrintItem::Text, headRect.adjusted(20, 0, 0, 0), Cut(GetColumnHeading(c)), flags, -1});
        for (int r = 0; r < GetItemCount(); ++r) {
            const int y = headerHeight + r * rowHeight;
            QRect box;
            if (c == 0) {
                const QRect label = convert(QRect(x + iconWidth, y, w - iconWidth, rowHeight));
                if (r % 2 == 1)
                    items.append({PrintItem::Shade, QRect(QPoint(3, label.top()), QPoint(m.table.width() - 3 - 1, label.bottom())),
                                  {}, 0, -1});
                // Each row shows its own image.
                const int image = GetItemImage(r);
                if (iconWidth > 0 && image >= 0)
                    items.append({PrintItem::Image, convert(QRect(x, y, iconWidth, rowHeight)), {}, 0, image});
                box = label;
            } else {
                const QRect cell = convert(QRect(x, y, w, rowHeight));
                box = QRect(QPoint(headRect.left() + 20, cell.top()), QPoint(headRect.right(), cell.bottom()));
            }
            items.append({PrintItem::Text, box, Cut(GetItemText(r, c)), flags, -1});
        }
    }
    return items;
}

void CEBListView::OnBeginPrinting(QPaintDevice* device, PrintInfo* info)
{
    const PrintMetrics m = ComputeMetrics(device);
    info->minPage = 1;
    info->maxPage = m.across * m.down;
    info->previewPages = info->maxPage < 2 ? 1 : 2;
}

void CEBListView::OnPrint(QPainter* painter, PrintInfo* info)
{
    const PrintMetrics m = ComputeMetrics(painter->device());
    const QRect area = m.PageArea(info->curPage);
    painter->save();
    painter->translate(-area.left(), -area.top());
    // What belongs to the next page is not drawn here in part.
    painter->setClipRect(area);
    painter->setBackgroundMode(Qt::TransparentMode);
    const QFont font = PrintFont(m);
    painter->setFont(font);
    const QFontMetrics fm(font, painter->device());
    painter->setPen(Qt::black);
    for (const PrintItem& item : LayoutPage(m, info->curPage)) {
        switch (item.kind) {
        case PrintItem::Frame:
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(item.rect);
            break;
        case PrintItem::Shade: painter->fillRect(item.rect, QColor(224, 224, 224)); break;
        case PrintItem::Image: {
            if (item.image >= 0 && item.image < GetImageList().size()) {
                // The picture as large on paper as the row shows it on the
                // screen: its size in screen pixels converted like every
                // other length of the table, not one in printer pixels,
                // which at a printer's resolution is a dot.
                QRect target(0, 0, m.ToPrinterX(iconSize().width()), m.ToPrinterY(iconSize().height()));
                target.moveCenter(item.rect.center());
                painter->save();
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                painter->drawPixmap(target, GetImageList().at(item.image));
                painter->restore();
            }
            break;
        }
        case PrintItem::Text: {
            const QString shown = fm.elidedText(item.text, Qt::ElideRight, std::max(0, item.rect.width()));
            painter->drawText(item.rect, item.flags, shown);
            break;
        }
        }
    }
    painter->restore();
}

bool CEBListView::PrintTo(QPrinter* printer, std::string* reason)
{
    if (!printer)
        return false;
    // The document is named after the window that hosts the view.
    if (QWidget* host = window())
        printer->setDocName(host->windowTitle());
    return RunPrintJob(
        *printer,
        [this, printer](QPagedPaintDevice& device) {
            PrintInfo info;
            info.drawRect = QRect(0, 0, device.width(), device.height());
            OnBeginPrinting(&device, &info);
            QPainter painter;
            if (!painter.begin(&device))
                return false;
            bool ok = true;
            for (int p = info.minPage; p <= info.maxPage; ++p) {
                if (p > info.minPage && !device.newPage()) {
                    ok = false;
                    break;
                }
                info.curPage = p;
                OnPrint(&painter, &info);
            }
            if (!ok && &device == printer)
                printer->abort();
            painter.end();
            return ok;
        },
        reason);
}

void CEBListView::PrintList()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    // Printing to a file stays offered: on a machine without a printer it is
    // the dialog's only entry (the PDF printer), as in the designer's own.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::string reason;
    if (!PrintTo(&printer, &reason) && !reason.empty())
        ShowMessage(PrintFileNotWrittenText(printer, reason), mb::Ok | mb::IconStop);
}
