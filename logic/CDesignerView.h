#pragma once
// One pane of the virtual-controller window, without the window: the rows it
// lists (controllers, sources or destinations), the row to select after a
// refill, and what a dropped controller, a removed link, a new or a deleted
// controller do to the document. The list window (logic/windows) shows the
// rows and hands the user's actions to it.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logic/CVirtCtrl.h"

class CQuillomerDoc;
class CVirtCtrlItem;

namespace virtctrl {

// What a pane lists (the command that fills it).
enum class VcPaneMode : uint32_t { Controllers = 32963, Sources = 32966, Destinations = 32967 };

// A row's image, which tells what the row stands for.
enum VcRowKind : int {
    RowController = 4,  // a controller, or a controller source in the sources pane
    RowEncoder = 5,
    RowAD = 6,
    RowDA = 7,
    RowIn = 8,
    RowOut = 9,
    RowAlarm = 10,
    RowChime = 11,
    RowMessage = 12,
    RowMonitor = 13,
    RowAmpChannel = 14,
    RowDelay = 15,
};

// The "DATA Object" dragged from the controller pane: three little-endian
// 32-bit words, the kind id, the row image and the controller number.
struct VcDragPayload {
    uint32_t kindId = 34365;
    uint32_t image = RowController;
    int32_t controller = 0;

    std::string ToBytes() const;
    // Nothing for data that is not 12 bytes of a controller.
    static std::optional<VcDragPayload> FromBytes(const std::string& bytes);
};

struct VcRow {
    std::string text;            // column 0
    std::string controllerText;  // column 1 (the controller's number in the controller pane)
    int image = RowController;
    int index = 0;                     // endpoint index from 0
    int controller = 0;                // the controller's number (controller pane)
};

class CDesignerView {
public:
    explicit CDesignerView(CQuillomerDoc* doc) : m_doc(doc) {}

    CQuillomerDoc* GetDocument() const { return m_doc; }
    CVirtCtrl* GetTable() const;
    VcPaneMode GetMode() const { return m_mode; }
    const std::vector<VcRow>& GetRows() const { return m_rows; }
    // The controller of a row of the controller pane; null for another pane,
    // or when an upload has deleted the controller since the pane was filled
    // (rows keep the number, not the controller).
    CVirtCtrlItem* ControllerAt(int row) const;

    void FillControllerList();
    void FillSourceList();
    void FillDestinationList();
    // Refills the pane in its mode.
    void Refill();

    // The row to select after a refill (-1 none); the pane remembers the
    // controller number or the row index, by mode.
    int GetSelectedRow() const { return m_selectedRow; }
    void SelectRow(int row);

    // A controller dropped on (or chosen for) the selected row. True when the
    // document changed; the sources and destinations pane is then refilled.
    bool ApplyLink(const VcDragPayload& payload);
    // Unlinks the row's endpoint (not in the controller pane). True when changed.
    bool RemoveLink(int row);

    // A new controller with the default name; null when every number is taken.
    CVirtCtrlItem* NewController();
    // Deletes the selected controller after clearing the links to it; the
    // controller below, else the one above, becomes the selected one.
    bool DeleteController();
    bool CanCreateController() const;
    bool CanDeleteController() const;

    // The line that sets controller n's value on the device.
    static std::string LiveValueLine(int n, double value);
    // The table's endpoint that a row of this image stands for.
    static CVirtCtrl::Endpoint EndpointOfRow(int image);
    // The tool tip of a controller row: six labelled values aligned with
    // blanks, widths measured by `width`.
    template <class Width>
    static std::string ControllerTip(const CVirtCtrlItem& item, Width width);

private:
    void AddEndpointRows(CVirtCtrl* table, CVirtCtrl::Endpoint kind, int image);
    void SetEndpointLink(const VcRow& row, int controller);

    CQuillomerDoc* m_doc;
    VcPaneMode m_mode = VcPaneMode::Controllers;
    std::vector<VcRow> m_rows;
    int m_selectedRow = -1;
    int m_selectedController = 0;
    int m_selectedSourceRow = 0;
    int m_selectedDestinationRow = 0;
};

}  // namespace virtctrl

#include "logic/CVirtCtrlItem.h"
#include "platform/StringTable.h"

template <class Width>
std::string virtctrl::CDesignerView::ControllerTip(const CVirtCtrlItem& item, Width width)
{
    const char* labels[] = {"Min", "Max", "Val", "Steps", "Curve", "Link"};
    const std::string values[] = {
        StrFormat("%.2f", item.GetFloat(CVirtCtrlItem::Min)), StrFormat("%.2f", item.GetFloat(CVirtCtrlItem::Max)),
        StrFormat("%.2f", item.GetFloat(CVirtCtrlItem::Value)), StrFormat("%d", item.GetInt(CVirtCtrlItem::Steps)),
        StrFormat("%d", item.GetInt(CVirtCtrlItem::Curve)), StrFormat("%d", item.GetInt(CVirtCtrlItem::Link))};
    const int blank = std::max(1, static_cast<int>(width(std::string(" "))));
    int widest = 0;
    for (const char* l : labels)
        widest = std::max(widest, static_cast<int>(width(std::string(l))));
    std::string tip;
    for (int i = 0; i < 6; ++i) {
        const int blanks = std::min(13, (widest + 5 * blank - static_cast<int>(width(std::string(labels[i])))) / blank);
        if (i)
            tip += '\n';
        tip += labels[i];
        tip.append(static_cast<size_t>(std::max(0, blanks)), ' ');
        tip += values[i];
    }
    return tip;
}
