// The Qt side of the platform layer: where settings land, crisp tray pictures,
// what a StatusNotifierItem host is told and given, the exported menu, picture
// loading that never blocks, the file dialog's filter form.

#include "TestFiles.h"
#include "platform/CrispIconEngine.h"
#include "platform/Pictures.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/sni/DBusMenu.h"
#include "platform/qt/sni/StatusNotifierItem.h"
#include "platform/widgets/ClickImage.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace glimmer;
using glimmer::test::writeFile;

namespace {
/// A 16x16 picture whose every pixel differs from its neighbours, so any blur or
/// misplacement shows.
QImage checkerArt()
{
    QImage art(16, 16, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            art.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, x * 16) : qRgb(0, y * 16, 255));
    return art;
}

/// True when `image` holds `art` enlarged `factor` times with its top-left at `at`.
bool holdsEnlarged(const QImage& image, const QImage& art, int factor, QPoint at)
{
    for (int y = 0; y < art.height() * factor; ++y)
        for (int x = 0; x < art.width() * factor; ++x)
            if (image.pixel(at.x() + x, at.y() + y) != art.pixel(x / factor, y / factor))
                return false;
    return true;
}
} // namespace

class PlatformTest final : public QObject {
    Q_OBJECT
private slots:
    void settingsLandInTheUsersConfFile()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        QtSettingsStore store;
        QCOMPARE(store.read("Glimmerbox", "Startup", "Previous", "2"), QStringLiteral("2"));
        store.save("Glimmerbox", "Startup", "Previous", "4");
        store.save("Glimmerbox", "Startup", "Custom", "my fish.gx");
        QCOMPARE(store.read("Glimmerbox", "Startup", "Previous", "2"), QStringLiteral("4"));

        QFile file(home.filePath("Glimmerbox/Glimmerbox.conf"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains("[Startup]"));
        QVERIFY(text.contains("Previous=4"));

        // A value written by hand in the file is what the program reads.
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Startup]\nSpeed=10\n");
        file.close();
        QCOMPARE(store.read("Glimmerbox", "Startup", "Speed", "500"), QStringLiteral("10"));
        QCOMPARE(store.read("Glimmerbox", "Startup", "Previous", "2"), QStringLiteral("2"));
    }

    void trayPicturesAreWholeNumberEnlargementsAtEverySize_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("factor");
        QTest::newRow("16") << 16 << 1;
        QTest::newRow("22 (trayer)") << 22 << 1;
        QTest::newRow("24") << 24 << 1;
        QTest::newRow("32") << 32 << 2;
        QTest::newRow("44") << 44 << 2;
        QTest::newRow("48") << 48 << 3;
        QTest::newRow("64") << 64 << 4;
        QTest::newRow("128") << 128 << 8;
        QTest::newRow("200") << 200 << 12;
    }

    void trayPicturesAreWholeNumberEnlargementsAtEverySize()
    {
        QFETCH(int, slot);
        QFETCH(int, factor);
        const QImage art = checkerArt();
        const QIcon icon = Pictures::trayIcon(art);

        QCOMPARE(icon.actualSize(QSize(slot, slot)), QSize(16 * factor, 16 * factor));
        const QImage pixmap = icon.pixmap(QSize(slot, slot)).toImage();
        QCOMPARE(pixmap.size(), QSize(16 * factor, 16 * factor));
        QVERIFY(holdsEnlarged(pixmap.convertToFormat(art.format()), art, factor, {0, 0}));

        // Painted into a slot, as the XEmbed tray widget does: centred, unblurred.
        QImage canvas(slot, slot, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            icon.paint(&painter, canvas.rect());
        }
        const int offset = (slot - 16 * factor) / 2;
        QVERIFY(holdsEnlarged(canvas, art, factor, {offset, offset}));
    }

    void highDensityScreensGetDevicePixels()
    {
        const QImage art = checkerArt();
        const QIcon icon = Pictures::trayIcon(art);
        QImage canvas(44, 44, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(2.0);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            icon.paint(&painter, QRect(0, 0, 22, 22)); // a 22-point slot at 2x
        }
        QVERIFY(holdsEnlarged(canvas, art, 2, {6, 6}));
    }

    void hostsAreOfferedTheSizesTheScaleNeeds_data()
    {
        QTest::addColumn<QSize>("art");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::newRow("16 at 1") << QSize(16, 16) << 1.0 << QList<QSize>{{16, 16}, {32, 32}};
        QTest::newRow("16 at 1.5") << QSize(16, 16) << 1.5 << QList<QSize>{{16, 16}, {32, 32}};
        QTest::newRow("16 at 2") << QSize(16, 16) << 2.0 << QList<QSize>{{32, 32}, {64, 64}};
        QTest::newRow("16 at 3") << QSize(16, 16) << 3.0 << QList<QSize>{{48, 48}, {96, 96}};
        QTest::newRow("32 at 1") << QSize(32, 32) << 1.0 << QList<QSize>{{32, 32}};
        QTest::newRow("32 at 2") << QSize(32, 32) << 2.0 << QList<QSize>{{64, 64}};
        QTest::newRow("below 1") << QSize(16, 16) << 0.75 << QList<QSize>{{16, 16}};
    }

    void hostsAreOfferedTheSizesTheScaleNeeds()
    {
        QFETCH(QSize, art);
        QFETCH(qreal, scale);
        QFETCH(QList<QSize>, sizes);
        QCOMPARE(CrispIconEngine::offeredSizes(art, scale), sizes);

        // Each offered size is given as exactly that size, a whole-number enlargement.
        const QImage picture =
            checkerArt().scaled(art, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        CrispIconEngine engine(picture);
        for (const QSize& size : sizes) {
            const QImage pixmap = engine.pixmap(size, QIcon::Normal, QIcon::Off).toImage();
            QCOMPARE(pixmap.size(), size);
            QVERIFY(holdsEnlarged(pixmap.convertToFormat(picture.format()), picture,
                                  size.width() / art.width(), {0, 0}));
        }
    }

    void aFrameOffersTheSizesOfItsScreensScale()
    {
        QCOMPARE(qGuiApp->devicePixelRatio(), 1.0);
        const QIcon icon = Pictures::trayIcon(checkerArt());
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        QVERIFY(Pictures::trayIcon(QImage()).isNull());
        QVERIFY(CrispIconEngine::offeredSizes({}, 1.0).isEmpty());
    }

    void theFrameShownIsNotSentAgain()
    {
        // The player's frames: the second equal to the first in every pixel.
        std::vector<QIcon> frames{Pictures::trayIcon(checkerArt()),
                                  Pictures::trayIcon(checkerArt())};
        const QIcon shown = frames[0]; // what the tray icon holds after taking it
        QVERIFY(Pictures::sameFrame(shown, frames[0]));

        // Qt reading the frame for a host or painting it keeps it the same frame.
        QCOMPARE(frames[0].availableSizes().size(), 2);
        QVERIFY(!frames[0].pixmap(QSize(32, 32)).isNull());
        QImage canvas(22, 22, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&canvas);
        frames[0].paint(&painter, canvas.rect());
        painter.end();
        QVERIFY(Pictures::sameFrame(shown, frames[0]));

        // Another frame is sent, equal pixels or not; so is a frame made again in
        // the place of the one shown (a custom animation loaded again).
        QVERIFY(!Pictures::sameFrame(shown, frames[1]));
        frames[0] = Pictures::trayIcon(checkerArt());
        QVERIFY(!Pictures::sameFrame(shown, frames[0]));
    }

    void theItemTellsTheHostOnlyWhatChanged()
    {
        const QIcon a = Pictures::trayIcon(checkerArt());
        const QIcon b = Pictures::trayIcon(checkerArt().mirrored());
        TrayRecord record{&a, QStringLiteral("Glimmerbox"), QString(), {}, nullptr};
        sni::StatusNotifierItem item(record);
        const auto show = [&](const QIcon& frame) {
            record.icon = &frame;
            item.update(record);
        };
        QSignalSpy icons(&item, &sni::StatusNotifierItem::NewIcon);
        QSignalSpy tips(&item, &sni::StatusNotifierItem::NewToolTip);
        QCOMPARE(item.accessibleDesc(), QGuiApplication::applicationDisplayName());

        record.title = QStringLiteral("Aquarium");
        item.update(record); // the same frame and tip: nothing to tell
        QCOMPARE(icons.count() + tips.count(), 0);
        QCOMPARE(item.accessibleDesc(), QStringLiteral("Aquarium"));
        record.icon = &b;
        record.tip = QStringLiteral("Glimmerbox \u2014 CPU 37%");
        item.update(record);
        QCOMPARE(icons.count(), 1);
        QCOMPARE(tips.count(), 1);
        QCOMPARE(item.toolTip().title, record.tip);
        // A host that shows the title in the place of an empty tooltip gets none for a
        // tip that says only the title; every other host gets the tip as it is.
        item.setTitleStandsForTip(true);
        QCOMPARE(item.toolTip().title, record.tip);
        record.tip = item.title();
        item.update(record);
        QVERIFY(item.toolTip().title.isEmpty());
        item.setTitleStandsForTip(false);
        QCOMPARE(item.toolTip().title, record.tip);
        // For a host that shows one picture a gathering: changes are told at most
        // once a gap, each within a gap; the host then reads the frame shown.
        item.setFrameHandover({sni::StatusNotifierItem::FrameHandover::Signal::NewIcon, false,
                               std::chrono::milliseconds(50)});
        const qsizetype before = icons.count();
        QElapsedTimer changing;
        changing.start();
        for (int tick = 0; tick < 13; ++tick) { // ends on a
            show(tick % 2 ? b : a);
            QTest::qWait(15);
        }
        const qsizetype told = icons.count() - before;
        QVERIFY2(told >= 3 && told <= changing.elapsed() / 50 + 1,
                 qPrintable(QString::number(told)));
        // A gap that ends on the frame the host has tells nothing; the next goes at once.
        QTest::qWait(120);
        const qsizetype settled = icons.count(); // the host has a
        show(b);
        QCOMPARE(icons.count(), settled + 1);
        show(a);
        show(b);
        QTest::qWait(80);
        QCOMPARE(icons.count(), settled + 1);
        show(a);
        QCOMPARE(icons.count(), settled + 2);
        // Going away, the item still answers a host told of a change just now, and
        // tells nothing more.
        QElapsedTimer withdrawing;
        withdrawing.start();
        item.withdraw();
        QVERIFY(withdrawing.elapsed() >= 150);
        const qsizetype last = icons.count();
        show(b);
        QTest::qWait(60);
        QCOMPARE(icons.count(), last);
        show(a);

        const QList<sni::IconPixmap> pictures = item.iconPixmap();
        QCOMPARE(pictures.size(), 2);
        QCOMPARE(QSize(pictures[1].width, pictures[1].height), QSize(32, 32));
        // ARGB, big-endian: the top left pixel (blue), then its enlarged neighbour.
        QCOMPARE(pictures[0].argb.left(4), QByteArray::fromHex("ff0000ff"));
        QCOMPARE(pictures[1].argb.mid(4, 4), QByteArray::fromHex("ff0000ff"));
        QCOMPARE(pictures[1].argb.mid(8, 4), QByteArray::fromHex("ffff0010"));
    }

    void framesGoByNameWithWhatChanged()
    {
        using Handover = sni::StatusNotifierItem::FrameHandover;
        // A gap longer than the test: the item tells nothing itself, the test takes.
        const Handover named{Handover::Signal::PropertiesChanged, true, std::chrono::hours(1)};
        const auto restore = qScopeGuard(
            [before = qgetenv("XDG_RUNTIME_DIR")] { qputenv("XDG_RUNTIME_DIR", before); });
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        const QIcon a = Pictures::trayIcon(checkerArt());
        const QIcon aAgain = Pictures::trayIcon(checkerArt()); // the same pixels, made anew
        const QIcon b = Pictures::trayIcon(checkerArt().mirrored());
        TrayRecord record{
            &a, QStringLiteral("Glimmerbox"), QStringLiteral("Aquarium"), {}, nullptr};
        sni::StatusNotifierItem item(record);
        item.setFrameHandover(named);
        const QString first = item.iconName();
        QVERIFY(item.iconPixmap().isEmpty());
        const QImage file(item.iconThemePath() + u'/' + first + QStringLiteral(".png"));
        QCOMPARE(file.size(), QSize(32, 32));
        QCOMPARE(file.pixel(0, 0), 0xff0000ffu);

        // A change carries the frame's name, and the description when it is new.
        QCOMPARE(item.takeFrameChange(),
                 (QVariantMap{{"IconAccessibleDesc", "Aquarium"}, {"IconName", first}}));
        record.icon = &b;
        item.update(record);
        QCOMPARE(item.takeFrameChange().keys(), QStringList{"IconName"});
        // The same pictures made anew find their file: one file a picture.
        record.icon = &aAgain;
        record.title = QStringLiteral("Snowfall");
        item.update(record);
        QCOMPARE(item.iconName(), first);
        QCOMPARE(QDir(item.iconThemePath()).entryList(QDir::Files).size(), 2);
        QCOMPARE(item.takeFrameChange().value("IconAccessibleDesc").toString(),
                 QStringLiteral("Snowfall"));

        // Where no file can be written the frame goes as pictures, the name empty.
        qunsetenv("XDG_RUNTIME_DIR");
        sni::StatusNotifierItem homeless(record);
        homeless.setFrameHandover(named);
        const QVariantMap change = homeless.takeFrameChange();
        QVERIFY(change.contains("IconName") && change.value("IconName").toString().isEmpty());
        QCOMPARE(change.value("IconPixmap").value<QList<sni::IconPixmap>>().size(), 2);
    }

    void theExportedMenuFollowsItsEntries()
    {
        QMenu menu;
        QAction* options = menu.addAction(QStringLiteral("&Options"));
        menu.addAction(QStringLiteral("Save_as && more"));
        menu.addSeparator();
        QAction* exit = menu.addAction(QStringLiteral("Exit"));
        sni::DBusMenu exported(menu);
        QSignalSpy updates(&exported, &sni::DBusMenu::ItemsPropertiesUpdated);
        QSignalSpy chosen(options, &QAction::triggered);

        sni::MenuLayout layout;
        exported.GetLayout(0, -1, {QStringLiteral("label")}, layout);
        QStringList labels;
        for (const sni::MenuLayout& entry : layout.children)
            labels << QString::number(entry.id) + u'=' + entry.properties.value("label").toString();
        QCOMPARE(labels, (QStringList{"1=_Options", "2=Save__as & more", "3=", "4=Exit"}));

        // Changes made in one go reach the host as one signal, with what changed.
        options->setEnabled(false);
        exit->setEnabled(false);
        exit->setText(QStringLiteral("Quit"));
        QVERIFY(updates.wait());
        QCOMPARE(updates.count(), 1);
        const auto told = updates.first().first().value<QList<sni::MenuItemProperties>>();
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[1].id, 4);
        QCOMPARE(told[1].properties,
                 (QVariantMap{{"enabled", false}, {"label", QStringLiteral("Quit")}}));

        // A click reaches an entry after the call, and only while it is enabled.
        exported.Event(1, QStringLiteral("clicked"), {}, 0);
        QTest::qWait(10);
        QCOMPARE(chosen.count(), 0);
        options->setEnabled(true);
        exported.Event(1, QStringLiteral("clicked"), {}, 0);
        QCOMPARE(chosen.count(), 0);
        QTRY_COMPARE(chosen.count(), 1);
    }

    void repaintingTheSameFrameReusesItsEnlargement()
    {
        CrispIconEngine engine(checkerArt());
        const QPixmap first = engine.pixmap({32, 32}, QIcon::Normal, QIcon::Off);
        const QPixmap second = engine.pixmap({40, 40}, QIcon::Normal, QIcon::Off);
        QCOMPARE(first.cacheKey(), second.cacheKey());
    }

    void picturesLoadOnlyFromRegularFiles()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("x.ico");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!Pictures::load(fifo)); // returns at once instead of waiting for a writer
        QVERIFY(!Pictures::load(dir.path()));
        QVERIFY(!Pictures::load(dir.filePath("missing.ico")));
        QVERIFY(!Pictures::load(QString()));

        QFile garbage(dir.filePath("garbage.ico"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(318, 'x'));
        garbage.close();
        QVERIFY(!Pictures::load(garbage.fileName()));

        const auto frame = Pictures::load(":/frames/TV/00.ico");
        QVERIFY(frame);
        QCOMPARE(frame->size(), QSize(16, 16));
    }

    // Only regular files are read: anything else is refused at once, without blocking
    // (a reader stuck on a FIFO is released by opening its other end, and fails).
    void onlyRegularFilesAreRead()
    {
        namespace fs = std::filesystem;
        QTemporaryDir dir;
        const auto at = [&dir](const char* name) {
            return fs::path(dir.filePath(name).toStdString());
        };
        writeFile(dir.filePath("target.ico"), QByteArray(318, 'i'));
        writeFile(dir.filePath("data.bin"), QByteArray("a\0b\r\n", 5));
        fs::create_directory(at("folder.ico"));
        QCOMPARE(::mkfifo(at("pipe.ico").c_str(), 0600), 0);
        fs::create_symlink("/dev/null", at("null.ico"));
        fs::create_symlink(at("gone"), at("dangling.ico"));
        fs::create_symlink(at("loop2.ico"), at("loop1.ico"));
        fs::create_symlink(at("loop1.ico"), at("loop2.ico"));
        fs::create_symlink(at("target.ico"), at("link.ico"));

        const auto lengthWithoutBlocking = [](const fs::path& path) {
            auto pending =
                std::async(std::launch::async, [path] { return readableRegularFileLength(path); });
            if (pending.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                pending.wait();
                return std::optional<std::uintmax_t>(999999); // marks the blocked call
            }
            return pending.get();
        };
        for (const char* name :
             {"folder.ico", "pipe.ico", "null.ico", "dangling.ico", "loop1.ico", "missing.ico"}) {
            QVERIFY2(!lengthWithoutBlocking(at(name)), name);
            QVERIFY2(!isReadableRegularFile(at(name)), name);
            QVERIFY2(!readRegularFile(at(name), 4096), name);
        }
        QCOMPARE(lengthWithoutBlocking(at("link.ico")), std::optional<std::uintmax_t>(318));

        // Whole files up to a limit.
        QCOMPARE(readRegularFile(at("data.bin"), 5), std::optional(std::string("a\0b\r\n", 5)));
        QVERIFY(!readRegularFile(at("data.bin"), 4));
    }

    // A file another program made and reads back through its open handle takes the
    // bytes itself; anything but a regular file is never written, nor made.
    void aHandedFileIsWrittenWhereItsMakerReadsIt()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("handed.png"), "an older, longer content");
        QFile maker(dir.filePath("handed.png"));
        QVERIFY(maker.open(QIODevice::ReadOnly));
        QCOMPARE(writeIntoHandedFile(maker.fileName(), "PNG"), WholeFileOutcome::Written);
        QCOMPARE(maker.readAll(), QByteArray("PNG"));
        QVERIFY(QFile::link("/dev/null", dir.filePath("null")));
        for (const QString& name : {dir.path(), dir.filePath("null"), dir.filePath("missing")})
            QCOMPARE(writeIntoHandedFile(name, "PNG"), WholeFileOutcome::NotAFile);
    }

    void imageButtonsClickWithTheLeftButtonOnly()
    {
        ClickImage image;
        image.resize(40, 20);
        image.show();
        QSignalSpy down(&image, &ClickImage::mouseDown);
        QSignalSpy up(&image, &ClickImage::mouseUp);
        QSignalSpy clicked(&image, &ClickImage::clicked);

        QTest::mouseClick(&image, Qt::RightButton);
        QCOMPARE(down.count(), 1); // the pressed look follows any button
        QCOMPARE(up.count(), 1);
        QCOMPARE(clicked.count(), 0);

        QTest::mouseClick(&image, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        // Let go outside: the look comes back, but it is no click.
        QTest::mousePress(&image, Qt::LeftButton, {}, {5, 5});
        QTest::mouseRelease(&image, Qt::LeftButton, {}, {60, 5});
        QCOMPARE(up.count(), 3);
        QCOMPARE(clicked.count(), 1);

        ClickLabel label(QStringLiteral("Contact:"));
        label.resize(60, 20);
        label.show();
        QSignalSpy labelClicked(&label, &ClickLabel::clicked);
        QTest::mouseClick(&label, Qt::RightButton);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(labelClicked.count(), 1);
    }

    void fileDialogFiltersInQtForm()
    {
        QCOMPARE(QtFileDialogs::qtFilter("Icon Files | *.ico"),
                 QStringLiteral("Icon Files (*.ico)"));
        QCOMPARE(QtFileDialogs::qtFilter("Raw Glimmerbox Files (.RGX)| *.rgx"),
                 QStringLiteral("Raw Glimmerbox Files (.RGX) (*.rgx)"));
        QCOMPARE(QtFileDialogs::qtFilter("*.gx"), QStringLiteral("*.gx"));
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
