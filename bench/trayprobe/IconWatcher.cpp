#include "IconWatcher.h"

#include "Pixels.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>

namespace glimmer::bench {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> own(T* reply)
{
    return Reply<T>(reply, &std::free);
}

} // namespace

IconWatcher::IconWatcher()
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        error_ = "cannot connect to the X display";
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (!damage || !damage->present) {
        error_ = "the X server has no DAMAGE extension";
        return;
    }
    damageEvent_ = damage->first_event;
    own(xcb_damage_query_version_reply(connection_, xcb_damage_query_version(connection_, 1, 1),
                                       nullptr));

    static constexpr char kPidName[] = "_NET_WM_PID";
    const auto atom = own(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, sizeof kPidName - 1, kPidName), nullptr));
    pidAtom_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};

    // Windows that leave the root window for a tray's panel announce it here.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

IconWatcher::~IconWatcher()
{
    if (connection_)
        xcb_disconnect(connection_);
}

void IconWatcher::waitUntil(Clock::time_point deadline)
{
    if (!error_.empty())
        return;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            handle(event);
            std::free(event);
        }
        xcb_flush(connection_);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return;
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        if (::poll(&descriptor, 1, static_cast<int>(left.count()) + 1) < 0 && errno != EINTR)
            return;
        if (xcb_connection_has_error(connection_)) {
            error_ = "the X connection broke";
            return;
        }
    }
}

void IconWatcher::handle(xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7F;
    if (type == XCB_REPARENT_NOTIFY) {
        onReparent(*reinterpret_cast<xcb_reparent_notify_event_t*>(event));
    } else if (type == damageEvent_ + XCB_DAMAGE_NOTIFY) {
        const auto& notify = *reinterpret_cast<xcb_damage_notify_event_t*>(event);
        if (notify.damage != damage_)
            return;
        const Clock::time_point seen = Clock::now();
        ++paints_;
        // Cleared at once, so that the next paint reports again.
        xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
        if (!firstPicture_)
            checkPicture(seen);
    }
}

void IconWatcher::onReparent(const xcb_reparent_notify_event_t& event)
{
    if (iconFound() || pid_ == 0 || event.parent == root_)
        return;
    const auto owner = pidOf(event.window);
    if (!owner || *owner != static_cast<std::uint32_t>(pid_))
        return;
    docked_ = Clock::now();
    icon_ = event.window;
    damage_ = xcb_generate_id(connection_);
    xcb_damage_create(connection_, damage_, icon_, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    // A paint that came before the damage object existed is seen here.
    checkPicture(Clock::now());
}

std::optional<std::uint32_t> IconWatcher::pidOf(xcb_window_t window)
{
    const auto reply = own(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    std::uint32_t value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

void IconWatcher::checkPicture(Clock::time_point seen)
{
    const auto geometry =
        own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, icon_), nullptr));
    if (!geometry)
        return;
    width_ = geometry->width;
    height_ = geometry->height;
    const auto image =
        own(xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, icon_, 0, 0,
                                              geometry->width, geometry->height, ~0u),
                                nullptr));
    if (!image || image->depth < 24)
        return; // not mapped yet, or a visual this check does not read
    const int bytes = xcb_get_image_data_length(image.get());
    if (showsAPicture(xcb_get_image_data(image.get()), static_cast<std::size_t>(bytes)))
        firstPicture_ = seen;
}

} // namespace glimmer::bench
