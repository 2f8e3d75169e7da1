#!/usr/bin/python3
"""A minimal StatusNotifierWatcher and host for the end-to-end tests.

It owns org.kde.StatusNotifierWatcher on the session bus, waits for a
StatusNotifierItem to register, then checks what the item publishes: the
tooltip, the icon pixmaps (the sizes a screen at scale 1 needs and no more, the
larger one the smaller enlarged pixel for pixel, and that they change from frame
to frame), that the item exports its menu over com.canonical.dbusmenu rather than
leaving it to a ContextMenu call, and that a ContextMenu call is accepted. Prints
one line per finding; then writes "pass" or "fail" to the done-file and goes on
serving as the watcher (later items register with it) until it is killed.

Usage: sni_host.py <ready-file> <seconds to watch the icon> <done-file>
"""

import hashlib
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
PROPS = "org.freedesktop.DBus.Properties"

INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>
"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, on_item):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []
        self.on_item = on_item

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            path, service = service, sender
        self.items.append(service + path)
        self.StatusNotifierItemRegistered(service + path)
        GLib.idle_add(self.on_item, service, path)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="",
                         out_signature="s")
    def Introspect(self):
        # Qt reads IsStatusNotifierHostRegistered through introspection.
        return INTROSPECTION

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }


def enlarged_twice(data, side):
    """A square ARGB32 picture of `side` pixels, each pixel made a 2x2 block."""
    rows = []
    for y in range(side):
        row = data[y * side * 4:(y + 1) * side * 4]
        wide = b"".join(row[x:x + 4] * 2 for x in range(0, side * 4, 4))
        rows.append(wide * 2)
    return b"".join(rows)


def main():
    ready_file, watch_seconds, done_file = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    failures = []
    result = {}

    def check(condition, message):
        print(("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            failures.append(message)

    def pixmaps(item):
        value = item.Get(ITEM, "IconPixmap", dbus_interface=PROPS)
        return [(int(w), int(h), bytes(bytearray(data))) for w, h, data in value]

    def on_item(service, path):
        if result.get("checked"):
            return False  # a later item: registered, nothing more to check
        result["checked"] = True
        item = bus.get_object(service, path)
        tooltip = item.Get(ITEM, "ToolTip", dbus_interface=PROPS)
        texts = [str(part) for part in tooltip[2:]]
        check("Glimmerbox" in texts, "tooltip is Glimmerbox (%s)" % texts)
        title = str(item.Get(ITEM, "Title", dbus_interface=PROPS))
        print("     title: %r" % title, flush=True)

        seen = set()
        sizes = set()
        enlargements = {"crisp": 0, "blurred": 0}

        def sample():
            by_size = {}
            for w, h, data in pixmaps(item):
                sizes.add((w, h))
                by_size[w] = data
                if w == 16:
                    seen.add(hashlib.md5(data).hexdigest())
            if 16 in by_size and 32 in by_size:
                crisp = enlarged_twice(by_size[16], 16) == by_size[32]
                enlargements["crisp" if crisp else "blurred"] += 1
            return True

        sample()
        GLib.timeout_add(40, sample)

        def finish():
            check(sizes == {(16, 16), (32, 32)},
                  "icon pixmaps are 16 and 32 pixels, no more (%s)" % sorted(sizes))
            check(enlargements["crisp"] > 0 and enlargements["blurred"] == 0,
                  "the 32-pixel pixmap is the 16-pixel one enlarged twice, pixel for pixel "
                  "(%d fetches, %d not)" % (enlargements["crisp"] + enlargements["blurred"],
                                            enlargements["blurred"]))
            check(len(seen) >= 3, "the 16x16 pixmap changed: %d different frames" % len(seen))
            menu = str(item.Get(ITEM, "Menu", dbus_interface=PROPS))
            check(menu not in ("", "/", "/NO_DBUSMENU"), "the item exports its menu (%s)" % menu)
            try:
                item.ContextMenu(dbus.Int32(100), dbus.Int32(100), dbus_interface=ITEM)
                check(True, "ContextMenu call accepted")
            except dbus.DBusException as error:
                check(False, "ContextMenu call failed: %s" % error)
            result["done"] = True
            with open(done_file, "w") as done:
                done.write("fail\n" if failures else "pass\n")
            return False

        GLib.timeout_add(int(watch_seconds * 1000), finish)
        return False

    watcher = Watcher(bus, on_item)
    name = dbus.service.BusName(WATCHER, bus)
    with open(ready_file, "w") as ready:
        ready.write("ready\n")
    def no_item():
        if not result.get("done"):
            print("FAIL no StatusNotifierItem registered within 30 s", flush=True)
            with open(done_file, "w") as done:
                done.write("fail\n")
        return False

    GLib.timeout_add(30000, no_item)
    loop.run()
    del name, watcher
    return 0


if __name__ == "__main__":
    sys.exit(main())
