#include "ui/CDriveView.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QStatusBar>
#include <QStorageInfo>

#include "ui/CPictureSet.h"

namespace {
constexpr int kPlaceholderRole = Qt::UserRole + 1;
bool g_firstDrive = true;

CDriveView::DriveProvider& Provider()
{
    static CDriveView::DriveProvider provider;
    return provider;
}

bool IsRoot(const QTreeWidgetItem* item)
{
    return item && !item->parent();
}
}  // namespace

CDriveView::CDriveView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setAnimated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A path longer than the view is wide (a home folder of a long name, a
    // deep directory) shows whole: the column is as wide as its widest row
    // and the tree scrolls sideways to it.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_strSelectedPath.clear();
    connect(this, &QTreeWidget::itemExpanded, this, &CDriveView::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CDriveView::OnItemCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnSelChanged(current); });
    InitDrives();
}

CDriveView::~CDriveView()
{
    // The next drive view opens the first fixed drive again.
    g_firstDrive = true;
}

bool CDriveView::FirstDriveFlag()
{
    return g_firstDrive;
}

CDriveView::DriveProvider CDriveView::SetDriveProvider(DriveProvider provider)
{
    DriveProvider old = std::move(Provider());
    Provider() = std::move(provider);
    return old;
}

QList<CDriveView::Drive> CDriveView::SystemDrives()
{
    QList<Drive> drives;
    QStringList seen;
    auto add = [&](const QString& root, DriveType type) {
        const QString clean = QDir::cleanPath(root);
        if (clean.isEmpty() || seen.contains(clean))
            return;
        seen.append(clean);
        drives.append({clean, type});
    };
    // The home directory stands first: it is the drive that opens at start.
    add(QDir::homePath(), DriveFixed);
    add(QStringLiteral("/"), DriveFixed);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid())
            continue;
        const QString fs = QString::fromLatin1(volume.fileSystemType()).toLower();
        const QString device = QString::fromLatin1(volume.device());
        const QString root = volume.rootPath();
        DriveType type = DriveFixed;
        if (fs == QLatin1String("iso9660") || fs == QLatin1String("udf"))
            type = DriveCdRom;
        else if (fs.startsWith(QLatin1String("nfs")) || fs == QLatin1String("cifs") || fs == QLatin1String("smb3") ||
                 fs.contains(QLatin1String("sshfs")))
            type = DriveRemote;
        else if (!device.startsWith(QLatin1String("/dev/")))
            continue;  // kernel and virtual file systems are no drives
        else if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")))
            type = DriveRemovable;
        if (root.startsWith(QLatin1String("/boot")) || root.startsWith(QLatin1String("/snap/")))
            continue;
        add(root, type);
    }
    return drives;
}

QIcon CDriveView::Image(int index) const
{
    constexpr int kImageBitmap = 365;
    if (index == ImageFolder || index == ImageFolderOpen) {
        // Closed folder normally, open folder while selected.
        QIcon icon;
        for (int size : {16, 32}) {
            icon.addPixmap(CPictureSet::ListImage(kImageBitmap, ImageFolder).pixmap(size, size), QIcon::Normal);
            icon.addPixmap(CPictureSet::ListImage(kImageBitmap, ImageFolderOpen).pixmap(size, size), QIcon::Selected);
        }
        return icon;
    }
    return CPictureSet::ListImage(kImageBitmap, index);
}

void CDriveView::InitDrives()
{
    const QList<Drive> drives = Provider() ? Provider()() : SystemDrives();
    for (const Drive& d : drives)
        AddDrive(d.root, d.type);
}

bool CDriveView::IsPlaceholder(const QTreeWidgetItem* item)
{
    return item && item->data(0, kPlaceholderRole).toBool();
}

QTreeWidgetItem* CDriveView::AddPlaceholder(QTreeWidgetItem* item)
{
    auto* placeholder = new QTreeWidgetItem(item);
    placeholder->setData(0, kPlaceholderRole, true);
    placeholder->setIcon(0, Image(ImageFolder));
    return placeholder;
}

void CDriveView::AddDrive(const QString& root, DriveType type)
{
    int image = ImageFixed;
    switch (type) {
    case DriveRemovable: image = ImageRemovable; break;
    case DriveCdRom: image = ImageCdRom; break;
    case DriveFixed:
    case DriveRemote:
    case DriveRamDisk: image = ImageFixed; break;
    default: return;  // unknown kinds are not shown
    }
    const bool removable = type == DriveRemovable || type == DriveCdRom;
    if (!removable && !QFileInfo(root).isDir())
        return;  // no root directory
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, root);
    item->setIcon(0, Image(image));
    if (removable) {
        AddPlaceholder(item);  // the medium is not touched now
        return;
    }
    SetButtonState(item, root);
    if (type == DriveFixed && g_firstDrive) {
        g_firstDrive = false;
        setCurrentItem(item);
        item->setSelected(true);
        expandItem(item);
    }
}

namespace {
// The folders in `path`, by name. Asked for folders, the system also lists
// links whose folder is gone (and pipes, sockets, devices): those are no
// folders to choose.
QStringList Folders(const QString& path, QDir::SortFlags sort = QDir::NoSort)
{
    const QDir dir(path);
    QStringList folders;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, sort))
        if (entry.isDir())
            folders.append(entry.fileName());
    return folders;
}
}  // namespace

bool CDriveView::SetButtonState(QTreeWidgetItem* item, const QString& path)
{
    if (Folders(path).isEmpty())
        return false;
    AddPlaceholder(item);
    return true;
}

int CDriveView::AddDirectories(QTreeWidgetItem* item, const QString& path)
{
    const QDir dir(path);
    if (!dir.exists() || !QFileInfo(path).isReadable()) {
        // A drive without a medium keeps its button so it can be tried again.
        if (IsRoot(item))
            AddPlaceholder(item);
        return 0;
    }
    const QStringList entries = Folders(path, QDir::Name | QDir::IgnoreCase);
    int added = 0;
    for (const QString& name : entries) {
        auto* child = new QTreeWidgetItem(item);
        child->setText(0, name);
        child->setIcon(0, Image(ImageFolder));
        SetButtonState(child, dir.filePath(name));
        ++added;
    }
    return added;
}

QString CDriveView::GetPathFromItem(const QTreeWidgetItem* item) const
{
    if (!item)
        return QString();
    QString path = item->text(0);
    for (const QTreeWidgetItem* a = item->parent(); a; a = a->parent()) {
        const QString t = a->text(0);
        path = t + (t.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + path;
    }
    return path;
}

bool CDriveView::SelectPath(const QString& path)
{
    const QString target = QDir::cleanPath(path);
    // From the drive nearest to the folder: the longest root it lies under.
    QTreeWidgetItem* item = nullptr;
    QString root;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QString r = topLevelItem(i)->text(0);
        const QString under = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
        if ((target == r || target.startsWith(under)) && r.size() > root.size()) {
            item = topLevelItem(i);
            root = r;
        }
    }
    if (!item)
        return false;
    for (const QString& name : target.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        expandItem(item);  // reads its folders afresh
        QTreeWidgetItem* next = nullptr;
        for (int c = 0; c < item->childCount() && !next; ++c)
            if (!IsPlaceholder(item->child(c)) && item->child(c)->text(0) == name)
                next = item->child(c);
        if (!next)
            return false;
        item = next;
    }
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

void CDriveView::OnItemExpanded(QTreeWidgetItem* item)
{
    if (m_bBusy)
        return;
    m_bBusy = true;
    if (item->childCount() > 0 && IsPlaceholder(item->child(0)))
        delete item->takeChild(0);
    const int added = AddDirectories(item, GetPathFromItem(item));
    m_bBusy = false;
    if (added == 0)
        collapseItem(item);  // the opening is refused
}

void CDriveView::OnItemCollapsed(QTreeWidgetItem* item)
{
    if (m_bBusy)
        return;
    m_bBusy = true;
    const bool selectedInside = [&] {
        for (const QTreeWidgetItem* c = currentItem(); c; c = c->parent())
            if (c->parent() == item)
                return true;
        return false;
    }();
    if (selectedInside)
        setCurrentItem(item);
    qDeleteAll(item->takeChildren());
    if (IsRoot(item))
        AddPlaceholder(item);
    else
        SetButtonState(item, GetPathFromItem(item));
    m_bBusy = false;
}

void CDriveView::OnSelChanged(QTreeWidgetItem* current)
{
    if (!current || IsPlaceholder(current))
        return;
    OnSelectionChanged(GetPathFromItem(current));
}

void CDriveView::OnSelectionChanged(const QString& path)
{
    m_strSelectedPath = path;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMainWindow*>(w)) {
            frame->statusBar()->showMessage(path);
            break;
        }
    }
}
