#pragma once
// Answers the modal dialog an action opens, from inside the dialog's own
// event loop, as the user would: `answer` gets the dialog of type T that is
// then active. True when such a dialog came. The timer dies with this call,
// whether a dialog took it or not, so it never outlives the locals it uses.

#include <QApplication>
#include <QObject>
#include <QTimer>

template <class T, class Act, class Answer>
bool AnswerDialogOpenedBy(Act&& act, Answer&& answer)
{
    bool shown = false;
    QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            shown = true;
            answer(*dlg);
        }
    });
    act();
    return shown;
}
