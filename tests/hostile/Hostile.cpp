#include "Hostile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glimmer::test {

namespace {

constexpr uid_t kNobody = 65534;
constexpr off_t kLargestDigested = off_t{16} << 20;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool makeLink(const QString& target, const QString& path)
{
    return ::symlink(native(target).constData(), native(path).constData()) == 0;
}

bool writeBytes(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
           file.write(content) == content.size();
}

} // namespace

QString trapName(Trap trap)
{
    switch (trap) {
    case Trap::None:
        return QStringLiteral("file");
    case Trap::Directory:
        return QStringLiteral("directory");
    case Trap::Fifo:
        return QStringLiteral("FIFO");
    case Trap::DevZero:
        return QStringLiteral("link to /dev/zero");
    case Trap::DevNull:
        return QStringLiteral("link to /dev/null");
    case Trap::LinkLoop:
        return QStringLiteral("link to itself");
    case Trap::LinkPair:
        return QStringLiteral("link loop of two");
    case Trap::Dangling:
        return QStringLiteral("dangling link");
    case Trap::Unreadable:
        return QStringLiteral("mode 000");
    case Trap::RootProof:
        return QStringLiteral("kernel file nobody may read");
    }
    return {};
}

QString rootProofFile()
{
    // Write-only sysctl files refuse reading to everyone, root included, and their
    // status says "regular file".
    for (const char* candidate : {"/proc/sys/vm/compact_memory", "/proc/sys/vm/drop_caches"}) {
        struct stat info {};
        if (::stat(candidate, &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        const int fd = ::open(candidate, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            continue;
        }
        return QString::fromLatin1(candidate);
    }
    return {};
}

bool plant(Trap trap, const QString& path, const QByteArray& content)
{
    bool done = false;
    switch (trap) {
    case Trap::None:
        done = writeBytes(path, content);
        break;
    case Trap::Directory:
        done = QDir().mkdir(path);
        break;
    case Trap::Fifo:
        done = ::mkfifo(native(path).constData(), 0644) == 0;
        break;
    case Trap::DevZero:
        done = makeLink(QStringLiteral("/dev/zero"), path);
        break;
    case Trap::DevNull:
        done = makeLink(QStringLiteral("/dev/null"), path);
        break;
    case Trap::LinkLoop:
        done = makeLink(QFileInfo(path).fileName(), path);
        break;
    case Trap::LinkPair: {
        const QString partner = path + QStringLiteral(".partner");
        done = makeLink(QFileInfo(partner).fileName(), path) &&
               makeLink(QFileInfo(path).fileName(), partner);
        break;
    }
    case Trap::Dangling:
        done = makeLink(QStringLiteral("nothing-here"), path);
        break;
    case Trap::Unreadable:
        done = writeBytes(path, content) && ::chmod(native(path).constData(), 0) == 0;
        break;
    case Trap::RootProof: {
        const QString target = rootProofFile();
        done = !target.isEmpty() && makeLink(target, path);
        break;
    }
    }
    if (!done)
        qWarning("cannot make a %s at %s", qPrintable(trapName(trap)), qPrintable(path));
    return done;
}

QString whyImpossible(Trap trap)
{
    if (trap == Trap::Unreadable && !OrdinaryUser::possible())
        return QStringLiteral("root reads a mode-000 file and cannot give up that right here");
    if (trap == Trap::RootProof && rootProofFile().isEmpty())
        return QStringLiteral("no write-only kernel file on this machine");
    return {};
}

void removeTrap(const QString& path)
{
    const QByteArray name = native(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode))
        ::rmdir(name.constData());
    else
        ::unlink(name.constData());
}

HangGuard::HangGuard(QString what, std::chrono::milliseconds limit)
    : what_(std::move(what)), limit_(limit), thread_([this] { run(); })
{
}

HangGuard::~HangGuard()
{
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    thread_.join();
}

void HangGuard::watchFifo(const QString& path)
{
    const std::lock_guard lock(mutex_);
    fifos_ << path;
}

bool HangGuard::fired() const
{
    const std::lock_guard lock(mutex_);
    return fired_;
}

void HangGuard::run()
{
    std::unique_lock lock(mutex_);
    if (done_.wait_for(lock, limit_, [this] { return finished_; }))
        return;
    fired_ = true;
    for (const QString& fifo : std::as_const(fifos_)) {
        // A writer that comes and goes: a blocked reader gets its end of file.
        const int fd = ::open(native(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
    if (done_.wait_for(lock, limit_, [this] { return finished_; }))
        return;
    std::fprintf(stderr, "HangGuard: %s did not end\n", qPrintable(what_));
    std::fflush(stderr);
    std::abort();
}

OrdinaryUser::OrdinaryUser(const QString& folder) : folder_(folder)
{
    if (folder.isEmpty() || ::geteuid() != 0)
        return;
    struct stat info {};
    if (::stat(native(folder).constData(), &info) != 0 ||
        ::chmod(native(folder).constData(), 0777) != 0) {
        ok_ = false;
        return;
    }
    folderMode_ = info.st_mode & 07777;
    // setfsuid and setfsgid change only this thread's file access and return the
    // previous value; a second call tells whether the first one took.
    ::setfsgid(kNobody);
    ::setfsuid(kNobody);
    switched_ = true;
    ok_ = static_cast<uid_t>(::setfsuid(kNobody)) == kNobody &&
          static_cast<gid_t>(::setfsgid(kNobody)) == kNobody;
}

bool OrdinaryUser::possible()
{
    if (::geteuid() != 0)
        return true;
    ::setfsuid(kNobody);
    const bool switched = static_cast<uid_t>(::setfsuid(0)) == kNobody;
    return switched && ::setfsuid(0) == 0;
}

OrdinaryUser::~OrdinaryUser()
{
    if (switched_) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
    if (folderMode_ != 0)
        ::chmod(native(folder_).constData(), folderMode_);
}

bool runGuarded(const QString& folder, const QList<std::pair<Trap, QString>>& traps,
                const std::function<void()>& action)
{
    bool unreadable = false;
    for (const auto& [trap, path] : traps)
        unreadable = unreadable || trap == Trap::Unreadable;
    const OrdinaryUser user(unreadable ? folder : QString());
    if (!user.ok())
        return false;
    HangGuard guard(QStringLiteral("the command under test"));
    for (const auto& [trap, path] : traps) {
        if (trap == Trap::Fifo)
            guard.watchFifo(path);
    }
    action();
    return !guard.fired();
}

QMap<QString, QString> listing(const QString& folder)
{
    QMap<QString, QString> entries;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        struct stat info {};
        if (::lstat(native(path).constData(), &info) != 0) {
            entries.insert(name, QStringLiteral("vanished"));
        } else if (S_ISLNK(info.st_mode)) {
            entries.insert(name, QStringLiteral("link to ") + QFileInfo(path).symLinkTarget());
        } else if (S_ISDIR(info.st_mode)) {
            entries.insert(name, QStringLiteral("folder"));
        } else if (S_ISFIFO(info.st_mode)) {
            entries.insert(name, QStringLiteral("pipe"));
        } else if (S_ISREG(info.st_mode)) {
            QString text = QStringLiteral("%1 bytes").arg(info.st_size);
            QFile file(path);
            // A huge (sparse) file is told by its length and time alone.
            if (info.st_size > kLargestDigested) {
                text += QStringLiteral(" at %1").arg(info.st_mtim.tv_nsec +
                                                     info.st_mtime * 1000000000LL);
            } else if (file.open(QIODevice::ReadOnly)) {
                text += QLatin1Char(' ') +
                        QString::fromLatin1(
                            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(12));
            }
            entries.insert(name, text);
        } else {
            entries.insert(name, QStringLiteral("other"));
        }
    }
    return entries;
}

QString describe(const QMap<QString, QString>& entries)
{
    QString text;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        text += it.key() + QStringLiteral(": ") + it.value() + QLatin1Char('\n');
    return text;
}

QString fromWindows1252(const QByteArray& bytes)
{
    // 0x80..0x9F; everything else is the Latin-1 character of the same number.
    static constexpr std::array<char16_t, 32> kHigh{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(kHigh[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace glimmer::test
