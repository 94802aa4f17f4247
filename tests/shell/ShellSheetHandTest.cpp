// The user's hand on the sheet of a new project: a rubber band up to the
// sheet's corner and the mouse on its origin, where the signals and other
// objects without a symbol keep their token place; a drag into a second
// designer window and on the same sheet, where an amplifier moves only up and
// down; the name of a device at an input card.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "ShellProgramTest.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "comm/CCommLink.h"
#include "comm/CommIds.h"
#include "comm/CommTestSupport.h"
#include "comm/ParameterGroups.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "shell/CDocTemplate.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/SheetSymbol.h"
#include "shell/CLabelEdit.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerView.h"
#include "support/qt/TypeAsKeyboard.h"

namespace {

class SheetHandTest : public ShellProgramTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartProgram()); }

    // The objects of the document without a symbol of their own, by type.
    std::map<uint32_t, size_t> WithoutSymbol() const
    {
        std::map<uint32_t, size_t> count;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* obj : doc->GetList(c))
                if (!HasSheetSymbol(*obj))
                    ++count[obj->GetType()];
        return count;
    }
    CBaseDevice* Named(int category, const std::string& name) const
    {
        for (CBaseDevice* obj : doc->GetList(category))
            if (obj->GetName() == name)
                return obj;
        return nullptr;
    }
    // An amplifier at the first output of the first output card.
    CAmplifier* AddAmplifier(uint32_t model)
    {
        auto* out = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT);
        out->OnCommand(outputcard::LineModule);
        out->m_hoverOutput = 0;
        out->OnCommand(model);
        out->SetHoverConnectors(-1, -1);
        QApplication::processEvents();
        return doc->GetList(CAT_AMPLIFIER).empty() ? nullptr
                                                    : dynamic_cast<CAmplifier*>(doc->GetList(CAT_AMPLIFIER).back());
    }
    QImage Shot() const
    {
        QApplication::processEvents();
        return view->viewport()->grab().toImage();
    }
};

class DragSideways : public SheetHandTest {
protected:
    // Press on the amplifier, pull by `by` in steps, let go there; the drop
    // lands on this same sheet.
    void Drag(CBaseDevice* obj, const QPoint& by)
    {
        ShowAround(obj->GetRect().CenterPoint());
        const QPoint start = view->LogicalToClient(obj->GetRect().CenterPoint());
        QWidget* port = view->viewport();
        view->SetDragRunner([&](QMimeData* data) {
            view->DoDragEnter(data, start + by / 2);
            view->DoDragOver(start + by);
            return view->DoDrop(data, Qt::MoveAction, start + by) ? Qt::MoveAction : Qt::IgnoreAction;
        });
        MouseEvent(port, QEvent::MouseMove, start, Qt::NoButton);
        MouseEvent(port, QEvent::MouseMove, start, Qt::NoButton);
        ASSERT_EQ(view->GetHotObject(), obj);
        MouseEvent(port, QEvent::MouseButtonPress, start, Qt::LeftButton);
        MouseEvent(port, QEvent::MouseMove, start + by / 4, Qt::LeftButton);
        MouseEvent(port, QEvent::MouseMove, start + by, Qt::LeftButton);
        MouseEvent(port, QEvent::MouseButtonRelease, start + by, Qt::NoButton);
        view->SetDragRunner(nullptr);
        QApplication::processEvents();
    }
};

// Objects carried into a second project's window by a drag: a second project
// beside the first, the drag the platform delivers to its sheet, and what
// that project holds and sends afterwards.
class DragIntoAnotherProject : public SheetHandTest {
protected:
    void SetUp() override
    {
        SheetHandTest::SetUp();
        source = view;
        sourceDoc = doc;
        QSettings().setValue("Settings/WorkDirectory", exports.path());
    }
    // A new project in its own window beside the first; it is the active one.
    void OpenSecondProject()
    {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        source->setFocus();
        QTest::keyClick(source, Qt::Key_N, Qt::ControlModifier);
        QApplication::processEvents();
        target = frame->GetActiveView();
        ASSERT_NE(target, source);
        targetDoc = target->GetDocument();
        if (auto* area = frame->findChild<QMdiArea*>())
            area->tileSubWindows();
        QApplication::processEvents();
    }
    void CloseSecondProject()
    {
        targetDoc->SetModifiedFlag(false);
        tpl->CloseDocument(targetDoc, false);
        QApplication::processEvents();
        target = nullptr;
        targetDoc = nullptr;
    }
    // The user presses on the object in the first window and lets go on the
    // second one's sheet; the drag reaches that sheet as the platform
    // delivers it: enter, moves and the drop.
    void DragToTarget(CBaseDevice* obj)
    {
        // On the symbol and away from its name, which a press would edit.
        const CRect at = obj->GetRect();
        CPoint grabAt(at.left, at.top);
        for (int32_t y = at.top + 3; y < at.bottom && grabAt.x == at.left; y += 3)
            for (int32_t x = at.left + 3; x < at.right; x += 3)
                if (!obj->HitTestLabel(CPoint(x, y))) {
                    grabAt = CPoint(x, y);
                    break;
                }
        source->ScrollToPosition(source->LogicalToClient(grabAt) + source->GetScrollPosition() - QPoint(60, 60));
        QApplication::processEvents();
        const QPoint dropAt(150, 200);
        source->SetDragRunner([&](QMimeData* data) {
            QWidget* port = target->viewport();
            QDragEnterEvent enter(dropAt - QPoint(20, 20), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(port, &enter);
            for (int step = 1; step <= 2; ++step) {
                QDragMoveEvent move(dropAt - QPoint(20, 20) + QPoint(10, 10) * step, Qt::MoveAction, data,
                                    Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(port, &move);
            }
            QDropEvent drop(dropAt, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(port, &drop);
            return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
        });
        QWidget* port = source->viewport();
        const QPoint grab = source->LogicalToClient(grabAt);
        ASSERT_EQ(source->HitTest(source->ClientToLogical(grab)), obj);
        QTest::mouseMove(port, grab);
        QTest::mouseMove(port, grab + QPoint(1, 0));
        QTest::mousePress(port, Qt::LeftButton, {}, grab);
        QTest::mouseMove(port, grab + QPoint(QApplication::startDragDistance() + 5, 0));
        QTest::mouseRelease(port, Qt::LeftButton, {}, grab + QPoint(QApplication::startDragDistance() + 5, 0));
        source->SetDragRunner(nullptr);
        QApplication::processEvents();
    }
    static CBaseDevice* Named(CQuillomerDoc& project, int category, const std::string& name)
    {
        for (CBaseDevice* obj : project.GetList(category))
            if (obj->GetName() == name)
                return obj;
        return nullptr;
    }
    // Where a project holds an object that is not the one its directory
    // holds at that number, or two objects of one number; empty when none.
    static std::string NumberFaults(CQuillomerDoc& project)
    {
        std::string faults;
        std::map<std::pair<uint32_t, int32_t>, int> objects;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* obj : project.GetList(c)) {
                if (obj->GetNumber() < 0)
                    continue;
                const std::string which = StrFormat("type %u number %d", obj->GetType(), obj->GetNumber());
                if (++objects[{obj->GetType(), obj->GetNumber()}] == 2)
                    faults += which + " twice; ";
                if (project.GetIDManager().GetBaseDevice(obj->GetNumber(), obj->GetType()) != obj)
                    faults += which + " \"" + obj->GetName() + "\" not in the directory; ";
            }
        return faults;
    }
    // The lines a whole download of the active project sends, as "Exportieren
    // ..." writes them with every parameter group ticked.
    QList<QByteArray> DownloadLines()
    {
        auto* link = dynamic_cast<CCommLink*>(frame->GetDeviceLink());
        EXPECT_NE(link, nullptr);
        if (!link)
            return {};
        ICommLinkHost& windows = link->Host();
        commtest::TestHost host;
        host.paramSelect = [&](ParamSelection& sel) {
            sel.objects = CollectParameterGroupObjects(*frame->GetActiveDocument(), 0x1F);
            return true;
        };
        link->SetHost(&host);
        frame->OnCmdMsg(commid::ExportWorksheet);
        link->SetHost(&windows);
        QFile par(QDir(exports.path()).filePath(QString::fromStdString(frame->GetActiveDocument()->GetProjectName()) +
                                                QStringLiteral(".par")));
        EXPECT_TRUE(par.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = par.readAll().split('\n');
        QFile::remove(par.fileName());
        return lines;
    }
    static int LinesBeginningWith(const QList<QByteArray>& lines, const char* start)
    {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const QByteArray& l) { return l.startsWith(start); }));
    }

    QTemporaryDir exports;
    CQuillomerView* source = nullptr;
    CQuillomerDoc* sourceDoc = nullptr;
    CQuillomerView* target = nullptr;
    CQuillomerDoc* targetDoc = nullptr;
};

// Gathers the areas the sheet repaints on the screen (not those drawn for a
// picture of it) and tells which of the pixels that changed none covered.
struct Repaints : QObject {
    explicit Repaints(QWidget* port) : port(port) { port->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !picturing)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QImage Picture()
    {
        picturing = true;
        const QImage image = port->grab().toImage().convertToFormat(QImage::Format_RGB32);
        picturing = false;
        return image;
    }
    // The pixels in which `before` and the sheet now differ that no repaint
    // since `before` covered: what the screen still shows of before.
    QRect Stale(const QImage& before)
    {
        const QImage now = Picture();
        const qreal ratio = now.devicePixelRatio();
        QRect stale;
        for (int y = 0; y < now.height(); ++y)
            for (int x = 0; x < now.width(); ++x)
                if (now.pixel(x, y) != before.pixel(x, y) && !painted.contains(QPoint(int(x / ratio), int(y / ratio))))
                    stale |= QRect(int(x / ratio), int(y / ratio), 1, 1);
        return stale;
    }
    QWidget* port;
    QRegion painted;
    bool picturing = false;
};

}  // namespace

// A rubber band drawn from an empty place up to the sheet's top left corner
// selects what it encloses there, but not the alarms, gongs, their signals
// and "Allgemein" that lie at the origin without a symbol; Delete then
// removes none of them. The mouse exactly on the origin makes none of them
// hot, so Delete there removes nothing either.
TEST_F(SheetHandTest, RubberBandToTheCornerAndTheMouseOnTheOriginLeaveObjectsWithoutSymbolAlone)
{
    const std::map<uint32_t, size_t> before = WithoutSymbol();
    ASSERT_EQ(before.at(OT_ALARM), 17u);
    ASSERT_EQ(before.at(OT_GONG), 6u);
    ASSERT_NE(Named(CAT_AUDIO, "Allgemein"), nullptr);
    ASSERT_NE(Named(CAT_AUDIO, "DIN"), nullptr);

    view->ScrollToPosition(QPoint(0, 0));
    view->setFocus();
    QApplication::processEvents();
    QWidget* port = view->viewport();
    const QPoint origin = view->LogicalToClient(CPoint(0, 0));
    ASSERT_TRUE(port->rect().contains(origin));

    // The band starts on free sheet a little right of and below the corner.
    QPoint start;
    for (int d = 40; d < 400 && start.isNull(); d += 7)
        if (!view->HitTest(view->ClientToLogical(origin + QPoint(d, d))))
            start = origin + QPoint(d, d);
    ASSERT_FALSE(start.isNull());
    MouseEvent(port, QEvent::MouseMove, start, Qt::NoButton);
    MouseEvent(port, QEvent::MouseButtonPress, start, Qt::LeftButton);
    MouseEvent(port, QEvent::MouseMove, start + QPoint(-2, -2), Qt::LeftButton);
    MouseEvent(port, QEvent::MouseMove, (start + origin) / 2, Qt::LeftButton);
    // Up to the corner and a little past it, as a hand does.
    MouseEvent(port, QEvent::MouseMove, origin, Qt::LeftButton);
    MouseEvent(port, QEvent::MouseMove, origin - QPoint(3, 3), Qt::LeftButton);
    MouseEvent(port, QEvent::MouseButtonRelease, origin - QPoint(3, 3), Qt::NoButton);
    for (CBaseDevice* obj : view->GetSelection())
        EXPECT_TRUE(HasSheetSymbol(*obj)) << obj->GetName() << " selected";
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(WithoutSymbol(), before);
    EXPECT_NE(Named(CAT_AUDIO, "Allgemein"), nullptr);

    // The mouse exactly on the origin.
    MouseEvent(port, QEvent::MouseMove, origin + QPoint(5, 5), Qt::NoButton);
    MouseEvent(port, QEvent::MouseMove, origin, Qt::NoButton);
    if (CBaseDevice* hot = view->GetHotObject()) {
        EXPECT_TRUE(HasSheetSymbol(*hot)) << hot->GetName() << " is hot";
    }
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_NE(Named(CAT_AUDIO, "DIN"), nullptr);
    EXPECT_EQ(WithoutSymbol(), before);
}

// An amplifier and its relay topology dragged into a second designer window
// land in their columns there: they move only up and down on a sheet, so the
// drop keeps them level with where they stood across. The user can still
// move them into line afterwards.
TEST_F(SheetHandTest, AmplifierAndTopologyDraggedIntoAnotherWindowKeepTheirColumns)
{
    CAmplifier* amp = AddAmplifier(33007);  // "HBE 6631"
    ASSERT_NE(amp, nullptr);
    const size_t topologies = doc->GetList(CAT_RELAIS_TOPOLOGY).size();
    {
        DialogWatch topologyDialog({"CRelaisTopologyDlg"});
        amp->OnCommand(33032);  // "Direkt"
        QApplication::processEvents();
    }
    ASSERT_EQ(doc->GetList(CAT_RELAIS_TOPOLOGY).size(), topologies + 1);
    CBaseDevice* topology = doc->GetList(CAT_RELAIS_TOPOLOGY).back();
    const size_t targetTopologies = topologies;  // a new project's own
    const CRect topologyAt = topology->GetRect();
    CQuillomerView* source = view;
    CQuillomerDoc* sourceDoc = doc;
    const CRect ampAt = amp->GetRect();

    // A second project in its own window, both windows side by side.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    source->setFocus();
    QTest::keyClick(source, Qt::Key_N, Qt::ControlModifier);
    QApplication::processEvents();
    CQuillomerView* target = frame->GetActiveView();
    ASSERT_NE(target, source);
    CQuillomerDoc* targetDoc = target->GetDocument();
    ASSERT_TRUE(targetDoc->GetList(CAT_AMPLIFIER).empty());
    if (auto* area = frame->findChild<QMdiArea*>())
        area->tileSubWindows();
    QApplication::processEvents();

    source->ScrollToPosition(source->LogicalToClient(CPoint(ampAt.left, ampAt.top)) + source->GetScrollPosition() -
                             QPoint(60, 60));
    target->ScrollToPosition(source->GetScrollPosition());
    QApplication::processEvents();

    // The drop target gets the drag the way the platform delivers it: enter,
    // moves and the drop, through the event system to its sheet.
    const QPoint dropAt(150, 200);
    int drops = 0;
    source->SetDragRunner([&](QMimeData* data) {
        QWidget* port = target->viewport();
        QDragEnterEvent enter(dropAt - QPoint(20, 20), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        for (int step = 1; step <= 2; ++step) {
            QDragMoveEvent move(dropAt - QPoint(20, 20) + QPoint(10, 10) * step, Qt::MoveAction, data,
                                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(port, &move);
        }
        QDropEvent drop(dropAt, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        drops += drop.isAccepted();
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    });
    // A press on the object, a move beyond the drag distance, the release.
    auto dragFrom = [&](CBaseDevice* obj, CPoint logical) {
        QWidget* port = source->viewport();
        const QPoint grab = source->LogicalToClient(logical);
        ASSERT_EQ(source->HitTest(source->ClientToLogical(grab)), obj);
        QTest::mouseMove(port, grab);
        QTest::mouseMove(port, grab + QPoint(1, 0));
        QTest::mousePress(port, Qt::LeftButton, {}, grab);
        QTest::mouseMove(port, grab + QPoint(QApplication::startDragDistance() + 5, 0));
        QTest::mouseRelease(port, Qt::LeftButton, {}, grab + QPoint(QApplication::startDragDistance() + 5, 0));
    };
    ASSERT_NO_FATAL_FAILURE(dragFrom(amp, CPoint(ampAt.left + 20, ampAt.top + 20)));
    ASSERT_EQ(drops, 1);

    EXPECT_TRUE(sourceDoc->GetList(CAT_AMPLIFIER).empty());
    ASSERT_EQ(targetDoc->GetList(CAT_AMPLIFIER).size(), 1u);
    const CRect landed = targetDoc->GetList(CAT_AMPLIFIER).front()->GetRect();
    EXPECT_EQ(landed.left, ampAt.left);
    EXPECT_EQ(landed.Width(), ampAt.Width());
    EXPECT_NE(landed.top, ampAt.top);  // it went up or down to where it was dropped

    // The topology the same way: it keeps its column too.
    ASSERT_NO_FATAL_FAILURE(
        dragFrom(topology, CPoint((topologyAt.left + topologyAt.right) / 2, (topologyAt.top + topologyAt.bottom) / 2)));
    ASSERT_EQ(drops, 2);
    EXPECT_EQ(sourceDoc->GetList(CAT_RELAIS_TOPOLOGY).size(), topologies);
    ASSERT_EQ(targetDoc->GetList(CAT_RELAIS_TOPOLOGY).size(), targetTopologies + 1);
    EXPECT_EQ(targetDoc->GetList(CAT_RELAIS_TOPOLOGY).back()->GetRect().left, topologyAt.left);
}

// A fixed part of the central device (a card slot, an internal slot, the
// interface) dragged from one project's window into another's: the other
// project has that part already at its number, so the drop leaves it where
// it was and says so, however often it is tried; the other project still
// holds one object per number and its download sends the part's lines once.
// An object the user made in both projects arrives only where it can take a
// number of its own: an amplifier takes the next free one while the
// target's own keeps its number; a control pad or an audio device, whose
// number is their own, stay where they were.
TEST_F(DragIntoAnotherProject, AnObjectArrivesOnlyWithANumberNoOtherHolds)
{
    using Make = std::function<CBaseDevice*(CQuillomerDoc&)>;
    auto named = [this](int category, std::string name) -> Make {
        return [this, category, name](CQuillomerDoc& project) { return Named(project, category, name); };
    };
    // What the user makes in a project, made in each of the two.
    const Make amplifier = [this](CQuillomerDoc& project) -> CBaseDevice* {
        CQuillomerDoc* was = std::exchange(doc, &project);
        CAmplifier* amp = AddAmplifier(33007);  // "HBE 6631"
        doc = was;
        return amp;
    };
    const Make pad = [this](CQuillomerDoc& project) -> CBaseDevice* {
        auto* card = dynamic_cast<CDigitalSlot*>(project.GetList(CAT_DIGITAL_SLOT).front());
        card->m_hoverInput = 0;
        CBaseDevice* made = card->AttachPad(false);  // "Input1"
        card->SetHoverConnectors(-1, -1);
        return made;
    };
    const Make microphone = [this](CQuillomerDoc& project) -> CBaseDevice* {
        auto* slot = dynamic_cast<CAudioInputSlot*>(Named(project, CAT_INPUT_SLOT, "Slot1"));
        slot->SetCardType(inputcard::MicLine2);
        slot->m_hoverInput = 0;
        const int made = slot->AttachDevice(33059);  // "Mic"
        slot->SetHoverConnectors(-1, -1);
        return made ? project.GetList(CAT_AUDIO_DEVICE).back() : nullptr;
    };
    struct Row {
        const char* what;
        Make make;
        const char* lines;  // the beginning of the lines it sends, or null
        bool arrives;       // with a number of its own (it leaves the first project)
    };
    const Row rows[] = {
        {"input card slot", named(CAT_INPUT_SLOT, "Slot1"), "/AUDIO/IN1/", false},
        {"output card slot", named(CAT_OUTPUT_SLOT, "Slot3"), "/AUDIO/OUT1/", false},
        {"internal slot", named(CAT_INTERNAL_SLOT, "Uhr"), nullptr, false},
        {"interface", named(CAT_INTERFACE, "Interface"), nullptr, false},
        {"digital slot", named(CAT_DIGITAL_SLOT, "8 I/O Kontrollmodul"), nullptr, false},
        {"information slot", [](CQuillomerDoc& p) { return p.GetList(CAT_INFO).front(); }, nullptr, false},
        {"amplifier", amplifier, nullptr, true},
        {"control pad", pad, nullptr, false},
        {"audio device", microphone, nullptr, false},
    };
    // The first project's cards hold values a card carries in its record
    // that are the project's: the second project keeps its own.
    auto* inputs = dynamic_cast<CAudioInputSlot*>(Named(*sourceDoc, CAT_INPUT_SLOT, "Slot1"));
    auto* outputs = dynamic_cast<CAudioOutputSlot*>(Named(*sourceDoc, CAT_OUTPUT_SLOT, "Slot3"));
    ASSERT_EQ(inputs->SetValueText(IPC_ATTENUATION, 0, "-20.0"), 1);
    ASSERT_EQ(outputs->SetValue(OPC_UNIT, 0, "1"), 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NO_FATAL_FAILURE(OpenSecondProject());
        CBaseDevice* dragged = row.make(*sourceDoc);
        CBaseDevice* own = row.make(*targetDoc);
        ASSERT_NE(dragged, nullptr);
        ASSERT_NE(own, nullptr);
        ASSERT_EQ(own->GetNumber(), dragged->GetNumber());
        const std::string name = dragged->GetName();
        const int category = dragged->GetCategory();
        const size_t held = targetDoc->GetList(category).size();
        ASSERT_EQ(frame->GetActiveDocument(), targetDoc);
        const QList<QByteArray> before = DownloadLines();
        const std::vector<uint8_t> saved = targetDoc->SaveToBytes();
        const bool modified = targetDoc->IsModified();
        if (row.lines) {
            ASSERT_GT(LinesBeginningWith(before, row.lines), 0);
        }
        messages.messages.clear();

        for (int drag = 1; drag <= (row.arrives ? 1 : 2); ++drag) {
            SCOPED_TRACE(drag);
            ASSERT_NO_FATAL_FAILURE(DragToTarget(dragged));
            EXPECT_EQ(NumberFaults(*targetDoc), "");
            EXPECT_EQ(NumberFaults(*sourceDoc), "");
            EXPECT_FALSE(target->IsDragFeedbackShown());
            EXPECT_TRUE(target->GetDragFeedback().empty());
            const auto& left = sourceDoc->GetList(category);
            const bool stayed = std::find(left.begin(), left.end(), dragged) != left.end();
            EXPECT_EQ(stayed, !row.arrives);
            EXPECT_EQ(targetDoc->GetList(category).size(), held + (row.arrives ? 1 : 0));
            EXPECT_EQ(targetDoc->GetIDManager().GetBaseDevice(own->GetNumber(), own->GetType()), own);
            if (!row.arrives) {
                // The second project holds what it held.
                EXPECT_TRUE(targetDoc->SaveToBytes() == saved);
                EXPECT_EQ(targetDoc->IsModified(), modified);
                EXPECT_TRUE(messages.Saw("1 von 1 Objekten konnten nicht eingefügt werden.")) << name;
                EXPECT_TRUE(messages.Saw("Sie bleiben im ursprünglichen Projekt."));
                messages.messages.clear();
            }
        }
        ASSERT_EQ(frame->GetActiveDocument(), targetDoc);
        if (!row.arrives) {
            EXPECT_EQ(DownloadLines(), before);
        } else {
            // The next one made there takes a number nobody holds.
            ASSERT_NE(row.make(*targetDoc), nullptr);
            EXPECT_EQ(NumberFaults(*targetDoc), "");
        }
        CloseSecondProject();
    }
}

// Three amplifiers stand one under the other in their column. The user
// double-clicks the middle one and picks a four-channel model: it keeps its
// place and its name stays readable under its taller picture, and the one
// below moves down to make room instead of the changed one jumping over a
// neighbour. Saved as sheet-model-change.png for a look by eye.
TEST_F(SheetHandTest, AmplifierChangedToATallerModelKeepsItsPlaceInTheColumn)
{
    std::vector<CAmplifier*> amps;
    for (int i = 0; i < 3; ++i)
        amps.push_back(AddAmplifier(33007));  // "HBE 6631"
    std::sort(amps.begin(), amps.end(),
              [](CAmplifier* a, CAmplifier* b) { return a->GetRect().top < b->GetRect().top; });
    CAmplifier* upper = amps[0];
    CAmplifier* middle = amps[1];
    CAmplifier* lower = amps[2];
    const CRect upperAt = upper->GetRect(), middleAt = middle->GetRect();
    ASSERT_LT(lower->GetRect().top - middleAt.bottom, 10);  // packed

    DialogWatch properties({"CAmpPropDlg"});
    properties.look = [](QDialog& dlg) {
        auto* model = dlg.findChild<QComboBox*>(QStringLiteral("1043"));
        auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("1"));
        if (!model || !ok)
            return;
        model->setFocus();
        QTest::keyClick(model, Qt::Key_End);  // "HBE 6683 (4x1)"
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    ShowAround(CPoint(middleAt.left, middleAt.top));
    const QPoint at = view->LogicalToClient(CPoint(middleAt.left + 20, middleAt.top + 25));
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseMove(view->viewport(), at + QPoint(1, 0));
    ASSERT_EQ(view->GetHotObject(), middle);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at + QPoint(1, 0));
    QApplication::processEvents();
    ASSERT_EQ(properties.classes.size(), 1);
    ASSERT_EQ(middle->GetChannelCount(), 4);

    EXPECT_EQ(upper->GetRect(), upperAt);
    EXPECT_LT(std::abs(middle->GetRect().top - middleAt.top), 15);
    EXPECT_FALSE(middle->GetRect().Intersects(upper->GetRect()));
    EXPECT_FALSE(middle->GetRect().Intersects(lower->GetRect()));
    EXPECT_LT(lower->GetRect().top - middle->GetRect().bottom, 10);
    const QImage shot = Shot();
    shot.save(QStringLiteral("sheet-model-change.png"));
    // The picture drawn is as tall as the symbol's picture place, and the
    // name is written under it, inside the symbol.
    const std::optional<CSize> picture = GetAppHost().GetBitmapSize(middle->m_bitmapId);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(middle->m_bitmapRect.Height(), picture->cy);
    EXPECT_GE(middle->GetLabelRect().top, middle->m_bitmapRect.top + picture->cy);
    EXPECT_LE(middle->GetLabelRect().bottom, middle->GetRect().bottom);
}

// An amplifier dragged 40 pixels down on its own sheet moves 40 units (at
// 100 %), as far as the mouse went.
TEST_F(SheetHandTest, DragOnTheSameSheetMovesAsFarAsTheMouse)
{
    CAmplifier* amp = AddAmplifier(33007);
    ASSERT_NE(amp, nullptr);
    view->SetZoom(4);
    const CRect at = amp->GetRect();
    ShowAround(CPoint(at.left, at.top));
    QWidget* port = view->viewport();
    const QPoint grab = view->LogicalToClient(CPoint(at.left + 20, at.top + 20));
    const QPoint to = grab + QPoint(0, 40);
    view->SetDragRunner([&](QMimeData* data) {
        QDragEnterEvent enter(grab + QPoint(0, 16), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        QDragMoveEvent move(to, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &move);
        QDropEvent drop(to, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    });
    MouseEvent(port, QEvent::MouseMove, grab, Qt::NoButton);
    MouseEvent(port, QEvent::MouseMove, grab + QPoint(1, 0), Qt::NoButton);
    ASSERT_EQ(view->GetHotObject(), amp);
    MouseEvent(port, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    MouseEvent(port, QEvent::MouseMove, grab + QPoint(0, 16), Qt::LeftButton);
    MouseEvent(port, QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(amp->GetRect().top, at.top + 40);
    EXPECT_EQ(amp->GetRect().left, at.left);
}

// An amplifier dragged sideways stays where it is, and a saved project stays
// unmodified: closing it does not ask to save. Dragged downwards it moves and
// the project is modified.
TEST_F(DragSideways, AnAmplifierPulledSidewaysStaysAndTheProjectStaysUnmodified)
{
    CAmplifier* amp = AddAmplifier(33007);
    ASSERT_NE(amp, nullptr);
    QTemporaryDir dir;
    SaveTo(dir.filePath("Anlage.qlx"));
    ASSERT_TRUE(tpl->SaveDocument(doc, true));
    ASSERT_FALSE(doc->IsModified());
    const std::vector<uint8_t> saved = doc->SaveToBytes();
    const CRect before = amp->GetRect();

    Drag(amp, QPoint(60, 0));
    EXPECT_EQ(amp->GetRect(), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "Anlage");
    EXPECT_TRUE(doc->SaveToBytes() == saved);

    Drag(amp, QPoint(0, 60));
    EXPECT_GT(amp->GetRect().top, before.top);
    EXPECT_EQ(amp->GetRect().left, before.left);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "Anlage *");
}

// A symbol's name typed on the sheet and confirmed with Enter: one the
// project file and the device cannot hold as shown is refused with a word
// that names it, and the symbol keeps its name whole (nothing of the typed
// one taken or dropped); umlauts, "ß" and "€" are taken.
TEST_F(SheetHandTest, ANameTypedOnTheSheetThatCannotBeSavedAndSentAsShownIsRefused)
{
    CAmplifier* amp = AddAmplifier(33007);
    ASSERT_NE(amp, nullptr);
    const std::pair<const char*, const char*> rows[] = {
        {"ΩMakro漢字", "'Ω' (U+03A9)"}, {"Endstufe ?", "'Endstufe ?' würde"}, {"Endstufe äöüß€é", nullptr}};
    for (const auto& [typed, told] : rows) {
        SCOPED_TRACE(typed);
        const std::string before = amp->GetName();
        const QPoint label = view->LogicalToClient(amp->GetLabelRect().CenterPoint());
        QTest::mouseMove(view->viewport(), label + QPoint(1, 0));
        QTest::mouseMove(view->viewport(), label);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, label);
        ASSERT_NE(view->GetLabelEdit(), nullptr);
        messages.messages.clear();
        QTest::keyClick(view->GetLabelEdit(), Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(view->GetLabelEdit(), QString::fromUtf8(typed));
        QTest::keyClick(view->GetLabelEdit(), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(told ? before : std::string(typed), amp->GetName());
        EXPECT_EQ(told ? 1u : 0u, messages.messages.size());
        EXPECT_TRUE(!told || messages.Saw(told));
    }
}

// A name being edited on the sheet, then the drawing scrolled: by a click on
// the scroll bar, a drag of its slider, the wheel over the edit or Page Down
// in it. The edit does not stay behind over another place of the drawing:
// the name is taken as typed and the edit closes as the drawing moves.
TEST_F(SheetHandTest, ScrollingTheSheetEndsTheNameEditFirst)
{
    CAmplifier* amp = AddAmplifier(33007);
    ASSERT_NE(amp, nullptr);
    QScrollBar* bar = view->verticalScrollBar();
    const std::function<void()> ways[] = {
        [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - bar->width() - 4)); },
        [&] {
            QStyleOptionSlider opt;
            opt.initFrom(bar);
            opt.orientation = bar->orientation();
            opt.minimum = bar->minimum();
            opt.maximum = bar->maximum();
            opt.sliderPosition = opt.sliderValue = bar->value();
            opt.singleStep = bar->singleStep();
            opt.pageStep = bar->pageStep();
            opt.subControls = QStyle::SC_All;
            const QPoint grip =
                bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar).center();
            QTest::mousePress(bar, Qt::LeftButton, {}, grip);
            for (int dy = 4; dy <= 40; dy += 4)
                QTest::mouseMove(bar, grip + QPoint(0, dy));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 40));
        },
        [&] {
            QWidget* edit = view->GetLabelEdit();
            const QPoint at = edit->rect().center();
            QWheelEvent wheel(QPointF(at), QPointF(edit->mapToGlobal(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            // As from the mouse: unused by the edit, it goes on to the sheet.
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            qApp->notify(edit, &wheel);
        },
        [&] { QTest::keyClick(view->GetLabelEdit(), Qt::Key_PageDown); },
    };
    const char* names[] = {"bar click", "bar drag", "wheel", "Page Down"};
    for (size_t way = 0; way < std::size(ways); ++way) {
        SCOPED_TRACE(names[way]);
        ShowAround(CPoint(amp->GetRect().left, amp->GetRect().top));
        const QPoint label = view->LogicalToClient(amp->GetLabelRect().CenterPoint());
        QTest::mouseMove(view->viewport(), label + QPoint(1, 0));
        QTest::mouseMove(view->viewport(), label);
        ASSERT_EQ(view->GetHotObject(), amp);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, label);
        ASSERT_NE(view->GetLabelEdit(), nullptr);
        const std::string name = "Endstufe " + std::to_string(way + 1);
        QTest::keyClicks(view->GetLabelEdit(), QString::fromStdString(name));
        const QPoint before = view->GetScrollPosition();
        ways[way]();
        QApplication::processEvents();
        EXPECT_NE(view->GetScrollPosition(), before);
        EXPECT_EQ(view->GetLabelEdit(), nullptr);
        for (CLabelEdit* edit : view->findChildren<CLabelEdit*>())
            EXPECT_FALSE(edit->isVisible());
        EXPECT_EQ(amp->GetName(), name);
        EXPECT_EQ(view->window()->focusWidget(), view);
    }
}


// An amplifier's model changed with "Übernehmen", the properties still open:
// the sheet at once shows what it shows when drawn anew. Nothing of the old
// model's text (written wider than the picture) or symbol stays beside the
// new one, and a new model's text wider than the picture is written whole.
TEST_F(SheetHandTest, ModelChangeAppliedRepaintsTheOldAndTheNewSymbolWhole)
{
    CAmplifier* amp = AddAmplifier(33007);  // "HBE 6631"
    ASSERT_NE(amp, nullptr);
    Repaints repaints(view->viewport());
    struct Row {
        int from, to;  // places in the model list
        const char* what;
    };
    const Row rows[] = {{2, 0, "long model text to a short one"},
                        {0, 2, "short model text to a long one"},
                        {5, 17, "two channels to four, a taller picture"},
                        {17, 3, "four channels to one with a long text"}};
    DialogWatch properties({"CAmpPropDlg"});
    properties.look = [&](QDialog& dlg) {
        auto* model = dlg.findChild<QComboBox*>(QStringLiteral("1043"));
        auto* apply = dlg.findChild<QPushButton*>(QStringLiteral("12321"));
        auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("1"));
        ASSERT_TRUE(model && apply && ok);
        auto choose = [&](int place) {
            model->setFocus();
            QTest::keyClick(model, Qt::Key_Home);
            for (int k = 0; k < place; ++k)
                QTest::keyClick(model, Qt::Key_Down);
            QTest::mouseClick(apply, Qt::LeftButton);
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            choose(row.from);
            const QImage before = repaints.Picture();
            repaints.painted = QRegion();
            const QString was = model->currentText();
            choose(row.to);
            ASSERT_NE(model->currentText(), was);
            QRect stale;
            (void)QTest::qWaitFor([&] { return (stale = repaints.Stale(before)).isEmpty(); }, 2000);
            EXPECT_TRUE(stale.isEmpty()) << stale.x() << "," << stale.y() << " " << stale.width() << "x"
                                         << stale.height();
        }
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    const CRect at = amp->GetRect();
    ShowAround(CPoint(at.left, at.top));
    const QPoint on = view->LogicalToClient(CPoint(at.left + 20, at.top + 25));
    QTest::mouseMove(view->viewport(), on);
    QTest::mouseMove(view->viewport(), on + QPoint(1, 0));
    ASSERT_EQ(view->GetHotObject(), amp);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, on + QPoint(1, 0));
    QApplication::processEvents();
    ASSERT_EQ(properties.classes.size(), 1);
}

// A new "1 in N" topology: in its dialog the user types a number of zones
// and applies it, again and again. What the sheet shows after each
// "Übernehmen" is what it holds: the lines of the zones that go leave no
// trace behind the dialog, and the lines of those that stay are drawn anew.
TEST_F(SheetHandTest, TopologyResizedInItsDialogRepaintsTheLinesOfItsZones)
{
    CAmplifier* amp = AddAmplifier(33007);  // "HBE 6631"
    ASSERT_NE(amp, nullptr);
    const CRect at = amp->GetRect();
    ShowAround(CPoint(at.left, at.top));
    Repaints repaints(view->viewport());
    DialogWatch dialog({"CRelaisTopologyDlg"});
    dialog.look = [&](QDialog& dlg) {
        auto* count = dlg.findChild<QLineEdit*>(QStringLiteral("1164"));
        auto* apply = dlg.findChild<QPushButton*>(QStringLiteral("12321"));
        ASSERT_TRUE(count && apply);
        for (const char* zones : {"4", "2", "5", "1"}) {
            SCOPED_TRACE(zones);
            const QImage before = repaints.Picture();
            repaints.painted = QRegion();
            count->setFocus();
            count->selectAll();
            QTest::keyClicks(count, zones);
            QTest::mouseClick(apply, Qt::LeftButton);
            ASSERT_EQ(doc->GetList(CAT_ZONE).size(), static_cast<size_t>(QByteArray(zones).toInt()));
            QRect stale;
            (void)QTest::qWaitFor([&] { return (stale = repaints.Stale(before)).isEmpty(); }, 2000);
            EXPECT_TRUE(stale.isEmpty()) << stale.x() << "," << stale.y() << " " << stale.width() << "x"
                                         << stale.height();
        }
        dlg.accept();
    };
    amp->OnCommand(33033);  // "1 in N"
    QApplication::processEvents();
    ASSERT_EQ(dialog.classes.size(), 1);
}
