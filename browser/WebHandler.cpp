#include "WebHandler.h"

#include "PageFunctions.h"
#include "WebPage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

const char kFailurePage[] = "kepnar://client/failed.html";

void DropOneTrailingSlash(std::string& text)
{
    if (!text.empty() && text.back() == '/')
        text.pop_back();
}

} // namespace

WebHandler::WebHandler(Environment environment, QObject* parent)
    : QObject(parent), m_environment(std::move(environment))
{
    if (m_environment.profile != nullptr)
        connect(m_environment.profile, &QWebEngineProfile::downloadRequested, this, &WebHandler::OnBeforeDownload);
}

WebHandler::~WebHandler()
{
    // Pages must be gone before the engine's profile; popups have no parent that would take them.
    for (const QPointer<QWebEngineView>& popup : m_popups)
        delete popup.data();
}

QWebEngineView* WebHandler::NewView(QWidget* parent)
{
    auto* view = new QWebEngineView(parent);
    view->setPage(new WebPage(m_environment.profile, *this, view));
    view->setContextMenuPolicy(Qt::NoContextMenu);
    view->settings()->setDefaultTextEncoding(QStringLiteral("UTF-8"));
    return view;
}

QWebEngineView* WebHandler::CreateBrowser(QWidget* host, const QString& startUrl)
{
    if (m_environment.profile == nullptr)
        return nullptr; // no engine: the browser area stays empty
    delete m_browser;
    m_browser = NewView(host);
    m_browser->setGeometry(host->rect());
    m_browser->load(QUrl(startUrl));
    m_browser->show();
    return m_browser;
}

QWebEngineView* WebHandler::CreatePopup()
{
    QWebEngineView* popup = NewView(nullptr);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    m_popups.removeAll(nullptr);
    m_popups.append(popup);
    connect(popup->page(), &QWebEnginePage::windowCloseRequested, popup, &QWidget::close);
    popup->resize(800, 600);
    popup->show();
    return popup;
}

bool WebHandler::OnConsoleLine(const QString& line)
{
    std::optional<std::string> name = PageFunctions::MessageName(line.toStdString(), m_environment.messageToken);
    if (!name)
        return false;
    OnProcessMessageReceived(*name);
    return true;
}

bool WebHandler::OnProcessMessageReceived(const std::string& name)
{
    if (name != PageFunctions::kMinimiseMessage)
        return false;
    if (m_environment.minimiseMainWindow)
        m_environment.minimiseMainWindow();
    return true;
}

bool WebHandler::IsPortalAddress(std::string failedUrlUtf8, std::string portalAddressUtf8)
{
    DropOneTrailingSlash(failedUrlUtf8);
    DropOneTrailingSlash(portalAddressUtf8);
    return failedUrlUtf8 == portalAddressUtf8;
}

void WebHandler::OnLoadError(QWebEnginePage* page, const std::string& failedUrlUtf8)
{
    std::string portal = m_environment.portalAddressUtf8 ? m_environment.portalAddressUtf8() : std::string();
    if (page != nullptr && IsPortalAddress(failedUrlUtf8, portal))
        page->load(QUrl(QString::fromLatin1(kFailurePage)));
}

QString WebHandler::DocumentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return folder;
}

QString WebHandler::DownloadPath(const QString& documentsFolder, const QString& suggestedName)
{
    if (documentsFolder.isEmpty())
        return suggestedName;
    return documentsFolder + QLatin1Char('/') + suggestedName;
}

void WebHandler::OnBeforeDownload(QWebEngineDownloadRequest* download)
{
    QString proposed = DownloadPath(DocumentsFolder(), download->suggestedFileName());
    QString chosen = m_environment.chooseSavePath ? m_environment.chooseSavePath(proposed)
                                                  : QFileDialog::getSaveFileName(m_browser, QString(), proposed);
    if (chosen.isEmpty()) {
        download->cancel();
        return;
    }
    QFileInfo target(chosen);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
}
