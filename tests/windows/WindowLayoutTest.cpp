// Every registered dialog and window, opened offscreen at the default font,
// at a larger font and at 13 pt: no label, button, check box, group title or
// list column title may be cut or run past its list's edge, no list may cut
// its rows while it has room, no control may run past its parent, no two
// visible controls of one parent may overlap, and every list, table and text
// box shows its frame whole. ctest also runs the default font at the screen
// scales of 120 and 144 DPI (QT_FONT_DPI), where the window system scales
// every window by 1.25 and 1.5. At its designed size, each button of a
// window's tool bars shows a picture, none is hidden behind the bar's
// overflow, also at 120 and 144 DPI where the pictures grow faster than the
// texts, and a bar of the picture set holds its strip's buttons in the
// strip's order (each window is saved as bars-<window>.png in the working
// directory).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QToolBar>
#include <QTranslator>
#include <QToolButton>
#include <QTreeView>
#include <QWidgetAction>

#include <algorithm>
#include <optional>

#include <memory>

#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CPictureSet.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"
#include "ui/ColumnWidths.h"
#include "support/EnglishTexts.h"
#include "WindowWalk.h"

namespace {

QString Name(const QWidget* w)
{
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
             qobject_cast<const QLabel*>(w)            ? qobject_cast<const QLabel*>(w)->text()
             : qobject_cast<const QAbstractButton*>(w) ? qobject_cast<const QAbstractButton*>(w)->text()
             : qobject_cast<const QGroupBox*>(w)       ? qobject_cast<const QGroupBox*>(w)->title()
                                                       : QString());
}

// Widgets whose children are controls in their own right; complex controls
// (lists, combo boxes, scroll areas) place their inner parts themselves.
bool IsContainer(const QWidget* w)
{
    if (qobject_cast<const QAbstractScrollArea*>(w))
        return false;
    if (w->layout() || w->isWindow())
        return true;
    return qobject_cast<const QGroupBox*>(w) || qobject_cast<const QTabWidget*>(w) ||
           qobject_cast<const QStackedWidget*>(w) || qobject_cast<const QSplitter*>(w) ||
           qstrcmp(w->metaObject()->className(), "QWidget") == 0 ||
           qstrcmp(w->metaObject()->className(), "QFrame") == 0;
}

// The text of `w` does not fit its rectangle.
bool IsCut(const QWidget* w)
{
    const QSize have = w->size();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || qobject_cast<const CEllipsisStatic*>(w))
            return false;
        if (label->wordWrap())
            return have.height() < label->heightForWidth(have.width());
        const QSize need = label->minimumSizeHint();
        return have.width() < need.width() || have.height() < need.height();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return false;
        const QSize need = button->sizeHint();
        return have.width() < need.width() || have.height() < button->minimumSizeHint().height();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        // The choice shown, beside the arrow.
        if (combo->currentText().isEmpty() || combo->isEditable())
            return false;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.currentText = combo->currentText();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        return field.width() < combo->fontMetrics().horizontalAdvance(combo->currentText());
    }
    if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        if (group->title().isEmpty())
            return false;
        const QSize need = group->minimumSizeHint();
        return have.width() < need.width() || have.height() < need.height();
    }
    return false;
}

void Check(const QWidget* window, const QWidget* parent, QStringList& faults)
{
    QList<const QWidget*> shown;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(window))
            continue;
        shown.append(w);
        if (IsCut(w))
            faults << QStringLiteral("cut: %1 %2x%3, needs %4x%5")
                          .arg(Name(w))
                          .arg(w->width())
                          .arg(w->height())
                          .arg(w->sizeHint().width())
                          .arg(w->sizeHint().height());
        if (IsContainer(parent) && !parent->rect().contains(w->geometry()))
            faults << QStringLiteral("outside its parent: %1 at %2,%3 %4x%5 in %6x%7")
                          .arg(Name(w))
                          .arg(w->x())
                          .arg(w->y())
                          .arg(w->width())
                          .arg(w->height())
                          .arg(parent->width())
                          .arg(parent->height());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            // Every page, not only the one shown first.
            const int shownFirst = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                // A page fills its controls when first shown (a folder path,
                // however long); the window grows to them before it is checked.
                SettleLayout(tabs->window());
                Check(window, tabs, faults);
            }
            tabs->setCurrentIndex(shownFirst);
        } else if (IsContainer(w)) {
            Check(window, w, faults);
        }
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                faults << QStringLiteral("overlap: %1 and %2").arg(Name(shown[i]), Name(shown[j]));
}

// A pane of a side-by-side splitter: the design divides the window's width
// between the panes and the user moves the divider, so such a list may
// scroll to its further columns.
bool IsSideBySidePane(const QWidget* view)
{
    for (const QWidget* w = view; w && !w->isWindow(); w = w->parentWidget())
        if (auto* splitter = qobject_cast<const QSplitter*>(w->parentWidget());
            splitter && splitter->orientation() == Qt::Horizontal)
            return true;
    return false;
}

// Column titles of the window's lists that do not show whole. A column the
// list hides (or keeps at no width) shows no title to cut. At the designed
// size (`designed`: the default font, a new project) every title also lies
// within its list's edge.
void CheckColumnTitles(const QWidget* window, QStringList& faults, bool designed)
{
    for (const QHeaderView* header : window->findChildren<QHeaderView*>()) {
        if (!header->isVisibleTo(window) || header->orientation() != Qt::Horizontal || !header->model())
            continue;
        const bool withinEdge = designed && !IsSideBySidePane(header->parentWidget());
        const QFontMetrics fm(header->font());
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            const int size = header->sectionSize(i);
            if (header->isSectionHidden(i) || size == 0)
                continue;
            const QString title = header->model()->headerData(i, Qt::Horizontal).toString();
            if (title.isEmpty())
                continue;
            const int need = fm.horizontalAdvance(title) + 2 * margin;
            const int end = header->sectionViewportPosition(i) + std::min(size, need);
            if (withinEdge && end > header->viewport()->width())
                faults << QStringLiteral("column title beyond the list's edge: %1 \"%2\" column %3 \"%4\" by %5 px")
                              .arg(QString::fromLatin1(header->parentWidget()->metaObject()->className()),
                                   header->parentWidget()->objectName())
                              .arg(i)
                              .arg(title)
                              .arg(end - header->viewport()->width());
            if (size < need)
                faults << QStringLiteral("column title cut: %1 \"%2\" column %3 \"%4\" %5 px, needs %6")
                              .arg(QString::fromLatin1(header->parentWidget()->metaObject()->className()),
                                   header->parentWidget()->objectName())
                              .arg(i)
                              .arg(title)
                              .arg(size)
                              .arg(need);
        }
    }
}

// Lists that show a row text cut while they leave room unused right of their
// columns, and lists whose columns run past the list though the window could
// have given them the room.
void CheckColumnContents(const QWidget* window, QStringList& faults)
{
    for (const QTreeView* view : window->findChildren<QTreeView*>()) {
        const QHeaderView* header = view->header();
        if (!view->isVisibleTo(window) || !header->model() || header->isHidden())
            continue;
        int used = 0;
        for (int i = 0; i < header->count(); ++i)
            if (!header->isSectionHidden(i))
                used += header->sectionSize(i);
        const int spare = view->viewport()->width() - used;
        for (int i = 0; i < header->count() && spare > 0; ++i) {
            const int size = header->sectionSize(i);
            if (header->isSectionHidden(i) || size == 0)
                continue;
            const int need = ColumnContentWidth(view, i);
            if (size < need)
                faults << QStringLiteral("column contents cut: %1 \"%2\" column %3 %4 px, needs %5, %6 px unused")
                              .arg(QString::fromLatin1(view->metaObject()->className()), view->objectName())
                              .arg(i)
                              .arg(size)
                              .arg(need)
                              .arg(spare);
        }
    }
}

// Trees of one column without titles (an overview of objects beside a
// form): every row shown whole, its indentation and picture counted. A tree
// that scrolls sideways shows a row beyond its edge whole when its column
// reaches as far as the row.
void CheckTreeRows(const QWidget* window, QStringList& faults)
{
    for (const QTreeView* view : window->findChildren<QTreeView*>()) {
        const QAbstractItemModel* model = view->model();
        if (!view->isVisibleTo(window) || !model || model->columnCount(view->rootIndex()) != 1 ||
            !view->header()->isHidden())
            continue;
        std::vector<QModelIndex> rows;
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            rows.push_back(model->index(r, 0, view->rootIndex()));
        while (!rows.empty()) {
            const QModelIndex index = rows.back();
            rows.pop_back();
            const int need = view->visualRect(index).left() + view->sizeHintForIndex(index).width();
            const QHeaderView* column = view->header();
            const int room = view->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                                 ? view->viewport()->width()
                                 : std::max(view->viewport()->width(),
                                            column->sectionViewportPosition(0) + column->sectionSize(0));
            if (need > room)
                faults << QStringLiteral("row cut: %1 \"%2\" row \"%3\" needs %4 px, has %5")
                              .arg(QString::fromLatin1(view->metaObject()->className()), view->objectName(),
                                   index.data().toString())
                              .arg(need)
                              .arg(room);
            if (view->isExpanded(index))
                for (int r = 0; r < model->rowCount(index); ++r)
                    rows.push_back(model->index(r, 0, index));
        }
    }
}

constexpr int k120Dpi = -120;

class WindowLayoutTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        m_font = QApplication::font();
        if (GetParam() == k120Dpi) {
            // The default font as a screen of 120 dots per inch draws it.
            QFont scaled = m_font;
            scaled.setPixelSize(qRound(m_font.pointSizeF() * 120 / 72));
            QApplication::setFont(scaled);
        } else if (GetParam() > 0) {
            QFont big = m_font;
            big.setPointSize(GetParam());
            QApplication::setFont(big);
        }
    }
    void TearDown() override { QApplication::setFont(m_font); }

    QFont m_font;
};

// Parts of the window that show as windows of their own (a frame hosted
// without giving up its own window, say).
void CheckNoStrayWindows(const QWidget* window, QStringList& faults)
{
    for (const QWidget* w : window->findChildren<QWidget*>())
        if (w->isWindow() && w->isVisible() && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip))
            faults << QStringLiteral("a window of its own: %1").arg(Name(w));
}

// Lists, tables and text boxes whose frame misses a line in the window's
// pixels: at a scale that is not a whole number a control's edge falls
// inside a device pixel, and its inner area must not paint over the frame.
// Each edge is looked at halfway along, on the outermost device pixel the
// control owns; there the frame shows neither the inner area's colour nor
// the colour of the window behind.
void CheckFramesWhole(QWidget* window, QStringList& faults)
{
    QList<const QAbstractScrollArea*> framed;
    for (const QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>())
        if (area->isVisibleTo(window) && area->frameShape() == QFrame::StyledPanel && area->frameWidth() > 0 &&
            area->width() > 8 && area->height() > 8)
            framed << area;
    if (framed.isEmpty())
        return;
    const QImage image = window->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const QColor behind = window->palette().color(QPalette::Window);
    for (const QAbstractScrollArea* area : framed) {
        const QPoint at = area->mapTo(window, QPoint(0, 0));
        const int left = qRound(at.x() * scale);
        const int top = qRound(at.y() * scale);
        const int right = qRound((at.x() + area->width()) * scale) - 1;
        const int bottom = qRound((at.y() + area->height()) * scale) - 1;
        const int midX = (left + right) / 2;
        const int midY = (top + bottom) / 2;
        const QColor inside = area->viewport()->palette().color(area->viewport()->backgroundRole());
        const struct {
            const char* name;
            QPoint device;
            QPoint logical;
        } edges[] = {
            {"left", {left, midY}, {0, area->height() / 2}},
            {"right", {right, midY}, {area->width() - 1, area->height() / 2}},
            {"top", {midX, top}, {area->width() / 2, 0}},
            {"bottom", {midX, bottom}, {area->width() / 2, area->height() - 1}},
        };
        for (const auto& edge : edges) {
            if (!area->visibleRegion().contains(edge.logical) || !image.rect().contains(edge.device))
                continue;  // hidden by a parent that scrolls: nothing to see
            const QColor shown = image.pixelColor(edge.device);
            if (shown.rgb() == inside.rgb() || shown.rgb() == behind.rgb())
                faults << QStringLiteral("frame without its %1 line: %2 at %3,%4 %5x%6")
                              .arg(QString::fromLatin1(edge.name), Name(area))
                              .arg(at.x())
                              .arg(at.y())
                              .arg(area->width())
                              .arg(area->height());
        }
    }
}

// What the layout checks find in a shown window, one line each.
QStringList LayoutFaults(QWidget* window, bool designed)
{
    QStringList faults;
    CheckNoStrayWindows(window, faults);
    Check(window, window, faults);
    CheckColumnTitles(window, faults, designed);
    CheckColumnContents(window, faults);
    CheckTreeRows(window, faults);
    CheckFramesWhole(window, faults);
    return faults;
}

// At the default font the windows are also walked in English, whose
// column titles are longer.
TEST_P(WindowLayoutTest, NoTextCutNoControlsOverlap)
{
    const bool designed = GetParam() == 0;
    for (const bool english : {false, true}) {
        if (english && !designed)
            break;
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        WalkRegisteredWindows([designed, english](const CWindowRegistry::Entry& entry, QWidget* window) {
            const QStringList faults = LayoutFaults(window, designed);
            EXPECT_TRUE(faults.isEmpty()) << entry.name.toStdString() << (english ? " in English" : " in German")
                                          << " at scale " << window->devicePixelRatioF() << ", "
                                          << QFontInfo(QApplication::font()).pointSize() << " pt, "
                                          << QFontInfo(QApplication::font()).pixelSize() << " px:\n  "
                                          << faults.join(QStringLiteral("\n  ")).toStdString();
        });
    }
}

// Every registered window on the largest project, whose lists are full, in
// German and in English: at the default font, at 120 DPI and at 13 pt no
// column title or row text is cut while its list leaves room unused, and no
// other text is cut.
class WindowLayoutFullTest : public WindowLayoutTest {};

TEST_P(WindowLayoutFullTest, FullListsShowTheirTextsWhereTheyHaveRoom)
{
    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    largest::Build(doc);
    QStringList titles[2];  // the windows' captions in German and in English
    for (const bool english : {false, true}) {
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        WalkRegisteredWindows(
            [&](const CWindowRegistry::Entry& entry, QWidget* window) {
                titles[english] << window->windowTitle();
                const QStringList faults = LayoutFaults(window, false);
                EXPECT_TRUE(faults.isEmpty())
                    << entry.name.toStdString() << (english ? " in English" : " in German") << " at scale "
                    << window->devicePixelRatioF() << ", "
                    << QFontInfo(QApplication::font()).pixelSize() << " px:\n  "
                    << faults.join(QStringLiteral("\n  ")).toStdString();
            },
            &doc);
    }
    EXPECT_TRUE(titles[1].contains(QStringLiteral("Properties of Macros"))) << titles[1].join(QStringLiteral(", ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fonts, WindowLayoutFullTest, ::testing::Values(0, k120Dpi, 13));

// Every window opened on a screen with less room than it was designed for
// (the test programs' second screen, 1000 x 700; the line test and zone list
// windows need more width in both languages) lies whole on that screen.
TEST(WindowPlacement, EveryWindowOpensWholeOnAScreenSmallerThanItsDesign)
{
    const QScreen* small = QGuiApplication::screenAt(QPoint(1930, 10));
    ASSERT_NE(nullptr, small) << "the test programs' second screen";
    const QRect area = small->availableGeometry();
    for (const bool english : {false, true}) {
        std::optional<EnglishTexts> texts;
        if (english)
            texts.emplace();
        WalkRegisteredWindows(
            [&](const CWindowRegistry::Entry& entry, QWidget* window) {
                if (window->isMaximized())
                    return;  // the main window covers its screen
                const QRect g = window->frameGeometry();
                EXPECT_TRUE(area.contains(g)) << entry.name.toStdString() << (english ? " in English" : " in German")
                                              << ": " << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
                // Made smaller to fit, it still holds its parts whole.
                QStringList outside;
                for (const QString& fault : LayoutFaults(window, false))
                    if (fault.startsWith(QStringLiteral("outside its parent")))
                        outside << fault;
                EXPECT_TRUE(outside.isEmpty()) << entry.name.toStdString() << (english ? " in English" : " in German")
                                               << ":\n  " << outside.join(QStringLiteral("\n  ")).toStdString();
            },
            nullptr, area.topLeft() + QPoint(20, 20));
    }
}

// 0: the default font; k120Dpi: the default font at 120 DPI; else a point size.
INSTANTIATE_TEST_SUITE_P(Fonts, WindowLayoutTest, ::testing::Values(0, k120Dpi, 13));

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
    // On the first screen, and on the test programs' second one of 1000 x
    // 700, where a window shown for the first time gets at most two thirds
    // of the width and one that needs more is made smaller to fit.
    const QScreen* small = QGuiApplication::screenAt(QPoint(1930, 10));
    ASSERT_NE(nullptr, small) << "the test programs' second screen";
    for (const std::optional<QPoint> at : {std::optional<QPoint>(), std::optional<QPoint>(small->availableGeometry().topLeft() + QPoint(20, 20))}) {
        WalkRegisteredWindows(
            [&](const CWindowRegistry::Entry& entry, QWidget* window) {
                QStringList faults;
                CheckBars(window, faults, stripsSeen);
                // A window as wide as the screen has no more room to give its bar.
                if (at && window->frameGeometry().width() >= small->availableGeometry().width() - 1)
                    faults.removeIf([](const QString& f) { return f.contains(QStringLiteral("overflow")); });
                // What the walk saw, to look at: bars-<window>.png beside the test program.
                if (!at)
                    window->grab().save(QStringLiteral("bars-%1.png")
                                            .arg(QString(entry.name).replace(QLatin1Char(' '), QLatin1Char('-'))));
                EXPECT_TRUE(faults.isEmpty()) << entry.name.toStdString() << " at " << window->width() << "x"
                                              << window->height() << (at ? " on the small screen" : "") << ":\n  "
                                              << faults.join(QStringLiteral("\n  ")).toStdString();
            },
            nullptr, at);
    }
    // The walk reached the feature windows' shared bars.
    EXPECT_TRUE(stripsSeen.contains(507));
    EXPECT_TRUE(stripsSeen.contains(526));
}

}  // namespace
