// OrvVpnAdapterInfo [METRIC]: hands the SSL VPN adapter's name and the metric (1 when not given) to
// updateMetric.sh beside this program. Prints nothing and always exits with 0.
#include "AdapterMetric.h"
#include "common/CommandLine.h"
#include "platform/Process.h"
#include "platform/ProgramFile.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::optional<int> metric = AdapterMetric::MetricFromArguments(arguments);
    if (!metric)
        return 0;
    std::optional<std::string> adapter = AdapterMetric::FindVpnAdapter(platform::NetworkAdapters());
    if (!adapter)
        return 0;
    std::string program = platform::RunningProgramPath();
    std::string folder = program.substr(0, program.rfind('/'));
    platform::StartProcess(SplitCommandLine(AdapterMetric::UpdateMetricCommandLine(folder, *adapter, *metric)));
    return 0; // the script runs on without us
}
