#include "MainButton.h"

#include "CaptionIcons.h"

#include <QPainter>

MainButton::MainButton(QWidget* parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

void MainButton::SetIcon(const QPixmap& icon, int width, int height)
{
    m_icon = icon;
    m_iconWidth = width;
    m_iconHeight = height;
    resize(sizeHint());
    update();
}

QSize MainButton::sizeHint() const
{
    return QSize(m_iconWidth + 2, m_iconHeight + 2);
}

void MainButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), CaptionIcons::kCaptionColour);
    if (!m_icon.isNull())
        painter.drawPixmap(QRect(1, 1, m_iconWidth, m_iconHeight), m_icon);
    if (m_hovering) {
        painter.setPen(QPen(QColor(0x7D, 0x7D, 0x7D), 1.0));
        painter.drawRect(QRectF(1, 1, m_iconWidth - 2, m_iconHeight - 2));
    }
}

void MainButton::enterEvent(QEnterEvent* event)
{
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MainButton::leaveEvent(QEvent* event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}
