// Start-up of the application: language choice, English resources, start
// modes, recent files, and the main window as the user first sees it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <map>

#include "ShellProgramTest.h"
#include "platform/StringTable.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CZoomToolBar.h"
#include "shell/CQuillomerApp.h"
#include "shell/ShellIds.h"

namespace {
const char kMissingAtStart[] =
    "QUILLOMER needs the following DLL to run in 'English' on your system: 'QLRESENU.DLL'.\r\n"
    "This DLL should be present in the directory where QUILLOMER.EXE has been installed.\r\n\n"
    "Nevertheless you may want start QUILLOMER in 'german'-look !";

void SetProfile(const QString& key, const QVariant& value) { QSettings().setValue(key, value); }

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

using ShellScreen = ShellProgramTest;
}  // namespace

TEST(ShellLanguage, OnlyTheExactWordGermanSelectsGerman)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(CQuillomerApp::LanguageFromProfile("German", english), CQuillomerApp::LangGerman);
    EXPECT_EQ(CQuillomerApp::LanguageFromProfile("german", german), CQuillomerApp::LangEnglish);
    EXPECT_EQ(CQuillomerApp::LanguageFromProfile("GERMAN", german), CQuillomerApp::LangEnglish);
    EXPECT_EQ(CQuillomerApp::LanguageFromProfile("English", german), CQuillomerApp::LangEnglish);
    EXPECT_EQ(CQuillomerApp::LanguageFromProfile("Deutsch", german), CQuillomerApp::LangEnglish);
    // Nothing stored: the user's locale decides.
    EXPECT_TRUE(CQuillomerApp::IsGerman(CQuillomerApp::LanguageFromProfile("", german)));
    EXPECT_TRUE(CQuillomerApp::IsEnglish(CQuillomerApp::LanguageFromProfile("", english)));
    EXPECT_FALSE(CQuillomerApp::IsGerman(CQuillomerApp::LanguageFromProfile("", QLocale(QLocale::French))));
}

TEST(ShellLanguage, GermanLocaleWithoutStoredLanguageLoadsNothing)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetUserLocale(QLocale(QLocale::German, QLocale::Germany));
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.SelectLanguage());
    EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangGerman);
    EXPECT_FALSE(app.IsEnglishResources());
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ShellLanguage, EnglishLocaleLoadsTheEnglishResources)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetUserLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(QFile::exists(QDir(BinaryDir()).filePath("QLRESENU.qm"))) << BinaryDir().toStdString();
    ASSERT_TRUE(app.SelectLanguage());
    EXPECT_TRUE(app.IsEnglishResources());
    // Interface texts and string-table texts both come from the English file.
    EXPECT_EQ(QCoreApplication::translate("CMainFrame", "Bereit"), QString("Ready"));
    EXPECT_EQ(LoadStringId(34336), "Please enter a correct date !");
    app.FreeEnglishResources();
    EXPECT_EQ(LoadStringId(34336), "Bitte geben Sie ein korrektes Datum ein !");
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ShellLanguage, MissingEnglishFileAtStartAsksAndYesContinuesInGerman)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "English");
    QTemporaryDir empty;
    MessageRecorder messages;
    messages.Answer(mb::IdYes);
    CQuillomerApp app;
    app.SetResourceDirs({empty.path()});
    ASSERT_TRUE(app.SelectLanguage());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, kMissingAtStart);
    EXPECT_EQ(messages.messages[0].second, uint32_t(mb::YesNo | mb::IconInformation));
    EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangGerman);
    EXPECT_FALSE(app.IsEnglishResources());
}

TEST(ShellLanguage, MissingEnglishFileAtStartAndNoEndsTheProgram)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "something");
    QTemporaryDir empty;
    MessageRecorder messages;
    messages.Answer(mb::IdNo);
    messages.Answer(mb::IdNo);
    CQuillomerApp app;
    app.SetResourceDirs({empty.path()});
    EXPECT_FALSE(app.SelectLanguage());
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_EQ(app.GetMainFrame(), nullptr);
}

TEST(ShellLanguage, SwitchToEnglishWithoutTheFileChangesNothing)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "German");
    QTemporaryDir empty;
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetResourceDirs({empty.path()});
    ASSERT_TRUE(app.SelectLanguage());
    app.OnLanguageEnglish();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "QUILLOMER benötigt für diese Funktion die Datei: 'QLRESENU.DLL'.\r\n");
    EXPECT_EQ(messages.messages[0].second, uint32_t(mb::IconStop));
    EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangGerman);
    EXPECT_EQ(QSettings().value("Settings/Language").toString(), QString("German"));
}

// A machine started with a C or POSIX locale and nothing stored runs in
// English, and the menu says so with its check mark.
TEST(ShellLanguage, PosixLocaleRunsEnglishWithEnglishChecked)
{
    EXPECT_TRUE(CQuillomerApp::IsEnglish(CQuillomerApp::LanguageFromProfile("", QLocale::c())));
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetUserLocale(QLocale::c());
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.IsEnglishResources());
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    QAction* english = frame->FindMenuAction(ids::LanguageEnglishChecked);
    QAction* german = frame->FindMenuAction(ids::LanguageToGerman);
    ASSERT_NE(english, nullptr);
    ASSERT_NE(german, nullptr);
    frame->UpdateMenu(qobject_cast<QMenu*>(english->parent()));
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(german->isChecked());
    EXPECT_TRUE(messages.messages.empty());
}

// The program writes dates in its own language whatever the system's locale
// says (a C locale, another language), in the user's country form where that
// speaks the program's language: the new project's date, as its data dialog
// shows it at start.
TEST(ShellLanguage, DatesAreWrittenInTheProgramsLanguage)
{
    struct Row {
        const char* language;
        QLocale user;
        QLocale written;
    };
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const Row rows[] = {
        {"German", QLocale::c(), german}, {"German", us, german},   {"German", german, german},
        {"English", QLocale::c(), us},    {"English", german, us},  {"English", british, british},
    };
    const QLocale before;
    const QDate today = QDate::currentDate();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.language << " on " << row.user.name().toStdString());
        QLocale::setDefault(row.user);  // the system's locale
        {
            SettingsSandbox settings;
            MessageRecorder messages;
            QString shown;
            DialogWatch watch{{"CProjectDataDlg"}};
            watch.look = [&shown](QDialog& dlg) {
                if (auto* date = dlg.findChild<QLineEdit*>(QStringLiteral("1217")))
                    shown = date->text();
            };
            SetProfile("Settings/Language", row.language);
            SetProfile("Configuration/ShellCommand", 1);
            CQuillomerApp app;
            app.SetUserLocale(row.user);
            app.SetResourceDirs({BinaryDir()});
            ASSERT_TRUE(app.InitInstance({}));
            QApplication::processEvents();
            ASSERT_EQ(watch.classes, QStringList{"CProjectDataDlg"});
            EXPECT_EQ(shown.toStdString(), row.written.toString(today, QLocale::ShortFormat).toStdString());
        }
        EXPECT_EQ(QLocale().name(), row.user.name()) << "the program leaves the locale as it found it";
    }
    QLocale::setDefault(before);
}

// The main window covers the screen's free area also where nothing
// maximises it (or once the user restores it), and the zoom box stands
// beside the tool bar, not behind its overflow button.
TEST(ShellStart, TheMainWindowCoversTheScreenAndShowsTheZoomBox)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "German");
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    frame->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(frame->screen()->availableGeometry().size(), frame->size());
    ASSERT_NE(frame->GetZoomBar(), nullptr);
    ASSERT_NE(frame->GetZoomBar()->GetCombo(), nullptr);
    EXPECT_TRUE(frame->GetZoomBar()->GetCombo()->isVisible());
}

TEST(ShellLanguage, SwitchingRebuildsMenusAndStoresTheChoice)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "German");
    MessageRecorder messages;
    CQuillomerApp app;
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);

    // German menus: "Deutsch" checked without action, "Englisch" switches.
    QAction* deutsch = frame->FindMenuAction(ids::LanguageGerman);
    ASSERT_NE(deutsch, nullptr);
    for (QMenu* m : frame->CurrentMenus())
        frame->UpdateMenu(m);
    frame->UpdateMenu(qobject_cast<QMenu*>(deutsch->parent()));
    EXPECT_EQ(deutsch->text(), QString("&Deutsch"));
    EXPECT_TRUE(deutsch->isChecked());
    EXPECT_TRUE(deutsch->isEnabled());
    deutsch->trigger();
    EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangGerman);
    EXPECT_TRUE(messages.messages.empty());

    frame->FindMenuAction(ids::LanguageEnglish)->trigger();
    EXPECT_TRUE(app.IsEnglishResources());
    EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangEnglish);
    EXPECT_EQ(QSettings().value("Settings/Language").toString(), QString("English"));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, LoadGermanString(34337));
    EXPECT_EQ(frame->GetStatusText(), QString("Ready"));
    QAction* german = frame->FindMenuAction(ids::LanguageToGerman);
    QAction* english = frame->FindMenuAction(ids::LanguageEnglishChecked);
    ASSERT_NE(german, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(german->text(), QString("&German"));
    frame->UpdateMenu(qobject_cast<QMenu*>(english->parent()));
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(german->isChecked());

    german->trigger();
    EXPECT_FALSE(app.IsEnglishResources());
    EXPECT_EQ(QSettings().value("Settings/Language").toString(), QString("German"));
    EXPECT_NE(frame->FindMenuAction(ids::LanguageGerman), nullptr);
    EXPECT_EQ(frame->GetStatusText(), QString("Bereit"));
}

// A settings file the program cannot take as settings is told at start, in
// the language the user's locale chooses: one that may not be read (modes
// 0200 and 000, refused to the administrator too), links that lead round in
// a circle, a damaged file. The damaged file is kept aside under a name that
// says so when the user then chooses the other language in the menu, and a
// new file holds the choice, unasked; a damaged file reached through a link
// is kept aside where it lies, the link staying. (What the refused files do
// with a setting: ShellFileWriters.)
TEST(ShellStart, ASettingsFileThatCannotBeReadIsToldAtStart)
{
    enum Kind { Damaged, DamagedLinked, WriteOnly, NoPermission, LinkLoop };
    const struct {
        Kind kind;
        const char* told[2];  // at start, after the file's name
    } rows[] = {
        {Damaged, {"' ist beschädigt und kann nicht als Einstellungen gelesen werden.\n",
                   "' is damaged and cannot be read as settings.\n"}},
        {DamagedLinked, {"' ist beschädigt und kann nicht als Einstellungen gelesen werden.\n",
                         "' is damaged and cannot be read as settings.\n"}},
        {WriteOnly, {"' kann nicht gelesen werden !\n( Keine Berechtigung zum Lesen. )",
                     "' cannot be read !\n( No permission to read. )"}},
        {NoPermission, {"' kann nicht gelesen werden !\n( Keine Berechtigung zum Lesen. )",
                        "' cannot be read !\n( No permission to read. )"}},
        {LinkLoop, {"' kann nicht gelesen werden !\n( Die symbolischen", "' cannot be read !\n( The symbolic"}},
    };
    for (const auto& row : rows) {
        for (const int english : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "kind " << row.kind << (english ? ", English" : ", German"));
            SettingsSandbox settings;
            const QString file = QSettings().fileName();
            const bool damaged = row.kind == Damaged || row.kind == DamagedLinked;
            // Where the damaged file lies: a shared folder the settings file links to.
            const QString real = row.kind == DamagedLinked ? QFileInfo(file).path() + "/Freigabe/QUILLOMER.conf" : file;
            const QByteArray bytes = damaged ? QByteArray("\x01\x02\xff\xfe garbage\n[Settings\n\x7f\n")
                                                         : QByteArray("[Settings]\nLanguage=") +
                                                               (english ? "English" : "German") + "\n";
            ASSERT_TRUE(QDir().mkpath(QFileInfo(real).path()));
            ASSERT_TRUE(row.kind != DamagedLinked || QFile::link(real, file));
            QFile f(real);
            ASSERT_TRUE(row.kind == LinkLoop ? QFile::link(file, file + ".Kreis") && QFile::link(file + ".Kreis", file)
                                             : f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            f.close();
            ASSERT_TRUE(row.kind != WriteOnly || f.setPermissions(QFile::WriteOwner));
            ASSERT_TRUE(row.kind != NoPermission || f.setPermissions({}));
            MessageRecorder messages;
            {
                CQuillomerApp app;
                app.SetUserLocale(english ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                          : QLocale(QLocale::German, QLocale::Germany));
                app.SetResourceDirs({BinaryDir()});
                ASSERT_TRUE(app.InitInstance({}));
                ASSERT_EQ(bool(english), app.IsEnglishResources());
                ASSERT_EQ(1u, messages.messages.size());
                const std::string named = damaged ? (english ? "settings file '" : "Einstellungsdatei '")
                                                              : (english ? "file '" : "Datei '");
                EXPECT_EQ(0u, messages.messages[0].first.find((english ? "The " : "Die ") + named + file.toStdString() +
                                                              row.told[english]))
                    << messages.messages[0].first;
                EXPECT_TRUE(!damaged ||
                            messages.messages[0].first.find("'" + real.toStdString() + ".damaged'") != std::string::npos);
                app.GetMainFrame()->FindMenuAction(english ? ids::LanguageToGerman : ids::LanguageEnglish)->trigger();
            }
            if (damaged) {
                EXPECT_EQ(2u, messages.messages.size()) << "the language's hint only";
                EXPECT_TRUE(row.kind != DamagedLinked || QFileInfo(file).symLinkTarget() == real) << "the link stays";
                QFile aside(real + ".damaged");
                ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
                EXPECT_EQ(bytes, aside.readAll());
                EXPECT_EQ(english ? "German" : "English", QSettings().value("Settings/Language").toString().toStdString());
            }
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
            if (row.kind == LinkLoop) {  // the sandbox's clearing writes no file in the links' place
                QFile::remove(file);
                QFile::remove(file + ".Kreis");
            }
        }
    }
}

TEST(ShellStart, ShellCommandDecidesOnlyWithoutAFileOnTheCommandLine)
{
    using S = CQuillomerApp::StartCommand;
    EXPECT_EQ(CQuillomerApp::DecideStart({}, 0, "/p/a.qlx").command, S::Nothing);
    EXPECT_EQ(CQuillomerApp::DecideStart({}, 1, "").command, S::NewDocument);
    auto recent = CQuillomerApp::DecideStart({}, 2, "/p/a.qlx");
    EXPECT_EQ(recent.command, S::OpenFile);
    EXPECT_EQ(recent.file, QString("/p/a.qlx"));
    EXPECT_EQ(CQuillomerApp::DecideStart({}, 2, "").command, S::Nothing);
    EXPECT_EQ(CQuillomerApp::DecideStart({}, 7, "/p/a.qlx").command, S::Nothing);
    for (int shell : {0, 1, 2}) {
        auto named = CQuillomerApp::DecideStart({"/q/b.qlx"}, shell, "/p/a.qlx");
        EXPECT_EQ(named.command, S::OpenFile);
        EXPECT_EQ(named.file, QString("/q/b.qlx"));
    }
}

TEST(ShellStart, RecentFileThatIsGoneLeavesTheProgramRunningWithoutDocument)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "German");
    SetProfile("Configuration/ShellCommand", 2);
    SetProfile("Recent File List/File1", QDir(settings.Path()).filePath("gone.qlx"));
    MessageRecorder messages;
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.GetDocTemplate()->GetDocuments().empty());
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
}

TEST(ShellStart, NewDocumentAndNamedFile)
{
    SettingsSandbox settings;
    SetProfile("Settings/Language", "German");
    SetProfile("Configuration/ShellCommand", 1);
    MessageRecorder messages;
    const QString path = QDir(settings.Path()).filePath("Anlage.qlx");
    {
        CQuillomerApp app;
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
        CQuillomerDoc* doc = app.GetDocTemplate()->GetDocuments().front();
        EXPECT_TRUE(app.GetMainFrame()->IsDocumentMenuShown());
        app.GetDocTemplate()->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return path; });
        ASSERT_TRUE(app.GetDocTemplate()->SaveDocument(doc, true));
        EXPECT_EQ(app.GetRecentFiles().value(0), path);
    }
    // A named file opens whatever ShellCommand says; it becomes the most recent file.
    SetProfile("Configuration/ShellCommand", 1);
    {
        CQuillomerApp app;
        ASSERT_TRUE(app.InitInstance({path}));
        const auto docs = app.GetDocTemplate()->GetDocuments();
        ASSERT_EQ(docs.size(), 1u);
        EXPECT_EQ(QString::fromStdString(docs.front()->GetPathName()), path);
    }
    SetProfile("Configuration/ShellCommand", 2);
    {
        CQuillomerApp app;
        ASSERT_TRUE(app.InitInstance({}));
        const auto docs = app.GetDocTemplate()->GetDocuments();
        ASSERT_EQ(docs.size(), 1u);
        EXPECT_EQ(QString::fromStdString(docs.front()->GetPathName()), path);
    }
}

TEST(ShellRecentFiles, FourMostRecentKeptAndStored)
{
    SettingsSandbox settings;
    CQuillomerApp app;
    for (const char* f : {"/a/1.qlx", "/a/2.qlx", "/a/3.qlx", "/a/4.qlx", "/a/5.qlx"})
        app.AddToRecentFileList(f);
    EXPECT_EQ(app.GetRecentFiles(), QStringList({"/a/5.qlx", "/a/4.qlx", "/a/3.qlx", "/a/2.qlx"}));
    app.AddToRecentFileList("/a/3.qlx");
    EXPECT_EQ(app.GetRecentFiles(), QStringList({"/a/3.qlx", "/a/5.qlx", "/a/4.qlx", "/a/2.qlx"}));
    QSettings s;
    EXPECT_EQ(s.value("Recent File List/File1").toString(), QString("/a/3.qlx"));
    EXPECT_EQ(s.value("Recent File List/File4").toString(), QString("/a/2.qlx"));
    CQuillomerApp again;
    again.LoadRecentFileList();
    EXPECT_EQ(again.GetRecentFiles(), app.GetRecentFiles());
}

// The main window as the user first sees it with a new project: menu bar,
// both tool bars, the status bar with its connection pane and one designer
// window that shows the default system. The picture is kept as
// main-window.png next to the test program for a look by eye.
TEST_F(ShellScreen, NewProjectShowsMenusBarsStatusAndTheDefaultSystem)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());

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
    EXPECT_TRUE(child->windowTitle().contains("Unbenannt")) << child->windowTitle().toStdString();

    // The default system is drawn: the view is not one plain colour.
    const QImage sheet = view->viewport()->grab().toImage();
    EXPECT_GT(DrawnPixels(sheet), 500);

    const QPixmap shot = frame->grab();
    EXPECT_TRUE(shot.save("main-window.png"));
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
}

TEST_F(ShellScreen, WithoutProjectTheClientShowsItsPicture)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram("German", 0));
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
