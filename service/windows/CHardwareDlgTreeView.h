#pragma once
// The tree of the hardware window: what the connected device reports as
// present (slot modules, consoles, amplifiers or cards, one scan at a time);
// expanding a found device asks the device for its details. What the device
// did not understand is marked so ("Release: nicht verstanden"); the answers
// that came beside it are shown all the same.

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
    // The mark of an item or detail the device did not understand.
    static QString NotUnderstood(const QString& what);
    static QString NoAnswer(const QString& what);

private:
    void ScanDevices(Kind kind);
    // The note "online only" when the link is gone; true then.
    bool ShowOffline();
    // A note item; `alone`: the tree holds nothing else, so it shows no
    // expansion marks.
    void AddNote(const QString& text, bool alone = true);
    void OnItemExpanded(QTreeWidgetItem* item);

    int m_kind = Slots;
};
