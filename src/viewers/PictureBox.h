#pragma once

#include "viewers/Picture.h"

#include <QWidget>

namespace quil {

// A picture box that draws its picture centred, proportional and stretched
// to fill its area in one direction; the parent shows through around it and
// while it holds no picture.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Replaces the picture and repaints.
    void setPicture(Picture picture);
    const Picture &picture() const { return m_picture; }
    // Where the picture is drawn, in this widget's coordinates (empty without a picture).
    QRect drawnRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Picture m_picture;
};

} // namespace quil
