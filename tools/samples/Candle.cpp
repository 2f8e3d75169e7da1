// Candle: a red candle on a brass holder whose flame flickers and leans in a draught.

#include "Samples.h"

namespace glimmer::samples {

namespace {

const Picture16 kCandle = Picture16::fromRows({
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    ".......d........",
    "......rrrr......",
    "......rrrrm.....",
    "......rrrm......",
    "......rrrm......",
    "......rrrm......",
    "......rrrm......",
    "...oyyyyyyyyoo..",
    "....oooooooo....",
});

// Flames, drawn above the wick at column 7.
const Picture16 kStill = Picture16::fromRows({
    "",
    ".......r........",
    "......ryr.......",
    "......ryr.......",
    ".....rywyr......",
    ".....rywyr......",
    "......ryr.......",
});

const Picture16 kTall = Picture16::fromRows({
    ".......r........",
    ".......y........",
    "......ryr.......",
    "......rwr.......",
    ".....rywyr......",
    ".....rywyr......",
    "......ryr.......",
});

const Picture16 kLeft = Picture16::fromRows({
    "",
    "......r.........",
    ".....ryr........",
    ".....ryyr.......",
    ".....rywyr......",
    ".....rywyr......",
    "......ryr.......",
});

const Picture16 kRight = Picture16::fromRows({
    "",
    "........r.......",
    ".......ryr......",
    "......ryyr......",
    ".....rywyr......",
    ".....rywyr......",
    "......ryr.......",
});

const Picture16 kLow = Picture16::fromRows({
    "",
    "",
    "",
    ".......r........",
    "......ryr.......",
    ".....rywyr......",
    "......ryr.......",
});

Picture16 lit(const Picture16& flame)
{
    Picture16 frame = kCandle;
    frame.stamp(flame, 0, 0);
    return frame;
}

} // namespace

SampleAnimation candle()
{
    return {"Candle",
            "Candle",
            "candle",
            7,
            {lit(kStill), lit(kTall), lit(kStill), lit(kLeft), lit(kStill), lit(kRight),
             lit(kStill), lit(kLow), lit(kTall), lit(kLeft)}};
}

} // namespace glimmer::samples
