#include "OrvantaDlg.h"

#include "CaptionIcons.h"
#include "CaptionStyle.h"
#include "ExternalPrograms.h"
#include "MainButton.h"
#include "OrvantaHandler.h"
#include "WindowFrame.h"
#include "WindowPlacement.h"
#include "browser/BaseApp.h"
#include "browser/NetworkDlg.h"
#include "browser/WebHandler.h"
#include "browser/WebView.h"
#include "common/AutoLock.h"
#include "common/CommandCode.h"
#include "common/HostFolder.h"
#include "common/RequestRecords.h"
#include "common/TextCodec.h"
#include "platform/AutoStart.h"
#include "platform/ProgramFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolTip>
#include <QWebEngineView>
#include <QWindow>

#include <cstdlib>
#include <thread>

namespace {

using WindowFrame::HitArea;

Qt::Edges EdgesOf(HitArea area)
{
    switch (area) {
    case HitArea::Left: return Qt::LeftEdge;
    case HitArea::Right: return Qt::RightEdge;
    case HitArea::Top: return Qt::TopEdge;
    case HitArea::Bottom: return Qt::BottomEdge;
    case HitArea::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case HitArea::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case HitArea::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case HitArea::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}

Qt::CursorShape CursorOf(HitArea area)
{
    switch (area) {
    case HitArea::Left:
    case HitArea::Right: return Qt::SizeHorCursor;
    case HitArea::Top:
    case HitArea::Bottom: return Qt::SizeVerCursor;
    case HitArea::TopLeft:
    case HitArea::BottomRight: return Qt::SizeFDiagCursor;
    case HitArea::TopRight:
    case HitArea::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

OrvantaDlg::OrvantaDlg(OrvantaHandler& handler, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_handler(handler)
{
    setWindowTitle(QStringLiteral("虚拟办公室"));
    setWindowIcon(CaptionIcons::ApplicationIcon());
    setMinimumSize(WindowFrame::kMinimumSize, WindowFrame::kMinimumSize);
    setMouseTracking(true);
    setWindowOpacity(242.0 / 255.0);
    m_browserHost = new WebView(this);
    m_browserHost->setObjectName(QStringLiteral("browserHost"));

    AddTrayIcon();
    CreateCaption();
    PlaceWindows();
    platform::RegisterAutoStart("orvanta", platform::RunningProgramPath(), "1");
    // The tray icon comes back by itself when the panel that shows it restarts.
    connect(&m_trayTimer, &QTimer::timeout, this, [this] {
        if (!m_tray->isVisible())
            m_tray->show();
    });
    m_trayTimer.start(2000);
}

OrvantaDlg::~OrvantaDlg()
{
    m_trayTimer.stop();
    m_tray->hide();
    LogoutAll(false);
}

void OrvantaDlg::CreateCaption()
{
    m_ssoButton = new MainButton(this);
    m_diskButton = new MainButton(this);
    m_miniButton = new MainButton(this);
    m_menuButton = new MainButton(this);
    m_ssoButton->SetIcon(CaptionIcons::SingleSignOnIcon(), 18, 16);
    m_diskButton->SetIcon(CaptionIcons::CloudDiskIcon(), 16, 16);
    m_miniButton->SetIcon(CaptionIcons::MiniWindowIcon(), 16, 16);
    m_menuButton->SetIcon(CaptionIcons::MenuIcon(), 16, 16);
    m_ssoButton->setToolTip(QStringLiteral("单点登录"));
    m_diskButton->setToolTip(QStringLiteral("打开本地云盘"));
    m_miniButton->setToolTip(QStringLiteral("迷你窗口"));
    m_menuButton->setToolTip(QStringLiteral("功能菜单"));
    connect(m_menuButton, &QAbstractButton::clicked, this, &OrvantaDlg::ShowTrayMenu);
    connect(m_diskButton, &QAbstractButton::clicked, this, &OrvantaDlg::OpenCloudDisk);
    // The single-sign-on picker (1001) and the mini window (1003) connect here when they exist.

    if (qobject_cast<CaptionStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new CaptionStyle); // the application takes ownership

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipText, Qt::white);
    tips.setColor(QPalette::ToolTipBase, CaptionIcons::kCaptionColour);
    QToolTip::setPalette(tips);
}

void OrvantaDlg::AddTrayIcon()
{
    m_trayMenu = new QMenu(this);
    QAction* autoStart = m_trayMenu->addAction(QStringLiteral("开机自启动"));
    autoStart->setCheckable(true);
    autoStart->setChecked(true);
    autoStart->setEnabled(false); // registered at every start instead
    QAction* loginAddress = m_trayMenu->addAction(QStringLiteral("登录网址设置"));
    connect(loginAddress, &QAction::triggered, this, &OrvantaDlg::ChooseLoginAddress);
    m_trayMenu->addSeparator();
    QAction* exit = m_trayMenu->addAction(QStringLiteral("退出沙盒"));
    connect(exit, &QAction::triggered, this, &OrvantaDlg::OnExitChosen);

    m_tray = new QSystemTrayIcon(CaptionIcons::ApplicationIcon(), this);
    m_tray->setToolTip(QStringLiteral("Orvanta沙盒"));
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, &OrvantaDlg::OnTrayActivated);
    m_tray->show();
}

bool OrvantaDlg::RunNetworkDialog()
{
    NetworkDlg dialog(this);
    dialog.SetAddress(QString::fromStdString(m_handler.ReadLoginAddressUtf8()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_handler.SetLoginAddress(dialog.Address().toStdU16String());
    return true;
}

void OrvantaDlg::ChooseLoginAddress()
{
    if (!RunNetworkDialog())
        return;
    if (QWebEngineView* browser = HeldBrowser())
        browser->load(QUrl(QString::fromStdString(m_handler.InitialPageUrl())));
}

void OrvantaDlg::InitBrowser(BaseApp& engine)
{
    m_engine = &engine;
    if (m_handler.ReadLoginAddressUtf8().empty())
        RunNetworkDialog();
    CreateBrowser();
}

void OrvantaDlg::CreateBrowser()
{
    if (m_engine == nullptr)
        return;
    delete m_webHandler;
    WebHandler::Environment environment;
    environment.profile = m_engine->Profile();
    environment.messageToken = m_engine->MessageToken();
    environment.portalAddressUtf8 = [this] { return m_handler.ReadLoginAddressUtf8(); };
    // Posted, as a window-system request would be: the page's script finishes first.
    environment.minimiseMainWindow = [this] {
        QMetaObject::invokeMethod(this, &QWidget::showMinimized, Qt::QueuedConnection);
    };
    m_webHandler = new WebHandler(std::move(environment), this);
    m_webHandler->CreateBrowser(m_browserHost, QString::fromStdString(m_handler.InitialPageUrl()));
}

QWebEngineView* OrvantaDlg::HeldBrowser() const
{
    return m_webHandler != nullptr ? m_webHandler->GetBrowser() : nullptr;
}

void OrvantaDlg::ResizeBrowser()
{
    if (QWebEngineView* browser = HeldBrowser())
        browser->resize(m_browserHost->size());
}

void OrvantaDlg::OnTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    // A double click brings the window back; the mini window takes this part when it exists.
    if (reason == QSystemTrayIcon::DoubleClick)
        show();
}

void OrvantaDlg::ShowTrayMenu()
{
    activateWindow();
    QPoint cursor = QCursor::pos();
    m_trayMenu->exec(cursor - QPoint(m_trayMenu->sizeHint().width(), 0)); // right-aligned at the cursor
}

void OrvantaDlg::OnExitChosen()
{
    SavePlacement();
    done(1);
}

std::string OrvantaDlg::CloudDiskFolder()
{
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/OrvantaDisk";
}

void OrvantaDlg::OpenCloudDisk()
{
    StartDetached(CloudDiskFolder());
}

int OrvantaDlg::VpnState() const
{
    return State();
}

void OrvantaDlg::OnVpnStateChanged(int)
{
    // The mini window's VPN indicator follows the state here once the mini window exists.
}

int OrvantaDlg::RemoteState(const std::string&, const std::string&)
{
    AutoLock guard(m_windowLock);
    return 0; // no embedded remote desktop window exists yet
}

int OrvantaDlg::AppState(const std::string& ip)
{
    return GetAppState(ip.c_str());
}

void OrvantaDlg::HandleCommand(int code, const std::u16string& argument)
{
    ArgumentMap arguments = ParseArguments(TextCodec::Utf16ToAnsi(argument));
    int command = static_cast<int16_t>(code & 0xFFFF);
    if (command >= 1 && command <= 14)
        ExecuteCommand(arguments, command);
}

void OrvantaDlg::ExecuteCommand(const ArgumentMap& arguments, int code)
{
    std::optional<std::string> first = FirstValue(arguments);
    switch (static_cast<CommandCode>(code)) {
    case CommandCode::OpenVpn: {
        VpnRequest r = VpnRequest::FromArguments(arguments);
        StartVpn(r.entry, r.user, r.passwd, r.gateway);
        break;
    }
    case CommandCode::CreateDisk:
        ExternalPrograms::RunHidden(
            ExternalPrograms::ShareDiskCommandLine(ModuleDirectory(), DiskRequest::FromArguments(arguments)));
        break;
    case CommandCode::OpenApp: {
        OpenAppRequest r = OpenAppRequest::FromArguments(arguments);
        OnOpenApp(r.path.c_str(), r.ip.c_str(), r.user.c_str(), r.passwd.c_str(), r.size.c_str(), r.app.c_str(),
                  r.param.c_str(), r.depth.c_str(), r.clip.c_str(), r.drive.c_str(), r.printer.c_str(),
                  r.usb.c_str(), r.port);
        break;
    }
    case CommandCode::OpenUrl:
        if (first)
            OpenUrlExternally(*first);
        break;
    case CommandCode::Loginout:
        LogoutAll(true);
        break;
    case CommandCode::PrintFileReady:
        if (first)
            PrintFile(*first);
        break;
    case CommandCode::ExecuteFileReady:
        if (first)
            StartDetached(*first);
        break;
    case CommandCode::UpdateFileReady:
        if (first) {
            LogoutAll(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            StartDetached(*first);
        }
        break;
    case CommandCode::WebHomepage:
        if (first)
            m_homePage = TextCodec::AnsiToUtf16(*first);
        break;
    case CommandCode::WebApppage:
        if (first)
            m_handler.SetLoginAddress(TextCodec::AnsiToUtf16(*first));
        break;
    case CommandCode::SsoInfo: {
        AutoLock guard(m_windowLock);
        m_ssoEntries = arguments;
        break;
    }
    // Embedded sessions (4) join with their own part; 12 and 13 are accepted and change nothing.
    default:
        break;
    }
}

void OrvantaDlg::LogoutAll(bool)
{
    OnLoginout();
    StopVpn();
    AutoLock guard(m_windowLock);
    m_ssoEntries.clear();
}

std::map<std::string, std::string> OrvantaDlg::SsoEntries()
{
    AutoLock guard(m_windowLock);
    return m_ssoEntries;
}

void OrvantaDlg::OpenUrlExternally(const std::string& url)
{
    ExternalPrograms::RunHidden(
        ExternalPrograms::OpenUrlCommandLine(url, TextCodec::Utf16ToAnsi(m_handler.settings().NetApp)));
}

void OrvantaDlg::StartDetached(const std::string& path)
{
    ExternalPrograms::RunHidden(ExternalPrograms::StartDetachedCommandLine(path));
}

int OrvantaDlg::PrintFile(const std::string& path)
{
    std::string printer = TextCodec::Utf16ToAnsi(m_handler.settings().Printer);
    if (printer.empty())
        return 0;
    ExternalPrograms::RunHidden(ExternalPrograms::PrintCommandLine(ModuleDirectory(), path, printer));
    return 1;
}

void OrvantaDlg::PlaceWindows()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QSize workArea = screen != nullptr ? screen->availableGeometry().size() : QSize(1024, 768);
    Settings& s = m_handler.settings();
    bool defaults = WindowPlacement::ChoosePlacement(s, workArea);
    setGeometry(s.XPos, s.YPos, s.Width, s.Height);
    if (defaults)
        m_handler.SaveSettings();
    LayoutCaption();
}

void OrvantaDlg::SavePlacement()
{
    Settings& s = m_handler.settings();
    QRect frame = geometry();
    s.XPos = frame.x();
    s.YPos = frame.y();
    s.Width = frame.width();
    s.Height = frame.height();
    // The mini window's position is stored here too once it exists.
    m_handler.SaveSettings();
}

void OrvantaDlg::LayoutCaption()
{
    if (m_menuButton == nullptr)
        return;
    auto layout = WindowFrame::LayoutCaption(size(), m_menuButton->size(), m_ssoButton->size());
    m_menuButton->setGeometry(layout.menuButton);
    m_diskButton->setGeometry(layout.diskButton);
    m_ssoButton->setGeometry(layout.ssoButton);
    m_miniButton->setGeometry(layout.miniButton);
    m_browserHost->setGeometry(layout.browserHost);
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), 1.5, 1.5);
    setMask(QRegion(rounded.toFillPolygon().toPolygon()));
    update();
    ResizeBrowser();
}

void OrvantaDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRegion background = QRegion(rect()).subtracted(QRegion(m_browserHost->geometry()));
    painter.setClipRegion(background);
    painter.fillRect(rect(), CaptionIcons::kCaptionColour);
    painter.setClipping(false);

    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 1, width(), WindowFrame::kCaptionHeight), Qt::AlignCenter,
                     QStringLiteral("虚拟办公室"));
}

void OrvantaDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayoutCaption();
}

void OrvantaDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || windowHandle() == nullptr)
        return QDialog::mousePressEvent(event);
    QRect g = geometry();
    HitArea area = WindowFrame::HitTest(event->globalPosition().toPoint(), g.left(), g.top(), g.left() + g.width(),
                                        g.top() + g.height());
    if (area == HitArea::Caption)
        windowHandle()->startSystemMove();
    else if (area != HitArea::Client)
        windowHandle()->startSystemResize(EdgesOf(area));
    else
        QDialog::mousePressEvent(event);
}

void OrvantaDlg::mouseMoveEvent(QMouseEvent* event)
{
    QRect g = geometry();
    setCursor(CursorOf(WindowFrame::HitTest(event->globalPosition().toPoint(), g.left(), g.top(),
                                            g.left() + g.width(), g.top() + g.height())));
    QDialog::mouseMoveEvent(event);
}

void OrvantaDlg::keyPressEvent(QKeyEvent* event)
{
    // Neither Escape nor Enter ends the window.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
