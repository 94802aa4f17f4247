// What the printer receives: the pages a print job paints, taken from a paint
// device whose resolutions across and down differ, and a page kept as a
// picture for the eye.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <set>
#include <tuple>
#include "PrintCapture.h"
#include "ShellProgramTest.h"
#include "ShellTestSupport.h"
#include "shell/CPrintContentDlg.h"
#include "shell/ShellIds.h"
#include "calendar/CDayprog.h"
#include "calendar/CWeek.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "hardware/CAudioInputSlot.h"
#include "model/CQuillomerDoc.h"
#include "support/EnglishTexts.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "shell/CQuillomerView.h"
#include "shell/CViewPrinter.h"

namespace {
// A4 landscape at 600 dots per inch across and 300 down.
constexpr int kDpiX = 600;
constexpr int kDpiY = 300;
const QSize kA4Landscape(297 * kDpiX * 10 / 254, 210 * kDpiY * 10 / 254);

double MmX(double mm) { return mm * kDpiX / 25.4; }
double MmY(double mm) { return mm * kDpiY / 25.4; }

// A sheet of `widthMm` x `heightMm` at `dpi` dots per inch both ways.
QSize SheetOf(double widthMm, double heightMm, int dpi)
{
    return QSize(int(widthMm * dpi / 25.4), int(heightMm * dpi / 25.4));
}

// The texts of `paper` that a page edge or the piece of a block cuts, as
// "page: text" (the first few), and how many there are.
std::pair<int, QString> CutTexts(const PrintCapture& paper)
{
    int cut = 0;
    QStringList first;
    for (size_t p = 0; p < paper.pages.size(); ++p)
        for (const PrintCapture::Text& t : paper.pages[p].texts)
            if (!t.Whole() && ++cut <= 5)
                first << QStringLiteral("%1: '%2'").arg(p + 1).arg(t.text);
    return {cut, first.join(QStringLiteral(", "))};
}

// The frames on `paper` that end more than two text lines below the last text
// inside them, as "page: first text" (a block whose frame runs on below its
// lines), and how many there are. Frames that run on over the page's printable
// bottom are left out: their block continues on the next page.
std::pair<int, QString> FramesEndingFarBelowTheirLines(const PrintCapture& paper, int dpiY, double printableBottom)
{
    int far = 0;
    QStringList first;
    for (size_t p = 0; p < paper.pages.size(); ++p) {
        for (const QRectF& frame : paper.pages[p].rects) {
            if (frame.bottom() > printableBottom)
                continue;
            const PrintCapture::Text* last = nullptr;
            for (const PrintCapture::Text& t : paper.pages[p].texts)
                if (frame.contains(t.box) && (!last || t.box.bottom() > last->box.bottom()))
                    last = &t;
            const double lineMm = last ? last->box.height() * 25.4 / dpiY + 2 : 0;
            if (last && (frame.bottom() - last->box.bottom()) * 25.4 / dpiY > 2 * lineMm + 4 && ++far <= 5)
                first << QStringLiteral("%1: '%2'").arg(p + 1).arg(last->text);
        }
    }
    return {far, first.join(QStringLiteral(", "))};
}

// The block titles on `paper` (texts in the font of `heading`) that stand on
// a page without a line of their table under their column titles, as
// "page: title", and how many there are.
std::pair<int, QString> TitlesWithoutALineUnderThem(const PrintCapture& paper, const QString& heading)
{
    QFont font;
    for (const PrintCapture::Page& page : paper.pages)
        for (const PrintCapture::Text& t : page.Find(heading))
            font = t.font;
    int alone = 0;
    QStringList first;
    for (size_t p = 0; p < paper.pages.size(); ++p) {
        for (const PrintCapture::Text& title : paper.pages[p].texts) {
            if (title.font != font)
                continue;
            // The lines of the block's piece on this page: its texts share its clip.
            std::set<int> lines;
            for (const PrintCapture::Text& t : paper.pages[p].texts)
                if (t.font != font && t.clip == title.clip && t.baseline.y() > title.baseline.y())
                    lines.insert(qRound(t.baseline.y()));
            if (lines.size() < 2 && ++alone <= 5)
                first << QStringLiteral("%1: '%2'").arg(p + 1).arg(title.text);
        }
    }
    return {alone, first.join(QStringLiteral(", "))};
}

// The pages (from 1) on which `text` stands, once for each time it stands there.
std::vector<int> PagesOf(const PrintCapture& paper, const QString& text)
{
    std::vector<int> pages;
    for (size_t p = 0; p < paper.pages.size(); ++p)
        for (size_t i = 0; i < paper.pages[p].Find(text).size(); ++i)
            pages.push_back(int(p) + 1);
    return pages;
}

struct PrintedPages : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerDoc doc;
    std::unique_ptr<CQuillomerView> view;
    PrintCapture paper{kA4Landscape, kDpiX, kDpiY};

    void SetUp() override { view = MakeView(&doc); }
    void TearDown() override { view.reset(); }

    // Prints every page of `mode` on `sheet`; the job's page count.
    int PrintAll(int mode, PrintCapture* sheet = nullptr)
    {
        PrintCapture& on = sheet ? *sheet : paper;
        CViewPrinter job(view.get(), mode);
        job.Print(on, 0, 0, [&on] { return on.NewPage(); });
        return job.GetPageCount();
    }
    // A new project whose week runs "Werktag" (3) from Monday to Friday and
    // "Ruhetag" (5) on Sunday.
    CWeek* MakeWeek()
    {
        EXPECT_TRUE(doc.OnNewDocument());
        auto* week = dynamic_cast<CWeek*>(doc.GetIDManager().GetBaseDevice(1, OT_WEEK));
        EXPECT_NE(week, nullptr);
        if (!week)
            return nullptr;
        for (auto [number, name] : {std::pair{3, "Werktag"}, std::pair{5, "Ruhetag"}}) {
            auto* dp = new CDayprog;
            EXPECT_EQ(1, dp->Create(CDayprog::kKindId, name, number, CAT_CALENDAR, &doc));
            doc.AddObject(dp, CAT_CALENDAR);
        }
        for (int d = 0; d < 5; ++d)
            week->SetDay(d, 3);
        week->SetDay(6, 5);
        return week;
    }
    // The rectangles of `page` with the device size of a sheet rectangle `r`.
    std::vector<QRectF> SymbolsOn(int page, const CRect& r) const
    {
        const double sx = double(kDpiX) / view->logicalDpiX() * view->GetZoom() / 4.0;
        const double sy = double(kDpiY) / view->logicalDpiY() * view->GetZoom() / 4.0;
        std::vector<QRectF> found;
        for (const QRectF& rect : paper.pages[page - 1].rects)
            if (std::abs(rect.width() - r.Width() * sx) <= 2 && std::abs(rect.height() - r.Height() * sy) <= 2)
                found.push_back(rect);
        return found;
    }
};
}  // namespace

// A diagram a little wider than a page prints on two pages; each symbol lands
// on the paper at its distance from the other times the resolution of its
// direction, inside the printable area, and every page carries its footer.
TEST_F(PrintedPages, TheDiagramLandsOnThePaperAtTheResolutionOfEachDirection)
{
    const int left = kDpiX * 50 / 254;
    const int top = kDpiY * 100 / 254;
    const int printableW = kA4Landscape.width() - 2 * left;
    const double unitsPerDot = double(view->logicalDpiX()) / kDpiX;
    const int pageUnits = int(printableW * unitsPerDot);
    const CRect a(100, 100, 200, 160);
    const CRect b(pageUnits + 100, 300, pageUnits + 180, 420);
    AddSymbol(doc, CAT_AMPLIFIER, a, "links");
    AddSymbol(doc, CAT_AMPLIFIER, b, "rechts");

    ASSERT_EQ(PrintAll(CViewPrinter::Diagram), 2);
    ASSERT_EQ(paper.pages.size(), 2u);
    const std::vector<QRectF> onFirst = SymbolsOn(1, a);
    const std::vector<QRectF> onSecond = SymbolsOn(2, b);
    ASSERT_EQ(onFirst.size(), 1u);
    ASSERT_EQ(onSecond.size(), 1u);
    EXPECT_TRUE(SymbolsOn(2, a).empty());
    EXPECT_TRUE(SymbolsOn(1, b).empty());
    const QRectF printable(left, top, printableW, kA4Landscape.height() - top - kDpiY * 220 / 254);
    EXPECT_TRUE(printable.contains(onFirst[0])) << onFirst[0].x() << "," << onFirst[0].y();
    EXPECT_TRUE(printable.contains(onSecond[0])) << onSecond[0].x() << "," << onSecond[0].y();
    // Laid side by side, the two pages keep the symbols' distances.
    const double sx = double(kDpiX) / view->logicalDpiX() * view->GetZoom() / 4.0;
    const double sy = double(kDpiY) / view->logicalDpiY() * view->GetZoom() / 4.0;
    EXPECT_NEAR(onSecond[0].left() + printableW - onFirst[0].left(), (b.left - a.left) * sx, 3);
    EXPECT_NEAR(onSecond[0].top() - onFirst[0].top(), (b.top - a.top) * sy, 3);

    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const auto footer = paper.pages[page - 1].Find(CViewPrinter::PageText(page, 2));
        ASSERT_EQ(footer.size(), 1u);
        EXPECT_GT(footer[0].baseline.y(), kA4Landscape.height() - MmY(22));
        EXPECT_LT(footer[0].baseline.y(), kA4Landscape.height());
    }
}

// The week programme in the parameter list: a line per weekday under the
// column titles, each day's programme beside it in its own column.
TEST_F(PrintedPages, TheWeekProgrammePrintsEachWeekdayOnItsOwnLineWithItsDayProgramme)
{
    ASSERT_NE(MakeWeek(), nullptr);

    const int pages = PrintAll(CViewPrinter::ParameterList);
    ASSERT_EQ(paper.pages.size(), size_t(pages));
    // A day programme takes a line per entry in use: the list is one page.
    EXPECT_EQ(pages, 1);
    const auto withWeek = std::find_if(paper.pages.begin(), paper.pages.end(), [](const PrintCapture::Page& p) {
        return !p.Find(QStringLiteral("Wochentag")).empty();
    });
    ASSERT_NE(withWeek, paper.pages.end());
    const PrintCapture::Page& page = *withWeek;
    auto one = [&](const QString& text) {
        const auto found = page.Find(text);
        QStringList all;
        for (const PrintCapture::Text& t : page.texts)
            all << t.text;
        EXPECT_EQ(found.size(), 1u) << text.toStdString() << " among " << all.join(QLatin1Char('|')).toStdString();
        return found.empty() ? PrintCapture::Text{} : found.front();
    };
    const PrintCapture::Text titleDay = one(QStringLiteral("Wochentag"));
    const PrintCapture::Text titleProgramme = one(QStringLiteral("Tagesprogramm"));
    EXPECT_NEAR(titleDay.baseline.y(), titleProgramme.baseline.y(), 0.5);
    EXPECT_NEAR(titleProgramme.baseline.x() - titleDay.baseline.x(), MmX(38), 2);

    const char* days[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    std::vector<double> lines{titleDay.baseline.y()};
    std::vector<PrintCapture::Text> programmes;
    for (const PrintCapture::Text& t : page.texts)
        if (t.text == QStringLiteral("Werktag") || t.text == QStringLiteral("Ruhetag"))
            if (std::abs(t.baseline.x() - titleProgramme.baseline.x()) < 2)
                programmes.push_back(t);
    for (int d = 0; d < 7; ++d) {
        SCOPED_TRACE(days[d]);
        const PrintCapture::Text day = one(QString::fromUtf8(days[d]));
        EXPECT_NEAR(day.baseline.x(), titleDay.baseline.x(), 2);
        lines.push_back(day.baseline.y());
        // Its day programme (none on Saturday) stands on the same line.
        const auto beside = std::find_if(programmes.begin(), programmes.end(), [&](const PrintCapture::Text& t) {
            return std::abs(t.baseline.y() - day.baseline.y()) < 0.5;
        });
        if (d == 5) {
            EXPECT_EQ(beside, programmes.end());
        } else {
            ASSERT_NE(beside, programmes.end());
            EXPECT_EQ(beside->text, d == 6 ? QStringLiteral("Ruhetag") : QStringLiteral("Werktag"));
        }
    }
    EXPECT_EQ(programmes.size(), 6u);
    // The lines run down one text line apart.
    const double step = lines[1] - lines[0];
    EXPECT_GT(step, MmY(3));
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_NEAR(lines[i] - lines[i - 1], step, 1) << i;

    // The first page for the eye, at 100 dots per inch.
    QImage image(297 * 1000 / 254, 210 * 1000 / 254, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        CViewPrinter shot(view.get(), CViewPrinter::ParameterList);
        shot.Begin(p, image.width(), image.height(), image.logicalDpiX(), image.logicalDpiY());
        shot.PrintPage(p, 1);
        shot.End();
    }
    EXPECT_TRUE(image.save(QStringLiteral("print-parameter-list-1.png")));
}

// Wherever the page ends, the week programme breaks between two weekdays:
// on sheets of every height from 60 to 200 mm each weekday stands whole on
// one page, and on some of them the week runs on over a page. No block's
// title is left at a page's foot with only its column titles.
TEST_F(PrintedPages, TheWeekProgrammeBreaksBetweenItsWeekdaysWhereverThePageEnds)
{
    ASSERT_NE(MakeWeek(), nullptr);
    // A sequence after the week: its fifth line stays empty.
    auto* sequence = new CMacro;
    ASSERT_TRUE(sequence->Create(macrotype::Sequence, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO,
                                 0, 1, &doc));
    doc.AddObject(sequence, CAT_MACRO);
    const char* days[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    int runsOn = 0;
    for (int heightMm = 60; heightMm <= 200; ++heightMm) {
        SCOPED_TRACE(heightMm);
        PrintCapture sheet(SheetOf(210, heightMm, 300), 300, 300);
        PrintAll(CViewPrinter::ParameterList, &sheet);
        const auto [cut, which] = CutTexts(sheet);
        EXPECT_EQ(cut, 0) << which.toStdString();
        // A block's title stands with a line of its table under it wherever
        // a fresh page has room for both (below 64 mm it has not).
        const auto [alone, titles] = TitlesWithoutALineUnderThem(sheet, QStringLiteral("Wochenprogramm"));
        EXPECT_TRUE(alone == 0 || heightMm < 64) << titles.toStdString();
        std::set<int> weekPages;
        for (const char* day : days) {
            const std::vector<int> on = PagesOf(sheet, QString::fromUtf8(day));
            ASSERT_EQ(on.size(), 1u) << day;
            weekPages.insert(on[0]);
        }
        runsOn += weekPages.size() > 1;
        // No sheet carries only a frame's foot: each has a line of a block.
        for (const PrintCapture::Page& page : sheet.pages)
            EXPECT_TRUE(std::any_of(page.texts.begin(), page.texts.end(), [&](const PrintCapture::Text& t) {
                return t.Whole() && !t.text.isEmpty() && t.box.bottom() < (heightMm - 22) * 300 / 25.4;
            })) << "page " << (&page - sheet.pages.data()) + 1;
    }
    EXPECT_GT(runsOn, 0);
}

// A day programme prints every entry the device uses, each whole on a line of
// its own: all 100 on the upgraded device, the first 40 on the standard one.
TEST_F(PrintedPages, ADayProgrammePrintsEveryEntryTheDeviceUses)
{
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocScope active(&doc);
    auto* dp = new CDayprog;
    ASSERT_EQ(1, dp->Create(CDayprog::kKindId, "Jeder Tag", 7, CAT_CALENDAR, &doc));
    doc.AddObject(dp, CAT_CALENDAR);
    QStringList times;
    doc.m_data.deviceVariant = 1;
    for (int i = 0; i < CDayprog::kEntries; ++i) {
        const int s = i * 863;
        dp->m_entries[i] = caltime::OnEntryDay(s / 3600, s / 60 % 60, s % 60);
        times << QString::fromStdString(dp->GetEntryText(CDayprog::Code(i, CDayprog::EntryTime)));
    }
    ASSERT_FALSE(times.contains(QString()));

    for (const auto& [variant, printed] : {std::pair{1, 100}, std::pair{0, 40}}) {
        SCOPED_TRACE(variant);
        doc.m_data.deviceVariant = variant;
        PrintCapture sheet(kA4Landscape, kDpiX, kDpiY);
        PrintAll(CViewPrinter::ParameterList, &sheet);
        EXPECT_EQ(CutTexts(sheet).first, 0);
        for (int i = 0; i < CDayprog::kEntries; ++i)
            EXPECT_EQ(PagesOf(sheet, times[i]).size(), i < printed ? 1u : 0u) << "entry " << i + 1;
    }
}

// The device list names each input card by its module alone, in German and in
// English: the words of the card menu's prompt around it are left out. The
// slots' names print whole before the ID column.
TEST_F(PrintedPages, TheDeviceListNamesEachInputCardByItsModuleInEitherLanguage)
{
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocScope active(&doc);
    DeviceList cardSlots;
    doc.GetIDManager().GetBaseDeviceList(cardSlots, OT_AUDIO_INPUT_SLOT);
    ASSERT_FALSE(cardSlots.empty());
    auto* slot = dynamic_cast<CAudioInputSlot*>(cardSlots.front());
    ASSERT_NE(slot, nullptr);
    const std::tuple<uint32_t, const char*, const char*> cards[] = {
        {inputcard::Console2, "2-Kanal Sprechstellen-Modul", "2-channel console module"},
        {inputcard::MicLine2, "2-Kanal MIC / LINE -Modul", "2-channel MIC / LINE module"},
        {inputcard::Aux2, "2-Kanal AUX -Modul", "2-channel AUX module"},
        {inputcard::AuxMicLine, "1-Kanal MIC /LINE und  1 Kanal AUX", "1-channel MIC /LINE and  1-channel AUX"},
        {inputcard::ConsoleMicLine, "1-Kanal MIC /LINE und  1-Kanal Sprechstellen-Modul",
         "1-channel MIC /LINE and  1-channel console module"},
    };
    for (const auto& [card, german, english] : cards) {
        SCOPED_TRACE(card);
        slot->SetCardType(card);
        PrintCapture sheet(kA4Landscape, kDpiX, kDpiY);
        PrintAll(CViewPrinter::DeviceList, &sheet);
        EXPECT_EQ(PagesOf(sheet, QString::fromUtf8(german)).size(), 1u);
        EnglishTexts inEnglish;
        ASSERT_TRUE(inEnglish.IsLoaded());
        PrintCapture englishSheet(kA4Landscape, kDpiX, kDpiY);
        PrintAll(CViewPrinter::DeviceList, &englishSheet);
        EXPECT_EQ(PagesOf(englishSheet, QString::fromUtf8(english)).size(), 1u);
    }
    for (const bool english : {false, true}) {
        const auto inEnglish = english ? std::make_unique<EnglishTexts>() : nullptr;
        PrintCapture paper(SheetOf(297, 210, 600), 600, 600);
        PrintAll(CViewPrinter::DeviceList, &paper);
        const auto name = paper.pages[0].Find(QStringLiteral("8 I/O Kontrollmodul"));
        const auto id = paper.pages[0].Find(QStringLiteral("ID"));
        ASSERT_EQ(name.size(), 1u) << english;
        ASSERT_FALSE(id.empty());
        EXPECT_LT(name[0].box.right(), id[0].baseline.x()) << english;
    }
}

// The largest project's parameter and device lists on landscape and portrait
// sheets: every block that runs on over a page (a day programme with all its
// entries in use among them) breaks between its lines, so no text line is
// cut by a page's edge, and every block's frame ends under its last line (the
// sequences take the lines they were given, none left empty at the end).
TEST_F(PrintedPages, NoTextLineOfTheLargestProjectIsCutByAPageEdge)
{
    largest::Build(doc);
    ActiveDocScope active(&doc);
    auto* dp = dynamic_cast<CDayprog*>(doc.GetIDManager().GetBaseDevice(1, OT_DAYPROG));
    ASSERT_NE(dp, nullptr);
    for (int i = 0; i < CDayprog::kEntries; ++i)
        dp->m_entries[i] = caltime::OnEntryDay(i / 5, i % 5 * 11, 0);

    const std::tuple<const char*, QSize, int, int> sheets[] = {{"A4 landscape", kA4Landscape, kDpiX, kDpiY},
                                                               {"A4 portrait", SheetOf(210, 297, 300), 300, 300},
                                                               {"A5 landscape", SheetOf(210, 148, 300), 300, 300}};
    for (const auto& [name, pixels, dpiX, dpiY] : sheets) {
        for (int mode : {int(CViewPrinter::ParameterList), int(CViewPrinter::DeviceList)}) {
            SCOPED_TRACE(std::string(name) + (mode == CViewPrinter::DeviceList ? ", device list" : ""));
            PrintCapture sheet(pixels, dpiX, dpiY);
            PrintAll(mode, &sheet);
            EXPECT_GT(sheet.pages.size(), 1u);
            const auto [cut, which] = CutTexts(sheet);
            EXPECT_EQ(cut, 0) << which.toStdString();
            const auto [far, where] = FramesEndingFarBelowTheirLines(sheet, dpiY, pixels.height() - dpiY * 22 / 25.4);
            EXPECT_EQ(far, 0) << where.toStdString();
            const auto [alone, titles] = TitlesWithoutALineUnderThem(
                sheet, mode == CViewPrinter::DeviceList ? QStringLiteral("KVT7000 Slots") : QStringLiteral("Wochenprogramm"));
            EXPECT_EQ(alone, 0) << titles.toStdString();
        }
    }
    // A column placed beyond the block's frame (the sixth cell of a macro's
    // first line: the virtual controllers' "Stellen", a sequence's second
    // condition) runs on into the room beside the block instead of vanishing.
    PrintCapture sheet(kA4Landscape, kDpiX, kDpiY);
    PrintAll(CViewPrinter::ParameterList, &sheet);
    EXPECT_EQ(PagesOf(sheet, QStringLiteral("Stellen")).size(), 1u);
}

namespace {
class PrintSetupProgram : public ShellProgramTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartProgram()); }

    // Clicks the tool bar button of `command`, as the user does.
    void ClickToolButton(int command)
    {
        frame->UpdateToolBars();
        for (QAction* a : frame->GetStandardBar()->actions())
            if (a->property("commandId").toInt() == command) {
                QWidget* button = frame->GetStandardBar()->widgetForAction(a);
                ASSERT_NE(button, nullptr);
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        FAIL() << "no tool bar button " << command;
    }
    static QPushButton* ButtonCalled(QWidget& dlg, const QString& text)
    {
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text().remove(QLatin1Char('&')) == text)
                return b;
        return nullptr;
    }
    // Picks the entry `index` of a combo box with the keyboard.
    static void KeyTo(QComboBox* box, int index)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }
};
}  // namespace

// "Drucker einrichten..." in the print-content dialog opens a set-up, not a
// print: its own title and no "Drucken" button. The printer (here the PDF
// printer) and the paper (A3) chosen there reach the preview that follows and
// every later print and preview.
TEST_F(PrintSetupProgram, ThePrinterAndPaperChosenInTheSetUpHoldForEveryPreviewAndPrint)
{
    const QString pdf = settings.Path() + QStringLiteral("/setup.pdf");
    enum Step { Content, Setup, Properties, SetupOk, ContentOk, Shown, Done };
    int step = Content;
    QString setupTitle;
    QStringList setupButtons;
    QPageSize::PageSizeId previewSize = QPageSize::Custom;
    QPageLayout::Orientation previewOrientation = QPageLayout::Portrait;
    QString previewPrinterFile;
    // Acts in whichever window is up, one step a look.
    auto act = [&](bool preview) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* content = qobject_cast<CPrintContentDlg*>(modal)) {
            if (step == Content) {
                step = Setup;
                QTest::mouseClick(content->m_btnPrinterSetup, Qt::LeftButton);
            } else if (step == ContentOk) {
                step = Shown;
                ButtonCalled(*content, QStringLiteral("OK"))->click();
            }
            return;
        }
        if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            if (step == Setup) {
                setupTitle = print->windowTitle();
                for (QPushButton* b : print->findChildren<QPushButton*>())
                    if (b->isVisible())
                        setupButtons << b->text().remove(QLatin1Char('&'));
                auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
                auto* file = print->findChild<QLineEdit*>(QStringLiteral("filename"));
                auto* properties = print->findChild<QPushButton*>(QStringLiteral("properties"));
                if (!printers || !file || !properties) {
                    step = Done;
                    print->reject();
                    return;
                }
                KeyTo(printers, printers->count() - 1);  // the PDF printer comes last
                file->setFocus();
                file->selectAll();
                for (const QChar c : pdf)
                    QTest::keyClick(file, c.toLatin1(), c == u'/' || c == u':' ? Qt::ShiftModifier : Qt::NoModifier);
                // The file name's completion list, if it came up, goes with Escape.
                if (file->completer() && file->completer()->popup()->isVisible())
                    QTest::keyClick(file->completer()->popup(), Qt::Key_Escape);
                step = Properties;
                // The properties open modally: clicked from a timer of its own,
                // so that this one keeps looking meanwhile.
                QTimer::singleShot(0, properties, [properties] { QTest::mouseClick(properties, Qt::LeftButton); });
            } else if (step == SetupOk) {
                step = ContentOk;
                auto* buttons = print->findChild<QDialogButtonBox*>();
                QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            } else if (step == Shown && !preview) {
                step = Done;
                previewSize = print->printer()->pageLayout().pageSize().id();
                previewOrientation = print->printer()->pageLayout().orientation();
                previewPrinterFile = print->printer()->outputFileName();
                print->reject();
            }
            return;
        }
        if (auto* shown = qobject_cast<QPrintPreviewDialog*>(modal)) {
            if (step == Shown) {
                step = Done;
                previewSize = shown->printer()->pageLayout().pageSize().id();
                previewOrientation = shown->printer()->pageLayout().orientation();
                previewPrinterFile = shown->printer()->outputFileName();
                shown->reject();
            }
            return;
        }
        if (step == Properties) {  // the printer's properties: paper and orientation
            auto* paper = modal->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            const int a3 = paper ? paper->findText(QStringLiteral("A3"), Qt::MatchStartsWith) : -1;
            if (a3 < 0 || !buttons) {
                step = Done;
                qobject_cast<QDialog*>(modal)->reject();
                return;
            }
            KeyTo(paper, a3);
            step = SetupOk;
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }
    };

    QTimer look;
    bool preview = true;
    QObject::connect(&look, &QTimer::timeout, [&] { act(preview); });
    look.start(20);
    ClickToolButton(ids::FilePrintPreview);
    EXPECT_EQ(step, Done);
    EXPECT_EQ(setupTitle, QStringLiteral("Druckeinrichtung"));
    EXPECT_FALSE(setupButtons.contains(QStringLiteral("Drucken"))) << setupButtons.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(previewSize, QPageSize::A3);
    EXPECT_EQ(previewOrientation, QPageLayout::Landscape);
    EXPECT_EQ(previewPrinterFile, pdf);

    // The next preview and the next print keep the choice.
    for (bool again : {true, false}) {
        SCOPED_TRACE(again ? "preview" : "print");
        preview = again;
        step = ContentOk;
        previewSize = QPageSize::Custom;
        ClickToolButton(again ? ids::FilePrintPreview : ids::FilePrint);
        EXPECT_EQ(step, Done);
        EXPECT_EQ(previewSize, QPageSize::A3);
        EXPECT_EQ(previewOrientation, QPageLayout::Landscape);
        EXPECT_EQ(previewPrinterFile, pdf);
    }
    look.stop();
}
