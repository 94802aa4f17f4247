#include "ui/CSelectionDlg.h"

#include "ui/CEditListCtrl.h"
#include "ui/CResizableButton.h"

#include "audio/CMonitor.h"
#include "hardware/CAmplifier.h"
#include "hardware/CSpareAmp.h"
#include "logic/CCondition.h"
#include "logic/CGlobalReadyInput.h"
#include "macros/CMacro.h"
#include "model/CBaseDevice.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "service/CFault.h"
#include "ui/CWindowRegistry.h"
#include "ui/UiIds.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMap>
#include <QVBoxLayout>

#include <cstdio>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CSelectionDlg"),
    [](CQuillomerDoc*) -> QWidget* {
        auto* dlg = new CSelectionDlg;
        dlg->m_nKind = selkind::Address;  // bus addresses: rows without any document objects
        return dlg;
    });
}  // namespace

namespace {
enum OkRule { OkObject, OkObjectChannel, OkValue, OkMask, OkDecRanges, OkAddrRanges, OkOutputSet, OkRelayObject };
enum PreselRule {
    PreRow,          // m_nPreselect is the row
    PreTextNoCase,   // first row whose text equals the selection, letter case ignored, else the row index
    PreTextExact,    // the same, case-sensitive
    PreTextContains, // every row whose text occurs in the selection text (multiple kinds)
    PreValueId,      // m_nPreselect holds a row value
    PreHexAddress,   // the selection text read as hexadecimal gives the row
    PreMulti         // range texts, "Kein Eintrag", "Alle"
};

constexpr int kImageAmp = 17;
const QColor kEvenRowColour(247, 234, 219);

QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

QMap<int, CSelectionDlg::RowProvider>& Providers()
{
    static QMap<int, CSelectionDlg::RowProvider> providers;
    return providers;
}

bool NoneRowExclusive(int kind)
{
    return kind == selkind::Fault || kind == selkind::AmpConfig || kind == selkind::BusyCondition ||
           kind == selkind::AmpChannels || kind == selkind::Ignore;
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

CSelectionDlg::RowProvider CSelectionDlg::RegisterKindRows(int kind, RowProvider provider)
{
    RowProvider old = Providers().value(kind);
    if (provider)
        Providers().insert(kind, std::move(provider));
    else
        Providers().remove(kind);
    return old;
}

int& CSelectionDlg::RememberedAddressRow()
{
    static int row = -1;
    return row;
}

CSelectionDlg::CSelectionDlg(QWidget* parent) : CResizableDialog(498, parent)
{
    setWindowTitle(tr("Auswahl"));
    m_pList = new CEditListCtrl(this);
    m_btnOK = new CResizableButton(tr("OK"), this);
    m_btnOK->setDefault(true);
    m_btnCancel = new CResizableButton(tr("Cancel"), this);
    // The list over the whole width, the two buttons centred below it.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addSpacing(fontMetrics().averageCharWidth() * 3);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addWidget(m_pList, 1);
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
    // Icons: one strip cut into 16-pixel images; the program's pictures are
    // given by whoever owns the bitmaps, the list just shows row images.
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
    if (m_bMultiple)
        PreselectMultiple();
    else
        PreselectSingle();
    m_bInSelectionChange = false;
    m_PrevSelected = SelectedRows();
    return true;
}

void CSelectionDlg::FillObjects(CQuillomerDoc* doc, uint32_t type, int image, bool noneRow, bool numberColumn)
{
    if (noneRow)
        AddNoneRow();
    if (!doc)
        return;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceList(list, type);
    for (CBaseDevice* o : list)
        AddRow(QString::fromStdString(o->GetName()), numberColumn ? QString::fromStdString(o->GetNumberText()) : QString(),
               image, reinterpret_cast<quintptr>(o));
}

void CSelectionDlg::FillPads(CQuillomerDoc* doc, std::initializer_list<uint32_t> kinds, int image)
{
    AddNoneRow();
    if (!doc)
        return;
    DeviceList list;
    if (kinds.size() == 1) {
        doc->GetIDManager().GetBaseDeviceListByKind(list, OT_CONTROL_PAD, *kinds.begin());
    } else {
        DeviceList all;
        doc->GetIDManager().GetBaseDeviceList(all, OT_CONTROL_PAD);
        for (CBaseDevice* o : all)
            if (std::find(kinds.begin(), kinds.end(), o->GetKindId()) != kinds.end())
                list.push_back(o);
    }
    for (CBaseDevice* o : list)
        AddRow(QString::fromStdString(o->GetName()), QString(), image, reinterpret_cast<quintptr>(o));
}

void CSelectionDlg::FillIds(const std::vector<uint32_t>& ids, int image, bool firstRowNoneIcon)
{
    for (size_t i = 0; i < ids.size(); ++i)
        AddRow(Str(ids[i]), QString(), firstRowNoneIcon && i == 0 ? 2 : image, ids[i]);
}

void CSelectionDlg::FillRows(CQuillomerDoc* doc)
{
    const int kind = m_nKind;
    const CIDManager* dir = doc ? &doc->GetIDManager() : nullptr;
    auto removeId = [this] {
        m_pList->setColumnCount(1);
        m_bIdColumn = false;
    };
    m_nOkRule = OkObject;
    m_nPreselRule = PreRow;

    // Objects of one type, with their numbers.
    struct ObjectKind {
        int kind;
        uint32_t type;
        int image;
        bool none;
    };
    static const ObjectKind objectKinds[] = {
        {selkind::Macro, OT_MACRO, 0, true},
        {selkind::Console, OT_CONSOLE, 3, true},
        {selkind::Ready, OT_READY_INPUT, 18, false},
        {selkind::DayProgram, OT_DAYPROG, 21, true},
        {selkind::Condition, OT_CONDITION, 3, true},
        {selkind::MemoFlag, OT_MEMO_FLAG, 2, true},
        {selkind::Chime, OT_CHIME_SIGNAL, 11, true},
        {selkind::Alarm, OT_ALARM_SIGNAL, 10, true},
        {selkind::Message, OT_MESSAGE_SIGNAL, 12, true},
        {selkind::LMZ752, OT_LMZ752, 32, true},
        {selkind::AnalogCondition, OT_ANALOG_CONDITION, 24, true},
        {selkind::CombineCondition, OT_COMBINE_CONDITION, 25, true},
        {selkind::VirtCtrl, OT_VIRT_CTRL_ITEM, 4, true},
        {selkind::BusyConditionObject, OT_BUSY_CONDITION, 26, true},
        {selkind::Zone, OT_ZONE, 34, true},
    };
    for (const ObjectKind& k : objectKinds) {
        if (k.kind == kind) {
            FillObjects(doc, k.type, k.image, k.none, true);
            if (kind == selkind::Macro)
                m_nPreselRule = PreTextNoCase;
            return;
        }
    }

    switch (kind) {
    case selkind::LMZ763:
    case selkind::LMZ764:
    case selkind::LMZ771:
    case selkind::SlotIn:
    case selkind::SlotOut:
    case selkind::InterfaceIn:
        removeId();
        FillPads(doc, {static_cast<uint32_t>(kind)}, 29);
        return;
    case selkind::LMZ775In:
        removeId();
        FillPads(doc, {padkind::LMZ775In}, 3);
        return;
    case selkind::ReadyInp:
        removeId();
        FillPads(doc, {padkind::SlotIn, padkind::InterfaceIn, padkind::LMZ771}, 29);
        return;
    case selkind::LogicState:
        removeId();
        FillPads(doc, {padkind::SlotOut, padkind::LMZ763, padkind::LMZ764}, 29);
        return;
    case selkind::FaultTexts: {
        removeId();
        m_nOkRule = OkValue;
        auto* ready = dir ? dynamic_cast<CGlobalReadyInput*>(dir->GetBaseDevice(1, OT_GLOBAL_READY_INPUT)) : nullptr;
        std::vector<std::string> texts;
        if (ready)
            ready->GetTextList(0, &texts);
        for (size_t i = 0; i < texts.size(); ++i)
            AddRow(QString::fromStdString(texts[i]), QString(), 28, i);
        return;
    }
    case selkind::Output:
        removeId();
        m_nOkRule = OkOutputSet;
        m_nPreselRule = PreMulti;
        AddNoneRow();
        FillIds({uistr::Out1, uistr::Out2, uistr::Out3, uistr::Out4}, 26, false);
        return;
    case selkind::Monitor: {
        removeId();
        m_nOkRule = OkValue;
        auto* monitor = dir ? dynamic_cast<CMonitor*>(dir->GetBaseDevice(1, OT_MONITOR)) : nullptr;
        std::vector<uint32_t> sources;
        if (monitor)
            monitor->GetSources(1, &sources);
        for (uint32_t code : sources)
            AddRow(QString::fromStdString(monitor->GetSourceText(code)), QString(), 13, code);
        return;
    }
    case selkind::Fault: {
        removeId();
        m_nOkRule = OkMask;
        m_nPreselRule = PreTextContains;
        std::vector<uint32_t> ids;
        CFault::FillSourceIds(8, &ids);
        FillIds(ids, 31, true);
        return;
    }
    case selkind::TalkKey:
        m_nOkRule = OkValue;
        for (int n = 0; n <= 112; ++n)
            AddRow(tr("Taste") + QString::asprintf(" %d", n), QString(), 2, static_cast<quintptr>(n));
        return;
    case selkind::TalkInput:
    case selkind::Outputs: {
        removeId();
        m_nOkRule = OkValue;
        AddNoneRow();
        const QString prefix = kind == selkind::TalkInput ? QStringLiteral("IN") : QStringLiteral("OUT");
        for (int n = 1; n <= 4; ++n)
            AddRow(prefix + QString::number(n), QString(), 2, static_cast<quintptr>(n));
        return;
    }
    case selkind::SpareFault: {
        m_nOkRule = OkValue;
        AddNoneRow();
        auto* spare = dir ? dynamic_cast<CSpareAmp*>(dir->GetBaseDevice(1, OT_SPARE_AMP)) : nullptr;
        for (int n = 0; spare && n < 8; ++n) {
            std::string name;
            uint32_t type = 0;
            int32_t number = 0;
            if (spare->GetEntry(n, name, type, number))
                AddRow(QString::fromStdString(name), QString::number(n + 1), type == OT_AMPLIFIER ? 17 : 18,
                       static_cast<quintptr>(n + 1));
        }
        return;
    }
    case selkind::SpareAmp:
    case selkind::WatchedChannel: {
        m_nOkRule = OkObjectChannel;
        FillObjects(doc, OT_READY_INPUT, 18, true, true);
        if (!dir)
            return;
        DeviceList amps;
        dir->GetRemoteAmpsByAddress(amps);
        for (CBaseDevice* o : amps) {
            auto* amp = dynamic_cast<CAmplifier*>(o);
            const int channels = amp ? amp->GetChannelCount() : 0;
            for (int k = 1; k <= channels; ++k)
                AddRow(QString::fromStdString(o->GetName()) + QString::asprintf(" - %d", k), QString(), kImageAmp,
                       reinterpret_cast<quintptr>(o));
        }
        return;
    }
    case selkind::AmpConfig:
    case selkind::RemoteAmp: {
        if (kind == selkind::AmpConfig) {
            m_nOkRule = OkAddrRanges;
            m_nPreselRule = PreMulti;
            AddNoneRow(kImageAmp);
        } else {
            m_nOkRule = OkValue;
            AddNoneRow(2, 255);
        }
        if (!dir)
            return;
        DeviceList amps;
        dir->GetRemoteAmpsByAddress(amps);
        for (CBaseDevice* o : amps) {
            auto* amp = dynamic_cast<CAmplifier*>(o);
            const int address = amp ? amp->GetAddress() : 0;
            AddRow(QString::fromStdString(o->GetName()), QString::asprintf("%02x", address), kImageAmp,
                   static_cast<quintptr>(address));
        }
        return;
    }
    case selkind::AmpChannels:
        m_nOkRule = OkDecRanges;
        m_nPreselRule = PreMulti;
        AddNoneRow(kImageAmp);
        for (int n = 1; n <= 255; ++n)
            AddRow(dir ? QString::fromStdString(dir->GetAmpChannelText(n)) : QString::number(n), QString::number(n),
                   kImageAmp, static_cast<quintptr>(n));
        return;
    case selkind::KvtSlots: {
        m_nOkRule = OkValue;
        m_pList->headerItem()->setText(1, QString());
        const std::pair<QString, int> rows[] = {{Str(uistr::NoEntry), 255},       {tr("Interfaceslot"), 0}, {tr("Slot 1"), 1},
                                                {tr("Slot 2"), 2},        {tr("Slot 3"), 3},        {tr("Slot 4"), 4},
                                                {tr("Digitalslot"), 5}};
        for (const auto& [text, value] : rows)
            AddRow(text, QString(), 2, static_cast<quintptr>(value));
        return;
    }
    case selkind::Address: {
        m_nOkRule = OkValue;
        m_nPreselRule = PreHexAddress;
        for (int a = 0; a < 64; ++a)
            AddRow(Str(uistr::NotUsed), QString::asprintf("%02x", a), kImageAmp, static_cast<quintptr>(a));
        if (!dir)
            return;
        DeviceList amps;
        dir->GetRemoteAmpsByAddress(amps);
        for (CBaseDevice* o : amps) {
            auto* amp = dynamic_cast<CAmplifier*>(o);
            const int address = amp ? amp->GetAddress() : -1;
            if (address >= 0 && address < 64)
                m_pList->SetItemText(address, 0, QString::fromStdString(o->GetName()));
        }
        return;
    }
    case selkind::LanGroup: {
        m_nOkRule = OkValue;
        for (int n = 1; n <= 64; ++n)
            AddRow(Str(uistr::NotUsed), QString::number(n), 33, static_cast<quintptr>(n));
        if (!dir)
            return;
        DeviceList groups;
        dir->GetBaseDeviceList(groups, OT_LAN_GROUP);
        for (CBaseDevice* g : groups)
            if (g->GetNumber() >= 1 && g->GetNumber() <= 64)
                m_pList->SetItemText(g->GetNumber() - 1, 0, QString::fromStdString(g->GetName()));
        return;
    }
    case selkind::MacroMulti:
    case selkind::ReadyInputMulti:
    case selkind::VirtCtrlMulti: {
        m_nOkRule = OkDecRanges;
        m_nPreselRule = PreMulti;
        const uint32_t type = kind == selkind::MacroMulti        ? OT_MACRO
                              : kind == selkind::ReadyInputMulti ? OT_READY_INPUT
                                                                 : OT_VIRT_CTRL_ITEM;
        const int image = kind == selkind::MacroMulti ? 0 : kind == selkind::ReadyInputMulti ? 18 : 4;
        AddNoneRow();
        if (!dir)
            return;
        DeviceList list;
        dir->GetBaseDeviceList(list, type);
        for (CBaseDevice* o : list)
            AddRow(QString::fromStdString(o->GetName()), QString::fromStdString(o->GetNumberText()), image,
                   static_cast<quintptr>(o->GetNumber()));
        return;
    }
    default: break;
    }

    // Kinds whose rows another part of the program supplies.
    switch (kind) {
    case selkind::Holiday:
    case selkind::Appointment:
    case selkind::Combination:
    case selkind::MacroType:
        m_nOkRule = OkValue;
        m_nPreselRule = PreTextExact;
        removeId();
        break;
    case selkind::ConditionKind:
        m_nOkRule = OkValue;
        m_nPreselRule = PreValueId;
        removeId();
        break;
    case selkind::BusyCondition:
    case selkind::Ignore:
        m_nOkRule = OkMask;
        m_nPreselRule = PreTextContains;
        removeId();
        break;
    case selkind::LMZ763Relay:
    case selkind::LMZ764Relay:
        m_nOkRule = OkRelayObject;
        removeId();
        break;
    default: break;
    }
    if (const RowProvider provider = Providers().value(kind)) {
        provider(*this, doc);
        return;
    }
    // Lists whose owners are part of the program: their string ids, rows from 0.
    std::vector<uint32_t> ids;
    switch (kind) {
    case selkind::MacroType:
        CMacro::GetTypeList(0, &ids);
        FillIds(ids, 0, false);
        break;
    case selkind::ConditionKind:
        CCondition::GetChoiceIds(0, &ids);
        FillIds(ids, 3, false);
        break;
    default: break;
    }
}

void CSelectionDlg::ShowRow(int row)
{
    m_pList->setCurrentItem(m_pList->Row(row));
    SelectRow(row, true);
    m_pList->scrollToItem(m_pList->Row(row));
}

void CSelectionDlg::SelectRowsNamedInSelection()
{
    for (int r = 0; r < m_pList->GetItemCount(); ++r)
        if (!m_pList->GetItemText(r, 0).isEmpty() && m_strSelection.contains(m_pList->GetItemText(r, 0)))
            SelectRow(r, true);
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
    switch (m_nPreselRule) {
    case PreTextNoCase:
    case PreTextExact:
        for (int r = 0; r < count; ++r) {
            const Qt::CaseSensitivity cs = m_nPreselRule == PreTextNoCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (m_pList->GetItemText(r, 0).compare(m_strSelection, cs) == 0) {
                row = r;
                break;
            }
        }
        break;
    case PreValueId:
        for (int r = 0; r < count; ++r)
            if (RowValue(r) == static_cast<quintptr>(m_nPreselect)) {
                row = r;
                break;
            }
        break;
    case PreHexAddress: {
        unsigned address = 0;
        if (std::sscanf(m_strSelection.toLatin1().constData(), "%x", &address) == 1)
            row = static_cast<int>(address);
        break;
    }
    case PreTextContains:
        SelectRowsNamedInSelection();
        return;
    default: break;
    }
    if (row >= 0 && row < count) {
        ShowRow(row);
        if (m_nKind == selkind::Address)
            RememberedAddressRow() = row;
    }
}

void CSelectionDlg::PreselectMultiple()
{
    const int count = m_pList->GetItemCount();
    if (m_nPreselRule == PreTextContains) {
        SelectRowsNamedInSelection();
        return;
    }
    if (m_nPreselRule != PreMulti) {
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
    switch (m_nKind) {
    case selkind::MacroMulti:
    case selkind::ReadyInputMulti:
    case selkind::VirtCtrlMulti:
        // The rows carry the object numbers; a deleted object leaves a gap in
        // the numbering, so number n is looked up by value, not taken as row n.
        if (ParseRanges(set, 250, text))
            for (int r = 1; r < count; ++r) {
                const quintptr v = RowValue(r);
                if (v >= 1 && v <= 250 && TestBit(set, static_cast<unsigned>(v - 1)))
                    SelectRow(r, true);
            }
        return;
    case selkind::Output:
        if (ParseRangesHex(set, 64, text))
            selectNumbers(64);
        return;
    case selkind::AmpChannels:
    case selkind::AmpConfig: {
        const bool hex = m_nKind == selkind::AmpConfig;
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
    if (m_bMultiple && NoneRowExclusive(m_nKind)) {
        // The none row excludes every other row: the row chosen last wins.
        const bool noneAdded = rows.contains(0) && !m_PrevSelected.contains(0);
        if (noneAdded) {
            for (int r = 1; r < m_pList->GetItemCount(); ++r)
                SelectRow(r, false);
        } else if (rows.contains(0) && rows.size() > 1) {
            SelectRow(0, false);
        }
    }
    if (!m_bMultiple && m_nKind == selkind::Address) {
        // Only free addresses, or the one chosen before, can be picked.
        const int row = rows.isEmpty() ? -1 : rows.first();
        if (row >= 0 && row != RememberedAddressRow() && m_pList->GetItemText(row, 0) != Str(uistr::NotUsed)) {
            const int back = RememberedAddressRow();
            SelectRow(row, false);
            if (back >= 0 && back < m_pList->GetItemCount())
                ShowRow(back);
        } else if (row >= 0) {
            RememberedAddressRow() = row;
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
        CResizableDialog::accept();
        return;
    }
    const int first = rows.first();
    const quintptr value = RowValue(first);
    switch (m_nOkRule) {
    case OkObject:
    case OkObjectChannel: {
        auto* object = reinterpret_cast<CBaseDevice*>(value);
        if (!object)
            break;  // the none row carries no object
        m_nResultType = static_cast<int>(object->GetType());
        m_nResultNumber = object->GetNumber();
        m_strSelection = m_pList->GetItemText(first, 0);
        if (m_nOkRule == OkObjectChannel && m_nResultType == OT_AMPLIFIER) {
            const QString text = m_strSelection;
            const qsizetype dash = text.lastIndexOf(QLatin1Char('-'));
            int k = 0;
            if (dash >= 0 && std::sscanf(text.mid(dash + 2).toLatin1().constData(), "%d", &k) == 1)
                m_nResultChannel = k - 1;
        }
        break;
    }
    case OkValue: m_nResultNumber = static_cast<int>(value); break;
    case OkRelayObject:
        m_pResultObject = reinterpret_cast<CBaseDevice*>(value);
        m_nResultNumber = m_pResultObject ? m_pResultObject->GetNumber() : 0;
        break;
    case OkMask:
        m_nResultNumber = 0;
        if (!rows.contains(0))
            for (int r : rows)
                if (r >= 1 && r <= 32)
                    m_nResultNumber |= static_cast<int>(1u << (r - 1));
        break;
    case OkDecRanges: WriteRanges(false, true); break;
    case OkAddrRanges: WriteRanges(true, false); break;
    case OkOutputSet: {
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
    default: break;
    }
    CResizableDialog::accept();
}
