// The whole road of one custom animation in one program: icon files, the editor,
// the compiled file, the options dialog's list and choice, and the tray playing it.

#include "EditorSession.h"
#include "Texts.h"
#include "options/Optionfrm.h"
#include "platform/Pictures.h"
#include "runtime/frmTray.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using namespace glimmer;
using namespace glimmer::test;

namespace {

QImage argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class EditorRoadTest final : public QObject {
    Q_OBJECT
private slots:
    void anAnimationMadeInTheEditorPlaysInTheTray()
    {
        EditorSession s;
        frmTray& tray = s.program().tray();
        for (int tick = 0; tick < 5; ++tick) // the tray has been playing the Aquarium
            tray.Timer1_Timer();

        // The editor: title, speed, three frames of distinct icons, compiled into the
        // program's folder.
        QList<QByteArray> icons;
        for (int colour : {4, 10, 13})
            icons << iconBytes({.colour = colour});
        s.editor().Nametxt->setText(QStringLiteral("Road Test"));
        s.setSpeed(8);
        s.setFrameCount(3);
        for (int i = 1; i <= 3; ++i)
            s.chooseIconFor(i, s.icon(QStringLiteral("road%1.ico").arg(i), icons[i - 1]));
        s.compile(s.t.path("road.gx"));
        QCOMPARE(s.t.messages.texts(), QStringList{kAnimationCompiled});
        s.editor().Image18->simulateClick();
        QVERIFY(!s.t.hasCustomfrm());
        s.t.messages.clear();

        // The options dialog lists the new file by its title and plays it when chosen.
        choose(tray, "Options");
        Optionfrm& options = s.t.optionfrm();
        const int entry = options.Combo1->findText(QStringLiteral("Road Test"));
        QVERIFY2(entry >= 0, "the compiled animation is not listed");
        options.Combo1->setCurrentIndex(entry);
        options.Option7->click();
        QVERIFY2(s.t.messages.shown.empty(), qPrintable(s.t.messages.texts().join('\n')));
        QCOMPARE(s.t.settings.value(Setting::Custom), std::optional<QString>("road.gx"));
        const ProgramState& state = s.program().state();
        QCOMPARE(state.CurrentAnimation, Animation::Custom);
        QCOMPARE(state.CustomTitle, QStringLiteral("Road Test"));
        QCOMPARE(state.CustomFrameCount, std::int16_t{3});
        QCOMPARE(state.CustomSpeed, std::int16_t{8});
        QCOMPARE(tray.interval(), 100); // speed step 8

        // The next tick shows frame 1 of the new animation, then frames 2 and 3.
        for (int frame = 1; frame <= 3; ++frame) {
            tray.Timer1_Timer();
            QCOMPARE(s.t.tray.lastIcon(), &tray.customFrame(frame));
            const auto expected = Pictures::decode(icons[frame - 1]);
            QVERIFY(expected.has_value());
            QCOMPARE(argb(tray.customFrame(frame).pixmap(QSize(16, 16)).toImage()),
                     argb(*expected));
        }

        // "Okay" keeps the choice for the next start.
        options.Image8_Click();
        QCOMPARE(s.t.settings.value(Setting::Previous), std::optional<QString>("7"));
        QCOMPARE(s.t.settings.value(Setting::Speed), std::optional<QString>("100"));
    }
};

QTEST_MAIN(EditorRoadTest)
#include "tst_editor_road.moc"
