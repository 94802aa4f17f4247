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

    CRecorderFrm frame;
    CDropDownComboBox* combo = frame.GetView()->m_message;
    QLineEdit* edit = combo->lineEdit();
    ASSERT_EQ(QStringLiteral("Feueralarm"), edit->text());
    edit->setCursorPosition(5);
    QTest::keyClicks(edit, QStringLiteral("XY"));
    EXPECT_EQ(QStringLiteral("FeuerXYalarm"), edit->text());
    EXPECT_EQ(7, edit->cursorPosition());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));

    // To the next slot and back by key: the new name comes back, not the old.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(3, rec->GetInt(recorderkey::MessageNumber));
    EXPECT_EQ(QString::fromStdString(NameOf(*rec, 2)), edit->text());
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(QStringLiteral("FeuerXYalarm"), edit->text());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));
    EXPECT_EQ(QString::fromStdString(CInternalMessageRec::DefaultMessageName(2)), combo->itemText(2));

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
