// The user's hand on the sheet of a new project: a rubber band up to the
// sheet's corner and the mouse on its origin, where the signals and other
// objects without a symbol keep their token place; a drag into a second
// designer window; the name of a device at an input card.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <map>

#include "ShellProgramTest.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/SheetSymbol.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerView.h"

namespace {

// A mouse event at any point of a widget, its corner included (the test
// library takes the null point for the widget's centre).
void MouseEvent(QWidget* w, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent ev(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

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
