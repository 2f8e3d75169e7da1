#include "editor/TitleValidator.h"

#include "editor/EditorSupport.h"
#include "formats/title.h"

namespace glimmer {

bool TitleValidator::canHold(const QString& text)
{
    const std::optional<std::string> bytes = titleBytes(text);
    return bytes && formats::isStorableTitle(*bytes);
}

QValidator::State TitleValidator::validate(QString& input, int&) const
{
    return canHold(input) ? Acceptable : Invalid;
}

} // namespace glimmer
