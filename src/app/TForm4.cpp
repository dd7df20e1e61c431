#include "app/TForm4.h"

#include "app/Services.h"

TForm4::TForm4(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Выбери нужную папку"));
    resize(670, 220);
}
