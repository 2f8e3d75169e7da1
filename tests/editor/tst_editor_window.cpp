// The editor window and its model: layout, defaults, spinners, frame display,
// pages, New, Close and the tray menu entries.

#include "EditorSession.h"
#include "Texts.h"
#include "platform/widgets/ClickImage.h"
#include "platform/widgets/Shape.h"
#include "platform/widgets/WindowLook.h"
#include "runtime/frmTray.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Everything the model holds, in one comparable line.
QString model(EditorSession& s)
{
    Customfrm& f = s.editor();
    QStringList paths;
    for (int i = 1; i <= 50; ++i)
        paths << s.frameFile(i);
    return QStringList{f.Nametxt->text(),
                       f.Speedtxt->text(),
                       QString::number(f.VScroll2->value()),
                       f.Framestxt->text(),
                       QString::number(f.VScroll1->value()),
                       QString::number(f.HScroll1->maximum()),
                       QString::number(f.HScroll1->value()),
                       f.Framelbl->text(),
                       f.Filenamelbl->text(),
                       f.Lenlbl->text(),
                       QString::number(s.editor().model().IconSize),
                       f.Iconimg->pixmap().isNull() ? "no picture" : "picture",
                       paths.join('|')}
        .join(';');
}

const QString kDefaults = QStringLiteral("My Animation;1;10;20;31;20;1;1;;;0;no picture;") +
                          QString(49, QLatin1Char('|'));

} // namespace

class EditorWindowTest final : public QObject {
    Q_OBJECT
private slots:
    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("box");
        // Left column and headers, in window pixels.
        QTest::newRow("New") << "Image9" << QRect(8, 8, 73, 33);
        QTest::newRow("New shape") << "Shape4" << QRect(8, 8, 73, 33);
        QTest::newRow("Load") << "Image17" << QRect(8, 48, 73, 33);
        QTest::newRow("Save") << "Image16" << QRect(8, 88, 73, 33);
        QTest::newRow("Close") << "Image18" << QRect(8, 192, 73, 33);
        QTest::newRow("Close caption") << "Label5" << QRect(8, 192, 73, 33);
        QTest::newRow("Information") << "Image5" << QRect(88, 8, 73, 25);
        QTest::newRow("Animation") << "Image6" << QRect(168, 8, 73, 25);
        QTest::newRow("Compile header") << "Image7" << QRect(248, 8, 73, 25);
        QTest::newRow("Shape7") << "Shape7" << QRect(88, 8, 73, 49);
        QTest::newRow("Shape8") << "Shape8" << QRect(168, 8, 73, 33);
        QTest::newRow("Shape9") << "Shape9" << QRect(248, 8, 73, 33);
        QTest::newRow("Line1") << "Line1" << QRect(87, 31, 73, 1);
        QTest::newRow("Line2") << "Line2" << QRect(167, 31, 73, 1);
        QTest::newRow("Line3") << "Line3" << QRect(247, 31, 73, 1);
        QTest::newRow("page frame") << "Shape6" << QRect(88, 32, 297, 193);
        QTest::newRow("Tab1") << "Tab1" << QRect(96, 40, 281, 177);
        QTest::newRow("Tab2") << "Tab2" << QRect(96, 40, 281, 177);
        QTest::newRow("Tab3") << "Tab3" << QRect(96, 40, 281, 177);
        // Page contents, relative to the page.
        QTest::newRow("Label13") << "Label13" << QRect(0, 0, 265, 33);
        QTest::newRow("Label14") << "Label14" << QRect(168, 40, 105, 57);
        QTest::newRow("Nametxt") << "Nametxt" << QRect(0, 56, 153, 19);
        QTest::newRow("Speedtxt") << "Speedtxt" << QRect(0, 104, 57, 19);
        QTest::newRow("VScroll2") << "VScroll2" << QRect(64, 104, 9, 17);
        QTest::newRow("Framestxt") << "Framestxt" << QRect(0, 152, 57, 19);
        QTest::newRow("VScroll1") << "VScroll1" << QRect(64, 152, 9, 17);
        QTest::newRow("Label15") << "Label15" << QRect(0, 0, 281, 25);
        QTest::newRow("Iconimg") << "Iconimg" << QRect(8, 40, 33, 33);
        QTest::newRow("Framelbl") << "Framelbl" << QRect(96, 40, 25, 17);
        QTest::newRow("HScroll1") << "HScroll1" << QRect(48, 56, 225, 17);
        QTest::newRow("Filenamelbl") << "Filenamelbl" << QRect(8, 80, 265, 33);
        QTest::newRow("Label16") << "Label16" << QRect(8, 112, 137, 57);
        QTest::newRow("Choose Icon") << "Image10" << QRect(168, 120, 105, 33);
        QTest::newRow("Label18") << "Label18" << QRect(0, 0, 273, 25);
        QTest::newRow("Label19") << "Label19" << QRect(0, 48, 273, 81);
        QTest::newRow("Compile") << "Image14" << QRect(200, 136, 73, 33);
        QTest::newRow("Compile shape") << "Shape1" << QRect(200, 136, 73, 33);
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, box);
        EditorSession s;
        auto* control = s.editor().findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), box);
    }

    void fixedTextsFitTheirBoxes()
    {
        EditorSession s;
        for (const char* name : {"Label13", "Label14", "Label4", "Label2", "Label1", "Label15",
                                 "Label3", "Label16", "Label18", "Label19", "Label6", "Label17"}) {
            auto* label = s.editor().findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label, name);
            const bool fits =
                label->wordWrap()
                    ? label->heightForWidth(label->width()) <= label->height()
                    : label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
            QVERIFY2(fits, name);
        }
    }

    void theWindowIsCentredWithItsCaptionAndTexts()
    {
        EditorSession s;
        Customfrm& f = s.editor();
        QCOMPARE(f.windowTitle(), kEditorTitle);
        QCOMPARE(f.size(), QSize(393, 233));
        QCOMPARE(f.pos(), QPoint((1024 - 393) / 2, (768 - 233) / 2));
        const QStringList captions{f.Label6->text(),  f.Label7->text(),  f.Label8->text(),
                                   f.Label5->text(),  f.Label10->text(), f.Label11->text(),
                                   f.Label12->text(), f.Label17->text(), f.Label9->text()};
        QCOMPARE(captions, (QStringList{"New", "Load", "Save", "Close", "Information", "Animation",
                                        "Compile", "Choose Icon", "Compile"}));
        QCOMPARE(f.Label19->text(),
                 QStringLiteral(
                     "Once all your information is entered, you can compile your animation into "
                     "a \".GX\" file. You may distribute \".GX\" files however you like. Note that "
                     "you cannot load and edit an animation once it is saved as a \".GX\" file. "
                     "You can only load and edit \".RGX\" files. Press \"Compile\" to start the "
                     "compilation process."));
        QVERIFY(f.Speedtxt->isReadOnly());
        QVERIFY(f.Framestxt->isReadOnly());
        QVERIFY(f.Lenlbl->isHidden());
        QCOMPARE(f.Label13->font().pointSizeF(), 15.0);
        QVERIFY(f.Label13->font().bold());
        QCOMPARE(f.Label6->font().pointSizeF(), 9.75);
    }

    void openingTwiceShowsTheDefaultsBothTimes()
    {
        EditorSession s;
        QCOMPARE(model(s), kDefaults);
        QCOMPARE(s.editor().frontPage(), s.editor().Tab1);
        QVERIFY(s.editor().Line1->isHidden());
        QVERIFY(!s.editor().Line2->isHidden());

        const QString icon = s.smallIcon("a.ico");
        s.chooseIconFor(3, icon);
        s.editor().Nametxt->setText("Changed");
        s.setSpeed(7);
        s.setFrameCount(30);
        s.editor().Image7_Click();
        QVERIFY(model(s) != kDefaults);

        s.editor().Image18_Click();
        QVERIFY(!s.t.hasCustomfrm());
        choose(s.program().tray(), "Edit");
        QCOMPARE(model(s), kDefaults);
        QCOMPARE(s.frameFile(3), QString());
        QCOMPARE(s.editor().frontPage(), s.editor().Tab1);
        QVERIFY(s.t.messages.shown.empty());
    }

    void spinnersShowReversedNumbersWithinTheirLimits_data()
    {
        QTest::addColumn<bool>("speed");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("shown");
        const int up = QAbstractSlider::SliderSingleStepSub;
        const int down = QAbstractSlider::SliderSingleStepAdd;
        QTest::newRow("speed up from 1") << true << 1 << up << "2";
        QTest::newRow("speed up at 10") << true << 10 << up << "10";
        QTest::newRow("speed down at 1") << true << 1 << down << "1";
        QTest::newRow("speed down from 10") << true << 10 << down << "9";
        QTest::newRow("frames up from 20") << false << 20 << up << "21";
        QTest::newRow("frames up at 50") << false << 50 << up << "50";
        QTest::newRow("frames down at 1") << false << 1 << down << "1";
        QTest::newRow("frames down from 50") << false << 50 << down << "49";
    }

    void spinnersShowReversedNumbersWithinTheirLimits()
    {
        QFETCH(bool, speed);
        QFETCH(int, start);
        QFETCH(int, action);
        QFETCH(QString, shown);
        EditorSession s;
        Customfrm& f = s.editor();
        speed ? s.setSpeed(start) : s.setFrameCount(start);
        QScrollBar* spinner = speed ? f.VScroll2 : f.VScroll1;
        spinner->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
        QCOMPARE((speed ? f.Speedtxt : f.Framestxt)->text(), shown);
        if (!speed)
            QCOMPARE(f.HScroll1->maximum(), shown.toInt());
    }

    void loweringTheFrameCountKeepsTheHigherPaths()
    {
        EditorSession s;
        Customfrm& f = s.editor();
        const QString five = s.smallIcon("five.ico", 5);
        const QString twelve = s.smallIcon("twelve.ico", 12);
        const QString twenty = s.smallIcon("twenty.ico", 3);
        s.chooseIconFor(5, five);
        s.chooseIconFor(20, twenty);
        s.chooseIconFor(12, twelve);
        s.goToFrame(5);
        const QImage expected = s.shownPicture();
        s.goToFrame(12);
        QVERIFY(s.shownPicture() != expected);

        s.setFrameCount(5);
        QCOMPARE(f.Framestxt->text(), QStringLiteral("5"));
        QCOMPARE(f.HScroll1->maximum(), 5);
        QCOMPARE(f.HScroll1->value(), 5);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("5"));
        QCOMPARE(f.Filenamelbl->text(), five);
        QCOMPARE(s.shownPicture(), expected);
        QCOMPARE(s.frameFile(12), twelve);
        QCOMPARE(s.frameFile(20), twenty);

        s.setFrameCount(20);
        QCOMPARE(f.HScroll1->value(), 5);
        f.HScroll1->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("20"));
        QCOMPARE(f.Filenamelbl->text(), twenty);
        s.goToFrame(12);
        QCOMPARE(f.Filenamelbl->text(), twelve);
        QVERIFY(s.t.messages.shown.empty());
    }

    void answeringNoToNewKeepsEverything_data()
    {
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<bool>("reset");
        QTest::newRow("No") << QList<MessageAnswer>{MessageAnswer::No} << false;
        QTest::newRow("box closed (No is the default)") << QList<MessageAnswer>{} << false;
        QTest::newRow("Yes") << QList<MessageAnswer>{MessageAnswer::Yes} << true;
    }

    void answeringNoToNewKeepsEverything()
    {
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(bool, reset);
        EditorSession s;
        s.chooseIconFor(4, s.smallIcon("a.ico"));
        s.editor().Nametxt->setText("Rain");
        s.setSpeed(3);
        s.setFrameCount(9);
        s.editor().Image6_Click();
        const QString before = model(s);

        s.t.messages.answers.assign(answers.begin(), answers.end());
        s.editor().Image9->simulateClick();
        QCOMPARE(s.t.messages.shown.size(), std::size_t{1});
        const ShownMessage& box = s.t.messages.shown.front();
        QCOMPARE(box.text, kSureToCreateNewAnimation);
        QCOMPARE(box.title, kNewFileTitle);
        QCOMPARE(box.buttons, MessageButtons::YesNo);
        QCOMPARE(box.icon, MessageIcon::Question);
        QCOMPARE(model(s), reset ? kDefaults : before);
        QCOMPARE(s.editor().frontPage(), s.editor().Tab2); // the page stays
    }

    void aDeletedIconIsReportedWhenItsFrameIsShown()
    {
        EditorSession s;
        Customfrm& f = s.editor();
        const QString kept = s.smallIcon("kept.ico", 2);
        const QString gone = s.smallIcon("gone.ico", 9);
        s.chooseIconFor(1, kept);
        s.chooseIconFor(2, gone);
        s.chooseIconFor(3, gone);
        s.goToFrame(1);
        const QImage keptPicture = s.shownPicture();
        QVERIFY(!keptPicture.isNull());
        QVERIFY(QFile::remove(gone));

        s.goToFrame(2);
        QCOMPARE(s.t.messages.texts(), QStringList{iconWasNotFound(gone)});
        QCOMPARE(s.t.messages.shown.back().title, kErrorTitle);
        QCOMPARE(s.t.messages.shown.back().icon, MessageIcon::Critical);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("2"));
        QCOMPARE(f.Filenamelbl->text(), gone);
        QCOMPARE(s.shownPicture(), keptPicture);

        // Dragging the thumb shows each frame it passes, with the same report.
        s.t.messages.clear();
        f.HScroll1->setSliderDown(true);
        f.HScroll1->setSliderPosition(3);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("3"));
        QCOMPARE(s.t.messages.texts(), QStringList{iconWasNotFound(gone)});
        f.HScroll1->setSliderPosition(4);
        QCOMPARE(f.Framelbl->text(), QStringLiteral("4"));
        QCOMPARE(f.Filenamelbl->text(), QString());
        QVERIFY(s.shownPicture().isNull()); // an empty path: no picture and no message
        QCOMPARE(s.t.messages.shown.size(), std::size_t{1});
        f.HScroll1->setSliderDown(false);
        QCOMPARE(f.HScroll1->value(), 4);
    }

    void theTitleBoxTakesTwelveStorableCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("13th refused") << "ABCDEFGHIJKLM"
                                      << "ABCDEFGHIJKL";
        QTest::newRow("Windows-1252 letters") << "Café €5 Œuvre"
                                              << "Café €5 Œuvr";
        QTest::newRow("Chinese refused") << "Sun中Moon"
                                         << "SunMoon";
        QTest::newRow("Cyrillic refused") << "aЖb"
                                          << "ab";
    }

    void theTitleBoxTakesTwelveStorableCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        EditorSession s;
        QLineEdit* box = s.editor().Nametxt;
        box->clear();
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
        QCOMPARE(box->text(), kept);
    }

    void pastedTextIsRefusedWholeWhenACharacterCannotBeStored()
    {
        EditorSession s;
        QLineEdit* box = s.editor().Nametxt;
        box->clear();
        box->insert(QStringLiteral("ok"));
        box->insert(QStringLiteral("line\nbreak"));
        box->insert(QStringLiteral("日本"));
        QCOMPARE(box->text(), QStringLiteral("ok"));
        QCOMPARE(box->maxLength(), 12);
    }

    void pagesComeToTheFrontWithTheirHeaderLineHidden_data()
    {
        QTest::addColumn<int>("header");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("lines");
        QTest::newRow("Information") << 5 << "Tab1"
                                     << "-23";
        QTest::newRow("Animation") << 6 << "Tab2"
                                   << "1-3";
        QTest::newRow("Compile") << 7 << "Tab3"
                                 << "12-";
    }

    void pagesComeToTheFrontWithTheirHeaderLineHidden()
    {
        QFETCH(int, header);
        QFETCH(QString, page);
        QFETCH(QString, lines);
        EditorSession s;
        Customfrm& f = s.editor();
        f.Image7_Click(); // start away from the Information page
        s.chooseIconFor(2, s.smallIcon("a.ico"));
        const QString before = model(s);
        f.findChild<ClickImage*>(QStringLiteral("Image%1").arg(header))->simulateClick();
        QCOMPARE(f.frontPage()->objectName(), page);
        QString shown;
        shown += f.Line1->isHidden() ? '-' : '1';
        shown += f.Line2->isHidden() ? '-' : '2';
        shown += f.Line3->isHidden() ? '-' : '3';
        QCOMPARE(shown, lines);
        QVERIFY(f.frontPage()->isVisible());
        for (QWidget* tab : {f.Tab1, f.Tab2, f.Tab3})
            QCOMPARE(tab->isVisible(), tab == f.frontPage());
        QCOMPARE(model(s), before);
    }

    void buttonsLookPressedWhileTheMouseButtonIsDown_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<bool>("shadowFill");
        QTest::newRow("New") << "Image9"
                             << "Shape4" << false;
        QTest::newRow("Load") << "Image17"
                              << "Shape3" << false;
        QTest::newRow("Save") << "Image16"
                              << "Shape2" << false;
        QTest::newRow("Close") << "Image18"
                               << "Shape5" << false;
        QTest::newRow("Choose Icon") << "Image10"
                                     << "Shape10" << true;
        QTest::newRow("Compile") << "Image14"
                                 << "Shape1" << true;
    }

    void buttonsLookPressedWhileTheMouseButtonIsDown()
    {
        QFETCH(QString, image);
        QFETCH(QString, shape);
        QFETCH(bool, shadowFill);
        EditorSession s;
        Customfrm& f = s.editor();
        auto* target = f.findChild<ClickImage*>(image);
        auto* outline = f.findChild<Shape*>(shape);
        QVERIFY(target && outline);
        QVERIFY(outline->fillTransparent());
        QCOMPARE(target->focusPolicy(), Qt::NoFocus);
        // Press and release outside the image: the look changes, no command runs.
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!outline->fillTransparent());
        QCOMPARE(outline->fillColor(), shadowFill ? buttonShadowColor() : buttonFaceColor());
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(outline->fillTransparent());
        QVERIFY(s.t.messages.shown.empty());
        QVERIFY(s.t.dialogs.requests.empty());
        QVERIFY(s.t.hasCustomfrm());
    }

    void theMenuEntriesStayDisabledWhileTheEditorIsOpen_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("Close button") << true;
        QTest::newRow("window's own close") << false;
    }

    void theMenuEntriesStayDisabledWhileTheEditorIsOpen()
    {
        QFETCH(bool, byCloseButton);
        EditorSession s;
        const frmTray& tray = s.program().tray();
        QVERIFY(s.editor().isVisible());
        QCOMPARE(menuEntries(tray), QStringLiteral("----"));
        if (byCloseButton)
            s.editor().Image18->simulateClick();
        else
            s.editor().close();
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
        QVERIFY(!s.t.hasCustomfrm());
        QVERIFY(s.t.messages.shown.empty());
    }

    void markupInAPathIsShownAsText()
    {
        EditorSession s;
        const QString path = s.smallIcon("<b>bold.ico");
        s.chooseIcon(path);
        QCOMPARE(s.editor().Filenamelbl->textFormat(), Qt::PlainText);
        QCOMPARE(s.editor().Filenamelbl->text(), path);
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
