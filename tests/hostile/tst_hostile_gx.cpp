// Hostile compiled animation files (.gx), each run through the roads a user takes:
// start-up with "Previous" 7 and "Custom" naming the file, and the options dialog,
// which lists the program folder's files and loads the one picked.

#include "Hostile.h"
#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "files/Thumbnail.h"
#include "options/Optionfrm.h"
#include "runtime/frmTray.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

constexpr int kRecord = 318; // a 16x16 16-colour icon

/// `count` records of 318 bytes: 16x16 16-colour icons, each in another colour than
/// the one before.
QList<QByteArray> icons(int count)
{
    QList<QByteArray> records;
    for (int i = 0; i < count; ++i)
        records << iconBytes({.colour = 1 + i % 15});
    return records;
}

/// The valid file every malformed one is made from ("Two", speed 5, two records of
/// 318 bytes), with the fields `changed` states stored instead.
QByteArray twoFrames(CompiledSpec changed = {})
{
    changed.title = "Two";
    changed.frames = icons(2);
    return compiledFile(changed);
}

/// A compiled file of two frames that are PNG pictures of `side` x `side` pixels,
/// compressed as far as they go (a uniform picture shrinks to almost nothing).
QByteArray pictureFrames(int side)
{
    const QByteArray png = pictureBytes(side, side, {Qt::darkCyan});
    if (png.size() > 32767)
        qFatal("no small PNG of %d pixels a side", side);
    return compiledFile({.title = "Pictures", .frames = {png, png}});
}

/// The title the options list shows for `bytes`: 12 bytes from offset 14, spaces on
/// the right removed.
QString listedTitle(const QByteArray& bytes)
{
    QByteArray title = bytes.mid(14, 12);
    while (title.endsWith(' '))
        title.chop(1);
    return fromWindows1252(title);
}

/// True when picking `entry` is refused as naming no animation.
bool namesNothing(const QString& entry)
{
    return entry.count(QLatin1Char(' ')) == entry.size();
}

} // namespace

class HostileGxTest final : public QObject {
    Q_OBJECT
private:
    /// One table for both roads. Columns: the file x.gx (bytes, or a trap), the
    /// loader's message (empty: none), the animation after start-up, the frames
    /// loaded into slots 1.., the title published, the file's entry in the options
    /// list (`listed` false: no entry at all), and where a row pins them the speed
    /// and frame count published before the failure (-1: not looked at).
    void table()
    {
        QTest::addColumn<int>("trap");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("animation");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("count");

        const auto row = [](const char* name, const QByteArray& bytes, const QString& message,
                            int animation, int frames, const QString& title, const QString& entry,
                            int speed = -1, int count = -1) {
            QTest::newRow(name) << int(Trap::None) << bytes << message << animation << frames
                                << title << true << entry << speed << count;
        };
        const QString none;

        row("valid two frames", twoFrames(), none, 7, 2, "Two", "Two");
        row("bytes after the last record", twoFrames() + "garbage", none, 7, 2, "Two", "Two");

        // The tag: any five bytes but "GX2.0" are a newer version; the list never looks.
        for (const char* tag : {"gx2.0", "Gx2.0", "gX2.0", "GX2.o", "GX1.0", "GX3.0", "GX2.1"}) {
            const QByteArray name = QByteArray("tag ") + tag;
            row(name.constData(), twoFrames({.tag = tag}), kCustomAnimationIsNewer, 7, 0, none,
                "Two", 0, 0);
        }
        row("tag of five spaces", twoFrames({.tag = "     "}), kCustomAnimationIsNewer, 7, 0, none,
            "Two");
        row("tag of five NULs", twoFrames({.tag = QByteArray(5, '\0')}), kCustomAnimationIsNewer, 7,
            0, none, "Two");
        const QByteArray untagged = twoFrames({.tag = ""});
        row("no tag: the fields start at 0", untagged, kCustomAnimationIsNewer, 7, 0, none,
            listedTitle(untagged));
        row("tag only", "GX2.0", kErrorLoadingCustomAnimation, 2, 0, none, "");
        row("four bytes of the tag", "GX2.", kErrorLoadingCustomAnimation, 2, 0, none, "");
        row("another tag and nothing after it", "ABCDE", kCustomAnimationIsNewer, 7, 0, none, "");

        // Number fields. Speed and count are published before a later field fails.
        row("icon size letters", twoFrames({.iconSize = "abc"}), kErrorLoadingCustomAnimation, 2, 0,
            none, "Two");
        row("icon size digits then letter", twoFrames({.iconSize = "31a8"}),
            kErrorLoadingCustomAnimation, 2, 0, none, "Two");
        row("icon size with a plus sign", twoFrames({.iconSize = "+318"}), none, 7, 2, "Two",
            "Two");
        row("icon size with a minus sign", twoFrames({.iconSize = "-318"}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two", 5, 2);
        row("icon size spaces only", twoFrames({.iconSize = ""}), kErrorLoadingCustomAnimation, 2,
            0, none, "Two");
        row("icon size with a leading space", twoFrames({.iconSize = " 318"}), none, 7, 2, "Two",
            "Two");
        row("icon size with a space inside", twoFrames({.iconSize = "3 18"}),
            kErrorLoadingCustomAnimation, 2, 0, none, "Two");
        row("icon size with a tab", twoFrames({.iconSize = "318\t"}), kErrorLoadingCustomAnimation,
            2, 0, none, "Two");
        row("icon size 99999", twoFrames({.iconSize = "99999"}), kErrorLoadingCustomAnimation, 2, 0,
            none, "Two");
        row("speed letters", twoFrames({.speed = "x"}), kErrorLoadingCustomAnimation, 2, 0, none,
            "Two", 0, 0);
        row("speed spaces only", twoFrames({.speed = ""}), kErrorLoadingCustomAnimation, 2, 0, none,
            "Two");
        row("speed minus one", twoFrames({.speed = "-1"}), none, 7, 2, "Two", "Two");
        row("speed 99", twoFrames({.speed = "99"}), none, 7, 2, "Two", "Two");
        row("count letters", twoFrames({.frameCount = "ab"}), kErrorLoadingCustomAnimation, 2, 0,
            none, "Two", 5, 0);
        row("count spaces only", twoFrames({.frameCount = ""}), kErrorLoadingCustomAnimation, 2, 0,
            none, "Two");
        row("count with a plus sign", twoFrames({.frameCount = "+2"}), none, 7, 2, "Two", "Two");
        row("count minus two", twoFrames({.frameCount = "-2"}), kErrorLoadingCustomAnimation, 2, 0,
            "Two", "Two");
        row("count 99 with two records", twoFrames({.frameCount = "99"}),
            kErrorLoadingCustomAnimation, 2, 2, "Two", "Two", 5, 99);
        row("count of NUL bytes", twoFrames({.frameCount = QByteArray(2, '\0')}),
            kErrorLoadingCustomAnimation, 2, 0, none, "Two");

        // Frame counts: the slots end at 50.
        row("0 frames", compiledFile({.title = "Zero", .frames = icons(0)}),
            kErrorLoadingCustomAnimation, 2, 0, "Zero", "Zero", 5, 0);
        row("1 frame", compiledFile({.title = "One", .frames = icons(1)}), none, 7, 1, "One",
            "One");
        row("50 frames", compiledFile({.title = "Fifty", .frames = icons(50)}), none, 7, 50,
            "Fifty", "Fifty");
        row("51 frames", compiledFile({.title = "Many", .frames = icons(51)}),
            kErrorLoadingCustomAnimation, 2, 50, "Many", "Many", 5, 51);
        row("99 frames", compiledFile({.title = "Many", .frames = icons(99)}),
            kErrorLoadingCustomAnimation, 2, 50, "Many", "Many");

        // Icon sizes that do not fit the records.
        row("icon size 0 without a body",
            compiledFile({.title = "Two", .iconSize = 0, .frameCount = 2}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two");
        row("icon size with a minus sign and 0 frames",
            compiledFile({.title = "Two", .iconSize = "-318", .frameCount = 0}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two");
        row("icon size 0 with a body", twoFrames({.iconSize = "0"}), kErrorLoadingCustomAnimation,
            2, 0, "Two", "Two", 5, 2);
        row("icon size 32767 with a short body", twoFrames({.iconSize = "32767"}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two");
        // Pictures larger than an icon can hold are refused before they take memory.
        row("frames of 256x256 pixels", pictureFrames(256), none, 7, 2, "Pictures", "Pictures");
        row("frames of 257x257 pixels", pictureFrames(257), kErrorLoadingCustomAnimation, 2, 0,
            "Pictures", "Pictures");
        row("frames of 2048x2048 pixels in 16 KB", pictureFrames(2048),
            kErrorLoadingCustomAnimation, 2, 0, "Pictures", "Pictures");
        row("records that are no pictures",
            compiledFile(
                {.title = "Two", .frames = {QByteArray(kRecord, 'x'), QByteArray(kRecord, 'x')}}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two");

        row("a record that is no picture after a good one",
            compiledFile({.title = "Two", .frames = {iconBytes(), QByteArray(kRecord, 'x')}}),
            kErrorLoadingCustomAnimation, 2, 1, "Two", "Two", 5, 2);

        // Titles.
        row("title of 12 spaces", compiledFile({.title = "            ", .frames = icons(2)}), none,
            7, 2, "", "");
        row("title with leading spaces", compiledFile({.title = "   Lead", .frames = icons(2)}),
            none, 7, 2, "   Lead", "   Lead");
        row("title with NUL bytes",
            compiledFile({.title = QByteArray("N\0l", 3), .frames = icons(2)}), none, 7, 2,
            QString("N") + QChar(0) + "l", QString("N") + QChar(0) + "l");
        for (int first = 0x80; first <= 0xFF; first += 12) {
            QByteArray title;
            for (int byte = first; byte < first + 12 && byte <= 0xFF; ++byte)
                title += static_cast<char>(byte);
            const QString text = fromWindows1252(title);
            const QByteArray name = "title bytes 0x" + QByteArray::number(first, 16) + " on";
            row(name.constData(), compiledFile({.title = title, .frames = icons(2)}), none, 7, 2,
                text, text);
        }

        row("0-byte file", QByteArray(), kErrorLoadingCustomAnimation, 2, 0, none, "");
        row("header only", compiledFile({.title = "Two", .frameCount = 2}),
            kErrorLoadingCustomAnimation, 2, 0, "Two", "Two");

        // Things that are not readable regular files. The list leaves out what is not
        // a regular file at all and lists an unreadable regular file as an empty entry.
        const auto trapRow = [&](Trap trap, bool listed) {
            QTest::newRow(qPrintable(trapName(trap)))
                << int(trap) << twoFrames() << kErrorLoadingCustomAnimation << 2 << 0 << none
                << listed << "" << -1 << -1;
        };
        trapRow(Trap::Directory, false);
        trapRow(Trap::Fifo, false);
        trapRow(Trap::DevZero, false);
        trapRow(Trap::DevNull, false);
        trapRow(Trap::LinkLoop, false);
        trapRow(Trap::Dangling, false);
        trapRow(Trap::Unreadable, true);
        trapRow(Trap::RootProof, true);
    }

private slots:
    void startUp_data() { table(); }

    /// Start-up with "Previous" 7 and "Custom" x.gx: the loader's message, the
    /// fallback, the frames, nothing written beside the file, and the player runs on;
    /// the thumbnail.
    void startUp()
    {
        QFETCH(int, trap);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, animation);
        QFETCH(int, frames);
        QFETCH(QString, title);
        QFETCH(int, speed);
        QFETCH(int, count);

        TestProgram t;
        if (const QString why = whyImpossible(Trap(trap)); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(plant(Trap(trap), t.path("x.gx"), bytes));
        t.settings.set("Previous", "7");
        t.settings.set("Custom", "x.gx");
        const auto before = listing(t.folder.path());

        QVERIFY2(
            runGuarded(t.folder.path(), {{Trap(trap), t.path("x.gx")}}, [&] { t.program.start(); }),
            "start-up waited on the FIFO");

        const ProgramState& state = t.program.state();
        QCOMPARE(t.messages.texts(), expectedMessages(message));
        if (!message.isEmpty()) {
            QCOMPARE(t.messages.shown[0].icon, MessageIcon::Critical);
            QCOMPARE(t.messages.shown[0].title, kErrorTitle);
            QCOMPARE(t.messages.shown[0].buttons, MessageButtons::Ok);
        }
        QCOMPARE(int(state.CurrentAnimation), animation);
        QCOMPARE(filledSlots(t.program.tray()), frames);
        QCOMPARE(state.CustomTitle, title);
        if (speed >= 0)
            QCOMPARE(int(state.CustomSpeed), speed);
        if (count >= 0)
            QCOMPARE(int(state.CustomFrameCount), count);
        QCOMPARE(t.tray.count(TrayCall::Add), 1);
        QCOMPARE(listing(t.folder.path()), before);

        // The thumbnailer reads it as the player does: a picture exactly when it plays, at once.
        std::optional<QImage> picture;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(runGuarded(t.folder.path(), {{Trap(trap), t.path("x.gx")}},
                           [&] { picture = thumbnailOfFile(t.path("x.gx"), 128); }));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(picture.has_value(), message.isEmpty());

        // The player goes round the loaded frames (or Aquarium) without a gap.
        for (int tick = 0; tick < 60; ++tick) {
            t.program.tray().Timer1_Timer();
            QVERIFY(t.tray.lastIcon() != nullptr);
            if (frames > 0 || animation != 7)
                QVERIFY(!t.tray.lastIcon()->isNull());
        }
    }

    void optionsList_data() { table(); }

    /// The options dialog opens at once beside the file, lists it (or not) between
    /// two good files, and picking its entry loads it as start-up would, then
    /// selects the custom animation whatever the loader said.
    void optionsList()
    {
        QFETCH(int, trap);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, frames);
        QFETCH(bool, listed);
        QFETCH(QString, entry);

        TestProgram t;
        writeFile(t.path("a.gx"), compiledFile({.title = "Alpha", .speed = 3, .frames = icons(1)}));
        writeFile(t.path("z.gx"), compiledFile({.title = "Zulu", .speed = 3, .frames = icons(1)}));
        if (const QString why = whyImpossible(Trap(trap)); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(plant(Trap(trap), t.path("x.gx"), bytes));
        t.program.start();
        const auto before = listing(t.folder.path());

        QVERIFY2(runGuarded(t.folder.path(), {{Trap(trap), t.path("x.gx")}},
                            [&] { choose(t.program.tray(), "Options"); }),
                 "the options dialog waited on the FIFO");
        Optionfrm& window = t.optionfrm();
        const QStringList expected =
            listed ? QStringList{"Alpha", entry, "Zulu"} : QStringList{"Alpha", "Zulu"};
        QCOMPARE(customEntries(window), expected);
        QVERIFY(t.messages.shown.empty());
        if (!listed) {
            // The rest still plays.
            window.Combo1->setCurrentIndex(1);
            window.Option7->click();
            QCOMPARE(t.settings.value("Custom"), QStringLiteral("z.gx"));
            QCOMPARE(t.program.state().CustomTitle, QStringLiteral("Zulu"));
            QVERIFY(t.messages.shown.empty());
            return;
        }

        window.Combo1->setCurrentIndex(1);
        QVERIFY2(runGuarded(t.folder.path(), {{Trap(trap), t.path("x.gx")}},
                            [&] { window.Option7->click(); }),
                 "picking the entry waited on the FIFO");
        const ProgramState& state = t.program.state();
        if (namesNothing(entry)) {
            // An empty entry names no file: nothing is loaded, nothing changes.
            QCOMPARE(t.messages.texts(), QStringList{kCustomAnimationMustBeSpecified});
            QCOMPARE(state.CurrentAnimation, Animation::Aquarium);
            QVERIFY(t.settings.saves.isEmpty());
        } else {
            QCOMPARE(t.messages.texts(), expectedMessages(message));
            QCOMPARE(t.settings.value("Custom"), QStringLiteral("x.gx"));
            QCOMPARE(state.CurrentAnimation, Animation::Custom);
            QCOMPARE(filledSlots(t.program.tray()), frames);
        }
        QCOMPARE(listing(t.folder.path()), before);
        t.program.tray().Timer1_Timer();
        QVERIFY(t.tray.lastIcon() != nullptr);
    }

    void cutAtEveryOffset_data()
    {
        QTest::addColumn<int>("length");
        const int whole = static_cast<int>(twoFrames().size());
        for (int length = 0; length < whole; ++length)
            QTest::addRow("%d of %d bytes", length, whole) << length;
    }

    /// A valid two-frame file cut short anywhere: start-up gives the general failure
    /// and Aquarium, keeping the frames read before the cut. The list reads the
    /// header only: it shows the title once the header is whole and an empty entry
    /// before (checked around the header's end, as beyond it nothing changes).
    void cutAtEveryOffset()
    {
        QFETCH(int, length);
        const bool aroundTheHeader = length < 40 || length == twoFrames().size() - 1;
        TestProgram t;
        writeFile(t.path("x.gx"), twoFrames().left(length));
        t.settings.set("Previous", "7");
        t.settings.set("Custom", "x.gx");
        t.program.start();

        const ProgramState& state = t.program.state();
        QCOMPARE(t.messages.texts(), QStringList{kErrorLoadingCustomAnimation});
        QCOMPARE(state.CurrentAnimation, Animation::Aquarium);
        const int whole = length >= 26 ? (length - 26) / kRecord : 0;
        QCOMPARE(filledSlots(t.program.tray()), whole);
        QCOMPARE(state.CustomTitle, length >= 26 ? QStringLiteral("Two") : QString());
        QCOMPARE(int(state.CustomSpeed), length >= 12 ? 5 : 0);
        QCOMPARE(int(state.CustomFrameCount), length >= 14 ? 2 : 0);

        if (!aroundTheHeader)
            return;
        t.messages.clear();
        choose(t.program.tray(), "Options");
        QCOMPARE(customEntries(t.optionfrm()),
                 QStringList{length >= 26 ? QStringLiteral("Two") : QString()});
        QVERIFY(t.messages.shown.empty());
    }
};

QTEST_MAIN(HostileGxTest)
#include "tst_hostile_gx.moc"
