#include "editor/TitleValidator.h"

#include "files/Animation.h"

namespace glimmer {

bool TitleValidator::canHold(const QString& text)
{
    return canBeTitle(text);
}

QValidator::State TitleValidator::validate(QString& input, int&) const
{
    return canHold(input) ? Acceptable : Invalid;
}

} // namespace glimmer
