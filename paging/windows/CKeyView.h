#pragma once
// The console front of the keys page: the panel with the display, the
// console's name and model, and one drawn button per key. The user selects
// keys, opens the key properties, clears, copies and range-programs the key
// assignment, sends the console to the device or reads it back, asks for its
// software version and prints the front.

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "paging/IConsoleKeyView.h"

class CBaseDevice;
class CConsKey;
class CConsole;
class CKeyPropDlg;
class CTransferLoop;
class QPainter;
class QPrinter;

namespace keyviewcmd {
enum : unsigned {
    ClearKeys = 32900,     // "Tastenzuordnung vollständig löschen"
    CopyKeys = 32901,      // "Tastenzuordnung kopieren"
    Download = 32902,      // "Sprechstelle DOWNLOAD"
    Upload = 32903,        // "Sprechstelle UPLOAD"
    RangeKeys = 32905,     // "Bereichstastenprogrammierung"
    Print = 32906,         // "Sprechstelle drucken"
    Version = 32908,       // "Aktuelle Software Version abfragen"
    Properties = 32864,    // "&Eigenschaften" of a key
    AlarmImage = 32873,    // "&Alarmtaste"
    SwitchImage = 32874,   // "&Schlüsselschalter"
};
}

class CKeyView : public QWidget, public IConsoleKeyView {
    Q_OBJECT
public:
    // The total width of a console with more than ten fixed keys.
    static constexpr int kScrollWidth = 5000;

    explicit CKeyView(QWidget* parent = nullptr);
    ~CKeyView() override;

    // Shows a console: lays its keys out for `clientHeight` pixels and reads
    // the console's links into its keys.
    void ShowConsole(CConsole* console, int clientHeight);
    // Lays the shown console's keys out again for another height.
    void Relayout(int clientHeight);
    // Forgets the console: its keys lose their view, the key dialog closes.
    void LeaveConsole();
    CConsole* GetConsole() const { return m_console; }

    // A command of the tool bar or a key's menu; false when not one of the view's.
    // While the console goes to the device or comes back, every command is
    // ignored and disabled and the keys take no clicks.
    bool OnCommand(unsigned commandId);
    bool IsCommandEnabled(unsigned commandId) const;
    bool IsTransferring() const { return m_transfer != nullptr; }

    CConsKey* HitTest(const QPoint& point) const;
    // The keys the front shows: the fixed ones in number order, then the programmable ones.
    std::vector<CConsKey*> ShownKeys() const;
    void SelectKey(CConsKey* key);
    CConsKey* GetSelectedKey() const { return m_selected; }
    void DeselectKey();
    void OpenKeyProperties(CConsKey* key);
    CKeyPropDlg* GetKeyPropDlg() const { return m_keyProps; }
    void CloseKeyProperties();
    // From the key dialog: flag 1 sets the first target, flag 2 the second;
    // the key is redrawn and the page marked modified.
    void UpdateKey(int flags, CBaseDevice* first = nullptr, CBaseDevice* second = nullptr);
    // The first fixed SEL key whose first target is `obj`.
    CConsKey* FindSelKeyFor(const CBaseDevice* obj) const;

    // Draws the console front (also into a printer).
    void DrawConsole(QPainter& p);
    // Prints the console front; returns the number of pages.
    int PrintConsole(QPrinter& printer);
    // The printed pages on a painter over a page of the given resolution;
    // newPage starts each page after the first. Returns the page count.
    int PrintPages(QPainter& p, int resolution, const std::function<void()>& newPage);

    // IConsoleKeyView
    void KeyChanged(CConsKey& key) override;
    std::string FitCaption(const std::string& caption, int width) override;
    void AddKeyTip(int keyNumber, const std::string& text, const CRect& cell) override;
    void RemoveKeyTip(int keyNumber) override;

    QRect GetDisplayRect() const { return m_display; }
    QRect GetExtensionPanelRect() const { return m_extensionPanel; }
    // The radius of the console panels' rounded corners.
    static constexpr int kPanelCornerRadius = 25;

    // A line of two texts in `band`, one at its left and one at its right, in
    // `font` or, where they would meet, in the largest smaller size that
    // leaves a gap between them; where each stands, measured in that font.
    struct TextPair {
        QFont font;
        QRect left;
        QRect right;
    };
    static TextPair FitTextPair(const QRect& band, QFont font, const QString& left, const QString& right);
    // The maker's name and the console's type above the display, and the
    // maker's name and the extension unit's type on the extension panel
    // (empty rectangles when the console has no such panel), as drawn.
    TextPair DisplayHead() const;
    TextPair ExtensionHead() const;

    // Answer of the software version query; tests install another.
    using VersionQuery = std::string (*)(const std::string& line);
    static VersionQuery SetVersionQuery(VersionQuery fn);

signals:
    // A key changed by the user: the keys page is modified.
    void keysModified();
    // The console was changed directly (clear all, range): Cancel becomes Close.
    void keysApplied();
    // The copy dialog's OK: the page applies its keys.
    void applyRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void LayoutFront(int clientHeight);
    void PlaceKeyProperties();
    void DrawKey(QPainter& p, const CConsKey& key);
    void Transfer(int mode);
    void QueryVersion();
    void ClearAll();
    void CopyKeys();
    void ProgramRange();

    CConsole* m_console = nullptr;
    CConsKey* m_selected = nullptr;
    CKeyPropDlg* m_keyProps = nullptr;
    QRect m_panel;
    QRect m_display;
    QRect m_extensionPanel;
    int m_fixedKeys = 0;
    std::map<int, std::string> m_tips;
    CTransferLoop* m_transfer = nullptr;  // the transfer that runs (on Transfer's stack)
};
