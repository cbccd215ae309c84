#pragma once

#include "platform/NetworkAdapters.h"

#include <optional>
#include <string>
#include <vector>

// The VPN adapter tool's pieces: which adapter, which metric, and the script's command line.
namespace AdapterMetric {

inline constexpr const char* kAdapterDescription = "Orvanta_SSL_VPN_Adapter";

// The metric argument: 1 when absent; nothing (stop) without digits or outside the 32-bit range.
std::optional<int> MetricFromArguments(const std::vector<std::string>& arguments);

// The first adapter whose description is exactly the VPN adapter's, or nothing.
std::optional<std::string> FindVpnAdapter(const std::vector<platform::NetworkAdapter>& adapters);

// "folder/updateMetric.sh" "name" metric
std::string UpdateMetricCommandLine(const std::string& folder, const std::string& adapter, int metric);

} // namespace AdapterMetric
