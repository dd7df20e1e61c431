#include "viewers/ViewerWheelFilter.h"

#include "viewers/TRF.h"

#include <QEvent>
#include <QWheelEvent>

namespace quil {

ViewerWheelFilter::ViewerWheelFilter(TRF &viewer, QObject *parent) : QObject(parent), m_viewer(viewer) {}

bool ViewerWheelFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
    // A sideways turn is not the vertical wheel and passes on.
    if (delta == 0)
        return false;
    return m_viewer.ApplicationWheel(delta);
}

} // namespace quil
