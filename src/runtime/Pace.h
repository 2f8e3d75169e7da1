#pragma once

#include <cstdint>
#include <optional>

namespace glimmer {

/// The pace that follows the processor load: the chosen interval is the pace at full
/// load, and the animation slows as the load falls, down to a rest when the machine
/// is idle.
///
/// The load is sampled once a second and smoothed exponentially with a time constant
/// of two seconds (each sample moves the smoothed load 1 - e^(-1/2), about 39 %, of
/// the way to the new one), so a one-second spike moves the pace only part of the
/// way and a lasting change settles within a few seconds.
class Pace final {
public:
    /// Below this load in whole percent, as the tooltip shows it, the animation rests:
    /// the tooltip never says "CPU 5%" over a resting icon.
    static constexpr int kRestBelowPercent = 5;
    static constexpr int kSlowestInterval = 2000; ///< the longest interval, milliseconds
    static constexpr double kTimeConstantSeconds = 2.0;
    static constexpr double kSampleSeconds = 1.0;

    /// Forgets every sample: the pace is the chosen one until the next.
    void reset() { load_.reset(); }
    /// Takes one sample of the load (0..1, clamped); the first is taken as it is.
    void add(double load);

    /// The smoothed load; nothing before the first sample.
    std::optional<double> load() const { return load_; }
    /// The smoothed load in whole percent, rounded; nothing before the first sample.
    std::optional<int> percent() const;

    /// The interval for a chosen interval at the smoothed load: chosen / load, at most
    /// kSlowestInterval; the chosen one before the first sample. Nothing while the
    /// animation rests.
    std::optional<int> interval(int chosen) const;

    /// When the next frame is due, for a frame `paced` milliseconds after the last one
    /// was due (`lastDue`, nothing for the first frame), at time `now`: counted from when
    /// the last was due rather than from now, so the time a tick waits and takes does not
    /// add up frame after frame; a clock that fell a whole frame behind counts afresh
    /// from now.
    static std::int64_t nextFrameDue(std::optional<std::int64_t> lastDue, std::int64_t now,
                                     int paced);

private:
    std::optional<double> load_;
};

} // namespace glimmer
