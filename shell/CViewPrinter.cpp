#include "shell/CViewPrinter.h"

#include "macros/MacroIds.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "shell/CFontManager.h"
#include "shell/CMainFrame.h"
#include "shell/CPrintBlock.h"
#include "shell/CQuillomerView.h"
#include "ui/PrintJob.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <cmath>

namespace {
QFont PrintFont(const char* face, int points, int weight, int yRes, bool underline = false)
{
    QFont f = CFontManager::MakeFont(QString::fromLatin1(face), -(points * yRes / 72), weight);
    f.setUnderline(underline);
    return f;
}

double PxToMm(double px, int res) { return px * 25.4 / res; }

// The printed texts in the language in use.
QString Tr(const char* german)
{
    return QCoreApplication::translate("CViewPrinter", german);
}

const uint32_t kDeviceListTypes[] = {5, 6, 10, 7, 4, 2, 35, 41, 42, 43, 44};
const uint32_t kParameterListTypes[] = {3, 9, 13, 22, 53, 55, 54, 33, 21, 48, 34, 38, 49};
const uint32_t kMacroTypes[] = {
    macrotype::Background, macrotype::Page,    macrotype::Chime,   macrotype::Alarm,    macrotype::LogicOut,
    macrotype::Volume,     macrotype::Monitor, macrotype::AuxSelect, macrotype::LcdText, macrotype::Sequence,
    macrotype::Message,    macrotype::MemoFlag, macrotype::Power,  macrotype::VirtCtrl, macrotype::Stop,
    macrotype::Amp,        macrotype::AmpMute};
}  // namespace

CViewPrinter::CViewPrinter(CQuillomerView* view, int mode) : m_view(view), m_mode(mode) {}
CViewPrinter::~CViewPrinter() = default;

QString CViewPrinter::PageText(int page, int pages)
{
    return Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Seite %1 von %2")).arg(page).arg(pages);
}

void CViewPrinter::Print(QPrinter* printer)
{
    // The pages are laid out on the area the printer can print, as its
    // driver reports it (or the margins the set-up gives): the page frame
    // and the footer at its lower edge must not fall into the sheet's
    // unprintable edge.
    // A PDF file is written whole or not at all, and a failure is told.
    const int from = printer->fromPage();
    const int to = printer->toPage();
    RunPrintJobTelling(*printer, [this, from, to](QPagedPaintDevice& device) {
        Print(device, from, to, [&device] { return device.newPage(); });
        return true;
    });
}

void CViewPrinter::Print(QPaintDevice& device, int from, int to, const std::function<bool()>& newPage)
{
    QPainter painter;
    if (!painter.begin(&device))
        return;
    Begin(painter, device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY());
    if (from <= 0 || to <= 0) {
        from = 1;
        to = m_pages;
    }
    to = std::min(to, m_pages);
    for (int page = from; page <= to; ++page) {
        if (page > from && !newPage())
            break;
        PrintPage(painter, page);
    }
    painter.end();
    End();
}

void CViewPrinter::Begin(QPainter& painter, int deviceWidth, int deviceHeight, int xRes, int yRes)
{
    m_xRes = xRes;
    m_yRes = yRes;
    if (m_view) {
        m_screenX = m_view->logicalDpiX();
        m_screenY = m_view->logicalDpiY();
    }
    m_devW = deviceWidth;
    m_devH = deviceHeight;
    m_left = m_right = xRes * 50 / 254;
    m_top = yRes * 100 / 254;
    m_bottom = yRes * 220 / 254;
    m_printW = m_devW - m_left - m_right;
    m_printH = m_devH - m_top - m_bottom;
    m_footerFont = PrintFont("Courier New", 10, 400, yRes);
    m_bannerFont = PrintFont("Braggadocio", 12, 200, yRes);

    if (m_mode == Diagram) {
        CRect used = m_view ? m_view->GetUsedRect() : CRect();
        used.InflateRect(2, 2);
        const int zoom = m_view ? m_view->GetZoom() : 4;
        // The diagram prints at the size it has on the screen at the view's zoom.
        m_scaleX = static_cast<double>(xRes) / m_screenX * zoom / 4.0;
        m_scaleY = static_cast<double>(yRes) / m_screenY * zoom / 4.0;
        const QPoint topLeft(static_cast<int>(std::lround(used.left * m_scaleX)),
                             static_cast<int>(std::lround(used.top * m_scaleY)));
        const QPoint bottomRight(static_cast<int>(std::lround(used.right * m_scaleX)),
                                 static_cast<int>(std::lround(used.bottom * m_scaleY)));
        m_used = QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
        m_down = m_printH > 0 ? m_used.height() / m_printH + 1 : 1;
        m_across = m_printW > 0 ? m_used.width() / m_printW + 1 : 1;
        m_pages = m_down * m_across;
        // A diagram that needs several pages in a direction is centred on
        // them, so that the first and the last page each hold at least half a
        // page of it instead of the last one holding only what ran over.
        m_spare = QPoint(m_across > 1 ? (m_across * m_printW - m_used.width()) / 2 : 0,
                         m_down > 1 ? (m_down * m_printH - m_used.height()) / 2 : 0);
        return;
    }
    m_titleFont = PrintFont("Century Schoolbook", 20, 700, yRes, true);
    m_headingFont = PrintFont("Garamond", 15, 600, yRes);
    m_bodyFont = PrintFont("Times New Roman", 10, 400, yRes);
    CreateBlocks();
    LayOutBlocks(painter);
}

void CViewPrinter::CreateBlocks()
{
    m_blocks.clear();
    CQuillomerDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    CMainFrame* frame = GetMainFrame();
    const CBitmapManager* bitmaps = frame ? frame->GetBitmapManager() : nullptr;
    auto add = [&](uint32_t type, uint32_t macroType) {
        auto block = std::make_unique<CPrintBlock>(type, macroType, bitmaps);
        if (doc) {
            const CIDManager& dir = doc->GetIDManager();
            if (type == OT_AUDIO_INPUT_SLOT) {
                for (uint32_t t : {uint32_t(OT_AUDIO_INPUT_SLOT), uint32_t(OT_AUDIO_OUTPUT_SLOT), uint32_t(OT_DIGITAL_SLOT)}) {
                    ::DeviceList list;
                    dir.GetBaseDeviceList(list, t);
                    block->m_objects.insert(block->m_objects.end(), list.begin(), list.end());
                }
            } else if (type == OT_AUDIO_OUTPUT_SLOT || type == OT_DIGITAL_SLOT) {
                // Listed in the slot block.
            } else if (type == OT_MACRO) {
                dir.GetBaseDeviceListByKind(block->m_objects, OT_MACRO, macroType);
            } else {
                dir.GetBaseDeviceList(block->m_objects, type);
            }
        }
        m_blocks.push_back(std::move(block));
    };
    if (m_mode == DeviceList) {
        for (uint32_t t : kDeviceListTypes)
            add(t, 0);
    } else {
        for (uint32_t t : kParameterListTypes)
            add(t, 0);
        for (uint32_t m : kMacroTypes)
            add(OT_MACRO, m);
    }
}

void CViewPrinter::LayOutBlocks(QPainter&)
{
    const double pageMm = PxToMm(m_printH, m_yRes);
    double free = pageMm - 25;  // the first page has room for the list title
    int page = 1;
    int lastPage = 1;
    for (auto& block : m_blocks) {
        if (block->m_objects.empty())
            continue;
        block->Prepare(m_headingFont, m_bodyFont, m_xRes, m_yRes, m_screenX, m_screenY);
        block->GetSize();
        // The block runs on over as many pages as it needs, cut between its
        // lines; it starts on a new page when not even its title and column
        // titles with the first line under them fit into what is left of this one.
        if (free < block->m_headerHeight || !block->CutIntoPages(free, pageMm)) {
            ++page;
            free = pageMm - 11;
            block->CutIntoPages(free, pageMm, true);
        }
        block->m_startPage = page;
        block->m_offsetMm = pageMm - free;
        const size_t pieces = block->m_pieces.size();
        if (pieces > 1) {
            page += static_cast<int>(pieces) - 1;
            free = pageMm;
        }
        free -= block->m_pieces.back().toMm - block->m_pieces.back().fromMm;
        block->m_endPage = page;
        lastPage = page;
        free -= 16;
    }
    const int logicalPages = lastPage;
    m_columns = static_cast<int>(PxToMm(m_printW, m_xRes) / 198);
    m_pages = m_columns < 2 ? logicalPages : (logicalPages + m_columns - 1) / m_columns;
}

void CViewPrinter::PrintPage(QPainter& painter, int page)
{
    painter.save();
    PrintFooter(painter, page);
    painter.restore();

    const QRect printable(m_left, m_top, m_printW, m_printH);
    painter.save();
    if (m_mode == Diagram) {
        const int i = page - 1;
        const int top = m_used.top() - m_spare.y() + (i / m_across) * m_printH - m_top;
        const int left = m_used.left() - m_spare.x() + (i % m_across) * m_printW - m_left;
        painter.setClipRect(printable);
        painter.translate(-left, -top);
        painter.scale(m_scaleX, m_scaleY);
        if (m_view)
            m_view->DrawContents(painter, CRect(0, 0, CQuillomerView::kSheetSize, CQuillomerView::kSheetSize), false);
        painter.restore();
        return;
    }
    painter.translate(m_left, m_top);
    if (page == 1 && m_view && m_view->GetDocument()) {
        painter.setFont(m_titleFont);
        const QString title = (m_mode == ParameterList ? Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Parameter Liste"))
                                                       : Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Geräte Liste"))) +
                              QStringLiteral(" : ' ") + QString::fromStdString(m_view->GetDocument()->GetTitle()) +
                              QStringLiteral(" '");
        m_titleText = title;
        painter.drawText(QPoint(0, QFontMetrics(m_titleFont).ascent()), title);
    }
    painter.setClipRect(QRect(0, 0, m_printW, m_printH));
    painter.setFont(m_bodyFont);
    const double pageMm = PxToMm(m_printH, m_yRes);
    const int columns = std::max(1, m_columns);
    for (int c = 0; c < columns; ++c) {
        const int logicalPage = (page - 1) * columns + 1 + c;
        for (auto& block : m_blocks) {
            if (block->m_objects.empty())
                continue;
            if (logicalPage < block->m_startPage || logicalPage > block->m_endPage)
                continue;
            block->m_columnMm = c * 198.0;
            // Texts beyond a block's frame may use its sheet column, or the
            // whole printable width on a sheet of one column.
            block->m_roomMm = columns < 2 ? PxToMm(m_printW, m_xRes) : 198.0;
            block->Draw(painter, logicalPage, pageMm, m_yRes, m_xRes);
        }
    }
    painter.restore();
}

QRectF CViewPrinter::GetSheetAreaOfPage(int page) const
{
    const int i = page - 1;
    const double left = m_used.left() - m_spare.x() + (i % m_across) * m_printW;
    const double top = m_used.top() - m_spare.y() + (i / m_across) * m_printH;
    return QRectF(left / m_scaleX, top / m_scaleY, m_printW / m_scaleX, m_printH / m_scaleY);
}

void CViewPrinter::PrintFooter(QPainter& p, int page)
{
    m_footerTexts.clear();
    p.setPen(QPen(Qt::black, std::max(1, m_xRes * 100 / 8382)));
    p.setBrush(Qt::white);
    p.drawRect(QRect(0, 0, m_devW - 1, m_devH - 1));

    p.setFont(m_footerFont);
    const QFontMetrics fm(m_footerFont);
    const int h = fm.height() + fm.leading();
    const QRect box(0, m_devH - 4 * h, m_devW - 1, 4 * h - 1);
    p.drawRect(box);
    const int middle = box.top() + box.height() / 2;

    const QString banner = QStringLiteral("Q U I L L O M E R");
    const int bannerW = QFontMetrics(m_bannerFont).horizontalAdvance(QStringLiteral("QQ U I L L O M E RR"));
    const int split = box.right() - bannerW;
    p.drawLine(QPoint(box.left(), middle), QPoint(split, middle));
    p.drawLine(QPoint(split, box.top()), QPoint(split, box.bottom()));

    CQuillomerDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    const QString path = doc ? QString::fromStdString(doc->GetPathName()) : QString();
    const QString fileHead = Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Datei:")) + QStringLiteral("  '");
    const int pad = fm.averageCharWidth();
    const int room = split - box.left() - 2 * pad - fm.horizontalAdvance(fileHead + QStringLiteral("'"));
    const QString file = fileHead + fm.elidedText(path, Qt::ElideMiddle, std::max(0, room)) + QStringLiteral("'");
    p.drawText(QRect(box.left() + pad, box.top(), split - box.left() - 2 * pad, middle - box.top()),
               Qt::AlignLeft | Qt::AlignVCenter, file);

    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    const QString time = Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Zeit:")) + QStringLiteral("  ") +
                         locale.toString(now.time(), QLocale::ShortFormat) + QStringLiteral(" , ") +
                         Tr(QT_TRANSLATE_NOOP("CViewPrinter", "Datum:")) + QStringLiteral("  ") +
                         locale.toString(now.date(), QLocale::ShortFormat);
    const QRect lower(box.left() + pad, middle, split - box.left() - 2 * pad, box.bottom() - middle);
    p.drawText(lower, Qt::AlignLeft | Qt::AlignVCenter, time);
    const QString pageText = PageText(page, m_pages);
    p.drawText(lower, Qt::AlignRight | Qt::AlignVCenter, pageText);

    p.setFont(m_bannerFont);
    p.drawText(QRect(split, box.top(), box.right() - split, box.height()), Qt::AlignCenter, banner);
    m_footerTexts << file << time << pageText << banner;
}

void CViewPrinter::End()
{
    m_blocks.clear();
}
