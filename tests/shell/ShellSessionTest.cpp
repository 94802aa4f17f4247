// The application across a session: the language survives a restart and every
// text of the windows exists in both languages; links and the text viewer go
// to the desktop as URLs (no command line); the zoom commands follow the level
// in the menu; two open projects never write into each other's file; a file
// that is no project is refused.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <chrono>
#include <fstream>
#include <map>
#include <set>

#include "ShellProgramTest.h"
#include "comm/windows/CCommWindowsHost.h"
#include "shell/CAboutDlg.h"
#include "shell/CChildFrame.h"
#include "shell/CLabelEdit.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CPrintContentDlg.h"
#include "shell/CProjectDataDlg.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/ShellIds.h"
#include "shell/CZoomToolBar.h"
#include "model/ModelStrings.h"
#include "platform/StringTable.h"
#include "service/CFuse.h"
#include "service/windows/CFuseFrm.h"
#include "ui/CHyperLink.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"

namespace {

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Peak memory the process reaches while `f` runs, above what it held before (kB).
template <class F>
long PeakGrowthKb(F f)
{
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
    const long before = StatusKb("VmRSS:");
    f();
    return StatusKb("VmHWM:") - before;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

using ShellOpenFile = ShellProgramTest;

// Catches what the program hands to the desktop instead of starting anything.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* scheme : {"mailto", "http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : {"mailto", "http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls << url; }
};

// Every text of the menus (titles and items, with their sub-menus).
void MenuTexts(QMenu* menu, QStringList& out)
{
    out << menu->title();
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            MenuTexts(a->menu(), out);
        else
            out << a->text().section(QLatin1Char('\t'), 0, 0);  // what follows a tab is not a text
    }
}

QStringList FrameTexts(CMainFrame* frame)
{
    QStringList out;
    for (QMenu* m : frame->CurrentMenus())
        MenuTexts(m, out);
    for (QToolBar* bar : frame->findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (!a->isSeparator())
                out << a->toolTip();
    for (QLabel* pane : frame->statusBar()->findChildren<QLabel*>())
        out << pane->text().trimmed();
    return out;
}

QStringList DialogTexts(QWidget* dlg)
{
    QStringList out{dlg->windowTitle()};
    for (QLabel* l : dlg->findChildren<QLabel*>())
        if (!l->text().isEmpty())
            out << l->text();
    for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
        if (!b->text().isEmpty())
            out << b->text();
    for (QGroupBox* g : dlg->findChildren<QGroupBox*>())
        if (!g->title().isEmpty())
            out << g->title();
    return out;
}

// The English resources: German text -> English text.
std::map<QString, QString> EnglishResources()
{
    QFile f(QStringLiteral(QL_SOURCE_DIR_VALUE "/translations/QLRESENU.ts"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QString ts = QString::fromUtf8(f.readAll());
    auto unescape = [](QString s) {
        QTextDocument d;
        d.setHtml(QStringLiteral("<pre>") + s + QStringLiteral("</pre>"));
        return d.toPlainText();
    };
    std::map<QString, QString> english;
    static const QRegularExpression re(QStringLiteral("<source>(.*?)</source>\\s*(?:<comment>.*?</comment>\\s*)?"
                                                      "<translation[^>]*>(.*?)</translation>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    for (auto it = re.globalMatch(ts); it.hasNext();) {
        const auto m = it.next();
        english[unescape(m.captured(1))] = unescape(m.captured(2));
    }
    return english;
}

// Texts that are spelt alike in both languages (names, abbreviations).
bool HasLetters(const QString& t)
{
    static const QRegularExpression letters(QStringLiteral("[A-Za-zÄÖÜäöüß]{2,}"));
    return t.contains(letters);
}

// Whether the English resources carry `text` (numbers filled in for "%1" and
// blanks around it allowed).
bool HasEnglish(const std::map<QString, QString>& resources, const QString& text)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    for (const auto& [german, english] : resources) {
        if (english.isEmpty())
            continue;
        const QString g = german.trimmed();
        if (g == text.trimmed() || g == QString(text.trimmed()).replace(number, QStringLiteral("%1")))
            return true;
    }
    return false;
}

}  // namespace

TEST(ShellSession, LanguageChoiceSurvivesARestartAndEveryTextHasBothLanguages)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 1);
    const std::map<QString, QString> resources = EnglishResources();
    ASSERT_GT(resources.size(), 100u);
    std::set<QString> germanOnly;
    for (const auto& [german, english] : resources)
        if (german != english)
            germanOnly.insert(german);

    QStringList germanTexts;
    {
        CQuillomerApp app;
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        germanTexts = FrameTexts(app.GetMainFrame());
        // Every German text of the windows is one the English resources know.
        CAboutDlg about;
        CPrintContentDlg content;
        CProjectDataDlg project;
        CSelectionDlg selection;
        germanTexts << DialogTexts(&about) << DialogTexts(&content) << DialogTexts(&project)
                    << DialogTexts(&selection);
        EXPECT_TRUE(germanTexts.contains(QStringLiteral("Abbrechen")));
        for (const QString& t : germanTexts) {
            if (HasLetters(t) && !t.startsWith(QLatin1Char('/'))) {  // device paths are no texts
                EXPECT_TRUE(HasEnglish(resources, t))
                    << "German text without English: " << t.toStdString();
            }
        }
        app.GetMainFrame()->FindMenuAction(ids::LanguageEnglish)->trigger();
        ASSERT_TRUE(app.IsEnglishResources());
    }
    EXPECT_EQ(QSettings().value("Settings/Language").toString(), QString("English"));

    // The next start comes up in English, menus and dialogs alike.
    {
        CQuillomerApp app;
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(app.IsEnglishResources());
        EXPECT_EQ(app.GetLanguage(), CQuillomerApp::LangEnglish);
        CMainFrame* frame = app.GetMainFrame();
        EXPECT_EQ(frame->CurrentMenus().front()->title(), QString("&File"));
        EXPECT_NE(frame->FindMenuAction(ids::LanguageToGerman), nullptr);
        QStringList english = FrameTexts(frame);
        CAboutDlg about;
        CPrintContentDlg content;
        CProjectDataDlg project;
        CSelectionDlg selection;
        english << DialogTexts(&about) << DialogTexts(&content) << DialogTexts(&project) << DialogTexts(&selection);
        EXPECT_TRUE(english.contains(QStringLiteral("Cancel")));
        for (const QString& t : english)
            EXPECT_EQ(germanOnly.count(t), 0u) << "still German in English: " << t.toStdString();
        frame->FindMenuAction(ids::LanguageToGerman)->trigger();
    }
    EXPECT_EQ(QSettings().value("Settings/Language").toString(), QString("German"));
    {
        CQuillomerApp app;
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_FALSE(app.IsEnglishResources());
        EXPECT_EQ(app.GetMainFrame()->CurrentMenus().front()->title(), QString("&Datei"));
    }
}

TEST(ShellSession, LinksAndTheTextViewerGoToTheDesktopAsOneUrl)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    UrlCatcher catcher;
    CAboutDlg about;
    auto* mail = about.findChild<CHyperLink*>("1646");
    auto* web = about.findChild<CHyperLink*>("1647");
    ASSERT_NE(mail, nullptr);
    ASSERT_NE(web, nullptr);
    mail->OnClicked();
    web->OnClicked();
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].scheme(), QString("mailto"));
    EXPECT_EQ(catcher.urls[1].scheme(), QString("https"));
    EXPECT_TRUE(messages.messages.empty());

    // A file name full of shell characters reaches the viewer whole, as a file.
    QTemporaryDir dir;
    const QString odd = dir.filePath("a b;touch x$(id)&'q'.err");
    CCommWindowsHost host(nullptr, nullptr);
    host.OpenInEditor(odd.toStdString());
    ASSERT_EQ(catcher.urls.size(), 3);
    EXPECT_TRUE(catcher.urls[2].isLocalFile());
    EXPECT_EQ(catcher.urls[2].toLocalFile(), odd);
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
}

TEST(ShellSession, ZoomCommandsFollowTheLevelInMenuAndToolBar)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 1);
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainFrame();
    CQuillomerView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    QAction* in = frame->FindMenuAction(ids::ZoomIn);
    QAction* out = frame->FindMenuAction(ids::ZoomOut);
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    auto refresh = [&] {
        frame->UpdateMenu(qobject_cast<QMenu*>(in->parent()));
        frame->UpdateToolBars();
    };
    refresh();
    EXPECT_TRUE(in->isEnabled());
    EXPECT_TRUE(out->isEnabled());
    for (int i = 0; i < 3; ++i)
        in->trigger();
    EXPECT_EQ(view->GetZoom(), 6);
    refresh();
    EXPECT_FALSE(in->isEnabled());
    EXPECT_TRUE(out->isEnabled());
    for (int i = 0; i < 5; ++i)
        out->trigger();
    EXPECT_EQ(view->GetZoom(), 2);
    refresh();
    EXPECT_TRUE(in->isEnabled());
    EXPECT_FALSE(out->isEnabled());
    // The zoom tool bar's buttons say the same.
    for (QAction* a : frame->GetZoomBar()->actions()) {
        const QVariant id = a->property("commandId");
        if (id.isValid() && id.toInt() == ids::ZoomOut) {
            EXPECT_FALSE(a->isEnabled());
        }
        if (id.isValid() && id.toInt() == ids::ZoomIn) {
            EXPECT_TRUE(a->isEnabled());
        }
    }
}

TEST(ShellSession, SavingOneOfTwoOpenProjectsLeavesTheOtherFileAlone)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 0);
    QTemporaryDir dir;
    const QString pathA = dir.filePath("Erstes.qlx");
    const QString pathB = dir.filePath("Zweites.qlx");
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CDocTemplate* tpl = app.GetDocTemplate();
    CMainFrame* frame = app.GetMainFrame();
    {
        // Two projects on disk, then both closed.
        QString next = pathA;
        tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return next; });
        CQuillomerDoc* a = tpl->OpenDocumentFile(QString());
        ASSERT_TRUE(tpl->SaveDocument(a, true));
        next = pathB;
        CQuillomerDoc* b = tpl->OpenDocumentFile(QString());
        ASSERT_TRUE(tpl->SaveDocument(b, true));
        tpl->CloseAllDocuments();
    }
    auto bytesOf = [](const QString& p) {
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    const QByteArray originalA = bytesOf(pathA);
    const QByteArray originalB = bytesOf(pathB);

    CQuillomerDoc* a = tpl->OpenDocumentFile(pathA);
    CQuillomerDoc* b = tpl->OpenDocumentFile(pathB);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(a, b);
    EXPECT_EQ(frame->GetActiveView()->GetDocument(), b);

    // Edit the first project while the second is the one in front: a new
    // name through the label edit and a move.
    EXPECT_FALSE(a->IsModified());
    CQuillomerView* viewA = tpl->GetView(a);
    CBaseDevice* obj = nullptr;
    for (int c = 1; c <= CAT_LAST && !obj; ++c)
        for (CBaseDevice* o : a->GetList(c))
            if (!o->GetRect().IsRectEmpty() && !o->GetName().empty()) {
                obj = o;
                break;
            }
    ASSERT_NE(obj, nullptr);
    ASSERT_TRUE(viewA->BeginLabelEdit(CPoint(obj->GetLabelRect().left, obj->GetLabelRect().top), obj));
    viewA->GetLabelEdit()->setText("Umbenannt");
    viewA->HandleLeftButtonDown(Qt::NoModifier, QPoint(0, 0));  // a click elsewhere commits
    EXPECT_EQ(obj->GetName(), "Umbenannt");
    EXPECT_TRUE(a->IsModified());
    obj->MoveBy(20, 20, false);
    EXPECT_FALSE(b->IsModified());
    ASSERT_TRUE(tpl->SaveDocument(a, false));
    EXPECT_EQ(bytesOf(pathB), originalB);
    EXPECT_NE(bytesOf(pathA), originalA);

    // Now with the first project in front, saved through the menu.
    tpl->GetView(a)->setFocus();
    frame->GetMdiArea()->setActiveSubWindow(tpl->GetFrame(a));
    ASSERT_EQ(frame->GetActiveView()->GetDocument(), a);
    obj->MoveBy(20, 0, false);
    EXPECT_TRUE(a->IsModified());
    frame->FindMenuAction(ids::FileSave)->trigger();
    EXPECT_FALSE(a->IsModified());
    EXPECT_EQ(bytesOf(pathB), originalB);
    EXPECT_FALSE(b->IsModified());

    // The edit is in the first file and nowhere else.
    tpl->CloseAllDocuments();
    CQuillomerDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(pathA.toStdString()));
    bool found = false;
    for (int c = 1; c <= CAT_LAST; ++c)
        for (CBaseDevice* o : reread.GetList(c))
            found = found || o->GetName() == "Umbenannt";
    EXPECT_TRUE(found);
    EXPECT_EQ(bytesOf(pathB), originalB);
}

#include "ShellSessionTest.moc"

// Opening a file that is no project (a directory, a FIFO, a device, a file
// that cannot be read, one far too large, a damaged one): a message with the
// reason as its detail, quickly and without reading it into memory, and every
// open project stays as it was. A project with a symbol placed out of range
// opens with the symbol moved and says so once.
TEST_F(ShellOpenFile, FilesThatAreNoProjectAreRefusedAndOpenProjectsStayAsTheyWere)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram("German", 0));
    const QDir dir(settings.Path());

    // One project open with an unsaved change.
    const QString good = dir.filePath("Anlage.qlx");
    SaveTo(good);
    CQuillomerDoc* open = tpl->OpenDocumentFile(QString());
    ASSERT_TRUE(tpl->SaveDocument(open, true));
    CBaseDevice* info = open->GetList(CAT_INFO).front();
    info->MoveBy(5, 5, false);
    ASSERT_TRUE(open->IsModified());
    const std::vector<uint8_t> openBytes = open->SaveToBytes();

    const QString fifo = dir.filePath("pipe.qlx");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString folder = dir.filePath("folder.qlx");
    ASSERT_TRUE(dir.mkdir("folder.qlx"));
    const QString huge = dir.filePath("huge.qlx");
    Write(huge, {});
    ASSERT_TRUE(QFile::resize(huge, 200LL << 20));  // sparse: no disk space taken
    const QString loop = dir.filePath("kreis.qlx");
    ASSERT_TRUE(QFile::link(loop + ".2", loop) && QFile::link(loop, loop + ".2"));
    const QString trailing = dir.filePath("trailing.qlx");
    Write(trailing, Bytes(good) + QByteArray(1, '\0'));

    struct Case {
        QString path;
        uint32_t message;
        const char* reason;
    };
    // /proc/self/mem is a regular file whose reading fails at its start: a
    // file that opens but cannot be read (as root, permissions stop nothing).
    const Case cases[] = {
        {folder, IDS_UNKNOWN_FORMAT, "Verzeichnis"},
        {fifo, IDS_UNKNOWN_FORMAT, "keine gewöhnliche Datei"},
        {"/dev/zero", IDS_UNKNOWN_FORMAT, "keine gewöhnliche Datei"},
        {"/proc/self/mem", IDS_UNKNOWN_FORMAT, "kann nicht gelesen werden"},
        {dir.filePath("missing/x.qlx"), IDS_UNKNOWN_FORMAT, "kann nicht geöffnet werden"},
        {dir.filePath("fehlt.qlx"), IDS_UNKNOWN_FORMAT, "kann nicht geöffnet werden: Die Datei ist nicht vorhanden."},
        {loop, IDS_UNKNOWN_FORMAT, "Die symbolischen Verknüpfungen des Pfads verweisen im Kreis aufeinander."},
        {huge, IDS_UNKNOWN_FORMAT, "209715200 Bytes"},
        {trailing, IDS_OPEN_FAILED, "noch 1 Bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.messages.clear();
        messages.details.clear();
        CQuillomerDoc* result = nullptr;
        const auto start = std::chrono::steady_clock::now();
        const long growthKb = PeakGrowthKb([&] { result = tpl->OpenDocumentFile(c.path); });
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_LT(growthKb, 100 * 1024);
        EXPECT_EQ(result, nullptr);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, LoadStringId(c.message));
        EXPECT_NE(messages.details[0].find(c.reason), std::string::npos) << messages.details[0];
        ASSERT_EQ(tpl->GetDocuments(), std::vector<CQuillomerDoc*>{open});
        EXPECT_TRUE(open->IsModified());
        EXPECT_EQ(open->SaveToBytes(), openBytes);
    }

    // A project whose symbol lies far beyond every bound: it opens with the
    // symbol brought into range, modified, and the user is told once.
    CQuillomerDoc far;
    ASSERT_TRUE(far.LoadFromBytes(openBytes));
    far.GetList(CAT_INFO).front()->m_rect.left = -2000000000;
    const QString moved = dir.filePath("moved.qlx");
    ASSERT_TRUE(far.OnSaveDocument(moved.toStdString()));
    messages.messages.clear();
    CQuillomerDoc* loaded = tpl->OpenDocumentFile(moved);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->IsModified());
    EXPECT_EQ(loaded->GetList(CAT_INFO).front()->GetRect().left, 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].first.find(loaded->GetList(CAT_INFO).front()->GetName()), std::string::npos);
    EXPECT_EQ(tpl->GetDocuments().size(), 2u);

    // A project whose fuse steps are 7 and -1 (a hand-made file): it opens
    // with both refused, modified, the user told once which values changed,
    // and the fuse window shows the step the project holds.
    CQuillomerDoc handMade;
    ASSERT_TRUE(handMade.LoadFromBytes(openBytes));
    auto* fuse = dynamic_cast<CFuse*>(handMade.GetIDManager().GetBaseDevice(1, OT_FUSE));
    ASSERT_NE(fuse, nullptr);
    fuse->m_steps[CFuse::Amp485] = 7;
    fuse->m_steps[CFuse::Slot2B] = -1;
    const QString steps = dir.filePath("steps.qlx");
    ASSERT_TRUE(handMade.OnSaveDocument(steps.toStdString()));
    messages.messages.clear();
    CQuillomerDoc* held = tpl->OpenDocumentFile(steps);
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(held->IsModified());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].first.find("/FUSE/SLOT2/B/VALUE: -1 → 3\n/FUSE/AMP485/VALUE: 7 → 3"),
              std::string::npos)
        << messages.messages[0].first;
    CObjectDlg fuses(held, CFuseFrm::kWindowKind);
    fuses.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fuses));
    for (int row : {CFuse::Slot2B, CFuse::Amp485}) {
        auto* list = fuses.findChild<QComboBox*>(QStringLiteral("FuseStep%1").arg(row));
        ASSERT_NE(list, nullptr) << row;
        EXPECT_EQ(list->currentText(), QStringLiteral("990")) << row;
    }
}
