#pragma once
// Look shared by the monitor window's two lists.

class CListCtrl;
class QString;

namespace monitorlists {
// Single full-row selection, alternating row backgrounds, no in-place editing.
void SetUp(CListCtrl* list);
// Selects the row that was current before a refill (or the last one) and shows it.
void Reselect(CListCtrl* list, int row);
}  // namespace monitorlists
