#pragma once

#include "platform/FileDialogs.h"

namespace glimmer {

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> show(const FileDialogRequest& request) override;
    std::optional<QStringList> showSeveral(const FileDialogRequest& request) override;

    /// Turns "description|pattern" into Qt's "description (pattern)" form.
    static QString qtFilter(const QString& filter);
};

} // namespace glimmer
