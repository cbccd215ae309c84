#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The geometry of the main window's hand-drawn frame: where the borders and the caption are, and where
// the caption buttons and the browser go.
namespace WindowFrame {

inline constexpr int kBorderWidth = 3;
inline constexpr int kCaptionHeight = 24;
inline constexpr int kMinimumSize = 300;

enum class HitArea { Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// What lies under `cursor` (screen coordinates) for a window at `window` (screen coordinates, with
// right() and bottom() meaning the pixel past the edge as on other systems). The first rule that holds
// decides; edges win over corners near the top because their lower bounds are absolute coordinates.
HitArea HitTest(QPoint cursor, int left, int top, int right, int bottom);

struct CaptionLayout
{
    QRect menuButton;   // 1000
    QRect diskButton;   // 1002
    QRect ssoButton;    // 1001
    QRect miniButton;   // 1003
    QRect browserHost;  // 1004
};

// `button` is the size of the menu button, `ssoButton` the SSO button's own size.
CaptionLayout LayoutCaption(QSize window, QSize button, QSize ssoButton);

} // namespace WindowFrame
