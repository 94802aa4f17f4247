// A project connected to the device and saved under another name: the status
// bar's connection pane names the project by the name it now has.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>

#include "ShellTestSupport.h"
#include "comm/CommIds.h"
#include "comm/CommTestSupport.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/ShellIds.h"

using namespace commtest;
using serialtest::Pump;

namespace {
// The status bar's pane that tells which project is connected.
QString ConnectionPane(CMainFrame* frame)
{
    for (QLabel* pane : frame->statusBar()->findChildren<QLabel*>())
        if (pane->text().contains(QStringLiteral("QUILLOMER verbunden")))
            return pane->text();
    return {};
}
}  // namespace

TEST(ShellConnectedSaveAs, TheConnectionPaneNamesTheProjectByItsNewName)
{
    SettingsSandbox settings;
    Messages messages;
    DialogWatch dialogs;  // a new project asks for its project data: left as it is
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
    SetProfile(QStringLiteral("Configuration/StayOnline"), {});
    SetProfile(QStringLiteral("Settings/Language"), QStringLiteral("German"));
    SetProfile(QStringLiteral("Configuration/ShellCommand"), 0);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Halle.qlx"));

    CQuillomerApp app;
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    CDocTemplate* tpl = app.GetDocTemplate();
    tpl->SetSavePathChooser([&path](CQuillomerDoc*, const QString&) { return path; });
    CQuillomerDoc* doc = tpl->OpenDocumentFile(QString());
    ASSERT_NE(nullptr, doc);
    QApplication::processEvents();
    frame->FindMenuAction(ids::FileSave)->trigger();
    ASSERT_EQ("Halle", doc->GetProjectName());

    Simulator sim;
    sim.lineRate = false;
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    frame->FindMenuAction(commid::Connect)->trigger();
    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    ASSERT_NE(nullptr, link);
    ASSERT_TRUE(link->IsConnected());
    ASSERT_TRUE(sim.AwaitReceivedEnd("/COMM/ECHO ON\r\n"));
    EXPECT_EQ(QStringLiteral("Projekt 'Halle' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    path = dir.filePath(QStringLiteral("Foyer.qlx"));
    frame->FindMenuAction(ids::FileSaveAs)->trigger();
    ASSERT_EQ("Foyer", doc->GetProjectName());
    EXPECT_EQ(QStringLiteral("Projekt 'Foyer' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    // A plain save under the same name leaves it so.
    frame->FindMenuAction(ids::FileSave)->trigger();
    EXPECT_EQ(QStringLiteral("Projekt 'Foyer' mit QUILLOMER verbunden !"), ConnectionPane(frame));

    frame->OnCmdMsg(commid::Disconnect);
    Pump(100);
    tpl->CloseAllDocuments();
    serialtest::SetDevicePath(kPort, {});
}
