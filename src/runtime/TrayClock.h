#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>

namespace glimmer {

/// The animation clock: says when the next frame is due. It is in one of these
/// states, and only these:
/// - Idle: not started yet.
/// - Held: started by the tray's load step, whose end it waits for; a frame that falls
///   due meanwhile (the step may wait for a tray host or on a message box, inside a
///   nested event loop) is given out as soon as the step ends, never before.
/// - Periodic: a frame every interval.
/// - Paced: each frame is due the pace's interval after the last one was due (see
///   Pace::nextFrameDue), so that the time a tick waits and takes does not add up; a
///   new pace counts from the next frame on.
/// - Resting: paced, but the pace rests: no frame until it wakes; the icon keeps its
///   frame.
/// - Stopped: for good, at shutdown or after a failed icon change; nothing starts it
///   again.
class TrayClock final : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Held, Periodic, Paced, Resting, Stopped };

    TrayClock();

    State state() const { return state_; }
    /// Whether a frame will fall due (Held, Periodic or Paced).
    bool isRunning() const { return timer_.isActive(); }

    /// The interval chosen for the animation, in milliseconds; the pace at full load
    /// while the clock is paced.
    int interval() const { return interval_; }
    /// Chooses the interval; a periodic clock takes it at once.
    void setInterval(int milliseconds);

    /// Starts an idle clock at the chosen interval, holding its frames until release().
    void hold();
    /// The load step has ended: a frame that fell due meanwhile is given out now, and
    /// the clock runs periodically.
    void release();
    /// Times the frames at `paced` milliseconds from the next one on, or rests when
    /// there is none. A resting clock wakes and counts afresh from now.
    void pace(std::optional<int> paced);
    /// Back to a frame every chosen interval, waking from a rest.
    void unpace();
    /// Stops for good.
    void stop();

signals:
    /// A frame is due.
    void due();

private:
    void onTimeout();
    void scheduleNext();

    QTimer timer_;
    QElapsedTimer elapsed_;
    State state_ = State::Idle;
    bool dueWhileHeld_ = false;
    int interval_ = 0;
    int paced_ = 0;
    std::optional<std::int64_t> lastDue_; ///< on elapsed_, when the last paced frame was due
};

} // namespace glimmer
