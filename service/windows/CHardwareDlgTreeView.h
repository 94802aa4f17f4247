#pragma once
// The tree of the hardware window: what the connected device reports as
// present (slot modules, consoles, amplifiers or cards, one scan at a time);
// expanding a found device asks the device for its details.

#include <QTreeWidget>

class CHardwareDlgTreeView : public QTreeWidget {
    Q_OBJECT
public:
    enum Kind { Amplifiers = 0, Consoles = 1, Cards = 2, Slots = 3 };
    explicit CHardwareDlgTreeView(QWidget* parent = nullptr);

    // The single note item "Nur im Online Modus möglich!".
    void ClearTree();
    void ScanAmplifiers() { ScanDevices(Amplifiers); }
    void ScanConsoles() { ScanDevices(Consoles); }
    void ScanCards() { ScanDevices(Cards); }
    void ScanSlots();
    // The detail request of an expanded device.
    void RequestDetails(QTreeWidgetItem* item);
    int GetScanKind() const { return m_kind; }

private:
    void ScanDevices(Kind kind);
    // The note "online only" when the link is gone; true then.
    bool ShowOffline();
    void AddNote(const QString& text);
    void OnItemExpanded(QTreeWidgetItem* item);

    int m_kind = Slots;
};
