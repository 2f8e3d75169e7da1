// Start-up, settings and shutdown of the tray runtime.

#include "TestProgram.h"
#include "Texts.h"
#include "options/Optionfrm.h"
#include "runtime/StartupSettings.h"
#include "runtime/frmTray.h"

#include <QSignalSpy>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

class StartupTest final : public QObject {
    Q_OBJECT
private slots:
    void noSettingsPlaysAquariumAtHalfASecond()
    {
        TestProgram t;
        t.program.start();
        QCOMPARE(t.program.state().CurrentAnimation, 2);
        QCOMPARE(t.program.tray().interval(), 500);
        QVERIFY(t.program.tray().isRunning());
        QVERIFY(t.messages.shown.empty());
        QCOMPARE(t.program.state().CurrentFrame, 0);

        // The icon is added once, still without an image, with the tooltip.
        QCOMPARE(t.tray.calls.size(), 1u);
        QCOMPARE(t.tray.calls[0].kind, TrayCall::Add);
        QCOMPARE(t.tray.calls[0].icon, nullptr);
        QCOMPARE(t.tray.calls[0].tip, kProgramName);
    }

    void storedSettingsChooseAnimationAndInterval()
    {
        TestProgram t;
        t.settings.set("Previous", "4");
        t.settings.set("Speed", "10");
        t.program.start();
        QCOMPARE(t.program.state().CurrentAnimation, 4);
        QCOMPARE(t.program.tray().interval(), 10);
        QVERIFY(t.settings.saves.isEmpty());
    }

    void customWithoutFileFallsBackBeforeTheIconIsAdded()
    {
        TestProgram t;
        t.settings.set("Previous", "7");
        std::size_t trayCallsDuringMessage = 99;
        t.messages.onShow = [&](const ShownMessage&) {
            trayCallsDuringMessage = t.tray.calls.size();
        };
        t.program.start();

        QCOMPARE(t.messages.shown.size(), 1u);
        const ShownMessage& message = t.messages.shown[0];
        QCOMPARE(message.text, kNoCustomAnimationSelected);
        QCOMPARE(message.title, kErrorTitle);
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(trayCallsDuringMessage, 0u);
        QCOMPARE(t.program.state().CurrentAnimation, 2);
        QCOMPARE(t.tray.count(TrayCall::Add), 1);
    }

    void settingsThatAreNotNumbers_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("animation");
        QTest::addColumn<int>("interval");
        QTest::newRow("letters") << "abc"
                                 << "fast" << 2 << 500;
        QTest::newRow("empty") << ""
                               << "" << 2 << 500;
        QTest::newRow("blanks around") << " 3 "
                                       << " 250 " << 3 << 250;
        QTest::newRow("out of range number") << "9"
                                             << "333" << 9 << 333;
        QTest::newRow("negative") << "-1"
                                  << "-5" << -1 << 500;
        QTest::newRow("zero interval") << "0"
                                       << "0" << 0 << 500;
        QTest::newRow("too big") << "99999"
                                 << "99999999999" << 2 << 500;
        QTest::newRow("fraction") << "2.5"
                                  << "12.5" << 2 << 500;
    }

    void settingsThatAreNotNumbers()
    {
        QFETCH(QString, previous);
        QFETCH(QString, speed);
        QFETCH(int, animation);
        QFETCH(int, interval);
        TestProgram t;
        t.settings.set("Previous", previous);
        t.settings.set("Speed", speed);
        t.program.start();
        QCOMPARE(int(t.program.state().CurrentAnimation), animation);
        QCOMPARE(t.program.tray().interval(), interval);
        // The stored text is left as it was.
        QCOMPARE(t.settings.value("Previous"), previous);
        QCOMPARE(t.settings.value("Speed"), speed);
    }

    void addFailureIsReportedAndStartUpGoesOn()
    {
        TestProgram t;
        t.tray.failAdd = true;
        t.program.start();
        QCOMPARE(t.messages.texts(), QStringList{kUnableToAddIcon});
        QCOMPARE(t.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(t.messages.shown[0].title, kProgramName);
        QVERIFY(t.program.tray().isRunning());

        // Every tick still tries to modify; the failing modify ends the program.
        QVERIFY_THROWS_EXCEPTION(FakeEnvironment::Terminated, t.program.tray().Timer1_Timer());
        QCOMPARE(t.tray.count(TrayCall::Modify), 1);
        QCOMPARE(t.messages.shown.back().text, kUnableToChangeIcon);
    }

    void exitClosesTheOptionsDialogThenRemovesTheIcon()
    {
        TestProgram t;
        t.program.start();
        frmTray& tray = t.program.tray();
        choose(tray, "Options");
        QVERIFY(t.hasOptionfrm());

        std::size_t callsWhenDialogUnloaded = 0;
        connect(&t.optionfrm(), &Form::unloaded, this,
                [&] { callsWhenDialogUnloaded = t.tray.calls.size(); });
        QSignalSpy finished(&t.program, &Program::finished);

        choose(tray, "Exit");

        QCOMPARE(callsWhenDialogUnloaded, 1u); // only the add: the icon was still there
        QCOMPARE(t.tray.calls.back().kind, TrayCall::Remove);
        QVERIFY(!t.hasOptionfrm());
        QVERIFY(!tray.isRunning());
        QCOMPARE(finished.count(), 1);
        QVERIFY(t.program.isFinished());
        QVERIFY(t.settings.saves.isEmpty());
    }

    void deleteFailureIsReportedAndShutdownContinues()
    {
        TestProgram t;
        t.program.start();
        t.tray.failRemove = true;
        QSignalSpy finished(&t.program, &Program::finished);
        choose(t.program.tray(), "Exit");
        QCOMPARE(t.messages.texts(), QStringList{kUnableToDeleteIcon});
        QCOMPARE(t.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(finished.count(), 1);
    }

    void settingsParsingRules()
    {
        QCOMPARE(previousAnimationFromSetting("+5"), 5);
        QCOMPARE(previousAnimationFromSetting("32767"), 32767);
        QCOMPARE(previousAnimationFromSetting("32768"), 2);
        QCOMPARE(previousAnimationFromSetting("-32768"), -32768);
        QCOMPARE(intervalFromSetting("1"), 1);
        QCOMPARE(intervalFromSetting("2147483647"), 2147483647);
        QCOMPARE(intervalFromSetting("2147483648"), 500);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
