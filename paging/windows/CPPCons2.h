#pragma once
// The keys page ("Tastenzuordnung") of the console settings: the console
// frame with the key view. Applying it turns the keys' targets into the
// console's links (and sends the changed keys while the project is on the
// device); every showing reads the links back into the keys.

#include <QWidget>

class CConsole;
class CConsoleFrame;
class CKeyView;

class CPPCons2 : public QWidget {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 198;

    explicit CPPCons2(QWidget* parent = nullptr);

    // The console shown next.
    void SetConsole(CConsole* console) { m_console = console; }
    CConsole* GetConsole() const { return m_console; }
    // The page becomes the active page: shows the console's keys.
    void OnSetActive();
    // The page is left: asks whether changed keys are applied, then forgets the console.
    void OnKillActive();
    void OnCancel();
    // Applies the keys; false (with the reason shown) when they cannot be.
    bool OnOK();
    // Reads the links into the keys again.
    void RefreshKeys();
    // The device's line is lost: its download, upload and version query are greyed.
    void LineLost();

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    CConsoleFrame* GetFrame() const { return m_frame; }
    CKeyView* GetKeyView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void modifiedChanged(bool modified);
    // A change went to the console directly: Cancel can only close.
    void cancelToClose();

private:
    CConsole* m_console = nullptr;
    CConsoleFrame* m_frame = nullptr;
    bool m_modified = false;
    bool m_active = false;
};
