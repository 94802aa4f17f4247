#pragma once
// The list of a calendar window: report rows on alternating backgrounds, the
// context menu that downloads or uploads the selected item, and the Delete key.

#include "ui/CListCtrl.h"

#include <ctime>

class CFeatureFrm;

class CCalendarListView : public CListCtrl {
    Q_OBJECT
public:
    explicit CCalendarListView(QWidget* parent = nullptr);

    // The frame that hosts the view (null outside one).
    CFeatureFrm* Frame() const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    // Selects, focuses and shows a row.
    void SelectRow(int row);
    // The item data of the first row in view, 0 when there is none; after the
    // rows are built anew, ScrollToTopData brings the first row whose item
    // data is at least that back to the top, so that an edit keeps the list
    // where the user had it.
    quintptr TopRowData() const;
    void ScrollToTopData(quintptr data);
    // Sets the columns (titles and widths in pixels) after removing every row.
    void SetColumns(std::initializer_list<std::pair<QString, int>> columns);
    // Whether the context menu's download and upload act here (else greyed).
    void SetItemTransfers(bool on) { m_itemTransfers = on; }

    // Dates and times as the user's locale shows them, and as the in-place
    // pickers read them back.
    static QString DateText(std::time_t t);
    static QString TimeText(std::time_t t);

signals:
    void DeletePressed();
    // Context menu commands 33179 (download) and 33180 (upload).
    void ItemCommand(unsigned commandId);

protected:
    // Only the first column (the name) is edited in place.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_itemTransfers = true;
};
