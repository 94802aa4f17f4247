// Right-clicking objects in the designer: the menu each object shows, the
// state of its entries, the chosen command reaching the object; opening an
// object (double click, Enter) and the feature window host. Adding an
// amplifier the way a user does it: the mouse on an output of the "Slot3"
// card of a new project, a right click, "Verstärker hinzufügen" and a model;
// the amplifier appears on the sheet, linked to that output.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "MenuTestSupport.h"
#include "ShellProgramTest.h"
#include "support/BlockTestSupport.h"
#include "comm/CCommLink.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CInternalSlot.h"
#include "model/CQuillomerDoc.h"
#include "paging/CGroup.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQtPainter.h"
#include "shell/CQuillomerView.h"
#include "shell/CShellAppHost.h"
#include "shell/ContextMenus.h"
#include "ui/CObjectDlg.h"

namespace {

using menutest::Describe;
using menutest::FindAction;
using menutest::MenuPick;

// Replaces the menu's event loop: records what was shown and picks `choose`
// (0: the menu is dismissed).
class MenuSpy {
public:
    MenuSpy()
    {
        m_old = CShellAppHost::SetMenuRunner([this](QMenu& menu, const QPoint& at) -> QAction* {
            ++shown;
            screenPoint = at;
            entries.clear();
            Describe(menu, "", entries);
            return choose ? FindAction(menu, choose) : nullptr;
        });
    }
    ~MenuSpy() { CShellAppHost::SetMenuRunner(std::move(m_old)); }

    int shown = 0;
    uint32_t choose = 0;
    QPoint screenPoint;
    std::vector<std::string> entries;

private:
    CShellAppHost::MenuRunner m_old;
};

// The application with a new project in its designer window.
class ShellWithProject : public ShellProgramTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartProgram()); }

    QPoint ClientOf(CPoint logical) const { return view->LogicalToClient(logical); }
    QPoint CentreOf(const CBaseDevice* obj) const
    {
        const CRect r = obj->GetRect();
        return ClientOf(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
};

class OutputCardShellTest : public ShellWithProject {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ShellWithProject::SetUp());
        slot3 = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT, "Slot3");
        ASSERT_NE(slot3, nullptr);
    }

    QImage Shot()
    {
        QApplication::processEvents();
        return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Pixels that differ between two pictures inside a client rectangle.
    static int Differing(const QImage& a, const QImage& b, const QRect& area)
    {
        const QRect r = area.intersected(a.rect());
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

    CAudioOutputSlot* slot3 = nullptr;
};

// Closes the next modal window the test opens and reports what it showed.
struct ModalWatch {
    QString title;
    int kind = -1;
    bool placeholder = false;
    QString frameName;
    QObject scope;  // a timer no window took dies with the watch

    void Arm()
    {
        QTimer::singleShot(0, &scope, [this] {
            auto* dlg = qobject_cast<CObjectDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            title = dlg->windowTitle();
            kind = dlg->GetShownKind();
            placeholder = dlg->IsPlaceholderFrame();
            frameName = dlg->m_pFrame ? dlg->m_pFrame->objectName() : QString();
            dlg->reject();
        });
    }
};

}  // namespace

TEST_F(ShellWithProject, AmplifierMenuOffersTopologiesDeleteAndPropertiesAndDeletes)
{
    // An amplifier at the first output of slot 3, as the output card makes it.
    auto* slot3 = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT);
    ASSERT_NE(slot3, nullptr);
    const CPoint out = slot3->m_outputPoints.at(0);
    auto* amp = new CAmplifier;
    ASSERT_EQ(1, amp->Create(33007, 1, 1, nullptr, out.x, out.y, out.x, out.y, CAT_AMPLIFIER, 150, 0, doc));
    doc->AddObject(amp, CAT_AMPLIFIER);
    ASSERT_FALSE(amp->GetRect().IsRectEmpty());

    MenuSpy spy;
    const QPoint at = CentreOf(amp);
    HoverAt(at);
    ASSERT_EQ(view->GetHotObject(), amp);
    RightClick(at);
    ASSERT_EQ(spy.shown, 1);
    EXPECT_EQ(spy.entries, (std::vector<std::string>{"Relaistopologie >", "  Direkt", "  1 in N", "  Programm/Ruf",
                                                     "---", "Löschen", "---", "Eigenschaften ..."}));
    // The menu opens where the mouse was.
    EXPECT_EQ(spy.screenPoint, view->viewport()->mapToGlobal(at));

    spy.choose = 33001;
    RightClick(at);
    EXPECT_EQ(Find<CBaseDevice>(CAT_AMPLIFIER), nullptr);
    EXPECT_EQ(view->GetHotObject(), nullptr);
    // Nothing is hot any more: a further right click shows no menu.
    RightClick(at);
    EXPECT_EQ(spy.shown, 2);
}

TEST_F(ShellWithProject, InputSlotMenuFollowsTheCardAndTheHoveredInput)
{
    auto* slot1 = Find<CAudioInputSlot>(CAT_INPUT_SLOT, [](CAudioInputSlot* s) { return s->GetSlotNumber() == 1; });
    ASSERT_NE(slot1, nullptr);
    MenuSpy spy;

    // An empty slot: card models only, properties greyed, nothing to add.
    HoverAt(CentreOf(slot1));
    ASSERT_EQ(view->GetHotObject(), slot1);
    RightClick(CentreOf(slot1));
    EXPECT_EQ(spy.entries, (std::vector<std::string>{
                               "Slot &nicht bestückt [x]", "2-Kanal &Sprechstellenmodul", "2-Kanal &MIC / LINE Eingangsmodul",
                               "2-Kanal &AUX Eingangsmodul", "MIC / &LINE + 2 AUX Eingangsmodul",
                               "MIC / LINE + Sprechstellenmodul", "---", "&Eigenschaften (Volume, Filter) ... (off)"}));

    // Choosing a card model reaches the slot.
    spy.choose = inputcard::MicLine2;
    RightClick(CentreOf(slot1));
    EXPECT_EQ(slot1->GetKindId(), inputcard::MicLine2);
    ASSERT_EQ(slot1->m_inputPoints.size(), 2u);

    // With the mouse on input A the microphones can be added.
    spy.choose = 33059;  // "Mikrofon"
    const CPoint inA(slot1->GetRect().left + 4, slot1->m_inputPoints[0].y);
    view->HandleMouseMove(Qt::NoButton, ClientOf(CPoint(0, 0)));
    HoverAt(ClientOf(inA));
    ASSERT_EQ(view->GetHotObject(), slot1);
    ASSERT_EQ(slot1->m_hoverInput, 0);
    RightClick(ClientOf(inA));
    EXPECT_EQ(spy.entries, (std::vector<std::string>{
                               "Slot &nicht bestückt", "2-Kanal &Sprechstellenmodul",
                               "2-Kanal &MIC / LINE Eingangsmodul [x]", "2-Kanal &AUX Eingangsmodul",
                               "MIC / &LINE + 2 AUX Eingangsmodul", "MIC / LINE + Sprechstellenmodul", "---",
                               "&Eigenschaften (Volume, Filter) ...", "---", "Mi&krofon hinzufügen >", "  Mikrofon",
                               "  PTT- Mikrofon", "  RV611", "  RV617"}));
    LinkRecord* attached = slot1->GetOutLinkAtKey(0);
    ASSERT_NE(attached, nullptr);
    EXPECT_EQ(attached->partner->GetName(), "Mic");

    // Now something is attached: the card stays and the input takes no second device.
    spy.choose = 0;
    RightClick(ClientOf(inA));
    EXPECT_EQ(spy.entries, (std::vector<std::string>{
                               "Slot &nicht bestückt (off)", "2-Kanal &Sprechstellenmodul (off)",
                               "2-Kanal &MIC / LINE Eingangsmodul [x] (off)", "2-Kanal &AUX Eingangsmodul (off)",
                               "MIC / &LINE + 2 AUX Eingangsmodul (off)", "MIC / LINE + Sprechstellenmodul (off)", "---",
                               "&Eigenschaften (Volume, Filter) ...", "---", "Mi&krofon hinzufügen >",
                               "  Mikrofon (off)", "  PTT- Mikrofon (off)", "  RV611 (off)", "  RV617 (off)"}));
    // The console models (two groups of seven) and the AUX sources with the message device.
    EXPECT_EQ(InputSlotSubmenu(InputSubmenu::Consoles).size(), 14u);
    EXPECT_EQ(InputSlotSubmenu(InputSubmenu::Aux)[4].id, 33064u);
}

TEST_F(ShellWithProject, GroupMenuAddsAParentGroupOnlyOnce)
{
    auto* group = new CGroup;
    ASSERT_TRUE(group->Create(0, 1, 1, nullptr, 1500, 1500, 1650, 1530, CAT_GROUP, 313, 0, doc));
    doc->AddObject(group, CAT_GROUP);
    view->ScrollToPosition(view->LogicalToClient(CPoint(1400, 1400)) + view->GetScrollPosition());
    QApplication::processEvents();

    MenuSpy spy;
    spy.choose = groupcmd::AddGroup;
    HoverAt(CentreOf(group));
    ASSERT_EQ(view->GetHotObject(), group);
    RightClick(CentreOf(group));
    EXPECT_EQ(spy.entries,
              (std::vector<std::string>{"Gruppe hinzufügen", "---", "löschen", "---", "Eigenschaften ..."}));
    CGroup* parent = nullptr;
    for (CBaseDevice* obj : doc->GetList(CAT_GROUP))
        if (obj != group && obj->GetOutLinkTo(group))
            parent = dynamic_cast<CGroup*>(obj);
    ASSERT_NE(parent, nullptr);

    // The new group holds a group: it cannot be put into a further group.
    spy.choose = 0;
    view->HandleMouseMove(Qt::NoButton, ClientOf(CPoint(0, 0)));
    HoverAt(CentreOf(parent));
    ASSERT_EQ(view->GetHotObject(), parent);
    RightClick(CentreOf(parent));
    EXPECT_EQ(spy.entries,
              (std::vector<std::string>{"Gruppe hinzufügen (off)", "---", "löschen", "---", "Eigenschaften ..."}));
}

TEST_F(ShellWithProject, InternalSlotsCannotBeDeletedAndOpenTheirWindow)
{
    auto* macro = Find<CInternalSlot>(CAT_INTERNAL_SLOT,
                                      [](CInternalSlot* s) { return s->GetKindId() == internalslot::Macro; });
    ASSERT_NE(macro, nullptr);
    MenuSpy spy;
    HoverAt(CentreOf(macro));
    ASSERT_EQ(view->GetHotObject(), macro);
    RightClick(CentreOf(macro));
    EXPECT_EQ(spy.entries, (std::vector<std::string>{"Gerät &löschen (off)", "---", "Eigenschaften ..."}));

    // "Eigenschaften ..." opens the macro window in the host, modally.
    ModalWatch watch;
    watch.Arm();
    spy.choose = objcmd::Properties;
    RightClick(CentreOf(macro));
    EXPECT_EQ(watch.kind, 7);
    EXPECT_EQ(watch.title.left(24), QString("Eigenschaften von Makros"));

    // A double click opens it too.
    ModalWatch dbl;
    dbl.Arm();
    const QPoint at = CentreOf(macro);
    QMouseEvent press(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
    EXPECT_EQ(dbl.kind, 7);

    // And Enter with the mouse on it.
    QCursor::setPos(view->viewport()->mapToGlobal(at));
    ModalWatch enter;
    enter.Arm();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view, &key);
    EXPECT_EQ(enter.kind, 7);
}

TEST_F(ShellWithProject, OpenFeatureWindowShowsRegisteredFramesAndAnEmptyOneOtherwise)
{
    // Kind 3, the amplifier list, is part of the program.
    ASSERT_TRUE(CObjectDlg::IsFrameRegistered(3));
    GetAppHost().OpenFeatureWindow(doc, 3, false);
    CObjectDlg* host = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<CObjectDlg*>(w); d && d->isVisible())
            host = d;
    ASSERT_NE(host, nullptr);
    EXPECT_FALSE(host->isModal());
    EXPECT_EQ(host->windowTitle(), QString("Erweiterte Verstärker Eigenschaften"));
    EXPECT_FALSE(host->IsPlaceholderFrame());
    ASSERT_NE(host->m_pFrame, nullptr);
    EXPECT_EQ(host->m_pFrame->objectName(), QString("AmpFrm"));
    QPointer<CObjectDlg> gone(host);
    host->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());  // a modeless host deletes itself when closed

    // A kind whose window is not registered shows the empty frame and says so.
    const int missing = 28;
    const CObjectDlg::FrameFactory registered = CObjectDlg::RegisterFrame(missing, nullptr);
    ModalWatch watch;
    watch.Arm();
    GetAppHost().OpenFeatureWindow(doc, missing, true);
    CObjectDlg::RegisterFrame(missing, registered);
    EXPECT_EQ(watch.kind, missing);
    EXPECT_TRUE(watch.placeholder);
    EXPECT_TRUE(watch.title.startsWith(CObjectDlg::KindCaption(missing)));
    EXPECT_TRUE(watch.title.contains("noch nicht verfügbar")) << watch.title.toStdString();
}

TEST_F(ShellWithProject, NewProjectDrawsNoSymbolForFuseServiceAndMonitor)
{
    // Each internal slot painted alone on a transparent picture of its place.
    struct NoIconPainter : CQtPainter {
        using CQtPainter::CQtPainter;
        void DrawIcon(uint32_t, CPoint) override {}
    };
    const auto paint = [&](CBaseDevice* obj, bool icons) {
        const CRect r = obj->GetRect();
        QImage img(std::max(1, r.Width() + 20), std::max(1, r.Height() + 20), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.translate(10 - r.left, 10 - r.top);
        if (icons) {
            CQtPainter dc(&p, frame->GetFontManager(), frame->GetBitmapManager());
            obj->Draw(dc);
        } else {
            NoIconPainter dc(&p, frame->GetFontManager(), frame->GetBitmapManager());
            obj->Draw(dc);
        }
        p.end();
        return img;
    };
    const auto differing = [](const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    };

    int invisible = 0, withIcon = 0;
    for (CBaseDevice* obj : doc->GetList(CAT_INTERNAL_SLOT)) {
        const uint32_t kind = obj->GetKindId();
        const QImage drawn = paint(obj, true);
        if (kind == internalslot::Fuse || kind == internalslot::Service || kind == internalslot::Monitor) {
            QImage empty(drawn.size(), QImage::Format_ARGB32);
            empty.fill(Qt::transparent);
            EXPECT_EQ(differing(drawn, empty), 0) << obj->GetName();
            ++invisible;
        } else {
            // The icon adds a picture of its own to the slot box.
            EXPECT_GT(differing(drawn, paint(obj, false)), 40) << obj->GetName();
            ++withIcon;
        }
    }
    EXPECT_EQ(invisible, 3);
    EXPECT_EQ(withIcon, 6);
}

TEST(ShellContextMenus, SeparatorsNeverStartEndOrDoubleAndEmptyPopupsGo)
{
    using I = ContextMenuItem;
    ContextMenu menu = {I::Sep(), I::Cmd(1, "a"), I::Sep(), I::Sep(), I::Cmd(2, "b"),
                        I::Sep(), I::Sub("p", {I::Sep(), I::Sep()}), I::Sep()};
    TidySeparators(menu);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].id, 1u);
    EXPECT_EQ(menu[1].kind, ContextMenuItem::Separator);
    EXPECT_EQ(menu[2].id, 2u);

    // Every menu of the table is already tidy.
    for (uint32_t id : {110u, 111u, 141u, 215u, 216u, 226u, 228u, 230u, 236u, 294u, 295u}) {
        const ContextMenu* table = FindContextMenu(id);
        ASSERT_NE(table, nullptr) << id;
        ContextMenu copy = *table;
        TidySeparators(copy);
        EXPECT_EQ(copy.size(), table->size()) << id;
    }
    EXPECT_EQ(FindContextMenu(999), nullptr);
}

// Pictures of the menus as the user sees them over the designer window, kept
// next to the test program (context-menu-*.png) for a look by eye.
TEST_F(ShellWithProject, MenuPicturesOverTheDesigner)
{
    auto* slot1 = Find<CAudioInputSlot>(CAT_INPUT_SLOT, [](CAudioInputSlot* s) { return s->GetSlotNumber() == 1; });
    ASSERT_NE(slot1, nullptr);
    slot1->SetCardType(inputcard::AuxMicLine);
    QApplication::processEvents();

    QImage shot;
    const auto runner = CShellAppHost::SetMenuRunner([&](QMenu& menu, const QPoint& at) -> QAction* {
        menu.adjustSize();
        shot = frame->grab().toImage();
        QPainter p(&shot);
        const QPoint origin = frame->mapFromGlobal(at);
        p.drawPixmap(origin, menu.grab());
        // The last popup opened beside its entry.
        QAction* last = menu.actions().isEmpty() ? nullptr : menu.actions().back();
        if (last && last->menu()) {
            last->menu()->adjustSize();
            p.drawPixmap(origin + menu.actionGeometry(last).topRight(), last->menu()->grab());
        }
        return nullptr;
    });
    const CPoint inB(slot1->GetRect().left + 4, slot1->m_inputPoints.at(2).y);
    HoverAt(ClientOf(inB));
    ASSERT_EQ(slot1->m_hoverInput, 2);
    RightClick(ClientOf(inB));
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save("context-menu-input-slot.png"));

    shot = QImage();
    auto* info = Find<CBaseDevice>(CAT_INTERNAL_SLOT, [](CBaseDevice* o) { return o->GetKindId() == internalslot::Clock; });
    ASSERT_NE(info, nullptr);
    view->HandleMouseMove(Qt::NoButton, ClientOf(CPoint(0, 0)));
    HoverAt(CentreOf(info));
    RightClick(CentreOf(info));
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save("context-menu-internal-slot.png"));
    CShellAppHost::SetMenuRunner(runner);
}

namespace {
// "text" with " [x]" when checked and " (off)" when disabled, popups as "text >".
std::vector<std::string> Flat(const ContextMenu& menu, const std::string& indent = "")
{
    std::vector<std::string> out;
    for (const ContextMenuItem& item : menu) {
        if (item.kind == ContextMenuItem::Separator) {
            out.push_back(indent + "---");
        } else if (item.kind == ContextMenuItem::Popup) {
            out.push_back(indent + item.text + " >");
            for (const std::string& s : Flat(item.items, indent + "  "))
                out.push_back(s);
        } else {
            out.push_back(indent + item.text + (item.checked ? " [x]" : "") + (item.enabled ? "" : " (off)"));
        }
    }
    return out;
}

std::vector<std::string> Shown(CBaseDevice& obj)
{
    ContextMenu menu = BuildObjectMenu(obj, obj.m_contextMenuId);
    UpdateMenuState(menu, obj);
    TidySeparators(menu);
    return Flat(menu);
}
}  // namespace

TEST_F(ShellWithProject, CardSlotsAppendTheEntriesOfTheHoveredConnector)
{
    CBaseDevice* digital = Find<CBaseDevice>(CAT_DIGITAL_SLOT);
    CBaseDevice* iface = Find<CBaseDevice>(CAT_INTERFACE);
    CBaseDevice* slot4 = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT, [](CAudioOutputSlot* s) { return !s->IsFitted(); });
    ASSERT_NE(digital, nullptr);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(slot4, nullptr);

    // Nothing hovered: no separator is left at the end.
    iface->SetHoverConnectors(-1, -1);
    EXPECT_EQ(Shown(*iface), (std::vector<std::string>{"Eigenschaften ..."}));
    iface->SetHoverConnectors(4, -1);
    EXPECT_EQ(Shown(*iface), (std::vector<std::string>{"Eigenschaften ...", "---", "FJX3392", "FJX3397"}));
    iface->SetHoverConnectors(0, 1);
    EXPECT_EQ(Shown(*iface), (std::vector<std::string>{"Eigenschaften ...", "---", "PC", "Monitor"}));

    const bool fitted = digital->m_showConnectorNames != 0;
    digital->SetHoverConnectors(2, 0);
    const std::string off = fitted ? "" : " (off)";
    EXPECT_EQ(Shown(*digital),
              (std::vector<std::string>{std::string("Nicht bestückt") + (fitted ? "" : " [x]"),
                                        std::string("8 fach Digital I/O") + (fitted ? " [x]" : ""), "---",
                                        "Eigenschaften ..." + off, "---", "Output" + off, "---", "Input" + off}));

    // An empty output slot: properties and amplifiers greyed.
    const std::vector<std::string> out = Shown(*slot4);
    ASSERT_GE(out.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(out.begin(), out.begin() + 6),
              (std::vector<std::string>{"Nicht bestückt [x]", "2-Kanal LINE Ausgangsmodul", "---",
                                        "Eigenschaften (Volume,Delay)... (off)", "---", "Verstärker hinzufügen >"}));
    EXPECT_EQ(out[6], "  1-Kanal Verstärker (off)");
}

TEST_F(ShellWithProject, AnObjectTransferHoldsTheMainWindowAndNoneStartsInsideIt)
{
    ASSERT_NE(GetCommLink(), nullptr);
    blocktest::SteppedBlock block;
    bool checked = false;
    block.midway = [&] {
        checked = true;
        EXPECT_FALSE(frame->isEnabled()) << "nothing may delete the object on its way";
        // Nor the window manager's close button, which a held window still has
        // (were it to ask, the project would not be saved).
        CQuillomerDoc* open = frame->GetActiveDocument();
        MessageRecorder asked;
        asked.Answer(mb::IdNo);
        EXPECT_FALSE(frame->close());
        EXPECT_TRUE(asked.messages.empty());
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(open, frame->GetActiveDocument());
        GetAppHost().TransferObject(&block, true);
        GetAppHost().TransferObject(&block, false);
        EXPECT_EQ(1, block.resets) << "a transfer started inside another";
    };
    GetAppHost().TransferObject(&block, false);
    EXPECT_TRUE(checked);
    EXPECT_EQ(1, block.resets);
    EXPECT_EQ(4, block.calls);
    EXPECT_TRUE(frame->isEnabled());

    // The next one runs as the first did.
    block.midway = nullptr;
    GetAppHost().TransferObject(&block, false);
    EXPECT_EQ(2, block.resets);
    EXPECT_EQ(8, block.calls);
}

TEST_F(OutputCardShellTest, RightClickOnAnOutputAddsALinkedAmplifierThatIsDrawn)
{
    const CPoint out2 = slot3->m_outputPoints.at(1);
    ShowAround(CPoint(slot3->GetRect().left, slot3->GetRect().top));
    const QImage before = Shot();

    // The mouse on the card near its second output.
    const QPoint at = view->LogicalToClient(CPoint(out2.x - 6, out2.y));
    HoverAt(at);
    ASSERT_EQ(view->GetHotObject(), slot3);
    ASSERT_EQ(slot3->m_hoverOutput, 1);

    MenuPick pick;
    pick.choose = 33072;  // "HBE 6657"
    RightClick(at);
    ASSERT_EQ(pick.shown, 1);
    EXPECT_EQ(pick.entries,
              (std::vector<std::string>{"Nicht bestückt",
                                        "2-Kanal LINE Ausgangsmodul [x]", "---", "Eigenschaften (Volume,Delay)...",
                                        "---", "Verstärker hinzufügen >", "  1-Kanal Verstärker", "  HBE 6631",
                                        "  HBE 6633", "  HBE 6631 + YOK 58417", "  HBE 6633 + YOK 58417", "  ---",
                                        "  2-Kanal Verstärker", "  HBE 6657", "  HBE 6659", "  ---", "  HBE 6682 >",
                                        "    4 x 100W", "    200W + 100W + 100W", "    100W + 200W + 100W",
                                        "    100W + 100W + 200W", "    2 x 200W", "  HBE 6683 >", "    4 x 100W",
                                        "    200W + 100W + 100W", "    100W + 200W + 100W", "    100W + 100W + 200W",
                                        "    2 x 200W"}));
    EXPECT_TRUE(messages.messages.empty());

    // The amplifier is in the project, linked from its first input to OUT2.
    ASSERT_EQ(doc->GetList(CAT_AMPLIFIER).size(), 1u);
    auto* amp = dynamic_cast<CAmplifier*>(doc->GetList(CAT_AMPLIFIER).front());
    ASSERT_NE(amp, nullptr);
    EXPECT_EQ(amp->GetKindId(), 33072u);
    EXPECT_EQ(amp->m_inputCount, 2);
    EXPECT_EQ(amp->GetName(), "Verstärker 1");
    const LinkRecord* link = amp->GetOutLinkAtKey(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->partner, slot3);
    EXPECT_EQ(link->partnerKey, 1);
    const LinkRecord* back = slot3->GetInLinkAtKey(1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->partner, amp);
    EXPECT_EQ(back->partnerKey, 0);
    EXPECT_TRUE(doc->IsModified());

    // It is drawn: its symbol and the line from the card's output to it.
    ASSERT_FALSE(amp->GetRect().IsRectEmpty());
    ASSERT_EQ(amp->m_inputPoints.at(0).y, out2.y);
    view->viewport()->update();
    const QImage after = Shot();
    const QRect symbol = view->LogicalToClient(amp->GetRect());
    ASSERT_TRUE(after.rect().contains(symbol.center())) << "amplifier outside the window";
    EXPECT_GT(Differing(before, after, symbol), 100);
    // The line leaves the output to the right, level with it.
    const QPoint lineStart = view->LogicalToClient(CPoint(out2.x + 8, out2.y));
    const QPoint lineEnd = view->LogicalToClient(CPoint(out2.x + 60, out2.y));
    EXPECT_GT(Differing(before, after, QRect(lineStart, lineEnd).adjusted(0, -1, 0, 1)), 10);

    // With an amplifier linked, the card cannot be emptied any more.
    pick.choose = 0;
    RightClick(at);
    ASSERT_FALSE(pick.entries.empty());
    EXPECT_EQ(pick.entries[0], "Nicht bestückt (off)");
}

TEST_F(OutputCardShellTest, WithTheMouseAwayFromTheOutputsTheCardAsksForOne)
{
    ShowAround(CPoint(slot3->GetRect().left, slot3->GetRect().top));
    // Left of the card's middle: no output is hovered.
    const CRect r = slot3->GetRect();
    const QPoint at = view->LogicalToClient(CPoint(r.left + 4, (r.top + r.bottom) / 2));
    HoverAt(at);
    ASSERT_EQ(view->GetHotObject(), slot3);
    ASSERT_EQ(slot3->m_hoverOutput, -1);
    MenuPick pick;
    pick.choose = 33007;
    RightClick(at);
    EXPECT_TRUE(doc->GetList(CAT_AMPLIFIER).empty());
    EXPECT_TRUE(messages.Saw("Wählen Sie bitte zunächst einen Ausgang !"));
}
