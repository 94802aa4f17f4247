#pragma once
// Tool tips for parts of windows: a tool is either a whole window or a
// rectangle (with an id) in an owner window. When the pointer rests over a
// tool its text is shown. Tools whose window goes away are forgotten.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>

class CToolTipCtrlEx : public QObject {
    Q_OBJECT
public:
    explicit CToolTipCtrlEx(QObject* parent = nullptr);

    // A tool for the whole of `window`; the text may be a string id (the
    // program's own, German text).
    bool AddWindowTool(QWidget* window, const QString& text);
    bool AddWindowTool(QWidget* window, uint32_t stringId);
    // A rectangle tool with `id` in `owner` (owner's client coordinates).
    bool AddRectTool(QWidget* owner, const QString& text, const QRect& rect, int id);
    bool AddRectTool(QWidget* owner, uint32_t stringId, const QRect& rect, int id);
    void DelTool(QWidget* owner, int id);
    void DelWindowTool(QWidget* window);
    // Moves every rectangle tool of `window` by (dx, dy); returns the number of tools.
    int OffsetToolRects(QWidget* window, int dx, int dy);
    void UpdateTipText(const QString& text, QWidget* owner, int id);

    int GetToolCount() const;
    bool HasTool(QWidget* owner, int id) const;
    QString GetToolText(QWidget* owner, int id) const;
    QRect GetToolRect(QWidget* owner, int id) const;
    // The text shown at `pos` (client coordinates of `window`); empty = no tool.
    QString ToolTextAt(QWidget* window, const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Tool {
        QPointer<QWidget> owner;
        bool isWindow = false;
        int id = 0;
        QRect rect;
        QString text;
    };
    Tool* Find(QWidget* owner, int id);
    const Tool* Find(QWidget* owner, int id) const;
    void Watch(QWidget* w);
    void Prune();

    QList<Tool> m_Tools;
};
