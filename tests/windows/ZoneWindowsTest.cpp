// The relay topology dialog, the LMZ card dialog and the zone list, without a device.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <QTranslator>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <QTimer>

#include <functional>
#include <optional>

#include "support/EnglishTexts.h"
#include "hardware/CAmplifier.h"
#include "hardware/CLMZ.h"
#include "model/CQuillomerDoc.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "paging/windows/CRelaisTopologyDlg.h"
#include "paging/windows/CZoneListView.h"
#include "serial/SerialTestSupport.h"
#include "service/windows/CZonetestFrm.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "support/qt/ModalAnswer.h"
#include "ui/CEditListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableComboBox.h"
#include "ui/CResizableEdit.h"
#include "platform/StringTable.h"
#include "ui/CResizableDialog.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CRowDragTracker.h"
#include "ui/ColumnWidths.h"
#include "ui/CSelectionDlg.h"

using namespace blocktest;
using serialtest::PumpUntil;

namespace {
// What an item's icon shows, to compare with a picture of the set.
QImage Shown(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Image(int bitmap, int index)
{
    return CPictureSet::ListImageAt(bitmap, index, 16);
}

class ZoneWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousDialog = CRelaisTopology::SetDialog(nullptr);
        ASSERT_TRUE(d.doc().OnNewDocument());
        const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(33074);
        amp = new CAmplifier;
        ASSERT_EQ(1, amp->Create(33074, row->channels, row->channels, nullptr, 100, 200, 100, 200, CAT_AMPLIFIER,
                                 row->bitmapId, 0, &d.doc()));
        d.doc().AddObject(amp, CAT_AMPLIFIER);
        amp->LinkTo(0, d.doc().GetList(CAT_OUTPUT_SLOT).front(), 0);
    }
    void TearDown() override { CRelaisTopology::SetDialog(previousDialog); }

    CRelaisTopology* NewTopology(uint32_t kind)
    {
        amp->OnCommand(kind);
        return dynamic_cast<CRelaisTopology*>(d.doc().GetList(CAT_RELAIS_TOPOLOGY).back());
    }

    // Drops the list entry with that text on the item.
    static void DropEntry(CLMZConfigDlg& dlg, QTreeWidgetItem* target, const QString& entry)
    {
        dlg.Tree()->setCurrentItem(target);
        for (int row = 0; row < dlg.List()->GetItemCount(); ++row) {
            if (dlg.List()->GetItemText(row, 0) == entry) {
                dlg.Drop({row}, target);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    }

    void ExpectTablesSound()
    {
        CRelaisManager& m = *d.doc().GetRelaisManager();
        for (int32_t n = 1; n <= CRelaisManager::kRelais; ++n) {
            if (auto* r = dynamic_cast<CRelais*>(m.GetRelais(n))) {
                EXPECT_EQ(static_cast<uint32_t>(n), r->GetRelayNumber());
            }
        }
        for (int32_t n = 1; n <= CRelaisManager::kSRelais; ++n) {
            if (auto* r = dynamic_cast<CRelais*>(m.GetSRelais(n))) {
                EXPECT_EQ(static_cast<uint32_t>(n), r->GetRelayNumber());
            }
        }
    }

    ActiveDoc d;
    RecordingSender sender;
    MessageLog messages;
    CAmplifier* amp = nullptr;
    CRelaisTopology::DialogFn previousDialog = nullptr;
};
}  // namespace

TEST_F(ZoneWindows, TopologyDialogAppliesSchemeCountAndFirstRelay)
{
    CRelaisTopology* other = NewTopology(ampcmd::OneInN);
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    CRelaisTopologyDlg dlg(t);
    dlg.show();
    EXPECT_EQ("2", dlg.FirstRelayEdit()->text().toStdString());
    dlg.CountEdit()->setText("3");
    dlg.FirstRelayEdit()->setText("10");
    dlg.InputCombo(0)->setCurrentIndex(1);
    ASSERT_TRUE(dlg.Apply());
    const std::vector<CZone*> zones = t->GetZones();
    ASSERT_EQ(3u, zones.size());
    EXPECT_EQ("10", zones[0]->GetAttributeText(zoneattr::Relay));
    EXPECT_EQ("12", zones[2]->GetAttributeText(zoneattr::Relay));
    EXPECT_EQ(1, t->GetOutLinkAtKey(0)->partnerKey);

    // Its own relay may be entered again; one of another topology's zones is refused.
    dlg.FirstRelayEdit()->setText("10");
    EXPECT_FALSE(dlg.IsRelayTaken(dlg.FirstRelayEdit()));
    dlg.FirstRelayEdit()->setText(QString::fromStdString(other->GetZones()[0]->GetAttributeText(zoneattr::Relay)));
    EXPECT_TRUE(dlg.IsRelayTaken(dlg.FirstRelayEdit()));
    EXPECT_FALSE(dlg.Apply());
    dlg.FirstRelayEdit()->setText("499");
    EXPECT_FALSE(dlg.Apply());  // two numbers left for three zones
    EXPECT_EQ("10", zones[0]->GetAttributeText(zoneattr::Relay));
}

TEST_F(ZoneWindows, LmzDialogAddsRenumbersAndDeletesCards)
{
    CLMZConfigDlg dlg(&d.doc());
    dlg.show();
    DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
    ASSERT_EQ(1, d.doc().GetIDManager().GetCount(OT_LMZ752));
    for (int i = 0; i < 3; ++i)
        DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ763");
    DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ764");
    DropEntry(dlg, dlg.FindText("Eingangskarten"), "LMZ771");
    DropEntry(dlg, dlg.FindText("Eingangskarten"), "LMZ771");
    CIDManager& dir = d.doc().GetIDManager();
    EXPECT_EQ(3, dir.GetCount(OT_LMZ763));
    EXPECT_EQ(2, dir.GetCount(OT_LMZ771));
    EXPECT_NE(nullptr, dlg.FindText("24"));  // the second input card's last input
    CRelaisManager& m = *d.doc().GetRelaisManager();
    ASSERT_NE(nullptr, m.GetRelais(15));
    ASSERT_NE(nullptr, m.GetSRelais(5));

    // A relay becomes a mandatory relay and takes a zone.
    NewTopology(ampcmd::Direct);
    dlg.BuildTree();
    CBaseDevice* relay7 = m.GetRelais(7);
    DropEntry(dlg, dlg.FindItem(relay7), "Pflichtrelais");
    EXPECT_EQ(relaiskind::Mandatory, relay7->GetKindId());
    DropEntry(dlg, dlg.FindItem(relay7), "Linie 1");
    EXPECT_EQ(relay7, d.doc().GetList(CAT_ZONE).front()->GetInLinkAtKey(CZone::kPrioKey)->partner);
    // A card whose relay is in use stays; Delete on a relay's collective call
    // deletes the call and gives the relay back its plain kind.
    dlg.DeleteItem(dlg.FindItem(dir.GetBaseDevice(2, OT_LMZ763)));
    EXPECT_EQ(3, dir.GetCount(OT_LMZ763));
    CBaseDevice* relay12 = m.GetRelais(12);
    const int calls = dir.GetCount(OT_COLLECTION_CALL);
    DropEntry(dlg, dlg.FindItem(relay12), "Sammelruf");
    ASSERT_NE(nullptr, relay12->GetOutLinkAtKey(0));
    CBaseDevice* call = relay12->GetOutLinkAtKey(0)->partner;
    EXPECT_EQ(relaiskind::CollectiveCall, relay12->GetKindId());
    dlg.DeleteItem(dlg.FindItem(call));
    EXPECT_EQ(nullptr, relay12->GetOutLinkAtKey(0));
    EXPECT_EQ(relaiskind::Line, relay12->GetKindId());
    EXPECT_EQ(calls - 1, dir.GetCount(OT_COLLECTION_CALL));
    EXPECT_EQ(nullptr, dlg.FindItem(call));
    EXPECT_EQ(lmzpic::FreeRelay, CLMZConfigDlg::Picture(dlg.FindItem(relay12)));

    // Deleting the first card moves the others down; their relays follow in both tables.
    CBaseDevice* relay13 = m.GetRelais(13);
    dlg.DeleteItem(dlg.FindItem(dir.GetBaseDevice(1, OT_LMZ763)));
    EXPECT_EQ(2, dir.GetCount(OT_LMZ763));
    EXPECT_EQ(relay13, m.GetRelais(8));
    EXPECT_EQ(nullptr, m.GetRelais(13));
    EXPECT_EQ(relay7, m.GetRelais(2));
    dlg.DeleteItem(dlg.FindItem(dir.GetBaseDevice(1, OT_LMZ764)));
    EXPECT_EQ(nullptr, m.GetSRelais(1));
    ExpectTablesSound();

    // Double-clicking a card (not the carrier, a heading or a relay) opens
    // the extended card properties.
    ModelTestHost host;
    for (QTreeWidgetItem* item : {dlg.Tree()->topLevelItem(0), dlg.FindText("Ausgangskarten"), dlg.FindItem(relay7),
                                  dlg.FindItem(dir.GetBaseDevice(1, OT_LMZ763)),
                                  dlg.FindItem(dir.GetBaseDevice(2, OT_LMZ771))}) {
        ASSERT_NE(nullptr, item);
        emit dlg.Tree()->itemDoubleClicked(item, 0);
    }
    EXPECT_EQ((std::vector<int> {4, 4}), host.featureWindows);
}

namespace {
// The texts of a list's rows, joined.
QString Rows(const CEditListCtrl* list)
{
    QStringList rows;
    for (int r = 0; r < list->GetItemCount(); ++r)
        rows << list->GetItemText(r, 0);
    return rows.join(QStringLiteral(", "));
}
}  // namespace

// At the size it opens with, in German and in English, every entry the
// source list offers shows whole in its column, which takes its share of
// the laid-out list and no more than the list shows.
TEST_F(ZoneWindows, LmzSourceListShowsItsEntriesWholeAtTheDesignedSize)
{
    NewTopology(ampcmd::Direct);
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "German");
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        QSettings().remove(CResizableDialog::PlacementKey(CLMZConfigDlg::kTemplateId));
        CLMZConfigDlg dlg(&d.doc());
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        CEditListCtrl* list = dlg.List();
        QHeaderView* header = list->header();
        const int column = header->sectionSize(0);
        // About nine tenths of the list, not of the list before it was laid out.
        EXPECT_GE(column, list->viewport()->width() * 85 / 100);
        EXPECT_LE(column, list->viewport()->width());
        if (d.doc().GetIDManager().GetCount(OT_LMZ752) == 0) {
            DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
            DropEntry(dlg, dlg.Tree()->topLevelItem(0)->child(0)->child(0), "LMZ763");
            DropEntry(dlg, dlg.Tree()->topLevelItem(0)->child(0)->child(0), "LMZ764");
            DropEntry(dlg, dlg.Tree()->topLevelItem(0)->child(0)->child(1), "LMZ771");
            DropEntry(dlg, dlg.Tree()->topLevelItem(0)->child(0)->child(2), "LMZ775");
            dlg.BuildTree();
        }
        CRelaisManager& m = *d.doc().GetRelaisManager();
        QTreeWidgetItem* carrier = dlg.Tree()->topLevelItem(0)->child(0);
        ASSERT_NE(nullptr, carrier);
        QTreeWidgetItem* inputCard = carrier->child(1)->child(0);
        QTreeWidgetItem* analogCard = carrier->child(2)->child(0);
        ASSERT_NE(nullptr, inputCard);
        ASSERT_NE(nullptr, analogCard);
        for (QTreeWidgetItem* item : {dlg.Tree()->topLevelItem(0), carrier->child(0), carrier->child(1), carrier->child(2),
                                      dlg.FindItem(m.GetRelais(1)), dlg.FindItem(m.GetSRelais(1)), inputCard->child(0),
                                      analogCard->child(0)}) {
            ASSERT_NE(nullptr, item);
            dlg.Tree()->setCurrentItem(item);
            ASSERT_LT(0, list->GetItemCount()) << item->text(0).toStdString();
            EXPECT_LE(ColumnContentWidth(list, 0), header->sectionSize(0))
                << item->text(0).toStdString() << ": " << Rows(list).toStdString();
        }
        dlg.Tree()->setCurrentItem(dlg.FindItem(m.GetRelais(1)));
        const QString offered = Rows(list);
        EXPECT_EQ(english ? QStringLiteral("Mandatory relay, Collective call, Control relay, Label")
                          : QStringLiteral("Pflichtrelais, Sammelruf, Kontrollrelais, Label"),
                  offered);
        list->viewport()->grab().save(english ? QStringLiteral("lmz-source-en.png") : QStringLiteral("lmz-source-de.png"));
    }
}

// Dragging an entry from the source list: a zone travels as the large zone
// picture held at (10, 10), the tree item under the pointer shows as the drop
// target, the pointer is the arrow over the tree and the no-drop cursor
// elsewhere; the release over an item drops there and ends it all.
TEST_F(ZoneWindows, LmzDragShowsItsPictureTargetAndCursor)
{
    NewTopology(ampcmd::Direct);
    CLMZConfigDlg dlg(&d.doc());
    dlg.resize(700, 450);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
    DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ763");
    CRelaisManager& m = *d.doc().GetRelaisManager();
    CBaseDevice* relay = m.GetRelais(1);
    ASSERT_NE(nullptr, relay);
    DropEntry(dlg, dlg.FindItem(relay), "Pflichtrelais");
    CBaseDevice* other = m.GetRelais(2);
    DropEntry(dlg, dlg.FindItem(other), "Kontrollrelais");
    // The control relay's zones are offered; one goes to the mandatory relay.
    dlg.Tree()->setCurrentItem(dlg.FindItem(other));
    QTreeWidgetItem* target = dlg.FindItem(relay);
    dlg.Tree()->scrollToItem(target);
    CEditListCtrl* list = dlg.List();
    ASSERT_LT(0, list->GetItemCount());
    ASSERT_EQ(QStringLiteral("Linie 1"), list->GetItemText(0, 0));
    CRowDragTracker* drag = dlg.DragTracker();
    QWidget* port = list->viewport();
    // Points given in the list's viewport, where the mouse went down.
    auto inList = [&](QWidget* w, const QPoint& p) { return port->mapFromGlobal(w->mapToGlobal(p)); };

    const QPoint start = list->visualItemRect(list->Row(0)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, start);
    QTest::mouseMove(port, start + QPoint(QApplication::startDragDistance() + 4, 0));
    ASSERT_TRUE(drag->IsDragging());
    EXPECT_EQ(QPoint(10, 10), drag->HotSpot());
    EXPECT_EQ(CPictureSet::ListImageAt(131, 0, 32), drag->Image().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied));

    const QPoint over = dlg.Tree()->visualItemRect(target).center();
    QTest::mouseMove(port, inList(dlg.Tree()->viewport(), over));
    EXPECT_EQ(target, dlg.Tree()->GetDropHilightItem());
    EXPECT_EQ(Qt::ArrowCursor, dlg.cursor().shape());
    ASSERT_NE(nullptr, drag->ImageWindow());
    EXPECT_TRUE(drag->ImageWindow()->isVisible());
    EXPECT_EQ(dlg.Tree()->viewport()->mapToGlobal(over) - QPoint(10, 10), drag->ImageWindow()->pos());
    // What the user sees of the target: highlighted though the selection is elsewhere.
    dlg.grab().save(QStringLiteral("lmz-drop-target.png"));

    QTest::mouseMove(port, start + QPoint(0, 2));
    EXPECT_EQ(nullptr, dlg.Tree()->GetDropHilightItem());
    EXPECT_EQ(CPictureSet::Cursor(106).pixmap().toImage(), dlg.cursor().pixmap().toImage());
    EXPECT_FALSE(CPictureSet::Cursor(106).pixmap().isNull());

    QTest::mouseMove(port, inList(dlg.Tree()->viewport(), over));
    QTest::mouseRelease(port, Qt::LeftButton, {}, inList(dlg.Tree()->viewport(), over));
    EXPECT_FALSE(drag->IsDragging());
    EXPECT_FALSE(drag->ImageWindow()->isVisible());
    EXPECT_EQ(nullptr, dlg.Tree()->GetDropHilightItem());
    EXPECT_EQ(relay, CLMZConfigDlg::ObjectOf(dlg.Tree()->currentItem()));
    const LinkRecord* mandatory = d.doc().GetList(CAT_ZONE).front()->GetInLinkAtKey(CZone::kPrioKey);
    ASSERT_NE(nullptr, mandatory);
    EXPECT_EQ(relay, mandatory->partner);

    // Any other entry travels as its row, held at the same point.
    dlg.Tree()->setCurrentItem(dlg.FindItem(m.GetRelais(3)));
    ASSERT_EQ(QStringLiteral("Pflichtrelais"), list->GetItemText(0, 0));
    const QRect row = list->visualItemRect(list->Row(0));
    QTest::mousePress(port, Qt::LeftButton, {}, row.center());
    QTest::mouseMove(port, row.center() + QPoint(QApplication::startDragDistance() + 4, 0));
    ASSERT_TRUE(drag->IsDragging());
    EXPECT_EQ(row.size(), drag->Image().deviceIndependentSize().toSize());
    EXPECT_EQ(QPoint(10, 10), drag->HotSpot());
    QTest::mouseRelease(port, Qt::LeftButton, {}, row.center());
    EXPECT_FALSE(drag->IsDragging());
}

// The zone picture travels as its own shape, not on a square of the window's
// colour (a display without a compositor shows no translucency), and the
// item under it takes the drop however small the last moves of the hand.
TEST_F(ZoneWindows, LmzDragPictureHasItsShapeAndSmallMovesKeepTheTarget)
{
    NewTopology(ampcmd::Direct);
    CLMZConfigDlg dlg(&d.doc());
    dlg.resize(700, 450);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
    DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ763");
    CRelaisManager& m = *d.doc().GetRelaisManager();
    CBaseDevice* relay = m.GetRelais(1);
    ASSERT_NE(nullptr, relay);
    DropEntry(dlg, dlg.FindItem(relay), "Pflichtrelais");
    dlg.Tree()->setCurrentItem(dlg.FindItem(relay));
    QTreeWidgetItem* target = dlg.FindItem(relay);
    dlg.Tree()->scrollToItem(target);
    CEditListCtrl* list = dlg.List();
    ASSERT_LT(0, list->GetItemCount());
    ASSERT_EQ(QStringLiteral("Linie 1"), list->GetItemText(0, 0));
    CRowDragTracker* drag = dlg.DragTracker();
    QWidget* port = list->viewport();
    auto inList = [&](QWidget* w, const QPoint& p) { return port->mapFromGlobal(w->mapToGlobal(p)); };

    const QPoint start = list->visualItemRect(list->Row(0)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, start);
    QTest::mouseMove(port, start + QPoint(QApplication::startDragDistance() + 4, 0));
    ASSERT_TRUE(drag->IsDragging());
    QWidget* picture = drag->ImageWindow();
    ASSERT_NE(nullptr, picture);
    const QImage zone = CPictureSet::ListImageAt(131, 0, 32);
    ASSERT_TRUE(zone.hasAlphaChannel());
    // The window's shape is the picture's: a transparent pixel lies outside it,
    // an opaque one inside.
    const QRegion shape = picture->mask();
    ASSERT_FALSE(shape.isEmpty()) << "the picture travels on a square";
    int outside = 0, inside = 0;
    for (int y = 0; y < zone.height(); ++y)
        for (int x = 0; x < zone.width(); ++x) {
            const int alpha = qAlpha(zone.pixel(x, y));
            if (alpha == 0 && !shape.contains(QPoint(x, y)))
                ++outside;
            else if (alpha == 255 && shape.contains(QPoint(x, y)))
                ++inside;
            else if (alpha == 0 || alpha == 255)
                ADD_FAILURE() << "pixel " << x << "," << y << " alpha " << alpha;
        }
    EXPECT_LT(0, outside);
    EXPECT_LT(0, inside);

    // Over the relay, then the hand's small last moves.
    QPoint over = dlg.Tree()->visualItemRect(target).center();
    QTest::mouseMove(port, inList(dlg.Tree()->viewport(), over));
    for (QPoint step : {QPoint(2, 0), QPoint(3, 0), QPoint(0, 2), QPoint(-2, 0), QPoint(3, 1)}) {
        over += step;
        QTest::mouseMove(port, inList(dlg.Tree()->viewport(), over));
        EXPECT_EQ(target, dlg.Tree()->GetDropHilightItem());
        EXPECT_TRUE(picture->isVisible());
    }
    // What the user sees: the dialog with the picture in its own shape on top.
    QImage seen = dlg.grab().toImage();
    {
        QPainter painter(&seen);
        painter.setClipRegion(shape.translated(dlg.mapFromGlobal(picture->pos())));
        painter.drawPixmap(dlg.mapFromGlobal(picture->pos()), picture->grab());
    }
    seen.save(QStringLiteral("lmz-drag-picture.png"));

    QTest::mouseRelease(port, Qt::LeftButton, {}, inList(dlg.Tree()->viewport(), over));
    EXPECT_FALSE(drag->IsDragging());
    const LinkRecord* mandatory = d.doc().GetList(CAT_ZONE).front()->GetInLinkAtKey(CZone::kPrioKey);
    ASSERT_NE(nullptr, mandatory);
    EXPECT_EQ(relay, mandatory->partner);
}

namespace {
// Drags the entry `entry` of the source list onto `target` with the mouse,
// as the user does: a click on `source` first shows its entries (none: the
// list as it stands), then press, move over the target and release.
void DragEntry(CLMZConfigDlg& dlg, QTreeWidgetItem* source, const QString& entry, QTreeWidgetItem* target)
{
    ASSERT_NE(nullptr, target);
    CResizableTreeCtrl* tree = dlg.Tree();
    if (source) {
        tree->scrollToItem(source);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(source).center());
        ASSERT_EQ(source, tree->currentItem());
    }
    CEditListCtrl* list = dlg.List();
    int row = -1;
    for (int r = 0; r < list->GetItemCount(); ++r)
        if (list->GetItemText(r, 0) == entry)
            row = r;
    ASSERT_LE(0, row) << "no entry " << entry.toStdString() << " in " << Rows(list).toStdString();
    tree->scrollToItem(target);
    QWidget* port = list->viewport();
    const QPoint start = list->visualItemRect(list->Row(row)).center();
    const QPoint over = port->mapFromGlobal(tree->viewport()->mapToGlobal(tree->visualItemRect(target).center()));
    QTest::mousePress(port, Qt::LeftButton, {}, start);
    QTest::mouseMove(port, start + QPoint(QApplication::startDragDistance() + 4, 0));
    ASSERT_TRUE(dlg.DragTracker()->IsDragging());
    QTest::mouseMove(port, over);
    QTest::mouseRelease(port, Qt::LeftButton, {}, over);
    ASSERT_FALSE(dlg.DragTracker()->IsDragging());
}
}  // namespace

// Each drag does what its entry stands for, whatever the target's own list
// offers at the same row; afterwards the target stays selected and open with
// its own entries offered, and what was open stays open.
TEST_F(ZoneWindows, LmzDropDoesWhatTheDraggedEntrySays)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    t->m_zoneCount = 3;
    t->SetKindId(topologykind::OneInN);
    ASSERT_EQ(3u, t->GetZones().size());
    const std::vector<CZone*> zones = t->GetZones();
    CLMZConfigDlg dlg(&d.doc());
    dlg.resize(700, 900);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    CIDManager& dir = d.doc().GetIDManager();
    QTreeWidgetItem* const none = nullptr;  // the list as the last drop left it
    auto root = [&] { return dlg.Tree()->topLevelItem(0); };
    auto heading = [&](int h) { return root()->child(0) ? root()->child(0)->child(h) : nullptr; };
    // The topology holds carrier 1 and its first output card; the relays
    // used here are those of the card the drags add (key 0..4).
    const int carriers = dir.GetCount(OT_LMZ752), cards763 = dir.GetCount(OT_LMZ763);
    auto relayAt = [&](int32_t key) -> CRelais* {
        CBaseDevice* card = dir.GetBaseDevice(cards763 + 1, OT_LMZ763);
        const LinkRecord* rec = card ? card->GetOutLinkAtKey(key) : nullptr;
        return rec ? dynamic_cast<CRelais*>(rec->partner) : nullptr;
    };
    auto relay = [&](int32_t key) { return dlg.FindItem(relayAt(key)); };
    auto heldCalls = [&] {
        DeviceList calls;
        dir.GetBaseDeviceList(calls, OT_COLLECTION_CALL);
        return std::count_if(calls.begin(), calls.end(), [](CBaseDevice* c) { return c->GetInLinkAtKey(0); });
    };
    auto selected = [&] { return dlg.Tree()->currentItem(); };
    const QString zone1 = QString::fromStdString(zones[0]->GetName());
    const QString zone3 = QString::fromStdString(zones[2]->GetName());
    const long calls = heldCalls();
    CBaseDevice* pad = nullptr;

    struct Row {
        const char* what;
        std::function<QTreeWidgetItem*()> source, target;
        const char* entry;
        std::function<void()> expect;
    };
    const Row rows[] = {
        {"carrier on the root", root, root, "LMZ752",
         [&] {
             EXPECT_EQ(carriers + 1, dir.GetCount(OT_LMZ752));
             EXPECT_EQ(root(), selected());
             EXPECT_EQ(QStringLiteral("LMZ752"), Rows(dlg.List()));
         }},
        {"output card on its heading", [&] { return heading(0); }, [&] { return heading(0); }, "LMZ763",
         [&] {
             EXPECT_EQ(cards763 + 1, dir.GetCount(OT_LMZ763));
             EXPECT_EQ(heading(0), selected());
             EXPECT_TRUE(heading(0)->isExpanded());
             EXPECT_EQ(QStringLiteral("LMZ763, LMZ764"), Rows(dlg.List()));
         }},
        {"the same entry dragged again", [&] { return none; }, [&] { return heading(0); }, "LMZ763",
         [&] { EXPECT_EQ(cards763 + 2, dir.GetCount(OT_LMZ763)); }},
        {"LMZ764 (second row) on the input heading", [&] { return heading(0); }, [&] { return heading(1); }, "LMZ764",
         [&] {
             EXPECT_EQ(1, dir.GetCount(OT_LMZ764));
             EXPECT_EQ(0, dir.GetCount(OT_LMZ771));
             EXPECT_EQ(heading(1), selected());
             EXPECT_EQ(QStringLiteral("LMZ771"), Rows(dlg.List()));
         }},
        {"output card on a relay", [&] { return heading(0); }, [&] { return relay(1); }, "LMZ763",
         [&] {
             EXPECT_EQ(cards763 + 2, dir.GetCount(OT_LMZ763));
             EXPECT_EQ(relaiskind::Line, relayAt(1)->GetKindId());
             EXPECT_FALSE(relayAt(1)->IsUsed());
             EXPECT_EQ(relay(1), selected());
         }},
        {"mandatory relay", [&] { return relay(0); }, [&] { return relay(0); }, "Pflichtrelais",
         [&] { EXPECT_EQ(relaiskind::Mandatory, relayAt(0)->GetKindId()); }},
        {"control relay", [&] { return relay(4); }, [&] { return relay(4); }, "Kontrollrelais",
         [&] { EXPECT_EQ(relaiskind::Control, relayAt(4)->GetKindId()); }},
        {"zone on the mandatory relay", [&] { return relay(0); }, [&] { return relay(0); }, "",
         [&] {
             ASSERT_NE(nullptr, zones[0]->GetInLinkAtKey(CZone::kPrioKey));
             EXPECT_EQ(relayAt(0), zones[0]->GetInLinkAtKey(CZone::kPrioKey)->partner);
             EXPECT_TRUE(relay(0)->isExpanded());
             EXPECT_EQ(relay(0), selected());
         }},
        {"third zone from the mandatory relay's list on the control relay", [&] { return relay(0); },
         [&] { return relay(4); }, "",
         [&] {
             ASSERT_NE(nullptr, zones[2]->GetInLinkAtKey(CZone::kControlKey));
             EXPECT_EQ(relayAt(4), zones[2]->GetInLinkAtKey(CZone::kControlKey)->partner);
             EXPECT_EQ(nullptr, zones[1]->GetInLinkAtKey(CZone::kControlKey));
             EXPECT_EQ(nullptr, zones[0]->GetInLinkAtKey(CZone::kControlKey));
         }},
        {"collective call", [&] { return relay(2); }, [&] { return relay(2); }, "Sammelruf",
         [&] {
             EXPECT_EQ(relaiskind::CollectiveCall, relayAt(2)->GetKindId());
             EXPECT_EQ(calls + 1, heldCalls());
         }},
        {"the call's group on a free relay", [&] { return relay(2)->child(0); }, [&] { return relay(3); },
         "'Alle' Gruppe",
         [&] {
             EXPECT_EQ(relaiskind::Line, relayAt(3)->GetKindId());
             EXPECT_EQ(calls + 1, heldCalls());
             ASSERT_NE(nullptr, relayAt(3)->GetOutLinkAtKey(0));
             EXPECT_EQ(OT_GROUP, relayAt(3)->GetOutLinkAtKey(0)->partner->GetType());
             EXPECT_TRUE(relay(2)->isExpanded()) << "what was open stays open";
         }},
        {"input card on its heading", [&] { return heading(1); }, [&] { return heading(1); }, "LMZ771",
         [&] {
             ASSERT_EQ(1, dir.GetCount(OT_LMZ771));
             EXPECT_EQ(heading(1), selected());
             EXPECT_TRUE(heading(0)->isExpanded());
             QTreeWidgetItem* card = heading(1)->child(0);
             ASSERT_NE(nullptr, card);
             // The card opened by the keyboard, for its inputs.
             dlg.Tree()->setFocus();
             dlg.Tree()->scrollToItem(card);
             QTest::mouseClick(dlg.Tree()->viewport(), Qt::LeftButton, {}, dlg.Tree()->visualItemRect(card).center());
             QTest::keyClick(dlg.Tree(), Qt::Key_Right);
             EXPECT_TRUE(card->isExpanded());
         }},
        {"label on a free input", [&] { return heading(1)->child(0)->child(2); },
         [&] { return heading(1)->child(0)->child(2); }, "Label",
         [&] {
             CBaseDevice* card = dir.GetBaseDevice(1, OT_LMZ771);
             ASSERT_NE(nullptr, card->GetOutLinkAtKey(2));
             pad = card->GetOutLinkAtKey(2)->partner;
             EXPECT_EQ("LMZ771-3", pad->GetName());
             ASSERT_NE(nullptr, selected());
             EXPECT_EQ(pad, CLMZConfigDlg::ObjectOf(selected()));
             EXPECT_EQ(card, CLMZConfigDlg::ObjectOf(selected()->parent()));
             EXPECT_TRUE(selected()->parent()->isExpanded());
             EXPECT_EQ(QStringLiteral("LMZ771: 3"), selected()->parent()->text(0));
             EXPECT_TRUE(heading(0)->isExpanded());
             EXPECT_TRUE(relay(0)->isExpanded());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QString entry = QString::fromUtf8(row.entry);
        if (entry.isEmpty()) {
            // A zone row: the first zone on the first drop, the third on the second.
            entry = zones[0]->GetInLinkAtKey(CZone::kPrioKey) ? zone3 : zone1;
        }
        ASSERT_NO_FATAL_FAILURE(DragEntry(dlg, row.source(), entry, row.target()));
        row.expect();
        if (HasFatalFailure())
            return;
    }
    // Delete on the new pad frees its input, which stays selected for the next label.
    ASSERT_EQ(2, selected()->parent()->indexOfChild(selected()));
    QTest::keyClick(dlg.Tree(), Qt::Key_Delete);
    ASSERT_NE(nullptr, selected());
    EXPECT_EQ(QStringLiteral("3"), selected()->text(0));
    EXPECT_EQ(nullptr, CLMZConfigDlg::ObjectOf(selected()));
    EXPECT_EQ(QStringLiteral("Label"), Rows(dlg.List()));
    dlg.grab().save(QStringLiteral("lmz-after-drops.png"));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    ExpectTablesSound();
}

TEST_F(ZoneWindows, ZoneListParsesAnswersAndEditsSelectedRows)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    t->m_zoneCount = 3;
    t->SetKindId(topologykind::OneInN);
    CZoneListView view(&d.doc());
    std::vector<std::vector<std::string>> sent;
    view.SetBlockSender([&](const std::vector<std::string>& lines, ILinkAnswerSink*) {
        sent.push_back(lines);
        return true;
    });
    view.OnInitialUpdate();
    ASSERT_EQ(3, view.GetItemCount());
    view.ParseAnswers({"/SERVICE/ZONETEST/FAULT 2", "/SERVICE/ZONETEST/MODE TEST", "/SERVICE/ZONETEST/ACTIVE 5"});
    EXPECT_EQ("Fehler", view.GetItemText(1, 11).toStdString());
    EXPECT_EQ(" ", view.GetItemText(0, 11).toStdString());
    EXPECT_EQ("Linientest (5 )", view.StatusText().toStdString());
    view.ParseAnswers({"/SERVICE/ZONETEST/FAULT NONE"});
    EXPECT_EQ(" ", view.GetItemText(1, 11).toStdString());
    // A text that is no set of zone numbers is refused whole: "1e2" is not zone 1, "0x2" no empty set,
    // "2-3,maybe" not zones 2 and 3; the column keeps the earth fault of zone 3.
    view.ParseAnswers({"/SERVICE/ZONETEST/GNDFLT 3"});
    for (const char* set : {"1e2", "0x2", "2-3,maybe"}) {
        view.ParseAnswers({StrFormat("/SERVICE/ZONETEST/GNDFLT %s", set)});
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(row == 2 ? "Fehler" : " ", view.GetItemText(row, 12).toStdString()) << set << " row " << row;
    }

    view.SelectAll();
    view.OnEndLabelEdit(0, 3, "-90");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ("-78", view.GetItemText(row, 3).toStdString());
    EXPECT_EQ(-78, view.ZoneAt(2)->m_testVolume);
    // A text that is no whole number, as every number field reads one, changes nothing.
    for (const char* typed : {"1e2", "0x10", "1e4", "-12,5", "abc"}) {
        view.OnEndLabelEdit(0, 3, typed);
        EXPECT_EQ(-78, view.ZoneAt(0)->m_testVolume) << typed;
        EXPECT_EQ("-78", view.GetItemText(0, 3).toStdString()) << typed;
    }
    view.OnEndLabelEdit(0, 3, " -5 ");
    EXPECT_EQ(-5, view.ZoneAt(2)->m_testVolume);

    // A query round walks the rows one block at a time (only while connected).
    view.OnRefresh();
    EXPECT_TRUE(sent.empty());
    d.doc().SetConnected(1);
    view.OnRefresh();
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("/KVT/ZONE1/TEST/MEAS ?", sent[0][0]);
    view.ParseAnswers({"/KVT/ZONE1/TEST/IGNORE ? ", "/KVT/ZONE1/TEST/POSTOL 7", "/KVT/ZONE1/IMP/REF 12"});
    EXPECT_EQ(7, view.ZoneAt(0)->m_posTolerance);
    EXPECT_EQ("NONE", view.ZoneAt(0)->GetAttributeText(zoneattr::Ignore)) << "a key the device does not know";
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ("/KVT/ZONE2/TEST/MEAS ?", sent[1][0]);
    // A value that is no whole number is not the zone's, and a refused
    // reference is no reference: the cells show what the zone holds, and
    // the round goes on.
    view.ParseAnswers({"/KVT/ZONE2/TEST/POSTOL 1e40", "/KVT/ZONE2/TEST/NEGTOL 150", "/KVT/ZONE2/IMP/REF ? "});
    EXPECT_EQ(0, view.ZoneAt(1)->m_posTolerance);
    EXPECT_EQ("0", view.GetItemText(1, 5).toStdString());
    EXPECT_EQ("100", view.GetItemText(1, 4).toStdString());
    EXPECT_EQ("", view.GetItemText(1, 9).toStdString());
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ("/KVT/ZONE3/TEST/MEAS ?", sent[2][0]);
    view.StartTestMeasurement();
    EXPECT_EQ("/SERVICE/ZONETEST/TEST/MEAS 1-3", sent.back()[0]);
}

// "Anzeige aktualisieren" of the line-test window is there only while the
// project is connected, follows the connection while the window is open, and
// a round whose request the link refuses leaves nothing greyed.
TEST_F(ZoneWindows, RefreshFollowsTheConnectionAndARefusedRoundHoldsNothing)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    t->m_zoneCount = 2;
    t->SetKindId(topologykind::OneInN);
    CZonetestFrm frame;
    CZoneListView* list = frame.GetZoneList();
    ASSERT_EQ(2, list->GetItemCount());
    bool accept = true;
    std::vector<std::vector<std::string>> sent;
    list->SetBlockSender([&](const std::vector<std::string>& lines, ILinkAnswerSink*) {
        sent.push_back(lines);
        return accept;
    });
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QAction* refresh = frame.GetAction(CZonetestFrm::kRefresh);
    QWidget* button = frame.GetCommandBar()->widgetForAction(refresh);
    ASSERT_NE(nullptr, button);
    auto enabledBecomes = [&](bool on) {
        return PumpUntil([&] { return refresh->isEnabled() == on && button->isEnabled() == on; }, 2000);
    };
    EXPECT_FALSE(refresh->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(sent.empty());

    d.doc().SetConnected(1);
    ASSERT_TRUE(enabledBecomes(true));
    // Refused: the round is over at once, the button stays.
    accept = false;
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("/KVT/ZONE1/TEST/MEAS ?", sent[0][0]);
    EXPECT_TRUE(refresh->isEnabled());
    EXPECT_TRUE(list->CanRefresh());

    // Sent: the button waits for the round's end.
    accept = true;
    sent.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(1u, sent.size());
    EXPECT_FALSE(refresh->isEnabled());
    list->ParseAnswers({"/KVT/ZONE1/IMP/REF 1"});
    EXPECT_FALSE(refresh->isEnabled());
    list->ParseAnswers({"/KVT/ZONE2/IMP/REF 1"});
    EXPECT_TRUE(refresh->isEnabled());

    // A round cut off by the end of the connection holds nothing after it.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_TRUE(list->AreCommandsHeld());
    d.doc().SetConnected(0);
    ASSERT_TRUE(PumpUntil([&] { return !list->AreCommandsHeld(); }, 2000));
    EXPECT_FALSE(refresh->isEnabled());
    d.doc().SetConnected(1);
    ASSERT_TRUE(enabledBecomes(true));
    // The context menu's refresh with no row selected holds nothing either:
    // a right click on the list, then its last entry ("Aktualisieren").
    list->clearSelection();
    const size_t before = sent.size();
    bool chose = false;
    QObject scope;  // the timer dies with the locals it writes, whether a menu took it or not
    QTimer::singleShot(0, &scope, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QTest::keyClick(menu, Qt::Key_Up);
        QTest::keyClick(menu, Qt::Key_Return);
        chose = true;
    });
    const QPoint at = list->viewport()->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &click);
    EXPECT_TRUE(chose);
    EXPECT_EQ(before, sent.size()) << "the menu's refresh sends nothing without a selected row";
    EXPECT_TRUE(refresh->isEnabled());
}

TEST_F(ZoneWindows, TopologyTreeShowsEachSchemeAndTheRootOpenOrClosed)
{
    CRelaisTopology* direct = NewTopology(ampcmd::Direct);
    CRelaisTopology* oneInN = NewTopology(ampcmd::OneInN);
    CRelaisTopologyDlg dlg(direct);
    dlg.show();
    QTreeWidgetItem* root = dlg.Tree()->topLevelItem(0);
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(2, root->childCount());
    EXPECT_EQ(Image(280, 1), Shown(root->icon(0)));  // shown expanded
    EXPECT_EQ(Image(280, 2), Shown(root->child(0)->icon(0)));
    EXPECT_EQ(Image(280, 3), Shown(root->child(1)->icon(0)));
    root->setExpanded(false);
    EXPECT_EQ(Image(280, 0), Shown(root->icon(0)));
    root->setExpanded(true);
    EXPECT_EQ(Image(280, 1), Shown(root->icon(0)));

    // Applying another scheme gives the item that scheme's picture.
    dlg.Tree()->setCurrentItem(root->child(0));
    dlg.SchemeCombo()->setCurrentIndex(dlg.SchemeCombo()->findData(topologykind::OneInN));
    dlg.CountEdit()->setText("2");
    dlg.FirstRelayEdit()->setText("20");
    dlg.InputCombo(0)->setCurrentIndex(1);
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(topologykind::OneInN, direct->GetKindId());
    EXPECT_EQ(Image(280, 3), Shown(root->child(0)->icon(0)));
    EXPECT_EQ(topologykind::OneInN, oneInN->GetKindId());
    EXPECT_NE(Image(280, 2), Image(280, 3));
}

// Each scheme's topology confirmed with OK as it shows, and with its count
// typed again: the project holds what it held and stays unmarked.
TEST_F(ZoneWindows, TopologyDialogConfirmedAsItShowsLeavesTheProjectUnmarked)
{
    for (const unsigned kind : {ampcmd::OneInN, ampcmd::ProgramCall, ampcmd::Direct}) {
        CRelaisTopology* t = NewTopology(kind);
        ASSERT_NE(nullptr, t);
        for (const bool retyped : {false, true}) {
            SCOPED_TRACE(std::to_string(kind) + (retyped ? " count typed again" : " OK"));
            d.doc().SetModifiedFlag(false);
            const std::vector<uint8_t> before = d.doc().SaveToBytes();
            CRelaisTopologyDlg dlg(t);
            dlg.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
            if (retyped) {
                const QString shown = dlg.CountEdit()->text();
                QTest::mouseClick(dlg.CountEdit(), Qt::LeftButton);
                QTest::keyClick(dlg.CountEdit(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(dlg.CountEdit(), shown);
            }
            QPushButton* ok = nullptr;
            for (QPushButton* b : dlg.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("OK"))
                    ok = b;
            ASSERT_NE(nullptr, ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_EQ(QDialog::Accepted, dlg.result());
            EXPECT_TRUE(before == d.doc().SaveToBytes());
            EXPECT_FALSE(d.doc().IsModified());
        }
    }
}

// A "Programm/Ruf" topology opens with "Programm" and "Ruf" whole beside the
// input lists, which hold the amplifier's channels, in German and English.
TEST_F(ZoneWindows, TheProgramAndCallLabelsStandWholeBesideTheirInputLists)
{
    CRelaisTopology* t = NewTopology(ampcmd::ProgramCall);
    ASSERT_NE(nullptr, t);
    for (const bool english : {false, true}) {
        std::optional<EnglishTexts> texts;
        if (english)
            texts.emplace();
        CRelaisTopologyDlg dlg(t);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        for (int i = 0; i < 2; ++i) {
            QComboBox* list = dlg.InputCombo(i);
            ASSERT_GT(list->count(), 1);
            // The label of the row, right of its list.
            QLabel* label = nullptr;
            for (QLabel* l : dlg.findChildren<QLabel*>())
                if (l->isVisible() && l->geometry().top() == list->geometry().top() && l->x() > list->x())
                    label = l;
            ASSERT_NE(nullptr, label) << i;
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            EXPECT_FALSE(label->geometry().intersects(list->geometry()))
                << label->text().toStdString() << (english ? " in English" : " in German");
        }
    }
}

TEST_F(ZoneWindows, LmzTreeItemsShowTheirPicturesOpenAndClosed)
{
    CLMZConfigDlg dlg(&d.doc());
    dlg.show();
    // The source list offers the carrier card with its picture.
    dlg.Tree()->setCurrentItem(dlg.Tree()->topLevelItem(0));
    ASSERT_GT(dlg.List()->GetItemCount(), 0);
    EXPECT_EQ(Image(422, 0), Shown(dlg.List()->Row(0)->icon(0)));
    DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
    DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ763");
    CIDManager& dir = d.doc().GetIDManager();
    QTreeWidgetItem* card = dlg.FindItem(dir.GetBaseDevice(1, OT_LMZ763));
    ASSERT_NE(nullptr, card);
    card->setExpanded(false);
    EXPECT_EQ(Image(422, 4), Shown(card->icon(0)));
    card->setExpanded(true);
    EXPECT_EQ(Image(422, 5), Shown(card->icon(0)));
    card->setExpanded(false);
    EXPECT_EQ(Image(422, 4), Shown(card->icon(0)));

    // A relay without a use, then made a mandatory relay.
    CBaseDevice* relay = d.doc().GetRelaisManager()->GetRelais(1);
    ASSERT_NE(nullptr, relay);
    EXPECT_EQ(Image(422, 8), Shown(dlg.FindItem(relay)->icon(0)));
    DropEntry(dlg, dlg.FindItem(relay), "Pflichtrelais");
    EXPECT_EQ(Image(422, 11), Shown(dlg.FindItem(relay)->icon(0)));
    EXPECT_NE(Image(422, 8), Image(422, 11));
}

TEST_F(ZoneWindows, IgnoreColumnChoosesSeveralFaultsAndKeepsThemWithoutAChoice)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    t->m_zoneCount = 2;
    t->SetKindId(topologykind::OneInN);
    ASSERT_EQ(2u, t->GetZones().size());
    t->GetZones()[0]->SetAttribute(zoneattr::Ignore, 1 | 4);
    CZoneListView view(&d.doc());
    view.SetBlockSender([](const std::vector<std::string>&, ILinkAnswerSink*) { return true; });
    view.OnInitialUpdate();
    ASSERT_EQ(2, view.GetItemCount());
    CZone* zone = view.ZoneAt(0);
    ASSERT_EQ(zone, t->GetZones()[0]);
    view.show();
    // Double-clicks the "Ign." cell of the first row and answers the dialog.
    auto edit = [&](const std::function<void(CSelectionDlg&)>& answer) {
        const QPoint at = view.visualRect(view.model()->index(0, 2)).center();
        return AnswerDialogOpenedBy<CSelectionDlg>(
            [&] {
                // The first click of a double click selects the row.
                QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
            },
            answer);
    };
    QList<int> preset;
    ASSERT_TRUE(edit([&](CSelectionDlg& dlg) {
        dlg.List()->GetSelectedItems(&preset);
        EXPECT_EQ(dlg.List()->GetItemCount(), 6);
        dlg.List()->clearSelection();
        dlg.List()->Row(2)->setSelected(true);
        dlg.List()->Row(5)->setSelected(true);
        dlg.accept();
    }));
    EXPECT_EQ(preset, (QList<int>{1, 3}));
    EXPECT_EQ("NEGTOL,OVF_I", zone->GetAttributeText(zoneattr::Ignore));
    EXPECT_EQ("- Tol.,Stromfehler", view.GetItemText(0, 2).toStdString());

    ASSERT_TRUE(edit([](CSelectionDlg& dlg) {
        dlg.List()->clearSelection();
        dlg.accept();
    }));
    EXPECT_EQ("NEGTOL,OVF_I", zone->GetAttributeText(zoneattr::Ignore));
    EXPECT_EQ("NONE", view.ZoneAt(1)->GetAttributeText(zoneattr::Ignore));
}

// Only a control pad's name is edited in the tree; a name in use gets a
// counter; OK or Enter during the edit ends the edit and keeps the dialog open.
TEST_F(ZoneWindows, LmzPadsAreRenamedInTheTreeAndOkEndsTheEdit)
{
    CLMZConfigDlg dlg(&d.doc());
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    DropEntry(dlg, dlg.Tree()->topLevelItem(0), "LMZ752");
    DropEntry(dlg, dlg.FindText("Ausgangskarten"), "LMZ763");
    CRelaisManager& m = *d.doc().GetRelaisManager();
    std::vector<CBaseDevice*> pads;
    for (int32_t n : {1, 2}) {
        CBaseDevice* relay = m.GetRelais(n);
        ASSERT_NE(nullptr, relay);
        DropEntry(dlg, dlg.FindItem(relay), "Label");
        ASSERT_NE(nullptr, relay->GetOutLinkAtKey(0));
        pads.push_back(relay->GetOutLinkAtKey(0)->partner);
        ASSERT_EQ(OT_CONTROL_PAD, pads.back()->GetType());
    }
    // The carrier, a heading, a card and a relay cannot be edited.
    for (QTreeWidgetItem* item : {dlg.Tree()->topLevelItem(0), dlg.FindText("Ausgangskarten"),
                                  dlg.FindItem(d.doc().GetIDManager().GetBaseDevice(1, OT_LMZ763)),
                                  dlg.FindItem(m.GetRelais(1))})
        EXPECT_FALSE(item->flags() & Qt::ItemIsEditable) << item->text(0).toStdString();

    auto rename = [&](CBaseDevice* pad, const QString& text, bool byButton) {
        QTreeWidgetItem* item = dlg.FindItem(pad);
        EXPECT_TRUE(item->flags() & Qt::ItemIsEditable);
        dlg.Tree()->setCurrentItem(item);
        dlg.Tree()->editItem(item, 0);
        QApplication::processEvents();
        ASSERT_TRUE(dlg.IsEditingLabel());
        auto* editor = qobject_cast<QLineEdit*>(dlg.Tree()->indexWidget(dlg.Tree()->currentIndex()));
        ASSERT_NE(nullptr, editor);
        editor->setText(text);
        if (byButton)
            dlg.OnOK();
        else
            QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_FALSE(dlg.IsEditingLabel());
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(QDialog::Rejected, dlg.result());
    };
    rename(pads[0], QStringLiteral("Feuertür"), false);
    EXPECT_EQ("Feuertür", pads[0]->GetName());
    EXPECT_EQ(QStringLiteral("Feuertür"), dlg.FindItem(pads[0])->text(0));
    const size_t told = messages.texts.size();
    rename(pads[1], QStringLiteral("Feuertür"), true);
    EXPECT_EQ("Feuertür_1", pads[1]->GetName());
    EXPECT_EQ(QStringLiteral("Feuertür_1"), dlg.FindItem(pads[1])->text(0));
    EXPECT_EQ(told + 1, messages.texts.size());  // the name was changed
    // An empty name is refused; the pad keeps its name.
    rename(pads[1], QString(), false);
    EXPECT_EQ("Feuertür_1", pads[1]->GetName());
    EXPECT_EQ(QStringLiteral("Feuertür_1"), dlg.FindItem(pads[1])->text(0));

    // Without an edit OK closes the dialog.
    dlg.OnOK();
    EXPECT_EQ(QDialog::Accepted, dlg.result());
}

// Typed values are pending until applied: the card dialog, after which the
// page is reloaded, asks first like a move in the tree; a page just applied
// or reloaded has nothing pending and lets the user move on unasked.
TEST_F(ZoneWindows, TopologyDialogAsksBeforeTheCardsAndLeavesNothingPendingAfterApplyOrReload)
{
    CRelaisTopology* other = NewTopology(ampcmd::OneInN);
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    CRelaisTopologyDlg dlg(t);
    dlg.show();
    auto* cards = dlg.findChild<QPushButton*>(QStringLiteral("1223"));
    ASSERT_NE(nullptr, cards);
    auto typeCount = [&](const char* text) {
        dlg.CountEdit()->setFocus();
        QTest::keyClick(dlg.CountEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg.CountEdit(), text);
    };
    // Clicks "LMZ Karten ..." and closes the card dialog; whether it opened.
    auto openCards = [&] {
        bool shown = false;
        QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
        QTimer::singleShot(0, &scope, [&] {
            if (auto* lmz = qobject_cast<CLMZConfigDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                lmz->reject();
            }
        });
        QTest::mouseClick(cards, Qt::LeftButton);
        return shown;
    };
    const std::string ask = "Wollen Sie die Änderungen übernehmen ?";

    typeCount("3");
    EXPECT_TRUE(dlg.ApplyButton()->isEnabled());
    messages.answer = mb::IdYes;
    EXPECT_TRUE(openCards());
    EXPECT_EQ(std::vector<std::string>{ask}, messages.texts);
    EXPECT_EQ(3u, t->GetZones().size());
    EXPECT_EQ("3", dlg.CountEdit()->text().toStdString());
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());

    // No drops the typed count; the cards open all the same.
    typeCount("2");
    messages.answer = mb::IdNo;
    EXPECT_TRUE(openCards());
    EXPECT_EQ(2u, messages.texts.size());
    EXPECT_EQ(3u, t->GetZones().size());
    EXPECT_EQ("3", dlg.CountEdit()->text().toStdString());
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());

    // Yes with a count out of range: the range message, no cards, the count kept for correction.
    typeCount("0");
    messages.answer = mb::IdYes;
    EXPECT_FALSE(openCards());
    EXPECT_EQ(4u, messages.texts.size());
    EXPECT_EQ("0", dlg.CountEdit()->text().toStdString());
    EXPECT_EQ(3u, t->GetZones().size());

    messages.answer = mb::IdNo;
    EXPECT_TRUE(openCards());
    EXPECT_EQ("3", dlg.CountEdit()->text().toStdString());

    // After "Übernehmen" the move to another topology asks nothing.
    typeCount("2");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(2u, t->GetZones().size());
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());
    const size_t asked = messages.texts.size();
    QTreeWidgetItem* item = dlg.Tree()->topLevelItem(0)->child(0);
    QTest::mouseClick(dlg.Tree()->viewport(), Qt::LeftButton, {}, dlg.Tree()->visualItemRect(item).center());
    EXPECT_EQ(other, dlg.Current());
    EXPECT_EQ(asked, messages.texts.size());
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());

    // A change taken with Yes on the way to another topology: each item keeps
    // its own topology's name and scheme picture.
    dlg.SchemeCombo()->setCurrentIndex(dlg.SchemeCombo()->findData(topologykind::Direct));
    messages.answer = mb::IdYes;
    QTreeWidgetItem* back = dlg.Tree()->topLevelItem(0)->child(1);
    QTest::mouseClick(dlg.Tree()->viewport(), Qt::LeftButton, {}, dlg.Tree()->visualItemRect(back).center());
    EXPECT_EQ(t, dlg.Current());
    EXPECT_EQ(topologykind::Direct, other->GetKindId());
    EXPECT_EQ(other->GetName(), item->text(0).toStdString());
    EXPECT_EQ(t->GetName(), back->text(0).toStdString());
    EXPECT_EQ(Image(280, 2), Shown(item->icon(0)));
    EXPECT_EQ(Image(280, 3), Shown(back->icon(0)));
}

TEST_F(ZoneWindows, TopologyDialogTurnedDirectByKeysDropsTheLineRelaysAndARefusedRelayKeepsTheFocus)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    CRelaisTopologyDlg dlg(t);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto typeInto = [&](QWidget* edit, const char* text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    };
    typeInto(dlg.CountEdit(), "2");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    ASSERT_EQ(2u, t->GetZones().size());
    for (CZone* zone : t->GetZones())
        ASSERT_NE(nullptr, zone->GetInLinkAtKey(1));

    // A first relay that is not a number: refused, its field refilled, selected and focused for correction.
    typeInto(dlg.FirstRelayEdit(), "x");
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.FirstRelayEdit(), QApplication::focusWidget());
    EXPECT_EQ(dlg.FirstRelayEdit()->text(), dlg.FirstRelayEdit()->selectedText());
    EXPECT_EQ(QString::fromStdString(t->GetZones()[0]->GetAttributeText(zoneattr::Relay)), dlg.FirstRelayEdit()->text());

    // "1 in N" to "Direkt" by the keys: the zones give up their line relays, which stay free for others.
    dlg.SchemeCombo()->setFocus();
    QTest::keyClick(dlg.SchemeCombo(), Qt::Key_Up);
    ASSERT_EQ(topologykind::Direct, dlg.SchemeCombo()->currentData().toUInt());
    EXPECT_FALSE(dlg.FirstRelayEdit()->isVisible());
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(topologykind::Direct, t->GetKindId());
    for (CZone* zone : t->GetZones()) {
        for (int32_t key = 1; key <= 4; ++key)
            EXPECT_EQ(nullptr, zone->GetInLinkAtKey(key)) << "key " << key;
        EXPECT_EQ("0", zone->GetAttributeText(zoneattr::Relay));  // no line relay
    }
    CRelaisManager& m = *d.doc().GetRelaisManager();
    ASSERT_NE(nullptr, m.GetRelais(1));
    EXPECT_FALSE(dynamic_cast<CRelais*>(m.GetRelais(1))->IsUsed());

    // On to "Programm/Ruf": its wider labels leave every choice shown whole.
    QTest::keyClick(dlg.SchemeCombo(), Qt::Key_Down);
    QTest::keyClick(dlg.SchemeCombo(), Qt::Key_Down);
    ASSERT_EQ(topologykind::ProgramCall, dlg.SchemeCombo()->currentData().toUInt());
    QApplication::processEvents();
    for (QComboBox* combo : {static_cast<QComboBox*>(dlg.SchemeCombo()), static_cast<QComboBox*>(dlg.InputCombo(0)),
                             static_cast<QComboBox*>(dlg.InputCombo(1))})
        EXPECT_GE(combo->width(), combo->sizeHint().width()) << combo->currentText().toStdString();
    // The tree beside them keeps every topology's name whole.
    auto* tree = dlg.findChild<QTreeWidget*>(QStringLiteral("1034"));
    ASSERT_NE(nullptr, tree);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QModelIndex index = tree->indexFromItem(*it);
        EXPECT_LE(tree->visualRect(index).left() + tree->sizeHintForIndex(index).width(), tree->viewport()->width())
            << (*it)->text(0).toStdString();
    }
}

// The zone test's list keeps the widths it had when it closed. Stored in
// German, where some titles are longer, they open in English with every
// column in view: the window opens wide enough for the widths it takes, not
// only for the designed ones.
TEST_F(ZoneWindows, ZoneListWidthsKeptInOneLanguageOpenWithEveryColumnInViewInTheOther)
{
    CRelaisTopology* t = NewTopology(ampcmd::OneInN);
    t->m_zoneCount = 2;
    t->SetKindId(topologykind::OneInN);
    QSettings().remove(QStringLiteral("Settings/ZoneListColumnWidth"));
    {
        CZonetestFrm german;
        german.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&german));
    }
    ASSERT_FALSE(QSettings().value(QStringLiteral("Settings/ZoneListColumnWidth")).toString().isEmpty());
    {
        EnglishTexts english;
        ASSERT_TRUE(english.IsLoaded());
        CZonetestFrm frame;
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        CZoneListView* list = frame.GetZoneList();
        const QHeaderView* header = list->header();
        const int last = list->columnCount() - 1;
        EXPECT_EQ(QStringLiteral("Ground fault"), list->headerItem()->text(last));
        EXPECT_LE(header->sectionViewportPosition(last) + header->sectionSize(last), list->viewport()->width());
    }
    QSettings().remove(QStringLiteral("Settings/ZoneListColumnWidth"));
}
