// "Choose Icon": the file dialog, the icon rules and what an accepted icon changes.

#include "EditorSession.h"
#include "Texts.h"
#include "platform/widgets/ClickImage.h"

#include <QDir>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// The frame's path, the label, the size in both forms and whether a picture shows.
QString frameState(EditorSession& s, int frame)
{
    Customfrm& f = s.editor();
    return QStringList{s.frameFile(frame), f.Filenamelbl->text(), f.Lenlbl->text(),
                       QString::number(s.editor().model().IconSize),
                       s.shownPicture().isNull() ? "no picture" : "picture"}
        .join(';');
}

} // namespace

class EditorIconsTest final : public QObject {
    Q_OBJECT
private slots:
    void theDialogAsksForIconFilesAndACancelChangesNothing()
    {
        EditorSession s;
        s.t.dialogs.answers.push_back(std::nullopt);
        s.editor().Image10->simulateClick();
        QCOMPARE(s.t.dialogs.requests.size(), std::size_t{1});
        const FileDialogRequest& request = s.t.dialogs.requests.front();
        QCOMPARE(request.mode, FileDialogMode::Open);
        QCOMPARE(request.fileName, QString());
        QCOMPARE(request.filter, kIconFilter);
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(frameState(s, 1), QStringLiteral(";;;0;no picture"));
    }

    void theFirstIconDecidesAndLaterOnesAreChecked_data()
    {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<int>("firstLength");
        QTest::addColumn<QString>("firstMessage");
        QTest::addColumn<QString>("secondName");
        QTest::addColumn<int>("secondLength");
        QTest::addColumn<QString>("secondMessage");
        QTest::addColumn<QString>("size"); // Lenlbl at the end

        // Name test first: nothing about the file matters.
        QTest::newRow("bmp") << "smile.bmp" << 318 << kNotAValidIconFile << "" << 0 << ""
                             << "";
        QTest::newRow("icon") << "smile.icon" << 318 << kNotAValidIconFile << "" << 0 << ""
                              << "";
        QTest::newRow("no dot") << "picnico" << 318 << ""
                                << "" << 0 << ""
                                << "318";
        QTest::newRow("upper case") << "SMILE.ICO" << 766 << ""
                                    << "" << 0 << ""
                                    << "766";
        // Size limit, whether or not a size was accepted.
        QTest::newRow("1000 accepted") << "big.ico" << 1000 << ""
                                       << "" << 0 << ""
                                       << "1000";
        QTest::newRow("1001 refused")
            << "bigger.ico" << 1001 << kIconNotSuitable << "a.ico" << 766 << ""
            << "766";
        QTest::newRow("256 colours") << "256.ico" << 1406 << kIconNotSuitable << "" << 0 << ""
                                     << "";
        QTest::newRow("empty fixes 0") << "empty.ico" << 0 << ""
                                       << "b.ico" << 318 << kSameIconFormatForAllFrames << "0";
        QTest::newRow("318 then 766") << "a.ico" << 318 << ""
                                      << "b.ico" << 766 << kSameIconFormatForAllFrames << "318";
        QTest::newRow("318 then 1406") << "a.ico" << 318 << ""
                                       << "b.ico" << 1406 << kIconNotSuitable << "318";
        QTest::newRow("318 then 318") << "a.ico" << 318 << ""
                                      << "b.ico" << 318 << ""
                                      << "318";
    }

    void theFirstIconDecidesAndLaterOnesAreChecked()
    {
        QFETCH(QString, firstName);
        QFETCH(int, firstLength);
        QFETCH(QString, firstMessage);
        QFETCH(QString, secondName);
        QFETCH(int, secondLength);
        QFETCH(QString, secondMessage);
        QFETCH(QString, size);
        EditorSession s;

        const auto bytesOf = [](int length) {
            switch (length) {
            case 766:
                return iconBytes({.side = 32, .colour = 3});
            case 1406:
                return iconBytes({.bitsPerPixel = 8, .colour = 3});
            default:
                return length >= 318 ? iconBytes({.length = length}) : QByteArray(length, 'x');
            }
        };
        const auto attempt = [&](int frame, const QString& name, int length,
                                 const QString& message) {
            s.t.messages.clear();
            s.goToFrame(frame);
            const QString before = frameState(s, frame);
            const QString path = s.icon(name, bytesOf(length));
            s.chooseIcon(path);
            if (message.isEmpty()) {
                QVERIFY(s.t.messages.shown.empty());
                QCOMPARE(s.frameFile(frame), path);
                QCOMPARE(s.editor().Filenamelbl->text(), path);
            } else {
                QCOMPARE(s.t.messages.texts(), QStringList{message});
                QCOMPARE(s.t.messages.shown.front().title, kErrorTitle);
                QCOMPARE(s.t.messages.shown.front().icon, MessageIcon::Critical);
                QCOMPARE(frameState(s, frame), before); // a refusal changes nothing
            }
        };
        attempt(1, firstName, firstLength, firstMessage);
        if (!secondName.isEmpty())
            attempt(2, secondName, secondLength, secondMessage);
        QCOMPARE(s.editor().Lenlbl->text(), size);
        QCOMPARE(s.editor().model().IconSize, static_cast<std::int16_t>(size.toInt()));
    }

    void anAcceptedIconBelongsToTheCurrentFrameOnly()
    {
        EditorSession s;
        Customfrm& f = s.editor();
        const QString path = s.smallIcon("seven.ico");
        s.goToFrame(7);
        s.chooseIcon(path);
        QCOMPARE(f.HScroll1->value(), 7);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("7"));
        QCOMPARE(frameState(s, 7), path + ";" + path + ";318;318;picture");
        for (int i = 1; i <= 50; ++i)
            QCOMPARE(s.frameFile(i), i == 7 ? path : QString());

        s.goToFrame(8);
        QCOMPARE(frameState(s, 8), QStringLiteral(";;318;318;no picture"));
        QVERIFY(s.t.messages.shown.empty());
    }

    void aSecondChoiceReplacesPathAndPicture()
    {
        EditorSession s;
        const QString red = s.smallIcon("red.ico", 1);
        const QString blue = s.smallIcon("blue.ico", 9);
        s.chooseIconFor(3, red);
        const QImage first = s.shownPicture();
        s.chooseIcon(blue);
        QCOMPARE(s.frameFile(3), blue);
        QCOMPARE(s.editor().Filenamelbl->text(), blue);
        QVERIFY(!s.shownPicture().isNull());
        QVERIFY(s.shownPicture() != first);
        QCOMPARE(s.shownPicture().size(), QSize(33, 33));
    }

    void theSizeStaysUntilANewAnimation()
    {
        EditorSession s;
        s.chooseIconFor(1, s.smallIcon("only.ico"));
        // Even replacing the only icon must keep to its length.
        s.chooseIconFor(1, s.icon("large.ico", iconBytes({.side = 32, .colour = 2})));
        QCOMPARE(s.t.messages.texts(), QStringList{kSameIconFormatForAllFrames});

        s.t.messages.answers = {MessageAnswer::Yes};
        s.editor().Image9_Click();
        s.t.messages.clear();
        s.chooseIconFor(1, s.t.path("large.ico"));
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.editor().Lenlbl->text(), QStringLiteral("766"));
    }

    void aNonIconOfTheRightLengthIsRecordedWithoutAPicture()
    {
        EditorSession s;
        const QString real = s.smallIcon("real.ico");
        const QString fake = s.icon("fake.ico", QByteArray(318, 'z'));
        s.chooseIconFor(2, real);
        const QImage shown = s.shownPicture();
        s.chooseIcon(fake);
        QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(s.frameFile(2), fake);
        QCOMPARE(s.editor().Filenamelbl->text(), fake);
        QCOMPARE(s.shownPicture(), shown); // the picture stays as it was
    }

    void aFileThatCannotBeOpenedEndsTheCommandSilently_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("typed name that does not exist") << "nothere.ico";
        QTest::newRow("a folder named like an icon") << "folder.ico";
        QTest::newRow("empty name") << "";
    }

    void aFileThatCannotBeOpenedEndsTheCommandSilently()
    {
        QFETCH(QString, name);
        EditorSession s;
        QVERIFY(QDir(s.t.folder.path()).mkdir("folder.ico"));
        s.chooseIconFor(4, s.smallIcon("a.ico"));
        const QString before = frameState(s, 4);
        s.chooseIcon(name.isEmpty() ? QString() : s.t.path(name));
        if (name.isEmpty()) // an empty name fails the name test
            QCOMPARE(s.t.messages.texts(), QStringList{kNotAValidIconFile});
        else
            QVERIFY(s.t.messages.shown.empty());
        QCOMPARE(frameState(s, 4), before);
    }
};

QTEST_MAIN(EditorIconsTest)
#include "tst_editor_icons.moc"
