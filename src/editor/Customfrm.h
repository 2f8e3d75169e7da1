#pragma once

#include "runtime/Form.h"

namespace glimmer {

/// The "Custom Glimmerbox" window.
class Customfrm final : public Form {
    Q_OBJECT
public:
    explicit Customfrm(Program& program);

    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace glimmer
