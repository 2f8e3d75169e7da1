// The about box's hidden animation: the two spots, the frames and the message.

#include "AboutTesting.h"
#include "Texts.h"
#include "platform/widgets/ClickImage.h"

#include <QFile>
#include <QLabel>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// The five test frames: solid colours, so the shown frame is known by its colour.
const QColor frameColours[5] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};

void giveTestFrames(Aboutfrm& about)
{
    for (std::size_t i = 0; i < about.Imager.size(); ++i) {
        QPixmap frame(32, 32);
        frame.fill(frameColours[i]);
        about.Imager[i]->setPixmap(frame);
    }
}

/// The index of the frame `picimage` shows, -1 when it shows nothing.
int shownFrame(const Aboutfrm& about)
{
    const QPixmap shown = about.picimage->pixmap();
    if (shown.isNull())
        return -1;
    const QColor colour = shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2);
    for (int i = 0; i < 5; ++i) {
        if (colour == frameColours[i])
            return i;
    }
    return -2;
}

bool revealed(const Aboutfrm& about)
{
    return about.picimage->isVisible();
}

} // namespace

class AboutSurpriseTest final : public QObject {
    Q_OBJECT
private slots:
    void theSpotsRevealOnlyLeftThenRightWithoutATextOrBackgroundClick_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("reveals");
        QTest::newRow("left, right") << QStringList{"left", "right"} << true;
        QTest::newRow("right, left") << QStringList{"right", "left"} << false;
        QTest::newRow("right only") << QStringList{"right"} << false;
        QTest::newRow("left only") << QStringList{"left"} << false;
        QTest::newRow("left, left, right") << QStringList{"left", "left", "right"} << true;
        QTest::newRow("right, left, right") << QStringList{"right", "left", "right"} << true;
        QTest::newRow("left, Contact:, right") << QStringList{"left", "Label3", "right"} << false;
        QTest::newRow("left, the title off the spots, right")
            << QStringList{"left", "Label1", "right"} << false;
        QTest::newRow("left, rights line, right")
            << QStringList{"left", "Label2", "right"} << false;
        QTest::newRow("left, first contact, right")
            << QStringList{"left", "Label4", "right"} << false;
        QTest::newRow("left, second contact, right")
            << QStringList{"left", "Label5", "right"} << false;
        QTest::newRow("left, version, right") << QStringList{"left", "Label7", "right"} << false;
        QTest::newRow("left, background, right")
            << QStringList{"left", "background", "right"} << false;
        QTest::newRow("left, background, left, right")
            << QStringList{"left", "background", "left", "right"} << true;
        QTest::newRow("left, where the picture will be, right")
            << QStringList{"left", "picture", "right"} << false;
    }

    void theSpotsRevealOnlyLeftThenRightWithoutATextOrBackgroundClick()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, reveals);
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        for (const QString& click : clicks)
            clickAt(about, click);
        QCOMPARE(revealed(about), reveals);
        QCOMPARE(about.Timer1.isActive(), reveals);
        QCOMPARE(about.Image2->isVisible(), !reveals);
        QCOMPARE(about.armed(), clicks.last() == QStringLiteral("left"));
        QVERIFY(t.messages.shown.empty());
    }

    void aRightButtonOnTheBackgroundKeepsTheSequence()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        clickAt(about, "left");
        clickAt(about, "background", Qt::RightButton);
        QVERIFY(about.armed());
        clickAt(about, "right");
        QVERIFY(revealed(about));
    }

    void theRevealCannotBeRepeatedAndTheTimerKeepsRunning()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        clickAt(about, "left");
        clickAt(about, "right");
        QVERIFY(revealed(about));
        QCOMPARE(about.Timer1.interval(), 1000);

        // The left spot is gone: a click there lands on the title and arms nothing.
        QCOMPARE(about.childAt(spot("left")), about.Label1);
        clickAt(about, "left");
        QVERIFY(!about.armed());
        clickAt(about, "right");
        QVERIFY(about.Timer1.isActive());
        QVERIFY(revealed(about));
    }

    void thePictureIsEmptyForASecondThenCyclesFromFrameOne()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        giveTestFrames(about);
        QVERIFY(!about.Timer1.isActive());
        clickAt(about, "left");
        clickAt(about, "right");
        QCOMPARE(shownFrame(about), -1);
        QCOMPARE(about.frameCounter(), qint16(0));

        QList<int> shown;
        for (int tick = 0; tick < 11; ++tick) {
            about.Timer1_Timer();
            shown << shownFrame(about);
            QCOMPARE(about.frameCounter(), qint16(shown.back()));
        }
        QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1}));
        // Stretched to the picture's box, not shown at 32 x 32.
        QCOMPARE(about.picimage->pixmap().size(), about.picimage->size());
    }

    void theTimerDrivesTheAnimation()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        giveTestFrames(about);
        clickAt(about, "left");
        clickAt(about, "right");
        about.Timer1.setInterval(5); // the real second is not worth waiting for
        QTRY_VERIFY(shownFrame(about) >= 0);
    }

    void aMissingFrameShowsNothing()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        giveTestFrames(about);
        about.Imager[2]->clear();
        clickAt(about, "left");
        clickAt(about, "right");
        about.Timer1_Timer();
        QCOMPARE(shownFrame(about), 1);
        about.Timer1_Timer();
        QCOMPARE(shownFrame(about), -1);
        about.Timer1_Timer();
        QCOMPARE(shownFrame(about), 3);
    }

    void theFramesComeFromTheArtworkAtThirtyTwoPixels()
    {
        if (!QFile::exists(QStringLiteral(":/about/0.ico")))
            QSKIP("the about box artwork is not built in");
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        for (std::size_t i = 0; i < about.Imager.size(); ++i) {
            QCOMPARE(about.Imager[i]->pixmap().size(), QSize(32, 32));
            QVERIFY(!about.Imager[i]->isVisible());
        }
    }

    void everyClickOnThePictureCongratulates()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        clickAt(about, "picture"); // before the reveal this is a text, not the picture
        QVERIFY(t.messages.shown.empty());

        clickAt(about, "left");
        clickAt(about, "right");
        for (int click = 1; click <= 3; ++click) {
            clickAt(about, "picture");
            QCOMPARE(int(t.messages.shown.size()), click);
            const ShownMessage& message = t.messages.shown.back();
            QCOMPARE(message.text, kCongratulations);
            QCOMPARE(message.buttons, MessageButtons::Ok);
            QCOMPARE(message.icon, MessageIcon::None);
            QCOMPARE(message.title, kProgramName);
        }
        QVERIFY(revealed(about));
    }

    void reopeningShowsTheBoxWithTheSurpriseHidden()
    {
        TestProgram t;
        Aboutfrm& first = openAbout(t);
        giveTestFrames(first);
        clickAt(first, "left");
        clickAt(first, "right");
        first.Timer1_Timer();
        first.Timer1_Timer();
        QPointer<Aboutfrm> old(&first);
        clickAt(first, "close");
        QVERIFY(!t.hasAboutfrm());
        QVERIFY(old.isNull() || !old->Timer1.isActive());
        QTRY_VERIFY(old.isNull());

        Aboutfrm& second = openAbout(t);
        QVERIFY(!second.picimage->isVisible());
        QVERIFY(second.picimage->pixmap().isNull());
        QVERIFY(second.Image2->isVisible());
        QVERIFY(!second.Timer1.isActive());
        QVERIFY(!second.armed());
        QCOMPARE(second.frameCounter(), qint16(0));
        clickAt(second, "right");
        QVERIFY(!second.picimage->isVisible());
    }
};

QTEST_MAIN(AboutSurpriseTest)
#include "tst_about_surprise.moc"
