#pragma once

#include <string>
#include <vector>

// What a start of the program is for. The browser engine starts the program again as its helper
// processes with a "type" switch; only a start without it is the browser process that runs the client.
enum class ProcessKind { Browser, Renderer, OtherSubProcess };

// Decides from the command line (arguments after the program name). Switches are "--name",
// "--name=value" or "-name=value"; "--" ends the switches.
ProcessKind ProcessKindFromArguments(const std::vector<std::string>& arguments);
