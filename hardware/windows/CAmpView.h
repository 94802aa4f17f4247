#pragma once
// One pane of the extended amplifier window: a bordered list without
// columns or rows. The remote amplifier records have no editor yet.

#include <QListWidget>

class CAmpView : public QListWidget {
    Q_OBJECT
public:
    explicit CAmpView(QWidget* parent = nullptr);
};
