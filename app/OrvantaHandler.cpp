#include "OrvantaHandler.h"

#include "SettingsFile.h"
#include "common/HostFolder.h"
#include "common/TextCodec.h"

std::string OrvantaHandler::SettingsPath()
{
    return ModuleDirectory() + "/config.xml";
}

void OrvantaHandler::LoadSettings()
{
    SettingsFile::Load(SettingsPath(), m_settings);
}

void OrvantaHandler::SaveSettings()
{
    SettingsFile::Save(SettingsPath(), m_settings); // a failed write is silent
}

void OrvantaHandler::SetLoginAddress(const std::u16string& address)
{
    {
        std::lock_guard<std::mutex> guard(m_addressLock);
        m_settings.NetLink = address;
    }
    SaveSettings();
}

std::string OrvantaHandler::ReadLoginAddressUtf8() const
{
    std::lock_guard<std::mutex> guard(m_addressLock);
    return TextCodec::Utf16ToUtf8(m_settings.NetLink);
}

std::string OrvantaHandler::InitialPageUrl() const
{
    return ReadLoginAddressUtf8().empty() ? "kepnar://client/failed.html" : "kepnar://client/Splash.html";
}
