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
    connect(&Timer1, &TrayClock::due, this, &frmTray::Timer1_Timer);
    // Once the first frame is out, the other sets are decoded in idle moments.
    connect(&Timer1, &TrayClock::due, this, &frmTray::decodeNextSetWhenIdle,
            Qt::SingleShotConnection);
    paceTimer_.setInterval(static_cast<int>(Pace::kSampleSeconds * 1000));
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

    state.CurrentAnimation = previousAnimationFromSetting(settings.read(
        Setting::Application, Setting::Section, Setting::Previous, QStringLiteral("2")));
    // The clock runs from here, with the interval just read; a frame that falls due
    // while the rest of the load step waits (for a tray host, on a message box) is
    // shown right after it, so the first frame is as early as it can be and never
    // before the icon is in the tray.
    Timer1.setInterval(intervalFromSetting(settings.read(Setting::Application, Setting::Section,
                                                         Setting::Speed, QStringLiteral("500"))));
    Timer1.hold();

    if (state.CurrentAnimation == Animation::Custom)
        LoadCustomAnimation(program_);
    // Only the set that plays first is decoded now; the others wait for an idle moment.
    builtinFrames(state.CurrentAnimation);

    addTrayIcon();
    Timer1.release();
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
    if (std::exchange(unloaded_, true))
        return;
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
    auto& state = program_.state();
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
    Timer1.setInterval(milliseconds);
    if (paceFollowsLoad())
        applyPace();
}

bool frmTray::paceAvailable() const
{
    const LoadMeter* meter = program_.services().load;
    return meter && meter->available();
}

bool frmTray::paceFollowsLoad() const
{
    return Timer1.state() == TrayClock::State::Paced || Timer1.state() == TrayClock::State::Resting;
}

void frmTray::setPaceFollowsLoad(bool on)
{
    // Only a running clock changes its pace: once the tray window has unloaded nothing
    // starts again (the options dialog, closed by the unload, puts its pace back then).
    const bool running = Timer1.state() == TrayClock::State::Periodic || paceFollowsLoad();
    on = on && paceAvailable();
    if (!running || on == paceFollowsLoad())
        return;
    pace_.reset();
    shownPercent_ = -1;
    if (on) {
        program_.services().load->sample(); // the first share counts from now
        paceTimer_.start();
        applyPace();
    } else {
        paceTimer_.stop();
        Timer1.unpace(); // wakes from a rest
        showTip(ToolTip);
    }
}

void frmTray::Pace_Timer()
{
    if (!paceFollowsLoad())
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
    Timer1.pace(pace_.interval(Timer1.interval()));
}

void frmTray::showTip(const QString& tip)
{
    if (trayRecord.tip == tip)
        return;
    trayRecord.tip = tip;
    sendRecord();
}

const QIcon& frmTray::customFrame(int slot) const
{
    static const QIcon none;
    if (slot < 1 || slot > formats::kMaxFrames)
        return none;
    return Customimg[static_cast<std::size_t>(slot)];
}

void frmTray::setCustomFrame(int slot, const QIcon& frame)
{
    if (slot >= 1 && slot <= formats::kMaxFrames)
        Customimg[static_cast<std::size_t>(slot)] = frame;
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
