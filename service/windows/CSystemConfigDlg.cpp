#include "service/windows/CSystemConfigDlg.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>

#include "comm/CCommLink.h"
#include "comm/SettingsFile.h"
#include "model/DocContext.h"
#include "platform/FileWriter.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CTransferLoop.h"
#include "ui/CTransferWatch.h"

namespace {
constexpr uint32_t kAskRead = 32842;      // "Wollen Sie die Konfiguration des KVTs neu auslesen ? ..."
constexpr uint32_t kFileNotFound = 32843; // "Datei nicht gefunden !"
constexpr uint32_t kConfigOutName = 32841; // "KVTConfiguration.txt"
constexpr uint32_t kValueColumn = 33002;  // "Eigenschaften"
constexpr uint32_t kNotQueried = 36394;   // the answer's path "%s", its items that name no entry "%s"
const char* const kResultName = "KVTResult.txt";
const char* const kStartPath = "/SERVICE/START";
constexpr size_t kStartPathLength = 14;

CSystemConfigDlg* g_running = nullptr;

// Hands every value typed into the value cell to the dialog, also the value
// the cell already shows: sending it again is an action on the device, which
// may hold something else by now, not a change of the cell.
class ValueDelegate : public QStyledItemDelegate {
public:
    // `quiet` is raised while the cell takes the text, so that its change
    // signal does not send the value a second time.
    ValueDelegate(QObject* parent, bool* quiet, std::function<void(const QString&)> written)
        : QStyledItemDelegate(parent), m_quiet(quiet), m_written(std::move(written))
    {
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit || index.row() != 0 || index.column() != 0) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        *m_quiet = true;
        QStyledItemDelegate::setModelData(editor, model, index);
        *m_quiet = false;
        m_written(edit->text());
    }

private:
    bool* m_quiet;
    std::function<void(const QString&)> m_written;
};

enum Image { Closed, Open, Leaf };

// The tree's pictures (bitmap 306): closed node, open node, leaf.
QIcon ImageIcon(Image image)
{
    return CPictureSet::ListImage(306, image);
}

// Sets the picture of a node: an open picture only where there is
// something to open (expanding the whole tree reaches the leaves as well).
void SetImage(QTreeWidgetItem* item, Image image)
{
    if (image == Open && item->childCount() == 0)
        image = Leaf;
    item->setIcon(0, ImageIcon(image));
}

bool IsListValue(const std::string& value)
{
    return value.find(',') != std::string::npos || value.find("...") != std::string::npos ||
           (!value.empty() && value[0] == ' ');
}

// Reads the number after `prefix` at the start of `bound`; false when the
// bound does not begin with the prefix or no number follows.
bool ReadBound(const std::string& bound, const std::string& prefix, bool hex, long* number)
{
    if (bound.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string digits = bound.substr(prefix.size());
    if (digits.empty())
        return false;
    char* end = nullptr;
    *number = std::strtol(digits.c_str(), &end, hex ? 16 : 10);
    return end != digits.c_str() && *number >= 0;
}
}  // namespace

CSystemConfigDlg::CSystemConfigDlg(QWidget* parent) : CResizableDialog(294, parent)
{
    setWindowTitle(tr("Systemkonfiguration"));
    auto* grid = new QGridLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("1209"));
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(220, 260);
    m_tree->installEventFilter(this);
    grid->addWidget(m_tree, 0, 0, 3, 1);
    m_list = new QTableWidget(0, 2, this);
    m_list->setObjectName(QStringLiteral("1259"));
    m_list->setHorizontalHeaderLabels(
        {QString::fromStdString(LoadStringId(kValueColumn)), tr("Kommando")});
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->verticalHeader()->hide();
    m_list->setMinimumSize(260, 80);
    grid->addWidget(m_list, 0, 1, 1, 2);
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("1261"));
    grid->addWidget(m_progress, 1, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Konfigurationsdatei"), this), 2, 1, Qt::AlignTop);
    m_fileInfo = new QLabel(this);
    m_fileInfo->setObjectName(QStringLiteral("1315"));
    // No fixed width: the line (name, size, date and time) is as wide as its
    // text, and the dialog opens, or grows, wide enough to show it whole.
    grid->addWidget(m_fileInfo, 2, 2, Qt::AlignTop);
    m_save = new QPushButton(CPictureSet::Icon(456), QString(), this);
    m_save->setObjectName(QStringLiteral("1212"));
    m_save->setToolTip(tr("Konfigurationsdatei speichern"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    grid->addWidget(m_save, 3, 0, Qt::AlignLeft);
    grid->addWidget(buttons, 3, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &CSystemConfigDlg::SaveConfigFile);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CSystemConfigDlg::OnSelectionChanged);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnDoubleClick(item); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem* item) { SetImage(item, Open); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem* item) { SetImage(item, item->childCount() > 0 ? Closed : Leaf); });
    m_list->setItemDelegate(
        new ValueDelegate(m_list, &m_settingList, [this](const QString& text) { OnValueEdited(text); }));
    connect(m_list, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cell) {
        if (!m_settingList && cell->row() == 0 && cell->column() == 0)
            OnValueEdited(cell->text());
    });
    m_walkTimer.setSingleShot(true);
    m_walkTimer.setInterval(kWalkTimeoutMs);
    // No answer in time: the walk goes on with the next line.
    connect(&m_walkTimer, &QTimer::timeout, this, &CSystemConfigDlg::NextQuery);
    // Once the line is gone no value typed here can reach the device: the
    // value cell no longer opens for typing (the tree and its file stay).
    m_lineWatch.setInterval(500);
    connect(&m_lineWatch, &QTimer::timeout, this, [this] {
        if (!CTransferLoop::LineDown())
            return;
        m_lineWatch.stop();
        m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    });
    m_lineWatch.start();
    g_running = this;
}

CSystemConfigDlg::~CSystemConfigDlg()
{
    // An editor still open commits when the list goes; nothing is sent for
    // a dialog that is closing.
    m_list->setItemDelegate(new QStyledItemDelegate(m_list));
    disconnect(m_list, nullptr, this, nullptr);
    StopDeviceRead();
    if (g_running == this)
        g_running = nullptr;
}

CSystemConfigDlg* CSystemConfigDlg::Running()
{
    return g_running;
}

void CSystemConfigDlg::ChooseSource()
{
    m_doc = GetActiveDoc();
    m_sent = 0;
    if (ShowMessageId(kAskRead, mb::YesNo | mb::IconQuestion) == mb::IdYes)
        StartDeviceRead();
    else
        OpenConfigFile();
    if (!m_reading)
        BuildTree();
}

void CSystemConfigDlg::Send(const std::string& line)
{
    ::SendCommand(line, m_doc, true);
}

void CSystemConfigDlg::StartDeviceRead()
{
    m_lines.clear();
    m_position = -1;
    const CCommLink* link = GetCommLink();
    m_watch = std::make_unique<CTransferWatch>(link, CTransferLoop::kStallLimitMs);
    m_linesBefore = link ? link->GetEchoes().GetLinesSent() : 0;
    m_watch->SetFirstLine(m_linesBefore);
    Send("/ ?");
    m_configTrace.clear();
    m_resultTrace.clear();
    m_reading = true;
}

void CSystemConfigDlg::StopDeviceRead()
{
    m_walkTimer.stop();
    m_watch.reset();
    if (!m_reading)
        return;
    m_reading = false;
    // The walk's queries and answers replace those of the last walk only
    // when they are written whole.
    for (const auto& [name, trace] : {std::pair{LoadStringId(kConfigOutName), &m_configTrace},
                                      std::pair{std::string(kResultName), &m_resultTrace}}) {
        const std::string reason = WriteFileReplacing(name, *trace);
        // Named with its folder: they lie in whichever folder the program was started from.
        const QString where = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QString::fromStdString(name)));
        if (!reason.empty())
            ShowMessage(FileNotWrittenText(where.toStdString(), reason), mb::IconExclamation);
    }
}

void CSystemConfigDlg::ReadLines(QIODevice& file)
{
    m_lines.clear();
    while (!file.atEnd()) {
        std::string line = file.readLine().toStdString();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (!line.empty())
            m_lines.push_back(line);
    }
    m_position = m_lines.empty() ? -1 : 0;
}

QString CSystemConfigDlg::DefaultConfigFile()
{
    // The program's own folder (or the one the settings name for it); a
    // user who may not write there gets the program's data folder.
    QString folder = QSettings().value(QStringLiteral("Settings/AppDir")).toString();
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return QDir(folder).filePath(QStringLiteral("LMZConfiguration.txt"));
}

QString CSystemConfigDlg::ChooseConfigFile(const QString& current)
{
    // The file is created when it does not exist yet: any name is taken.
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ConfigFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({tr("Konfigurationsdatei (*.txt)"), tr("Alle Dateien (*)")});
    // A name typed without its extension is the configuration file of that
    // name, never a new empty file beside it.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!current.isEmpty())
        dialog.selectFile(current);
    else
        dialog.setDirectory(QDir::currentPath());  // not the folder another file dialog visited last
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void CSystemConfigDlg::OpenConfigFile()
{
    auto show = [this](const QString& name, const std::string& bytes) {
        QBuffer buffer;
        buffer.setData(QByteArray::fromStdString(bytes));
        buffer.open(QIODevice::ReadOnly);
        ReadLines(buffer);
        ShowFileInfo(name);
        m_reading = false;
    };
    QString name = QSettings().value(QStringLiteral("Configuration/KVT File")).toString();
    std::string bytes;
    QFile file(name);
    if (!name.isEmpty() && file.exists() && file.open(QIODevice::ReadWrite)) {
        file.close();
        if (ReadWholeFile(QFile::encodeName(name).toStdString(), bytes) == 0)
            return show(name, bytes);
    }
    const QString chosen = ChooseConfigFile(name);
    if (!chosen.isEmpty())
        name = chosen;
    else if (name.isEmpty())
        name = DefaultConfigFile();
    WriteSetting(QStringLiteral("Configuration/KVT File"), name);
    // Opened for reading: a file that may not be written is still shown
    // (saving it then says why not). A file not there yet is made.
    const int made = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (made >= 0)
        ::close(made);
    const int error = ReadWholeFile(QFile::encodeName(name).toStdString(), bytes);
    if (error == 0)
        return show(name, bytes);
    if (error == ENOENT || error == ENOTDIR) {
        ShowMessageId(kFileNotFound);
    } else {
        // It is there but cannot be read: said as it is, and the empty tree
        // is never saved over it.
        m_notReadFile = name;
        ShowMessage(FileNotReadText(QDir::toNativeSeparators(name).toStdString(), ReadFailureReason(error)),
                    mb::IconExclamation);
    }
    m_reading = false;
}

void CSystemConfigDlg::ShowFileInfo(const QString& name)
{
    const QFileInfo info(name);
    m_fileInfo->setText(info.fileName() + QStringLiteral("   ") + QStringLiteral("%1 bytes    ").arg(info.size()) +
                        info.lastModified().toString(QStringLiteral("dd.MM.yy  HH:mm")));
    // A line that becomes longer while the browser is open (after a save, or a
    // read from the device that began without a file) widens it, instead of
    // being cut or pushing the list over the tree.
    if (isVisible() && layout()) {
        layout()->activate();
        const QSize need = layout()->minimumSize();
        setMinimumSize(minimumSize().expandedTo(need));
        if (width() < need.width() || height() < need.height())
            resize(size().expandedTo(need));
    }
}

void CSystemConfigDlg::SaveConfigFile()
{
    QString name = QSettings().value(QStringLiteral("Configuration/KVT File")).toString();
    if (name.isEmpty()) {
        name = DefaultConfigFile();
        WriteSetting(QStringLiteral("Configuration/KVT File"), name);
    }
    if (!m_notReadFile.isEmpty() && name == m_notReadFile && QFileInfo::exists(name)) {
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(name).toStdString(), NotReadBeforeReason()),
                    mb::IconExclamation);
        return;
    }
    m_lines.clear();
    std::vector<QTreeWidgetItem*> stack;
    for (int i = m_tree->topLevelItemCount() - 1; i >= 0; --i)
        stack.push_back(m_tree->topLevelItem(i));
    while (!stack.empty()) {
        QTreeWidgetItem* item = stack.back();
        stack.pop_back();
        if (item->parent())
            m_lines.push_back(PathOf(item));
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.push_back(item->child(i));
    }
    std::string bytes;
    for (const std::string& path : m_lines)
        bytes += path + " ?\r\n";
    const std::string reason = WriteFileReplacing(name.toStdString(), bytes);
    if (!reason.empty()) {
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(name).toStdString(), reason), mb::IconExclamation);
        return;
    }
    m_notReadFile.clear();
    ShowFileInfo(name);
}

void CSystemConfigDlg::BuildTree()
{
    m_tree->clear();
    auto* root = new QTreeWidgetItem(m_tree, {QStringLiteral("/")});
    SetImage(root, Closed);
    // A line that is no path below the root ("/ ?" itself) is passed over.
    for (size_t position = 0; position < m_lines.size(); ++position)
        position = AddChildren(root, "/", position);
}

size_t CSystemConfigDlg::AddChildren(QTreeWidgetItem* parent, const std::string& prefix, size_t from)
{
    // A file is not trusted: nesting deeper than any device tree is cut.
    int depth = 0;
    for (const QTreeWidgetItem* p = parent; p; p = p->parent())
        ++depth;
    size_t position = from;
    while (position < m_lines.size()) {
        const std::string path = m_lines[position].substr(0, m_lines[position].find(' '));
        // A path lies below another only at a "/": "/PFX/INPUT" is no child of "/PFX/IN".
        const bool below = path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
                           (prefix.back() == '/' || path[prefix.size()] == '/');
        if (!below)
            return position;
        std::string text = path.substr(prefix.size());
        if (!text.empty() && text[0] == '/')
            text.erase(0, 1);
        auto* node = new QTreeWidgetItem(parent, {QString::fromStdString(text)});
        node->setIcon(0, ImageIcon(Closed));
        const size_t next = depth < 64 ? AddChildren(node, path, position + 1) : position + 1;
        if (next == position + 1)
            node->setIcon(0, ImageIcon(Leaf));
        position = next;
    }
    return position;
}

std::vector<std::string> CSystemConfigDlg::ExpandItems(const std::string& value, bool hexAmp,
                                                       std::vector<std::string>* refused)
{
    auto refuse = [refused](const std::string& item) {
        if (refused)
            refused->push_back(item);
    };
    std::vector<std::string> names;
    const size_t start = value.find_first_not_of(' ');
    if (start == std::string::npos)
        return names;
    const std::string list = value.substr(start);
    size_t from = 0;
    while (from <= list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos)
            comma = list.size();
        const std::string item = list.substr(from, comma - from);
        from = comma + 1;
        // "Ost Halle, West" is a value with a comma, not the names "Ost Halle" and " West".
        if (item.empty() || item.find_first_of(" \t") != std::string::npos) {
            refuse(item);
            continue;
        }
        const size_t dots = item.find("...");
        if (dots == std::string::npos) {
            names.push_back(item);
            continue;
        }
        const std::string first = item.substr(0, dots);
        const std::string last = item.substr(dots + 3);
        const std::string prefix = first.substr(0, first.find_first_of("0123456789"));
        const bool hex = hexAmp && prefix == "AMP";
        long low = 0;
        long high = 0;
        // A reversed or malformed range names nothing; a long one is cut.
        if (!ReadBound(first, prefix, hex, &low) || !ReadBound(last, prefix, hex, &high) || high < low) {
            refuse(item);
            continue;
        }
        for (long n = low; n <= high && n - low < kMaxRangeItems; ++n)
            names.push_back(prefix + std::to_string(n));
    }
    return names;
}

void CSystemConfigDlg::OnReceiveLine(const std::string& line)
{
    const size_t blank = line.find(' ');
    const std::string path = blank == std::string::npos ? std::string() : line.substr(0, blank);
    const std::string value = blank == std::string::npos ? line : line.substr(blank + 1);
    if (value == "?")
        return;
    if (!m_reading) {
        ShowValue(value);
        return;
    }
    if (!IsListValue(value)) {
        m_resultTrace += line + "\r\n";
    } else {
        // Only queries leave during the walk: what names no entry is
        // named in the result file instead of being sent as a path.
        std::vector<std::string> refused;
        const std::vector<std::string> items = ExpandItems(value, false, &refused);
        if (!refused.empty()) {
            std::string named;
            for (const std::string& item : refused)
                named += (named.empty() ? "\"" : ", \"") + item + "\"";
            m_resultTrace += line + "\r\n" +
                             StrFormat(LoadStringId(kNotQueried).c_str(), (path.empty() ? "/" : path).c_str(), named.c_str()) +
                             "\r\n";
        }
        size_t at = static_cast<size_t>(m_position + 1);
        for (const std::string& item : items) {
            const std::string query = path + "/" + item + " ?";
            if (path.empty()) {
                m_lines.push_back(query);
            } else {
                m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(at, m_lines.size())), query);
                ++at;
            }
        }
    }
    // Each answer sends the next line (after the root's answer: the first).
    NextQuery();
}

void CSystemConfigDlg::NextQuery()
{
    m_walkTimer.stop();
    if (!m_reading)
        return;
    if (m_watch) {
        m_watch->Moved();
        if (m_watch->Silent()) {
            StopSilentWalk();
            return;
        }
    }
    if (m_position + 1 >= static_cast<long>(m_lines.size())) {
        // The last line has had its answer (or its time): the walk is
        // complete, once the device has read it.
        if (m_watch && m_watch->Unechoed()) {
            m_walkTimer.start();
            return;
        }
        StopDeviceRead();
        BuildTree();
        return;
    }
    ++m_position;
    const std::string& line = m_lines[static_cast<size_t>(m_position)];
    Send(line);
    ++m_sent;
    m_configTrace += line + "\r\n";
    if (m_sent % 10 == 0)
        m_progress->setText(QStringLiteral("%1 %2").arg(m_sent).arg(m_lines.size()));
    m_walkTimer.start();
}

void CSystemConfigDlg::StopSilentWalk()
{
    // The steps are the walk's queries, the root's first: those the device
    // read of those known so far.
    const CCommLink* link = GetCommLink();
    const uint64_t echoed = link ? link->GetEchoes().GetLinesEchoed() : 0;
    const long sent = m_sent + 1;
    const long read = echoed > m_linesBefore ? std::min(static_cast<long>(echoed - m_linesBefore), sent) : 0;
    const int count = static_cast<int>(m_lines.size()) + 1;
    StopDeviceRead();
    BuildTree();
    CTransferLoop::ReportStop(1, CTransferLoop::Stop::Silent, windowTitle().toStdString(), static_cast<int>(read), count);
}

void CSystemConfigDlg::ShowValue(const std::string& value)
{
    if (m_list->rowCount() == 0)
        return;
    m_settingList = true;
    QTableWidgetItem* cell = m_list->item(0, 0);
    cell->setForeground(Qt::black);
    cell->setText(QString::fromStdString(value));
    m_settingList = false;
}

std::string CSystemConfigDlg::PathOf(const QTreeWidgetItem* item)
{
    if (!item || !item->parent())
        return "/";
    std::string path;
    for (const QTreeWidgetItem* p = item; p && p->parent(); p = p->parent())
        path = "/" + p->text(0).toStdString() + path;
    return path;
}

std::string CSystemConfigDlg::StartCommand(std::string command)
{
    if (command.compare(0, kStartPathLength, kStartPath) == 0 && command.size() > kStartPathLength)
        command[kStartPathLength] = ' ';
    return command;
}

void CSystemConfigDlg::OnSelectionChanged()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    const std::string query = PathOf(item) + " ?";
    m_settingList = true;
    if (m_list->rowCount() == 0) {
        m_list->insertRow(0);
        m_list->setItem(0, 0, new QTableWidgetItem);
        auto* command = new QTableWidgetItem;
        command->setFlags(command->flags() & ~Qt::ItemIsEditable);
        m_list->setItem(0, 1, command);
    }
    m_list->item(0, 0)->setText(QString());
    m_list->item(0, 1)->setText(QString::fromStdString(query));
    m_settingList = false;
    if (item->childCount() == 0)
        Send(query);
}

void CSystemConfigDlg::OnValueEdited(const QString& text)
{
    QTableWidgetItem* command = m_list->item(0, 1);
    if (!command)
        return;
    if (CTransferLoop::LineDown()) {
        // Typed as the line went: nothing is sent, so the cell shows no value as if it had been.
        m_settingList = true;
        m_list->item(0, 0)->setText(QString());
        m_settingList = false;
        return;
    }
    m_settingList = true;
    m_list->item(0, 0)->setForeground(Qt::red);
    m_settingList = false;
    QString clean;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            clean.append(c);
    const std::string query = command->text().toStdString();
    const std::string line = query.substr(0, query.find(' ')) + " " + clean.toStdString();
    if (line.compare(0, kStartPathLength, kStartPath) == 0) {
        Send(StartCommand(line));
        return;
    }
    Send(line);
    Send(query);
}

void CSystemConfigDlg::OnDoubleClick(QTreeWidgetItem* item)
{
    if (!item || item->childCount() > 0 || m_list->rowCount() == 0)
        return;
    const std::string value = m_list->item(0, 0)->text().toStdString();
    // A value whose items name no entry ("Ost Halle, West") is a value.
    const std::vector<std::string> names = IsListValue(value) ? ExpandItems(value, true) : std::vector<std::string>();
    if (!names.empty()) {
        item->setIcon(0, ImageIcon(Closed));
        for (const std::string& name : names) {
            auto* child = new QTreeWidgetItem(item, {QString::fromStdString(name)});
            child->setIcon(0, ImageIcon(Leaf));
        }
    } else {
        m_settingList = true;
        m_list->item(0, 0)->setForeground(Qt::red);
        m_settingList = false;
        const std::string query = m_list->item(0, 1)->text().toStdString();
        if (query.compare(0, kStartPathLength, kStartPath) == 0) {
            // Only the harmless tests start from here unless the registry allows all.
            const std::string start = StartCommand(query);
            const bool all = (static_cast<uint32_t>(GetAppHost().GetProfileInt("Configuration", "KVT Registry", 0)) &
                              0x80000000u) != 0;
            if (all || start == "/SERVICE/START BATTERY ?" || start == "/SERVICE/START VCC ?")
                Send(start);
        } else {
            Send(query);
        }
    }
    m_settingList = true;
    m_list->item(0, 0)->setText(QString());
    m_settingList = false;
}

void CSystemConfigDlg::OnDeleteKey()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || (item->childCount() == 0 && item->parent()))
        return;
    // The children come back only with the device's answer: without the line
    // the branch stays as it is.
    if (CTransferLoop::LineDown())
        return;
    qDeleteAll(item->takeChildren());
    item->setIcon(0, ImageIcon(Leaf));
    const std::string query = PathOf(item) + " ?";
    if (m_list->rowCount() > 0) {
        m_settingList = true;
        m_list->item(0, 1)->setText(QString::fromStdString(query));
        m_settingList = false;
    }
    Send(query);
}

bool CSystemConfigDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDeleteKey();
        return true;
    }
    return CResizableDialog::eventFilter(watched, event);
}

void CSystemConfigDlg::done(int result)
{
    StopDeviceRead();
    CResizableDialog::done(result);
}
