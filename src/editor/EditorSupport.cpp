#include "editor/EditorSupport.h"

#include "platform/MessageBoxes.h"
#include "runtime/Program.h"

#include <cstring>

namespace glimmer {

void showError(Program& program, const QString& text)
{
    program.services().messages.ok(text, MessageIcon::Critical, QStringLiteral("Error"));
}

bool endsWithLetters(const QString& name, const char* upperLetters)
{
    const qsizetype count = static_cast<qsizetype>(std::strlen(upperLetters));
    if (name.size() < count)
        return false;
    const QString tail = name.right(count);
    for (qsizetype i = 0; i < count; ++i) {
        char16_t c = tail.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != static_cast<char16_t>(upperLetters[i]))
            return false;
    }
    return true;
}

} // namespace glimmer
