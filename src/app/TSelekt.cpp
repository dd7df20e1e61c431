#include "app/TSelekt.h"

#include "platform/Services.h"

TSelekt::TSelekt(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Режимы выделения"));
    resize(248, 167);
}
