// The recorder window without a device: naming a message slot in its
// editable list.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "audio/CInternalMessageRec.h"
#include "audio/windows/CRecorderFrm.h"
#include "audio/windows/CRecorderView.h"
#include "model/CIDManager.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
std::string NameOf(const CInternalMessageRec& rec, int slot)
{
    std::vector<std::string> names;
    rec.GetMessageNames(1, &names);
    return names.at(static_cast<size_t>(slot));
}
}  // namespace

TEST(RecorderWindow, TypingIntoAMessageNameKeepsTheCursorAndTheListRefillsWhenItDropsDown)
{
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    auto* rec = dynamic_cast<CInternalMessageRec*>(d.doc().GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC));
    ASSERT_TRUE(rec);
    rec->SetInt(recorderkey::MessageNumber, 2);
    rec->SetText(recorderkey::MessageName | (1u << 16), "Feueralarm");

    // The user's way in: the window shown and active, the keyboard in the
    // name's edit, the cursor moved by keys to just after "Feuer".
    CRecorderFrm frame;
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CDropDownComboBox* combo = frame.GetView()->m_message;
    QLineEdit* edit = combo->lineEdit();
    edit->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    ASSERT_EQ(QStringLiteral("Feueralarm"), edit->text());
    QTest::keyClick(edit, Qt::Key_End);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(edit, Qt::Key_Left);
    ASSERT_EQ(5, edit->cursorPosition());
    QTest::keyClicks(edit, QStringLiteral("XY"));
    EXPECT_EQ("FeuerXYalarm", edit->text().toStdString());
    EXPECT_FALSE(edit->hasSelectedText()) << edit->selectedText().toStdString();
    EXPECT_EQ(7, edit->cursorPosition());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));

    // To the next slot and back by key: the new name comes back, not the old.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(3, rec->GetInt(recorderkey::MessageNumber));
    EXPECT_EQ(QString::fromStdString(NameOf(*rec, 2)), edit->text());
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ("FeuerXYalarm", edit->text().toStdString());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));
    EXPECT_EQ(QString::fromStdString(CInternalMessageRec::DefaultMessageName(2)), combo->itemText(2));

    // A name typed anew that begins like another slot's stays what was typed:
    // the list offers no other slot's name to finish it.
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("Feuer"));
    EXPECT_EQ("Feuer", edit->text().toStdString());
    EXPECT_EQ("Feuer", NameOf(*rec, 2));
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));

    // Dropping down refills the list from the recorder and selects its slot.
    rec->SetText(recorderkey::MessageName | (4u << 16), "Räumung");
    rec->SetInt(recorderkey::MessageNumber, 5);
    combo->showPopup();
    EXPECT_EQ(QStringLiteral("Räumung"), combo->itemText(4));
    EXPECT_EQ(4, combo->currentIndex());
    EXPECT_EQ(QStringLiteral("Räumung"), edit->text());
    EXPECT_EQ(CInternalMessageRec::kMessageCount, combo->count());
    combo->hidePopup();
    EXPECT_EQ("Räumung", NameOf(*rec, 4));
}
