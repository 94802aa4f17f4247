#pragma once
// The protocol monitor: a small floating window around the monitor view. It
// stores its placement in "Settings"/"MonitorSize" whenever it is moved or
// resized, and each time it is shown the next protocol line goes out whole
// (the user reads along).

#include <QWidget>

class CCommLink;
class CProtocolMonitorView;

class CProtocolMonitorFrm : public QWidget {
    Q_OBJECT
public:
    explicit CProtocolMonitorFrm(QWidget* parent = nullptr);

    CProtocolMonitorView* GetMonitorView() const { return m_view; }
    void SetLink(CCommLink* link);

    // "left,top,width,height" of a window rectangle.
    static QString PlacementText(const QRect& frame);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void StorePlacement();

    CProtocolMonitorView* m_view = nullptr;
    CCommLink* m_link = nullptr;
};
