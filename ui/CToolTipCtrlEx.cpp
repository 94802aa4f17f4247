#include "ui/CToolTipCtrlEx.h"

#include "platform/StringTable.h"

#include <QHelpEvent>
#include <QToolTip>

CToolTipCtrlEx::CToolTipCtrlEx(QObject* parent) : QObject(parent) {}

void CToolTipCtrlEx::Prune()
{
    m_Tools.removeIf([](const Tool& t) { return t.owner.isNull(); });
}

CToolTipCtrlEx::Tool* CToolTipCtrlEx::Find(QWidget* owner, int id)
{
    for (Tool& t : m_Tools)
        if (t.owner == owner && !t.isWindow && t.id == id)
            return &t;
    return nullptr;
}

const CToolTipCtrlEx::Tool* CToolTipCtrlEx::Find(QWidget* owner, int id) const
{
    return const_cast<CToolTipCtrlEx*>(this)->Find(owner, id);
}

void CToolTipCtrlEx::Watch(QWidget* w)
{
    w->removeEventFilter(this);
    w->installEventFilter(this);
}

bool CToolTipCtrlEx::AddWindowTool(QWidget* window, const QString& text)
{
    if (!window)
        return false;
    Prune();
    DelWindowTool(window);
    Tool t;
    t.owner = window;
    t.isWindow = true;
    t.text = text;
    m_Tools.append(t);
    Watch(window);
    return true;
}

bool CToolTipCtrlEx::AddWindowTool(QWidget* window, uint32_t stringId)
{
    return AddWindowTool(window, QString::fromStdString(LoadGermanString(stringId)));
}

bool CToolTipCtrlEx::AddRectTool(QWidget* owner, const QString& text, const QRect& rect, int id)
{
    if (!owner)
        return false;
    Prune();
    DelTool(owner, id);
    Tool t;
    t.owner = owner;
    t.id = id;
    t.rect = rect;
    t.text = text;
    m_Tools.append(t);
    Watch(owner);
    return true;
}

bool CToolTipCtrlEx::AddRectTool(QWidget* owner, uint32_t stringId, const QRect& rect, int id)
{
    return AddRectTool(owner, QString::fromStdString(LoadGermanString(stringId)), rect, id);
}

void CToolTipCtrlEx::DelTool(QWidget* owner, int id)
{
    m_Tools.removeIf([&](const Tool& t) { return t.owner == owner && !t.isWindow && t.id == id; });
}

void CToolTipCtrlEx::DelWindowTool(QWidget* window)
{
    m_Tools.removeIf([&](const Tool& t) { return t.owner == window && t.isWindow; });
}

int CToolTipCtrlEx::OffsetToolRects(QWidget* window, int dx, int dy)
{
    Prune();
    for (Tool& t : m_Tools)
        if (!t.isWindow && t.owner == window)
            t.rect.translate(dx, dy);
    return GetToolCount();
}

void CToolTipCtrlEx::UpdateTipText(const QString& text, QWidget* owner, int id)
{
    if (Tool* t = Find(owner, id))
        t->text = text;
}

int CToolTipCtrlEx::GetToolCount() const
{
    int n = 0;
    for (const Tool& t : m_Tools)
        if (!t.owner.isNull())
            ++n;
    return n;
}

bool CToolTipCtrlEx::HasTool(QWidget* owner, int id) const
{
    return Find(owner, id) != nullptr;
}

QString CToolTipCtrlEx::GetToolText(QWidget* owner, int id) const
{
    const Tool* t = Find(owner, id);
    return t ? t->text : QString();
}

QRect CToolTipCtrlEx::GetToolRect(QWidget* owner, int id) const
{
    const Tool* t = Find(owner, id);
    return t ? t->rect : QRect();
}

QString CToolTipCtrlEx::ToolTextAt(QWidget* window, const QPoint& pos) const
{
    for (const Tool& t : m_Tools) {
        if (t.owner != window)
            continue;
        if (t.isWindow ? window->rect().contains(pos) : t.rect.contains(pos))
            return t.text;
    }
    return QString();
}

bool CToolTipCtrlEx::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = w ? ToolTextAt(w, help->pos()) : QString();
        if (!text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, w);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
