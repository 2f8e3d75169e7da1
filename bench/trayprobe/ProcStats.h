#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace glimmer::bench {

/// What /proc tells about a running process at one moment.
struct ProcessSample {
    /// Processor time of all its threads, in seconds, to the nanosecond
    /// (the sum of each thread's schedstat run time).
    double cpuSeconds = 0;
    /// The same from utime + stime of /proc/PID/stat: what a processor graph shows,
    /// in clock ticks of 1/CLK_TCK seconds, dead threads included.
    double cpuTickSeconds = 0;
    long rssKb = 0; ///< resident memory now (VmRSS)
    long hwmKb = 0; ///< peak resident memory so far (VmHWM)
};

/// Reads the sample of process `pid`; nothing when the process is gone.
std::optional<ProcessSample> sampleProcess(pid_t pid);

/// utime + stime, in clock ticks, from the text of /proc/PID/stat. The command
/// name in parentheses may hold spaces and parentheses itself, so the fields are
/// counted from the last ')'. Nothing when the text is not of that form.
std::optional<long long> cpuTicksFromStat(std::string_view stat);

/// The number in kB of line `key` ("VmRSS:") of /proc/PID/status; nothing when
/// the line is missing.
std::optional<long> statusKb(std::string_view status, std::string_view key);

/// The run time in nanoseconds, the first field of a schedstat text.
std::optional<long long> runTimeFromSchedstat(std::string_view schedstat);

/// The whole content of a small file, or nothing.
std::optional<std::string> readSmallFile(const std::string& path);

} // namespace glimmer::bench
