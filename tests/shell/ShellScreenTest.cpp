// The main window as the user first sees it with a new project: menu bar,
// both tool bars, the status bar with its connection pane and one designer
// window that shows the default system. The picture is kept as
// main-window.png next to the test program for a look by eye.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

#include "ShellTestSupport.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CZoomToolBar.h"
#include "shell/ShellIds.h"

#include <map>

namespace {
// Pixels of the image that differ from its most common colour.
int DrawnPixels(const QImage& image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    int most = 0;
    for (int n : counts)
        most = std::max(most, n);
    return image.width() * image.height() - most;
}
}  // namespace

TEST(ShellScreen, NewProjectShowsMenusBarsStatusAndTheDefaultSystem)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch projectData{{"CProjectDataDlg"}};
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 1);
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    frame->showNormal();
    frame->resize(1280, 900);
    QApplication::processEvents();

    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Kommunikation", "&Einstellungen",
                                   "&Fenster", "&?"}));
    EXPECT_TRUE(frame->GetStandardBar()->isVisible());
    EXPECT_TRUE(frame->GetZoomBar()->isVisible());
    EXPECT_TRUE(frame->statusBar()->isVisible());

    ASSERT_EQ(frame->GetMdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* child = frame->GetMdiArea()->subWindowList().front();
    EXPECT_TRUE(child->isVisible());
    // The designer window is large enough to work in.
    EXPECT_GE(child->width(), 400);
    EXPECT_GE(child->height(), 300);
    CQuillomerView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(child->windowTitle().contains("Unbenannt")) << child->windowTitle().toStdString();

    // The default system is drawn: the view is not one plain colour.
    const QImage sheet = view->viewport()->grab().toImage();
    EXPECT_GT(DrawnPixels(sheet), 500);

    const QPixmap shot = frame->grab();
    EXPECT_TRUE(shot.save("main-window.png"));
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
}

TEST(ShellScreen, WithoutProjectTheClientShowsItsPicture)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch projectData{{"CProjectDataDlg"}};
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 0);
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    frame->showNormal();
    frame->resize(1024, 768);
    QApplication::processEvents();

    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&Datei", "&Ansicht", "&?"}));
    EXPECT_TRUE(frame->GetMdiArea()->subWindowList().isEmpty());
    // Buttons that need a document are disabled without one.
    frame->UpdateToolBars();
    std::map<int, bool> enabled;
    for (QAction* a : frame->GetStandardBar()->actions())
        if (a->property("commandId").isValid())
            enabled[a->property("commandId").toInt()] = a->isEnabled();
    EXPECT_TRUE(enabled.at(ids::FileNew));
    EXPECT_TRUE(enabled.at(ids::FileOpen));
    EXPECT_TRUE(enabled.at(ids::AppAbout));
    for (int id : {int(ids::FileSave), int(ids::FilePrint), int(ids::FilePrintPreview), int(ids::Connect),
                   int(ids::Disconnect), int(ids::LoadFirmware)})
        EXPECT_FALSE(enabled.at(id)) << id;
    // Tiled background with the centred picture: far from one plain colour.
    const QImage client = frame->GetMdiArea()->viewport()->grab().toImage();
    EXPECT_GT(DrawnPixels(client), client.width() * client.height() / 100);
    EXPECT_TRUE(frame->grab().save("main-window-empty.png"));
}
