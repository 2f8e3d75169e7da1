#include "app/Windows.h"

#include "about/Aboutfrm.h"
#include "editor/Customfrm.h"
#include "options/Optionfrm.h"
#include "runtime/Program.h"

namespace glimmer {

void addWindows(Program& program)
{
    program.setWindowFactory(WindowKind::Options, [](Program& p) { return new Optionfrm(p); });
    program.setWindowFactory(WindowKind::Editor, [](Program& p) { return new Customfrm(p); });
    program.setWindowFactory(WindowKind::About, [](Program& p) { return new Aboutfrm(p); });
}

} // namespace glimmer
