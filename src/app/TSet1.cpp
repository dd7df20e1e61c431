#include "app/TSet1.h"

#include "platform/Dialogs.h"
#include "platform/ReadableColour.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int minFontHeight = 6;
constexpr int maxFontHeight = 72;

QLabel *groupHeading(QWidget *parent, const char *name, const QString &text, int top)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    font.setItalic(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     quil::textColourOn(QColor(0, 0, 128), palette.color(QPalette::Window), palette));
    label->setPalette(palette);
    label->setGeometry(16, top, 300, 20);
    return label;
}

} // namespace

TSet1::TSet1(quil::Services &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("Set1"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QCoreApplication::translate("TSet1", " Выбери , что нравится."));
    resize(643, 342);
    buildProgramRows();
    buildOtherSettings();
}

void TSet1::buildProgramRows()
{
    Label1 = groupHeading(this, "Label1", QCoreApplication::translate("TSet1", "Внешние смотрелки"), 12);
    Label2 = groupHeading(this, "Label2", QCoreApplication::translate("TSet1", "Внешний редактор"), 108);
    using Program = quil::ProgramSettings::Program;
    const auto row = [this](const QString &caption, const QString &number, int top, QCheckBox *&check, QLineEdit *&edit,
                            QPushButton *&button, Program quil::ProgramSettings::*program) {
        check = new QCheckBox(caption, this);
        check->setGeometry(16, top, 130, 21);
        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit") + number);
        edit->setGeometry(152, top, 420, 21);
        edit->setAccessibleName(caption.trimmed());
        button = new QPushButton(QStringLiteral("* * *"), this);
        button->setGeometry(584, top, 41, 21);
        button->setAccessibleDescription(QCoreApplication::translate("TSet1", "Выбрать программу: ") +
                                         caption.trimmed());
        connect(check, &QCheckBox::toggled, this, [this, program](bool on) { (m_settings.*program).used = on; });
        connect(edit, &QLineEdit::textChanged, this,
                [this, program](const QString &text) { (m_settings.*program).path = text; });
    };
    row(QCoreApplication::translate("TSet1", " Для текстов:"), QStringLiteral("1"), 40, CheckBox1, Edit1, Button1,
        &quil::ProgramSettings::textViewer);
    row(QCoreApplication::translate("TSet1", "Для графики:"), QStringLiteral("2"), 72, CheckBox2, Edit2, Button2,
        &quil::ProgramSettings::pictureViewer);
    row(QCoreApplication::translate("TSet1", "Не \"Блокнот\":"), QStringLiteral("4"), 136, CheckBox3, Edit4, Button4,
        &quil::ProgramSettings::editor);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button4->setObjectName(QStringLiteral("Button4"));
    connect(Button1, &QPushButton::clicked, this, &TSet1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSet1::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TSet1::Button4Click);
}

void TSet1::buildOtherSettings()
{
    Label3 = groupHeading(this, "Label3", QCoreApplication::translate("TSet1", "Другие настройки"), 180);
    Label4 = new QLabel(QCoreApplication::translate("TSet1", "Размер шрифта системы"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(16, 212, 180, 21);
    Edit3 = new QLineEdit(QString::number(m_settings.fontHeight), this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setGeometry(200, 212, 49, 21);
    Edit3->setAccessibleName(Label4->text());
    Label4->setBuddy(Edit3);
    Button3 = new QPushButton(QCoreApplication::translate("TSet1", "Вернуться"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(265, 288, 113, 33);
    connect(Button3, &QPushButton::clicked, this, &TSet1::Button3Click);
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

void TSet1::applyOtherViewerMark()
{
    Q_EMIT otherViewerMark(CheckBox1->isChecked() || CheckBox2->isChecked());
}

void TSet1::browse(QLineEdit *edit)
{
    if (const std::optional<QString> program = quil::chooseProgram(m_services.dialogs))
        edit->setText(*program);
}

void TSet1::Button1Click()
{
    browse(Edit1);
}

void TSet1::Button2Click()
{
    browse(Edit2);
}

void TSet1::Button4Click()
{
    browse(Edit4);
}

void TSet1::Button3Click()
{
    applyOtherViewerMark();
    bool isNumber = false;
    const int height = Edit3->text().toInt(&isNumber, 10);
    if (!isNumber || height < minFontHeight || height > maxFontHeight) {
        m_services.dialogs.errorBox(
            QCoreApplication::translate("TSet1", "'%1' - не размер шрифта: нужно целое число от %2 до %3")
                .arg(Edit3->text())
                .arg(minFontHeight)
                .arg(maxFontHeight));
        return;
    }
    m_settings.fontHeight = height;
    Q_EMIT fontHeightChosen(height);
    close();
}

void TSet1::closeEvent(QCloseEvent *event)
{
    applyOtherViewerMark();
    QWidget::closeEvent(event);
}
