// The floor: the least a Qt program does to animate a tray icon. Pictures made
// once at start, one QSystemTrayIcon, one QTimer that hands it the next one.
// Glimmerbox is measured against this program, built from the same Qt.
//
// Usage: glimmer_floor INTERVAL_MS FRAMES [--profile FROM COUNT]

#include "TickBudget.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

/// A 16x16 picture with a transparent border and a speckled face, different for
/// every frame, so that no two frames (and no frame and an empty slot) look alike.
QImage frame(int index)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    unsigned seed = 2166136261u ^ static_cast<unsigned>(index * 16777619);
    for (int y = 2; y < 14; ++y) {
        for (int x = 1; x < 15; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grey = static_cast<int>((seed >> 16) & 0xFF);
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int interval = argc > 1 ? std::atoi(argv[1]) : 10;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    glimmer::bench::TickBudget budget = glimmer::bench::TickBudget::fromArguments(argc, argv);

    std::vector<QIcon> frames;
    for (int i = 0; i < count; ++i)
        frames.emplace_back(QPixmap::fromImage(frame(i)));

    QSystemTrayIcon tray(frames.front());
    tray.show();

    std::size_t current = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        current = (current + 1) % frames.size();
        tray.setIcon(frames[current]);
        budget.tick();
    });
    timer.start(interval);
    return app.exec();
}
