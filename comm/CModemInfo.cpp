#include "comm/CModemInfo.h"

#include <array>
#include <cstdint>

namespace {
// The decimal number at the start of `text` ("2" of "2", 11 of "11"); 0 when none.
int LeadingNumber(const QString& text)
{
    int value = 0;
    for (const QChar c : text) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
        if (value > 100000)
            return 0;
    }
    return value;
}

QString FourDigits(int index)
{
    const QString digits = QString::number(index);
    return QStringLiteral("0000").left(std::max<qsizetype>(0, 4 - digits.size())) + digits;
}
}  // namespace

CModemInfo::CModemInfo(const QString& store)
    : m_store(store)
{
}

QString CModemInfo::ReadString(const QString& root, const QString& path, const QString& valueName,
                               const QString& def) const
{
    CRegistryEx key(root);
    QString value;
    if (!key.Open(root, path) || !key.QueryString(valueName, value))
        return def;
    return value;
}

QString CModemInfo::GetModemKey(int index) const
{
    return QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Class\\") + QLatin1String(kModemClassGuid)
           + QLatin1Char('\\') + FourDigits(index);
}

QString CModemInfo::GetModemModel(int index) const
{
    return ReadString(m_store, GetModemKey(index), QStringLiteral("Model"), QString());
}

int CModemInfo::GetModemComPort(int index) const
{
    const QString attached = ReadString(m_store, GetModemKey(index), QStringLiteral("AttachedTo"), QString());
    if (!attached.isEmpty())
        return LeadingNumber(attached.mid(3));
    CRegistryEx store(m_store);
    const QString key = store.FindKeyWithValue(QStringLiteral("Enum"), QStringLiteral("Driver"),
                                               QStringLiteral("Modem\\") + FourDigits(index));
    if (!key.isEmpty()) {
        const QString port = ReadString(m_store, key, QStringLiteral("PORTNAME"), QString());
        if (!port.isEmpty())
            return LeadingNumber(port.mid(3));
    }
    return 0;
}

int CModemInfo::FindModemIndex(const QString& name) const
{
    if (name.isEmpty())
        return -1;
    const QString wanted = name.toUpper();
    for (int i = 0; i < kMaxModems; ++i) {
        if (GetModemModel(i).toUpper() == wanted && GetModemComPort(i) > 0)
            return i;
    }
    return -1;
}

int CModemInfo::GetModemComPortByName(const QString& name) const
{
    const int index = FindModemIndex(name);
    return index < 0 ? 0 : GetModemComPort(index);
}

QStringList CModemInfo::ListModemModels() const
{
    QStringList models;
    for (int i = 0; i < kMaxModems; ++i) {
        const QString model = GetModemModel(i);
        if (!model.isEmpty() && !model.contains(QLatin1String("IP Virtual Modem")))
            models.append(model);
    }
    return models;
}

void CModemInfo::BuildInitCommands(const QString& name, QStringList& list) const
{
    const int index = FindModemIndex(name);
    if (index < 0)
        return;  // no such modem: nothing to send
    const QString key = GetModemKey(index);

    const QString initKey = key + QStringLiteral("\\Init");
    for (int n = 1;; ++n) {
        const QString init = ReadString(m_store, initKey, QString::number(n), QString());
        if (init.isEmpty())
            break;
        list.append(init);
    }

    // The modem's settings block: five 32-bit fields (set-up fail timer,
    // inactivity time-out, speaker volume, speaker mode, preferred options).
    std::array<uint32_t, 5> field {};
    {
        CRegistryEx store(m_store);
        QByteArray bytes;
        if (store.Open(m_store, key) && store.QueryValue(QStringLiteral("Default"), bytes, 20)) {
            for (int i = 0; i < bytes.size() && i < 20; ++i)
                field[static_cast<size_t>(i / 4)] |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << (8 * (i % 4));
        }
    }
    const uint32_t failTimer = field[0], inactivity = field[1], volume = field[2], speakerMode = field[3],
                   options = field[4];

    const QString settingsKey = key + QStringLiteral("\\Settings");
    auto setting = [&](const char* name) {
        return ReadString(m_store, settingsKey, QLatin1String(name), QString());
    };

    QString command = QStringLiteral("AT");
    QString timer = setting("CallSetupFailTimer");
    if (!timer.isEmpty())
        command += timer.remove(QLatin1String("<#>")) + QString::number(failTimer & 0xff);
    QString idle = setting("InactivityTimeout");
    if (!idle.isEmpty())
        command += idle.remove(QLatin1String("<#>")) + QString::number(inactivity & 0xff);
    switch (volume & 3) {
    case 0: command += setting("SpeakerVolume_Low"); break;
    case 1: command += setting("SpeakerVolume_Mid"); break;
    case 2: command += setting("SpeakerVolume_High"); break;
    default: break;
    }
    command += setting((speakerMode & 1) ? "SpeakerMode_Dial" : "SpeakerMode_Off");
    if (options & 0x2)
        command += setting("ErrorControl_On");
    if (options & 0x10)
        command += setting("FlowControl_Hard");
    else if (options & 0x20)
        command += setting("FlowControl_Soft");
    else
        command += setting("FlowControl_Off");
    if (options & 0x40)
        command += setting((options & 0x400) ? "Modulation_CCITT_V23" : "Modulation_CCITT");
    command += setting((options & 0x80) ? "SpeedNegotiation_On" : "SpeedNegotiation_Off");
    command += setting((options & 0x200) ? "Blind_On" : "Blind_Off");
    command += ReadString(m_store, key, QStringLiteral("UserInit"), QString());
    list.append(command);
}
