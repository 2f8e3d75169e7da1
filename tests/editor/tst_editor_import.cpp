// Import: pictures become the editor's animation, through the Import button.

#include "EditorSession.h"
#include "Texts.h"
#include "files/Animation.h"
#include "formats/icon_rules.h"
#include "platform/FilePath.h"
#include "platform/Pictures.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

const QString kPictures = QStringLiteral(GLIMMER_TEST_DATA_DIR "/pictures");

/// The colour in the middle of frame `frame` as the icon file holds it.
QColor frameColour(EditorSession& s, int frame)
{
    const auto picture = Pictures::load(s.frameFile(frame));
    return picture ? picture->pixelColor(8, 8) : QColor();
}

} // namespace

class EditorImportTest final : public QObject {
    Q_OBJECT
private slots:
    void anAnimatedGifBecomesTheAnimation()
    {
        EditorSession s;
        QFile::copy(kPictures + "/three-frames.gif", s.t.path("three-frames.gif"));
        s.importPictures({s.t.path("three-frames.gif")});

        QVERIFY(s.t.messages.shown.empty());
        Customfrm& editor = s.editor();
        QCOMPARE(editor.Nametxt->text(), QStringLiteral("three-frames"));
        QCOMPARE(editor.Speedtxt->text(), QStringLiteral("8")); // 100 ms a frame
        QCOMPARE(editor.Framestxt->text(), QStringLiteral("3"));
        QCOMPARE(editor.Lenlbl->text(), QStringLiteral("318"));
        QCOMPARE(editor.frontPage(), editor.Tab2);
        QCOMPARE(editor.Framelbl->text(), QStringLiteral("1"));
        QVERIFY(!s.shownPicture().isNull());

        const QList<QColor> colours{Qt::red, Qt::blue, Qt::green};
        for (int i = 1; i <= 3; ++i) {
            const QString icon = s.frameFile(i);
            QCOMPARE(icon, QDir::toNativeSeparators(s.t.path(
                               QStringLiteral("three-frames-frames/three-frames0%1.ico").arg(i))));
            const auto check = checkFrameIcon(icon, 318);
            QCOMPARE(check.verdict, formats::IconVerdict::Accepted);
            QCOMPARE(frameColour(s, i), colours[i - 1]);
        }

        // Save and Compile take it from here as from any animation.
        s.compile(s.t.path("three.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});
        QCOMPARE(QFileInfo(s.t.path("three.gx")).size(), 26 + 3 * 318);
    }

    void aStripGivesSquareFramesAndAnOtherPictureOne_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("frames");
        QTest::newRow("4 squares of 32") << 128 << 32 << 4;
        QTest::newRow("3 squares of 16") << 48 << 16 << 3;
        QTest::newRow("2 squares: a wide button") << 32 << 16 << 1;
        QTest::newRow("one and a half squares") << 48 << 32 << 1;
        QTest::newRow("taller than wide") << 16 << 48 << 1;
        QTest::newRow("one square") << 24 << 24 << 1;
    }

    void aStripGivesSquareFramesAndAnOtherPictureOne()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, frames);
        EditorSession s;
        const QList<QColor> colours{Qt::red, Qt::yellow, Qt::blue, Qt::white};
        s.importPictures({s.picture("walk.png", width, height, colours)});
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.editor().Framestxt->text().toInt(), frames);
        QCOMPARE(s.editor().Speedtxt->text(), QStringLiteral("5")); // no delay known
        if (frames > 1) {
            for (int i = 1; i <= frames; ++i)
                QCOMPARE(frameColour(s, i), colours[i - 1]);
        }
    }

    // An icon or cursor file is one frame: its 16x16 picture, else its largest.
    void iconFilesGiveThePictureThatSuitsAFrameBest_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("colour");
        // Its middle pixel is a dark green, whose nearest standard colour is green.
        QTest::newRow("one 16x16 picture") << "smile-16x16-16colour.ico" << QColor(0, 128, 0);
        QTest::newRow("32, 16 and 48: the 16") << "sizes-32-16-48.ico" << QColor(Qt::blue);
        QTest::newRow("24, 48 and 32: the 48") << "sizes-24-48-32.ico" << QColor(Qt::yellow);
        QTest::newRow("a cursor") << "cursor.cur" << QColor(Qt::blue);
    }

    void iconFilesGiveThePictureThatSuitsAFrameBest()
    {
        QFETCH(QString, file);
        QFETCH(QColor, colour);
        EditorSession s;
        const QString data = QStringLiteral(GLIMMER_TEST_DATA_DIR) +
                             (file.startsWith("smile") ? "/ico/" : "/pictures/") + file;
        QVERIFY(QFile::copy(data, s.t.path(file)));
        s.importPictures({s.t.path(file)});
        QCOMPARE(s.t.messages.texts(), QStringList());
        QCOMPARE(s.editor().Framestxt->text(), QStringLiteral("1"));
        QCOMPARE(frameColour(s, 1), colour);
    }

    void severalPicturesGiveOneFrameEachInNaturalOrder()
    {
        EditorSession s;
        s.importPictures({s.picture("Walk 10.png", 16, 16, {Qt::blue}),
                          s.picture("walk 2.png", 20, 20, {Qt::red}),
                          s.picture("Walk 1.png", 64, 16, {Qt::yellow})}); // a strip counts once
        QCOMPARE(s.editor().Framestxt->text(), QStringLiteral("3"));
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Walk 1"));
        QCOMPARE(frameColour(s, 1), QColor(Qt::yellow));
        QCOMPARE(frameColour(s, 2), QColor(Qt::red));
        QCOMPARE(frameColour(s, 3), QColor(Qt::blue));
        QVERIFY(s.frameFile(1).endsWith(QStringLiteral("Walk 1-frames/Walk 101.ico")));
    }

    void moreThanFiftyFramesKeepTheFirstFiftyAndSaySo()
    {
        EditorSession s;
        QList<QColor> colours;
        for (int i = 0; i < 60; ++i)
            colours << QColor::fromHsv(i * 6, 255, 255);
        s.importPictures({s.picture("long.png", 60 * 16, 16, colours)});
        QCOMPARE(s.editor().Framestxt->text(), QStringLiteral("50"));
        QCOMPARE(s.t.messages.texts(), QStringList{kOnlyFirstFiftyFramesImported});
        QCOMPARE(QDir(s.t.path("long-frames")).entryList(QDir::Files).size(), 50);
    }

    void anExistingFramesFolderIsLeftAloneAndTheTitleIsCut()
    {
        EditorSession s;
        QVERIFY(QDir(s.t.folder.path()).mkdir("a very long name indeed-frames"));
        s.importPictures({s.picture("a very long name indeed.png", 16, 16, {Qt::red})});
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("a very long"));
        QVERIFY(s.frameFile(1).contains(QStringLiteral("a very long name indeed-frames-2")));
        QVERIFY(QDir(s.t.path("a very long name indeed-frames")).isEmpty());

        // A title is always one that Save can write: double quotes are left out.
        s.t.messages.clear();
        s.importPictures({s.picture("\"ball\", 2.png", 16, 16, {Qt::blue})});
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("ball, 2"));
        s.t.dialogs.answers.push_back(s.t.path("ball.rgx"));
        s.editor().Image16_Click();
        QCOMPARE(s.t.messages.texts(), QStringList{kFileSavedSuccessfully});
    }

    void aCancelledDialogChangesNothing()
    {
        EditorSession s;
        s.editor().Nametxt->setText("Kept");
        s.editor().Image19_Click(); // the empty script cancels
        QCOMPARE(s.editor().Nametxt->text(), QStringLiteral("Kept"));
        QVERIFY(s.t.messages.shown.empty());
        QVERIFY(s.t.dialogs.requests.back().filter.startsWith(kPictureFilterStart));
        QVERIFY(s.t.dialogs.requests.back().filter.contains(QStringLiteral("*.gif")));
    }
};

QTEST_MAIN(EditorImportTest)
#include "tst_editor_import.moc"
