#include "grid/GridNotify.h"

#include "grid/GridCtrl.h"

GridNotifyEvent::GridNotifyEvent(const GridNotify& notify)
    : QEvent(EventType()), m_notify(notify) {}

QEvent::Type GridNotifyEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

GridCommandEvent::GridCommandEvent(CGridCtrl* grid) : QEvent(EventType()), m_grid(grid) {}

QEvent::Type GridCommandEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
