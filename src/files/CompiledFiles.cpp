#include "files/CompiledFiles.h"

#include "formats/compiled_file.h"
#include "formats/natural_order.h"
#include "formats/text_encoding.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <sstream>
#include <vector>

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

QStringList compiledFilesIn(const QStringList& folders)
{
    struct Entry {
        QString name;
        qsizetype folder;
        QString path;
    };
    std::vector<Entry> entries;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QDir folder(folders[i]);
        for (const QString& name : compiledFilesIn(folders[i]))
            entries.push_back({name, i, folder.filePath(name)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return formats::compareNatural(a.name.toStdString(), b.name.toStdString()) < 0;
    });
    QStringList paths;
    for (const Entry& entry : entries)
        paths << entry.path;
    return paths;
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
