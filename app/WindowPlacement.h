#pragma once

#include "Settings.h"

#include <QSize>

// Where the main and mini windows go at start.
namespace WindowPlacement {

// Keeps the stored positions when they are usable on a work area of `workArea`; otherwise puts the
// defaults into `settings` (300 wide at the right edge, half the height; the mini window near the top
// right). True when the defaults were taken (the caller then saves them).
bool ChoosePlacement(Settings& settings, QSize workArea);

} // namespace WindowPlacement
