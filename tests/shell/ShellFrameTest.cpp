// The main frame: service menu items, no separator left last, dropped files,
// device queries, the protocol monitor's place, message boxes.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>
#include <QLabel>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextDocument>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QUrl>
#include <QMimeData>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <QMessageBox>

#include <functional>
#include <memory>

#include "ShellTestSupport.h"
#include "comm/IDeviceLink.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/MessageBoxHandler.h"
#include "shell/ShellIds.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CObjectDlg.h"

namespace {
class FakeLink : public IDeviceLink {
public:
    bool OnCommand(int id) override
    {
        commands.push_back(id);
        return id == ids::Connect;
    }
    bool OnUpdateCommand(CCmdUI& ui) override
    {
        if (ui.m_nID != ids::Connect)
            return false;
        ui.Enable(true);
        return true;
    }
    std::string Query(const std::string& command, int waitMs) override
    {
        lastQuery = command;
        lastWait = waitMs;
        return answer;
    }
    void SendTextFile(const std::string& path) override { sentFiles.push_back(path); }
    void OnDocumentClosing(CQuillomerDoc*, bool closing) override { closings.push_back(closing); }
    bool IsConnected() const override { return connected; }

    std::vector<int> commands;
    std::vector<std::string> sentFiles;
    std::vector<bool> closings;
    std::string lastQuery, answer;
    int lastWait = 0;
    bool connected = false;
};

struct FrameFixture : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch projectData{{"CProjectDataDlg"}};
    std::unique_ptr<CQuillomerApp> app;
    FakeLink* link = nullptr;

    void Start(int serviceFlags, bool withDocument)
    {
        QSettings().setValue("Settings/Language", "German");
        QSettings().setValue("Configuration/KVT Registry", serviceFlags);
        QSettings().setValue("Configuration/ShellCommand", withDocument ? 1 : 0);
        app = std::make_unique<CQuillomerApp>();
        ASSERT_TRUE(app->InitInstance({}));
        auto fake = std::make_unique<FakeLink>();
        link = fake.get();
        app->GetMainFrame()->SetDeviceLink(std::move(fake));
    }
    CMainFrame* Frame() { return app->GetMainFrame(); }

    // Every menu of the bar brought up to date; returns the visible items' ids
    // (0 for a separator) per menu.
    std::vector<std::vector<int>> VisibleMenus()
    {
        std::vector<std::vector<int>> all;
        std::function<void(QMenu*)> walk = [&](QMenu* m) {
            Frame()->UpdateMenu(m);
            std::vector<int> items;
            for (QAction* a : m->actions()) {
                if (!a->isVisible())
                    continue;
                if (a->menu())
                    walk(a->menu());
                items.push_back(a->isSeparator() ? 0 : a->property("commandId").toInt() + (a->menu() ? -1 : 0));
            }
            all.push_back(items);
        };
        for (QMenu* m : Frame()->CurrentMenus())
            walk(m);
        return all;
    }
    static bool Contains(const std::vector<std::vector<int>>& menus, int id)
    {
        for (const auto& m : menus)
            if (std::find(m.begin(), m.end(), id) != m.end())
                return true;
        return false;
    }
};
}  // namespace

TEST_F(FrameFixture, ServiceFlagZeroRemovesItemsAndLeavesNoSeparatorLast)
{
    for (bool withDoc : {false, true}) {
        Start(0, withDoc);
        EXPECT_EQ(Frame()->IsDocumentMenuShown(), withDoc);
        const auto menus = VisibleMenus();
        for (int id : {int(ids::ProtocolMonitor), int(ids::HelpIndex)})
            EXPECT_FALSE(Contains(menus, id)) << id;
        if (withDoc) {
            for (int id : {int(ids::Fuses), int(ids::Monitor), int(ids::Service)})
                EXPECT_FALSE(Contains(menus, id)) << id;
        }
        // No help file next to the test program: "Hilfethemen" is gone too.
        EXPECT_FALSE(Contains(menus, ids::HelpFinder));
        for (const auto& m : menus) {
            ASSERT_FALSE(m.empty());
            EXPECT_NE(m.back(), 0) << "separator last";
            EXPECT_NE(m.front(), 0) << "separator first";
            for (size_t i = 1; i < m.size(); ++i)
                EXPECT_FALSE(m[i] == 0 && m[i - 1] == 0) << "two separators";
        }
        app.reset();
    }
}

TEST_F(FrameFixture, ServiceFlagBitsShowTheirItems)
{
    Start(0x20 | 0x100 | 0x08, true);
    const auto menus = VisibleMenus();
    EXPECT_TRUE(Contains(menus, ids::ProtocolMonitor));
    EXPECT_TRUE(Contains(menus, ids::HelpIndex));
    EXPECT_TRUE(Contains(menus, ids::Fuses));
    EXPECT_FALSE(Contains(menus, ids::Monitor));
    // The protocol monitor item is disabled while the link is not connected.
    EXPECT_FALSE(Frame()->FindMenuAction(ids::ProtocolMonitor)->isEnabled());
    link->connected = true;
    VisibleMenus();
    EXPECT_TRUE(Frame()->FindMenuAction(ids::ProtocolMonitor)->isEnabled());
}

TEST_F(FrameFixture, CommandsGoToTheDeviceLinkFirst)
{
    Start(0, false);
    EXPECT_TRUE(Frame()->OnCmdMsg(ids::Connect));
    EXPECT_EQ(link->commands, std::vector<int>({ids::Connect}));
    // A command no target handles is disabled and not carried out.
    EXPECT_FALSE(Frame()->OnCmdMsg(ids::LoadFirmware));
    CCmdUI ui(ids::LoadFirmware);
    EXPECT_FALSE(Frame()->RouteUpdate(ui));
}

TEST_F(FrameFixture, DroppedFiles)
{
    Start(0, false);
    Frame()->OnDropFiles({"/tmp/a.qlx", "/tmp/b.qlx"});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "Bitte nur 1 Datei fallen lassen !");
    EXPECT_EQ(messages.messages[0].second, uint32_t(mb::IconStop));
    EXPECT_TRUE(link->sentFiles.empty());

    Frame()->OnDropFiles({"/tmp/readme.TxT"});
    EXPECT_EQ(link->sentFiles, std::vector<std::string>({"/tmp/readme.TxT"}));
    EXPECT_TRUE(app->GetDocTemplate()->GetDocuments().empty());

    // A project file opens as a document.
    const QString path = QDir(settings.Path()).filePath("drop.qlx");
    {
        CQuillomerDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        ASSERT_TRUE(doc.OnSaveDocument(path.toStdString()));
    }
    Frame()->OnDropFiles({path});
    ASSERT_EQ(app->GetDocTemplate()->GetDocuments().size(), 1u);
    EXPECT_EQ(link->sentFiles.size(), 1u);
}

// A drag from the file manager brings files; a web link dragged out of a
// browser names no file: the window does not take it, and nothing is opened,
// sent or reported.
TEST_F(FrameFixture, OnlyFilesAreTakenWhenDropped)
{
    Start(0, false);
    Frame()->show();
    const QString path = QDir(settings.Path()).filePath("drop.qlx");
    {
        CQuillomerDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        ASSERT_TRUE(doc.OnSaveDocument(path.toStdString()));
    }
    // Drags the urls over the window and, when it takes them, drops them there.
    auto dragAndDrop = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = Frame()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &drop);
        return true;
    };
    EXPECT_FALSE(dragAndDrop({QUrl(QStringLiteral("https://example.com/Anlage.qlx"))}));
    EXPECT_FALSE(dragAndDrop({QUrl::fromLocalFile(path), QUrl(QStringLiteral("https://example.com/readme.txt"))}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(app->GetDocTemplate()->GetDocuments().empty());
    EXPECT_TRUE(link->sentFiles.empty());

    EXPECT_TRUE(dragAndDrop({QUrl::fromLocalFile(path)}));
    EXPECT_EQ(app->GetDocTemplate()->GetDocuments().size(), 1u);
}

TEST_F(FrameFixture, QueryDeviceWaitsForTheEchoAndDropsIt)
{
    Start(0, false);
    EXPECT_EQ(CMainFrame::QueryWaitMs(10), 122);
    EXPECT_EQ(Frame()->QueryDevice(""), "");
    EXPECT_TRUE(link->lastQuery.empty());
    link->answer = "/SYS/VER ?\r\n/SYS/VER 4.1\r";
    EXPECT_EQ(Frame()->QueryDevice("/SYS/VER ?"), "/SYS/VER 4.1\r");
    EXPECT_EQ(link->lastQuery, "/SYS/VER ?");
    EXPECT_EQ(link->lastWait, 122);
    link->answer = "/SYS";
    EXPECT_EQ(Frame()->QueryDevice("/SYS/VER ?"), "");
}

TEST(ShellFrame, MonitorSizeNeedsFourNumbers)
{
    EXPECT_EQ(CMainFrame::ParseMonitorSize("10,20,500,300"), QRect(10, 20, 500, 300));
    EXPECT_EQ(CMainFrame::ParseMonitorSize("10,20"), QRect(80, 80, 300, 400));
    EXPECT_EQ(CMainFrame::ParseMonitorSize(""), QRect(80, 80, 300, 400));
}

TEST_F(FrameFixture, ProtocolMonitorIsPlacedFromTheProfileAndStartsHidden)
{
    QSettings().setValue("Settings/MonitorSize", "10,20,500,300");
    auto previous = CMainFrame::SetProtocolMonitorFactory([](CMainFrame*) { return new QWidget; });
    Start(0x20, false);
    CMainFrame::SetProtocolMonitorFactory(previous);
    QWidget* monitor = Frame()->GetProtocolMonitor();
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->pos(), QPoint(10, 20));
    EXPECT_EQ(monitor->windowTitle(), QString("QUILLOMER Communication Monitor"));
    EXPECT_FALSE(Frame()->IsProtocolMonitorVisible());
    link->connected = true;
    Frame()->OnCmdMsg(ids::ProtocolMonitor);
    EXPECT_TRUE(Frame()->IsProtocolMonitorVisible());
    QApplication::processEvents();
    // The stored placement is the outer frame, border and title included:
    // shown, the monitor's frame stands exactly there (stored again, it
    // neither creeps nor grows).
    EXPECT_EQ(monitor->frameGeometry(), QRect(10, 20, 500, 300));
    Frame()->OnCmdMsg(ids::ProtocolMonitor);
    EXPECT_FALSE(Frame()->IsProtocolMonitorVisible());
}

TEST(ShellMessageBox, ButtonsIconsAndDefaultButtonMatchTheFlags)
{
    auto box = CreateMessageBox("Frage ?\r\nZweite Zeile", mb::YesNo | mb::IconQuestion | mb::DefButton2);
    EXPECT_EQ(box->text(), QString("Frage ?\nZweite Zeile"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::No));

    box = CreateMessageBox("x", mb::OkCancel | mb::IconExclamation);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Ok));

    box = CreateMessageBox("x", mb::YesNoCancel | mb::DefButton3 | mb::IconInformation);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Cancel));
    EXPECT_EQ(box->icon(), QMessageBox::Information);

    box = CreateMessageBox("x", mb::IconStop);
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);

    box = CreateMessageBox("x", mb::AbortRetryIgnore | mb::DefButton2);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Retry));

    EXPECT_EQ(AnswerOfButton(QMessageBox::Yes), mb::IdYes);
    EXPECT_EQ(AnswerOfButton(QMessageBox::No), mb::IdNo);
    EXPECT_EQ(AnswerOfButton(QMessageBox::Cancel), mb::IdCancel);
    EXPECT_EQ(AnswerOfButton(QMessageBox::Retry), mb::IdRetry);
    EXPECT_EQ(AnswerOfButton(QMessageBox::Ignore), mb::IdIgnore);
    EXPECT_EQ(AnswerOfButton(QMessageBox::Abort), mb::IdAbort);
    EXPECT_EQ(AnswerOfButton(QMessageBox::Ok), mb::IdOk);
}

// What the box shown for a message answers, as the user meets it over a
// window of the program: a key pressed, or the window gone under the box.
TEST(ShellMessageBox, TheBoxAnswersWhatTheUserDid)
{
    struct Row {
        const char* name;
        uint32_t type;
        std::function<void(QMessageBox*, std::unique_ptr<QWidget>&)> act;
        int answer;
    };
    const Row rows[] = {
        {"Enter on OK", mb::Ok, [](QMessageBox* box, auto&) { QTest::keyClick(box, Qt::Key_Return); }, mb::IdOk},
        {"Escape on yes or no", mb::YesNo,
         [](QMessageBox* box, auto&) { QTest::keyClick(box, Qt::Key_Escape); }, mb::IdNo},
        // The window it stands over is deleted while it is read (a timer of
        // the window, the line lost): the box goes with it, once.
        {"its window deleted", mb::YesNoCancel, [](QMessageBox*, auto& window) { window.reset(); }, mb::IdCancel},
    };
    const MessageHandler previous = SetMessageHandler(nullptr);
    InstallMessageBoxHandler();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto window = std::make_unique<QWidget>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        bool shown = false;
        QObject scope;  // the timer dies with the locals it uses
        QTimer::singleShot(0, &scope, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = box->parentWidget() == window.get();
            row.act(box, window);
        });
        EXPECT_EQ(ShowMessage("Meldung", row.type), row.answer);
        EXPECT_TRUE(shown);
    }
    SetMessageHandler(previous);
}

// A message with tab-separated lines: the lines with tabs form a table whose
// cells keep their columns, an empty cell included; a long line without tabs
// wraps at the box's width instead of widening the box.
TEST(ShellMessageBox, TabbedLinesKeepTheirColumnsAndOtherLinesWrap)
{
    const QString longLine = QStringLiteral("Diese Zeile hat keinen Tabulator und ist so lang, dass sie in keinem "
                                            "Meldungsfenster auf eine Zeile passt: sie muss umbrechen, statt das "
                                            "Fenster breiter zu machen oder am Rand abgeschnitten zu werden.");
    const std::string text = ("Name\tWert\tEinheit\nPegel\t-6\tdB\n\tnur Wert\tdB\nFrequenz\t \tHz\n"
                              "Makros\t\t\t\t250\t(80)\n" + longLine + "\nEnde")
                                 .toStdString();
    auto box = CreateMessageBox(text, mb::Ok);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    const QString html = label->text();

    // The cells of each row, in column order.
    std::vector<QStringList> rows;
    static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>(.*?)</td>"));
    for (auto r = rowPattern.globalMatch(html); r.hasNext();) {
        QStringList cells;
        const QString row = r.next().captured(1);
        for (auto c = cellPattern.globalMatch(row); c.hasNext();)
            cells << c.next().captured(1);
        rows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (QStringList{"Name", "Wert", "Einheit"}));
    EXPECT_EQ(rows[1], (QStringList{"Pegel", "-6", "dB"}));
    EXPECT_EQ(rows[2], (QStringList{"", "nur Wert", "dB"}));
    EXPECT_EQ(rows[3], (QStringList{"Frequenz", "", "Hz"}));
    EXPECT_EQ(rows[4], (QStringList{"Makros", "250", "(80)"}));  // tabs that only pad to a stop

    // Laid out 500 pixels wide, the message needs no more: the long line wraps.
    QTextDocument doc;
    doc.setDefaultFont(label->font());
    doc.setHtml(html);
    doc.setTextWidth(500);
    EXPECT_LE(doc.idealWidth(), 500.0);
    EXPECT_GT(QFontMetrics(label->font()).horizontalAdvance(longLine), 500);
    if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
        box->grab().save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/message-table.png"));
}

// The " !" that ends a message never stands on a line of its own, whatever
// width the box wraps it at.
TEST(ShellMessageBox, TheClosingMarkStaysWithItsWord)
{
    for (const char* message : {"The name 'QTB-QTB8174 1' already exists. Please choose another one !",
                                "Erste Zeile !\nBitte geben Sie ein korrektes Datum ein !"}) {
        SCOPED_TRACE(message);
        auto box = CreateMessageBox(message, mb::Ok | mb::IconStop);
        const QString shown = box->text();
        const QFontMetrics metrics(box->font());
        int wrapped = 0;
        for (int width = 30; width <= metrics.horizontalAdvance(shown) + 10; width += 3) {
            for (const QString& paragraph : shown.split(QLatin1Char('\n'))) {
                QTextLayout layout(paragraph, box->font());
                QTextOption option;
                option.setWrapMode(QTextOption::WordWrap);
                layout.setTextOption(option);
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
                    line.setLineWidth(width);
                layout.endLayout();
                for (int i = 0; i < layout.lineCount(); ++i) {
                    const QTextLine line = layout.lineAt(i);
                    const QString piece = paragraph.mid(line.textStart(), line.textLength()).trimmed();
                    EXPECT_NE(piece, QStringLiteral("!")) << "at " << width << " pixels";
                }
                wrapped += layout.lineCount() > 1 ? 1 : 0;
            }
        }
        EXPECT_GT(wrapped, 0);
    }
}

TEST_F(FrameFixture, CloseAsksToSaveAModifiedDocument)
{
    Start(0, true);
    CDocTemplate* docs = app->GetDocTemplate();
    ASSERT_EQ(docs->GetDocuments().size(), 1u);
    CQuillomerDoc* doc = docs->GetDocuments().front();
    doc->SetModifiedFlag(true);
    messages.Answer(mb::IdCancel);
    EXPECT_TRUE(Frame()->OnCmdMsg(ids::FileClose));
    ASSERT_EQ(docs->GetDocuments().size(), 1u);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].second, uint32_t(mb::YesNoCancel | mb::IconExclamation));

    // Save through the command, then close without a question.
    const QString path = QDir(settings.Path()).filePath("Halle.qlx");
    docs->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return path; });
    EXPECT_TRUE(Frame()->OnCmdMsg(ids::FileSave));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path.toStdString());
    EXPECT_TRUE(Frame()->OnCmdMsg(ids::FileClose));
    EXPECT_TRUE(docs->GetDocuments().empty());
    EXPECT_EQ(messages.messages.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Frame()->IsDocumentMenuShown());
    EXPECT_EQ(Frame()->GetActiveView(), nullptr);
}

// Placements the user wrote into the settings file by hand, without the
// quotes the program writes, are taken like those the program stored: the
// protocol monitor, a feature window and a resizable dialog open there.
TEST_F(FrameFixture, PlacementsWrittenByHandWithoutQuotesAreTaken)
{
    {
        QSettings settingsFile;
        settingsFile.sync();
        QFile file(settingsFile.fileName());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Settings]\nMonitorSize=10,20,500,300\nDlgSize=30,40,700,450\n"
                   "[Configuration]\nD430=50,60,650,420\n");
    }
    auto previous = CMainFrame::SetProtocolMonitorFactory([](CMainFrame*) { return new QWidget; });
    Start(0x20, false);
    CMainFrame::SetProtocolMonitorFactory(previous);
    link->connected = true;
    Frame()->OnCmdMsg(ids::ProtocolMonitor);
    QApplication::processEvents();
    ASSERT_NE(Frame()->GetProtocolMonitor(), nullptr);
    EXPECT_EQ(Frame()->GetProtocolMonitor()->frameGeometry(), QRect(10, 20, 500, 300));

    CObjectDlg host(nullptr, QStringLiteral("Fenster"), Frame());
    host.show();
    QApplication::processEvents();
    EXPECT_EQ(host.geometry(), QRect(30, 40, 700, 450));
    host.reject();

    QList<CBaseDevice*> chosen;
    CLineGroupSelectDlg lines(&chosen, Frame());
    lines.show();
    QApplication::processEvents();
    EXPECT_EQ(lines.geometry(), QRect(50, 60, 600, 360));
    lines.reject();

    // A number no screen reaches (which "%d" would wrap into another place)
    // is no placement: the window opens where it opens with none kept.
    EXPECT_EQ(CMainFrame::ParseMonitorSize(QStringLiteral("99999999999,20,500,300")),
              CMainFrame::ParseMonitorSize(QString()));
    auto opened = [&](const char* hostSize, const char* dialogSize) {
        QSettings().setValue(QStringLiteral("Settings/DlgSize"), QString::fromLatin1(hostSize));
        QSettings().setValue(QStringLiteral("Configuration/D430"), QString::fromLatin1(dialogSize));
        CObjectDlg host(nullptr, QStringLiteral("Fenster"), Frame());
        host.show();
        CLineGroupSelectDlg dialog(&chosen, Frame());
        dialog.show();
        QApplication::processEvents();
        const std::pair<QRect, QRect> shown{host.geometry(), dialog.geometry()};
        dialog.reject();
        host.reject();
        return shown;
    };
    EXPECT_EQ(opened("4294967326,40,700,450", "50,4294967356,650,420"), opened("", ""));
}
