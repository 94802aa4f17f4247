#include "RecordingPainter.h"

namespace {
std::string Col(QlColor c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}
std::string Rect(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
}  // namespace

void RecordingPainter::SetPen(QlColor color, int width) { calls.push_back("pen " + Col(color) + " " + std::to_string(width)); }
void RecordingPainter::SetBrush(QlColor color, bool fill) { calls.push_back("brush " + Col(color) + (fill ? "" : " none")); }
void RecordingPainter::SetTextColor(QlColor color) { calls.push_back("textcolor " + Col(color)); }
void RecordingPainter::SetTransparentText(bool transparent) { calls.push_back(transparent ? "transparent" : "opaque"); }
void RecordingPainter::SelectFont(int font) { calls.push_back("font " + std::to_string(font)); }
void RecordingPainter::DrawRect(const CRect& r) { calls.push_back("rect " + Rect(r)); }
void RecordingPainter::DrawRoundRect(const CRect& r, int w, int h)
{
    calls.push_back("roundrect " + Rect(r) + " " + std::to_string(w) + "x" + std::to_string(h));
}
void RecordingPainter::FillRect(const CRect& r, QlColor color) { calls.push_back("fill " + Rect(r) + " " + Col(color)); }
void RecordingPainter::DrawEdge(const CRect& r, bool raised) { calls.push_back(std::string(raised ? "raised " : "sunken ") + Rect(r)); }
void RecordingPainter::DrawPolyline(const std::vector<CPoint>& points)
{
    std::string s = "polyline";
    for (const CPoint& p : points)
        s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    calls.push_back(s);
}
void RecordingPainter::DrawLine(CPoint a, CPoint b)
{
    calls.push_back("line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(b.x) + "," +
                    std::to_string(b.y));
}
CSize RecordingPainter::TextExtent(const std::string& text)
{
    return CSize{static_cast<int32_t>(text.size()) * charWidth, charHeight};
}
void RecordingPainter::DrawText(const std::string& text, const CRect& r, uint32_t align)
{
    calls.push_back("text \"" + text + "\" " + Rect(r) + " " + std::to_string(align));
}
void RecordingPainter::TextOut(int x, int y, const std::string& text)
{
    calls.push_back("textout \"" + text + "\" " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingPainter::DrawBitmap(uint32_t id, const CRect& r) { calls.push_back("bitmap " + std::to_string(id) + " " + Rect(r)); }

void RecordingPainter::DrawIcon(uint32_t id, CPoint at)
{
    calls.push_back("icon " + std::to_string(id) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
}

bool RecordingPainter::Has(const std::string& text) const
{
    for (const std::string& c : calls)
        if (c.find(text) != std::string::npos)
            return true;
    return false;
}
