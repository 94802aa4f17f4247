#pragma once
// An IPainter that records every call as one text line, for tests of the
// objects' drawing. Text is measured as 6 units per byte and 12 high.

#include <string>
#include <vector>

#include "platform/IPainter.h"

class RecordingPainter : public IPainter {
public:
    void SetPen(QlColor color, int width = 1) override;
    void SetBrush(QlColor color, bool fill = true) override;
    void SetTextColor(QlColor color) override;
    void SetTransparentText(bool transparent) override;
    void SelectFont(int font) override;
    void DrawRect(const CRect& r) override;
    void DrawRoundRect(const CRect& r, int cornerW, int cornerH) override;
    void FillRect(const CRect& r, QlColor color) override;
    void DrawEdge(const CRect& r, bool raised) override;
    void DrawPolyline(const std::vector<CPoint>& points) override;
    void DrawLine(CPoint from, CPoint to) override;
    CSize TextExtent(const std::string& text) override;
    void DrawText(const std::string& text, const CRect& r, uint32_t align) override;
    void TextOut(int x, int y, const std::string& text) override;
    void DrawBitmap(uint32_t bitmapId, const CRect& r) override;
    // Recorded as "icon <id> <x>,<y>".
    void DrawIcon(uint32_t iconId, CPoint at) override;

    // Lines recorded so far, e.g. "polyline 10,20 10,40 30,40".
    std::vector<std::string> calls;
    int charWidth = 6;
    int charHeight = 12;
    // True when a recorded line contains `text`.
    bool Has(const std::string& text) const;
};
