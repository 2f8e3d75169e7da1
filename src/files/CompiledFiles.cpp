#include "files/CompiledFiles.h"

#include "formats/compiled_file.h"
#include "formats/natural_order.h"
#include "formats/text_encoding.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <sstream>

namespace glimmer {

QStringList compiledFilesIn(const QString& folder)
{
    QStringList names;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("*.gx")}, QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // The name filter already ignores letter case; the check says so outright.
        if (entry.isFile() && entry.fileName().endsWith(QStringLiteral(".gx"), Qt::CaseInsensitive))
            names << entry.fileName();
    }
    // One order on every file system, whatever order the directory keeps: the one a
    // file manager shows, letter case aside and numbers by value ("Walk 2" before
    // "Walk 10").
    std::sort(names.begin(), names.end(), [](const QString& left, const QString& right) {
        return formats::compareNatural(left.toStdString(), right.toStdString()) < 0;
    });
    return names;
}

std::optional<QString> compiledFileTitle(const QString& path)
{
    auto header = readRegularFileStart(path, formats::kCompiledHeaderSize);
    if (!header)
        return std::nullopt;
    std::istringstream in(std::move(*header));
    const auto title = formats::readCompiledTitle(in);
    if (!title)
        return std::nullopt;
    return QString::fromStdString(formats::windows1252ToUtf8(*title));
}

} // namespace glimmer
