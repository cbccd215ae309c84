#include "AdapterMetric.h"

#include "common/DecimalNumber.h"

namespace AdapterMetric {

std::optional<int> MetricFromArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return 1;
    return ParseDecimal32(arguments[0]);
}

std::optional<std::string> FindVpnAdapter(const std::vector<platform::NetworkAdapter>& adapters)
{
    for (const auto& adapter : adapters)
        if (adapter.description == kAdapterDescription)
            return adapter.name;
    return std::nullopt;
}

std::string UpdateMetricCommandLine(const std::string& folder, const std::string& adapter, int metric)
{
    return "\"" + folder + "/updateMetric.sh\" \"" + adapter + "\" " + std::to_string(metric);
}

} // namespace AdapterMetric
