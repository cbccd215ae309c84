#pragma once

#include <QImage>
#include <QTimer>
#include <QVector>
#include <QWidget>

// Plays an animated GIF: every frame for its own delay (100 ms for delays of 40 ms or less, as
// browsers do), then again from the first. The control takes the size of the image.
class CPictureEx : public QWidget
{
    Q_OBJECT
public:
    struct Frame
    {
        QImage image;      // the whole picture as it stands after this frame
        int delayMs = 0;   // how long it shows
    };

    explicit CPictureEx(QWidget* parent = nullptr);

    // Loads a GIF (two or more frames play, one is drawn still). False for anything that is no image.
    bool Load(const QByteArray& gif);
    void Draw();
    void Stop();

    bool IsPlaying() const { return m_timer.isActive(); }
    int CurrentFrame() const { return m_current; }
    const QVector<Frame>& Frames() const { return m_frames; }

    // A frame's delay as the GIF gives it (1/100 s) and how long it shows.
    static int ShownDelayMs(int delayHundredths);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowFrame(int index);

    QVector<Frame> m_frames;
    int m_current = 0;
    QTimer m_timer;
};
