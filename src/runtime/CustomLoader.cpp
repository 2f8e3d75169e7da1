#include "runtime/CustomLoader.h"

#include "formats/compiled_file.h"
#include "formats/text_encoding.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/SettingsStore.h"
#include "runtime/Program.h"
#include "runtime/frmTray.h"

#include <QFile>
#include <QFileInfo>
#include <limits>
#include <sstream>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace glimmer {

namespace {

const QString kErrorTitle = QStringLiteral("Error");

// The reader stops at the first frame that has no slot, so no more than the header
// and 51 records of the largest possible size are ever needed; bytes after them
// are never read.
constexpr std::size_t kLongestUsefulStart =
    formats::kCompiledHeaderSize +
    (kMaxCustomFrames + 1) * static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());

void fail(Program& program)
{
    program.services().messages.ok(
        QStringLiteral("An error has occured while trying to load the custom animation."),
        MessageIcon::Critical, kErrorTitle);
    program.state().CurrentAnimation = Animation::Aquarium;
}

} // namespace

std::optional<std::string> readFileStart(const QString& path, std::size_t maxBytes)
{
    // The status check comes first, so that a FIFO or a device is never opened.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file;
#if defined(Q_OS_UNIX)
    // Not blocking, and checked again once open, in case the name changed hands.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
#endif
    const qint64 wanted = std::min<qint64>(file.size(), static_cast<qint64>(maxBytes));
    std::string bytes(static_cast<std::size_t>(std::max<qint64>(wanted, 0)), '\0');
    qint64 total = 0;
    while (total < wanted) {
        const qint64 got = file.read(bytes.data() + total, wanted - total);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break; // the file shrank while it was read
        total += got;
    }
    bytes.resize(static_cast<std::size_t>(total));
    return bytes;
}

void LoadCustomAnimation(Program& program)
{
    ProgramState& state = program.state();
    const QString name = program.services().settings.read(Setting::Application, Setting::Section,
                                                          Setting::Custom, QString());
    if (name.isEmpty()) {
        program.services().messages.ok(
            QStringLiteral("You want to display a custom animation, but none is selected. Please "
                           "select one."),
            MessageIcon::Critical, kErrorTitle);
        state.CurrentAnimation = Animation::Aquarium;
        return;
    }

    auto content = readFileStart(name, kLongestUsefulStart);
    if (!content) {
        fail(program);
        return;
    }
    std::istringstream in(std::move(*content));

    // Every value goes into the program's state the moment it is read, so a file
    // that fails part-way leaves what was read before the failure.
    frmTray& tray = program.tray();
    formats::CompiledReadEvents events;
    events.onSpeed = [&state](std::int16_t speed) { state.CustomSpeed = speed; };
    events.onFrameCount = [&state](std::int16_t count) { state.CustomFrameCount = count; };
    events.onTitle = [&state](std::string title) {
        state.CustomTitle = QString::fromStdString(formats::windows1252ToUtf8(title));
    };
    events.onFrame = [&tray](int index, std::string_view record) {
        if (index > kMaxCustomFrames)
            return false; // no slot for it
        const auto picture =
            Pictures::decode(QByteArray(record.data(), static_cast<qsizetype>(record.size())));
        if (!picture)
            return false;
        tray.Customimg[static_cast<std::size_t>(index)] = Pictures::trayIcon(*picture);
        return true;
    };

    switch (formats::readCompiled(in, events)) {
    case formats::CompiledReadOutcome::Complete:
        // A file without frames has nothing to play.
        if (state.CustomFrameCount <= 0)
            fail(program);
        return;
    case formats::CompiledReadOutcome::OtherVersion:
        program.services().messages.ok(
            QStringLiteral("The custom animation you tried to load is a newer version."),
            MessageIcon::Critical, kErrorTitle);
        return;
    case formats::CompiledReadOutcome::BadNumber:
    case formats::CompiledReadOutcome::Truncated:
    case formats::CompiledReadOutcome::StoppedByCaller:
        break;
    }
    fail(program);
}

} // namespace glimmer
