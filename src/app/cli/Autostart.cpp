#include "app/cli/Autostart.h"

#include "platform/ApplicationId.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace glimmer {

namespace {

/// `path` as one argument of an Exec key: quoted when it holds a character the key
/// reserves, then with the escapes of every string value applied on top.
QString execArgument(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = path;
    if (std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); })) {
        argument.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        for (const char* special : {"\"", "`", "$"})
            argument.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
        argument = QLatin1Char('"') + argument + QLatin1Char('"');
    }
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    argument.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return argument;
}

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + QLatin1String(kApplicationId) +
           QStringLiteral(".desktop");
}

/// The entry's text, from the template that `cmake --install --component autostart`
/// fills too.
QByteArray entryText(const QString& executable)
{
    QFile file(QStringLiteral(":/share/autostart.desktop.in"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll())
        .replace(QLatin1String("@EXEC@"), execArgument(executable))
        .replace(QLatin1String("@APP_ID@"), QLatin1String(kApplicationId))
        .toUtf8();
}

/// 0 with `done` on stdout, or 1 with `failed` on stderr.
int report(bool ok, const QString& done, const QString& failed)
{
    if (ok)
        std::fputs(qPrintable(done + QLatin1Char('\n')), stdout);
    else
        std::fputs(qPrintable(QStringLiteral("glimmerbox: ") + failed + QLatin1Char('\n')), stderr);
    return ok ? 0 : 1;
}

int writeEntry(const QString& path)
{
    const QByteArray text = entryText(QCoreApplication::applicationFilePath());
    const bool written =
        !text.isEmpty() && QDir().mkpath(QFileInfo(path).absolutePath()) &&
        writeWholeFile(path,
                       std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                       ExistingFile::Replace) == WholeFileOutcome::Written;
    return report(written,
                  QStringLiteral("Glimmerbox will start at every login: wrote %1").arg(path),
                  QStringLiteral("Could not write the autostart entry %1.").arg(path));
}

int removeEntry(const QString& path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return report(
            true,
            QStringLiteral("Glimmerbox was not set to start at login (there is no %1).").arg(path),
            {});
    return report(QFile::remove(path),
                  QStringLiteral("Glimmerbox will no longer start at login: removed %1").arg(path),
                  QStringLiteral("Could not remove the autostart entry %1.").arg(path));
}

} // namespace

int autostartCommand(bool enable)
{
    int argc = 1;
    char name[] = "glimmerbox";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const QString path = entryPath();
    return enable ? writeEntry(path) : removeEntry(path);
}

} // namespace glimmer
