#pragma once
// Look shared by the monitor window's two lists.

class CListCtrl;
class QString;

namespace monitorlists {
// Single full-row selection, alternating row backgrounds, no in-place editing.
void SetUp(CListCtrl* list);
// The first row in view, -1 when there is none.
int TopRow(const CListCtrl* list);
// After a refill: the row that was first in view comes to the top again, so
// that an edit keeps the list where the user had it; then the row that was
// current before is selected and shown: the first one when none was (the
// window opens at the top of its lists), the last one when it is gone.
void Reselect(CListCtrl* list, int row, int top);
}  // namespace monitorlists
