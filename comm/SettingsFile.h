#pragma once
// Writing the user's settings file. The settings library replaces the file
// whole when it writes it (the last good one stays when that fails), but it
// only says that it failed: these functions make the write happen at once
// and tell the user which file did not take it and why, once, until the
// file takes a value again.

#include <QString>
#include <QVariant>

class QSettings;

// Writes `settings`' changes to its file now; tells the user when it cannot.
// Returns whether the file took them.
bool CheckSettingsWritten(QSettings& settings);
// Sets one value (an invalid `value` removes it) and writes it at once.
bool WriteSetting(const QString& key, const QVariant& value);
