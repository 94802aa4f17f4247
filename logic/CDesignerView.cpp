#include "logic/CDesignerView.h"

#include <cstring>

#include "logic/CVirtCtrlItem.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"

namespace virtctrl {

using Endpoint = CVirtCtrl::Endpoint;

namespace {
void PutWord(std::string& out, uint32_t v)
{
    for (int b = 0; b < 4; ++b)
        out.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
}

uint32_t GetWord(const std::string& in, size_t at)
{
    uint32_t v = 0;
    for (int b = 0; b < 4; ++b)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + b])) << (8 * b);
    return v;
}

}  // namespace

std::string VcDragPayload::ToBytes() const
{
    std::string out;
    PutWord(out, kindId);
    PutWord(out, image);
    PutWord(out, static_cast<uint32_t>(controller));
    return out;
}

std::optional<VcDragPayload> VcDragPayload::FromBytes(const std::string& bytes)
{
    if (bytes.size() != 12)
        return std::nullopt;
    VcDragPayload p;
    p.kindId = GetWord(bytes, 0);
    p.image = GetWord(bytes, 4);
    p.controller = static_cast<int32_t>(GetWord(bytes, 8));
    if (p.kindId != CVirtCtrlItem::kKindId || p.image != RowController)
        return std::nullopt;
    return p;
}

CVirtCtrl* CDesignerView::GetTable() const
{
    return m_doc ? dynamic_cast<CVirtCtrl*>(m_doc->GetIDManager().GetBaseDevice(1, OT_VIRT_CTRL)) : nullptr;
}

Endpoint CDesignerView::EndpointOfRow(int image)
{
    switch (image) {
    case RowEncoder: return Endpoint::Encoder;
    case RowAD: return Endpoint::AD;
    case RowDA: return Endpoint::DA;
    case RowIn: return Endpoint::In;
    case RowOut: return Endpoint::Out;
    case RowAlarm: return Endpoint::Alarm;
    case RowChime: return Endpoint::Chime;
    case RowMessage: return Endpoint::Message;
    case RowMonitor: return Endpoint::Monitor;
    case RowAmpChannel: return Endpoint::AmpChannel;
    case RowDelay: return Endpoint::Delay;
    default: return Endpoint::Controller;
    }
}

void CDesignerView::FillControllerList()
{
    m_mode = VcPaneMode::Controllers;
    m_rows.clear();
    m_selectedRow = -1;
    if (!m_doc)
        return;
    DeviceList items;
    m_doc->GetIDManager().GetBaseDeviceList(items, OT_VIRT_CTRL_ITEM);
    for (CBaseDevice* obj : items) {
        auto* item = dynamic_cast<CVirtCtrlItem*>(obj);
        if (!item)
            continue;
        if (item->GetNumber() == m_selectedController)
            m_selectedRow = static_cast<int>(m_rows.size());
        m_rows.push_back({item->GetName(), item->GetNumberText(), RowController, 0, item->GetNumber()});
    }
    if (m_selectedRow < 0 && !m_rows.empty())
        m_selectedRow = 0;
}

void CDesignerView::AddEndpointRows(CVirtCtrl* table, Endpoint kind, int image)
{
    for (int i = 0; i < CVirtCtrl::EndpointCount(kind); ++i) {
        std::string name, controller;
        if (table->GetEndpointTexts(kind, i, name, controller)) {
            m_rows.push_back({name, controller, image, i, 0});
            continue;
        }
        // A linked endpoint whose card has gone stays visible so that its link
        // can be removed; a controller source goes with its controller.
        if (kind == Endpoint::Controller || table->GetLink(kind, i + 1) == 0)
            continue;
        if (name.empty()) {
            const std::string path = CVirtCtrl::EndpointPath(kind, i + 1);
            name = path.substr(path.rfind('/') + 1);
        }
        m_rows.push_back({name + " *", controller, image, i, 0});
    }
}

void CDesignerView::FillSourceList()
{
    m_mode = VcPaneMode::Sources;
    m_rows.clear();
    if (CVirtCtrl* table = GetTable()) {
        AddEndpointRows(table, Endpoint::Controller, RowController);
        AddEndpointRows(table, Endpoint::Encoder, RowEncoder);
        AddEndpointRows(table, Endpoint::AD, RowAD);
    }
    m_selectedRow = m_selectedSourceRow < static_cast<int>(m_rows.size()) ? m_selectedSourceRow : -1;
}

void CDesignerView::FillDestinationList()
{
    m_mode = VcPaneMode::Destinations;
    m_rows.clear();
    if (CVirtCtrl* table = GetTable()) {
        for (int image = RowDA; image <= RowDelay; ++image)
            AddEndpointRows(table, EndpointOfRow(image), image);
    }
    m_selectedRow = m_selectedDestinationRow < static_cast<int>(m_rows.size()) ? m_selectedDestinationRow : -1;
}

void CDesignerView::Refill()
{
    switch (m_mode) {
    case VcPaneMode::Controllers: FillControllerList(); break;
    case VcPaneMode::Sources: FillSourceList(); break;
    case VcPaneMode::Destinations: FillDestinationList(); break;
    }
}

CVirtCtrlItem* CDesignerView::ControllerAt(int row) const
{
    if (m_mode != VcPaneMode::Controllers || row < 0 || row >= static_cast<int>(m_rows.size()) || !m_doc)
        return nullptr;
    const int number = m_rows[static_cast<size_t>(row)].controller;
    return dynamic_cast<CVirtCtrlItem*>(FindNumbered(m_doc, OT_VIRT_CTRL_ITEM, number));
}

void CDesignerView::SelectRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        row = -1;
    m_selectedRow = row;
    if (row < 0)
        return;
    switch (m_mode) {
    case VcPaneMode::Controllers: m_selectedController = m_rows[row].controller; break;
    case VcPaneMode::Sources: m_selectedSourceRow = row; break;
    case VcPaneMode::Destinations: m_selectedDestinationRow = row; break;
    }
}

void CDesignerView::SetEndpointLink(const VcRow& row, int controller)
{
    CVirtCtrl* table = GetTable();
    const Endpoint kind = EndpointOfRow(row.image);
    if (!table || table->GetLink(kind, row.index + 1) == controller)
        return;  // nothing changes, nothing to save
    table->SetLink(kind, row.index + 1, controller);
    // The controller sources are not kept in the file, yet the user sees the
    // change: the project asks to be saved for them too.
    m_doc->SetModifiedFlag();
}

bool CDesignerView::ApplyLink(const VcDragPayload& payload)
{
    if (m_mode == VcPaneMode::Controllers) {
        CVirtCtrlItem* item = NewController();
        if (!item)
            return false;
        m_selectedController = item->GetNumber();
        return true;
    }
    if (m_selectedRow < 0 || payload.controller < 1 || payload.controller > CVirtCtrl::kControllers)
        return false;
    SetEndpointLink(m_rows[m_selectedRow], payload.controller);
    Refill();
    return true;
}

bool CDesignerView::RemoveLink(int row)
{
    if (m_mode == VcPaneMode::Controllers || row < 0 || row >= static_cast<int>(m_rows.size()))
        return false;
    SetEndpointLink(m_rows[row], 0);
    m_rows[row].controllerText.clear();
    return true;
}

bool CDesignerView::CanCreateController() const
{
    return m_doc && static_cast<uint32_t>(m_doc->GetIDManager().GetCount(OT_VIRT_CTRL_ITEM)) !=
                        GetMaxObjectCount(OT_VIRT_CTRL_ITEM);
}

bool CDesignerView::CanDeleteController() const
{
    return m_doc && m_doc->GetIDManager().GetCount(OT_VIRT_CTRL_ITEM) != 0;
}

CVirtCtrlItem* CDesignerView::NewController()
{
    if (!m_doc)
        return nullptr;
    auto* item = new CVirtCtrlItem;
    if (!item->Create(CVirtCtrlItem::kKindId, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_AUDIO, 0, 3,
                      m_doc)) {
        delete item;
        return nullptr;
    }
    m_doc->AddObject(item, CAT_AUDIO);
    return item;
}

bool CDesignerView::DeleteController()
{
    if (m_mode != VcPaneMode::Controllers || m_selectedRow < 0)
        return false;
    CVirtCtrlItem* item = ControllerAt(m_selectedRow);
    if (!item)
        return false;
    if (CVirtCtrl* table = GetTable())
        table->ClearLinksTo(item->GetNumber());
    const int row = m_selectedRow;
    const int count = static_cast<int>(m_rows.size());
    m_selectedController = row + 1 < count ? m_rows[row + 1].controller : row > 0 ? m_rows[row - 1].controller : 0;
    m_rows.erase(m_rows.begin() + row);
    m_selectedRow = -1;
    item->OnCommand(objcmd::Delete);
    return true;
}

std::string CDesignerView::LiveValueLine(int n, double value)
{
    return StrFormat("/VIRTCTRL/ENTRY%d/VALUE %lf", n, value);
}

}  // namespace virtctrl
