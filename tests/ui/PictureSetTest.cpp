// The program's picture set: every resource id in its table has a picture
// that really draws, strips give their images by index, and the pictures
// scale as vectors, and no picture speaks one language.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>

#include <map>

#include "ui/CPictureSet.h"
#include "ui/SymbolImages.h"

namespace {

// Pixels that are not fully transparent.
int InkedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) != 0;
    return n;
}

// The named picture drawn at `size`; a null image when the set has none.
QImage Draw(const char* name, int size)
{
    const QIcon icon = CPictureSet::Picture(QString::fromLatin1(name));
    if (icon.isNull())
        return {};
    return icon.pixmap(QSize(size, size)).toImage();
}

const char* KindName(CPictureSet::Kind kind)
{
    switch (kind) {
    case CPictureSet::Kind::Bitmap: return "bitmap";
    case CPictureSet::Kind::Icon: return "icon";
    case CPictureSet::Kind::ToolBar: return "tool bar";
    case CPictureSet::Kind::Cursor: return "cursor";
    case CPictureSet::Kind::Animation: return "animation";
    }
    return "?";
}

}  // namespace

TEST(PictureSet, EveryResourceIdOfTheProgramHasAPictureThatDraws)
{
    const auto& resources = CPictureSet::Resources();
    ASSERT_GT(resources.size(), 80u);
    QSet<QString> seen;
    for (const CPictureSet::Resource& r : resources) {
        const std::string where = std::string(KindName(r.kind)) + " " + std::to_string(r.id);
        EXPECT_FALSE(seen.contains(QStringLiteral("%1/%2").arg(static_cast<int>(r.kind)).arg(r.id))) << where << " twice";
        seen.insert(QStringLiteral("%1/%2").arg(static_cast<int>(r.kind)).arg(r.id));
        if (r.kind == CPictureSet::Kind::ToolBar) {
            EXPECT_TRUE(r.pictures.empty()) << where;
            int buttons = 0;
            QSet<unsigned> commands;
            for (const CPictureSet::Button& b : r.buttons) {
                if (b.command == 0)
                    continue;
                ++buttons;
                EXPECT_FALSE(commands.contains(b.command)) << where << ": command " << b.command << " twice";
                commands.insert(b.command);
                EXPECT_GT(InkedPixels(Draw(b.picture, 16)), 12) << where << ": command " << b.command << " \""
                                                               << (b.picture ? b.picture : "") << "\"";
                EXPECT_FALSE(CPictureSet::ToolButton(r.id, b.command).isNull()) << where << ": " << b.command;
            }
            EXPECT_GT(buttons, 0) << where;
            // A strip neither starts nor ends with a separator.
            EXPECT_NE(0u, r.buttons.front().command) << where;
            EXPECT_NE(0u, r.buttons.back().command) << where;
            continue;
        }
        ASSERT_FALSE(r.pictures.empty()) << where;
        if (r.kind == CPictureSet::Kind::Animation) {
            // Every frame draws at the animation's own size, and no frame
            // repeats the one before it: the strip moves.
            const QSize size = CPictureSet::FrameSize(r.id);
            EXPECT_FALSE(size.isEmpty()) << where;
            EXPECT_EQ(static_cast<int>(r.pictures.size()), CPictureSet::FrameCount(r.id)) << where;
            QImage previous;
            for (int i = 0; i < CPictureSet::FrameCount(r.id); ++i) {
                const QImage frame = CPictureSet::AnimationFrame(r.id, i, size);
                EXPECT_EQ(size, frame.size()) << where << " frame " << i;
                EXPECT_GT(InkedPixels(frame), size.width() * size.height() / 20) << where << " frame " << i;
                EXPECT_NE(previous, frame) << where << " frame " << i << " repeats the one before";
                previous = frame;
            }
            continue;
        }
        for (size_t i = 0; i < r.pictures.size(); ++i) {
            const char* name = r.pictures[i];
            if (r.kind == CPictureSet::Kind::Bitmap && !*name) {
                // A designer symbol: the symbol images draw it.
                EXPECT_FALSE(SymbolImage(r.id).isNull()) << where << ": no symbol picture";
                continue;
            }
            EXPECT_GT(InkedPixels(Draw(name, 16)), 12) << where << " image " << i << " \"" << name << "\"";
        }
    }
}

TEST(PictureSet, EveryAnimationOfTheProgramHasItsFrames)
{
    // Radio reception, erasing the program, the two transfers, the
    // controller's knob (one frame per position 0..90).
    const std::map<int, int> frames = {{465, 8}, {466, 9}, {467, 16}, {468, 16}, {485, 91}};
    for (const auto& [id, count] : frames) {
        ASSERT_NE(nullptr, CPictureSet::Find(CPictureSet::Kind::Animation, id)) << id;
        EXPECT_EQ(count, CPictureSet::FrameCount(id)) << id;
        const QSize size = CPictureSet::FrameSize(id);
        EXPECT_TRUE(CPictureSet::AnimationFrame(id, count, size).isNull()) << id;
        EXPECT_TRUE(CPictureSet::AnimationFrame(id, -1, size).isNull()) << id;
    }
    int animations = 0;
    for (const CPictureSet::Resource& r : CPictureSet::Resources())
        animations += r.kind == CPictureSet::Kind::Animation;
    EXPECT_EQ(static_cast<int>(frames.size()), animations);
    EXPECT_EQ(0, CPictureSet::FrameCount(99));
    EXPECT_TRUE(CPictureSet::FrameSize(99).isEmpty());
    // The knob fills a square; its pointer (the blue line) points to the
    // lower left at position 0, straight up at 45 and to the lower right at 90.
    EXPECT_EQ(QSize(48, 48), CPictureSet::FrameSize(485));
    const auto pointsAt = [](int frame, QPoint tip) {
        const QColor c = CPictureSet::AnimationFrame(485, frame, QSize(48, 48)).pixelColor(tip);
        return c.blue() > 120 && c.red() < 60;
    };
    const QPoint lowerLeft(15, 33), up(24, 13), lowerRight(33, 33);
    EXPECT_TRUE(pointsAt(0, lowerLeft));
    EXPECT_FALSE(pointsAt(0, up));
    EXPECT_TRUE(pointsAt(45, up));
    EXPECT_FALSE(pointsAt(45, lowerRight));
    EXPECT_TRUE(pointsAt(90, lowerRight));
    EXPECT_FALSE(pointsAt(90, lowerLeft));
}

TEST(PictureSet, StripsGiveTheirImagesByIndexAndNothingBeyond)
{
    // The amplifier tree: closed and open root, then one picture per channel count.
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(CPictureSet::ListImage(279, i).isNull()) << i;
    EXPECT_TRUE(CPictureSet::ListImage(279, 6).isNull());
    EXPECT_TRUE(CPictureSet::ListImage(279, -1).isNull());
    // Different channel counts look different; the root's open folder is not the closed one.
    EXPECT_NE(CPictureSet::ListImageAt(279, 2, 16), CPictureSet::ListImageAt(279, 5, 16));
    EXPECT_NE(CPictureSet::ListImageAt(279, 0, 16), CPictureSet::ListImageAt(279, 1, 16));
    // The object lists: 32 and 16 pixel strips index the same objects, up to the zone at 34.
    EXPECT_FALSE(CPictureSet::ListImage(136, 34).isNull());
    EXPECT_TRUE(CPictureSet::ListImage(136, 35).isNull());
    EXPECT_EQ(CPictureSet::ListImageAt(134, 13, 16), CPictureSet::ListImageAt(136, 13, 16));
    EXPECT_NE(CPictureSet::ListImageAt(136, 13, 16), CPictureSet::ListImageAt(136, 19, 16));

    // Unknown ids and commands have no picture.
    EXPECT_TRUE(CPictureSet::ListImage(99, 0).isNull());
    EXPECT_TRUE(CPictureSet::ListImageAt(99, 0, 16).isNull());
    EXPECT_TRUE(CPictureSet::Icon(99).isNull());
    EXPECT_TRUE(CPictureSet::ToolButton(507, 12345).isNull());
    EXPECT_TRUE(CPictureSet::ToolButton(507, 0).isNull());
    EXPECT_TRUE(CPictureSet::ToolButton(99, 33143).isNull());
    EXPECT_TRUE(CPictureSet::Picture(QStringLiteral("no-such-picture")).isNull());
    // A command is looked up on the strip it belongs to.
    EXPECT_FALSE(CPictureSet::ToolButton(132, 33143).isNull());
    EXPECT_TRUE(CPictureSet::ToolButton(507, 33143).isNull());
}

TEST(PictureSet, NoPictureCarriesAWordOfOneLanguage)
{
    // The pictures are the same in German and English: what they write is a
    // number, a sign, or a word of the device itself ("IN", "OUT"); a letter
    // standing for a German word ("T" for Tagesprogramm) would be wrong in
    // English.
    const QSet<QString> neutral = {QStringLiteral("IN"), QStringLiteral("OUT"), QStringLiteral("A"),
                                   QStringLiteral("D"), QStringLiteral("i")};
    const QRegularExpression writing(QStringLiteral("<text[^>]*>([^<]*)</text>"));
    const QDir dir(CPictureSet::PicturePath(QStringLiteral("x")).section(QLatin1Char('/'), 0, -2));
    const QStringList files = dir.entryList({QStringLiteral("*.svg")});
    ASSERT_GT(files.size(), 100);
    int written = 0;
    for (const QString& file : files) {
        QFile svg(dir.filePath(file));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << file.toStdString();
        const QString content = QString::fromUtf8(svg.readAll());
        for (auto it = writing.globalMatch(content); it.hasNext();) {
            QString words = it.next().captured(1);
            words.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"));
            ++written;
            const bool hasLetters = words.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
            EXPECT_TRUE(!hasLetters || neutral.contains(words)) << file.toStdString() << " writes " << words.toStdString();
        }
    }
    EXPECT_GT(written, 0);  // the pattern finds what pictures write

    // The calendar's kinds keep apart without letters: appointment, day
    // programme, holiday and week programme look different from each other.
    for (int a = 20; a <= 23; ++a)
        for (int b = a + 1; b <= 23; ++b)
            EXPECT_NE(CPictureSet::ListImageAt(136, a, 16), CPictureSet::ListImageAt(136, b, 16)) << a << " " << b;
}

TEST(PictureSet, PicturesAreDrawnAtTheSizeAskedAndGreyedWhenDisabled)
{
    // At 200 % the picture is drawn anew at 32 device pixels, not blown up:
    // its outline stays one device pixel wide, so it has finer detail than
    // the 16-pixel picture scaled up.
    const QImage small = CPictureSet::ListImageAt(136, 34, 16);
    const QImage large = CPictureSet::ListImageAt(136, 34, 32);
    ASSERT_EQ(QSize(16, 16), small.size());
    ASSERT_EQ(QSize(32, 32), large.size());
    EXPECT_NE(small.scaled(32, 32), large);

    const QIcon icon = CPictureSet::Icon(447);
    ASSERT_FALSE(icon.isNull());
    const QPixmap hiDpi = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(QSize(32, 32), hiDpi.size());
    EXPECT_EQ(2.0, hiDpi.devicePixelRatio());

    // A disabled button shows the picture greyed, not the same colours.
    const QImage normal = icon.pixmap(QSize(16, 16), QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    ASSERT_FALSE(disabled.isNull());
    EXPECT_NE(normal, disabled);

    // The edit cursor is its own picture, not the arrow.
    EXPECT_EQ(Qt::BitmapCursor, CPictureSet::Cursor(448).shape());
    EXPECT_EQ(Qt::ArrowCursor, CPictureSet::Cursor(99).shape());
}
