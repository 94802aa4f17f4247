#pragma once
// The per-user profile: sections and values of the program's settings, kept
// with QSettings under the organisation "HALVERON". Integer values stay
// integers; a missing value gives the default.

#include <QString>

int GetProfileInt(const QString& section, const QString& entry, int defaultValue);
QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue = {});
void WriteProfileInt(const QString& section, const QString& entry, int value);
void WriteProfileString(const QString& section, const QString& entry, const QString& value);

// The service flag word "Configuration"/"KVT Registry" (only ever read).
int GetServiceFlags();
