#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Dialog layouts are given in dialog units, which scale with the dialog's font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}

    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
