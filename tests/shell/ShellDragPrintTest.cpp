// Drag and drop between designer views, printing, and the two dialogs of
// printing and project data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QRadioButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QTimer>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QImage>
#include <map>
#include <stdexcept>

#include "PrintCapture.h"
#include "ShellTestSupport.h"
#include "shell/CDragData.h"
#include "shell/CPrintContentDlg.h"
#include "shell/CProjectDataDlg.h"
#include "shell/CQuillomerView.h"
#include "shell/CViewPrinter.h"
#include "ui/LocaleDates.h"

TEST(ShellDragData, DescriptorRoundTripAndSize)
{
    CDragData d;
    d.processId = 4242;
    d.view = 7;
    d.window = 7;
    d.grabClient = QPoint(-5, 12);
    d.grabLogical = QPoint(1000, -3);
    d.rects = {QRect(QPoint(1, 2), QPoint(10, 20)), QRect(QPoint(-4, -4), QPoint(4, 4)), QRect(100, 100, 5, 6)};
    const QByteArray bytes = d.Encode();
    EXPECT_EQ(bytes.size(), 80);  // (3 + 2) x 16
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 3);
    // Right and bottom are stored exclusive, little-endian.
    EXPECT_EQ(static_cast<uint8_t>(bytes[32 + 8]), 11);
    const auto back = CDragData::Decode(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->processId, 4242u);
    EXPECT_EQ(back->grabClient, QPoint(-5, 12));
    EXPECT_EQ(back->grabLogical, QPoint(1000, -3));
    EXPECT_EQ(back->rects, d.rects);
    // A block shorter than its count says is refused.
    EXPECT_FALSE(CDragData::Decode(bytes.left(60)).has_value());
    EXPECT_FALSE(CDragData::Decode(QByteArray(20, '\0')).has_value());
}

namespace {
struct DragFixture : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerDoc docA, docB;
    std::unique_ptr<CQuillomerView> viewA, viewB;

    void SetUp() override
    {
        viewA = MakeView(&docA);
        viewB = MakeView(&docB);
        viewA->ScrollToPosition(QPoint(0, 0));
        viewB->ScrollToPosition(QPoint(0, 0));
    }
    void TearDown() override
    {
        viewA.reset();
        viewB.reset();
    }
};
}  // namespace

TEST_F(DragFixture, MoveWithinTheSameViewShiftsAllButLines)
{
    TestSymbol* a = AddSymbol(docA, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "a");
    TestSymbol* line = AddSymbol(docA, CAT_ZONE, CRect(200, 100, 250, 150), "line");
    viewA->AddToSelection(a);
    viewA->AddToSelection(line);
    viewA->SetDragRunner([&](QMimeData* data) {
        viewA->DoDragEnter(data, QPoint(110, 110));
        viewA->DoDragOver(QPoint(130, 140));
        EXPECT_TRUE(viewA->IsDragFeedbackShown());
        EXPECT_EQ(viewA->GetDragFeedback().front().topLeft(), QPoint(120, 130));
        EXPECT_TRUE(viewA->DoDrop(data, Qt::MoveAction, QPoint(130, 140)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(110, 110));
    EXPECT_EQ(a->GetRect(), CRect(120, 130, 170, 180));
    EXPECT_EQ(line->GetRect(), CRect(200, 100, 250, 150));
    EXPECT_TRUE(viewA->GetSelection().empty());
    EXPECT_FALSE(viewA->IsDragFeedbackShown());
    EXPECT_EQ(docA.GetList(CAT_AMPLIFIER).size(), 1u);
}

TEST_F(DragFixture, MoveToAnotherViewCarriesTheObjectsOver)
{
    TestSymbol* a = AddSymbol(docA, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "Verstärker A");
    a->m_number = 3;
    viewA->AddToSelection(a);
    viewA->SetDragRunner([&](QMimeData* data) {
        // The objects themselves travel with the drag, not beside it.
        EXPECT_FALSE(data->data(CDragData::TransferMimeType()).isEmpty());
        viewB->DoDragEnter(data, QPoint(300, 300));
        EXPECT_TRUE(viewB->DoDrop(data, Qt::MoveAction, QPoint(300, 300)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(110, 110));
    EXPECT_TRUE(docA.GetList(CAT_AMPLIFIER).empty());
    ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), 1u);
    CBaseDevice* moved = docB.GetList(CAT_AMPLIFIER).front();
    EXPECT_NE(dynamic_cast<TestSymbol*>(moved), nullptr);
    EXPECT_EQ(moved->GetName(), "Verstärker A");
    EXPECT_EQ(moved->GetDocument(), &docB);
    // Shifted by the distance from the grab point to the drop point.
    EXPECT_EQ(moved->GetRect(), CRect(290, 290, 340, 340));
    EXPECT_TRUE(viewA->GetSelection().empty());
}

TEST_F(DragFixture, ObjectsThatMoveOnlyVerticallyLandWhereTheyAreDropped)
{
    TestSymbol* amp = AddSymbol(docA, CAT_AMPLIFIER, CRect(700, 100, 750, 150), "Verstärker 1");
    amp->m_moveLock = 0;  // as amplifiers and lines: up and down only
    viewA->AddToSelection(amp);
    viewA->SetDragRunner([&](QMimeData* data) {
        viewB->DoDragEnter(data, QPoint(200, 300));
        EXPECT_TRUE(viewB->DoDrop(data, Qt::MoveAction, QPoint(200, 300)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(710, 110));
    ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), 1u);
    EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).front()->GetRect(), CRect(190, 290, 240, 340));
}

TEST_F(DragFixture, DropFromAnotherProgramCopiesAndLeavesTheSource)
{
    TestSymbol* a = AddSymbol(docA, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "a");
    viewA->AddToSelection(a);
    viewA->SetDragRunner([&](QMimeData* data) {
        // The descriptor as another running program would see it.
        auto d = CDragData::Decode(data->data(CDragData::MimeType()));
        d->processId ^= 0x5555;
        data->setData(CDragData::MimeType(), d->Encode());
        EXPECT_TRUE(viewB->DoDrop(data, Qt::MoveAction, QPoint(110, 120)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(110, 110));
    EXPECT_EQ(docA.GetList(CAT_AMPLIFIER).size(), 1u);
    ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), 1u);
    EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).front()->GetRect(), CRect(100, 110, 150, 160));
}

namespace {
// Drag data as a window of another running program gets it: the bytes of
// each format and nothing else. With `goneAtDrop` they can no longer be had
// once the drop comes, as when that program has let go of its drag.
class ForeignDragData : public QMimeData {
public:
    QStringList formats() const override { return m_bytes.keys(); }
    bool hasFormat(const QString& type) const override { return m_bytes.contains(type); }
    QMap<QString, QByteArray> m_bytes;
    bool goneAtDrop = false;
    bool dropped = false;

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        return goneAtDrop && dropped ? QByteArray() : m_bytes.value(type);
    }
};
}  // namespace

// A drag from a window of another running program reaches this window's
// sheet as the platform delivers it (enter, moves, then the drop or the
// leave): the objects its data carries are pasted and the other program
// keeps them; whatever the drop brings, and when the drag leaves again, the
// dotted frame of the drag is gone. What could not be pasted is told.
TEST_F(DragFixture, ADragFromAnotherProgramPastesAndLeavesNoFrame)
{
    struct Row {
        const char* what;
        bool objects;     // the data carries the objects
        bool goneAtDrop;  // the data can no longer be had at the drop
        bool leaves;      // the drag leaves the window instead of dropping
        bool pasted;
        const char* told;
    };
    const Row rows[] = {
        {"dropped", true, false, false, true, nullptr},
        {"dropped without the objects", false, false, false, false, "1 von 1 Objekten konnten nicht eingefügt werden."},
        {"data gone at the drop", true, true, false, false, nullptr},
        {"left again", true, false, true, false, nullptr},
    };
    TestSymbol* a = AddSymbol(docA, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "Verstärker 7");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        messages.messages.clear();
        // What the other program's drag offers: its descriptor names a
        // process and a view that are not this program's.
        ForeignDragData foreign;
        viewA->AddToSelection(a);
        viewA->SetDragRunner([&](QMimeData* data) {
            for (const QString& format : data->formats())
                foreign.m_bytes[format] = data->data(format);
            return Qt::IgnoreAction;
        });
        viewA->DragSelection(QPoint(110, 110));
        auto d = CDragData::Decode(foreign.m_bytes.value(CDragData::MimeType()));
        ASSERT_TRUE(d.has_value());
        d->processId ^= 0x5555;
        d->view = d->window = 0x7fff;
        foreign.m_bytes[CDragData::MimeType()] = d->Encode();
        if (!row.objects)
            foreign.m_bytes.remove(CDragData::TransferMimeType());
        foreign.goneAtDrop = row.goneAtDrop;

        const size_t before = docB.GetList(CAT_AMPLIFIER).size();
        QWidget* port = viewB->viewport();
        QDragEnterEvent enter(QPoint(200, 200), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        ASSERT_TRUE(enter.isAccepted());
        for (int step = 1; step <= 3; ++step) {
            QDragMoveEvent move(QPoint(200, 200) + QPoint(5, 5) * step, Qt::MoveAction, &foreign, Qt::LeftButton,
                                Qt::NoModifier);
            QApplication::sendEvent(port, &move);
        }
        EXPECT_TRUE(viewB->IsDragFeedbackShown());
        if (row.leaves) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(port, &leave);
        } else {
            foreign.dropped = true;
            QDropEvent drop(QPointF(215, 215), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(port, &drop);
        }
        QCoreApplication::processEvents();

        EXPECT_FALSE(viewB->IsDragFeedbackShown());
        EXPECT_TRUE(viewB->GetDragFeedback().empty());
        ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), before + (row.pasted ? 1 : 0));
        if (row.pasted) {
            EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).back()->GetName(), "Verstärker 7");
            EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).back()->GetRect(), CRect(205, 205, 255, 255));
        }
        // The other program keeps what it offered.
        ASSERT_EQ(docA.GetList(CAT_AMPLIFIER).size(), 1u);
        EXPECT_EQ(docA.GetList(CAT_AMPLIFIER).front(), a);
        if (row.told) {
            EXPECT_TRUE(messages.Saw(row.told));
        } else {
            EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
        }
    }
}

namespace {
// An object that is written whole but cannot be read back: a damaged transfer.
class UnreadableSymbol : public TestSymbol {
    QL_DECLARE_SERIAL(UnreadableSymbol)
public:
    void Serialize(CArchive& ar) override
    {
        TestSymbol::Serialize(ar);
        if (ar.IsLoading())
            throw std::runtime_error("damaged");
    }
};
QL_IMPLEMENT_SERIAL(UnreadableSymbol, 1)

// A relay topology as far as numbering goes: it takes a fresh number in the target.
class TopologySymbol : public TestSymbol {
    QL_DECLARE_SERIAL(TopologySymbol)
public:
    TopologySymbol() { m_type = OT_RELAIS_TOPOLOGY; }
};
QL_IMPLEMENT_SERIAL(TopologySymbol, 1)

// Takes every number of `type` in `doc`, so that no new object of it fits.
void FillDirectory(CQuillomerDoc& doc, CBaseDevice* holder, uint32_t type)
{
    while (doc.GetIDManager().GetNextID(holder, type) >= 0) {
    }
}
}  // namespace

TEST_F(DragFixture, MoveKeepsInTheSourceWhatTheTargetRefusesAndReportsIt)
{
    auto* topo = new TopologySymbol;
    topo->m_pDocument = &docA;
    topo->m_rect = topo->m_boundingRect = CRect(100, 100, 150, 150);
    topo->m_category = CAT_RELAIS_TOPOLOGY;
    topo->m_name = "Topologie 1";
    topo->m_number = docA.GetIDManager().GetNextID(topo, topo->m_type);
    docA.AddObject(topo, CAT_RELAIS_TOPOLOGY);
    TestSymbol* amp = AddSymbol(docA, CAT_AMPLIFIER, CRect(200, 100, 250, 150), "Verstärker 1");
    TestSymbol holder;
    FillDirectory(docB, &holder, OT_RELAIS_TOPOLOGY);  // the target has no room for a topology

    viewA->AddToSelection(topo);
    viewA->AddToSelection(amp);
    viewA->SetDragRunner([&](QMimeData* data) {
        EXPECT_FALSE(data->data(CDragData::TransferMimeType()).isEmpty());
        viewB->DoDragEnter(data, QPoint(300, 300));
        EXPECT_TRUE(viewB->DoDrop(data, Qt::MoveAction, QPoint(300, 300)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(110, 110));
    QCoreApplication::processEvents();

    // The topology did not arrive and is still in the source; the amplifier moved.
    ASSERT_EQ(docA.GetList(CAT_RELAIS_TOPOLOGY).size(), 1u);
    EXPECT_EQ(docA.GetList(CAT_RELAIS_TOPOLOGY).front(), topo);
    EXPECT_EQ(topo->GetRect(), CRect(100, 100, 150, 150));
    EXPECT_TRUE(docA.GetList(CAT_AMPLIFIER).empty());
    EXPECT_TRUE(docB.GetList(CAT_RELAIS_TOPOLOGY).empty());
    ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), 1u);
    EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).front()->GetName(), "Verstärker 1");
    // The user is told which object stayed behind.
    EXPECT_TRUE(messages.Saw("1 von 2 Objekten konnten nicht eingefügt werden."));
    EXPECT_TRUE(messages.Saw("Topologie 1"));
    EXPECT_TRUE(messages.Saw("Sie bleiben im ursprünglichen Projekt."));
}

TEST_F(DragFixture, DamagedTransferDeletesOnlyWhatWasReadInTheSource)
{
    TestSymbol* first = AddSymbol(docA, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "erstes");
    auto* broken = new UnreadableSymbol;
    broken->m_pDocument = &docA;
    broken->m_rect = broken->m_boundingRect = CRect(200, 100, 250, 150);
    broken->m_category = CAT_AMPLIFIER;
    broken->m_name = "kaputt";
    broken->m_number = docA.GetIDManager().GetNextID(broken, broken->m_type);
    docA.AddObject(broken, CAT_AMPLIFIER);
    TestSymbol* last = AddSymbol(docA, CAT_AMPLIFIER, CRect(300, 100, 350, 150), "letztes");

    viewA->AddToSelection(first);
    viewA->AddToSelection(broken);
    viewA->AddToSelection(last);
    viewA->SetDragRunner([&](QMimeData* data) {
        EXPECT_TRUE(viewB->DoDrop(data, Qt::MoveAction, QPoint(300, 300)));
        return Qt::MoveAction;
    });
    viewA->DragSelection(QPoint(110, 110));
    QCoreApplication::processEvents();

    ASSERT_EQ(docB.GetList(CAT_AMPLIFIER).size(), 1u);
    EXPECT_EQ(docB.GetList(CAT_AMPLIFIER).front()->GetName(), "erstes");
    const auto& left = docA.GetList(CAT_AMPLIFIER);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_NE(std::find(left.begin(), left.end(), broken), left.end());
    EXPECT_NE(std::find(left.begin(), left.end(), last), left.end());
    EXPECT_TRUE(messages.Saw("2 von 3 Objekten konnten nicht eingefügt werden."));
    EXPECT_TRUE(messages.Saw("kaputt"));
    EXPECT_TRUE(messages.Saw("letztes"));
}

TEST_F(DragFixture, DataWithoutTheFormatIsRefused)
{
    QMimeData other;
    other.setText("hello");
    EXPECT_FALSE(viewB->CanAccept(&other));
    EXPECT_FALSE(viewB->DoDrop(&other, Qt::MoveAction, QPoint(1, 1)));
    QMimeData broken;
    broken.setData(CDragData::MimeType(), QByteArray(8, '\x01'));
    EXPECT_FALSE(viewB->DoDrop(&broken, Qt::MoveAction, QPoint(1, 1)));
}

namespace {
struct PrintFixture : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerDoc doc;
    std::unique_ptr<CQuillomerView> view;
    QTemporaryDir dir;
    void SetUp() override { view = MakeView(&doc); }
    void TearDown() override { view.reset(); }

    int PdfPages(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray pdf = f.readAll();
        int pages = 0;
        for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1))
            if (pdf.mid(i, 12) != "/Type /Pages")
                ++pages;
        return pages;
    }
};
}  // namespace

TEST_F(PrintFixture, SmallDiagramPrintsOnOnePage)
{
    AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 300, 200), "a");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("one.pdf");
    printer.setOutputFileName(path);
    CViewPrinter job(view.get(), CViewPrinter::Diagram);
    job.Print(&printer);
    EXPECT_EQ(job.GetPageCount(), 1);
    EXPECT_EQ(PdfPages(path), 1);
    EXPECT_TRUE(job.GetFooterTexts().contains("Seite 1 von 1"));
}

TEST_F(PrintFixture, WideDiagramPrintsOnThreePagesAcross)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QString path = dir.filePath("wide.pdf");
    printer.setOutputFileName(path);
    printer.setFullPage(true);
    // Printable width in logical units at zoom 4 (screen resolution units).
    const double unitsPerPixel = double(view->logicalDpiX()) / printer.resolution();
    const int printableUnits = int((printer.width() - 2 * (printer.resolution() * 50 / 254)) * unitsPerPixel);
    AddSymbol(doc, CAT_AMPLIFIER, CRect(10, 10, 30, 30), "left");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(2 * printableUnits + 100, 10, 2 * printableUnits + 150, 30), "right");
    CViewPrinter job(view.get(), CViewPrinter::Diagram);
    job.Print(&printer);
    EXPECT_EQ(job.GetPagesAcross(), 3);
    EXPECT_EQ(job.GetPagesDown(), 1);
    EXPECT_EQ(job.GetPageCount(), 3);
    EXPECT_EQ(PdfPages(path), 3);
    EXPECT_TRUE(job.GetFooterTexts().contains("Seite 3 von 3"));

    // The second of three pages says so in its footer.
    QImage page(printer.width() / 8, printer.height() / 8, QImage::Format_RGB32);
    QPainter p(&page);
    CViewPrinter second(view.get(), CViewPrinter::Diagram);
    second.Begin(p, printer.width(), printer.height(), printer.resolution(), printer.resolution());
    second.PrintPage(p, 2);
    EXPECT_TRUE(second.GetFooterTexts().contains("Seite 2 von 3"));
    EXPECT_EQ(CViewPrinter::PageText(2, 3), QString("Seite 2 von 3"));
}

// A diagram that fits the printable width of a landscape page prints on that
// one page; one a little wider prints on two pages of the same size and
// orientation, each holding a fair share of it rather than the second only
// what ran over the first. The pages are kept as print-page-N.png.
TEST_F(PrintFixture, DiagramPagesKeepTheOrientationAndNoneHoldsOnlySlivers)
{
    auto pdf = [&](const QString& name) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageOrientation(QPageLayout::Landscape);
        printer->setOutputFileName(dir.filePath(name));
        printer->setFullPage(true);
        return printer;
    };
    auto mediaBoxes = [&](const QString& name) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QStringList boxes;
        static const QRegularExpression box(QStringLiteral("/MediaBox \\[([^\\]]*)\\]"));
        for (auto it = box.globalMatch(QString::fromLatin1(bytes)); it.hasNext();)
            boxes << it.next().captured(1).simplified();
        return boxes;
    };
    std::unique_ptr<QPrinter> probe = pdf(QStringLiteral("probe.pdf"));
    const double unitsPerPixel = double(view->logicalDpiX()) / probe->resolution();
    const int printable = int((probe->width() - 2 * (probe->resolution() * 50 / 254)) * unitsPerPixel);

    // Just narrower than a page (with the 2 units the used rectangle grows by).
    TestSymbol* left = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 160), "links");
    TestSymbol* right = AddSymbol(doc, CAT_AMPLIFIER, CRect(printable - 60, 100, printable + 90, 160), "rechts");
    {
        std::unique_ptr<QPrinter> printer = pdf(QStringLiteral("fits.pdf"));
        CViewPrinter job(view.get(), CViewPrinter::Diagram);
        job.Print(printer.get());
        EXPECT_EQ(job.GetPageCount(), 1);
        EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("fits.pdf"))), 1);
        // The one page shows the diagram from its left edge, as before.
        EXPECT_NEAR(job.GetSheetAreaOfPage(1).left(), 98, 1);
    }

    // A fifth of a page wider: two pages.
    right->MoveBy(printable / 5, 0, false);
    std::unique_ptr<QPrinter> printer = pdf(QStringLiteral("two.pdf"));
    CViewPrinter job(view.get(), CViewPrinter::Diagram);
    job.Print(printer.get());
    ASSERT_EQ(job.GetPagesAcross(), 2);
    EXPECT_EQ(job.GetPagesDown(), 1);
    EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("two.pdf"))), 2);
    const QStringList boxes = mediaBoxes(QStringLiteral("two.pdf"));
    ASSERT_EQ(boxes.size(), 2) << boxes.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(boxes[0], boxes[1]);
    const QStringList size = boxes[0].split(QLatin1Char(' '));
    ASSERT_EQ(size.size(), 4);
    EXPECT_GT(size[2].toDouble(), size[3].toDouble()) << "not landscape: " << boxes[0].toStdString();

    const QRectF used(98, 98, right->GetRect().right + 2 - 98, 64);
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const QRectF shown = job.GetSheetAreaOfPage(page).intersected(used);
        EXPECT_GE(shown.width(), printable / 3.0);
        // Each symbol shows whole on a page, or in a part of at least a quarter.
        for (TestSymbol* s : {left, right}) {
            const QRectF r(s->GetRect().left, s->GetRect().top, s->GetRect().Width(), s->GetRect().Height());
            const QRectF part = job.GetSheetAreaOfPage(page).intersected(r);
            if (!part.isEmpty()) {
                EXPECT_GE(part.width(), r.width() / 4) << s->GetName();
            }
        }
    }
    // What the pages carry: each symbol whole, or a part of it of at least a
    // quarter, inside the printable area of the paper.
    {
        const int res = printer->resolution();
        PrintCapture paper(QSize(printer->width(), printer->height()), res, res);
        CViewPrinter onPaper(view.get(), CViewPrinter::Diagram);
        onPaper.Print(paper, 0, 0, [&] { return paper.NewPage(); });
        ASSERT_EQ(paper.pages.size(), 2u);
        const QRectF printableArea(res * 50 / 254, res * 100 / 254, printer->width() - 2 * (res * 50 / 254),
                                   printer->height() - res * 100 / 254 - res * 220 / 254);
        const double scale = double(res) / view->logicalDpiX() * view->GetZoom() / 4.0;
        std::map<TestSymbol*, int> pagesShowing;
        for (int page = 1; page <= 2; ++page) {
            SCOPED_TRACE(page);
            for (TestSymbol* s : {left, right}) {
                const double w = s->GetRect().Width() * scale, h = s->GetRect().Height() * scale;
                for (const QRectF& r : paper.pages[page - 1].rects) {
                    if (std::abs(r.width() - w) > 2 || std::abs(r.height() - h) > 2)
                        continue;
                    const QRectF part = r.intersected(printableArea);
                    if (part.isEmpty())
                        continue;
                    ++pagesShowing[s];
                    EXPECT_GE(part.width(), w / 4) << s->GetName();
                }
            }
        }
        EXPECT_GE(pagesShowing[left], 1);
        EXPECT_GE(pagesShowing[right], 1);
    }

    // Together the pages show the whole diagram.
    EXPECT_LE(job.GetSheetAreaOfPage(1).left(), used.left());
    EXPECT_GE(job.GetSheetAreaOfPage(2).right(), used.right());
    EXPECT_NEAR(job.GetSheetAreaOfPage(1).right(), job.GetSheetAreaOfPage(2).left(), 1);

    // The pages for the eye, at a tenth of the printer's resolution.
    for (int page = 1; page <= 2; ++page) {
        QImage image(printer->width() / 10, printer->height() / 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(0.1, 0.1);
        CViewPrinter shot(view.get(), CViewPrinter::Diagram);
        shot.Begin(p, printer->width(), printer->height(), printer->resolution(), printer->resolution());
        shot.PrintPage(p, page);
        p.end();
        EXPECT_TRUE(image.save(QStringLiteral("print-page-%1.png").arg(page)));
    }
}

TEST_F(PrintFixture, EmptyListPrintsOnePageWithItsFrame)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("list.pdf");
    printer.setOutputFileName(path);
    CViewPrinter job(view.get(), CViewPrinter::DeviceList);
    job.Print(&printer);
    EXPECT_EQ(job.GetPageCount(), 1);
    EXPECT_EQ(PdfPages(path), 1);
}

TEST(ShellPrintContent, ChoiceIsRememberedAndPreviewDropsTheHint)
{
    SettingsSandbox settings;
    {
        CPrintContentDlg dlg;
        dlg.show();
        EXPECT_TRUE(dlg.ChoiceButton(CPrintContentDlg::ChoiceDiagram)->isChecked());
        EXPECT_TRUE(dlg.HintBox()->isVisible());
        dlg.ChoiceButton(CPrintContentDlg::ChoiceDeviceList)->setChecked(true);
        dlg.OnOK();
        EXPECT_EQ(dlg.m_nContent, CPrintContentDlg::ChoiceDeviceList);
    }
    {
        CPrintContentDlg dlg;
        dlg.m_bPreview = true;
        dlg.show();
        EXPECT_TRUE(dlg.ChoiceButton(CPrintContentDlg::ChoiceDeviceList)->isChecked());
        // The keyboard starts at the ticked choice: Up ticks the one above it.
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        EXPECT_EQ(QApplication::focusWidget(), dlg.ChoiceButton(CPrintContentDlg::ChoiceDeviceList));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_TRUE(dlg.ChoiceButton(CPrintContentDlg::ChoiceParameterList)->isChecked());
        EXPECT_EQ(dlg.windowTitle(), QString("Inhalt der Seitenansicht bestimmen"));
        EXPECT_FALSE(dlg.HintBox()->isVisible());
        dlg.ChoiceButton(CPrintContentDlg::ChoiceParameterList)->setChecked(true);
        dlg.reject();
    }
    EXPECT_EQ(QSettings().value("Configuration/Preview").toInt(), CPrintContentDlg::ChoiceDeviceList);
    EXPECT_EQ(CPrintContentDlg::PrintModeOf(0), 1);
    EXPECT_EQ(CPrintContentDlg::PrintModeOf(1), 3);
    EXPECT_EQ(CPrintContentDlg::PrintModeOf(2), 2);
}

TEST(ShellProjectData, VariantCancelRestoresTheControls)
{
    MessageRecorder messages;
    CProjectDataDlg dlg;
    dlg.m_strProjectName = "Nord";
    dlg.m_nDeviceVariant = 0;
    dlg.m_strDate = "01.02.2024";
    dlg.show();
    // The project's picture stands at the left of the fields.
    auto* picture = dlg.findChild<QLabel*>(QStringLiteral("252"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_LT(picture->geometry().right(), dlg.ProjectNameEdit()->geometry().left());
    EXPECT_TRUE(dlg.VariantButton(0)->isChecked());
    dlg.ProjectNameEdit()->setText("Süd");
    messages.Answer(mb::IdCancel);
    dlg.VariantButton(1)->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].second, uint32_t(mb::OkCancel));
    EXPECT_NE(messages.messages[0].first.find("KVT7000 Upgrade"), std::string::npos);
    EXPECT_TRUE(dlg.VariantButton(0)->isChecked());
    EXPECT_FALSE(dlg.VariantButton(1)->isChecked());
    EXPECT_EQ(dlg.ProjectNameEdit()->text(), QString("Nord"));

    messages.Answer(mb::IdOk);
    dlg.VariantButton(1)->click();
    EXPECT_EQ(dlg.m_nDeviceVariant, 1);
}

TEST(ShellProjectData, NoVariantDateCheckAndPassword)
{
    MessageRecorder messages;
    CProjectDataDlg dlg;
    const QLocale locale;
    dlg.m_strDate = locale.toString(QDate(2024, 2, 1), QLocale::ShortFormat);
    dlg.show();
    EXPECT_FALSE(dlg.VariantButton(0)->isChecked());
    EXPECT_FALSE(dlg.VariantButton(1)->isChecked());
    EXPECT_FALSE(dlg.m_editPassword->isEnabled());
    dlg.PasswordCheck()->click();
    EXPECT_TRUE(dlg.m_editPassword->isEnabled());
    EXPECT_EQ(dlg.m_bPassword, 1);

    dlg.DateEdit()->setText("abc");
    dlg.OnOK();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "Bitte geben Sie ein korrektes Datum ein !");
    EXPECT_TRUE(dlg.isVisible());

    dlg.DateEdit()->setText(locale.toString(QDate(2024, 2, 1), QLocale::ShortFormat));
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nDeviceVariant, -1);
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(dlg.m_timeDate).date(), QDate(2024, 2, 1));

    ProjectData data;
    dlg.m_strPassword = "geheim";
    dlg.m_bPassword = 0;
    dlg.GetProjectData(data);
    EXPECT_TRUE(data.password.empty());
}

// An old project's date text "Error" is no date: OK is refused until the
// user types one. Nor is a date that does not exist, or one the project
// cannot hold (its date counts seconds from 1970 in 32 bits): it would come
// back as another. A date the program wrote in the other language's form
// (before a switch of language) is taken as it stands.
TEST(ShellProjectData, ATextThatIsNoDateIsRefusedEvenWhenLeftAsItIs)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MessageRecorder messages;
    auto okButton = [](CProjectDataDlg& dlg) {
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                return b;
        return static_cast<QPushButton*>(nullptr);
    };
    const std::time_t stored = QDateTime(QDate(2001, 3, 1), QTime(0, 0)).toSecsSinceEpoch();
    {
        CProjectDataDlg dlg;
        dlg.m_strDate = QStringLiteral("Error");
        dlg.m_timeDate = stored;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        QPushButton* ok = okButton(dlg);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, "Bitte geben Sie ein korrektes Datum ein !");
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(dlg.result(), QDialog::Accepted);

        size_t told = 1;
        for (const char* refused : {"29.02.2001", "01.01.1960", "01.01.2107"}) {
            SCOPED_TRACE(refused);
            QTest::mouseClick(dlg.DateEdit(), Qt::LeftButton);
            QTest::keyClick(dlg.DateEdit(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(dlg.DateEdit(), QString::fromLatin1(refused));
            QTest::mouseClick(ok, Qt::LeftButton);
            ASSERT_EQ(messages.messages.size(), ++told);
            EXPECT_EQ(messages.messages.back().first, "Bitte geben Sie ein korrektes Datum ein !");
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(dlg.m_timeDate, stored);
        }

        QTest::mouseClick(dlg.DateEdit(), Qt::LeftButton);
        QTest::keyClick(dlg.DateEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg.DateEdit(), QStringLiteral("24.11.27"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(messages.messages.size(), told);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(dlg.m_timeDate).date(), QDate(2027, 11, 24));
    }
    // Also a date after 2069, which the short form writes with the year in
    // two digits ("31.12.99" for 2099).
    const size_t told = messages.messages.size();
    struct Written {
        const char* text;
        QDate date;
    };
    for (const Written& written : {Written{"3/1/01", QDate(2001, 3, 1)}, Written{"01.03.2001", QDate(2001, 3, 1)},
                                   Written{"31.12.99", QDate(2099, 12, 31)}}) {
        SCOPED_TRACE(written.text);
        CProjectDataDlg dlg;
        dlg.m_strDate = QString::fromLatin1(written.text);
        dlg.m_timeDate = QDateTime(written.date, QTime(0, 0)).toSecsSinceEpoch();
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(okButton(dlg), Qt::LeftButton);
        EXPECT_EQ(messages.messages.size(), told);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(dlg.m_timeDate).date(), written.date);
    }
    QLocale::setDefault(before);
}

TEST(ShellProjectData, DatesInTheUsersFormat)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    auto d = ParseLocaleDateTime("16.11.2000", german);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->date(), QDate(2000, 11, 16));
    d = ParseLocaleDateTime("16.11.00", german);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->date(), QDate(2000, 11, 16));
    d = ParseLocaleDateTime("16.11.2000 10:30", german);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->time(), QTime(10, 30));
    EXPECT_FALSE(ParseLocaleDateTime("Montag", german).has_value());
    EXPECT_FALSE(ParseLocaleDateTime("", german).has_value());
}

// A project dated in German keeps its date when it is opened in English and
// its data are confirmed unchanged; a date the user types in neither form is
// still refused.
TEST(ShellProjectData, ADateTextInAnotherLanguagesFormIsKeptWhenLeftAsItIs)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MessageRecorder messages;
    const std::time_t dated = QDateTime(QDate(2026, 12, 7), QTime(0, 0)).toSecsSinceEpoch();
    for (const char* typed : {"", "08.12.26"}) {
        CProjectDataDlg dlg;
        dlg.m_strDate = "07.12.26";
        dlg.m_timeDate = dated;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        if (*typed) {
            dlg.DateEdit()->setFocus();
            dlg.DateEdit()->selectAll();
            QTest::keyClicks(dlg.DateEdit(), typed);
        }
        QPushButton* ok = nullptr;
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                ok = b;
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        if (*typed) {
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].first, "Bitte geben Sie ein korrektes Datum ein !");
            EXPECT_TRUE(dlg.isVisible());
        } else {
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(dlg.m_strDate, QStringLiteral("07.12.26"));
            EXPECT_EQ(dlg.m_timeDate, dated);
        }
    }
    QLocale::setDefault(before);
}

// A printer that cannot print the outer 20 mm of its sheet (its driver's
// margins, or those chosen in the set-up) gets the pages laid out on what it
// can print: a diagram as wide as the whole sheet's room but wider than the
// printable room is spread over two pages instead of running into the edge.
TEST_F(PrintFixture, PagesStayInsideThePrintersMargins)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    const QString path = dir.filePath("margins.pdf");
    printer.setOutputFileName(path);
    const int res = printer.resolution();
    const int ownMargins = 2 * (res * 50 / 254);
    const int wholeSheet = printer.paperRect(QPrinter::DevicePixel).toRect().width() - ownMargins;
    const int printable = printer.pageRect(QPrinter::DevicePixel).toRect().width() - ownMargins;
    ASSERT_LT(printable, wholeSheet);
    const double unitsPerPixel = double(view->logicalDpiX()) / res;
    const int width = int((wholeSheet + printable) / 2 * unitsPerPixel);
    AddSymbol(doc, CAT_AMPLIFIER, CRect(10, 10, 30, 30), "left");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(width - 20, 10, width, 30), "right");
    CViewPrinter job(view.get(), CViewPrinter::Diagram);
    job.Print(&printer);
    EXPECT_EQ(job.GetPagesAcross(), 2);
    EXPECT_EQ(job.GetPagesDown(), 1);
    EXPECT_EQ(PdfPages(path), 2);
}
