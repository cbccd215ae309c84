#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The program's own icons, drawn here so that they scale cleanly and need no image files.
namespace CaptionIcons {

inline const QColor kCaptionColour(42, 86, 153);

QIcon ApplicationIcon();     // the window and tray icon
QPixmap MenuIcon();          // caption button 1000, 16 x 16
QPixmap SingleSignOnIcon();  // caption button 1001, 18 x 16
QPixmap CloudDiskIcon();     // caption button 1002, 16 x 16
QPixmap MiniWindowIcon();    // caption button 1003, 16 x 16

} // namespace CaptionIcons
