#include "CaptionIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace CaptionIcons {
namespace {

// A transparent pixmap with a white antialiased pen, drawn at four times the size for crisp edges.
template <typename Draw>
QPixmap Drawn(int width, int height, Draw draw)
{
    const int scale = 4;
    QPixmap big(width * scale, height * scale);
    big.fill(Qt::transparent);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    painter.end();
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(kCaptionColour);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, size, size), size * 0.2, size * 0.2);
        painter.setPen(QPen(Qt::white, size * 0.12));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(size * 0.22, size * 0.22, size * 0.56, size * 0.56));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap MenuIcon()
{
    return Drawn(16, 16, [](QPainter& p) {
        for (double y : {4.5, 8.0, 11.5})
            p.drawLine(QPointF(3, y), QPointF(13, y));
    });
}

QPixmap SingleSignOnIcon()
{
    return Drawn(18, 16, [](QPainter& p) {
        p.drawEllipse(QRectF(2, 5, 6, 6));
        p.drawLine(QPointF(8, 8), QPointF(16, 8));
        p.drawLine(QPointF(13, 8), QPointF(13, 11));
        p.drawLine(QPointF(15.5, 8), QPointF(15.5, 10.5));
    });
}

QPixmap CloudDiskIcon()
{
    return Drawn(16, 16, [](QPainter& p) {
        QPainterPath cloud;
        cloud.moveTo(4, 12);
        cloud.arcTo(QRectF(1, 7, 5, 5), 270, -180);
        cloud.arcTo(QRectF(4, 3, 7, 7), 180, -180);
        cloud.arcTo(QRectF(10, 6.5, 5, 5.5), 90, -180);
        cloud.closeSubpath();
        p.drawPath(cloud);
    });
}

QPixmap MiniWindowIcon()
{
    return Drawn(16, 16, [](QPainter& p) {
        p.drawRect(QRectF(2.5, 3.5, 11, 9));
        p.drawLine(QPointF(2.5, 6), QPointF(13.5, 6));
        p.drawLine(QPointF(6, 10), QPointF(10, 10));
    });
}

} // namespace CaptionIcons
