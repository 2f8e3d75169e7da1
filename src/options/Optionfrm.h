#pragma once

#include "runtime/Form.h"

namespace glimmer {

/// The "Animation Options" window.
class Optionfrm final : public Form {
    Q_OBJECT
public:
    explicit Optionfrm(Program& program);

    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace glimmer
