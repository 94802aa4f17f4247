#pragma once
// Static text for a path: shown whole where there is room, else shortened in
// the middle ("/home/…/Projekte") so that its beginning and its last folders
// stay readable; then the whole path is the tool tip. text() is the whole
// path either way. It asks for room for the whole path but makes do with less.

#include <QLabel>

class CPathLabel : public QLabel {
    Q_OBJECT
public:
    explicit CPathLabel(QWidget* parent = nullptr);

    void SetPath(const QString& path);
    // The text as it is shown at the present width.
    QString ShownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();
};
