#include "app/TAboutBox.h"

#include "platform/Services.h"

TAboutBox::TAboutBox(quil::Services &services, QWidget *parent) : QDialog(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("  О программе"));
    resize(360, 260);
}
