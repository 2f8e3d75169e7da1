#!/usr/bin/python3
"""A StatusNotifierItem host that fetches IconPixmap after every NewIcon.

That is the most a host on a desktop does (KDE Plasma, the GNOME AppIndicator
extension, waybar and the Xfce status tray fetch the pictures again when an item
says its icon changed), so it measures what each frame costs over D-Bus. It owns
org.kde.StatusNotifierWatcher on the session bus through the end-to-end test's
watcher (tests/e2e/sni_host.py), starts the program, and reports "key=value" lines
on standard output, as glimmer_trayprobe does:

  sizes           the picture sizes received, e.g. "16x16 32x32"
  bytes_per_fetch pixel bytes of one IconPixmap reply (the sum of its pictures)
  fetches_per_s   IconPixmap replies a second in the measured window
  newicon_per_s   NewIcon signals a second in the measured window
  cpu_s           processor seconds of the program in the measured window (the
                  run times of all its threads, /proc/PID/task/*/schedstat)
  host_cpu_s      processor seconds of this host in the same window

The measured window starts `settle` seconds after the first reply and lasts
`measure` seconds; then the program is ended with SIGTERM. Its own output goes to
standard error.

Usage: sni_fetch.py [--settle S] [--measure S] [--timeout S] -- PROGRAM [ARGUMENTS...]
"""

import os
import signal
import subprocess
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from sni_host import ITEM, PROPS, WATCHER, Watcher  # noqa: E402


def cpu_seconds(pid):
    """Run time of every thread of `pid` so far, or None once it is gone."""
    total = 0
    try:
        for task in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
                total += int(stat.read().split()[0])
    except (OSError, ValueError, IndexError):
        return None
    return total / 1e9


def parse(arguments):
    options = {"settle": 2.0, "measure": 20.0, "timeout": 30.0}
    while arguments and arguments[0] != "--":
        if len(arguments) < 2 or arguments[0][2:] not in options:
            return None
        options[arguments[0][2:]] = float(arguments[1])
        arguments = arguments[2:]
    if len(arguments) < 2:
        return None
    options["program"] = arguments[1:]
    return options


def main():
    options = parse(sys.argv[1:])
    if options is None:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    counts = {"newicon": 0, "fetches": 0, "bytes": 0}
    sizes = set()
    state = {}

    def report(lines, status=0):
        print("\n".join(lines), flush=True)
        state["status"] = status
        loop.quit()
        return False

    def fetched(value):
        counts["fetches"] += 1
        for width, height, data in value:
            sizes.add((int(width), int(height)))
            counts["bytes"] += len(data)
        if "first" not in state:
            state["first"] = True
            GLib.timeout_add(int(options["settle"] * 1000), start_measuring)

    def failed(error):
        report(["error=IconPixmap could not be fetched: %s" % error], 1)

    def fetch(item):
        item.Get(ITEM, "IconPixmap", dbus_interface=PROPS, byte_arrays=True,
                 reply_handler=fetched, error_handler=failed)

    def snapshot():
        return dict(counts, at=time.monotonic(), cpu=cpu_seconds(program.pid),
                    host=time.process_time())

    def start_measuring():
        state["from"] = snapshot()
        GLib.timeout_add(int(options["measure"] * 1000), finish)
        return False

    def finish():
        end, start = snapshot(), state["from"]
        if program.poll() is not None or end["cpu"] is None or start["cpu"] is None:
            return report(["error=the program ended during the measurement"], 1)
        seconds = end["at"] - start["at"]
        fetches = end["fetches"] - start["fetches"]
        return report([
            "sizes=%s" % " ".join("%dx%d" % size for size in sorted(sizes)),
            "measure_s=%.3f" % seconds,
            "newicon_per_s=%.2f" % ((end["newicon"] - start["newicon"]) / seconds),
            "fetches_per_s=%.2f" % (fetches / seconds),
            "bytes_per_fetch=%.1f" % ((end["bytes"] - start["bytes"]) / fetches if fetches else 0),
            "cpu_s=%.4f" % (end["cpu"] - start["cpu"]),
            "host_cpu_s=%.4f" % (end["host"] - start["host"]),
            "status=running",
        ])

    def on_item(service, path):
        if "item" in state:
            return False
        item = bus.get_object(service, path)
        state["item"] = item

        def new_icon():
            counts["newicon"] += 1
            fetch(item)

        bus.add_signal_receiver(new_icon, signal_name="NewIcon", dbus_interface=ITEM,
                                bus_name=service, path=path)
        fetch(item)
        return False

    watcher = Watcher(bus, on_item)
    name = dbus.service.BusName(WATCHER, bus)
    program = subprocess.Popen(options["program"], stdout=sys.stderr)
    print("pid=%d" % program.pid, flush=True)

    def give_up():
        if "first" not in state:
            report(["error=no IconPixmap from a StatusNotifierItem within %g s"
                    % options["timeout"]], 1)
        return False

    def ended():
        if program.poll() is None:
            return True
        return report(["error=the program ended: status %d" % program.returncode], 1)

    GLib.timeout_add(int(options["timeout"] * 1000), give_up)
    GLib.timeout_add(100, ended)
    loop.run()
    if program.poll() is None:
        program.send_signal(signal.SIGTERM)
        try:
            program.wait(3)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
    del name, watcher
    return state.get("status", 1)


if __name__ == "__main__":
    sys.exit(main())
