#pragma once

#include <QProxyStyle>

// The application's style with one change: the tooltips of the caption buttons come up after 200 ms.
class CaptionStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
