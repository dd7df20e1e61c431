#include "app/TFB.h"

#include "platform/Services.h"

TFB::TFB(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral(" Для поиска"));
    resize(300, 320);
}
