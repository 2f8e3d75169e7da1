// The about box as a window: its layout and stacking, the Close button, and what
// closing it gives back to the tray menu and the options window.

#include "AboutTesting.h"
#include "Texts.h"
#include "options/Optionfrm.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Records which of the tray entries and the options window become enabled.
class EnableRecorder final : public QObject {
public:
    EnableRecorder(frmTray& tray, Optionfrm& options)
    {
        for (QAction* action : tray.menu().actions()) {
            connect(action, &QAction::enabledChanged, this, [this, action](bool enabled) {
                if (enabled)
                    order << action->text();
            });
        }
        options.installEventFilter(this);
    }

    QStringList order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange && static_cast<QWidget*>(watched)->isEnabled())
            order << QStringLiteral("Optionfrm");
        return false;
    }
};

QString nameOf(const QWidget* widget)
{
    return widget ? widget->objectName() : QStringLiteral("(window)");
}

} // namespace

class AboutWindowTest final : public QObject {
    Q_OBJECT
private slots:
    void theWindowIsCentredWithItsTitleAndSize()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        QCOMPARE(about.windowTitle(), kAboutTitle);
        QCOMPARE(about.size(), QSize(304, 189));
        QCOMPARE(about.pos(), QPoint((1024 - 304) / 2, (768 - 189) / 2));
    }

    void everyControlSitsWhereTheLayoutPutsIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("box");
        QTest::newRow("Shape1") << "Shape1" << twipsRect(120, 120, 4335, 2295);
        QTest::newRow("Shape2") << "Shape2" << twipsRect(1080, 120, 2535, 2655);
        QTest::newRow("Label1") << "Label1" << twipsRect(480, 240, 3615, 495);
        QTest::newRow("Image2") << "Image2" << twipsRect(720, 240, 255, 495);
        QTest::newRow("Image3") << "Image3" << twipsRect(1680, 240, 375, 495);
        QTest::newRow("Label2") << "Label2" << twipsRect(360, 840, 3855, 255);
        QTest::newRow("Label3") << "Label3" << twipsRect(480, 1200, 735, 255);
        QTest::newRow("Label4") << "Label4" << twipsRect(480, 1440, 3615, 255);
        QTest::newRow("Label5") << "Label5" << twipsRect(480, 1680, 3495, 255);
        QTest::newRow("Label7") << "Label7" << twipsRect(3000, 1680, 1095, 255);
        QTest::newRow("picimage") << "picimage" << twipsRect(1560, 720, 1575, 1455);
        for (int i = 0; i < 5; ++i) {
            const QString name = QStringLiteral("Imager%1").arg(i);
            QTest::newRow(qPrintable(name)) << name << twipsRect(600, 2160, 480, 480);
        }
        QTest::newRow("Image1") << "Image1" << twipsRect(1440, 2280, 1815, 375);
        QTest::newRow("Label6") << "Label6" << twipsRect(1440, 2280, 1815, 375);
        QTest::newRow("Shape3") << "Shape3" << twipsRect(1440, 2280, 1815, 375);
    }

    void everyControlSitsWhereTheLayoutPutsIt()
    {
        QFETCH(QString, name);
        QFETCH(QRect, box);
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        const QWidget* control = about.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), box);
    }

    void theTextsAndColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<bool>("white");
        QTest::newRow("Label1") << "Label1"
                                << "Glimmerbox" << int(Qt::AlignHCenter) << false;
        QTest::newRow("Label2") << "Label2"
                                << "" << int(Qt::AlignHCenter) << true;
        QTest::newRow("Label3") << "Label3"
                                << "Contact:" << int(Qt::AlignLeft) << false;
        QTest::newRow("Label4") << "Label4"
                                << "" << int(Qt::AlignLeft) << true;
        QTest::newRow("Label5") << "Label5"
                                << "" << int(Qt::AlignLeft) << true;
        QTest::newRow("Label7") << "Label7"
                                << "Version 2.0" << int(Qt::AlignRight) << false;
    }

    void theTextsAndColours()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, horizontal);
        QFETCH(bool, white);
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        const auto* label = about.findChild<QLabel*>(name);
        QVERIFY(label);
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), horizontal);
        QVERIFY(!label->autoFillBackground());
        const QColor ink = label->palette().color(QPalette::WindowText);
        QCOMPARE(ink, white ? QColor(Qt::white) : buttonFaceColor());

        // Every text is whole inside its label, at the label's own font.
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(metrics.tightBoundingRect(label->text()).height() <= label->height());
    }

    void theSecondContactLineEndsBeforeTheVersion()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        const int contactEnd =
            about.Label5->x() +
            QFontMetrics(about.Label5->font()).horizontalAdvance(about.Label5->text());
        const int versionStart =
            about.Label7->geometry().right() + 1 -
            QFontMetrics(about.Label7->font()).horizontalAdvance(about.Label7->text());
        QVERIFY2(contactEnd < versionStart,
                 qPrintable(QStringLiteral("%1 >= %2").arg(contactEnd).arg(versionStart)));
    }

    void theTitleIsLargeArial()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        QCOMPARE(about.Label1->font().pointSizeF(), 21.75);
        QCOMPARE(about.Label1->font().families().value(0), QStringLiteral("Arial"));
        QCOMPARE(about.Label1->font().styleHint(), QFont::SansSerif);
        QCOMPARE(about.Label6->text(), QStringLiteral("Close"));
        QCOMPARE(about.Shape1->fillColor(), buttonShadowColor());
        QCOMPARE(about.Shape2->fillColor(), buttonShadowColor());
    }

    void clicksReachTheControlOnTop_data()
    {
        QTest::addColumn<bool>("revealedFirst");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("receiver");
        QTest::newRow("left spot over the title") << false << "left"
                                                  << "Image2";
        QTest::newRow("right spot over the title") << false << "right"
                                                   << "Image3";
        QTest::newRow("title off the spots") << false << "Label1"
                                             << "Label1";
        QTest::newRow("version over the second contact") << false << "Label7"
                                                         << "Label7";
        QTest::newRow("Close") << false << "close"
                               << "Image1";
        QTest::newRow("panel") << false << "background"
                               << "(window)";
        QTest::newRow("picture's place, hidden") << false << "picture"
                                                 << "Label4";
        QTest::newRow("picture over the texts") << true << "picture"
                                                << "picimage";
        QTest::newRow("left spot, gone") << true << "left"
                                         << "Label1";
        QTest::newRow("right spot, still there") << true << "right"
                                                 << "Image3";
        QTest::newRow("Close, after the reveal") << true << "close"
                                                 << "Image1";
    }

    void clicksReachTheControlOnTop()
    {
        QFETCH(bool, revealedFirst);
        QFETCH(QString, at);
        QFETCH(QString, receiver);
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        if (revealedFirst) {
            about.Image2_Click();
            about.Image3_Click();
        }
        QCOMPARE(nameOf(about.childAt(spot(at))), receiver);
    }

    void theStackFromTheTop()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        QStringList fromTop;
        const QObjectList& children = about.children();
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            const auto* widget = qobject_cast<const QWidget*>(*it);
            if (widget && !widget->objectName().startsWith(QStringLiteral("Imager")))
                fromTop << widget->objectName();
        }
        QCOMPARE(fromTop, (QStringList{"picimage", "Image3", "Image2", "Label7", "Label5", "Label4",
                                       "Label3", "Label2", "Label1", "Image1", "Label6", "Shape3",
                                       "Shape2", "Shape1"}));
    }

    void theCloseButtonLooksPressedWhileHeld()
    {
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        QWindow* window = about.windowHandle();
        QCOMPARE(about.Shape3->fillColor(), buttonFaceColor());

        // Held, then let go off the button: the face comes back and nothing closes.
        QTest::mousePress(window, Qt::LeftButton, {}, spot("close"));
        QCOMPARE(about.Shape3->fillColor(), buttonShadowColor());
        QTest::mouseRelease(window, Qt::LeftButton, {}, spot("background"));
        QCOMPARE(about.Shape3->fillColor(), buttonFaceColor());
        QVERIFY(t.hasAboutfrm());

        QTest::mousePress(window, Qt::LeftButton, {}, spot("close"));
        QCOMPARE(about.Shape3->fillColor(), buttonShadowColor());
        QVERIFY(t.hasAboutfrm());
        QTest::mouseRelease(window, Qt::LeftButton, {}, spot("close"));
        QVERIFY(!t.hasAboutfrm());
        QCOMPARE(menuEntries(t.program.tray()), QStringLiteral("OEAX"));
    }

    void closingGivesBackTheMenuAndTheOptions_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("Close button") << true;
        QTest::newRow("close box") << false;
    }

    // Everything the box took is given back, once each, whichever way it closes.
    void closingGivesBackTheMenuAndTheOptions()
    {
        QFETCH(bool, byCloseButton);
        TestProgram t;
        Aboutfrm& about = openAbout(t);
        EnableRecorder recorder(t.program.tray(), t.optionfrm());
        if (byCloseButton)
            about.Image1->simulateClick();
        else
            about.close();
        recorder.order.sort();
        QCOMPARE(recorder.order, (QStringList{"About", "Edit", "Exit", "Optionfrm", "Options"}));
        QVERIFY(!about.Timer1.isActive());
        QVERIFY(!t.hasAboutfrm());
    }

    void theOptionsWindowStaysHiddenAndEnabledAfterAbout_data()
    {
        QTest::addColumn<bool>("existedBefore");
        QTest::newRow("options window existed") << true;
        QTest::newRow("options window did not exist") << false;
    }

    void theOptionsWindowStaysHiddenAndEnabledAfterAbout()
    {
        QFETCH(bool, existedBefore);
        TestProgram t;
        t.program.start();
        const Optionfrm* before = existedBefore ? &t.optionfrm() : nullptr;
        QCOMPARE(t.hasOptionfrm(), existedBefore);

        Aboutfrm& about = openAbout(t);
        QCOMPARE(menuEntries(t.program.tray()), QStringLiteral("----"));
        QVERIFY(t.hasOptionfrm());
        QVERIFY(!t.optionfrm().isEnabled());
        if (existedBefore)
            QCOMPARE(&t.optionfrm(), before);

        about.Image1_Click();
        QCOMPARE(menuEntries(t.program.tray()), QStringLiteral("OEAX"));
        QVERIFY(t.hasOptionfrm());
        QVERIFY(t.optionfrm().isEnabled());
        QVERIFY(!t.optionfrm().isVisible());
        if (existedBefore)
            QCOMPARE(&t.optionfrm(), before);
    }

    void closingCreatesTheOptionsWindowWhenItIsMissing()
    {
        // An about box reached without the menu command (nothing disabled the
        // options window first) still leaves it created, hidden and enabled.
        TestProgram t;
        t.program.start();
        Aboutfrm& about = t.aboutfrm();
        QVERIFY(!t.hasOptionfrm());
        about.Image1_Click();
        QVERIFY(t.hasOptionfrm());
        QVERIFY(t.optionfrm().isEnabled());
        QVERIFY(!t.optionfrm().isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "tst_about_window.moc"
