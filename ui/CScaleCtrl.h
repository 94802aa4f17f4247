#pragma once
// A painted scale beside a slider or a graph: texts and short tick lines at
// positions along its length (0.0 = top or left end, 1.0 = bottom or right
// end, less the two insets, e.g. half a slider handle). Texts that would run
// into each other are moved apart, the later ones keeping their place, so a
// crowded end of a logarithmic scale stays readable. In a layout it takes the
// length of its neighbour (same row or column) and asks for enough room
// across the axis for its widest text.

#include <QString>
#include <QWidget>

#include <vector>

class QHBoxLayout;
class QSlider;

class CScaleCtrl : public QWidget {
    Q_OBJECT
public:
    struct Mark {
        double at;   // 0.0 .. 1.0 along the scale
        QString text;
    };

    explicit CScaleCtrl(Qt::Orientation orientation, QWidget* parent = nullptr);

    // A vertical slider with its tick lines at `ticks` on its left (the
    // scale named after the slider with "ticks" appended), both centred in
    // the returned row; `scale` receives the scale when asked for.
    static QHBoxLayout* TickedSliderRow(QSlider* slider, std::vector<double> ticks, QWidget* parent,
                                        CScaleCtrl** scale = nullptr);

    void SetMarks(std::vector<Mark> marks);
    // Short tick lines, drawn at the edge the texts are aligned to.
    void SetTicks(std::vector<double> ticks);
    // Pixels kept free before the first and after the last position.
    void SetInsets(int start, int end);
    // The insets of a slider of the same length: half a handle at each end.
    void SetInsetsFor(const QSlider* slider);
    // Alignment of the texts across the axis (left/right or top/bottom).
    void SetAlignment(Qt::Alignment alignment);

    const std::vector<Mark>& Marks() const { return m_marks; }
    const std::vector<double>& Ticks() const { return m_ticks; }
    // Centre of each mark's text along the axis after moving texts apart,
    // for a length of `length` pixels.
    std::vector<int> TextCentres(int length) const;
    // Centre of a position along the axis, for a length of `length` pixels.
    int PositionOf(double at, int length) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int TextExtent(const QString& text) const;  // along the axis
    int TickLength() const;

    Qt::Orientation m_orientation;
    std::vector<Mark> m_marks;
    std::vector<double> m_ticks;
    int m_insetStart = 0;
    int m_insetEnd = 0;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};
