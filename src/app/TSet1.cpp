#include "app/TSet1.h"

#include "platform/Services.h"

#include <QCheckBox>
#include <QLineEdit>

TSet1::TSet1(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral(" Выбери , что нравится."));
    resize(643, 342);

    const auto row = [this](const QString &caption, const QString &name, int top, QCheckBox *&check, QLineEdit *&edit) {
        check = new QCheckBox(caption, this);
        check->setObjectName(QStringLiteral("CheckBox") + name.right(1));
        check->setGeometry(16, top, 130, 21);
        edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(152, top, 420, 21);
    };
    row(QStringLiteral(" Для текстов:"), QStringLiteral("Edit1"), 40, CheckBox1, Edit1);
    row(QStringLiteral("Для графики:"), QStringLiteral("Edit2"), 72, CheckBox2, Edit2);
    row(QStringLiteral("Не \"Блокнот\":"), QStringLiteral("Edit4"), 136, CheckBox3, Edit4);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
}
