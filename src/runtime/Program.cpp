#include "runtime/Program.h"

#include "runtime/Form.h"
#include "runtime/frmTray.h"

#include <QTimer>

namespace glimmer {

Program::Program(Services services)
    : messages_(services.messages, modal_),
      dialogs_(services.dialogs, modal_), services_{services.settings,
                                                    services.tray,
                                                    messages_,
                                                    dialogs_,
                                                    services.environment,
                                                    services.load}
{
}

Program::~Program()
{
    // Windows still open at the end (a test that did not close them) go quietly,
    // without their unload steps; the about box first, as it leans on the others.
    for (const WindowKind kind : {WindowKind::About, WindowKind::Editor, WindowKind::Options})
        delete slot(kind).window.data();
}

void Program::setWindowFactory(WindowKind kind, WindowFactory make)
{
    slot(kind).make = std::move(make);
}

void Program::start()
{
    if (tray_)
        return;
    tray_ = std::make_unique<frmTray>(*this);
    tray_->Form_Load();
}

frmTray& Program::tray()
{
    if (!tray_)
        start();
    return *tray_;
}

Form& Program::window(WindowKind kind)
{
    Slot& entry = slot(kind);
    if (!entry.window) {
        Q_ASSERT_X(entry.make, "Program::window", "no factory for this kind of window");
        Form* window = entry.make(*this);
        entry.window = window;
        connect(window, &Form::unloaded, this, [this, kind, window] {
            if (slot(kind).window == window)
                slot(kind).window = nullptr;
            window->hide();
            // A handler of this window may still be waiting for its message box (the
            // tray host's calls go on inside the box's event loop): the window goes
            // only after every box has closed, when no handler of it can be running.
            modal_.whenClosed([window = QPointer<Form>(window)] {
                if (window)
                    window->deleteLater();
            });
        });
        window->Form_Load();
    }
    return *entry.window;
}

bool Program::hasWindow(WindowKind kind) const
{
    return !slot(kind).window.isNull();
}

void Program::whenNoBoxIsOpen(std::function<void()> work)
{
    // Not from inside the handler that showed the last box, which goes on after it.
    modal_.whenClosed([this, work = std::move(work)] { QTimer::singleShot(0, this, work); });
}

bool Program::isWindowShown(WindowKind kind) const
{
    return hasWindow(kind) && slot(kind).window->isVisible();
}

void Program::openWindow(WindowKind kind)
{
    Form& shown = window(kind);
    shown.show();
    shown.raise();
    shown.activateWindow();
}

void Program::closeWindow(WindowKind kind)
{
    if (hasWindow(kind))
        window(kind).unload();
}

void Program::setWindowEnabled(WindowKind kind, bool enabled)
{
    window(kind).setEnabled(enabled);
}

void Program::playAnimation(std::int16_t number)
{
    state_.CurrentAnimation = number;
}

int Program::interval()
{
    return tray().interval();
}

void Program::setInterval(int milliseconds)
{
    tray().setInterval(milliseconds);
}

void Program::giveMenuBack()
{
    if (tray_)
        tray_->enableMenuEntries();
}

bool Program::paceAvailable()
{
    return tray().paceAvailable();
}

bool Program::paceFollowsLoad()
{
    return tray().paceFollowsLoad();
}

void Program::setPaceFollowsLoad(bool on)
{
    tray().setPaceFollowsLoad(on);
}

void Program::releaseTray()
{
    if (finished_)
        return;
    finished_ = true;
    emit finished();
}

} // namespace glimmer
