#pragma once

#include <QAbstractButton>
#include <QPixmap>

// An icon button of the main window's caption: the caption colour as background, the icon at (1, 1),
// and a grey outline while the pointer is over it.
class MainButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit MainButton(QWidget* parent = nullptr);

    void SetIcon(const QPixmap& icon, int width, int height);
    bool IsHovering() const { return m_hovering; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_icon;
    int m_iconWidth = 16;
    int m_iconHeight = 16;
    bool m_hovering = false;
};
