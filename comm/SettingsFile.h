#pragma once
// Writing the user's settings file. The settings library replaces the file
// whole when it writes it, but it only says that it failed, and a file the
// disk took only in part it puts in place as if written: these functions make
// the write happen at once, put the last good file back when the new one is
// not whole, and tell the user which file did not take it and why, once,
// until the file takes a value again.

#include <QString>
#include <QVariant>

class QSettings;

// Writes `settings`' changes to its file now; tells the user when it cannot.
// Returns whether the file took them.
bool CheckSettingsWritten(QSettings& settings);
// Sets one value (an invalid `value` removes it) and writes it at once.
bool WriteSetting(const QString& key, const QVariant& value);
