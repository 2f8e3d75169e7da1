// Prints the file type Qt's database (what Qt file managers use) gives each file named
// on the command line, one "name: type" a line.
#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    const QMimeDatabase types;
    for (const QString& path : application.arguments().mid(1))
        std::printf("%s: %s\n", qPrintable(QFileInfo(path).fileName()),
                    qPrintable(types.mimeTypeForFile(path).name()));
    return 0;
}
