// The tray callback and the tray menu's commands.

#include "TestFiles.h"
#include "TestProgram.h"
#include "Texts.h"
#include "about/Aboutfrm.h"
#include "editor/Customfrm.h"
#include "options/Optionfrm.h"
#include "runtime/frmTray.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace glimmer;
using namespace glimmer::test;

class MenuTest final : public QObject {
    Q_OBJECT
private slots:
    void menuHasItsEntriesWithOptionsAsBoldDefault()
    {
        TestProgram t;
        t.program.start();
        const frmTray& tray = t.program.tray();
        QStringList captions;
        for (const QAction* action : tray.menu().actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(captions, (QStringList{"Options", "Edit", "About", "-", "Exit"}));
        QCOMPARE(tray.menu().defaultAction(), tray.menu().actions().front());
        QVERIFY(tray.menu().defaultAction()->font().bold());
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
    }

    void onlyARightButtonReleaseOpensTheMenu_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("popups");
        QTest::newRow("move") << 0x200 << 0;
        QTest::newRow("left down") << 0x201 << 0;
        QTest::newRow("left up") << 0x202 << 0;
        QTest::newRow("left double") << 0x203 << 0;
        QTest::newRow("right down") << 0x204 << 0;
        QTest::newRow("right up") << 0x205 << 1;
        QTest::newRow("right double") << 0x206 << 0;
        QTest::newRow("unknown") << 0x207 << 0;
    }

    void onlyARightButtonReleaseOpensTheMenu()
    {
        QFETCH(int, message);
        QFETCH(int, popups);
        TestProgram t;
        t.program.start();
        t.tray.report(message);
        QCOMPARE(t.tray.count(TrayCall::Popup), popups);
        QVERIFY(!t.program.tray().isInCallback());
        QVERIFY(!t.hasOptionfrm());
    }

    void theCoordinateIsRoundedToTheMessageNumber()
    {
        TestProgram t;
        t.program.start();
        t.program.tray().Form_MouseMove(0x205 + 0.4);
        t.program.tray().Form_MouseMove(0x205 - 0.4);
        QCOMPARE(t.tray.count(TrayCall::Popup), 2);
    }

    void reportsWhileTheMenuIsOpenAreIgnored()
    {
        TestProgram t;
        t.program.start();
        bool guardWhileOpen = false;
        t.tray.whileMenuOpen = [&](QMenu&) {
            guardWhileOpen = t.program.tray().isInCallback();
            t.tray.report(0x205);
            t.tray.report(0x205);
        };
        t.tray.report(0x205);
        QVERIFY(guardWhileOpen);
        QCOMPARE(t.tray.count(TrayCall::Popup), 1);
        QVERIFY(!t.program.tray().isInCallback());

        t.tray.whileMenuOpen = nullptr;
        t.tray.report(0x205);
        QCOMPARE(t.tray.count(TrayCall::Popup), 2);
    }

    void optionsLeavesOnlyExitUntilTheDialogCloses()
    {
        TestProgram t;
        t.program.start();
        t.tray.menuChoices = {"Options"};
        t.tray.report(0x205);
        frmTray& tray = t.program.tray();
        QVERIFY(t.hasOptionfrm());
        QVERIFY(t.optionfrm().isVisible());
        QCOMPARE(t.optionfrm().windowTitle(), kOptionsTitle);
        QCOMPARE(menuEntries(tray), QStringLiteral("---X"));

        t.optionfrm().close();
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
        QVERIFY(!t.hasOptionfrm());
    }

    void editDisablesEverythingUntilTheEditorCloses()
    {
        TestProgram t;
        t.program.start();
        t.tray.menuChoices = {"Edit"};
        t.tray.report(0x205);
        frmTray& tray = t.program.tray();
        QVERIFY(t.hasCustomfrm());
        QVERIFY(t.customfrm().isVisible());
        QCOMPARE(t.customfrm().windowTitle(), kEditorTitle);
        QCOMPARE(menuEntries(tray), QStringLiteral("----"));

        // A disabled entry cannot be chosen.
        t.tray.menuChoices = {"Exit"};
        t.tray.report(0x205);
        QVERIFY(!t.program.isFinished());

        t.customfrm().close();
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
        QVERIFY(!t.hasCustomfrm());
    }

    void aboutDisablesEverythingAndCreatesTheOptionsDialogHidden()
    {
        TestProgram t;
        t.program.start();
        QVERIFY(!t.hasOptionfrm());
        t.tray.menuChoices = {"About"};
        t.tray.report(0x205);
        frmTray& tray = t.program.tray();
        QVERIFY(t.hasAboutfrm());
        QVERIFY(t.aboutfrm().isVisible());
        QCOMPARE(t.aboutfrm().windowTitle(), kAboutTitle);
        QCOMPARE(menuEntries(tray), QStringLiteral("----"));
        QVERIFY(t.hasOptionfrm());
        QVERIFY(!t.optionfrm().isVisible());
        QVERIFY(!t.optionfrm().isEnabled());

        t.aboutfrm().close();
        QCOMPARE(menuEntries(tray), QStringLiteral("OEAX"));
        QVERIFY(!t.hasAboutfrm());
        QVERIFY(t.hasOptionfrm());
        QVERIFY(t.optionfrm().isEnabled());
        QVERIFY(!t.optionfrm().isVisible());
    }

    void aClosedWindowIsMadeAfreshNextTime()
    {
        TestProgram t;
        t.program.start();
        choose(t.program.tray(), "Edit");
        Customfrm* first = &t.customfrm();
        QPointer<Customfrm> watch(first);
        first->close();
        QVERIFY(!t.hasCustomfrm());
        QTRY_VERIFY(watch.isNull()); // deleted once control returns to the event loop
        choose(t.program.tray(), "Edit");
        QVERIFY(t.hasCustomfrm());
        QVERIFY(t.customfrm().isVisible());
    }

    void exitFromTheMenuEndsTheProgram()
    {
        TestProgram t;
        t.program.start();
        t.tray.menuChoices = {"Exit"};
        t.tray.report(0x205);
        QVERIFY(t.program.isFinished());
        QCOMPARE(t.tray.calls.back().kind, TrayCall::Remove);
        QVERIFY(!t.program.tray().isInCallback());
    }

    // Some tray hosts (StatusNotifierItem over D-Bus) go on calling in while one of
    // the program's message boxes runs its own event loop. Here a custom animation
    // that fails to load keeps its "Error" box open while the host opens the menu
    // and chooses "Exit", and while something unloads the options dialog under the
    // handler that is waiting for the box.
    void whileAMessageBoxIsOpenTheTrayIsStillAndNoWindowGoesUnderItsHandler()
    {
        TestProgram t;
        // The header only: the frames are missing.
        writeFile(t.path("broken.gx"),
                  compiledFile({.title = "Broken", .speed = 4, .iconSize = 318, .frameCount = 3}));
        t.program.start();
        choose(t.program.tray(), "Options");
        Optionfrm& options = t.optionfrm();
        QPointer<Optionfrm> watch(&options);

        int popupsInside = -1;
        bool boxSeen = false;
        t.messages.onShow = [&](const ShownMessage&) {
            if (std::exchange(boxSeen, true))
                return;
            QEventLoop box;
            QTimer::singleShot(0, &box, [&] {
                t.tray.menuChoices = {"Exit"};
                t.tray.report(0x204);
                t.tray.report(0x205);
                choose(t.program.tray(), "Exit"); // a host that draws the menu
                popupsInside = t.tray.count(TrayCall::Popup);
                QVERIFY(!t.program.isFinished());
                options.unload(); // as the dialog's own close box would
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                box.quit();
            });
            box.exec();
        };
        options.Option7_Click();
        QCOMPARE(popupsInside, 0);
        QCOMPARE(t.messages.texts(), QStringList{kErrorLoadingCustomAnimation});
        QVERIFY(options.isUnloaded());
        QCOMPARE(t.program.state().CurrentAnimation, std::int16_t{7});
        QCOMPARE(t.program.tray().interval(), 300); // the handler ran to its end
        QTRY_VERIFY(watch.isNull());                // and the window went after it

        t.tray.menuChoices = {"Exit"};
        t.tray.report(0x205);
        QVERIFY(t.program.isFinished());
    }
};

QTEST_MAIN(MenuTest)
#include "tst_menu.moc"
