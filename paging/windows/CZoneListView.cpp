#include "paging/windows/CZoneListView.h"

#include "comm/SettingsFile.h"
#include "ui/ColumnWidths.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QStyle>

#include <algorithm>
#include <climits>
#include <exception>
#include <optional>

#include "comm/CCommLink.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/windows/CZoneLineTransfer.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CPictureSet.h"
#include "ui/CScreenFit.h"
#include "ui/CSelectionDlg.h"
#include "ui/CTransferLoop.h"
#include "ui/CTransferWatch.h"

QL_STRING_TABLE({
    {34599, "Verst.-Kanal"},
    {34603, "Linienmessung"},
    {34604, "Referenz"},
    {34605, "Impedanzessung"},
    {34606, "Referenz"},
    {34607, "Anp."},
    {34608, "Linienfehler"},
    {34577, "Linientest"},
    {34616, "Impedanzmessung aktiv"},
    {34642, "Aktualisieren"},
    {34614, "Liniendaten downloaden"},
    {34626, "Anzeige aktualisieren"},
});

namespace {
constexpr uint32_t kTitles[CZoneListView::kColumns] = {32802, 34599, 34600, 34255, 34602, 34601, 34603,
                                                       34604, 34605, 34606, 34607, 34608, 34580};
constexpr int kDefaultWidths[CZoneListView::kColumns] = {125, 75, 30, 30, 40, 40, 90, 60, 90, 60, 40, 70, 60};
constexpr const char* kWidthKey = "Settings/ZoneListColumnWidth";
constexpr uint32_t kFault = 34565, kBlank = 34242;

QString S(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}
}  // namespace

CZoneListView::CZoneListView(CQuillomerDoc* doc, QWidget* parent) : CEBListView(parent), m_pDoc(doc)
{
    // Row pictures: the object strip (a row shows its kind's image).
    SetImageList(CPictureSet::ImageList(136, 16));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    QPalette p = palette();
    p.setColor(QPalette::AlternateBase, QColor(0xFF, 0xFB, 0xF0));
    setPalette(p);
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &CZoneListView::ServiceQuery);
    connect(this, &CListCtrl::EndLabelEdit, this,
            [this](int row, int column, const QString& text, int) { OnEndLabelEdit(row, column, text); });
    // The zone's name is renamed in place (F2 or a slow second click); the
    // zone decides, and the cell shows its name again.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = RowOf(item);
        const CZone* zone = ZoneAt(row);
        if (column != 0 || !zone || item->text(0).toStdString() == zone->GetName())
            return;
        // After the editor has gone: the cell is written anew.
        const QString text = item->text(0);
        QMetaObject::invokeMethod(this, [this, row, text] { OnEndLabelEdit(row, 0, text); }, Qt::QueuedConnection);
    });
    // Commands follow the connection as it comes and goes, as the main
    // window's bars do.
    m_commandState.setInterval(250);
    connect(&m_commandState, &QTimer::timeout, this, &CZoneListView::UpdateCommandState);
    m_commandState.start();
    m_roundTimer.setInterval(250);
    connect(&m_roundTimer, &QTimer::timeout, this, &CZoneListView::WatchRound);
    m_sender = [](const std::vector<std::string>& lines, ILinkAnswerSink* sink) {
        CCommLink* link = GetCommLink();
        return link && link->SendBlock(lines, true, 0, sink, 0);
    };
}

CZoneListView::~CZoneListView()
{
    SaveWidths();
}

void CZoneListView::showEvent(QShowEvent* event)
{
    // The window is on its screen now: the columns ask no more room than the
    // screen has.
    const int room = CScreenFit::AreaFor(window()).width() - 2 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    if (m_columnsWidth > 0 && room > 0)
        setMinimumWidth(std::min(m_columnsWidth, room));
    CEBListView::showEvent(event);
}

void CZoneListView::OnInitialUpdate()
{
    if (m_filled)
        return;
    m_filled = true;
    for (int c = 0; c < kColumns; ++c) {
        QString title = S(kTitles[c]);
        if (c == 3)
            title += QStringLiteral("[dB]");
        else if (c == 4 || c == 5)
            title += QStringLiteral("[%]");
        InsertColumn(c, title, c == 0 ? LVCFMT_CENTER : c == 1 ? LVCFMT_LEFT : LVCFMT_RIGHT, kDefaultWidths[c]);
    }
    // The saved widths are the user's own and stand for columns 0..10, then
    // 12 (column 11 is fixed); the designed ones grow with the font.
    const QStringList saved = QSettings().value(kWidthKey).toString().split(',', Qt::SkipEmptyParts);
    static constexpr int kSavedColumn[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    for (int i = 0; i < saved.size() && i < 12; ++i) {
        bool ok = false;
        const int w = saved[i].toInt(&ok);
        if (!ok)
            break;
        SetStoredColumnWidth(kSavedColumn[i], w);
    }
    // The window that shows the list opens wide enough for every column at
    // the width it has now, in either language: widths stored under another
    // language or font hold titles of other lengths, and the window keeps to
    // its screen where they add up to more: there the list scrolls sideways
    // instead of reaching beyond its window (see showEvent).
    m_columnsWidth = ColumnsTotalWidth(this);
    setMinimumWidth(std::max(minimumWidth(), m_columnsWidth));
    DeleteAllItems();
    if (!m_pDoc)
        return;
    DeviceList zones;
    m_pDoc->GetIDManager().GetBaseDeviceList(zones, OT_ZONE);
    static constexpr int kAttributes[] = {zoneattr::AmpChannelText, zoneattr::IgnoreText, zoneattr::TestVolume,
                                          zoneattr::NegTol, zoneattr::PosTol};
    for (CBaseDevice* obj : zones) {
        auto* zone = dynamic_cast<CZone*>(obj);
        if (!zone || zone->GetAmpChannel() == 0)
            continue;
        const int row = InsertItem(GetItemCount(), Q(zone->GetName()), 34);
        for (int i = 0; i < 5; ++i)
            SetItemText(row, i + 1, Q(zone->GetAttributeText(kAttributes[i])));
        SetItemData(row, static_cast<quintptr>(zone->GetNumber()));
        Row(row)->setFlags(Row(row)->flags() | Qt::ItemIsEditable);
    }
    m_wasConnected = IsConnected();
    if (m_wasConnected)
        m_poll.start();
    UpdateCommandState();
}

int CZoneListView::NumberAt(int row) const
{
    return row < 0 || row >= GetItemCount() ? -1 : static_cast<int>(GetItemData(row));
}

CZone* CZoneListView::ZoneAt(int row) const
{
    const int number = NumberAt(row);
    if (!m_pDoc || !m_pDoc->GetIDManager().IsValidID(number, OT_ZONE))
        return nullptr;
    return dynamic_cast<CZone*>(m_pDoc->GetIDManager().GetBaseDevice(number, OT_ZONE));
}

int CZoneListView::RowOfZone(int number) const
{
    for (int row = 0; row < GetItemCount(); ++row)
        if (NumberAt(row) == number)
            return row;
    return -1;
}

bool CZoneListView::Send(const std::vector<std::string>& lines)
{
    return m_sender && m_sender(lines, this);
}

void CZoneListView::EnableButtons(bool on)
{
    m_held = !on;
    if (buttonsEnabled)
        buttonsEnabled(on);
    UpdateCommandState();
}

bool CZoneListView::IsConnected() const
{
    return m_pDoc && m_pDoc->GetConnectedFlag();
}

bool CZoneListView::CanRefresh() const
{
    return IsConnected() && !m_held && !m_transferring;
}

void CZoneListView::UpdateCommandState()
{
    const bool connected = IsConnected();
    if (connected != m_wasConnected && m_filled) {
        m_wasConnected = connected;
        // Nothing answers a round under way any more. (A new connection is
        // left to its set-up: polling waits for the next round.)
        if (!connected) {
            m_poll.stop();
            m_roundTimer.stop();
            if (m_roundWatch)
                if (CCommLink* link = GetCommLink())
                    link->ShowErrorFile();
            m_roundWatch.reset();
            if (m_held && !m_transferring) {
                m_nextSelected = 0;
                m_held = false;
                if (buttonsEnabled)
                    buttonsEnabled(true);
            }
        }
    }
    if (refreshEnabled)
        refreshEnabled(CanRefresh());
}

void CZoneListView::BeginRound(int rows)
{
    // The round waits for the device as long as the line moves; once nothing
    // has moved for the time a transfer waits for an answer, it is over.
    m_roundWatch = std::make_unique<CTransferWatch>(GetCommLink(), CTransferWatch::kAnswerWaitMs);
    m_roundRows = rows;
    m_roundDone = 0;
    m_roundTimer.start();
    // The round reads the zones' tolerances and test volumes into the
    // project as an upload does: what a zone cannot hold as the device gave
    // it goes into a fresh difference file, shown when the round is over.
    if (CCommLink* link = GetCommLink())
        link->ResetErrorFile();
}

void CZoneListView::EndRound()
{
    m_roundTimer.stop();
    m_roundWatch.reset();
    if (CCommLink* link = GetCommLink())
        link->ShowErrorFile();
    if (IsConnected())
        m_poll.start();
    EnableButtons(true);
}

void CZoneListView::WatchRound()
{
    if (!m_roundWatch || !m_held || m_transferring) {
        m_roundTimer.stop();
        m_roundWatch.reset();
        return;
    }
    m_roundWatch->Moved();
    if (!m_roundWatch->Stalled())
        return;
    // Nothing will go on with the round: the commands come back, the link
    // is let go, and the user learns that the rows from here on are old.
    const int reached = m_roundDone;
    const int rows = m_roundRows;
    const std::string command = LoadStringId(m_refreshSelected ? 34642 : 34626);
    EndRound();
    if (CCommLink* link = GetCommLink())
        link->EndRequestOf(this);
    CTransferLoop::ReportStop(1, CTransferLoop::Stop::Silent, command, reached, rows);
}

void CZoneListView::SetStatus(const QString& text)
{
    m_status = text;
    if (statusChanged)
        statusChanged(text);
}

void CZoneListView::SaveWidths() const
{
    if (!m_filled)
        return;
    QStringList widths;
    for (int c = 0; c < 12; ++c)
        widths << QString::number(GetColumnWidth(c));
    // Saved as the list goes: what the file makes the user read waits until it is gone.
    WriteSettingTellingLater(kWidthKey, widths.join(QLatin1Char(',')));
}

void CZoneListView::QueryZone(int row)
{
    m_poll.stop();
    if (row < GetItemCount()) {
        const int n = NumberAt(row);
        std::vector<std::string> lines;
        for (const char* key : {"/TEST/MEAS", "/TEST/REF", "/TEST/POSTOL", "/TESTVOL", "/TEST/NEGTOL", "/TEST/ADJ",
                                "/TEST/IGNORE", "/IMP/MEAS", "/IMP/REF"})
            lines.push_back(StrFormat("/KVT/ZONE%d%s ?", n, key));
        // A round whose request is refused is over: no answer will go on with it.
        if (!Send(lines))
            EndRound();
        return;
    }
    EndRound();
}

void CZoneListView::ServiceQuery()
{
    // A transfer owns the line: the test state is asked again once it has ended.
    if (!IsConnected() || TransferHoldsLink())
        return;
    Send({"/SERVICE/ZONETEST/MODE ?", "/SERVICE/ZONETEST/ACTIVE ?", "/SERVICE/ZONETEST/FAULT ?",
          "/SERVICE/ZONETEST/GNDFLT ?"});
}

void CZoneListView::OnRefresh()
{
    // Without a connection a round could not be sent: nothing starts.
    if (m_transferring || !IsConnected())
        return;
    m_refreshSelected = false;
    EnableButtons(false);
    m_poll.stop();
    BeginRound(GetItemCount());
    QueryZone(0);
}

void CZoneListView::OnRefreshSelected()
{
    if (m_transferring || !IsConnected())
        return;
    int first = -1;
    for (int row = 0; row < GetItemCount() && first < 0; ++row)
        if (IsItemSelected(row))
            first = row;
    // Without a selected row there is no round to hold the commands for.
    if (first < 0)
        return;
    m_refreshSelected = true;
    EnableButtons(false);
    m_poll.stop();
    m_nextSelected = 0;
    int rows = 0;
    for (int row = first; row < GetItemCount(); ++row)
        if (IsItemSelected(row)) {
            if (row > first && !m_nextSelected)
                m_nextSelected = row + 1;
            ++rows;
        }
    BeginRound(rows);
    QueryZone(first);
}

void CZoneListView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    ParseAnswers(answers);
    answers.clear();
}

void CZoneListView::ParseAnswers(const std::vector<std::string>& lines)
{
    for (std::string line : lines) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        const size_t blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        if (value == "?")
            continue;  // an echoed query
        // The device's "PATH ? " for a key it does not know (or a line it did
        // not understand): no value to show or keep; only the round goes on.
        const bool refused = IsRefusedValue(value);
        if (refused && key.rfind("/KVT/ZONE", 0) != 0)
            continue;
        if (key == "/SERVICE/ZONETEST/FAULT" || key == "/SERVICE/ZONETEST/GNDFLT") {
            if (value == "NONE")
                value = "0";
            // A set that does not fit the 100 zones, or a text that is no set
            // of zone numbers ("1e2" is not zone 1), is refused whole.
            NumberSet set{};
            if (value.size() > kRangeTextMaxLength || !ParseDecimalRanges(set, 100, value))
                continue;
            const int column = key == "/SERVICE/ZONETEST/FAULT" ? 11 : 12;
            for (int row = 0; row < GetItemCount(); ++row) {
                const int n = NumberAt(row);
                SetItemText(row, column, S(n >= 1 && TestBit(set, static_cast<unsigned>(n - 1)) ? kFault : kBlank));
            }
            continue;
        }
        if (key == "/SERVICE/ZONETEST/MODE") {
            if (value == "OFF")
                SetStatus(QString());
            else if (value == "TEST")
                SetStatus(S(34577));
            else if (value == "IMP")
                SetStatus(S(34616));
            continue;
        }
        if (key == "/SERVICE/ZONETEST/ACTIVE") {
            if (!m_status.isEmpty())
                SetStatus(m_status + QStringLiteral(" (") + Q(value) + QStringLiteral(" )"));
            continue;
        }
        if (key.rfind("/KVT/ZONE", 0) != 0)
            continue;
        const std::string rest = key.substr(9);
        const size_t slash = rest.find('/');
        const int n = std::atoi(rest.substr(0, slash).c_str());
        m_answerRow = RowOfZone(n);
        if (m_answerRow < 0 || slash == std::string::npos)
            continue;
        const std::string what = rest.substr(slash);
        if (refused && what != "/IMP/REF")
            continue;
        CZone* zone = ZoneAt(m_answerRow);
        const QString v = Q(value);
        // What the zone keeps it reads as an upload reads it (a word, a
        // number beyond its range, a decimal is named in the difference
        // file); the cell shows what the zone holds.
        auto take = [&](int shown, int column) {
            CCommLink* link = GetCommLink();
            const CBaseDevice::ChangeGuard guard(*zone);
            try {
                zone->ParseUploadLines(line.substr(1), link ? link->GetErrorFileName() : std::string(),
                                       linkstate::Upload);
            } catch (const std::exception& e) {
                // The zone keeps what it read; the difference file that could
                // not name it is told as the whole upload tells it.
                if (link)
                    link->NoteErrorFileFailure(e);
            }
            SetItemText(m_answerRow, column, Q(zone->GetAttributeText(shown)));
        };
        if (!zone && (what == "/TEST/POSTOL" || what == "/TEST/NEGTOL" || what == "/TESTVOL" || what == "/TEST/IGNORE"))
            continue;
        if (what == "/TEST/MEAS") {
            SetItemText(m_answerRow, 6, v);
        } else if (what == "/TEST/REF") {
            SetItemText(m_answerRow, 7, v);
        } else if (what == "/TEST/POSTOL") {
            take(zoneattr::PosTol, 5);
        } else if (what == "/TEST/NEGTOL") {
            take(zoneattr::NegTol, 4);
        } else if (what == "/TEST/ADJ") {
            SetItemText(m_answerRow, 10, v);
        } else if (what == "/TESTVOL") {
            take(zoneattr::TestVolume, 3);
        } else if (what == "/TEST/IGNORE") {
            take(zoneattr::IgnoreText, 2);
        } else if (what == "/IMP/MEAS") {
            SetItemText(m_answerRow, 8, v);
        } else if (what == "/IMP/REF") {
            SetItemText(m_answerRow, 9, refused ? QString() : v);  // a refused value is no reference
            // The late answers of a round that has ended go on with nothing.
            if (!m_roundWatch)
                continue;
            ++m_roundDone;
            m_roundWatch->StepMoved();
            if (!m_refreshSelected) {
                QueryZone(m_answerRow + 1);
            } else if (m_nextSelected == 0) {
                EndRound();
            } else {
                const int row = m_nextSelected - 1;
                m_nextSelected = 0;
                for (int r = row + 1; r < GetItemCount() && !m_nextSelected; ++r)
                    if (IsItemSelected(r))
                        m_nextSelected = r + 1;
                QueryZone(row);
            }
        }
    }
}

void CZoneListView::SendSelected(const char* prefix)
{
    if (m_transferring)
        return;
    std::vector<int> numbers;
    for (int row = 0; row < GetItemCount(); ++row)
        if (IsItemSelected(row))
            numbers.push_back(NumberAt(row));
    Send({std::string(prefix) + GetSelectedNumbersText(numbers)});
}

void CZoneListView::StartTestMeasurement() { SendSelected("/SERVICE/ZONETEST/TEST/MEAS "); }
void CZoneListView::StartImpedanceMeasurement() { SendSelected("/SERVICE/ZONETEST/IMP/MEAS "); }
void CZoneListView::SetImpedanceReference() { SendSelected("/SERVICE/ZONETEST/IMP/REF "); }
void CZoneListView::SetTestReference() { SendSelected("/SERVICE/ZONETEST/TEST/REF "); }

void CZoneListView::SelectAll()
{
    for (int row = 0; row < GetItemCount(); ++row)
        SetItemState(row, false, true);
}

void CZoneListView::TransferLineData(bool upload)
{
    Transfer(upload, false);
}

void CZoneListView::TransferSelected(bool upload)
{
    Transfer(upload, true);
}

void CZoneListView::Transfer(bool upload, bool selectedOnly)
{
    if (m_transferring || !m_pDoc)
        return;
    CZoneLineTransfer steps(m_pDoc);
    // The progress shows the row of the zone on its way, the settings after
    // the last row.
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row)
        if (!selectedOnly || IsItemSelected(row))
            steps.Add(OT_ZONE, NumberAt(row), row);
    if (!selectedOnly)
        steps.Add(OT_ZONETEST_OBJECT, 1, rows);
    if (steps.IsEmpty())
        return;
    m_transferring = true;
    m_poll.stop();
    EnableButtons(false);
    // The line-test window's transfer loop (progress, cancel, link states,
    // difference file); outside one, the single-object transfer.
    CFeatureFrm* frame = nullptr;
    for (QWidget* w = parentWidget(); w && !frame; w = w->parentWidget())
        frame = qobject_cast<CFeatureFrm*>(w);
    const QPointer<CZoneListView> alive(this);
    // The rows the user chose are entries of the list, as one row's transfer
    // is in the other lists: an early end names the zone when it is one, and
    // counts their own steps, not the rows of the whole list.
    std::string entry;
    int chosen = 0;
    for (int row = 0; selectedOnly && row < rows; ++row)
        if (IsItemSelected(row) && ++chosen == 1)
            if (const CZone* zone = ZoneAt(row))
                entry = zone->GetName();
    if (chosen > 1)
        entry.clear();
    if (!entry.empty())
        steps.SetName(entry);
    if (frame && selectedOnly) {
        const int count = steps.GetDownloadLines(upload ? 1 : 0, -1);
        frame->TransferSteps(&steps, upload ? 1 : 0, -1, 0, count, entry, true);
    } else if (frame) {
        frame->TransferRows(&steps, upload ? 1 : 0, -1, rows, [&steps](int step) { return steps.RowAt(step); });
    } else {
        GetAppHost().TransferObject(&steps, upload);
    }
    if (!alive)
        return;
    m_transferring = false;
    // What an upload took from the device (the names, tolerances, ignored
    // faults and test volumes) is what the rows show from now on, so that
    // no row offers the values the project held before.
    if (upload)
        for (int row = 0; row < GetItemCount(); ++row)
            if (CZone* zone = ZoneAt(row)) {
                SetItemText(row, 0, Q(zone->GetName()));
                SetItemText(row, 2, Q(zone->GetAttributeText(zoneattr::IgnoreText)));
                SetItemText(row, 3, Q(zone->GetAttributeText(zoneattr::TestVolume)));
                SetItemText(row, 4, Q(zone->GetAttributeText(zoneattr::NegTol)));
                SetItemText(row, 5, Q(zone->GetAttributeText(zoneattr::PosTol)));
            }
    EnableButtons(true);
    m_wasConnected = IsConnected();
    if (m_wasConnected)
        m_poll.start();
}

void CZoneListView::SetIgnoreMask(uint32_t mask)
{
    for (int row = 0; row < GetItemCount(); ++row) {
        CZone* zone = IsItemSelected(row) ? ZoneAt(row) : nullptr;
        if (!zone)
            continue;
        zone->SetAttribute(zoneattr::Ignore, static_cast<int32_t>(mask));
        SetItemText(row, 2, Q(zone->GetAttributeText(zoneattr::IgnoreText)));
    }
}

void CZoneListView::OnEndLabelEdit(int row, int column, const QString& text)
{
    if (row < 0 || row >= GetItemCount())
        return;
    if (column == 0) {
        // An emptied name is refused with the zone's message, a taken one
        // gets a counter; the cell shows the name the zone has then.
        CZone* zone = ZoneAt(row);
        if (!zone)
            return;
        // The message box's loop may finish a window switch made while the
        // name was being typed: the list is gone then.
        const QPointer<CZoneListView> alive(this);
        std::string name = text.toStdString();
        zone->SetNameUnique(name, true);
        if (alive)
            SetItemText(row, 0, Q(zone->GetName()));
        return;
    }
    if (text.isEmpty())
        return;
    const int attribute = column == 3 ? zoneattr::TestVolume : column == 4 ? zoneattr::NegTol
                        : column == 5 ? zoneattr::PosTol : -1;
    // A whole number as every number field reads one: "12,5", "1e2" or
    // "0x10" is none (and changes nothing), one beyond the range is held at it.
    const std::optional<long long> typed = ScanTypedWholeAlone(text.toStdString());
    if (attribute < 0 || !typed)
        return;
    const int value = static_cast<int>(std::clamp<long long>(*typed, INT_MIN, INT_MAX));
    for (int r = 0; r < GetItemCount(); ++r) {
        CZone* zone = IsItemSelected(r) || r == row ? ZoneAt(r) : nullptr;
        if (!zone)
            continue;
        zone->SetAttribute(attribute, value);
        SetItemText(r, column, Q(zone->GetAttributeText(attribute)));
    }
}

bool CZoneListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only the zone's name is edited this way (the values have their own
    // editor); F2 renames the row's zone wherever the row was clicked.
    if (trigger == QAbstractItemView::EditKeyPressed && index.isValid() && index.column() != 0)
        return CEBListView::edit(index.siblingAtColumn(0), trigger, event);
    if (index.column() != 0 && trigger != QAbstractItemView::NoEditTriggers)
        return false;
    return CEBListView::edit(index, trigger, event);
}

void CZoneListView::mousePressEvent(QMouseEvent* event)
{
    m_remembered.resize(800);
    m_remembered.fill(false);
    for (int row = 0; row < GetItemCount() && row < 800; ++row)
        m_remembered.setBit(row, IsItemSelected(row));
    CEBListView::mousePressEvent(event);
}

void CZoneListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click keeps a multiple selection.
    for (int row = 0; row < GetItemCount() && row < m_remembered.size(); ++row)
        if (m_remembered.testBit(row))
            SetItemState(row, false, true);
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.row(), column = index.column();
    if (!index.isValid() || column < 2 || column > 5)
        return;
    if (column == 2) {
        CSelectionDlg dlg(this);
        dlg.m_nKind = 34600;
        // A line may ignore several faults at once.
        dlg.m_bMultiple = true;
        const CZone* zone = ZoneAt(row);
        dlg.SetHeld(CSelectionDlg::Held::Number(zone ? static_cast<int>(zone->GetIgnoreMask()) : 0));
        if (dlg.DoModal() == QDialog::Accepted)
            SetIgnoreMask(static_cast<uint32_t>(dlg.m_nResultNumber));
        return;
    }
    auto* edit = new CInPlaceEdit(row, column, GetItemText(row, column));
    edit->Create(Qt::AlignHCenter, visualRect(index), this, 1000);
}

void CZoneListView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool connected = m_pDoc && m_pDoc->GetConnectedFlag() && !m_transferring;
    QAction* down = menu.addAction(S(zonecmd::Download));
    QAction* up = menu.addAction(S(zonecmd::Upload));
    menu.addSeparator();
    QAction* refresh = menu.addAction(S(34642));
    for (QAction* a : {down, up, refresh})
        a->setEnabled(connected);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == down)
        TransferSelected(false);
    else if (chosen == up)
        TransferSelected(true);
    else if (chosen == refresh)
        OnRefreshSelected();
}
