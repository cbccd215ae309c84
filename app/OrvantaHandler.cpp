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
    m_settings.NetLink = address;
    SaveSettings();
}

std::string OrvantaHandler::ReadLoginAddressUtf8() const
{
    return TextCodec::Utf16ToUtf8(m_settings.NetLink);
}
