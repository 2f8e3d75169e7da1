#include "platform/WholeFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glimmer {

namespace {

/// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

/// An open file descriptor, closed when it goes out of scope.
class Descriptor final {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    /// Closes now; false when the close reports an error (data not written after all).
    bool close()
    {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool cannotCreateIn(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

/// Creates a new, hidden temporary file beside `target` with `mode` (less the umask, as
/// for any new file) and puts its name into `name`; -1 with errno set when it cannot.
int createTemporaryBeside(const QByteArray& target, mode_t mode, QByteArray& name)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash);
    const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/." + base + "." +
               QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

WholeFileOutcome writeWholeFile(const QString& path, std::string_view bytes, ExistingFile existing)
{
    if (path.isEmpty())
        return WholeFileOutcome::NotAFile;
    // A link is followed, so that the file it names is written and the link stays; a
    // link that leads nowhere names the file to make. Links that go round in a circle
    // name no file at all: the name itself is taken.
    QString resolved = path;
    for (int hops = 0; QFileInfo(resolved).isSymLink(); ++hops) {
        if (hops == kMaxLinkHops) {
            resolved = path;
            break;
        }
        resolved = QFileInfo(resolved).symLinkTarget();
    }
    const QByteArray target = QFile::encodeName(resolved);

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return WholeFileOutcome::NotAFile;

    // The name is taken at once, so that nothing made meanwhile can be replaced; the
    // empty file stands there until the whole one takes its place.
    bool placed = false;
    if (existing == ExistingFile::Keep) {
        if (exists)
            return WholeFileOutcome::Exists;
        const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                return WholeFileOutcome::Exists;
            return cannotCreateIn(errno) ? WholeFileOutcome::FolderReadOnly
                                         : WholeFileOutcome::Failed;
        }
        ::close(fd);
        placed = true;
    }
    const auto fail = [&](WholeFileOutcome outcome) {
        if (placed)
            ::unlink(target.constData());
        return outcome;
    };

    // A new file gets the mode any new file gets; a replaced one keeps its own.
    const bool replacing = exists && !placed;
    QByteArray temporary;
    Descriptor file(createTemporaryBeside(target, replacing ? 0600 : 0666, temporary));
    if (!file.valid())
        return fail(cannotCreateIn(errno) ? WholeFileOutcome::FolderReadOnly
                                          : WholeFileOutcome::Failed);
    const bool complete = (!replacing || ::fchmod(file.fd(), old.st_mode & 07777) == 0) &&
                          writeAll(file.fd(), bytes) && ::fsync(file.fd()) == 0 && file.close() &&
                          ::rename(temporary.constData(), target.constData()) == 0;
    if (!complete) {
        ::unlink(temporary.constData());
        return fail(WholeFileOutcome::Failed);
    }
    return WholeFileOutcome::Written;
}

WholeFileOutcome writeIntoHandedFile(const QString& path, std::string_view bytes)
{
    if (path.isEmpty())
        return WholeFileOutcome::NotAFile;
    // Without O_CREAT nothing is made; O_NONBLOCK keeps a pipe without reader from
    // blocking the open; nothing is truncated before the file is known to be regular.
    Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || ::fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode))
        return WholeFileOutcome::NotAFile;
    if (::ftruncate(file.fd(), 0) != 0 || !writeAll(file.fd(), bytes) || ::fsync(file.fd()) != 0 ||
        !file.close())
        return WholeFileOutcome::Failed;
    return WholeFileOutcome::Written;
}

} // namespace glimmer
