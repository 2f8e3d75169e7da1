// glimmerbox-thumbnailer: the picture file managers show for a Glimmerbox animation.
// It runs where they run it: without a display, often in a sandbox that shows it only
// /usr, its input file and a folder for its output.

#include "files/Thumbnail.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {

constexpr const char* kUsage =
    "Usage: glimmerbox-thumbnailer [-s SIZE] ANIMATION.gx OUTPUT.png\n"
    "\n"
    "Writes the first frame of a Glimmerbox animation as a PNG picture, each pixel\n"
    "enlarged to a square block, transparent where the frame is, at most SIZE\n"
    "pixels a side (128 when not given; sizes above 1024 give 1024). A file that\n"
    "Glimmerbox would not play gives no picture.\n"
    "Exit status: 0 written, 1 no picture for this file, 2 a wrong command line.\n";

int usage(const char* problem)
{
    std::fprintf(stderr, "glimmerbox-thumbnailer: %s\n%s", problem, kUsage);
    return 2;
}

int failure(const QString& message)
{
    std::fprintf(stderr, "glimmerbox-thumbnailer: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Decoding icons takes Qt's image plugins, which an application object finds; a
    // core one needs no display.
    const QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    int size = 128;
    if (!arguments.isEmpty() && arguments.front() == QStringLiteral("-s")) {
        if (arguments.size() < 2)
            return usage("-s needs a size");
        bool number = false;
        size = arguments[1].toInt(&number);
        if (!number || size < 1)
            return usage("the size is not a whole number of pixels above 0");
        arguments.remove(0, 2);
    }
    if (arguments.size() != 2)
        return usage("it takes one animation and one output file");

    const QString& input = arguments[0];
    const QString& output = arguments[1];
    const auto picture = glimmer::thumbnailOfFile(input, size);
    if (!picture)
        return failure(QStringLiteral("%1 is not an animation that Glimmerbox plays").arg(input));
    const QByteArray png = glimmer::pngBytes(*picture);
    if (png.isEmpty())
        return failure(QStringLiteral("no picture could be made of %1").arg(input));
    const std::string_view bytes(png.constData(), static_cast<std::size_t>(png.size()));
    // A file manager that made the output file already reads it back through the handle
    // it keeps (tumbler does): that very file takes the picture. Otherwise (GNOME's)
    // the file is new, and appears only whole.
    const auto written =
        QFileInfo::exists(output)
            ? glimmer::writeIntoHandedFile(output, bytes)
            : glimmer::writeWholeFile(output, bytes, glimmer::ExistingFile::Replace);
    if (written != glimmer::WholeFileOutcome::Written)
        return failure(QStringLiteral("%1 could not be written").arg(output));
    return 0;
}
