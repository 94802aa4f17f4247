// Editable list: where editors open, which ends of an edit reach the owner,
// column shares on resize, hit test and selection helpers.
#include "ui/CEditListCtrl.h"
#include "ui/CInPlaceComboBox.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CResizableDialog.h"
#include "ui/UiIds.h"
#include "platform/StringTable.h"
#include "support/ModelTestHost.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"

namespace {

struct Edit {
    int row, column;
    QString text;
    int id;
};

class EditListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QDialog>();
        window->resize(500, 300);
        list = new CEditListCtrl(window.get());
        list->setGeometry(0, 0, 480, 280);
        list->InsertColumn(0, "Name", CListCtrl::LVCFMT_LEFT, 100);
        list->InsertColumn(1, "Wert", CListCtrl::LVCFMT_RIGHT, 120);
        list->InsertColumn(2, "Datum", CListCtrl::LVCFMT_LEFT, 40);
        list->InsertColumn(3, "Auswahl", CListCtrl::LVCFMT_LEFT, 100);
        list->InsertColumn(4, "Zeit", CListCtrl::LVCFMT_LEFT, 100);
        for (int r = 0; r < 5; ++r) {
            list->InsertItem(r, QString("Zeile %1").arg(r));
            list->SetItemText(r, 1, QString::number(r * 10));
            list->SetItemText(r, 3, "B");
            list->SetItemText(r, 2, CInPlaceDateTimeCtrl::FormatDate(QDate(2024, 3, 5)));
            list->SetItemText(r, 4, "13:45:10");
        }
        choices = {"A", "B", "C", "B"};
        list->m_aColumnEditor = {ColumnEditorKind::TextEdit(), ColumnEditorKind::TextEdit(),
                                 ColumnEditorKind::DatePicker(), ColumnEditorKind::DropDown(&choices),
                                 ColumnEditorKind::TimePicker()};
        list->SetEditLabels(true);
        QObject::connect(list, &CListCtrl::EndLabelEdit, [this](int r, int c, const QString& t, int id) {
            edits.push_back({r, c, t, id});
        });
        // Another control of the window, beside the list.
        other = new QPushButton("x", window.get());
        other->setGeometry(485, 5, 10, 10);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

    QPoint CellPoint(int row, int column)
    {
        const QRect r = list->GetItemRect(row);
        const int x = list->header()->sectionViewportPosition(column) + 10;
        return {x, r.center().y()};
    }
    void Click(int row, int column)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellPoint(row, column));
        QApplication::processEvents();
    }
    template <class T>
    T* Editor()
    {
        return list->viewport()->findChild<T*>(QString(), Qt::FindDirectChildrenOnly);
    }
    void Flush()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    std::unique_ptr<QDialog> window;
    CEditListCtrl* list = nullptr;
    QPushButton* other = nullptr;
    QStringList choices;
    std::vector<Edit> edits;
    MessageLog messages;
};

}  // namespace

TEST_F(EditListFixture, ClickOnSecondColumnOpensEditorOverCell)
{
    Click(1, 1);
    auto* editor = Editor<CInPlaceEdit>();
    ASSERT_NE(editor, nullptr);
    const QRect row = list->GetItemRect(1);
    const int cellLeft = list->header()->sectionViewportPosition(1);
    EXPECT_EQ(editor->geometry(), QRect(cellLeft + 4, row.top(), 120 - 3, row.height()));
    EXPECT_EQ(editor->text(), "10");
    EXPECT_EQ(editor->selectedText(), "10");
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_TRUE(editor->alignment() & Qt::AlignRight);
}

TEST_F(EditListFixture, FirstColumnAndListWithoutEditStyleOpenNothing)
{
    Click(2, 0);
    EXPECT_EQ(Editor<CInPlaceEdit>(), nullptr);
    EXPECT_TRUE(list->IsItemSelected(2));
    list->SetEditLabels(false);
    Click(2, 1);
    EXPECT_EQ(Editor<CInPlaceEdit>(), nullptr);
    // Outside any row.
    list->SetEditLabels(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, list->viewport()->height() - 2));
    EXPECT_EQ(Editor<CInPlaceEdit>(), nullptr);
}

TEST_F(EditListFixture, EnterSendsOnceAndFocusLossSendsTheTypedTextToo)
{
    Click(0, 1);
    QPointer<CInPlaceEdit> editor = Editor<CInPlaceEdit>();
    ASSERT_TRUE(editor);
    editor->setText("99");
    // Clicking elsewhere (focus to another control) ends the edit with the typing.
    auto* other = new QPushButton("x", window.get());
    other->setGeometry(490, 290, 5, 5);
    other->show();
    other->setFocus();
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, "99");
    EXPECT_FALSE(editor);

    Click(0, 1);
    editor = Editor<CInPlaceEdit>();
    ASSERT_TRUE(editor);
    editor->setText("77");
    QTest::keyClick(editor, Qt::Key_Return);
    Flush();
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1].row, 0);
    EXPECT_EQ(edits[1].column, 1);
    EXPECT_EQ(edits[1].text, "77");
    EXPECT_EQ(edits[1].id, 2000);
    EXPECT_FALSE(editor);
    // The list never writes the cell itself.
    EXPECT_EQ(list->GetItemText(0, 1), "0");
    EXPECT_TRUE(list->hasFocus());
}

// A text the project file and the device cannot hold as shown, ended by
// Enter or by a click on another row: the owner is not offered it, the cell
// keeps its text, and a message names what is wrong once the editor has
// gone. A text they can hold is offered.
TEST_F(EditListFixture, EnterOnATextTheRuleRefusesOffersNothingAndSaysWhy)
{
    const std::pair<const char*, const char*> rows[] = {
        {"A漢", "'漢' (U+6F22)"}, {"Wert ?", "'Wert ?' würde"}, {"äöüß€é", nullptr}};
    for (const bool byEnter : {true, false}) {
        for (const auto& [typed, told] : rows) {
            SCOPED_TRACE(std::string(typed) + (byEnter ? ", Enter" : ", another row"));
            edits.clear();
            messages.texts.clear();
            Click(1, 0);
            Click(1, 1);
            QPointer<CInPlaceEdit> editor = Editor<CInPlaceEdit>();
            ASSERT_TRUE(editor);
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            TypeAsKeyboard(editor, QString::fromUtf8(typed));
            if (byEnter)
                QTest::keyClick(editor, Qt::Key_Return);
            else
                Click(3, 0);
            Flush();
            EXPECT_FALSE(editor);
            EXPECT_EQ(list->GetItemText(1, 1), "10");
            EXPECT_EQ(told ? 0u : 1u, edits.size());
            EXPECT_EQ(told ? 1u : 0u, messages.texts.size());
            EXPECT_TRUE(!told || messages.Contains(told));
        }
    }
}

// How an edit ends decides what reaches the owner, for every kind of editor:
// Enter and leaving the editor (a click on another row, Tab, a click on the
// list's empty part or on another control) end it with what was typed,
// checked as on Enter, and the click goes on to do what it does; an editor
// left untouched offers nothing; Escape ends it without. A typed time that is
// no time is told and offered neither way. (The choice list offers its
// choice whenever it closes.)
TEST_F(EditListFixture, AnEditEndsWithItsTextByEnterOrLeavingAndWithoutByEscape)
{
    enum End { Enter, OtherRow, Tab, EmptyArea, OtherControl, Escape };
    // `offers`: the text the owner gets, "=" the date the picker shows after
    // its day was stepped, nullptr none.
    struct Row {
        const char* what;
        int column;
        const char* keys;
        bool step;
        End end;
        const char* offers;
        uint32_t told;
    } const rows[] = {
        {"text, another row", 1, "4,25", false, OtherRow, "4,25", 0},
        {"text, Tab", 1, "4,25", false, Tab, "4,25", 0},
        {"text, the list's empty part", 1, "4,25", false, EmptyArea, "4,25", 0},
        {"text, another control", 1, "4,25", false, OtherControl, "4,25", 0},
        {"text, Escape", 1, "4,25", false, Escape, nullptr, 0},
        {"text untouched, another row", 1, "", false, OtherRow, nullptr, 0},
        {"date stepped, another row", 2, "", true, OtherRow, "=", 0},
        {"date stepped, Tab", 2, "", true, Tab, "=", 0},
        {"time typed, Tab", 4, "1705", false, Tab, "17:05:10", 0},
        {"date stepped, Escape", 2, "", true, Escape, nullptr, 0},
        {"time typed, the list's empty part", 4, "1705", false, EmptyArea, "17:05:10", 0},
        {"time that is none, another row", 4, "25", false, OtherRow, nullptr, uistr::BadTime},
        {"time that is none, Enter", 4, "25", false, Enter, nullptr, uistr::BadTime},
        {"time untouched, another row", 4, "", false, OtherRow, nullptr, 0},
        {"choice, another row", 3, "", false, OtherRow, "B", 0},
        {"choice, Escape", 3, "", false, Escape, nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        edits.clear();
        messages.texts.clear();
        Click(1, 0);
        Click(1, row.column);
        QPointer<QWidget> editor = QApplication::focusWidget();
        ASSERT_TRUE(editor && editor->parentWidget() == list->viewport()) << "no editor took the keys";
        QTest::keyClicks(editor, QString::fromLatin1(row.keys));
        if (row.step)
            QTest::keyClick(editor, Qt::Key_Up);
        auto* picker = qobject_cast<CInPlaceDateTimeCtrl*>(editor.data());
        const QString stepped = picker ? CInPlaceDateTimeCtrl::FormatDate(picker->date()) : QString();
        switch (row.end) {
        case Enter: QTest::keyClick(editor, Qt::Key_Return); break;
        case OtherRow: Click(3, 0); break;
        case Tab:
            // A picker's Tab goes from part to part first, and leaves it from the last.
            for (int part = 0; part < 4 && editor && editor->hasFocus(); ++part)
                QTest::keyClick(editor, Qt::Key_Tab);
            break;
        case EmptyArea:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, list->viewport()->height() - 2));
            break;
        case OtherControl: QTest::mouseClick(other, Qt::LeftButton); break;
        case Escape: QTest::keyClick(editor, Qt::Key_Escape); break;
        }
        Flush();
        EXPECT_FALSE(editor) << "the editor is gone";
        if (!row.offers) {
            EXPECT_TRUE(edits.empty()) << edits.front().text.toStdString();
        } else {
            ASSERT_EQ(edits.size(), 1u);
            EXPECT_EQ(edits[0].row, 1);
            EXPECT_EQ(edits[0].column, row.column);
            if (row.column == 4)
                EXPECT_EQ(CInPlaceDateTimeCtrl::ParseTime(edits[0].text), QTime::fromString(row.offers, "HH:mm:ss"));
            else
                EXPECT_EQ(edits[0].text, QString::fromLatin1(row.offers) == "=" ? stepped : row.offers);
        }
        EXPECT_EQ(messages.texts, row.told ? std::vector<std::string>{LoadStringId(row.told)}
                                           : std::vector<std::string>{});
        if (row.end == OtherRow) {
            EXPECT_TRUE(list->IsItemSelected(3)) << "the click went on to choose its row";
        }
    }
}

TEST_F(EditListFixture, EscapeSendsNothingAndNeverReachesDialog)
{
    auto* dlg = new CResizableDialog(9999);
    dlg->resize(300, 200);
    auto* l = new CEditListCtrl(dlg);
    l->setGeometry(0, 0, 300, 200);
    l->InsertColumn(0, "a", 0, 100);
    l->InsertColumn(1, "b", 0, 100);
    l->InsertItem(0, "x");
    l->SetItemText(0, 1, "y");
    l->SetEditLabels(true);
    int sent = 0;
    QObject::connect(l, &CListCtrl::EndLabelEdit, [&] { ++sent; });
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    const QRect r = l->GetItemRect(0);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, QPoint(150, r.center().y()));
    auto* editor = l->viewport()->findChild<CInPlaceEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    Flush();
    EXPECT_EQ(sent, 0);
    EXPECT_TRUE(dlg->isVisible());  // Escape did not close the dialog
    // Enter does not press the dialog's default button either.
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, QPoint(150, r.center().y()));
    editor = l->viewport()->findChild<CInPlaceEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Enter);
    Flush();
    EXPECT_EQ(sent, 1);
    EXPECT_TRUE(dlg->isVisible());
    delete dlg;
    QSettings().remove(CResizableDialog::PlacementKey(9999));
}

TEST_F(EditListFixture, DatePickerOverNarrowColumnIs70Wide)
{
    Click(3, 2);
    auto* picker = Editor<CInPlaceDateTimeCtrl>();
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(picker->IsTimePicker());
    EXPECT_EQ(picker->width(), 70);
    const QRect row = list->GetItemRect(3);
    EXPECT_EQ(picker->geometry().height(), row.height() + 4);
    EXPECT_EQ(picker->date(), QDate(2024, 3, 5));
    picker->setDate(QDate(2025, 12, 24));
    QTest::keyClick(picker, Qt::Key_Return);
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, CInPlaceDateTimeCtrl::FormatDate(QDate(2025, 12, 24)));
    EXPECT_EQ(edits[0].id, 1000);
}

TEST_F(EditListFixture, TimePickerSends24HourTimeOnEnterAndNothingOnEscape)
{
    Click(1, 4);
    auto* picker = Editor<CInPlaceDateTimeCtrl>();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->IsTimePicker());
    EXPECT_EQ(picker->time(), QTime(13, 45, 10));
    QTest::keyClick(picker, Qt::Key_Escape);
    Flush();
    EXPECT_TRUE(edits.empty());
    Click(1, 4);
    picker = Editor<CInPlaceDateTimeCtrl>();
    ASSERT_NE(picker, nullptr);
    picker->setTime(QTime(17, 5, 0));
    QTest::keyClick(picker, Qt::Key_Return);
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_TRUE(edits[0].text.startsWith("17")) << edits[0].text.toStdString();
    EXPECT_EQ(CInPlaceDateTimeCtrl::ParseTime(edits[0].text), QTime(17, 5, 0));
}

TEST_F(EditListFixture, ComboPreselectsFirstMatchAndSendsOnSelectionChange)
{
    Click(2, 3);
    auto* combo = Editor<CInPlaceComboBox>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), 1);  // "B" appears twice: the first one
    EXPECT_EQ(combo->height(), list->GetItemRect(2).height());
    EXPECT_EQ(combo->maxVisibleItems(), 15);  // the drop-down's room
    QTest::keyClick(combo, Qt::Key_Down);
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, "C");
    EXPECT_EQ(edits[0].id, 3000);
    EXPECT_EQ(Editor<CInPlaceComboBox>(), nullptr);
}

TEST_F(EditListFixture, ComboEscapeSendsNothing)
{
    Click(2, 3);
    auto* combo = Editor<CInPlaceComboBox>();
    ASSERT_NE(combo, nullptr);
    QTest::keyClick(combo, Qt::Key_Escape);
    Flush();
    EXPECT_TRUE(edits.empty());
    EXPECT_EQ(Editor<CInPlaceComboBox>(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(EditListFixture, ComboWithoutMatchSelectsNothingAndFocusLossSends)
{
    list->SetItemText(4, 3, "b");  // case differs: no match
    Click(4, 3);
    auto* combo = Editor<CInPlaceComboBox>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), -1);
    list->setFocus();
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, "");
}

TEST_F(EditListFixture, CellScrolledOutIsBroughtToLeftEdge)
{
    list->setGeometry(0, 0, 150, 280);
    QApplication::processEvents();
    list->setCurrentItem(list->Row(1));
    auto* editor = list->EditText(1, 3);
    ASSERT_NE(editor, nullptr);
    EXPECT_GT(list->horizontalScrollBar()->value(), 0);
    const int cellStart = list->header()->sectionViewportPosition(3);
    EXPECT_EQ(editor->x(), cellStart + 4);
    EXPECT_LE(editor->geometry().right() + 1, list->GetClientWidth());
}

TEST_F(EditListFixture, NarrowColumnsOpenNothing)
{
    list->SetColumnWidth(1, 4);
    list->SetColumnWidth(3, 9);
    EXPECT_EQ(list->EditText(0, 1), nullptr);
    EXPECT_EQ(list->EditCombo(0, 3, &choices, -1), nullptr);
    EXPECT_EQ(list->EditText(0, 7), nullptr);
    EXPECT_EQ(list->EditText(42, 1), nullptr);
    list->SetColumnWidth(1, 5);
    EXPECT_NE(list->EditText(0, 1), nullptr);
}

TEST_F(EditListFixture, HitTestAndSelectedItems)
{
    int column = -1;
    EXPECT_EQ(list->HitTestEx(CellPoint(2, 3), &column), 2);
    EXPECT_EQ(column, 3);
    // Column spans include both ends.
    const QRect r = list->GetItemRect(1);
    EXPECT_EQ(list->HitTestEx(QPoint(100, r.center().y()), &column), 1);
    EXPECT_EQ(column, 0);
    // Beyond the last column: no hit.
    EXPECT_EQ(list->HitTestEx(QPoint(470, r.center().y()), &column), -1);
    EXPECT_EQ(list->HitTestEx(QPoint(10, list->viewport()->height() - 1), &column), -1);

    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->Row(1)->setSelected(true);
    list->Row(3)->setSelected(true);
    QList<int> rows{42};
    EXPECT_EQ(list->GetSelectedItems(&rows), 3);
    EXPECT_EQ(rows, (QList<int>{42, 1, 3}));
    EXPECT_EQ(list->GetSelectedItems(nullptr), 0);
}

TEST(EditListCtrl, ColumnSharesOnReposition)
{
    QDialog dlg;
    dlg.resize(400, 300);
    auto* list = new CEditListCtrl(&dlg);
    list->setGeometry(0, 0, 200, 100);
    list->InsertColumn(0, "a", 0, 50);
    list->InsertColumn(1, "b", 0, 50);
    list->InsertColumn(2, "c", 0, 33);
    list->m_aColumnPercent = {30, 60};
    dlg.show();
    list->OnInitCtrl();
    dlg.resize(800, 600);
    list->OnReposition(&dlg);
    EXPECT_EQ(list->geometry(), QRect(0, 0, 400, 200));
    EXPECT_EQ(list->GetColumnWidth(0), 120);
    EXPECT_EQ(list->GetColumnWidth(1), 240);
    EXPECT_EQ(list->GetColumnWidth(2), 33);  // no share: unchanged
}

TEST(ListCtrl, InsertColumnShiftsContents)
{
    CListCtrl list;
    list.InsertColumn(0, "a");
    list.InsertColumn(1, "c", CListCtrl::LVCFMT_RIGHT);
    list.InsertItem(0, "x");
    list.SetItemText(0, 1, "z");
    list.InsertColumn(1, "b", CListCtrl::LVCFMT_CENTER);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnHeading(1), "b");
    EXPECT_EQ(list.GetColumnHeading(2), "c");
    EXPECT_EQ(list.GetColumnFormat(2), CListCtrl::LVCFMT_RIGHT);
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemText(0, 2), "z");
}

TEST_F(EditListFixture, ComboDropDownClosingSendsEscapeInsideCancels)
{
    Click(1, 3);
    auto* combo = Editor<CInPlaceComboBox>();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QApplication::processEvents();
    // Escape inside the dropped-down list cancels the whole edit.
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    Flush();
    EXPECT_TRUE(edits.empty());
    EXPECT_EQ(Editor<CInPlaceComboBox>(), nullptr);

    Click(1, 3);
    combo = Editor<CInPlaceComboBox>();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QApplication::processEvents();
    combo->hidePopup();  // closed without a new choice: the shown text is sent
    Flush();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, "B");
    EXPECT_EQ(Editor<CInPlaceComboBox>(), nullptr);
}

TEST_F(EditListFixture, ScrollingEndsAnOpenEditorWithItsText)
{
    Click(0, 1);
    QPointer<CInPlaceEdit> editor = Editor<CInPlaceEdit>();
    ASSERT_TRUE(editor);
    editor->setText("55");
    list->setGeometry(0, 0, 150, 280);
    QApplication::processEvents();
    list->horizontalScrollBar()->setValue(30);
    Flush();
    EXPECT_FALSE(editor);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].text, "55");
    EXPECT_EQ(edits[0].row, 0);
}

// A click takes a chosen row away from a multiple choice, and so does
// Ctrl+click in an extended one; a plain click still chooses the row alone.
TEST_F(EditListFixture, AClickOnAChosenRowTakesItAwayWhereClicksAddAndRemove)
{
    list->SetEditLabels(false);
    auto chosen = [this] {
        QList<int> rows;
        list->GetSelectedItems(&rows);
        return rows;
    };
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->clearSelection();
    Click(0, 0);
    Click(2, 1);
    EXPECT_EQ(chosen(), (QList<int>{0, 2}));
    Click(0, 0);  // the row that is chosen but not the current one
    EXPECT_EQ(chosen(), (QList<int>{2}));
    Click(2, 0);  // the current, chosen row
    EXPECT_TRUE(chosen().isEmpty());
    Click(2, 0);
    EXPECT_EQ(chosen(), (QList<int>{2}));

    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Click(1, 0);
    EXPECT_EQ(chosen(), (QList<int>{1}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, CellPoint(3, 0));
    EXPECT_EQ(chosen(), (QList<int>{1, 3}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, CellPoint(1, 0));
    EXPECT_EQ(chosen(), (QList<int>{3}));
    Click(4, 0);
    EXPECT_EQ(chosen(), (QList<int>{4}));
}
