#include "comm/CFirmwareSender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "comm/CCommLink.h"
#include "platform/FileWriter.h"

CFirmwareSender::CFirmwareSender(CCommLink& link)
    : m_link(link)
{
    m_eraseTimer.setInterval(100);
    m_sendTimer.setInterval(50);
    connect(&m_eraseTimer, &QTimer::timeout, this, &CFirmwareSender::OnEraseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &CFirmwareSender::OnSendTimer);
}

CFirmwareSender::~CFirmwareSender() = default;

CFirmwareSender::FileCheck CFirmwareSender::CheckFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return FileCheck::CannotOpen;
    // Lines are read in bounded pieces, so a large file that is no S-record
    // file at all costs one pass and no memory.
    constexpr qint64 kPiece = 4096;
    bool lineStart = true;
    while (!file.atEnd()) {
        const QByteArray piece = file.readLine(kPiece);
        if (piece.isEmpty())
            break;
        if (lineStart) {
            const QByteArray line = piece.trimmed();
            if (line.size() >= 4 && (line[0] == 'S' || line[0] == 's') && line[1] >= '1' && line[1] <= '3'
                && std::isxdigit(static_cast<unsigned char>(line[2])) && std::isxdigit(static_cast<unsigned char>(line[3])))
                return FileCheck::Ok;
        }
        lineStart = piece.endsWith('\n');
    }
    return FileCheck::NoData;
}

std::string CFirmwareSender::OpenFailureReason(const std::string& path)
{
    // Asked of the system itself, which keeps its reason. A folder opens
    // there but is no file; a file that opens now failed in the reading.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ReadFailureReason(errno);
    struct stat st {};
    const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return ReadFailureReason(folder ? EISDIR : EIO);
}

bool CFirmwareSender::Begin(const std::string& path)
{
    m_eraseTimer.stop();
    m_sendTimer.stop();
    if (m_file.isOpen())
        m_file.close();
    m_path = path;
    m_file.setFileName(QString::fromStdString(path));
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_fileLength = m_file.size();
    m_linesSent = 0;
    m_status = tr("Löschen des aktuellen QUILLOMER-Betriebssystems !").toStdString();
    m_pos = 0;
    m_step = 4;
    m_animation = AnimationErase;
    m_open = true;
    m_allSent = false;
    m_eraseTimer.start();
    emit Changed();
    return true;
}

void CFirmwareSender::OnEraseTimer()
{
    // The device erases its flash meanwhile; the bar only shows that time passes.
    const int previous = m_pos;
    m_pos += m_step;
    if (previous >= 92)
        m_eraseTimer.stop();
    emit Changed();
}

void CFirmwareSender::StartSending()
{
    m_eraseTimer.stop();
    m_pos = 0;
    m_status = tr("Laden des neuen QUILLOMER-Betriebssystems...\r\nFile:").toStdString() + m_path;
    m_linesSent = 0;
    m_animation = AnimationSend;
    m_sendTimer.start();
    emit Changed();
}

void CFirmwareSender::OnSendTimer()
{
    if (m_link.GetOutBufferCount() > 512)
        return;
    for (int i = 0; i < 5 && m_sendTimer.isActive() && m_link.GetOutBufferCount() <= 512; ++i)
        SendNextRecord();
}

void CFirmwareSender::SendNextRecord()
{
    if (!m_file.isOpen() || m_file.atEnd()) {
        // The stream is out; whether the device took it, only its loader can
        // say. The dialog stays open for that answer.
        StopSending();
        if (m_open && !m_allSent) {
            m_allSent = true;
            m_pos = 100;
            m_status = tr("Das neue QUILLOMER-Betriebssystem ist übertragen.\r\nWarten auf die Bestätigung von QUILLOMER ...")
                           .toStdString();
            emit Changed();
        }
        return;
    }
    QByteArray line = m_file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const std::string record = line.toStdString();
    m_link.SendLine(record, nullptr);
    ++m_linesSent;
    m_link.Host().AppendMonitorText(record.substr(0, 30) + "\r\n");
    const qint64 length = std::max<qint64>(m_fileLength, 1);
    m_pos = static_cast<int>(std::min<qint64>(100, static_cast<qint64>(m_linesSent) * 7400 / length + 1));
    m_link.OnFirmwareRecordSent();
    emit RecordSent();
    emit Changed();
}

void CFirmwareSender::StopSending()
{
    if (m_file.isOpen())
        m_file.close();
    m_sendTimer.stop();
}

void CFirmwareSender::Cancel()
{
    StopSending();
    m_link.SendLine("\x03\r\n", nullptr);
    m_link.SendLine("S9030000FC\r\n", nullptr);
    Finish(false);
}

void CFirmwareSender::CloseAsCancelled()
{
    StopSending();
    Finish(false);
}

void CFirmwareSender::CloseAsDone()
{
    StopSending();
    Finish(true);
}

void CFirmwareSender::Finish(bool ok)
{
    m_eraseTimer.stop();
    if (!m_open)
        return;
    m_open = false;
    emit Finished(ok);
}
