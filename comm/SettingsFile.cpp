#include "comm/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cerrno>

#include "platform/FileWriter.h"
#include "platform/MessageBox.h"

namespace {
bool g_told = false;  // the failing file has been told, and has not taken a value since
}  // namespace

bool CheckSettingsWritten(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError) {
        g_told = false;
        return true;
    }
    if (g_told)
        return false;
    g_told = true;
    // The library does not say why: writing its file again as it stands, the
    // program's own way, does (a full disk, a folder in its place, ...).
    const QString path = settings.fileName();
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    std::string reason =
        WriteFileReplacing(path.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (reason.empty())
        reason = WriteFailureReason(EIO);
    ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(path).toStdString(), reason), mb::IconExclamation);
    return false;
}

bool WriteSetting(const QString& key, const QVariant& value)
{
    QSettings settings;
    if (value.isValid())
        settings.setValue(key, value);
    else
        settings.remove(key);
    return CheckSettingsWritten(settings);
}
