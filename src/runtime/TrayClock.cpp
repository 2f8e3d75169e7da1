#include "runtime/TrayClock.h"

#include "runtime/Pace.h"

namespace glimmer {

TrayClock::TrayClock()
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TrayClock::onTimeout);
    elapsed_.start();
}

void TrayClock::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    if (state_ == State::Held || state_ == State::Periodic)
        timer_.setInterval(milliseconds);
}

void TrayClock::hold()
{
    if (state_ != State::Idle)
        return;
    state_ = State::Held;
    timer_.setSingleShot(false);
    timer_.start(interval_);
}

void TrayClock::release()
{
    if (state_ != State::Held)
        return;
    state_ = State::Periodic;
    if (std::exchange(dueWhileHeld_, false))
        emit due();
}

void TrayClock::pace(std::optional<int> paced)
{
    if (state_ != State::Periodic && state_ != State::Paced && state_ != State::Resting)
        return;
    if (!paced) {
        state_ = State::Resting; // the icon keeps its frame, the clock sleeps
        timer_.stop();
        return;
    }
    paced_ = *paced;
    // A running paced clock takes the new pace at its next frame; any other counts
    // afresh from now.
    if (state_ != State::Paced || !timer_.isActive()) {
        state_ = State::Paced;
        timer_.setSingleShot(true);
        lastDue_.reset();
        scheduleNext();
    }
}

void TrayClock::unpace()
{
    if (state_ != State::Paced && state_ != State::Resting)
        return;
    state_ = State::Periodic;
    timer_.setSingleShot(false);
    timer_.start(interval_);
}

void TrayClock::stop()
{
    state_ = State::Stopped;
    timer_.stop();
}

void TrayClock::onTimeout()
{
    switch (state_) {
    case State::Held:
        dueWhileHeld_ = true;
        return;
    case State::Paced:
        scheduleNext();
        break;
    case State::Periodic:
        break;
    case State::Idle:
    case State::Resting:
    case State::Stopped:
        return;
    }
    emit due();
}

void TrayClock::scheduleNext()
{
    const std::int64_t now = elapsed_.elapsed();
    lastDue_ = Pace::nextFrameDue(lastDue_, now, paced_);
    timer_.start(static_cast<int>(*lastDue_ - now));
}

} // namespace glimmer
