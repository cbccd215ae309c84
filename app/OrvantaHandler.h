#pragma once

#include "Settings.h"

#include <mutex>
#include <string>

// The settings record of the process and the operations on config.xml beside the program. The portal
// address is read by the browser while the main window may replace it, so it goes through a lock.
class OrvantaHandler
{
public:
    OrvantaHandler() = default;

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }

    // host folder + "/config.xml"
    static std::string SettingsPath();

    void LoadSettings();
    void SaveSettings();
    void SetLoginAddress(const std::u16string& address);
    std::string ReadLoginAddressUtf8() const;
    // The browser's first page: the splash page that forwards to the portal, or the failure page when
    // there is no portal address.
    std::string InitialPageUrl() const;

private:
    Settings m_settings;
    mutable std::mutex m_addressLock;
};
