// Lists whose rows show a picture and lists drawn with grid lines, as the
// user sees them: the sequence macro's steps, the ready inputs' user texts,
// the audio signal editor's signal list and the message device's sequences;
// and the lists that rename a row in place, as the user clicks them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTest>

#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "audio/CQTBSequence.h"
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CSignalListDlg.h"
#include "calendar/CAppoint.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "hardware/CSpareAmp.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CQtbSequenceSetup.h"
#include "hardware/windows/CExtAudioSignalsDlg.h"
#include "hardware/windows/CSpareAmpFrm.h"
#include "logic/CGlobalReadyInput.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CSequenceMacroView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "paging/CRelaisManager.h"
#include "hardware/CAudioInputSlot.h"
#include "paging/CConsole.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CConsoleTreeDlg.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "paging/windows/CZoneListView.h"
#include "service/windows/CZonetestFrm.h"
#include "support/ZoneTestSupport.h"
#include "support/ModelTestHost.h"
#include "support/RowPictures.h"
#include "ui/CEditListCtrl.h"
#include "ui/CListCtrl.h"
#include "ui/CObjectDlg.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CTreeCtrlEx.h"
#include "ui/CSelectionDlg.h"

namespace {
class ListPictures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }

    // Every row of `list` hands the view image `index` of strip `bitmap`
    // and the view draws it in the row's first cell.
    static void ExpectRowPictures(CListCtrl& list, int bitmap, const std::vector<int>& indexes)
    {
        ASSERT_EQ(static_cast<int>(indexes.size()), list.GetItemCount()) << list.objectName().toStdString();
        const QList<QPixmap> strip = CPictureSet::ImageList(bitmap, 16);
        for (int row = 0; row < list.GetItemCount(); ++row) {
            SCOPED_TRACE(list.objectName().toStdString() + " row " + std::to_string(row));
            ASSERT_LT(indexes[row], strip.size());
            const QImage expected = strip[indexes[row]].toImage();
            EXPECT_TRUE(SamePicture(RowPicture(list, row), expected));
            // A selected row's picture is drawn tinted with the selection;
            // rows scrolled out of view are not drawn.
            if (!list.IsItemSelected(row) && list.viewport()->rect().contains(list.GetItemRect(row))) {
                EXPECT_TRUE(CellShowsPicture(list, row, 0, expected));
            }
        }
    }

    // The list draws a grid line under its first row and right of its first
    // column, in the grid's colour, where the list without grid lines shows
    // none.
    static void ExpectGridLines(CListCtrl& list)
    {
        SCOPED_TRACE(list.objectName().toStdString());
        ASSERT_GT(list.GetItemCount(), 0);
        EXPECT_TRUE(list.GetGridLines());
        const QRgb grid = list.GridLineColor().rgb() & 0xffffff;
        const QRect row = list.visualRect(list.model()->index(0, 0));
        const int columnEnd = list.header()->sectionViewportPosition(0) + list.header()->sectionSize(0) - 1;
        // Under the row right of its picture and text, right of the column
        // below the rows.
        const QPoint under(columnEnd - 3, row.bottom());
        const QPoint right(columnEnd, list.viewport()->height() - 3);
        auto pixel = [&list](QPoint at) { return list.viewport()->grab().toImage().pixel(at) & 0xffffff; };
        EXPECT_EQ(grid, pixel(under));
        EXPECT_EQ(grid, pixel(right));
        // At the screen scales of 120 and 144 DPI, and at scales where a
        // row's height is no whole number of device pixels, every line under
        // a row is one device pixel thick.
        for (const qreal scale : {1.25, 1.5, 1.3, 1.75}) {
            QImage image(list.viewport()->size() * scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            list.viewport()->render(&image);
            const int x = qRound(under.x() * scale);
            int lines = 0;
            for (int y = 0; y < image.height(); ++y) {
                if ((image.pixel(x, y) & 0xffffff) != grid)
                    continue;
                int thick = 1;
                while (y + thick < image.height() && (image.pixel(x, y + thick) & 0xffffff) == grid)
                    ++thick;
                EXPECT_EQ(1, thick) << "at scale " << scale << ", y " << y;
                ++lines;
                y += thick;
            }
            EXPECT_GE(lines, std::min(2, list.GetItemCount())) << "at scale " << scale;
        }
        list.SetGridLines(false);
        EXPECT_NE(grid, pixel(under));
        EXPECT_NE(grid, pixel(right));
        list.SetGridLines(true);
    }

    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
};
}  // namespace

TEST_F(ListPictures, TheSequenceMacrosStepsShowTheStepPicture)
{
    CMacroDlgFrm frame;
    const auto previous = CMacroEditorView::SetDialogRunner([](QDialog& dlg) {
        if (auto* sel = qobject_cast<CSelectionDlg*>(&dlg)) {
            sel->m_nResultNumber = static_cast<int>(macrotype::Sequence);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    frame.OnCommand(macrocmd::New);
    CMacroEditorView::SetDialogRunner(previous);
    frame.resize(800, 450);
    frame.show();
    QApplication::processEvents();
    auto* view = dynamic_cast<CSequenceMacroView*>(frame.GetEditorView());
    ASSERT_NE(nullptr, view);
    ExpectRowPictures(*view->List(), 136, {1, 1, 1, 1, 1});
    frame.grab().save(QStringLiteral("sequence-steps.png"));
}

TEST_F(ListPictures, TheReadyInputsUserTextsShowTheFaultTextPicture)
{
    CObjectDlg dlg(&doc, 16);
    dlg.show();
    QApplication::processEvents();
    auto* texts = dlg.findChild<CListCtrl*>(QStringLiteral("1519"));
    ASSERT_NE(nullptr, texts);
    ASSERT_TRUE(texts->isVisible());
    const int userTexts = CGlobalReadyInput::GetValueCount(CGlobalReadyInput::UserTexts);
    ASSERT_GT(userTexts, 0);
    ExpectRowPictures(*texts, 136, std::vector<int>(userTexts, 28));
    dlg.grab().save(QStringLiteral("ready-input-texts.png"));
}

TEST_F(ListPictures, TheSignalListShowsEachKindsPictureOnGridLines)
{
    CAudioEditor editor(&doc);
    editor.show();
    QApplication::processEvents();
    CListCtrl* list = editor.m_list->List();
    ASSERT_GT(list->GetItemCount(), 0) << "a new project has signals";
    std::vector<int> kinds;
    for (int row = 0; row < list->GetItemCount(); ++row) {
        const auto* signal = reinterpret_cast<const CBaseDevice*>(list->GetItemData(row));
        ASSERT_NE(nullptr, signal);
        kinds.push_back(CSignalListDlg::PageOfKind(signal->GetKindId()) + 1);
    }
    // Alarm, chime and message each have their own picture.
    EXPECT_NE(kinds.end(), std::find(kinds.begin(), kinds.end(), 1));
    EXPECT_NE(kinds.end(), std::find(kinds.begin(), kinds.end(), 2));
    ExpectRowPictures(*list, 351, kinds);
    ExpectGridLines(*list);
    editor.grab().save(QStringLiteral("signal-list.png"));
}

TEST_F(ListPictures, TheMessageDevicesSequencesShowTheirKindOnGridLines)
{
    auto* device = new CAudioInputDevice;
    ASSERT_EQ(1, device->Create(audiodevice::KindRecorder, 1, 1, std::string("QTB8174 1"), 500, 500, 500, 500,
                                CAT_AUDIO_DEVICE, 0, 0, &doc));
    doc.AddObject(device, CAT_AUDIO_DEVICE);
    CExtAudioSignalsDlg dlg(device);
    dlg.NewSequence(qtbkind::Alarm);
    dlg.NewSequence(qtbkind::Text);
    dlg.show();
    QApplication::processEvents();
    ExpectRowPictures(*dlg.List(), 351, {1, 3});
    ExpectGridLines(*dlg.List());
    dlg.grab().save(QStringLiteral("sequence-list.png"));
}

// Each list that renames its chosen row on a slow second click, as its user
// meets it: a click on the row's name, a pause, a double-click there (a
// dialog it opens is closed with Escape after longer than a rename waits),
// then keys typed: they rename nothing. A slow second click still renames
// (the console tree's edit ends without a rename), and a name emptied there
// is refused.
TEST_F(ListPictures, ADoubleClickOnTheChosenRowLeavesNoNameEditorBehind)
{
    struct Shown {
        std::unique_ptr<QWidget> window;
        QTreeWidget* list = nullptr;
        QTreeWidgetItem* row = nullptr;
        std::function<std::string()> name;
    };
    auto feature = [this](int kind, const char* list, std::function<std::string()> name) {
        auto window = std::make_unique<CObjectDlg>(&doc, kind);
        window->show();  // the frame and its rows come with it
        auto* view = window->findChild<QTreeWidget*>(QLatin1String(list));
        return Shown{std::move(window), view, view ? view->topLevelItem(0) : nullptr, std::move(name)};
    };
    auto sequences = [this] {
        auto* device = new CAudioInputDevice;
        device->Create(audiodevice::KindRecorder, 1, 1, std::string("QTB8174 1"), 500, 500, 500, 500, CAT_AUDIO_DEVICE,
                       0, 0, &doc);
        doc.AddObject(device, CAT_AUDIO_DEVICE);
        auto dlg = std::make_unique<CExtAudioSignalsDlg>(device);
        dlg->NewSequence(qtbkind::Alarm);
        CListCtrl* list = dlg->List();
        auto* sequence = static_cast<CBaseDevice*>(list->Row(0)->data(0, Qt::UserRole).value<void*>());
        CBaseDevice* signal = CQtbSequenceSetup::SignalOf(sequence);  // whose name the row shows
        return Shown{std::move(dlg), list, list->Row(0), [=] { return signal->GetName(); }};
    };
    struct Case {
        const char* list;
        std::function<Shown()> open;
        Qt::MouseButton button = Qt::LeftButton;
        bool opensDialog = false;
        bool renames = true;  // false: an edit there ends without a rename
    };
    const std::vector<Case> cases = {
        {"macros", [&] {
             auto* macro = new CMacro;
             macro->Create(macrotype::Page, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, &doc);
             doc.AddObject(macro, CAT_MACRO);
             return feature(CMacroDlgFrm::kWindowKind, "MacroDlgListView", [=] { return macro->GetName(); });
         }},
        {"appointments", [&] {
             auto* bell = new CAppoint;
             bell->Create(CAppoint::kKindId, "Pause", 1, CAT_CALENDAR, &doc);
             doc.AddObject(bell, CAT_CALENDAR);
             return feature(CAppointDlgFrm::kWindowKind, "AppointDlgView", [=] { return bell->GetName(); });
         }},
        {"spare amplifiers", [&] {
             auto* table = dynamic_cast<CSpareAmp*>(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
             table->SetEntry(0, "Reserve", true, OT_READY_INPUT, 7, 0);
             return feature(CSpareAmpFrm::kWindowKind, "34370", [=] { return table->m_names[0]; });
         }, Qt::LeftButton, true},
        {"LMZ configuration", [&] {
             auto dlg = std::make_unique<CLMZConfigDlg>(&doc);
             dlg->show();
             auto drop = [&](QTreeWidgetItem* target, const QString& entry) {
                 dlg->Tree()->setCurrentItem(target);
                 for (int row = 0; row < dlg->List()->GetItemCount(); ++row)
                     if (dlg->List()->GetItemText(row, 0) == entry)
                         return dlg->Drop({row}, target);
             };
             drop(dlg->Tree()->topLevelItem(0), "LMZ752");
             drop(dlg->FindText("Ausgangskarten"), "LMZ763");
             CBaseDevice* relay = doc.GetRelaisManager()->GetRelais(1);
             drop(dlg->FindItem(relay), "Label");  // a control pad on the relay
             const LinkRecord* link = relay ? relay->GetOutLinkAtKey(0) : nullptr;
             if (!link)
                 return Shown{};
             CBaseDevice* pad = link->partner;
             QTreeWidget* tree = dlg->Tree();
             QTreeWidgetItem* row = dlg->FindItem(pad);
             return Shown{std::move(dlg), tree, row, [=] { return pad->GetName(); }};
         }},
        {"message sequences", sequences},
        {"message sequences, right button", sequences, Qt::RightButton, true},
        {"zone list", [&] {
             const CRelaisTopology::DialogFn dialog = CRelaisTopology::SetDialog(nullptr);  // no dialog to answer
             AddOneInN(doc, 2);
             CRelaisTopology::SetDialog(dialog);
             auto window = std::make_unique<CObjectDlg>(&doc, CZonetestFrm::kWindowKind);
             window->show();
             auto* list = window->findChild<CZoneListView*>();
             CZone* zone = list && list->GetItemCount() > 0 ? list->ZoneAt(0) : nullptr;
             if (!zone)
                 return Shown{};
             return Shown{std::move(window), list, list->Row(0), [=] { return zone->GetName(); }};
         }},
        {"console tree", [&] {
             for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
                 if (auto* slot = dynamic_cast<CAudioInputSlot*>(obj); slot && obj->GetName() == "Slot1") {
                     slot->SetCardType(inputcard::Console2);
                     slot->SetHoverConnectors(0, -1);
                     slot->AddConsole(consmodel::WRN2271);
                 }
             auto* console = doc.GetList(CAT_CONSOLE).empty()
                                 ? nullptr
                                 : dynamic_cast<CConsole*>(doc.GetList(CAT_CONSOLE).back());
             if (!console)
                 return Shown{};
             auto sheet = std::make_unique<CConsolePropertySheet>(&doc, console);
             sheet->show();
             CConsoleTreeDlg* overview = sheet->GetTree();
             return Shown{std::move(sheet), overview->GetTree(), overview->ItemOf(console),
                          [=] { return console->GetName(); }};
         },
         Qt::LeftButton, false, false},
    };
    const int pause = QApplication::doubleClickInterval();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        Shown s = c.open();
        ASSERT_TRUE(s.list && s.row);
        auto raise = [&] {  // the window up and active, as the system makes it
            s.window->show();
            s.window->activateWindow();
            return QTest::qWaitForWindowActive(s.window.get());
        };
        ASSERT_TRUE(raise());
        s.list->clearSelection();  // the user's first click chooses the row
        QWidget* port = s.list->viewport();
        const QPoint at = s.list->visualRect(s.list->indexFromItem(s.row, 0)).center();
        const std::string name = s.name();
        auto editor = [port] {
            for (QLineEdit* e : port->findChildren<QLineEdit*>())
                if (e->isVisible())
                    return e;
            return static_cast<QLineEdit*>(nullptr);
        };
        QTest::mouseClick(port, c.button, {}, at);
        QTest::qWait(2 * pause);
        ASSERT_EQ(nullptr, editor());
        bool opened = false;
        {
            QObject scope;  // the timer goes with the locals it writes
            QTimer::singleShot(0, &scope, [&] {
                if (QWidget* dlg = QApplication::activeModalWidget()) {
                    opened = true;
                    QTest::qWait(pause * 3 / 2);
                    QTest::keyClick(dlg, Qt::Key_Escape);
                }
            });
            QTest::mouseClick(port, c.button, {}, at);
            QTest::mouseDClick(port, c.button, {}, at);
            QTest::mouseRelease(port, c.button, {}, at);
        }
        EXPECT_EQ(c.opensDialog, opened);
        ASSERT_TRUE(raise());
        QTest::qWait(2 * pause);
        EXPECT_EQ(nullptr, editor());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("xy"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() == nullptr; }, 5000));
        QApplication::processEvents();  // a name taken from the editor comes queued
        EXPECT_EQ(name, s.name());

        ASSERT_TRUE(raise());  // Enter may have closed a dialog
        QTest::mouseClick(port, Qt::LeftButton, {}, at);  // the slow second click
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000));
        const std::string renamed = "Neu " + std::to_string(&c - cases.data());  // a name not in use
        QTest::keyClicks(editor(), QString::fromStdString(renamed));
        QTest::keyClick(editor(), Qt::Key_Return);
        const std::string kept = c.renames ? renamed : name;
        if (c.renames) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return s.name() == renamed; }, 5000)) << s.name();
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return editor() == nullptr; }, 5000));
            QApplication::processEvents();
            EXPECT_EQ(name, s.name());
            EXPECT_EQ(QString::fromStdString(name), s.list->indexAt(at).data().toString());
        }

        // An emptied name is refused: the row keeps the name it had.
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() == nullptr; }, 5000));
        ASSERT_TRUE(raise());
        // (A list built anew after the rename has the row to choose first.)
        for (int click = 0; click < 2 && !editor(); ++click) {
            QTest::mouseClick(port, Qt::LeftButton, {}, at);
            QTest::qWait(2 * pause);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000));
        QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QTest::keyClick(editor(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() == nullptr; }, 5000));
        QApplication::processEvents();
        EXPECT_EQ(kept, s.name());
        const QModelIndex shown = s.list->indexAt(at);
        EXPECT_EQ(QString::fromStdString(kept), shown.data().toString());
    }
}
