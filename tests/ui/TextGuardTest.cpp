// The text rule at the editors: a guarded edit and a list's cells, typed
// into and confirmed as the user does.
#include "ui/CListCtrl.h"
#include "ui/CTextGuard.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"

namespace {

class TextGuardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        line = new QLineEdit(QStringLiteral("Halle"), &window);
        lines = new QPlainTextEdit(QStringLiteral("Erste Zeile"), &window);
        oneLine = new QPlainTextEdit(QStringLiteral("ATZ"), &window);
        list = new CListCtrl(&window);
        list->InsertColumn(0, QStringLiteral("Name"), CListCtrl::LVCFMT_LEFT, 120);
        list->InsertItem(0, QStringLiteral("Foyer"));
        list->Row(0)->setFlags(list->Row(0)->flags() | Qt::ItemIsEditable);
        list->setEditTriggers(QAbstractItemView::EditKeyPressed);
        ok = new QPushButton(QStringLiteral("OK"), &window);
        ok->setDefault(true);
        for (QWidget* w : std::initializer_list<QWidget*>{line, lines, oneLine, list, ok})
            layout->addWidget(w);
        CTextGuard::Guard(line);
        CTextGuard::Guard(lines, true);
        CTextGuard::Guard(oneLine, false);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++pressed; });
        QObject::connect(list, &QTreeWidget::itemChanged, [this] { ++changed; });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QDialog window;
    QLineEdit* line = nullptr;
    QPlainTextEdit* lines = nullptr;
    QPlainTextEdit* oneLine = nullptr;
    CListCtrl* list = nullptr;
    QPushButton* ok = nullptr;
    int pressed = 0;
    int changed = 0;  // the list's cell was written
    MessageLog messages;
};

QString TextOf(QWidget* w)
{
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    return qobject_cast<QPlainTextEdit*>(w)->toPlainText();
}

}  // namespace

// Typed over an edit's text and confirmed with Enter or by leaving it: a
// text the rule refuses is named, the edit shows its text before, and Enter
// goes no further (the default button stays unpressed); a text of several
// lines may break and hold "?". A text taken stays, and Enter presses OK.
TEST_F(TextGuardFixture, ARefusedTextIsNamedAndTheTextBeforeComesBack)
{
    enum Confirm { Enter, Leave };
    enum Edit { Line, OneLine, Lines };
    const struct {
        Edit edit;
        const char* typed;
        Confirm confirm;
        const char* told;  // null: taken
    } rows[] = {
        {Line, "Türkontakt Ω", Enter, "'Ω' (U+03A9)"},
        {Line, "漢", Leave, "'漢' (U+6F22)"},
        {Line, "?", Enter, "'?' würde"},
        {Line, "Halle Süd ?", Leave, "'Halle Süd ?' würde"},
        {Line, "äöüß€é", Enter, nullptr},
        {OneLine, "AT&F E0 漢Ω", Enter, "'漢' (U+6F22)"},
        {OneLine, "AT ?", Leave, "'AT ?' würde"},
        {Lines, "Ω", Leave, "'Ω' (U+03A9)"},
        {Lines, "Wer?\tWo ?", Leave, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        QWidget* edit = row.edit == Line ? static_cast<QWidget*>(line) : row.edit == OneLine ? oneLine : lines;
        messages.texts.clear();
        pressed = 0;
        const QString before = TextOf(edit);
        auto* plain = qobject_cast<QPlainTextEdit*>(edit);
        QTest::mouseClick(plain ? plain->viewport() : edit, Qt::LeftButton);
        ASSERT_TRUE(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(edit, QString::fromUtf8(row.typed));
        if (row.confirm == Enter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(0).center());
        QApplication::processEvents();
        if (row.told) {
            ASSERT_EQ(1u, messages.texts.size());
            EXPECT_NE(std::string::npos, messages.texts[0].find(row.told)) << messages.texts[0];
            EXPECT_EQ(before, TextOf(edit));
            EXPECT_EQ(0, pressed);
        } else {
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(QString::fromUtf8(row.typed), TextOf(edit));
            EXPECT_EQ(row.confirm == Enter ? 1 : 0, pressed);
        }
    }
    // A text the window puts in is the one kept, also one the rule would
    // refuse (read from an old file): leaving it unchanged says nothing.
    line->setText(QStringLiteral("?"));
    messages.texts.clear();
    QTest::mouseClick(line, Qt::LeftButton);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(0).center());
    EXPECT_TRUE(messages.texts.empty());
    QTest::mouseClick(line, Qt::LeftButton);
    QTest::keyClick(line, Qt::Key_End);
    TypeAsKeyboard(line, QStringLiteral("Ω"));
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(QStringLiteral("?"), line->text());
}

// A list's cell renamed with F2: a text the rule refuses never reaches the
// cell (nor whoever watches it), and the word on it comes once the editor
// has closed; a text taken is written.
TEST_F(TextGuardFixture, AListCellKeepsItsTextWhenTheRuleRefusesTheTyped)
{
    const std::pair<const char*, const char*> rows[] = {
        {"Foyer Ω", "'Ω' (U+03A9)"}, {"?", "'?' würde"}, {"Foyer Süd", nullptr}};
    QString shown = QStringLiteral("Foyer");
    for (const auto& [typed, told] : rows) {
        SCOPED_TRACE(typed);
        messages.texts.clear();
        changed = 0;
        list->setFocus();
        list->setCurrentItem(list->Row(0));
        QTest::keyClick(list, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(nullptr, editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(editor, QString::fromUtf8(typed));
        QTest::keyClick(editor, Qt::Key_Return);
        // The list ends its editor once the key has been handled.
        ASSERT_TRUE(QTest::qWaitFor([&] { return told ? !messages.texts.empty() : changed > 0; }, 5000));
        if (told) {
            EXPECT_NE(std::string::npos, messages.texts[0].find(told)) << messages.texts[0];
            EXPECT_EQ(0, changed);
        } else {
            shown = QString::fromUtf8(typed);
            EXPECT_EQ(1, changed);
        }
        EXPECT_EQ(shown, list->GetItemText(0, 0));
    }
}
