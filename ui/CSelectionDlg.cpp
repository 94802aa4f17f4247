#include "ui/CSelectionDlg.h"

#include "ui/CEditListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/UiIds.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CSelectionDlg"),
    [](CQuillomerDoc*) -> QWidget* {
        auto* dlg = new CSelectionDlg;
        dlg->m_nKind = selkind::Address;  // bus addresses: rows without any document objects
        return dlg;
    });
}  // namespace

namespace {
using Preselect = CSelectionDlg::Preselect;
using Result = CSelectionDlg::Result;

constexpr int kImageAmp = 17;
constexpr int kImageBitmap = 136;
const QColor kEvenRowColour(247, 234, 219);

QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

QMap<int, CSelectionDlg::Kind>& Kinds()
{
    static QMap<int, CSelectionDlg::Kind> kinds;
    return kinds;
}

bool IsMultiplePreselect(Preselect p)
{
    return p == Preselect::NumbersByValue || p == Preselect::HexRows || p == Preselect::DecimalValues ||
           p == Preselect::HexValues;
}
}  // namespace

QL_STRING_TABLE({
    {34244, "ID"},
    {34421, "Kein Eintrag"},
    {34471, "Kein Eintrag"},
    {34487, "Alle"},
    {32788, "Nicht benutzt"},
    // Column titles of kinds whose owners keep no text of their own.
    {32954, "Fehlertexte"},
    {34325, "Bedingungsart"},
    {34383, "Überwachter Kanal oder READYINPUT"},
    {34384, "LMZ763 Relais"},
    {34385, "LMZ764 Relais"},
    {34449, "Eigenschaften von Aktiv Bedingungen"},
    {34455, "Verknüpfung"},
    {34462, "Makrotyp"},
    {34575, "LAN Gruppe"},
    {34591, "Makro Mehrfachauswahl"},
    {34592, "READYINPUT Mehrfachauswahl"},
    {34600, "Ign."},
    {34627, "Mehrfach Virtuelle Konroller Auswahl"},
    // The busy condition's outputs.
    {33039, "OUT1"},
    {33040, "OUT2"},
    {33041, "OUT3"},
    {33042, "OUT4"},
});

CSelectionDlg::Kind CSelectionDlg::RegisterKind(int kind, Kind description)
{
    return std::exchange(Kinds()[kind], std::move(description));
}

CSelectionDlg::RowProvider CSelectionDlg::RegisterKindRows(int kind, RowProvider provider)
{
    return std::exchange(Kinds()[kind].rows, std::move(provider));
}

QList<int> CSelectionDlg::RegisteredKinds()
{
    return Kinds().keys();
}

CSelectionDlg::RowProvider CSelectionDlg::ObjectRows(uint32_t type, int image, bool noneRow)
{
    return [=](CSelectionDlg& dlg, CQuillomerDoc* doc) {
        if (noneRow)
            dlg.AddNoneRow();
        if (!doc)
            return;
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, type);
        for (CBaseDevice* o : list)
            dlg.AddRow(QString::fromStdString(o->GetName()), QString::fromStdString(o->GetNumberText()), image,
                       reinterpret_cast<quintptr>(o));
    };
}

CSelectionDlg::RowProvider CSelectionDlg::ObjectNumberRows(uint32_t type, int image)
{
    return [=](CSelectionDlg& dlg, CQuillomerDoc* doc) {
        dlg.AddNoneRow();
        if (!doc)
            return;
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, type);
        for (CBaseDevice* o : list)
            dlg.AddRow(QString::fromStdString(o->GetName()), QString::fromStdString(o->GetNumberText()), image,
                       static_cast<quintptr>(o->GetNumber()));
    };
}

CSelectionDlg::RowProvider CSelectionDlg::PadRows(std::vector<uint32_t> kinds, int image)
{
    return [kinds = std::move(kinds), image](CSelectionDlg& dlg, CQuillomerDoc* doc) {
        dlg.AddNoneRow();
        if (!doc)
            return;
        DeviceList list;
        if (kinds.size() == 1) {
            doc->GetIDManager().GetBaseDeviceListByKind(list, OT_CONTROL_PAD, kinds.front());
        } else {
            DeviceList all;
            doc->GetIDManager().GetBaseDeviceList(all, OT_CONTROL_PAD);
            for (CBaseDevice* o : all)
                if (std::find(kinds.begin(), kinds.end(), o->GetKindId()) != kinds.end())
                    list.push_back(o);
        }
        for (CBaseDevice* o : list)
            dlg.AddRow(QString::fromStdString(o->GetName()), QString(), image, reinterpret_cast<quintptr>(o));
    };
}

CSelectionDlg::RowProvider CSelectionDlg::IdRows(std::vector<uint32_t> ids, int image, bool firstRowNoneIcon)
{
    return [ids = std::move(ids), image, firstRowNoneIcon](CSelectionDlg& dlg, CQuillomerDoc*) {
        dlg.AddIdRows(ids, image, firstRowNoneIcon);
    };
}

int& CSelectionDlg::RememberedAddressRow()
{
    static int row = -1;
    return row;
}

namespace {
// The address kind: a row no amplifier uses, and a row that may be chosen
// (a free one, or the one chosen before).
bool IsFreeAddressRow(const CEditListCtrl& list, int row)
{
    return list.GetItemText(row, 0) == Str(uistr::NotUsed);
}

bool IsAddressRowAllowed(const CEditListCtrl& list, int row)
{
    return row == CSelectionDlg::RememberedAddressRow() || IsFreeAddressRow(list, row);
}

// A row that may not be chosen cannot be selected at all, so that neither a
// click nor the list's own mouse handling after it leaves it selected.
void MarkChoosableAddressRows(CEditListCtrl& list)
{
    for (int r = 0; r < list.GetItemCount(); ++r) {
        QTreeWidgetItem* item = list.Row(r);
        const Qt::ItemFlags flags = item->flags();
        item->setFlags(IsAddressRowAllowed(list, r) ? flags | Qt::ItemIsSelectable : flags & ~Qt::ItemIsSelectable);
    }
}
}  // namespace

CSelectionDlg::CSelectionDlg(QWidget* parent) : CResizableDialog(498, parent)
{
    setWindowTitle(tr("Auswahl"));
    m_pList = new CEditListCtrl(this);
    m_btnOK = new CResizableButton(tr("OK"), this);
    m_btnOK->setDefault(true);
    m_btnCancel = new CResizableButton(tr("Abbrechen"), this);
    // Shown instead of an OK that could choose nothing.
    m_pEmptyNote = new QLabel(tr("Es gibt nichts zur Auswahl."), this);
    m_pEmptyNote->setObjectName(QStringLiteral("EmptyNote"));
    m_pEmptyNote->setWordWrap(true);
    m_pEmptyNote->hide();
    // The list over the whole width, the two buttons centred below it.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addSpacing(fontMetrics().averageCharWidth() * 3);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addWidget(m_pList, 1);
    root->addWidget(m_pEmptyNote);
    root->addLayout(buttons);
    resize(300, 320);
    connect(m_btnOK, &QPushButton::clicked, this, &CSelectionDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CSelectionDlg::reject);
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(m_pList, &QTreeWidget::itemSelectionChanged, this, &CSelectionDlg::OnSelectionChanged);
}

int CSelectionDlg::AddRow(const QString& text, const QString& id, int image, quintptr value)
{
    const int row = m_pList->InsertItem(m_pList->GetItemCount(), text, image);
    if (m_bIdColumn)
        m_pList->SetItemText(row, 1, id);
    m_pList->SetItemData(row, value);
    return row;
}

int CSelectionDlg::AddNoneRow(int image, quintptr value)
{
    return AddRow(Str(uistr::NoEntry), QString(), image, value);
}

quintptr CSelectionDlg::RowValue(int row) const
{
    return m_pList->GetItemData(row);
}

bool CSelectionDlg::IsRowSelected(int row) const
{
    return m_pList->IsItemSelected(row);
}

void CSelectionDlg::SelectRow(int row, bool on)
{
    if (QTreeWidgetItem* item = m_pList->Row(row))
        item->setSelected(on);
}

QList<int> CSelectionDlg::SelectedRows() const
{
    QList<int> rows;
    m_pList->GetSelectedItems(&rows);
    return rows;
}

bool CSelectionDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    // Row pictures: the kind's image of the object strip.
    m_pList->SetImageList(CPictureSet::ImageList(kImageBitmap, 16));
    m_pList->setSelectionMode(m_bMultiple ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    m_pList->InsertColumn(0, Str(static_cast<uint32_t>(m_nKind)), CListCtrl::LVCFMT_LEFT, 220);
    m_pList->InsertColumn(1, Str(uistr::Id), CListCtrl::LVCFMT_CENTER, 40);
    m_bIdColumn = true;
    m_nResultType = m_nResultNumber = m_nResultChannel = 0;
    m_pResultObject = nullptr;
    CQuillomerDoc* doc = GetActiveDoc();
    m_bInSelectionChange = true;
    FillRows(doc);
    ShadeRows();
    m_HeldRows.clear();
    // What the caller holds, where it told it, rather than what a text resembles.
    if (!PreselectHeld()) {
        if (m_bMultiple)
            PreselectMultiple();
        else
            PreselectSingle();
    }
    if (!m_bMultiple && m_rules.preselect == Preselect::FreeAddress)
        MarkChoosableAddressRows(*m_pList);
    m_bInSelectionChange = false;
    m_PrevSelected = SelectedRows();
    const bool empty = m_pList->GetItemCount() == 0;
    m_pEmptyNote->setVisible(empty);
    m_btnOK->setEnabled(!empty);
    return true;
}

void CSelectionDlg::AddIdRows(const std::vector<uint32_t>& ids, int image, bool firstRowNoneIcon)
{
    for (size_t i = 0; i < ids.size(); ++i)
        AddRow(Str(ids[i]), QString(), firstRowNoneIcon && i == 0 ? 2 : image, ids[i]);
}

void CSelectionDlg::FillRows(CQuillomerDoc* doc)
{
    m_rules = Kinds().value(m_nKind);
    if (m_rules.idColumn == IdColumn::Removed) {
        m_pList->setColumnCount(1);
        m_bIdColumn = false;
    } else if (m_rules.idColumn == IdColumn::Untitled) {
        m_pList->headerItem()->setText(1, QString());
    }
    if (m_rules.rows)
        m_rules.rows(*this, doc);
}

void CSelectionDlg::ShowRow(int row)
{
    m_pList->setCurrentItem(m_pList->Row(row));
    SelectRow(row, true);
    m_pList->scrollToItem(m_pList->Row(row));
}

void CSelectionDlg::SelectRowsNamedInSelection()
{
    // Whole items of the comma-separated text, letter case ignored (the
    // owners show some words in capitals, "ALARM", that their rows spell in
    // mixed case): a row whose text lies inside another's ("Erdschluß" in
    // "Linienerdschluß") is not chosen with it.
    const QStringList items = m_strSelection.split(QLatin1Char(','));
    for (int r = 0; r < m_pList->GetItemCount(); ++r) {
        const QString text = m_pList->GetItemText(r, 0);
        if (text.isEmpty())
            continue;
        for (const QString& item : items)
            if (item.trimmed().compare(text, Qt::CaseInsensitive) == 0) {
                SelectRow(r, true);
                break;
            }
    }
}

CSelectionDlg::Held CSelectionDlg::Held::Number(int number, uint32_t type, int channel)
{
    Held held;
    held.set = true;
    held.number = number;
    held.type = type;
    held.channel = channel;
    return held;
}

CSelectionDlg::Held CSelectionDlg::Held::Missing()
{
    Held held;
    held.set = true;
    held.missing = true;
    return held;
}

CSelectionDlg::Held CSelectionDlg::Held::Object(const CBaseDevice* object, int channel)
{
    Held held;
    held.set = true;
    held.object = object;
    held.channel = channel;
    return held;
}

CSelectionDlg::Held CSelectionDlg::Held::Ranges(const QString& text)
{
    Held held;
    held.set = true;
    held.isRanges = true;
    held.ranges = text;
    return held;
}

void CSelectionDlg::SetHeld(const Held& held)
{
    m_held = held;
    if (held.isRanges)
        m_strSelection = held.ranges;
}

std::optional<int> CSelectionDlg::ChannelOfRow(int row) const
{
    const QString text = m_pList->GetItemText(row, 0);
    const qsizetype dash = text.lastIndexOf(QLatin1Char('-'));
    int k = 0;
    if (dash >= 0 && std::sscanf(text.mid(dash + 2).toLatin1().constData(), "%d", &k) == 1)
        return k - 1;
    return std::nullopt;
}

bool CSelectionDlg::RowIsHeld(int row) const
{
    if (m_held.missing)
        return false;
    const quintptr value = RowValue(row);
    switch (m_rules.result) {
    case Result::Object:
    case Result::ObjectChannel:
    case Result::RelayObject: {
        const auto* object = reinterpret_cast<const CBaseDevice*>(value);
        if (!object)
            return !m_held.object && m_held.number == 0;  // the none row
        // A relay's number is its place in its family's table, not the
        // object's number: a relay is told by the object itself.
        bool same = m_held.object ? object == m_held.object
                                  : m_rules.result != Result::RelayObject && object->GetNumber() == m_held.number &&
                                        (m_held.type == 0 || object->GetType() == m_held.type);
        if (same && m_rules.result == Result::ObjectChannel && object->GetType() == OT_AMPLIFIER)
            same = ChannelOfRow(row) == m_held.channel;
        return same;
    }
    default: return value == static_cast<quintptr>(static_cast<uint32_t>(m_held.number));  // codes use all 32 bits
    }
}

bool CSelectionDlg::PreselectHeld()
{
    if (!m_held.set)
        return false;
    const int count = m_pList->GetItemCount();
    if (m_held.isRanges) {
        // The numbers of the range text: whole items, each its own row.
        PreselectMultiple();
    } else if (m_rules.result == Result::Mask && !m_held.missing) {
        // Row r stands for bit r - 1; no bit is the none row.
        const auto mask = static_cast<uint32_t>(m_held.number);
        if (mask == 0 && count > 0)
            SelectRow(0, true);
        for (int r = 1; r < count && r <= 32; ++r)
            if (mask & (1u << (r - 1)))
                SelectRow(r, true);
    } else {
        for (int r = 0; r < count; ++r) {
            if (!RowIsHeld(r))
                continue;
            if (m_bMultiple) {
                SelectRow(r, true);
                continue;
            }
            ShowRow(r);
            if (m_rules.preselect == Preselect::FreeAddress)
                RememberedAddressRow() = r;
            break;
        }
    }
    m_HeldRows = SelectedRows();
    std::sort(m_HeldRows.begin(), m_HeldRows.end());
    if (m_bMultiple && !m_HeldRows.isEmpty())
        m_pList->scrollToItem(m_pList->Row(m_HeldRows.first()));
    return true;
}

void CSelectionDlg::ShadeRows()
{
    for (int r = 0; r < m_pList->GetItemCount(); r += 2)
        for (int c = 0; c < m_pList->columnCount(); ++c)
            m_pList->Row(r)->setBackground(c, kEvenRowColour);
}

void CSelectionDlg::PreselectSingle()
{
    int row = m_nPreselect;
    const int count = m_pList->GetItemCount();
    switch (m_rules.preselect) {
    case Preselect::TextNoCase:
    case Preselect::TextExact:
        for (int r = 0; r < count; ++r) {
            const Qt::CaseSensitivity cs =
                m_rules.preselect == Preselect::TextNoCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (m_pList->GetItemText(r, 0).compare(m_strSelection, cs) == 0) {
                row = r;
                break;
            }
        }
        break;
    case Preselect::ValueId:
        // A value no row carries preselects nothing: it is no row number.
        row = -1;
        for (int r = 0; r < count; ++r)
            if (RowValue(r) == static_cast<quintptr>(m_nPreselect)) {
                row = r;
                break;
            }
        break;
    case Preselect::FreeAddress: {
        unsigned address = 0;
        if (std::sscanf(m_strSelection.toLatin1().constData(), "%x", &address) == 1)
            row = static_cast<int>(address);
        break;
    }
    case Preselect::TextContains:
        SelectRowsNamedInSelection();
        return;
    default: break;
    }
    if (row >= 0 && row < count) {
        ShowRow(row);
        if (m_rules.preselect == Preselect::FreeAddress)
            RememberedAddressRow() = row;
    }
}

void CSelectionDlg::PreselectMultiple()
{
    const int count = m_pList->GetItemCount();
    if (m_rules.preselect == Preselect::TextContains) {
        SelectRowsNamedInSelection();
        return;
    }
    if (!IsMultiplePreselect(m_rules.preselect)) {
        PreselectSingle();
        return;
    }
    if (m_strSelection == Str(uistr::NoEntryChoice)) {
        SelectRow(0, true);
        return;
    }
    if (m_strSelection == Str(uistr::All)) {
        // The none row never stays chosen together with others.
        for (int r = 1; r < count; ++r)
            SelectRow(r, true);
        return;
    }
    NumberSet set{};
    const std::string text = m_strSelection.toStdString();
    // Row n holds number n (row 0 is the none row).
    auto selectNumbers = [&](int max) {
        for (int n = 1; n <= max; ++n)
            if (TestBit(set, static_cast<unsigned>(n - 1)) && n < count)
                SelectRow(n, true);
    };
    switch (m_rules.preselect) {
    case Preselect::NumbersByValue:
        // The rows carry the object numbers; a deleted object leaves a gap in
        // the numbering, so number n is looked up by value, not taken as row n.
        if (ParseRanges(set, 250, text))
            for (int r = 1; r < count; ++r) {
                const quintptr v = RowValue(r);
                if (v >= 1 && v <= 250 && TestBit(set, static_cast<unsigned>(v - 1)))
                    SelectRow(r, true);
            }
        return;
    case Preselect::HexRows:
        if (ParseRangesHex(set, 64, text))
            selectNumbers(64);
        return;
    case Preselect::DecimalValues:
    case Preselect::HexValues: {
        const bool hex = m_rules.preselect == Preselect::HexValues;
        bool ok;
        if (hex) {
            SetRangeText(text);
            ok = ParseRangesFmt(set, kNumberSetBits, 0, 'x');  // 0 is an address too
        } else {
            ok = ParseRanges(set, kNumberSetBits, text);
        }
        if (!ok)
            return;
        for (unsigned p = 0; p < kNumberSetBits; ++p) {
            if (!TestBit(set, p))
                continue;
            const quintptr value = hex ? p : p + 1;
            bool found = false;
            for (int r = hex ? 1 : 0; r < m_pList->GetItemCount(); ++r) {
                if (RowValue(r) == value) {
                    SelectRow(r, true);
                    found = true;
                    break;
                }
            }
            if (!found) {
                const int v = static_cast<int>(value);
                AddRow(QString::asprintf("%d *", v), QString::asprintf("%d", v), kImageAmp, value);
            }
        }
        ShadeRows();
        return;
    }
    default: return;
    }
}

void CSelectionDlg::OnSelectionChanged()
{
    if (m_bInSelectionChange)
        return;
    m_bInSelectionChange = true;
    const QList<int> rows = SelectedRows();
    if (m_bMultiple && m_rules.noneRowExclusive) {
        // The none row excludes every other row: the row chosen last wins.
        const bool noneAdded = rows.contains(0) && !m_PrevSelected.contains(0);
        if (noneAdded) {
            for (int r = 1; r < m_pList->GetItemCount(); ++r)
                SelectRow(r, false);
        } else if (rows.contains(0) && rows.size() > 1) {
            SelectRow(0, false);
        }
    }
    if (!m_bMultiple && m_rules.preselect == Preselect::FreeAddress) {
        // Only free addresses, or the one chosen before, can be picked. The
        // row that loses the selection is the one chosen before; a free row
        // needs no remembering, so the amplifier's own address stays
        // remembered while the user tries free ones.
        int lost = -1;
        for (int r : m_PrevSelected)
            if (!rows.contains(r))
                lost = r;
        int row = -1;
        for (int r : rows)
            if (!m_PrevSelected.contains(r))
                row = r;
        if (row >= 0 && !IsAddressRowAllowed(*m_pList, row)) {
            SelectRow(row, false);
            const int back = lost >= 0 ? lost : RememberedAddressRow();
            if (back >= 0 && back < m_pList->GetItemCount())
                ShowRow(back);
        } else if (row < 0 && rows.isEmpty() && lost >= 0) {
            // A click on a row that cannot be chosen takes nothing away.
            ShowRow(lost);
        } else if (lost >= 0 && !IsFreeAddressRow(*m_pList, lost)) {
            RememberedAddressRow() = lost;
            MarkChoosableAddressRows(*m_pList);
        }
    }
    m_PrevSelected = SelectedRows();
    m_bInSelectionChange = false;
}

void CSelectionDlg::WriteRanges(bool hex, bool setNumber)
{
    const QList<int> rows = SelectedRows();
    const int count = m_pList->GetItemCount();
    if (rows.contains(0)) {
        m_strSelection = Str(uistr::NoEntryChoice);
    } else if (rows.size() == count - 1 && count > 1) {
        m_strSelection = Str(uistr::All);
    } else {
        // Every number the preselection accepts has a place here, so no chosen
        // row is lost; only 0 (an address) cannot be written as a range.
        constexpr unsigned kMax = kNumberSetBits;
        NumberSet set{};
        for (int r : rows) {
            const quintptr v = RowValue(r);
            if (v >= 1 && v <= kMax)
                SetBit(set, static_cast<unsigned>(v - 1), true);
        }
        m_strSelection = QString::fromStdString(hex ? RangesToStringHex(set, kMax) : RangesToString(set, kMax));
    }
    if (setNumber) {
        int n = 0;
        if (std::sscanf(m_strSelection.toLatin1().constData(), "%d", &n) == 1)
            m_nResultNumber = n;
    }
}

void CSelectionDlg::accept()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        // Nothing chosen is no choice: the caller keeps its value.
        CResizableDialog::reject();
        return;
    }
    if (m_held.set) {
        QList<int> chosen = rows;
        std::sort(chosen.begin(), chosen.end());
        if (chosen == m_HeldRows) {
            // OK on what the caller holds chooses nothing new.
            CResizableDialog::done(Unchanged);
            return;
        }
    }
    const int first = rows.first();
    if (!m_bMultiple && m_rules.preselect == Preselect::FreeAddress && !IsAddressRowAllowed(*m_pList, first)) {
        // Another amplifier's address is never handed back.
        CResizableDialog::reject();
        return;
    }
    const quintptr value = RowValue(first);
    switch (m_rules.result) {
    case Result::Object:
    case Result::ObjectChannel: {
        auto* object = reinterpret_cast<CBaseDevice*>(value);
        if (!object)
            break;  // the none row carries no object
        m_nResultType = static_cast<int>(object->GetType());
        m_nResultNumber = object->GetNumber();
        m_strSelection = m_pList->GetItemText(first, 0);
        if (m_rules.result == Result::ObjectChannel && m_nResultType == OT_AMPLIFIER)
            m_nResultChannel = ChannelOfRow(first).value_or(m_nResultChannel);
        break;
    }
    case Result::Value: m_nResultNumber = static_cast<int>(value); break;
    case Result::RelayObject:
        m_pResultObject = reinterpret_cast<CBaseDevice*>(value);
        m_nResultNumber = m_pResultObject ? m_pResultObject->GetNumber() : 0;
        break;
    case Result::Mask:
        m_nResultNumber = 0;
        if (!rows.contains(0))
            for (int r : rows)
                if (r >= 1 && r <= 32)
                    m_nResultNumber |= static_cast<int>(1u << (r - 1));
        break;
    case Result::DecimalRanges: WriteRanges(false, true); break;
    case Result::AddressRanges: WriteRanges(true, false); break;
    case Result::OutputSet: {
        const int count = m_pList->GetItemCount();
        if (rows.contains(0)) {
            m_strSelection = QStringLiteral("NONE");
        } else if (rows.size() == count - 1) {
            m_strSelection = QStringLiteral("ALL");
        } else {
            NumberSet set{};
            for (int r : rows)
                SetBit(set, static_cast<unsigned>(r - 1), true);
            m_strSelection = QString::fromStdString(RangesToStringHex(set, 64));
        }
        break;
    }
    }
    CResizableDialog::accept();
}
