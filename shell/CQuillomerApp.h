#pragma once
// The application object: chooses the interface language, loads the English
// resources when needed, keeps the recent-file list, creates the main frame,
// decides what opens at start and carries the application-level commands
// (File Open, the language switches, the about box).

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QTranslator>
#include <functional>
#include <memory>

#include "model/ICommandTarget.h"

class CMainFrame;
class CDocTemplate;
class CShellAppHost;
class CPropertyPage;
class QPrinter;

class CQuillomerApp : public QObject, public ICommandTarget {
    Q_OBJECT
public:
    // Windows language identifiers; only the primary language (low ten bits) is tested.
    enum : int { LangGerman = 1031, LangEnglish = 1033 };
    static constexpr int kRecentFileCount = 4;
    // The English resources: a Qt translation file named after the library it replaces.
    static constexpr const char* kEnglishResources = "QLRESENU";

    enum class StartCommand { Nothing, NewDocument, OpenFile };
    struct StartDecision {
        StartCommand command = StartCommand::Nothing;
        QString file;
    };

    CQuillomerApp();
    ~CQuillomerApp() override;
    // The one application object (null when none exists).
    static CQuillomerApp* Instance();

    // Start-up; false ends the program. `arguments` without the program name.
    bool InitInstance(const QStringList& arguments);
    // Start-up up to the main frame: profile, language, resources. False ends the program.
    bool SelectLanguage();

    // The language a stored "Settings"/"Language" value selects.
    static int LanguageFromProfile(const QString& stored, const QLocale& locale);
    static bool IsGerman(int language) { return (language & 0x3FF) == 0x07; }
    static bool IsEnglish(int language) { return (language & 0x3FF) == 0x09; }
    int GetLanguage() const { return m_language; }
    bool IsEnglishResources() const { return m_englishLoaded; }

    // Where the English resources are looked for (default: the program's folder).
    void SetResourceDirs(const QStringList& dirs) { m_resourceDirs = dirs; }
    // The locale that decides when no language is stored (default: the system's).
    void SetUserLocale(const QLocale& locale) { m_locale = locale; }

    bool LoadEnglishResources();
    void FreeEnglishResources();
    // Qt's own texts (message box and dialog buttons) follow the language:
    // the German ones are installed while German is in use.
    void UpdateQtTranslation();
    bool IsQtGermanLoaded() const { return m_qtGermanLoaded; }
    // The locale the program writes dates in: the user's where it speaks the
    // program's language (its country's form), else that language's own form;
    // a German program never shows an English month, whatever the system says.
    static QLocale ProgramLocale(int language, const QLocale& user);
    void OnLanguageEnglish();
    void OnLanguageGerman();

    // What the command line and "Configuration"/"ShellCommand" ask for.
    static StartDecision DecideStart(const QStringList& arguments, int shellCommand, const QString& recentFile1);

    // ---- Recent files ("Recent File List"/"File1".."File4") ----
    QStringList GetRecentFiles() const { return m_recent; }
    void AddToRecentFileList(const QString& path);
    void RemoveFromRecentFileList(int index);
    void LoadRecentFileList();

    CMainFrame* GetMainFrame() const { return m_frame.get(); }
    CDocTemplate* GetDocTemplate() const { return m_template.get(); }

    // Printer default orientation (QPageLayout::Orientation value; landscape at start).
    void SetLandscape(int orientation);
    int GetPrintOrientation() const;
    // The printer set-up ("Druckeinrichtung"): the printer, paper size and
    // orientation chosen there hold for every print and preview until the
    // program ends. ApplyPrintSetup gives them to the printer of a job.
    void OnPrintSetup();
    void ApplyPrintSetup(QPrinter& printer) const;
    const QPrinter& GetPrintSetup() const;

    void OnFileOpen();
    void OnAppAbout();
    void ShowPreferences(QWidget* parent);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

private:
    void InstallStringTranslator();
    void SaveRecentFileList() const;

    int m_language = LangGerman;
    bool m_englishLoaded = false;
    QTranslator m_english;
    QTranslator m_qtGerman;
    bool m_qtGermanLoaded = false;
    QStringList m_resourceDirs;
    QLocale m_locale;
    QLocale m_previousDefault;  // the default locale before the program set its own
    QStringList m_recent;
    int m_printOrientation = 0;
    mutable std::unique_ptr<QPrinter> m_printSetup;  // made when first needed
    std::unique_ptr<CDocTemplate> m_template;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CShellAppHost> m_host;
    bool m_modemPageRegistered = false;
    std::function<CPropertyPage*()> m_oldModemPageFactory;
};
