// Heartbeat: a red heart that beats twice, lub-dub, and rests. At the default speed
// (100 ms a frame) the eight frames make 75 beats a minute.

#include "Samples.h"

namespace glimmer::samples {

namespace {

const Picture16 kRest = Picture16::fromRows({
    "",
    "",
    "",
    "...mmm....mmm...",
    "..mrrrm..mrrrm..",
    ".mrwwrrmmrrrrrm.",
    ".mrwrrrrrrrrrrm.",
    ".mrrrrrrrrrrrrm.",
    "..mrrrrrrrrrrm..",
    "...mrrrrrrrrm...",
    "....mrrrrrrm....",
    ".....mrrrrm.....",
    "......mrrm......",
    ".......mm.......",
    "",
    "",
});

const Picture16 kBeat = Picture16::fromRows({
    "",
    "..mmmm....mmmm..",
    ".mrrrrm..mrrrrm.",
    "mrwwrrrmmrrrrrrm",
    "mrwrrrrrrrrrrrrm",
    "mrwrrrrrrrrrrrrm",
    "mrrrrrrrrrrrrrrm",
    "mrrrrrrrrrrrrrrm",
    ".mrrrrrrrrrrrrm.",
    "..mrrrrrrrrrrm..",
    "...mrrrrrrrrm...",
    "....mrrrrrrm....",
    ".....mrrrrm.....",
    "......mrrm......",
    ".......mm.......",
    "",
});

const Picture16 kSmall = Picture16::fromRows({
    "",
    "",
    "",
    "",
    "....mm....mm....",
    "...mrrm..mrrm...",
    "..mrwrrmmrrrrm..",
    "..mrwrrrrrrrrm..",
    "..mrrrrrrrrrrm..",
    "...mrrrrrrrrm...",
    "....mrrrrrrm....",
    ".....mrrrrm.....",
    "......mrrm......",
    ".......mm.......",
    "",
    "",
});

} // namespace

SampleAnimation heartbeat()
{
    return {"Heartbeat",
            "Heartbeat",
            "heart",
            8,
            {kBeat, kRest, kBeat, kRest, kSmall, kSmall, kRest, kRest}};
}

} // namespace glimmer::samples
