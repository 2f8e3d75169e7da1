#include "runtime/ModalWatch.h"

namespace glimmer {

void ModalWatch::whenClosed(std::function<void()> work)
{
    if (isOpen())
        waiting_.push_back(std::move(work));
    else
        work();
}

void ModalWatch::closed()
{
    if (--depth_ > 0)
        return;
    auto waiting = std::move(waiting_);
    waiting_.clear();
    for (auto& work : waiting)
        work();
}

MessageAnswer WatchedMessageBoxes::show(const QString& text, MessageButtons buttons,
                                        MessageIcon icon, const QString& title)
{
    const ModalWatch::Scope open(watch_);
    return boxes_.show(text, buttons, icon, title);
}

std::optional<QString> WatchedFileDialogs::show(const FileDialogRequest& request)
{
    const ModalWatch::Scope open(watch_);
    return dialogs_.show(request);
}

std::optional<QStringList> WatchedFileDialogs::showSeveral(const FileDialogRequest& request)
{
    const ModalWatch::Scope open(watch_);
    return dialogs_.showSeveral(request);
}

} // namespace glimmer
