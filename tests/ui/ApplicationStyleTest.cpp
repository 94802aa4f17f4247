// The program's style: frames of lists and text boxes whole at the screen
// scales of 120 and 144 DPI, and a pressed toggle that looks pressed.
#include "ui/CApplicationStyle.h"

#include <QApplication>
#include <QGridLayout>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {
// Mean grey of a button's face, its border left out.
double FaceGrey(QPushButton& button)
{
    const QImage image = button.grab().toImage();
    double sum = 0;
    int count = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x, ++count)
            sum += qGray(image.pixel(x, y));
    return count ? sum / count : 0;
}
}  // namespace

TEST(ApplicationStyle, IsTheApplicationsStyle)
{
    EXPECT_NE(nullptr, qobject_cast<CApplicationStyle*>(QApplication::style()));
}

TEST(ApplicationStyle, DevicePixelsTakeEachEdgeToTheNearestPixelBorder)
{
    const QTransform by125 = QTransform::fromScale(1.25, 1.25);
    // 11..192 logical is 13.75..240 device: pixels 14 to 239.
    EXPECT_EQ(QRect(QPoint(14, 14), QPoint(239, 239)), CApplicationStyle::DevicePixels(QRectF(11, 11, 181, 181), by125));
    const QTransform moved = QTransform::fromScale(1.5, 1.5) * QTransform::fromTranslate(0.5, 0);
    EXPECT_EQ(QRect(QPoint(2, 2), QPoint(16, 16)), CApplicationStyle::DevicePixels(QRectF(1, 1, 10, 10), moved));
    EXPECT_TRUE(CApplicationStyle::IsFractionalScale(by125));
    EXPECT_FALSE(CApplicationStyle::IsFractionalScale(QTransform::fromScale(2, 2)));
    EXPECT_FALSE(CApplicationStyle::IsFractionalScale(QTransform::fromTranslate(0.5, 0.5)));
}

// Lists and text boxes at many offsets, drawn as a screen of 1.25 and 1.5
// device pixels per pixel draws them: each edge's outermost device pixel
// shows the frame, neither the white inside nor the window behind.
TEST(ApplicationStyle, FramesOfListsAndTextBoxesShowWholeAtFractionalScales)
{
    QWidget window;
    auto* grid = new QGridLayout(&window);
    grid->setSpacing(3);
    QList<QWidget*> boxes;
    for (int i = 0; i < 12; ++i) {
        QWidget* box = i % 2 ? static_cast<QWidget*>(new QListWidget) : static_cast<QWidget*>(new QTextEdit);
        grid->addWidget(box, i / 4, i % 4);
        boxes << box;
    }
    window.resize(403, 317);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRgb behind = window.palette().color(QPalette::Window).rgb();
    for (const qreal scale : {1.25, 1.5}) {
        QImage image(window.size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(behind);
        window.render(&image);
        for (QWidget* box : boxes) {
            const QRect at = box->geometry();
            const QRect d = CApplicationStyle::DevicePixels(QRectF(at), QTransform::fromScale(scale, scale));
            const QRgb inside = static_cast<QAbstractScrollArea*>(box)->viewport()->palette().color(QPalette::Base).rgb();
            const QPoint edges[] = {{d.left(), d.center().y()}, {d.right(), d.center().y()},
                                    {d.center().x(), d.top()}, {d.center().x(), d.bottom()}};
            for (const QPoint& p : edges) {
                const QRgb shown = image.pixel(p);
                EXPECT_NE(inside, shown) << "scale " << scale << ", box at " << at.x() << "," << at.y() << ", pixel "
                                         << p.x() << "," << p.y();
                EXPECT_NE(behind, shown) << "scale " << scale << ", box at " << at.x() << "," << at.y() << ", pixel "
                                         << p.x() << "," << p.y();
            }
        }
    }
}

// A push button that stays pressed (the fault window's manual "Ein") is
// clearly darker than when it is up.
TEST(ApplicationStyle, APressedToggleLooksPressed)
{
    QPushButton toggle(QStringLiteral("Ein"));
    toggle.setCheckable(true);
    toggle.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&toggle));
    const double up = FaceGrey(toggle);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    ASSERT_TRUE(toggle.isChecked());
    const double down = FaceGrey(toggle);
    EXPECT_GT(up - down, 50.0) << "up " << up << ", down " << down;
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_NEAR(up, FaceGrey(toggle), 1.0);
}
