#pragma once

#include "Settings.h"

#include <string>

// The settings record of the process and the operations on config.xml beside the program. The browser
// engine's application object joins it when the embedded browser arrives.
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

private:
    Settings m_settings;
};
