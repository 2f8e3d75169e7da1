#include "DiskFaults.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace glimmer::test {

namespace {

constexpr qint64 kPage = 4096;

/// Moves this thread into a mount namespace of its own, once, and keeps its mounts
/// from reaching the namespace it came from. Empty when done; otherwise why not.
QString privateMounts()
{
    static const QString error = []() -> QString {
        if (::unshare(CLONE_NEWNS) != 0)
            return QStringLiteral("cannot have a mount namespace of its own: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return QStringLiteral("cannot make its mounts private: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }();
    return error;
}

} // namespace

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
}

SmallDisk::SmallDisk(const QString& folder, qint64 bytes) : folder_(folder)
{
    error_ = privateMounts();
    if (!error_.isEmpty())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        error_ = QStringLiteral("cannot mount a memory file system: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool SmallDisk::fill(const QString& filler, qint64 freeBytes)
{
    const int fd = ::open(QFile::encodeName(filler).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(kPage, 'f');
    qint64 written = 0;
    for (;;) {
        const auto got = ::write(fd, chunk.constData(), static_cast<size_t>(chunk.size()));
        if (got > 0) {
            written += got;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;
    }
    const bool full = errno == ENOSPC && available() == 0;
    const qint64 pages = (freeBytes + kPage - 1) / kPage;
    const bool freed = written >= pages * kPage && ::ftruncate(fd, written - pages * kPage) == 0;
    ::close(fd);
    return full && freed && available() == pages * kPage;
}

qint64 SmallDisk::available() const
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(folder_).constData(), &info) != 0)
        return -1;
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

} // namespace glimmer::test
