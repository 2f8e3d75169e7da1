#pragma once

#include "platform/TrayArea.h"
#include "runtime/Pace.h"
#include "runtime/ProgramState.h"

#include <QElapsedTimer>
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
/// It is never shown; the user meets it through the tray icon and its menu.
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
    int interval() const { return chosenInterval_; }
    void setInterval(int milliseconds);
    /// Whether the animation clock runs (it stops at shutdown, on a failed change, and
    /// while a pace that follows the load rests).
    bool isRunning() const { return Timer1.isActive(); }

    /// Whether this system tells its processor load, so that the pace can follow it.
    bool paceAvailable() const;
    /// Whether the pace follows the processor load (see Pace); off by default.
    bool paceFollowsLoad() const { return paceOn_; }
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

    const QString ToolTip = QStringLiteral("Glimmerbox");

    /// Frames of the loaded compiled animation, slots 1..50 (slot 0 unused).
    std::array<QIcon, formats::kMaxFrames + 1> Customimg;
    /// The picture the tray shows now; null while nothing was ever shown.
    const QIcon* imgTrayIcon = nullptr;

    TrayRecord trayRecord;
    bool callbackGuard = false;

private:
    void buildMenu();
    void addTrayIcon();
    /// Hands the tray record to the tray; a failure ends the program (see Timer1_Timer).
    void sendRecord();
    /// Shows `tip` as the icon's tooltip unless it already does.
    void showTip(const QString& tip);
    /// Starts, re-times or rests the animation clock for the current pace.
    void applyPace();
    /// Arms the clock for the next frame, `paced` milliseconds after the last was due.
    void scheduleNextFrame(int paced);

    /// Decodes one built-in set that has not been used yet, then the next one in a
    /// later idle moment, until all are ready.
    void decodeNextSetWhenIdle();

    /// The built-in animations' frames, decoded when first needed.
    std::vector<QIcon> LL, FT, EY, TV, CW, SW;
    /// The six sets above by animation number - 1.
    std::array<std::vector<QIcon>*, 6> builtinSets() { return {&LL, &FT, &EY, &TV, &CW, &SW}; }
    /// While the load step runs, a tick (from a nested event loop: the wait for a
    /// tray host, a message box) waits for its end, as the first frame must.
    bool loading_ = false;
    bool tickWaiting_ = false;
    bool decodingStarted_ = false;

    QTimer Timer1;
    QTimer paceTimer_;
    Pace pace_;
    bool paceOn_ = false;
    int chosenInterval_ = 0;
    int shownPercent_ = -1;
    QElapsedTimer paceClock_;
    std::optional<qint64> frameDue_; ///< on paceClock_, when the last frame was due
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
