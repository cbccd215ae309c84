#include "DialogUnits.h"

#include <QFontMetrics>

namespace {

// Rounds a * b / c to the nearest integer.
int Scale(int a, int b, int c)
{
    return static_cast<int>((static_cast<long long>(a) * b * 2 + c) / (2 * c));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    // The average width is measured over the 52 letters and rounded, as dialog templates expect.
    int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseWidth = (letters / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const
{
    return QRect(Scale(x, m_baseWidth, 4), Scale(y, m_baseHeight, 8), Scale(width, m_baseWidth, 4),
                 Scale(height, m_baseHeight, 8));
}

QSize DialogUnits::ToPixels(int width, int height) const
{
    return QSize(Scale(width, m_baseWidth, 4), Scale(height, m_baseHeight, 8));
}
