#include "app/TFILESCH.h"

#include "platform/Services.h"

#include <QCheckBox>

TFILESCH::TFILESCH(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Поиск файлов"));
    resize(560, 420);
    CheckBox4 = new QCheckBox(QStringLiteral("Другой просмотр"), this);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    CheckBox4->setGeometry(8, 380, 160, 20);
}
