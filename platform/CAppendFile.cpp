#include "platform/CAppendFile.h"

#include "platform/FileWriter.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CAppendFile::~CAppendFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string CAppendFile::Open(const std::string& path)
{
    Close();
    m_path = path;
    m_taken = true;
    m_waiting.clear();
    m_reason.clear();
    m_told = false;
    TryOpen();
    return m_reason;
}

bool CAppendFile::TryOpen()
{
    // The file is its name: one removed, renamed or replaced while it is
    // held open would take the lines where nobody finds them (a removed
    // file takes them with it). The name is opened anew; a folder now in
    // its place refuses, and the lines wait as for any refusal.
    if (m_fd >= 0 && !NamesHeldFile())
        Release();
    if (m_fd >= 0)
        return true;
    m_fd = diskwrite::OpenToAppend(m_path, m_reason);
    return m_fd >= 0;
}

bool CAppendFile::Append(std::string_view lines)
{
    if (!m_taken)
        return false;
    m_waiting.append(lines);
    return Flush();
}

bool CAppendFile::Flush()
{
    if (m_waiting.empty())
        return true;
    if (!m_taken || !TryOpen())
        return false;
    const off_t before = ::lseek(m_fd, 0, SEEK_END);
    size_t done = 0;
    const int error = diskwrite::WriteAll(m_fd, m_waiting, done);
    if (error == 0) {
        m_waiting.clear();
        m_reason.clear();
        m_told = false;
        return true;
    }
    // The lines written whole stay in the file; a torn last one is taken
    // back out and waits with the rest.
    size_t whole = 0;
    if (done > 0) {
        const size_t end = m_waiting.rfind('\n', done - 1);
        whole = end == std::string::npos ? 0 : end + 1;
    }
    if (done > whole && before >= 0 && ::ftruncate(m_fd, before + static_cast<off_t>(whole)) == 0)
        diskwrite::GiveBack(done - whole);
    m_waiting.erase(0, whole);
    m_reason = WriteFailureReason(error);
    return false;
}

bool CAppendFile::NamesHeldFile() const
{
    struct stat held {};
    struct stat named {};
    return ::fstat(m_fd, &held) == 0 && ::stat(m_path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

void CAppendFile::Release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

size_t CAppendFile::WaitingLines() const
{
    return static_cast<size_t>(std::count(m_waiting.begin(), m_waiting.end(), '\n'));
}

bool CAppendFile::TakeNewFailure()
{
    if (m_reason.empty() || m_told)
        return false;
    m_told = true;
    return true;
}

size_t CAppendFile::Close()
{
    if (!m_taken)
        return 0;
    Flush();
    Release();
    m_taken = false;
    const size_t lost = WaitingLines();
    m_waiting.clear();
    return lost;
}
