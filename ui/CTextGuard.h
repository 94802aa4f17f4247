#pragma once
// The text rule (TextRefusal) at the editors. Every edit whose text the
// program saves in the project or sends to the device is guarded: when the
// user confirms a changed text there (Enter, or leaving the edit) that the
// rule refuses, a message names what is wrong and the edit shows the text it
// had before again, so the old text stays wherever the window takes its text
// from; nothing the user typed is dropped or changed unseen.
//
//     CTextGuard::Guard(m_name);
//
// A window that takes the text by another way than leaving the edit (a tab
// changed, the window closed by a key) confirms it itself first.

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

class CTextGuard : public QObject {
    Q_OBJECT
public:
    // The rule's message for `text`; empty when the text is taken. A text of
    // several lines is one that is only kept in the project file.
    static QString Refusal(const QString& text, bool severalLines = false);
    static bool Takes(const QString& text, bool severalLines = false) { return Refusal(text, severalLines).isEmpty(); }

    // Guards an edit (the guard is the edit's child). A text edit holds a
    // text of several lines (only saved) or one line.
    static CTextGuard* Guard(QLineEdit* edit);
    static CTextGuard* Guard(QPlainTextEdit* edit, bool severalLines);
    // An edit the rule has nothing to say on is marked so: one whose text is
    // neither saved in the project nor sent to the device (a file's path,
    // kept in the settings), or one of numbers that refuses, in words of its
    // own, any text that is no number.
    static void LeaveFree(QWidget* edit);
    static bool IsFree(const QWidget* edit);
    // The guard of an edit; null when it has none.
    static CTextGuard* Of(const QWidget* edit);

    // Confirms the edit's text now, as Enter would: false when it was
    // refused (said, and the text before put back).
    bool Confirm();
    // The edit holds a text of several lines, only saved.
    bool SeveralLines() const { return m_severalLines; }
    // The window takes the edit's text in a form of its own (line breaks as
    // blanks, say): the rule judges that form.
    void TakeAs(std::function<QString(const QString&)> taken) { m_taken = std::move(taken); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CTextGuard(QWidget* edit);
    QString Text() const;
    void Restore();

    QWidget* m_edit = nullptr;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_lines = nullptr;
    QString m_before;
    std::function<QString(const QString&)> m_taken;
    bool m_severalLines = false;
    bool m_confirming = false;
};
