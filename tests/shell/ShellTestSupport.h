#pragma once
// Helpers of the shell tests: a private settings store, a message recorder,
// a simple symbol object and a standalone designer view.

#include <QDialog>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"

class CQuillomerView;

// Points QSettings at a fresh temporary directory for the test's lifetime.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Records every message box; answers from a queue (else the default button).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    void Answer(int answer) { m_answers.push_back(answer); }
    bool Saw(const std::string& part) const;

    std::vector<std::pair<std::string, uint32_t>> messages;
    std::vector<std::string> details;  // each message's detail text (mostly empty)

private:
    std::deque<int> m_answers;
    MessageHandler m_old;
};

// Closes every dialog that opens while it lives (as the user pressing Escape)
// and records its class and title; a new project asks for its project data.
// With class names, only dialogs of those classes are watched.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(QStringList onlyClasses = {});
    ~DialogWatch() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QStringList classes;
    QStringList titles;
    // Looks at each watched dialog once it is shown, before it is closed.
    std::function<void(QDialog&)> look;

private:
    QStringList m_only;
};

// A plain object with a symbol: records the keys it gets and moves by one
// unit on the arrow keys.
class TestSymbol : public CBaseDevice {
    QL_DECLARE_SERIAL(TestSymbol)
public:
    TestSymbol();
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
    void Draw(IPainter& dc) override;
    std::string GetListText() override { return m_listText; }

    std::vector<uint32_t> keys;
    std::string m_listText;
    static std::vector<TestSymbol*> keyOrder;  // objects in the order they got keys
};

// An object of category `category` with symbol rectangle `r`, added to `doc`.
TestSymbol* AddSymbol(CQuillomerDoc& doc, int category, const CRect& r, const std::string& name);

// A designer view of 800 x 600 pixels on `doc` without a main frame.
std::unique_ptr<CQuillomerView> MakeView(CQuillomerDoc* doc);

// The build directory (for the English resources); empty when unknown.
QString BinaryDir();
