#pragma once
// Tree of the machine's "drives" and their directories, used to choose the
// work directory. The roots are the home directory (which, as the first fixed
// drive, is selected and opened when the first drive view is created), the
// file system root "/" and the mounted volumes. A directory's subdirectories
// are read only when it is opened, afresh at every opening; an empty-text
// placeholder child gives an unread directory its expand button. The path of
// the selected directory is kept and shown in the status bar of the frame
// window around the view.

#include <QList>
#include <QString>
#include <QTreeWidget>

#include <functional>

class CDriveView : public QTreeWidget {
    Q_OBJECT
public:
    enum DriveType { DriveUnknown = 0, DriveRemovable = 2, DriveFixed = 3, DriveRemote = 4, DriveCdRom = 5, DriveRamDisk = 6 };
    struct Drive {
        QString root;
        DriveType type = DriveFixed;
    };
    // Images: 0 fixed, network or RAM drive; 1 removable; 2 CD-ROM; 3 closed
    // folder; 4 open (selected) folder.
    enum { ImageFixed = 0, ImageRemovable = 1, ImageCdRom = 2, ImageFolder = 3, ImageFolderOpen = 4 };

    explicit CDriveView(QWidget* parent = nullptr);
    ~CDriveView() override;

    QString GetSelectedPath() const { return m_strSelectedPath; }
    // Keeps the path and shows it in the frame's status bar.
    virtual void OnSelectionChanged(const QString& path);

    void InitDrives();
    void AddDrive(const QString& root, DriveType type);
    // Adds a placeholder child to `item` when `path` has a subdirectory.
    bool SetButtonState(QTreeWidgetItem* item, const QString& path);
    int AddDirectories(QTreeWidgetItem* item, const QString& path);
    QString GetPathFromItem(const QTreeWidgetItem* item) const;
    // Opens the tree down to the folder `path` and selects it; false, and
    // the selection left as it was, when the folder cannot be reached.
    bool SelectPath(const QString& path);
    static bool IsPlaceholder(const QTreeWidgetItem* item);

    // The drives of this machine; tests and special set-ups may put their own
    // list in (returns the previous provider).
    static QList<Drive> SystemDrives();
    using DriveProvider = std::function<QList<Drive>()>;
    static DriveProvider SetDriveProvider(DriveProvider provider);
    // True until a fixed drive has been selected and opened by a view.
    static bool FirstDriveFlag();

private:
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnSelChanged(QTreeWidgetItem* current);
    QTreeWidgetItem* AddPlaceholder(QTreeWidgetItem* item);
    QIcon Image(int index) const;

    QString m_strSelectedPath;
    bool m_bBusy = false;
};
