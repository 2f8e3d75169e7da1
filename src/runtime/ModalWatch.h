#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <functional>
#include <vector>

namespace glimmer {

/// Knows whether one of the program's modal boxes (a message box or a file dialog)
/// is open. Every such box goes through the program context's services, which pass
/// through the two wrappers below, so this is the one place that knows.
///
/// While a box is open its own event loop runs, and with it the tray host's calls:
/// the tray ignores them then, and work that must not happen under a handler that
/// is still waiting for its box (deleting a window) waits until the last box closes.
class ModalWatch final {
public:
    ModalWatch() = default;
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    /// True while at least one modal box of the program is open.
    bool isOpen() const { return depth_ > 0; }

    /// Runs `work` now when no box is open, otherwise right after the last one closes.
    void whenClosed(std::function<void()> work);

    /// Brackets one open box; the wrappers use it.
    class Scope;

private:
    void closed();

    int depth_ = 0;
    std::vector<std::function<void()>> waiting_;
};

class ModalWatch::Scope final {
public:
    explicit Scope(ModalWatch& watch) : watch_(watch) { ++watch_.depth_; }
    ~Scope() { watch_.closed(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    ModalWatch& watch_;
};

/// Message boxes that report to a watch while they are open.
class WatchedMessageBoxes final : public MessageBoxes {
public:
    WatchedMessageBoxes(MessageBoxes& boxes, ModalWatch& watch) : boxes_(boxes), watch_(watch) {}
    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                       const QString& title) override;

private:
    MessageBoxes& boxes_;
    ModalWatch& watch_;
};

/// File dialogs that report to a watch while they are open.
class WatchedFileDialogs final : public FileDialogs {
public:
    WatchedFileDialogs(FileDialogs& dialogs, ModalWatch& watch) : dialogs_(dialogs), watch_(watch)
    {
    }
    std::optional<QString> show(const FileDialogRequest& request) override;
    std::optional<QStringList> showSeveral(const FileDialogRequest& request) override;

private:
    FileDialogs& dialogs_;
    ModalWatch& watch_;
};

} // namespace glimmer
