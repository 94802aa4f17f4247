#pragma once
// The installed PC modems: their model names, the COM port each is attached
// to, and the commands that initialise one. Read from the modem store
// (CRegistryEx) afresh on every call; nothing is kept.

#include "comm/RegistryEx.h"

#include <QString>
#include <QStringList>

class CModemInfo {
public:
    // The modem device class of the store's layout.
    static constexpr const char* kModemClassGuid = "{4D36E96D-E325-11CE-BFC1-08002BE10318}";
    static constexpr int kMaxModems = 10;  // indices 0..9

    explicit CModemInfo(const QString& store = CRegistryEx::LocalMachine());
    virtual ~CModemInfo() = default;

    // The string value, or `def` when the key or the value cannot be read.
    QString ReadString(const QString& root, const QString& path, const QString& valueName, const QString& def) const;

    QString GetModemKey(int index) const;
    QString GetModemModel(int index) const;
    // The first modem whose model matches `name` (case-insensitive) and that
    // has a port; -1 when none (or `name` is empty).
    int FindModemIndex(const QString& name) const;
    // The COM port number of the modem, 0 when none is found.
    int GetModemComPort(int index) const;
    int GetModemComPortByName(const QString& name) const;

    // The model names offered to the user, in index order (virtual modems left out).
    QStringList ListModemModels() const;
    int GetModemCount() const { return static_cast<int>(ListModemModels().size()); }
    // Empties a combo box (any class with clear() and addItem(QString)) and
    // fills it with ListModemModels().
    template <class ComboBox>
    void FillModemCombo(ComboBox& combo) const
    {
        combo.clear();
        for (const QString& model : ListModemModels())
            combo.addItem(model);
    }

    // Appends the modem's initialisation commands: its "Init" strings in
    // order, then one "AT" command built from its settings templates.
    void BuildInitCommands(const QString& name, QStringList& list) const;

private:
    QString m_store;
};
