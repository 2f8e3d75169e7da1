#pragma once

#include "runtime/Form.h"

namespace glimmer {

/// The "About" window.
class Aboutfrm final : public Form {
    Q_OBJECT
public:
    explicit Aboutfrm(Program& program);

    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace glimmer
