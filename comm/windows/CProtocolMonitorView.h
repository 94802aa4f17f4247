#pragma once
// The text of the protocol monitor: what the device sends, its echo of what
// it receives included. Typing sends each character to the device as it
// stands (Enter as "\r") and switches the link to terminal mode; the keystroke
// itself changes nothing here, the device's echo shows it.

#include <QPlainTextEdit>
#include <QPointer>

class CCommLink;

class CProtocolMonitorView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CProtocolMonitorView(QWidget* parent = nullptr);

    // The link that typed characters go to (null: typing does nothing).
    void SetLink(CCommLink* link) { m_link = link; }

    // Appends received text; the device's erase echo "\b \b" removes one character,
    // also when it comes in pieces or behind other text.
    void AppendMonitorText(const QString& text);
    void ClearText();

    // Above this many characters the oldest half is dropped before appending.
    static constexpr int kTextLimit = 8192;
    static constexpr int kDropCount = 4096;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Pasting or dropping would change the shown text; only typing counts.
    void insertFromMimeData(const QMimeData* source) override {}
    bool canInsertFromMimeData(const QMimeData* source) const override { return false; }

private:
    void OnChar(const QString& text);

    CCommLink* m_link = nullptr;
};
