// Every registered window opened at its designed size: each button of its
// tool bars shows a picture, none is hidden behind the bar's overflow, and a
// bar of the picture set holds its strip's buttons in the strip's order.
// Each window is saved as bars-<window>.png in the working directory.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <memory>

#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "ui/CPictureSet.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"
#include "WindowWalk.h"

namespace {

// The bar's buttons as the strip writes them: command ids, 0 for a separator.
std::vector<unsigned> Commands(const QToolBar* bar)
{
    std::vector<unsigned> commands;
    for (QAction* a : bar->actions())
        commands.push_back(a->isSeparator() ? 0u : a->objectName().toUInt());
    return commands;
}

std::vector<unsigned> Commands(const CPictureSet::Resource& strip)
{
    std::vector<unsigned> commands;
    for (const CPictureSet::Button& b : strip.buttons)
        commands.push_back(b.command);
    return commands;
}

void CheckBars(const QWidget* window, QStringList& faults, QSet<int>& stripsSeen)
{
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        if (!bar->isVisibleTo(window))
            continue;
        const QString barName = bar->objectName().isEmpty() ? QStringLiteral("(unnamed bar)") : bar->objectName();
        for (QAction* a : bar->actions()) {
            // Separators and embedded controls (the zoom box) are no picture buttons.
            if (a->isSeparator() || !a->isVisible() || qobject_cast<QWidgetAction*>(a))
                continue;
            const QString what = QStringLiteral("bar %1, button %2 \"%3\"").arg(barName, a->objectName(), a->toolTip());
            if (a->icon().isNull())
                faults << what + QStringLiteral(": no picture");
            QWidget* button = bar->widgetForAction(a);
            if (!button || !button->isVisible() || !bar->rect().contains(button->geometry()))
                faults << what + QStringLiteral(": hidden in the overflow");
            else if (auto* tb = qobject_cast<QToolButton*>(button); tb && tb->toolButtonStyle() != Qt::ToolButtonIconOnly)
                faults << what + QStringLiteral(": shows its text");
        }
        for (QToolButton* ext : bar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            if (ext->isVisible())
                faults << QStringLiteral("bar %1: overflow button shown").arg(barName);
        bool isNumber = false;
        const int id = bar->objectName().toInt(&isNumber);
        if (!isNumber)
            continue;
        const CPictureSet::Resource* strip = CPictureSet::Find(CPictureSet::Kind::ToolBar, id);
        if (!strip) {
            faults << QStringLiteral("bar %1: not in the picture set").arg(id);
            continue;
        }
        stripsSeen.insert(id);
        if (Commands(bar) != Commands(*strip))
            faults << QStringLiteral("bar %1: buttons not in the strip's order").arg(id);
    }
}

TEST(WindowBarPictures, EveryBarButtonShowsItsPictureAtTheDesignedSize)
{
    QSet<int> stripsSeen;
    WalkRegisteredWindows([&](const CWindowRegistry::Entry& entry, QWidget* window) {
        QStringList faults;
        CheckBars(window, faults, stripsSeen);
        // What the walk saw, to look at: bars-<window>.png beside the test program.
        window->grab().save(
            QStringLiteral("bars-%1.png").arg(QString(entry.name).replace(QLatin1Char(' '), QLatin1Char('-'))));
        EXPECT_TRUE(faults.isEmpty()) << entry.name.toStdString() << " at " << window->width() << "x"
                                      << window->height() << ":\n  "
                                      << faults.join(QStringLiteral("\n  ")).toStdString();
    });
    // The walk reached the feature windows' shared bars.
    EXPECT_TRUE(stripsSeen.contains(507));
    EXPECT_TRUE(stripsSeen.contains(526));
}

}  // namespace
