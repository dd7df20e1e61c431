#include "app/TForm1.h"

#include "app/Services.h"

TForm1::TForm1(quil::Services &services, QWidget *parent) : QMainWindow(parent), m_services(services)
{
    setWindowTitle(QStringLiteral("QUIL Ver. 1.5"));
    setGeometry(105, 97, 653, 567);
}
