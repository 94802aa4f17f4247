#pragma once
// A list window worked as its user works it: a command button of the
// window's own bar clicked, a cell found by its column and double-clicked,
// and the queued edits, deferred deletes and repaints let run in between.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QTest>
#include <QToolBar>

#include "ui/CFeatureFrm.h"
#include "ui/CListCtrl.h"

namespace byhand {

inline void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

inline void ClickButton(CFeatureFrm& frame, unsigned commandId)
{
    QWidget* button = frame.GetCommandBar()->widgetForAction(frame.GetAction(commandId));
    ASSERT_NE(nullptr, button);
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
}

inline QPoint CellCenter(CListCtrl* list, int row, int column)
{
    QRect cell = list->visualItemRect(list->topLevelItem(row));
    cell.setLeft(list->header()->sectionViewportPosition(column));
    cell.setWidth(list->header()->sectionSize(column));
    return cell.center();
}

// The first click on the cell, then the second, as a user's double click.
inline void DoubleClick(CListCtrl* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
    Settle();
}

}  // namespace byhand
