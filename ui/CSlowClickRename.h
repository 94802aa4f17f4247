#pragma once
// Mix-in for an item view whose chosen row is renamed in place by a slow
// second click (and by F2). The view answers a click on the chosen row by
// asking for the name's editor once the double-click time is over, so that a
// double-click can do something else. When a double-click comes in that
// time, the editor asked for stays shut: it would otherwise open behind the
// dialog the double-click opened (or after it), and the next keys the user
// types would rename the row. F2 and a slow second click rename as before.
//
// In a view that chooses one row at a time, the row shown chosen is the row
// F2 renames: an owner may put the current row back while the view answers
// a click or a key (a row that cannot be chosen, a choice refused), and the
// view would then go on to highlight the row clicked while F2 renamed the
// current one. Once the view has answered, the current row is the chosen one.

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPointer>
#include <QTimerEvent>

template <class Base>
class CSlowClickRename : public Base {
public:
    using Base::Base;

protected:
    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event) override
    {
        // The editor a click asked for is opened from the view's own timer,
        // forced and without an event; one opened otherwise is the user's or
        // the owner's own wish. (The asking is answered as done: nothing is
        // left to open.)
        if (m_inTimer && m_doubleClicked && trigger == QAbstractItemView::AllEditTriggers && !event)
            return true;
        return Base::edit(index, trigger, event);
    }

    void timerEvent(QTimerEvent* event) override
    {
        const QPointer<QObject> alive(this);
        const bool outer = m_inTimer;
        m_inTimer = true;
        Base::timerEvent(event);
        if (alive)
            m_inTimer = outer;
    }

    // Every press and double-click on the rows passes here, also where a
    // view handles the mouse itself.
    bool viewportEvent(QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress)
            m_doubleClicked = false;
        else if (type == QEvent::MouseButtonDblClick)
            m_doubleClicked = true;
        const QPointer<QObject> alive(this);
        const bool answered = Base::viewportEvent(event);
        if (alive && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                      type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove))
            ChooseCurrentRow();
        return answered;
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const QPointer<QObject> alive(this);
        Base::keyPressEvent(event);
        if (alive)
            ChooseCurrentRow();
    }

private:
    // One row chosen, and not the current one: the current one is chosen
    // instead. (A list left without a chosen row stays so.)
    void ChooseCurrentRow()
    {
        QItemSelectionModel* model = this->selectionModel();
        const QModelIndex current = this->currentIndex();
        if (!model || this->selectionMode() != QAbstractItemView::SingleSelection || !current.isValid() ||
            model->isSelected(current) || !model->hasSelection())
            return;
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (this->selectionBehavior() == QAbstractItemView::SelectRows)
            flags |= QItemSelectionModel::Rows;
        else if (this->selectionBehavior() == QAbstractItemView::SelectColumns)
            flags |= QItemSelectionModel::Columns;
        model->select(current, flags);
    }

    bool m_doubleClicked = false;  // since the last press
    bool m_inTimer = false;        // one of the view's timers is being answered
};
