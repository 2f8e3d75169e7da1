#pragma once

#include "Picture16.h"

#include <string>
#include <string_view>
#include <vector>

namespace glimmer::samples {

// The sample custom animations that come with Glimmerbox, and the files made from
// them. The samples folder is laid out as the program's folder wants it:
//   <Name>.gx                   the compiled animations, listed by the options dialog
//   <Name>/<Name>.rgx           the raw files, for the editor
//   <Name>/<stem>NN.ico         the frame icons the raw files name
// The raw files name their icons relative to the program's folder
// ("samples/<Name>/<stem>NN.ico"); an install writes them again with full paths.

/// Folder below the program's folder that holds the samples' raw files and icons.
inline constexpr std::string_view kSamplesFolder = "samples";

struct SampleAnimation {
    std::string title; // what the options dialog lists: ASCII, at most 12 characters
    std::string name;  // the .gx file's name and the folder of its sources
    std::string stem;  // the icon files' names before the frame number
    int speed = 5;     // the default speed step, 1..10
    std::vector<Picture16> frames;
};

/// Every sample, in a fixed order. Same result on every call and every machine.
std::vector<SampleAnimation> sampleAnimations();

struct SampleFile {
    std::string path;  // relative to the samples folder, '/' between folders
    std::string bytes; // the whole content
};

/// The icon file of frame `frame1Based`: "<Name>/<stem>NN.ico".
std::string iconFilePath(const SampleAnimation& animation, int frame1Based);

/// The raw file: "<Name>/<Name>.rgx".
std::string rawFilePath(const SampleAnimation& animation);

/// The compiled file: "<Name>.gx".
std::string compiledFilePath(const SampleAnimation& animation);

/// Every file of the samples folder, made from sampleAnimations() with the program's
/// own encoders: per animation its icons, its raw file and its compiled file.
/// Throws std::logic_error when a sample breaks a limit of the file formats.
std::vector<SampleFile> sampleFiles();

// The drawings, one per sample.
SampleAnimation snowfall();
SampleAnimation heartbeat();
SampleAnimation candle();

} // namespace glimmer::samples
