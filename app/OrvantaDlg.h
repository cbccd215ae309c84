#pragma once

#include "CommandRelay.h"
#include "OrvExtern.h"
#include "common/ArgumentList.h"
#include "common/MutexLock.h"
#include "control/MainWindowState.h"
#include "vpn/VpnManager.h"

#include <QDialog>
#include <QSystemTrayIcon>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

class BaseApp;
class MainButton;
class OrvantaHandler;
class QMenu;
class QWebEngineView;
class WebHandler;
class WebView;

// The main window: a borderless top-most dialog with a hand-drawn caption, four caption buttons and the
// browser below. It is also the command processor: every command of the portal is carried out here, on
// this window's thread, and the window owns what those commands change (the session helper library,
// the single-sign-on entries).
class OrvantaDlg : public QDialog,
                   public OrvExtern,
                   public VpnManager,
                   public MainWindowState,
                   public CommandHandler
{
    Q_OBJECT
public:
    explicit OrvantaDlg(OrvantaHandler& handler, QWidget* parent = nullptr);
    ~OrvantaDlg() override;

    // The dial-up result is of no interest to the main window.
    void OnVpnResult(int) override {}

    // MainWindowState, read by the control server's poll thread.
    int VpnState() const override;
    int RemoteState(const std::string& key, const std::string& program) override;
    int AppState(const std::string& ip) override;

    // One delivered command: only the low 16 bits of the code count, as a signed number.
    void HandleCommand(int code, const std::u16string& argument) override;
    void ExecuteCommand(const ArgumentMap& arguments, int code);

    // Stops the SSL VPN (message 1029 of other systems; nothing inside the program sends it).
    void OnStopVpn() { StopVpn(); }

    // Ends the session: the library's clients, the share disk, the VPN and the single-sign-on entries.
    void LogoutAll(bool deleteWindows);

    // Starts the print tool for a fetched PDF; 0 (and the file stays) when no printer is set.
    int PrintFile(const std::string& path);

    void PlaceWindows();
    void SavePlacement();
    void LayoutCaption();

    // The end of the window's start-up: the login-address dialog when there is no portal address yet,
    // then the browser on its first page.
    void InitBrowser(BaseApp& engine);
    void CreateBrowser();
    void ResizeBrowser();
    // The tray menu's login-address entry: a confirmed new address reloads the browser's first page.
    void ChooseLoginAddress();
    WebHandler* Browser() const { return m_webHandler; }

    std::map<std::string, std::string> SsoEntries();
    const std::u16string& HomePage() const { return m_homePage; }
    QMenu* TrayMenu() const { return m_trayMenu; }

    // The folder the share-disk script mounts; caption button 1002 opens it.
    static std::string CloudDiskFolder();

protected:
    void OnVpnStateChanged(int state) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateCaption();
    void AddTrayIcon();
    void ShowTrayMenu();
    void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void OnExitChosen();
    void OpenCloudDisk();
    // Runs the login-address dialog; true when the user confirmed an address that passed its test.
    bool RunNetworkDialog();
    // The main browser, or nothing before it exists.
    QWebEngineView* HeldBrowser() const;
    void OpenUrlExternally(const std::string& url);
    void StartDetached(const std::string& path);

    OrvantaHandler& m_handler;
    MutexLock m_windowLock; // guards the single-sign-on map (and the embedded windows when they come)
    std::u16string m_homePage;
    std::map<std::string, std::string> m_ssoEntries;
    MainButton* m_ssoButton = nullptr;  // 1001
    MainButton* m_diskButton = nullptr; // 1002
    MainButton* m_miniButton = nullptr; // 1003
    MainButton* m_menuButton = nullptr; // 1000
    WebView* m_browserHost = nullptr;   // 1004: the browser goes in here
    BaseApp* m_engine = nullptr;
    WebHandler* m_webHandler = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    QTimer m_trayTimer;
};
