#pragma once
// The zone list: one row per zone fed by a remote-capable amplifier channel,
// with its line-test settings and the device's measurement values. It polls
// the device's line-test state once a second, edits the test volume, the
// tolerances and the ignored faults of the selected rows, and transfers the
// line data of its zones. The upper pane of the line-test window.
//
// A row keeps its zone's number and finds the zone again at every use. The
// line data of all listed (or the selected) zones go as one transfer.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QBitArray>
#include <QTimer>

#include "comm/ILinkAnswerSink.h"
#include "ui/CEBListView.h"

class CQuillomerDoc;
class CTransferWatch;
class CZone;

class CZoneListView : public CEBListView, public ILinkAnswerSink {
    Q_OBJECT
public:
    static constexpr int kColumns = 13;
    static constexpr int kPollTimer = 1000;

    explicit CZoneListView(CQuillomerDoc* doc, QWidget* parent = nullptr);
    ~CZoneListView() override;

    // Fills the list (once) and starts polling when the document is connected.
    void OnInitialUpdate();
    // The zone of a row, null when the row has none or its zone has gone.
    CZone* ZoneAt(int row) const;
    int NumberAt(int row) const;
    int RowOfZone(int number) const;

    // The line data of every listed zone and then the line-test settings, or
    // of the selected rows' zones alone, as one transfer. Nothing happens
    // while a transfer runs.
    void TransferLineData(bool upload);
    void TransferSelected(bool upload);
    bool IsTransferring() const { return m_transferring; }
    void StartTestMeasurement();
    void StartImpedanceMeasurement();
    void SetImpedanceReference();
    void SetTestReference();
    void SelectAll();
    void OnRefresh();
    void OnRefreshSelected();
    void QueryZone(int row);

    // The answer parser (the link's answers for this view).
    void ParseAnswers(const std::vector<std::string>& lines);
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // Ends an edit of a cell (columns 0, 3, 4, 5) with a text.
    void OnEndLabelEdit(int row, int column, const QString& text);
    // Sets the ignored faults of the selected rows from a bit mask.
    void SetIgnoreMask(uint32_t mask);

    // How lines go out (the device link's block request by default).
    using BlockSender = std::function<bool(const std::vector<std::string>& lines, ILinkAnswerSink* sink)>;
    void SetBlockSender(BlockSender sender) { m_sender = std::move(sender); }
    // The text of the host's status pane 1 and the enabling of its two
    // buttons while a query round or a transfer holds them.
    std::function<void(const QString& text)> statusChanged;
    std::function<void(bool enabled)> buttonsEnabled;
    // The enabling of "Anzeige aktualisieren": only while the document is
    // connected and nothing holds it; told again whenever that changes.
    std::function<void(bool enabled)> refreshEnabled;
    bool CanRefresh() const;
    // A query round or a transfer holds the commands.
    bool AreCommandsHeld() const { return m_held; }
    // Brings the commands' state up to the connection (the view does so by
    // itself a few times a second while it lives).
    void UpdateCommandState();
    QString StatusText() const { return m_status; }

protected:
    void showEvent(QShowEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SendSelected(const char* prefix);
    void ServiceQuery();
    void EnableButtons(bool on);
    // A query round over `rows` rows begins: its end is watched for.
    void BeginRound(int rows);
    // A query round is over, or cannot go on: polling again, nothing held.
    void EndRound();
    // A round the device stopped answering ends, and the user is told.
    void WatchRound();
    bool IsConnected() const;
    void SetStatus(const QString& text);
    void SaveWidths() const;
    bool Send(const std::vector<std::string>& lines);
    void Transfer(bool upload, bool selectedOnly);

    CQuillomerDoc* m_pDoc;
    QTimer m_poll {this};  // a child, so that a window switched away from stops it
    QTimer m_commandState {this};  // a child, so that a window switched away from stops it
    bool m_held = false;        // a query round or a transfer holds the commands
    bool m_wasConnected = false;
    bool m_refreshSelected = false;
    int m_nextSelected = 0;
    int m_answerRow = -1;
    // While a query round runs: what shows that the device still answers,
    // the rows the round asks and those answered so far.
    std::unique_ptr<CTransferWatch> m_roundWatch;
    QTimer m_roundTimer {this};
    int m_roundRows = 0;
    int m_roundDone = 0;
    bool m_filled = false;
    int m_columnsWidth = 0;  // every column at its width, as the list opened
    bool m_transferring = false;
    QBitArray m_remembered;
    QString m_status;
    BlockSender m_sender;
};
