#include "viewers/TSHPIC.h"

#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "viewers/PictureBox.h"
#include "viewers/PictureLoader.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>

namespace {
constexpr int kMargin = 8;
}

TSHPIC::TSHPIC(quil::Services &services, QWidget *parent) : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("SHPIC"));
    setWindowTitle(QCoreApplication::translate("TSHPIC", " Просмотр изображений"));
    resize(645, 509);

    Panel1 = new QLabel(QCoreApplication::translate("TSHPIC", "Загрузка изображения..."), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(palette);

    Image1 = new quil::PictureBox(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    resizeEvent(nullptr);
    FormCreate();
}

void TSHPIC::FormCreate()
{
    CurrentFilePath.clear();
}

void TSHPIC::resizeEvent(QResizeEvent *event)
{
    if (event)
        QWidget::resizeEvent(event);
    Panel1->setGeometry(rect());
    Image1->setGeometry(kMargin, kMargin, std::max(0, width() - 2 * kMargin), std::max(0, height() - 2 * kMargin));
}

void TSHPIC::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) // restoring a minimised window is no new showing
        FormShow();
}

void TSHPIC::FormShow()
{
    loadPicture();
}

bool TSHPIC::loadPicture()
{
    const QString path = CurrentFilePath;
    return quil::runHandler(m_services.dialogs, [&] {
        const quil::PictureKind kind = quil::PictureLoader::kindOfPath(path);
        if (kind == quil::PictureKind::Ico)
            LoadIconPicture(path);
        else if (kind != quil::PictureKind::None)
            Image1->setPicture(quil::PictureLoader::load(path, Image1->size()));
        setWindowTitle(QCoreApplication::translate("TSHPIC", " Изображение:   ") + path);
    });
}

void TSHPIC::LoadIconPicture(const QString &path)
{
    const quil::Picture icon = quil::PictureLoader::load(path, {});
    // The transparent parts of the icon become the panel's white.
    QImage bitmap(icon.image.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, icon.image);
    }
    quil::Picture picture;
    picture.image = std::move(bitmap);
    picture.size = picture.image.size();
    picture.kind = quil::PictureKind::Ico;
    Image1->setPicture(std::move(picture));
}
