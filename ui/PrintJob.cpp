#include "ui/PrintJob.h"

#include <QBuffer>
#include <QDir>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>

#include "platform/FileWriter.h"
#include "platform/MessageBox.h"

bool RunPrintJob(QPrinter& printer, const std::function<bool(QPagedPaintDevice& device)>& pages, std::string* reason)
{
    if (reason)
        reason->clear();
    const QString path = printer.outputFileName();
    // A preview draws on its own engine, into no file.
    const QPaintEngine* engine = printer.paintEngine();
    const bool preview = engine && engine->type() == QPaintEngine::Picture;
    if (printer.outputFormat() != QPrinter::PdfFormat || path.isEmpty() || preview)
        return pages(printer);
    QBuffer memory;
    memory.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&memory);
        pdf.setPdfVersion(printer.pdfVersion());
        pdf.setResolution(printer.resolution());
        pdf.setPageLayout(printer.pageLayout());
        pdf.setTitle(printer.docName());
        pdf.setCreator(printer.creator());
        if (!pages(pdf))
            return false;
    }
    const QByteArray& bytes = memory.data();
    const std::string why =
        WriteFileReplacing(path.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (reason)
        *reason = why;
    return why.empty();
}

bool RunPrintJobTelling(QPrinter& printer, const std::function<bool(QPagedPaintDevice& device)>& pages)
{
    std::string reason;
    const bool printed = RunPrintJob(printer, pages, &reason);
    if (!reason.empty())
        ShowMessage(PrintFileNotWrittenText(printer, reason), mb::Ok | mb::IconStop);
    return printed;
}

std::string PrintFileNotWrittenText(const QPrinter& printer, const std::string& reason)
{
    return FileNotWrittenText(QDir::toNativeSeparators(printer.outputFileName()).toStdString(), reason);
}
