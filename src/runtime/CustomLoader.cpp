#include "runtime/CustomLoader.h"

#include "formats/compiled_file.h"
#include "formats/text_encoding.h"
#include "platform/Environment.h"
#include "platform/FilePath.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/RegularFile.h"
#include "platform/SettingsStore.h"
#include "runtime/Program.h"
#include "runtime/frmTray.h"

#include <limits>
#include <sstream>

namespace glimmer {

namespace {

const QString kErrorTitle = QStringLiteral("Error");

// The reader stops at the first frame that has no slot, so no more than the header
// and 51 records of the largest possible size are ever needed; bytes after them
// are never read.
constexpr std::size_t kLongestUsefulStart =
    formats::kCompiledHeaderSize +
    (formats::kMaxFrames + 1) * static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());

void fail(Program& program)
{
    program.services().messages.ok(
        QStringLiteral("An error has occured while trying to load the custom animation."),
        MessageIcon::Critical, kErrorTitle);
    program.state().CurrentAnimation = Animation::Aquarium;
}

} // namespace

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

    auto content = readRegularFileStart(findAnimation(program.services().environment, name),
                                        kLongestUsefulStart);
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
        if (index > formats::kMaxFrames)
            return false; // no slot for it
        const auto picture =
            Pictures::decode(QByteArray(record.data(), static_cast<qsizetype>(record.size())));
        if (!picture)
            return false;
        tray.setCustomFrame(index, Pictures::trayIcon(*picture));
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
