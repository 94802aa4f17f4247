#include "ui/CEBListView.h"

#include "platform/Cp1252.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

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
}  // namespace

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

bool CEBListView::WriteListFile(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ExportBytes());
    return file.commit();
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
    WriteListFile(dialog.selectedFiles().first());
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
    PageCount(m.table, m.page, &m.across, &m.down);
    // Down the table a page ends at the last row edge that fits on it, so
    // that no row is cut in two at a page edge.
    m.pageTops = {0};
    const int headerHeight = HeaderHeight();
    const int rowHeight = GetRowHeight();
    for (int top = 0; m.page.height() > 0 && top + m.page.height() < m.table.height();) {
        const int limit = top + m.page.height();
        int next = limit;  // a row higher than the page is cut after all
        for (int r = GetItemCount(); r >= 0; --r) {
            const int edge = m.ToPrinterY(headerHeight + r * rowHeight);
            if (edge > top && edge <= limit) {
                next = edge;
                break;
            }
        }
        m.pageTops.append(next);
        top = next;
    }
    m.down = static_cast<int>(m.pageTops.size());
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
    const int p = std::max(1, info->curPage);
    const int columnBlock = (p - 1) / m.down;
    const int rowBlock = (p - 1) % m.down;
    const int top = m.pageTops.value(rowBlock);
    const int bottom = rowBlock + 1 < m.pageTops.size() ? m.pageTops.at(rowBlock + 1) : top + m.page.height();
    painter->save();
    // Nothing of the next page's rows shows in the page's margin.
    painter->setClipRect(QRect(0, 0, m.page.width(), bottom - top));
    painter->translate(-columnBlock * m.page.width(), -top);
    painter->setBackgroundMode(Qt::TransparentMode);
    const QFont font = PrintFont(m);
    painter->setFont(font);
    const QFontMetrics fm(font, painter->device());
    painter->setPen(Qt::black);
    for (const PrintItem& item : LayoutPage(m, p)) {
        switch (item.kind) {
        case PrintItem::Frame:
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(item.rect);
            break;
        case PrintItem::Shade: painter->fillRect(item.rect, QColor(224, 224, 224)); break;
        case PrintItem::Image: {
            if (item.image >= 0 && item.image < GetImageList().size()) {
                QRect target(0, 0, 32, 32);
                target.moveCenter(item.rect.center());
                painter->drawPixmap(target, GetImageList().at(item.image));
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

bool CEBListView::PrintTo(QPrinter* printer)
{
    if (!printer)
        return false;
    // The document is named after the window that hosts the view.
    if (QWidget* host = window())
        printer->setDocName(host->windowTitle());
    PrintInfo info;
    info.drawRect = QRect(0, 0, printer->width(), printer->height());
    OnBeginPrinting(printer, &info);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    bool ok = true;
    for (int p = info.minPage; p <= info.maxPage; ++p) {
        if (p > info.minPage && !printer->newPage()) {
            ok = false;
            break;
        }
        info.curPage = p;
        OnPrint(&painter, &info);
    }
    if (!ok)
        printer->abort();
    painter.end();
    return ok;
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
    PrintTo(&printer);
}
