#pragma once

#include <QRect>

// Where a PDF page of W x H points goes on a printable area of HR x VR device pixels: scaled to fit,
// aspect ratio kept, centred along the axis with room to spare. Single-precision arithmetic, each
// coordinate truncated toward zero.
QRect FitPage(float width, float height, float printableWidth, float printableHeight);
