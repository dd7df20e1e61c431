#include "viewers/PictureFit.h"

namespace quil {

QRect fitPictureRect(QSize picture, QSize area)
{
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    if (w <= 0 || h <= 0)
        return {};
    const qint64 cw = area.width();
    const qint64 ch = area.height();
    qint64 dw = 0;
    qint64 dh = 0;
    if (w > h) {
        dw = cw;
        dh = cw * h / w;
        if (dh > ch) {
            dh = ch;
            dw = ch * w / h;
        }
    } else {
        dh = ch;
        dw = ch * w / h;
        if (dw > cw) {
            dw = cw;
            dh = cw * h / w;
        }
    }
    return QRect(int((cw - dw) / 2), int((ch - dh) / 2), int(dw), int(dh));
}

} // namespace quil
