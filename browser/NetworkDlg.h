#pragma once

#include <QDialog>
#include <QFutureWatcher>

#include <optional>
#include <string>

class CLabel;
class CPictureEx;
class CXEditPrompt;
class QPushButton;

// The login-address dialog: it takes a portal address only after the portal answered its test file
// with the test text. A bare host name is tried with "https://" first and then with "http://".
class NetworkDlg : public QDialog
{
    Q_OBJECT
public:
    explicit NetworkDlg(QWidget* parent = nullptr);
    ~NetworkDlg() override;

    // The address: set before the dialog runs, read after it ended with OK.
    void SetAddress(const QString& address);
    QString Address() const { return m_address; }

    // Starts the test of the edit's text (the OK button does this instead of closing the dialog).
    void StartTest();
    bool Testing() const;

    static constexpr const char* kPrompt = "< 请输入访问地址 >";
    static constexpr const char* kConnecting = "正在连接...";
    static constexpr const char* kFailed = "网络连接失败,请检查地址是否正确";

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnTestResult(const std::optional<std::string>& passedAddress);

    CXEditPrompt* m_edit = nullptr;      // 1009
    CPictureEx* m_animation = nullptr;   // 1010
    CLabel* m_status = nullptr;          // 1011
    QPushButton* m_ok = nullptr;         // 1
    QString m_address;
    // The test runs on a worker; the result comes back on this dialog's thread, or is dropped with it.
    QFutureWatcher<std::optional<std::string>> m_test;
};
