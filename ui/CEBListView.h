#pragma once
// List view from which the program's printable tables derive: the whole
// table can be printed over as many pages as it needs (down the table first,
// then across) and exported as tab-separated text ("\r\n" line ends,
// Windows-1252). Derived views fill the list and call PrintList()/ExportList()
// from their print and export commands.

#include "ui/CListCtrl.h"

#include <QList>
#include <QRect>
#include <QSize>

#include <string>

class QPainter;
class QPaintDevice;
class QPrinter;

class CEBListView : public CListCtrl {
    Q_OBJECT
public:
    // What a print run knows about its pages.
    struct PrintInfo {
        int minPage = 1;
        int maxPage = 1;
        int curPage = 1;
        int previewPages = 1;  // pages shown side by side in a preview
        QRect drawRect;        // the printer's full resolution
    };

    // One drawing step of a page, in printer units of the whole table (the
    // page's origin is applied when drawing).
    struct PrintItem {
        enum Kind { Frame, Shade, Text, Image } kind = Frame;
        QRect rect;
        QString text;
        int flags = 0;   // Qt alignment flags for texts
        int image = -1;  // image index for images
    };

    // Geometry of the whole table converted to printer units.
    struct PrintMetrics {
        QSize table;     // Wt, Ht
        QSize page;      // Wp, Hp
        int across = 1;  // pages across
        int down = 1;    // pages down
        // Where each page begins, across and down: a page ends before the
        // first column or row that would not fit on it whole.
        QList<int> columnStarts{0}, rowStarts{0};
        // The part of the table that page `page` (from 1) shows.
        QRect PageArea(int page) const;
        int sx = 1, px = 1, sy = 1, py = 1;  // screen and printer pixels per inch
        int ToPrinterX(int x) const { return static_cast<int>(static_cast<long long>(x) * px / sx); }
        int ToPrinterY(int y) const { return static_cast<int>(static_cast<long long>(y) * py / sy); }
    };

    explicit CEBListView(QWidget* parent = nullptr);

    // Save dialog, then WriteListFile; a file that cannot be written is told
    // with its reason. Cancel does nothing.
    void ExportList();
    // Writes the export; false (the file as it was, and the reason in
    // `reason` when given) when it cannot be written whole.
    bool WriteListFile(const QString& path, std::string* reason = nullptr) const;
    // The export's bytes.
    QByteArray ExportBytes() const;

    // Print dialog, then PrintTo on the chosen printer.
    void PrintList();
    // Prints every page on `printer`; false when the document failed (a PDF
    // file that could not be written: its old content stays, `reason` says why).
    bool PrintTo(QPrinter* printer, std::string* reason = nullptr);

    virtual void OnBeginPrinting(QPaintDevice* device, PrintInfo* info);
    virtual void OnPrint(QPainter* painter, PrintInfo* info);

    PrintMetrics ComputeMetrics(const QPaintDevice* device) const;
    // The drawing steps of page `page` (from 1); empty outside report view.
    QList<PrintItem> LayoutPage(const PrintMetrics& metrics, int page) const;
    static void PageCount(const QSize& table, const QSize& page, int* across, int* down);

    // Texts longer than this are cut (title, header and cell texts).
    static constexpr int kMaxText = 255;

private:
    int HeaderHeight() const;
    QFont PrintFont(const PrintMetrics& m) const;
};
