#include "shell/TAboutBox.h"

#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/WindowFont.h"
#include "shell/HelpFile.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>

TAboutBox::TAboutBox(quil::Services &services, QWidget *parent) : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QCoreApplication::translate("TAboutBox", "  О программе"));
    setModal(true);
    setFixedSize(380, 330);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 14, 41, 41);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/about/quil.png")));

    Label1 =
        addLabel("Label1", QCoreApplication::translate("TAboutBox", "QUIL - менеджер файлов"), QRect(72, 14, 290, 20));
    Label1->setFont(quil::arialBold(12));
    Label2 = addLabel("Label2", QStringLiteral("Version  1.5   (01.2013)"), QRect(72, 38, 290, 17));
    Label3 = addLabel("Label3",
                      QCoreApplication::translate("TAboutBox", "Простая программа для работы\nс папками и файлами.\n"
                                                               "А ты знаешь, что у тебя на дисках?"),
                      QRect(16, 64, 348, 52), Qt::AlignHCenter);
    Label4 = addLabel("Label4", QString(), QRect(16, 124, 348, 17));
    Label5 =
        addLabel("Label5", QCoreApplication::translate("TAboutBox", "Свободная программа (GNU GPL 3), без гарантий."),
                 QRect(16, 144, 348, 17));
    Label6 = addLabel("Label6", QCoreApplication::translate("TAboutBox", "Сайты программы:"), QRect(16, 170, 348, 17));
    Label7 = addSiteLabel("Label7", QRect(32, 190, 332, 17));
    // The project names one address, its home page; this place stays empty.
    Label8 = addSiteLabel("Label8", QRect(32, 210, 332, 17));
    Label8->hide();
    Label9 =
        addLabel("Label9", QCoreApplication::translate("TAboutBox", "GIF: giflib, авторы Eric S. Raymond и другие"),
                 QRect(16, 236, 348, 17));
    Label10 = addLabel("Label10",
                       QCoreApplication::translate("TAboutBox", "PNG: libpng и zlib (Jean-loup Gailly, Mark Adler)"),
                       QRect(16, 254, 348, 17));
    Label11 = addLabel(
        "Label11", QCoreApplication::translate("TAboutBox", "JPEG: libjpeg-turbo, по работе Independent JPEG Group"),
        QRect(16, 272, 348, 17));

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(96, 296, 85, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QCoreApplication::translate("TAboutBox", "Помощь"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(200, 296, 85, 25);
    connect(Button1, &QPushButton::clicked, this, &TAboutBox::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TAboutBox::Button2Click);
    connect(Label7, &QLabel::linkActivated, this, &TAboutBox::Label7Click);
    connect(Label8, &QLabel::linkActivated, this, &TAboutBox::Label8Click);
    setHomePage(QStringLiteral(QUIL_HOMEPAGE_URL));
}

void TAboutBox::setHomePage(const QString &address)
{
    m_homePage = address;
    const bool known = !address.isEmpty();
    Label4->setText(known ? QCoreApplication::translate("TAboutBox", "Сделали разработчики QUIL, пишите на сайт.")
                          : QCoreApplication::translate("TAboutBox", "Сделали разработчики QUIL."));
    Label6->setVisible(known);
    Label7->setVisible(known);
    // What the link shows: the address without its scheme.
    QString shown = address;
    shown.remove(QRegularExpression(QStringLiteral("^[a-z]+://")));
    Label7->setText(known ? QStringLiteral("<a href=\"site\" style=\"color:#0000ff; font-weight:bold\">%1</a>")
                                .arg(shown.toHtmlEscaped())
                          : QString());
    Label7->setAccessibleName(shown);
}

QLabel *TAboutBox::addLabel(const char *name, const QString &text, const QRect &place, Qt::Alignment align)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setAlignment(align | Qt::AlignTop);
    return label;
}

QLabel *TAboutBox::addSiteLabel(const char *name, const QRect &place)
{
    // A link, so that the keyboard reaches it as well as the mouse.
    QLabel *label = addLabel(name, {}, place);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

void TAboutBox::Button1Click()
{
    accept();
}

void TAboutBox::Label7Click()
{
    if (!m_homePage.isEmpty())
        m_services.launcher.openUri(m_homePage);
}

void TAboutBox::Label8Click() {}

void TAboutBox::Button2Click()
{
    accept();
    switch (quil::openHelp(m_services.launcher, m_services.programFolder)) {
    case quil::HelpOpened::File:
    case quil::HelpOpened::Pages:
        break;
    case quil::HelpOpened::Missing:
        m_services.dialogs.message(QCoreApplication::translate("TAboutBox", "Файл помощи hquil.chm не найден"),
                                   windowTitle(), quil::Dialogs::Icon::None);
        break;
    case quil::HelpOpened::Failed:
        m_services.dialogs.message(
            QCoreApplication::translate("TAboutBox", "Нет программы, которая открыла бы помощь (hquil.chm или HTML)"),
            windowTitle(), quil::Dialogs::Icon::Error);
        break;
    }
}
