#include "editor/TitleValidator.h"

#include "formats/text_encoding.h"

namespace glimmer {

bool TitleValidator::canHold(const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (control || !formats::windows1252CanHold(c))
            return false;
    }
    return true;
}

QValidator::State TitleValidator::validate(QString& input, int&) const
{
    return canHold(input) ? Acceptable : Invalid;
}

} // namespace glimmer
