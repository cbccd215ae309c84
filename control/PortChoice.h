#pragma once

#include "platform/TcpTable.h"

#include <vector>

// The ports the control server may use, in order of preference.
inline constexpr int kCandidatePorts[] = {21010, 21011, 21012, 21013, 21014};

// The candidates minus those that a row shows listening on 127.0.0.1 exactly; listeners on other
// addresses (0.0.0.0 included) do not remove a candidate.
std::vector<int> FindFreePort(const std::vector<platform::TcpTableRow>& rows);

// The same over the machine's TCP table; all candidates when the table cannot be read.
std::vector<int> FindFreePort();
