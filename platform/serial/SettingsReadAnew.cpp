#include "platform/serial/SettingsReadAnew.h"

#include <QFile>
#include <QSettings>

#include <fcntl.h>
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

QByteArray g_name;  // the settings file last used
Seen g_seen;
}  // namespace

void ReadSettingsAnewIfChanged()
{
    // Looked at before the library is asked for the file: asking already
    // writes what a failed write left waiting, over the file as it read it.
    if (!g_name.isEmpty()) {
        const Seen now = Look(g_name);
        if (!(now == g_seen)) {
            if (now.regular)
                ::utimensat(AT_FDCWD, g_name.constData(), nullptr, 0);  // read anew
            g_seen = Look(g_name);
        }
    }
    const QSettings settings;
    const QByteArray name = QFile::encodeName(settings.fileName());
    if (name != g_name) {
        g_name = name;
        g_seen = Look(g_name);
    }
}
