// What the object base draws on the sheet: the symbol frame by category, the
// name label, the bitmap, the link lines with their routes, the hot
// highlight and the connector names of slot and card symbols. Coordinates
// are logical units of the sheet; everything goes to the painter the view
// passes in.
//
// Free functions over the public fields, so that each drawing member of
// CBaseDevice is a one-line call (CBaseDevice::Draw calls basedraw::Draw, and
// so on).

#include <algorithm>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"
#include "platform/IPainter.h"
#include "platform/StringTable.h"

namespace basedraw {

void Draw(CBaseDevice& o, IPainter& dc);
void DrawHot(CBaseDevice& o, IPainter& dc);
void DrawCold(CBaseDevice& o, IPainter& dc);
void DrawLabel(CBaseDevice& o, IPainter& dc);
void DrawLinks(CBaseDevice& o, IPainter& dc, QlColor colour);
void DrawConnectorName(CBaseDevice& o, IPainter& dc);
void EraseConnectorName(CBaseDevice& o, IPainter& dc);
int TrackConnector(CBaseDevice& o, IPainter& dc, CPoint point);

namespace {

bool TypeIn(uint32_t type, std::initializer_list<uint32_t> list)
{
    return std::find(list.begin(), list.end(), type) != list.end();
}

// Types without a symbol of their own (or drawn by their class).
bool DrawsNothing(uint32_t t)
{
    return TypeIn(t, {1, 3, 9, 11, 13, 17, 20, 21, 22, 41, 42, 43, 44, 60}) || (t >= 24 && t <= 37);
}

bool IsSlotCategory(int32_t c)
{
    return c == CAT_OUTPUT_SLOT || c == CAT_INPUT_SLOT || c == CAT_INTERFACE || c == CAT_DIGITAL_SLOT;
}

bool IsGroupZero(const CBaseDevice& o) { return o.GetCategory() == CAT_GROUP && o.GetNumber() == 0; }

// Groups, digital I/O objects and the type-64 objects have a rounded box.
bool HasRoundBox(const CBaseDevice& o)
{
    return o.GetCategory() == CAT_GROUP || o.GetCategory() == CAT_DIGITAL_IO ||
           (o.GetCategory() == CAT_AUDIO && o.GetType() == 64);
}

constexpr uint32_t kDigitalSlotOutput = 34322;
constexpr uint32_t kCardContactKinds[] = {32796, 32797, 34136, 32848, 32849};

CRect TextBox(IPainter& dc, const std::string& text, int left, int centreY)
{
    const CSize ext = dc.TextExtent(text);
    return CRect(left, centreY - ext.cy / 2, left + ext.cx, centreY - ext.cy / 2 + ext.cy);
}

void WriteCentred(IPainter& dc, const std::string& text, int left, int right, int top)
{
    const CSize ext = dc.TextExtent(text);
    const int x = (left + right) / 2 - ext.cx / 2;
    dc.TextOut(x, top, text);
}

void DrawSlotConnectors(CBaseDevice& o, IPainter& dc)
{
    dc.SetPen(qlcolor::Black);
    dc.SelectFont(IPainter::FontConnector);
    dc.SetTextColor(qlcolor::Black);
    dc.SetTransparentText(true);
    for (size_t i = 0; i < o.m_outputPoints.size(); ++i) {
        const CPoint p = o.m_outputPoints[i];
        dc.DrawLine(p, CPoint(p.x + 5, p.y));
        if (i < o.m_outputNames.size() && !o.m_outputNames[i].empty()) {
            const CSize ext = dc.TextExtent(o.m_outputNames[i]);
            dc.TextOut(p.x - 5 - ext.cx, p.y - ext.cy / 2, o.m_outputNames[i]);
        }
    }
    for (size_t i = 0; i < o.m_inputPoints.size(); ++i) {
        const CPoint p = o.m_inputPoints[i];
        dc.DrawLine(CPoint(p.x - 5, p.y), p);
        if (i < o.m_inputNames.size() && !o.m_inputNames[i].empty()) {
            const CSize ext = dc.TextExtent(o.m_inputNames[i]);
            dc.TextOut(p.x + 4, p.y - ext.cy / 2, o.m_inputNames[i]);
        }
    }
}

void WriteConnectorName(CBaseDevice& o, IPainter& dc, QlColor colour)
{
    if (!o.m_showConnectorNames)
        return;
    dc.SelectFont(IPainter::FontConnector);
    dc.SetTextColor(colour);
    dc.SetTransparentText(true);
    const int in = o.m_hoverInput;
    const int out = o.m_hoverOutput;
    if (in >= 0 && in < static_cast<int>(o.m_inputPoints.size()) && in < static_cast<int>(o.m_inputNames.size())) {
        const CPoint p = o.m_inputPoints[in];
        const CSize ext = dc.TextExtent(o.m_inputNames[in]);
        dc.TextOut(p.x + 4, p.y - ext.cy / 2, o.m_inputNames[in]);
    } else if (out >= 0 && out < static_cast<int>(o.m_outputPoints.size()) &&
               out < static_cast<int>(o.m_outputNames.size())) {
        const CPoint p = o.m_outputPoints[out];
        const CSize ext = dc.TextExtent(o.m_outputNames[out]);
        dc.TextOut(p.x - 5 - ext.cx, p.y - ext.cy / 2, o.m_outputNames[out]);
    }
}

// The connector whose point lies strictly within half the spacing of y.
int ConnectorAt(const std::vector<CPoint>& points, int y, int fallbackSpacing)
{
    int spacing = fallbackSpacing;
    if (points.size() >= 2)
        spacing = std::abs(points[1].y - points[0].y);
    const int half = std::max(1, spacing / 2);
    for (size_t i = 0; i < points.size(); ++i)
        if (std::abs(points[i].y - y) < half)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

void Draw(CBaseDevice& o, IPainter& dc)
{
    if (DrawsNothing(o.GetType()))
        return;
    const CRect r = o.GetRect();
    const std::string& name = o.GetName();
    switch (o.GetCategory()) {
    case CAT_RELAIS_TOPOLOGY: {
        dc.SetPen(qlcolor::LightGrey);
        dc.SetBrush(qlcolor::LightGrey, false);
        dc.DrawRect(r);
        dc.DrawEdge(r, true);
        dc.SelectFont(IPainter::FontNames);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Blue);
        const std::string fitted = o.FitTextToWidth(dc, IPainter::FontNames, r.Width() - 10, name);
        const CSize ext = dc.TextExtent(fitted);
        WriteCentred(dc, fitted, r.left, r.right, r.top + 3);
        dc.SetTextColor(qlcolor::Black);
        WriteCentred(dc, LoadStringId(o.GetKindId()), r.left, r.right, r.top + 3 + ext.cy);
        DrawLinks(o, dc, qlcolor::Black);
        return;
    }
    case CAT_OUTPUT_SLOT:
    case CAT_INPUT_SLOT:
    case CAT_INTERFACE:
    case CAT_DIGITAL_SLOT: {
        dc.SetPen(qlcolor::Black);
        dc.FillRect(r, o.IsHot() ? qlcolor::LightGrey : qlcolor::White);
        dc.DrawEdge(r, true);
        dc.SelectFont(IPainter::FontSlot);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        dc.DrawText(name, r, IPainter::AlignCenter | IPainter::AlignVCenter | IPainter::SingleLine);
        if (o.IsHot())
            DrawSlotConnectors(o, dc);
        return;
    }
    case CAT_INTERNAL_SLOT: {
        dc.FillRect(r, qlcolor::LightGrey);
        dc.DrawEdge(r, true);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        const std::string fitted = o.FitTextToWidth(dc, IPainter::FontInternalSlot, r.Width() - 10, name);
        dc.SelectFont(IPainter::FontInternalSlot);
        const CSize ext = dc.TextExtent(fitted);
        const int centreX = (r.left + r.right) / 2 + 16;
        dc.TextOut(centreX - ext.cx / 2, (r.top + r.bottom) / 2 - ext.cy / 2, fitted);
        return;
    }
    case CAT_INFO:
        dc.SetPen(qlcolor::LightGrey);
        dc.SetBrush(qlcolor::LightGrey, false);
        dc.DrawRect(r);
        dc.DrawEdge(r, true);
        dc.SelectFont(IPainter::FontNames);
        dc.SetTransparentText(true);
        dc.SetTextColor(qlcolor::Black);
        dc.DrawText(name, r, IPainter::AlignCenter | IPainter::AlignVCenter | IPainter::SingleLine);
        return;
    case CAT_GROUP:
        if (IsGroupZero(o))
            return;
        break;
    default:
        break;
    }
    DrawLabel(o, dc);
    o.DrawBitmap(dc);
    DrawLinks(o, dc, qlcolor::Black);
}

void DrawLabel(CBaseDevice& o, IPainter& dc)
{
    const CRect r = o.GetRect();
    dc.SelectFont(IPainter::FontNames);
    dc.SetTransparentText(true);
    if (HasRoundBox(o)) {
        dc.SetPen(qlcolor::Black);
        dc.SetBrush(qlcolor::White);
        dc.DrawRoundRect(r, 10, 10);
        int start = 5;
        if (o.m_bitmapId != 0)
            start = 10 + o.m_bitmapRect.Width();
        if (o.GetKindId() == kDigitalSlotOutput)
            start = 10;
        const std::string fitted = o.FitTextToWidth(dc, IPainter::FontNames, r.Width() - start - 5, o.GetName());
        dc.SelectFont(IPainter::FontNames);
        dc.SetTextColor(qlcolor::Blue);
        const CRect box = TextBox(dc, fitted, r.left + start, (r.top + r.bottom) / 2);
        dc.TextOut(box.left, box.top, fitted);
        o.m_labelRect = box;
        return;
    }
    if (o.GetCategory() == CAT_AUDIO)
        return;  // only type 64 writes a label there (rounded box above)

    if (!(o.m_symbolStyle & symstyle::BitmapAtTop)) {
        dc.SetTextColor(qlcolor::Black);
        const std::string kind = LoadStringId(o.GetKindId());
        if (o.m_symbolStyle & symstyle::KindTextLeft)
            dc.TextOut(r.left + 1, r.top + 1, kind);
        else
            WriteCentred(dc, kind, r.left, r.right, r.top + 1);
    }
    dc.SetTextColor(qlcolor::Blue);
    if (!(o.m_symbolStyle & symstyle::WideRight)) {
        const std::string fitted = o.FitTextToWidth(dc, IPainter::FontNames, r.Width() - 10, o.GetName());
        dc.SelectFont(IPainter::FontNames);
        const CSize ext = dc.TextExtent(fitted);
        const int x = (r.left + r.right) / 2 - ext.cx / 2;
        const CRect box = TextBox(dc, fitted, x, r.bottom - 15);
        dc.TextOut(box.left, box.top, fitted);
        o.m_labelRect = box;
    } else {
        const int left = o.m_bitmapRect.right + 5;
        const std::string fitted = o.FitTextToWidth(dc, IPainter::FontNames, std::max(0, r.right - left), o.GetName());
        dc.SelectFont(IPainter::FontNames);
        const CRect box = TextBox(dc, fitted, left, (o.m_bitmapRect.top + o.m_bitmapRect.bottom) / 2);
        dc.TextOut(box.left, box.top, fitted);
        o.m_labelRect = box;
    }
}

void DrawLinks(CBaseDevice& o, IPainter& dc, QlColor colour)
{
    dc.SetPen(colour, 1);
    dc.SetBrush(colour, false);
    if (o.m_linkMode & linkmode::DrawOutLinks) {
        for (LinkRecord* link : o.m_outLinks) {
            const int k = link->ownKey;
            if (!link->HasPartner() || k < 0 || k >= o.m_inputCount || k >= static_cast<int>(o.m_inputPoints.size()))
                continue;
            const CBaseDevice* partner = link->partner;
            if (link->partnerKey < 0 || link->partnerKey >= static_cast<int>(partner->m_outputPoints.size()))
                continue;
            const CPoint a = o.m_inputPoints[k];
            const CPoint p = partner->m_outputPoints[link->partnerKey];
            ConnectorRoute route;
            route.pt[0] = a;
            if (o.GetCategory() == CAT_ZONE) {
                route.pt[1] = a;
                route.pt[2] = CPoint(a.x, p.y);
            } else if (o.GetCategory() == CAT_GROUP || o.GetType() == 64) {
                route.pt[1] = CPoint(a.x - 25, a.y);
                route.pt[2] = CPoint(p.x + 25, p.y);
            } else {
                const int lane = o.GetCategory() == CAT_RELAIS_TOPOLOGY ? partner->LaneOf(link->partnerKey) : o.LaneOf(k);
                const int x = a.x - 15 * lane - 10;
                route.pt[1] = CPoint(x, a.y);
                route.pt[2] = CPoint(x, p.y);
            }
            route.pt[3] = p;
            if (k < static_cast<int>(o.m_inputRoutes.size()))
                o.m_inputRoutes[k] = route;
            dc.DrawPolyline({route.pt[0], route.pt[1], route.pt[2], route.pt[3]});
            o.m_boundingRect.left = std::min(o.m_boundingRect.left, p.x);
            o.m_boundingRect.top = std::min(o.m_boundingRect.top, p.y);
        }
    }
    if (o.m_linkMode & linkmode::DrawInLinks) {
        if (o.GetType() == OT_CONTROL_PAD &&
            std::find(std::begin(kCardContactKinds), std::end(kCardContactKinds), o.GetKindId()) != std::end(kCardContactKinds))
            return;  // card contacts draw their own lines
        for (LinkRecord* link : o.m_inLinks) {
            const int k = link->ownKey;
            if (!link->HasPartner() || k < 0 || k >= o.m_outputCount || k >= static_cast<int>(o.m_outputPoints.size()))
                continue;
            const CBaseDevice* partner = link->partner;
            if (link->partnerKey < 0 || link->partnerKey >= static_cast<int>(partner->m_inputPoints.size()))
                continue;
            const CPoint b = o.m_outputPoints[k];
            const CPoint q = partner->m_inputPoints[link->partnerKey];
            dc.DrawPolyline({b, CPoint(b.x, q.y), q});
            o.m_boundingRect.right = std::max(o.m_boundingRect.right, q.x);
            o.m_boundingRect.bottom = std::max(o.m_boundingRect.bottom, q.y);
        }
    }
}

void DrawHot(CBaseDevice& o, IPainter& dc)
{
    if (o.GetCategory() == CAT_INFO || o.GetType() == 24 || o.GetType() == 36 || IsGroupZero(o))
        return;
    const CRect r = o.GetRect();
    dc.SetPen(qlcolor::Red);
    dc.SetBrush(qlcolor::Red, false);
    if (HasRoundBox(o))
        dc.DrawRoundRect(r, 10, 10);
    else
        dc.DrawRect(r);
    DrawLinks(o, dc, qlcolor::Red);
    DrawConnectorName(o, dc);
    o.m_hot = 1;
}

void DrawCold(CBaseDevice& o, IPainter& dc)
{
    if (o.GetType() == 24 || o.GetType() == 36)
        return;
    const CRect r = o.GetRect();
    const int32_t c = o.GetCategory();
    if (c == CAT_RELAIS_TOPOLOGY || IsSlotCategory(c) || c == CAT_INTERNAL_SLOT) {
        o.InvalidateRect(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1, true);
        EraseConnectorName(o, dc);
        DrawLinks(o, dc, qlcolor::Black);
    } else {
        if (HasRoundBox(o) && !IsGroupZero(o)) {
            dc.SetPen(qlcolor::Black);
            dc.SetBrush(qlcolor::White, false);
            dc.DrawRoundRect(r, 10, 10);
        } else if (c != CAT_INFO) {
            // The outline in the background colour takes the red one away.
            dc.SetPen(dc.WindowBackground());
            dc.SetBrush(dc.WindowBackground(), false);
            dc.DrawRect(r);
        }
        DrawLinks(o, dc, qlcolor::Black);
    }
    o.m_hot = 0;
}

void DrawConnectorName(CBaseDevice& o, IPainter& dc) { WriteConnectorName(o, dc, qlcolor::Red); }

void EraseConnectorName(CBaseDevice& o, IPainter& dc) { WriteConnectorName(o, dc, qlcolor::Black); }

int TrackConnector(CBaseDevice& o, IPainter& dc, CPoint point)
{
    if (o.GetType() == 24 || o.GetType() == 36)
        return 1;
    if (!IsSlotCategory(o.GetCategory()))
        return 0;
    if (!o.IsHot())
        return 1;
    const CRect r = o.GetRect();
    const bool inputSide = o.m_inputCount > 0 ? point.x < (r.left + r.right) / 2 : point.x < r.left;
    const int fallback = std::max(2, r.Height() / std::max(1, std::max(o.m_inputCount, o.m_outputCount)));
    if (inputSide) {
        if (o.m_hoverOutput >= 0) {
            EraseConnectorName(o, dc);
            o.m_hoverOutput = -1;
        }
        const int i = ConnectorAt(o.m_inputPoints, point.y, fallback);
        if (i < 0)
            return 1;
        if (i != o.m_hoverInput) {
            if (o.m_hoverInput >= 0)
                EraseConnectorName(o, dc);
            o.m_hoverInput = i;
            DrawConnectorName(o, dc);
        }
    } else {
        if (o.m_hoverInput >= 0) {
            EraseConnectorName(o, dc);
            o.m_hoverInput = -1;
        }
        const int i = ConnectorAt(o.m_outputPoints, point.y, fallback);
        if (i < 0)
            return 1;
        if (i != o.m_hoverOutput) {
            if (o.m_hoverOutput >= 0)
                EraseConnectorName(o, dc);
            o.m_hoverOutput = i;
            DrawConnectorName(o, dc);
        }
    }
    return 1;
}

}  // namespace basedraw
