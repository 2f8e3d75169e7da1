#include "formats/icon_rules.h"

namespace glimmer::formats {

bool hasIconName(std::string_view path)
{
    const auto tail = path.substr(path.size() < 3 ? 0 : path.size() - 3);
    if (tail.size() != 3) {
        return false;
    }
    constexpr std::string_view kIco = "ICO";
    for (std::size_t i = 0; i < 3; ++i) {
        char c = tail[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kIco[i]) {
            return false;
        }
    }
    return true;
}

IconCheck checkIconFile(std::string_view pathText, const IconFileLength& lengthOfFile,
                        std::optional<std::uintmax_t> acceptedSize)
{
    if (!hasIconName(pathText)) {
        return {IconVerdict::NotAnIconFile, 0};
    }
    const auto length = lengthOfFile();
    if (!length) {
        return {IconVerdict::CannotBeOpened, 0};
    }
    if (*length > kIconSizeLimit) {
        return {IconVerdict::NotSuitable, *length};
    }
    if (acceptedSize && *acceptedSize != *length) {
        return {IconVerdict::DifferentFormat, *length};
    }
    return {IconVerdict::Accepted, *length};
}

} // namespace glimmer::formats
