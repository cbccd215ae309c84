#pragma once

#include <QWidget>

// The place of the browser in the main window. The browser covers it completely, so it never paints
// or erases anything of its own.
class WebView : public QWidget
{
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override {}
};
