#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace {

QPixmap drawn(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    p.setClipPath(outline);
    p.fillRect(QRectF(0, 0, s, s), QColor(0x2f, 0x4f, 0x6f));
    // The layers of rock, from the top one down.
    const QColor layers[] = {QColor(0xd2, 0xa8, 0x64), QColor(0x9a, 0x63, 0x2e), QColor(0x6e, 0x6a, 0x66)};
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(0, s * (0.45 + 0.1834 * i), s, s * 0.1834 + 1), layers[i]);
    // The construction over them.
    const QRectF building(s * 0.22, s * 0.16, s * 0.56, s * 0.52);
    p.setPen(QPen(Qt::white, std::max(1.0, s / 16)));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRect(building);
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon made;
        for (const int size : {16, 24, 32, 48, 64, 128})
            made.addPixmap(drawn(size));
        return made;
    }();
    return icon;
}
