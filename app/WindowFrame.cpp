#include "WindowFrame.h"

namespace WindowFrame {

HitArea HitTest(QPoint cursor, int left, int top, int right, int bottom)
{
    const int x = cursor.x(), y = cursor.y();
    if (x <= left + 3 && 3 < y && y < bottom - 6)
        return HitArea::Left;
    if (x >= right - 3 && 3 < y && y < bottom - 6)
        return HitArea::Right;
    if (y <= top + 3 && 3 < x && x < right - 6)
        return HitArea::Top;
    if (y >= bottom - 3 && 3 < x && x < right - 6)
        return HitArea::Bottom;
    if (x <= left + 6 && y <= top + 6)
        return HitArea::TopLeft;
    if (x >= right - 6 && y <= top + 6)
        return HitArea::TopRight;
    if (x <= left + 6 && y >= bottom - 6)
        return HitArea::BottomLeft;
    if (x >= right - 6 && y >= bottom - 6)
        return HitArea::BottomRight;
    if (x >= left && x < right && y >= top && y < top + kCaptionHeight)
        return HitArea::Caption;
    return HitArea::Client;
}

CaptionLayout LayoutCaption(QSize window, QSize button, QSize ssoButton)
{
    const int b = kBorderWidth, w = button.width(), h = button.height();
    CaptionLayout layout;
    layout.menuButton = QRect(b, b, w, h);
    layout.diskButton = QRect(b + w + 6, b, w, h);
    layout.ssoButton = QRect(QPoint(b + 2 * w + 12, b), ssoButton);
    layout.miniButton = QRect(window.width() - w - b, b, w, h);
    layout.browserHost = QRect(b, kCaptionHeight, window.width() - 2 * b, window.height() - kCaptionHeight - b);
    return layout;
}

} // namespace WindowFrame
