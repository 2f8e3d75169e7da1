#pragma once

#include "platform/MessageBoxes.h"

namespace glimmer {

class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                       const QString& title) override;
};

} // namespace glimmer
