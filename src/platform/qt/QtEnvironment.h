#pragma once

#include "platform/Environment.h"

namespace glimmer {

class QtEnvironment final : public Environment {
public:
    QString programFolder() const override;
    QString animationsFolder() const override;
    QString currentDirectory() const override;
    bool setCurrentDirectory(const QString& folder) override;
    QSize screenSize() const override;
    [[noreturn]] void terminate(int exitCode) override;
};

} // namespace glimmer
