#include "viewers/PictureBox.h"

#include "viewers/PictureFit.h"
#include "viewers/PictureLoader.h"

#include <QPainter>

namespace quil {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

void PictureBox::setPicture(Picture picture)
{
    m_picture = std::move(picture);
    update();
}

QRect PictureBox::drawnRect() const
{
    return fitPictureRect(m_picture.size, size());
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(drawnRect(), m_picture.image);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A photograph decoded at a reduced scale for a smaller window is decoded
    // again from the bytes it keeps, so that enlarging the window stays sharp.
    if (PictureLoader::needsRedecode(m_picture, size())) {
        try {
            m_picture = PictureLoader::decode(m_picture.kind, m_picture.source, size());
        } catch (const std::exception &) {
            // The same bytes decoded before; should they fail now, keep the smaller image.
        }
    }
}

} // namespace quil
