#include "platform/RegularFile.h"

#include "platform/FilePath.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace glimmer {

namespace {

// The status check comes first so that a device or FIFO is never opened at
// all: opening one may block or have side effects.
bool looksRegular(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::is_regular_file(status);
}

// An open file descriptor, closed when it goes out of scope.
class OpenFile final {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

// Opens `path` for reading when it is a regular file, never blocking even if
// it turned into a FIFO since the status check; fills `length` from the
// opened file.
std::optional<int> openRegular(const std::filesystem::path& path, std::uintmax_t& length)
{
    if (!looksRegular(path)) {
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return std::nullopt;
    }
    length = static_cast<std::uintmax_t>(info.st_size);
    return fd;
}

// Reads from `fd` into `content` from `total` on until it is full or the file ends;
// returns the number of bytes it holds then, nothing on a read error.
std::optional<std::size_t> readInto(int fd, std::string& content, std::size_t total)
{
    while (total < content.size()) {
        const auto got = ::read(fd, content.data() + total, content.size() - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

} // namespace

std::optional<std::uintmax_t> readableRegularFileLength(const std::filesystem::path& path)
{
    std::uintmax_t length = 0;
    const auto fd = openRegular(path, length);
    if (!fd) {
        return std::nullopt;
    }
    const OpenFile file{*fd};
    return length;
}

bool isReadableRegularFile(const std::filesystem::path& path)
{
    return readableRegularFileLength(path).has_value();
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::uintmax_t length = 0;
    const auto fd = openRegular(path, length);
    if (!fd) {
        return std::nullopt;
    }
    const OpenFile file{*fd};
    if (length > maxBytes) {
        return std::nullopt;
    }
    // The file may change while it is read: read at most one byte more than
    // allowed, to notice one that grew.
    std::string content(static_cast<std::size_t>(length) + 1, '\0');
    std::size_t total = 0;
    for (;;) {
        const auto got = readInto(file.fd(), content, total);
        if (!got) {
            return std::nullopt;
        }
        total = *got;
        if (total < content.size()) {
            break; // the end of the file
        }
        if (content.size() > maxBytes) {
            return std::nullopt;
        }
        content.resize(content.size() + 1);
    }
    if (total > maxBytes) {
        return std::nullopt;
    }
    content.resize(total);
    return content;
}

std::optional<std::string> readRegularFileStart(const std::filesystem::path& path,
                                                std::size_t maxBytes)
{
    std::uintmax_t length = 0;
    const auto fd = openRegular(path, length);
    if (!fd) {
        return std::nullopt;
    }
    const OpenFile file{*fd};
    std::string content(static_cast<std::size_t>(std::min<std::uintmax_t>(length, maxBytes)), '\0');
    const auto total = readInto(file.fd(), content, 0); // fewer when the file shrank
    if (!total) {
        return std::nullopt;
    }
    content.resize(*total);
    return content;
}

bool isReadableRegularFile(const QString& path)
{
    return !path.isEmpty() && isReadableRegularFile(toFsPath(path));
}

std::optional<std::string> readRegularFile(const QString& path, std::size_t maxBytes)
{
    if (path.isEmpty())
        return std::nullopt;
    return readRegularFile(toFsPath(path), maxBytes);
}

std::optional<std::string> readRegularFileStart(const QString& path, std::size_t maxBytes)
{
    if (path.isEmpty())
        return std::nullopt;
    return readRegularFileStart(toFsPath(path), maxBytes);
}

} // namespace glimmer
