#pragma once

#include "platform/Services.h"
#include "runtime/ModalWatch.h"
#include "runtime/ProgramState.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace glimmer {

class frmTray;
class Form;

/// The program's secondary windows, each of which exists at most once.
enum class WindowKind { Options, Editor, About };

/// The program context: the program-wide state, the desktop services, the hidden
/// tray window and the secondary windows, and the operations the windows use to
/// act on the tray and on each other. The windows themselves are made by factories
/// the application registers, so this layer knows them only as `Form`s.
///
/// Each secondary window exists at most once; touching one that does not exist
/// creates it hidden and runs its load step; a window that unloads is released (and
/// deleted once no message box of the program is open), so the next touch makes a
/// fresh one. The program makes one context in main, each test makes its own with
/// fake services.
class Program final : public QObject {
    Q_OBJECT
public:
    using WindowFactory = std::function<Form*(Program&)>;

    explicit Program(Services services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramState& state() { return state_; }
    const ProgramState& state() const { return state_; }
    /// The desktop services. Message boxes and file dialogs shown through them are
    /// known to `modal()`.
    Services& services() { return services_; }
    /// Whether one of the program's modal boxes is open.
    const ModalWatch& modal() const { return modal_; }
    /// Runs `work` from the event loop once no modal box of the program is open (at
    /// once, when none is).
    void whenNoBoxIsOpen(std::function<void()> work);

    /// Tells the context how to make the windows of `kind`; done once, before use.
    void setWindowFactory(WindowKind kind, WindowFactory make);

    /// Creates the hidden tray window; its load step is the program's start-up.
    void start();

    /// The tray window, started first when it does not exist yet.
    frmTray& tray();
    bool hasTray() const { return tray_ != nullptr; }

    /// The window of `kind`, created hidden and loaded when it does not exist yet.
    Form& window(WindowKind kind);
    bool hasWindow(WindowKind kind) const;
    /// Whether the window of `kind` exists and is shown (a window made only to be
    /// referred to stays hidden).
    bool isWindowShown(WindowKind kind) const;

    // Operations by intent, for the windows.

    /// Shows the window of `kind` in front (creating and loading it first if needed).
    void openWindow(WindowKind kind);
    /// Unloads the window of `kind` when it exists; nothing otherwise.
    void closeWindow(WindowKind kind);
    /// Enables or disables the whole window of `kind`, creating it hidden first.
    void setWindowEnabled(WindowKind kind, bool enabled);
    /// Selects animation `number` for the player (1..6 built in, 7 custom).
    void playAnimation(std::int16_t number);
    /// The running animation's interval in milliseconds, and setting it.
    int interval();
    void setInterval(int milliseconds);
    /// Enables the tray menu's four entries again, as a closing window does.
    void giveMenuBack();
    /// Whether the pace can follow the processor load here, whether it does, and
    /// turning that on or off at once.
    bool paceAvailable();
    bool paceFollowsLoad();
    void setPaceFollowsLoad(bool on);

    /// Shutdown has run: the process may end once the event loop is back.
    bool isFinished() const { return finished_; }

    /// Called by the tray window at the end of its unload step.
    void releaseTray();

signals:
    /// Emitted once after "Exit" has unloaded the tray window.
    void finished();

private:
    struct Slot {
        WindowFactory make;
        QPointer<Form> window;
    };
    Slot& slot(WindowKind kind) { return windows_[static_cast<std::size_t>(kind)]; }
    const Slot& slot(WindowKind kind) const { return windows_[static_cast<std::size_t>(kind)]; }

    ProgramState state_;
    ModalWatch modal_;
    WatchedMessageBoxes messages_;
    WatchedFileDialogs dialogs_;
    Services services_;
    std::unique_ptr<frmTray> tray_;
    std::array<Slot, 3> windows_;
    bool finished_ = false;
};

} // namespace glimmer
