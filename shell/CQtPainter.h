#pragma once
// The drawing interface of the system objects on a QPainter. Coordinates are
// logical units of the sheet: the painter's transform maps them to pixels.
// Without a QPainter it only measures texts (for object code that runs
// outside a paint, such as hot tracking and label fitting).

#include <QColor>
#include <QFont>

#include "platform/IPainter.h"

class QPainter;
class CBitmapManager;
class CFontManager;

class CQtPainter : public IPainter {
public:
    CQtPainter(QPainter* painter, const CFontManager* fonts, const CBitmapManager* bitmaps);

    void SetPen(QlColor color, int width = 1) override;
    void SetBrush(QlColor color, bool fill = true) override;
    void SetTextColor(QlColor color) override;
    void SetTransparentText(bool transparent) override;
    void SelectFont(int font) override;
    QlColor WindowBackground() const override;

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
    void DrawIcon(uint32_t iconId, CPoint at) override;

    static QColor ToQColor(QlColor c) { return QColor(c.r, c.g, c.b); }
    // The font the objects' font index selects.
    static QFont ObjectFont(const CFontManager* fonts, int index);

private:
    void ApplyPen();

    QPainter* m_p;
    const CFontManager* m_fonts;
    const CBitmapManager* m_bitmaps;
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
    QColor m_brushColor = Qt::white;
    bool m_fill = true;
    QColor m_textColor = Qt::black;
    bool m_transparent = false;
    QFont m_font;
};
