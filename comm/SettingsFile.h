#pragma once
// Writing the user's settings file. The settings library replaces the file
// whole when it writes it, but it only says that it failed, and a file the
// disk took only in part it puts in place as if written: these functions make
// the write happen at once, put the last good file back when the new one is
// not whole, and tell the user which file did not take it and why, once,
// until the file takes a value again.
//
// The library writes only what it could read back, plus the new values: a
// file that exists but cannot be read, and links that lead round in a
// circle, are refused, never replaced by a file of the new values alone. A
// file the library cannot read as settings (damaged) is put aside under a
// name that says so, and the next value written starts a new one.

#include <QList>
#include <QString>
#include <QVariant>

#include <string>
#include <utility>

// Sets one value (an invalid `value` removes it) and writes it at once.
// Returns whether the file took it.
bool WriteSetting(const QString& key, const QVariant& value);
// The same for several values, written together (none: nothing is written).
bool WriteSettings(const QList<std::pair<QString, QVariant>>& values);
// WriteSetting for a window that is being destroyed: a file that does not
// take the value is told from the event loop once the caller is done, not
// from inside it. A box runs the event loop, and there the window's timers
// and callbacks would reach the parts of it that are gone already.
bool WriteSettingTellingLater(const QString& key, const QVariant& value);

// What the user is to be told about the settings file when the program
// starts (empty: nothing): that it cannot be read, and why, or that it is
// damaged, where it will be kept aside and that the next setting replaces it.
std::string SettingsFileNotice();
// Where a damaged settings file `path` is kept aside.
QString DamagedSettingsName(const QString& path);
