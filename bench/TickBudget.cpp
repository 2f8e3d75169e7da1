#include "TickBudget.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <cstring>

#if GLIMMER_HAVE_CALLGRIND
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace glimmer::bench {

TickBudget TickBudget::fromArguments(int argc, char* argv[])
{
    for (int i = 1; i + 2 < argc; ++i) {
        if (std::strcmp(argv[i], "--profile") == 0)
            return {std::atoi(argv[i + 1]), std::atoi(argv[i + 2])};
    }
    return {0, 0};
}

void TickBudget::tick()
{
    ++ticks_;
    if (count_ <= 0)
        return;
    // The window opens after tick `from` has done its work, so what is counted is
    // the event loop's round trip from one tick to the next: the paint, the flush
    // to the X server, the wait and the next tick.
    if (ticks_ == from_)
        CALLGRIND_START_INSTRUMENTATION;
    if (ticks_ == from_ + count_) {
        CALLGRIND_STOP_INSTRUMENTATION;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

} // namespace glimmer::bench
