#include "ui/CRepositionEvent.h"

namespace {
// Registered before any dialog exists (static initialisation), as the
// original registered its window messages at program start.
const QEvent::Type g_initCtrl = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type g_reposition = static_cast<QEvent::Type>(QEvent::registerEventType());
}  // namespace

QEvent::Type CRepositionEvent::InitCtrlType()
{
    return g_initCtrl;
}

QEvent::Type CRepositionEvent::RepositionType()
{
    return g_reposition;
}
