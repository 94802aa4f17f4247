// Every registered window's text fields, walked as a user types: the field
// clicked, its text chosen with Ctrl+A and typed over key by key, confirmed
// with Enter (a text of several lines by leaving it). A text that cannot be
// saved and sent as shown ("Ω", "漢", "?" alone, a value ending in " ?") is
// refused with a message that names it, the field shows its old text again
// and the project is as it was; "äöüß€é" is taken where a text is.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>

#include "model/CQuillomerDoc.h"
#include "platform/Cp1252.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"
#include "ui/CGridEdit.h"
#include "ui/CObjectDlg.h"
#include "ui/CTextGuard.h"
#include "ui/CValueEdit.h"
#include "ui/CWindowRegistry.h"
#include "WindowWalk.h"

namespace {

QString TextOf(const QWidget* field)
{
    if (auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (auto* lines = qobject_cast<const QPlainTextEdit*>(field))
        return lines->toPlainText();
    return {};
}

// The fields a user can type into, in the window's order.
QList<QWidget*> TextFields(QWidget* window)
{
    QList<QWidget*> fields;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* line = qobject_cast<QLineEdit*>(w);
        auto* lines = qobject_cast<QPlainTextEdit*>(w);
        if ((line && line->isReadOnly()) || (lines && lines->isReadOnly()) || (!line && !lines))
            continue;
        // A file's path and the like: neither saved in the project nor sent.
        if (CTextGuard::IsFree(w))
            continue;
        // A combo box's choices are no text typed (an editable one's are).
        if (line && qobject_cast<QComboBox*>(line->parentWidget()) &&
            !qobject_cast<QComboBox*>(line->parentWidget())->isEditable())
            continue;
        // The editors a list opens over a cell come and go with the cell.
        if (qobject_cast<QAbstractItemView*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            continue;
        fields.append(w);
    }
    return fields;
}

// Brings the tab page that holds `field` to the front, as a click on its tab.
void ShowPageOf(QWidget* field)
{
    for (QWidget* w = field; w; w = w->parentWidget()) {
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr);
        if (!tabs)
            continue;
        const int page = tabs->indexOf(w);
        if (page >= 0 && tabs->currentIndex() != page) {
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
        }
    }
}

// Leaves a text of several lines (where Enter starts a new line) as the user
// does: by a click into another field of the window.
void LeaveByClick(QWidget* field, const QList<QWidget*>& fields)
{
    for (QWidget* other : fields)
        if (other != field && other->isVisible() && other->isEnabled()) {
            QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(4, other->height() / 2));
            if (!field->hasFocus())
                return;
        }
    field->clearFocus();  // a window with no other field
}

// A field made for numbers: letters typed there never become a value.
bool IsNumberField(const QWidget* field)
{
    auto* line = qobject_cast<const QLineEdit*>(field);
    return qobject_cast<const CValueEdit*>(field) || qobject_cast<const CGridEdit*>(field) ||
           qobject_cast<const QAbstractSpinBox*>(field->parentWidget()) || (line && line->validator());
}

struct Typed {
    const char* text;
    const char* named;  // what the refusal names; null: the text is taken
};

// One window of the registry, opened as the walk of every window opens it.
class OpenWindow {
public:
    explicit OpenWindow(const CWindowRegistry::Entry& entry) : m_active(&m_doc)
    {
        m_doc.OnNewDocument();
        QSettings().remove(CObjectDlg::SettingsKey());
        m_window.reset(entry.create(&m_doc));
        if (!m_window)
            return;
        m_window->show();
        QApplication::processEvents();
        SettleLayout(m_window.get());
    }
    ~OpenWindow()
    {
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget* window() const { return m_window.get(); }
    CQuillomerDoc& doc() { return m_doc; }

private:
    CQuillomerDoc m_doc;
    ActiveDocScope m_active;
    std::unique_ptr<QWidget> m_window;
};

}  // namespace

class TextRuleWalk : public ::testing::TestWithParam<bool> {};

TEST_P(TextRuleWalk, EveryTextFieldRefusesWhatCannotBeSavedAndSentAsShown)
{
    std::optional<EnglishTexts> english;
    if (GetParam()) {
        english.emplace();
        ASSERT_TRUE(english->IsLoaded());
    }
    const Typed rows[] = {
        {"äöüß€é", nullptr}, {"Ω", "U+03A9"}, {"漢", "U+6F22"}, {"?", "'?'"}, {"Wert ?", "'Wert ?'"},
    };
    QSettings().remove(QStringLiteral("Configuration"));
    struct ModemPage {
        CApplicationPropertiesDlg::PageFactory previous = CModemPage::RegisterWithPreferences();
        ~ModemPage() { CApplicationPropertiesDlg::SetModemPageFactory(std::move(previous)); }
    } modemPage;
    ModelTestHost host;
    MessageLog messages;
    int walked = 0;
    for (const CWindowRegistry::Entry& entry : CWindowRegistry::Entries()) {
        const QString name = entry.name;
        // The text file editor holds a file of protocol lines, queries
        // among them, with rules of its own for what it sends.
        if (name == QLatin1String("CTextFileDlg"))
            continue;
        std::unique_ptr<OpenWindow> open;
        auto reopen = [&] {
            open.reset();
            open = std::make_unique<OpenWindow>(entry);
            return open->window() != nullptr;
        };
        ASSERT_TRUE(reopen()) << name.toStdString();
        const int count = static_cast<int>(TextFields(open->window()).size());
        for (int index = 0; index < count; ++index) {
            bool textField = false;
            for (const Typed& row : rows) {
                if (!open->window()->isVisible() && !reopen())
                    break;
                const QList<QWidget*> fields = TextFields(open->window());
                if (index >= fields.size())
                    break;
                QPointer<QWidget> field = fields.at(index);
                ShowPageOf(field);
                if (!field->isVisible() || !field->isEnabled())
                    break;
                const QString what = name + QStringLiteral(": ") + field->metaObject()->className() +
                                     QStringLiteral(" \"") + field->objectName() + QLatin1Char('"');
                SCOPED_TRACE(what.toStdString() + " typed " + row.text);
                const QString typed = QString::fromUtf8(row.text);
                const QString before = TextOf(field);
                const std::vector<uint8_t> project = open->doc().SaveToBytes();
                messages.texts.clear();
                QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
                if (!field->hasFocus())
                    break;  // a field the click takes elsewhere is no place to type
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                TypeAsKeyboard(field, typed);
                const bool shown = TextOf(field) == typed;
                if (qobject_cast<QPlainTextEdit*>(field))
                    LeaveByClick(field, fields);
                else
                    QTest::keyClick(field, Qt::Key_Return);
                QApplication::processEvents();
                ++walked;
                const QString after = field ? TextOf(field) : QString();
                const bool stillOpen = open->window()->isVisible();
                if (!row.named) {
                    // A field whose text is saved or sent is guarded; one
                    // the guard was forgotten on shows in the project.
                    const std::string bytes = Utf8ToCp1252(row.text);
                    const std::vector<uint8_t> saved = open->doc().SaveToBytes();
                    textField = (field && CTextGuard::Of(field)) ||
                                std::search(saved.begin(), saved.end(), bytes.begin(), bytes.end()) != saved.end() ||
                                (field && stillOpen && after == typed && !IsNumberField(field));
                    for (const std::string& m : messages.texts)
                        EXPECT_EQ(std::string::npos, m.find("Windows-1252")) << what.toStdString() << ": " << m;
                    continue;
                }
                // A text of several lines is only saved: a "?" in it asks nothing.
                if (field && CTextGuard::Of(field) && CTextGuard::Of(field)->SeveralLines() && row.named[0] == '\'')
                    continue;
                // A field of numbers may show what was typed until it is
                // left; it never takes it.
                EXPECT_FALSE(textField && stillOpen && after.contains(typed) && after != before)
                    << what.toStdString() << " shows " << after.toStdString();
                EXPECT_EQ(project, open->doc().SaveToBytes()) << what.toStdString() << " changed the project";
                if (textField && shown) {
                    bool named = false;
                    for (const std::string& m : messages.texts)
                        named = named || m.find(row.named) != std::string::npos;
                    EXPECT_TRUE(named) << what.toStdString() << ": no word on " << row.text;
                }
            }
        }
    }
    EXPECT_GT(walked, 100);
}

INSTANTIATE_TEST_SUITE_P(Languages, TextRuleWalk, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "English" : "German"; });
