#include "CaptionStyle.h"

#include "MainButton.h"

int CaptionStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay && qobject_cast<const MainButton*>(widget) != nullptr)
        return 200;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
