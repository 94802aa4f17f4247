// What the selection dialog offers for the kinds of the hardware: the cards'
// control contacts, the amplifiers, their channels and bus addresses, the
// spare-amplifier entries and the central device's slots.
#include <QCoreApplication>

#include "hardware/CAmplifier.h"
#include "hardware/CSpareAmp.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;
constexpr int kImageAmp = 17;

QString Tr(const char* text)
{
    return QCoreApplication::translate("CSelectionDlg", text);
}

// Every remote-capable amplifier in bus-address order.
DeviceList RemoteAmps(CQuillomerDoc* doc)
{
    DeviceList amps;
    if (doc)
        doc->GetIDManager().GetRemoteAmpsByAddress(amps);
    return amps;
}

int AddressOf(const CBaseDevice* o, int none)
{
    const auto* amp = dynamic_cast<const CAmplifier*>(o);
    return amp ? amp->GetAddress() : none;
}

// Ready inputs, then one row per channel of every remote-capable amplifier.
void ChannelRows(D& dlg, CQuillomerDoc* doc)
{
    D::ObjectRows(OT_READY_INPUT, 18)(dlg, doc);
    for (CBaseDevice* o : RemoteAmps(doc)) {
        auto* amp = dynamic_cast<CAmplifier*>(o);
        const int channels = amp ? amp->GetChannelCount() : 0;
        for (int k = 1; k <= channels; ++k)
            dlg.AddRow(QString::fromStdString(o->GetName()) + QString::asprintf(" - %d", k), QString(), kImageAmp,
                       reinterpret_cast<quintptr>(o));
    }
}

// The amplifiers, valued by bus address.
void AmpRows(D& dlg, CQuillomerDoc* doc)
{
    for (CBaseDevice* o : RemoteAmps(doc)) {
        const int address = AddressOf(o, 0);
        dlg.AddRow(QString::fromStdString(o->GetName()), QString::asprintf("%02x", address), kImageAmp,
                   static_cast<quintptr>(address));
    }
}

void AmpConfigRows(D& dlg, CQuillomerDoc* doc)
{
    dlg.AddNoneRow(kImageAmp);
    AmpRows(dlg, doc);
}

void RemoteAmpRows(D& dlg, CQuillomerDoc* doc)
{
    dlg.AddNoneRow(2, 255);
    AmpRows(dlg, doc);
}

void SpareEntryRows(D& dlg, CQuillomerDoc* doc)
{
    dlg.AddNoneRow();
    auto* spare = doc ? dynamic_cast<CSpareAmp*>(doc->GetIDManager().GetBaseDevice(1, OT_SPARE_AMP)) : nullptr;
    for (int n = 0; spare && n < 8; ++n) {
        std::string name;
        uint32_t type = 0;
        int32_t number = 0;
        if (spare->GetEntry(n, name, type, number))
            dlg.AddRow(QString::fromStdString(name), QString::number(n + 1), type == OT_AMPLIFIER ? 17 : 18,
                       static_cast<quintptr>(n + 1));
    }
}

void AmpChannelRows(D& dlg, CQuillomerDoc* doc)
{
    dlg.AddNoneRow(kImageAmp);
    for (int n = 1; n <= 255; ++n)
        dlg.AddRow(doc ? QString::fromStdString(doc->GetIDManager().GetAmpChannelText(n)) : QString::number(n),
                   QString::number(n), kImageAmp, static_cast<quintptr>(n));
}

void SlotRows(D& dlg, CQuillomerDoc*)
{
    const std::pair<QString, int> rows[] = {
        {QString::fromStdString(LoadStringId(uistr::NoEntry)), 255}, {Tr("Interfaceslot"), 0}, {Tr("Slot 1"), 1},
        {Tr("Slot 2"), 2}, {Tr("Slot 3"), 3}, {Tr("Slot 4"), 4}, {Tr("Digitalslot"), 5}};
    for (const auto& [text, value] : rows)
        dlg.AddRow(text, QString(), 2, static_cast<quintptr>(value));
}

// 64 bus addresses, "Nicht benutzt" unless an amplifier has it.
void AddressRows(D& dlg, CQuillomerDoc* doc)
{
    const QString unused = QString::fromStdString(LoadStringId(uistr::NotUsed));
    for (int a = 0; a < 64; ++a)
        dlg.AddRow(unused, QString::asprintf("%02x", a), kImageAmp, static_cast<quintptr>(a));
    for (CBaseDevice* o : RemoteAmps(doc)) {
        const int address = AddressOf(o, -1);
        if (address >= 0 && address < 64)
            dlg.List()->SetItemText(address, 0, QString::fromStdString(o->GetName()));
    }
}

struct Registrar {
    Registrar()
    {
        using I = D::IdColumn;
        using P = D::Preselect;
        using R = D::Result;
        // The control contacts of the cards.
        // Their selection kinds are the contacts' own kinds.
        for (uint32_t kind : {padkind::LMZ763, padkind::LMZ764, padkind::LMZ771, padkind::SlotIn, padkind::SlotOut,
                              padkind::InterfaceIn})
            D::RegisterKind(static_cast<int>(kind), {D::PadRows({kind}, 29), I::Removed});
        D::RegisterKind(selkind::LMZ775In, {D::PadRows({padkind::LMZ775In}, 3), I::Removed});
        D::RegisterKind(selkind::LMZ752, {D::ObjectRows(OT_LMZ752, 32)});
        D::RegisterKind(selkind::SpareFault, {SpareEntryRows, I::Shown, P::Row, R::Value});
        for (int kind : {selkind::SpareAmp, selkind::WatchedChannel})
            D::RegisterKind(kind, {ChannelRows, I::Shown, P::Row, R::ObjectChannel});
        D::RegisterKind(selkind::AmpConfig, {AmpConfigRows, I::Shown, P::HexValues, R::AddressRanges, true});
        D::RegisterKind(selkind::RemoteAmp, {RemoteAmpRows, I::Shown, P::Row, R::Value});
        D::RegisterKind(selkind::AmpChannels, {AmpChannelRows, I::Shown, P::DecimalValues, R::DecimalRanges, true});
        D::RegisterKind(selkind::KvtSlots, {SlotRows, I::Untitled, P::Row, R::Value});
        D::RegisterKind(selkind::Address, {AddressRows, I::Shown, P::FreeAddress, R::Value});
    }
} g_registrar;

}  // namespace
