#include "ProcStats.h"

#include <charconv>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace glimmer::bench {

namespace {

std::optional<long long> numberAt(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::string> readSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::optional<long long> cpuTicksFromStat(std::string_view stat)
{
    const auto close = stat.rfind(')');
    if (close == std::string_view::npos)
        return std::nullopt;
    // After the name: state (field 3) ... utime (field 14), stime (field 15).
    std::string_view rest = stat.substr(close + 1);
    long long ticks = 0;
    for (int field = 3; field <= 15; ++field) {
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (rest.empty())
            return std::nullopt;
        const auto space = rest.find(' ');
        const std::string_view value = rest.substr(0, space);
        if (field >= 14) {
            const auto number = numberAt(value);
            if (!number)
                return std::nullopt;
            ticks += *number;
        }
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space);
    }
    return ticks;
}

std::optional<long> statusKb(std::string_view status, std::string_view key)
{
    std::size_t at = 0;
    while (at < status.size()) {
        const auto end = status.find('\n', at);
        const std::string_view line =
            status.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (line.substr(0, key.size()) == key) {
            const auto number = numberAt(line.substr(key.size()));
            if (!number)
                return std::nullopt;
            return static_cast<long>(*number);
        }
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<long long> runTimeFromSchedstat(std::string_view schedstat)
{
    return numberAt(schedstat);
}

std::optional<long long> timeslicesFromSchedstat(std::string_view schedstat)
{
    for (int field = 1; field < 3; ++field) {
        while (!schedstat.empty() && schedstat.front() == ' ')
            schedstat.remove_prefix(1);
        const auto space = schedstat.find(' ');
        if (space == std::string_view::npos)
            return std::nullopt;
        schedstat.remove_prefix(space);
    }
    return numberAt(schedstat);
}

std::optional<MachineTimes> machineTimesFromStat(std::string_view stat)
{
    if (stat.substr(0, 4) != "cpu " && stat.substr(0, 4) != "cpu\t")
        return std::nullopt;
    std::string_view line = stat.substr(3, stat.find('\n') - 3);
    // user nice system idle iowait irq softirq steal
    long long counters[8] = {};
    int count = 0;
    while (count < 8) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty())
            break;
        const auto number = numberAt(line);
        if (!number || *number < 0)
            return std::nullopt;
        counters[count++] = *number;
        const auto space = line.find_first_of(" \t");
        line = space == std::string_view::npos ? std::string_view() : line.substr(space);
    }
    if (count < 4)
        return std::nullopt;
    MachineTimes times;
    for (int i = 0; i < count; ++i) {
        times.total += counters[i];
        if (i != 3 && i != 4)
            times.busy += counters[i];
    }
    return times;
}

std::optional<MachineTimes> sampleMachine()
{
    const auto stat = readSmallFile("/proc/stat");
    return stat ? machineTimesFromStat(*stat) : std::nullopt;
}

std::optional<double> busyShare(const MachineTimes& from, const MachineTimes& to)
{
    const long long total = to.total - from.total;
    const long long busy = to.busy - from.busy;
    if (total <= 0 || busy < 0 || busy > total)
        return std::nullopt;
    return static_cast<double>(busy) / static_cast<double>(total);
}

std::optional<ProcessSample> sampleProcess(pid_t pid)
{
    const std::string base = "/proc/" + std::to_string(pid);
    const auto stat = readSmallFile(base + "/stat");
    const auto status = readSmallFile(base + "/status");
    if (!stat || !status)
        return std::nullopt;

    ProcessSample sample;
    const auto ticks = cpuTicksFromStat(*stat);
    sample.cpuTickSeconds =
        ticks ? static_cast<double>(*ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)) : 0;
    sample.rssKb = statusKb(*status, "VmRSS:").value_or(0);
    sample.hwmKb = statusKb(*status, "VmHWM:").value_or(0);

    long long nanos = 0;
    const std::unique_ptr<DIR, int (*)(DIR*)> tasks(opendir((base + "/task").c_str()), closedir);
    if (!tasks)
        return std::nullopt;
    while (const dirent* entry = readdir(tasks.get())) {
        if (entry->d_name[0] == '.')
            continue;
        const auto text = readSmallFile(base + "/task/" + entry->d_name + "/schedstat");
        if (const auto runTime = text ? runTimeFromSchedstat(*text) : std::nullopt)
            nanos += *runTime;
        if (const auto slices = text ? timeslicesFromSchedstat(*text) : std::nullopt)
            sample.timeslices += *slices;
    }
    sample.cpuSeconds = static_cast<double>(nanos) / 1e9;
    return sample;
}

} // namespace glimmer::bench
