// Drag source image feedback and the "DATA Object" drop target.
#include "ui/CDragImageSource.h"
#include "ui/CFormatDropTarget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
// Sends a drag enter (or move/drop) to `w` and returns the accepted action
// (IgnoreAction when refused).
Qt::DropAction Send(QWidget* w, QEvent::Type type, const QMimeData* data, Qt::KeyboardModifiers keys,
                    Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
{
    if (type == QEvent::Drop) {
        QDropEvent e(QPointF(5, 5), possible, data, Qt::LeftButton, keys);
        QApplication::sendEvent(w, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    if (type == QEvent::DragEnter) {
        QDragEnterEvent e(QPoint(5, 5), possible, data, Qt::LeftButton, keys);
        QApplication::sendEvent(w, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    QDragMoveEvent e(QPoint(5, 5), possible, data, Qt::LeftButton, keys);
    QApplication::sendEvent(w, &e);
    return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
}
}  // namespace

TEST(FormatDropTarget, CtrlCopiesOtherwiseMovesOtherFormatsRefused)
{
    QWidget pane;
    CFormatDropTarget target;
    ASSERT_TRUE(target.Register(&pane));
    EXPECT_TRUE(pane.acceptDrops());
    std::unique_ptr<QMimeData> ours(CFormatDropTarget::CreateDataObject(QByteArray("\x5d\x86\0\0", 4)));
    QMimeData text;
    text.setText("CBaseDevice");
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, ours.get(), Qt::NoModifier), Qt::MoveAction);
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, ours.get(), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(Send(&pane, QEvent::DragMove, ours.get(), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, &text, Qt::NoModifier), Qt::IgnoreAction);
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, &text, Qt::ControlModifier), Qt::IgnoreAction);
    int drops = 0;
    QObject::connect(&target, &CFormatDropTarget::DataDropped, [&] { ++drops; });
    EXPECT_EQ(Send(&pane, QEvent::Drop, &text, Qt::NoModifier), Qt::IgnoreAction);
    EXPECT_EQ(drops, 0);
}

TEST(FormatDropTarget, PayloadRoundTripBetweenPanes)
{
    QWidget source, pane;
    CFormatDropTarget target;
    target.Register(&pane);
    // Kind id 34365, row image 4, controller number 7: three little-endian words.
    QByteArray payload;
    for (quint32 v : {34365u, 4u, 7u})
        for (int i = 0; i < 4; ++i)
            payload.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    std::unique_ptr<QMimeData> data(CFormatDropTarget::CreateDataObject(payload));
    EXPECT_TRUE(data->hasFormat("application/x-quillomer-data-object"));
    QByteArray received;
    Qt::DropAction action = Qt::IgnoreAction;
    QObject::connect(&target, &CFormatDropTarget::DataDropped,
                     [&](QWidget* w, const QByteArray& bytes, Qt::DropAction a, const QPoint&) {
                         EXPECT_EQ(w, &pane);
                         received = bytes;
                         action = a;
                     });
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, data.get(), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(Send(&pane, QEvent::Drop, data.get(), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(received, payload);
    EXPECT_EQ(received.size(), 12);
    EXPECT_EQ(action, Qt::CopyAction);
    // Only the offered actions are taken.
    EXPECT_EQ(Send(&pane, QEvent::DragEnter, data.get(), Qt::NoModifier, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(CFormatDropTarget::ReadDataObject(nullptr), QByteArray());
}

TEST(DragImageSource, ImageHiddenOverRefusingWindowsAndShownAgain)
{
    QList<QPixmap> images;
    for (int i = 0; i < 5; ++i) {
        QPixmap p(32, 32);
        p.fill(Qt::red);
        images.append(p);
    }
    CDragImageSource source;
    source.SetImageList(&images);
    EXPECT_FALSE(source.BeginDragImage(9, {16, 16}));
    ASSERT_TRUE(source.BeginDragImage(4, {16, 16}));
    // Drag start: the next feedback with an effect shows the image.
    QWidget w;
    std::unique_ptr<QMimeData> data(CFormatDropTarget::CreateDataObject("x"));
    // (the drag loop itself is not run here; the feedback steps are)
    source.GiveFeedback(Qt::IgnoreAction, {0, 0});
    EXPECT_TRUE(source.IsReEnter());
    EXPECT_FALSE(source.IsImageShown());
    source.GiveFeedback(Qt::MoveAction, {100, 120});
    EXPECT_FALSE(source.IsReEnter());
    EXPECT_TRUE(source.IsImageShown());
    EXPECT_EQ(source.ImagePosition(), QPoint(100, 120));
    source.GiveFeedback(Qt::MoveAction, {140, 150});
    EXPECT_EQ(source.ImagePosition(), QPoint(140, 150));
    source.GiveFeedback(Qt::IgnoreAction, {300, 300});
    EXPECT_FALSE(source.IsImageShown());
    EXPECT_TRUE(source.IsReEnter());
    source.GiveFeedback(Qt::CopyAction, {200, 210});
    EXPECT_TRUE(source.IsImageShown());
    EXPECT_EQ(source.ImagePosition(), QPoint(200, 210));
    source.EndDragImage();
    EXPECT_FALSE(source.IsImageShown());
}

// A drag let go over a target that answers with a message: the message can
// be answered, as the drag has let go of the keys and its picture is gone.
TEST(DragImageSource, TheTargetTakesTheDropOnceTheDragHasLetGo)
{
    QList<QPixmap> images{QPixmap(32, 32)};
    CDragImageSource source;
    source.SetImageList(&images);
    ASSERT_TRUE(source.BeginDragImage(0, {16, 16}));
    QWidget pane;
    pane.setGeometry(100, 100, 200, 200);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    CFormatDropTarget target;
    target.Register(&pane);
    QLineEdit answer;  // what the user types into the message the drop shows
    bool pictureShown = true;
    QObject::connect(&target, &CFormatDropTarget::DataDropped, [&] {
        QTest::keyClicks(&answer, QStringLiteral("ok"));
        pictureShown = source.IsImageShown();
    });
    QTimer hand;
    int step = 0;
    QObject::connect(&hand, &QTimer::timeout, [&] {
        if (step++ < 3)
            QTest::mouseMove(&pane, QPoint(50 + step, 60));
        else
            QTest::mouseRelease(&pane, Qt::LeftButton, {}, QPoint(53, 60));
    });
    hand.start(5);
    EXPECT_EQ(Qt::MoveAction, source.OnBeginDrag(&pane, CFormatDropTarget::CreateDataObject("x"), Qt::MoveAction));
    hand.stop();
    EXPECT_EQ(QStringLiteral("ok"), answer.text());
    EXPECT_FALSE(pictureShown);
}
