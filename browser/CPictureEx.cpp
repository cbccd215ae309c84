#include "CPictureEx.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

CPictureEx::CPictureEx(QWidget* parent) : QWidget(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { ShowFrame((m_current + 1) % m_frames.size()); });
}

int CPictureEx::ShownDelayMs(int delayHundredths)
{
    return delayHundredths <= 4 ? 100 : delayHundredths * 10;
}

bool CPictureEx::Load(const QByteArray& gif)
{
    Stop();
    m_frames.clear();
    m_current = 0;
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    // The reader composes each frame onto what the earlier ones left, following every frame's disposal
    // method (including "restore previous").
    QImageReader reader(&buffer);
    QImage image;
    while (reader.read(&image)) {
        int delay = std::max(0, reader.nextImageDelay()) / 10;
        m_frames.append(Frame{image.convertToFormat(QImage::Format_ARGB32_Premultiplied), ShownDelayMs(delay)});
        if (!reader.canRead())
            break;
    }
    if (m_frames.isEmpty())
        return false;
    resize(m_frames.front().image.size());
    update();
    return true;
}

void CPictureEx::Draw()
{
    if (m_frames.isEmpty())
        return;
    ShowFrame(0);
}

void CPictureEx::ShowFrame(int index)
{
    m_current = index;
    update();
    if (m_frames.size() >= 2)
        m_timer.start(m_frames[index].delayMs);
}

void CPictureEx::Stop()
{
    m_timer.stop();
}

void CPictureEx::paintEvent(QPaintEvent*)
{
    if (m_frames.isEmpty())
        return;
    // Transparent pixels let the dialog show through.
    QPainter painter(this);
    painter.drawImage(0, 0, m_frames[m_current].image);
}
