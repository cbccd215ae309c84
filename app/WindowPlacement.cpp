#include "WindowPlacement.h"

#include "WindowFrame.h"

namespace WindowPlacement {

bool ChoosePlacement(Settings& s, QSize workArea)
{
    const int workWidth = workArea.width(), workHeight = workArea.height();
    // A window pushed off to the top left by no more than its border and caption still counts.
    bool usable = (s.XPos >= -WindowFrame::kBorderWidth || s.YPos > -WindowFrame::kCaptionHeight) &&
                  s.XPos < workWidth && s.YPos < workHeight && s.Width >= WindowFrame::kMinimumSize &&
                  s.Height >= WindowFrame::kMinimumSize;
    if (usable)
        return false;
    s.Width = 300;
    s.Height = workHeight / 2;
    s.XPos = workWidth - 300;
    s.YPos = 0;
    s.MinXPos = workWidth - 150;
    s.MinYPos = 20;
    return true;
}

} // namespace WindowPlacement
