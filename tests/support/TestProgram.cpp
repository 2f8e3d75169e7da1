#include "TestProgram.h"

namespace glimmer::test {

TestProgram::TestProgram() : previousDirectory(QDir::currentPath())
{
    environment.programDir = folder.path();
    QDir::setCurrent(folder.path());
}

TestProgram::~TestProgram()
{
    QDir::setCurrent(previousDirectory);
}

} // namespace glimmer::test
