#pragma once

#include <string>

// The host folder: the folder of the running program file, without a trailing "/". Everything the
// program uses besides itself (config.xml, Data/, cache/, the helper programs) lies below it.
std::string ModuleDirectory();

// Tests point the program at a folder of their own.
void SetModuleDirectoryForTesting(const std::string& folder);
