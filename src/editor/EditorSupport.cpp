#include "editor/EditorSupport.h"

#include "formats/text_encoding.h"
#include "platform/MessageBoxes.h"
#include "runtime/Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace glimmer {

void showError(Program& program, const QString& text)
{
    program.services().messages.ok(text, MessageIcon::Critical, QStringLiteral("Error"));
}

QString folderCannotBeWrittenMessage(const QString& path)
{
    return QStringLiteral("The folder %1 cannot be written to.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
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

bool isWritableName(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && (!info.exists() || info.isFile());
}

std::optional<std::string> titleBytes(const QString& title)
{
    const QByteArray utf8 = title.toUtf8();
    return formats::utf8ToWindows1252(std::string_view(utf8.constData(), utf8.size()));
}

} // namespace glimmer
