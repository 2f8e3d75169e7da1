#include "platform/Environment.h"

#include <QDir>
#include <QFileInfo>

namespace glimmer {

QStringList animationFolders(const Environment& environment)
{
    QStringList folders{environment.animationsFolder()};
    const QString program = environment.programFolder();
    if (QDir(program) != QDir(folders.front()))
        folders << program;
    return folders;
}

QString findAnimation(const Environment& environment, const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return name;
    const QStringList folders = animationFolders(environment);
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return path;
    }
    return QDir(folders.front()).filePath(name);
}

QString animationName(const Environment& environment, const QString& path)
{
    const QString bare = QFileInfo(path).fileName();
    if (QFileInfo(findAnimation(environment, bare)) == QFileInfo(path))
        return bare;
    return path;
}

bool makeAnimationsFolder(const Environment& environment)
{
    return QDir().mkpath(environment.animationsFolder());
}

} // namespace glimmer
