// Draws all of Glimmerbox's built-in artwork and writes it below an assets folder, plus the
// contact sheet that shows it enlarged:
//
//     glimmer_artgen <assets-folder> [<contact-sheet.png>]
//
// The output depends on nothing but this code, so running it again reproduces the committed
// files byte for byte.

#include "catalog.h"
#include "contact_sheet.h"
#include "file_icons.h"
#include "ico_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

namespace {

using namespace glimmer::artgen;

bool writeFile(const QString& path, const std::vector<std::uint8_t>& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

bool writePng(const QString& path, const QImage& image)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
}

QImage appIconImage(int size)
{
    const Canvas design = appIcon();
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(0);
    const int scale = size / design.width();
    const int margin = (size - scale * design.width()) / 2;
    paintCanvas(image, design, margin, margin, scale);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <assets-folder> [<contact-sheet.png>]\n", argv[0]);
        return 2;
    }
    const std::vector<Animation> animations = trayAnimations();
    const std::vector<std::string> problems = checkAnimations(animations);
    for (const std::string& p : problems)
        std::fprintf(stderr, "artgen: %s\n", p.c_str());

    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const IconFile& f : iconFiles(animations)) {
        const QString path = root + '/' + QString::fromStdString(f.path);
        if (!writeFile(path, encodeIco(f.picture))) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    for (const int size : appIconSizes) {
        const QString path = root + QStringLiteral("/appicon/glimmerbox-%1.png").arg(size);
        if (!writePng(path, appIconImage(size))) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    for (const FileTypeIcon& icon : fileTypeIcons()) {
        for (const int size : fileTypeIconSizes) {
            const QString path = root + QStringLiteral("/filetypes/%1-%2.png")
                                            .arg(QString::fromStdString(icon.name))
                                            .arg(size);
            if (!writePng(path, fileTypeIconImage(icon.design, size))) {
                std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    if (argc == 3) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        if (!writePng(path, renderContactSheet(contactStrips(animations)))) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    // The files are written even so, to be looked at; the failure status keeps them out of a
    // build that checks the artwork.
    return problems.empty() ? 0 : 1;
}
