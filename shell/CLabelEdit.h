#pragma once
// The in-place edit of an object's name on the designer sheet. Enter commits
// and Escape cancels, both reported to the view (queued); losing the focus
// reports only when asked to.

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QRect>
#include <functional>

class CLabelEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CLabelEdit(QWidget* parent = nullptr);

    // `notify(cancel)` runs after the key event, from the event loop.
    void SetNotify(std::function<void(bool cancel)> notify) { m_notify = std::move(notify); }
    // Rectangle (client pixels), background colour, the font the label is
    // drawn with at the current zoom, and whether losing the focus commits
    // like Enter. The edit grows about the rectangle's middle when the font
    // needs more height than the rectangle gives.
    void SetLook(const QRect& rect, const QColor& background, const QFont& font, bool notifyOnFocusLoss);
    QRect GetRect() const { return m_rect; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Places the editor over the label's rectangle, grown evenly to the
    // height of its font and the width of its text, so nothing is cut.
    void FitToText();
    void Post(bool cancel);

    QRect m_rect;
    std::function<void(bool)> m_notify;
    bool m_notifyOnFocusLoss = false;
};
