#pragma once

// Hostile things to put where Glimmerbox reads or writes, and the guards that make
// a test fail loudly (instead of hanging) or see the file system as an ordinary
// user would.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace glimmer::test {

/// What can stand where a file is expected. `Unreadable` is a regular file of mode
/// 000 (read it inside an `OrdinaryUser` scope); `RootProof` is a link to a kernel
/// file that nobody, root included, may open for reading.
enum class Trap {
    None,      ///< an ordinary regular file with the given content
    Directory, ///< a folder
    Fifo,      ///< a named pipe with no writer: opening it for reading blocks
    DevZero,   ///< a link to /dev/zero: endless bytes
    DevNull,   ///< a link to /dev/null
    LinkLoop,  ///< a link to itself
    LinkPair,  ///< a link to a second link that points back
    Dangling,  ///< a link to a name that does not exist
    Unreadable,
    RootProof,
};

/// The row name part for `trap` ("FIFO", "directory", ...).
QString trapName(Trap trap);

/// Puts `trap` at `path` (which must not exist); for `None` and `Unreadable` the file
/// holds `content`. False (with a warning) when the file system refuses, or for
/// `RootProof` when the machine has no such kernel file.
bool plant(Trap trap, const QString& path, const QByteArray& content = {});

/// Why `trap` cannot be staged honestly on this machine; empty when it can. A
/// mode-000 file needs a process that is not root or that can give up root's file
/// access; the kernel file must exist.
QString whyImpossible(Trap trap);

/// Removes whatever `path` is (file, link, pipe or empty folder), without following links.
void removeTrap(const QString& path);

/// The kernel file behind `Trap::RootProof`; empty when there is none here.
QString rootProofFile();

/// Ends a test that would otherwise hang. If the scope has not ended within `limit`,
/// every watched FIFO gets a writer that opens and closes at once (a reader blocked
/// in open() or read() then sees the end of the file) and `fired()` turns true;
/// if the scope still does not end within another `limit`, the process aborts with
/// `what` in the message.
class HangGuard final {
public:
    explicit HangGuard(QString what, std::chrono::milliseconds limit = std::chrono::seconds(10));
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
    ~HangGuard();

    /// A FIFO to feed when the guard fires.
    void watchFifo(const QString& path);
    /// Whether the guarded code had to be unblocked.
    bool fired() const;

private:
    void run();

    const QString what_;
    const std::chrono::milliseconds limit_;
    QStringList fifos_;
    mutable std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    bool fired_ = false;
    std::thread thread_;
};

/// Runs the current thread's file access as an ordinary user (uid and gid 65534)
/// while it lives, when the process runs as root: root would read a mode-000 file.
/// `folder` is opened to everyone meanwhile (mode 0777), so that user can still list
/// it and create files in it; its mode is put back afterwards. Does nothing when the
/// process is not root, or for an empty `folder`.
class OrdinaryUser final {
public:
    explicit OrdinaryUser(const QString& folder);
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
    ~OrdinaryUser();

    /// False when the process is root and could not give up its file access.
    bool ok() const { return ok_; }
    /// Whether this process can take an ordinary user's file access (always when it
    /// is not root).
    static bool possible();

private:
    QString folder_;
    unsigned folderMode_ = 0;
    bool switched_ = false;
    bool ok_ = true;
};

/// Runs `action` the way the row's traps need: as an ordinary user (with `folder`
/// opened to everyone) when one of them is a mode-000 file, and under a HangGuard
/// that feeds the ones that are FIFOs. False when the ordinary user could not be
/// taken on or when the guard had to unblock the action.
bool runGuarded(const QString& folder, const QList<std::pair<Trap, QString>>& traps,
                const std::function<void()>& action);

/// Every entry of `folder` (hidden ones too, not recursing) and what it is: a
/// regular file by its size and a digest of its bytes (above 16 MiB by its size
/// and modification time), a link by its target, a folder, a pipe. Two listings compare equal when
/// nothing in the folder changed.
QMap<QString, QString> listing(const QString& folder);

/// `listing` as one line per entry, for failure messages.
QString describe(const QMap<QString, QString>& entries);

/// The text of Windows-1252 bytes, from a table of its own (the five undefined
/// bytes stand for their C1 control characters).
QString fromWindows1252(const QByteArray& bytes);

} // namespace glimmer::test
