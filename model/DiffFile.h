#pragma once
// The upload difference file (the project's ".err" file): one line per value
// that the device holds differently from the project, or per item the device
// lacks. Lines end in "\r\n" and are written in Windows-1252; each call
// appends one line and closes the file again, so an earlier upload's lines
// stay and the lines of many objects follow one another in call order.
//
// A line the file does not take whole is not written at all (no torn line)
// and raises std::system_error with the system's error number.

#include <string>

// Appends "<itemWord> <number> : <value> fehlt" ("fehlt" in the language in use).
void AppendErrLine(const std::string& fileName, std::string itemWord, int number, std::string value);

// Appends "ERROR: <item> >><deviceValue><< should be >><projectValue><<".
void AppendErrMismatch(const std::string& fileName, std::string item, std::string deviceValue,
                       std::string projectValue);

// Appends a line of its own words (already in the language in use).
void AppendErrText(const std::string& fileName, const std::string& text);
