#include "comm/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cerrno>

#include "platform/FileWriter.h"
#include "platform/MessageBox.h"

namespace {
bool g_told = false;  // the failing file has been told, and has not taken a value since

QByteArray ReadWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether `bytes` hold a whole line for each value of the settings' own
// file (one line a value, escaped): a file the disk took only in part ends
// in the middle of a line, or sooner.
bool HoldsEveryValue(QSettings& settings, const QByteArray& bytes)
{
    const bool fallbacks = settings.fallbacksEnabled();
    settings.setFallbacksEnabled(false);  // the values of this file only
    const qsizetype values = settings.allKeys().size();
    settings.setFallbacksEnabled(fallbacks);
    qsizetype lines = 0;
    for (qsizetype start = 0, end = 0; (end = bytes.indexOf('\n', start)) >= 0; start = end + 1) {
        const QByteArray line = bytes.mid(start, end - start);
        if (!line.startsWith('[') && line.contains('='))
            ++lines;
    }
    return lines >= values;
}
}  // namespace

bool CheckSettingsWritten(QSettings& settings)
{
    const QString path = settings.fileName();
    // The library puts its new file in place even when the disk took only
    // part of it, and says nothing (a full disk): the last good file is
    // kept here to be put back.
    const QByteArray lastGood = ReadWhole(path);
    settings.sync();
    const bool noError = settings.status() == QSettings::NoError;
    const QByteArray now = ReadWhole(path);
    const bool whole = noError && (now == lastGood || HoldsEveryValue(settings, now));
    std::string reason;
    if (noError && !whole) {
        // Its room was given free with the cut file, so it fits again.
        reason = WriteFileReplacing(path.toStdString(),
                                    std::string_view(lastGood.constData(), static_cast<size_t>(lastGood.size())));
        if (reason.empty())
            reason = WriteFailureReason(ENOSPC);
    }
    if (whole) {
        g_told = false;
        return true;
    }
    if (g_told)
        return false;
    g_told = true;
    if (reason.empty()) {
        // The library does not say why: writing its file again as it stands,
        // the program's own way, does (a full disk, a folder in its place, ...).
        reason = WriteFileReplacing(path.toStdString(),
                                    std::string_view(lastGood.constData(), static_cast<size_t>(lastGood.size())));
        if (reason.empty())
            reason = WriteFailureReason(EIO);
    }
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
