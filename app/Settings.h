#pragma once

#include <cstdint>
#include <string>

// The program's persistent settings, as config.xml holds them.
struct Settings
{
    int32_t XPos = 0;
    int32_t YPos = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t MinXPos = 0;
    int32_t MinYPos = 0;
    std::u16string NetLink;  // the portal's address
    std::u16string Printer;  // printer for remote print jobs; empty: they are not printed
    std::u16string Drive;    // carried along, not used
    std::u16string NetApp;   // browser program for opened URLs; empty: the user's default handler
    int32_t UseOrvBrowser = 0; // carried along, not used

    bool operator==(const Settings&) const = default;
};
