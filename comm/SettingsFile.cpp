#include "comm/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>

#include "platform/FileWriter.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

namespace {
enum : uint32_t {
    IDS_SETTINGS_DAMAGED = 36479,  // "%s" the file, "%s" where it is kept aside
};
}  // namespace

QL_STRING_TABLE({
    {IDS_SETTINGS_DAMAGED, "Die Einstellungsdatei '%s' ist beschädigt und kann nicht als Einstellungen gelesen werden.\n"
                           "Die nächste Einstellung ersetzt sie; die beschädigte Datei wird als '%s' aufbewahrt."},
});

namespace {
// The failing file that has been told, and has not taken a value since.
QString g_toldFile;

std::string Native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// Reads the settings file; 0 when read, or when there is nothing to read
// (no file, or a folder in its place, which the write then names).
int ReadSettingsFile(const QString& path, std::string& bytes)
{
    const int error = ReadWholeFile(QFile::encodeName(path).toStdString(), bytes);
    return error == ENOENT || error == ENOTDIR || error == EISDIR ? 0 : error;
}

// Why the file cannot take a value now (empty: it can). Written, a file the
// library could not read would hold the new values only; links in a circle
// would be replaced by a plain file.
std::string Refusal(const QString& path)
{
    std::string bytes;
    const int error = ReadSettingsFile(path, bytes);
    if (error == 0)
        return {};
    return error == ELOOP ? WriteFailureReason(ELOOP) : NotReadBeforeReason();
}

// Whether the library finds the file `path`, as it stands, no settings
// file. Read from a copy: the library keeps what it once read of a file by
// its name, and says what it found wrong only while it reads it.
bool IsDamaged(const QString& path, QSettings::Format format)
{
    if (format != QSettings::NativeFormat && format != QSettings::IniFormat)
        return false;  // a format of its own says nothing of the kind
    std::string bytes;
    if (ReadSettingsFile(path, bytes) != 0 || bytes.empty())
        return false;
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    // A scratch copy, not one of the user's files: written plainly.
    QFile copy(folder.filePath(QStringLiteral("settings.conf")));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return false;
    copy.close();
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    (void)settings.allKeys();  // reads every section of it
    return settings.status() == QSettings::FormatError;
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

// Tells the user, once until the file takes a value again, that `path`
// did not take it, and why.
bool TellNotWritten(const QString& path, const std::string& reason)
{
    if (g_toldFile == path)
        return false;
    g_toldFile = path;
    ShowMessage(FileNotWrittenText(Native(path), reason), mb::IconExclamation);
    return false;
}

// Writes `settings`' changes to its file now; tells the user when it cannot.
bool CheckSettingsWritten(QSettings& settings)
{
    const QString path = settings.fileName();
    // The library puts its new file in place even when the disk took only
    // part of it, and says nothing (a full disk): the last good file is
    // kept here to be put back.
    std::string lastGoodBytes;
    const bool lastGoodRead = ReadSettingsFile(path, lastGoodBytes) == 0;
    const QByteArray lastGood = QByteArray::fromStdString(lastGoodBytes);
    settings.sync();
    const bool noError = settings.status() == QSettings::NoError;
    std::string nowBytes;
    ReadSettingsFile(path, nowBytes);
    const QByteArray now = QByteArray::fromStdString(nowBytes);
    const bool whole = noError && (now == lastGood || HoldsEveryValue(settings, now));
    std::string reason;
    if (noError && !whole && lastGoodRead) {
        // Its room was given free with the cut file, so it fits again.
        reason = WriteFileReplacing(path.toStdString(),
                                    std::string_view(lastGood.constData(), static_cast<size_t>(lastGood.size())));
        if (reason.empty())
            reason = WriteFailureReason(ENOSPC);
    }
    if (whole) {
        g_toldFile.clear();
        return true;
    }
    if (reason.empty() && !lastGoodRead) {
        // Never written over with what was not read.
        reason = NotReadBeforeReason();
    } else if (reason.empty()) {
        // The library does not say why: writing its file again as it stands,
        // the program's own way, does (a full disk, a folder in its place, ...).
        reason = WriteFileReplacing(path.toStdString(),
                                    std::string_view(lastGood.constData(), static_cast<size_t>(lastGood.size())));
        if (reason.empty())
            reason = WriteFailureReason(EIO);
    }
    return TellNotWritten(path, reason);
}
}  // namespace

namespace {
// The file the settings file names: where it is a link, the file it leads
// to. A damaged file is put aside there: the link stays, and the new file
// is written where it points.
QString FileItself(const QString& path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}
}  // namespace

QString DamagedSettingsName(const QString& path)
{
    // A name not in use: an earlier damaged file stays too.
    const QString file = FileItself(path);
    QString name = file + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = file + QStringLiteral(".damaged%1").arg(n);
    return name;
}

bool WriteSettings(const QList<std::pair<QString, QVariant>>& values)
{
    if (values.isEmpty())
        return true;
    QString path;
    bool damaged = false;
    {
        QSettings probe;
        path = probe.fileName();
        const std::string refusal = Refusal(path);
        if (!refusal.empty())
            return TellNotWritten(path, refusal);
        damaged = IsDamaged(path, probe.format());
    }
    if (damaged) {
        // Kept aside whole; the values written now start a new file, which
        // the library then reads without the damaged one's remains.
        const QString aside = DamagedSettingsName(path);
        if (std::rename(QFile::encodeName(FileItself(path)).constData(), QFile::encodeName(aside).constData()) != 0)
            return TellNotWritten(path, WriteFailureReason(errno));
    }
    QSettings settings;
    for (const auto& [key, value] : values) {
        if (value.isValid())
            settings.setValue(key, value);
        else
            settings.remove(key);
    }
    return CheckSettingsWritten(settings);
}

bool WriteSetting(const QString& key, const QVariant& value)
{
    return WriteSettings({{key, value}});
}

std::string SettingsFileNotice()
{
    QSettings settings;
    const QString path = settings.fileName();
    std::string bytes;
    if (const int error = ReadSettingsFile(path, bytes); error != 0)
        return FileNotReadText(Native(path), ReadFailureReason(error));
    if (IsDamaged(path, settings.format()))
        return StrFormat(LoadStringId(IDS_SETTINGS_DAMAGED).c_str(), Native(path).c_str(),
                         Native(DamagedSettingsName(path)).c_str());
    return {};
}
