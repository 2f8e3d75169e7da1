#pragma once

#include "platform/TrayArea.h"
#include "runtime/Pace.h"
#include "runtime/ProgramState.h"
#include "runtime/TrayClock.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QTimer>
#include <array>
#include <vector>

namespace glimmer {

class Program;

/// The hidden tray window that lives for the whole run: the animation clock
/// `Timer1`, the frames of every animation, the tray record, and the tray menu.
/// It is never shown; the user meets it through the tray icon and its menu. Its data
/// is its own: others change it only through the operations below.
class frmTray final : public QObject {
    Q_OBJECT
public:
    explicit frmTray(Program& program);
    ~frmTray() override;

    /// Start-up: reads "Previous" and "Speed", loads the custom animation when the
    /// number is 7, then adds the tray icon (still without an image).
    void Form_Load();
    /// Shutdown: closes the options dialog, deletes the tray icon, releases the
    /// windows. Runs once.
    void Form_Unload();

    /// One tick of the player: advance the shared frame counter, pick the frame of
    /// the selected animation, hand it to the tray.
    void Timer1_Timer();

    /// A mouse report from the tray icon; `x` carries the message number.
    void Form_MouseMove(double x);

    void Showmnu_Click();
    void Editmnu_Click();
    void mnuTrayAbout_Click();
    void mnuTrayExit_Click();

    /// Enables "Options", "About", "Exit" and "Edit", in that order: what the options
    /// dialog and the editor do when they close.
    void enableMenuEntries();

    /// The running animation's chosen interval in milliseconds, and setting it. While
    /// the pace follows the load, this is the pace at full load.
    int interval() const { return Timer1.interval(); }
    void setInterval(int milliseconds);
    /// Whether the animation clock runs (it stops at shutdown, on a failed change, and
    /// while a pace that follows the load rests).
    bool isRunning() const { return Timer1.isRunning(); }
    /// The animation clock's state.
    TrayClock::State clockState() const { return Timer1.state(); }

    /// Whether this system tells its processor load, so that the pace can follow it.
    bool paceAvailable() const;
    /// Whether the pace follows the processor load (see Pace); off by default.
    bool paceFollowsLoad() const;
    /// Turns following the load on or off at once; on only where it is available.
    void setPaceFollowsLoad(bool on);
    /// One sample of the load, once a second while the pace follows it: the pace and
    /// the tooltip ("Glimmerbox — CPU 37%") follow.
    void Pace_Timer();

    /// The tray menu as the user sees it: "Options" (bold, the default entry),
    /// "Edit", "About", a separator, "Exit".
    const QMenu& menu() const { return mnuTray; }

    /// The frames of built-in animation `number` (1..6), decoded on first use; empty
    /// for any other number.
    const std::vector<QIcon>& builtinFrames(int number);

    /// The frame of the loaded compiled animation in slot `slot` (1..50); a null icon
    /// for an empty slot or any other number.
    const QIcon& customFrame(int slot) const;
    /// Puts a frame of the compiled animation being loaded into slot `slot` (1..50).
    void setCustomFrame(int slot, const QIcon& frame);
    /// Whether a mouse report from the tray is being handled now.
    bool isInCallback() const { return callbackGuard; }

private:
    void buildMenu();
    void addTrayIcon();
    /// Hands the tray record to the tray; a failure ends the program (see Timer1_Timer).
    void sendRecord();
    /// Shows `tip` as the icon's tooltip unless it already does.
    void showTip(const QString& tip);
    /// Times the animation clock at the current pace, or rests it.
    void applyPace();

    /// Decodes one built-in set that has not been used yet, then the next one in a
    /// later idle moment, until all are ready.
    void decodeNextSetWhenIdle();

    const QString ToolTip = QStringLiteral("Glimmerbox");

    /// The built-in animations' frames, decoded when first needed.
    std::vector<QIcon> LL, FT, EY, TV, CW, SW;
    /// The six sets above by animation number - 1.
    std::array<std::vector<QIcon>*, 6> builtinSets() { return {&LL, &FT, &EY, &TV, &CW, &SW}; }
    /// Frames of the loaded compiled animation, slots 1..50 (slot 0 unused).
    std::array<QIcon, formats::kMaxFrames + 1> Customimg;
    /// The picture the tray shows now; null while nothing was ever shown.
    const QIcon* imgTrayIcon = nullptr;
    TrayRecord trayRecord;
    bool callbackGuard = false;

    /// The animation clock; Timer1_Timer shows the frame it says is due.
    TrayClock Timer1;
    QTimer paceTimer_;
    Pace pace_;
    int shownPercent_ = -1;
    QMenu mnuTray;
    QAction* Showmnu = nullptr;
    QAction* Editmnu = nullptr;
    QAction* mnuTrayAbout = nullptr;
    QAction* Bar = nullptr;
    QAction* mnuTrayExit = nullptr;

    Program& program_;
    bool unloaded_ = false;
};

} // namespace glimmer
