#include "platform/serial/SettingsReadAnew.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <map>

#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

namespace {
// The file as it was at the last look. A rename or a change of mode changes
// the status time too, so a file put back as it was still differs.
struct Seen {
    bool regular = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    timespec mtime{};
    timespec ctime{};
    bool operator==(const Seen& o) const
    {
        return regular == o.regular && dev == o.dev && ino == o.ino && size == o.size &&
               mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

Seen Look(const QByteArray& name)
{
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return {};
    return {S_ISREG(st.st_mode), st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// Each settings file used, as it was at the last look: the file in use can
// change (another folder chosen for the settings), and one used again later
// is compared with its own last look, not with another file's.
std::map<QByteArray, Seen>& SeenFiles()
{
    static std::map<QByteArray, Seen> seen;
    return seen;
}

// Sets the file's time to now when it changed since its last look.
void TouchIfChanged(const QByteArray& name)
{
    const Seen now = Look(name);
    const auto it = SeenFiles().find(name);
    if (it != SeenFiles().end() && !(now == it->second) && now.regular) {
        ::utimensat(AT_FDCWD, name.constData(), nullptr, 0);  // read anew
        SeenFiles()[name] = Look(name);
        return;
    }
    SeenFiles()[name] = now;
}
}  // namespace

void ReadSettingsAnewIfChanged()
{
    // Every file used so far is looked at before the library is asked for
    // the one in use: asking already writes what a failed write left
    // waiting, over the file as it read it. A file whose folder is gone is
    // forgotten.
    for (auto it = SeenFiles().begin(); it != SeenFiles().end();) {
        if (::access(QFile::encodeName(QFileInfo(QFile::decodeName(it->first)).absolutePath()).constData(), F_OK) != 0) {
            it = SeenFiles().erase(it);
            continue;
        }
        TouchIfChanged(it->first);
        ++it;
    }
    const QSettings settings;
    const QByteArray name = QFile::encodeName(settings.fileName());
    if (SeenFiles().find(name) == SeenFiles().end())
        SeenFiles()[name] = Look(name);
}
