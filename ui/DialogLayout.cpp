#include "ui/DialogLayout.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QWidget>

namespace {
// Keeps a window that is not resizable at least as large as its layout needs
// when texts change after it was sized (a relabelled button, a new value).
class FixedSizeKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest) {
            auto* window = static_cast<QWidget*>(watched);
            if (QLayout* layout = window->layout()) {
                const QSize need = window->minimumSize().expandedTo(layout->totalMinimumSize());
                if (need != window->minimumSize()) {
                    window->setMaximumSize(need);
                    window->setMinimumSize(need);
                }
            }
        }
        return false;
    }
};
}  // namespace

QSize DialogUnitsToPixels(const QWidget* w, const QSize& units)
{
    const QFontMetrics fm(w->font());
    // The average width of the Latin letters, as dialog units are defined.
    const int avg = (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    return {units.width() * avg / 4, units.height() * fm.height() / 8};
}

void ApplyDesignedSize(QWidget* window, const QSize& designed, bool resizable)
{
    QSize size = designed;
    if (QLayout* layout = window->layout()) {
        layout->activate();
        size = size.expandedTo(layout->totalMinimumSize());
    }
    size = size.expandedTo(window->minimumSizeHint());
    window->setMinimumSize(size);
    if (!resizable) {
        window->setMaximumSize(size);
        window->installEventFilter(new FixedSizeKeeper(window));
    }
    window->resize(size);
}

void KeepWrappedTextWhole(QLabel* label, int chars)
{
    const int width = label->fontMetrics().averageCharWidth() * chars;
    label->setMinimumWidth(width);
    label->setMinimumHeight(label->heightForWidth(width));
}
