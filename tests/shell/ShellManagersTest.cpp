// Fonts, bitmaps and the zoom tool bar.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMdiArea>

#include "ShellTestSupport.h"
#include "shell/CBitmapManager.h"
#include "shell/CFontManager.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CDocTemplate.h"
#include "shell/CChildFrame.h"
#include "shell/CZoomToolBar.h"
#include "shell/ShellIds.h"

TEST(ShellFonts, WindowsFacesMapToInstalledFamilies)
{
    CFontManager fonts;
    auto first = [](const char* face) { return QFont::substitutes(face).value(0).toLower(); };
    EXPECT_EQ(first("Arial"), QString("liberation sans"));
    EXPECT_EQ(first("Times New Roman"), QString("liberation serif"));
    EXPECT_EQ(first("Courier New"), QString("liberation mono"));
    EXPECT_EQ(first("MS Sans Serif"), QString("dejavu sans"));
    // The substitutes end in families every Linux desktop has.
    EXPECT_TRUE(QFont::substitutes("Arial").contains("DejaVu Sans", Qt::CaseInsensitive));
}

TEST(ShellFonts, NegativeHeightIsTheCharacterHeightPositiveTheCell)
{
    const QFont character = CFontManager::MakeFont("Arial", -12, 400);
    EXPECT_EQ(character.pixelSize(), 12);
    const QFont cell = CFontManager::MakeFont("Arial", 16, 400);
    EXPECT_LT(cell.pixelSize(), 16);
    EXPECT_NEAR(QFontMetricsF(cell).height(), 16.0, 1.5);
    EXPECT_EQ(CFontManager::MakeFont("Times New Roman", 16, 700).weight(), QFont::Bold);

    CFontManager fonts;
    EXPECT_EQ(fonts.GetFont(CFontManager::MonitorText).family(), QString("Courier New"));
    EXPECT_EQ(fonts.GetFont(CFontManager::MonitorText).pixelSize(), 12);
    // The objects' four fonts: Arial -12, Arial 12, Arial 16, Times New Roman 16 bold.
    EXPECT_EQ(fonts.GetObjectFont(0).pixelSize(), 12);
    EXPECT_EQ(fonts.GetObjectFont(3).family(), QString("Times New Roman"));
    EXPECT_EQ(fonts.GetObjectFont(3).weight(), QFont::Bold);
}

TEST(ShellBitmaps, OnlyTheManagersIdsHaveBitmaps)
{
    CBitmapManager bitmaps;
    EXPECT_EQ(bitmaps.GetBitmap(143), nullptr);
    EXPECT_EQ(bitmaps.GetBitmap(0), nullptr);
    EXPECT_NE(bitmaps.GetBitmap(530), nullptr);
    EXPECT_NE(bitmaps.GetBitmap(213), nullptr);
    EXPECT_NE(bitmaps.GetBitmap(393), nullptr);
    int count = 0;
    for (int id = 0; id < 1000; ++id)
        count += bitmaps.GetBitmap(id) != nullptr;
    EXPECT_EQ(count, 48);
    // True-colour display: no palette.
    EXPECT_EQ(bitmaps.GetPalette(), nullptr);
    // The symbols' background colour became the window colour.
    const QImage img = bitmaps.GetBitmap(506)->toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QGuiApplication::palette().color(QPalette::Base));
}

TEST(ShellBitmaps, PaletteMergeAddsOnlyNewColours)
{
    CBitmapManager::SetPaletteDisplay(true);
    {
        CBitmapManager bitmaps;
        ASSERT_NE(bitmaps.GetPalette(), nullptr);
        QPixmap pm;
        const int first = bitmaps.LoadBitmap(203, pm, CBitmapManager::PaletteMerge, false);
        const int again = bitmaps.LoadBitmap(203, pm, CBitmapManager::PaletteMerge, false);
        EXPECT_EQ(first, again);
        EXPECT_EQ(bitmaps.AddColor(qRgb(1, 2, 3)), first + 1);
        EXPECT_THROW(bitmaps.LoadBitmap(143, pm, CBitmapManager::PaletteMerge, false), CArchiveException);
    }
    CBitmapManager::SetPaletteDisplay(false);
}

TEST(ShellZoomBar, FollowsTheActiveViewAndSetsItsZoom)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    QSettings().setValue("Settings/Language", "German");
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    CZoomToolBar* bar = frame->GetZoomBar();
    QComboBox* combo = bar->GetCombo();
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(0), QString("50%"));
    EXPECT_EQ(combo->itemText(4), QString("150%"));
    frame->UpdateToolBars();
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_EQ(combo->currentIndex(), -1);

    CQuillomerDoc* first = app.GetDocTemplate()->OpenDocumentFile(QString());
    ASSERT_NE(first, nullptr);
    frame->UpdateToolBars();
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_EQ(combo->currentText(), QString("100%"));

    // Choosing "150%" sets level 6; Zoom In is then disabled.
    combo->setCurrentIndex(4);
    emit combo->activated(4);
    CQuillomerView* view1 = app.GetDocTemplate()->GetView(first);
    EXPECT_EQ(view1->GetZoom(), 6);
    CCmdUI ui(ids::ZoomIn);
    ASSERT_TRUE(frame->RouteUpdate(ui));
    EXPECT_FALSE(ui.m_enabled);

    CQuillomerDoc* second = app.GetDocTemplate()->OpenDocumentFile(QString());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(combo->currentText(), QString("100%"));
    frame->GetMdiArea()->setActiveSubWindow(app.GetDocTemplate()->GetFrame(first));
    EXPECT_EQ(combo->currentText(), QString("150%"));

    bar->SetZoom(9);  // outside the table: left alone
    EXPECT_EQ(combo->currentText(), QString("150%"));
}

// "MS Sans Serif" is a bitmap face whose smallest size is 8 points: asked for
// less, it draws that size. The zoom box asks for an 8-pixel cell and must
// still read like the other texts of the window, not at half their size.
TEST(ShellFonts, MsSansSerifNeverDrawsBelowItsSmallestSize)
{
    EXPECT_NEAR(QFontMetricsF(CFontManager::MakeFont("MS Sans Serif", 8, 400)).height(), 13.0, 1.5);
    EXPECT_NEAR(QFontMetricsF(CFontManager::MakeFont("MS Sans Serif", -6, 400)).ascent(), 11.0, 2.0);
    // Larger sizes stay as asked; other faces draw small when asked.
    EXPECT_NEAR(QFontMetricsF(CFontManager::MakeFont("MS Sans Serif", 20, 400)).height(), 20.0, 1.5);
    EXPECT_LT(QFontMetricsF(CFontManager::MakeFont("Arial", 8, 400)).height(), 10.0);

    SettingsSandbox settings;
    MessageRecorder messages;
    QSettings().setValue("Settings/Language", "German");
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    QComboBox* combo = app.GetMainFrame()->GetZoomBar()->GetCombo();
    ASSERT_NE(combo, nullptr);
    const QFontMetrics box(combo->font());
    EXPECT_GE(box.height(), 12);
    // The widest entry still shows whole in the box.
    EXPECT_LT(box.horizontalAdvance(QStringLiteral("150%")), combo->width() / 2);
}
