#include "runtime/Program.h"

#include "about/Aboutfrm.h"
#include "editor/Customfrm.h"
#include "options/Optionfrm.h"
#include "runtime/frmTray.h"

namespace glimmer {

Program::Program(Services services)
    : messages_(services.messages, modal_),
      dialogs_(services.dialogs, modal_), services_{services.settings, services.tray, messages_,
                                                    dialogs_, services.environment}
{
}

Program::~Program()
{
    // Windows still open at the end (a test that did not close them) go quietly,
    // without their unload steps.
    delete aboutfrm_.data();
    delete customfrm_.data();
    delete optionfrm_.data();
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

template <typename Window> Window& Program::touch(QPointer<Window>& slot)
{
    if (!slot) {
        auto* window = new Window(*this);
        slot = window;
        connect(window, &Form::unloaded, this, [this, &slot, window] {
            if (slot == window)
                slot = nullptr;
            window->hide();
            // A handler of this window may still be waiting for its message box (the
            // tray host's calls go on inside the box's event loop): the window goes
            // only after every box has closed, when no handler of it can be running.
            modal_.whenClosed([window = QPointer<Window>(window)] {
                if (window)
                    window->deleteLater();
            });
        });
        window->Form_Load();
    }
    return *slot;
}

Optionfrm& Program::optionfrm()
{
    return touch(optionfrm_);
}

Customfrm& Program::customfrm()
{
    return touch(customfrm_);
}

Aboutfrm& Program::aboutfrm()
{
    return touch(aboutfrm_);
}

bool Program::hasOptionfrm() const
{
    return !optionfrm_.isNull();
}

bool Program::hasCustomfrm() const
{
    return !customfrm_.isNull();
}

bool Program::hasAboutfrm() const
{
    return !aboutfrm_.isNull();
}

void Program::releaseTray()
{
    if (finished_)
        return;
    finished_ = true;
    emit finished();
}

} // namespace glimmer
