#include "shell/CPrintBlock.h"

#include "macros/MacroIds.h"
#include "model/CBaseDevice.h"
#include "model/KindIds.h"
#include "platform/StringTable.h"
#include "shell/CBitmapManager.h"
#include "shell/ShellIds.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

QL_STRING_TABLE({
    {34930, "Programmzuteilungen"}, {34931, "Durchsagen"}, {34932, "Gongsignale"}, {34933, "Alarme"},
    {34934, "Logikausgänge"}, {34935, "Lautstärkesteller"}, {34936, "Monitor-Umschalter"},
    {34937, "AUX-Umschalter"}, {34938, "LCD-Textausgaben"}, {34939, "Sequenzen"}, {34940, "Textdurchsagen"},
    {34941, "Memo-Flags"}, {34942, "Betriebsspannungen"}, {34943, "Virtuelle Controller"}, {34944, "Stop Makro"},
    {34945, "Verstärkerversorgung"}, {34946, "Verstärkerstummschaltung"},
});

namespace {
struct BlockInfo {
    uint32_t type;
    const char* title;
    uint32_t icon;
};
const BlockInfo kBlocks[] = {
    {2, QT_TRANSLATE_NOOP("CPrintBlock", "Verstärker"), 506}, {3, QT_TRANSLATE_NOOP("CPrintBlock", "Ereignisse"), 205}, {4, QT_TRANSLATE_NOOP("CPrintBlock", "Audio-Geräte"), 508}, {5, QT_TRANSLATE_NOOP("CPrintBlock", "KVT7000 Slots"), 503},
    {6, QT_TRANSLATE_NOOP("CPrintBlock", "KVT7000 Slots"), 503}, {10, QT_TRANSLATE_NOOP("CPrintBlock", "KVT7000 Slots"), 503}, {7, QT_TRANSLATE_NOOP("CPrintBlock", "Sprechstellen"), 239}, {9, QT_TRANSLATE_NOOP("CPrintBlock", "Tagesprogramme"), 206},
    {13, QT_TRANSLATE_NOOP("CPrintBlock", "Feiertagsprogramme"), 501}, {21, QT_TRANSLATE_NOOP("CPrintBlock", "Trigger"), 202}, {22, QT_TRANSLATE_NOOP("CPrintBlock", "Wochenprogramm"), 208}, {33, QT_TRANSLATE_NOOP("CPrintBlock", "Bedingungen"), 201},
    {34, QT_TRANSLATE_NOOP("CPrintBlock", "MemoFlag"), 519}, {35, QT_TRANSLATE_NOOP("CPrintBlock", "Relais Controller"), 504}, {38, QT_TRANSLATE_NOOP("CPrintBlock", "READY-Inputs"), 204},
    {41, QT_TRANSLATE_NOOP("CPrintBlock", "100 V - Relaiskarten"), 505}, {42, QT_TRANSLATE_NOOP("CPrintBlock", "24 V - Relaiskarten"), 505}, {43, QT_TRANSLATE_NOOP("CPrintBlock", "Digitale Eingangskarten"), 505},
    {44, QT_TRANSLATE_NOOP("CPrintBlock", "Analoge A/D - D/A Karten"), 505}, {48, QT_TRANSLATE_NOOP("CPrintBlock", "Logikzustand"), 523}, {49, QT_TRANSLATE_NOOP("CPrintBlock", "Virtuelle Controller"), 502},
    {53, QT_TRANSLATE_NOOP("CPrintBlock", "Bereichsprüfung"), 520}, {54, QT_TRANSLATE_NOOP("CPrintBlock", "Verknüpfung"), 522}, {55, QT_TRANSLATE_NOOP("CPrintBlock", "Aktiv Bedingung"), 521},
};

// Macro type -> title of its printed block.
const std::pair<uint32_t, uint32_t> kMacroTitles[] = {
    {macrotype::Background, ids::StrPrintBackground}, {macrotype::Page, ids::StrPrintPage},
    {macrotype::Chime, ids::StrPrintChime},           {macrotype::Alarm, ids::StrPrintAlarm},
    {macrotype::LogicOut, ids::StrPrintLogicOut},     {macrotype::Volume, ids::StrPrintVolume},
    {macrotype::Monitor, ids::StrPrintMonitor},       {macrotype::AuxSelect, ids::StrPrintAuxSelect},
    {macrotype::LcdText, ids::StrPrintLcdText},       {macrotype::Sequence, ids::StrPrintSequence},
    {macrotype::Message, ids::StrPrintMessage},       {macrotype::MemoFlag, ids::StrPrintMemoFlag},
    {macrotype::Power, ids::StrPrintPower},           {macrotype::VirtCtrl, ids::StrPrintVirtCtrl},
    {macrotype::Stop, ids::StrPrintStop},             {macrotype::Amp, ids::StrPrintAmp},
    {macrotype::AmpMute, ids::StrPrintAmpMute},
};

double PxToMm(double px, int res) { return px * 25.4 / res; }
double MmToPx(double mm, int res) { return mm * res / 25.4; }
// How narrow a text may be set to stand whole in its column, in per cent.
constexpr int kNarrowest = 85;
}  // namespace


uint32_t CPrintBlock::IconOf(uint32_t type)
{
    if (type == OT_MACRO)
        return 203;
    for (const BlockInfo& b : kBlocks)
        if (b.type == type)
            return b.icon;
    return 0;
}


CPrintBlock::CPrintBlock(uint32_t type, uint32_t macroType, const CBitmapManager* bitmaps)
    : m_type(type), m_macroType(macroType), m_bitmaps(bitmaps)
{
    m_iconId = IconOf(type);
    m_severalTypes = type == OT_AUDIO_INPUT_SLOT;
}

QString CPrintBlock::Title(uint32_t type, uint32_t macroType)
{
    if (type == OT_MACRO) {
        for (const auto& [macro, title] : kMacroTitles)
            if (macro == macroType)
                return QString::fromStdString(LoadStringId(title));
        return {};
    }
    for (const BlockInfo& b : kBlocks)
        if (b.type == type)
            return QCoreApplication::translate("CPrintBlock", b.title);
    return {};
}

void CPrintBlock::Prepare(const QFont& titleFont, const QFont& bodyFont, int xRes, int yRes, int, int)
{
    m_titleFont = titleFont;
    m_bodyFont = bodyFont;
    m_xRes = xRes;
    m_yRes = yRes;
}

int CPrintBlock::DayProgramLines(CBaseDevice* dayProgram)
{
    // Its name and number, then the time and macro of each entry in use, one
    // entry a line (at least one line).
    std::vector<std::string> texts;
    dayProgram->GetListTexts(0, texts);
    return std::max(1, static_cast<int>(texts.size() > 2 ? (texts.size() - 2 + 1) / 2 : 0));
}

int CPrintBlock::RowsOf(CBaseDevice* obj) const
{
    if (m_type == OT_WEEK)
        return 7;
    if (m_objects.front()->GetKindId() == macrotype::Sequence)
        return 5;
    if (obj->GetKindId() == kindid::DayProgram)
        return DayProgramLines(obj);
    if (obj->GetKindId() == kindid::CombineCondition && obj->GetType() != OT_CONDITION)
        return 4;
    return 1;
}

int CPrintBlock::LineCount() const
{
    if (m_objects.empty())
        return 0;
    if (m_type == OT_WEEK)
        return 7;
    int lines = 0;
    for (CBaseDevice* obj : m_objects)
        lines += RowsOf(obj);
    return lines;
}

double CPrintBlock::GetSize()
{
    const QFontMetricsF title(m_titleFont);
    const QFontMetricsF body(m_bodyFont);
    // Font metrics are in printer pixels (the fonts have printer pixel sizes).
    m_titleLineMm = PxToMm(title.height() + title.leading(), m_yRes) + 2;
    m_textLineMm = PxToMm(body.height() + body.leading(), m_yRes) + 2;
    // The column titles take a line of their own above the objects' lines.
    const int lines = LineCount();
    m_heightMm = m_titleLineMm + 4 + (lines > 0 ? lines + 1 : 0) * m_textLineMm;
    return m_heightMm;
}

int CPrintBlock::BlankLastRows() const
{
    // Texts pair with the descriptors as Draw pairs them; a row of the last
    // object that no text lands on is empty (a sequence's fifth).
    if (m_objects.empty() || m_type == OT_WEEK)
        return 0;
    std::vector<ListColumn> cols;
    m_objects.front()->GetListColumns(cols);
    std::vector<std::string> titles, texts;
    m_objects.front()->GetListTexts(1, titles);
    CBaseDevice* last = m_objects.back();
    last->GetListTexts(0, texts);
    const size_t first = titles.size() + texts.size() == cols.size() ? titles.size() : 0;
    int used = 0;
    for (size_t t = 0; t < texts.size() && first + t < cols.size(); ++t)
        if (!texts[t].empty())
            used = std::max(used, static_cast<int>(cols[first + t].line) + 1);
    return std::max(0, RowsOf(last) - used);
}

bool CPrintBlock::CutIntoPages(double firstRoomMm, double pageMm, bool freshPage)
{
    constexpr double kEps = 1e-6;
    const int lines = LineCount();
    const int textLines = lines > 0 ? lines + 1 : 0;
    // Empty rows at the block's end are margin: they never take a page of
    // their own.
    const int filledLines = textLines - BlankLastRows();
    m_pieces.clear();
    m_drawnHeightMm = m_heightMm;
    // The title and the column titles stay together with the first line of
    // the table under them: never a heading alone at a page's foot. A page
    // too short even for that takes what it can.
    if (!freshPage && m_heightMm > firstRoomMm + kEps && textLines > 1 && LineBottomMm(1) > firstRoomMm + kEps)
        return false;
    double from = 0;
    double room = firstRoomMm;
    while (m_drawnHeightMm - from > room + kEps) {
        // The last line that ends within the room.
        const int n = static_cast<int>(std::floor((from + room - m_titleLineMm) / m_textLineMm + kEps)) - 1;
        if (n >= filledLines - 1) {
            // Every line with text fits; the margin under it is cut short.
            m_drawnHeightMm = from + room;
            break;
        }
        double to = n >= 0 ? LineBottomMm(n) : from;
        if (to <= from + kEps)
            to = from + room;  // a line taller than a whole page: it cannot be kept whole
        m_pieces.push_back({from, to});
        from = to;
        room = pageMm;
    }
    m_pieces.push_back({from, m_drawnHeightMm});
    return true;
}

void CPrintBlock::Draw(QPainter& p, int page, double, int yRes, int xRes)
{
    if (page < m_startPage || page > m_endPage)
        return;
    if (m_pieces.empty())
        CutIntoPages(m_heightMm, m_heightMm);
    const size_t k = std::min(static_cast<size_t>(page - m_startPage), m_pieces.size() - 1);
    const Piece piece = m_pieces[k];
    const bool lastPiece = k + 1 == m_pieces.size();
    // The piece stands at the block's offset on its start page, at the top
    // of each later page.
    const double pieceTop = k == 0 ? m_offsetMm : 0;
    const double stripTop = pieceTop - piece.fromMm;
    const double x0 = MmToPx(m_columnMm, xRes);
    const double y0 = MmToPx(stripTop, yRes);
    const double w = MmToPx(m_width, xRes);
    const double h = MmToPx(m_drawnHeightMm, yRes);
    p.save();
    // Only this page's piece of the strip: its lines above and below stand
    // on the neighbouring pages. Room for the frame's pen and the shadow
    // where the strip begins and ends.
    const double pen = MmToPx(1, yRes);
    const double clipTop = MmToPx(pieceTop, yRes) - (k == 0 ? pen : 0);
    const double clipBottom = MmToPx(pieceTop + piece.toMm - piece.fromMm, yRes) + (lastPiece ? 2 * pen : 0);
    p.setClipRect(QRectF(x0 - MmToPx(1, xRes), clipTop,
                         std::max(w + MmToPx(3, xRes), MmToPx(m_roomMm + 1, xRes)), clipBottom - clipTop),
                  Qt::IntersectClip);
    p.fillRect(QRectF(x0 + MmToPx(1, xRes), y0 + MmToPx(1, yRes), w, h), QColor(128, 128, 128));
    p.setPen(QPen(Qt::black, std::max(1.0, MmToPx(0.2, xRes))));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x0, y0, w, h));
    const double titleH = MmToPx(m_titleLineMm, yRes);
    p.drawLine(QPointF(x0, y0 + titleH), QPointF(x0 + w, y0 + titleH));
    double textX = x0 + MmToPx(2, xRes);
    if (m_bitmaps && m_iconId) {
        if (const QPixmap* icon = m_bitmaps->GetBitmap(static_cast<int>(m_iconId))) {
            // Square on paper also where the printer's resolutions across and down differ.
            const double sideMm = m_titleLineMm - 1;
            const QRectF square(textX, y0 + MmToPx(0.5, yRes), MmToPx(sideMm, xRes), MmToPx(sideMm, yRes));
            p.drawPixmap(square, *icon, icon->rect());
            textX += square.width() + MmToPx(2, xRes);
        }
    }
    p.setFont(m_titleFont);
    p.drawText(QRectF(textX, y0, w - (textX - x0), titleH), Qt::AlignLeft | Qt::AlignVCenter,
               Title(m_type, m_macroType));

    if (!m_objects.empty()) {
        p.setFont(m_bodyFont);
        p.setBackgroundMode(Qt::TransparentMode);
        std::vector<ListColumn> cols;
        m_objects.front()->GetListColumns(cols);
        const double lineH = MmToPx(m_textLineMm, yRes);
        const double tableTop = y0 + titleH;
        // Texts pair with the descriptors in order, from descriptor `first` on.
        auto writeRow = [&](const std::vector<std::string>& texts, size_t first, int firstLine) {
            for (size_t t = 0; t < texts.size() && first + t < cols.size(); ++t) {
                const size_t c = first + t;
                const double cx = x0 + MmToPx(cols[c].xMm, xRes);
                // The last column of a line ends at the frame; one that starts
                // beyond the frame runs on into the room beside the block.
                const double end = cols[c].xMm < m_width ? x0 + w : x0 + MmToPx(std::max(m_width, m_roomMm), xRes);
                const double next = c + 1 < cols.size() && cols[c + 1].xMm > cols[c].xMm
                                        ? x0 + MmToPx(cols[c + 1].xMm, xRes)
                                        : end;
                // A text a little wider than its column is set narrower and
                // printed whole (the name of the 8 I/O control module in the
                // slot block); only one far too wide is cut.
                const double room = std::max(0.0, next - cx - MmToPx(1, xRes));
                QString text = QString::fromStdString(texts[t]);
                QFont font = m_bodyFont;
                const double wide = QFontMetricsF(font).horizontalAdvance(text);
                if (wide > room && room > 0)
                    font.setStretch(std::max(kNarrowest, static_cast<int>(std::floor(100 * room / wide))));
                text = QFontMetricsF(font).elidedText(text, Qt::ElideRight, room);
                const double y = tableTop + (firstLine + cols[c].line) * lineH;
                p.setFont(font);
                p.drawText(QRectF(cx, y, next - cx, lineH), Qt::AlignLeft | Qt::AlignVCenter, text);
                p.setFont(m_bodyFont);
            }
        };
        std::vector<std::string> titles;
        m_objects.front()->GetListTexts(1, titles);
        writeRow(titles, 0, 0);
        int line = 1;
        for (CBaseDevice* obj : m_objects) {
            // Each object takes the lines the block's size gave it, so the
            // frame ends under the last object's lines.
            const int rows = RowsOf(obj);
            // Objects wholly on other pages are left out.
            if (LineBottomMm(line + rows - 1) > piece.fromMm && LineBottomMm(line - 1) < piece.toMm) {
                std::vector<std::string> texts;
                obj->GetListTexts(0, texts);
                // A table with descriptors for the titles' line and for each
                // of the object's texts (the week's: one line per weekday)
                // places the texts with the descriptors after the titles' ones.
                const size_t first = titles.size() + texts.size() == cols.size() ? titles.size() : 0;
                writeRow(texts, first, line);
            }
            line += rows;
        }
    }
    p.restore();
}
