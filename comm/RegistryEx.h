#pragma once
// A small reader over the store of installed modems. The store is a settings
// file (INI) laid out like the registry it stands for: every key is a group
// named by its registry path ("\" written as "/"), every value an entry, e.g.
//
//   [SYSTEM/CurrentControlSet/Control/Class/{4D36E96D-E325-11CE-BFC1-08002BE10318}/0000]
//   Model=USR Modem
//   AttachedTo=COM2
//   Default=hex:3c,00,00,00,...        (binary; also dword:0000003c)
//   [SYSTEM/CurrentControlSet/Control/Class/{4D36E96D-E325-11CE-BFC1-08002BE10318}/0000/Init]
//   1=AT<cr>
//
// A "root key" is the file of such a store; LocalMachine() is the machine's
// one. The class only reads.

#include <QByteArray>
#include <QString>
#include <QStringList>

class CRegistryEx {
public:
    // Value types, as the registry names them.
    enum ValueType : int { TypeNone = 0, TypeString = 1, TypeBinary = 3, TypeDword = 4 };
    // Error codes of the last call.
    enum ErrorCode : long { Success = 0, FileNotFound = 2, AccessDenied = 5, InvalidData = 13, MoreData = 234 };

    // The store of the installed modems: "HALVERON/modems.ini" in the user's
    // or the system's configuration folders (the user's first).
    static QString LocalMachine();
    // Puts another file in the machine store's place (empty: back to the default).
    static void SetLocalMachine(const QString& file);

    explicit CRegistryEx(const QString& root = LocalMachine());
    ~CRegistryEx();

    // Opens the key at `path` (registry form, "\" separated) of the store `root`.
    bool Open(const QString& root, const QString& path);
    void Close();
    bool IsOpen() const { return m_open; }

    // Reads a value of any type into `buffer`, at most `size` bytes. Strings
    // come as their bytes with a closing NUL.
    bool QueryValue(const QString& name, QByteArray& buffer, int size);
    // Reads a string value of at most 200 bytes.
    bool QueryString(const QString& name, QString& text);
    // The names of the subkeys of `path` (each at most 200 characters).
    bool EnumSubkeys(const QString& path, QStringList& list);
    // Depth-first search from the key at `path` (itself first, then its
    // subkeys in order) for the first key whose string value `valueName`
    // equals `wanted` (compared upper-cased); its path, or "" when none.
    QString FindKeyWithValue(const QString& path, const QString& valueName, const QString& wanted);

    static void ShowError(long code, const char* function, const char* unit, int line);

    long GetLastError() const { return m_lastError; }
    int GetLastType() const { return m_lastType; }
    int GetLastSize() const { return m_lastSize; }
    const QString& GetPath() const { return m_path; }

private:
    QString GroupOf(const QString& path) const;

    long m_lastError = Success;
    int m_lastType = TypeNone;
    int m_lastSize = 0;
    QString m_root;   // the store file
    QString m_path;   // path of the open key
    bool m_open = false;
};
