// Table printing and export: export bytes, page count and order, shading,
// per-column alignment, per-row images, long texts.
#include "ui/CEBListView.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Fill(CEBListView& view, int rows)
{
    view.InsertColumn(0, "Name", CListCtrl::LVCFMT_LEFT, 80);
    view.InsertColumn(1, "Wert", CListCtrl::LVCFMT_RIGHT, 60);
    view.InsertColumn(2, "Größe", CListCtrl::LVCFMT_LEFT, 60);
    for (int r = 0; r < rows; ++r) {
        view.InsertItem(r, QString("Zone %1").arg(r), r % 3);
        view.SetItemText(r, 1, QString::number(r));
        view.SetItemText(r, 2, "ä");
    }
}

QList<CEBListView::PrintItem> Texts(const QList<CEBListView::PrintItem>& items)
{
    QList<CEBListView::PrintItem> out;
    for (const auto& i : items)
        if (i.kind == CEBListView::PrintItem::Text)
            out.append(i);
    return out;
}

}  // namespace

TEST(EBListViewExport, BytesAreTabSeparatedCrLfCp1252)
{
    CEBListView view;
    Fill(view, 2);
    view.SetItemText(1, 2, "a\tb");
    const QByteArray expected = QByteArray("Name\tWert\tGr\xF6\xDF" "e\r\n") + "Zone 0\t0\t\xE4\r\n" + "Zone 1\t1\ta\tb\r\n";
    EXPECT_EQ(view.ExportBytes(), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("liste.txt");
    ASSERT_TRUE(view.WriteListFile(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
}

TEST(EBListViewExport, HeaderOnlyAndEmpty)
{
    CEBListView none;
    EXPECT_TRUE(none.ExportBytes().isEmpty());
    CEBListView columns;
    columns.InsertColumn(0, "A");
    columns.InsertColumn(1, "B");
    EXPECT_EQ(columns.ExportBytes(), QByteArray("A\tB\r\n"));
}

TEST(EBListViewExport, LongTextsCutTo255AndUnwritableFileSkipped)
{
    CEBListView view;
    view.InsertColumn(0, "A");
    view.InsertItem(0, QString(300, 'x'));
    EXPECT_EQ(view.ExportBytes(), QByteArray("A\r\n") + QByteArray(255, 'x') + "\r\n");
    EXPECT_FALSE(view.WriteListFile("/nonexistent-dir/x/liste.txt"));
    // The long text is cut in print as well.
    CEBListView::PrintMetrics m;
    m.page = QSize(1000, 1000);
    m.table = QSize(500, 500);
    const auto texts = Texts(view.LayoutPage(m, 1));
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1].text.size(), 255);
}

TEST(EBListViewPrint, PageCountAndOrder)
{
    int across = 0, down = 0;
    CEBListView::PageCount(QSize(1200, 2500), QSize(1000, 1000), &across, &down);
    EXPECT_EQ(across, 2);
    EXPECT_EQ(down, 3);
    CEBListView::PageCount(QSize(900, 900), QSize(1000, 1000), &across, &down);
    EXPECT_EQ(across * down, 1);
}

TEST(EBListViewPrint, ShadingAlignmentAndImages)
{
    CEBListView view;
    Fill(view, 6);
    QList<QPixmap> images;
    for (int i = 0; i < 3; ++i) {
        QPixmap p(16, 16);
        p.fill(QColor(i * 80, 0, 0));
        images.append(p);
    }
    view.SetImageList(images);
    CEBListView::PrintMetrics m;
    m.page = QSize(10000, 10000);
    m.table = QSize(200, 500);
    const auto items = view.LayoutPage(m, 1);
    int shades = 0;
    QList<int> imageOrder;
    for (const auto& i : items) {
        if (i.kind == CEBListView::PrintItem::Shade) {
            ++shades;
            EXPECT_EQ(i.rect.left(), 3);
            EXPECT_EQ(i.rect.right() + 1, 200 - 3);
        }
        if (i.kind == CEBListView::PrintItem::Image)
            imageOrder.append(i.image);
    }
    EXPECT_EQ(shades, 3);  // rows 1, 3 and 5
    // Each row prints its own image.
    EXPECT_EQ(imageOrder, (QList<int>{0, 1, 2, 0, 1, 2}));
    // Shades lie on the odd rows: compare with the first column's text boxes.
    QList<QRect> rowBoxes;
    for (const auto& t : Texts(items))
        if (t.text.startsWith("Zone"))
            rowBoxes.append(t.rect);
    ASSERT_EQ(rowBoxes.size(), 6);
    QList<int> shadedTops;
    for (const auto& i : items)
        if (i.kind == CEBListView::PrintItem::Shade)
            shadedTops.append(i.rect.top());
    EXPECT_EQ(shadedTops, (QList<int>{rowBoxes[1].top(), rowBoxes[3].top(), rowBoxes[5].top()}));
    // A right-aligned column followed by a left-aligned one.
    for (const auto& t : Texts(items)) {
        if (t.text == "Wert" || t.text == "3") {
            EXPECT_TRUE(t.flags & Qt::AlignRight) << t.text.toStdString();
        }
        if (t.text == "Größe" || t.text == "ä") {
            EXPECT_TRUE(t.flags & Qt::AlignLeft);
            EXPECT_FALSE(t.flags & Qt::AlignRight);
        }
    }
}

namespace {
int PdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    int n = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s")
            ++n;
    return n;
}
}  // namespace

TEST(EBListViewPrint, PdfHasOnePageForSmallTable)
{
    CEBListView view;
    Fill(view, 3);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("a.pdf"));
    CEBListView::PrintInfo info;
    view.OnBeginPrinting(&printer, &info);
    EXPECT_EQ(info.maxPage, 1);
    EXPECT_EQ(info.previewPages, 1);
    ASSERT_TRUE(view.PrintTo(&printer));
    EXPECT_EQ(PdfPages(dir.filePath("a.pdf")), 1);
}

TEST(EBListViewPrint, PdfSpreadsOverPagesDownThenAcross)
{
    CEBListView view;
    Fill(view, 120);
    view.SetColumnWidth(2, 400);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("b.pdf"));
    printer.setPageSize(QPageSize(QSizeF(100, 100), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const CEBListView::PrintMetrics m = view.ComputeMetrics(&printer);
    ASSERT_GE(m.across, 2);
    ASSERT_GE(m.down, 2);
    CEBListView::PrintInfo info;
    view.OnBeginPrinting(&printer, &info);
    EXPECT_EQ(info.maxPage, m.across * m.down);
    EXPECT_EQ(info.previewPages, 2);
    ASSERT_TRUE(view.PrintTo(&printer));
    EXPECT_EQ(PdfPages(dir.filePath("b.pdf")), m.across * m.down);
}

// A long list breaks between its rows: whatever the page height, each row
// is printed whole on one page, and nothing of the next page's first row
// shows at the foot of the page before it.
TEST(EBListViewPrint, PagesBreakBetweenRows)
{
    CEBListView view;
    Fill(view, 40);
    for (const int pageHeight : {100, 137, 251}) {
        QImage page(600, pageHeight, QImage::Format_RGB32);
        const CEBListView::PrintMetrics m = view.ComputeMetrics(&page);
        ASSERT_GE(m.down, 2) << pageHeight;
        int printed = 0;
        for (int p = 1; p <= m.across * m.down; ++p) {
            const QRect area = m.PageArea(p);
            EXPECT_LE(area.height(), pageHeight);
            for (const auto& t : Texts(view.LayoutPage(m, p)))
                if (t.text.startsWith("Zone") && t.rect.intersects(area)) {
                    EXPECT_TRUE(area.contains(t.rect)) << t.text.toStdString() << " on page " << p;
                    ++printed;
                }
            page.fill(Qt::white);
            QPainter painter(&page);
            CEBListView::PrintInfo info;
            info.curPage = p;
            view.OnPrint(&painter, &info);
            painter.end();
            for (int y = area.height(); y < pageHeight; ++y)
                for (int x = 0; x < page.width(); ++x)
                    ASSERT_EQ(page.pixel(x, y), QColor(Qt::white).rgb()) << "page " << p << " at " << x << "," << y;
        }
        EXPECT_EQ(printed, 40) << pageHeight;
    }
}

// Each row prints its own picture, as large on paper as the row shows it on
// the screen, at the screen's resolution and at a printer's.
TEST(EBListViewPrint, PageShowsEachRowsOwnImage)
{
    CEBListView view;
    Fill(view, 4);  // images 0, 1, 2, 0
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    QList<QPixmap> images;
    for (const QColor& c : colours) {
        QPixmap p(16, 16);
        p.fill(c);
        images.append(p);
    }
    view.SetImageList(images);
    for (const int dpi : {96, 300, 600}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        QImage page(2000, 2000, QImage::Format_RGB32);
        page.setDotsPerMeterX(qRound(dpi / 0.0254));
        page.setDotsPerMeterY(qRound(dpi / 0.0254));
        page.fill(Qt::white);
        QPainter painter(&page);
        CEBListView::PrintInfo info;
        view.OnBeginPrinting(&page, &info);
        ASSERT_EQ(info.maxPage, 1);
        info.curPage = 1;
        view.OnPrint(&painter, &info);
        painter.end();
        const CEBListView::PrintMetrics m = view.ComputeMetrics(&page);
        QList<QRect> targets;
        for (const auto& i : view.LayoutPage(m, 1))
            if (i.kind == CEBListView::PrintItem::Image)
                targets.append(i.rect);
        ASSERT_EQ(targets.size(), 4);
        const int expected[] = {0, 1, 2, 0};
        // Half the side of the 16 pixels the row shows, on paper.
        const int hx = m.ToPrinterX(8), hy = m.ToPrinterY(8);
        for (int r = 0; r < 4; ++r) {
            const QPoint c = targets[r].center();
            for (const QPoint d : {QPoint(0, 0), QPoint(hx - 2, 0), QPoint(2 - hx, 0), QPoint(0, hy - 2), QPoint(0, 2 - hy)})
                EXPECT_EQ(QColor(page.pixel(c + d)), colours[expected[r]]) << "row " << r << " at " << d.x() << "," << d.y();
            for (const QPoint d : {QPoint(hx + 2, 0), QPoint(-hx - 2, 0), QPoint(0, hy + 2), QPoint(0, -hy - 2)})
                EXPECT_NE(QColor(page.pixel(c + d)), colours[expected[r]]) << "row " << r << " at " << d.x() << "," << d.y();
        }
    }
}

// The list's print dialog offers the PDF printer, also on a machine without
// a printer: the user picks it, types the file's name and prints.
TEST(EBListViewPrint, ThePrintDialogOffersThePdfPrinterAndPrintsToTheFileTyped)
{
    CEBListView view;
    Fill(view, 3);
    view.resize(300, 200);
    view.show();
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.pdf");
    QStringList offered;
    bool printed = false;
    QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
    QTimer::singleShot(0, &scope, [&] {
        auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        auto* printers = dlg->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* file = dlg->findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* buttons = dlg->findChild<QDialogButtonBox*>();
        if (!printers || !file || !buttons) {
            dlg->reject();
            return;
        }
        for (int i = 0; i < printers->count(); ++i)
            offered << printers->itemText(i);
        int pdf = -1;
        for (int i = 0; i < offered.size(); ++i)
            if (offered[i].contains(QStringLiteral("PDF")))
                pdf = i;
        if (pdf < 0) {
            dlg->reject();
            return;
        }
        // The user moves through the entries with the arrow keys.
        printers->setFocus();
        QTest::keyClick(printers, Qt::Key_Home);
        for (int i = 0; i < pdf; ++i)
            QTest::keyClick(printers, Qt::Key_Down);
        file->setFocus();
        QTest::keyClick(file, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : path)
            QTest::keyClick(file, c.toLatin1(), c == u'/' || c == u':' ? Qt::ShiftModifier : Qt::NoModifier);
        // The file name's completion list, if it came up, goes with Escape.
        if (file->completer() && file->completer()->popup()->isVisible())
            QTest::keyClick(file->completer()->popup(), Qt::Key_Escape);
        printed = true;
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    view.PrintList();
    EXPECT_TRUE(printed) << "offered: " << offered.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(PdfPages(path), 1);
}
