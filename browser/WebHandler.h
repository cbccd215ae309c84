#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>

class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
#include <QWebEngineView>
class QWidget;

// What the embedded browser does on its own: the failure page when the portal cannot be reached, the
// save dialog for downloads, popups in windows of their own, certificate errors accepted, no context
// menu, and the pages' request to minimise the main window.
class WebHandler : public QObject
{
    Q_OBJECT
public:
    struct Environment
    {
        QWebEngineProfile* profile = nullptr;
        std::string messageToken;                        // see PageFunctions
        std::function<std::string()> portalAddressUtf8;  // read at every load error
        std::function<void()> minimiseMainWindow;
        // Asks the user where to save a download, starting at `proposed`; empty: not saved. Unset: the
        // standard save dialog.
        std::function<QString(const QString& proposed)> chooseSavePath;
    };

    explicit WebHandler(Environment environment, QObject* parent = nullptr);
    ~WebHandler() override;

    // The main browser: a view inside `host`, covering it, starting at `startUrl`.
    QWebEngineView* CreateBrowser(QWidget* host, const QString& startUrl);
    // The main browser, or nothing before CreateBrowser.
    QWebEngineView* GetBrowser() const { return m_browser; }
    // A browser in a window of its own, for a page's popup; it goes when its window is closed.
    QWebEngineView* CreatePopup();

    // A message from a page; true when it was one the program acts on.
    bool OnProcessMessageReceived(const std::string& name);
    // A page of this handler failed to load `failedUrl`.
    void OnLoadError(QWebEnginePage* page, const std::string& failedUrlUtf8);
    void OnBeforeDownload(QWebEngineDownloadRequest* download);

    // The console line of a page, when it is a message of this run: its name.
    bool OnConsoleLine(const QString& line);

    // Whether a failed URL is the portal address (one trailing "/" ignored on either side).
    static bool IsPortalAddress(std::string failedUrlUtf8, std::string portalAddressUtf8);
    // The user's Documents folder + "/" + the suggested name, or the bare name without the folder.
    static QString DownloadPath(const QString& documentsFolder, const QString& suggestedName);
    // The user's Documents folder, made if it is missing; empty when there is none.
    static QString DocumentsFolder();

private:
    QWebEngineView* NewView(QWidget* parent);

    Environment m_environment;
    QPointer<QWebEngineView> m_browser;
    QList<QPointer<QWebEngineView>> m_popups;
};
