#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace glimmer {

enum class FileDialogMode { Open, Save };

/// What a command sets on the shared file dialog before showing it.
struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString fileName; ///< the name the dialog starts with (the commands pass an empty one)
    QString filter;   ///< "description|pattern", for example "Icon Files | *.ico"
};

/// The common open/save file dialog. It starts in the process's current directory.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    /// Shows the dialog modally. Returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> show(const FileDialogRequest& request) = 0;

    /// Shows an open dialog in which several files may be chosen together (the
    /// request's mode is not used). Returns their paths, or nothing when the user
    /// cancelled.
    virtual std::optional<QStringList> showSeveral(const FileDialogRequest& request) = 0;
};

} // namespace glimmer
