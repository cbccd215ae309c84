#include "PageFit.h"

QRect FitPage(float W, float H, float HR, float VR)
{
    float sx = HR / W;
    float sy = VR / H;
    float s = sx < sy ? sx : sy;
    float x, y, width, height;
    if (sx < sy) {
        x = 0;
        width = HR;
        height = H * s;
        y = (VR - height) * 0.5f;
    } else {
        y = 0;
        height = VR;
        width = W * s;
        x = (HR - width) * 0.5f;
    }
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height));
}
