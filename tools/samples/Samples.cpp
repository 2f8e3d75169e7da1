#include "Samples.h"

#include "formats/compiled_file.h"
#include "formats/raw_file.h"

#include <cstdio>
#include <stdexcept>

namespace glimmer::samples {

std::vector<SampleAnimation> sampleAnimations()
{
    return {snowfall(), heartbeat(), candle()};
}

std::string iconFilePath(const SampleAnimation& animation, int frame1Based)
{
    char number[8];
    std::snprintf(number, sizeof number, "%02d", frame1Based);
    return animation.name + "/" + animation.stem + number + ".ico";
}

std::string rawFilePath(const SampleAnimation& animation)
{
    return animation.name + "/" + animation.name + ".rgx";
}

std::string compiledFilePath(const SampleAnimation& animation)
{
    return animation.name + ".gx";
}

std::vector<SampleFile> sampleFiles()
{
    std::vector<SampleFile> files;
    for (const SampleAnimation& animation : sampleAnimations()) {
        const auto count = static_cast<int>(animation.frames.size());
        std::vector<std::string> icons;
        formats::RawAnimation raw;
        raw.title = animation.title;
        raw.speed = std::to_string(animation.speed);
        raw.frameCount = std::to_string(count);
        for (int i = 1; i <= count; ++i) {
            icons.push_back(encodeIco(animation.frames[static_cast<std::size_t>(i - 1)]));
            const std::string path = iconFilePath(animation, i);
            raw.paths.push_back(std::string(kSamplesFolder) + "/" + path);
            files.push_back({path, icons.back()});
        }
        raw.iconSize = std::to_string(icons.front().size());

        const formats::RawWriteResult rawFile = formats::encodeRaw(raw);
        if (rawFile.error != formats::RawWriteError::None)
            throw std::logic_error("sample " + animation.name + ": raw file cannot be written");
        files.push_back({rawFilePath(animation), rawFile.bytes});

        formats::CompiledHeader header;
        header.iconSize = static_cast<std::int16_t>(icons.front().size());
        header.speed = static_cast<std::int16_t>(animation.speed);
        header.frameCount = static_cast<std::int16_t>(count);
        header.title = animation.title;
        const bool inLimits = animation.speed >= 1 && animation.speed <= 10 && count >= 1 &&
                              count <= formats::kMaxFrames &&
                              animation.title.size() <= formats::kCompiledTitleWidth;
        const std::optional<std::string> compiled = formats::encodeCompiled(header, icons);
        if (!inLimits || !compiled)
            throw std::logic_error("sample " + animation.name + ": outside the .gx limits");
        files.push_back({compiledFilePath(animation), *compiled});
    }
    return files;
}

} // namespace glimmer::samples
