#pragma once

#include "platform/Services.h"
#include "runtime/ModalWatch.h"
#include "runtime/ProgramState.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace glimmer {

class frmTray;
class Optionfrm;
class Customfrm;
class Aboutfrm;
class Form;

/// The program context: the program-wide state, the desktop services and the four
/// windows. Each window exists at most once; touching one that does not exist
/// creates it hidden and runs its load step; a window that unloads is released, so
/// the next touch makes a fresh one. The program makes one context in main, each
/// test makes its own with fake services.
class Program final : public QObject {
    Q_OBJECT
public:
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

    /// Creates the hidden tray window; its load step is the program's start-up.
    void start();

    frmTray& tray();
    bool hasTray() const { return tray_ != nullptr; }

    Optionfrm& optionfrm();
    bool hasOptionfrm() const;
    Customfrm& customfrm();
    bool hasCustomfrm() const;
    Aboutfrm& aboutfrm();
    bool hasAboutfrm() const;

    /// Shutdown has run and every window is gone: the process may end.
    bool isFinished() const { return finished_; }

    /// Called by the tray window at the end of its unload step.
    void releaseTray();

signals:
    /// Emitted once after "Exit" has unloaded the tray window.
    void finished();

private:
    template <typename Window> Window& touch(QPointer<Window>& slot);

    ProgramState state_;
    ModalWatch modal_;
    WatchedMessageBoxes messages_;
    WatchedFileDialogs dialogs_;
    Services services_;
    std::unique_ptr<frmTray> tray_;
    QPointer<Optionfrm> optionfrm_;
    QPointer<Customfrm> customfrm_;
    QPointer<Aboutfrm> aboutfrm_;
    bool finished_ = false;
};

} // namespace glimmer
