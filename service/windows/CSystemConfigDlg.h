#pragma once
// "Systemkonfiguration": the browser of the device's whole protocol tree. It
// walks the tree query by query (each answer sends the next query) or loads
// a configuration file saved before; selecting a leaf asks the device for its
// value, which can be edited and sent back. Runs modally while the device
// link hands it every received line.

#include <QFile>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/CResizableDialog.h"

class CQuillomerDoc;
class CTransferWatch;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

class CSystemConfigDlg : public CResizableDialog {
    Q_OBJECT
public:
    // Range items ("ZONE1...ZONE500") yield at most this many names.
    static constexpr int kMaxRangeItems = 1000;
    static constexpr int kWalkTimeoutMs = 300;

    explicit CSystemConfigDlg(QWidget* parent = nullptr);
    ~CSystemConfigDlg() override;

    // The dialog that runs now (null when none): the link's lines go there.
    static CSystemConfigDlg* Running();

    // Asks whether to read the device or open the file, then does it.
    void ChooseSource();
    void StartDeviceRead();
    void OpenConfigFile();
    void SaveConfigFile();
    void BuildTree();
    void StopDeviceRead();
    void OnReceiveLine(const std::string& line);
    // Where the configuration file lies while none has been named.
    static QString DefaultConfigFile();

    // The names of a list value (leading blanks removed, ranges expanded;
    // `hexAmp`: the bounds of an "AMP" range are hexadecimal). A reversed or
    // malformed range yields nothing, a long one at most kMaxRangeItems names.
    // An item that is empty or holds a blank names no entry (as a path it
    // would make its query a setting line): it yields nothing either. The
    // items that yield nothing go to `refused` when given.
    static std::vector<std::string> ExpandItems(const std::string& value, bool hexAmp,
                                                std::vector<std::string>* refused = nullptr);

    // Tree and list interaction.
    void OnSelectionChanged();
    void OnDoubleClick(QTreeWidgetItem* item);
    void OnDeleteKey();
    void OnValueEdited(const QString& text);

    bool IsReading() const { return m_reading; }
    const std::vector<std::string>& GetLines() const { return m_lines; }
    QTreeWidget* GetTree() const { return m_tree; }
    QTableWidget* GetList() const { return m_list; }
    QLabel* GetProgress() const { return m_progress; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Send(const std::string& line);
    void NextQuery();
    // The device stopped reading the walk: it ends with the tree of what
    // came, and the user is told how far it got.
    void StopSilentWalk();
    void ShowValue(const std::string& value);
    void ShowFileInfo(const QString& file);
    // The file dialog; empty when the user cancels.
    QString ChooseConfigFile(const QString& current);
    void ReadLines(QIODevice& file);
    size_t AddChildren(QTreeWidgetItem* parent, const std::string& prefix, size_t from);
    static std::string PathOf(const QTreeWidgetItem* item);
    static std::string StartCommand(std::string command);

    CQuillomerDoc* m_doc = nullptr;
    std::vector<std::string> m_lines;
    long m_position = -1;  // the line last sent; -1: none yet
    bool m_reading = false;
    // The file the tree was to come from, which exists but could not be read.
    QString m_notReadFile;
    long m_sent = 0;
    std::string m_configTrace;  // the walk's queries, written when it ends
    std::string m_resultTrace;  // and the device's answers
    QTimer m_walkTimer;
    QTimer m_lineWatch;
    // Whether the device still reads the walk's queries (during a walk).
    std::unique_ptr<CTransferWatch> m_watch;
    uint64_t m_linesBefore = 0;  // the link's lines sent before the walk

    QTreeWidget* m_tree = nullptr;
    QTableWidget* m_list = nullptr;
    QLabel* m_progress = nullptr;
    QLabel* m_fileInfo = nullptr;
    QPushButton* m_save = nullptr;
    bool m_settingList = false;
};
