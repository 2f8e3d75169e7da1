#include "platform/ProcStatLoadMeter.h"

#include <array>
#include <charconv>
#include <utility>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace glimmer {

std::optional<CpuTimes> parseCpuTimes(std::string_view text)
{
    if (text.substr(0, 4) != "cpu " && text.substr(0, 4) != "cpu\t")
        return std::nullopt;
    text.remove_prefix(3);
    const std::string_view line = text.substr(0, text.find('\n'));
    // user nice system idle iowait irq softirq steal; guest and guest_nice are
    // already counted in user and nice, so they are not added again.
    std::array<std::uint64_t, 8> counters{};
    std::size_t count = 0;
    const char* at = line.data();
    const char* const end = line.data() + line.size();
    while (count < counters.size()) {
        while (at < end && (*at == ' ' || *at == '\t'))
            ++at;
        if (at == end)
            break;
        const auto [next, error] = std::from_chars(at, end, counters[count]);
        if (error != std::errc())
            return std::nullopt;
        at = next;
        ++count;
    }
    if (count < 4)
        return std::nullopt;
    CpuTimes times;
    times.idle = counters[3] + counters[4];
    for (const std::size_t i : {0u, 1u, 2u, 5u, 6u, 7u})
        times.busy += counters[i];
    return times;
}

ProcStatLoadMeter::ProcStatLoadMeter(std::string path) : path_(std::move(path))
{
    previous_ = read();
    available_ = previous_.has_value();
}

std::optional<CpuTimes> ProcStatLoadMeter::read() const
{
#if defined(__unix__)
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    // The first line is all that is needed; the kernel fills this much at once.
    std::array<char, 512> buffer{};
    const auto got = ::read(fd, buffer.data(), buffer.size());
    ::close(fd);
    if (got <= 0)
        return std::nullopt;
    return parseCpuTimes(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
#else
    return std::nullopt;
#endif
}

std::optional<double> ProcStatLoadMeter::sample()
{
    const std::optional<CpuTimes> now = read();
    if (!now)
        return std::nullopt;
    const std::optional<CpuTimes> before = std::exchange(previous_, now);
    if (!before || now->busy < before->busy || now->idle < before->idle)
        return std::nullopt;
    const std::uint64_t busy = now->busy - before->busy;
    const std::uint64_t total = busy + (now->idle - before->idle);
    if (total == 0)
        return std::nullopt;
    return static_cast<double>(busy) / static_cast<double>(total);
}

} // namespace glimmer
