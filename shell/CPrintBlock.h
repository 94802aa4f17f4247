#pragma once
// One block of a printed list: the objects of one type (or one macro type)
// with an icon, a title and a table of the objects' list texts. The block is
// one tall strip that the layout cuts into pieces, one a page; the cuts fall
// between the strip's text lines, never through one.

#include <QFont>
#include <QString>
#include <vector>

#include "shell/CPrintObject.h"

class CBaseDevice;
class CBitmapManager;

class CPrintBlock : public CPrintObject {
public:
    CPrintBlock(uint32_t type, uint32_t macroType, const CBitmapManager* bitmaps);

    // Icon bitmap id of a type (0 when it has none).
    static uint32_t IconOf(uint32_t type);
    // The block's printed title: the type's, or for macro blocks (type
    // OT_MACRO) the macro type's; empty when the block has no title.
    static QString Title(uint32_t type, uint32_t macroType);

    void Prepare(const QFont& titleFont, const QFont& bodyFont, int xRes, int yRes, int screenX, int screenY) override;
    double GetSize() override;
    void Draw(QPainter& painter, int page, double pageHeightMm, int yRes, int xRes) override;

    // Cuts the strip (after GetSize) into the pieces of its pages: the first
    // piece takes at most `firstRoomMm`, every further one at most `pageMm`,
    // each ending under a whole line. False when the first room cannot take
    // the title with the column titles and the first line of the table under
    // it (the block then starts on a new page, `freshPage`, where it always
    // begins).
    bool CutIntoPages(double firstRoomMm, double pageMm, bool freshPage = false);
    struct Piece {
        double fromMm;  // strip positions of the piece's top and bottom
        double toMm;
    };

    uint32_t m_type;
    uint32_t m_macroType;
    uint32_t m_iconId = 0;
    std::vector<CBaseDevice*> m_objects;
    bool m_severalTypes = false;
    double m_headerHeight = 16;
    double m_width = 190;

    double m_titleLineMm = 0;
    double m_textLineMm = 0;
    double m_heightMm = 0;
    double m_drawnHeightMm = 0;  // less than the height where the margin under the last line ran out of page
    std::vector<Piece> m_pieces;  // one a page, from the start page on
    int m_startPage = 1;
    int m_endPage = 1;
    double m_offsetMm = 0;    // vertical offset on the start page
    double m_columnMm = 0;    // horizontal offset of the sheet column
    double m_roomMm = 190;    // width from the block's left edge that its texts may use

private:
    int LineCount() const;
    // The text lines object `obj` takes in the block.
    int RowsOf(CBaseDevice* obj) const;
    int BlankLastRows() const;
    // Strip position of the bottom of text line `n` (0: the column titles).
    double LineBottomMm(int n) const { return m_titleLineMm + (n + 1) * m_textLineMm; }
    static int DayProgramLines(CBaseDevice* dayProgram);

    const CBitmapManager* m_bitmaps;
    QFont m_titleFont;
    QFont m_bodyFont;
    int m_xRes = 600, m_yRes = 600;
};
