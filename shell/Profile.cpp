#include "shell/Profile.h"

#include <QSettings>

#include "comm/SettingsFile.h"
#include "platform/serial/SettingsReadAnew.h"

namespace {
QString Key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}
}  // namespace

int GetProfileInt(const QString& section, const QString& entry, int defaultValue)
{
    ReadSettingsAnewIfChanged();
    QSettings settings;
    const QVariant v = settings.value(Key(section, entry));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : defaultValue;
}

QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue)
{
    ReadSettingsAnewIfChanged();
    QSettings settings;
    const QVariant v = settings.value(Key(section, entry), defaultValue);
    // A value written into the settings file by hand without quotes, such as
    // MonitorSize=10,20,500,300, reads as the list of its comma-separated
    // parts; it is still the one text the user wrote.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void WriteProfileInt(const QString& section, const QString& entry, int value)
{
    WriteSetting(Key(section, entry), value);
}

void WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    WriteSetting(Key(section, entry), value);
}

int GetServiceFlags()
{
    return GetProfileInt(QStringLiteral("Configuration"), QStringLiteral("KVT Registry"), 0);
}
