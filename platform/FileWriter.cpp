#include "platform/FileWriter.h"

#include "platform/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
enum : uint32_t {
    IDS_FILE_NOT_WRITTEN = 36320,  // "%s" the file, "%s" the reason
    IDS_LINES_KEPT = 36321,
    IDS_LINES_LOST = 36322,        // "%zu" lines, "%s" the file, "%s" the reason
    IDS_DISK_FULL = 36323,
    IDS_NO_FOLDER = 36324,
    IDS_PATH_NOT_FOLDER = 36325,
    IDS_NAME_IS_FOLDER = 36326,
    IDS_NO_PERMISSION = 36327,
    IDS_DISK_READ_ONLY = 36328,
    IDS_SYSTEM_ERROR = 36329,      // "%d" errno, "%s" the system's text
    IDS_FILE_READ_ONLY = 36330,
    IDS_LINK_LOOP = 36331,
    IDS_NO_READ_PERMISSION = 36332,
    IDS_NO_FILE = 36333,
    IDS_FILE_NOT_READ = 36334,     // "%s" the file, "%s" the reason
    IDS_NOT_READ_BEFORE = 36335,
};
}  // namespace

QL_STRING_TABLE({
    {IDS_FILE_NOT_WRITTEN, "Die Datei '%s' kann nicht geschrieben werden !\n( %s )"},
    {IDS_LINES_KEPT, "Die Zeilen, die sie nicht aufnimmt, werden aufbewahrt und nachgetragen, sobald sie es wieder tut."},
    {IDS_LINES_LOST, "%zu Zeile(n) konnten nicht mehr in die Datei '%s' geschrieben werden und sind verloren.\n( %s )"},
    {IDS_DISK_FULL, "Auf dem Datenträger ist kein Platz mehr frei."},
    {IDS_NO_FOLDER, "Der Ordner ist nicht vorhanden."},
    {IDS_PATH_NOT_FOLDER, "Ein Teil des Pfads ist kein Ordner."},
    {IDS_NAME_IS_FOLDER, "Der Name bezeichnet einen Ordner, keine Datei."},
    {IDS_NO_PERMISSION, "Keine Berechtigung zum Schreiben."},
    {IDS_DISK_READ_ONLY, "Der Datenträger ist schreibgeschützt."},
    {IDS_SYSTEM_ERROR, "Systemfehler %d: %s"},
    {IDS_FILE_READ_ONLY, "Die Datei ist schreibgeschützt."},
    {IDS_LINK_LOOP, "Die symbolischen Verknüpfungen des Pfads verweisen im Kreis aufeinander."},
    {IDS_NO_READ_PERMISSION, "Keine Berechtigung zum Lesen."},
    {IDS_NO_FILE, "Die Datei ist nicht vorhanden."},
    {IDS_FILE_NOT_READ, "Die Datei '%s' kann nicht gelesen werden !\n( %s )"},
    {IDS_NOT_READ_BEFORE, "Ihr Inhalt konnte nicht gelesen werden und würde ungesehen ersetzt."},
});

namespace {
int64_t g_space = -1;  // the room tests give the disk; negative: the real one

// The file a path names: a symbolic link is followed to the file it names
// (a link to a link, too), so that a write changes that file and leaves the
// link as it is. A link whose file does not exist yet names the file to make.
std::string FollowLinks(const std::string& path)
{
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {  // the system's own limit on a chain of links
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::string named(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), named.data(), named.size());
        if (n <= 0 || static_cast<size_t>(n) >= named.size())
            return target;  // changed meanwhile: the system then reports what it finds
        named.resize(static_cast<size_t>(n));
        // A relative link names its file from the link's own folder.
        const size_t slash = target.rfind('/');
        target = named[0] == '/' || slash == std::string::npos ? named : target.substr(0, slash + 1) + named;
    }
    return target;
}

// Why an existing file may not be written (empty: it may). A file without
// any write permission is read-only for everybody, the administrator too,
// as the user marked it so.
std::string RefusalOf(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return LoadStringId(IDS_FILE_READ_ONLY);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return WriteFailureReason(errno);
    return {};
}

mode_t CreationMode()
{
    // What a newly created file gets: everyone's read and write, less the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
}  // namespace

namespace diskwrite {
int WriteAll(int fd, std::string_view bytes, size_t& done)
{
    done = 0;
    while (done < bytes.size()) {
        size_t n = bytes.size() - done;
        if (g_space >= 0) {
            if (g_space == 0)
                return ENOSPC;
            n = std::min(n, static_cast<size_t>(g_space));
        }
        const ssize_t written = ::write(fd, bytes.data() + done, n);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        done += static_cast<size_t>(written);
        if (g_space >= 0)
            g_space -= written;
    }
    return 0;
}

void GiveBack(size_t bytes)
{
    if (g_space >= 0)
        g_space += static_cast<int64_t>(bytes);
}

int OpenToAppend(const std::string& path, std::string& reason)
{
    // A file without any write permission is refused here as the whole-file
    // writer refuses it: the administrator's override is not taken either.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        reason = LoadStringId(IDS_FILE_READ_ONLY);
        errno = EACCES;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        reason = WriteFailureReason(error);
        errno = error;
    }
    return fd;
}

int64_t SetSpaceForTesting(int64_t bytes)
{
    const int64_t previous = g_space;
    g_space = bytes < 0 ? -1 : bytes;
    return previous;
}
}  // namespace diskwrite

std::string WriteFailureReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return LoadStringId(IDS_DISK_FULL);
    case ENOENT: return LoadStringId(IDS_NO_FOLDER);
    case ENOTDIR: return LoadStringId(IDS_PATH_NOT_FOLDER);
    case EISDIR: return LoadStringId(IDS_NAME_IS_FOLDER);
    case EACCES:
    case EPERM: return LoadStringId(IDS_NO_PERMISSION);
    case EROFS: return LoadStringId(IDS_DISK_READ_ONLY);
    case ELOOP: return LoadStringId(IDS_LINK_LOOP);
    default: return StrFormat(LoadStringId(IDS_SYSTEM_ERROR).c_str(), error, std::strerror(error));
    }
}

std::string ReadFailureReason(int error)
{
    switch (error) {
    case ENOENT: return LoadStringId(IDS_NO_FILE);
    case EACCES:
    case EPERM: return LoadStringId(IDS_NO_READ_PERMISSION);
    default: return WriteFailureReason(error);
    }
}

int ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if ((st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH)) == 0)
        return EACCES;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char buffer[65536];
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (error != 0)
        bytes.clear();
    return error;
}

std::string NotReadBeforeReason()
{
    return LoadStringId(IDS_NOT_READ_BEFORE);
}

std::string FileNotWrittenText(const std::string& path, const std::string& reason)
{
    return StrFormat(LoadStringId(IDS_FILE_NOT_WRITTEN).c_str(), path.c_str(), reason.c_str());
}

std::string FileNotReadText(const std::string& path, const std::string& reason)
{
    return StrFormat(LoadStringId(IDS_FILE_NOT_READ).c_str(), path.c_str(), reason.c_str());
}

std::string LinesKeptText()
{
    return LoadStringId(IDS_LINES_KEPT);
}

std::string LinesLostText(const std::string& path, size_t lines, const std::string& reason)
{
    return StrFormat(LoadStringId(IDS_LINES_LOST).c_str(), lines, path.c_str(), reason.c_str());
}

std::string WriteFileReplacing(const std::string& named, std::string_view bytes)
{
    const std::string path = FollowLinks(named);
    struct stat old {};
    // Still a link after every hop: the links go round in a circle (or
    // further than the system follows). Renaming onto it would put the
    // project in the place of the user's link.
    if (::lstat(path.c_str(), &old) == 0 && S_ISLNK(old.st_mode))
        return WriteFailureReason(ELOOP);
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return WriteFailureReason(EISDIR);
    if (replacing) {
        // The rename below needs only the folder's permission: the file's
        // own is asked here, as writing it in place would.
        std::string refusal = RefusalOf(path, old);
        if (!refusal.empty())
            return refusal;
    }
    // Aside: a new file next to the old one, so that the rename below stays
    // on one file system and replaces the old file in one step.
    std::string aside = path + ".XXXXXX";
    const int fd = ::mkostemp(aside.data(), O_CLOEXEC);
    if (fd < 0)
        return WriteFailureReason(errno);
    size_t done = 0;
    int error = diskwrite::WriteAll(fd, bytes, done);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0 && replacing) {
        // The old file's owner and group, where the system lets this user
        // give them (a group of the user's own, say); then its permissions,
        // which a change of owner may have cut.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    } else if (error == 0) {
        ::fchmod(fd, CreationMode());
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(aside.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(aside.c_str());
        diskwrite::GiveBack(done);
        return WriteFailureReason(error);
    }
    if (replacing)
        diskwrite::GiveBack(static_cast<size_t>(old.st_size));
    return {};
}

std::string AppendToFile(const std::string& path, std::string_view bytes, int* errorOut)
{
    int unused = 0;
    int& error = errorOut ? *errorOut : unused;
    std::string reason;
    const int fd = diskwrite::OpenToAppend(path, reason);
    if (fd < 0) {
        error = errno;
        return reason;
    }
    const off_t before = ::lseek(fd, 0, SEEK_END);
    size_t done = 0;
    error = diskwrite::WriteAll(fd, bytes, done);
    if (error != 0 && done > 0 && before >= 0 && ::ftruncate(fd, before) == 0)
        diskwrite::GiveBack(done);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? std::string() : WriteFailureReason(error);
}
