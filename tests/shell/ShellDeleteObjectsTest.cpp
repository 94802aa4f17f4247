// Deleting and renaming objects as the user does, in a project opened from
// its file: every link to a deleted object goes at both ends, the project is
// marked modified, and the project saved afterwards opens again and saves the
// same bytes (also when a card the deleted object hung on was drawn anew). A
// label taken with Enter as it stands changes nothing and says nothing, also
// where a card slot shares its name with a block of the project.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <set>

#include "ShellProgramTest.h"
#include "hardware/CDigitalSlot.h"
#include "logic/CCondition.h"
#include "model/CControlPad.h"
#include "shell/CLabelEdit.h"
#include "shell/ContextMenus.h"
#include "shell/ShellIds.h"
#include "support/LargestProject.h"

namespace {

bool DeleteOffered(CBaseDevice& obj)
{
    ContextMenu menu = BuildObjectMenu(obj, obj.m_contextMenuId);
    UpdateMenuState(menu, obj);
    std::function<bool(const ContextMenu&)> find = [&](const ContextMenu& m) {
        for (const ContextMenuItem& item : m) {
            if (item.kind == ContextMenuItem::Popup && find(item.items))
                return true;
            if (item.kind == ContextMenuItem::Command && item.id == objcmd::Delete && item.enabled)
                return true;
        }
        return false;
    };
    return find(menu);
}

std::set<const CBaseDevice*> AllObjects(const CQuillomerDoc& doc)
{
    std::set<const CBaseDevice*> all;
    for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (CBaseDevice* o : doc.GetList(c))
            all.insert(o);
    return all;
}

// Each link record whose partner is no object of the document, as text.
std::vector<std::string> Dangling(const CQuillomerDoc& doc)
{
    const std::set<const CBaseDevice*> all = AllObjects(doc);
    std::vector<std::string> found;
    for (const CBaseDevice* o : all) {
        for (const LinkRecord* r : o->m_outLinks)
            if (r->partner != LinkRecord::NoPartner() && !all.count(r->partner))
                found.push_back(o->GetName() + " out " + std::to_string(r->ownKey));
        for (const LinkRecord* r : o->m_inLinks)
            if (!all.count(r->partner))
                found.push_back(o->GetName() + " in " + std::to_string(r->ownKey));
    }
    return found;
}

class ShellDeleteObjects : public ShellProgramTest {
protected:
    // The mouse onto the object's point, which is brought into view first,
    // and the keyboard in the designer window.
    void PointAt(CBaseDevice* obj, const CPoint& logical)
    {
        ShowAround(logical);
        view->setFocus();
        MouseTo(view->LogicalToClient(logical));
        QApplication::processEvents();
        ASSERT_EQ(view->GetHotObject(), obj);
    }

    DialogWatch dialogs;  // any other dialog closed as with Escape
    QTemporaryDir dir;
};
using ShellRenameSameName = ShellDeleteObjects;

}  // namespace

// Every kind of object on the sheet of the largest project whose menu offers
// "Gerät löschen", deleted in turn through that entry.
TEST_F(ShellDeleteObjects, DeletingAnyKindOfObjectLeavesNoLinkToItAndMarksTheProject)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    largest::Build(*doc);
    // Opened once, as the user meets a saved project.
    ASSERT_TRUE(doc->LoadFromBytes(doc->SaveToBytes()));
    ASSERT_TRUE(Dangling(*doc).empty());

    // One object of every type and kind that offers deleting.
    std::map<std::pair<uint32_t, uint32_t>, CBaseDevice*> victims;
    for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (CBaseDevice* o : doc->GetList(c))
            if (!victims.count({o->GetType(), o->GetKindId()}) && o->GetRect().Width() > 1 && DeleteOffered(*o))
                victims[{o->GetType(), o->GetKindId()}] = o;
    ASSERT_GT(victims.size(), 5u);
    for (const auto& [key, victim] : victims) {
        if (!AllObjects(*doc).count(victim))
            continue;  // gone with an object deleted before
        const std::string name = victim->GetName();
        SCOPED_TRACE(name + " type " + std::to_string(key.first) + " kind " + std::to_string(key.second));
        doc->SetModifiedFlag(false);
        victim->OnCommand(objcmd::Delete);
        QApplication::processEvents();
        EXPECT_FALSE(AllObjects(*doc).count(victim));
        EXPECT_TRUE(doc->IsModified());
        const std::vector<std::string> dangling = Dangling(*doc);
        EXPECT_TRUE(dangling.empty()) << dangling.front();
        if (!dangling.empty())
            break;
        const std::vector<uint8_t> b = doc->SaveToBytes();
        CQuillomerDoc re;
        ASSERT_TRUE(re.LoadFromBytes(b));
        EXPECT_TRUE(re.SaveToBytes() == b) << "the reopened project saves other bytes";
    }
    const std::vector<uint8_t> bytes = doc->SaveToBytes();
    CQuillomerDoc again;
    ASSERT_TRUE(again.LoadFromBytes(bytes));
    EXPECT_EQ(again.SaveToBytes(), bytes);
}

// A pad of the digital card deleted with the Delete key under the mouse, in
// a project opened from its file, then saved through the menu: the file opens
// again and saves the very same bytes.
TEST_F(ShellDeleteObjects, PadDeletedByKeyLeavesAFileThatReopensByteForByte)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const QString first = dir.filePath("Anlage.qlx");
    const QString second = dir.filePath("Anlage2.qlx");
    CBaseDevice* card = doc->GetList(CAT_DIGITAL_SLOT).front();
    card->OnCommand(digitalslot::CmdFitted);
    card->SetHoverConnectors(2, -1);
    card->OnCommand(digitalslot::CmdInput);
    card->SetHoverConnectors(-1, -1);
    SaveTo(first);
    ASSERT_TRUE(tpl->SaveDocument(doc, true));
    tpl->CloseAllDocuments();
    auto bytesOf = [](const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };

    ASSERT_NO_FATAL_FAILURE(Open(first));
    CBaseDevice* pad = nullptr;
    for (CBaseDevice* o : doc->GetList(CAT_DIGITAL_IO))
        if (o->GetKindId() == padkind::SlotIn && !o->GetRect().IsRectEmpty())
            pad = o;
    ASSERT_NE(pad, nullptr);
    ASSERT_NO_FATAL_FAILURE(PointAt(pad, pad->GetRect().CenterPoint()));
    QTest::keyClick(view, Qt::Key_Delete);
    QApplication::processEvents();
    for (CBaseDevice* o : doc->GetList(CAT_DIGITAL_IO))
        ASSERT_NE(o, pad);
    EXPECT_TRUE(Dangling(*doc).empty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "Anlage *");
    frame->FindMenuAction(ids::FileSave)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(doc->IsModified());
    const QByteArray saved = bytesOf(first);
    tpl->CloseAllDocuments();

    // Opened again and saved under a second name, unchanged.
    SaveTo(second);
    CQuillomerDoc* again = tpl->OpenDocumentFile(first);
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(tpl->SaveDocument(again, true));
    EXPECT_TRUE(bytesOf(second) == saved) << "the reopened project saves other bytes";
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
}

// An output of the digital card that a condition watches: its menu does not
// offer "Gerät löschen", and the Delete key under the mouse leaves it, its
// condition's link and the project as they were.
TEST_F(ShellDeleteObjects, TheDeleteKeyLeavesAPadThatAConditionWatches)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    CBaseDevice* card = doc->GetList(CAT_DIGITAL_SLOT).front();
    card->OnCommand(digitalslot::CmdFitted);
    card->SetHoverConnectors(-1, 1);
    card->OnCommand(digitalslot::CmdOutput);
    card->SetHoverConnectors(-1, -1);
    CBaseDevice* pad = nullptr;
    for (CBaseDevice* o : doc->GetList(CAT_DIGITAL_IO))
        if (o->GetKindId() == padkind::SlotOut)
            pad = o;
    ASSERT_NE(pad, nullptr);
    auto* condition = new CCondition;
    ASSERT_EQ(1, condition->Create(CCondition::kKindId, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0,
                                   CAT_DIGITAL_IO, 0, 3, doc));
    doc->AddObject(condition, CAT_DIGITAL_IO);
    // The condition watches the output (as its window links it).
    condition->AddOutLink(condition, 0, pad, 1, pad->GetCategory());
    pad->AddInLink(pad, 1, condition, 0, condition->GetCategory());
    doc->SetModifiedFlag(false);
    const std::vector<uint8_t> before = doc->SaveToBytes();
    EXPECT_FALSE(DeleteOffered(*pad));

    ASSERT_NO_FATAL_FAILURE(PointAt(pad, pad->GetRect().CenterPoint()));
    QTest::keyClick(view, Qt::Key_Delete);
    QApplication::processEvents();

    EXPECT_TRUE(AllObjects(*doc).count(pad));
    EXPECT_EQ(condition->GetOutLinkAtKey(0) ? condition->GetOutLinkAtKey(0)->partner : nullptr, pad);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->SaveToBytes() == before);
}

// Renaming on the sheet of a reopened project, where the card slots
// "Makro", "Kalender" and "Trigger" share their names with the blocks the
// project holds: opening a label and taking it with Enter as it stands
// changes nothing and says nothing.
TEST_F(ShellRenameSameName, EnterOnAnUnchangedLabelKeepsTheNameAndTheProjectUnchanged)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram("German", 0));
    ASSERT_NO_FATAL_FAILURE(SaveNewAndReopen(dir.filePath("Anlage.qlx")));

    for (const char* name : {"Makro", "Kalender", "Trigger"}) {
        SCOPED_TRACE(name);
        CBaseDevice* slot = nullptr;
        int named = 0;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* o : doc->GetList(c))
                if (o->GetName() == name) {
                    ++named;
                    if (c == CAT_INTERNAL_SLOT)
                        slot = o;
                }
        ASSERT_NE(slot, nullptr);
        ASSERT_EQ(named, 2);  // the slot and the block of the same name

        ShowAround(slot->GetRect().CenterPoint());
        view->viewport()->repaint();  // the label placed as it is drawn
        const CPoint label = slot->GetLabelRect().CenterPoint();
        ASSERT_NO_FATAL_FAILURE(PointAt(slot, label));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->LogicalToClient(label));
        CLabelEdit* edit = view->GetLabelEdit();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text().toStdString(), name);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(view->GetLabelEdit(), nullptr);
        EXPECT_EQ(slot->GetName(), name);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
        messages.messages.clear();
    }
}
