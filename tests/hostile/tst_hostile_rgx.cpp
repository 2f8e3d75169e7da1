// Hostile raw animation files (.rgx), each loaded through the editor's "Load"
// button: the message the user sees, the animation the editor holds afterwards,
// and nothing written anywhere.

#include "EditorSession.h"
#include "Hostile.h"
#include "Texts.h"

#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Stands for the full path of the frame-1 icon in a row's bytes.
const QByteArray kIcon = "@ICON@";

/// The values of a good file: "Title", speed 5, 2 frames, size 318, both frames
/// on the frame-1 icon.
QList<QByteArray> goodValues()
{
    return {"Raw Glimmerbox File Format",
            "Open Format for easy editing",
            "Title",
            "5",
            "2",
            "318",
            kIcon,
            kIcon};
}

/// The good file with value `index` (0-based) replaced by `value`.
QByteArray withValue(int index, const QByteArray& value)
{
    QList<QByteArray> values = goodValues();
    values[index] = value;
    return textLines(values);
}

/// What the editor shows: title, speed, frames, icon size text, frame-1 path.
QStringList editorState(EditorSession& s)
{
    Customfrm& f = s.editor();
    return {f.Nametxt->text(), f.Speedtxt->text(), f.Framestxt->text(), f.Lenlbl->text(),
            s.frameFile(1)};
}

/// A new animation, as every failed load leaves the editor.
QStringList newAnimation()
{
    return {"My Animation", "1", "20", "", ""};
}

} // namespace

class HostileRgxTest final : public QObject {
    Q_OBJECT
private slots:
    void load_data()
    {
        QTest::addColumn<int>("fileTrap");
        QTest::addColumn<int>("iconTrap");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("state"); ///< kIcon in it stands for the icon's path
        QTest::addColumn<bool>("picture");

        const auto row = [](const QString& name, const QByteArray& bytes, const QString& message,
                            const QStringList& state, bool picture, Trap icon = Trap::None,
                            Trap file = Trap::None) {
            QTest::newRow(qPrintable(name))
                << int(file) << int(icon) << bytes << message << state << picture;
        };
        const QString none;
        const QStringList loaded{"Title", "5", "2", "318", kIcon};
        const auto refused = [&](const QString& name, const QByteArray& bytes) {
            row(name, bytes, kErrorWhileLoading, newAnimation(), false);
        };

        row("valid, CR LF", textLines(goodValues()), none, loaded, true);
        row("valid, LF only", textLines(goodValues(), "\n"), none, loaded, true);
        row("valid, CR only", textLines(goodValues(), "\r"), none, loaded, true);
        row("valid, no line end after the last line", textLines(goodValues()).chopped(2), none,
            loaded, true);
        row("valid, LF CR line ends", textLines(goodValues(), "\n\r"), kErrorWhileLoading,
            newAnimation(), false);

        // Missing lines: every shorter prefix of the eight lines.
        for (int count = 0; count < 8; ++count)
            refused(QStringLiteral("only %1 of 8 lines").arg(count),
                    textLines(goodValues().mid(0, count)));
        refused("an empty line after the header",
                textLines(goodValues().mid(0, 2) + QList<QByteArray>{""} + goodValues().mid(2)));

        // Long lines.
        const QByteArray megabyte(1 << 20, 'M');
        row("1 MiB header line", withValue(0, megabyte), none, loaded, true);
        row("1 MiB title", withValue(2, megabyte), none, {"MMMMMMMMMMMM", "5", "2", "318", kIcon},
            true);
        row("1 MiB frame-1 path", withValue(6, megabyte), kListedIconsMissing, newAnimation(),
            false);
        row("1 MiB frame-2 path", withValue(7, megabyte), none, loaded, true);
        refused("1 MiB without a line end", megabyte);
        refused("more than 4 MiB", withValue(0, QByteArray(5 << 20, 'M')));

        // NUL bytes are ordinary bytes, but a title is one line of printable text: the
        // editor never holds one it could not save again.
        refused("NUL in the title", withValue(2, QByteArray("Ti\0tle", 6)));
        refused("line break in a quoted title", withValue(2, "\"Ti\r\ntle\""));
        refused("LF in a quoted title", withValue(2, "\"Ti\ntle\""));
        refused("tab in the title", withValue(2, "Ti\ttle"));
        row("byte 0x81 in the title: a letter in other code pages", withValue(2, "Ti\x81tle"), none,
            {QStringLiteral("Ti\u0081tle"), "5", "2", "318", kIcon}, true);
        refused("NUL after the speed", withValue(3, QByteArray("5\0", 2)));
        refused("NUL as the frame count", withValue(4, QByteArray(1, '\0')));
        row("NUL in the frame-1 path", withValue(6, kIcon + QByteArray(1, '\0')),
            kListedIconsMissing, newAnimation(), false);
        refused("NUL bytes only", QByteArray(4096, '\0'));

        // Quotes.
        refused("unbalanced quote in the title", withValue(2, "\"Title"));
        refused("unbalanced quote in the last path", withValue(7, "\"" + kIcon));
        row("quoted title with a comma", withValue(2, "\"Ti,tle\""), none,
            {"Ti,tle", "5", "2", "318", kIcon}, true);
        row("quoted speed", withValue(3, "\"5\""), none, loaded, true);
        refused("comma in an unquoted title", withValue(2, "Ti,tle"));

        // Numbers out of range or not numbers.
        refused("frame count 0", withValue(4, "0"));
        refused("frame count 51",
                textLines(goodValues().mid(0, 4) + QList<QByteArray>{"51", "318"} +
                          QList<QByteArray>(51, kIcon)));
        refused("frame count 99999", withValue(4, "99999"));
        refused("frame count -1", withValue(4, "-1"));
        refused("frame count spaces", withValue(4, "   "));
        refused("speed not a number", withValue(3, "fast"));
        refused("speed empty", withValue(3, ""));
        refused("speed 0", withValue(3, "0"));
        refused("speed 11", withValue(3, "11"));
        refused("speed 5.5", withValue(3, "5.5"));
        row("speed with blanks before", withValue(3, " \t5"), none, loaded, true);
        refused("icon size not a number", withValue(5, "big"));
        refused("icon size 1001", withValue(5, "1001"));
        refused("icon size -1", withValue(5, "-1"));
        row("icon size 0", withValue(5, "0"), none, {"Title", "5", "2", "0", kIcon}, true);
        row("empty frame-1 path", withValue(6, ""), none, {"Title", "5", "2", "318", ""}, false);

        // The frame-1 path names something that is not a readable icon file.
        for (Trap trap : {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull, Trap::LinkLoop,
                          Trap::Dangling, Trap::Unreadable, Trap::RootProof})
            row("frame-1 path: " + trapName(trap), textLines(goodValues()), kListedIconsMissing,
                newAnimation(), false, trap);

        // The raw file itself is not a readable file.
        for (Trap trap : {Trap::Directory, Trap::Fifo, Trap::DevZero, Trap::DevNull, Trap::LinkLoop,
                          Trap::LinkPair, Trap::Dangling, Trap::Unreadable, Trap::RootProof})
            row("raw file: " + trapName(trap), textLines(goodValues()), kErrorWhileLoading,
                newAnimation(), false, Trap::None, trap);
    }

    /// The editor holds another animation; the file x.rgx is loaded over it.
    void load()
    {
        QFETCH(int, fileTrap);
        QFETCH(int, iconTrap);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QStringList, state);
        QFETCH(bool, picture);
        for (const Trap trap : {Trap(fileTrap), Trap(iconTrap)}) {
            if (const QString why = whyImpossible(trap); !why.isEmpty())
                QSKIP(qPrintable(why));
        }

        EditorSession s;
        const QString earlier = s.smallIcon("earlier.ico", 3);
        s.editor().Nametxt->setText("Earlier");
        s.chooseIcon(earlier);

        const QString icon = s.t.path("one.ico");
        QVERIFY(plant(Trap(iconTrap), icon, iconBytes({.colour = 2})));
        bytes.replace(kIcon, QFile::encodeName(icon));
        const QString file = s.t.path("x.rgx");
        QVERIFY(plant(Trap(fileTrap), file, bytes));
        const auto before = listing(s.t.folder.path());

        QVERIFY2(runGuarded(s.t.folder.path(), {{Trap(fileTrap), file}, {Trap(iconTrap), icon}},
                            [&] { s.load(file); }),
                 "Load waited on a FIFO");

        QCOMPARE(s.t.messages.texts(), expectedMessages(message));
        state.replaceInStrings(QString::fromLatin1(kIcon), icon);
        QCOMPARE(editorState(s), state);
        QCOMPARE(!s.shownPicture().isNull(), picture);
        QCOMPARE(listing(s.t.folder.path()), before);
        if (message.isEmpty()) {
            QCOMPARE(s.editor().HScroll1->value(), 1);
            QCOMPARE(s.editor().Filenamelbl->text(), state.last());
        }
    }
};

QTEST_MAIN(HostileRgxTest)
#include "tst_hostile_rgx.moc"
