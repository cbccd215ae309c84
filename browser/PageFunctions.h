#pragma once

#include <optional>
#include <string>
#include <string_view>

// The global functions every page of the embedded browser gets, and the one message a page sends back
// to the program through them.
//
// Pages run in the engine's renderer processes, which share nothing with the program; what reaches
// the program from a page is its console output. A page function that has something to say writes one
// console line made of a marker, a token that is new for every run of the program, and the message
// name. Only lines with this run's token are messages.
namespace PageFunctions {

inline constexpr const char* kMinimiseMessage = "jsMinBrowser";

// The fifteen names, in the order they are installed.
inline constexpr const char* kNames[] = {
    "JsOpenUsbRlf", "JsCloseUsbRlf", "JsSetClipboard", "JsGetClipboard",   "JsUseUsb",
    "JsUsePrinter", "JsCreateShareDisk", "JsQuitLogin", "JsGetVersion",    "JsOpenApp",
    "JsOpenAppDirect", "JsOpenVPN",  "JsOpenExplorer", "jsMinBrowser",     "JsQueryEnv",
};

// A fresh token for this run (hex text).
std::string NewMessageToken();

// The script that installs the functions as plain (writable, enumerable, deletable) properties of the
// page's window: JsQueryEnv answers "Embed", jsMinBrowser sends its message, the others do nothing; all
// return undefined otherwise and ignore their arguments.
std::string InstallScript(const std::string& token);

// The message name carried by a console line, or nothing when the line is not a message of this run.
std::optional<std::string> MessageName(std::string_view consoleLine, const std::string& token);

} // namespace PageFunctions
