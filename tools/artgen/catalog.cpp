#include "catalog.h"

#include "file_icons.h"

#include <algorithm>

namespace glimmer::artgen {
namespace {

std::string twoDigits(std::size_t n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

struct Expected {
    const char* code;
    std::size_t frames;
};

constexpr Expected expected[] = {{"LL", 23}, {"FT", 42}, {"EY", 22},
                                 {"TV", 5},  {"CW", 10}, {"SW", 8}};

} // namespace

std::vector<Animation> trayAnimations()
{
    return {
        {"LL", "Lava Lamp", lavaLamp(), 4},
        {"FT", "Aquarium", aquarium(), 6},
        {"EY", "Busy Eyes", busyEyes(), 8},
        {"TV", "Fuzzy T.V", fuzzyTv(), 0},
        {"CW", "Cow", cow(), 0},
        {"SW", "Colour Wheel", colourWheel(), 0},
    };
}

std::vector<IconFile> iconFiles(const std::vector<Animation>& animations)
{
    std::vector<IconFile> files;
    for (const Animation& a : animations)
        for (std::size_t i = 0; i < a.frames.size(); ++i)
            files.push_back({"frames/" + a.code + "/" + twoDigits(i) + ".ico", a.frames[i]});
    for (const Animation& a : animations)
        files.push_back({"previews/" + a.code + ".ico", preview(a.frames.at(a.previewFrame))});
    const std::vector<Canvas> about = graduation();
    for (std::size_t i = 0; i < about.size(); ++i)
        files.push_back({"about/" + std::to_string(i) + ".ico", about[i]});
    const std::vector<Canvas> info = informationIcons();
    for (std::size_t i = 0; i < info.size(); ++i)
        files.push_back({"editor/info" + std::to_string(i) + ".ico", info[i]});
    const std::vector<Canvas> compile = compileIcons();
    for (std::size_t i = 0; i < compile.size(); ++i)
        files.push_back({"editor/compile" + std::to_string(i) + ".ico", compile[i]});
    return files;
}

std::vector<Strip> contactStrips(const std::vector<Animation>& animations)
{
    std::vector<Strip> strips;
    for (const Animation& a : animations)
        strips.push_back(
            {a.code + " " + a.caption + " (" + std::to_string(a.frames.size()) + " frames)",
             a.frames, 8});
    std::vector<Canvas> previews;
    for (const Animation& a : animations)
        previews.push_back(preview(a.frames.at(a.previewFrame)));
    strips.push_back({"Option previews", previews, 4});
    // The about box plays its frames starting from frame 1.
    std::vector<Canvas> about = graduation();
    std::rotate(about.begin(), about.begin() + 1, about.end());
    strips.push_back({"About box, as played: 1 2 3 4 0", about, 4});
    std::vector<Canvas> editor = informationIcons();
    for (const Canvas& c : compileIcons())
        editor.push_back(c);
    editor.push_back(appIcon());
    strips.push_back({"Editor pages: info 0-3, compile 0-2; application icon", editor, 8});
    std::vector<Canvas> files;
    for (const FileTypeIcon& icon : fileTypeIcons())
        files.push_back(icon.design);
    strips.push_back({"File types: animation (.gx), project (.rgx)", files, 8});
    return strips;
}

int pixelDifference(const Canvas& a, const Canvas& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y))
                ++n;
    return n;
}

std::vector<std::string> checkAnimations(const std::vector<Animation>& animations)
{
    std::vector<std::string> problems;
    if (animations.size() != std::size(expected))
        problems.push_back("there must be six animations");
    for (std::size_t s = 0; s < animations.size() && s < std::size(expected); ++s) {
        const Animation& a = animations[s];
        const std::vector<Canvas>& f = a.frames;
        if (a.code != expected[s].code || f.size() != expected[s].frames) {
            problems.push_back(a.code + ": wrong name or frame count");
            continue;
        }
        int biggestStep = 0;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const Canvas& c = f[i];
            const std::string where = a.code + " frame " + twoDigits(i);
            if (c.width() != 16 || c.height() != 16) {
                problems.push_back(where + " is not 16x16");
                continue;
            }
            bool clear = false;
            bool opaque = false;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    (c.at(x, y) == Clear ? clear : opaque) = true;
            if (!clear || !opaque)
                problems.push_back(where + " needs transparent and opaque pixels");
            const Canvas& next = f[(i + 1) % f.size()];
            const int step = pixelDifference(c, next);
            if (step == 0)
                problems.push_back(where + " is the same as the frame after it");
            if (i + 1 < f.size())
                biggestStep = std::max(biggestStep, step);
            else if (step > biggestStep)
                problems.push_back(a.code + ": the step from the last frame to the first is " +
                                   std::to_string(step) + " pixels, more than any other (" +
                                   std::to_string(biggestStep) + ")");
        }
    }
    return problems;
}

} // namespace glimmer::artgen
