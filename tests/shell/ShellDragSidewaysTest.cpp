// An amplifier moves only up and down on the sheet. Dragged sideways it
// stays where it is, and a saved project stays unmodified: closing it does
// not ask to save. Dragged downwards it moves and the project is modified.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ShellProgramTest.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioOutputSlot.h"
#include "shell/CDocTemplate.h"

namespace {

void MouseEvent(QWidget* w, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent ev(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

class DragSideways : public ShellProgramTest {
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

}  // namespace

TEST_F(DragSideways, AnAmplifierPulledSidewaysStaysAndTheProjectStaysUnmodified)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    QApplication::processEvents();
    auto* out = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT);
    out->OnCommand(outputcard::LineModule);
    out->m_hoverOutput = 0;
    out->OnCommand(33007);
    out->SetHoverConnectors(-1, -1);
    auto* amp = Find<CAmplifier>(CAT_AMPLIFIER);
    ASSERT_NE(amp, nullptr);
    QTemporaryDir dir;
    CDocTemplate* tpl = app.GetDocTemplate();
    tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return dir.filePath("Anlage.qlx"); });
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
