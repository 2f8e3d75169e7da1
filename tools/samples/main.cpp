// Writes the sample custom animations into a samples folder:
//
//     glimmer_samplegen <samples-folder> [<contact-sheet.ppm>]
//
// The output depends on nothing but this code, so running it again reproduces the
// committed files byte for byte. The contact sheet shows every frame eight times
// enlarged, one animation a row, on a grey panel, for reviewing the drawings.

#include "Samples.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using namespace glimmer::samples;

bool writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !error && out.good();
}

std::string contactSheet(const std::vector<SampleAnimation>& animations)
{
    constexpr int kScale = 8;
    constexpr int kCell = Picture16::kSide * kScale + 8;
    std::size_t columns = 1;
    for (const SampleAnimation& a : animations)
        columns = std::max(columns, a.frames.size());
    const int width = static_cast<int>(columns) * kCell;
    const int height = static_cast<int>(animations.size()) * kCell;
    std::string pixels(static_cast<std::size_t>(width * height * 3), '\x60');
    for (std::size_t row = 0; row < animations.size(); ++row) {
        const auto& frames = animations[row].frames;
        for (std::size_t column = 0; column < frames.size(); ++column) {
            for (int y = 0; y < Picture16::kSide * kScale; ++y) {
                for (int x = 0; x < Picture16::kSide * kScale; ++x) {
                    const int c = frames[column].at(x / kScale, y / kScale);
                    if (c == Picture16::kClear)
                        continue;
                    const std::uint32_t rgb = kPalette[static_cast<std::size_t>(c)];
                    const int px = static_cast<int>(column) * kCell + 4 + x;
                    const int py = static_cast<int>(row) * kCell + 4 + y;
                    const auto at = static_cast<std::size_t>((py * width + px) * 3);
                    pixels[at] = static_cast<char>(rgb >> 16);
                    pixels[at + 1] = static_cast<char>((rgb >> 8) & 0xFFu);
                    pixels[at + 2] = static_cast<char>(rgb & 0xFFu);
                }
            }
        }
    }
    return "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n" + pixels;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <samples-folder> [<contact-sheet.ppm>]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        for (const SampleFile& file : sampleFiles()) {
            if (!writeFile(folder / file.path, file.bytes)) {
                std::fprintf(stderr, "samplegen: cannot write %s\n", (folder / file.path).c_str());
                return 1;
            }
        }
        if (argc == 3 && !writeFile(argv[2], contactSheet(sampleAnimations()))) {
            std::fprintf(stderr, "samplegen: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
