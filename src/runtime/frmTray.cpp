#include "runtime/frmTray.h"

#include "platform/Environment.h"
#include "platform/LoadMeter.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "runtime/BuiltinFrames.h"
#include "runtime/CustomLoader.h"
#include "runtime/Program.h"
#include "runtime/StartupSettings.h"

#include <cmath>
#include <limits>
#include <utility>

namespace glimmer {

namespace {
const QString kTrayTitle = QStringLiteral("Glimmerbox");
}

frmTray::frmTray(Program& program) : program_(program)
{
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &frmTray::Timer1_Timer);
    paceTimer_.setInterval(static_cast<int>(Pace::kSampleSeconds * 1000));
    paceClock_.start();
    connect(&paceTimer_, &QTimer::timeout, this, &frmTray::Pace_Timer);

    buildMenu();
}

frmTray::~frmTray() = default;

void frmTray::buildMenu()
{
    // A host that draws the menu itself (over D-Bus) may deliver a choice while one of
    // the program's message boxes is open; such a choice is dropped, like any other
    // report from the tray while a box is open.
    const auto entry = [this](const QString& caption, void (frmTray::*command)()) {
        return mnuTray.addAction(caption, this, [this, command] {
            if (!program_.modal().isOpen())
                (this->*command)();
        });
    };
    mnuTray.setTitle(QStringLiteral("Tray Menu"));
    Showmnu = entry(QStringLiteral("Options"), &frmTray::Showmnu_Click);
    Editmnu = entry(QStringLiteral("Edit"), &frmTray::Editmnu_Click);
    mnuTrayAbout = entry(QStringLiteral("About"), &frmTray::mnuTrayAbout_Click);
    Bar = mnuTray.addSeparator();
    mnuTrayExit = entry(QStringLiteral("Exit"), &frmTray::mnuTrayExit_Click);

    QFont bold = Showmnu->font();
    bold.setBold(true);
    Showmnu->setFont(bold);
    mnuTray.setDefaultAction(Showmnu);
}

void frmTray::Form_Load()
{
    auto& state = program_.state();
    auto& settings = program_.services().settings;
    Environment& environment = program_.services().environment;

    // Bare file names (the custom animation in "Custom", the list of the options
    // dialog, Compile's dialog) all mean the program's folder, wherever the program
    // was started from.
    environment.setCurrentDirectory(environment.programFolder());

    loading_ = true;
    state.CurrentAnimation = previousAnimationFromSetting(settings.read(
        Setting::Application, Setting::Section, Setting::Previous, QStringLiteral("2")));
    // The clock runs from here, with the interval just read; a tick that comes while
    // the rest of the load step waits (for a tray host, on a message box) is handled
    // right after it, so the first frame is as early as it can be and never before
    // the icon is in the tray.
    setInterval(intervalFromSetting(settings.read(Setting::Application, Setting::Section,
                                                  Setting::Speed, QStringLiteral("500"))));
    Timer1.start();

    if (state.CurrentAnimation == Animation::Custom)
        LoadCustomAnimation(program_);
    // Only the set that plays first is decoded now; the others wait for an idle moment.
    builtinFrames(state.CurrentAnimation);

    addTrayIcon();
    loading_ = false;
    if (std::exchange(tickWaiting_, false))
        Timer1_Timer();
    if (settings.read(Setting::Application, Setting::Section, Setting::Pace, QString()) ==
        Setting::PaceFollowsLoad)
        setPaceFollowsLoad(true);
}

void frmTray::addTrayIcon()
{
    trayRecord.icon = imgTrayIcon;
    trayRecord.tip = ToolTip;
    trayRecord.callback = [this](int message) { Form_MouseMove(message); };
    trayRecord.menu = &mnuTray;
    if (!program_.services().tray.add(trayRecord)) {
        program_.services().messages.ok(QStringLiteral("Unable to add icon to system tray!"),
                                        MessageIcon::None, kTrayTitle);
    }
}

void frmTray::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Timer1.stop();
    paceTimer_.stop();

    program_.closeWindow(WindowKind::Options);

    if (!program_.services().tray.remove(trayRecord)) {
        program_.services().messages.ok(QStringLiteral("Unable to delete icon from system tray!"),
                                        MessageIcon::None, kTrayTitle);
    }
    program_.releaseTray();
}

const std::vector<QIcon>& frmTray::builtinFrames(int number)
{
    static const std::vector<QIcon> none;
    const auto sets = builtinSets();
    if (number < 1 || number > static_cast<int>(sets.size()))
        return none;
    const auto index = static_cast<std::size_t>(number - 1);
    std::vector<QIcon>& frames = *sets[index];
    if (frames.empty())
        frames = loadBuiltinFrames(kBuiltinSets[index]);
    return frames;
}

void frmTray::decodeNextSetWhenIdle()
{
    const auto sets = builtinSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i]->empty()) {
            QTimer::singleShot(0, this, [this, i] {
                builtinFrames(static_cast<int>(i) + 1);
                decodeNextSetWhenIdle();
            });
            return;
        }
    }
}

void frmTray::Timer1_Timer()
{
    if (loading_) {
        tickWaiting_ = true;
        return;
    }
    auto& state = program_.state();
    // A pace that follows the load times each frame anew (a periodic timer would
    // restart at every change of pace, and a slow one might then never fire).
    if (paceOn_) {
        if (const auto paced = pace_.interval(chosenInterval_))
            scheduleNextFrame(*paced);
    }

    // The counter is shared by every animation and advanced before anything else.
    // While the animation number selects nothing it is never wrapped by a set, so it
    // wraps to 0 here rather than overflow its 16 bits.
    state.CurrentFrame = state.CurrentFrame == std::numeric_limits<std::int16_t>::max()
                             ? std::int16_t{0}
                             : static_cast<std::int16_t>(state.CurrentFrame + 1);

    const int animation = state.CurrentAnimation;
    if (animation >= 1 && animation <= 6) {
        const auto& frames = builtinFrames(animation);
        const int count = kBuiltinSets[static_cast<std::size_t>(animation - 1)].frameCount;
        // Greater-or-equal: a count left over from a longer animation wraps at once.
        if (state.CurrentFrame >= count)
            state.CurrentFrame = 0;
        imgTrayIcon = &frames[static_cast<std::size_t>(state.CurrentFrame)];
        trayRecord.title = QLatin1String(kBuiltinSets[std::size_t(animation - 1)].name);
    } else if (animation == Animation::Custom) {
        // Only 50 slots exist; a larger count left behind by a failed load plays the
        // 50 slots in turn.
        const int count = std::min<int>(state.CustomFrameCount, formats::kMaxFrames);
        if (state.CurrentFrame >= count + 1)
            state.CurrentFrame = 1;
        imgTrayIcon = &Customimg[static_cast<std::size_t>(state.CurrentFrame)];
        trayRecord.title = state.CustomTitle;
    }

    trayRecord.icon = imgTrayIcon;
    sendRecord();
    // Once the first frame is out, the other sets are decoded in idle moments.
    if (!std::exchange(decodingStarted_, true))
        decodeNextSetWhenIdle();
}

void frmTray::sendRecord()
{
    if (!program_.services().tray.modify(trayRecord)) {
        Timer1.stop();
        paceTimer_.stop();
        program_.services().messages.ok(QStringLiteral("Unable to change icon in system tray!"),
                                        MessageIcon::None, kTrayTitle);
        program_.services().environment.terminate(1);
    }
}

void frmTray::setInterval(int milliseconds)
{
    chosenInterval_ = milliseconds;
    if (paceOn_)
        applyPace();
    else
        Timer1.setInterval(milliseconds);
}

bool frmTray::paceAvailable() const
{
    const LoadMeter* meter = program_.services().load;
    return meter && meter->available();
}

void frmTray::setPaceFollowsLoad(bool on)
{
    on = on && paceAvailable() && !unloaded_;
    if (on == paceOn_)
        return;
    paceOn_ = on;
    pace_.reset();
    shownPercent_ = -1;
    if (on) {
        program_.services().load->sample(); // the first share counts from now
        Timer1.setSingleShot(true);
        paceTimer_.start();
        applyPace();
    } else {
        paceTimer_.stop();
        Timer1.setSingleShot(false);
        Timer1.setInterval(chosenInterval_);
        Timer1.start(); // wakes from a rest
        showTip(ToolTip);
    }
}

void frmTray::Pace_Timer()
{
    if (!paceOn_)
        return;
    if (const auto load = program_.services().load->sample())
        pace_.add(*load);
    applyPace();
    const auto percent = pace_.percent();
    if (percent && *percent != shownPercent_) {
        shownPercent_ = *percent;
        showTip(ToolTip + QStringLiteral(" \u2014 CPU %1%").arg(*percent));
    }
}

void frmTray::applyPace()
{
    const auto paced = pace_.interval(chosenInterval_);
    if (!paced) {
        Timer1.stop(); // rest: the icon keeps its frame, the clock sleeps
        return;
    }
    // A running clock takes the new pace at its next frame.
    if (!Timer1.isActive()) {
        frameDue_.reset();
        scheduleNextFrame(*paced);
    }
}

void frmTray::scheduleNextFrame(int paced)
{
    // Counted from when the frame was due rather than from now, so that the time a
    // tick waits and takes does not add up frame after frame; a clock that fell a
    // whole frame behind starts counting afresh.
    const qint64 now = paceClock_.elapsed();
    qint64 due = frameDue_ ? *frameDue_ + paced : now + paced;
    if (due < now)
        due = now + paced;
    frameDue_ = due;
    Timer1.start(static_cast<int>(due - now));
}

void frmTray::showTip(const QString& tip)
{
    if (trayRecord.tip == tip)
        return;
    trayRecord.tip = tip;
    sendRecord();
}

void frmTray::Form_MouseMove(double x)
{
    // While a message box or a file dialog of the program is open, the tray is as
    // still as the rest of the program: some hosts go on calling in while it is.
    if (callbackGuard || program_.modal().isOpen())
        return;
    callbackGuard = true;
    const long message = std::lround(x);
    switch (message) {
    case TrayMessage::LeftDoubleClick:
    case TrayMessage::LeftDown:
    case TrayMessage::LeftUp:
    case TrayMessage::RightDoubleClick:
    case TrayMessage::RightDown:
        break;
    case TrayMessage::RightUp:
        program_.services().tray.popupMenu(mnuTray);
        break;
    default:
        break;
    }
    callbackGuard = false;
}

void frmTray::Showmnu_Click()
{
    program_.openWindow(WindowKind::Options);
    Showmnu->setEnabled(false);
    Editmnu->setEnabled(false);
    mnuTrayAbout->setEnabled(false);
}

void frmTray::Editmnu_Click()
{
    Showmnu->setEnabled(false);
    mnuTrayAbout->setEnabled(false);
    mnuTrayExit->setEnabled(false);
    Editmnu->setEnabled(false);
    program_.openWindow(WindowKind::Editor);
}

void frmTray::mnuTrayAbout_Click()
{
    Showmnu->setEnabled(false);
    mnuTrayAbout->setEnabled(false);
    mnuTrayExit->setEnabled(false);
    program_.setWindowEnabled(WindowKind::Options, false);
    Editmnu->setEnabled(false);
    program_.openWindow(WindowKind::About);
}

void frmTray::mnuTrayExit_Click()
{
    Form_Unload();
}

void frmTray::enableMenuEntries()
{
    Showmnu->setEnabled(true);
    mnuTrayAbout->setEnabled(true);
    mnuTrayExit->setEnabled(true);
    Editmnu->setEnabled(true);
}

} // namespace glimmer
