// The dotted frame over a list's cells: which cells it follows, that it
// leaves with the mouse and with the rows, and that it is really painted
// (whatever the style does with focus frames).
#include "ui/CHoverFrame.h"
#include "ui/CListCtrl.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class HoverFrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = std::make_unique<CListCtrl>();
        list->resize(400, 200);
        QPalette p = list->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::AlternateBase, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        list->setPalette(p);
        for (int c = 0; c < 4; ++c)
            list->InsertColumn(c, QStringLiteral("C%1").arg(c), CListCtrl::LVCFMT_LEFT, 90);
        for (int r = 0; r < 3; ++r)
            list->InsertItem(r, QString());
        list->show();
        QApplication::processEvents();
    }

    QPoint Centre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void Move(int row, int column) { QTest::mouseMove(list->viewport(), Centre(row, column)); }

    // Dark pixels on the top edge of a cell as the viewport paints it.
    int DarkOnTopEdge(int row, int column) const
    {
        const QImage image = list->viewport()->grab().toImage();
        const QRect cell = list->visualRect(list->model()->index(row, column));
        int dark = 0;
        for (int x = cell.left(); x < cell.right(); ++x)
            dark += qGray(image.pixel(x, cell.top())) < 100;
        return dark;
    }

    std::unique_ptr<CListCtrl> list;
};

TEST_F(HoverFrameFixture, FollowsTheMouseWithinItsColumnsAndGoesWithTheMouseAndTheRows)
{
    auto* frame = new CHoverFrame(list.get(), 1, 2);
    EXPECT_EQ(frame, CHoverFrame::Of(list.get()));
    for (int column = 0; column < 4; ++column) {
        Move(1, column);
        EXPECT_EQ(column == 1 || column == 2, frame->Hovered().isValid()) << column;
    }
    Move(2, 1);
    EXPECT_EQ(2, frame->Hovered().row());
    EXPECT_EQ(1, frame->Hovered().column());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(list->viewport(), &leave);
    EXPECT_FALSE(frame->Hovered().isValid());

    // A list built anew forgets the cell, and paints without it.
    Move(2, 2);
    ASSERT_TRUE(frame->Hovered().isValid());
    list->DeleteAllItems();
    EXPECT_FALSE(frame->Hovered().isValid());
    list->viewport()->grab();
}

TEST_F(HoverFrameFixture, IsPaintedRoundTheHoveredCellOnlyAndFromColumnOneByDefault)
{
    auto* frame = new CHoverFrame(list.get());
    const int plain = DarkOnTopEdge(1, 2);
    Move(1, 2);
    ASSERT_TRUE(frame->Hovered().isValid());
    const int width = list->visualRect(list->model()->index(1, 2)).width();
    // A dotted line: about every third pixel of the edge is dark.
    EXPECT_GT(DarkOnTopEdge(1, 2), plain + width / 5);
    EXPECT_LE(DarkOnTopEdge(1, 3), plain) << "the next cell has no frame";

    // At 144 DPI too the dots stay single screen pixels.
    QImage scaled(list->viewport()->size() * 1.5, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(1.5);
    list->viewport()->render(&scaled);
    const QRect cell = list->visualRect(list->model()->index(1, 2));
    int dots = 0, dashes = 0;
    for (int y = int(cell.top() * 1.5) - 1; y <= int(cell.top() * 1.5) + 1; ++y)  // the top edge's screen row
        for (int x = int(cell.left() * 1.5) + 3; x < int(cell.right() * 1.5) - 3; ++x) {
            const bool dot = qGray(scaled.pixel(x, y)) < 100;
            dots += dot;
            dashes += dot && qGray(scaled.pixel(x + 1, y)) < 100;
        }
    EXPECT_GT(dots, width / 4);
    EXPECT_EQ(0, dashes);

    Move(1, 0);
    EXPECT_FALSE(frame->Hovered().isValid()) << "the first column never gets the frame";
    EXPECT_LE(DarkOnTopEdge(1, 2), plain) << "the frame is gone from the old cell";
}

}  // namespace
