#pragma once
// Prints a designer view: the block diagram over as many pages as it needs
// at the view's zoom, or the parameter or device list made of print blocks.
// Every page gets a frame and a footer with file, time, date, page number
// and the product banner.

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QPrinter;
class QPagedPaintDevice;
class CQuillomerView;
class CPrintBlock;

class CViewPrinter {
public:
    enum Mode : int { Diagram = 1, DeviceList = 2, ParameterList = 3 };

    CViewPrinter(CQuillomerView* view, int mode);
    ~CViewPrinter();

    // Prints every page to the printer (the pages from the printer's range);
    // a PDF file that cannot be written is told, and the old one stays.
    void Print(QPrinter* printer);
    // Prints pages `from` to `to` (every page when either is 0) on `device`
    // at its size and resolutions; `newPage` starts each page after the
    // first, and a false from it ends the job.
    void Print(QPaintDevice& device, int from, int to, const std::function<bool()>& newPage);

    // Geometry of the job (printer pixels), set by Begin.
    void Begin(QPainter& painter, int deviceWidth, int deviceHeight, int xRes, int yRes);
    void PrintPage(QPainter& painter, int page);
    void End();
    int GetPageCount() const { return m_pages; }
    int GetPagesAcross() const { return m_across; }
    int GetPagesDown() const { return m_down; }
    // Diagram: the part of the sheet (logical units) that page `page` shows.
    QRectF GetSheetAreaOfPage(int page) const;
    // The page text of the footer ("Seite %1 von %2").
    static QString PageText(int page, int pages);
    // The texts written into the footer of the last page printed.
    const QStringList& GetFooterTexts() const { return m_footerTexts; }
    // The title of a list's first page (empty for a diagram).
    const QString& GetTitleText() const { return m_titleText; }

private:
    void PrintFooter(QPainter& painter, int page);
    void LayOutBlocks(QPainter& painter);
    void CreateBlocks();

    CQuillomerView* m_view;
    int m_mode;
    int m_xRes = 600, m_yRes = 600, m_screenX = 96, m_screenY = 96;
    int m_devW = 0, m_devH = 0;
    int m_left = 0, m_right = 0, m_top = 0, m_bottom = 0;
    int m_printW = 0, m_printH = 0;
    QRect m_used;         // diagram: used rectangle in printer pixels
    double m_scaleX = 1;  // diagram: printer pixels per logical unit, across
    double m_scaleY = 1;  // and down
    QPoint m_spare;       // diagram: room left on the pages beyond the used rectangle, halved
    int m_down = 1, m_across = 1, m_pages = 1;
    int m_columns = 1;   // lists: logical pages per sheet
    QFont m_footerFont, m_bannerFont, m_titleFont, m_headingFont, m_bodyFont;
    std::vector<std::unique_ptr<CPrintBlock>> m_blocks;
    QStringList m_footerTexts;
    QString m_titleText;
};
