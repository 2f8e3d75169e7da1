#include "files/Animation.h"

#include "formats/text_encoding.h"
#include "formats/title.h"
#include "platform/FilePath.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace glimmer {

std::optional<std::string> titleBytes(const QString& title)
{
    const QByteArray utf8 = title.toUtf8();
    return formats::utf8ToWindows1252(std::string_view(utf8.constData(), utf8.size()));
}

bool canBeTitle(const QString& title)
{
    const std::optional<std::string> bytes = titleBytes(title);
    return bytes && formats::isStorableTitle(*bytes);
}

formats::IconCheck checkFrameIcon(const QString& path, std::optional<std::uintmax_t> acceptedSize)
{
    const QByteArray text = path.toUtf8();
    return formats::checkIconFile(
        std::string_view(text.constData(), text.size()),
        [&path] { return readableRegularFileLength(toFsPath(path)); }, acceptedSize);
}

QString folderCannotBeWrittenMessage(const QString& path)
{
    return QStringLiteral("The folder %1 cannot be written to.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

} // namespace glimmer
