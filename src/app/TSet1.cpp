#include "app/TSet1.h"

#include "platform/Services.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>

TSet1::TSet1(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral(" Выбери , что нравится."));
    resize(643, 342);

    using Program = quil::ProgramSettings::Program;
    const auto row = [this](const QString &caption, const QString &name, int top, QCheckBox *&check, QLineEdit *&edit,
                            Program quil::ProgramSettings::*program) {
        check = new QCheckBox(caption, this);
        check->setObjectName(QStringLiteral("CheckBox") + name.right(1));
        check->setGeometry(16, top, 130, 21);
        edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(152, top, 420, 21);
        edit->setAccessibleName(caption.trimmed());
        connect(check, &QCheckBox::toggled, this, [this, program](bool on) { (m_settings.*program).used = on; });
        connect(edit, &QLineEdit::textChanged, this,
                [this, program](const QString &text) { (m_settings.*program).path = text; });
    };
    row(QStringLiteral(" Для текстов:"), QStringLiteral("Edit1"), 40, CheckBox1, Edit1,
        &quil::ProgramSettings::textViewer);
    row(QStringLiteral("Для графики:"), QStringLiteral("Edit2"), 72, CheckBox2, Edit2,
        &quil::ProgramSettings::pictureViewer);
    row(QStringLiteral("Не \"Блокнот\":"), QStringLiteral("Edit4"), 136, CheckBox3, Edit4,
        &quil::ProgramSettings::editor);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
}

void TSet1::setSettings(const quil::ProgramSettings &settings)
{
    m_settings = settings;
    // The controls report back into m_settings with the same values.
    CheckBox1->setChecked(settings.textViewer.used);
    Edit1->setText(settings.textViewer.path);
    CheckBox2->setChecked(settings.pictureViewer.used);
    Edit2->setText(settings.pictureViewer.path);
    CheckBox3->setChecked(settings.editor.used);
    Edit4->setText(settings.editor.path);
}

void TSet1::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}
