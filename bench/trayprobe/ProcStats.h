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
    /// Times its threads were put on a processor (the sum of each thread's third
    /// schedstat field): each wake-up counts, and each return after a preemption.
    long long timeslices = 0;
    long rssKb = 0; ///< resident memory now (VmRSS)
    long hwmKb = 0; ///< peak resident memory so far (VmHWM)
};

/// The whole machine's processor time since boot, all cores together, in clock ticks,
/// from the "cpu" line that opens /proc/stat: busy is user, nice, system, irq, softirq
/// and steal; idle and iowait are not busy. (guest and guest_nice are already in user
/// and nice.)
struct MachineTimes {
    long long busy = 0;
    long long total = 0;
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

/// The times on a processor, the third field of a schedstat text.
std::optional<long long> timeslicesFromSchedstat(std::string_view schedstat);

/// The machine's times from the text of /proc/stat; nothing when it does not open
/// with a "cpu" line of at least four counters.
std::optional<MachineTimes> machineTimesFromStat(std::string_view stat);

/// The machine's times now; nothing where /proc/stat cannot be read.
std::optional<MachineTimes> sampleMachine();

/// The busy share of the machine between two samples, 0 to 1; nothing when no
/// time passed or the counters went back.
std::optional<double> busyShare(const MachineTimes& from, const MachineTimes& to);

/// The whole content of a small file, or nothing.
std::optional<std::string> readSmallFile(const std::string& path);

} // namespace glimmer::bench
