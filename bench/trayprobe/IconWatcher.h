#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace glimmer::bench {

using Clock = std::chrono::steady_clock;

/// Watches the X server for the tray icon of one process and counts its paints
/// as the X server sees them: every change of the icon window's pixels raises an
/// X Damage report, taken and cleared one at a time. The icon window is the one
/// of that process (_NET_WM_PID) that a tray host takes out of the root window
/// and into its panel (XEmbed docking).
class IconWatcher final {
public:
    /// Connects to $DISPLAY and starts watching the root window; see `error()`.
    IconWatcher();
    ~IconWatcher();
    IconWatcher(const IconWatcher&) = delete;
    IconWatcher& operator=(const IconWatcher&) = delete;

    /// Why watching cannot work; empty when it can.
    const std::string& error() const { return error_; }

    /// The process whose icon to look for.
    void follow(pid_t pid) { pid_ = pid; }

    /// Handles the X events that arrive until `deadline`.
    void waitUntil(Clock::time_point deadline);

    bool iconFound() const { return icon_ != XCB_WINDOW_NONE; }
    /// When the icon window was taken into the tray's panel (seen by this watcher).
    std::optional<Clock::time_point> docked() const { return docked_; }
    /// When the icon window first showed a picture (more than one colour).
    std::optional<Clock::time_point> firstPicture() const { return firstPicture_; }
    /// Damage reports of the icon window so far: the paints the tray shows.
    long paints() const { return paints_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void handle(xcb_generic_event_t* event);
    void onReparent(const xcb_reparent_notify_event_t& event);
    std::optional<std::uint32_t> pidOf(xcb_window_t window);
    /// Reads the icon window's pixels; a picture in them was there at `seen`.
    void checkPicture(Clock::time_point seen);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
    std::uint8_t damageEvent_ = 0;
    std::string error_;

    pid_t pid_ = 0;
    xcb_window_t icon_ = XCB_WINDOW_NONE;
    xcb_damage_damage_t damage_ = 0;
    std::optional<Clock::time_point> docked_;
    std::optional<Clock::time_point> firstPicture_;
    long paints_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace glimmer::bench
