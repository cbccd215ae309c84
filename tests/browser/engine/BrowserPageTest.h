#pragma once

#include "BrowserTestEnvironment.h"
#include "browser/WebHandler.h"
#include "fixtures/FixtureServer.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A main browser in a host window of its own, made by a WebHandler as the main window makes it, and a
// local HTTP server with the test pages.
class BrowserPageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_server.port(), 0);
        BrowserTestEnvironment::Get().SetPortalAddress(m_server.Url("/page/plain"));
        m_host = std::make_unique<QWidget>();
        m_host->resize(640, 480);
        m_host->show();
    }

    void TearDown() override
    {
        m_handler.reset();
        m_host.reset();
    }

    // The handler with the test's environment; `minimised` counts the main window's minimise requests.
    WebHandler& Handler()
    {
        if (!m_handler) {
            BaseApp& engine = BrowserTestEnvironment::Get().engine();
            WebHandler::Environment environment;
            environment.profile = engine.Profile();
            environment.messageToken = engine.MessageToken();
            environment.portalAddressUtf8 = [] { return BrowserTestEnvironment::Get().PortalAddress(); };
            environment.minimiseMainWindow = [this] { ++m_minimised; };
            environment.chooseSavePath = [this](const QString& proposed) {
                m_proposedSavePaths.push_back(proposed);
                return m_savePath;
            };
            m_handler = std::make_unique<WebHandler>(std::move(environment));
        }
        return *m_handler;
    }

    QWebEngineView* Browser(const QString& startUrl)
    {
        QWebEngineView* view = Handler().CreateBrowser(m_host.get(), startUrl);
        return view;
    }

    QString Url(const std::string& path) const { return QString::fromStdString(m_server.Url(path)); }

    FixtureServer m_server;
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<WebHandler> m_handler;
    int m_minimised = 0;
    QString m_savePath;
    std::vector<QString> m_proposedSavePaths;
};
