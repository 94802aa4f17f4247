// The project data dialog's message on choosing the upgraded device: its list
// of limits shows the numbers in columns, in German and in English, in the
// font the message box uses. Saves upgrade-message-de.png and
// upgrade-message-en.png next to the test program for a look by eye.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "ShellTestSupport.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "shell/CProjectDataDlg.h"
#include "shell/MessageBoxHandler.h"
#include "support/EnglishTexts.h"

namespace {

// Where each line of text starts its pieces: a piece ends at a gap of more
// than `gap` background pixels. Lines are the pixel rows with ink, thin ones
// (umlaut dots) left out.
std::vector<std::vector<int>> PieceStarts(const QImage& image, int gap, int minHeight)
{
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    auto ink = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return std::abs(qGray(p) - qGray(background)) > 80;
    };
    std::vector<std::vector<int>> lines;
    int y = 0;
    while (y < image.height()) {
        auto rowHasInk = [&](int row) {
            for (int x = 0; x < image.width(); ++x)
                if (ink(x, row))
                    return true;
            return false;
        };
        if (!rowHasInk(y)) {
            ++y;
            continue;
        }
        const int top = y;
        while (y < image.height() && rowHasInk(y))
            ++y;
        if (y - top < minHeight)
            continue;
        std::vector<int> starts;
        int blank = gap + 1;
        for (int x = 0; x < image.width(); ++x) {
            bool column = false;
            for (int row = top; row < y && !column; ++row)
                column = ink(x, row);
            if (column && blank > gap)
                starts.push_back(x);
            blank = column ? 0 : blank + 1;
        }
        lines.push_back(starts);
    }
    return lines;
}

// Clicks "KVT 7000 Upgrade" in the project data dialog and returns the
// message's text as shown (with the gap between its words and the height
// of an umlaut's dots), after saving the box as `shot`.
QImage UpgradeMessage(const char* shot, int& gap, int& minHeight)
{
    MessageHandler previous = SetMessageHandler(nullptr);
    InstallMessageBoxHandler();
    CProjectDataDlg dlg;
    dlg.m_nDeviceVariant = 0;
    dlg.m_strDate = "01.02.2024";
    dlg.show();
    QImage text;
    QObject scope;  // the timer dies with the locals it writes, whether a box took it or not
    QTimer::singleShot(0, &scope, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label) {
            text = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            gap = label->fontMetrics().averageCharWidth();
            minHeight = label->fontMetrics().xHeight() / 2 + 1;
        }
        box->grab().save(QString::fromLatin1(shot));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QTest::mouseClick(dlg.VariantButton(1), Qt::LeftButton);
    SetMessageHandler(previous);
    return text;
}

void ExpectNumberColumnsInLine(const char* shot)
{
    int gap = 0;
    int minHeight = 0;
    const QImage text = UpgradeMessage(shot, gap, minHeight);
    ASSERT_FALSE(text.isNull()) << "no message box";
    // The fourteen limits: name, value of the upgrade, value of the standard device.
    std::vector<std::vector<int>> rows;
    for (const std::vector<int>& starts : PieceStarts(text, gap, minHeight))
        if (starts.size() == 3)
            rows.push_back(starts);
    ASSERT_EQ(rows.size(), 14u);
    for (const std::vector<int>& row : rows) {
        EXPECT_EQ(row[1], rows[0][1]);
        EXPECT_EQ(row[2], rows[0][2]);
    }
}

}  // namespace

TEST(ShellUpgradeMessage, NumberColumnsStartAtOnePlaceInGerman)
{
    ExpectNumberColumnsInLine("upgrade-message-de.png");
}

TEST(ShellUpgradeMessage, NumberColumnsStartAtOnePlaceInEnglish)
{
    EnglishTexts english;
    ASSERT_TRUE(english.IsLoaded());
    ASSERT_EQ(LoadStringId(34531).rfind("Because", 0), 0u);
    ExpectNumberColumnsInLine("upgrade-message-en.png");
}
