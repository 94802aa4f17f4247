// The amplifier properties dialog: channel feeds, model changes, the load
// warning, the tree and the buttons; and the extended amplifier window.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyleOptionComboBox>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

#include "hardware/CAmplifier.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CInfoSlot.h"
#include "hardware/windows/CAmpFrm.h"
#include "hardware/windows/CAmpPropDlg.h"
#include "hardware/windows/CAmpView.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CEditListCtrl.h"
#include "ui/CResizableComboBox.h"
#include "ui/CTreeCtrlEx.h"

namespace {

constexpr uint32_t k4ChRemote = 33074;  // "HBE 6683 (4x1)"
constexpr uint32_t k2ChRemote = 33078;  // "HBE 6683 (2x2)"
constexpr uint32_t k1ChPlain = 33007;   // "HBE 6631"

int g_chosenAddress = -1;
bool ChooseAddress(QWidget*, CAmplifier*, int& address)
{
    address = g_chosenAddress;
    return true;
}

class AmpPropDlgTest : public ::testing::Test {
protected:
    AmpPropDlgTest()
    {
        host.bitmaps[150] = CSize(40, 60);
        host.bitmaps[193] = CSize(60, 120);
        host.bitmaps[456] = CSize(50, 80);
        slot3 = MakeSlot(33014, "Slot3");
        slot4 = MakeSlot(33015, "Slot4");
        m_previousChooser = CAmpPropDlg::SetAddressChooser(&ChooseAddress);
    }
    ~AmpPropDlgTest() override { CAmpPropDlg::SetAddressChooser(m_previousChooser); }

    CQuillomerDoc& Doc() { return doc.doc(); }

    CAudioOutputSlot* MakeSlot(uint32_t kind, const char* name)
    {
        auto* slot = new CAudioOutputSlot;
        EXPECT_EQ(1, slot->Create(kind, 1, 2, name, 2107, 2088, 2163, 2228, CAT_OUTPUT_SLOT, 0, 0, &Doc()));
        Doc().AddObject(slot, CAT_OUTPUT_SLOT);
        return slot;
    }

    CAmplifier* MakeAmp(uint32_t kind)
    {
        const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(kind);
        auto* amp = new CAmplifier;
        EXPECT_EQ(1, amp->Create(kind, row->channels, row->channels, nullptr, 100, 200, 100, 200, CAT_AMPLIFIER,
                                 row->bitmapId, 0, &Doc()));
        Doc().AddObject(amp, CAT_AMPLIFIER);
        return amp;
    }

    template <class T>
    static T* Control(QWidget& dlg, int id)
    {
        T* w = dlg.findChild<T*>(QString::number(id));
        EXPECT_NE(nullptr, w) << id;
        return w;
    }

    static void Choose(QComboBox* combo, int pos)
    {
        combo->setCurrentIndex(pos);
        emit combo->activated(pos);
    }

    static size_t LinksBetween(const CBaseDevice* a, const CBaseDevice* b)
    {
        size_t n = 0;
        for (const LinkRecord* r : a->m_outLinks)
            n += r->partner == b;
        for (const LinkRecord* r : b->m_inLinks)
            n += r->partner == a;
        return n;
    }

    blocktest::ActiveDoc doc;
    ModelTestHost host;
    MessageLog messages;
    RecordingView view;
    CAudioOutputSlot* slot3 = nullptr;
    CAudioOutputSlot* slot4 = nullptr;

private:
    CAmpPropDlg::AddressChooser m_previousChooser = nullptr;
};

}  // namespace

TEST_F(AmpPropDlgTest, OpensWithOutputsModelsAndTree)
{
    CAmplifier* a1 = MakeAmp(k4ChRemote);
    CAmplifier* a2 = MakeAmp(k1ChPlain);
    a2->LinkTo(0, slot4, 1);
    CAmpPropDlg dlg(a2);

    ASSERT_EQ(4u, dlg.GetOutputEntries().size());
    EXPECT_EQ(slot4, dlg.GetOutputEntries()[3].slot);
    EXPECT_EQ(1, dlg.GetOutputEntries()[3].output);
    auto* ch1 = Control<QComboBox>(dlg, 1044);
    ASSERT_EQ(5, ch1->count());
    EXPECT_EQ("OUT1", ch1->itemText(0).toStdString());
    EXPECT_EQ("OUT4", ch1->itemText(3).toStdString());
    EXPECT_EQ("Nicht benutzt", ch1->itemText(4).toStdString());
    EXPECT_EQ(CAmpPropDlg::kNotUsed, ch1->itemData(4).toInt());
    // The existing feed is shown and remembered.
    EXPECT_EQ(3, ch1->currentIndex());
    EXPECT_EQ(3, dlg.GetRememberedSelection(0));

    auto* model = Control<QComboBox>(dlg, 1043);
    EXPECT_EQ(18, model->count());
    EXPECT_EQ("HBE 6631", model->currentText().toStdString());

    auto* tree = Control<QTreeWidget>(dlg, 1003);
    ASSERT_EQ(1, tree->topLevelItemCount());
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ("Verstärker", root->text(0).toStdString());
    ASSERT_EQ(2, root->childCount());
    EXPECT_EQ(a1, CTreeCtrlEx::ObjectOf(root->child(0)));
    EXPECT_EQ(5, root->child(0)->data(0, CAmpPropDlg::kImageRole).toInt());
    EXPECT_EQ(2, root->child(1)->data(0, CAmpPropDlg::kImageRole).toInt());
    EXPECT_EQ(root->child(1), tree->currentItem());

    // A one-channel model without the remote module.
    EXPECT_FALSE(Control<QWidget>(dlg, 1011)->isHidden());
    EXPECT_FALSE(Control<QWidget>(dlg, 1044)->isHidden());
    for (int id : {1012, 1013, 1014, 1045, 1046, 1047, 1251, 1252, 1253})
        EXPECT_TRUE(Control<QWidget>(dlg, id)->isHidden()) << id;
    EXPECT_EQ("200 W", Control<QLabel>(dlg, 1250)->text().toStdString());
    EXPECT_FALSE(Control<QWidget>(dlg, 1507)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(dlg, 1547)->isEnabled());
    EXPECT_EQ("Addresse", Control<QPushButton>(dlg, 1547)->text().toStdString());
    EXPECT_FALSE(dlg.IsApplyEnabled());
}

TEST_F(AmpPropDlgTest, ApplyLinksAndUnlinksChannels)
{
    CAmplifier* amp = MakeAmp(k2ChRemote);
    amp->LinkTo(0, slot3, 0);
    CAmpPropDlg dlg(amp);
    auto* ch1 = Control<QComboBox>(dlg, 1044);
    auto* ch2 = Control<QComboBox>(dlg, 1045);

    Choose(ch1, 4);  // "Nicht benutzt"
    Choose(ch2, 2);  // OUT3
    EXPECT_TRUE(dlg.IsApplyEnabled());
    QTest::mouseClick(Control<QPushButton>(dlg, 12321), Qt::LeftButton);
    EXPECT_FALSE(dlg.IsApplyEnabled());

    // Channel 0's feed is gone at both ends; channel 1 feeds from slot 4 output 0.
    EXPECT_EQ(0u, LinksBetween(amp, slot3));
    const LinkRecord* out = amp->GetOutLinkAtKey(1);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(slot4, out->partner);
    EXPECT_EQ(0, out->partnerKey);
    EXPECT_EQ(CAT_OUTPUT_SLOT, out->partnerCategory);
    const LinkRecord* in = slot4->GetInLinkAtKey(0);
    ASSERT_NE(nullptr, in);
    EXPECT_EQ(amp, in->partner);
    EXPECT_EQ(1, in->partnerKey);
    EXPECT_EQ(CAT_AMPLIFIER, in->partnerCategory);
    EXPECT_EQ(3, amp->m_lanes[1]);
    EXPECT_EQ(nullptr, amp->GetOutLinkAtKey(0));

    // Applying again keeps exactly one link per channel.
    Choose(ch2, 2);
    QTest::mouseClick(Control<QPushButton>(dlg, 12321), Qt::LeftButton);
    EXPECT_EQ(2u, LinksBetween(amp, slot4));
    EXPECT_TRUE(messages.texts.empty());
}

// What is shown, chosen again with the keyboard (the list opened and Enter
// on the entry shown, or another entry and back) and confirmed with OK,
// changes nothing: the feeds stay as they were and the project unmarked.
TEST_F(AmpPropDlgTest, ChoosingWhatIsShownAgainChangesNothing)
{
    const struct {
        int combo;  // the model, or a channel's feed
        std::vector<Qt::Key> keys;
    } rows[] = {
        {1043, {Qt::Key_F4, Qt::Key_Return}},
        {1044, {Qt::Key_F4, Qt::Key_Return}},
        {1044, {Qt::Key_Down, Qt::Key_Up}},
        {1045, {Qt::Key_F4, Qt::Key_Return}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.combo);
        CAmplifier* amp = MakeAmp(k4ChRemote);
        CAmplifier* other = MakeAmp(k4ChRemote);
        amp->LinkTo(0, slot3, 0);
        other->LinkTo(0, slot3, 0);
        amp->m_lanes[0] = 2;  // drawn on another lane than the entry's own
        Doc().SetModifiedFlag(false);
        const std::vector<uint8_t> ampBefore = amp->StoredForm(), slotBefore = slot3->StoredForm();
        {
            CAmpPropDlg dlg(amp);
            dlg.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
            auto* combo = Control<QComboBox>(dlg, row.combo);
            combo->setFocus();
            for (Qt::Key key : row.keys) {
                QWidget* target = combo->view()->isVisible() ? combo->view() : static_cast<QWidget*>(combo);
                QTest::keyClick(target, key);
                QApplication::processEvents();
            }
            QTest::mouseClick(Control<QPushButton>(dlg, 1), Qt::LeftButton);
        }
        EXPECT_EQ(ampBefore, amp->StoredForm());
        EXPECT_EQ(slotBefore, slot3->StoredForm());
        EXPECT_FALSE(Doc().IsModified());
    }
}

TEST_F(AmpPropDlgTest, ModelChangeDropsFeedsAndUpdatesTree)
{
    CAmplifier* amp = MakeAmp(k4ChRemote);
    for (int c = 0; c < 4; ++c)
        amp->LinkTo(c, c < 2 ? slot3 : slot4, c % 2);
    CAmpPropDlg dlg(amp);
    auto* model = Control<QComboBox>(dlg, 1043);
    Choose(model, model->findData(k1ChPlain));
    Choose(Control<QComboBox>(dlg, 1044), 1);  // OUT2 for the one remaining channel
    QTest::mouseClick(Control<QPushButton>(dlg, 12321), Qt::LeftButton);

    EXPECT_EQ(k1ChPlain, amp->GetKindId());
    ASSERT_EQ(1u, amp->m_outLinks.size());
    EXPECT_EQ(slot3, amp->m_outLinks.front()->partner);
    EXPECT_EQ(1, amp->m_outLinks.front()->partnerKey);
    EXPECT_EQ(0u, LinksBetween(amp, slot4));
    EXPECT_EQ(1u, slot3->m_inLinks.size());
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    EXPECT_EQ(2, tree->currentItem()->data(0, CAmpPropDlg::kImageRole).toInt());
    // The dialog now shows the new model's single row.
    EXPECT_TRUE(Control<QWidget>(dlg, 1045)->isHidden());
    EXPECT_EQ(1, Control<QComboBox>(dlg, 1044)->currentIndex());
}

TEST_F(AmpPropDlgTest, LoadWarningAtTwentyInputs)
{
    // Nineteen amplifier inputs already hang on OUT1.
    for (int i = 0; i < 19; ++i) {
        auto* other = MakeAmp(k1ChPlain);
        other->LinkTo(0, slot3, 0);
    }
    CAmplifier* amp = MakeAmp(k1ChPlain);
    CAmpPropDlg dlg(amp);
    Choose(Control<QComboBox>(dlg, 1044), 0);
    QTest::mouseClick(Control<QPushButton>(dlg, 1), Qt::LeftButton);
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Achtung!\nOUT1 wird mit 20 Verstärkereingängen belastet", messages.texts[0]);
    EXPECT_EQ(slot3, amp->GetOutLinkAtKey(0)->partner);
}

TEST_F(AmpPropDlgTest, SwitchingAmplifiersAsksOnceAboutPendingChanges)
{
    Doc().AddView(&view);
    CAmplifier* a1 = MakeAmp(k2ChRemote);
    CAmplifier* a2 = MakeAmp(k4ChRemote);
    CAmpPropDlg dlg(a1);
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    QTreeWidgetItem* root = tree->topLevelItem(0);

    Choose(Control<QComboBox>(dlg, 1044), 0);
    messages.answer = mb::IdNo;
    tree->setCurrentItem(root->child(1));
    EXPECT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Wollen Sie die Änderungen übernehmen ?", messages.texts[0]);
    EXPECT_TRUE(a1->m_outLinks.empty());  // discarded
    EXPECT_EQ(a2, dlg.GetAmplifier());
    EXPECT_EQ(a2, view.hot);
    EXPECT_FALSE(dlg.IsApplyEnabled());
    EXPECT_FALSE(Control<QWidget>(dlg, 1047)->isHidden());
    EXPECT_EQ("Adr. 01", Control<QPushButton>(dlg, 1547)->text().toStdString());

    // Yes applies to the amplifier being left.
    Choose(Control<QComboBox>(dlg, 1047), 3);
    messages.answer = mb::IdYes;
    tree->setCurrentItem(root->child(0));
    EXPECT_EQ(2u, messages.texts.size());
    ASSERT_NE(nullptr, a2->GetOutLinkAtKey(3));
    EXPECT_EQ(slot4, a2->GetOutLinkAtKey(3)->partner);

    // The root is no amplifier: the selection goes back.
    tree->setCurrentItem(root);
    EXPECT_EQ(root->child(0), tree->currentItem());
    EXPECT_EQ(a1, dlg.GetAmplifier());
    EXPECT_EQ(2u, messages.texts.size());
    Doc().RemoveView(&view);
}

TEST_F(AmpPropDlgTest, CancelKeepsAppliedChangesOnly)
{
    CAmplifier* amp = MakeAmp(k2ChRemote);
    CAmpPropDlg dlg(amp);
    Choose(Control<QComboBox>(dlg, 1044), 0);
    QTest::mouseClick(Control<QPushButton>(dlg, 12321), Qt::LeftButton);
    Choose(Control<QComboBox>(dlg, 1045), 1);
    QTest::mouseClick(Control<QPushButton>(dlg, 2), Qt::LeftButton);
    EXPECT_EQ(QDialog::Rejected, dlg.result());
    EXPECT_NE(nullptr, amp->GetOutLinkAtKey(0));
    EXPECT_EQ(nullptr, amp->GetOutLinkAtKey(1));
}

TEST_F(AmpPropDlgTest, AddressSpareAndEnterInTheTree)
{
    CAmplifier* amp = MakeAmp(k2ChRemote);
    CAmplifier* second = MakeAmp(k2ChRemote);
    CAmpPropDlg dlg(amp);
    auto* address = Control<QPushButton>(dlg, 1547);
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ("Adr. 00", address->text().toStdString());
    g_chosenAddress = 0x2a;
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_EQ(0x2a, amp->GetAddress());
    EXPECT_EQ("Adr. 2a", address->text().toStdString());
    g_chosenAddress = 99;  // outside the bus: refused by the amplifier
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_EQ(0x2a, amp->GetAddress());

    QTest::mouseClick(Control<QPushButton>(dlg, 1508), Qt::LeftButton);
    EXPECT_EQ(std::vector<int>{2}, host.featureWindows);

    // A click on the root leaves the amplifier chosen, and shown chosen: F2
    // renames that one. Enter ends a label edit; the dialog stays open.
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    tree->setFocus();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(root).center());
    EXPECT_EQ(amp, CTreeCtrlEx::ObjectOf(tree->currentItem()));
    ASSERT_EQ(1, tree->selectedItems().size());
    EXPECT_EQ(tree->currentItem(), tree->selectedItems()[0]);
    QTest::keyClick(tree, Qt::Key_F2);
    QLineEdit* editor = tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(nullptr, editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Endstufe"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(QDialog::Rejected, dlg.result());
    EXPECT_EQ("Endstufe", amp->GetName());
    EXPECT_NE("Endstufe", second->GetName());
    EXPECT_EQ(QStringLiteral("Verstärker"), root->text(0));
    dlg.reject();
}

TEST_F(AmpPropDlgTest, ExtendedWindowMirrorsTheConnection)
{
    auto* info = new CInfoSlot;
    ASSERT_EQ(1, info->Create(1, 1, 1, "KVT 7000", 0, 0, 230, 36, CAT_INFO, 0, 0, &Doc()));
    Doc().AddObject(info, CAT_INFO);

    CAmpFrm idle;
    EXPECT_FALSE(idle.GetButton(0)->isChecked());
    EXPECT_FALSE(idle.GetButton(1)->isChecked());
    ASSERT_NE(nullptr, idle.GetPane(2));
    EXPECT_EQ(nullptr, idle.GetPane(3));
    EXPECT_EQ(3, idle.GetSplitter()->count());
    EXPECT_EQ(0, idle.GetPane(0)->count());
    EXPECT_EQ("435", idle.GetToolBar()->objectName().toStdString());
    EXPECT_EQ("32977", idle.GetButton(0)->objectName().toStdString());

    info->m_connected = 1;
    CAmpFrm online;
    EXPECT_TRUE(online.GetButton(0)->isChecked());
    EXPECT_TRUE(online.GetButton(1)->isChecked());
    // The commands do nothing: a click keeps the state.
    online.GetButton(0)->trigger();
    EXPECT_TRUE(online.GetButton(0)->isChecked());
    info->m_connected = 0;
}

// Double-clicking an amplifier in the tree opens the extended amplifier
// window of the dialog's document, modally; the root only folds as before,
// and neither starts renaming the item.
TEST_F(AmpPropDlgTest, DoubleClickingAnAmplifierOpensTheExtendedWindow)
{
    // Records the document too, and stays open a while as a modal window
    // would, so that timers of the tree behind it get their chance to run.
    struct WindowHost : ModelTestHost {
        void OpenFeatureWindow(CQuillomerDoc* doc, int windowKind, bool modal) override
        {
            ModelTestHost::OpenFeatureWindow(doc, windowKind, modal);
            opened.push_back({doc, modal});
            QTest::qWait(QApplication::doubleClickInterval() + 200);
        }
        std::vector<std::pair<CQuillomerDoc*, bool>> opened;
    } windows;
    windows.bitmaps = host.bitmaps;

    CAmplifier* a1 = MakeAmp(k4ChRemote);
    MakeAmp(k1ChPlain);
    CAmpPropDlg dlg(a1);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_EQ(2, root->childCount());
    auto doubleClick = [tree](QTreeWidgetItem* item) {
        // Through the window, so that the press, release, press, release
        // become a double-click the way the platform's would.
        QWindow* window = tree->window()->windowHandle();
        const QPoint at = tree->viewport()->mapTo(tree->window(), tree->visualItemRect(item).center());
        QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    };
    auto editing = [tree] { return tree->viewport()->findChild<QLineEdit*>() != nullptr; };

    // The amplifier selected already and one that the double-click selects.
    doubleClick(root->child(0));
    EXPECT_FALSE(editing());
    doubleClick(root->child(1));
    EXPECT_FALSE(editing());
    EXPECT_EQ(root->child(1), tree->currentItem());
    ASSERT_EQ((std::vector<int> {3, 3}), windows.featureWindows);
    for (const auto& [document, modal] : windows.opened) {
        EXPECT_EQ(&Doc(), document);
        EXPECT_TRUE(modal);
    }

    // The root folds and unfolds, keeps the amplifier selected, opens nothing.
    ASSERT_TRUE(root->isExpanded());
    doubleClick(root);
    EXPECT_FALSE(root->isExpanded());
    EXPECT_EQ(0, root->data(0, CAmpPropDlg::kImageRole).toInt());
    doubleClick(root);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->child(1), tree->currentItem());
    EXPECT_EQ(2u, windows.featureWindows.size());
    EXPECT_FALSE(editing());
    dlg.reject();
}

// The model box is wide enough for its longest model, so that no model is
// shown cut, at the designed size and with a larger font alike.
TEST_F(AmpPropDlgTest, EveryModelFitsTheModelBox)
{
    CAmplifier* amp = MakeAmp(33161);  // "HBE 6633 + YOK 58417"
    for (int points : {0, 14}) {
        SCOPED_TRACE(points);
        const QFont before = QApplication::font();
        if (points) {
            QFont f = before;
            f.setPointSize(points);
            QApplication::setFont(f);
        }
        CAmpPropDlg dlg(amp);
        dlg.show();
        QApplication::processEvents();
        auto* model = Control<QComboBox>(dlg, 1043);
        ASSERT_GT(model->count(), 10);
        QStyleOptionComboBox opt;
        opt.initFrom(model);
        const int room = model->style()
                             ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, model)
                             .width();
        for (int i = 0; i < model->count(); ++i)
            EXPECT_LE(model->fontMetrics().horizontalAdvance(model->itemText(i)), room)
                << model->itemText(i).toStdString();
        EXPECT_GE(dlg.width(), dlg.minimumWidth());
        QApplication::setFont(before);
    }
}

namespace {
// Clicks a tree item or a list row where the user sees it.
void ClickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}
}  // namespace

// The user changes the model of one amplifier and clicks another one in the
// tree; answering Yes applies the change to the amplifier left behind, and
// its picture in the tree follows the new channel count, not the picture of
// the amplifier clicked.
TEST_F(AmpPropDlgTest, ChangesAppliedOnLeavingAnAmplifierMarkItsOwnTreeItem)
{
    CAmplifier* a1 = MakeAmp(k4ChRemote);
    CAmplifier* a2 = MakeAmp(k2ChRemote);
    CAmpPropDlg dlg(a1);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    auto* model = Control<QComboBox>(dlg, 1043);
    model->setFocus();
    QTest::keyClick(model, Qt::Key_1);  // "1-Kanal Verstärker"
    ASSERT_EQ(1, CAmplifier::GetTypeEntryByKind(model->currentData().toUInt())->channels);
    ASSERT_TRUE(dlg.IsApplyEnabled());

    messages.answer = mb::IdYes;
    ClickItem(tree, root->child(1));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ(a2, dlg.GetAmplifier());
    EXPECT_EQ(1, a1->GetChannelCount());
    EXPECT_EQ(2, root->child(0)->data(0, CAmpPropDlg::kImageRole).toInt());
    EXPECT_EQ(3, root->child(1)->data(0, CAmpPropDlg::kImageRole).toInt());
    dlg.reject();
}

// The bus address list as the user meets it: a click on the address of
// another amplifier is refused and leaves the own address chosen, so OK
// keeps it; after a click on a free address, a click on the own address
// takes it back.
TEST_F(AmpPropDlgTest, AddressListRefusesAnotherAmplifiersAddressAndGivesTheOwnOneBack)
{
    CAmpPropDlg::SetAddressChooser(nullptr);  // the real address list
    CAmplifier* a1 = MakeAmp(k4ChRemote);
    CAmplifier* a2 = MakeAmp(k2ChRemote);
    ASSERT_EQ(0, a1->GetAddress());
    ASSERT_EQ(1, a2->GetAddress());
    CAmpPropDlg dlg(a2);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    // Runs the rows clicked in the address list and ends it with OK.
    auto choose = [&](std::vector<int> rows, std::vector<QList<int>>& seen) {
        QTimer act;
        act.setSingleShot(true);
        QObject::connect(&act, &QTimer::timeout, [&] {
            auto* list = QApplication::activeModalWidget()
                             ? QApplication::activeModalWidget()->findChild<CEditListCtrl*>()
                             : nullptr;
            if (!list)
                return;
            for (int r : rows) {
                ClickItem(list, list->Row(r));
                QList<int> selected;
                list->GetSelectedItems(&selected);
                seen.push_back(selected);
            }
            for (auto* b : QApplication::activeModalWidget()->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        act.start(0);
        QTest::mouseClick(Control<QPushButton>(dlg, 1547), Qt::LeftButton);
    };

    std::vector<QList<int>> seen;
    choose({0}, seen);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(QList<int>{1}, seen[0]);
    EXPECT_EQ(1, a2->GetAddress());
    EXPECT_EQ("Adr. 01", Control<QPushButton>(dlg, 1547)->text().toStdString());

    seen.clear();
    choose({5, 1}, seen);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(QList<int>{5}, seen[0]);
    EXPECT_EQ(QList<int>{1}, seen[1]);
    EXPECT_EQ(1, a2->GetAddress());

    // A free address, then the other amplifier's: the free one stays.
    seen.clear();
    choose({6, 0}, seen);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(QList<int>{6}, seen[1]);
    EXPECT_EQ(6, a2->GetAddress());
    EXPECT_EQ(0, a1->GetAddress());
    dlg.reject();
}

// A model change made in the dialog gives the symbol the new model's picture
// size, so the picture never covers the name below it or the amplifier
// underneath, and the channels are laid out on the new picture; an amplifier
// that keeps its remote module keeps the bus address the user gave it.
TEST_F(AmpPropDlgTest, ModelChangeFitsTheSymbolToItsPictureAndKeepsTheBusAddress)
{
    CAmplifier* other = MakeAmp(k4ChRemote);  // address 0
    CAmplifier* amp = MakeAmp(k2ChRemote);    // address 1
    CAmplifier* plain = MakeAmp(k1ChPlain);
    other->MoveBy(0, 1000, false);
    plain->MoveBy(0, 2000, false);
    const CRect before = amp->GetRect();
    const int32_t margin = before.bottom - amp->m_bitmapRect.bottom;
    CAmpPropDlg dlg(amp);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* model = Control<QComboBox>(dlg, 1043);
    auto* apply = Control<QPushButton>(dlg, 12321);

    g_chosenAddress = 5;
    QTest::mouseClick(Control<QPushButton>(dlg, 1547), Qt::LeftButton);
    ASSERT_EQ(5, amp->GetAddress());
    model->setFocus();
    QTest::keyClick(model, Qt::Key_End);  // "HBE 6683 (4x1)", remote as before
    ASSERT_EQ(k4ChRemote, model->currentData().toUInt());
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(k4ChRemote, amp->GetKindId());
    EXPECT_EQ(5, amp->GetAddress());
    EXPECT_EQ("Adr. 05", Control<QPushButton>(dlg, 1547)->text().toStdString());
    EXPECT_EQ(0, other->GetAddress());

    // The picture of 60 x 120 units stands in the symbol above the name.
    EXPECT_EQ(60, amp->m_bitmapRect.Width());
    EXPECT_EQ(120, amp->m_bitmapRect.Height());
    EXPECT_EQ(before.left, amp->GetRect().left);
    EXPECT_EQ(margin, amp->GetRect().bottom - amp->m_bitmapRect.bottom);
    ASSERT_EQ(4u, amp->m_inputPoints.size());
    for (const CPoint& p : amp->m_inputPoints) {
        EXPECT_GT(p.y, amp->m_bitmapRect.top);
        EXPECT_LT(p.y, amp->m_bitmapRect.bottom);
    }
    EXPECT_FALSE(amp->GetRect().Intersects(other->GetRect()));

    // Back to one channel: the symbol shrinks with it; taking the remote
    // module on again, the amplifier without it gets the lowest free address.
    auto* tree = Control<QTreeWidget>(dlg, 1003);
    ClickItem(tree, tree->topLevelItem(0)->child(2));
    ASSERT_EQ(plain, dlg.GetAmplifier());
    model->setFocus();
    QTest::keyClick(model, Qt::Key_End);
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(1, plain->GetAddress());
    EXPECT_EQ(120, plain->m_bitmapRect.Height());
    QTest::keyClick(model, Qt::Key_Home);  // "HBE 6631", one channel
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(60, plain->m_bitmapRect.Height());
    EXPECT_EQ(40, plain->m_bitmapRect.Width());
    ASSERT_EQ(1u, plain->m_inputPoints.size());
    EXPECT_EQ(plain->m_bitmapRect.top + 30, plain->m_inputPoints[0].y);
    dlg.reject();
}
