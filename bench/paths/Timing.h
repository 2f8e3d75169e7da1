#pragma once

#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

namespace glimmer::bench {

/// Wall-clock times of repeated runs of one path, in milliseconds.
struct Timing {
    double medianMs = 0;
    double meanMs = 0;
    double p99Ms = 0; ///< 99 of 100 runs took this long or less
    int runs = 0;
};

/// Times `runs` calls of `run`, one by one, after `warmUp` untimed calls (first
/// use of a file, a plugin, a cache is not what a user meets on every call).
template <typename Run> Timing timeRuns(int warmUp, int runs, Run&& run)
{
    for (int i = 0; i < warmUp; ++i)
        run();
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    Timing timing;
    timing.runs = runs;
    if (times.empty())
        return timing;
    timing.meanMs = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(runs);
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    timing.medianMs = *middle;
    const auto high = times.begin() + static_cast<std::ptrdiff_t>((times.size() * 99 - 1) / 100);
    std::nth_element(times.begin(), high, times.end());
    timing.p99Ms = *high;
    return timing;
}

} // namespace glimmer::bench
