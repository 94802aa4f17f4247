#include "service/windows/CEventLogView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <climits>
#include <cstdio>
#include <optional>

#include "comm/CCommLink.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/AnswerLine.h"
#include "platform/FileWriter.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "service/CEventLog.h"
#include "service/EventFile.h"
#include "service/ReplaceAll.h"
#include "service/windows/ServiceLive.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CFeatureFrm.h"
#include "ui/CSelectionDlg.h"
#include "ui/CTransferLoop.h"
#include "ui/PrintJob.h"
#include "ui/UiIds.h"

namespace {
const char* const kLogPath = "/EVENT/LOG/";

std::unique_ptr<QPrinter> DefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? nullptr : std::make_unique<QPrinter>(info);
}

CEventLogView::PrinterFactory& Printers()
{
    static CEventLogView::PrinterFactory factory = DefaultPrinter;
    return factory;
}

// The check boxes in the order of the overall mask's words.
struct Category {
    int id;
    const char* text;
};
const Category kCategories[13] = {
    {1551, QT_TRANSLATE_NOOP("CEventLogView", "Audiosignale")},
    {1552, QT_TRANSLATE_NOOP("CEventLogView", "FAULT")},
    {1553, QT_TRANSLATE_NOOP("CEventLogView", "Betriebsspannung ein- oder ausschalten")},
    {1554, QT_TRANSLATE_NOOP("CEventLogView", "Linientest")},
    {1555, QT_TRANSLATE_NOOP("CEventLogView", "Zeiteinstellung")},
    {1545, QT_TRANSLATE_NOOP("CEventLogView", "Makros")},
    {1557, QT_TRANSLATE_NOOP("CEventLogView", "RESET")},
    {1217, QT_TRANSLATE_NOOP("CEventLogView", "Havarie")},
    {1685, QT_TRANSLATE_NOOP("CEventLogView", "READYINPUT's")},
    {1560, QT_TRANSLATE_NOOP("CEventLogView", "Rekorder")},
    {1558, QT_TRANSLATE_NOOP("CEventLogView", "DCF")},
    {1725, QT_TRANSLATE_NOOP("CEventLogView", "Konfiguration")},
    {1726, QT_TRANSLATE_NOOP("CEventLogView", "Virtuelle Kontroller")},
};

// The five categories with a detail mask: their box, summary and button, the
// selection kind, the display index and how a choice is stored.
struct Detail {
    int category;   // index into kCategories
    int summaryId;
    int buttonId;
    int kind;
    int displayIndex;
    int flagsWhich;  // CEventLog::SetMaskFromFlags' which; 0: stored as text
    int storeIndex;
};
const Detail kDetails[5] = {
    {0, 1686, 1683, selkind::BusyCondition, 5, 1, 0},   // the audio words share the kind id 34449
    {1, 1687, 1539, selkind::Fault, 6, 2, 0},
    {5, 1688, 1682, selkind::MacroMulti, 7, 0, 7},
    {8, 1691, 1681, selkind::ReadyInputMulti, 8, 0, 8},
    {12, 1727, 1728, selkind::VirtCtrlMulti, 10, 0, 10},
};

int DetailOfCategory(int category)
{
    for (int d = 0; d < 5; ++d)
        if (kDetails[d].category == category)
            return d;
    return -1;
}

// A numbered marker of the name rewriting.
struct Marker {
    const char* marker;
    uint32_t type;     // 0: a state word
    const char* prefix;
};
const Marker kMarkers[] = {
    {" from cons", OT_CONSOLE, " from console "},
    {" from macro", OT_MACRO, " from macro "},
    {"MACRO ", OT_MACRO, "macro "},
    {"MACRO", OT_MACRO, "macro "},
    {"VIRTCTRL#", OT_VIRT_CTRL_ITEM, "virtual controller "},
    {"VIRTCTRL", OT_VIRT_CTRL_ITEM, "virtual controller "},
    {"console #", OT_CONSOLE, "console "},
    {"FAULT ON ", 0, " FAILURE"},
    {"FAULT OFF", 0, " NORMAL"},
    {"READYINP", OT_READY_INPUT, "readyinput "},
    {"readyinp", OT_READY_INPUT, "readyinput "},
};
}  // namespace

CEventLogView::CEventLogView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("547"));
    auto* outer = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("1733"));
    outer->addWidget(m_tabs);

    // "Ereignisse": the entries, newest first, and the printing controls.
    auto* entryPage = new QWidget(m_tabs);
    auto* entryLayout = new QGridLayout(entryPage);
    m_fileLabel = new QLabel(tr("Einträge (siehe Datei"), entryPage);
    m_fileLabel->setObjectName(QStringLiteral("1700"));
    entryLayout->addWidget(m_fileLabel, 0, 0, 1, 3);
    m_entries = new QPlainTextEdit(entryPage);
    m_entries->setObjectName(QStringLiteral("1690"));
    m_entries->setReadOnly(true);
    m_entries->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_entries->setMinimumSize(360, 160);
    entryLayout->addWidget(m_entries, 1, 0, 1, 3);
    m_print = new QCheckBox(tr("Drucken"), entryPage);
    m_print->setObjectName(QStringLiteral("1699"));
    entryLayout->addWidget(m_print, 2, 0);
    m_printNow = new QPushButton(tr("Jetzt drucken"), entryPage);
    m_printNow->setObjectName(QStringLiteral("1730"));
    entryLayout->addWidget(m_printNow, 2, 1);
    entryLayout->setColumnStretch(2, 1);
    entryLayout->setRowStretch(1, 1);

    // "Eigenschaften": one box per category, a summary and "..." for five.
    auto* maskPage = new QWidget(m_tabs);
    auto* maskLayout = new QVBoxLayout(maskPage);
    auto* group = new QGroupBox(tr("Ereignisse ,die mitprotokolliert werden sollen"), maskPage);
    group->setObjectName(QStringLiteral("1735"));
    maskLayout->addWidget(group);
    auto* grid = new QGridLayout(group);
    for (int c = 0; c < 13; ++c) {
        auto* box = new QCheckBox(tr(kCategories[c].text), group);
        box->setObjectName(QString::number(kCategories[c].id));
        grid->addWidget(box, c, 0);
        m_boxes[static_cast<size_t>(c)] = box;
        const int d = DetailOfCategory(c);
        connect(box, &QCheckBox::clicked, this, [this, c, d](bool checked) {
            SetCategory(checked, CEventLog::kCategoryWords[c]);
            if (d >= 0) {
                m_summaries[static_cast<size_t>(d)]->setEnabled(checked);
                m_details[static_cast<size_t>(d)]->setEnabled(checked);
            }
        });
        if (d < 0)
            continue;
        auto* summary = new CEllipsisStatic(group, kDetails[d].summaryId);
        summary->setObjectName(QString::number(kDetails[d].summaryId));
        summary->setFrameShape(QFrame::StyledPanel);
        summary->setMinimumWidth(160);
        grid->addWidget(summary, c, 1);
        auto* button = new QPushButton(QStringLiteral("..."), group);
        button->setObjectName(QString::number(kDetails[d].buttonId));
        grid->addWidget(button, c, 2);
        connect(button, &QPushButton::clicked, this, [this, d] { ChooseDetail(d); });
        m_summaries[static_cast<size_t>(d)] = summary;
        m_details[static_cast<size_t>(d)] = button;
    }
    grid->setColumnStretch(1, 1);
    maskLayout->addStretch(1);

    m_tabs->addTab(entryPage, tr("Ereignisse"));
    m_tabs->addTab(maskPage, tr("Eigenschaften"));

    connect(m_print, &QCheckBox::toggled, this, &CEventLogView::OnPrintToggle);
    connect(m_printNow, &QPushButton::clicked, this, &CEventLogView::PrintPending);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CEventLogView::RequestEntries);
}

CEventLogView::~CEventLogView()
{
    // The event file stays: it keeps every entry for the next opening and only
    // the document's command removes it. Pending print lines are dropped.
    m_timer.stop();
    servicelive::ReleaseLink(this);
    // Entries the file never took are gone with the window: the device has
    // handed them out and will not give them again. Told once the window is
    // gone, not from inside its destruction.
    const size_t lost = m_file.Close();
    if (lost > 0) {
        const std::string told = LinesLostText(m_file.Path(), lost, m_file.Reason());
        QTimer::singleShot(0, QCoreApplication::instance(), [told] { ShowMessage(told, mb::IconExclamation); });
    }
}

void CEventLogView::OnInitialUpdate()
{
    m_print->setChecked(false);
    m_doc = GetActiveDoc();
    m_log = m_doc ? dynamic_cast<CEventLog*>(m_doc->GetIDManager().GetBaseDevice(1, OT_EVENT_LOG)) : nullptr;
    m_entriesToRead = 0;
    m_rewriteNames = GetAppHost().GetProfileInt("Configuration", "ErrorLogReplaceID", 0) != 0;
    if (m_log)
        RefreshMasks();
    m_printNow->setEnabled(false);

    const std::string fileName = m_doc ? eventfile::NameOf(m_doc->GetPathName()) : std::string(".events");
    if (IsDocConnected()) {
        m_timer.start();
        m_printer = Printers() ? Printers()() : nullptr;
        if (m_printer) {
            m_pageHeight = m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
            const QFontMetrics metrics(font(), m_printer.get());
            m_lineHeight = metrics.height();
        }
        OpenEventFile();
    } else {
        m_print->setEnabled(false);
    }
    m_fileLabel->setText(tr("Einträge (siehe Datei") + QStringLiteral("\"") +
                         QFileInfo(QString::fromStdString(fileName)).fileName() + QStringLiteral("\")"));
    m_tabs->setCurrentIndex(0);
}

void CEventLogView::OpenEventFile()
{
    const std::string name = eventfile::NameOf(m_doc ? m_doc->GetPathName() : std::string());
    const std::string reason = m_file.Open(name);
    if (!reason.empty() && m_file.TakeNewFailure()) {
        // The window works on; the entries wait for the file until it closes.
        ShowMessage(FileNotWrittenText(name, reason) + "\n" + LinesKeptText(), mb::IconExclamation);
    }
}

void CEventLogView::RequestEntries()
{
    // The line is gone: the entries read stay, the reading stops and the
    // masks are no longer offered for transfer. Lines waiting for a page
    // can still be printed.
    if (!IsDocConnected()) {
        m_timer.stop();
        emit LinkLost();
        return;
    }
    // Entries the file did not take yet, once it has room; a file that fails
    // anew (it took everything before) says so as an entry's write does.
    if (m_file.IsTaken() && !m_file.Flush() && m_file.TakeNewFailure())
        ShowMessage(FileNotWrittenText(m_file.Path(), m_file.Reason()) + "\n" + LinesKeptText(), mb::IconExclamation);
    // Not while a transfer owns the line (the masks travelling, counting the
    // device's echoes, or another window's or the whole one).
    const CFeatureFrm* frame = CFeatureFrm::FrameOf(this);
    if (TransferHoldsLink() || (frame && frame->IsTransferring()))
        return;
    std::vector<std::string> block;
    if (m_entriesToRead == 0) {
        block.push_back(std::string(kLogPath) + "ENTRIES ?");
    } else {
        const std::string line = std::string(kLogPath) + "READ ?";
        for (int n = 0; n < m_entriesToRead && servicelive::OutBufferCount() + n * kReadLineLength <= kReadPacing;
             ++n)
            block.push_back(line);
    }
    servicelive::SendBlock(block, this);
}

void CEventLogView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    if (m_uploading && m_log) {
        // The window's upload reads as the whole upload does: a mask the
        // project cannot hold stays, named in the window's difference file.
        CTransferLoop::ReadUploadAnswers(m_log, answers);
        RefreshMasks();
        return;
    }
    for (const std::string& line : answers) {
        const size_t blank = line.find(' ');
        if (blank == std::string::npos)
            continue;
        std::string key = line.substr(0, blank);
        std::string value = line.substr(blank + 1);
        if (value == "?" || value.find("empty") != std::string::npos)
            continue;
        ReplaceAll(key, kLogPath, "");
        // A mask the device does not hold comes back as its refusal: "PATH ? "
        // for a query, "PATH NONE ? " for a mask sent. The project keeps its
        // own (the refusal is no mask to send again), and the page shows what
        // came before it also when the last masks of the block are refused.
        if (IsRefusedValue(value)) {
            if (key == "MASK/READYINP/ON" || key == "MASK/VIRTCTRL/ON")
                RefreshMasks();
            continue;
        }
        if (key == "READ") {
            FormatEntry(value);
            RecordEntry(value);
        } else if (key == "ENTRIES") {
            // A count is a whole number of entries: a negative one would
            // stop the reading for good, "2.5" is no count of 2.
            if (const std::optional<long> count = ScanWholeNumber(value, 0, INT_MAX))
                m_entriesToRead = static_cast<int>(*count);
        } else if (m_log) {
            // A mask the project cannot hold as the device gives it (a word
            // it does not know, a number beyond the table) stays the
            // project's; the upload names it in the difference file.
            static const struct {
                const char* key;
                int mask;
                int index;  // CEventLog::SetValue's
            } kMasks[] = {
                {"MASK/ON", CEventLog::Overall, 0},        {"MASK/AUDIO/ON", CEventLog::Audio, 1},
                {"MASK/MACRO/ON", CEventLog::Macro, 3},    {"MASK/FAULT/ON", CEventLog::Fault, 2},
                {"MASK/READYINP/ON", CEventLog::ReadyInput, 4}, {"MASK/VIRTCTRL/ON", CEventLog::VirtCtrl, 9},
            };
            for (const auto& m : kMasks) {
                if (key != m.key)
                    continue;
                if (CEventLog::IsMaskText(m.mask, value))
                    m_log->SetValue(m.index, value);
                if (m.mask == CEventLog::ReadyInput || m.mask == CEventLog::VirtCtrl)
                    RefreshMasks();
            }
        }
    }
    answers.clear();
}

void CEventLogView::FormatEntry(std::string& entry) const
{
    if (!m_rewriteNames || !m_doc)
        return;
    // The head (the device's first four fields) stays as it is; an entry with
    // fewer fields is shown unchanged.
    size_t blank = 0;
    size_t from = 1;
    for (int i = 0; i < 4; ++i) {
        blank = entry.find(' ', from);
        if (blank == std::string::npos)
            return;
        from = blank + 1;
    }
    const std::string head = entry.substr(0, blank);
    std::string body = entry.substr(blank + 1);
    if (body.compare(0, 4, "KVT#") == 0)
        return;
    const CIDManager& directory = m_doc->GetIDManager();
    for (const Marker& m : kMarkers) {
        const std::string marker = m.marker;
        if (m.type == 0) {
            // A state word: removed, its meaning appended.
            const std::string word = marker.substr(0, marker.find_last_not_of(' ') + 1);
            if (body.find(marker) == std::string::npos)
                continue;
            ReplaceAll(body, word, "");
            body += m.prefix;
            entry = head + body;
            continue;
        }
        const size_t at = body.find(marker);
        if (at == std::string::npos)
            continue;
        const std::string after = body.substr(at + marker.size());
        int number = 0;
        if (std::sscanf(after.c_str(), "%d", &number) != 1)
            continue;
        const std::string numberText = after.substr(0, after.find_first_of(" ,"));
        // Only numbers the directory can hold are looked up: a poll must not
        // raise the directory's message about a bad number.
        const CBaseDevice* obj = directory.IsValidID(number, m.type) ? directory.GetBaseDevice(number, m.type) : nullptr;
        const std::string form = obj ? std::string(m.prefix) + "\"" + obj->GetName() + "\""
                                     : std::string(m.prefix) + numberText;
        const std::string before = body;
        ReplaceAll(body, marker + numberText, form);
        if (body != before)
            entry = head + " " + body;
    }
}

void CEventLogView::RecordEntry(const std::string& entry)
{
    QString text = m_entries->toPlainText();
    if (text.size() >= kListLimit)
        text.truncate(text.size() - kListCut);
    m_entries->setPlainText(QString::fromStdString(entry) + QLatin1Char('\n') + text);
    m_entries->moveCursor(QTextCursor::Start);
    m_entries->ensureCursorVisible();
    if (m_entriesToRead != 0)
        --m_entriesToRead;
    if (m_file.IsTaken() && !m_file.Append(entry + "\r\n") && m_file.TakeNewFailure()) {
        // Told once, when the answers are through: the entries that wait are
        // written with the next entry or the next tick.
        const std::string told = FileNotWrittenText(m_file.Path(), m_file.Reason()) + "\n" + LinesKeptText();
        QTimer::singleShot(0, this, [told] { ShowMessage(told, mb::IconExclamation); });
    }
    if (m_print->isChecked() && m_printer) {
        m_pendingLines.push_back(entry);
        if (static_cast<int>(m_pendingLines.size() + 1) * (m_lineHeight + 5) > m_pageHeight)
            PrintPage();
    }
}

void CEventLogView::PrintPage()
{
    if (!m_printer || m_pendingLines.empty())
        return;
    m_printer->setDocName(QStringLiteral("Events"));
    std::string reason;
    const bool printed = RunPrintJob(
        *m_printer,
        [this](QPagedPaintDevice& device) {
            QPainter painter;
            if (!painter.begin(&device))
                return false;
            painter.setFont(QFont(font(), &device));
            int y = 0;
            for (const std::string& line : m_pendingLines) {
                painter.drawText(0, y + m_lineHeight, QString::fromStdString(line));
                y += m_lineHeight + 5;
            }
            return painter.end();
        },
        &reason);
    if (!printed) {
        // The lines stay pending (and in the list and the file): printing
        // stops with a word instead of dropping page after page unseen.
        QString why = tr("Der Drucker nimmt den Druck nicht an: das Drucken der Ereignisse wird beendet.");
        if (!reason.empty())
            why = QString::fromStdString(PrintFileNotWrittenText(*m_printer, reason)) + QLatin1Char('\n') + why;
        StopPrinting(why);
        return;
    }
    m_pendingLines.clear();
}

void CEventLogView::StopPrinting(const QString& why)
{
    {
        const QSignalBlocker blocker(m_print);
        m_print->setChecked(false);
    }
    m_printNow->setEnabled(false);
    ShowMessage(why.toStdString(), mb::Ok | mb::IconExclamation);
}

CEventLogView::PrinterFactory CEventLogView::SetPrinterFactory(PrinterFactory factory)
{
    PrinterFactory previous = std::move(Printers());
    Printers() = std::move(factory);
    return previous;
}

void CEventLogView::OnPrintToggle(bool checked)
{
    if (checked && !m_printer) {
        StopPrinting(tr("Es ist kein Drucker eingerichtet: die Ereignisse können nicht gedruckt werden."));
        return;
    }
    if (!checked) {
        PrintPending();
        m_printNow->setEnabled(false);
    } else {
        m_printNow->setEnabled(true);
    }
}

void CEventLogView::PrintPending()
{
    PrintPage();
}

void CEventLogView::TogglePage()
{
    m_tabs->setCurrentIndex(m_tabs->currentIndex() == 0 ? 1 : 0);
}

void CEventLogView::RefreshMasks()
{
    if (!m_log)
        return;
    const std::string overall = m_log->GetValue(0);
    for (int c = 0; c < 13; ++c) {
        const bool on = overall.find(CEventLog::kCategoryWords[c]) != std::string::npos;
        m_boxes[static_cast<size_t>(c)]->setChecked(on);
        const int d = DetailOfCategory(c);
        if (d < 0)
            continue;
        m_summaries[static_cast<size_t>(d)]->setEnabled(on);
        m_details[static_cast<size_t>(d)]->setEnabled(on);
        m_summaries[static_cast<size_t>(d)]->SetText(
            QString::fromStdString(m_log->GetValue(kDetails[d].displayIndex)));
    }
}

void CEventLogView::SetCategory(bool checked, const char* word)
{
    if (!m_log)
        return;
    std::string mask = m_log->GetValue(0);
    const std::string w = word;
    if (checked) {
        if (mask == "NONE")
            mask = w;
        else if (mask.find(w) == std::string::npos)
            mask += "," + w;
    } else if (mask == w) {
        mask = "NONE";
    } else {
        const size_t at = mask.find(w);
        if (at != std::string::npos) {
            if (at > 0)
                ReplaceAll(mask, "," + w, "");
            else
                ReplaceAll(mask, w + ",", "");
        }
    }
    m_log->SetValue(0, mask);
}

void CEventLogView::ChooseDetail(int d)
{
    if (!m_log)
        return;
    const Detail& detail = kDetails[d];
    CSelectionDlg dlg(this);
    dlg.m_nKind = detail.kind;
    dlg.m_bMultiple = true;
    // The dialog opens on the items the mask holds: its words' bits, or the
    // numbers of its range text.
    if (detail.flagsWhich != 0)
        dlg.SetHeld(CSelectionDlg::Held::Number(static_cast<int>(m_log->GetMaskFlags(detail.flagsWhich))));
    else
        dlg.SetHeld(CSelectionDlg::Held::Ranges(QString::fromStdString(m_log->GetValue(detail.displayIndex))));
    if (dlg.DoModal() != QDialog::Accepted)
        return;
    if (detail.flagsWhich != 0)
        m_log->SetMaskFromFlags(detail.flagsWhich, static_cast<uint32_t>(dlg.m_nResultNumber));
    else
        m_log->SetValue(detail.storeIndex, dlg.GetSelection().toStdString());
    m_summaries[static_cast<size_t>(d)]->SetText(QString::fromStdString(m_log->GetValue(detail.displayIndex)));
}

void CEventLogView::SendMasks(bool query)
{
    if (!m_log)
        return;
    static const char* const kKeys[6] = {"MASK/ON", "MASK/AUDIO/ON", "MASK/MACRO/ON",
                                         "MASK/FAULT/ON", "MASK/READYINP/ON", "MASK/VIRTCTRL/ON"};
    static const int kIndexes[6] = {0, 1, 3, 2, 4, 9};
    std::vector<std::string> lines;
    for (int i = 0; i < 6; ++i)
        lines.push_back(std::string(kLogPath) + kKeys[i] + " " + (query ? std::string("?") : m_log->GetValue(kIndexes[i])));
    // A download longer than one block goes in several, each once the one
    // before has left the output buffer (the frame runs them, so that a
    // device that stops answering or reading part of the way is named); a
    // mask too long for any block is not sent and the user is told.
    std::vector<std::string> tooLong;
    const std::vector<std::vector<std::string>> blocks = servicelive::SplitBlocks(lines, &tooLong);
    for (const std::string& line : tooLong)
        ShowMessage(tr("Die Maske ist zu lang, um an das Gerät gesendet zu werden:\n%1")
                        .arg(QString::fromStdString(line.substr(0, line.find(' '))))
                        .toStdString());
    if (CFeatureFrm* frame = CFeatureFrm::FrameOf(this)) {
        m_uploading = query;
        frame->TransferBlocks(query ? 1 : 0, blocks, this, query);
        m_uploading = false;
    }
}
