#pragma once

// Writes that fail part-way, as on a full disk: a file size limit on the process
// (deterministic, any user) and a small memory file system that really fills up.

#include <QString>
#include <sys/resource.h>

namespace glimmer::test {

/// While it lives, no file of this process can grow beyond `bytes`: a write past
/// that point fails (EFBIG) after writing what still fits, as on a disk that fills
/// up at that byte. The signal the kernel sends with the failure is ignored
/// meanwhile. Applies to every file the process writes, so keep the scope tight.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

/// A memory file system of `bytes` mounted on the empty folder `folder` in a mount
/// namespace private to this thread, so that nothing outside the test sees it and
/// it goes away with the process. Needs the right to mount (root in CI).
class SmallDisk final {
public:
    SmallDisk(const QString& folder, qint64 bytes);
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk();

    /// Empty when the disk is mounted; otherwise why not.
    QString error() const { return error_; }

    /// Fills the disk with the file `filler` until not even one byte more fits, then
    /// frees `freeBytes` (rounded up to whole pages) at its end. False when the disk
    /// does not behave so.
    bool fill(const QString& filler, qint64 freeBytes);

    /// Bytes still free for files.
    qint64 available() const;

private:
    QString folder_;
    QString error_;
    bool mounted_ = false;
};

} // namespace glimmer::test
