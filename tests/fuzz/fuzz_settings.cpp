// The config.xml reader: any bytes of at most 1024, and a written file must read back the same.
#include "app/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > SettingsFile::kMaxFileSize)
        return 0;
    Settings settings;
    SettingsFile::Read(std::string_view(reinterpret_cast<const char*>(data), size), settings);
    std::string written = SettingsFile::Write(settings);
    Settings reread;
    SettingsFile::Read(written, reread);
    // Values without markup characters must survive a write and a read.
    bool plain = true;
    for (const std::u16string* text : {&settings.NetLink, &settings.Printer, &settings.Drive, &settings.NetApp})
        plain = plain && text->find_first_of(u"<&") == std::u16string::npos && text->find(u'\0') == std::u16string::npos;
    if (plain && !(reread == settings))
        std::abort();
    return 0;
}
