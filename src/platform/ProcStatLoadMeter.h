#pragma once

#include "platform/LoadMeter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glimmer {

/// The processor's time since boot, in clock ticks, as the first line of Linux's
/// /proc/stat gives it ("cpu  user nice system idle iowait irq softirq steal ...").
struct CpuTimes {
    std::uint64_t busy = 0; ///< everything but idle and iowait
    std::uint64_t idle = 0; ///< idle and iowait
};

/// Reads the "cpu" line at the start of /proc/stat's text; nothing when `text` does
/// not start with one holding at least the four first counters.
std::optional<CpuTimes> parseCpuTimes(std::string_view text);

/// The load as Linux tells it in /proc/stat (a file the kernel makes on each read;
/// reading its first line costs a few microseconds). Not available where the file
/// cannot be read: another system, or a sandbox without /proc.
class ProcStatLoadMeter final : public LoadMeter {
public:
    /// `path` is for tests; the program reads the system's own file.
    explicit ProcStatLoadMeter(std::string path = "/proc/stat");

    bool available() const override { return available_; }
    std::optional<double> sample() override;

private:
    std::optional<CpuTimes> read() const;

    std::string path_;
    bool available_ = false;
    std::optional<CpuTimes> previous_;
};

} // namespace glimmer
