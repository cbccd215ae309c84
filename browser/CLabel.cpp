#include "CLabel.h"

#include <QPainter>

CLabel::CLabel(QWidget* parent, Style style)
    : QWidget(parent),
      m_style(style),
      m_textColour(palette().color(QPalette::WindowText)),
      m_background(palette().color(QPalette::Window))
{
    // Every pixel is painted here; the window system's double buffering keeps it from flickering.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CLabel& CLabel::SetText(const QString& text)
{
    m_text = text;
    RepaintNow();
    return *this;
}

CLabel& CLabel::SetTextColor(const QColor& colour)
{
    m_textColour = colour;
    RepaintNow();
    return *this;
}

CLabel& CLabel::SetBkColor(const QColor& colour, const QColor& second, int mode)
{
    m_background = colour;
    m_gradientEnd = second;
    m_backgroundMode = mode;
    RepaintNow();
    return *this;
}

CLabel& CLabel::SetFontBold(bool bold)
{
    QFont f = font();
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(f);
    RepaintNow();
    return *this;
}

CLabel& CLabel::SetFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    RepaintNow();
    return *this;
}

void CLabel::RepaintNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

int CLabel::DrawFlags(Style style, const QString& text)
{
    int flags = text.contains(QLatin1Char('\t')) ? Qt::TextExpandTabs : 0;
    switch (style) {
    case Style::Center: return flags | Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    case Style::Right: return flags | Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap;
    case Style::LeftNoWrap: return flags | Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    case Style::CenterImage:
        if (text.contains(QLatin1Char('\n')))
            return flags | Qt::AlignCenter;
        return flags | Qt::AlignCenter | Qt::TextSingleLine;
    case Style::Left: break;
    }
    return flags | Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}

void CLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_backgroundMode == 0) {
        painter.fillRect(rect(), m_background);
    } else {
        // At most 100 vertical bands from the first colour to the second.
        int bands = std::max(1, std::min(100, width()));
        for (int i = 0; i < bands; ++i) {
            double t = bands > 1 ? double(i) / (bands - 1) : 0.0;
            QColor c = QColor::fromRgbF(m_background.redF() + t * (m_gradientEnd.redF() - m_background.redF()),
                                        m_background.greenF() + t * (m_gradientEnd.greenF() - m_background.greenF()),
                                        m_background.blueF() + t * (m_gradientEnd.blueF() - m_background.blueF()));
            int left = width() * i / bands;
            int right = width() * (i + 1) / bands;
            painter.fillRect(QRect(left, 0, right - left, height()), c);
        }
    }
    painter.setPen(m_textColour);
    painter.drawText(rect(), DrawFlags(m_style, m_text), m_text);
}
