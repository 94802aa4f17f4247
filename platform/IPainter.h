#pragma once
// The small drawing interface through which system objects draw their symbols.
// Coordinates are logical units of the sheet; the implementation (a QPainter
// adapter in the designer view, a recording painter in tests) maps them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

struct QlColor {
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const QlColor&) const = default;
};

namespace qlcolor {
constexpr QlColor Black{0, 0, 0};
constexpr QlColor White{255, 255, 255};
constexpr QlColor Red{255, 0, 0};
constexpr QlColor Blue{0, 0, 255};
constexpr QlColor LightGrey{192, 192, 192};
}  // namespace qlcolor

class IPainter {
public:
    virtual ~IPainter() = default;

    // The object fonts: 0 names and kind texts, 1 connector names,
    // 2 names on slot symbols, 3 names on internal-slot symbols, 4 the small
    // texts of selector boxes and the names beside them.
    enum Font : int { FontNames = 0, FontConnector = 1, FontSlot = 2, FontInternalSlot = 3, FontSelector = 4 };

    // Text placement flags for DrawText.
    enum Align : uint32_t {
        AlignLeft = 0x0, AlignCenter = 0x1, AlignRight = 0x2,
        AlignTop = 0x0, AlignVCenter = 0x4, AlignBottom = 0x8,
        SingleLine = 0x20, NoClip = 0x100,
    };

    // Pen for outlines and lines: a solid inside-frame pen of the width.
    virtual void SetPen(QlColor color, int width = 1) = 0;
    // Fill for rectangles; `fill` false draws outlines only.
    virtual void SetBrush(QlColor color, bool fill = true) = 0;
    virtual void SetTextColor(QlColor color) = 0;
    virtual void SetTransparentText(bool transparent) = 0;
    virtual void SelectFont(int font) = 0;
    // The system's window background colour (used to draw an outline away).
    virtual QlColor WindowBackground() const { return qlcolor::White; }

    virtual void DrawRect(const CRect& r) = 0;                         // pen + brush
    virtual void DrawRoundRect(const CRect& r, int cornerW, int cornerH) = 0;
    virtual void FillRect(const CRect& r, QlColor color) = 0;
    virtual void DrawEdge(const CRect& r, bool raised) = 0;           // 3-D edge
    virtual void DrawPolyline(const std::vector<CPoint>& points) = 0;
    virtual void DrawLine(CPoint from, CPoint to) = 0;

    // Size of a text in the selected font.
    virtual CSize TextExtent(const std::string& text) = 0;
    // Writes the text into the rectangle with the Align flags.
    virtual void DrawText(const std::string& text, const CRect& r, uint32_t align) = 0;
    // Writes the text with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    // Copies the symbol bitmap `bitmapId` unchanged into the rectangle.
    virtual void DrawBitmap(uint32_t bitmapId, const CRect& r) = 0;
    // Draws the 32 x 32 icon `iconId` with its top-left corner at `at`.
    // Icons are a resource kind of their own: an icon id may equal a bitmap id.
    virtual void DrawIcon(uint32_t iconId, CPoint at) = 0;
};
