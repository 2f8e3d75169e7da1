#pragma once

namespace glimmer::bench {

/// The ticks a profiling run looks at: the instruction counter runs from tick
/// `from` to tick `from + count` only, so start-up and shutdown stay out of the
/// figures, and then the application ends. Outside valgrind only the count and the
/// end remain. A budget of `count` 0 never ends anything.
class TickBudget final {
public:
    TickBudget(int from, int count) : from_(from), count_(count) {}

    /// Reads "--profile FROM COUNT" from the command line; no budget without it.
    static TickBudget fromArguments(int argc, char* argv[]);

    /// Called once per tick, after the tick's own work.
    void tick();

    int ticks() const { return ticks_; }

private:
    int from_ = 0;
    int count_ = 0;
    int ticks_ = 0;
};

} // namespace glimmer::bench
