#pragma once

#include <QWebEnginePage>

class WebHandler;

// A page of the embedded browser; it passes what the engine reports to its handler.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    WebPage(QWebEngineProfile* profile, WebHandler& handler, QObject* parent);

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;

private:
    WebHandler& m_handler;
};
