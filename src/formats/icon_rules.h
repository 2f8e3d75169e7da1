#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace glimmer::formats {

enum class IconVerdict { Accepted, NotAnIconFile, NotSuitable, DifferentFormat, CannotBeOpened };

struct IconCheck {
    IconVerdict verdict = IconVerdict::CannotBeOpened;
    std::uintmax_t length = 0; // the file's length when it could be opened, else 0
};

// Icon files longer than this are refused as unsuitable for the tray.
inline constexpr std::uintmax_t kIconSizeLimit = 1000;

// True when the last three characters of `path` (the whole text if shorter),
// upper-cased, are "ICO". Only ASCII letters change case, whatever the
// locale. No dot is required: "picnico" passes, "" does not.
bool hasIconName(std::string_view path);

// The length of the file to check as it opens for reading; nothing when it is no
// readable regular file (a directory, FIFO, device, dangling or looping link, or
// no read permission). The caller does the opening, without blocking.
using IconFileLength = std::function<std::optional<std::uintmax_t>()>;

// Decides whether the file named `pathText` may become a frame of an animation
// whose accepted icon size is `acceptedSize` (nullopt: none accepted yet). In order:
// 1. `pathText` fails hasIconName: NotAnIconFile (lengthOfFile is not called, so
//    the file is not touched);
// 2. lengthOfFile() gives nothing: CannotBeOpened;
// 3. length above kIconSizeLimit: NotSuitable, whatever size was accepted;
// 4. acceptedSize set and length different: DifferentFormat;
// 5. otherwise Accepted; the caller fixes its icon size from `length` when
//    none was accepted yet.
// `length` is filled from step 2 on. The content of the file is never read.
IconCheck checkIconFile(std::string_view pathText, const IconFileLength& lengthOfFile,
                        std::optional<std::uintmax_t> acceptedSize);

} // namespace glimmer::formats
