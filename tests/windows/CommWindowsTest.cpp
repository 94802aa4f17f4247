// The device link's windows: the protocol monitor (text limit, erase echo,
// typing, placement), the online notice, the parameter-group dialog, the
// login dialog, the text-file editor, the firmware dialog and the program's
// own view of an upload's difference file.
#include <gtest/gtest.h>

#include <cerrno>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QFile>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <optional>

#include "comm/CCommLink.h"
#include "comm/CFirmwareSender.h"
#include "comm/CommTestSupport.h"
#include "comm/CommIds.h"
#include "comm/ParameterGroups.h"
#include "comm/windows/CCommWindowsHost.h"
#include "comm/windows/CErrFileView.h"
#include "comm/windows/CFirmwareUpdateDlg.h"
#include "ui/CAnimateCtrl.h"
#include "comm/windows/CLoginDlg.h"
#include "comm/windows/COnlineNoticeDlg.h"
#include "comm/windows/CParamSelectDlg.h"
#include "comm/windows/CProtocolMonitorFrm.h"
#include "comm/windows/CProtocolMonitorView.h"
#include "comm/windows/CTextFileDlg.h"
#include "model/CQuillomerDoc.h"
#include "platform/FileWriter.h"
#include "serial/SerialTestSupport.h"
#include "shell/CMainFrame.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"

namespace {

QVariant Setting(const QString& key)
{
    return QSettings().value(key);
}

}  // namespace

TEST(ProtocolMonitor, LongTextDropsItsOlderHalf)
{
    CProtocolMonitorView view;
    view.setPlainText(QString(8192, QLatin1Char('a')));
    view.AppendMonitorText(QStringLiteral("xyz"));
    EXPECT_EQ(view.toPlainText(), QString(4096, QLatin1Char('a')) + QStringLiteral("xyz"));
    view.setPlainText(QString(8191, QLatin1Char('a')));
    view.AppendMonitorText(QStringLiteral("b"));
    EXPECT_EQ(view.toPlainText().size(), 8192);
}

TEST(ProtocolMonitor, EraseEchoRemovesOneCharacter)
{
    CProtocolMonitorView view;
    view.AppendMonitorText(QStringLiteral("/COMM/PROMPT>ab"));
    view.AppendMonitorText(QStringLiteral("\b \b"));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("/COMM/PROMPT>a"));
    view.AppendMonitorText(QStringLiteral("\b"));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("/COMM/PROMPT>a\b"));
    // Also right after the text was cut.
    view.setPlainText(QString(8192, QLatin1Char('c')));
    view.AppendMonitorText(QStringLiteral("\b \b"));
    EXPECT_EQ(view.toPlainText(), QString(4095, QLatin1Char('c')));
    view.AppendMonitorText(QStringLiteral("\r\n/X 1\r\n"));
    EXPECT_TRUE(view.toPlainText().endsWith(QStringLiteral("c\n/X 1\n")));
    // A paced line brings the echo in pieces, or behind the erased character's echo.
    view.setPlainText(QStringLiteral("/>ab"));
    view.AppendMonitorText(QStringLiteral("\b "));
    view.AppendMonitorText(QStringLiteral("\b"));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("/>a"));
    view.AppendMonitorText(QStringLiteral("xy\b \b"));
    view.AppendMonitorText(QStringLiteral("\b"));
    view.AppendMonitorText(QStringLiteral(" \bz"));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("/>az"));
}

// A character typed goes to the device (the link turns to the terminal
// state), not into the text; a shortcut with Alt goes to neither. A
// character the line cannot carry (it would reach the device as "?") is
// named and not sent; "ä" is sent.
TEST(ProtocolMonitor, TypingGoesToTheDeviceNotToTheText)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool sent;
        const char* text = nullptr;  // the key event's text, when not the key's own
    } rows[] = {
        {Qt::Key_Question, Qt::ShiftModifier, true}, {Qt::Key_Return, Qt::NoModifier, true},
        {Qt::Key_C, Qt::ControlModifier, true}, {Qt::Key_K, Qt::AltModifier, false},
        {Qt::Key_unknown, Qt::NoModifier, false, "Ω"}, {Qt::Key_Adiaeresis, Qt::NoModifier, true, "ä"}};
    MessageLog messages;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << row.key << " with " << row.modifiers.toInt());
        serialtest::UsePrivateSettings();
        CCommLink link;
        CProtocolMonitorFrm frame;
        frame.SetLink(&link);
        CProtocolMonitorView* view = frame.GetMonitorView();
        view->AppendMonitorText(QStringLiteral("/>"));
        link.SetLinkState(linkstate::Online);
        messages.texts.clear();
        if (row.text)
            QTest::sendKeyEvent(QTest::Click, view, row.key, QString::fromUtf8(row.text), row.modifiers);
        else
            QTest::keyClick(view, row.key, row.modifiers);
        EXPECT_EQ(link.GetLinkState(), row.sent ? linkstate::Terminal : linkstate::Online);
        EXPECT_EQ(view->toPlainText(), QStringLiteral("/>"));
        EXPECT_EQ(row.text && !row.sent, messages.Contains("'Ω' (U+03A9)"));
    }
}

TEST(ProtocolMonitor, EscapeClosesItWhileDisconnected)
{
    serialtest::UsePrivateSettings();
    CCommLink link;
    CProtocolMonitorFrm frame;
    frame.SetLink(&link);
    frame.show();
    QTest::keyClick(frame.GetMonitorView(), Qt::Key_Escape);
    EXPECT_FALSE(frame.isVisible());
}

TEST(ProtocolMonitor, ShowingItMakesTheNextLineGoOutWhole)
{
    serialtest::UsePrivateSettings();
    CCommLink link;
    CProtocolMonitorFrm frame;
    frame.SetLink(&link);
    link.SendCommand("/ZONE1/VOL -3", nullptr, true);
    EXPECT_EQ(link.GetLastSentPath(), "/ZONE1/VOL");
    frame.show();
    EXPECT_EQ(link.GetLastSentPath(), "");
}

TEST(ProtocolMonitor, MovingOrSizingStoresThePlacement)
{
    serialtest::UsePrivateSettings();
    QSettings().remove(QStringLiteral("Settings/MonitorSize"));
    CProtocolMonitorFrm frame;
    frame.setGeometry(80, 80, 300, 400);
    frame.show();
    frame.resize(320, 410);
    QCoreApplication::processEvents();
    EXPECT_EQ(Setting(QStringLiteral("Settings/MonitorSize")).toString(),
              CProtocolMonitorFrm::PlacementText(frame.frameGeometry()));
    EXPECT_EQ(CProtocolMonitorFrm::PlacementText(QRect(10, 20, 300, 400)), QStringLiteral("10,20,300,400"));
}

TEST(OnlineNotice, TheBoxesExcludeEachOtherAndOkStoresTheChoice)
{
    serialtest::UsePrivateSettings();
    {
        COnlineNoticeDlg dlg;
        // The notice says something above its boxes.
        EXPECT_GT(dlg.NoteLabel()->text().size(), 80);
        auto* layout = dlg.layout();
        EXPECT_LT(layout->indexOf(dlg.NoteLabel()), layout->indexOf(dlg.NeverBox()));
    }
    // Connecting shows the notice with the stored choice ticked; the user
    // clicks boxes and presses OK. OK as shown keeps the choice: the interval
    // counter goes on counting, "never" stores 0.
    struct Row {
        int counter;
        std::vector<int> clicks;  // 0: "nie mehr", 1: "in regelmäßigen Abständen"
        bool neverShown, intervalShown;
        int stored;
    };
    const Row rows[] = {
        {1, {}, false, false, 1},   {1, {1}, false, false, 2},  {1, {0}, false, false, 0},
        {19, {}, false, true, 20},  {19, {0}, false, true, 0},  {19, {1}, false, true, 1},
        {39, {}, false, true, 40},  {19, {0, 1}, false, true, 20},
    };
    CCommLink link;
    CCommWindowsHost host(nullptr, &link);
    link.SetHost(&host);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.counter << " clicks " << row.clicks.size());
        QSettings().setValue(QStringLiteral("KVT7000/OnlineCounter"), row.counter);
        bool seen = false, never = false, interval = false;
        QObject scope;  // the timer dies with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<COnlineNoticeDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            seen = true;
            never = dlg->NeverBox()->isChecked();
            interval = dlg->IntervalBox()->isChecked();
            for (int box : row.clicks)
                QTest::mouseClick(box ? dlg->IntervalBox() : dlg->NeverBox(), Qt::LeftButton);
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        link.ShowOnlineNoticeIfDue();
        EXPECT_TRUE(seen);
        EXPECT_EQ(never, row.neverShown);
        EXPECT_EQ(interval, row.intervalShown);
        EXPECT_EQ(Setting(QStringLiteral("KVT7000/OnlineCounter")).toInt(), row.stored);
    }
    link.SetHost(nullptr);
}

TEST(ParamSelect, SelectAllTogglesAndOkStoresTheGroups)
{
    serialtest::UsePrivateSettings();
    QSettings().setValue(QStringLiteral("Configuration/Download"), 0x22);  // consoles and text file
    CQuillomerDoc doc;
    ParamSelection selection;
    selection.doc = &doc;
    selection.textFileName = "Halle.txt";
    CParamSelectDlg dlg(selection);
    ASSERT_EQ(dlg.GroupList()->count(), 6);
    EXPECT_EQ(dlg.GroupList()->item(3)->text(), QStringLiteral("Steuerung (Trigger, Makros ...)"));
    EXPECT_EQ(dlg.CheckedGroups(), 0x22u);
    EXPECT_TRUE(dlg.DownloadButton()->isChecked());
    dlg.OnSelectAll();
    EXPECT_EQ(dlg.CheckedGroups(), 0x3Fu);
    EXPECT_EQ(dlg.SelectAllButton()->text(), QStringLiteral("Alle löschen"));
    dlg.OnSelectAll();
    EXPECT_EQ(dlg.CheckedGroups(), 0u);
    EXPECT_EQ(dlg.SelectAllButton()->text(), QStringLiteral("Alle auswählen"));
    dlg.GroupList()->item(5)->setCheckState(Qt::Checked);
    dlg.UploadButton()->setChecked(true);
    dlg.accept();
    EXPECT_EQ(Setting(QStringLiteral("Configuration/Download")).toInt(), 0x20);
    EXPECT_TRUE(selection.textFile);
    EXPECT_EQ(selection.direction, 0);
    EXPECT_TRUE(selection.objects.empty());
}

// "Exportieren ...": the groups confirmed with OK, the lines go to the
// project's ".par" file. When it cannot be written (here a folder bears its
// name, which holds whoever runs the program) the user is told why instead of
// the export ending as one that worked; cancelled, nothing is written or said.
TEST(ParamSelect, AnExportThatCannotBeWrittenSaysWhy)
{
    serialtest::UsePrivateSettings();
    QSettings().setValue(QStringLiteral("Configuration/Download"), 0);
    QTemporaryDir dir;
    CQuillomerDoc doc;
    doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
    ActiveDocScope active(&doc);
    CCommLink link;
    CCommWindowsHost host(nullptr, &link);
    link.SetHost(&host);
    const QString par = dir.filePath(QStringLiteral("Halle.qlx.par"));
    struct Row {
        bool folderInTheWay;
        QDialogButtonBox::StandardButton button;
        bool told;
        QByteArray written;  // empty: no file
    };
    const Row rows[] = {
        {true, QDialogButtonBox::Ok, true, {}},
        {true, QDialogButtonBox::Cancel, false, {}},
        {false, QDialogButtonBox::Ok, false, "/MACRO/LOCK ON\r\n/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.folderInTheWay ? "folder in the way, " : "")
                                        << (row.button == QDialogButtonBox::Ok ? "OK" : "Abbrechen"));
        QFile::remove(par);
        QDir(dir.path()).rmdir(QStringLiteral("Halle.qlx.par"));
        if (row.folderInTheWay) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Halle.qlx.par")));
        }
        MessageLog messages;
        bool seen = false;
        QObject scope;  // the timer dies with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CParamSelectDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            seen = true;
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(row.button), Qt::LeftButton);
        });
        link.OnCommand(commid::ExportWorksheet);
        EXPECT_TRUE(seen);
        if (row.told) {
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_TRUE(messages.Contains("Der Export ist fehlgeschlagen")) << messages.texts[0];
            EXPECT_TRUE(messages.Contains(QDir::toNativeSeparators(par).toStdString())) << messages.texts[0];
            EXPECT_TRUE(messages.Contains("( ")) << "no reason given: " << messages.texts[0];
        } else {
            EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
        }
        EXPECT_EQ(QFileInfo(par).isDir(), row.folderInTheWay);
        QFile file(par);
        if (row.written.isEmpty()) {
            EXPECT_FALSE(QFileInfo(par).isFile());
        } else {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), row.written);
        }
    }
    link.SetHost(nullptr);
}

TEST(LoginDialog, LoginModeHidesTheConfirmation)
{
    serialtest::UsePrivateSettings();
    CCommLink link;
    CLoginDlg login(link, CLoginDlg::Login);
    login.show();
    EXPECT_FALSE(login.ConfirmationEdit()->isVisible());
    EXPECT_TRUE(login.RemoveProtectionBox()->isVisible());
    EXPECT_EQ(login.PasswordEdit()->maxLength(), 10);
    CLoginDlg set(link, CLoginDlg::SetPassword);
    set.show();
    EXPECT_TRUE(set.ConfirmationEdit()->isVisible());
    EXPECT_FALSE(set.RemoveProtectionBox()->isVisible());
    EXPECT_EQ(set.ConfirmationEdit()->maxLength(), 20);
}

namespace {
// A project on the simulator, whose user at the login dialog types each
// password in turn over what the field holds (and its confirmation when
// setting one) and clicks OK, until the dialog closes; then Cancel.
class LoginSession : public commtest::ConnectedSimSession, public commtest::TestHost {
public:
    LoginSession()
    {
        Attach(1, QStringLiteral("Tor.qlx"));
        link.SetHost(this);
        sim.lineRate = false;  // the dialogue's own waits are what takes the time
    }
    ~LoginSession() { Detach(); }
    bool RunLogin(CCommLink& l, int mode) override
    {
        CLoginDlg dlg(l, mode);
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        auto* buttons = dlg.findChild<QDialogButtonBox*>();
        for (const std::string& password : loginPasswords) {
            for (QLineEdit* edit : {dlg.PasswordEdit(), mode == CLoginDlg::SetPassword ? dlg.ConfirmationEdit() : nullptr}) {
                if (!edit)
                    continue;
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, QString::fromStdString(password));
            }
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            if (!dlg.isVisible())
                return dlg.result() == QDialog::Accepted;
        }
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        return false;
    }
    using ConnectedSimSession::link;
    using ConnectedSimSession::messages;
    using ConnectedSimSession::sim;
};
}  // namespace

// A login, or a new password, counts only when the device answered it: a
// device that falls silent (also right after echoing "/PROTECT ON") has taken
// nothing; the dialog stays open and says so, in either language.
TEST(LoginDialogSim, OkCountsOnlyWhatTheDeviceAnswered)
{
    const std::string silent[2] = {
        "Keine Reaktion an der Kommunikationsschnittstelle !\r\n\n"
        "Versorgungsspannung und Verbindungskabel zum QUILLOMER überprüfen !",
        "No response at the communication port !\r\n\nCheck the power supply and the connection cable to QUILLOMER !"};
    // Lines the device reads until a protected device has been asked for its
    // protection; those of a whole connect and of the password command's question.
    const int wokenUp = 10, passwordAsked = 21 + 2;
    const struct {
        const char* name;
        QString directive;                     // for the simulator
        std::vector<std::string> atConnect;    // typed into the connect's login (a protected device)
        std::vector<std::string> newPassword;  // then typed for the password command
        std::vector<std::string> said;
        bool counted;                          // OK closed the dialog
        bool english = false;
    } rows[] = {
        {"a wrong password, then the right one; then a new password", {}, {"falsch", "pw1234"}, {"tor7"},
         {"Login wurde abgelehnt !"}, true},
        {"a login the device does not answer", QStringLiteral("at %1 silent").arg(wokenUp), {"pw1234"}, {}, {silent[0]},
         false},
        {"a new password whose \"/PROTECT ON\" is the device's last echo, in English",
         QStringLiteral("at %1 silent").arg(passwordAsked + 1), {}, {"tor7"}, {silent[1]}, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<EnglishTexts> english;
        if (row.english)
            english.emplace();
        LoginSession s;
        QStringList args;
        if (!row.atConnect.empty())
            args << QStringLiteral("--protect") << QStringLiteral("pw1234");
        if (!row.directive.isEmpty())
            args << QStringLiteral("-e") << row.directive;
        ASSERT_TRUE(s.sim.Start(args));
        s.loginPasswords = row.atConnect;
        s.link.OnConnect();
        EXPECT_EQ(row.counted || row.atConnect.empty(), s.link.IsConnected());
        if (!row.newPassword.empty() && s.link.IsConnected()) {
            s.loginPasswords = row.newPassword;
            s.link.OnCommand(commid::Password);
            EXPECT_EQ(row.counted, s.link.GetProtectionWasOn());
            EXPECT_TRUE(s.sim.AwaitReceivedEnd("/PROTECT ON\r\ntor7\r\ntor7\r\n/PROTECT ?\r\n"
                                               + std::string(row.counted ? "/PROTECT OFF\r\ntor7\r\n/PROTECT ?\r\n" : "")));
        }
        EXPECT_EQ(row.said, s.messages.texts);
    }
}

TEST(TextFileDialog, LoadsTheProjectFileAndSavesWithCrLf)
{
    QTemporaryDir dir;
    {
        QFile f(dir.filePath(QStringLiteral("Halle.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/CLOCK/SLAVE1 ON\r\n/CLOCK/SLAVE2 OFF\n");
    }
    CTextFileDlg dlg(QStringLiteral("Halle.txt"), dir.path());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Textdatei 'Halle.txt'"));
    EXPECT_EQ(dlg.Edit()->toPlainText(), QStringLiteral("/CLOCK/SLAVE1 ON\n/CLOCK/SLAVE2 OFF\n"));
    dlg.Edit()->setPlainText(QStringLiteral("/A 1\n/B Süd"));
    ASSERT_TRUE(dlg.OnSave());
    QFile f(dir.filePath(QStringLiteral("Halle.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("/A 1\r\n/B S\xC3\xBC" "d"));
}

TEST(TextFileDialog, AFailedSaveSaysSoAndKeepsTheTypedText)
{
    MessageLog messages;
    QTemporaryDir dir;
    // The dialog's folder is a plain file: nothing can be created in it,
    // whoever runs the program.
    const QString folder = dir.filePath(QStringLiteral("Projekte"));
    {
        QFile f(folder);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    CTextFileDlg dlg(QStringLiteral("Halle.txt"), folder);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ASSERT_TRUE(dlg.Edit()->hasFocus());
    QTest::keyClicks(dlg.Edit(), QStringLiteral("/A 1"));
    const QList<QToolButton*> tools = dlg.findChildren<QToolButton*>();
    ASSERT_EQ(2, tools.size());
    QToolButton* save = tools[1];
    auto* ok = dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_NE(nullptr, ok);

    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_TRUE(messages.Contains("Halle.txt' kann nicht geschrieben werden !\n( Ein Teil des Pfads ist kein Ordner. )"))
        << messages.texts[0];
    EXPECT_TRUE(dlg.isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(2u, messages.texts.size());
    EXPECT_TRUE(dlg.isVisible()) << "OK keeps the dialog open while the text is not saved";
    EXPECT_NE(QDialog::Accepted, dlg.result());
    EXPECT_EQ(QStringLiteral("/A 1"), dlg.Edit()->toPlainText());

    // Once the folder can take the file, OK saves the text and closes.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Projekte")));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(2u, messages.texts.size());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    QFile f(QDir(folder).filePath(QStringLiteral("Halle.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray("/A 1"), f.readAll());
}

// A file chosen to load that cannot be read (a link to /proc/self/mem: it
// opens but its reading fails, whoever runs the program) is named with the
// reason; the text stays, and OK saves it instead of an empty one.
TEST(TextFileDialog, AFileThatCannotBeLoadedSaysSoAndKeepsTheText)
{
    MessageLog messages;
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("Kaputt.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), broken));
    CTextFileDlg dlg(QStringLiteral("Halle.txt"), dir.path());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClicks(dlg.Edit(), QStringLiteral("/A 1"));
    QToolButton* load = dlg.findChildren<QToolButton*>().at(0);
    bool answered = false;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!files)
            return;
        answered = true;
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setFocus();
        if (name->text() != QStringLiteral("Kaputt.txt")) {
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("Kaputt.txt"));
        }
        // The name's completion list would take the Enter.
        if (name->completer() && name->completer()->popup()->isVisible())
            QTest::keyClick(name->completer()->popup(), Qt::Key_Escape);
        QTest::keyClick(name, Qt::Key_Return);
    });
    chooser.start(20);
    QTest::mouseClick(load, Qt::LeftButton);
    chooser.stop();
    ASSERT_TRUE(answered);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_TRUE(messages.Contains("Die Datei '" + broken.toStdString() + "' kann nicht gelesen werden !\n( "))
        << messages.texts[0];
    EXPECT_EQ(QStringLiteral("/A 1"), dlg.Edit()->toPlainText());
    QTest::mouseClick(dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QFile f(dir.filePath(QStringLiteral("Halle.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray("/A 1"), f.readAll());
}

// The project's text file as the editor finds it when it opens: a file not
// there yet opens empty without a word; one that exists but may not be read
// (modes 0200 and 000, refused to the administrator too) is told at once, in
// either language, and neither the save button nor OK writes over it, the
// typed text staying. Loaded with the load button once it can be read, its
// text is the editor's and OK writes.
TEST(TextFileDialog, AFileThatExistsButCannotBeReadIsToldAtOpeningAndNeverWrittenOver)
{
    const struct {
        const char* name;
        bool exists;
        QFile::Permissions mode;
    } rows[] = {{"not there yet", false, {}},
                {"write-only", true, QFile::WriteOwner},
                {"no permission at all", true, {}}};
    const QByteArray held = "/CLOCK/SLAVE1 ON\r\n";
    for (const auto& row : rows) {
        for (const bool english : {false, true}) {
            SCOPED_TRACE(testing::Message() << row.name << (english ? ", English" : ", German"));
            std::optional<EnglishTexts> texts;
            if (english)
                texts.emplace();
            MessageLog messages;
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("Halle.txt"));
            QFile file(path);
            if (row.exists) {
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(held) == held.size());
                file.close();
                ASSERT_TRUE(file.setPermissions(row.mode));
            }
            CTextFileDlg dlg(QStringLiteral("Halle.txt"), dir.path());
            dlg.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
            serialtest::PumpUntil([&] { return !messages.texts.empty(); }, row.exists ? 5000 : 0);
            ASSERT_EQ(row.exists ? 1u : 0u, messages.texts.size());
            if (row.exists) {
                EXPECT_EQ(FileNotReadText(path.toStdString(), english ? "No permission to read." : "Keine Berechtigung zum Lesen."),
                          messages.texts[0]);
            }
            EXPECT_TRUE(dlg.Edit()->toPlainText().isEmpty());
            ASSERT_TRUE(dlg.Edit()->hasFocus());
            QTest::keyClicks(dlg.Edit(), QStringLiteral("/A 1"));
            QTest::mouseClick(dlg.findChildren<QToolButton*>().at(1), Qt::LeftButton);
            QPushButton* ok = dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            if (!row.exists) {
                EXPECT_FALSE(dlg.isVisible());
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_EQ(QByteArray("/A 1"), file.readAll());
                continue;
            }
            const std::string refused = FileNotWrittenText(path.toStdString(), NotReadBeforeReason());
            EXPECT_EQ((std::vector<std::string>{messages.texts[0], refused, refused}), messages.texts);
            EXPECT_TRUE(dlg.isVisible()) << "OK keeps the editor open";
            EXPECT_EQ(QStringLiteral("/A 1"), dlg.Edit()->toPlainText());
            ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(held, file.readAll());
            file.close();

            // Now readable, loaded with the load button: the editor holds it, OK writes.
            QTimer chooser;
            QObject::connect(&chooser, &QTimer::timeout, [&] {
                auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!files)
                    return;
                chooser.stop();
                auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setFocus();
                name->selectAll();
                QTest::keyClicks(name, QStringLiteral("Halle.txt"));
                if (name->completer() && name->completer()->popup()->isVisible())
                    QTest::keyClick(name->completer()->popup(), Qt::Key_Escape);
                QTest::keyClick(name, Qt::Key_Return);
            });
            chooser.start(20);
            QTest::mouseClick(dlg.findChildren<QToolButton*>().at(0), Qt::LeftButton);
            chooser.stop();
            EXPECT_EQ(QStringLiteral("/CLOCK/SLAVE1 ON\n"), dlg.Edit()->toPlainText());
            QTest::keyClick(dlg.Edit(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(dlg.Edit(), QStringLiteral("/A 1"));
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_FALSE(dlg.isVisible());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(QByteArray("/CLOCK/SLAVE1 ON\r\n/A 1"), file.readAll());
        }
    }
}

// The project's text file keeps the form it was read in. OK without a
// change writes nothing (a file that no editor shows as it stands, such as
// one with a NUL and a lone carriage return, stays byte for byte); edited,
// it keeps its code page, its byte-order mark and its line ends, and a
// character its code page lacks is refused with the text kept.
TEST(TextFileDialog, TheFileKeepsTheFormItWasReadIn)
{
    const struct {
        const char* name;
        QByteArray held;
        QString typed;        // at the end; with `atStart` before the first line, then Enter
        bool atStart;
        QByteArray written;   // empty: the file stays as it was
        const char* refused;  // named as what the file's code page lacks
    } rows[] = {
        {"a Windows-1252 file, OK without a change", QByteArrayLiteral("/ZONE/NAME1 S\xFC" "d\r\n\x00\x81\r\xFF\n"), {}, false, {},
         nullptr},
        {"a Windows-1252 file edited", QByteArrayLiteral("/A S\xFC" "d\n/B 1\n"), QStringLiteral("/C Ä€"), false,
         QByteArrayLiteral("/A S\xFC" "d\n/B 1\n/C \xC4\x80"), nullptr},
        {"a UTF-8 file with a byte-order mark edited", QByteArrayLiteral("\xEF\xBB\xBF/A S\xC3\xBC" "d\r\n"),
         QStringLiteral("/B Ω"), false, QByteArrayLiteral("\xEF\xBB\xBF/A S\xC3\xBC" "d\r\n/B \xCE\xA9"), nullptr},
        {"a file whose last line has no line end", QByteArrayLiteral("/A 1\r\n/B 2"), QStringLiteral("/X 0"), true,
         QByteArrayLiteral("/X 0\r\n/A 1\r\n/B 2"), nullptr},
        {"a character Windows-1252 lacks typed into a Windows-1252 file", QByteArrayLiteral("/A S\xFC" "d\r\n"),
         QStringLiteral("/B 漢"), false, {}, "漢"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MessageLog messages;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Halle.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(row.held) == row.held.size());
        file.close();
        CTextFileDlg dlg(QStringLiteral("Halle.txt"), dir.path());
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        ASSERT_TRUE(dlg.Edit()->hasFocus());
        const QString shown = dlg.Edit()->toPlainText();
        if (!row.typed.isEmpty()) {
            QTest::keyClick(dlg.Edit(), row.atStart ? Qt::Key_Home : Qt::Key_End, Qt::ControlModifier);
            // A character off the keyboard's keys comes as the text of its key event, as from an input method.
            for (const QChar c : row.typed) {
                if (c.unicode() < 0x80)
                    QTest::keyClicks(dlg.Edit(), QString(c));
                else
                    QTest::sendKeyEvent(QTest::Click, dlg.Edit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
            if (row.atStart)
                QTest::keyClick(dlg.Edit(), Qt::Key_Return);
        }
        QTest::mouseClick(dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(row.written.isEmpty() ? row.held : row.written, file.readAll());
        file.close();
        if (!row.refused) {
            EXPECT_EQ(std::vector<std::string> {}, messages.texts);
            EXPECT_FALSE(dlg.isVisible());
            continue;
        }
        ASSERT_EQ(1u, messages.texts.size());
        EXPECT_NE(std::string::npos, messages.texts[0].find(path.toStdString())) << messages.texts[0];
        EXPECT_NE(std::string::npos, messages.texts[0].find(std::string(": ") + row.refused + "\n")) << messages.texts[0];
        EXPECT_TRUE(dlg.isVisible()) << "OK keeps the editor open";
        EXPECT_EQ(shown + row.typed, dlg.Edit()->toPlainText());
    }
}

TEST(FirmwareDialog, ShowsTheSenderAndCancelEndsTheStream)
{
    serialtest::UsePrivateSettings();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.hex"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("S9030000FC\r\n");
    }
    CCommLink link;
    CFirmwareSender& sender = link.GetFirmwareSender();
    ASSERT_TRUE(sender.Begin(path.toStdString()));
    CFirmwareUpdateDlg dlg(sender);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("QUILLOMER-Betriebssystem erneuern"));
    EXPECT_EQ(dlg.StatusText()->toPlainText(), QStringLiteral("Löschen des aktuellen QUILLOMER-Betriebssystems !"));
    // The erasing plays its own animation, the sending the text page's.
    auto* animation = dlg.findChild<CAnimateCtrl*>();
    ASSERT_NE(nullptr, animation);
    EXPECT_EQ(466, animation->GetAnimation());
    EXPECT_TRUE(animation->IsPlaying());
    sender.StartSending();
    EXPECT_TRUE(dlg.StatusText()->toPlainText().endsWith(QStringLiteral("File:") + path));
    EXPECT_EQ(467, animation->GetAnimation());
    EXPECT_TRUE(animation->IsPlaying());
    dlg.show();
    dlg.reject();
    EXPECT_FALSE(sender.IsOpen());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(FirmwareDialog, WaitsForTheLoaderOnceTheFileIsOut)
{
    serialtest::UsePrivateSettings();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kvt.hex"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("S00600004844521B\r\nS1130000285F245F2212226A000424290008237C2A\r\nS9030000FC\r\n");
    }
    CCommLink link;
    CFirmwareSender& sender = link.GetFirmwareSender();
    ASSERT_TRUE(sender.Begin(path.toStdString()));
    // A large font, as at 144 DPI: the status still reads whole.
    struct FontBack {
        const QFont font = QApplication::font();
        ~FontBack() { QApplication::setFont(font); }
    } fontBack;
    QFont large = fontBack.font;
    large.setPixelSize(40);
    QApplication::setFont(large);
    CFirmwareUpdateDlg dlg(sender);
    dlg.show();
    EXPECT_TRUE(dlg.CancelButton()->isEnabled());
    sender.StartSending();
    ASSERT_TRUE(serialtest::PumpUntil([&] { return sender.IsAwaitingVerdict(); }));
    EXPECT_EQ(dlg.Bar()->value(), 100);
    EXPECT_EQ(dlg.StatusText()->toPlainText(),
              QStringLiteral("Das neue QUILLOMER-Betriebssystem ist übertragen.\nWarten auf die Bestätigung von QUILLOMER ..."));
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.StatusText()->verticalScrollBar()->maximum(), 0) << "the status text is cut off";
    // Nothing is left to cancel: neither the button, nor Escape, nor the close box ends it.
    EXPECT_FALSE(dlg.CancelButton()->isEnabled());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    dlg.close();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(sender.IsOpen());
    // The loader's verdict closes it.
    sender.CloseAsDone();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(CommWindowsHost, TheMainFrameHostsTheLinkAndItsMonitor)
{
    serialtest::UsePrivateSettings();
    QSettings().remove(QStringLiteral("Settings/MonitorSize"));
    auto frame = std::make_unique<CMainFrame>();
    ASSERT_TRUE(frame->OnCreate());
    auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
    ASSERT_NE(link, nullptr);
    auto* monitor = qobject_cast<CProtocolMonitorFrm*>(frame->GetProtocolMonitor());
    ASSERT_NE(monitor, nullptr);
    // What the link shows reaches the monitor's text; showing it resets the shorthand.
    link->Host().AppendMonitorText("/AUDIO/IN1/VOL -10\r\n/>");
    EXPECT_EQ(monitor->GetMonitorView()->toPlainText(), QStringLiteral("/AUDIO/IN1/VOL -10\n/>"));
    link->SendCommand("/AUDIO/IN1/VOL -12", nullptr, true);
    link->Host().ShowProtocolMonitor(true);
    EXPECT_TRUE(frame->IsProtocolMonitorVisible());
    EXPECT_EQ(link->GetLastSentPath(), "");
    link->Host().ClearProtocolMonitor();
    EXPECT_TRUE(monitor->GetMonitorView()->toPlainText().isEmpty());
    link->Host().ShowProtocolMonitor(false);
    EXPECT_FALSE(frame->IsProtocolMonitorVisible());
    // The frame offers the device commands to the link first.
    CCmdUI disconnect(32772);
    EXPECT_TRUE(frame->RouteUpdate(disconnect));
    EXPECT_FALSE(disconnect.m_enabled);  // not connected
}

// Where no desktop program takes text files (the offscreen platform has
// none), the difference file is shown by the program itself: one window that
// names the file and shows its lines in the project's code page; the next
// upload's file comes into the same window.
TEST(CommWindowsHost, DifferenceFileWithoutADesktopProgramIsShownByTheProgram)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("Halle.err"));
    const QString second = dir.filePath(QStringLiteral("Süd.err"));
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(first, "Linie 3 : Gro\xDF" "e Halle fehlt\r\nBedingung 1 : Interfaceeingang  2 fehlt\r\n");
    write(second, "ERROR: /KVT/ZONE1/TESTVOL >>3<< should be >>4<<\r\n");
    CCommWindowsHost host(nullptr, nullptr);
    EXPECT_EQ(host.OwnFileView(), nullptr);

    host.OpenInEditor(first.toStdString());
    QPointer<CErrFileView> view = host.OwnFileView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->Text(), QStringLiteral("Linie 3 : Große Halle fehlt\nBedingung 1 : Interfaceeingang  2 fehlt\n"));
    bool named = false;
    for (QLabel* label : view->findChildren<QLabel*>())
        named = named || label->text().contains(QDir::toNativeSeparators(first));
    EXPECT_TRUE(named) << "the window names the file's path";
    EXPECT_TRUE(view->findChild<QPlainTextEdit*>()->isReadOnly());

    host.OpenInEditor(second.toStdString());
    EXPECT_EQ(host.OwnFileView(), view.data());
    EXPECT_EQ(view->Path(), second);
    EXPECT_EQ(view->Text(), QStringLiteral("ERROR: /KVT/ZONE1/TESTVOL >>3<< should be >>4<<\n"));
    EXPECT_TRUE(view->windowTitle().contains(QStringLiteral("Süd.err")));

    // A file that may not be read (modes 0200 and 000, refused to the
    // administrator too) holds the upload's differences all the same: the
    // window says it cannot be read and why, never shows it as empty; read
    // again once it may be, it shows the lines.
    const struct {
        const char* name;
        QFile::Permissions mode;
    } unreadable[] = {{"write-only", QFile::WriteOwner}, {"no permission at all", {}}};
    for (const auto& row : unreadable) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QFile::setPermissions(second, row.mode));
        host.OpenInEditor(second.toStdString());
        EXPECT_EQ(host.OwnFileView(), view.data());
        EXPECT_EQ(view->Text().toStdString(),
                  FileNotReadText(QDir::toNativeSeparators(second).toStdString(), ReadFailureReason(EACCES)));
        ASSERT_TRUE(QFile::setPermissions(second, QFile::ReadOwner | QFile::WriteOwner));
        host.FileRewritten(second.toStdString());
        EXPECT_EQ(view->Text(), QStringLiteral("ERROR: /KVT/ZONE1/TESTVOL >>3<< should be >>4<<\n"));
    }

    // Closed, it is gone; the next file opens a new one.
    view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    host.OpenInEditor(first.toStdString());
    ASSERT_NE(host.OwnFileView(), nullptr);
    EXPECT_TRUE(host.OwnFileView()->isVisible());

    // The upload of a feature window, which runs modally, shows its file over
    // that window: the user scrolls it and closes it with its own button.
    for (const QString& path : {first, second}) {
        SCOPED_TRACE(path.toStdString());
        QDialog feature;
        feature.setWindowModality(Qt::ApplicationModal);
        feature.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&feature));
        host.OpenInEditor(path.toStdString());
        QPointer<CErrFileView> shown = host.OwnFileView();
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown.data()));
        QPushButton* close = shown->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
        // Through the window, as the pointer does, where a blocked window drops it.
        const QPoint at = close->mapTo(shown.data(), close->rect().center());
        QTest::mouseClick(shown->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull()) << "the file's window takes the click that closes it";
    }
}
