#pragma once
// Modal host of one feature window (the frame of an object kind: macros,
// triggers, conditions, ...). The frame fills the dialog's client area; the
// dialog takes the kind's caption, keeps one size and place for all kinds
// ("Settings"/"DlgSize": left, top, width, height) and switches to another
// kind in place when the hosted frame sends that kind's editing command.
//
// The kept size is the one the user gave the window (780 x 400 until then).
// A frame that needs more room widens the window while it is shown, but
// that room is the frame's, not the user's: it is not kept, and the next
// frame opens at the kept size again (or at its own, when that is larger).
// The window always lies whole on its screen: where the screen has less room
// than the kept size or the frame's, the window takes what the screen has,
// and the kept placement stays as the user left it.
//
// The subsystems register their frames at start (RegisterFrame). A kind whose
// frame has not been registered shows an empty frame and says so in the
// caption.

#include <QDialog>
#include <QPointer>

#include "ui/CWindowRegistry.h"

#include <functional>

class CQuillomerDoc;

class CObjectDlg : public QDialog {
    Q_OBJECT
public:
    using FrameFactory = std::function<QWidget*(CQuillomerDoc* document, QWidget* parent)>;
    // Registers the frame of `kind` (1..28); returns the previous factory.
    static FrameFactory RegisterFrame(int kind, FrameFactory factory);

    CObjectDlg(CQuillomerDoc* document, int windowKind, QWidget* parent = nullptr);
    // The empty frame of a window that is not part of the program yet, with
    // its own caption (for objects whose windows have no kind number).
    CObjectDlg(CQuillomerDoc* document, const QString& unavailableCaption, QWidget* parent = nullptr);
    ~CObjectDlg() override;

    int DoModal() { return exec(); }
    void CreateObjectFrame(int kind);
    // A command from the hosted frame; true when it switched the kind.
    bool OnCommand(unsigned int commandId);
    // Hands `commandId` to the host around `from` (if any).
    static bool SendCommand(QWidget* from, unsigned int commandId);

    // The kind's caption ("" for unknown kinds) and switching command (0 = none).
    static QString KindCaption(int kind);
    static unsigned int SwitchCommand(int kind);
    static int KindOfCommand(unsigned int commandId);
    static bool IsFrameRegistered(int kind);
    // Registers `Frame` for its kind and, under `name`, with the window
    // registry in the host the program uses (the layout test opens it there).
    template <class Frame>
    static void RegisterFeatureFrame(const char* name);

    int GetShownKind() const { return m_nShownKind; }
    bool IsPlaceholderFrame() const { return m_bPlaceholder; }

    QPointer<QWidget> m_pFrame;
    CQuillomerDoc* m_pDocument;
    int m_nWindowKind;

    static QString SettingsKey() { return QStringLiteral("Settings/DlgSize"); }

    void setVisible(bool visible) override;
    // Escape or the window's close button: the window stays while its frame
    // transfers, since closing would hand the program back to the user while
    // the transfer still works on the document.
    void reject() override;

protected:
    virtual bool OnInitDialog();
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // Enter that no control of the hosted window takes presses no button: the
    // host has none of its own, and a button of the window that the user
    // clicked before is not the one Enter is meant for. A button that has the
    // focus takes Enter itself.
    void keyPressEvent(QKeyEvent* event) override;
    // Swallows the timer events of a frame switched away from.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A frame the user switched away from polls no more: its timers stop
    // (those of its objects and their child timers), so that no poll of it
    // takes the answers the next window waits for while it still exists.
    void EndPolls(QWidget* frame);
    // The block request a window of `frame` left running ends with it: the
    // link is online again before the next window sends its opening request,
    // which would otherwise be answered to the window going away.
    static void EndLinkRequest(QWidget* frame);
    void SavePlacement();
    // A button of the window looks like the one Enter presses only while it
    // has the focus.
    void OnFocusChanged(QWidget* now);
    // The size the window takes for the frame shown: the kept size, or the
    // frame's minimum where that is larger, within the free area of the
    // window's screen.
    QSize PlacedSize() const;

    QMetaObject::Connection m_focusWatch;
    QString m_unavailableCaption;
    // The place and size kept for every kind.
    QRect m_placement;
    int m_nShownKind = 0;
    bool m_bPlaceholder = false;
    bool m_bInitialised = false;
};

template <class Frame>
void CObjectDlg::RegisterFeatureFrame(const char* name)
{
    RegisterFrame(Frame::kWindowKind, [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new Frame(parent); });
    CWindowRegistry::Register(QString::fromLatin1(name),
                              [](CQuillomerDoc* doc) -> QWidget* { return new CObjectDlg(doc, Frame::kWindowKind); });
}
