#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

namespace glimmer {

/// The one Glimmerbox of a desktop session, over D-Bus. The running program owns the
/// application id as a name on the session bus and serves an object there whose
/// interface, named after the id too, takes commands from programs started later; today
/// one: Open(files). A program started with files hands them over and ends, so that a
/// double-click in a file manager never puts a second icon into the tray.
class SessionInstance final : public QObject {
    Q_OBJECT
public:
    /// The object's path on the bus: the id with its dots as slashes.
    static QString objectPath();

    /// Hands `files` (absolute paths) to the program that owns the name, waiting at
    /// most a few seconds for its answer; false when no program owns it or it did not
    /// take them.
    static bool handOver(const QStringList& files);

    /// Owns the name and serves the object, handing the files of every Open call to
    /// `open` from the event loop, after the call was answered. False when there is no
    /// session bus or another program owns the name already (the program runs on
    /// without).
    bool serve(std::function<void(const QStringList& files)> open);

public slots:
    /// The files a later program was started with, absolute paths.
    Q_SCRIPTABLE void Open(const QStringList& files);

private:
    std::function<void(const QStringList& files)> open_;
};

} // namespace glimmer
