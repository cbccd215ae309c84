#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Command lines are built as one text, as the portal contract describes them, and split into the
// program's arguments by the Windows rules; no shell ever sees them.

// Looks up an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process environment.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// Replaces every %NAME% whose variable is set by its value; a reference to an unset variable, and a "%"
// without a closing one, stay as they are.
std::string ExpandEnvironmentReferences(std::string_view text,
                                        const EnvironmentLookup& lookup = ProcessEnvironment);

// Splits a command line as the Windows shell's CommandLineToArgvW does:
// - the program name ends at the first blank, or when it starts with a quote, at the next quote;
// - other arguments end at blanks outside quotes; quotes group and are removed;
// - 2n backslashes before a quote give n backslashes and the quote acts; 2n+1 give n and a literal quote;
// - other backslashes are literal; "" inside quotes gives a literal quote and ends the quoted part.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
