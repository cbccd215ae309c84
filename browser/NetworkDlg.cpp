#include "NetworkDlg.h"

#include "CLabel.h"
#include "CPictureEx.h"
#include "CXEditPrompt.h"
#include "DialogUnits.h"
#include "PortalCheck.h"
#include "SchemeContent.h"
#include "common/TextCodec.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

NetworkDlg::NetworkDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Orvanta沙盒登录地址"));
    setWindowIcon(QApplication::windowIcon());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    DialogUnits units(dialogFont);
    setFixedSize(units.ToPixels(280, 93));

    m_ok = new QPushButton(QStringLiteral("确    定"), this);
    m_ok->setGeometry(units.ToPixels(115, 72, 50, 14));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &NetworkDlg::StartTest);

    m_edit = new CXEditPrompt(this);
    m_edit->setGeometry(units.ToPixels(7, 21, 267, 14));
    m_edit->SetPromptText(QString::fromUtf8(kPrompt));
    m_edit->setPlaceholderText(QString::fromUtf8(kPrompt));

    m_status = new CLabel(this);
    m_status->setGeometry(units.ToPixels(7, 46, 266, 13));

    m_animation = new CPictureEx(this);
    m_animation->move(units.ToPixels(102, 7, 75, 60).topLeft());
    m_animation->Load(QByteArray::fromStdString(SchemeContent::LoadingAnimation()));
    m_animation->hide();

    connect(&m_test, &QFutureWatcher<std::optional<std::string>>::finished, this,
            [this] { OnTestResult(m_test.result()); });
}

NetworkDlg::~NetworkDlg()
{
    // A test still running finishes on its worker; its result has nobody to go to and is dropped.
    m_test.disconnect();
}

void NetworkDlg::SetAddress(const QString& address)
{
    m_address = address;
    if (!address.isEmpty())
        m_edit->SetWindowText(address);
}

void NetworkDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

bool NetworkDlg::Testing() const
{
    return m_test.isRunning();
}

void NetworkDlg::StartTest()
{
    if (Testing())
        return;
    m_address = m_edit->WindowText();
    m_status->SetTextColor(QColor(0, 0, 0)).SetText(QString::fromUtf8(kConnecting));
    m_ok->setEnabled(false);
    m_edit->setEnabled(false);
    m_animation->show();
    m_animation->Draw();
    // The address goes to the network in the locale's character set.
    std::string address = TextCodec::Utf16ToAnsi(m_address.toStdU16String());
    m_test.setFuture(QtConcurrent::run([address] { return PortalCheck::CheckAddress(address); }));
}

void NetworkDlg::OnTestResult(const std::optional<std::string>& passedAddress)
{
    if (passedAddress) {
        m_address = QString::fromStdU16String(TextCodec::AnsiToUtf16(*passedAddress));
        accept();
        return;
    }
    m_animation->Stop();
    m_animation->hide();
    m_ok->setEnabled(true);
    m_edit->setEnabled(true);
    m_status->SetTextColor(QColor(255, 0, 0)).SetText(QString::fromUtf8(kFailed));
}
