#include "comm/RegistryEx.h"

#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <functional>

namespace {
QString& MachineOverride()
{
    static QString file;
    return file;
}

constexpr int kMaxString = 200;

// A stored value in registry terms.
struct RawValue {
    int type = CRegistryEx::TypeNone;
    QByteArray bytes;  // strings: UTF-8, without the closing NUL
};

// "hex:3c,00,..." (as a registry export writes binary values).
bool ParseHex(const QString& text, QByteArray& out)
{
    out.clear();
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint byte = part.trimmed().toUInt(&ok, 16);
        if (!ok || byte > 0xff)
            return false;
        out.append(static_cast<char>(byte));
    }
    return true;
}

bool ToRaw(const QVariant& v, RawValue& raw)
{
    if (v.typeId() == QMetaType::QByteArray) {
        raw.type = CRegistryEx::TypeBinary;
        raw.bytes = v.toByteArray();
        return true;
    }
    // An unquoted value with commas comes back as a list.
    const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
    if (text.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
        raw.type = CRegistryEx::TypeBinary;
        return ParseHex(text.mid(4), raw.bytes);
    }
    if (text.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        bool ok = false;
        const uint value = text.mid(6).trimmed().toUInt(&ok, 16);
        if (!ok)
            return false;
        raw.type = CRegistryEx::TypeDword;
        raw.bytes.clear();
        for (int i = 0; i < 4; ++i)
            raw.bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
        return true;
    }
    raw.type = CRegistryEx::TypeString;
    raw.bytes = text.toUtf8();
    return true;
}

// The store, read whole: the INI reader parses sections lazily and would
// otherwise not list the subkeys of a group it has not parsed yet.
class Store : public QSettings {
public:
    explicit Store(const QString& file)
        : QSettings(file, QSettings::IniFormat)
    {
        allKeys();
    }
};

// A key exists when its group holds values or subkeys.
bool KeyExists(QSettings& s, const QString& group)
{
    if (group.isEmpty())
        return true;
    s.beginGroup(group);
    const bool exists = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
    s.endGroup();
    return exists;
}
}  // namespace

QString CRegistryEx::LocalMachine()
{
    if (!MachineOverride().isEmpty())
        return MachineOverride();
    const QString name = QStringLiteral("HALVERON/modems.ini");
    const QString found = QStandardPaths::locate(QStandardPaths::GenericConfigLocation, name);
    if (!found.isEmpty())
        return found;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + name;
}

void CRegistryEx::SetLocalMachine(const QString& file)
{
    MachineOverride() = file;
}

CRegistryEx::CRegistryEx(const QString& root)
    : m_root(root)
{
}

CRegistryEx::~CRegistryEx()
{
    Close();
}

QString CRegistryEx::GroupOf(const QString& path) const
{
    QString group = path;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

bool CRegistryEx::Open(const QString& root, const QString& path)
{
    Close();
    m_root = root;
    m_path = path;
    if (!QFileInfo(root).isFile()) {
        m_lastError = FileNotFound;
        return false;
    }
    Store s(root);
    if (s.status() != QSettings::NoError) {
        m_lastError = s.status() == QSettings::AccessError ? AccessDenied : InvalidData;
        return false;
    }
    if (!KeyExists(s, GroupOf(path))) {
        m_lastError = FileNotFound;
        return false;
    }
    m_lastError = Success;
    m_open = true;
    return true;
}

void CRegistryEx::Close()
{
    m_open = false;
}

bool CRegistryEx::QueryValue(const QString& name, QByteArray& buffer, int size)
{
    buffer.clear();
    m_lastType = TypeNone;
    m_lastSize = 0;
    if (!m_open) {
        m_lastError = FileNotFound;
        return false;
    }
    Store s(m_root);
    const QString group = GroupOf(m_path);
    const QVariant v = s.value(group.isEmpty() ? name : group + QLatin1Char('/') + name);
    if (!v.isValid()) {
        m_lastError = FileNotFound;
        return false;
    }
    RawValue raw;
    if (!ToRaw(v, raw)) {
        m_lastError = InvalidData;
        return false;
    }
    QByteArray bytes = raw.bytes;
    if (raw.type == TypeString)
        bytes.append('\0');
    m_lastType = raw.type;
    m_lastSize = static_cast<int>(bytes.size());
    buffer = bytes.left(std::max(0, size));
    m_lastError = Success;
    return true;
}

bool CRegistryEx::QueryString(const QString& name, QString& text)
{
    QByteArray bytes;
    if (!QueryValue(name, bytes, kMaxString))
        return false;
    // Up to the first NUL: a string cut at the buffer's end has none.
    const int nul = bytes.indexOf('\0');
    text = QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
    return true;
}

bool CRegistryEx::EnumSubkeys(const QString& path, QStringList& list)
{
    if (!Open(m_root, path))
        return false;
    Store s(m_root);
    if (s.status() != QSettings::NoError) {
        m_lastError = InvalidData;
        ShowError(m_lastError, "RegEnumKeyEx", "RegistryEx", __LINE__);
        return false;
    }
    const QString group = GroupOf(path);
    if (!group.isEmpty())
        s.beginGroup(group);
    for (const QString& name : s.childGroups())
        list.append(name.left(kMaxString));
    return true;
}

QString CRegistryEx::FindKeyWithValue(const QString& path, const QString& valueName, const QString& wanted)
{
    const QString wantedUpper = wanted.toUpper();
    const QString root = m_root;
    std::function<QString(const QString&)> search = [&](const QString& keyPath) -> QString {
        CRegistryEx key(root);
        if (!key.Open(root, keyPath))
            return {};
        QString value;
        if (key.QueryString(valueName, value) && value.toUpper() == wantedUpper)
            return keyPath;
        QStringList subkeys;
        if (!key.EnumSubkeys(keyPath, subkeys))
            return {};
        for (const QString& sub : subkeys) {
            const QString found = search(keyPath + QLatin1Char('\\') + sub);
            if (!found.isEmpty())
                return found;
        }
        return {};
    };
    return search(path);
}

void CRegistryEx::ShowError(long code, const char* function, const char* unit, int line)
{
    // The message API has no caption: the error's own text comes first.
    const char* what = code == FileNotFound   ? "The system cannot find the file specified."
                       : code == AccessDenied ? "Access is denied."
                       : code == InvalidData  ? "The data is invalid."
                                              : "Unknown error.";
    ShowMessage(std::string(what) + "\n" + StrFormat("%u %s\n%s %u", static_cast<unsigned>(code), function, unit,
                                                     static_cast<unsigned>(line)),
                mb::IconInformation);
}
