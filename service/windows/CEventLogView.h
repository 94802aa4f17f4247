#pragma once
// The form of the event log window: the page "Ereignisse" with the entries the
// device reports (read once a second while connected, rewritten with the
// project's names, kept in the project's event file and optionally printed)
// and the page "Eigenschaften" with the masks that decide what the device
// records.

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "platform/CAppendFile.h"

class CEllipsisStatic;
class CEventLog;
class CQuillomerDoc;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTabWidget;

class CEventLogView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    static constexpr int kReadLineLength = 17;     // "/EVENT/LOG/READ ?"
    static constexpr int kReadPacing = 341;        // characters waiting plus read lines at most
    static constexpr int kListLimit = 8192;        // the entry list is cut from this length
    static constexpr int kListCut = 2048;          // by this much

    explicit CEventLogView(QWidget* parent = nullptr);
    ~CEventLogView() override;

    // Finds the event log object, fills the mask page and, when connected,
    // starts reading the device and opens the event file.
    void OnInitialUpdate();

    // One tick: asks for the count of entries or reads up to that many.
    void RequestEntries();
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // Rewrites object numbers into the project's names (when switched on).
    void FormatEntry(std::string& entry) const;
    // Puts an entry on top of the list, into the file and onto the printer.
    void RecordEntry(const std::string& entry);

    // The two pages.
    void TogglePage();
    void RefreshMasks();
    void SetCategory(bool checked, const char* word);
    // Sends the six masks (download) or their queries (upload).
    void SendMasks(bool query);

    // Checking "Drucken" without a printer says so and unchecks it.
    void OnPrintToggle(bool checked);
    void PrintPending();

    // Where a window opened while connected prints: the default printer
    // (none when the system has none). Tests print into a PDF file.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static PrinterFactory SetPrinterFactory(PrinterFactory factory);

    int GetEntriesToRead() const { return m_entriesToRead; }
    bool IsEventFileOpen() const { return m_file.IsOpen(); }
    QString GetEventFileName() const { return QString::fromStdString(m_file.Path()); }
    QTabWidget* GetTabs() const { return m_tabs; }
    QPlainTextEdit* GetEntryList() const { return m_entries; }
    QCheckBox* GetCategoryBox(int index) const { return m_boxes[static_cast<size_t>(index)]; }
    CEllipsisStatic* GetSummary(int detail) const { return m_summaries[static_cast<size_t>(detail)]; }
    QCheckBox* GetPrintBox() const { return m_print; }
    QPushButton* GetPrintNowButton() const { return m_printNow; }
    int GetPendingPrintLines() const { return static_cast<int>(m_pendingLines.size()); }
    int GetPageHeight() const { return m_pageHeight; }
    int GetLineHeight() const { return m_lineHeight; }
    QTimer& GetTimer() { return m_timer; }

signals:
    // The line to the device is gone: the window stops reading it.
    void LinkLost();

private:
    void OpenEventFile();
    void ChooseDetail(int detail);
    void PrintPage();
    void StopPrinting(const QString& why);

    CQuillomerDoc* m_doc = nullptr;
    CEventLog* m_log = nullptr;
    int m_entriesToRead = 0;
    bool m_uploading = false;  // the window's own upload runs
    bool m_rewriteNames = false;
    CAppendFile m_file;  // entries it did not take wait in it
    QTimer m_timer {this};  // a child, so that a window switched away from stops it

    QTabWidget* m_tabs = nullptr;
    QPlainTextEdit* m_entries = nullptr;
    QLabel* m_fileLabel = nullptr;
    QCheckBox* m_print = nullptr;
    QPushButton* m_printNow = nullptr;
    std::array<QCheckBox*, 13> m_boxes {};
    std::array<CEllipsisStatic*, 5> m_summaries {};
    std::array<QPushButton*, 5> m_details {};

    // Continuous printing.
    std::unique_ptr<QPrinter> m_printer;
    int m_pageHeight = 0;
    int m_lineHeight = 0;
    std::vector<std::string> m_pendingLines;
};
