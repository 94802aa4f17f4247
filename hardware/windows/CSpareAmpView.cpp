#include "hardware/windows/CSpareAmpView.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "comm/CCommLink.h"
#include "hardware/CAmplifier.h"
#include "hardware/CSpareAmp.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "platform/StringTable.h"
#include "ui/CHoverFrame.h"
#include "ui/CPictureSet.h"
#include "ui/CSelectionDlg.h"
#include "ui/CTextRuleDelegate.h"
#include "ui/ColumnWidths.h"
#include "ui/UiIds.h"

namespace {
constexpr uint32_t kIdTitle = 34244;       // "ID"
constexpr uint32_t kDetailsTitle = 34386;  // "Details"
constexpr uint32_t kReplacesTitle = 34387; // "ersetzt"
constexpr uint32_t kOut763Title = 34384;   // "LMZ763 Relais"
constexpr uint32_t kIn764Title = 34385;    // "LMZ764 Relais"
constexpr int kReplacesColumn = 3;

QString S(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

CSpareAmpView::CSpareAmpView(CQuillomerDoc* doc, int mode, QWidget* parent)
    : CSlowClickRename<QTreeWidget>(parent), m_doc(doc), m_mode(mode)
{
    setObjectName(QString::number(mode));
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setItemDelegate(new CTextRuleDelegate(this));
    new CHoverFrame(this, 0);
    setColumnCount(4);
    if (mode == kSpareMode)
        setHeaderLabels({S(kSpareMode), S(kIdTitle), S(kDetailsTitle), S(kReplacesTitle)});
    else
        setHeaderLabels({S(kIdTitle), S(kWatchMode), S(kOut763Title), S(kIn764Title)});
    for (int c = 0; c < 4; ++c)
        setColumnWidth(c, ScaledColumnWidth(this, 150));
    KeepColumnTitlesWhole(this);
    // Only the spare names are edited in place: a double click chooses the
    // spare's object, so F2 or a slow second click renames.
    setEditTriggers(mode == kSpareMode ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                       : QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &CSpareAmpView::OnDoubleClick);
    connect(this, &QTreeWidget::itemChanged, this, &CSpareAmpView::OnRenamed);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_mode == kSpareMode && !m_filling)
            emit EntryChanged(item ? item->data(0, Qt::UserRole).toInt() : -1);
    });
    connect(&m_poll, &QTimer::timeout, this, &CSpareAmpView::PollOnce);
    if (mode == kSpareMode) {
        // The column title "ersetzt" switches the live display: a tree's
        // header takes no clicks unless told to.
        header()->setSectionsClickable(true);
        connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
            if (section == kReplacesColumn && (IsPolling() || IsDocConnected()))
                SetPolling(!IsPolling());
        });
    }
}

CSpareAmp* CSpareAmpView::GetTable() const
{
    return m_doc ? dynamic_cast<CSpareAmp*>(m_doc->GetIDManager().GetBaseDevice(1, OT_SPARE_AMP)) : nullptr;
}

int CSpareAmpView::SelectedIndex() const
{
    const QTreeWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : -1;
}

QString CSpareAmpView::ObjectText(bool readyInput, int index) const
{
    if (!m_doc || index == 0)
        return {};
    if (!readyInput)
        return QString::fromStdString(m_doc->GetIDManager().GetAmpChannelText(index));
    // The number came from the device: checked before it is looked up.
    const CIDManager& dir = m_doc->GetIDManager();
    if (CBaseDevice* ready = dir.IsValidID(index, OT_READY_INPUT) ? dir.GetBaseDevice(index, OT_READY_INPUT) : nullptr)
        return QString::fromStdString(ready->GetName());
    return QStringLiteral("%1 *").arg(index);
}

void CSpareAmpView::SelectIndex(int index)
{
    for (int r = 0; r < topLevelItemCount(); ++r)
        if (topLevelItem(r)->data(0, Qt::UserRole).toInt() == index)
            setCurrentItem(topLevelItem(r));
}

void CSpareAmpView::FillSpares()
{
    SetPolling(false);
    const int previous = SelectedIndex();
    m_filling = true;
    clear();
    if (CSpareAmp* t = GetTable()) {
        for (int n = 0; n < CSpareAmp::kEntries; ++n) {
            std::string name;
            uint32_t kind = 0;
            int32_t index = 0;
            if (!t->GetEntry(n, name, kind, index))
                continue;
            auto* item = new QTreeWidgetItem(this);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            item->setData(0, Qt::UserRole, n);
            item->setText(0, QString::fromStdString(name));
            // The object strip's amplifier or ready input.
            item->setIcon(0, CPictureSet::ListImage(136, kind == OT_READY_INPUT ? 18 : 17));
            item->setText(1, QString::number(n + 1));
            item->setText(2, ObjectText(kind == OT_READY_INPUT, index));
        }
    }
    m_filling = false;
    SelectIndex(previous);
}

void CSpareAmpView::FillWatches(int entry)
{
    m_entry = entry;
    clear();
    CSpareAmp* t = GetTable();
    if (!t || entry < 0)
        return;
    CRelaisManager* relays = m_doc ? m_doc->GetRelaisManager() : nullptr;
    auto relayName = [](CBaseDevice* relay, int number) {
        if (number == 0)
            return QString();
        return relay ? QString::fromStdString(relay->GetName()) : QStringLiteral("%1 *").arg(number);
    };
    for (int j = 0; j < CSpareAmp::kWatches; ++j) {
        uint32_t kind = 0;
        int32_t index = 0;
        if (!t->GetWatch(j, entry, kind, index))
            continue;
        const SpareWatch& w = t->m_entries[entry].watch[j];
        auto* item = new QTreeWidgetItem(this);
        item->setData(0, Qt::UserRole, j);
        item->setText(0, QString::number(j + 1));
        item->setText(1, ObjectText(kind == OT_READY_INPUT, index));
        item->setText(2, relayName(relays && w.outRelay ? relays->GetRelais(w.outRelay) : nullptr, w.outRelay));
        item->setText(3, relayName(relays && w.inRelay ? relays->GetSRelais(w.inRelay) : nullptr, w.inRelay));
    }
}

CSelectionDlg::Held CSpareAmpView::HeldOf(bool readyInput, int index) const
{
    using Held = CSelectionDlg::Held;
    if (index == 0)
        return Held::Number(0);
    if (!m_doc)
        return Held::Missing();
    const CIDManager& dir = m_doc->GetIDManager();
    if (readyInput)
        return dir.IsValidID(index, OT_READY_INPUT) && dir.GetBaseDevice(index, OT_READY_INPUT)
                   ? Held::Number(index, OT_READY_INPUT)
                   : Held::Missing();
    DeviceList amps;
    dir.GetRemoteAmpsByAddress(amps);
    for (CBaseDevice* obj : amps)
        if (const auto* amp = dynamic_cast<const CAmplifier*>(obj))
            for (int k = 0; k < amp->GetChannelCount(); ++k)
                if (amp->GetGlobalChannel(k) == index)
                    return Held::Object(amp, k);
    return Held::Missing();
}

bool CSpareAmpView::ChooseObject(int kind, const CSelectionDlg::Held& held, uint32_t& type, int& number, int& channel)
{
    CSelectionDlg dlg(this);
    dlg.m_nKind = kind;
    dlg.SetHeld(held);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    type = static_cast<uint32_t>(dlg.m_nResultType);
    number = dlg.m_nResultNumber;
    channel = dlg.m_nResultChannel;
    // "Kein Eintrag" chooses nothing: a spare must stand in with something.
    if (kind == selkind::SpareAmp && type != OT_AMPLIFIER && type != OT_READY_INPUT)
        return false;
    return true;
}

void CSpareAmpView::NewItem(int entry)
{
    CSpareAmp* t = GetTable();
    if (!t)
        return;
    uint32_t type = 0;
    int number = 0, channel = 0;
    if (m_mode == kSpareMode) {
        int n = 0;
        while (n < CSpareAmp::kEntries && !t->IsEntryCleared(n))
            ++n;
        if (n == CSpareAmp::kEntries || !ChooseObject(selkind::SpareAmp, CSelectionDlg::Held(), type, number, channel))
            return;
        t->SetEntry(n, StrFormat("%s %d", LoadStringId(kSpareMode).c_str(), n + 1), true, type, number, channel);
        FillSpares();
    } else {
        if (entry < 0)
            return;
        int j = 0;
        uint32_t k = 0;
        int32_t i = 0;
        while (j < CSpareAmp::kWatches && t->GetWatch(j, entry, k, i))
            ++j;
        if (j == CSpareAmp::kWatches ||
            !ChooseObject(selkind::WatchedChannel, CSelectionDlg::Held(), type, number, channel))
            return;
        t->SetWatch(j, entry, type, number, channel);
        FillWatches(entry);
    }
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(topLevelItemCount() - 1));
}

void CSpareAmpView::DeleteItem(int entry)
{
    CSpareAmp* t = GetTable();
    const int index = SelectedIndex();
    if (!t || index < 0)
        return;
    if (m_mode == kSpareMode) {
        t->SetEntry(index, std::string(), false, OT_READY_INPUT, 0, 0);
        FillSpares();
        emit EntryChanged(SelectedIndex());
    } else if (entry >= 0) {
        t->SetWatch(index, entry, 0, 0, 0);
        FillWatches(entry);
    }
}

void CSpareAmpView::OnRenamed(QTreeWidgetItem* item, int column)
{
    CSpareAmp* t = GetTable();
    if (m_filling || m_mode != kSpareMode || column != 0 || !t)
        return;
    const int n = item->data(0, Qt::UserRole).toInt();
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    t->GetEntry(n, name, kind, index);
    const std::string renamed = item->text(0).toStdString();
    if (renamed == name)
        return;
    // A spare without a name is an unused entry to the device and to the
    // project file: an emptied label, or one of blanks alone, keeps the old
    // name.
    if (CBaseDevice::IsNoName(renamed)) {
        QMetaObject::invokeMethod(this, &CSpareAmpView::FillSpares, Qt::QueuedConnection);
        return;
    }
    // Kind and index stay: the entry is set with its own stored index.
    SpareEntry keep = t->m_entries[n];
    t->SetEntry(n, renamed, true, OT_READY_INPUT, index, 0);
    t->m_entries[n] = keep;
    QMetaObject::invokeMethod(this, &CSpareAmpView::FillSpares, Qt::QueuedConnection);
}

void CSpareAmpView::OnDoubleClick(QTreeWidgetItem* item, int column)
{
    CSpareAmp* t = GetTable();
    if (!t || !item)
        return;
    const int index = item->data(0, Qt::UserRole).toInt();
    uint32_t type = 0;
    int number = 0, channel = 0;
    if (m_mode == kSpareMode) {
        std::string name;
        uint32_t kind = 0;
        int32_t old = 0;
        t->GetEntry(index, name, kind, old);
        if (!ChooseObject(selkind::SpareAmp, HeldOf(kind == OT_READY_INPUT, old), type, number, channel))
            return;
        t->SetEntry(index, name, true, type, number, channel);
        FillSpares();
        return;
    }
    if (m_entry < 0)
        return;
    SpareWatch& w = t->m_entries[m_entry].watch[index];
    if (column == 1) {
        // Another channel keeps the watch's relays; "Kein Eintrag" empties it.
        if (!ChooseObject(selkind::WatchedChannel, HeldOf(w.readyFlag != 0, w.index), type, number, channel))
            return;
        t->SetWatch(index, m_entry, type, number, channel);
    } else if (column == 2 || column == 3) {
        // The relays themselves, not their control contacts: the watch holds
        // the relay's number in its family's relay table.
        CSelectionDlg dlg(this);
        dlg.m_nKind = column == 2 ? selkind::LMZ763Relay : selkind::LMZ764Relay;
        const uint16_t held = column == 2 ? w.outRelay : w.inRelay;
        CRelaisManager* relays = m_doc ? m_doc->GetRelaisManager() : nullptr;
        const CBaseDevice* shown =
            !relays || held == 0 ? nullptr : column == 2 ? relays->GetRelais(held) : relays->GetSRelais(held);
        dlg.SetHeld(held == 0 ? CSelectionDlg::Held::Number(0)
                    : shown   ? CSelectionDlg::Held::Object(shown)
                              : CSelectionDlg::Held::Missing());
        if (dlg.DoModal() != QDialog::Accepted)
            return;
        const auto* chosen = dynamic_cast<const CRelais*>(dlg.m_pResultObject);
        const auto relay = static_cast<uint16_t>(chosen ? chosen->GetRelayNumber() : 0);
        const CBaseDevice::ChangeGuard guard(*t);
        (column == 2 ? w.outRelay : w.inRelay) = relay;
    } else {
        return;
    }
    FillWatches(m_entry);
}

bool CSpareAmpView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only the spare's name (column 0) is edited in place.
    if (index.column() != 0 && trigger != QAbstractItemView::NoEditTriggers)
        return false;
    return CSlowClickRename<QTreeWidget>::edit(index, trigger, event);
}

void CSpareAmpView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && SelectedIndex() >= 0 && state() != QAbstractItemView::EditingState) {
        DeleteItem(m_entry);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CSpareAmpView::SetPolling(bool on)
{
    if (m_mode != kSpareMode)
        return;
    if (on)
        m_poll.start(kPollMs);
    else
        m_poll.stop();
    headerItem()->setText(kReplacesColumn, on ? S(kReplacesTitle) + QStringLiteral(" *") : S(kReplacesTitle));
}

void CSpareAmpView::PollOnce()
{
    CCommLink* link = GetCommLink();
    // The line is gone: what the column shows is no longer the device's.
    if (!link || !IsDocConnected()) {
        SetPolling(false);
        for (int r = 0; r < topLevelItemCount(); ++r)
            topLevelItem(r)->setText(kReplacesColumn, QString());
        return;
    }
    // A transfer owns the line: its answers are not the poll's.
    if (TransferHoldsLink())
        return;
    for (int r = 0; r < topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = topLevelItem(r);
        const int n = item->data(0, Qt::UserRole).toInt();
        if (n < 0 || n >= CSpareAmp::kEntries)
            continue;
        const std::string value = link->QueryValue(StrFormat("/SPAREAMP/ENTRY%d/REPLACE", n + 1), 500);
        if (!value.empty() && value != "OFF")
            item->setText(kReplacesColumn, QString::fromStdString(value));
    }
}
