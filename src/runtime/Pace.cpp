#include "runtime/Pace.h"

#include <algorithm>
#include <cmath>

namespace glimmer {

void Pace::add(double load)
{
    load = std::clamp(load, 0.0, 1.0);
    if (!load_) {
        load_ = load;
        return;
    }
    static const double step = 1.0 - std::exp(-kSampleSeconds / kTimeConstantSeconds);
    *load_ += step * (load - *load_);
}

std::optional<int> Pace::percent() const
{
    if (!load_)
        return std::nullopt;
    return static_cast<int>(std::lround(*load_ * 100.0));
}

std::optional<int> Pace::interval(int chosen) const
{
    if (!load_)
        return chosen;
    if (*percent() < kRestBelowPercent)
        return std::nullopt;
    const double paced = std::min(chosen / *load_, static_cast<double>(kSlowestInterval));
    return std::max(chosen, static_cast<int>(std::lround(paced)));
}

std::int64_t Pace::nextFrameDue(std::optional<std::int64_t> lastDue, std::int64_t now, int paced)
{
    const std::int64_t due = lastDue ? *lastDue + paced : now + paced;
    return due < now ? now + paced : due;
}

} // namespace glimmer
