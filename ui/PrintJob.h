#pragma once
// Every print of the program goes through RunPrintJob. A printer that prints
// into a file (the print dialog's PDF printer) does not write that file
// itself, as it would empty the old file first and say nothing when the disk
// takes only part of the new one: the pages are made in memory and the file
// written the program's one way (platform/FileWriter.h), whole or not at all.

#include <QString>

#include <functional>
#include <string>

class QPagedPaintDevice;
class QPrinter;

// Draws the pages on the device `pages` is given (it begins and ends its own
// painter; false when it could not print). The device is `printer` itself,
// or for a PDF file a writer with the printer's page layout and resolution.
// False when nothing was printed; `reason` then holds why the file
// `printer.outputFileName()` could not be written (empty for any other cause).
bool RunPrintJob(QPrinter& printer, const std::function<bool(QPagedPaintDevice& device)>& pages,
                 std::string* reason = nullptr);
// The same, telling the user when the file could not be written.
bool RunPrintJobTelling(QPrinter& printer, const std::function<bool(QPagedPaintDevice& device)>& pages);
// The message for a printout whose file could not be written.
std::string PrintFileNotWrittenText(const QPrinter& printer, const std::string& reason);
