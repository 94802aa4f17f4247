#pragma once
// Column widths of the program's lists. A window's design gives its columns
// widths in pixels at the default font; they grow with the font (a larger
// font or a screen of more dots per inch), and a column never shows its
// title cut.

class QHeaderView;
class QString;
class QTreeView;
class QWidget;

// `designed` pixels at the default font, widened as `w`'s font is wider
// (never narrower than designed; 0 stays 0: a column the design hides).
int ScaledColumnWidth(const QWidget* w, int designed);
// The pixels a section of `header` needs to show `title` whole.
int ColumnTitleWidth(const QHeaderView* header, const QString& title);
// Widens each shown column of `view` whose title does not show whole, now
// and whenever a title changes. A column kept at no width stays hidden.
void KeepColumnTitlesWhole(QTreeView* view);
// Widens each shown column of `view` whose title does not show whole.
void FitColumnTitles(QTreeView* view);
// The pixels column `column` of `view` needs to show its title and the texts
// of its first rows whole.
int ColumnContentWidth(const QTreeView* view, int column);
// Widens the shown columns of `view` whose title or rows show cut, as far as
// the room the view leaves unused right of its columns allows, the left
// columns first. Columns never narrow, so widths the user chose stay.
void FitColumnContents(QTreeView* view);
// The width `view` needs to show all its shown columns side by side, each at
// least as wide as its title and rows need, with its frame and a vertical
// scroll bar.
int ColumnsTotalWidth(const QTreeView* view);
// The width a tree of one column needs to show every row that shows whole,
// its indentation and picture counted, with its frame and a vertical scroll
// bar.
int TreeRowsWidth(const QTreeView* view);
