#include "shell/CQuillomerApp.h"

#include "comm/SettingsFile.h"
#include "comm/windows/CModemPage.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "shell/CAboutDlg.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CShellAppHost.h"
#include "shell/Preferences.h"
#include "shell/Profile.h"
#include "shell/ShellIds.h"
#include "ui/CApplicationPropertiesDlg.h"
#include "ui/CPictureSet.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QScreen>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

QL_STRING_TABLE({
    {34337, "If you want display time/date in german, you should choose 'German'\nin 'Country settings' in the "
            "'Windows control panel' !\n"},
});

namespace {
CQuillomerApp* g_app = nullptr;

const char kMissingAtStart[] =
    "QUILLOMER needs the following DLL to run in 'English' on your system: 'QLRESENU.DLL'.\r\n"
    "This DLL should be present in the directory where QUILLOMER.EXE has been installed.\r\n\n"
    "Nevertheless you may want start QUILLOMER in 'german'-look !";
const char kMissingAtSwitch[] = "QUILLOMER benötigt für diese Funktion die Datei: 'QLRESENU.DLL'.\r\n";

// Windows primary language ids of the locales a user is likely to have.
int WindowsLanguageId(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::German: return 0x0407;
    // A C or POSIX locale is the system's plain US English.
    case QLocale::C:
    case QLocale::English: return 0x0409;
    case QLocale::French: return 0x040C;
    case QLocale::Italian: return 0x0410;
    case QLocale::Spanish: return 0x0C0A;
    case QLocale::Dutch: return 0x0413;
    default: return 0x0000;
    }
}
}  // namespace

CQuillomerApp* CQuillomerApp::Instance() { return g_app; }

CQuillomerApp::CQuillomerApp() : m_locale(QLocale::system())
{
    g_app = this;
    m_resourceDirs << QCoreApplication::applicationDirPath();
    m_printOrientation = QPageLayout::Landscape;
    InstallStringTranslator();
}

CQuillomerApp::~CQuillomerApp()
{
    if (m_template)
        m_template->CloseAllDocuments();
    SetActiveDocHook(nullptr);
    if (m_host)
        SetAppHost(nullptr);
    m_frame.reset();
    m_template.reset();
    m_host.reset();
    FreeEnglishResources();
    if (m_qtGermanLoaded)
        QCoreApplication::removeTranslator(&m_qtGerman);
    SetStringTranslator(nullptr);
    if (m_modemPageRegistered)
        CApplicationPropertiesDlg::SetModemPageFactory(std::move(m_oldModemPageFactory));
    QLocale::setDefault(m_previousDefault);
    if (g_app == this)
        g_app = nullptr;
}

void CQuillomerApp::InstallStringTranslator()
{
    // String-table texts are German; with the English resources loaded their
    // translation comes from the same file (context "StringTable").
    SetStringTranslator([](uint32_t, const std::string& german) -> std::string {
        return QCoreApplication::translate("StringTable", german.c_str()).toStdString();
    });
}

int CQuillomerApp::LanguageFromProfile(const QString& stored, const QLocale& locale)
{
    if (stored == QLatin1String("German"))
        return LangGerman;
    if (stored.isEmpty())
        return WindowsLanguageId(locale);
    return LangEnglish;
}

bool CQuillomerApp::LoadEnglishResources()
{
    if (m_englishLoaded)
        return true;
    for (const QString& dir : m_resourceDirs) {
        if (m_english.load(QString::fromLatin1(kEnglishResources), dir)) {
            QCoreApplication::installTranslator(&m_english);
            m_englishLoaded = true;
            return true;
        }
    }
    return false;
}

QLocale CQuillomerApp::ProgramLocale(int language, const QLocale& user)
{
    if (IsGerman(language))
        return user.language() == QLocale::German ? user : QLocale(QLocale::German, QLocale::Germany);
    return user.language() == QLocale::English ? user : QLocale(QLocale::English, QLocale::UnitedStates);
}

void CQuillomerApp::UpdateQtTranslation()
{
    const bool german = IsGerman(m_language);
    // Dates (and the date fields) follow the language in use.
    QLocale::setDefault(ProgramLocale(m_language, m_locale));
    if (german && !m_qtGermanLoaded) {
        if (m_qtGerman.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            m_qtGermanLoaded = QCoreApplication::installTranslator(&m_qtGerman);
    } else if (!german && m_qtGermanLoaded) {
        QCoreApplication::removeTranslator(&m_qtGerman);
        m_qtGermanLoaded = false;
    }
}

void CQuillomerApp::FreeEnglishResources()
{
    if (!m_englishLoaded)
        return;
    QCoreApplication::removeTranslator(&m_english);
    m_englishLoaded = false;
}

bool CQuillomerApp::SelectLanguage()
{
    LoadRecentFileList();
    m_language = LanguageFromProfile(GetProfileString(QStringLiteral("Settings"), QStringLiteral("Language")), m_locale);
    if (!IsGerman(m_language) && !LoadEnglishResources()) {
        if (ShowMessage(kMissingAtStart, mb::YesNo | mb::IconInformation) != mb::IdYes)
            return false;
        m_language = LangGerman;
    }
    UpdateQtTranslation();
    // A settings file that cannot be read is said at once, in the language
    // now in use: the program starts without what it holds.
    if (const std::string notice = SettingsFileNotice(); !notice.empty())
        ShowMessage(notice, mb::Ok | mb::IconExclamation);
    return true;
}

CQuillomerApp::StartDecision CQuillomerApp::DecideStart(const QStringList& arguments, int shellCommand,
                                                        const QString& recentFile1)
{
    StartDecision d;
    // The first argument that is not an option names a file to open.
    for (const QString& arg : arguments) {
        if (!arg.startsWith(QLatin1Char('-'))) {
            d.command = StartCommand::OpenFile;
            d.file = arg;
            return d;
        }
    }
    if (shellCommand == 1) {
        d.command = StartCommand::NewDocument;
    } else if (shellCommand == 2 && !recentFile1.isEmpty()) {
        d.command = StartCommand::OpenFile;
        d.file = recentFile1;
    }
    return d;
}

bool CQuillomerApp::InitInstance(const QStringList& arguments)
{
    if (!SelectLanguage())
        return false;

    // The preferences sheet gets its connection page on the program's device link.
    if (!m_modemPageRegistered) {
        m_oldModemPageFactory = CModemPage::RegisterWithPreferences();
        m_modemPageRegistered = true;
    }

    // The program's icon (shown by the frame, the designer windows and the dialogs).
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(CPictureSet::Icon(ids::ProgramIcon));

    m_frame = std::make_unique<CMainFrame>();
    m_template = std::make_unique<CDocTemplate>(m_frame.get());
    m_frame->SetDocTemplate(m_template.get());
    if (!m_frame->OnCreate())
        return false;

    m_host = std::make_unique<CShellAppHost>(m_frame.get());
    SetAppHost(m_host.get());
    CMainFrame* frame = m_frame.get();
    SetActiveDocHook([frame]() { return frame->GetActiveDocument(); });

    const StartDecision start =
        DecideStart(arguments, GetProfileInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), 0),
                    m_recent.value(0));
    if (start.command == StartCommand::NewDocument) {
        if (!m_template->OpenDocumentFile(QString()))
            return false;
    } else if (start.command == StartCommand::OpenFile) {
        // A file that cannot be opened leaves the program running without a document.
        m_template->OpenDocumentFile(start.file);
    }
    // Maximised; where the window system leaves the maximising to nobody
    // (no window manager), or the user restores the window, it still covers
    // the screen's free area rather than a default two thirds of it, which
    // at 144 DPI leaves no room for the zoom bar beside the tool bar.
    if (QScreen* screen = m_frame->screen())
        m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    m_frame->repaint();
    SetLandscape(QPageLayout::Landscape);
    return true;
}

// ---- Recent files ----

void CQuillomerApp::LoadRecentFileList()
{
    m_recent.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = GetProfileString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i));
        if (!f.isEmpty())
            m_recent << f;
    }
}

void CQuillomerApp::SaveRecentFileList() const
{
    for (int i = 1; i <= kRecentFileCount; ++i)
        WriteProfileString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i), m_recent.value(i - 1));
}

void CQuillomerApp::AddToRecentFileList(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    m_recent.removeAll(full);
    m_recent.prepend(full);
    while (m_recent.size() > kRecentFileCount)
        m_recent.removeLast();
    SaveRecentFileList();
}

void CQuillomerApp::RemoveFromRecentFileList(int index)
{
    if (index < 0 || index >= m_recent.size())
        return;
    m_recent.removeAt(index);
    SaveRecentFileList();
}

// ---- Language switches ----

void CQuillomerApp::OnLanguageEnglish()
{
    if (!LoadEnglishResources()) {
        ShowMessage(kMissingAtSwitch, mb::IconStop);
        return;
    }
    m_language = LangEnglish;
    UpdateQtTranslation();
    if (m_frame)
        m_frame->ReloadMenus();
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("Language"), QStringLiteral("English"));
    ShowMessageId(ids::StrLanguageHint);
}

void CQuillomerApp::OnLanguageGerman()
{
    FreeEnglishResources();
    m_language = LangGerman;
    UpdateQtTranslation();
    if (m_frame)
        m_frame->ReloadMenus();
    WriteProfileString(QStringLiteral("Settings"), QStringLiteral("Language"), QStringLiteral("German"));
    ShowMessageId(ids::StrLanguageHint);
}

// ---- Commands ----

void CQuillomerApp::SetLandscape(int orientation)
{
    m_printOrientation = orientation;
    if (m_printSetup)
        m_printSetup->setPageOrientation(static_cast<QPageLayout::Orientation>(orientation));
}

int CQuillomerApp::GetPrintOrientation() const
{
    return m_printSetup ? static_cast<int>(m_printSetup->pageLayout().orientation()) : m_printOrientation;
}

const QPrinter& CQuillomerApp::GetPrintSetup() const
{
    if (!m_printSetup) {
        m_printSetup = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printSetup->setPageOrientation(static_cast<QPageLayout::Orientation>(m_printOrientation));
    }
    return *m_printSetup;
}

void CQuillomerApp::OnPrintSetup()
{
    GetPrintSetup();
    // The system's printer dialog, as a set-up: it chooses the printer and,
    // under its properties, the paper and orientation; it prints nothing.
    QPrintDialog dlg(m_printSetup.get(), m_frame.get());
    dlg.setWindowTitle(QCoreApplication::translate("CMainFrame", "Druckeinrichtung"));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (auto* buttons = dlg.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dlg.exec();
}

void CQuillomerApp::ApplyPrintSetup(QPrinter& printer) const
{
    const QPrinter& setup = GetPrintSetup();
    printer.setOutputFormat(setup.outputFormat());
    if (setup.outputFormat() == QPrinter::NativeFormat)
        printer.setPrinterName(setup.printerName());
    else if (!setup.outputFileName().isEmpty())
        printer.setOutputFileName(setup.outputFileName());
    printer.setColorMode(setup.colorMode());
    printer.setDuplex(setup.duplex());
    printer.setPageLayout(setup.pageLayout());
}

void CQuillomerApp::OnFileOpen()
{
    const QString work = GetProfileString(QStringLiteral("Settings"), QStringLiteral("WorkDirectory"));
    if (!work.isEmpty())
        QDir::setCurrent(work);
    const QString path = QFileDialog::getOpenFileName(m_frame.get(), tr("Öffnen"), QDir::currentPath(),
                                                      tr("QUILLOMER(*.qlx)") + QStringLiteral(";;") +
                                                          tr("Alle Dateien (*)"));
    if (!path.isEmpty() && m_template)
        m_template->OpenDocumentFile(path);
}

void CQuillomerApp::OnAppAbout()
{
    CAboutDlg dlg(m_frame.get());
    dlg.exec();
}

void CQuillomerApp::ShowPreferences(QWidget* parent)
{
    ShowPreferencesSheet(parent);
}

bool CQuillomerApp::OnCommand(int id)
{
    if (id >= ids::FileMruFirst && id < ids::FileMruFirst + kRecentFileCount) {
        const int index = id - ids::FileMruFirst;
        if (index < m_recent.size() && m_template) {
            const QString path = m_recent[index];
            if (!m_template->OpenDocumentFile(path))
                RemoveFromRecentFileList(m_recent.indexOf(path));
        }
        return true;
    }
    switch (id) {
    case ids::FileNew:
        if (m_template)
            m_template->OpenDocumentFile(QString());
        return true;
    case ids::FileOpen:
        OnFileOpen();
        return true;
    case ids::FilePrintSetup:
        OnPrintSetup();
        return true;
    case ids::LanguageGerman:
    case ids::LanguageEnglishChecked:
        return true;  // the language in use: nothing to do
    case ids::LanguageEnglish:
        OnLanguageEnglish();
        return true;
    case ids::LanguageToGerman:
        OnLanguageGerman();
        return true;
    case ids::AppAbout:
        OnAppAbout();
        return true;
    case ids::AppExit:
        if (m_frame)
            m_frame->close();
        return true;
    default:
        return false;
    }
}

bool CQuillomerApp::OnUpdateCommand(CCmdUI& ui)
{
    if (static_cast<int>(ui.m_nID) >= ids::FileMruFirst && static_cast<int>(ui.m_nID) < ids::FileMruFirst + kRecentFileCount)
        return true;
    switch (ui.m_nID) {
    case ids::LanguageGerman:
    case ids::LanguageToGerman:
        ui.SetCheck(IsGerman(m_language));
        return true;
    case ids::LanguageEnglish:
    case ids::LanguageEnglishChecked:
        ui.SetCheck(IsEnglish(m_language));
        return true;
    case ids::FileNew:
    case ids::FileOpen:
    case ids::FilePrintSetup:
    case ids::AppAbout:
    case ids::AppExit:
        return true;
    default:
        return false;
    }
}
