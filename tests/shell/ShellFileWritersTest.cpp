// Every file the program writes, met by a folder that is not there, a folder
// in the file's place, a full disk (the program's writes given a few bytes
// of room) and a read-only file, in either language: the user is told which
// file and why, and the last good file stays as it was, byte for byte. A
// file that is a symbolic link to a file in another folder is written there
// and stays a link, the file keeping its owner where the system allows; links
// that lead round in a circle are refused and stay links. Files that grow line by line
// keep whole lines only; the event entries the device has handed out wait for
// their file and reach it whole once it has room again. A name typed without
// its extension over a file that exists is asked about as the name written
// ("Nein" writes nothing); a file that exists but cannot be read is told and
// never written over; a damaged settings file is kept aside and replaced.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "ShellProgramTest.h"
#include "comm/CommIds.h"
#include "comm/CommTestSupport.h"
#include "comm/windows/CParamSelectDlg.h"
#include "comm/windows/CTextFileDlg.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "paging/windows/CZoneListView.h"
#include "platform/FileWriter.h"
#include "platform/serial/CMSComm.h"
#include "service/windows/CEventLogFrm.h"
#include "service/windows/CEventLogView.h"
#include "service/windows/CZonetestFrm.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CPrintContentDlg.h"
#include "shell/CQuillomerApp.h"
#include "shell/ShellIds.h"
#include "support/EnglishTexts.h"
#include "support/qt/TypeAsKeyboard.h"
#include "ui/CObjectDlg.h"

using namespace commtest;
using serialtest::PumpUntil;

namespace {

// Linked is no failure: the write goes through the link. LinkLoop: the file
// is a link to a link that leads back to it. TypedWithoutExtension: the file
// exists, and its name is typed into the file dialog without its extension.
// WriteOnly and Unreadable: the file may not be read (modes 0200 and 000),
// by the administrator neither. Damaged: the file holds no settings.
// FolderWhileOpen: a file the program holds open is moved aside and a folder
// put in its place.
enum Failure {
    NoFolder, FolderInItsPlace, DiskFull, ReadOnly, Linked, LinkLoop, TypedWithoutExtension, WriteOnly, Unreadable,
    Damaged, FolderWhileOpen
};
constexpr int kAll =
    1 << NoFolder | 1 << FolderInItsPlace | 1 << DiskFull | 1 << ReadOnly | 1 << Linked | 1 << LinkLoop;
constexpr int64_t kRoom = 4;  // what the full disk still takes
const std::string kGood = "gut\r\n";
const char* const kEntries[] = {"01.12.26 10:00:00 KVT 1 RESET", "01.12.26 10:00:01 KVT 1 START"};

// Runs `act` and answers each modal window it opens once, as the user
// would, from a timer of its own, so that the windows an answer opens are
// answered too: OK to the transfer groups and the print content, Yes to a
// question, `file` typed into a file or print dialog.
// With `questions`, a question is recorded and answered No instead, and a
// file dialog it came from is then left with Escape.
void AnswerModals(const std::function<void()>& act, const QString& file = {}, std::vector<QString>* questions = nullptr)
{
    auto type = [&](QLineEdit* edit) {
        edit->setFocus();
        edit->selectAll();
        TypeAsKeyboard(edit, file);
        QApplication::processEvents();
        if (edit->completer() && edit->completer()->popup()->isVisible())
            QTest::keyClick(edit->completer()->popup(), Qt::Key_Escape);
    };
    auto ok = [](QWidget* w) {
        QTest::mouseClick(w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    };
    auto answer = [&](QWidget* modal) {
        if (qobject_cast<CParamSelectDlg*>(modal)) {
            ok(modal);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && questions) {
            questions->push_back(box->text());
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        } else if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
            printers->setFocus();
            QTest::keyClick(printers, Qt::Key_End);  // the PDF printer comes last
            type(print->findChild<QLineEdit*>(QStringLiteral("filename")));
            ok(print);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            type(name);
            // Enter; and where the dialog takes a missing folder for one to open, "Speichern".
            QTest::keyClick(name, Qt::Key_Return);
            if (questions) {
                if (files->isVisible())
                    QTest::keyClick(files, Qt::Key_Escape);
                return;
            }
            for (QPushButton* b : files->findChildren<QPushButton*>())
                if (files->isVisible() && b->isDefault())
                    QTest::mouseClick(b, Qt::LeftButton);
        } else {
            for (QPushButton* b : modal->findChildren<QPushButton*>())  // the print content
                if (b->text() == QStringLiteral("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
            EXPECT_TRUE(qobject_cast<CPrintContentDlg*>(modal)) << modal->metaObject()->className();
        }
    };
    std::vector<QPointer<QWidget>> answered;
    auto running = std::make_shared<bool>(true);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && std::find(answered.begin(), answered.end(), modal) == answered.end()) {
            answered.emplace_back(modal);
            QTimer::singleShot(0, modal, [running, &answer, modal] { *running ? answer(modal) : void(); });
        }
    });
    timer.start(20);
    act();
    *running = false;
}

// The settings file written as the settings library writes it ("key=value"
// lines), when the disk takes only what room it has: the library still puts
// the file in place and reports success. The file it replaces gives its room free.
QSettings::Format CutOnAFullDisk()
{
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("conf"),
        [](QIODevice& device, QSettings::SettingsMap& map) {
            while (!device.atEnd()) {
                const QByteArray line = device.readLine().trimmed();
                const qsizetype equals = line.indexOf('=');
                if (equals > 0)
                    map.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
            }
            return true;
        },
        [](QIODevice& device, const QSettings::SettingsMap& map) {
            QByteArray lines;
            for (auto it = map.begin(); it != map.end(); ++it)
                lines += it.key().toUtf8() + '=' + it.value().toString().toUtf8() + '\n';
            const int64_t room = diskwrite::SetSpaceForTesting(-1);
            const QByteArray taken = room < 0 ? lines : lines.left(static_cast<qsizetype>(room));
            device.write(taken);
            const qint64 replaced = QFileInfo(static_cast<QFileDevice&>(device).fileName()).size();
            diskwrite::SetSpaceForTesting(room < 0 ? -1 : room - taken.size() + replaced);
            return true;
        });
    return format;
}

void UseSettingsIn(const QString& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(CutOnAFullDisk(), QSettings::UserScope, folder);
}

using ShellFileWriters = ShellProgramTest;

}  // namespace

TEST_F(ShellFileWriters, AFailedWriteKeepsTheLastGoodFileAndSaysWhichFileAndWhy)
{
    serialtest::UsePrivateSettings();  // made once per program: the sandbox's folder stays in use
    UseSettingsIn(settings.Path());
    QSettings().setValue(QStringLiteral("KVT7000/OnlineCounter"), 0);
    StartProgram();
    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    QTemporaryDir dir;
    auto trigger = [&](int id) { frame->FindMenuAction(id)->trigger(); };
    const char* const reasons[][2] = {
        {"Der Ordner ist nicht vorhanden.", "The folder does not exist."},
        {"Der Name bezeichnet einen Ordner, keine Datei.", "The name denotes a folder, not a file."},
        {"Auf dem Datenträger ist kein Platz mehr frei.", "There is no space left on the disk."},
        {"Die Datei ist schreibgeschützt.", "The file is read-only."},
        {nullptr, nullptr},
        {"Die symbolischen Verknüpfungen des Pfads verweisen im Kreis aufeinander.",
         "The symbolic links of the path lead round in a circle."},
        {"existiert bereits", "already exists"},  // the question
        {"Ihr Inhalt konnte nicht gelesen werden und würde ungesehen ersetzt.",
         "Its content could not be read and would be replaced unseen."},
        {"Ihr Inhalt konnte nicht gelesen werden und würde ungesehen ersetzt.",
         "Its content could not be read and would be replaced unseen."},
        {nullptr, nullptr},
        {"Der Name bezeichnet einen Ordner, keine Datei.", "The name denotes a folder, not a file."}};
    const char* const notRead[] = {"Keine Berechtigung zum Lesen.", "No permission to read."};
    int row = 0;
    for (const Failure failure : {NoFolder, FolderInItsPlace, DiskFull, ReadOnly, Linked, LinkLoop,
                                  TypedWithoutExtension, WriteOnly, Unreadable, Damaged, FolderWhileOpen}) {
        for (const int english : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "failure " << failure << (english ? ", English" : ", German"));
            std::optional<EnglishTexts> englishTexts;
            if (english)
                englishTexts.emplace();
            // The file dialog's own question comes in the program's language.
            const bool switched = english && failure == TypedWithoutExtension;
            if (switched)
                app.OnCommand(ids::LanguageEnglish);
            const bool unreadable = failure == WriteOnly || failure == Unreadable;
            std::vector<QString> questions;
            // What the user types into a file dialog: the name written, or
            // the name without its extension.
            auto typed = [&](const QString& path) {
                return failure == TypedWithoutExtension ? path.left(path.lastIndexOf(QLatin1Char('.'))) : path;
            };
            const QString folder = dir.filePath(QStringLiteral("Zeile%1").arg(++row));
            ASSERT_TRUE(failure == NoFolder || QDir().mkpath(folder));
            auto in = [&](const char* name) { return QDir(folder).filePath(QString::fromUtf8(name)); };
            const QString project = in("Halle.qlx");
            doc->SetPathName(project.toStdString());
            std::string entries = kGood;
            for (const char* e : kEntries)
                entries += e + std::string("\r\n");
            UseSettingsIn(in("Einstellungen"));
            const QString settingsFile = QSettings().fileName();
            UseSettingsIn(settings.Path());
            // A window closed with Escape keeps its list's column widths in
            // a settings file of its own here. What that file makes the user
            // read comes once the window is gone: a box shown from inside its
            // destruction would run the event loop into the window's timers.
            auto settingsIn = [&](const char* name) {
                UseSettingsIn(in(name));
                const QString file = QSettings().fileName();
                UseSettingsIn(settings.Path());
                return file;
            };
            auto closeWithEscape = [&](int kind, const char* settingsFolder, auto listOf) {
                bool gone = false;  // the window, destroyed whole
                std::vector<bool> whileThere;
                const MessageHandler recorder = SetMessageHandler(nullptr);
                SetMessageHandler([&](const std::string& text, uint32_t type) {
                    whileThere.push_back(!gone);
                    QTest::qWait(300);  // as long as a box is read, the program runs on
                    return recorder(text, type);
                });
                {
                    CObjectDlg window(doc, kind);
                    window.show();
                    window.activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
                    ASSERT_TRUE(listOf(window));
                    UseSettingsIn(in(settingsFolder));
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                    EXPECT_FALSE(window.isVisible());
                }
                gone = true;
                PumpUntil([&] { return !whileThere.empty(); }, 10000);
                UseSettingsIn(settings.Path());
                SetMessageHandler(recorder);
                EXPECT_EQ(std::vector<bool>{false}, whileThere) << "told once, after the window has gone";
            };
            constexpr int kSettingsFailures = 1 << FolderInItsPlace | 1 << LinkLoop | 1 << WriteOnly | 1 << Unreadable;

            struct File {
                QString path;
                const char* afterFullDisk;  // what it then holds; null: a full disk takes it
                bool grows = false;         // then it begins so and ends with a whole line
                bool heldOpen = false;      // written while the program holds it open
            };
            // What a file held open held when it was moved aside.
            std::map<QString, std::string> movedAside;
            auto moveAside = [&](const QString& path) {
                if (failure != FolderWhileOpen)
                    return;
                ASSERT_TRUE(QFile::rename(path, path + ".weg") && QDir().mkdir(path));
                movedAside[path] = ReadFile(path + ".weg");
            };
            struct Writer {
                const char* name;
                std::vector<File> files;
                std::function<void()> act;
                int meets = kAll;  // a file or print dialog itself refuses a folder (and a missing one)
                const char* lead[2] = {nullptr, nullptr};
                std::function<void()> after = [] {};  // once what was told is checked
            };
            const Writer writers[] = {
                {"project", {{project, "gut\r\n"}}, [&] { trigger(ids::FileSave); }, kAll,
                 {"Das Dokument konnte nicht gespeichert werden.", "The document could not be saved."}},
                // "Speichern unter", in the file dialog as the user has it.
                {"project saved as", {{project, "gut\r\n"}}, [&] {
                     tpl->SetSavePathChooser(nullptr);
                     AnswerModals([&] { trigger(ids::FileSaveAs); }, typed(project), &questions);
                 }, 1 << TypedWithoutExtension},
                {"text file", {{in("Halle.txt"), "gut\r\n"}}, [&] {
                     CTextFileDlg dlg(QStringLiteral("Halle.txt"), folder);
                     dlg.show();
                     ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
                     // A file that cannot be read is told as the editor opens.
                     ASSERT_EQ(unreadable, PumpUntil([&] { return !messages.messages.empty(); }, unreadable ? 5000 : 0));
                     if (unreadable) {
                         const std::string told = FileNotReadText(in("Halle.txt").toStdString(), notRead[english]);
                         EXPECT_EQ(told, messages.messages.front().first);
                     }
                     TypeAsKeyboard(dlg.Edit(), QStringLiteral("/A 1"));
                     QTest::mouseClick(dlg.findChildren<QToolButton*>().at(1), Qt::LeftButton);
                     EXPECT_TRUE(dlg.isVisible() && dlg.Edit()->toPlainText().contains(QStringLiteral("/A 1")));
                     if (unreadable) {
                         // OK writes nothing either; the typed text stays.
                         QTest::mouseClick(dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
                         EXPECT_TRUE(dlg.isVisible() && dlg.Edit()->toPlainText() == QStringLiteral("/A 1"));
                     }
                 }, kAll | 1 << WriteOnly | 1 << Unreadable},
                {"export", {{project + ".par", "gut\r\n"}, {project + ".ret", nullptr}},
                 [&] { AnswerModals([&] { trigger(commid::ExportWorksheet); }); }, kAll,
                 {"Der Export ist fehlgeschlagen !", "The export failed !"}},
                {"list export", {{in("Liste.txt"), "gut\r\n"}}, [&] {
                     CObjectDlg window(doc, CZonetestFrm::kWindowKind);
                     window.show();
                     auto* list = window.findChild<CZonetestFrm*>();
                     QWidget* button = list->GetCommandBar()->widgetForAction(list->GetAction(CZonetestFrm::kExport));
                     AnswerModals([&] { QTest::mouseClick(button, Qt::LeftButton); }, typed(in("Liste.txt")),
                                  failure == TypedWithoutExtension ? &questions : nullptr);
                 }, (kAll & ~(1 << FolderInItsPlace)) | 1 << TypedWithoutExtension},
                {"printout", {{in("Plan.pdf"), "gut\r\n"}},
                 [&] { AnswerModals([&] { trigger(ids::FilePrint); }, in("Plan.pdf")); }, 1 << DiskFull},
                // Connected (one language a failure: a connection takes seconds): the
                // protocol log, the event window's entries, an upload's difference
                // (its file starts anew with each upload; one that cannot is not
                // shown, as its differences are an earlier upload's).
                {"connected", {{in("Halle.log"), "gut\r\n;\r\n;Beginn neue \xDC" "bertragung: ", true, true},
                               {project + ".events", entries.c_str(), false, true}, {in("Halle.err"), ""}}, [&] {
                     Simulator sim;
                     sim.lineRate = false;
                     ASSERT_TRUE(sim.Start({QStringLiteral("-e"), QStringLiteral("event ") + kEntries[0],
                                            QStringLiteral("-e"), QStringLiteral("event ") + kEntries[1],
                                            QStringLiteral("-e"), QStringLiteral("set /TEST/VOL7 -99")}));
                     trigger(commid::Connect);
                     ASSERT_TRUE(link->IsConnected());
                     moveAside(in("Halle.log"));
                     {
                         CObjectDlg window(doc, CEventLogFrm::kWindowKind);
                         window.show();
                         moveAside(project + ".events");
                         auto* list = window.findChild<CEventLogView*>()->GetEntryList();
                         ASSERT_TRUE(PumpUntil([&] { return list->toPlainText().count('\n') == 2; }, kArrivalMs));
                         diskwrite::SetSpaceForTesting(-1);  // room again: the entries reach their file
                         EXPECT_TRUE(failure != DiskFull ||
                                     PumpUntil([&] { return ReadFile(project + ".events") == entries; }, 10000));
                         diskwrite::SetSpaceForTesting(failure == DiskFull ? kRoom : -1);
                     }
                     // After the window: its reading would keep the upload waiting.
                     LineObject test(*doc, "TEST", {{"VOL7", "-7"}});
                     TestHost host;
                     host.paramSelect = [&](ParamSelection& s) { return s.direction = 0, s.objects = {&test}, true; };
                     ICommLinkHost& windows = link->Host();
                     link->SetHost(&host);
                     trigger(commid::TransferParameters);
                     link->SetHost(&windows);
                     doc->RemovePath("/TEST/VOL7");
                     doc->RemovePath("/TEST");
                     // The difference file, not moved, takes the upload's difference.
                     EXPECT_TRUE(failure == FolderWhileOpen || host.editorFiles.empty()) << "no differences to show";
                     diskwrite::SetSpaceForTesting(-1);  // the log's waiting lines go at the end
                     frame->OnCmdMsg(commid::Disconnect);
                 }, (kAll & ~(1 << Linked)) | 1 << FolderWhileOpen},
                // The recent files of a save under a new name (the settings library
                // writes its file itself: its full disk is the port setting's below).
                {"settings", {{settingsFile, nullptr}}, [&] {
                     tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return in("Neu.qlx"); });
                     UseSettingsIn(in("Einstellungen"));
                     trigger(ids::FileSaveAs);
                     UseSettingsIn(settings.Path());
                 }, 1 << FolderInItsPlace | 1 << LinkLoop | 1 << WriteOnly | 1 << Unreadable | 1 << Damaged},
                // The settings file the program has read, moved aside with a folder in
                // its place while a setting is written, then put back as it was: its
                // values stay, read and written with the next setting.
                {"settings put back", {{settingsFile, nullptr, false, true}}, [&] {
                     UseSettingsIn(in("Einstellungen"));
                     QFile held(settingsFile);
                     ASSERT_TRUE(held.open(QIODevice::WriteOnly) && held.write("[COMSECTION]\nDevicePath7=/dev/ttyS77\n") > 0);
                     held.close();
                     EXPECT_EQ(QStringLiteral("/dev/ttyS77"), CMSComm::DevicePathForPort(7));
                     moveAside(settingsFile);
                     EXPECT_EQ(QStringLiteral("/dev/ttyS6"), CMSComm::DevicePathForPort(7));
                     tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return in("Zweit.qlx"); });
                     trigger(ids::FileSaveAs);
                     UseSettingsIn(settings.Path());
                 }, 1 << FolderWhileOpen, {nullptr, nullptr}, [&] {
                     UseSettingsIn(in("Einstellungen"));
                     ASSERT_TRUE(QDir().rmdir(settingsFile) && QFile::rename(settingsFile + ".weg", settingsFile));
                     EXPECT_EQ(QStringLiteral("/dev/ttyS77"), CMSComm::DevicePathForPort(7));
                     tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return in("Dritt.qlx"); });
                     trigger(ids::FileSaveAs);
                     UseSettingsIn(settings.Path());
                     const std::string now = ReadFile(settingsFile);
                     EXPECT_NE(std::string::npos, now.find("DevicePath7=/dev/ttyS77")) << now;
                     EXPECT_NE(std::string::npos, now.find("Dritt.qlx")) << now;
                 }},
                // The settings library puts a file the full disk took only in
                // part in place of the last good one, and says nothing.
                {"port setting", {{settingsFile, "gut\r\n"}}, [&] {
                     const QSettings::Format native = QSettings::defaultFormat();
                     QSettings::setDefaultFormat(CutOnAFullDisk());
                     UseSettingsIn(in("Einstellungen"));
                     trigger(commid::ComPort1 + 2);
                     UseSettingsIn(settings.Path());
                     QSettings::setDefaultFormat(native);
                 }, 1 << DiskFull},
                {"line test window closed", {{settingsIn("Linientest"), nullptr}}, [&] {
                     closeWithEscape(CZonetestFrm::kWindowKind, "Linientest",
                                     [](QWidget& w) { return w.findChild<CZoneListView*>(); });
                 }, kSettingsFailures},
                {"macro window closed", {{settingsIn("Makros"), nullptr}}, [&] {
                     closeWithEscape(CMacroDlgFrm::kWindowKind, "Makros",
                                     [](QWidget& w) { return w.findChild<CMacroDlgListView*>(); });
                 }, kSettingsFailures},
            };
            for (const Writer& writer : writers) {
                SCOPED_TRACE(writer.name);
                std::vector<const File*> met;
                for (const File& file : writer.files)
                    if ((writer.meets & 1 << failure) && (failure != DiskFull || file.afterFullDisk) &&
                        (failure != FolderWhileOpen || file.heldOpen))
                        met.push_back(&file);
                const bool connected = std::string(writer.name) == "connected";
                if (met.empty() || (connected && english != (failure == FolderInItsPlace || failure == FolderWhileOpen)))
                    continue;
                // A link's file lies in a shared folder of its own, owned (where
                // the test may give it) by someone else.
                auto linked = [&](const File* file) { return QDir(folder).filePath("Freigabe/" + QFileInfo(file->path).fileName()); };
                const bool administrator = ::geteuid() == 0;
                const uid_t owner = administrator ? 4321 : ::geteuid();
                const gid_t group = administrator ? 4321 : ::getegid();
                for (const File* file : met) {
                    const QString written = failure == Linked ? linked(file) : file->path;
                    QFile good(written);
                    ASSERT_TRUE(failure != FolderInItsPlace || QDir().mkpath(file->path));
                    ASSERT_TRUE(failure == NoFolder || QDir().mkpath(QFileInfo(file->path).path()));
                    ASSERT_TRUE(failure != Linked || (QDir().mkpath(QFileInfo(written).path()) &&
                                                      QFile::link(written, file->path)));
                    ASSERT_TRUE(failure < DiskFull || failure == LinkLoop ||
                                (good.open(QIODevice::WriteOnly) && good.write(kGood.data(), 5) == 5));
                    ASSERT_TRUE(failure != LinkLoop || (QFile::link(file->path, file->path + ".Kreis") &&
                                                        QFile::link(file->path + ".Kreis", file->path)));
                    good.close();
                    ASSERT_TRUE(failure != ReadOnly ||
                                good.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
                    ASSERT_TRUE(failure != WriteOnly || good.setPermissions(QFile::WriteOwner));
                    ASSERT_TRUE(failure != Unreadable || good.setPermissions({}));
                    ASSERT_TRUE(failure != Linked || ::chown(written.toLocal8Bit().constData(), owner, group) == 0);
                }
                messages.messages.clear();
                diskwrite::SetSpaceForTesting(failure == DiskFull ? kRoom : -1);
                writer.act();
                diskwrite::SetSpaceForTesting(-1);
                doc->SetPathName(project.toStdString());
                for (const File* file : met)  // to be looked at, also by an ordinary user
                    ASSERT_TRUE(!unreadable || QFile::setPermissions(file->path, QFile::ReadOwner | QFile::WriteOwner));
                auto namedOf = [](const File* file) {
                    return "'" + QDir::toNativeSeparators(file->path).toStdString() + "'";
                };
                auto toldOf = [&](const File* file) {
                    bool told = false;
                    for (const auto& [text, type] : messages.messages)
                        told = told || (text.find(namedOf(file)) != std::string::npos &&
                                        text.find(reasons[failure][english]) != std::string::npos &&
                                        (!writer.lead[english] || text.find(writer.lead[english]) != std::string::npos));
                    return told;
                };
                // What is told once the receiving is through comes when the
                // machine gets to it; what must not be told has had its chance.
                const bool tells = failure != TypedWithoutExtension && failure != Damaged && failure != Linked;
                PumpUntil([&] { return tells && std::all_of(met.begin(), met.end(), toldOf); }, tells ? 10000 : 50);
                for (const File* file : met) {
                    SCOPED_TRACE(file->path.toStdString());
                    const std::string named = namedOf(file);
                    if (failure == TypedWithoutExtension) {
                        // Asked about the name written; "Nein" wrote nothing.
                        bool asked = false;
                        for (const QString& q : questions)
                            asked = asked || (q.contains(QFileInfo(file->path).fileName()) && q.contains(reasons[failure][english]));
                        EXPECT_TRUE(asked) << testing::PrintToString(questions);
                        EXPECT_EQ(kGood, ReadFile(file->path));
                        EXPECT_FALSE(QFileInfo::exists(typed(file->path)));
                        continue;
                    }
                    if (failure == Damaged) {
                        // Kept aside whole; the setting written starts a new file, unasked.
                        for (const auto& [text, type] : messages.messages)
                            EXPECT_EQ(std::string::npos, text.find(named)) << text;
                        EXPECT_EQ(kGood, ReadFile(file->path + ".damaged"));
                        EXPECT_NE(std::string::npos, ReadFile(file->path).find("Neu.qlx")) << ReadFile(file->path);
                        continue;
                    }
                    if (failure == Linked) {
                        for (const auto& [text, type] : messages.messages)
                            EXPECT_EQ(std::string::npos, text.find(named)) << text;
                        EXPECT_EQ(linked(file), QFileInfo(file->path).symLinkTarget()) << "the link is still the link";
                        const std::string now = ReadFile(linked(file));
                        EXPECT_NE(kGood, now) << "the linked file keeps its old content";
                        EXPECT_EQ(now, ReadFile(file->path));
                        struct stat st {};
                        ASSERT_EQ(0, ::stat(linked(file).toLocal8Bit().constData(), &st));
                        EXPECT_EQ(owner, st.st_uid);
                        EXPECT_EQ(group, st.st_gid);
                        continue;
                    }
                    EXPECT_TRUE(toldOf(file)) << testing::PrintToString(messages.messages);
                    EXPECT_TRUE((failure != FolderInItsPlace && failure != FolderWhileOpen) || QFileInfo(file->path).isDir());
                    // Nothing went on into the file moved aside.
                    EXPECT_TRUE(failure != FolderWhileOpen || ReadFile(file->path + ".weg") == movedAside[file->path]);
                    EXPECT_TRUE(failure != LinkLoop || QFileInfo(file->path).symLinkTarget() == file->path + ".Kreis")
                        << "the link is still the link";
                    const std::string now = ReadFile(file->path);
                    if (failure == DiskFull && file->grows) {
                        EXPECT_TRUE(now.rfind(file->afterFullDisk, 0) == 0 && now.substr(now.size() - 2) == "\r\n") << now;
                    } else if (failure == DiskFull) {
                        EXPECT_EQ(file->afterFullDisk, now);
                    } else if (failure == ReadOnly || unreadable) {
                        EXPECT_EQ(kGood, now);
                    }
                }
                writer.after();
            }
            EXPECT_TRUE(failure != NoFolder || !QFileInfo::exists(folder)) << "nothing made the missing folder";
            if (switched)
                app.OnCommand(ids::LanguageToGerman);
        }
    }
    serialtest::SetDevicePath(kPort, {});
}
