#include "platform/qt/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace glimmer {

QString QtFileDialogs::qtFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    const QString description = filter.left(bar).trimmed();
    const QString pattern = filter.mid(bar + 1).trimmed();
    return QStringLiteral("%1 (%2)").arg(description, pattern);
}

std::optional<QString> QtFileDialogs::show(const FileDialogRequest& request)
{
    // The dialog starts in the current directory: the compile command makes that the
    // program's folder, where the options dialog looks for compiled animations.
    const QString start = QDir::current().filePath(request.fileName);
    const QString filter = qtFilter(request.filter);
    const QString chosen = request.mode == FileDialogMode::Open
                               ? QFileDialog::getOpenFileName(nullptr, QString(), start, filter)
                               : QFileDialog::getSaveFileName(nullptr, QString(), start, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

std::optional<QStringList> QtFileDialogs::showSeveral(const FileDialogRequest& request)
{
    const QStringList chosen = QFileDialog::getOpenFileNames(
        nullptr, QString(), QDir::current().filePath(request.fileName), qtFilter(request.filter));
    if (chosen.isEmpty())
        return std::nullopt;
    QStringList paths;
    for (const QString& path : chosen)
        paths << QDir::toNativeSeparators(path);
    return paths;
}

} // namespace glimmer
