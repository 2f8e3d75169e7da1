#pragma once

#include <optional>

namespace glimmer {

/// The processor load of the whole machine, all cores together.
class LoadMeter {
public:
    virtual ~LoadMeter() = default;

    /// Whether this system tells its load at all.
    virtual bool available() const = 0;

    /// The share of processor time spent busy since the previous call, from 0 to 1
    /// (time waiting for input or output counts as idle). Nothing on the first call,
    /// when the load cannot be read, or when no time has passed.
    virtual std::optional<double> sample() = 0;
};

} // namespace glimmer
