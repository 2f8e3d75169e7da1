// Save and Load of raw animation files (.rgx).

#include "EditorSession.h"
#include "Texts.h"
#include "app/OpenFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A raw file's lines with `paths` after the six header values.
QByteArray rawFile(const QString& title, const QString& speed, const QString& frames,
                   const QString& size, const QStringList& paths)
{
    QList<QByteArray> lines{"Raw Glimmerbox File Format", "Open Format for easy editing"};
    for (const QString& value : QStringList{title, speed, frames, size} + paths)
        lines << value.toUtf8();
    return textLines(lines);
}

QString defaults()
{
    return QStringLiteral("My Animation|1|20||0") + QString(50, QLatin1Char('|'));
}

} // namespace

class EditorRawFilesTest final : public QObject {
    Q_OBJECT
private slots:
    void bothDialogsAskForRawFilesAndACancelEndsSilently()
    {
        EditorSession s;
        s.chooseIcon(s.smallIcon("a.ico"));
        const QString before = s.animation();
        s.editor().Image16_Click(); // empty script: cancelled
        s.editor().Image17_Click();
        QCOMPARE(s.t.dialogs.requests.size(), std::size_t{3});
        QCOMPARE(s.t.dialogs.requests[1].mode, FileDialogMode::Save);
        QCOMPARE(s.t.dialogs.requests[2].mode, FileDialogMode::Open);
        for (std::size_t i = 1; i < 3; ++i) {
            QCOMPARE(s.t.dialogs.requests[i].filter, kRawFilter);
            QCOMPARE(s.t.dialogs.requests[i].fileName, QString());
        }
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.animation(), before);
        QCOMPARE(QDir(s.t.folder.path()).entryList(QDir::Files), QStringList{"a.ico"});
    }

    void savingWithoutFramesSaysSoAfterTheDialog()
    {
        EditorSession s;
        int requestsWhenTold = -1;
        s.t.messages.onShow = [&](const ShownMessage&) {
            requestsWhenTold = static_cast<int>(s.t.dialogs.requests.size());
        };
        s.save(s.t.path("new.rgx"));
        QCOMPARE(requestsWhenTold, 1);
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationHasNoFrames});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(s.t.path("new.rgx")));
    }

    void twentyFramesWithOneIconGiveTwentySixLines()
    {
        EditorSession s;
        const QString icon = s.smallIcon("one.ico");
        s.chooseIcon(icon);
        s.save(s.t.path("one.rgx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kFileSavedSuccessfully});
        QCOMPARE(s.t.messages.shown.front().title, kProgramName);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Information);
        const QByteArray expected =
            rawFile("My Animation", "1", "20", "318", QStringList{icon} + QStringList(19));
        QCOMPARE(readFile(s.t.path("one.rgx")), expected);
        QCOMPARE(expected.count("\r\n"), 26);
    }

    void onlyThePathsUpToTheFrameCountAreSaved()
    {
        EditorSession s;
        QStringList paths;
        for (int i = 1; i <= 10; ++i) {
            paths << s.smallIcon(QStringLiteral("f%1.ico").arg(i), i);
            s.chooseIconFor(i, paths.last());
        }
        s.setFrameCount(5);
        s.setSpeed(10);
        s.editor().Nametxt->setText("Five");
        s.save(s.t.path("five.rgx"));
        QCOMPARE(readFile(s.t.path("five.rgx")),
                 rawFile("Five", "10", "5", "318", paths.mid(0, 5)));
        QCOMPARE(s.frameFile(10), paths[9]); // still in memory
    }

    void aSavedAnimationLoadsBackTheSame_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("iconName");
        QTest::newRow("plain") << "My Animation"
                               << "plain.ico";
        QTest::newRow("comma in title and path") << "Clouds, rain"
                                                 << "a,b.ico";
        QTest::newRow("blanks at the ends") << " padded "
                                            << " lead.ico";
        QTest::newRow("Windows-1252 title") << "Crème brûlé€"
                                            << "ü.ico";
        QTest::newRow("quote inside") << "say \"hi\""
                                      << "q\"uote.ico";
        // Bytes Windows-1252 leaves unassigned or calls control characters, which
        // other code pages use for letters.
        QTest::newRow("bytes 7F 81 8D 8F 90 9D")
            << QStringLiteral("a\u007F\u0081\u008D\u008F\u0090\u009D") << "b.ico";
    }

    void aSavedAnimationLoadsBackTheSame()
    {
        QFETCH(QString, title);
        QFETCH(QString, iconName);
        EditorSession s;
        const QString first = s.smallIcon(iconName, 4);
        const QString other = s.smallIcon("other.ico", 6);
        s.chooseIconFor(1, first);
        s.chooseIconFor(13, other);
        s.chooseIconFor(30, other);
        s.editor().Nametxt->setText(title);
        s.setSpeed(6);
        s.setFrameCount(30);
        s.goToFrame(13);
        const QString saved = s.animation();
        s.save(s.t.path("round.rgx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kFileSavedSuccessfully});

        s.t.messages.answers = {MessageAnswer::Yes};
        s.editor().Image9_Click();
        s.t.messages.clear();
        s.load(s.t.path("round.rgx"));
        QVERIFY2(s.t.messages.shown.empty(), qPrintable(s.t.messages.texts().join('\n')));
        QCOMPARE(s.animation(), saved);
        Customfrm& f = s.editor();
        QCOMPARE(f.VScroll2->value(), 5);
        QCOMPARE(f.VScroll1->value(), 21);
        QCOMPARE(f.HScroll1->maximum(), 30);
        QCOMPARE(f.HScroll1->value(), 1);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("1"));
        QCOMPARE(f.Filenamelbl->text(), first);
        QVERIFY(!s.shownPicture().isNull());
    }

    void aValueThatCannotBeWrittenStopsTheSaveWithNoFile_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("iconName");
        QTest::addColumn<QString>("message");
        QTest::newRow("path with comma and quote") << "Fine"
                                                   << "a,\"b.ico" << iconPathHoldsCommaAndQuote(1);
        QTest::newRow("path with a line break") << "Fine"
                                                << "line\nbreak.ico" << iconPathHoldsLineBreak(1);
        QTest::newRow("title with comma and quote") << "a,\"b"
                                                    << "fine.ico" << kTitleHoldsCommaAndQuote;
    }

    void aValueThatCannotBeWrittenStopsTheSaveWithNoFile()
    {
        QFETCH(QString, title);
        QFETCH(QString, iconName);
        QFETCH(QString, message);
        EditorSession s;
        s.chooseIcon(s.smallIcon(iconName));
        s.editor().Nametxt->setText(title);
        s.save(s.t.path("new.rgx"));
        QCOMPARE(s.t.messages.texts(), QStringList{message});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(s.t.path("new.rgx")));

        // An existing file of that name is left as it was.
        writeFile(s.t.path("old.rgx"), "old content");
        s.save(s.t.path("old.rgx"));
        QCOMPARE(readFile(s.t.path("old.rgx")), QByteArray("old content"));
    }

    void aNameThatCannotBeCreatedEndsTheSaveSilently()
    {
        EditorSession s;
        s.chooseIcon(s.smallIcon("a.ico"));
        s.save(s.t.path("no/such/folder.rgx"));
        s.save(s.t.folder.path());
        QVERIFY(s.t.messages.shown.empty());
    }

    void theNameMustEndInRgxAndIsTestedBeforeTheEditorIsTouched_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("upper case") << "ANIM.RGX" << true;
        QTest::newRow("lower case") << "anim.rgx" << true;
        QTest::newRow("mixed case") << "anim.RgX" << true;
        QTest::newRow("no dot") << "animrgx" << true;
        QTest::newRow("xrgx") << "anim.xrgx" << true;
        QTest::newRow("gx") << "anim.gx" << false;
        QTest::newRow("rgx and more") << "anim.rgx2" << false;
        QTest::newRow("empty") << "" << false;
    }

    void theNameMustEndInRgxAndIsTestedBeforeTheEditorIsTouched()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        EditorSession s;
        const QString icon = s.smallIcon("a.ico");
        const QString path = name.isEmpty() ? QString() : s.t.path(name);
        if (!path.isEmpty())
            writeFile(path, rawFile("Loaded", "2", "3", "318", {icon, "", ""}));
        s.chooseIconFor(7, icon);
        s.editor().Nametxt->setText("Mine");
        const QString before = s.animation();
        s.load(path);
        if (accepted) {
            QVERIFY(s.t.messages.shown.empty());
            QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Loaded"));
            QCOMPARE(s.frameFile(7), QString()); // the editor was reset before reading
        } else {
            QCOMPARE(s.t.messages.texts(), QStringList{kNotAValidRgxFile});
            QCOMPARE(s.animation(), before);
        }
    }

    void aFileThatCannotBeTakenGivesTheLoadErrorAndANewAnimation_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QStringList one{"ICON"};
        QTest::newRow("frame count 0") << rawFile("T", "1", "0", "318", {});
        QTest::newRow("frame count 51") << rawFile("T", "1", "51", "318", QStringList(51, "ICON"));
        QTest::newRow("speed 11") << rawFile("T", "11", "1", "318", one);
        QTest::newRow("speed 0") << rawFile("T", "0", "1", "318", one);
        QTest::newRow("speed not a number") << rawFile("T", "fast", "1", "318", one);
        QTest::newRow("comma in the title") << rawFile("Clouds, rain", "1", "1", "318", one);
        QTest::newRow("icon size not a number") << rawFile("T", "1", "1", "big", one);
        QTest::newRow("icon size empty") << rawFile("T", "1", "1", "", one);
        QTest::newRow("icon size above 1000") << rawFile("T", "1", "1", "5000", one);
        QTest::newRow("icon size negative") << rawFile("T", "1", "1", "-1", one);
        QTest::newRow("fewer paths than frames") << rawFile("T", "1", "3", "318", one);
        QTest::newRow("header values only") << rawFile("T", "1", "3", "318", {});
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("unclosed quote") << rawFile("\"T", "1", "1", "318", one);
        QTest::newRow("larger than 4 MiB") << rawFile(QString(5 << 20, 'x'), "1", "1", "318", one);
    }

    void aFileThatCannotBeTakenGivesTheLoadErrorAndANewAnimation()
    {
        QFETCH(QByteArray, content);
        EditorSession s;
        const QString icon = s.smallIcon("a.ico");
        content.replace("ICON", icon.toUtf8());
        writeFile(s.t.path("bad.rgx"), content);
        s.chooseIconFor(9, icon);
        s.setSpeed(4);
        s.load(s.t.path("bad.rgx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kErrorWhileLoading});
        QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
        QCOMPARE(s.animation(), defaults());
        QCOMPARE(s.editor().HScroll1->maximum(), 20);
    }

    void aFileThatIsNotThereOrNotAFileGivesTheLoadError_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.rgx";
        QTest::newRow("a folder") << "folder.rgx";
    }

    void aFileThatIsNotThereOrNotAFileGivesTheLoadError()
    {
        QFETCH(QString, name);
        EditorSession s;
        QVERIFY(QDir(s.t.folder.path()).mkdir("folder.rgx"));
        s.load(s.t.path(name));
        QCOMPARE(s.t.messages.texts(), QStringList{kErrorWhileLoading});
        QCOMPARE(s.animation(), defaults());
    }

    void aLongTitleIsCutToTwelveCharacters()
    {
        EditorSession s;
        const QString icon = s.smallIcon("a.ico");
        writeFile(s.t.path("long.rgx"),
                  rawFile("Twenty characters!!!", "3", "2", "318", {icon, icon}));
        s.load(s.t.path("long.rgx"));
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Twenty chara"));
    }

    void aMegabyteLongLineDoesNotBreakTheLoad()
    {
        EditorSession s;
        const QString icon = s.smallIcon("a.ico");
        writeFile(s.t.path("huge.rgx"),
                  rawFile(QString(1 << 20, 'T'), "3", "2", "318", {icon, QString(1 << 20, 'p')}));
        s.load(s.t.path("huge.rgx"));
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.editor().Nametxt->text(), QString(12, 'T'));
        QCOMPARE(s.frameFile(2).size(), 1 << 20);
    }

    void onlyTheIconOfFrameOneIsCheckedOnLoad_data()
    {
        QTest::addColumn<int>("deletedFrame");
        QTest::addColumn<bool>("missing");
        QTest::newRow("frame 1 deleted") << 1 << true;
        QTest::newRow("frame 2 deleted") << 2 << false;
        QTest::newRow("frame 1 is not a picture") << 0 << true;
    }

    void onlyTheIconOfFrameOneIsCheckedOnLoad()
    {
        QFETCH(int, deletedFrame);
        QFETCH(bool, missing);
        EditorSession s;
        const QString one = s.smallIcon("one.ico", 1);
        const QString two = s.smallIcon("two.ico", 2);
        const QString junk = s.icon("junk.ico", QByteArray(318, 'j'));
        const QString first = deletedFrame == 0 ? junk : one;
        writeFile(s.t.path("anim.rgx"), rawFile("Anim", "2", "2", "318", {first, two}));
        if (deletedFrame == 1)
            QVERIFY(QFile::remove(one));
        if (deletedFrame == 2)
            QVERIFY(QFile::remove(two));
        s.load(s.t.path("anim.rgx"));
        if (missing) {
            QCOMPARE(s.t.messages.texts(), QStringList{kListedIconsMissing});
            QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
            QCOMPARE(s.animation(), defaults());
        } else {
            QVERIFY(s.t.messages.shown.empty());
            QCOMPARE(s.frameFile(2), two);
            QCOMPARE(s.editor().Filenamelbl->text(), one);
        }

        // Handed over, as a file manager's double-click does: not while the editor is
        // open; then the editor opens as "Edit" opens it, with the file loaded, or,
        // for a file that fails, with the same sentence and no editor at all.
        s.t.messages.clear();
        openFiles(s.program(), {s.t.path("anim.rgx")});
        QCOMPARE(s.t.messages.texts(), QStringList{cannotOpenWhileOpen("anim.rgx", kEditorTitle)});
        s.editor().Image18_Click();
        s.t.messages.clear();
        openFiles(s.program(), {s.t.path("anim.rgx")});
        QCOMPARE(s.t.program.hasWindow(WindowKind::Editor), !missing);
        if (missing) {
            QCOMPARE(s.t.messages.texts(), QStringList{kListedIconsMissing});
        } else {
            QVERIFY(s.t.messages.shown.empty());
            QVERIFY(s.editor().isVisible());
            QCOMPARE(menuEntries(s.program().tray()), QStringLiteral("----"));
            QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Anim"));
            QCOMPARE(s.editor().Filenamelbl->text(), one);
        }
    }

    void anEmptyFirstPathLoadsWithoutAPicture()
    {
        EditorSession s;
        const QString icon = s.smallIcon("a.ico");
        writeFile(s.t.path("gap.rgx"), rawFile("Gap", "1", "3", "766", {"", icon, ""}));
        s.chooseIcon(icon); // a picture shows before the load
        s.load(s.t.path("gap.rgx"));
        QVERIFY(s.t.messages.shown.empty());
        QVERIFY(s.shownPicture().isNull());
        QCOMPARE(s.editor().Lenlbl->text(), QStringLiteral("766"));
        QCOMPARE(s.editor().model().IconSize, std::int16_t{766});

        // The loaded size rules the icons chosen afterwards.
        s.chooseIconFor(3, icon);
        QCOMPARE(s.t.messages.texts(), QStringList{kSameIconFormatForAllFrames});
    }
};

QTEST_MAIN(EditorRawFilesTest)
#include "tst_editor_rawfiles.moc"
